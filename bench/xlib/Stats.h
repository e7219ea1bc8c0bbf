#pragma once

#include <vector>

namespace quillet::bench {

// The q-quantile (0..1) by linear interpolation between the closest ranks;
// 0 for no samples.
double Quantile(std::vector<double> samples, double q);
inline double Median(const std::vector<double>& samples) { return Quantile(samples, 0.5); }

}  // namespace quillet::bench
