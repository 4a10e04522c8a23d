#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/preferences_form.h"
#include "app/program_state.h"
#include "widgets/balloon_hint.h"
#include "widgets/round_button.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPixmap>

namespace kvl::test {
namespace {

// Not a test: saves pictures of the windows into the working folder for a person to look at.
// Run with --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*' under a real display.
class ScreenshotTest : public AppTest {
protected:
    void save(QWidget *window, const std::string &name) {
        EXPECT_TRUE(window->grab().save(QString::fromStdString(name + ".png"))) << name;
    }
};

TEST_F(ScreenshotTest, DISABLED_SaveScreenshots) {
    addCompleteHost();
    for (const char *language : {"ENG", "GER"}) {
        writeSettings(std::string("[User]\r\nLanguage=") + language + "\r\n");
        start();
        form().show();
        const std::string suffix = std::string("_") + language;
        save(&form(), "main_start_panel" + suffix);
        click("Bok");
        save(&form(), "main_settings_page" + suffix);
        whenShown(About, [&] { save(About, "about" + suffix); });
        click("BAbout");
        whenShown(Confirmit, [&] { save(Confirmit, "confirm_exit" + suffix); });
        click("BClose");
        kvl::app::destroyWindows();
    }
}

TEST_F(ScreenshotTest, DISABLED_SavePreferencesScreenshots) {
    for (const char *language : {"ENG", "GER"})
        for (const char *skin : {"0", "1"}) {
            // One switch off, so that both looks are seen.
            writeSettings(std::string("[User]\r\nLanguage=") + language + "\r\nSelectedWinVersion=" + skin +
                          "\r\nShowStart=0\r\n");
            start();
            form().show();
            const std::string name = std::string("preferences_") + language + "_" +
                                     (skin == std::string("0") ? "Windows10" : "Windows11");
            whenShown(Form3, [&] { save(Form3, name); });
            click("BSettings");
            kvl::app::destroyWindows();
        }
}

// The windows in both themes, and a balloon hint over the main window.
TEST_F(ScreenshotTest, DISABLED_SaveThemeScreenshots) {
    addCompleteHost();
    for (const auto &[skin, theme] : {std::pair{"0", "Windows10"}, std::pair{"1", "Windows11"}}) {
        writeSettings(std::string("[User]\r\nSelectedWinVersion=") + skin + "\r\n");
        start();
        form().show();
        const std::string suffix = std::string("_") + theme;
        save(&form(), "main_start_panel" + suffix);
        click("Bok");
        control("CBAnl17")->setFocus(); // the focused look of a check box's row
        save(&form(), "main_settings_page" + suffix);

        auto *apply = control<TRoundButton>("BApply17");
        apply->setFocus();
        const QPoint mouse = apply->mapToGlobal(QPoint(30, 30));
        QHelpEvent help(QEvent::ToolTip, QPoint(30, 30), mouse);
        QApplication::sendEvent(apply, &help);
        TBalloonHint *balloon = form().HintManager.shownBalloon();
        ASSERT_NE(balloon, nullptr);
        QImage picture = form().grab().toImage();
        QPainter painter(&picture);
        painter.setClipRegion(balloon->mask().translated(balloon->pos() - form().pos()));
        painter.drawPixmap(balloon->pos() - form().pos(), balloon->grab());
        painter.end();
        EXPECT_TRUE(picture.save(QString::fromStdString("balloon" + suffix + ".png")));

        whenShown(About, [&] { save(About, "about" + suffix); });
        click("BAbout");
        whenShown(Confirmit, [&] { save(Confirmit, "confirm_exit" + suffix); });
        click("BClose");
        kvl::app::destroyWindows();
    }
}

} // namespace
} // namespace kvl::test
