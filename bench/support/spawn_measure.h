#pragma once

#include <string>
#include <vector>

namespace kvl::bench {

// Time from spawn to the program's "painted" line on stdout, its processor time (user and system, to
// its end right after that line) and its peak resident size (wait4). On a machine that others load, the
// processor time says more about the program's own cost than the time, which includes the waits for
// the processor.
struct Sample {
    double milliseconds;
    long peakKilobytes;
    double cpuMilliseconds;
};

// Spawns the command (fork and exec, the caller's environment), waits for its "painted" line and its
// end. Throws when the program reports no paint.
Sample measure(const std::vector<std::string> &command);

struct Medians {
    Sample program;
    Sample baseline;
};

// Medians of `runs` samples of each, the two run in turn so that a change of the machine's load falls on
// both alike, after one run of each that warms the caches and is not counted.
Medians medianOfAlternateRuns(const std::vector<std::string> &program,
                              const std::vector<std::string> &baseline, int runs);

// Prints both programs' medians and their ratios.
void printComparison(const char *programName, const char *baselineName, const Medians &medians, int runs);

} // namespace kvl::bench
