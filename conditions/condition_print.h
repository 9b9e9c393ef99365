#pragma once
// The printed blocks of the conditions on the millimetre printer: value tables, interval tables,
// each family's block, lists, frames and the link. y runs down the page in millimetres and is left
// under what was printed; a block that does not fit starts a new page.

#include <string>

#include "conditions/condition.h"
#include "conditions/value_table.h"
#include "print/mm_printer.h"
#include "print/print_settings.h"

namespace tessaline {

class TLink;

// Top of the text on a page after a page break, and the room kept free at the page's foot for the
// page number (mm).
inline constexpr double kCimaPagina = 10.0;
inline constexpr double kPiedePagina = 12.0;

// Starts a new page (y back to kCimaPagina) when h millimetres do not fit below y.
void SpazioPagina(TmmPrinter& p, double& y, double h);

// A value table's framed block under its caption: "Pt "/"Rec"/"Liv" rows for the points section and
// "Cs "/"Rec"/"Liv" for the consecutiveness section when active, each followed by "Link " and, with
// a group, "Tra ", then "Campo" "Min " "Max ". A table of more than 13 values lists its marked range
// down the page instead, continuing in a new column at the page's foot.
void StampaTabellaPunti(TmmPrinter& p, const TTabellaPunti& t, const std::string& caption, double& y,
                        double margin);

// "Intervalli Ammessi : " and the admitted intervals, then each interval in recovery on its own line
// "Intervalli In Recupero : " with "Liv " and its level; lines wrap at the page width less 23 mm.
void StampaTabellaIntervalli(TmmPrinter& p, const TTabellaIntervalli& t, double& y, double margin);

// An interval bound as printed: whole numbers without decimals, others with up to two.
std::string TestoLimite(double v);

// "Link", then the block of every used letter whose error table is active and the total's block.
void StampaLink(TmmPrinter& p, const TLink& link, double& y, double margin);

} // namespace tessaline
