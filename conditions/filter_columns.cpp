#include "conditions/filter_columns.h"

#include <algorithm>

#include "conditions/condition_set.h"

namespace tessaline {

TConteggio MisuraColonnaFiltro(const Colonna& c, const Colonna& filtro, bool coppie, bool colpi, bool serie) {
    TConteggio m;
    if (!colpi && !serie) {
        return m;
    }
    int run = 0;
    if (!coppie) {
        for (std::size_t t = 0; t < kTeams; ++t) {
            const SignSet f = filtro.s[t];
            if (f == 0) {
                continue; // neither extends nor breaks a run
            }
            if ((c.s[t] & f) != 0) {
                ++m.conta;
                m.serie = std::max(m.serie, ++run);
            } else {
                run = 0;
            }
        }
    } else {
        for (std::size_t k = 0; k < kMatches; ++k) {
            const SignSet fh = filtro.s[2 * k];
            const SignSet fa = filtro.s[2 * k + 1];
            if (fh == 0 || fa == 0) {
                continue;
            }
            if ((c.s[2 * k] & fh) != 0 && (c.s[2 * k + 1] & fa) != 0) {
                ++m.conta;
                m.serie = std::max(m.serie, ++run);
            } else {
                run = 0;
            }
        }
    }
    if (!colpi) {
        m.conta = 0;
    }
    if (!serie) {
        m.serie = 0;
    }
    return m;
}

TCondColonnaFiltro::TCondColonnaFiltro(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodColonnaFiltro, "Colonna Filtro", owner) {
    AggiungiTabella("Punti", "Punti", 12, true);
}

void TCondColonnaFiltro::Misura(const Colonna& c, std::span<TMisura> out, bool tutte) const {
    const TTabellaPunti& t = Punti();
    const TConteggio m =
        MisuraColonnaFiltro(c, Filtro, ConfrontoACoppie, tutte || t.Pt.Attiva, tutte || t.Cs.Attiva);
    out[0] = {m.conta, m.serie};
}

bool TCondColonnaFiltro::AggiornaStato() {
    const bool punti = Punti().AggiornaStato(Attivato);
    const bool filtro = std::any_of(Filtro.s.begin(), Filtro.s.end(), [](SignSet s) { return s != 0; });
    const bool ignorata =
        Owner != nullptr && Owner->ModoArchivio && Owner->Ricerca().IgnoraColonneFiltro != 0;
    Abilitata = Attivato && punti && filtro && !ignorata;
    return Abilitata;
}

void TCondColonnaFiltro::ScriviDati(TByteWriter& w) const {
    w.U8(ConfrontoACoppie ? 1 : 0);
    Punti().Scrivi(w);
    w.Bytes(Filtro.s.data(), Filtro.s.size());
}

bool TCondColonnaFiltro::LeggiDati(TByteReader& r) {
    std::uint8_t coppie = 0;
    TTabellaPunti punti = Punti();
    Colonna filtro;
    if (!r.U8(coppie) || !punti.Leggi(r) || !r.Bytes(filtro.s.data(), filtro.s.size())) {
        return false;
    }
    ConfrontoACoppie = coppie != 0;
    Punti() = punti;
    Filtro = filtro;
    return true;
}

bool TCondColonnaFiltro::Scrivi(TByteWriter& w) const {
    w.U8(Tipo);
    ScriviDati(w);
    w.U8(Attivato ? 1 : 0);
    return true;
}

bool TCondColonnaFiltro::Leggi(TByteReader& r) {
    // A record cut before its last byte leaves the item as it was.
    const TTabellaPunti punti = Punti();
    const Colonna filtro = Filtro;
    const bool coppie = ConfrontoACoppie;
    std::uint8_t attivato = 0;
    if (!LeggiDati(r)) {
        return false;
    }
    if (!r.U8(attivato)) {
        Punti() = punti;
        Filtro = filtro;
        ConfrontoACoppie = coppie;
        return false;
    }
    Attivato = attivato != 0;
    return true;
}

} // namespace tessaline
