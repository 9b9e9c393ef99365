#pragma once
// The optimised reduction ("Riduzione Ottimizzata"): after the development, the whole list is
// reduced to a guarantee in three phases. This is the straightforward version, written to follow
// the algorithm step by step; faster versions are checked against it.

#include <cstdint>

#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

class CancelProbe;
class TDevelopProgress;

enum class TDistanceKind { WrongMatches, WrongTeams };

struct TOptimisedParams {
    TDistanceKind distance = TDistanceKind::WrongMatches;
    int R = 1;     // allowed errors, 6 - guarantee: a covers b when distance(a, b) <= R
    double f1 = 0; // fraction phase 1 covers before it ends (0: a single pass)
    double f2 = 0; // fraction after which phase 3 takes over
    int Dmin = 3;  // starting and floor distance of phase 1
    bool smallSystem = false;
};

// The distance and the tuning values for R (1 or 2), the system's forecast and pair mode, and the
// small-system marker v (the run switched the reduction on by itself).
TOptimisedParams OptimisedParamsFor(const Pronostico& forecast, bool pairMode, int R, bool smallSystem);

// True when no column at all covers c: c holds no sign in more than R matches (or teams, by the
// distance in use), and every distance to c counts those.
bool Uncoverable(const Colonna& c, const TOptimisedParams& params);

// Reduces the store in place: it receives the chosen columns, the last chosen first, followed by
// each distinct uncoverable column once (never chosen, so the reduction always ends). Reports
// state texts and AggiornaRidOtt (initial, chosen, final, covered; the uncoverable columns count
// as chosen and covered) to progress (may be null); peeks at cancel (may be null) and, when
// stopped, leaves the columns chosen so far. Returns false when it was stopped. uncoverable (may
// be null) receives the number of distinct uncoverable columns kept.
bool ReduceOptimisedReference(TListaColonne& store, const TOptimisedParams& params,
                              TDevelopProgress* progress, CancelProbe* cancel,
                              std::int64_t* uncoverable = nullptr);

// What the driver hands the optimised reduction: the forecast and pair mode it developed, the
// allowed errors R = 6 - guarantee, and whether the run switched the reduction on by itself.
struct TOptimisedRequest {
    Pronostico forecast{};
    bool pairMode = false;
    int R = 1;
    bool smallSystem = false;
};

// The driver's entry: reduces the list in place with the parameters of the request. Returns false
// when it was stopped (the list then holds the columns chosen so far). uncoverable as above.
bool OptimisedReducer(TListaColonne& list, const TOptimisedRequest& request, TDevelopProgress* progress,
                      CancelProbe* cancel, std::int64_t* uncoverable = nullptr);

} // namespace tessaline
