// Times the discovery of Wine prefixes against reading the same files with cat in the same run: 50
// prefixes below a home folder, each with a synthetic system.reg of 5 MB, the host's key in the last one
// only (the others are read to their end). Cold: the files' pages dropped from the page cache first
// (posix_fadvise, so only these files); warm: read just before.
#include "platform/prefixes.h"
#include "support/synthetic_hive.h"
#include "support/temp_prefix.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPrefixes = 50;
constexpr int kRounds = 7;

void dropFromCache(const std::vector<std::string> &files) {
    for (const std::string &file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

double medianMilliseconds(const std::function<void()> &prepare, const std::function<void()> &work) {
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        prepare();
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    const kvl::test::TempPrefix scratch;
    const std::string home = scratch.path() + "/home";
    std::string hive = kvl::bench::syntheticHive(5u << 20);
    const std::string withHost = hive;
    hive.replace(hive.find("\\\\Varnel\\\\"), 10, "\\\\Varnex\\\\");
    std::vector<std::string> files;
    std::string cat = "cat";
    for (int i = 0; i < kPrefixes; ++i) {
        const std::string folder = home + "/.local/share/wineprefixes/p" + std::to_string(i);
        fs::create_directories(folder);
        files.push_back(folder + "/system.reg");
        kvl::test::TempPrefix::writeFile(files.back(), i + 1 == kPrefixes ? withHost : hive);
        cat += " '" + files.back() + "'";
    }
    cat += " >/dev/null";
    std::size_t holding = 0;
    const auto discover = [&] {
        const auto found = kvl::platform::discoverPrefixes(home);
        holding = static_cast<std::size_t>(
            std::count_if(found.begin(), found.end(), [](const auto &p) { return p.holdsHost; }));
    };
    const auto readWithCat = [&] {
        if (std::system(cat.c_str()) != 0)
            std::exit(1);
    };
    const auto cold = [&] { dropFromCache(files); };
    const auto warm = [&] { readWithCat(); };
    const double coldDiscovery = medianMilliseconds(cold, discover);
    const double coldCat = medianMilliseconds(cold, readWithCat);
    const double warmDiscovery = medianMilliseconds(warm, discover);
    const double warmCat = medianMilliseconds(warm, readWithCat);
    std::printf("%d prefixes, system.reg of %zu bytes each, %zu holding the host\n", kPrefixes, hive.size(),
                holding);
    std::printf("cold: discovery %.1f ms, cat %.1f ms, ratio %.2f (goal 1.5)\n", coldDiscovery, coldCat,
                coldDiscovery / coldCat);
    std::printf("warm: discovery %.1f ms, cat %.1f ms, ratio %.2f (goal 1.5)\n", warmDiscovery, warmCat,
                warmDiscovery / warmCat);
    return holding == 1 ? 0 : 1;
}
