#include "platform/profile.h"
#include "platform/system.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::TempPrefix;

// A prefix with a few real folders; "Müll" is stored in UTF-8 as Linux names are.
class DrivePaths : public testing::Test {
protected:
    DrivePaths() {
        fs::create_directories(prefix.driveC() + "/Program Files/KVL");
        fs::create_directories(prefix.driveC() + "/M\xc3\x9cLL");
        TempPrefix::writeFile(prefix.driveC() + "/Program Files/KVL/Readme.TXT", "x");
        fs::create_directory_symlink("../drive_c/Program Files", prefix.path() + "/dosdevices/d:");
    }
    std::string drive(const std::string &letterAndRest) const {
        return prefix.path() + "/dosdevices/" + letterAndRest;
    }
    TempPrefix prefix;
};

TEST_F(DrivePaths, NativePathResolvesEachComponentIgnoringCase) {
    const struct {
        std::string windows;
        std::string native;
    } cases[] = {
        {"C:\\program files\\kvl\\readme.txt", drive("c:/Program Files/KVL/Readme.TXT")},
        {"c:/PROGRAM FILES/Kvl/", drive("c:/Program Files/KVL/")},
        {"\\Program Files\\KVL", drive("c:/Program Files/KVL")},
        {"Program Files\\new.ini", drive("c:/Program Files/new.ini")},
        {"C:\\Program Files\\missing\\kvl\\x.ini", drive("c:/Program Files/missing/kvl/x.ini")},
        {"C:\\x\\..\\..\\program files\\.\\kvl", drive("c:/Program Files/KVL")},
        {"C:\\m\xfcll\\a.ini", drive("c:/M\xc3\x9cLL/a.ini")},
        {"D:\\kvl", drive("d:/KVL")},
        {"Z:\\tmp", drive("z:/tmp")},
        {"C:", drive("c:")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nativePath(c.windows), c.native) << c.windows;
}

// A text of the host's world is a Windows path whatever it begins with: "/kvl" is on drive C:, never
// the Linux root; only native paths are taken as they stand.
TEST_F(DrivePaths, HostFilesStayInThePrefixEvenWhenTheyBeginWithASlash) {
    const std::string outside = prefix.path() + "-outside";
    fs::create_directory(outside);
    fs::create_directories(prefix.driveC() + outside);
    ASSERT_TRUE(writeProfileString(hostFile(outside + "\\a.ini"), "A", "k", "host"));
    ASSERT_TRUE(writeProfileString(nativeFile(outside + "/b.ini"), "A", "k", "native"));
    EXPECT_FALSE(fs::exists(outside + "/a.ini"));
    EXPECT_TRUE(fs::exists(outside + "/b.ini"));
    EXPECT_EQ(TempPrefix::readFile(prefix.driveC() + outside + "/a.ini"), "[A]\r\nk=host\r\n");
    EXPECT_TRUE(fileExists(hostFile(outside + "\\a.ini")));
    EXPECT_FALSE(fileExists(hostFile(outside + "/b.ini")));
    fs::remove_all(outside);
}

TEST_F(DrivePaths, NetworkPathsNameNothing) {
    for (const char *path : {"\\\\server\\share\\x.ini", "//server/share/x.ini"}) {
        const auto native = nativePath(path);
        EXPECT_FALSE(fs::exists(native)) << path << " -> " << native;
        EXPECT_FALSE(fileExists(hostFile(path)));
    }
}

TEST_F(DrivePaths, WindowsPathTakesLongestDriveAndRootLast) {
    const struct {
        std::string native;
        std::optional<std::string> windows;
    } cases[] = {
        {prefix.driveC() + "/Program Files/KVL/Readme.TXT", "D:\\KVL\\Readme.TXT"},
        {prefix.driveC() + "/M\xc3\x9cLL/new.ini", "C:\\M\xdcLL\\new.ini"},
        {prefix.driveC(), "C:\\"},
        {prefix.driveC() + "/", "C:\\"},
        {drive("c:/Program Files/"), "D:\\"},
        {"/tmp/kvl-none/x.ini", "Z:\\tmp\\kvl-none\\x.ini"},
        {"/", "Z:\\"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(windowsPath(c.native), c.windows) << c.native;
}

TEST_F(DrivePaths, WithoutRootDriveOutsidePathsHaveNoWindowsPath) {
    fs::remove(prefix.path() + "/dosdevices/z:");
    EXPECT_EQ(windowsPath("/tmp/x.ini"), std::nullopt);
    EXPECT_EQ(windowsPath(prefix.driveC() + "/x.ini"), "C:\\x.ini");
}

TEST_F(DrivePaths, DrivePlacesAreTheLinksThatReachAFolderByLetter) {
    const std::string dosdevices = prefix.path() + "/dosdevices/";
    fs::create_directory_symlink("/nonexistent/kvl", dosdevices + "e:"); // dangling
    fs::create_symlink("../drive_c/Program Files/KVL/Readme.TXT", dosdevices + "f:");
    fs::create_symlink("/dev/null", dosdevices + "c::"); // Wine's raw device of drive C:
    fs::create_symlink("/dev/null", dosdevices + "com1");
    fs::create_directory_symlink("../drive_c", dosdevices + "Y:");
    std::vector<std::pair<char, std::string>> places;
    for (const DrivePlace &place : drivePlaces())
        places.emplace_back(place.letter, place.folder);
    const std::vector<std::pair<char, std::string>> expected = {
        {'C', drive("c:")}, {'D', drive("d:")}, {'Y', drive("Y:")}, {'Z', drive("z:")}};
    EXPECT_EQ(places, expected);
}

TEST_F(DrivePaths, NoDrivePlacesWithoutDosdevices) {
    fs::remove_all(prefix.path() + "/dosdevices");
    EXPECT_TRUE(drivePlaces().empty());
}

TEST(ExecutableFolder, IsTheFolderOfTheRunningProgram) {
    EXPECT_EQ(executableFolder(), fs::read_symlink("/proc/self/exe").parent_path().string() + "/");
}

} // namespace
} // namespace kvl::platform
