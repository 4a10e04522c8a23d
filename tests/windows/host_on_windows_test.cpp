// Load, Apply and the export of the host settings through the Win32 functions, on the registry and
// files Wine gives a Windows program.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/fake_host_page.h"
#include "host/load_apply.h"
#include "host/registry_export.h"
#include "platform/error.h"
#include "support/file_content.h"
#include "windows_host.h"

namespace kvl::host {
namespace {

using kvl::test::WindowsHost;
using test::FakeHostPage;

std::string dword(DWORD value) { return std::string(reinterpret_cast<const char *>(&value), sizeof value); }
std::string sz(const std::string &text) { return text + '\0'; }

class HostOnWindows : public ::testing::Test {
protected:
    void load() { loadHostSettings(page, {firstLoad, interfaceLanguage, hostLanguageCode}); }
    template <typename Call> std::string errorOf(Call call) {
        try {
            call();
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }

    WindowsHost host;
    FakeHostPage page;
    bool firstLoad = true;
    std::string interfaceLanguage = "ENG";
    std::string hostLanguageCode;
};

TEST_F(HostOnWindows, LoadShowsWhatTheRegistryAndTheFilterFileHold) {
    host.installComplete("GER");
    host.setUserInteger("CtrlWindow", 1);
    host.setUserString("ANLPath", "C:\\Anlagen");
    host.setUserInteger("MaxObj", 0x10000);
    host.writeFilter("0");
    load();
    EXPECT_EQ(page.install, host.folder().substr(0, host.folder().size() - 1));
    EXPECT_EQ(page.languageName, "German");
    EXPECT_TRUE(page.flag(Flag::Dock));
    EXPECT_EQ(page.pathText(PathField::LayoutFolder), "C:\\Anlagen");
    EXPECT_EQ(page.maxObj, "4096");
    EXPECT_TRUE(page.flag(Flag::ShowAlwaysDeprecated));
}

TEST_F(HostOnWindows, ApplyStoresEachValueWithItsType) {
    host.installComplete();
    load();
    page.click(Flag::AutoSave, true);
    page.choose(PathField::MediaFolder, "D:\\Medien \xe4");
    page.type("2222");
    page.click(Flag::ShowAlwaysDeprecated, true);
    page.clickReset(PathField::LastLayout, true);
    ASSERT_EQ(errorOf([&] { applyHostSettings(page); }), "");
    const std::pair<const char *, WindowsHost::Stored> expected[] = {
        {"CtrlWindow", {REG_DWORD, dword(0)}},        {"AutoSaveDLG", {REG_DWORD, dword(1)}},
        {"HideOldMdl", {REG_DWORD, dword(0)}},        {"LastANL", {REG_SZ, sz("")}},
        {"AviPath", {REG_SZ, sz("D:\\Medien \xe4")}}, {"MaxObj", {REG_DWORD, dword(2222)}},
    };
    for (const auto &[name, value] : expected) {
        const WindowsHost::Stored stored = WindowsHost::userValue(name);
        EXPECT_EQ(stored.type, value.type) << name;
        EXPECT_EQ(stored.bytes, value.bytes) << name;
    }
    EXPECT_NE(kvl::test::readFile(host.filterFile()).find("DefaultSetting=0"), std::string::npos);
}

TEST_F(HostOnWindows, ExportWritesTheFileOrLeavesTheOldOneAsItWas) {
    page.install = "C:\\KVL";
    page.choose(PathField::LuaEditor, "C:\\Tools\\edit.exe");
    const std::string target = host.folder() + "KVL17.reg";
    ASSERT_EQ(errorOf([&] { exportRegistryFile(page, target); }), "");
    const std::string exported = kvl::test::readFile(target);
    EXPECT_TRUE(
        exported.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE"));
    EXPECT_NE(exported.find("\"LuaExtEd\"=\"C:\\\\Tools\\\\edit.exe\"\r\n"), std::string::npos);

    CreateDirectoryA((host.folder() + "folder.reg").c_str(), nullptr);
    kvl::test::writeFile(host.folder() + "locked.reg", "previous export");
    SetFileAttributesA((host.folder() + "locked.reg").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::pair<std::string, const char *> failures[] = {
        {host.folder() + "missing\\KVL17.reg", "Invalid filename"},
        {host.folder() + "folder.reg", "File access denied"},
        {host.folder() + "locked.reg", "File access denied"},
    };
    for (const auto &[path, message] : failures)
        EXPECT_EQ(errorOf([&] { exportRegistryFile(page, path); }), message) << path;
    EXPECT_EQ(kvl::test::readFile(host.folder() + "locked.reg"), "previous export");
    SetFileAttributesA((host.folder() + "locked.reg").c_str(), FILE_ATTRIBUTE_NORMAL);

    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((host.folder() + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

} // namespace
} // namespace kvl::host
