// The Windows program's own files and its main window, on what Wine gives a Windows program.
#include <windows.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/windows.h"
#include "platform/system.h"
#include "platform/win32/registry_open.h"
#include "prefs/editor_preferences.h"
#include "widgets/message_box.h"
#include "windows_host.h"

namespace {

using kvl::test::WindowsHost;

TEST(ProgramOnWindows, KeepsItsSettingsBesideTheExecutableAndPathsInWindowsForm) {
    char executable[MAX_PATH];
    const std::string path(executable, GetModuleFileNameA(nullptr, executable, MAX_PATH));
    EXPECT_EQ(kvl::platform::executableFolder(), path.substr(0, path.find_last_of('\\') + 1));
    EXPECT_EQ(kvl::platform::preferencesFolder(), kvl::platform::executableFolder());
    EXPECT_EQ(kvl::platform::windowsPath("C:/Users/Jan/KVL17.reg"), "C:\\Users\\Jan\\KVL17.reg");
    EXPECT_EQ(kvl::platform::nativePath("C:\\KVL\\Demo.anl3"), "C:\\KVL\\Demo.anl3");
    EXPECT_TRUE(kvl::platform::drivePlaces().empty());
    EXPECT_FALSE(kvl::platform::hostStoreProblem());
}

TEST(ProgramOnWindows, SettingsSurviveARoundTripInAFolderWithAnUmlaut) {
    WindowsHost host;
    const std::string folder = host.folder() + "Gr\xfc\xdf" + "e\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    kvl::prefs::EditorPreferences preferences;
    preferences.language = "GER";
    preferences.lastSaveDir = " C:\\Exporte\\ ";
    preferences.showStart = 0;
    preferences.skinIndex = 1;
    const std::string ini = kvl::prefs::preferencesFilePath(folder);
    kvl::prefs::writeEditorPreferences(preferences, ini);
    EXPECT_EQ(kvl::prefs::readEditorPreferences(ini, "unused"), preferences);
}

class MainWindowOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        kvl::widgets::setErrorBoxDisplay(
            [this](QWidget *, const QString &, const QString &text) { errors << text; });
    }
    void TearDown() override {
        kvl::app::destroyWindows();
        kvl::widgets::setErrorBoxDisplay({});
    }
    WindowsHost host;
    QStringList errors;
};

TEST_F(MainWindowOnWindows, ShowsTheRegistryAndAppliesWhatTheUserChanges) {
    host.installComplete();
    host.setUserInteger("CtrlWindow", 1);
    host.setUserInteger("MaxObj", 1500);
    kvl::app::createWindows(ProgramLocations::of(host.folder(), host.folder()));
    Form1->show();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    auto *dock = Form1->findChild<QCheckBox *>("CBDock17");
    auto *maxObj = Form1->findChild<QLineEdit *>("EMaxObj17");
    ASSERT_TRUE(dock && maxObj);
    EXPECT_TRUE(dock->isChecked());
    EXPECT_EQ(maxObj->text(), "1500");
    EXPECT_EQ(Form1->findChild<QLineEdit *>("EPathAnl17")->text(), "C:\\KVL\\ANLPath");

    dock->click();
    maxObj->setText("2222");
    Form1->findChild<QAbstractButton *>("BApply17")->click();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(WindowsHost::userValue("CtrlWindow").bytes, std::string("\0\0\0\0", 4));
    EXPECT_EQ(WindowsHost::userValue("MaxObj").bytes, std::string("\xae\x08\0\0", 4));
}

// Keys under HKEY_LOCAL_MACHINE as a standard user finds them on Windows: readable, not writable.
LONG WINAPI asStandardUser(HKEY root, LPCSTR path, DWORD options, REGSAM rights, PHKEY key) {
    if (root == HKEY_LOCAL_MACHINE && (rights & ~(KEY_READ | KEY_WOW64_64KEY)) != 0)
        return ERROR_ACCESS_DENIED;
    return RegOpenKeyExA(root, path, options, rights, key);
}

TEST_F(MainWindowOnWindows, AStandardUserSeesThePageAndAppliesTheirOwnValues) {
    host.installComplete();
    host.setUserInteger("MaxObj", 1500);
    const auto real = kvl::platform::useRegistryOpen(&asStandardUser);
    kvl::app::createWindows(ProgramLocations::of(host.folder(), host.folder()));
    Form1->show();
    EXPECT_TRUE(Form1->settingsPageSelected());
    EXPECT_EQ(Form1->installDirectory() + "\\", host.folder());
    auto *maxObj = Form1->findChild<QLineEdit *>(QStringLiteral("EMaxObj17"));
    EXPECT_EQ(maxObj->text(), QStringLiteral("1500"));
    maxObj->setText(QStringLiteral("2222"));
    Form1->findChild<QAbstractButton *>(QStringLiteral("BApply17"))->click();
    kvl::platform::useRegistryOpen(real);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(WindowsHost::userValue("MaxObj").bytes, std::string("\xae\x08\0\0", 4));
}

} // namespace
