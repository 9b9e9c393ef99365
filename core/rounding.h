#pragma once
// The two rounding words used throughout: "nearest integer" and "truncated".

#include <cmath>
#include <cstdint>

namespace tessaline {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline std::int64_t RoundNearest(double x) {
    const double r = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) {
        const double down = r - std::copysign(1.0, x);
        return static_cast<std::int64_t>(std::fmod(r, 2.0) == 0.0 ? r : down);
    }
    return static_cast<std::int64_t>(r);
}

// Truncated towards zero (2.9 -> 2, -2.9 -> -2).
inline std::int64_t Truncate(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

} // namespace tessaline
