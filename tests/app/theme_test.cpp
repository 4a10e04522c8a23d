#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/program_state.h"
#include "widgets/theme_data.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>

namespace kvl::test {
namespace {

using ThemeTest = AppTest;

TEST_F(ThemeTest, StartUpThemeDrawsTheFirstPaintAndTheDialogsCreatedLater) {
    struct Case {
        const char *settings;
        const char *window;
    };
    const Case cases[] = {{"[User]\r\nSelectedWinVersion=0\r\n", "#f0f0f0"},
                          {"[User]\r\nSelectedWinVersion=1\r\n", "#f3f3f3"}};
    for (const Case &c : cases) {
        writeSettings(c.settings);
        start();
        EXPECT_EQ(form().ThemeEngine.loadCount(), 1) << "loaded once, while the window was created";
        for (QWidget *window : {static_cast<QWidget *>(&form()), static_cast<QWidget *>(About),
                                static_cast<QWidget *>(Confirmit)}) {
            window->ensurePolished(); // as before its first drawing
            EXPECT_EQ(window->palette().color(QPalette::Window), QColor(c.window)) << c.settings;
        }
        kvl::app::destroyWindows();
    }
}

// The colour that fills most of an area: the background its text stands on.
QColor backgroundOf(const QImage &image, const QRect &area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(most))
            most = it.key();
    return QColor(most);
}

// The contrast of the text pixel that stands out most: what the eye finds of the text.
double drawnContrast(const QImage &image, const QRect &area) {
    const QColor background = backgroundOf(image, area);
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, kvl::widgets::contrastRatio(QColor(image.pixel(x, y)), background));
    return best;
}

// The Info group stays disabled, but its captions and the install path stay readable: in the colours
// the theme gives them and as they are drawn.
TEST_F(ThemeTest, DisabledInfoGroupStaysReadable) {
    addInstallKey();
    struct Shown {
        const char *name;
        QPalette::ColorRole text;
        bool hasText; // the host's language name is not part of the test's install key
    };
    const Shown shownControls[] = {{"L17Installed", QPalette::WindowText, true},
                                   {"L17Language", QPalette::WindowText, true},
                                   {"EPath17", QPalette::Text, true},
                                   {"ELang17", QPalette::Text, false}};
    for (const char *skin : {"0", "1"}) {
        writeSettings(std::string("[User]\r\nShowStart=0\r\nSelectedWinVersion=") + skin + "\r\n");
        start();
        form().show();
        ASSERT_FALSE(control("GB117")->isEnabled());
        // The group draws no background of its own: what it shows is seen on the window.
        const QImage image = form().grab().toImage();
        for (const Shown &shown : shownControls) {
            QWidget *widget = control(shown.name);
            const QRect area(widget->mapTo(&form(), QPoint(2, 2)), widget->size() - QSize(4, 4));
            const QColor text = widget->palette().color(QPalette::Disabled, shown.text);
            EXPECT_GE(kvl::widgets::contrastRatio(text, backgroundOf(image, area)),
                      kvl::widgets::kReadableContrast)
                << skin << " " << shown.name;
            if (shown.hasText) {
                EXPECT_GE(drawnContrast(image, area), kvl::widgets::kReadableContrast)
                    << skin << " " << shown.name;
            }
        }
        kvl::app::destroyWindows();
    }
}

} // namespace
} // namespace kvl::test
