#pragma once
// The column-file operations walking the first list for every column of the second, as written:
// the reference for the indexed operations.

#include <vector>

#include "core/column_list.h"
#include "tools/column_ops.h"

namespace tessaline::reference {

inline bool AnyWithin(const TListaColonne& list, const Colonna& c, int distance) {
    for (const Colonna& x : list) {
        if (WrongMatches(x, c) <= distance) {
            return true;
        }
    }
    return false;
}

// Returns the list the operation writes: the first list for Or and Xor, the result otherwise.
inline TListaColonne Combine(TOperazione op, TListaColonne first, const std::vector<Colonna>& second) {
    TListaColonne result;
    for (const Colonna& c : second) {
        switch (op) {
        case TOperazione::Or:
            if (!AnyWithin(first, c, 0)) {
                first.Append(c);
            }
            break;
        case TOperazione::And:
            if (AnyWithin(first, c, 0)) {
                result.Append(c);
            }
            break;
        case TOperazione::Xor: {
            std::size_t i = 0;
            while (i < first.Size() && WrongMatches(first[i], c) != 0) {
                ++i;
            }
            if (i < first.Size()) {
                first.RemoveAt(i);
            } else {
                first.Append(c);
            }
            break;
        }
        case TOperazione::CoperturaN1:
        case TOperazione::CoperturaN2:
            if (!AnyWithin(first, c, op == TOperazione::CoperturaN1 ? 1 : 2)) {
                result.Append(c);
            }
            break;
        case TOperazione::Disordinatore:
            break;
        }
    }
    return op == TOperazione::Or || op == TOperazione::Xor ? first : result;
}

} // namespace tessaline::reference
