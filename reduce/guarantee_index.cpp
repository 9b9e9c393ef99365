#include "reduce/guarantee_index.h"

#include <algorithm>
#include <array>

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
    for (int size = 6; size >= 4; --size) {
        for (std::uint32_t set = 0; set < 64; ++set) {
            if (__builtin_popcount(set) != size) {
                continue;
            }
            TTable& t = tables_[n];
            mask_[n++] = set;
            for (int m = 0; m < kMatches; ++m) {
                if ((set >> m) & 1) {
                    t.matches[t.size++] = static_cast<std::uint8_t>(m);
                }
            }
        }
    }
    std::vector<std::array<std::uint32_t, 22>> keys(examined.size());
    for (std::size_t e = 0; e < examined.size(); ++e) {
        int pair[kMatches];
        for (int m = 0; m < kMatches; ++m) {
            pair[m] = 4 * Sign(examined[e][2 * m]) + Sign(examined[e][2 * m + 1]);
        }
        for (int i = 0; i < 22; ++i) {
            const TTable& t = tables_[i];
            std::uint32_t key = 0;
            for (int j = 0; j < t.size; ++j) {
                key = key << 4 | static_cast<std::uint32_t>(pair[t.matches[j]]);
            }
            keys[e][static_cast<std::size_t>(i)] = key;
        }
    }
    const std::size_t columns = examined.size();
    for (int i = 0; i < 22; ++i) {
        TTable& t = tables_[i];
        const int keyBits = 4 * t.size;
        // The split that needs the fewest bytes when every examined column opens its own block.
        std::size_t best = ~std::size_t{0};
        for (int low = 4; low <= keyBits; ++low) {
            const std::size_t prefixes = std::size_t{1} << (keyBits - low);
            const std::size_t bytes = prefixes * sizeof(std::uint32_t) + (std::min(columns, prefixes) + 1) *
                                                                             (std::size_t{1} << low) *
                                                                             sizeof(std::int32_t);
            if (bytes < best) {
                best = bytes;
                t.low = low;
            }
        }
        t.blockOf.assign(std::size_t{1} << (keyBits - t.low), 0);
        std::uint32_t blocks = 0;
        for (const auto& k : keys) {
            std::uint32_t& b = t.blockOf[k[static_cast<std::size_t>(i)] >> t.low];
            if (b == 0) {
                b = ++blocks;
            }
        }
        t.counts.assign(std::size_t{blocks + 1} << t.low, 0);
        const std::uint32_t lowMask = (1u << t.low) - 1;
        for (const auto& k : keys) {
            const std::uint32_t key = k[static_cast<std::size_t>(i)];
            ++t.counts[std::size_t{t.blockOf[key >> t.low]} << t.low | (key & lowMask)];
        }
    }
}

TGuaranteeIndex::~TGuaranteeIndex() = default;

std::size_t TGuaranteeIndex::Bytes() const {
    std::size_t bytes = 0;
    for (const TTable& t : tables_) {
        bytes += t.blockOf.size() * sizeof(std::uint32_t) + t.counts.size() * sizeof(std::int32_t);
    }
    return bytes;
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
        sums[t.size] += t.Get(key);
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
