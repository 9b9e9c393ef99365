#include "conditions/condition_set.h"

#include "conditions/set_record.h"
#include "core/binary_io.h"

namespace tessaline {

TInsiemeCondizioni::TInsiemeCondizioni() : link_(this) {
    for (int i = 1; i <= kSlots; ++i) {
        slots_[static_cast<std::size_t>(i)] = CreaCondizione(static_cast<std::uint8_t>(i), this);
    }
}

TInsiemeCondizioni::~TInsiemeCondizioni() = default;

void TInsiemeCondizioni::Collega(const T_Archivio* archivio, const T_ImpostazioniRicerca* ricerca,
                                 const TListaColonne* colonne) {
    archivio_ = archivio;
    ricerca_ = ricerca;
    colonne_ = colonne;
}

void TInsiemeCondizioni::ImpostaSlot(int i, std::unique_ptr<TCondizione> c) {
    if (i >= 1 && i <= kSlots) {
        slots_[static_cast<std::size_t>(i)] = std::move(c);
        attive_.clear(); // the next Prepara rebuilds it
    }
}

void TInsiemeCondizioni::Prepara() {
    for (int i = 1; i <= kSlots; ++i) {
        if (TCondizione* c = Slot(i)) {
            c->AzzeraStatistiche();
        }
    }
    for (int i = 1; i <= kSlots; ++i) {
        if (TCondizione* c = Slot(i)) {
            c->AggiornaStato();
        }
    }
    attive_.clear();
    for (int i = 1; i <= kSlots; ++i) {
        TCondizione* c = Slot(i);
        if (c != nullptr && c->Abilitata && c->Attivato) {
            attive_.push_back(c);
        }
    }
    TCondizione* tra = Slot(kCodPuntiTra);
    traAbilitata_ = tra != nullptr && tra->Abilitata;
    somme_.fill(0);
    link_.CalcolaLettere();
    link_.AzzeraStatistiche();
    link_.AggiornaStato();
    link_.AzzeraColonna();
}

std::unique_ptr<TColumnAcceptor> TInsiemeCondizioni::CopyForThread() {
    if (RaccogliErrori) {
        return nullptr;
    }
    TByteWriter w;
    ScriviInsieme(*this, w);
    ScriviLink(*this, w);
    auto copy = std::make_unique<TInsiemeCondizioni>();
    TByteReader r(w.Data());
    if (!LeggiInsieme(*copy, r, kVersioneSistema) || !LeggiLink(*copy, r)) {
        return nullptr;
    }
    copy->Collega(archivio_, ricerca_, colonne_);
    copy->CollegaSchedina(valori_, percentuali_);
    copy->NomiSquadre = NomiSquadre;
    copy->ModoArchivio = ModoArchivio;
    copy->Prepara();
    copy->traAbilitata_ = traAbilitata_;
    if (copy->attive_.size() != attive_.size() || copy->link_.LettereUsate != link_.LettereUsate ||
        copy->link_.Abilitato != link_.Abilitato) {
        return nullptr; // the record does not carry everything this set holds: stay on one thread
    }
    return copy;
}

namespace {
// Counts without delays: every event of the copy added once more.
void AddEvents(T_FrequenzeRitardi& to, const T_FrequenzeRitardi& from) {
    const auto& presence = from.Presenze();
    for (std::size_t v = 0; v < presence.size(); ++v) {
        for (std::int32_t i = 0; i < presence[v].Frequenza; ++i) {
            to.Aggiungi(static_cast<int>(v), 0, false);
        }
    }
}
} // namespace

void TInsiemeCondizioni::AddThreadCounts(const TColumnAcceptor& copy) {
    const auto* other = dynamic_cast<const TInsiemeCondizioni*>(&copy);
    if (other == nullptr) {
        return;
    }
    // Recovery may go through any letter, used by the link or not.
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        TLetteraLink& mine = link_.Lettera(letter);
        const TLetteraLink& theirs = other->link_.Lettera(letter);
        mine.Tentativi += theirs.Tentativi;
        AddEvents(mine.StatLivelli, theirs.StatLivelli);
        AddEvents(mine.StatErrori, theirs.StatErrori);
    }
    AddEvents(link_.StatTotale, other->link_.StatTotale);
}

void TInsiemeCondizioni::ImpostaTitoli() {
    for (int i = 1; i <= kSlots; ++i) {
        if (TCondizione* c = Slot(i)) {
            c->ImpostaTitolo("");
        }
    }
}

} // namespace tessaline
