#pragma once
// The historical scrutiny ("Spoglio Storico"): a set of columns against every admitted contest of
// the contest archive, with per-points totals, delays, average cycle and convenience factor.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

class CancelProbe;
class UserPrompt;
class T_Archivio;
struct T_IntervalloConcorsi;

// What the scrutiny reads of an archived contest.
struct TConcorsoStorico {
    std::uint8_t tipo = 1; // 1 "Calcio", otherwise "Basket"
    std::uint8_t numero = 1;
    std::int32_t anno = 0;
    Colonna vincente{};
};

// The analysis progress window ("Analisi Colonnare in corso..."): its gauge.
class TAnalProgress {
public:
    virtual ~TAnalProgress() = default;
    virtual void Gauge(int percent) = 0;
};

// One row of the summary per number of points.
struct TRigaStorico {
    int punti = 0;
    std::int64_t totale = 0;     // columns with these points over all contests
    std::int64_t concorsi = 0;   // contests with at least one such column
    double cicloMedio = 0.0;     // contests examined / contests with a hit (0 when none)
    std::int64_t ritardo = 0;    // current delay
    std::int64_t ritardoMax = 0; // longest delay
    double convenienza = 0.0;    // contests with a hit / contests examined * current delay
    bool evidenziata = false;    // convenience factor at least 1
};

namespace msg {
inline constexpr const char* kSelezionaPunteggio = "E' necessario selezionare almeno un punteggio.";
inline constexpr const char* kImpossibileSalvareColonne = "Impossibile salvare le colonne";
inline constexpr const char* kAnalisiColonnare = "Analisi Colonnare in corso...";
} // namespace msg

class TSpoglioStorico {
public:
    // The set is loaded unmerged ("Da Memoria" copies the store; "Da File" reads a column file and
    // raises EInOutError "Impossibile Caricare Il File Colonnare" when it cannot).
    void CaricaDaMemoria(const TListaColonne& store);
    void CaricaDaFile(const std::filesystem::path& path);
    TListaColonne& Insieme() { return set_; }

    // "Elabora": walks the archive in order, examining the contests admitted (all when admitted is
    // empty). Returns false when stopped with "Annulla" (the results are then incomplete).
    bool Elabora(std::span<const TConcorsoStorico> archive,
                 const std::function<bool(const TConcorsoStorico&)>& admitted, CancelProbe* cancel = nullptr,
                 TAnalProgress* progress = nullptr);

    // The same over the contest archive, examining the contests the analysis range admits
    // (Contiene).
    bool Elabora(const T_Archivio& archive, const T_IntervalloConcorsi& range, CancelProbe* cancel = nullptr,
                 TAnalProgress* progress = nullptr);

    std::int64_t Esaminati() const { return examined_; }
    const std::array<TRigaStorico, 7>& Riepilogo() const { return rows_; }
    // GridConc: per contest "  Numero", " Anno", kind, then the counts of 6 down to 0 points.
    const std::vector<std::array<std::string, 10>>& RigheConcorsi() const { return contestRows_; }
    // TabellaGenerale as text: points, total, average cycle, delay, longest delay, convenience
    // (two decimals with the given separator; "0" where there is nothing to divide).
    std::vector<std::array<std::string, 6>> TabellaGenerale(char decimalSeparator) const;
    // The two labels: columns analysed, and "Risultati del confronto con le N colonne dell'archivio".
    std::string EtichettaColonne() const;
    std::string EtichettaRisultati() const;

    // Bit p set when column i scored p points in at least one examined contest.
    std::uint8_t PuntiOttenuti(std::size_t i) const { return achieved_[i]; }
    // The columns, in set order, that scored one of the selected points in some examined contest.
    TListaColonne Selezione(const std::array<bool, 7>& selected) const;
    // "Salva": "E' necessario selezionare almeno un punteggio." (through prompt) and false when no
    // points are selected; the overwrite question "Il file esiste già. Vuoi sovrascriverlo ? " when
    // the file exists; EInOutError "Impossibile salvare le colonne" when writing fails.
    bool Salva(const std::array<bool, 7>& selected, const std::filesystem::path& path,
               UserPrompt* prompt) const;

private:
    TListaColonne set_;
    std::int64_t examined_ = 0;
    std::array<TRigaStorico, 7> rows_{};
    std::vector<std::array<std::string, 10>> contestRows_;
    std::vector<std::uint8_t> achieved_;
};

// The progress of the analysis window: total = contests - 1; trunc(steps / total * 100) shown when
// it exceeds the gauge by more than 2 (100 at once when there is at most one contest).
class TAnalProgressModel {
public:
    TAnalProgressModel(TAnalProgress* sink, std::int64_t contests);
    void Avanza();

private:
    TAnalProgress* sink_;
    std::int64_t total_;
    std::int64_t steps_ = 0;
    int shown_ = 0;
};

} // namespace tessaline
