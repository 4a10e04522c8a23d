// Start-up time and peak memory of the editor against a bare Qt window of the same size.
//
// Both programs are started the same way (fork and exec, same environment) and report on stdout when
// their main window is first painted; the editor has then run its whole creation, including the first
// load of the host settings from a copy of the demo prefix. The harness measures spawn-to-paint time
// and the child's peak resident size (wait4). Run under a display, e.g.:
//   xvfb-run -a -s "-screen 0 1366x768x24" build/bench/bench_startup_bench [runs]
#include "app/application.h"
#include "app/main_window.h"
#include "app/program_state.h"
#include "app/windows.h"
#include "first_paint.h"

#include <QEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char *const kChildFlag = "--editor-child";

// The editor as main.cpp starts it, reporting its first paint.
int runEditorChild(int argc, char **argv) {
    kvl::app::Application application(argc, argv);
    kvl::app::createWindows();
    FirstPaint firstPaint;
    Form1->installEventFilter(&firstPaint);
    Form1->show();
    return application.exec();
}

struct Sample {
    double milliseconds;
    long peakKilobytes;
};

// Spawns a program, waits for its "painted" line and its end.
Sample measure(const std::vector<std::string> &command) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        std::vector<char *> args;
        for (const std::string &part : command)
            args.push_back(const_cast<char *>(part.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        std::_Exit(127);
    }
    close(pipeEnds[1]);
    char buffer[64] = {};
    const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer - 1);
    const auto painted = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (got <= 0 || std::strncmp(buffer, "painted", 7) != 0)
        throw std::runtime_error("no paint reported by " + command.front());
    return {std::chrono::duration<double, std::milli>(painted - start).count(), usage.ru_maxrss};
}

template <typename Value> Value median(std::vector<Value> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Medians {
    double milliseconds;
    long peakKilobytes;
};

Medians run(const std::vector<std::string> &command, int runs) {
    std::vector<double> times;
    std::vector<long> sizes;
    measure(command); // warms the file cache; not counted
    for (int i = 0; i < runs; ++i) {
        const Sample sample = measure(command);
        times.push_back(sample.milliseconds);
        sizes.push_back(sample.peakKilobytes);
    }
    return {median(times), median(sizes)};
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0)
        return runEditorChild(argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::cerr << "Needs a display: xvfb-run -a -s \"-screen 0 1366x768x24\" " << argv[0] << " [runs]\n";
        return 2;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const fs::path self = fs::canonical("/proc/self/exe");
    const fs::path prefix = fs::temp_directory_path() / ("kvl-bench-prefix-" + std::to_string(getpid()));
    fs::copy(KVL_DEMO_PREFIX, prefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    setenv("WINEPREFIX", prefix.c_str(), 1);

    const Medians editor = run({self.string(), kChildFlag}, runs);
    const Medians bare = run({(self.parent_path() / "bench_bare_window").string()}, runs);
    fs::remove_all(prefix);

    std::printf("runs per program: %d (medians)\n", runs);
    std::printf("editor      : %8.1f ms  %8ld KiB peak RSS\n", editor.milliseconds, editor.peakKilobytes);
    std::printf("bare window : %8.1f ms  %8ld KiB peak RSS\n", bare.milliseconds, bare.peakKilobytes);
    std::printf("ratio       : %8.2fx     %8.2fx\n", editor.milliseconds / bare.milliseconds,
                double(editor.peakKilobytes) / double(bare.peakKilobytes));
    return 0;
}
