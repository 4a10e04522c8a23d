// Where the Windows program keeps settings.ini: beside itself where it may make files, else in the
// user's roaming application data, as installed Windows programs do.
#include <windows.h>

#include <cstdlib>
#include <optional>

#include <QStringList>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/windows.h"
#include "platform/win32/preferences_folder.h"
#include "support/file_content.h"
#include "support/scoped_variable.h"
#include "widgets/message_box.h"
#include "windows_host.h"

namespace {

using kvl::platform::preferencesFolderFor;
using kvl::test::ScopedVariable;

// Linux's /sys refuses new files even to root, with the ERROR_ACCESS_DENIED that Program Files gives
// a standard user; Wine shows it as Z:\sys\.
const std::string kReadOnlyFolder = "Z:\\sys\\";
const std::string kOwnFolder = "KVL-17+ Settings Editor\\";

bool folderExists(const std::string &folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(PreferencesFolderOnWindows, BesideAWritableProgramElseInTheRoamingFolder) {
    const kvl::test::WindowsHost scratch;
    const std::string session = std::getenv("APPDATA");
    const std::string roaming = scratch.folder() + "Roaming";
    struct Case {
        const char *what;
        std::string program;
        std::optional<std::string> appData;
        std::string expected;
    };
    const Case cases[] = {
        {"writable", scratch.folder(), roaming, scratch.folder()},
        {"read-only", kReadOnlyFolder, roaming, roaming + "\\" + kOwnFolder},
        {"missing", scratch.folder() + "gone\\", roaming + "\\", roaming + "\\" + kOwnFolder},
        {"no %APPDATA%", kReadOnlyFolder, std::nullopt, session + "\\" + kOwnFolder},
    };
    for (const Case &c : cases) {
        const ScopedVariable appData("APPDATA", c.appData);
        EXPECT_EQ(preferencesFolderFor(c.program), c.expected) << c.what;
        EXPECT_FALSE(folderExists(roaming)) << c.what << ": made before anything is written";
    }
    // Nothing of the probe stays behind.
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((scratch.folder() + ".kvl-probe*").c_str(), &found), INVALID_HANDLE_VALUE);
}

TEST(PreferencesFolderOnWindows, TheExitMakesTheRoamingFolderAndWritesThere) {
    kvl::test::WindowsHost host;
    host.installComplete();
    const std::string roaming = host.folder() + "Roaming";
    const ScopedVariable appData("APPDATA", roaming);
    QStringList errors;
    kvl::widgets::setErrorBoxDisplay(
        [&](QWidget *, const QString &, const QString &text) { errors << text; });
    kvl::app::createWindows(ProgramLocations::of(kReadOnlyFolder, preferencesFolderFor(kReadOnlyFolder)));
    kvl::app::state().preferences.closeConfirmOn = 0;
    Form1->BCloseClick();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('|')).toStdString();
    const std::string settings = kvl::test::readFile(roaming + "\\" + kOwnFolder + "settings.ini");
    EXPECT_TRUE(settings.starts_with("[User]\r\nLanguage=ENG\r\nLastSaveDir=\"C:\\")) << settings;
    kvl::app::destroyWindows();
    kvl::widgets::setErrorBoxDisplay({});
}

} // namespace
