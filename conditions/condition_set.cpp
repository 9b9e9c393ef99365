#include "conditions/condition_set.h"

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

void TInsiemeCondizioni::ImpostaTitoli() {
    for (int i = 1; i <= kSlots; ++i) {
        if (TCondizione* c = Slot(i)) {
            c->ImpostaTitolo("");
        }
    }
}

} // namespace tessaline
