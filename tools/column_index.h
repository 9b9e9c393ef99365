#pragma once
// The column-file operations one column of the second file at a time, with the first list indexed
// when it holds single columns: equality and coverage become look-ups instead of walks of the list.
// Results, orders and counts are those of walking the list.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"
#include "tools/column_ops.h"

namespace tessaline {

class TCombinatore {
public:
    // first is the first file's list; for Or and Xor it is the result and changes (see Chiudi).
    TCombinatore(TOperazione op, TListaColonne& first);
    ~TCombinatore();
    TCombinatore(const TCombinatore&) = delete;
    TCombinatore& operator=(const TCombinatore&) = delete;

    // One column of the second file: Or and Xor change the first list, And and the coverage
    // checks append to result.
    void Combina(const Colonna& c, TListaColonne& result);
    // The second file's column count when known beforehand (room is made for it once).
    void Attesi(std::size_t columns) {
        if (batched_) {
            pending_.reserve(columns);
        }
    }
    // Brings the first list up to date (Xor applies the second file at the end); call before
    // reading it.
    void Chiudi();

private:
    bool Within(const Colonna& c, int distance) const;
    // Xor: applies the pending columns of the second file to the first list at once.
    void ApplyPending();

    TOperazione op_;
    TListaColonne& first_;
    bool indexed_ = false;
    std::uint8_t* marked_ = nullptr; // Or, And: cells present; coverage: cells covered
    // Xor over single columns: the first list's cells and the second file's columns waiting to be
    // applied. Within a cell the walk removes the earliest live equal column or appends, so the
    // outcome of a cell follows from its counts in both lists; no table per cell is needed.
    std::vector<std::uint32_t> firstCells_;
    std::vector<Colonna> pending_;
    bool batched_ = false;
};

} // namespace tessaline
