#include "widgets/theme_engine.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_prefix.h"
#include "widgets/message_box.h"

namespace {

QColor windowColour() { return QApplication::palette().color(QPalette::Window); }

struct PlainLookAfterwards {
    ~PlainLookAfterwards() {
        TThemeEngine engine;
        engine.setActive(false);
    }
};

TEST(ThemeEngine, NameLookup) {
    PlainLookAfterwards plain;
    struct Case {
        const char *requested;
        const char *title;
        const char *window;
    };
    const Case cases[] = {
        {"Windows 10", "Windows 10", "#f0f0f0"},      {"Windows 11", "Windows 11", "#f3f3f3"},
        {"Windows 11.skin", "Windows 11", "#f3f3f3"}, {"Windows 11 light", "Windows 10", "#f0f0f0"},
        {"windows 11", "Windows 10", "#f0f0f0"},      {"", "Windows 10", "#f0f0f0"},
        {"..\\Windows 11", "Windows 10", "#f0f0f0"},
    };
    for (const Case &c : cases) {
        TThemeEngine engine;
        engine.setSkinTitle(c.requested);
        EXPECT_EQ(engine.skinTitle(), QString(c.title)) << c.requested;
        EXPECT_EQ(windowColour(), QColor(c.window)) << c.requested;
        EXPECT_TRUE(qApp->styleSheet().contains("TRoundButton")) << c.requested;
    }
}

TEST(ThemeEngine, ThemesDifferAndInactiveMeansPlainLook) {
    const QColor plainWindow = windowColour();
    TThemeEngine engine;
    engine.setSkinTitle("Windows 10");
    const QString windows10 = qApp->styleSheet();
    engine.setActive(false);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(windowColour(), plainWindow);
    engine.setSkinTitle("Windows 11"); // only stored while inactive
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(engine.loadCount(), 1);
    engine.setActive(true);
    EXPECT_EQ(engine.loadCount(), 2);
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    EXPECT_NE(qApp->styleSheet(), windows10);
    engine.setActive(false);
}

// Counts the paint events a window itself receives.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget &window) { window.installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// Delivers what the event queue holds now, and what that brings about in turn (a paint asked for by a
// style change is queued, not timed).
void deliverPendingEvents() {
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

TEST(ThemeEngine, SwitchWhileOffRedrawsEveryOpenWindowOnce) {
    PlainLookAfterwards plain;
    TThemeEngine engine;
    engine.setSkinTitle("Windows 10");
    QWidget first;
    QWidget second;
    for (QWidget *window : {&first, &second}) {
        window->resize(200, 100);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    deliverPendingEvents(); // the first showing's paints
    PaintCounter firstPaints(first);
    PaintCounter secondPaints(second);
    // What the preferences dialog does on Accept with a changed theme.
    engine.setActive(false);
    engine.setSkinTitle("Windows 11");
    engine.setActive(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return firstPaints.paints > 0 && secondPaints.paints > 0; }, 10000));
    deliverPendingEvents(); // a second paint would be queued by now
    EXPECT_EQ(firstPaints.paints, 1);
    EXPECT_EQ(secondPaints.paints, 1);
    EXPECT_EQ(engine.loadCount(), 2);
    EXPECT_EQ(first.palette().color(QPalette::Window), QColor("#f3f3f3"));
}

QByteArray windows11Tinted(const char *window) {
    QFile file(":/themes/windows11/skin.ini");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().replace("Background=#f3f3f3", QByteArray("Background=") + window);
}

QByteArray packed(const QByteArray &skinIni) {
    return "KVLSKIN 1\n" + QByteArray::number(skinIni.size()) + " skin.ini\n" + skinIni + "\nend\n";
}

void write(const std::string &path, const QByteArray &content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    kvl::test::TempPrefix::writeFile(path, content.toStdString());
}

TEST(ThemeEngine, ThemeFolderComesFirstAndBrokenThemesFallBack) {
    PlainLookAfterwards plain;
    kvl::test::TempPrefix prefix;
    const std::string skins = prefix.driveC() + "/Skins/";
    const std::string broken = prefix.driveC() + "/Broken/";
    write(skins + "Custom/skin.ini", windows11Tinted("#f0fff0"));
    write(skins + "Windows 11.skin", packed(windows11Tinted("#fff0f0")));
    write(skins + "Windows 10/skin.ini", windows11Tinted("#f0f8ff"));
    write(skins + "Windows 10.skin", packed(windows11Tinted("#fff0f0")));
    std::filesystem::create_directories(skins + "Packed"); // a folder without skin.ini is no theme
    write(skins + "Packed.skin", packed(windows11Tinted("#f0fff0")));
    write(skins + "Empty.skin", "");
    write(skins + "Binary.skin", QByteArray(5000, '\x9c'));
    write(skins + "Huge.skin", packed(windows11Tinted("#f0fff0") + QByteArray(1 << 20, ';')));
    write(skins + "Unreadable/skin.ini", windows11Tinted("#1b1b1b"));
    write(skins + "Folder.skin/skin.ini", ""); // a folder named like a packed theme holds none
    std::filesystem::create_directories(skins + "Endless");
    std::filesystem::create_symlink("/dev/zero", skins + "Endless/skin.ini");
    ASSERT_EQ(mkfifo((skins + "Pipe.skin").c_str(), 0600), 0);
    write(broken + "Windows 11.skin", "KVLSKIN 1\n99 skin.ini\n");

    struct Case {
        const char *folder;
        const char *requested;
        const char *title;
        const char *window; // tells which theme was drawn
        bool message;
    };
    const Case cases[] = {
        {"c:\\Skins", "Custom", "Custom", "#f0fff0", false},
        {"c:\\Skins\\", "Custom", "Custom", "#f0fff0", false},
        {"C:\\SKINS", "custom", "custom", "#f0fff0", false},
        {"c:\\Skins", "Windows 11", "Windows 11", "#fff0f0", false},
        {"c:\\Skins", "Windows 11.skin", "Windows 11", "#fff0f0", false},
        {"c:\\Skins", "Windows 10", "Windows 10", "#f0f8ff", false},
        {"c:\\Skins", "Packed", "Packed", "#f0fff0", false},
        {"c:\\Skins", "Nowhere", "Windows 10", "#f0f0f0", false},
        {"c:\\Skins", "Folder", "Windows 10", "#f0f0f0", false},
        {"c:\\Skins", "Empty", "Windows 10", "#f0f0f0", true},
        {"c:\\Skins", "Binary", "Windows 10", "#f0f0f0", true},
        {"c:\\Skins", "Huge", "Windows 10", "#f0f0f0", true},
        {"c:\\Skins", "Unreadable", "Windows 10", "#f0f0f0", true},
        {"c:\\Skins", "Endless", "Windows 10", "#f0f0f0", true},
        {"c:\\Skins", "Pipe", "Windows 10", "#f0f0f0", true},
        {"c:\\Broken", "Windows 11", "Windows 11", "#f3f3f3", true},
        {"c:\\Missing", "Windows 11", "Windows 11", "#f3f3f3", false},
        {"", "Custom", "Windows 10", "#f0f0f0", false},
    };
    for (const Case &c : cases) {
        QStringList messages;
        QColor messageWindow; // the message is drawn in the theme that took the broken one's place
        kvl::widgets::setErrorBoxDisplay([&](QWidget *, const QString &, const QString &text) {
            messages << text;
            messageWindow = windowColour();
        });
        TThemeEngine engine;
        engine.setSkinFolder(c.folder);
        engine.setSkinTitle(c.requested);
        kvl::widgets::setErrorBoxDisplay(nullptr);
        const std::string what = std::string(c.folder) + " " + c.requested;
        EXPECT_EQ(engine.skinTitle(), QString(c.title)) << what;
        EXPECT_EQ(windowColour(), QColor(c.window)) << what;
        QString name = c.requested;
        name.remove(".skin");
        EXPECT_EQ(messages,
                  c.message ? QStringList{QString("The skin \"%1\" cannot be read. Please replace it with a "
                                                  "valid skin.")
                                              .arg(name)}
                            : QStringList{})
            << what;
        if (c.message) {
            EXPECT_EQ(messageWindow, QColor(c.window)) << what;
        }
    }
}

} // namespace
