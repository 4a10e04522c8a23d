#include "app_fixture.h"

#include "app/confirm_dialog.h"
#include "app/program_state.h"
#include "widgets/round_button.h"

#include <filesystem>

namespace kvl::test {
namespace {

class CloseFlowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
        form().show();
    }
};

TEST_F(CloseFlowTest, OnlyAConfirmedExitWritesThePreferences) {
    struct Case {
        const char *name;
        std::function<void()> answer;
        bool written;
    };
    const auto clickIn = [](const char *button) {
        return [button] { Confirmit->findChild<TRoundButton *>(button)->click(); };
    };
    const Case cases[] = {
        {"No", clickIn("BNo"), false},
        {"closed otherwise", [] { Confirmit->close(); }, false},
        {"Yes", clickIn("BYes"), true},
    };
    for (const Case &c : cases) {
        whenShown(Confirmit, c.answer);
        click("BClose");
        EXPECT_EQ(std::filesystem::exists(settingsPath()), c.written) << c.name;
        EXPECT_EQ(form().isVisible(), !c.written) << c.name;
    }
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(TempPrefix::readFile(settingsPath()),
              "[User]\r\nLanguage=ENG\r\nLastSaveDir=\"" + programFolder() +
                  "\"\r\nShowStart=1\r\nUseHints=1\r\nCloseConfirmOn=1\r\nSelectedWinVersion=0\r\n");
}

TEST_F(CloseFlowTest, WindowSystemCloseWritesNothing) {
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));
}

TEST_F(CloseFlowTest, ReadOnlySettingsFileKeepsTheWindowOpen) {
    kvl::app::destroyWindows();
    writeSettings("[User]\r\nCloseConfirmOn=0\r\n");
    std::filesystem::permissions(settingsPath(), std::filesystem::perms::owner_read);
    start();
    form().show();
    click("BClose");
    EXPECT_EQ(errors, QStringList{QString::fromStdString("Unable to write to " + settingsPath() + ".")});
    EXPECT_TRUE(form().isVisible());
}

TEST_F(CloseFlowTest, HandWrittenSettingsSurviveTheExit) {
    kvl::app::destroyWindows();
    const std::string settings =
        "[Other]\r\nKeep = this one ;as it is\r\n\r\n[User]\r\nLanguage=GER\r\n"
        "LastSaveDir=\"C:\\Exports\"\r\nShowStart=0\r\nUseHints=1\r\nCloseConfirmOn=0\r\n"
        "SelectedWinVersion=1\r\n";
    writeSettings(settings);
    start();
    form().show();
    EXPECT_EQ(text("GB217"), " Registry-einstellungen ");
    EXPECT_FALSE(control("GBStart")->isVisibleTo(&form()));
    EXPECT_EQ(form().ThemeEngine.skinTitle(), "Windows 11");
    click("BClose");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(TempPrefix::readFile(settingsPath()), settings);
}

} // namespace
} // namespace kvl::test
