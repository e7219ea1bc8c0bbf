#pragma once

#include <vector>

namespace quillet::bench {

// The q-quantile (0..1) by linear interpolation between the closest ranks;
// 0 for no samples.
double Quantile(std::vector<double> samples, double q);
inline double Median(const std::vector<double>& samples) { return Quantile(samples, 0.5); }

// One figure of every sample, in their order.
template <typename Sample>
std::vector<double> Field(const std::vector<Sample>& samples, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& s : samples) values.push_back(s.*field);
    return values;
}

}  // namespace quillet::bench
