#pragma once

#include <string>
#include <vector>

namespace kvl::bench {

// Time from spawn to the program's "painted" line on stdout, and its peak resident size (wait4).
struct Sample {
    double milliseconds;
    long peakKilobytes;
};

// Spawns the command (fork and exec, the caller's environment), waits for its "painted" line and its
// end. Throws when the program reports no paint.
Sample measure(const std::vector<std::string> &command);

// Medians of `runs` samples, after one run that warms the caches and is not counted.
Sample medianOfRuns(const std::vector<std::string> &command, int runs);

// Prints both programs' medians and their ratios.
void printComparison(const char *programName, const Sample &program, const char *baselineName,
                     const Sample &baseline, int runs);

} // namespace kvl::bench
