#include "platform/error.h"
#include "platform/operation_limit.h"
#include "platform/registry.h"
#include "platform/wine/registry_agent.h"
#include "platform/wine/wine_server.h"

#include "hive/peer/wine_peer_prefix.h"
#include "support/scoped_variable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace kvl::platform {
namespace {

using test::WinePeerPrefix;

const std::string kUserKey = "Software\\Varnel\\KVL 17.00\\QTRX";
const std::string kWineUserKey = "'HKCU\\Software\\Varnel\\KVL 17.00\\QTRX'";
const std::string kWineInstallKey = "'HKLM\\SOFTWARE\\Varnel\\KVL 17.00\\QTRX'";
const std::string kLong(3000, 'L');
const std::string kText = "C:\\Programme\\\xe4\xdf\x80\\\"Lua\" %EDITOR%\t1";

// The registry agent with a real Wine server: the program's values written and read through it, as
// Wine's own tools and the saved hive then show them. One prefix for the suite; KVL_REGISTRY_AGENT
// names the agent the build made.
class RegistryAgentPeer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = WinePeerPrefix::make(
            "wine reg add " + kWineUserKey + " /v MaxObj /t REG_DWORD /d 1000 /f && wine reg add " +
            kWineInstallKey + " /v Directory /t REG_SZ /d 'C:\\KVL' /f && wine reg add " + kWineInstallKey +
            " /v Language /t REG_EXPAND_SZ /d '%LANG%' /f && wine reg add " + kWineInstallKey +
            " /v Wide /t REG_QWORD /d 7 /f && wine reg add " + kWineInstallKey +
            " /v Blob /t REG_BINARY /d 0102 /f");
    }
    static void TearDownTestSuite() {
        endRegistryAgent();
        prefix_.reset();
    }
    void SetUp() override {
        if (!prefix_ || !std::getenv("KVL_REGISTRY_AGENT"))
            GTEST_SKIP() << "wine, wineserver and the registry agent are needed";
        setenv("WINEPREFIX", prefix_->path().c_str(), 1);
        ASSERT_TRUE(shell("wineserver -p"));
        for (int i = 0; i < 400 && prefixServers(prefix_->path()).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    void TearDown() override {
        if (prefix_ && std::getenv("KVL_REGISTRY_AGENT"))
            shell("wineserver -k; wineserver -w");
    }

    static bool shell(const std::string &command) { return prefix_->run(command); }
    // What Wine's programs see of a key, one line per value.
    static std::string query(const std::string &key) {
        shell("wine reg query " + key);
        std::string shown = prefix_->output();
        std::erase(shown, '\r');
        return shown;
    }
    static void apply(const std::vector<std::pair<std::string, std::string>> &texts, std::int32_t maxObj) {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kUserKey, Access::AllAccess, View::Default));
        for (const auto &[name, text] : texts)
            registry.writeString(name, text);
        for (const char *flag : {"CtrlWindow", "AutoSaveDLG", "HideOldMdl"})
            registry.writeInteger(flag, flag[0] == 'C' ? 1 : 0);
        registry.writeInteger("MaxObj", maxObj);
        registry.closeKey();
    }
    static std::int32_t maxObj() {
        Registry registry;
        EXPECT_TRUE(registry.openKey(RootKey::CurrentUser, kUserKey, Access::Read, View::Default));
        return registry.readInteger("MaxObj");
    }

    static std::unique_ptr<WinePeerPrefix> prefix_;
};
std::unique_ptr<WinePeerPrefix> RegistryAgentPeer::prefix_;

TEST_F(RegistryAgentPeer, TheHostsValuesGoThroughTheAgentWithTheirTypesAndSizes) {
    apply({{"LastANL", ""}, {"ANLPath", kText}, {"AviPath", kLong}, {"LuaExtEd", std::string("a\0b", 3)}},
          -5);
    ASSERT_TRUE(registryAgentProcess()) << "the agent served Apply";
    const std::string shown = query(kWineUserKey);
    for (const char *line : {"MaxObj    REG_DWORD    0xfffffffb", "CtrlWindow    REG_DWORD    0x1",
                             "HideOldMdl    REG_DWORD    0x0", "LastANL    REG_SZ    \n"})
        EXPECT_NE(shown.find(line), std::string::npos) << line << " in\n" << shown;
    EXPECT_NE(shown.find("AviPath    REG_SZ    " + kLong + "\n"), std::string::npos);

    Registry install;
    ASSERT_TRUE(install.openKey(RootKey::LocalMachine, "SOFTWARE\\Varnel\\KVL 17.00\\QTRX", Access::Read,
                                View::View64));
    EXPECT_EQ(install.readString("Directory"), "C:\\KVL");
    EXPECT_EQ(install.readString("Language"), "%LANG%") << "not expanded";
    for (const auto &[name, expected] : {std::pair{"Wide", "Failed to get data for 'Wide'"},
                                         std::pair{"Blob", "Invalid data type for 'Blob'"}}) {
        try {
            install.readInteger(name);
            ADD_FAILURE() << name;
        } catch (const Error &error) {
            EXPECT_STREQ(error.what(), expected);
        }
    }
    install.closeKey();

    Registry user;
    ASSERT_TRUE(user.openKey(RootKey::CurrentUser, kUserKey, Access::Read, View::Default));
    EXPECT_EQ(user.readString("ANLPath"), kText);
    EXPECT_EQ(user.readString("LuaExtEd"), "a") << "taken up to the NUL";
    EXPECT_EQ(user.readInteger("MaxObj"), -5);
    user.closeKey();

    ASSERT_TRUE(shell("wineserver -k; wineserver -w"));
    const std::string hive = prefix_->file("user.reg");
    const std::vector<std::string> lines = {"\"MaxObj\"=dword:fffffffb\n", "\"LastANL\"=\"\"\n",
                                            "\"LuaExtEd\"=\"a\\0b\"\n", "\"AviPath\"=\"" + kLong + "\"\n"};
    for (const std::string &line : lines)
        EXPECT_NE(hive.find(line), std::string::npos) << line;
}

TEST_F(RegistryAgentPeer, AKeyOnlyInTheServersMemoryIsRead) {
    ASSERT_TRUE(shell("wine reg add 'HKCU\\Software\\Varnel\\Fresh' /v New /t REG_SZ /d 'in memory' /f"));
    ASSERT_EQ(prefix_->file("user.reg").find("Fresh"), std::string::npos) << "not saved yet";
    Registry registry;
    ASSERT_TRUE(
        registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\Fresh", Access::Read, View::Default));
    EXPECT_EQ(registry.readString("New"), "in memory");
}

// A value the registry refuses (a name beyond Windows' 16383 characters): the values of the key set
// before it get their old data back, or go again.
TEST_F(RegistryAgentPeer, ARefusedValueLeavesTheKeyAsItWas) {
    const std::string tooLong(20000, 'n');
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kUserKey, Access::AllAccess, View::Default));
    const std::int32_t before = registry.readInteger("MaxObj");
    registry.writeInteger("MaxObj", before + 1);
    registry.writeString("NewValue", "new");
    registry.writeString(tooLong, "refused");
    try {
        registry.closeKey();
        ADD_FAILURE() << "no error";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), ("Failed to set data for '" + tooLong + "'").c_str());
    }
    ASSERT_TRUE(registryAgentProcess()) << "the agent answered";
    EXPECT_EQ(maxObj(), before);
    EXPECT_EQ(query(kWineUserKey).find("NewValue"), std::string::npos);
}

// An agent killed between the load and Apply, or a program that is no agent of ours: Wine's tool takes
// the step, and every value arrives.
TEST_F(RegistryAgentPeer, WithoutAnAgentWinesToolTakesTheStep) {
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kUserKey, Access::AllAccess, View::Default));
    const auto agent = registryAgentProcess();
    ASSERT_TRUE(agent);
    ASSERT_EQ(::kill(*agent, SIGKILL), 0);
    registry.writeInteger("MaxObj", 2222);
    registry.writeString("LastANL", "after the agent");
    registry.closeKey();
    EXPECT_NE(query(kWineUserKey).find("LastANL    REG_SZ    after the agent"), std::string::npos);
    EXPECT_EQ(maxObj(), 2222) << "a new agent reads it";

    endRegistryAgent();
    const test::ScopedVariable notOurs("KVL_REGISTRY_AGENT",
                                       prefix_->path() + "/drive_c/windows/system32/hostname.exe");
    apply({{"LastANL", "by the tool"}}, 1500);
    EXPECT_FALSE(registryAgentProcess());
    EXPECT_EQ(maxObj(), 1500);
}

// A stopped agent: the deadline ends it and its group, Apply says that Wine does not answer, and
// nothing of the key is stored.
TEST_F(RegistryAgentPeer, AStoppedAgentEndsAtTheDeadlineWithNothingWritten) {
    apply({{"LastANL", "before"}}, 1500);
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kUserKey, Access::AllAccess, View::Default));
    const pid_t agent = *registryAgentProcess();
    ASSERT_EQ(::kill(agent, SIGSTOP), 0);
    registry.writeString("LastANL", "never");
    registry.writeInteger("MaxObj", 4321);
    {
        // Each look at the clock is a second later: the deadline comes at the tenth.
        OperationLimit limit(kOperationBudget, [now = OperationLimit::Clock::time_point()]() mutable {
            return now += std::chrono::seconds(1);
        });
        const OperationScope scope(limit);
        try {
            registry.closeKey();
            ADD_FAILURE() << "no error";
        } catch (const TranslatedError &error) {
            EXPECT_EQ(error.reason(), TranslatedError::Reason::WineNotAnswering);
        }
    }
    EXPECT_FALSE(registryAgentProcess());
    EXPECT_NE(::kill(agent, 0), 0) << "the agent was ended";
    EXPECT_EQ(query(kWineUserKey).find("never"), std::string::npos);
    EXPECT_EQ(maxObj(), 1500);
}

} // namespace
} // namespace kvl::platform
