#pragma once
// "Punti Tra" (slot 15): per group 1..30 the total of the values that the other conditions measured
// on the same column in the tables assigned to that group, checked against the group's intervals.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "conditions/condition.h"
#include "conditions/value_conditions.h"

namespace tessaline {

// Code 15.
class TCondPuntiTra : public TCondizione {
public:
    explicit TCondPuntiTra(TInsiemeCondizioni* owner);

    // Group g = 1..30 (anything else gives group 1).
    TTabellaIntervalli& Gruppo(int g) { return Gruppi[Indice(g)]; }
    const TTabellaIntervalli& Gruppo(int g) const { return Gruppi[Indice(g)]; }
    // The running total of group g in the column being evaluated (0 without an owner).
    std::int32_t Somma(int g) const;
    // The highest group holding at least one interval, whatever the switch (0: none).
    std::int32_t GruppoMassimo() const;

    // Groups 1..NumGruppi in order must admit their totals; an inactive group admits anything.
    bool Verifica(const Colonna& c) override;
    // Every group updated with Attivato; NumGruppi the highest active group; Abilitata NumGruppi > 0.
    bool AggiornaStato() override;
    // Link mode: each group up to NumGruppi reports its intervals under its number.
    void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) override;
    void AzzeraStatistiche() override;
    // Statistics of the group on show: archived totals, analysis by interval index ("Altri" =
    // Conta), and one column's total.
    void StatisticaArchivio() override;
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;
    // "Azzera ": Attivato, every group emptied.
    void Azzera();

    // The dialog's "Gruppo Tra :": finds the tables of group g ("Condizioni  Nel Gruppo ") and the
    // smallest and largest total the group can reach ("Min", "Max").
    void MostraGruppo(int g);
    // The dialog's grids for the group on show, checked as interval grids are (whole numbers, within
    // LimitiGruppo unless that is 0..0); on a fault the group is left as it was.
    std::optional<TErroreIntervalli> RicostruisciGruppo(const std::vector<TRigaIntervallo>& ammessi,
                                                        const std::vector<TRigaIntervallo>& recupero) {
        return RicostruisciIntervalli(ammessi, recupero, true, LimitiGruppo, Gruppo(GruppoInMostra));
    }
    // The total of the group on show for one column: the group sums cleared, every distinct
    // condition of the group checks the column (all items of a list, so that each adds its values),
    // the total read. The per-column state of the set is left cleared.
    std::int32_t TotaleGruppo(const Colonna& c);

    std::array<TTabellaIntervalli, kGruppiTra> Gruppi;
    std::int32_t NumGruppi = 0;
    int GruppoInMostra = 1;
    std::vector<TElemTraLink> CondizioniGruppo;
    TLimitiMisura LimitiGruppo;
    T_FrequenzeRitardi Archivio;
    T_FrequenzeRitardi Analisi;

protected:
    // NumGruppi recomputed as GruppoMassimo(), then the tables of groups 1..NumGruppi.
    void ScriviDati(TByteWriter& w) const override;
    // Every group emptied, then NumGruppi (0..30, else the read fails) and its tables.
    bool LeggiDati(TByteReader& r) override;

private:
    static std::size_t Indice(int g) {
        return g >= 1 && g <= kGruppiTra ? static_cast<std::size_t>(g - 1) : 0;
    }
};

} // namespace tessaline
