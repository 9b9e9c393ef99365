#pragma once
// A reduced system built from one base column, as the immediate reduced systems and the automatic
// systems make it: the base column developed with the optimised reduction to a guarantee, without
// conditions, the integral teams played in full. The system document is only read.

#include "core/column.h"
#include "core/column_list.h"
#include "develop/driver.h"

namespace tessaline {

struct TRichiestaRidotto {
    Colonna base{};
    IntegralBases basi{};    // integral base signs (none: every team reduced)
    int garanzia = 5;        // 5 or 4 points
    bool migliorata = false; // "Riduzione Migliorata" after the optimised reduction
};

// The development request of the system with the forecast replaced by the base column, developed
// from the forecast into memory, reduced with the optimised reduction to the guarantee, no
// conditions, no pair mode, no minimum distance, the given integral bases.
TDevelopRequest RichiestaRidotto(const T_Sistema& sys, const TRichiestaRidotto& r);

// Runs that request. The columns of the reduced system, or empty when the run was stopped.
// Raises what RunDevelopment raises.
TListaColonne CostruisciRidotto(const T_Sistema& sys, const TRichiestaRidotto& r, const TDevelopHooks& hooks,
                                TDevelopResult* result = nullptr);

} // namespace tessaline
