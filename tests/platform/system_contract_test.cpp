#include "platform/system.h"
#include "profile_fixture.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

using test::ContractFolder;

#ifdef _WIN32
const char *const kExecutable = "kvl_platform_contract.exe";
const char kSeparator = '\\';
#else
const char *const kExecutable = "kvl_platform_contract";
const char kSeparator = '/';
#endif

TEST(SystemContract, ExecutableFolderHoldsTheRunningProgram) {
    const auto folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kSeparator);
    EXPECT_TRUE(fileExists(nativeFile(folder + kExecutable)));
}

TEST(SystemContract, SettingsOfAWritableProgramStayBesideIt) {
    EXPECT_EQ(preferencesFolder(), executableFolder());
}

TEST(SystemContract, FileExistsOnlyForRegularFiles) {
    const ContractFolder folder;
    folder.write("present.ini", "x");
    folder.makeFolder("Folder");
    EXPECT_TRUE(fileExists(folder.file("present.ini")));
    EXPECT_FALSE(fileExists(folder.file("absent.ini")));
    EXPECT_FALSE(fileExists(folder.file("Folder")));
    EXPECT_FALSE(fileExists(hostFile("")));
    EXPECT_FALSE(fileExists(nativeFile("")));
}

TEST(SystemContract, PathsMapBothWaysToTheSameFile) {
    const ContractFolder folder;
    folder.write("present.ini", "x");
    const auto native = nativePath(folder.hostPath("present.ini"));
    const auto back = windowsPath(native);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(fileExists(hostFile(*back)));
    EXPECT_EQ(nativePath(*back), native);
}

} // namespace
} // namespace kvl::platform
