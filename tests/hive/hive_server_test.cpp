#include "platform/error.h"
#include "platform/operation_limit.h"
#include "platform/registry.h"

#include "hive/fake_server.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace kvl::platform {
namespace {

using test::DebianServerRoot;
using test::FakeServer;
using test::TempPrefix;
using test::ToolPath;

const std::string kHostKey = "SOFTWARE\\Varnel\\KVL 17.00\\QTRX";

// Wine's tools in the ways they fail: not there, failing everything, or finding the root but not the key.
const char *const kFailingWine = "exit 1";
const char *const kWineWithoutTheKey = "[ \"$2 $3\" = \"query HKCU\" ]";

// A prefix whose registry a Wine server holds while Wine's registry tool cannot reach it.
class ServerRegistry : public testing::Test {
protected:
    ServerRegistry() {
        prefix.addUserKey(test::kHostKeyWine, {"\"LastANL\"=\"C:\\\\a.anl\"", "\"MaxObj\"=dword:00010000"});
        original = TempPrefix::readFile(prefix.userReg());
    }
    bool open() { return registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::Default); }
    // Apply's registry step; the failure it reports, if any.
    std::optional<TranslatedError::Reason> apply() {
        try {
            if (open()) {
                registry.writeInteger("MaxObj", 2222);
                registry.writeString("LastANL", "C:\\b.anl");
                registry.closeKey();
            }
        } catch (const TranslatedError &error) {
            return error.reason();
        }
        return std::nullopt;
    }
    std::string hive() const { return TempPrefix::readFile(prefix.userReg()); }

    TempPrefix prefix;
    DebianServerRoot debianRoot{prefix.path()};
    std::string original;
    Registry registry;
};

TEST_F(ServerRegistry, AServerThatCannotBeAskedLeavesLoadsToTheFilesAndRefusesApply) {
    const FakeServer server(debianRoot.path(), prefix.path());
    for (const char *wine : {"", kFailingWine}) {
        SCOPED_TRACE(*wine ? wine : "no wine on the PATH");
        const ToolPath path(wine);

        ASSERT_TRUE(open());
        EXPECT_TRUE(registry.mayBeOutdated());
        EXPECT_EQ(registry.readInteger("MaxObj"), 0x10000);
        registry.closeKey();

        EXPECT_EQ(apply(), TranslatedError::Reason::WineServerUnreachable);
        EXPECT_EQ(hive(), original);
    }
}

TEST_F(ServerRegistry, TwoServersForOnePrefixAreNeverAskedNorWrittenBehind) {
    const FakeServer debian(debianRoot.path(), prefix.path());
    const FakeServer upstream("/tmp/.wine-" + std::to_string(::getuid()), prefix.path());
    const ToolPath path("exit 0");

    ASSERT_TRUE(open());
    EXPECT_TRUE(registry.mayBeOutdated());
    registry.closeKey();
    EXPECT_EQ(apply(), TranslatedError::Reason::WineServerUnreachable);

    EXPECT_EQ(path.callCount(), 0u);
    EXPECT_EQ(hive(), original);
}

TEST_F(ServerRegistry, AKeyTheServerLacksDoesNotOpen) {
    const FakeServer server(debianRoot.path(), prefix.path());
    const ToolPath path(kWineWithoutTheKey);
    EXPECT_FALSE(open());
    EXPECT_EQ(apply(), std::nullopt);
    EXPECT_EQ(hive(), original);
}

TEST_F(ServerRegistry, AServerThatStartsBeforeTheKeyClosesTakesTheWritesOrNothingIsWritten) {
    const ToolPath path(kFailingWine);
    ASSERT_TRUE(open());
    EXPECT_FALSE(registry.mayBeOutdated());
    registry.writeInteger("MaxObj", 2222);
    const FakeServer server(debianRoot.path(), prefix.path());
    try {
        registry.closeKey();
        FAIL() << "written behind the server's back";
    } catch (const TranslatedError &error) {
        EXPECT_EQ(error.reason(), TranslatedError::Reason::WineServerUnreachable);
        EXPECT_EQ(error.subject(), prefix.path());
    }
    EXPECT_EQ(hive(), original);
}

TEST_F(ServerRegistry, AFolderACrashedServerLeftCountsAsNoServer) {
    FakeServer server(debianRoot.path(), prefix.path());
    server.stop();
    const ToolPath path(kFailingWine);

    EXPECT_EQ(apply(), std::nullopt);
    ASSERT_TRUE(open());
    EXPECT_FALSE(registry.mayBeOutdated());
    EXPECT_EQ(registry.readInteger("MaxObj"), 2222);
    EXPECT_EQ(path.callCount(), 0u);
}

// Whether a process has ended (a zombie that nobody reaped yet counts as ended), waiting a while for it.
bool ended(pid_t pid) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pidField, name, state;
        if (!(stat >> pidField >> name >> state) || state == "Z")
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Wine's tool with a server that is alive but does not answer: it starts a helper, as Wine's loader does,
// and waits for ever. The operation stops once the helper runs: its time is up, or the user cancels.
TEST_F(ServerRegistry, AToolThatDoesNotAnswerEndsWithAllItStartedAtTheDeadlineOrOnCancel) {
    using namespace std::chrono_literals;
    const std::string helper = prefix.path() + "/helper.pid";
    const ToolPath path("/bin/sleep 600 & echo $! >'" + helper + ".new' && /bin/mv '" + helper + ".new' '" +
                        helper + "'; wait");
    for (const bool cancel : {false, true})
        for (const bool applying : {false, true}) {
            SCOPED_TRACE(std::string(cancel ? "cancel" : "deadline") + (applying ? ", apply" : ", load"));
            std::filesystem::remove(helper);
            OperationLimit *self = nullptr;
            OperationLimit limit(1h, [&] {
                const bool started = std::filesystem::exists(helper);
                if (started && cancel)
                    self->cancel();
                return OperationLimit::Clock::time_point(started && !cancel ? 2h : 0h);
            });
            self = &limit;
            const OperationScope scope(limit);
            std::optional<FakeServer> server;
            if (!applying)
                server.emplace(debianRoot.path(), prefix.path());
            try {
                ASSERT_TRUE(open()) << "the hive, while no server runs";
                registry.writeInteger("MaxObj", 2222);
                // A server that starts before the values are stored takes them, through the tool.
                server.emplace(debianRoot.path(), prefix.path());
                registry.closeKey();
                FAIL() << "no stop";
            } catch (const Cancelled &) {
                EXPECT_TRUE(cancel);
            } catch (const TranslatedError &error) {
                EXPECT_FALSE(cancel);
                EXPECT_EQ(error.reason(), TranslatedError::Reason::WineNotAnswering);
                EXPECT_EQ(error.subject(), prefix.path());
            }
            pid_t helperPid = 0;
            std::ifstream(helper) >> helperPid;
            ASSERT_GT(helperPid, 0);
            EXPECT_TRUE(ended(helperPid)) << "the tool's helper is left running";
            EXPECT_EQ(hive(), original);
        }
}

} // namespace
} // namespace kvl::platform
