#pragma once
// The optimised reduction on distinct single columns, indexed by neighbourhoods instead of
// comparing every pair: the same choices in the same order as the step-by-step reduction.

#include <span>
#include <vector>

#include "core/column.h"
#include "core/interfaces.h"
#include "core/progress.h"
#include "reduce/optimised.h"

namespace tessaline {

// True when every column holds exactly one sign per team and no column repeats: the columns the
// indexed reduction handles.
bool IndexedReductionApplies(std::span<const Colonna> columns);

// Runs the three phases on the columns (in store order) and returns the chosen columns, the last
// chosen first, reporting as ReduceOptimisedReference does. cancelled tells whether "Annulla"
// stopped it (the columns chosen so far are returned). Requires IndexedReductionApplies.
std::vector<Colonna> OptimisedReduceIndexed(std::span<const Colonna> columns, const TOptimisedParams& params,
                                            TDevelopProgress* progress, CancelProbe* cancel, bool& cancelled);

} // namespace tessaline
