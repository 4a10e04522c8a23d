// Times one profile read of a key at the end of a 20 MB profile file against `grep -c` of that key over
// the same file (a process of its own, as grep is run), and compares the peak memory of a process that
// makes that one read with the same process reading an empty file.
//   bench_profile_bench            the comparison (medians of several runs)
//   bench_profile_bench read FILE  one read; prints the value and the process's peak memory in kB
#include "platform/profile.h"
#include "support/temp_prefix.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

using kvl::test::TempPrefix;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;
constexpr const char *kSection = "deprecated_models_001";
constexpr const char *kKey = "DefaultSetting";

// Sections of keys as a large filter file holds them, the key looked for in the last one.
std::string profileOf(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 4096);
    for (int section = 0; text.size() < bytes; ++section) {
        text += "[models_" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key)
            text += "Model" + std::to_string(key) + "=C:\\KVL\\Models\\Series " + std::to_string(section) +
                    "\\model " + std::to_string(key) + ".mdl\r\n";
    }
    return text + "[" + kSection + "]\r\n" + kKey + "=0\r\n";
}

double milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A program's run, from its start to its end, its output dropped.
double runMilliseconds(const std::vector<std::string> &command) {
    std::vector<char *> argv;
    for (const std::string &part : command)
        argv.push_back(const_cast<char *>(part.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(argv[0]);
        std::exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return milliseconds(start);
}

// The process's own peak (a child's peak as wait4 reports it would include its parent's before exec).
long ownPeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return -1;
}

// The peak that `bench_profile_bench read FILE` reports.
long readerPeakKilobytes(const std::string &file) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    FILE *output = ::popen(("'" + self + "' read '" + file + "'").c_str(), "r");
    if (!output)
        return -1;
    char value[64] = {};
    long peak = -1;
    if (std::fscanf(output, "%63s %ld", value, &peak) != 2)
        peak = -1;
    ::pclose(output);
    return peak;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
        const std::string value =
            kvl::platform::readProfileString(kvl::platform::nativeFile(argv[2]), kSection, kKey, "1");
        std::printf("%s %ld\n", value.c_str(), ownPeakKilobytes());
        return 0;
    }
    TempPrefix prefix;
    const std::string file = prefix.path() + "/deprecated_models.inf";
    const std::string empty = prefix.path() + "/empty.inf";
    TempPrefix::writeFile(file, profileOf(20u << 20));
    TempPrefix::writeFile(empty, "");

    std::vector<double> greps;
    std::vector<double> reads;
    std::string value;
    for (int i = 0; i <= kRuns; ++i) { // the first run warms the caches
        greps.push_back(runMilliseconds({"grep", "-c", kKey, file}));
        const auto start = Clock::now();
        value = kvl::platform::readProfileString(kvl::platform::nativeFile(file), kSection, kKey, "1");
        reads.push_back(milliseconds(start));
    }
    greps.erase(greps.begin());
    reads.erase(reads.begin());
    const double grep = median(greps);
    const double read = median(reads);
    const long reader = readerPeakKilobytes(file);
    const long idle = readerPeakKilobytes(empty);
    std::printf("medians of %d runs, 20 MB profile file, the key at its end (read \"%s\")\n", kRuns,
                value.c_str());
    std::printf("grep -c (a process)   %8.2f ms\n", grep);
    std::printf("profile read          %8.2f ms   ratio %.2f (goal 3)\n", read, read / grep);
    std::printf("peak memory of a process that reads it: %ld kB, one that reads an empty file: %ld kB, "
                "%.1f MB more (goal 20)\n",
                reader, idle, static_cast<double>(reader - idle) / 1024.0);
    return 0;
}
