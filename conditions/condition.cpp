#include "conditions/condition.h"

#include <fmt/format.h>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"
#include "core/column_list.h"

namespace tessaline {

namespace {

constexpr std::size_t kMaxTabelle = 8;

} // namespace

std::string PosizioneTitolo(std::size_t k) {
    return fmt::format("{:03d}", k);
}

void TCondizione::ImpostaTitolo(const std::string& parent) {
    Titolo = parent + "\\" + Nome;
}

bool TCondizione::Scrivi(TByteWriter& w) const {
    w.U8(Tipo);
    w.U8(Attivato ? 1 : 0);
    ScriviDati(w);
    return true;
}

bool TCondizione::Leggi(TByteReader& r) {
    std::uint8_t attivato = 0;
    if (!r.U8(attivato)) {
        return false;
    }
    if (!LeggiDati(r)) {
        return false;
    }
    Attivato = attivato != 0;
    return true;
}

void TCondTabelle::ScriviDati(TByteWriter& w) const {
    for (const TVoceTabella& t : tabelle_) {
        t.Tabella.Scrivi(w);
    }
}

bool TCondTabelle::LeggiDati(TByteReader& r) {
    // Read into copies so that a failed read leaves the condition as it was.
    std::vector<TTabellaPunti> read;
    read.reserve(tabelle_.size());
    for (const TVoceTabella& t : tabelle_) {
        read.push_back(t.Tabella);
        if (!read.back().Leggi(r)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < tabelle_.size(); ++i) {
        tabelle_[i].Tabella = read[i];
    }
    AggiornaAttive();
    return true;
}

void TCondTabelle::AggiornaAttive() {
    nAttive_ = 0;
    for (std::size_t i = 0; i < tabelle_.size() && i < attive_.size(); ++i) {
        if (tabelle_[i].Tabella.Attiva) {
            attive_[nAttive_++] = static_cast<std::uint8_t>(i);
        }
    }
}

bool TCondTabelle::Verifica(const Colonna& c) {
    std::array<TMisura, kMaxTabelle> m;
    const std::size_t n = tabelle_.size();
    MisuraProfilo(c, Owner != nullptr ? Owner->ProfiloDi(c) : Profilo(c), std::span<TMisura>(m.data(), n),
                  false);
    if (Owner != nullptr && Owner->TraAbilitata()) {
        for (std::size_t i = 0; i < n; ++i) {
            tabelle_[i].Tabella.Contribuisci(m[i].v, m[i].c);
        }
    }
    // Inactive tables admit everything: only the active ones are looked at, in stored order.
    for (std::size_t k = 0; k < nAttive_; ++k) {
        const std::size_t i = attive_[k];
        if (!tabelle_[i].Tabella.Ammette(m[i].v, m[i].c)) {
            return false;
        }
    }
    return true;
}

void TCondTabelle::AzzeraStatistiche() {
    for (TVoceTabella& t : tabelle_) {
        t.Archivio.Azzera(t.Tabella.N());
        t.Analisi.Azzera(t.Tabella.N());
    }
}

bool TCondTabelle::AggiornaStato() {
    bool any = false;
    for (TVoceTabella& t : tabelle_) {
        any = t.Tabella.AggiornaStato(Attivato) || any;
    }
    AggiornaAttive();
    Abilitata = Attivato && any;
    return Abilitata;
}

void TCondTabelle::Azzera() {
    Attivato = true;
    for (TVoceTabella& t : tabelle_) {
        t.Tabella.Svuota();
    }
    AggiornaAttive();
}

void TCondTabelle::EsaminaTraLink(TEsameTraLink& e, TModoEsame /*modo*/, char /*letter*/, int /*group*/) {
    for (const TVoceTabella& t : tabelle_) {
        if (t.NomeEsame != nullptr) {
            e.Tabella(t.Tabella, Titolo + " - " + t.NomeEsame);
        }
    }
}

void TCondTabelle::RegistraArchivio(const Colonna& c) {
    std::array<TMisura, kMaxTabelle> m;
    Misura(c, std::span<TMisura>(m.data(), tabelle_.size()), true);
    for (std::size_t i = 0; i < tabelle_.size(); ++i) {
        tabelle_[i].Archivio.Aggiungi(m[i].v, m[i].c, true);
    }
}

void TCondTabelle::StatisticaArchivio() {
    for (TVoceTabella& t : tabelle_) {
        t.Archivio.Azzera(t.Tabella.N());
    }
    if (Owner != nullptr) {
        Owner->PerOgniConcorso([this](const Colonna& c) { RegistraArchivio(c); });
    }
}

void TCondTabelle::StatisticaColonne() {
    for (TVoceTabella& t : tabelle_) {
        t.Analisi.Azzera(t.Tabella.N());
    }
    if (Owner == nullptr) {
        return;
    }
    std::array<TMisura, kMaxTabelle> m;
    const std::span<TMisura> out(m.data(), tabelle_.size());
    Owner->PerOgniColonna([&](const Colonna& c) {
        Misura(c, out, true);
        for (std::size_t i = 0; i < tabelle_.size(); ++i) {
            tabelle_[i].Analisi.Aggiungi(m[i].v, m[i].c, false);
        }
    });
}

void TCondTabelle::StatisticaColonna(const Colonna& c) {
    std::array<TMisura, kMaxTabelle> m;
    Misura(c, std::span<TMisura>(m.data(), tabelle_.size()), true);
    for (std::size_t i = 0; i < tabelle_.size(); ++i) {
        TVoceTabella& t = tabelle_[i];
        t.Archivio.Aggiungi(m[i].v, m[i].c, false);
        if (t.Tabella.Ammette(m[i].v, m[i].c)) {
            t.Analisi.Aggiungi(m[i].v, m[i].c, false);
        }
    }
}

void TListaCondizioni::Inizializza(std::uint8_t tipo, const std::string& nome) {
    Attivato = true;
    Abilitata = false;
    Tipo = tipo;
    Nome = nome;
}

void TListaCondizioni::ImpostaTitolo(const std::string& parent) {
    TCondizione::ImpostaTitolo(parent);
    for (std::size_t k = 0; k < items_.size(); ++k) {
        items_[k]->ImpostaTitolo(Titolo);
        items_[k]->Titolo += " " + PosizioneTitolo(k + 1);
    }
}

void TListaCondizioni::StatisticaArchivio() {
    for (auto& it : items_) {
        it->StatisticaArchivio();
    }
}

void TListaCondizioni::StatisticaColonne() {
    for (auto& it : items_) {
        it->StatisticaColonne();
    }
}

void TListaCondizioni::StatisticaColonna(const Colonna& c) {
    for (auto& it : items_) {
        it->StatisticaColonna(c);
    }
}

bool TListaCondizioni::Verifica(const Colonna& c) {
    const bool collect = Owner != nullptr && Owner->RaccogliErrori;
    bool r = true;
    for (auto& it : items_) {
        if (!r && !collect) {
            break;
        }
        if (!(it->Abilitata && it->Attivato)) {
            continue;
        }
        const bool ok = it->Verifica(c);
        r = r && ok;
        if (collect && !ok) {
            Owner->Errori.push_back(TErrore{it.get()});
        }
    }
    return r;
}

void TListaCondizioni::AzzeraStatistiche() {
    for (auto& it : items_) {
        it->AzzeraStatistiche();
    }
}

bool TListaCondizioni::AggiornaStato() {
    bool any = false;
    for (auto& it : items_) {
        const bool saved = it->Attivato;
        it->Attivato = saved && Attivato;
        any = it->AggiornaStato() || any;
        it->Attivato = saved;
    }
    Abilitata = any && Attivato;
    return Abilitata;
}

void TListaCondizioni::EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) {
    for (auto& it : items_) {
        it->EsaminaTraLink(e, modo, letter, group);
    }
}

void TListaCondizioni::Aggiungi(std::unique_ptr<TCondizione> item) {
    items_.push_back(std::move(item));
}

void TListaCondizioni::Inserisci(std::size_t position, std::unique_ptr<TCondizione> item) {
    position = std::min(position, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
}

void TListaCondizioni::Elimina(std::size_t position) {
    if (position < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    }
}

void TListaCondizioni::ScriviDati(TByteWriter& w) const {
    for (const auto& it : items_) {
        it->Scrivi(w);
    }
    w.U8(kFineLista);
}

namespace {

struct TStatoLimite {
    int scopes = 0;
    int count = 0;
};

TStatoLimite& StatoLimite() {
    thread_local TStatoLimite stato;
    return stato;
}

} // namespace

TLimiteLettura::TLimiteLettura() {
    if (StatoLimite().scopes++ == 0) {
        StatoLimite().count = 0;
    }
}

TLimiteLettura::~TLimiteLettura() {
    --StatoLimite().scopes;
}

bool TLimiteLettura::Conta() {
    TStatoLimite& s = StatoLimite();
    return s.scopes == 0 || ++s.count <= kMaxCondizioniFile;
}

int& TAnnidamentoLettura::Livello() {
    thread_local int livello = 0;
    return livello;
}

bool TListaCondizioni::LeggiDati(TByteReader& r) {
    const TAnnidamentoLettura annidamento;
    if (!annidamento.Ok()) {
        return false;
    }
    std::vector<std::unique_ptr<TCondizione>> read;
    std::uint8_t code = 0;
    if (!r.U8(code)) {
        return false;
    }
    while (code != kFineLista) {
        if (!TLimiteLettura::Conta()) {
            return false;
        }
        std::unique_ptr<TCondizione> item = CreaCondizione(code, Owner);
        if (item == nullptr || !item->Leggi(r)) {
            return false;
        }
        read.push_back(std::move(item));
        if (!r.U8(code)) {
            return false;
        }
    }
    items_ = std::move(read);
    return true;
}

std::unique_ptr<TCondizione> CreaCondizione(std::uint8_t tipo, TInsiemeCondizioni* owner) {
    switch (tipo) {
    case kCodNumeroSegni:
        return std::make_unique<TCondNumeroSegni>(owner);
    case kCodPariDispari:
        return std::make_unique<TCondPariDispari>(owner);
    case kCodVortice:
        return std::make_unique<TCondVortice>(owner);
    case kCodSimmetrie:
        return std::make_unique<TCondSimmetrie>(owner);
    case kCodInterruzioni:
        return std::make_unique<TCondInterruzioni>(owner);
    case kCodRipetizioni:
        return std::make_unique<TCondRipetizioni>(owner);
    case kCodGruppoConsecutivita:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Consecutività", owner);
    case kCodGruppoSequele:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Sequele", owner);
    case kCodGruppoPuntiSquadra:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Punti Squadra", owner);
    case kCodGruppoValori:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Valori", owner);
    case kCodGruppoPercentuali:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Percentuali", owner);
    case kCodGruppoColFiltro:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Col. Filtro", owner);
    case kCodGruppoRisultati:
        return std::make_unique<TListaCondizioni>(tipo, "Gruppo Risultati", owner);
    case kCodPuntiTra:
        return std::make_unique<TCondPuntiTra>(owner);
    case kCodSequela:
        return std::make_unique<TCondSequela>(owner);
    case kCodPuntiSquadra:
        return std::make_unique<TCondPuntiSquadra>(owner);
    case kCodValori:
        return std::make_unique<TCondGruppoValori>(owner);
    case kCodPercentuali:
        return std::make_unique<TCondPercentuali>(owner);
    case kCodConsecutivita:
        return std::make_unique<TCondConsecutivita>(owner);
    case kCodColonnaFiltro:
        return std::make_unique<TCondColonnaFiltro>(owner);
    case kCodRisultati:
        return std::make_unique<TCondRisultati>(owner);
    case kCodQuadro:
        return std::make_unique<TCondQuadro>(owner);
    default:
        return nullptr;
    }
}

} // namespace tessaline
