#pragma once
// The improved reduction ("Riduzione Migliorata"): after the optimised reduction, a local search
// over the developed columns that shrinks the chosen set while every developed column stays covered
// by the same test (distance at most R). It follows the row-weighting local search for unicost set
// covering: drop a column, repair with the best column near a random uncovered column, and raise
// the weight of what stays uncovered, so that the search leaves the places where it is stuck. It starts
// from the smaller of the optimised reduction's set and a few algebraic (syndrome) codes, completed.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/column.h"
#include "reduce/optimised.h"

namespace tessaline {

class CancelProbe;
class TDevelopProgress;
class T_Sistema;
struct TProgramSettings;

struct TImproveOptions {
    std::int64_t iterations = 0; // swaps to try; 0: no limit (seconds bounds the run)
    double seconds = 0;          // wall-clock limit; 0: none. With both 0 there is no swap: the
                                 // start alone, complete and freed of redundant columns.
    std::uint64_t seed = 1;
};

struct TImproveStatus {
    std::int64_t iteration = 0;
    std::size_t current = 0; // columns in the working set (it may be one short of a covering)
    std::size_t best = 0;    // columns of the best complete covering so far
    int percent = 0;         // share of the budget used
};

using TImproveReport = std::function<void(const TImproveStatus&)>;

struct TImproveOutcome {
    std::vector<Colonna> columns; // the best complete covering found, in candidate order
    std::size_t startSize = 0;    // the swaps' start: the given set or a syndrome code, completed
    std::int64_t iterations = 0;  // swaps made
    bool cancelled = false;       // "Annulla" ended the search (columns is still complete)
};

// True when every candidate holds exactly one sign per team: the columns the search handles.
bool ImprovementApplies(std::span<const Colonna> candidates);

// Starting from start (the columns of it that are candidates), returns a subset of the distinct
// candidates such that every candidate lies within R of one of its columns, by WrongMatches or, with
// TDistanceKind::WrongTeams, by WrongTeams. Columns missing from a complete covering are added first.
// Deterministic for a seed and an iteration budget without a time limit. report (may be empty) is
// called now and then and at every new best; cancel (may be null) is peeked between
// the starts tried and every few hundred swaps; a time budget counts the starts too.
// Requires ImprovementApplies(candidates).
TImproveOutcome ImproveCovering(std::span<const Colonna> candidates, std::span<const Colonna> start,
                                TDistanceKind distance, int R, const TImproveOptions& options,
                                CancelProbe* cancel, const TImproveReport& report);

// The budget the program settings ask for: their fixed number of swaps and seed when one is given
// (the command line), else their time budget.
TImproveOptions ImproveOptionsFor(const TProgramSettings& settings);

// The driver's entry when the improved reduction is asked for: runs OptimisedReducer on the list and then,
// unless it was stopped or the columns are not single columns, improves the result over the developed
// columns, reporting through AggiornaRidOtt and AggiornaMigliorata. The store ends with a complete covering
// unless the optimised reduction itself was stopped (then false, as OptimisedReducer returns).
// uncoverable (may be null) receives OptimisedReducer's count of uncoverable columns kept.
bool ImprovedReducer(TListaColonne& list, const TOptimisedRequest& request, const TImproveOptions& options,
                     TDevelopProgress* progress, CancelProbe* cancel, std::int64_t* uncoverable = nullptr);

} // namespace tessaline
