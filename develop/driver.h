#pragma once
// The development driver ("Calcolo Colonne"): turns the current system into its columns, passing
// each through the condition set, reducing on the fly or afterwards, into memory or a column file.

#include <cstdint>
#include <string>

#include "core/column.h"

namespace tessaline {

class T_Sistema;
class TDevelopProgress;
class UserPrompt;
class CancelProbe;

// Who the run talks to; each may be null (no reports; every question answered "Si"; no "Annulla").
struct TDevelopHooks {
    TDevelopProgress* progress = nullptr;
    UserPrompt* prompt = nullptr;
    CancelProbe* cancel = nullptr;
};

// What a run ends with, besides the system's columns. Counts are multiplied by IntegralMultiplier
// as the progress window shows them.
struct TDevelopResult {
    std::int64_t total = 0;     // TotalColumns of the last pass
    std::int64_t accepted = 0;  // accepted count of the final report (AcceptedColumns when reducing
                                // while developing)
    bool stopped = false;       // a pass, a second look or the optimised reduction was stopped
    bool reduced = false;       // the optimised reduction ran
    bool declined = false;      // the size question before the optimised reduction was answered "No"
    std::int64_t uncovered = 0; // columns the optimised reduction could not cover (kept once each)
};

// The message that tells how many columns no column could cover.
std::string UncoveredMessage(std::int64_t count);

// The number of columns the run of this system would enumerate: the source file's size / 12
// (0 when it cannot be opened), the pair table's count in pair mode, else the count of the
// forecast with every integral team on its base sign.
std::int64_t ColumnsToDevelop(const T_Sistema& sys);

// The forecast the run enumerates: each integral team (after dropping bases that no longer fit)
// holds only its base sign.
Pronostico DevelopmentForecast(const Pronostico& forecast, const IntegralBases& bases);

// Runs the whole development of the system: empties and refills its column list (or writes the
// destination file), sets columns valid, the final count, IntegralMultiplier and the previous count,
// and puts the integral teams back. Raises EInOutError "Impossibile Caricare il File di Combinazioni"
// when the source file cannot be read and "Impossibile Salvare il file di Colonne" when the
// destination file cannot be written (the previous file is then left as it was).
TDevelopResult DevelopSystem(T_Sistema& sys, const TDevelopHooks& hooks);

} // namespace tessaline
