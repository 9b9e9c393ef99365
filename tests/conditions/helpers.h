#pragma once
// Small builders shared by the condition tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline::test {

// "0 0 1 2 M ..." or "0012M...": twelve signs, blanks ignored, "*" for no sign.
inline Colonna Col(const std::string& text) {
    Colonna c;
    std::size_t team = 0;
    for (const char ch : text) {
        if (ch == ' ') {
            continue;
        }
        if (team < 12) {
            c.s[team++] = ch == '*' ? 0 : ParseSigns(std::string(1, ch));
        }
    }
    return c;
}

// One section of a value table record as the layout gives it: Attiva, letter, Tra (int16 LE), then
// state and level for values 0 .. N+3.
struct TSectionSpec {
    std::uint8_t attiva = 0;
    char link = 'A';
    std::int16_t tra = 0;
    std::vector<std::pair<int, std::pair<std::uint8_t, std::uint8_t>>> entries; // value -> (state, level)
};

inline void AppendI16(std::vector<std::uint8_t>& b, std::int16_t v) {
    b.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF));
    b.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
}

inline std::vector<std::uint8_t> TableBytes(int n, const TSectionSpec& pt, const TSectionSpec& cs,
                                            std::int16_t min = 1, std::int16_t max = 12) {
    std::vector<std::uint8_t> b;
    for (const TSectionSpec* s : {&pt, &cs}) {
        b.push_back(s->attiva);
        b.push_back(static_cast<std::uint8_t>(s->link));
        AppendI16(b, s->tra);
        std::vector<std::uint8_t> entries(2 * static_cast<std::size_t>(n + 4), 0);
        for (const auto& [v, e] : s->entries) {
            entries[2 * static_cast<std::size_t>(v)] = e.first;
            entries[2 * static_cast<std::size_t>(v) + 1] = e.second;
        }
        b.insert(b.end(), entries.begin(), entries.end());
    }
    AppendI16(b, min);
    AppendI16(b, max);
    return b;
}

inline std::vector<std::uint8_t> EmptyTableBytes(int n) {
    return TableBytes(n, {}, {});
}

} // namespace tessaline::test
