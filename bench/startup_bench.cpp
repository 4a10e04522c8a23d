// Start-up time and peak memory of the editor against a bare Qt window of the same size.
//
// Both programs are started the same way (fork and exec, same environment) and report on stdout when
// their main window is first painted; the editor has then run its whole creation, including the first
// load of the host settings from a copy of the demo prefix. The harness measures spawn-to-paint time
// and the child's peak resident size (wait4). Run under a display, e.g.:
//   xvfb-run -a -s "-screen 0 1366x768x24" build/bench/bench_startup_bench [runs]
#include "support/spawn_measure.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

int main(int argc, char **argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::cerr << "Needs a display: xvfb-run -a -s \"-screen 0 1366x768x24\" " << argv[0] << " [runs]\n";
        return 2;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const fs::path self = fs::canonical("/proc/self/exe");
    const fs::path prefix = fs::temp_directory_path() / ("kvl-bench-prefix-" + std::to_string(getpid()));
    fs::copy(KVL_DEMO_PREFIX, prefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    setenv("WINEPREFIX", prefix.c_str(), 1);

    const std::string editor = (self.parent_path() / "bench_editor_window").string();
    const std::string bare = (self.parent_path() / "bench_bare_window").string();
    const auto medians = kvl::bench::medianOfAlternateRuns({editor}, {bare}, runs);
    // For context: what one line of text (the fonts) adds to the bare window.
    const auto againstLabel = kvl::bench::medianOfAlternateRuns({editor}, {bare, "--label"}, runs);
    fs::remove_all(prefix);
    kvl::bench::printComparison("editor", "bare window", medians, runs);
    kvl::bench::printComparison("editor", "one label", againstLabel, runs);
    return 0;
}
