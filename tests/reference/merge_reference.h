#pragma once
// The merge exactly as described, on a node-per-column linked list: the reference that the shipped
// merge must match column for column.

#include <list>
#include <vector>

#include "core/column.h"

namespace tessaline::reference {

inline std::vector<Colonna> Merge(const std::vector<Colonna>& input) {
    std::list<Colonna> l(input.begin(), input.end());
    bool changed = true;
    while (l.size() > 1 && changed) {
        changed = false;
        for (auto h = l.begin(); h != l.end() && std::next(h) != l.end(); ++h) {
            for (auto s = std::next(h); s != l.end();) {
                int diffs = 0;
                int team = -1;
                for (int j = 0; j < kTeams; ++j) {
                    if ((*h)[j] != (*s)[j]) {
                        ++diffs;
                        team = j;
                    }
                }
                if (diffs == 1) {
                    (*h)[team] = static_cast<SignSet>((*h)[team] | (*s)[team]);
                    s = l.erase(s);
                    changed = true;
                } else {
                    ++s;
                }
            }
        }
    }
    return {l.begin(), l.end()};
}

} // namespace tessaline::reference
