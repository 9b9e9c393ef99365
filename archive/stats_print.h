#pragma once
// The statistics tables as string grids (for the windows and the printouts) and their printouts.

#include <string>
#include <utility>
#include <vector>

#include "archive/team_history.h"
#include "print/mm_printer.h"

namespace tessaline {

inline constexpr double kScalaTabelle = 0.35; // millimetres per screen pixel

// The grid of one sign (0..3) of the per-team history: a heading row and the rows " 1" to " 12",
// columns "Freq.", "Rit. Att.", "Rit. Max.", "   IC", "Freq. Ann.", "Cs. Att.", "Cs. Max.".
TGriglia GrigliaStoriaSegno(const TStoriaSquadre& st, int segno);

// "Analisi Storica Della Frequenza Dei Segni 0" and "... 1" on page 1, "... 2" and "... +" on page 2:
// each title centred, its grid centred 10 mm below it, the next title 20 mm below the grid.
// Throws the printer's error when the device fails.
void StampaStoriaSquadre(TmmPrinter& p, const TStoriaSquadre& st);

// A title centred at 20 mm and the grids one under the other from 30 mm, each preceded by its
// caption, on as many pages as they need.
void StampaTabelle(TmmPrinter& p, const std::string& titolo,
                   const std::vector<std::pair<std::string, TGriglia>>& tabelle);

// Width and height of a grid in millimetres at kScalaTabelle.
double LarghezzaGriglia(const TGriglia& g);
// The printed height of the grid in millimetres (its rows at the tables' scale).
double AltezzaGriglia(const TGriglia& g);

// A number with two decimals and a comma ("1,25").
std::string DueDecimali(double x);

} // namespace tessaline
