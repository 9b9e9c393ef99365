#pragma once
// The development driver ("Calcolo Colonne"): turns a system into its columns, passing each
// through the condition set, reducing on the fly or afterwards, into memory or a column file.
// A run works on a copied request and hands back an outcome; the system changes only when the
// outcome is applied, so a run that fails leaves the system exactly as it was.

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/column.h"
#include "core/column_list.h"
#include "reduce/improve.h"
#include "system/sistema.h"

namespace tessaline {

class TColumnAcceptor;
class TDevelopProgress;
class UserPrompt;
class CancelProbe;

// Who the run talks to; each may be null (no reports; every question answered "Si"; no "Annulla").
// The run calls them on its own thread.
struct TDevelopHooks {
    TDevelopProgress* progress = nullptr;
    UserPrompt* prompt = nullptr;
    CancelProbe* cancel = nullptr;
};

// Everything a run reads, copied from the system when the run starts.
struct TDevelopRequest {
    Pronostico forecast{};
    TImpostazioniSviluppo settings;  // development settings, pair table and integral teams
    std::uint8_t sourceForecast = 1; // 1: develop the forecast, 0: read sourceFile
    std::string sourceFile;
    // The condition set and links asked about each column (not owned; null: every column passes).
    // The run prepares it and asks it; nobody else may touch it while the run goes on.
    TColumnAcceptor* conditions = nullptr;
    bool recalculation = false;     // an automatic recalculation (reports go to its panel)
    std::int64_t previousCount = 0; // the recalculation panel's previous count before the run
    // "Riduzione Migliorata" after the optimised reduction, with its budget.
    bool improvedReduction = false;
    TImproveOptions improve;
    // Threads that may ask the condition set (0: ThreadsForJob()). A development through conditions
    // that neither reduces nor reads a file nor develops pairs splits its columns among them; lists,
    // counts, reports and the set's statistics are those of one thread.
    int threads = 0;

    // The request of the system's current document.
    static TDevelopRequest Of(const T_Sistema& sys);
};

// What a run ends with, besides the columns. Counts are multiplied by integralMultiplier as the
// progress window shows them.
struct TDevelopResult {
    std::int64_t total = 0;    // TotalColumns of the last pass
    std::int64_t accepted = 0; // accepted count of the final report (AcceptedColumns when reducing
                               // while developing)
    bool stopped = false;      // a pass, a second look or the optimised reduction was stopped
    bool reduced = false;      // the optimised reduction ran
    bool declined = false;     // the size question before the optimised reduction was answered "No"
    std::int64_t integralMultiplier = 1;
    std::int64_t previousCount = 0; // the recalculation panel's previous count after the run
    std::int32_t finalCount = 0;    // "Colonne Finali" of the document
    std::int64_t uncovered = 0;     // columns the optimised reduction could not cover (kept once each)
    // The destination file the run wrote (when it wrote one): its columns and the single columns
    // they cover, so that it can be priced without reading it back.
    std::int64_t writtenColumns = 0;
    std::int64_t writtenSingles = 0;
    // Every column the run leaves (in memory or in the file) is a single column: true for a
    // development of the forecast or the pair table, whose enumeration yields only those.
    bool singleColumns = false;
};

struct TDevelopOutcome {
    TDevelopResult result;
    TListaColonne columns;         // the list the run leaves (empty when it went to the destination file)
    IntegralBases integralBases{}; // the system's integral bases with those that no longer fit dropped
    std::filesystem::path written; // the destination file the run replaced, or empty
};

// The message that tells how many columns no column could cover.
std::string UncoveredMessage(std::int64_t count);

// The number of columns the run of this request would enumerate: the source file's size / 12
// (0 when it cannot be opened), the pair table's count in pair mode, else the count of the
// forecast with every integral team on its base sign.
std::int64_t ColumnsToDevelop(const TDevelopRequest& request);
// The same for the system's own request.
std::int64_t ColumnsToDevelop(const T_Sistema& sys);

// The forecast the run enumerates: each integral team (after dropping bases that no longer fit)
// holds only its base sign.
Pronostico DevelopmentForecast(const Pronostico& forecast, const IntegralBases& bases);

// Runs a whole development. Touches nothing but the request's condition set and, when the settings
// send the columns to the destination file, that file: it is replaced only by a run that completes
// (a stopped or failed run leaves the previous file byte-identical and no temporary file). Raises
// EInOutError "Impossibile Caricare il File di Combinazioni" when the source file cannot be read and
// "Impossibile Salvare il file di Colonne" when the destination file cannot be written.
TDevelopOutcome RunDevelopment(const TDevelopRequest& request, const TDevelopHooks& hooks);

// Puts a run's outcome into the system: its column list, columns valid, the final count and the
// integral bases that still fit. The development settings are left as they are.
void ApplyDevelopment(T_Sistema& sys, TDevelopOutcome&& outcome);

// RunDevelopment on the system's request, applied to the system. On an error nothing is applied.
TDevelopResult DevelopSystem(T_Sistema& sys, const TDevelopHooks& hooks);

} // namespace tessaline
