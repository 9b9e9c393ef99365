#include "conditions/sign_count.h"

#include "conditions/measures.h"

namespace tessaline {

TCondNumeroSegni::TCondNumeroSegni(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodNumeroSegni, "Numero Di Segni", owner) {
    AggiungiTabella("Segni 0", "Segni 0", 12, true);
    AggiungiTabella("Segni 1", "Segni 1", 12, true);
    AggiungiTabella("Segni 2", "Segni 2", 12, true);
    AggiungiTabella("Segni M", "Segni M", 12, true);
}

void TCondNumeroSegni::MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                                     bool /*tutte*/) const {
    std::array<TCampo, 4> campi;
    for (std::size_t s = 0; s < 4; ++s) {
        campi[s] = {tabelle_[s].Tabella.CampoMin, tabelle_[s].Tabella.CampoMax};
    }
    std::array<TConteggio, 4> m;
    MisuraNumeroSegni(c, pr, campi, m);
    for (std::size_t s = 0; s < 4; ++s) {
        out[s] = {m[s].conta, m[s].serie};
    }
}

TCondRisultati::TCondRisultati(TInsiemeCondizioni* owner) : TCondTabelle(kCodRisultati, "Risultati", owner) {
    AggiungiTabella("Punti", "Punti", 6, true);
}

void TCondRisultati::MisuraProfilo(const Colonna& c, const TProfilo& /*pr*/, std::span<TMisura> out,
                                   bool /*tutte*/) const {
    const TConteggio m = MisuraRisultati(c, Esiti);
    out[0] = {m.conta, m.serie};
}

bool TCondRisultati::AggiornaStato() {
    const bool tabella = tabelle_[0].Tabella.AggiornaStato(Attivato);
    AggiornaAttive();
    bool esiti = false;
    for (const std::uint8_t e : Esiti) {
        esiti = esiti || e != 0;
    }
    Abilitata = Attivato && tabella && esiti;
    return Abilitata;
}

void TCondRisultati::Azzera() {
    TCondTabelle::Azzera();
    Esiti = {};
}

void TCondRisultati::ScriviDati(TByteWriter& w) const {
    w.Bytes(Esiti.data(), Esiti.size());
    TCondTabelle::ScriviDati(w);
}

bool TCondRisultati::LeggiDati(TByteReader& r) {
    std::array<std::uint8_t, 6> esiti{};
    if (!r.Bytes(esiti.data(), esiti.size())) {
        return false;
    }
    if (!TCondTabelle::LeggiDati(r)) {
        return false;
    }
    Esiti = esiti;
    return true;
}

} // namespace tessaline
