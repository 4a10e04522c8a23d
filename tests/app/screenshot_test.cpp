#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/preferences_form.h"
#include "app/program_state.h"

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

} // namespace
} // namespace kvl::test
