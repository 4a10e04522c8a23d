#include "app_fixture.h"

#include "app/confirm_dialog.h"
#include "app/host_store_check.h"
#include "app/program_state.h"
#include "support/scoped_variable.h"
#include "widgets/round_button.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::test {
namespace {

using InstalledProgramTest = AppTest;

// An installed program's folder is not the user's: the settings go to the folder the platform chose
// instead, and the export starts in the home folder rather than among the system's programs.
TEST_F(InstalledProgramTest, SettingsLiveInTheUsersFolderAndExportsStartAtHome) {
    const std::string program = prefix.path() + "/usr/bin/";
    const std::string config = prefix.path() + "/config/";
    fs::create_directories(program);
    fs::create_directories(config);
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    const ScopedVariable home("HOME", prefix.path() + "/home");

    kvl::app::createWindows(ProgramLocations::of(program, config));
    form().show();
    whenShown(Confirmit, [] { Confirmit->findChild<TRoundButton *>("BYes")->click(); });
    click("BClose");
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_FALSE(fs::exists(program + "settings.ini"));
    EXPECT_EQ(TempPrefix::readFile(config + "settings.ini"),
              "[User]\r\nLanguage=ENG\r\nLastSaveDir=\"" + prefix.path() +
                  "/home/\"\r\nShowStart=1\r\nUseHints=1\r\nCloseConfirmOn=1\r\nSelectedWinVersion=0\r\n");
    fs::permissions(program, fs::perms::owner_all);
}

TEST_F(InstalledProgramTest, AFolderThatIsNoPrefixIsNamedInTheInterfaceLanguage) {
    struct Case {
        const char *settings;
        const char *opening; // nullptr: a prefix, no message
    };
    const Case cases[] = {
        {"", nullptr},
        {"", "No Wine prefix was found in "},
        {"[User]\r\nLanguage=GER\r\n", "In "},
    };
    for (const Case &c : cases) {
        if (c.opening)
            fs::remove(prefix.userReg());
        fs::remove(prefix.systemReg());
        writeSettings(c.settings);
        start();
        errors.clear();
        EXPECT_EQ(kvl::app::hostStoreFound(), !c.opening) << c.settings;
        const QString message = errors.join('\n');
        if (c.opening) {
            EXPECT_TRUE(message.startsWith(c.opening + QString::fromStdString(prefix.path()))) << c.settings;
            EXPECT_TRUE(message.contains("WINEPREFIX=")) << c.settings;
        }
        EXPECT_EQ(errors.size(), c.opening ? 1 : 0) << message.toStdString();
        kvl::app::destroyWindows();
    }
}

} // namespace
} // namespace kvl::test
