#include "reduce/on_the_fly.h"

#include <algorithm>

#include "core/interfaces.h"
#include "core/progress.h"

namespace tessaline {

OnTheFlyReducer::OnTheFlyReducer(TListaColonne& store, TListaColonne& deferred, TRunCounters& counters,
                                 TConfig config, TDevelopProgress* progress, CancelProbe* cancel)
    : store_(store), deferred_(deferred), counters_(counters), config_(config), progress_(progress),
      cancel_(cancel) {}

bool OnTheFlyReducer::Keep(const Colonna& c, int pass) {
    return config_.minDistanceMode ? KeepByDistance(c) : KeepByGuarantee(c, pass);
}

bool OnTheFlyReducer::KeepByDistance(const Colonna& c) {
    for (const Colonna& kept : store_) {
        if (WrongMatches(kept, c) < config_.minDistance) {
            return false;
        }
    }
    store_.Prepend(c);
    return true;
}

bool OnTheFlyReducer::KeepByGuarantee(const Colonna& c, int pass) {
    const int g = pass == 1 ? config_.guarantee - 1 : config_.guarantee;
    int counted = 0;
    int best = -1;
    bool exceeded = false;
    for (auto it = store_.begin(); it != store_.end() && counted < pass; ++it) {
        const int points = Points(*it, c);
        best = std::max(best, points);
        if (points == g) {
            ++counted;
        } else if (points > g) {
            exceeded = true;
            break;
        }
    }
    if (counted < pass && !exceeded) {
        store_.Prepend(c);
        return true;
    }
    if (pass == 1 && best < config_.guarantee) {
        deferred_.Append(c);
        --counters_.ExaminedColumns;
        --counters_.AcceptedColumns;
        if (deferred_.Size() > kDeferredLimit) {
            SecondLook();
        }
    }
    return false;
}

void OnTheFlyReducer::SecondLook() {
    for (const Colonna& c : deferred_) {
        bool reached = false;
        for (const Colonna& kept : store_) {
            if (Points(kept, c) >= config_.guarantee) {
                reached = true;
                break;
            }
        }
        if (!reached) {
            store_.Prepend(c);
        }
        if (cancel_ != nullptr && cancel_->Peek()) {
            stopped_ = true;
            deferred_.Clear();
            return;
        }
        ++counters_.ExaminedColumns;
        ++counters_.AcceptedColumns;
        if (++counters_.refresh > 500) {
            counters_.refresh = 0;
            Report();
        }
    }
    deferred_.Clear();
    Report();
}

void OnTheFlyReducer::Report() {
    if (progress_ == nullptr) {
        return;
    }
    progress_->AggiornaCondRid(counters_.TotalColumns, counters_.AcceptedColumns, false, store_.Count(),
                               counters_.ExaminedColumns);
}

} // namespace tessaline
