#pragma once
// A plain forecast enumerator for the guarantee tests and benchmarks: team 1 outermost, signs in the
// order 0, 1, 2, M, with the blanked variants of modes 5 and 4, and the cancel look-up once per
// combination of teams 1 to 9.

#include <functional>

#include "core/column.h"
#include "core/interfaces.h"

namespace tessaline::reference {

inline bool ReferenceWinning(const Pronostico& f, int mode, CancelProbe* cancel,
                             const std::function<void(const Colonna&)>& step) {
    Colonna c{};
    bool stopped = false;
    const auto emit = [&](Colonna col) {
        if (mode == 6) {
            step(col);
        } else if (mode == 5) {
            for (int i = 0; i < kTeams; ++i) {
                const SignSet keep = col[i];
                col[i] = 0;
                step(col);
                col[i] = keep;
            }
        } else {
            for (int i = 0; i < kTeams; ++i) {
                for (int j = i + 1; j < kTeams; ++j) {
                    const SignSet a = col[i];
                    const SignSet b = col[j];
                    col[i] = col[j] = 0;
                    step(col);
                    col[i] = a;
                    col[j] = b;
                }
            }
        }
    };
    std::function<void(int)> loop = [&](int team) {
        if (stopped) {
            return;
        }
        if (team == 9 && cancel != nullptr && cancel->Take()) {
            stopped = true;
            return;
        }
        if (team == kTeams) {
            emit(c);
            return;
        }
        for (int b = 0; b < 4 && !stopped; ++b) {
            if ((f[team] >> b) & 1) {
                c[team] = static_cast<SignSet>(1 << b);
                loop(team + 1);
            }
        }
    };
    loop(0);
    return !stopped;
}

} // namespace tessaline::reference
