#include "platform/error.h"
#include "platform/registry.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::kHostKeyWine;
using test::TempPrefix;

const std::string kHostKey = "\\SOFTWARE\\Varnel\\KVL 17.00\\QTRX";

class HiveRegistry : public testing::Test {
protected:
    void SetUp() override {
        prefix.addUserKey("Software\\\\Other", {"\"A\"=\"a\""});
        prefix.addUserKey(kHostKeyWine,
                          {"\"AviPath\"=str(2):\"%TEMP%\"",
                           "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\",
                           "  14,15,16", "\"MaxObj\"=dword:000003e8", ""});
        prefix.addUserKey("Software\\\\Zeta", {"\"Z\"=dword:00000001"});
        original = TempPrefix::readFile(prefix.userReg());
    }
    bool open(Access access = Access::AllAccess) {
        return registry.openKey(RootKey::CurrentUser, kHostKey, access, View::View64);
    }
    std::string hive() const { return TempPrefix::readFile(prefix.userReg()); }

    TempPrefix prefix;
    std::string original;
    Registry registry;
};

// The hive text with the host key's two time stamps blanked, to compare everything else.
std::string withoutHostTimes(const std::string &text) {
    static const std::regex header(R"((\[Software\\\\Varnel\\\\KVL 17\.00\\\\QTRX\]) \d+\n#time=[0-9a-f]+)");
    return std::regex_replace(text, header, "$1 T\n#time=T");
}

struct EditCase {
    const char *what;
    std::function<void(Registry &)> write;
    std::string oldLines;
    std::string newLines;
};

TEST_F(HiveRegistry, AWriteChangesOnlyItsValueAndTheKeysTimes) {
    const std::string blob =
        "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n  14,15,16\n";
    const std::vector<EditCase> cases = {
        {"integer in place", [](Registry &r) { r.writeInteger("MAXOBJ", 2500); },
         "\"MaxObj\"=dword:000003e8\n", "\"MaxObj\"=dword:000009c4\n"},
        {"expandable rewritten as plain string", [](Registry &r) { r.writeString("avipath", "%TEMP%"); },
         "\"AviPath\"=str(2):\"%TEMP%\"\n", "\"AviPath\"=\"%TEMP%\"\n"},
        {"lines of binary replaced wholly", [](Registry &r) { r.writeInteger("Blob", -1); }, blob,
         "\"Blob\"=dword:ffffffff\n"},
        {"new value at the end of the key",
         [](Registry &r) {
             r.writeString("LastANL", "C:\\\xe4"
                                      "b\"1\"");
         },
         "\"MaxObj\"=dword:000003e8\n",
         "\"MaxObj\"=dword:000003e8\n\"LastANL\"=\"C:\\\\\\x00e4b\\\"1\\\"\"\n"},
    };
    for (const EditCase &c : cases) {
        SCOPED_TRACE(c.what);
        TempPrefix::writeFile(prefix.userReg(), original);
        ASSERT_TRUE(open());
        c.write(registry);
        registry.closeKey();
        std::string expected = withoutHostTimes(original);
        expected.replace(expected.find(c.oldLines), c.oldLines.size(), c.newLines);
        const std::string written = hive();
        EXPECT_EQ(withoutHostTimes(written), expected);
        EXPECT_NE(written, original) << "time stamps renewed";
    }
}

TEST_F(HiveRegistry, ClosingWithoutWritingLeavesTheHiveAlone) {
    const auto before = fs::last_write_time(prefix.userReg());
    ASSERT_TRUE(open());
    EXPECT_EQ(registry.readInteger("MaxObj"), 1000);
    registry.closeKey();
    EXPECT_EQ(hive(), original);
    EXPECT_EQ(fs::last_write_time(prefix.userReg()), before);
}

TEST_F(HiveRegistry, KeepsTheHivesModeAndLeavesNoStrayFiles) {
    fs::permissions(prefix.userReg(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(open());
    registry.writeInteger("MaxObj", 1);
    registry.closeKey();
    EXPECT_EQ(fs::status(prefix.userReg()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    for (const auto &entry : fs::directory_iterator(prefix.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

TEST_F(HiveRegistry, AHiveReachedThroughALinkStaysALink) {
    fs::create_directory(prefix.path() + "/real");
    fs::rename(prefix.userReg(), prefix.path() + "/real/user.reg");
    fs::create_symlink("real/user.reg", prefix.userReg());
    ASSERT_TRUE(open());
    registry.writeInteger("MaxObj", 1);
    registry.closeKey();
    EXPECT_TRUE(fs::is_symlink(prefix.userReg()));
    EXPECT_NE(hive().find("\"MaxObj\"=dword:00000001\n"), std::string::npos);
}

TEST_F(HiveRegistry, AWriteProtectedHiveRefusesFullAccessAndWrites) {
    ASSERT_TRUE(open());
    fs::permissions(prefix.userReg(), fs::perms::owner_read | fs::perms::group_read);
    try {
        registry.writeInteger("MaxObj", 1);
        FAIL() << "write accepted";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'MaxObj'");
    }
    registry.closeKey();
    EXPECT_FALSE(open());
    EXPECT_TRUE(open(Access::Read));
    EXPECT_EQ(hive(), original);
}

TEST_F(HiveRegistry, AFailedStoreAtCloseIsReportedAndChangesNothing) {
    ASSERT_TRUE(open());
    registry.writeInteger("MaxObj", 1);
    registry.writeString("LastANL", "x");
    fs::permissions(prefix.userReg(), fs::perms::owner_read);
    try {
        registry.closeKey();
        FAIL() << "failure hidden";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'MaxObj'");
    }
    EXPECT_FALSE(registry.hasOpenKey());
    EXPECT_EQ(hive(), original);
}

TEST_F(HiveRegistry, WritesGoIntoTheHiveAsItIsWhenTheKeyCloses) {
    ASSERT_TRUE(open());
    registry.writeInteger("MaxObj", 7);
    // Wine saves its registry by replacing the file; what it saved meanwhile must survive.
    TempPrefix::writeFile(prefix.userReg() + ".new", original + "\n[Software\\\\Late] 1\n\"L\"=\"l\"\n");
    fs::rename(prefix.userReg() + ".new", prefix.userReg());
    registry.closeKey();
    const std::string written = hive();
    EXPECT_NE(written.find("[Software\\\\Late] 1\n\"L\"=\"l\"\n"), std::string::npos);
    EXPECT_NE(written.find("\"MaxObj\"=dword:00000007\n"), std::string::npos);
}

TEST_F(HiveRegistry, KeysWithOnlySubkeysExistAndGetASectionWhenWritten) {
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\KVL 17.00", Access::AllAccess,
                                 View::View64));
    EXPECT_EQ(registry.readString("Anything"), "");
    registry.writeInteger("Version", 17);
    registry.closeKey();
    const std::string written = hive();
    const std::size_t section = written.find("[Software\\\\Varnel\\\\KVL 17.00] ");
    ASSERT_NE(section, std::string::npos);
    EXPECT_LT(section, written.find(std::string("[") + kHostKeyWine));
    EXPECT_NE(written.find("#time=", section), std::string::npos);
    ASSERT_TRUE(
        registry.openKey(RootKey::CurrentUser, "software\\varnel\\kvl 17.00", Access::Read, View::Default));
    EXPECT_EQ(registry.readInteger("version"), 17);
    EXPECT_FALSE(registry.openKey(RootKey::CurrentUser, "Software\\Varn", Access::Read, View::Default));
}

TEST_F(HiveRegistry, HeadersOpenWhateverEscapesTheyUse) {
    prefix.addUserKey("Software\\\\\\x00dcml\\\\T\\[1\\]\\x41", {"\"V\"=dword:00000001"});
    prefix.addUserKey("Software\\\\\xc3\xa4\\101", {"\"V\"=dword:00000002"});
    struct Case {
        std::string path;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"software\\\xfcml\\t[1]a", true},
        {"SOFTWARE\\\xdcML\\T[1]A", true},
        {"Software\\\xfcml\\T[1]", false},
        {"Software\\\xfcml", true},
        {"software\\\xc4"
         "A",
         true},
        {"Software\\\xe4", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(registry.openKey(RootKey::CurrentUser, c.path, Access::Read, View::Default), c.opens);
    }
}

TEST_F(HiveRegistry, MissingPrefixOrHiveOpensNothing) {
    setenv("WINEPREFIX", (prefix.path() + "/nowhere").c_str(), 1);
    EXPECT_FALSE(open(Access::Read));
    setenv("WINEPREFIX", prefix.path().c_str(), 1);
    fs::remove(prefix.userReg());
    EXPECT_FALSE(open(Access::Read));
    EXPECT_FALSE(registry.openKey(RootKey::CurrentUser, "", Access::Read, View::Default));
}

// Of a value named twice, in one section of the key or in two, Wine reads the last line; a write goes
// there, and a new value into the last section, so that Wine then reads what was written.
TEST(HiveDuplicates, ReadAndWriteTheLinesWineReads) {
    const std::vector<std::pair<const char *, std::vector<std::vector<std::string>>>> cases = {
        {"twice in one section", {{"\"MaxObj\"=dword:000005dc", "\"MaxObj\"=dword:00000007"}}},
        {"in both sections", {{"\"MaxObj\"=dword:000005dc"}, {"\"MaxObj\"=dword:00000007"}}},
        {"in the first of two sections", {{"\"MaxObj\"=dword:00000007"}, {"\"Other\"=dword:00000001"}}},
    };
    for (const auto &[what, sections] : cases) {
        TempPrefix prefix;
        for (const auto &lines : sections)
            prefix.addUserKey(kHostKeyWine, lines);
        prefix.addUserKey("Software\\\\Zeta", {"\"MaxObj\"=dword:00000001"});
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64));
        EXPECT_EQ(registry.readInteger("MaxObj"), 7) << what;
        registry.writeInteger("MaxObj", 42);
        registry.writeString("New", "n");
        registry.closeKey();

        const std::string text = TempPrefix::readFile(prefix.userReg());
        const std::string zeta = text.substr(text.find("[Software\\\\Zeta]"));
        const std::string hostKey = text.substr(0, text.find("[Software\\\\Zeta]"));
        EXPECT_EQ(hostKey.substr(hostKey.rfind("\"MaxObj\"="), 23), "\"MaxObj\"=dword:0000002a") << what;
        EXPECT_GT(hostKey.find("\"New\"=\"n\""), hostKey.rfind('[')) << what << ": in the last section";
        EXPECT_NE(zeta.find("\"MaxObj\"=dword:00000001"), std::string::npos) << what;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64));
        EXPECT_EQ(registry.readInteger("MaxObj"), 42) << what;
    }
}

} // namespace
} // namespace kvl::platform
