#pragma once
// Expected record bytes built field by field from the layouts in docs/FORMATS.md, independently of
// the writers under test, and small helpers for columns.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/binary_io.h"
#include "core/column.h"

namespace tessaline::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void Put32(Bytes& b, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
}

// One marked entry of a value table section.
struct TMarca {
    int v;
    std::uint8_t stato;
    std::uint8_t livello;
};

// A section: Attiva, link, Tra, entries 0..N+3 (state, level).
inline void PutSezione(Bytes& b, int n, bool attiva, char link, int tra, const std::vector<TMarca>& marks) {
    b.push_back(attiva ? 1 : 0);
    b.push_back(static_cast<std::uint8_t>(link));
    Put16(b, tra);
    std::vector<std::uint8_t> entries(2 * static_cast<std::size_t>(n + 4), 0);
    for (const TMarca& m : marks) {
        entries[2 * static_cast<std::size_t>(m.v)] = m.stato;
        entries[2 * static_cast<std::size_t>(m.v) + 1] = m.livello;
    }
    b.insert(b.end(), entries.begin(), entries.end());
}

// A six-byte real for a value with at most 40 significant bits: exponent byte, 39 fraction bits
// little-endian, sign in the top bit of the last byte.
inline void PutReal48(Bytes& b, double x) {
    if (x == 0) {
        b.insert(b.end(), 6, 0);
        return;
    }
    int k = 0;
    const double m = std::frexp(std::fabs(x), &k);
    const double fraction = (2 * m - 1) * 549755813888.0; // 2^39
    EXPECT_EQ(fraction, std::floor(fraction)) << "not exact in a six-byte real: " << x;
    auto f = static_cast<std::uint64_t>(fraction);
    if (x < 0) {
        f |= std::uint64_t{1} << 39;
    }
    b.push_back(static_cast<std::uint8_t>(k + 128));
    for (int i = 0; i < 5; ++i) {
        b.push_back(static_cast<std::uint8_t>(f >> (8 * i)));
    }
}

struct TIntervalloAtteso {
    double min;
    double max;
    int stato;
    int livello;
};

// The 1619-byte interval table: 101 slots of 16 bytes, Conta, link letter.
inline void PutIntervalli(Bytes& b, const std::vector<TIntervalloAtteso>& iv, char link) {
    for (std::size_t i = 0; i < 101; ++i) {
        if (i < iv.size()) {
            PutReal48(b, iv[i].min);
            PutReal48(b, iv[i].max);
            Put16(b, iv[i].stato);
            Put16(b, iv[i].livello);
        } else {
            b.insert(b.end(), 16, 0);
        }
    }
    Put16(b, static_cast<int>(iv.size()));
    b.push_back(static_cast<std::uint8_t>(link));
}

// "0 1 2 M" letters (blanks ignored) to a single column.
inline Colonna Col(const std::string& text) {
    Colonna c;
    int t = 0;
    for (const char ch : text) {
        if (ch == ' ') {
            continue;
        }
        c[t++] = ParseSigns(std::string(1, ch));
    }
    EXPECT_EQ(t, 12) << text;
    return c;
}

inline Bytes Written(const auto& condition) {
    TByteWriter w;
    EXPECT_TRUE(condition.Scrivi(w));
    return w.Data();
}

} // namespace tessaline::test
