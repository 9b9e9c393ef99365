#pragma once
// The seeded random forecasts the improved reduction is measured on: every team one to four random
// signs, redrawn until the forecast develops into 1,000 to 50,000 columns.

#include <cstdint>
#include <random>

#include "core/column.h"

inline tessaline::Pronostico RandomForecast(std::uint32_t seed) {
    using namespace tessaline;
    std::mt19937 rng(seed);
    for (;;) {
        Pronostico f;
        for (int t = 0; t < kTeams; ++t) {
            SignSet s = 0;
            const int signs = 1 + static_cast<int>(rng() % 4);
            while (SignCount(s) < signs) {
                s = static_cast<SignSet>(s | (1 << (rng() % 4)));
            }
            f[t] = s;
        }
        const std::int64_t n = ColumnsCovered(f);
        if (n >= 1000 && n <= 50000) {
            return f;
        }
    }
}
