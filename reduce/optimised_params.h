#pragma once
// The optimised reduction's tuning values and the interface through which it reports.

#include <cstdint>

#include "core/column.h"

namespace tessaline {

struct TOptimisedParams {
    int R = 1;               // allowed wrong matches (6 - guarantee)
    bool wrongTeams = false; // distance in teams instead of matches
    double f1 = 0;           // fraction that ends phase 1 (0: a single pass)
    double f2 = 0;           // fraction that ends phase 2
    int D = 3;               // starting minimum distance of phase 1
    int Dmin = 3;            // its floor
};

// The distance and the fractions for a run: teams when not in pair mode, the forecast has no triple
// or quadruple, 7 to 9 doubles and R = 1; matches otherwise. smallSystem is the marker v of a run
// switched to the optimised reduction by the small-system rule.
TOptimisedParams OptimisedParamsFor(const Pronostico& forecast, bool pairMode, int R, bool smallSystem);

// Receives the reduction's figures: after every choice and, unless cancelled, once with final set.
class TOptimisedObserver {
public:
    virtual ~TOptimisedObserver() = default;
    virtual void Progress(std::int64_t total, std::int64_t chosen, std::int64_t covered, bool final) = 0;
    // 1, 2, 3: "Autoriduzione in Corso : Fase N".
    virtual void Phase(int phase) = 0;
};

} // namespace tessaline
