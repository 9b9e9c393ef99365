#include "conditions/set_record.h"

#include "conditions/condition_set.h"

namespace tessaline {

namespace {

// Slot 14 of files below version 200: one byte, a table with N = 14 and a table with N = 36.
constexpr std::size_t kVecchioSlot14 = 1 + (4 * 14 + 28) + (4 * 36 + 28);
} // namespace

void ScriviInsieme(TInsiemeCondizioni& set, TByteWriter& w) {
    for (int i = 1; i <= kSlots; ++i) {
        if (const TCondizione* c = set.Slot(i)) {
            c->Scrivi(w);
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
        if (c == nullptr || !c->Leggi(r)) {
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
