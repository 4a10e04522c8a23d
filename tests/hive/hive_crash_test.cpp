#include "platform/registry.h"
#include "platform/wine/hive_scan.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kvl::platform {
namespace {

using test::TempPrefix;
using Clock = std::chrono::steady_clock;

// The hive with the host key's two time stamps blanked (only that key is written here).
std::string withoutTimes(std::string text) {
    const std::string header = std::string("[") + test::kHostKeyWine + "] ";
    const std::size_t stamp = text.find(header);
    if (stamp == std::string::npos)
        return text;
    const std::size_t seconds = stamp + header.size();
    const std::size_t time = text.find('\n', seconds) + 1;
    return text.substr(0, seconds) + "T\n#time=T" + text.substr(text.find('\n', time));
}

// A child that stores eight values the way Apply does and ends.
pid_t startWriter() {
    const pid_t child = fork();
    if (child == 0) {
        Registry registry;
        if (registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\KVL 17.00\\QTRX", Access::AllAccess,
                             View::Default)) {
            for (const char *name : {"CtrlWindow", "AutoSaveDLG", "HideOldMdl"})
                registry.writeInteger(name, 1);
            for (const char *name : {"LastANL", "ANLPath", "AviPath", "LuaExtEd"})
                registry.writeString(name, std::string("C:\\new\\") + name);
            registry.writeInteger("MaxObj", 2500);
            registry.closeKey();
        }
        _exit(0);
    }
    return child;
}

TEST(HiveCrash, AKilledWriterLeavesTheOldOrTheNewHive) {
    TempPrefix prefix;
    std::string filler = TempPrefix::readFile(prefix.userReg());
    for (int i = 0; i < 5000; ++i) // about 250 kB, so that a write takes a while
        filler += "\n[Software\\\\Filler\\\\" + std::to_string(i) + "] 1\n#time=1\n\"V\"=\"filler value\"\n";
    TempPrefix::writeFile(prefix.userReg(), filler);
    prefix.addUserKey(test::kHostKeyWine, {"\"MaxObj\"=dword:000003e8", "\"LastANL\"=\"C:\\\\old\""});
    const std::string old = TempPrefix::readFile(prefix.userReg());

    const auto started = Clock::now();
    int status = 0;
    waitpid(startWriter(), &status, 0);
    const auto writeTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    const std::string written = withoutTimes(TempPrefix::readFile(prefix.userReg()));
    ASSERT_NE(written, withoutTimes(old));

    std::mt19937 random(1717);
    // Rounds go on until enough kills have landed while the writer ran: how many do in a given number of
    // rounds depends on the machine's load.
    int killedEarly = 0;
    for (int round = 0; round < 1200 && killedEarly <= 30; ++round) {
        TempPrefix::writeFile(prefix.userReg(), old);
        const pid_t child = startWriter();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (writeTime.count() + 1)));
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        killedEarly += WIFSIGNALED(status);
        const std::string now = TempPrefix::readFile(prefix.userReg());
        ASSERT_TRUE(scanHive(now, u"").valid) << "round " << round;
        ASSERT_TRUE(now == old || withoutTimes(now) == written) << "round " << round;
    }
    EXPECT_GT(killedEarly, 30) << "too few kills landed while the writer ran to tell anything";
}

} // namespace
} // namespace kvl::platform
