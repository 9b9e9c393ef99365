#pragma once
// A column written as twelve sign letters, one per team ("*" for a team without signs).

#include <string>
#include <string_view>

#include "core/column.h"

namespace tessaline::test {

inline Colonna Col(std::string_view letters) {
    Colonna c;
    for (int t = 0; t < kTeams && static_cast<std::size_t>(t) < letters.size(); ++t) {
        c[t] = ParseSigns(std::string(1, letters[static_cast<std::size_t>(t)]));
    }
    return c;
}

} // namespace tessaline::test
