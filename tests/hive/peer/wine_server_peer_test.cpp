#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/wine/wine_server.h"

#include "hive/fake_server.h"
#include "hive/peer/wine_peer_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
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

} // namespace
} // namespace kvl::platform
