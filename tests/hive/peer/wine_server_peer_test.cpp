#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/operation_limit.h"
#include "platform/registry.h"
#include "platform/wine/wine_server.h"

#include "hive/fake_server.h"
#include "hive/peer/wine_peer_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

namespace kvl::platform {
namespace {

using test::WinePeerPrefix;

const std::string kHostKey = "Software\\Varnel\\KVL 17.00\\QTRX";
const std::string kWineKey = "'HKCU\\Software\\Varnel\\KVL 17.00\\QTRX'";
// Beyond ASCII, quotes, backslashes, a tab and blanks at both ends, in code page 1252.
const std::string kText = " C:\\Programme\\\xe4\xdf\x80\\\"Lua\" %EDITOR%\t1\\ ";

// Apply and load with a real Wine server holding the prefix's registry. One prefix for the suite.
class WineServerPeer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = WinePeerPrefix::make("wine reg add " + kWineKey +
                                       " /v MaxObj /t REG_DWORD /d 0x10000 /f && wine reg add " + kWineKey +
                                       " /v LastANL /t REG_SZ /d x /f");
    }
    static void TearDownTestSuite() { prefix_.reset(); }
    void SetUp() override {
        if (!prefix_)
            GTEST_SKIP() << "wine and wineserver are needed for the checks with a running server";
        setenv("WINEPREFIX", prefix_->path().c_str(), 1);
        ASSERT_TRUE(stopServer());
    }
    void TearDown() override {
        if (prefix_)
            stopServer();
    }

    static bool shell(const std::string &command) { return prefix_->run(command); }
    static bool serversUntil(bool running) {
        for (int i = 0; i < 400; ++i) {
            if (prefixServers(prefix_->path()).empty() != running)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    // `wineserver -p` runs without any program, as a launcher or a lingering server keeps it.
    static bool startServer() { return shell("wineserver -p") && serversUntil(true); }
    // Ending, the server writes its registry over the hives.
    static bool stopServer() { return shell("wineserver -k; wineserver -w") && serversUntil(false); }
    // What Wine's programs see of a value.
    static std::string query(const std::string &name) {
        shell("wine reg query " + kWineKey + " /v " + name);
        return prefix_->output();
    }
    static std::string userReg() { return prefix_->file("user.reg"); }

    static void apply(std::int32_t maxObj, const std::string &lastAnl) {
        Registry registry;
        ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::Default));
        registry.writeInteger("MaxObj", maxObj);
        registry.writeString("LastANL", lastAnl);
        registry.closeKey();
    }
    static std::string readString(const std::string &name, bool *mayBeOutdated = nullptr) {
        Registry registry;
        EXPECT_TRUE(registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64));
        if (mayBeOutdated)
            *mayBeOutdated = registry.mayBeOutdated();
        return registry.readString(name);
    }

    static std::unique_ptr<WinePeerPrefix> prefix_;
};
std::unique_ptr<WinePeerPrefix> WineServerPeer::prefix_;

TEST_F(WineServerPeer, AnApplyWhileTheServerRunsOutlivesItsSaveAndExit) {
    ASSERT_TRUE(startServer());
    apply(2222, kText);
    EXPECT_NE(query("MaxObj").find("0x8ae"), std::string::npos) << "Wine programs see it at once";
    bool outdated = true;
    EXPECT_EQ(readString("LastANL", &outdated), kText);
    EXPECT_FALSE(outdated);

    ASSERT_TRUE(stopServer());
    EXPECT_NE(userReg().find("\"MaxObj\"=dword:000008ae\n"), std::string::npos);
    EXPECT_EQ(readString("LastANL"), kText) << "stored in the hive exactly";
    EXPECT_NE(query("MaxObj").find("0x8ae"), std::string::npos);
}

TEST_F(WineServerPeer, ALoadWhileTheServerRunsShowsWhatAWineProgramJustSet) {
    ASSERT_TRUE(startServer());
    ASSERT_TRUE(shell("wine reg add " + kWineKey + " /v LastANL /t REG_SZ /d 'set by Wine' /f"));
    bool outdated = true;
    EXPECT_EQ(readString("LastANL", &outdated), "set by Wine");
    EXPECT_FALSE(outdated);
}

TEST_F(WineServerPeer, WithoutWinesToolApplyWritesNothingAndSaysSo) {
    apply(1234, "before");
    ASSERT_TRUE(startServer());
    const std::string hive = userReg();
    {
        const test::ToolPath noWine;
        bool outdated = false;
        EXPECT_EQ(readString("LastANL", &outdated), "before");
        EXPECT_TRUE(outdated);
        try {
            apply(2222, "after");
            ADD_FAILURE() << "no error";
        } catch (const TranslatedError &error) {
            EXPECT_EQ(error.reason(), TranslatedError::Reason::WineServerUnreachable);
        }
    }
    EXPECT_EQ(userReg(), hive);
    ASSERT_TRUE(stopServer());
    EXPECT_EQ(readString("LastANL"), "before");
}

TEST_F(WineServerPeer, AFolderLeftByAnEndedServerCountsAsNone) {
    ASSERT_TRUE(startServer());
    ASSERT_TRUE(stopServer());
    apply(1500, "direct");
    EXPECT_NE(userReg().find("\"MaxObj\"=dword:000005dc\n"), std::string::npos)
        << "written to the hive at once";
    EXPECT_TRUE(prefixServers(prefix_->path()).empty()) << "no Wine started";
}

// The processes that run in a prefix other than its server: what Wine's tools started there.
std::vector<pid_t> programsIn(const std::string &prefix, pid_t server) {
    std::vector<pid_t> found;
    const std::string wanted = "WINEPREFIX=" + prefix;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos || std::stoi(name) == server)
            continue;
        std::ifstream environment(entry.path() / "environ");
        std::string stat;
        std::getline(std::ifstream(entry.path() / "stat"), stat);
        if (stat.find(") Z ") != std::string::npos)
            continue; // ended, not yet reaped
        for (std::string variable; std::getline(environment, variable, '\0');)
            if (variable == wanted)
                found.push_back(std::stoi(name));
    }
    return found;
}

// A server that is alive but does not answer (stopped): the load and Apply end at their deadline, say
// that Wine does not answer, leave nothing running that they started, and store nothing.
TEST_F(WineServerPeer, AStoppedServerEndsLoadAndApplyAtTheDeadline) {
    ASSERT_TRUE(startServer());
    const std::vector<pid_t> servers = prefixServers(prefix_->path());
    ASSERT_EQ(servers.size(), 1u);
    const pid_t server = servers.front();
    const std::string hive = userReg();
    ASSERT_EQ(::kill(server, SIGSTOP), 0);
    struct Resume {
        pid_t server;
        ~Resume() { ::kill(server, SIGCONT); }
    } resume{server};

    for (const bool applying : {false, true}) {
        SCOPED_TRACE(applying ? "apply" : "load");
        const auto start = std::chrono::steady_clock::now();
        try {
            if (applying)
                apply(4321, "never");
            else
                readString("LastANL");
            ADD_FAILURE() << "no error";
        } catch (const TranslatedError &error) {
            EXPECT_EQ(error.reason(), TranslatedError::Reason::WineNotAnswering);
        }
        // One deadline for the whole operation, and a little for ending what it started.
        EXPECT_LT(std::chrono::steady_clock::now() - start, kOperationBudget + std::chrono::seconds(5));
        for (int i = 0; i < 40 && !programsIn(prefix_->path(), server).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(programsIn(prefix_->path(), server), std::vector<pid_t>{});
    }
    ::kill(server, SIGCONT);
    EXPECT_EQ(userReg(), hive);
    EXPECT_EQ(query("MaxObj").find("0x10e1"), std::string::npos) << "the import of Apply reached Wine";
}

} // namespace
} // namespace kvl::platform
