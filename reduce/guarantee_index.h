#pragma once
// Points of many single examined columns against one winning column without walking them: the
// examined columns counted by their pairs of signs on every set of 4, 5 and 6 matches.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/column.h"

namespace tessaline {

class TGuaranteeIndex {
public:
    // False when some examined column holds other than one sign per team (the index cannot serve).
    static bool Applies(std::span<const Colonna> examined);
    explicit TGuaranteeIndex(std::span<const Colonna> examined);
    ~TGuaranteeIndex();
    TGuaranteeIndex(const TGuaranteeIndex&) = delete;
    TGuaranteeIndex& operator=(const TGuaranteeIndex&) = delete;

    // The examined columns scoring exactly 4, 5 and 6 points against w. False (nothing written) when
    // w holds several signs in a team; an empty team is wrong for every examined column.
    bool Count(const Colonna& w, std::int32_t& n4, std::int32_t& n5, std::int32_t& n6) const;

    // The bytes the tables hold (for the benchmarks and the tests of their sizing).
    std::size_t Bytes() const;

private:
    // The counts of one set of matches keyed by its pairs of signs (4 bits per match), in two
    // levels: the key's high bits pick a block of counts of the low `low` bits, block 0 all zeros
    // for the prefixes no examined column has. The blocks and the prefix table are sized to the
    // examined columns; the enumeration's neighbouring keys share a block.
    struct TTable {
        std::uint8_t matches[6];
        int size = 0;
        int low = 0;
        std::vector<std::uint32_t> blockOf;
        std::vector<std::int32_t> counts;
        std::int32_t Get(std::uint32_t key) const {
            return counts[std::size_t{blockOf[key >> low]} << low | (key & ((1u << low) - 1))];
        }
    };
    TTable tables_[22]; // the 6-match set, the six 5-match sets, the fifteen 4-match sets
    std::uint32_t mask_[22] = {};
};

} // namespace tessaline
