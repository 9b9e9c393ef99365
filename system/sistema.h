#pragma once
// The one current system ("T_Sistema"): its data record (coupon, forecast, pair table, integral
// teams, percentages, values, source and development settings), the program settings, the
// developed columns, the file name and the flags every window reads and writes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"
#include "system/settings.h"

namespace tessaline {

class TColumnAcceptor;
class TInsiemeCondizioni;
class UserPrompt;

// The development settings of a system with their defaults (stored together in the system file).
struct TImpostazioniSviluppo {
    std::uint8_t UseConditions = 1;      // "Usa i Condizionamenti"
    std::uint8_t ReducedDevelopment = 0; // "Sviluppo Ridotto"
    std::uint8_t MinDistanceMode = 0;    // "Distanza Minima"
    std::uint8_t DestinationMemory = 1;  // 1: memory, 0: DestinationFile
    std::uint8_t OptimisedReduction = 0; // "Riduzione Ottimizzata"
    std::uint8_t Guarantee = 4;          // 5 or 4 points
    std::uint8_t MinDistance = 3;        // 2..10 differing matches
    std::uint8_t Passes = 1;             // "Vincite Multiple", 1..10
    std::string DestinationFile;         // UTF-8; default <ProgramDir>/COLONNE/DefDest.Col
    std::uint8_t AutoRecalc = 0;         // automatic recalculation after every change
    std::uint8_t RealCalculation = 1;    // 1: recalculate by developing, 0: by the estimate
    tessaline::IntegralBases IntegralBases{};
    tessaline::PairTable PairTable{};
    std::uint8_t PairMode = 0; // develop the pair table instead of the forecast

    // The defaults of a new system (DestinationFile from the current data folder).
    static TImpostazioniSviluppo Defaults();
};

// Default source file of the development settings: <ProgramDir>/COLONNE/DefSorg.Col.
std::string DefaultSourceFile();
// Default destination file: <ProgramDir>/COLONNE/DefDest.Col.
std::string DefaultDestinationFile();

// The system's data record: what the system file stores plus the program settings.
struct TDatiSistema {
    std::array<std::string, kTeams> teamNames{}; // UTF-8, at most 12 characters each
    Pronostico Forecast{};
    TeamGrid TeamPercentages{};
    TeamGrid TeamValues{};
    std::array<std::uint8_t, 2> reserved{}; // carried through the file unchanged
    std::int32_t ContestNumber = 1;
    std::uint8_t columnsValid = 0;
    std::int32_t finalCount = 0;     // "Colonne Finali" of the last run
    std::uint8_t SourceForecast = 1; // 1: develop the forecast, 0: read SourceFile
    std::string SourceFile;          // UTF-8; default <ProgramDir>/COLONNE/DefSorg.Col
    TImpostazioniSviluppo sviluppo = TImpostazioniSviluppo::Defaults();
    TProgramSettings settings; // kept in the configuration file, not in the system file
};

class T_Sistema {
public:
    T_Sistema();
    ~T_Sistema();
    T_Sistema(const T_Sistema&) = delete;
    T_Sistema& operator=(const T_Sistema&) = delete;

    // Back to an empty system: name SENZANOME.SVS in "Sistemi", untitled, not modified, coupon,
    // forecast, values and percentages zeroed, contest 1, no columns, development settings at their
    // defaults, comment and participants cleared, one participant, a new condition set and link
    // (Condizioni points at it). The source settings and the program settings are left as they are.
    void NewSystem();

    // The system file ("*.Svs", version 200) of the current document; see docs/FORMATS.md. The
    // columns follow when the program setting "Salva le combinazioni unitamente al sistema" is on.
    std::vector<std::uint8_t> ScriviFile();
    // Writes the file under fileName (atomically: a failed save leaves the old file whole) and clears
    // modified on success. Returns whether every byte was written.
    bool Save();
    // Reads a system file into the document. The whole file is read into a fresh document first and
    // applied only when every read succeeded: on failure the system is left as it was. On success
    // modified is cleared and columnsValid set; fileName is not changed (the caller makes it
    // current). Stored paths are resolved with ResolveStoredPath in "COLONNE".
    bool Load(const std::filesystem::path& path);
    bool LeggiFile(std::span<const std::uint8_t> bytes);

    // The system's condition set and link (slot 13 holds the frame). NewSystem and a successful Load
    // replace it: references to the previous set end there.
    TInsiemeCondizioni& Insieme() { return *insieme_; }
    const TInsiemeCondizioni& Insieme() const { return *insieme_; }

    // The program's column cost in force.
    double ColumnCost() const { return dati.settings.ColumnCost(); }

    TDatiSistema dati;
    TListaColonne Colonne; // the developed columns

    // The condition set and its links as the driver sees them: the system's own set unless someone
    // installs another (not owned). nullptr: every column is accepted.
    TColumnAcceptor* Condizioni = nullptr;

    std::filesystem::path fileName;
    bool modified = false;
    bool untitled = true;

    std::vector<std::string> comment;      // "Commento", one entry per line
    std::uint8_t participantNamesFlag = 1; // "Specifica i nomi dei partecipanti"
    std::int32_t ParticipantCount = 1;
    std::vector<std::string> participants;

    // The version number of the system file read last (files below 200 have the older layout).
    std::int32_t versioneLetta = 200;

private:
    // A condition set in its initial state, linked like the present one and to this coupon.
    std::unique_ptr<TInsiemeCondizioni> NuovoInsieme() const;
    std::unique_ptr<TInsiemeCondizioni> insieme_;
};

} // namespace tessaline
