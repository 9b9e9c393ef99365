#include "conditions/filter_columns.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

TMaschereFiltro MaschereFiltro(const Colonna& filtro) {
    TMaschereFiltro m;
    for (std::size_t t = 0; t < kTeams; ++t) {
        for (std::size_t s = 0; s < 4; ++s) {
            if ((filtro.s[t] >> s) & 1) {
                m.segno[s] |= 1u << t;
            }
        }
        if (filtro.s[t] != 0) {
            m.usate |= 1u << t;
        }
    }
    return m;
}

namespace {

// Set bits of a team mask, without relying on a population-count instruction.
int Bits(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

// The same twelve bytes (compared as two words).
bool Uguali(const Colonna& a, const Colonna& b) {
    std::uint64_t a1 = 0;
    std::uint64_t b1 = 0;
    std::uint32_t a2 = 0;
    std::uint32_t b2 = 0;
    std::memcpy(&a1, a.s.data(), 8);
    std::memcpy(&b1, b.s.data(), 8);
    std::memcpy(&a2, a.s.data() + 8, 4);
    std::memcpy(&b2, b.s.data() + 8, 4);
    return a1 == b1 && a2 == b2;
}

// Longest run of set bits of hits, visiting only the positions set in usate, lowest first.
int SerieSu(std::uint32_t hits, std::uint32_t usate, std::uint32_t tutte, int passo) {
    int best = 0;
    if (usate == tutte) {
        for (std::uint32_t x = hits; x != 0; x &= x >> passo) {
            ++best;
        }
        return best;
    }
    int run = 0;
    for (std::uint32_t u = usate; u != 0; u &= u - 1) {
        const int p = std::countr_zero(u);
        if ((hits >> p) & 1) {
            best = std::max(best, ++run);
        } else {
            run = 0;
        }
    }
    return best;
}

} // namespace

TConteggio MisuraColonnaFiltro(const Colonna& c, const TProfilo& pr, const Colonna& filtro,
                               const TMaschereFiltro& m, bool coppie, bool colpi, bool serie) {
    if (pr.segno[4] != 0) {
        return MisuraColonnaFiltro(c, filtro, coppie, colpi, serie); // bytes that are not single signs
    }
    TConteggio out;
    if (!colpi && !serie) {
        return out;
    }
    const std::uint32_t hits = (pr.segno[0] & m.segno[0]) | (pr.segno[1] & m.segno[1]) |
                               (pr.segno[2] & m.segno[2]) | (pr.segno[3] & m.segno[3]);
    if (!coppie) {
        out.conta = colpi ? Bits(hits) : 0;
        out.serie = serie ? SerieSu(hits, m.usate, 0xFFF, 1) : 0;
    } else {
        constexpr std::uint32_t kCasa = 0x555; // the home team of every match
        const std::uint32_t partite = hits & (hits >> 1) & kCasa;
        const std::uint32_t usate = m.usate & (m.usate >> 1) & kCasa;
        out.conta = colpi ? Bits(partite) : 0;
        out.serie = serie ? SerieSu(partite, usate, kCasa, 2) : 0;
    }
    return out;
}

TCondColonnaFiltro::TCondColonnaFiltro(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodColonnaFiltro, "Colonna Filtro", owner) {
    AggiungiTabella("Punti", "Punti", 12, true);
}

const TMaschereFiltro& TCondColonnaFiltro::Maschere() const {
    if (!Uguali(filtroMascherato_, Filtro)) {
        maschere_ = MaschereFiltro(Filtro);
        filtroMascherato_ = Filtro;
    }
    return maschere_;
}

void TCondColonnaFiltro::MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                                       bool tutte) const {
    const TTabellaPunti& t = Punti();
    const TConteggio m = MisuraColonnaFiltro(c, pr, Filtro, Maschere(), ConfrontoACoppie,
                                             tutte || t.Pt.Attiva, tutte || t.Cs.Attiva);
    out[0] = {m.conta, m.serie};
}

bool TCondColonnaFiltro::AggiornaStato() {
    const bool punti = TCondTabelle::AggiornaStato();
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
    MaskSigns(filtro);
    ConfrontoACoppie = coppie != 0;
    Punti() = punti;
    Filtro = filtro;
    AggiornaAttive();
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
        AggiornaAttive();
        return false;
    }
    Attivato = attivato != 0;
    return true;
}

} // namespace tessaline
