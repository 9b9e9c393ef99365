#pragma once
// Program-wide settings (not per system), kept in the configuration file "Tessaline.cfg".

#include <array>
#include <cstdint>
#include <string>

#include "archive/frequencies.h"
#include "core/cost.h"
#include "print/print_settings.h"

namespace tessaline {

inline constexpr const char* kDefaultUpdateHost = "aggiornamenti.tessaline.it";

struct TProgramSettings {
    double costLire = kDefaultCostLire;
    double costEuro = kDefaultCostEuro;
    bool costsInEuro = false;
    std::string backgroundPicture; // empty: the default picture in the "SFONDI" folder
    bool automaticMerge = true;    // "Accorpamento automatico"
    bool saveColumnsWithSystem = true;
    bool reloadLastCoupon = true;
    std::array<std::string, 4> shopData; // heading, address, city, telephone (at most 60 characters)
    T_Taratura taratura;
    TImpTabulato tabulato;
    T_ImpostazioniRicerca ricerca; // "Impostazioni di Ricerca"
    // "Riduzione Migliorata": after an optimised reduction to a guarantee, search for a smaller
    // covering for improveSeconds (1 to 3600). Kept in the trailing block of the configuration file.
    bool improvedReduction = false;
    std::int32_t improveSeconds = 10;
    // In memory only (the command line): a fixed budget of swaps instead of the time, and the seed.
    std::int64_t improveIterations = 0;
    std::uint64_t improveSeed = 1;
    // The cap on the threads of the long jobs: 0 every core, 1 a single thread (at most 1024). Kept
    // in the trailing block of the configuration file when not 0.
    std::int32_t maxThreads = 0;
    // "Varie": the Internet update host, "HOST" or "HOST:PORT" (kept after the 731-byte record).
    std::string updateHost = kDefaultUpdateHost;

    // The column cost in force.
    double ColumnCost() const { return costsInEuro ? costEuro : costLire; }
    bool operator==(const TProgramSettings&) const = default;
};

} // namespace tessaline
