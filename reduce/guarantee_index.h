#pragma once
// Points of many single examined columns against one winning column without walking them: the
// examined columns counted by their pairs of signs on every set of 4, 5 and 6 matches.

#include <cstdint>
#include <memory>
#include <span>

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

private:
    struct TTable {
        std::uint8_t matches[6];
        int size = 0;
        std::int32_t* counts = nullptr;
    };
    TTable tables_[22]; // the 6-match set, the six 5-match sets, the fifteen 4-match sets
    std::uint32_t mask_[22] = {};
};

} // namespace tessaline
