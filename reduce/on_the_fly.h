#pragma once
// Reducing while developing: the keep test the driver calls for every accepted column, the set-aside
// list of pass 1 and its second look. Kept columns go to the front of the store (newest first).

#include <cstddef>
#include <cstdint>

#include "core/column.h"
#include "core/column_list.h"
#include "core/run_state.h"

namespace tessaline {

class CancelProbe;
class TDevelopProgress;

// Set-aside columns beyond this many are re-examined at once.
inline constexpr std::size_t kDeferredLimit = 500000;

class OnTheFlyReducer {
public:
    struct TConfig {
        bool minDistanceMode = false; // keep by minimum distance instead of by guarantee
        int guarantee = 4;            // G, 5 or 4 points
        int minDistance = 3;          // Dm, differing matches between kept columns
    };

    // The store, the counters and the deferred list are the caller's and outlive the reducer.
    // progress and cancel may be null.
    OnTheFlyReducer(TListaColonne& store, TListaColonne& deferred, TRunCounters& counters, TConfig config,
                    TDevelopProgress* progress, CancelProbe* cancel);

    // The keep test for pass 1..P: true when c was put at the front of the store. In pass 1 of the
    // guarantee reduction a refused column that no walked kept column reaches with G points goes to
    // the end of the deferred list (the examined and accepted counts go down by one, so that the
    // second look counts it again); past kDeferredLimit the second look runs at once.
    bool Keep(const Colonna& c, int pass);

    // The second look: keeps each set-aside column, in order, that every kept column (those kept
    // in this walk included) reaches with fewer than G points. Stops at a pending "Annulla"
    // (peeked, not taken), dropping the rest. Empties the deferred list.
    void SecondLook();

    // True once a second look was stopped with "Annulla".
    bool Stopped() const { return stopped_; }

private:
    bool KeepByDistance(const Colonna& c);
    bool KeepByGuarantee(const Colonna& c, int pass);
    void Report();

    TListaColonne& store_;
    TListaColonne& deferred_;
    TRunCounters& counters_;
    TConfig config_;
    TDevelopProgress* progress_;
    CancelProbe* cancel_;
    bool stopped_ = false;
};

} // namespace tessaline
