#pragma once

#include <cmath>
#include <numbers>

namespace quillet {

// The drawing code computes at extended precision (long double) and stores
// results between steps as double, so that its points match the figures'
// design to the pixel. Integer division in C++ already truncates toward zero
// and so serves as div.

inline constexpr long double kPi = std::numbers::pi_v<long double>;

// Nearest integer, an exact half to the even neighbour: nearbyint under the
// default rounding mode, which the program never changes.
inline int Round(long double x) { return static_cast<int>(std::nearbyint(x)); }

// Toward zero.
inline int Trunc(long double x) { return static_cast<int>(x); }

}  // namespace quillet
