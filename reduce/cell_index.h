#pragma once
// Columns of single signs as cells of a mixed-radix space: one digit per unit (a match's pair of
// signs, or a team's sign when the distance counts teams), each digit ranging over the values that
// unit takes among the columns. Two columns are at distance d when d digits differ, so the columns
// near a column are found by enumerating its neighbour cells instead of comparing every pair.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/column.h"
#include "core/interfaces.h"
#include "reduce/optimised.h"

namespace tessaline {

class TCellIndex {
public:
    // Indexes the columns (each holding exactly one sign per team). When a column repeats, its cell
    // answers with the last of its copies. cancel (may be null) is peeked now and then: when it is set
    // the building stops and the index must not be used (Stopped()).
    TCellIndex(std::span<const Colonna> columns, TDistanceKind distance, CancelProbe* cancel = nullptr);

    // True when "Annulla" stopped the building.
    bool Stopped() const { return stopped_; }

    // The index of the column at the cell of c (a column of single signs), or -1 when none is there.
    std::int32_t Find(const Colonna& c) const;

    // Calls f(j, d) for every column j within maxDistance of column i (i itself included, d = 0),
    // nearer columns first.
    template <class F> void Around(std::size_t i, int maxDistance, F&& f) const {
        int digits[12];
        std::int64_t cell = 0;
        for (int u = 0; u < units_; ++u) {
            digits[u] = digits_[i * static_cast<std::size_t>(units_) + static_cast<std::size_t>(u)];
            cell += digits[u] * stride_[u];
        }
        const int top = std::min<int>(maxDistance, static_cast<int>(active_.size()));
        for (int d = 0; d <= top; ++d) {
            Enumerate(digits, 0, d, cell, d, f);
        }
    }

private:
    int UnitValue(const Colonna& c, int u) const;
    template <class F>
    void Enumerate(const int* digits, int from, int remaining, std::int64_t cell, int d, F& f) const {
        if (remaining == 0) {
            const std::int32_t j = posOfCell_[static_cast<std::size_t>(cell)];
            if (j >= 0) {
                f(static_cast<std::size_t>(j), d);
            }
            return;
        }
        const int last = static_cast<int>(active_.size()) - remaining;
        for (int a = from; a <= last; ++a) {
            const int u = active_[static_cast<std::size_t>(a)];
            const int cur = digits[u];
            for (int v = 0; v < radix_[u]; ++v) {
                if (v != cur) {
                    Enumerate(digits, a + 1, remaining - 1, cell + (v - cur) * stride_[u], d, f);
                }
            }
        }
    }

    TDistanceKind distance_;
    int units_ = 0;
    std::vector<int> active_; // units with more than one value
    int radix_[12] = {};
    std::int64_t stride_[12] = {};
    int local_[12][16] = {}; // unit value -> digit, -1 when no column takes it
    std::vector<std::int32_t> posOfCell_;
    std::vector<std::uint8_t> digits_; // n * units
    bool stopped_ = false;
};

} // namespace tessaline
