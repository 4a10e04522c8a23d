// Times the Wine-prefix registry against plain file operations in the same run:
//   read:  open the host key and read two values  vs  reading the hive file into memory with read(),
//          and vs reading it line by line with std::getline
//   write: open, write the eight values of Apply, close  vs  copy + fsync + rename of the hive
// on a synthetic 50 MB hive, user.reg files of 1, 10 and 50 MB, and a fresh prefix's system.reg
// (made with wineboot when wine is there, or taken from $KVL_BENCH_SYSTEM_REG).
//   server: Apply and a load of the user key in that fresh prefix while a Wine server runs for it,
//           through the registry agent and through Wine's registry tool,  vs  the same with no server;
//           and a load that starts the agent first (the first of the program's life)
#include "platform/registry.h"
#include "platform/wine/registry_agent.h"
#include "platform/wine/wine_server.h"
#include "support/synthetic_hive.h"
#include "support/temp_prefix.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace kvl::platform;
using kvl::test::TempPrefix;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kHostKey = "SOFTWARE\\Varnel\\KVL 17.00\\QTRX";
constexpr int kRounds = 9;

double milliseconds(const std::function<void()> &work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianOfRounds(const std::function<void()> &work) {
    std::vector<double> times;
    work();
    for (int round = 0; round < kRounds; ++round)
        times.push_back(milliseconds(work));
    return median(times);
}

std::string readFile(const std::string &path) {
    const int fd = open(path.c_str(), O_RDONLY);
    std::string text(fs::file_size(path), '\0');
    for (std::size_t done = 0; done < text.size();)
        done += static_cast<std::size_t>(read(fd, text.data() + done, text.size() - done));
    close(fd);
    return text;
}

// The other plain way to read a text file.
void readLines(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        ;
}

void copyFsyncRename(const std::string &path) {
    const std::string text = readFile(path);
    const std::string temporary = path + ".copy";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::size_t done = 0; done < text.size();)
        done += static_cast<std::size_t>(write(fd, text.data() + done, text.size() - done));
    fsync(fd);
    close(fd);
    rename(temporary.c_str(), path.c_str());
}

void openAndRead(RootKey root, const std::string &key, const char *first, const char *second) {
    Registry registry;
    if (!registry.openKey(root, key, Access::Read, View::View64))
        std::abort();
    registry.readString(first);
    registry.readString(second);
}

void applyEightValues() {
    Registry registry;
    if (!registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::Default))
        std::abort();
    for (const char *name : {"CtrlWindow", "AutoSaveDLG", "HideOldMdl"})
        registry.writeInteger(name, 1);
    for (const char *name : {"LastANL", "ANLPath", "AviPath", "LuaExtEd"})
        registry.writeString(name, std::string("C:\\KVL\\") + name);
    registry.writeInteger("MaxObj", 2500);
    registry.closeKey();
}

// Baseline and subject alternate, so that both see the same machine.
void compare(const char *what, const std::function<void()> &baseline, const std::function<void()> &subject) {
    std::vector<double> base, ours;
    baseline(), subject(); // warm the page cache
    for (int round = 0; round < kRounds; ++round) {
        base.push_back(milliseconds(baseline));
        ours.push_back(milliseconds(subject));
    }
    std::printf("%-50s baseline %9.2f ms   registry %9.2f ms   ratio %5.2f\n", what, median(base),
                median(ours), median(ours) / median(base));
}

bool wine(const std::string &prefix, const std::string &command) {
    return std::system(
               ("WINEPREFIX='" + prefix + "' WINEDEBUG=-all " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// A server cannot run beside a server, so the baseline runs first and the subject after it.
void compareWithServer(const std::string &prefix) {
    const std::string key = "'HKCU\\" + kHostKey + "'";
    if (!wine(prefix, "wine reg add " + key + " /v MaxObj /t REG_DWORD /d 1000 /f") ||
        !wine(prefix, "wineserver -k; wineserver -w")) {
        std::printf("no host key in the fresh prefix: server comparison skipped\n");
        return;
    }
    const std::string previous = std::getenv("WINEPREFIX");
    setenv("WINEPREFIX", prefix.c_str(), 1);
    const auto load = [] { openAndRead(RootKey::CurrentUser, kHostKey, "LastANL", "ANLPath"); };
    const double directApply = medianOfRounds(applyEightValues);
    const double directLoad = medianOfRounds(load);
    wine(prefix, "wineserver -p");
    while (kvl::platform::prefixServers(prefix).empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // The agent as the program would use it, and Wine's tool as without one.
    const double agentApply = medianOfRounds(applyEightValues);
    const double agentLoad = medianOfRounds(load);
    std::vector<double> startingLoads;
    for (int round = 0; round < kRounds; ++round) {
        endRegistryAgent();
        startingLoads.push_back(milliseconds(load));
    }
    const double agentStartLoad = median(startingLoads);
    const bool agentRan = registryAgentProcess().has_value();
    setenv("KVL_REGISTRY_AGENT", "", 1);
    endRegistryAgent();
    const double toolApply = medianOfRounds(applyEightValues);
    const double toolLoad = medianOfRounds(load);
    wine(prefix, "wineserver -k; wineserver -w");
    setenv("WINEPREFIX", previous.c_str(), 1);
    if (!agentRan)
        std::printf("no registry agent (built without mingw-w64?): its lines time Wine's tool\n");
    for (const auto &[what, direct, served] :
         {std::tuple{"Apply, server running (agent) vs none", directApply, agentApply},
          std::tuple{"Apply, server running (Wine's tool) vs none", directApply, toolApply},
          std::tuple{"load user key, server running (agent) vs none", directLoad, agentLoad},
          std::tuple{"load, agent started first vs none", directLoad, agentStartLoad},
          std::tuple{"load user key, server (Wine's tool) vs none", directLoad, toolLoad}})
        std::printf("%-50s baseline %9.2f ms   registry %9.2f ms   ratio %5.2f\n", what, direct, served,
                    served / direct);
}

std::string freshSystemReg(const TempPrefix &prefix) {
    if (const char *given = std::getenv("KVL_BENCH_SYSTEM_REG"))
        return given;
    const std::string fresh = prefix.path() + "/fresh";
    const std::string command = "WINEPREFIX='" + fresh +
                                "' WINEDEBUG=-all wineboot -i >/dev/null 2>&1 && "
                                "WINEPREFIX='" +
                                fresh + "' wineserver -w";
    if (std::system(command.c_str()) != 0 || !fs::exists(fresh + "/system.reg"))
        return {};
    return fresh + "/system.reg";
}

} // namespace

int main() {
#ifdef KVL_REGISTRY_AGENT_PATH
    setenv("KVL_REGISTRY_AGENT", KVL_REGISTRY_AGENT_PATH, 0);
#endif
    TempPrefix prefix;
    std::printf("medians of %d rounds\n", kRounds);

    if (const std::string fresh = freshSystemReg(prefix); !fresh.empty()) {
        fs::copy_file(fresh, prefix.systemReg(), fs::copy_options::overwrite_existing);
        const auto readTwo = [] {
            openAndRead(RootKey::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                        "ProductName", "CurrentVersion");
        };
        const std::string size = std::to_string(fs::file_size(prefix.systemReg()) >> 10) + " kB";
        compare(("read, fresh system.reg " + size + ", vs read()").c_str(),
                [&] { readFile(prefix.systemReg()); }, readTwo);
        compare(("read, fresh system.reg " + size + ", vs getline").c_str(),
                [&] { readLines(prefix.systemReg()); }, readTwo);
        if (!std::getenv("KVL_BENCH_SYSTEM_REG"))
            compareWithServer(fs::path(fresh).parent_path().string());
    } else {
        std::printf("no fresh prefix (wine missing): system.reg read skipped\n");
    }

    TempPrefix::writeFile(prefix.systemReg(), kvl::bench::syntheticHive(50u << 20));
    const auto readHost = [] { openAndRead(RootKey::LocalMachine, kHostKey, "Directory", "Language"); };
    compare(
        "read, synthetic 50 MB hive, vs read()", [&] { readFile(prefix.systemReg()); }, readHost);
    compare(
        "read, synthetic 50 MB hive, vs getline", [&] { readLines(prefix.systemReg()); }, readHost);

    for (const std::size_t megabytes : {1u, 10u, 50u}) {
        TempPrefix::writeFile(prefix.userReg(), kvl::bench::syntheticHive(megabytes << 20));
        compare(("write eight values, " + std::to_string(megabytes) + " MB user.reg").c_str(),
                [&] { copyFsyncRename(prefix.userReg()); }, applyEightValues);
    }
    return 0;
}
