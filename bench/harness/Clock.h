#pragma once

#include <chrono>

namespace quillet::bench {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Millis = std::chrono::duration<double, std::milli>;

inline double MillisBetween(TimePoint from, TimePoint to) { return Millis(to - from).count(); }

}  // namespace quillet::bench
