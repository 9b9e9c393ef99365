#include "conditions/points_between.h"

#include <algorithm>

#include "conditions/condition_set.h"
#include "core/column_list.h"

namespace tessaline {

TCondPuntiTra::TCondPuntiTra(TInsiemeCondizioni* owner) : TCondizione(kCodPuntiTra, "Punti Tra", owner) {
    for (TTabellaIntervalli& t : Gruppi) {
        t.SetOwner(owner);
    }
}

std::int32_t TCondPuntiTra::Somma(int g) const {
    if (Owner == nullptr || g < 1 || g > kGruppiTra) {
        return 0;
    }
    return Owner->Somme()[static_cast<std::size_t>(g)];
}

std::int32_t TCondPuntiTra::GruppoMassimo() const {
    for (int g = kGruppiTra; g >= 1; --g) {
        if (Gruppo(g).Conta != 0) {
            return g;
        }
    }
    return 0;
}

bool TCondPuntiTra::Verifica(const Colonna& /*c*/) {
    for (int g = 1; g <= NumGruppi; ++g) {
        if (!Gruppi[static_cast<std::size_t>(g - 1)].Ammette(Somma(g))) {
            return false;
        }
    }
    return true;
}

bool TCondPuntiTra::AggiornaStato() {
    NumGruppi = 0;
    for (int g = 1; g <= kGruppiTra; ++g) {
        if (Gruppo(g).AggiornaStato(Attivato)) {
            NumGruppi = g;
        }
    }
    Abilitata = NumGruppi > 0;
    return Abilitata;
}

void TCondPuntiTra::EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char /*letter*/, int /*group*/) {
    if (modo != TModoEsame::Link) {
        return;
    }
    for (int g = 1; g <= NumGruppi; ++g) {
        e.Intervalli(Gruppo(g), std::to_string(g));
    }
}

void TCondPuntiTra::AzzeraStatistiche() {
    Archivio.Azzera(0);
    Analisi.Azzera(0);
}

void TCondPuntiTra::Azzera() {
    Attivato = true;
    for (TTabellaIntervalli& t : Gruppi) {
        t.Svuota();
    }
    NumGruppi = 0;
}

void TCondPuntiTra::MostraGruppo(int g) {
    GruppoInMostra = std::clamp(g, 1, kGruppiTra);
    if (Owner != nullptr) {
        // The group's conditions check columns for the statistics: their states must be current.
        for (int i = 1; i <= kSlots; ++i) {
            if (TCondizione* k = Owner->Slot(i)) {
                k->AggiornaStato();
            }
        }
    }
    TEsameTraLink e(Owner);
    e.Esamina(TModoEsame::Tra, 'A', GruppoInMostra);
    CondizioniGruppo = e.Elementi();
    LimitiGruppo = TLimitiMisura{static_cast<double>(e.Somma1()), static_cast<double>(e.Somma2())};
}

std::int32_t TCondPuntiTra::TotaleGruppo(const Colonna& c) {
    if (Owner == nullptr) {
        return 0;
    }
    TInsiemeCondizioni& set = *Owner;
    const bool tra = set.TraAbilitata();
    const bool raccogli = set.RaccogliErrori;
    const std::size_t errori = set.Errori.size();
    set.ImpostaTraAbilitata(true);
    set.RaccogliErrori = true;
    set.Link().AzzeraColonna();
    std::fill(set.SommeTra(), set.SommeTra() + kGruppiTra + 1, 0);
    std::array<bool, kGruppiTra + 1> done{};
    for (const TElemTraLink& el : CondizioniGruppo) {
        TCondizione* k = set.Slot(el.Numero);
        if (k == nullptr || k == this || done[static_cast<std::size_t>(el.Numero)]) {
            continue;
        }
        done[static_cast<std::size_t>(el.Numero)] = true;
        k->Verifica(c);
    }
    const std::int32_t total = Somma(GruppoInMostra);
    set.Errori.resize(errori);
    set.RaccogliErrori = raccogli;
    set.ImpostaTraAbilitata(tra);
    set.Link().AzzeraColonna();
    std::fill(set.SommeTra(), set.SommeTra() + kGruppiTra + 1, 0);
    return total;
}

void TCondPuntiTra::StatisticaArchivio() {
    Archivio.Azzera(0);
    if (Owner != nullptr) {
        Owner->PerOgniConcorso([this](const Colonna& c) { Archivio.Aggiungi(TotaleGruppo(c), 0, true); });
    }
}

void TCondPuntiTra::StatisticaColonne() {
    Analisi.Azzera(0);
    if (Owner == nullptr) {
        return;
    }
    const TTabellaIntervalli& t = Gruppo(GruppoInMostra);
    Owner->PerOgniColonna([&](const Colonna& c) {
        const double total = TotaleGruppo(c);
        int i = 0;
        while (i < t.Conta && !(t.Intervalli[static_cast<std::size_t>(i)].Min <= total &&
                                total <= t.Intervalli[static_cast<std::size_t>(i)].Max)) {
            ++i;
        }
        Analisi.Aggiungi(i, 0, false);
    });
}

void TCondPuntiTra::StatisticaColonna(const Colonna& c) {
    const std::int32_t total = TotaleGruppo(c);
    Archivio.Aggiungi(total, 0, false);
    if (Gruppo(GruppoInMostra).Ammette(total)) {
        Analisi.Aggiungi(total, 0, false);
    }
}

void TCondPuntiTra::ScriviDati(TByteWriter& w) const {
    const std::int32_t n = GruppoMassimo();
    w.I32(n);
    for (int g = 1; g <= n; ++g) {
        Gruppo(g).Scrivi(w);
    }
}

bool TCondPuntiTra::LeggiDati(TByteReader& r) {
    std::int32_t n = 0;
    if (!r.I32(n) || n < 0 || n > kGruppiTra) {
        return false;
    }
    std::array<TTabellaIntervalli, kGruppiTra> read;
    for (TTabellaIntervalli& t : read) {
        t.SetOwner(Owner);
    }
    for (int g = 1; g <= n; ++g) {
        if (!read[static_cast<std::size_t>(g - 1)].Leggi(r)) {
            return false;
        }
    }
    Gruppi = read;
    NumGruppi = n;
    return true;
}

} // namespace tessaline
