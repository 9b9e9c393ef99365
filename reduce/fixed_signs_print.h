#pragma once
// The printout of a stretch of the fixed-sign list ("Stampa delle coppie di segni più probabili").

#include <cstddef>
#include <cstdint>
#include <span>

#include "print/canvas.h"
#include "reduce/fixed_signs.h"

namespace tessaline {

inline constexpr const char* kImpossibileStampareTabelle = "Impossibile Stampare Le Tabelle";

// Prints the entries numbered first..last (1-based, clamped to the list) in "Courier New" 8 point:
// the title, the header line, one framed line per entry, a new page (header at 10 mm, 5 mm gap)
// before a line would pass 20 mm above the bottom. Returns the pages printed. Raises EInOutError
// "Impossibile Stampare Le Tabelle" when the printer fails.
int StampaFisse(TCanvas& canvas, std::span<const TFisse> voci, std::uint32_t ammessi, std::size_t first,
                std::size_t last);

} // namespace tessaline
