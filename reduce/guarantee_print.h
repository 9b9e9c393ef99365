#pragma once
// The printout of the guarantee table ("&Stampa" of "Calcolo delle garanzie").

#include "print/canvas.h"
#include "reduce/guarantee.h"

namespace tessaline {

// The title of the mode shown, then the table 63 rows a page (the header row again on every
// following page). Throws EInOutError "Impossibile Stampare La Tabella" when the printer fails.
void StampaGaranzie(TCanvas& canvas, const TTabellaGaranzie& table, int mode);

} // namespace tessaline
