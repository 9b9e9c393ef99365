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
    // Brings the first list up to date (Xor removes lazily); call before reading it.
    void Chiudi();

private:
    bool Within(const Colonna& c, int distance) const;
    void AppendFirst(const Colonna& c);
    // Xor: removes the earliest live column of the cell; false when there is none.
    bool PopFirst(std::uint32_t cell);

    TOperazione op_;
    TListaColonne& first_;
    bool indexed_ = false;
    // Indexed state: the first list as a vector with removal marks, and per cell of single columns
    // the first and last live position holding it (1-based, 0 = none) with a chain between them.
    std::vector<Colonna> items_;
    std::vector<std::uint8_t> dead_;
    std::vector<std::uint32_t> next_;
    std::uint32_t* head_ = nullptr;
    std::uint32_t* tail_ = nullptr;
    std::uint8_t* marked_ = nullptr; // Or, And: cells present; coverage: cells covered
    std::size_t removed_ = 0;
    std::size_t synced_ = static_cast<std::size_t>(-1); // the state first_ last mirrored
};

} // namespace tessaline
