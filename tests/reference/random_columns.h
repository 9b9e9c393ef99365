#pragma once
// Seeded random column lists shared by tests and benchmarks.

#include <random>
#include <unordered_set>
#include <vector>

#include "core/column.h"

namespace tessaline::reference {

// n distinct single columns drawn with the seed from the forecast's space.
inline std::vector<Colonna> DistinctSingles(const Pronostico& forecast, std::size_t n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::unordered_set<std::uint64_t> seen;
    std::vector<Colonna> out;
    out.reserve(n);
    while (out.size() < n) {
        Colonna c;
        std::uint64_t key = 0;
        for (int t = 0; t < kTeams; ++t) {
            int signs[4];
            int k = 0;
            for (int b = 0; b < 4; ++b) {
                if ((forecast[t] >> b) & 1) {
                    signs[k++] = b;
                }
            }
            const int b = signs[rng() % static_cast<unsigned>(k)];
            c[t] = static_cast<SignSet>(1 << b);
            key = key * 4 + static_cast<std::uint64_t>(b);
        }
        if (seen.insert(key).second) {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace tessaline::reference
