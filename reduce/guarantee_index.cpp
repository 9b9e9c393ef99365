#include "reduce/guarantee_index.h"

#include <cstdlib>
#include <new>

namespace tessaline {

namespace {

// 0..3 for a single sign, -1 for an empty team, -2 for several signs.
inline int Sign(SignSet s) {
    switch (s) {
    case kSign0:
        return 0;
    case kSign1:
        return 1;
    case kSign2:
        return 2;
    case kSignM:
        return 3;
    case 0:
        return -1;
    default:
        return -2;
    }
}

} // namespace

bool TGuaranteeIndex::Applies(std::span<const Colonna> examined) {
    for (const Colonna& c : examined) {
        for (int t = 0; t < kTeams; ++t) {
            if (Sign(c[t]) < 0) {
                return false;
            }
        }
    }
    return true;
}

TGuaranteeIndex::TGuaranteeIndex(std::span<const Colonna> examined) {
    int n = 0;
    const auto add = [&](std::uint32_t set) {
        TTable& t = tables_[n];
        mask_[n] = set;
        for (int m = 0; m < kMatches; ++m) {
            if ((set >> m) & 1) {
                t.matches[t.size++] = static_cast<std::uint8_t>(m);
            }
        }
        // Zeroed pages that are never touched cost nothing.
        t.counts =
            static_cast<std::int32_t*>(std::calloc(std::size_t{1} << (4 * t.size), sizeof(std::int32_t)));
        if (t.counts == nullptr) {
            throw std::bad_alloc();
        }
        ++n;
    };
    for (int size = 6; size >= 4; --size) {
        for (std::uint32_t set = 0; set < 64; ++set) {
            if (__builtin_popcount(set) == size) {
                add(set);
            }
        }
    }
    for (const Colonna& c : examined) {
        int pair[kMatches];
        for (int m = 0; m < kMatches; ++m) {
            pair[m] = 4 * Sign(c[2 * m]) + Sign(c[2 * m + 1]);
        }
        for (TTable& t : tables_) {
            std::uint32_t key = 0;
            for (int i = 0; i < t.size; ++i) {
                key = key << 4 | static_cast<std::uint32_t>(pair[t.matches[i]]);
            }
            ++t.counts[key];
        }
    }
}

TGuaranteeIndex::~TGuaranteeIndex() {
    for (TTable& t : tables_) {
        std::free(t.counts);
    }
}

bool TGuaranteeIndex::Count(const Colonna& w, std::int32_t& n4, std::int32_t& n5, std::int32_t& n6) const {
    int pair[kMatches];
    std::uint32_t valid = 0;
    for (int m = 0; m < kMatches; ++m) {
        const int h = Sign(w[2 * m]);
        const int a = Sign(w[2 * m + 1]);
        if (h == -2 || a == -2) {
            return false;
        }
        if (h >= 0 && a >= 0) {
            pair[m] = 4 * h + a;
            valid |= 1u << m;
        }
    }
    // With A(S) the examined columns right on every match of S: the sum of A over the 5-match
    // sets is n5 + 6 n6, over the 4-match sets n4 + 5 n5 + 15 n6.
    std::int64_t sums[7] = {};
    for (int i = 0; i < 22; ++i) {
        if ((mask_[i] & valid) != mask_[i]) {
            continue;
        }
        const TTable& t = tables_[i];
        std::uint32_t key = 0;
        for (int j = 0; j < t.size; ++j) {
            key = key << 4 | static_cast<std::uint32_t>(pair[t.matches[j]]);
        }
        sums[t.size] += t.counts[key];
    }
    const std::int64_t six = sums[6];
    const std::int64_t five = sums[5] - 6 * six;
    const std::int64_t four = sums[4] - 5 * five - 15 * six;
    n6 = static_cast<std::int32_t>(six);
    n5 = static_cast<std::int32_t>(five);
    n4 = static_cast<std::int32_t>(four);
    return true;
}

} // namespace tessaline
