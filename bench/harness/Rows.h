#pragma once

#include <cstdio>
#include <string>

namespace quillet::bench {

// One line of the benchmark table, as bench/run collects them from every
// runner: tab-separated, starting with "row". A floor or p99 of -1 is "none".
// Target kinds: "ratio" (median / floor at most the target), "p99" (the 99th
// percentile below the target), "median" (the median below the target).
inline void PrintRow(const std::string& figure, const std::string& unit, double median, double p99,
                     double floor, const std::string& targetKind, double target) {
    std::printf("row\t%s\t%s\t%.4g\t%.4g\t%.4g\t%s\t%g\n", figure.c_str(), unit.c_str(), median,
                p99, floor, targetKind.c_str(), target);
    std::fflush(stdout);
}

}  // namespace quillet::bench
