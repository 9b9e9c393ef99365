#pragma once
// The printouts of the archive of plays: "Riepilogo delle giocate" (the summary and every reduced
// system) and "Riepilogo delle vincite" after a global scrutiny.

#include "print/canvas.h"
#include "scrutiny/plays.h"

namespace tessaline {

// The plays of the contest: title and summary table, a new page, the reduced systems 45 a page.
// Throws EInOutError "Impossibile stampare i dati" when the printer fails.
void StampaRiepilogoGiocate(TCanvas& canvas, const TArchivioGiocate& archive, double costPerColumn,
                            bool euro);
// The wins of the last EseguiSpoglio: title and win table, a new page, the reduced systems with
// their wins 45 a page. Throws EInOutError "Impossibile stampare i dati" when the printer fails.
void StampaVinciteGiocate(TCanvas& canvas, const TArchivioGiocate& archive);

} // namespace tessaline
