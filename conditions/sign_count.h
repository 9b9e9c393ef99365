#pragma once
// "Numero Di Segni" (how many of each sign and their longest run) and the "Risultati" item (matches
// ending with an admitted result).

#include <array>

#include "conditions/condition.h"

namespace tessaline {

// Code 1: tables "Segni 0", "Segni 1", "Segni 2", "Segni M" (N 12, with consecutiveness).
class TCondNumeroSegni : public TCondTabelle {
public:
    explicit TCondNumeroSegni(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
};

// Code 40: per match the admitted results (1 home, 2 draw, 4 away); table "Punti" (N 6, with
// consecutiveness) on (hits, longest run of hits).
class TCondRisultati : public TCondTabelle {
public:
    explicit TCondRisultati(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
    // Abilitata also needs some match with an admitted result.
    bool AggiornaStato() override;
    void Azzera() override;

    std::array<std::uint8_t, 6> Esiti{};

protected:
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;
};

} // namespace tessaline
