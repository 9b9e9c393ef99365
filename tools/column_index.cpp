#include "tools/column_index.h"

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
    indexed_ = true;
    marked_ = Zeroed<std::uint8_t>(kCells);
    if (coverage) {
        for (const Colonna& c : first_) {
            MarkAround(marked_, CellOf(c), Radius(op));
        }
        return;
    }
    if (op == TOperazione::Xor) {
        head_ = Zeroed<std::uint32_t>(kCells);
        tail_ = Zeroed<std::uint32_t>(kCells);
        items_.reserve(first_.Size());
        for (const Colonna& c : first_) {
            AppendFirst(c);
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
    std::free(head_);
    std::free(tail_);
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

void TCombinatore::AppendFirst(const Colonna& c) {
    const auto pos = static_cast<std::uint32_t>(items_.size());
    items_.push_back(c);
    dead_.push_back(0);
    next_.push_back(0);
    const std::uint32_t cell = CellOf(c);
    if (cell == kNoCell || cell == kMulti) {
        return;
    }
    if (tail_[cell] == 0) {
        head_[cell] = pos + 1;
    } else {
        next_[tail_[cell] - 1] = pos + 1;
    }
    tail_[cell] = pos + 1;
}

void TCombinatore::Combina(const Colonna& c, TListaColonne& result) {
    const std::uint32_t cell = CellOf(c);
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
    case TOperazione::Xor:
        if (cell == kMulti) {
            std::size_t i = 0;
            while (i < items_.size() && (dead_[i] != 0 || WrongMatches(items_[i], c) != 0)) {
                ++i;
            }
            if (i < items_.size()) {
                dead_[i] = 1; // left in its chain; popping skips it
                ++removed_;
            } else {
                AppendFirst(c);
                Chiudi();
                indexed_ = false;
            }
        } else if (cell == kNoCell || !PopFirst(cell)) {
            AppendFirst(c);
        }
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

bool TCombinatore::PopFirst(std::uint32_t cell) {
    while (head_[cell] != 0) {
        const std::uint32_t pos = head_[cell] - 1;
        head_[cell] = next_[pos];
        if (head_[cell] == 0) {
            tail_[cell] = 0;
        }
        if (dead_[pos] == 0) {
            dead_[pos] = 1;
            ++removed_;
            return true;
        }
    }
    return false;
}

void TCombinatore::Chiudi() {
    if (!indexed_ || op_ != TOperazione::Xor || synced_ == items_.size() + removed_) {
        return;
    }
    // The list is the live items in order.
    TListaColonne live;
    live.Reserve(items_.size() - removed_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (dead_[i] == 0) {
            live.Append(items_[i]);
        }
    }
    first_ = std::move(live);
    synced_ = items_.size() + removed_;
}

} // namespace tessaline
