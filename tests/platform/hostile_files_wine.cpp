#include "platform/error.h"
#include "platform/output_file.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "support/process_memory.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::peakResidentKb;
using test::TempPrefix;

constexpr uid_t kOtherUser = 65534;
const std::string kHostKey = "Software\\Varnel\\KVL 17.00\\QTRX";

void makeFifo(const std::string &path, const std::string &) { ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0); }

void makeSocket(const std::string &path, const std::string &) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd); // the socket file stays
}

void makeDevice(const std::string &path, const std::string &) { fs::create_symlink("/dev/zero", path); }

void makeFolder(const std::string &path, const std::string &) { fs::create_directory(path); }

void makeLinkLoop(const std::string &path, const std::string &) {
    fs::create_symlink(fs::path(path).filename().string() + ".loop", path);
    fs::create_symlink(fs::path(path).filename(), path + ".loop");
}

// A link to a file of another user that holds what the file in its place would hold (a hive with the
// host key, a profile file with a value), so that only the link rule can stop the write.
void makeLinkToOtherUsersFile(const std::string &path, const std::string &content) {
    const std::string victim = path + ".victim";
    TempPrefix::writeFile(victim, content);
    ASSERT_EQ(::chown(victim.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
    fs::create_symlink(victim, path);
}

// A gigabyte that takes no room: a header, then a hole of NUL bytes.
void makeSparseGigabyte(const std::string &path, const std::string &content) {
    std::ofstream(path, std::ios::binary) << content.substr(0, content.find('\n') + 1);
    fs::resize_file(path, 1ull << 30);
}

// Eight gigabytes that take no room: the content, then a hole. Read whole, it would not fit in memory.
void makeSparseEightGigabytes(const std::string &path, const std::string &content) {
    std::ofstream(path, std::ios::binary) << content;
    fs::resize_file(path, 8ull << 30);
}

// What the folder entry is and holds, to tell that nothing changed it.
std::string fingerprint(const std::string &path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return "missing";
    std::string print = std::to_string(status.st_mode) + ":" + std::to_string(status.st_size);
    std::error_code error;
    if (S_ISLNK(status.st_mode))
        print += ":" + fs::read_symlink(path, error).string() + ":" + fingerprint(path + ".victim");
    else if (S_ISREG(status.st_mode) && status.st_size < (1 << 20))
        print += ":" + TempPrefix::readFile(path);
    return print;
}

struct HostileFile {
    const char *name;
    void (*make)(const std::string &path, const std::string &content);
    bool hiveReportedBroken; // else the key does not open, without a word
    std::string profileRead; // what a read of the profile file gives, "dflt" being the default
    bool needsRoot = false;
    bool hiveOnly = false;
};

class HostileFiles : public testing::TestWithParam<HostileFile> {
protected:
    void SetUp() override {
        if (GetParam().needsRoot && ::geteuid() != 0)
            GTEST_SKIP() << "only root can make a file of another user";
        ::alarm(60); // a read or write that blocks ends the test instead of hanging it
    }
    void TearDown() override { ::alarm(0); }
    TempPrefix prefix;
};

// Every kind of file in the place of a hive or a profile file (user.reg, system.reg, the filter file,
// settings.ini): nothing blocks, nothing is written through it, the entry stays as it was, and a hive
// that is there but cannot be read is named rather than taken for a missing key.
TEST_P(HostileFiles, AreRefusedWithoutWaitingAndLeftAsTheyWere) {
    const HostileFile &file = GetParam();
    const std::string hive = prefix.userReg();
    fs::remove(hive);
    const std::string validHive =
        "WINE REGISTRY Version 2\n\n[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX] 1\n\"MaxObj\"=dword:000003e8\n";
    file.make(hive, validHive);
    const std::string hiveBefore = fingerprint(hive);
    const long memoryBefore = peakResidentKb();
    try {
        Registry registry;
        EXPECT_FALSE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64));
        EXPECT_FALSE(file.hiveReportedBroken) << "no error";
    } catch (const TranslatedError &error) {
        EXPECT_TRUE(file.hiveReportedBroken) << error.what();
        EXPECT_EQ(error.reason(), TranslatedError::Reason::BrokenHive);
        EXPECT_EQ(error.subject(), hive);
    }
    // Reading stops at the first megabyte that holds a NUL byte, which no hive has.
    EXPECT_LT(peakResidentKb() - memoryBefore, 16 * 1024) << "kB more than before the open";
    EXPECT_EQ(fingerprint(hive), hiveBefore);
    if (file.hiveOnly)
        return;

    const std::string ini = prefix.driveC() + "/x.ini";
    file.make(ini, "[A]\r\nk=theirs\r\n");
    const std::string iniBefore = fingerprint(ini);
    EXPECT_EQ(readProfileString(hostFile("C:\\x.ini"), "A", "k", "dflt"), file.profileRead);
    EXPECT_FALSE(writeProfileString(hostFile("C:\\x.ini"), "A", "k", "ours"));
    EXPECT_EQ(fingerprint(ini), iniBefore);
}

// Debian's Wine names the folder of a prefix's server in the file "wineserver"; every load asks for it.
TEST(HostileFile, AFifoForTheServersNameHoldsNothingUp) {
    TempPrefix prefix;
    prefix.addUserKey(test::kHostKeyWine, {"\"MaxObj\"=dword:000003e8"});
    ASSERT_EQ(::mkfifo((prefix.path() + "/wineserver").c_str(), 0666), 0);
    ::alarm(60);
    Registry registry;
    EXPECT_TRUE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64));
    ::alarm(0);
}

// Profile files of many megabytes are read in one pass through a small buffer, whatever their lines.
TEST(HostileFile, HugeProfileFilesCostNoMoreMemoryThanTheirValue) {
    TempPrefix prefix;
    const std::string ini = prefix.driveC() + "/big.ini";
    constexpr std::size_t kSize = 20u << 20;
    const std::string longValue = "[A]\r\nk=" + std::string(kSize, 'v') + "\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(kSize, '\n') + "[A]\r\nk=found\r\n", "found"},
        {std::string(kSize / 2, '\r') + std::string(kSize / 2, '\n') + "[A]\r\nk=found\r\n", "found"},
        {"[A]\r\n" + std::string(kSize, 'x') + "\r\nk=found\r\n", "found"},
        {"[B]" + std::string(kSize, ']') + "\r\n[A]\r\nk=found", "found"},
        {longValue, std::string(2047, 'v')},
    };
    for (const auto &[content, expected] : cases) {
        TempPrefix::writeFile(ini, content);
        const long memoryBefore = peakResidentKb();
        EXPECT_EQ(readProfileString(hostFile("C:\\big.ini"), "A", "k", "dflt"), expected);
        EXPECT_LT(peakResidentKb() - memoryBefore, 4 * 1024) << "kB more for " << content.substr(0, 8);
    }
}

// A link to a folder anywhere on the written path: followed only when it belongs to the owner of the folder
// it lies in and leads to its own owner's folder, by the profile writer and the export alike.
TEST(HostileFile, LinksToFoldersOnTheWayLeadOnlyToTheirOwnersFiles) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make links and folders of another user";
    struct Case {
        const char *name;
        uid_t linkOwner;
        uid_t folderOwner;
        bool written;
    };
    const std::vector<Case> cases = {
        {"the prefix owner's link to another user's folder", 0, kOtherUser, false},
        {"another user's link in the prefix owner's folder", kOtherUser, kOtherUser, false},
        {"the prefix owner's link to their own folder", 0, 0, true},
    };
    for (const Case &c : cases) {
        TempPrefix prefix;
        const std::string folder = prefix.path() + "/elsewhere";
        const std::string secret = folder + "/x.ini";
        fs::create_directory(folder);
        TempPrefix::writeFile(secret, "[A]\r\nk=theirs\r\n");
        ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
        ASSERT_EQ(::chown(secret.c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chown(folder.c_str(), c.folderOwner, c.folderOwner), 0);
        const std::string link = prefix.driveC() + "/Filters";
        fs::create_symlink(folder, link);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);

        EXPECT_EQ(writeProfileString(hostFile("C:\\Filters\\x.ini"), "A", "k", "ours"), c.written) << c.name;
        EXPECT_EQ(TempPrefix::readFile(secret).find("ours") != std::string::npos, c.written) << c.name;
        OutputFile exported(link + "/x.reg");
        EXPECT_EQ(exported.write("REGEDIT4\r\n") && exported.commit(), c.written) << c.name;
        EXPECT_EQ(exported.error(), c.written ? 0ul : 5ul) << c.name;
        EXPECT_EQ(fs::exists(folder + "/x.reg"), c.written) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HostileFiles,
    testing::Values(
        HostileFile{"Fifo", makeFifo, true, "dflt"}, HostileFile{"Socket", makeSocket, true, "dflt"},
        HostileFile{"Device", makeDevice, true, "dflt"}, HostileFile{"Folder", makeFolder, true, "dflt"},
        HostileFile{"LinkLoop", makeLinkLoop, true, "dflt"},
        // Reading follows the link as any read does; only writing through it is refused.
        HostileFile{"LinkToOtherUsersFile", makeLinkToOtherUsersFile, false, "theirs", true},
        HostileFile{"SparseGigabyteHive", makeSparseGigabyte, true, "dflt", false, true},
        // Beyond the size limit a profile file reads as missing, although its key is at the start.
        HostileFile{"SparseEightGigabytes", makeSparseEightGigabytes, true, "dflt"}),
    [](const auto &instance) { return std::string(instance.param.name); });

} // namespace
} // namespace kvl::platform
