#include "harness/Stats.h"

#include <algorithm>
#include <cmath>

namespace quillet::bench {

double Quantile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    const double rank = std::clamp(q, 0.0, 1.0) * static_cast<double>(samples.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, samples.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return samples[below] + fraction * (samples[above] - samples[below]);
}

}  // namespace quillet::bench
