#include "tools/column_index.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace tessaline {

namespace {

constexpr std::size_t kCells = std::size_t{1} << 24;
constexpr std::uint32_t kNoCell = 0xFFFFFFFFu;

// The cell of a column with exactly one sign in each team's low four bits; kNoCell when a team
// holds none (it then agrees with nothing); kMulti when a team holds several.
constexpr std::uint32_t kMulti = 0xFFFFFFFEu;
std::uint32_t CellOf(const Colonna& c) {
    std::uint32_t cell = 0;
    bool empty = false;
    for (int t = 0; t < kTeams; ++t) {
        const unsigned s = c[t] & 15u;
        int idx = 0;
        switch (s) {
        case 1:
            idx = 0;
            break;
        case 2:
            idx = 1;
            break;
        case 4:
            idx = 2;
            break;
        case 8:
            idx = 3;
            break;
        case 0:
            empty = true;
            break;
        default:
            return kMulti;
        }
        cell = cell << 2 | static_cast<std::uint32_t>(idx);
    }
    return empty ? kNoCell : cell;
}

template <class T> T* Zeroed(std::size_t n) {
    auto* p = static_cast<T*>(std::calloc(n, sizeof(T)));
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

// Marks every cell within distance matches of cell (cell itself included).
void MarkAround(std::uint8_t* marked, std::uint32_t cell, int distance, int from = 0) {
    marked[cell] = 1;
    if (distance == 0) {
        return;
    }
    for (int m = from; m < kMatches; ++m) {
        const int shift = 4 * (kMatches - 1 - m); // match 1 holds the highest bits
        const std::uint32_t own = (cell >> shift) & 15u;
        for (std::uint32_t v = 0; v < 16; ++v) {
            if (v != own) {
                MarkAround(marked, (cell & ~(15u << shift)) | (v << shift), distance - 1, m + 1);
            }
        }
    }
}

int Radius(TOperazione op) {
    return op == TOperazione::CoperturaN1 ? 1 : 2;
}

} // namespace

TCombinatore::TCombinatore(TOperazione op, TListaColonne& first) : op_(op), first_(first) {
    const bool coverage = op == TOperazione::CoperturaN1 || op == TOperazione::CoperturaN2;
    for (const Colonna& c : first_) {
        const std::uint32_t cell = CellOf(c);
        if (cell == kMulti || (coverage && cell == kNoCell)) {
            return; // the walk of the list serves
        }
    }
    if (op == TOperazione::Xor) {
        batched_ = true;
        firstCells_.reserve(first_.Size());
        for (const Colonna& c : first_) {
            firstCells_.push_back(CellOf(c));
        }
        return;
    }
    indexed_ = true;
    marked_ = Zeroed<std::uint8_t>(kCells);
    if (coverage) {
        for (const Colonna& c : first_) {
            MarkAround(marked_, CellOf(c), Radius(op));
        }
        return;
    }
    for (const Colonna& c : first_) {
        const std::uint32_t cell = CellOf(c);
        if (cell != kNoCell) {
            marked_[cell] = 1;
        }
    }
}

TCombinatore::~TCombinatore() {
    std::free(marked_);
}

bool TCombinatore::Within(const Colonna& c, int distance) const {
    for (const Colonna& x : first_) {
        if (WrongMatches(x, c) <= distance) {
            return true;
        }
    }
    return false;
}

void TCombinatore::Combina(const Colonna& c, TListaColonne& result) {
    const std::uint32_t cell = CellOf(c);
    if (batched_) {
        if (cell != kMulti) {
            pending_.push_back(c);
            return;
        }
        // A column of several signs may equal single columns of other cells: bring the list up to
        // date and walk it from here on.
        ApplyPending();
    }
    if (!indexed_) {
        // Walk the list, as the operation is written.
        switch (op_) {
        case TOperazione::Or:
            if (!Within(c, 0)) {
                first_.Append(c);
            }
            break;
        case TOperazione::And:
            if (Within(c, 0)) {
                result.Append(c);
            }
            break;
        case TOperazione::Xor: {
            std::size_t i = 0;
            while (i < first_.Size() && WrongMatches(first_[i], c) != 0) {
                ++i;
            }
            if (i < first_.Size()) {
                first_.RemoveAt(i);
            } else {
                first_.Append(c);
            }
            break;
        }
        case TOperazione::CoperturaN1:
        case TOperazione::CoperturaN2:
            if (!Within(c, Radius(op_))) {
                result.Append(c);
            }
            break;
        case TOperazione::Disordinatore:
            break;
        }
        return;
    }
    switch (op_) {
    case TOperazione::Or:
        if (cell == kMulti) {
            if (!Within(c, 0)) {
                first_.Append(c);
                indexed_ = false; // single columns could now match it: walk from here on
            }
        } else if (cell == kNoCell || marked_[cell] == 0) {
            // A column with an empty team is at distance 0 from nothing.
            first_.Append(c);
            if (cell != kNoCell) {
                marked_[cell] = 1;
            }
        }
        break;
    case TOperazione::And:
        if (cell == kMulti ? Within(c, 0) : (cell != kNoCell && marked_[cell] != 0)) {
            result.Append(c);
        }
        break;
    case TOperazione::Xor: // batched, never indexed
        break;
    case TOperazione::CoperturaN1:
    case TOperazione::CoperturaN2:
        if (cell == kMulti || cell == kNoCell ? !Within(c, Radius(op_)) : marked_[cell] == 0) {
            result.Append(c);
        }
        break;
    case TOperazione::Disordinatore:
        break;
    }
}

namespace {

// Positions 0..cells.size()-1 ordered by cell, equal cells in position order (two stable passes of
// 12 bits each; kNoCell sorts last).
std::vector<std::uint32_t> ByCell(const std::vector<std::uint32_t>& cells) {
    std::vector<std::uint32_t> order(cells.size());
    std::vector<std::uint32_t> tmp(cells.size());
    const auto digit = [&](std::uint32_t pos, int pass) -> std::uint32_t {
        const std::uint32_t cell = cells[pos];
        if (cell == kNoCell) {
            return pass == 0 ? 0 : 4096; // past every real cell
        }
        return (cell >> (12 * pass)) & 4095u;
    };
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::size_t> start(4098, 0);
        for (std::uint32_t pos : order) {
            ++start[digit(pos, pass) + 1];
        }
        for (std::size_t d = 1; d < start.size(); ++d) {
            start[d] += start[d - 1];
        }
        for (std::uint32_t pos : order) {
            tmp[start[digit(pos, pass)]++] = pos;
        }
        order.swap(tmp);
    }
    return order;
}

} // namespace

void TCombinatore::ApplyPending() {
    if (!batched_) {
        return;
    }
    batched_ = false;
    std::vector<std::uint32_t> secondCells(pending_.size());
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        secondCells[i] = CellOf(pending_[i]);
    }
    const auto firstOrder = ByCell(firstCells_);
    const auto secondOrder = ByCell(secondCells);
    std::vector<std::uint8_t> firstGone(firstCells_.size(), 0);
    std::vector<std::uint8_t> secondKept(pending_.size(), 0);
    // Per cell with a first-list columns and b second-file columns: the first min(a, b) of the
    // first list go; past them the second file's columns are added and removed in turn, so the last
    // of them stays when b - a is odd. A column with an empty team equals nothing and always stays.
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < firstOrder.size() || j < secondOrder.size()) {
        const std::uint32_t a = i < firstOrder.size() ? firstCells_[firstOrder[i]] : kNoCell;
        const std::uint32_t b = j < secondOrder.size() ? secondCells[secondOrder[j]] : kNoCell;
        const std::uint32_t cell = std::min(a, b);
        if (cell == kNoCell) {
            for (; j < secondOrder.size(); ++j) {
                secondKept[secondOrder[j]] = 1;
            }
            break;
        }
        std::size_t i2 = i;
        while (i2 < firstOrder.size() && firstCells_[firstOrder[i2]] == cell) {
            ++i2;
        }
        std::size_t j2 = j;
        while (j2 < secondOrder.size() && secondCells[secondOrder[j2]] == cell) {
            ++j2;
        }
        const std::size_t inFirst = i2 - i;
        const std::size_t inSecond = j2 - j;
        for (std::size_t k = 0; k < std::min(inFirst, inSecond); ++k) {
            firstGone[firstOrder[i + k]] = 1;
        }
        if (inSecond > inFirst && (inSecond - inFirst) % 2 == 1) {
            secondKept[secondOrder[j2 - 1]] = 1;
        }
        i = i2;
        j = j2;
    }
    // The first list keeps its survivors in place, then the second file's survivors follow.
    std::size_t w = 0;
    for (std::size_t k = 0; k < firstCells_.size(); ++k) {
        if (firstGone[k] == 0) {
            first_[w++] = first_[k];
        }
    }
    first_.Truncate(w);
    for (std::size_t k = 0; k < pending_.size(); ++k) {
        if (secondKept[k] != 0) {
            first_.Append(pending_[k]);
        }
    }
    firstCells_ = {};
    pending_ = {};
}

void TCombinatore::Chiudi() {
    ApplyPending();
}

} // namespace tessaline
