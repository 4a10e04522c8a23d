#include "hive/peer/wine_peer_prefix.h"
#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/prefixes.h"
#include "platform/registry.h"
#include "platform/wine/hive_scan.h"
#include "platform/wine/host_key_scan.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvl::platform {
namespace {

namespace fs = std::filesystem;
using test::TempPrefix;
using test::WinePeerPrefix;

const std::string kKey = "Software\\KvlPeer";
// Texts as `wine reg add` receives them on its (UTF-8) command line.
const std::string kText = "a \"q\" b\\c \xc3\xa4 \xc3\x9f \xe2\x82\xac %VAR%";
const std::string kExpandable = "C:\\x\\%USERPROFILE%\\\xc3\xa4";
// Characters without a code page 1252 form: U+0100, U+0111, a full-width "A", U+263A and U+1F600.
const std::string kBestFit = "\xc4\x80\xc4\x91 \xef\xbc\xa1\xe2\x98\xba\xf0\x9f\x98\x80";

const std::string kHostFolder = "C:\\Program Files\\KVL \xc3\xa4";

// One prefix for the whole suite: wineboot takes seconds.
class WinePeer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = WinePeerPrefix::make(
            addValue("Sz", "REG_SZ", kText) + " && " + addValue("Ex", "REG_EXPAND_SZ", kExpandable) + " && " +
            addValue("Dw", "REG_DWORD", "1000") + " && " +
            addValue("Bin", "REG_BINARY", "0102030405060708090a0b0c0d0e0f101112131415161718191a") + " && " +
            addValue("Multi", "REG_MULTI_SZ", "one\\0two") + " && " + addValue("Fit", "REG_SZ", kBestFit) +
            " && wine reg add 'HKLM\\Software\\Varnel\\KVL 17.00\\QTRX' /v Directory /t REG_SZ /d '" +
            kHostFolder + "' /f");
    }
    static void TearDownTestSuite() { prefix_.reset(); }
    void SetUp() override {
        if (!prefix_)
            GTEST_SKIP() << "wine and wineboot are needed for the peer checks with Wine's own tools";
        wine("wineserver -k"); // it would write its own copy of the hives back over ours
        setenv("WINEPREFIX", prefix_->path().c_str(), 1);
    }

    static bool wine(const std::string &command) { return prefix_->run(command); }
    static std::string addValue(const std::string &name, const std::string &type, const std::string &data) {
        return "wine reg add 'HKCU\\Software\\KvlPeer' /v " + name + " /t " + type + " /d '" + data + "' /f";
    }
    std::string hive(const char *name) const { return prefix_->file(name); }

    static std::unique_ptr<WinePeerPrefix> prefix_;
};
std::unique_ptr<WinePeerPrefix> WinePeer::prefix_;

TEST_F(WinePeer, AFreshPrefixParsesAndStaysByteIdenticalWhenOnlyRead) {
    const std::string system = hive("system.reg");
    const std::string user = hive("user.reg");
    EXPECT_TRUE(scanHive(system, u"").valid);
    EXPECT_TRUE(scanHive(user, u"").valid);
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::LocalMachine,
                                     "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", Access::AllAccess,
                                     View::View64));
        EXPECT_FALSE(registry.readString("ProductName").empty());
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kKey, Access::AllAccess, View::View64));
        registry.readString("Sz");
    }
    EXPECT_EQ(hive("system.reg"), system);
    EXPECT_EQ(hive("user.reg"), user);
}

// The host's install key as Wine's own tool stored it, found in a fresh hive of Wine's size among a home's
// prefixes; the same prefix without it holds no host.
TEST_F(WinePeer, DiscoveryFindsTheHostKeyWineWrote) {
    const TempPrefix home;
    fs::create_directories(home.path() + "/.local/share/wineprefixes");
    fs::create_directory_symlink(prefix_->path(), home.path() + "/.local/share/wineprefixes/kvl");
    const auto found = discoverPrefixes(home.path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "kvl");
    EXPECT_TRUE(found[0].holdsHost);
    EXPECT_EQ(found[0].hostFolder, kHostFolder);
    std::string withoutHost = hive("system.reg");
    const std::size_t section = withoutHost.find("[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX]");
    ASSERT_NE(section, std::string::npos);
    withoutHost.replace(section + 1, 8, "Software2");
    TempPrefix::writeFile(home.path() + "/system.reg", withoutHost);
    EXPECT_EQ(hostFolderInHive(home.path() + "/system.reg"), std::nullopt);
}

TEST_F(WinePeer, ReadsWhatWineRegAddWroteAsWindowsWould) {
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kKey, Access::Read, View::Default));
    EXPECT_EQ(registry.readString("Sz"), utf8ToCp1252(kText));
    EXPECT_EQ(registry.readString("Ex"), utf8ToCp1252(kExpandable));
    EXPECT_EQ(registry.readInteger("Dw"), 1000);
    EXPECT_EQ(registry.readString("Fit"), "Ad A???"); // as RegQueryValueExA gives it under Wine
    struct Refusal {
        const char *name;
        bool asText;
        std::string error;
    };
    const std::vector<Refusal> refusals = {
        {"Bin", true, "Invalid data type for 'Bin'"},   {"Multi", true, "Invalid data type for 'Multi'"},
        {"Bin", false, "Failed to get data for 'Bin'"}, {"Sz", false, "Failed to get data for 'Sz'"},
        {"Dw", true, "Invalid data type for 'Dw'"},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.name);
        try {
            r.asText ? (void)registry.readString(r.name) : (void)registry.readInteger(r.name);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.what(), r.error);
        }
    }
}

TEST_F(WinePeer, WineReadsBackWhatWeWrote) {
    const std::string text = "C:\\Programme\\\xe4\xdf\x80\\\"Lua\" %EDITOR%\t1";
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, "\\" + kKey, Access::AllAccess, View::Default));
        registry.writeString("Ex", text);
        registry.writeString("NewText", "");
        registry.writeInteger("Dw", -2);
        registry.writeInteger("Bin", 2500);
    }
    // Wine's export is UTF-16 and spells every value out in the .reg syntax.
    const std::string exported = prefix_->path() + "/export.reg";
    ASSERT_TRUE(wine("wine reg export 'HKCU\\Software\\KvlPeer' '" + exported + "' /y"));
    const std::string raw = TempPrefix::readFile(exported);
    std::u16string units;
    for (std::size_t i = 2; i + 1 < raw.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                       static_cast<unsigned char>(raw[i + 1]) << 8);
    const std::string reg = utf16ToCp1252(units);
    for (const std::string line : {"\"Ex\"=\"C:\\\\Programme\\\\\xe4\xdf\x80\\\\\\\"Lua\\\" %EDITOR%\t1\"",
                                   "\"NewText\"=\"\"", "\"Dw\"=dword:fffffffe", "\"Bin\"=dword:000009c4"})
        EXPECT_NE(reg.find(line + "\r\n"), std::string::npos) << line << "\n" << reg;
}

TEST_F(WinePeer, OneWriteChangesOnlyItsLineAndTheKeysTimes) {
    const std::string before = hive("user.reg");
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kKey, Access::AllAccess, View::Default));
        registry.writeInteger("dw", 77);
    }
    const std::string after = hive("user.reg");
    ASSERT_EQ(after.size(), before.size());
    const std::size_t header = before.find("[Software\\\\KvlPeer] ");
    ASSERT_NE(header, std::string::npos);
    const std::size_t timeEnd = before.find('\n', before.find("#time=", header)) + 1;
    const std::size_t valueLine = before.find("\"Dw\"=dword:", header);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const bool stamp = i >= header && i < timeEnd;
        const bool value = i >= valueLine && i < before.find('\n', valueLine);
        if (before[i] != after[i] && !stamp && !value)
            FAIL() << "byte " << i << " changed";
    }
    EXPECT_NE(after.find("\"Dw\"=dword:0000004d\n"), std::string::npos);
}

// Values twice in the key, as an edit by hand leaves them: what we write is what Wine reads afterwards.
TEST_F(WinePeer, WineReadsWhatWeWroteOverDuplicates) {
    const std::string userReg = prefix_->path() + "/user.reg";
    TempPrefix::writeFile(userReg,
                          hive("user.reg") + "\n[Software\\\\KvlPeer] 1733700000\n" +
                              "\"Dw\"=dword:00000007\n\"Twice\"=dword:00000005\n\"Twice\"=dword:00000006\n");
    {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, "\\" + kKey, Access::AllAccess, View::Default));
        EXPECT_EQ(registry.readInteger("Dw"), 7);
        EXPECT_EQ(registry.readInteger("Twice"), 6);
        registry.writeInteger("Dw", 42);
        registry.writeInteger("Twice", 43);
    }
    ASSERT_TRUE(wine("wine reg query 'HKCU\\Software\\KvlPeer'"));
    const std::string answer = prefix_->output();
    EXPECT_NE(answer.find("Dw    REG_DWORD    0x2a"), std::string::npos) << answer;
    EXPECT_NE(answer.find("Twice    REG_DWORD    0x2b"), std::string::npos) << answer;
}

} // namespace
} // namespace kvl::platform
