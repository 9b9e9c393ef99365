#include "conditions/sequence_shape.h"

#include "conditions/condition_set.h"
#include "conditions/measures.h"

namespace tessaline {

namespace {

TCampo Campo(const TTabellaPunti& t) {
    return {t.CampoMin, t.CampoMax};
}

} // namespace

TCondPariDispari::TCondPariDispari(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodPariDispari, "Pari e Dispari", owner) {
    AggiungiTabella("Pari", "Pari", 6, true);
    AggiungiTabella("Dispari", "Dispari", 12, true);
}

void TCondPariDispari::MisuraProfilo(const Colonna& /*c*/, const TProfilo& pr, std::span<TMisura> out,
                                     bool tutte) const {
    for (std::size_t i = 0; i < 2; ++i) {
        const TTabellaPunti& t = tabelle_[i].Tabella;
        if (tutte || t.Attiva) {
            const TConteggio m = MisuraPariDispari(pr, Campo(t), i == 1);
            out[i] = {m.conta, m.serie};
        }
    }
}

TCondVortice::TCondVortice(TInsiemeCondizioni* owner) : TCondTabelle(kCodVortice, "Vortice", owner) {
    AggiungiTabella("Posizione", "Posizione", 12, false);
    AggiungiTabella("Bracci", "Bracci", 12, false);
    AggiungiTabella("Posizione", "Posizione", 12, false);
    AggiungiTabella("Bracci", "Bracci", 12, false);
}

void TCondVortice::MisuraProfilo(const Colonna& c, const TProfilo& /*pr*/, std::span<TMisura> out,
                                 bool tutte) const {
    for (std::size_t k = 0; k < 2; ++k) {
        const TTabellaPunti& pos = tabelle_[2 * k].Tabella;
        if (tutte || pos.Attiva || tabelle_[2 * k + 1].Tabella.Attiva) {
            const TVortice v = MisuraVortice(c, Campo(pos), k == 1);
            out[2 * k] = {v.posizione, 0};
            out[2 * k + 1] = {v.bracci, 0};
        }
    }
}

TCondSimmetrie::TCondSimmetrie(TInsiemeCondizioni* owner) : TCondTabelle(kCodSimmetrie, "Simmetrie", owner) {
    AggiungiTabella("Dirette", "Dirette", 6, true);
    AggiungiTabella("Inverse", "Inverse", 6, true);
    AggiungiTabella("Totali", "Totali", 12, false);
}

void TCondSimmetrie::MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                                   bool tutte) const {
    const bool totali = tutte || tabelle_[2].Tabella.Attiva;
    TConteggio d;
    TConteggio inv;
    if (totali || tabelle_[0].Tabella.Attiva) {
        d = MisuraSimmetrie(c, pr, Campo(tabelle_[0].Tabella), false);
    }
    if (totali || tabelle_[1].Tabella.Attiva) {
        inv = MisuraSimmetrie(c, pr, Campo(tabelle_[1].Tabella), true);
    }
    out[0] = {d.conta, d.serie};
    out[1] = {inv.conta, inv.serie};
    out[2] = {d.conta + inv.conta, 0};
}

TCondInterruzioni::TCondInterruzioni(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodInterruzioni, "Interruzioni", owner) {
    AggiungiTabella("Globali", "Globali", 11, true);
    AggiungiTabella("Segni 0", "Segni 0", 6, false);
    AggiungiTabella("Segni 1", "Segni 1", 6, false);
    AggiungiTabella("Segni 2", "Segni 2", 6, false);
    AggiungiTabella("Segni P", "Segni P", 6, false);
}

void TCondInterruzioni::MisuraProfilo(const Colonna& /*c*/, const TProfilo& pr, std::span<TMisura> out,
                                      bool tutte) const {
    if (tutte || tabelle_[0].Tabella.Attiva) {
        const TConteggio g = MisuraInterruzioni(pr, Campo(tabelle_[0].Tabella));
        out[0] = {g.conta, g.serie};
    }
    bool segni = tutte;
    for (std::size_t s = 1; s <= 4; ++s) {
        segni = segni || tabelle_[s].Tabella.Attiva;
    }
    if (segni) {
        std::array<TCampo, 4> campi;
        for (std::size_t s = 0; s < 4; ++s) {
            campi[s] = Campo(tabelle_[s + 1].Tabella);
        }
        std::array<int, 4> n;
        MisuraInterruzioniSegni(pr, campi, n);
        for (std::size_t s = 0; s < 4; ++s) {
            out[s + 1] = {n[s], 0};
        }
    }
}

TCondRipetizioni::TCondRipetizioni(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodRipetizioni, "Ripetizioni", owner) {
    AggiungiTabella("Su una Colonna Precedente", "1 Prec.", 12, true);
    AggiungiTabella("Su due Colonne Precedenti", "2 Prec.", 12, true);
}

bool TCondRipetizioni::Precedenti(Colonna& prev1, Colonna& prev2) const {
    const T_Archivio* a = Owner != nullptr ? Owner->Archivio() : nullptr;
    if (a == nullptr || a->Count() < 2) {
        return false;
    }
    const auto& list = a->Concorsi();
    prev1 = list[list.size() - 1].ColonnaVincente;
    prev2 = list[list.size() - 2].ColonnaVincente;
    return true;
}

void TCondRipetizioni::MisuraContro(const Colonna& c, const Colonna& prev1, const Colonna& prev2,
                                    std::span<TMisura> out) const {
    const TConteggio r1 = MisuraRipetizioni(c, prev1, Campo(tabelle_[0].Tabella));
    const TConteggio r2 = MisuraRipetizioni(c, prev2, Campo(tabelle_[1].Tabella));
    out[0] = {r1.conta, r1.serie};
    out[1] = {r2.conta, r2.serie};
}

void TCondRipetizioni::MisuraProfilo(const Colonna& c, const TProfilo& /*pr*/, std::span<TMisura> out,
                                     bool /*tutte*/) const {
    Colonna prev1;
    Colonna prev2;
    if (Precedenti(prev1, prev2)) {
        MisuraContro(c, prev1, prev2, out);
    } else {
        out[0] = {};
        out[1] = {};
    }
}

bool TCondRipetizioni::Verifica(const Colonna& c) {
    Colonna prev1;
    Colonna prev2;
    if (!Precedenti(prev1, prev2)) {
        return true;
    }
    return TCondTabelle::Verifica(c);
}

bool TCondRipetizioni::AggiornaStato() {
    TCondTabelle::AggiornaStato();
    Colonna prev1;
    Colonna prev2;
    if (!Precedenti(prev1, prev2)) {
        Abilitata = false;
    }
    if (Owner != nullptr && Owner->ModoArchivio && Owner->Ricerca().IgnoraRipetizioni != 0) {
        Abilitata = false;
    }
    return Abilitata;
}

void TCondRipetizioni::StatisticaArchivio() {
    for (TVoceTabella& t : tabelle_) {
        t.Archivio.Azzera(t.Tabella.N());
    }
    const T_Archivio* a = Owner != nullptr ? Owner->Archivio() : nullptr;
    if (a == nullptr) {
        return;
    }
    const auto& list = a->Concorsi();
    const T_IntervalloConcorsi& range = Owner->Ricerca().Intervallo;
    std::array<TMisura, 2> m;
    for (std::size_t i = 2; i < list.size(); ++i) {
        if (!range.Contiene(list[i])) {
            continue;
        }
        MisuraContro(list[i].ColonnaVincente, list[i - 1].ColonnaVincente, list[i - 2].ColonnaVincente, m);
        for (std::size_t k = 0; k < 2; ++k) {
            tabelle_[k].Archivio.Aggiungi(m[k].v, m[k].c, true);
        }
    }
}

void TCondRipetizioni::StatisticaColonne() {
    Colonna prev1;
    Colonna prev2;
    if (!Precedenti(prev1, prev2)) {
        for (TVoceTabella& t : tabelle_) {
            t.Analisi.Azzera(t.Tabella.N());
        }
        return;
    }
    TCondTabelle::StatisticaColonne();
}

void TCondRipetizioni::StatisticaColonna(const Colonna& c) {
    Colonna prev1;
    Colonna prev2;
    if (Precedenti(prev1, prev2)) {
        TCondTabelle::StatisticaColonna(c);
    }
}

TCondConsecutivita::TCondConsecutivita(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodConsecutivita, "Consecutività", owner) {
    AggiungiTabella("Selezione", nullptr, 12, false);
    AggiungiTabella("Consecutività Ammessa", "Consecutività Ammessa", 12, false);
}

void TCondConsecutivita::ImpostaTitolo(const std::string& parent) {
    Titolo = parent + "\\" + Nome + " Segno " + SignText(Segno);
}

void TCondConsecutivita::MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                                       bool /*tutte*/) const {
    const TConteggio m = MisuraConsecutivita(c, pr, Segno, Campo(tabelle_[1].Tabella));
    out[0] = {m.conta, 0};
    out[1] = {m.serie, 0};
}

bool TCondConsecutivita::Verifica(const Colonna& c) {
    const TProfilo pr = Owner != nullptr ? Owner->ProfiloDi(c) : Profilo(c);
    const TConteggio m = MisuraConsecutivita(c, pr, Segno, Campo(tabelle_[1].Tabella));
    if (tabelle_[0].Tabella.Pt.Voci[static_cast<std::size_t>(m.conta)].Stato != kAmmesso) {
        return true;
    }
    const TTabellaPunti& ammessa = tabelle_[1].Tabella;
    ammessa.Contribuisci(m.serie, 0);
    return ammessa.Ammette(m.serie, 0);
}

bool TCondConsecutivita::AggiornaStato() {
    const bool sel = tabelle_[0].Tabella.AggiornaStato(Attivato);
    const bool amm = tabelle_[1].Tabella.AggiornaStato(Attivato);
    AggiornaAttive();
    Abilitata = Attivato && sel && amm;
    return Abilitata;
}

void TCondConsecutivita::Azzera() {
    TCondTabelle::Azzera();
    Segno = kSign0;
}

void TCondConsecutivita::ScriviDati(TByteWriter& w) const {
    w.U8(Segno);
    TCondTabelle::ScriviDati(w);
}

bool TCondConsecutivita::LeggiDati(TByteReader& r) {
    std::uint8_t segno = 0;
    if (!r.U8(segno) || kIndiceSegno[segno] > 3) {
        return false;
    }
    if (!TCondTabelle::LeggiDati(r)) {
        return false;
    }
    Segno = segno;
    return true;
}

} // namespace tessaline
