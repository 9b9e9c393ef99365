#pragma once
// The historical check of a condition set ("Analisi Statistica"): over the contests the search
// settings admit, would the set have kept the winning column, with no error, one or two?

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "archive/frequencies.h"
#include "core/column.h"
#include "core/interfaces.h"

namespace tessaline {

class TInsiemeCondizioni;

// The result of one category (1: no error, 2: one error, 3: two errors).
struct TCategoriaStorica {
    T_FrequenzeRitardi Tabella;        // 1 (won) or 0 per contest that reached the category
    std::vector<std::int32_t> Vincite; // ordinals (1-based among the examined contests) of the wins
    std::int32_t UltimaVincita = 0;    // examined − Ritardo(1)
    double CicloMedio = 0.0;           // UltimaVincita / wins; 0 without wins
    std::int32_t RitardoMinimo = 0;    // smallest positive gap; 0 when none
    std::int32_t RitardoMassimo = 0;   // largest positive gap; 0 when none
    double RitardoMedio = 0.0;         // mean of the positive gaps; 0 when none
    std::int32_t RitardoAttuale = 0;   // Ritardo(1) − truncated CicloMedio, at least 0
    std::int32_t Settimane() const { return Tabella.Ritardo(1); } // contests since the last win
    double FrequenzaPercento() const;                             // wins / events × 100; 0 without events
};

struct TAnalisiStorica {
    std::array<TCategoriaStorica, 3> Categorie{};
    int NumCategorie = 0; // categories examined (0 before any check)
    std::int32_t Esaminati = 0;
    std::int32_t Concorsi = 0; // contests in the archive
    bool Completata = false;   // false when stopped with "Annulla" (the final figures are then not set)
};

// What the statistics window shows while the check runs.
class TAnalisiProgress {
public:
    virtual ~TAnalisiProgress() = default;
    virtual void Stato(const std::string& /*text*/) {}
    virtual void Gauge(int /*percent*/) {}
};

inline constexpr const char* kAnalisiInCorso = "Analisi Dell'Archivio in Corso..";

// The error variants of a winning column in the order the check tries them: for each team with a
// single sign, in coupon order, the three other single signs (0 → 1, 2, M; 1 → 0, 2, M; 2 → 1, 0, M;
// M → 0, 1, 2).
std::vector<Colonna> VariantiErrore(const Colonna& c);

// Runs the check of set over the archive with the search settings ricerca (range, ignore flags and
// categories): the set is linked to them for the run, switched to ModoArchivio and prepared, and
// left linked as before with ModoArchivio off. cancel is asked after each contest; a press stops the
// check at once (Completata false). Returns Completata.
bool AnalisiArchivio(TInsiemeCondizioni& set, const T_Archivio& archivio,
                     const T_ImpostazioniRicerca& ricerca, TAnalisiStorica& out,
                     TAnalisiProgress* progress = nullptr, CancelProbe* cancel = nullptr);

// The final figures of a category from its table and wins, examined contests in all.
void ConcludiCategoria(TCategoriaStorica& cat, std::int32_t esaminati);

// "Concorsi Esaminati : " + examined + " Su " + contests.
std::string TestoEsaminati(std::int32_t esaminati, std::int32_t concorsi);

} // namespace tessaline
