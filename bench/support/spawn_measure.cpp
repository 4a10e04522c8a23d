#include "spawn_measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvl::bench {

namespace {
template <typename Value> Value median(std::vector<Value> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

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
        execvp(args[0], args.data());
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
        throw std::runtime_error("no paint reported by " + command.back());
    const auto milliseconds = [](const timeval &time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return {std::chrono::duration<double, std::milli>(painted - start).count(), usage.ru_maxrss,
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

namespace {
Sample medianOf(const std::vector<Sample> &samples) {
    std::vector<double> times;
    std::vector<long> sizes;
    std::vector<double> cpuTimes;
    for (const Sample &sample : samples) {
        times.push_back(sample.milliseconds);
        sizes.push_back(sample.peakKilobytes);
        cpuTimes.push_back(sample.cpuMilliseconds);
    }
    return {median(times), median(sizes), median(cpuTimes)};
}
} // namespace

Medians medianOfAlternateRuns(const std::vector<std::string> &program,
                              const std::vector<std::string> &baseline, int runs) {
    measure(program);
    measure(baseline);
    std::vector<Sample> programSamples;
    std::vector<Sample> baselineSamples;
    for (int i = 0; i < runs; ++i) {
        programSamples.push_back(measure(program));
        baselineSamples.push_back(measure(baseline));
    }
    return {medianOf(programSamples), medianOf(baselineSamples)};
}

void printComparison(const char *programName, const char *baselineName, const Medians &medians, int runs) {
    std::printf("runs per program: %d (medians, in turn)\n", runs);
    std::printf("%-12s  %8s     %8s     %12s\n", "", "time", "CPU time", "peak RSS");
    const auto print = [](const char *name, const Sample &sample) {
        std::printf("%-12s: %8.1f ms  %8.1f ms  %8ld KiB\n", name, sample.milliseconds,
                    sample.cpuMilliseconds, sample.peakKilobytes);
    };
    print(programName, medians.program);
    print(baselineName, medians.baseline);
    const Sample &program = medians.program;
    const Sample &baseline = medians.baseline;
    std::printf("%-12s: %8.2fx     %8.2fx     %8.2fx\n", "ratio",
                program.milliseconds / baseline.milliseconds,
                program.cpuMilliseconds / baseline.cpuMilliseconds,
                double(program.peakKilobytes) / double(baseline.peakKilobytes));
}

} // namespace kvl::bench
