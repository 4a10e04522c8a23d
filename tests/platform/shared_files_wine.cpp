#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/wine/atomic_file.h"
#include "platform/wine/replaced_file.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <grp.h>
#include <random>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::TempPrefix;
// A shared installation: the files belong to their owner and to a group; another user of the group
// writes them.
constexpr uid_t kOwner = 4321;
constexpr gid_t kGroup = 4322;
constexpr uid_t kMember = 5001;
constexpr gid_t kMemberGroup = 5000;

// Runs the action as the member of the group in a child process; its exit code.
int runAsMember(const std::function<bool()> &action) {
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {kGroup};
        if (::setgroups(1, groups) != 0 || ::setgid(kMemberGroup) != 0 || ::setuid(kMember) != 0)
            ::_exit(2);
        ::_exit(action() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct stat statusOf(const std::string &path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
}

std::vector<std::string> entriesOf(const std::string &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SharedFile : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can set up files of other users";
        folder = prefix.driveC() + "/shared";
        fs::create_directory(folder);
        for (const std::string &shared : {prefix.path(), folder}) {
            ASSERT_EQ(::chown(shared.c_str(), kOwner, kGroup), 0);
            ASSERT_EQ(::chmod(shared.c_str(), 02775), 0);
        }
    }
    void share(const std::string &path) const {
        ASSERT_EQ(::chown(path.c_str(), kOwner, kGroup), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    }
    TempPrefix prefix;
    std::string folder;
};

// The owner can still write what a member of the group wrote: the file keeps its inode, owner, group
// and mode, through each way the program writes a file.
TEST_F(SharedFile, WrittenByAMemberOfItsGroupStaysItsOwners) {
    struct Case {
        const char *name;
        std::string content;
        std::function<bool(const std::string &path)> write;
        std::string expected;
    };
    const std::string hive =
        TempPrefix::readFile(prefix.userReg()) +
        "\n[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX] 1\n#time=1\n\"MaxObj\"=dword:000003e8\n";
    const std::vector<Case> cases = {
        {"profile file", "[deprecated_models_001]\r\nDefaultSetting=1\r\n",
         [](const std::string &) {
             return writeProfileString(hostFile("C:\\shared\\f.inf"), "deprecated_models_001",
                                       "DefaultSetting", "0");
         },
         "[deprecated_models_001]\r\nDefaultSetting=0\r\n"},
        {"hive", hive,
         [](const std::string &) {
             Registry registry;
             if (!registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\KVL 17.00\\QTRX",
                                   Access::AllAccess, View::Default))
                 return false;
             registry.writeInteger("MaxObj", 2500);
             registry.closeKey();
             return true;
         },
         "dword:000009c4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.name == std::string("hive") ? prefix.userReg() : folder + "/f.inf";
        TempPrefix::writeFile(path, c.content);
        share(path);
        const struct stat before = statusOf(path);
        ASSERT_EQ(runAsMember([&] { return c.write(path); }), 0);
        const struct stat after = statusOf(path);
        EXPECT_NE(TempPrefix::readFile(path).find(c.expected), std::string::npos);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_uid, kOwner);
        EXPECT_EQ(after.st_gid, kGroup);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"f.inf"}) << "no journal or temporary file left";
}

// The file a write is to be cut short in, and after how many of its bytes the writer dies.
ino_t cutFile = 0;
std::size_t cutAfter = 0;

ssize_t writeCutShort(int fd, const void *data, std::size_t size) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_ino != cutFile)
        return ::write(fd, data, size);
    if (::write(fd, data, std::min(size, cutAfter)) < 0 || size >= cutAfter)
        ::_exit(3); // as a kill would: nothing after this
    cutAfter -= size;
    return static_cast<ssize_t>(size);
}

// A member dying part way through writing the file itself leaves it torn on disk, yet every later read
// gets the old or the new content, and the file stays its owner's.
TEST_F(SharedFile, AnInPlaceWriteCutShortIsCompletedBeforeAnyRead) {
    const std::string path = folder + "/f.inf";
    const std::string before(3 << 20, 'o'), longer(4 << 20, 'n'), shorter(2 << 20, 's');
    struct Case {
        const std::string &after;
        std::size_t cutAfter;
    };
    for (const Case &c : {Case{longer, 0}, Case{longer, 1}, Case{longer, 3 << 20}, Case{longer, 4 << 20},
                          Case{shorter, 1 << 20}, Case{shorter, 2 << 20}}) {
        SCOPED_TRACE(std::to_string(c.after.size()) + " bytes cut after " + std::to_string(c.cutAfter));
        TempPrefix::writeFile(path, before);
        share(path);
        cutFile = statusOf(path).st_ino;
        cutAfter = c.cutAfter;
        EXPECT_EQ(runAsMember([&] {
                      ReplacedFile file(path, writeCutShort);
                      return file.write(c.after) && file.commit();
                  }),
                  3);
        const std::string raw = TempPrefix::readFile(path);
        const auto read = readWholeFile(path);
        EXPECT_TRUE(read == c.after || (c.cutAfter == 0 && read == before));
        EXPECT_TRUE(raw != c.after || c.cutAfter == c.after.size()) << "the write was not cut short";
        EXPECT_EQ(statusOf(path).st_uid, kOwner);
        EXPECT_FALSE(fs::exists(folder + "/.f.inf.kvl-journal"));
    }
}

class TemporaryFiles : public testing::Test {
protected:
    std::string file(const std::string &name) const { return prefix.driveC() + "/" + name; }
    TempPrefix prefix;
};

// What a killed write leaves goes with the next write of the same file, and nothing else does.
TEST_F(TemporaryFiles, LeftoversOfKilledWritesAreRemovedByTheNextWriteOfTheSameFile) {
    TempPrefix::writeFile(file("a.ini"), "[A]\r\nk=1\r\n");
    const pid_t child = ::fork();
    if (child == 0) {
        ReplacedFile killed(file("a.ini"));
        killed.write("half");
        ::_exit(0); // as a kill would: no commit, no clean-up
    }
    ::waitpid(child, nullptr, 0);
    const std::vector<std::string> kept = {".a.ini.backup",     ".a.ini.kvl-AbC12",  ".a.ini.kvl-Held12",
                                           ".b.ini.kvl-AbC123", ".a.ini.kvl-Dir123", ".a.ini.kvl-Lnk123"};
    for (const char *name : {".a.ini.backup", ".a.ini.kvl-AbC12", ".a.ini.kvl-Held12", ".b.ini.kvl-AbC123"})
        TempPrefix::writeFile(file(name), "not ours to remove");
    fs::create_directory(file(".a.ini.kvl-Dir123"));
    fs::create_symlink("a.ini", file(".a.ini.kvl-Lnk123"));
    // A write still under way holds its file.
    const int held = ::open(file(".a.ini.kvl-Held12").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_EQ(entriesOf(prefix.driveC()).size(), kept.size() + 2) << "the killed write left its file";

    ASSERT_TRUE(writeProfileString(hostFile("C:\\a.ini"), "A", "k", "2"));
    ::close(held);
    std::vector<std::string> expected = kept;
    expected.push_back("a.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entriesOf(prefix.driveC()), expected);
}

// A link is followed to its end only while each step stays with the link's owner, and only when it
// belongs to the owner of the folder it lies in (root's here): a target still to be created is the link
// owner's when its folder is.
TEST_F(TemporaryFiles, LinksAreFollowedOnlyToTheirOwnersFiles) {
    struct Case {
        const char *name;
        uid_t linkOwner;
        uid_t targetOwner;
        bool targetExists;
        bool written;
    };
    const uid_t self = ::geteuid();
    std::vector<Case> cases = {{"OwnFile", self, self, true, true}, {"OwnFolder", self, self, false, true}};
    if (self == 0)
        cases.insert(cases.end(), {{"OthersLinkToRootsFile", kOwner, 0, true, false},
                                   {"RootsLinkToOthersFile", 0, kOwner, true, false},
                                   {"OthersLinkToTheirFile", kOwner, kOwner, true, false},
                                   {"RootsLinkIntoOthersFolder", 0, kOwner, false, false}});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = file(c.name);
        fs::create_directory(folder);
        ASSERT_EQ(::chown(folder.c_str(), c.targetOwner, c.targetOwner), 0);
        if (c.targetExists) {
            TempPrefix::writeFile(folder + "/target.ini", "old");
            ASSERT_EQ(::chown((folder + "/target.ini").c_str(), c.targetOwner, c.targetOwner), 0);
        }
        const std::string link = file(std::string(c.name) + ".ini");
        fs::create_symlink(std::string(c.name) + "/target.ini", link);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        EXPECT_EQ(replaceFileAtomically(link, "new"), c.written);
        EXPECT_TRUE(fs::is_symlink(link));
        const std::string target = folder + "/target.ini";
        EXPECT_EQ(TempPrefix::readFile(target), c.written ? "new" : c.targetExists ? "old" : "");
        if (c.written) {
            EXPECT_EQ(statusOf(target).st_uid, c.targetOwner);
        }
    }
}

} // namespace
} // namespace kvl::platform
