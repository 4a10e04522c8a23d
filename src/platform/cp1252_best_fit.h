#pragma once

#include <span>

namespace kvl::platform {

// Units without a code page 1252 form that Windows still writes as a similar character (U+0100 as "A",
// a full-width letter as its plain one) rather than "?". Sorted, not overlapping.
struct BestFitRun {
    enum class Step : unsigned char {
        Same,         // every unit of the run becomes `byte`
        Next,         // the run's n-th unit becomes byte + n
        AlternateCase // capital and small letters take turns: byte, then byte in the other case, ...
    };
    char16_t first;
    char16_t last;
    unsigned char byte;
    Step step;
};

std::span<const BestFitRun> bestFitRuns();

} // namespace kvl::platform
