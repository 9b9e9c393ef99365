#pragma once
// Every single column of twelve quadruples in lexicographic order (team 12 fastest), for the
// condition benchmarks.

#include <array>
#include <cstdint>

#include "core/column.h"

namespace tessaline::reference {

inline constexpr std::int64_t kAllQuadruples = std::int64_t{1} << 24;

// Calls f for the first count columns.
template <class F> void EnumerateQuadruples(std::int64_t count, F&& f) {
    std::array<int, 12> digit{};
    Colonna c;
    c.s.fill(kSign0);
    for (std::int64_t n = 0; n < count; ++n) {
        f(c);
        int t = 11;
        while (t >= 0 && digit[static_cast<std::size_t>(t)] == 3) {
            digit[static_cast<std::size_t>(t)] = 0;
            c.s[static_cast<std::size_t>(t)] = kSign0;
            --t;
        }
        if (t < 0) {
            break;
        }
        ++digit[static_cast<std::size_t>(t)];
        c.s[static_cast<std::size_t>(t)] = static_cast<SignSet>(c.s[static_cast<std::size_t>(t)] << 1);
    }
}

} // namespace tessaline::reference
