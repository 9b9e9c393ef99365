#pragma once
// Conditions on the order of the signs along the coupon: "Pari e Dispari", "Vortice", "Simmetrie",
// "Interruzioni", "Ripetizioni" and the "Consecutività" item of "Gruppo Consecutività".

#include "conditions/condition.h"

namespace tessaline {

// Code 2: "Pari" (N 6) on even runs, "Dispari" (N 12) on odd runs, both with consecutiveness.
class TCondPariDispari : public TCondTabelle {
public:
    explicit TCondPariDispari(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
};

// Code 3: direct "Posizione", "Bracci", inverse "Posizione", "Bracci" (N 12 each).
class TCondVortice : public TCondTabelle {
public:
    explicit TCondVortice(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
};

// Code 4: "Dirette" (N 6), "Inverse" (N 6) with consecutiveness, "Totali" (N 12) their sum.
class TCondSimmetrie : public TCondTabelle {
public:
    explicit TCondSimmetrie(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
};

// Code 5: "Globali" (N 11, with consecutiveness), "Segni 0", "Segni 1", "Segni 2", "Segni P" (N 6).
class TCondInterruzioni : public TCondTabelle {
public:
    explicit TCondInterruzioni(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
};

// Code 6: the column against the last (table 1) and the last but one (table 2) winning column of
// the archive. With fewer than two contests the condition does not apply.
class TCondRipetizioni : public TCondTabelle {
public:
    explicit TCondRipetizioni(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
    void MisuraContro(const Colonna& c, const Colonna& prev1, const Colonna& prev2,
                      std::span<TMisura> out) const;
    bool Verifica(const Colonna& c) override;
    // Off with fewer than two archived contests, and in archive mode when the search ignores it.
    bool AggiornaStato() override;
    // Contest a against contests a-1 and a-2, for a = 2 .. n-1 inside the search range.
    void StatisticaArchivio() override;
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;

private:
    // The last two winning columns; false with fewer than two contests.
    bool Precedenti(Colonna& prev1, Colonna& prev2) const;
};

// Code 38: for a sign, a selection of counts for which the item applies and the admitted longest
// runs ("Consecutività Ammessa", whose field is the item's).
class TCondConsecutivita : public TCondTabelle {
public:
    explicit TCondConsecutivita(TInsiemeCondizioni* owner);
    void ImpostaTitolo(const std::string& parent) override;
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
    bool Verifica(const Colonna& c) override;
    // Abilitata when both tables are active.
    bool AggiornaStato() override;
    void Azzera() override;

    TTabellaPunti& Selezione() { return tabelle_[0].Tabella; }
    TTabellaPunti& Ammessa() { return tabelle_[1].Tabella; }

    SignSet Segno = kSign0;

protected:
    void ScriviDati(TByteWriter& w) const override;
    // Fails for a sign byte other than 1, 2, 4, 8.
    bool LeggiDati(TByteReader& r) override;
};

} // namespace tessaline
