#pragma once
// The enumerators of the development: every single column a forecast or a pair table covers, in
// the program's order, built in place and handed to a callback. Modes 5 and 4 hand each column on
// with one or two teams blanked, for the guarantee calculation with errors on the forecast.

#include <array>
#include <cstdint>

#include "core/column.h"
#include "core/interfaces.h"

namespace tessaline {

// Mode 6: one call per column. Mode 5: 12 calls per column, team i's byte set to 0 (team 1 first).
// Mode 4: 66 calls per column, teams i < j both 0, in the order (1,2), (1,3) ... (11,12).
enum class TEnumMode : int { Develop = 6, OneError = 5, TwoErrors = 4 };

namespace detail {

template <class Callback> inline void EmitColumn(Colonna& c, TEnumMode mode, Callback& callback) {
    if (mode == TEnumMode::Develop) {
        callback(static_cast<const Colonna&>(c));
        return;
    }
    if (mode == TEnumMode::OneError) {
        for (int i = 0; i < kTeams; ++i) {
            const SignSet keep = c[i];
            c[i] = 0;
            callback(static_cast<const Colonna&>(c));
            c[i] = keep;
        }
        return;
    }
    for (int i = 0; i < kTeams - 1; ++i) {
        const SignSet keepI = c[i];
        c[i] = 0;
        for (int j = i + 1; j < kTeams; ++j) {
            const SignSet keepJ = c[j];
            c[j] = 0;
            callback(static_cast<const Colonna&>(c));
            c[j] = keepJ;
        }
        c[i] = keepI;
    }
}

// The single signs of a set in the order 0, 1, 2, M.
struct TSignList {
    std::array<SignSet, 4> s{};
    int n = 0;
};

inline TSignList SignsOf(SignSet set) {
    TSignList l;
    for (int b = 0; b < 4; ++b) {
        if ((set >> b) & 1) {
            l.s[static_cast<std::size_t>(l.n++)] = static_cast<SignSet>(1 << b);
        }
    }
    return l;
}

} // namespace detail

// Every single column of the forecast in lexicographic order (team 1 most significant, signs
// 0 < 1 < 2 < M). Once for every combination of teams 1 to 9 it takes a pending "Annulla" from the
// probe (may be null) and stops. Returns true when the enumeration ran to its end. A team with an
// empty set yields no column.
template <class Callback>
bool EnumerateForecast(const Pronostico& forecast, TEnumMode mode, CancelProbe* cancel, Callback&& callback) {
    std::array<detail::TSignList, kTeams> signs;
    for (int t = 0; t < kTeams; ++t) {
        signs[static_cast<std::size_t>(t)] = detail::SignsOf(forecast[t]);
        if (signs[static_cast<std::size_t>(t)].n == 0) {
            return true;
        }
    }
    const auto& s9 = signs[9];
    const auto& s10 = signs[10];
    const auto& s11 = signs[11];
    // Odometer over teams 1 to 9; teams 10 to 12 are the three innermost loops.
    std::array<int, 9> idx{};
    Colonna c;
    for (int t = 0; t < 9; ++t) {
        c[t] = signs[static_cast<std::size_t>(t)].s[0];
    }
    for (;;) {
        if (cancel != nullptr && cancel->Take()) {
            return false;
        }
        for (int a = 0; a < s9.n; ++a) {
            c[9] = s9.s[static_cast<std::size_t>(a)];
            for (int b = 0; b < s10.n; ++b) {
                c[10] = s10.s[static_cast<std::size_t>(b)];
                for (int d = 0; d < s11.n; ++d) {
                    c[11] = s11.s[static_cast<std::size_t>(d)];
                    detail::EmitColumn(c, mode, callback);
                }
            }
        }
        int t = 8;
        while (t >= 0) {
            auto& i = idx[static_cast<std::size_t>(t)];
            const auto& st = signs[static_cast<std::size_t>(t)];
            if (++i < st.n) {
                c[t] = st.s[static_cast<std::size_t>(i)];
                break;
            }
            i = 0;
            c[t] = st.s[0];
            --t;
        }
        if (t < 0) {
            return true;
        }
    }
}

// Every column of the pair table: match 1 outermost, each match over its admitted pair indexes
// 0 to 15, home sign in team 2k-1 and away sign in team 2k. The "Annulla" look-up runs once for
// every combination of matches 1 to 4. Returns true when the enumeration ran to its end.
template <class Callback>
bool EnumeratePairs(const PairTable& table, TEnumMode mode, CancelProbe* cancel, Callback&& callback) {
    struct TPairList {
        std::array<std::array<SignSet, 2>, 16> p{};
        int n = 0;
    };
    std::array<TPairList, kMatches> pairs;
    for (int m = 0; m < kMatches; ++m) {
        auto& l = pairs[static_cast<std::size_t>(m)];
        for (int p = 0; p < 16; ++p) {
            if (table.p[static_cast<std::size_t>(m)][static_cast<std::size_t>(p)] != 0) {
                const auto [home, away] = PairSigns(p);
                l.p[static_cast<std::size_t>(l.n++)] = {home, away};
            }
        }
        if (l.n == 0) {
            return true;
        }
    }
    const auto put = [](Colonna& c, int match, const std::array<SignSet, 2>& hp) {
        c[2 * match] = hp[0];
        c[2 * match + 1] = hp[1];
    };
    std::array<int, 4> idx{};
    Colonna c;
    for (int m = 0; m < 4; ++m) {
        put(c, m, pairs[static_cast<std::size_t>(m)].p[0]);
    }
    const auto& p4 = pairs[4];
    const auto& p5 = pairs[5];
    for (;;) {
        if (cancel != nullptr && cancel->Take()) {
            return false;
        }
        for (int a = 0; a < p4.n; ++a) {
            put(c, 4, p4.p[static_cast<std::size_t>(a)]);
            for (int b = 0; b < p5.n; ++b) {
                put(c, 5, p5.p[static_cast<std::size_t>(b)]);
                detail::EmitColumn(c, mode, callback);
            }
        }
        int m = 3;
        while (m >= 0) {
            auto& i = idx[static_cast<std::size_t>(m)];
            const auto& pm = pairs[static_cast<std::size_t>(m)];
            if (++i < pm.n) {
                put(c, m, pm.p[static_cast<std::size_t>(i)]);
                break;
            }
            i = 0;
            put(c, m, pm.p[0]);
            --m;
        }
        if (m < 0) {
            return true;
        }
    }
}

} // namespace tessaline
