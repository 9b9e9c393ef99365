#include "conditions/set_record.h"

#include "conditions/condition_set.h"

namespace tessaline {

namespace {

// Slot 14 of files below version 200: one byte, a table with N = 14 and a table with N = 36.
constexpr std::size_t kVecchioSlot14 = 1 + (4 * 14 + 28) + (4 * 36 + 28);
constexpr std::size_t kTabellaIntervalli = 1619;
constexpr std::int32_t kGruppiPuntiTra = 30;

bool IsLista(int slot) {
    return (slot >= kCodGruppoConsecutivita && slot <= kCodGruppoColFiltro) || slot == kCodGruppoRisultati;
}

// The record of a family whose class is missing: an empty list, or Punti Tra without groups.
void ScriviVuoto(int slot, TByteWriter& w) {
    w.U8(static_cast<std::uint8_t>(slot));
    w.U8(1);
    if (IsLista(slot)) {
        w.U8(kFineLista);
    } else if (slot == kCodPuntiTra) {
        w.I32(0);
    }
}

// Reads past such a record; the slot stays empty. Lists go through the factory.
bool SaltaVuoto(int slot, TInsiemeCondizioni& set, TByteReader& r) {
    if (IsLista(slot)) {
        TListaCondizioni lista(static_cast<std::uint8_t>(slot), "", &set);
        return lista.Leggi(r);
    }
    if (slot == kCodPuntiTra) {
        std::uint8_t attivato = 0;
        std::int32_t gruppi = 0;
        return r.U8(attivato) && r.I32(gruppi) && gruppi >= 0 && gruppi <= kGruppiPuntiTra &&
               r.Skip(static_cast<std::size_t>(gruppi) * kTabellaIntervalli);
    }
    return false;
}

} // namespace

void ScriviInsieme(TInsiemeCondizioni& set, TByteWriter& w) {
    for (int i = 1; i <= kSlots; ++i) {
        if (const TCondizione* c = set.Slot(i)) {
            c->Scrivi(w);
        } else {
            ScriviVuoto(i, w);
        }
    }
}

bool LeggiInsieme(TInsiemeCondizioni& set, TByteReader& r, std::int32_t versione) {
    for (int i = 1; i <= kSlots; ++i) {
        std::uint8_t tipo = 0;
        if (!r.U8(tipo)) {
            return false;
        }
        if (i == kCodGruppoRisultati && versione < kVersioneSistema) {
            if (!r.Skip(kVecchioSlot14)) {
                return false;
            }
            continue;
        }
        TCondizione* c = set.Slot(i);
        if (c == nullptr ? !SaltaVuoto(i, set, r) : !c->Leggi(r)) {
            return false;
        }
    }
    return true;
}

void ScriviLink(TInsiemeCondizioni& set, TByteWriter& w) {
    set.Link().Scrivi(w);
}

bool LeggiLink(TInsiemeCondizioni& set, TByteReader& r) {
    return set.Link().Leggi(r);
}

} // namespace tessaline
