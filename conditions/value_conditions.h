#pragma once
// Conditions that add up a quantity over a chosen group of teams: the goals ("Gol Squadra", items
// of "Gruppo Punti Squadra"), the coupon's values ("Valori") and the joint percentage of the signs
// ("Percentuali"); and the editing of interval tables, shared with "Punti Tra".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition.h"

namespace tessaline {

// Per team 1..12 (index 0..11): 1 when the team takes part.
using TSquadreScelte = std::array<std::uint8_t, kTeams>;

// Goals of a sign byte: 0, 1, 2, 3 for the signs 0, 1, 2, M; 0 for any other byte.
inline constexpr std::array<std::uint8_t, 256> kGolSegno = [] {
    std::array<std::uint8_t, 256> t{};
    t[2] = 1;
    t[4] = 2;
    t[8] = 3;
    return t;
}();

// Sum of the goals of the chosen teams' signs (0..36).
int MisuraGol(const Colonna& c, const TSquadreScelte& squadre);
// Sum of the chosen teams' values for their signs; 0 with no team chosen. A byte that is not a
// single sign adds nothing.
double MisuraValori(const Colonna& c, const TSquadreScelte& squadre, const TeamGrid& valori);
// 100 times the product of the chosen teams' percentages / 100, in team order; 0 with no team
// chosen. A byte that is not a single sign has percentage 0.
double MisuraPercentuali(const Colonna& c, const TSquadreScelte& squadre, const TeamGrid& percentuali);

// Smallest and largest value a measure can take; 0..0 puts no bound on the intervals typed.
struct TLimitiMisura {
    double Min = 0;
    double Max = 0;
    bool Nessuno() const { return Min == 0 && Max == 0; }
    bool operator==(const TLimitiMisura&) const = default;
};

// The range the coupon panel shows for the chosen teams, over each team's forecast signs (all four
// when its set is empty); 0..0 with no team chosen.
TLimitiMisura LimitiGol(const TSquadreScelte& squadre, const Pronostico& f);
TLimitiMisura LimitiValori(const TSquadreScelte& squadre, const TeamGrid& valori, const Pronostico& f);
TLimitiMisura LimitiPercentuali(const TSquadreScelte& squadre, const TeamGrid& percentuali,
                                const Pronostico& f);

// Code 35: table "Gol " (N 36, no consecutiveness) on the goals of the chosen teams.
class TCondPuntiSquadra : public TCondTabelle {
public:
    explicit TCondPuntiSquadra(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;

    TTabellaPunti& Gol() { return tabelle_[0].Tabella; }
    const TTabellaPunti& Gol() const { return tabelle_[0].Tabella; }

    TSquadreScelte Squadre{};

    static constexpr std::size_t kDimensionePayload = 184;

protected:
    // The "Gol " table, then Squadre.
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;
};

// Code 36 ("Valori"), and the base of code 37 ("Percentuali"): an interval table on the measure of
// the chosen teams. The measure is compared at the precision of the stored bounds.
class TCondGruppoValori : public TCondizione {
public:
    explicit TCondGruppoValori(TInsiemeCondizioni* owner) : TCondGruppoValori(kCodValori, "Valori", owner) {}

    // The measure on the column, rounded to six-byte precision; 0 when the coupon is not linked.
    double Misura(const Colonna& c) const;
    // Index of the first interval holding x, or Conta when none does (the analyses' "Altri").
    int IndiceIntervallo(double x) const;

    void StatisticaArchivio() override;
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;
    bool Verifica(const Colonna& c) override { return Intervalli.Ammette(Misura(c)); }
    void AzzeraStatistiche() override;
    // Active with "Attivato" and some interval; off in archive mode when the search ignores it.
    bool AggiornaStato() override;
    // Link mode only: the interval table under the item's title.
    void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) override;
    // "Azzera ": Attivato, no interval, letter 'A'.
    void Azzera();

    TTabellaIntervalli Intervalli;
    TSquadreScelte Squadre{};
    T_FrequenzeRitardi Archivio;
    T_FrequenzeRitardi Analisi;

    static constexpr std::size_t kDimensionePayload = 1631;

protected:
    TCondGruppoValori(std::uint8_t tipo, std::string nome, TInsiemeCondizioni* owner);
    // The interval table, then Squadre.
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;
};

// Code 37: the joint percentage of the chosen teams' signs.
class TCondPercentuali : public TCondGruppoValori {
public:
    explicit TCondPercentuali(TInsiemeCondizioni* owner)
        : TCondGruppoValori(kCodPercentuali, "Percentuali", owner) {}
};

// Interval editing ("Intervalli Ammessi" and "Intervalli In Rec." grids).

inline constexpr const char* kMsgErroreMinimo = "Errore Nel Valore Minimo Dell' Intervallo";
inline constexpr const char* kMsgErroreMassimo = "Errore Nel Valore Massimo Dell' Intervallo";
inline constexpr const char* kMsgMinimoSuperiore = "Errore, Il Valoro Minimo è Superiore a Quello Massimo";
inline constexpr const char* kMsgNonContigui = "Errore, gli Intervalli Non Sono Contigui.";
inline constexpr const char* kMsgNessunIntervallo = "Non è stato impostato alcun intervallo";
inline constexpr const char* kTitoloInformazione = "Informazione";
inline constexpr int kRigheIntervalli = 50; // rows of each grid

// One grid row as typed; Livello only for the recovery grid (1..99).
struct TRigaIntervallo {
    std::string Min;
    std::string Max;
    int Livello = 1;
    bool operator==(const TRigaIntervallo&) const = default;
};

enum class TGrigliaIntervalli { Ammessi, Recupero };

// The first fault found: its message, the grid, the row (from 0) and the cell to focus.
struct TErroreIntervalli {
    std::string Messaggio;
    TGrigliaIntervalli Griglia = TGrigliaIntervalli::Ammessi;
    int Riga = 0;
    bool SuMassimo = false; // the "Max" cell, else the "Min" cell
    bool operator==(const TErroreIntervalli&) const = default;
};

// A typed number: blanks around it, an optional sign, digits with "," or "." as the decimal
// separator, an optional exponent. False for anything else.
bool LeggiNumero(std::string_view text, double& x);
// A bound as the grids show it: up to 12 significant digits, "," as the decimal separator.
std::string TestoNumero(double x);

// Rebuilds the table's intervals from the grids: the admitted rows (state 1) then the recovery rows
// (state 2 at the row's level), skipping rows whose cells are both blank, at most kRigheIntervalli
// rows of each grid. Bounds are kept as the six-byte real stores them. interi asks for whole
// numbers; a range other than 0..0 bounds every number. On a fault the table is left as it was and
// the fault is returned; on success Conta is the number of intervals (Link and Tra untouched).
std::optional<TErroreIntervalli> RicostruisciIntervalli(const std::vector<TRigaIntervallo>& ammessi,
                                                        const std::vector<TRigaIntervallo>& recupero,
                                                        bool interi, TLimitiMisura limiti,
                                                        TTabellaIntervalli& tabella);
// The grids that show a table: its admitted and its recovery intervals in stored order.
void RigheIntervalli(const TTabellaIntervalli& tabella, std::vector<TRigaIntervallo>& ammessi,
                     std::vector<TRigaIntervallo>& recupero);
// Before "Archivio" or "Analisi": kMsgNessunIntervallo for a table without intervals.
std::optional<std::string> ControllaIntervalliImpostati(const TTabellaIntervalli& tabella);

} // namespace tessaline
