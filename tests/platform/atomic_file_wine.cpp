#include "platform/wine/atomic_file.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::TempPrefix;

class AtomicFile : public testing::Test {
protected:
    std::string file(const std::string &name) const { return folder.driveC() + "/" + name; }
    std::size_t entries() const {
        return std::distance(fs::directory_iterator(folder.driveC()), fs::directory_iterator());
    }
    TempPrefix folder;
};

TEST_F(AtomicFile, ReplacesContentAndKeepsMode) {
    TempPrefix::writeFile(file("a.ini"), "old");
    fs::permissions(file("a.ini"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(replaceFileAtomically(file("a.ini"), "new"));
    EXPECT_EQ(TempPrefix::readFile(file("a.ini")), "new");
    EXPECT_EQ(fs::status(file("a.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 1u) << "no temporary file left behind";
}

TEST_F(AtomicFile, ReplacedFileKeepsItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
    TempPrefix::writeFile(file("a.ini"), "old");
    ASSERT_EQ(::chown(file("a.ini").c_str(), 4321, 4322), 0);
    ASSERT_TRUE(replaceFileAtomically(file("a.ini"), "new"));
    struct stat info {};
    ASSERT_EQ(::stat(file("a.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST_F(AtomicFile, LinkStaysALink) {
    TempPrefix::writeFile(file("target.ini"), "old");
    fs::create_symlink("target.ini", file("link.ini"));
    ASSERT_TRUE(replaceFileAtomically(file("link.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(file("link.ini")));
    EXPECT_EQ(TempPrefix::readFile(file("target.ini")), "new");
}

TEST_F(AtomicFile, RefusalsLeaveEverythingAsItWas) {
    TempPrefix::writeFile(file("ro.ini"), "old");
    fs::permissions(file("ro.ini"), fs::perms::owner_read);
    fs::create_directory(file("dir.ini"));
    EXPECT_FALSE(replaceFileAtomically(file("ro.ini"), "new"));
    EXPECT_FALSE(replaceFileAtomically(file("dir.ini"), "new"));
    EXPECT_FALSE(replaceFileAtomically(file("missing/a.ini"), "new"));
    EXPECT_FALSE(replaceFileAtomically("", "new"));
    EXPECT_EQ(TempPrefix::readFile(file("ro.ini")), "old");
    EXPECT_TRUE(fs::is_directory(file("dir.ini")));
    EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicFile, WriteProtectedFolderRefusesNewAndExistingFiles) {
    TempPrefix::writeFile(file("a.ini"), "old");
    fs::permissions(folder.driveC(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(replaceFileAtomically(file("a.ini"), "new"));
    EXPECT_FALSE(replaceFileAtomically(file("b.ini"), "new"));
    fs::permissions(folder.driveC(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(TempPrefix::readFile(file("a.ini")), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFile, ReadsOnlyRegularFiles) {
    TempPrefix::writeFile(file("a.ini"), std::string("a\0b", 3));
    EXPECT_EQ(readWholeFile(file("a.ini")), std::string("a\0b", 3));
    EXPECT_EQ(readWholeFile(folder.driveC()), std::nullopt);
    EXPECT_EQ(readWholeFile(file("none")), std::nullopt);
}

} // namespace
} // namespace kvl::platform
