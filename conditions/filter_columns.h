#pragma once
// "Colonne Filtro": the column against a reference column whose every team lists the signs that
// count as a hit; the table "Punti" admits numbers of hits and longest runs of hits. Items of
// "Gruppo Col. Filtro".

#include <array>
#include <cstdint>

#include "conditions/condition.h"
#include "conditions/measures.h"

namespace tessaline {

// (Colpi, SerieColpi) of the column against the filter. By teams: the teams that share a sign with
// the filter, and their longest run in team order where teams with an empty filter set are skipped.
// By matches (coppie): the matches whose two teams both hit, and their longest run where matches
// with an empty set on either team are skipped. A quantity not asked for stays 0.
TConteggio MisuraColonnaFiltro(const Colonna& c, const Colonna& filtro, bool coppie, bool colpi = true,
                               bool serie = true);

// The filter as team masks (bit t-1 for team t): per sign the teams whose set holds it, and the
// teams whose set is not empty.
struct TMaschereFiltro {
    std::array<std::uint32_t, 4> segno{};
    std::uint32_t usate = 0;
};
// The filter column as bit masks over the twelve teams, one per sign.
TMaschereFiltro MaschereFiltro(const Colonna& filtro);
// MisuraColonnaFiltro from the column's sign masks; the same result for any column.
TConteggio MisuraColonnaFiltro(const Colonna& c, const TProfilo& pr, const Colonna& filtro,
                               const TMaschereFiltro& m, bool coppie, bool colpi = true, bool serie = true);

// Code 39.
class TCondColonnaFiltro : public TCondTabelle {
public:
    explicit TCondColonnaFiltro(TInsiemeCondizioni* owner);
    // With tutte false, Colpi only when the points section is active and SerieColpi only when the
    // consecutiveness section is.
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;
    // Abilitata: "Punti" active, some filter set not empty, and not ignored by the win search.
    bool AggiornaStato() override;
    // The record after the type byte: ConfrontoACoppie, Punti, Filtro, Attivato (Attivato last).
    bool Scrivi(TByteWriter& w) const override;
    bool Leggi(TByteReader& r) override;

    TTabellaPunti& Punti() { return tabelle_[0].Tabella; }
    const TTabellaPunti& Punti() const { return tabelle_[0].Tabella; }

    Colonna Filtro{};
    bool ConfrontoACoppie = true;

    static constexpr std::size_t kDimensioneRecord = 1 + 1 + 76 + 12 + 1; // type byte included

protected:
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;

private:
    // The masks of Filtro, rebuilt whenever Filtro differs from the copy they were built from.
    const TMaschereFiltro& Maschere() const;
    mutable Colonna filtroMascherato_{};
    mutable TMaschereFiltro maschere_{};
};

} // namespace tessaline
