#include "widgets/theme_engine.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <gtest/gtest.h>

#include "support/temp_prefix.h"
#include "widgets/hint_manager.h"
#include "widgets/message_box.h"
#include "widgets/round_button.h"

namespace {

TEST(ThemeEngine, NameLookup) {
    struct Case {
        const char *requested;
        const char *title;
    };
    const Case cases[] = {
        {"Windows 10", "Windows 10"},       {"Windows 11", "Windows 11"}, {"Windows 11.skin", "Windows 11"},
        {"Windows 11 light", "Windows 10"}, {"windows 11", "Windows 10"}, {"", "Windows 10"},
    };
    for (const Case &c : cases) {
        TThemeEngine engine;
        engine.setSkinTitle(c.requested);
        EXPECT_EQ(engine.skinTitle(), QString(c.title)) << c.requested;
        EXPECT_FALSE(qApp->styleSheet().isEmpty());
    }
    qApp->setStyleSheet({});
}

TEST(ThemeEngine, ThemesDifferAndInactiveMeansNoStyleSheet) {
    TThemeEngine engine;
    engine.setSkinTitle("Windows 10");
    const QString windows10 = qApp->styleSheet();
    engine.setActive(false);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    engine.setSkinTitle("Windows 11"); // only stored while inactive
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    engine.setActive(true);
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    EXPECT_NE(qApp->styleSheet(), windows10);
    qApp->setStyleSheet({});
}

TEST(ThemeEngine, BalloonHintsWrapAtTheirMaximumWidth) {
    TThemeEngine engine;
    engine.setSkinTitle("Windows 11");
    QWidget window;
    auto *button = new TRoundButton(&window);
    button->setGeometry(0, 0, 55, 55);
    button->setShowHint(true);
    button->setHint("Änderungen in die Registry und andere Dateien übernehmen");
    window.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(27, 27), button->mapToGlobal(QPoint(27, 27)));
    QApplication::sendEvent(button, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    QWidget *tip = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            tip = w;
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->width(), THintManager::kMaxWidth);
    EXPECT_GT(tip->height(), 2 * tip->fontMetrics().height()) << "the text wraps instead of widening";
    EXPECT_EQ(tip->font().family(), "Tahoma");
    QToolTip::hideText();
    qApp->setStyleSheet({});
}

TEST(ThemeEngine, ThemeFolderComesBeforeBuiltInThemes) {
    kvl::test::TempPrefix prefix;
    const std::string skins = prefix.driveC() + "/Skins";
    std::filesystem::create_directories(skins + "/Custom");
    kvl::test::TempPrefix::writeFile(skins + "/Custom/skin.ini", "[Skin]\n");
    kvl::test::TempPrefix::writeFile(skins + "/Custom/skin.qss", "QLabel { color: green; }");
    kvl::test::TempPrefix::writeFile(skins + "/Windows 11.skin", "QLabel { color: red; }");
    kvl::test::TempPrefix::writeFile(skins + "/Broken.skin", "");
    struct Case {
        const char *requested;
        const char *title;
        const char *styleSheet; // nullptr: a built-in theme
        const char *message;
    };
    const Case cases[] = {
        {"Windows 11", "Windows 11", "QLabel { color: red; }", ""},
        {"Windows 11.skin", "Windows 11", "QLabel { color: red; }", ""},
        {"Custom", "Custom", "QLabel { color: green; }", ""},
        {"Broken", "Windows 10", nullptr,
         "The skin \"Broken\" cannot be read. Please replace it with a valid skin."},
        {"Windows 10", "Windows 10", nullptr, ""},
    };
    for (const Case &c : cases) {
        QString message;
        kvl::widgets::setErrorBoxDisplay(
            [&](QWidget *, const QString &, const QString &text) { message = text; });
        TThemeEngine engine;
        engine.setSkinTitle(c.requested);
        kvl::widgets::setErrorBoxDisplay(nullptr);
        EXPECT_EQ(engine.skinTitle(), QString(c.title)) << c.requested;
        if (c.styleSheet)
            EXPECT_EQ(qApp->styleSheet(), QString(c.styleSheet)) << c.requested;
        else
            EXPECT_TRUE(qApp->styleSheet().contains("TRoundButton")) << c.requested;
        EXPECT_EQ(message, QString(c.message)) << c.requested;
    }
    qApp->setStyleSheet({});
}

} // namespace
