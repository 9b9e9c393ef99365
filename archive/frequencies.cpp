#include "archive/frequencies.h"

#include <algorithm>

namespace tessaline {

void T_FrequenzeRitardi::Azzera(int massimo) {
    massimo = std::max(massimo, 0);
    presenze_.assign(static_cast<std::size_t>(massimo) + 1, TElemRFRM{});
    consecutivi_.assign(static_cast<std::size_t>(massimo) + 1, TElemRFRM{});
    massimo_ = static_cast<std::int16_t>(massimo);
    eventi_ = 0;
}

void T_FrequenzeRitardi::Aggiungi(int valore, int consecutivi, bool conRitardi) {
    if (valore < 0 || consecutivi < 0 || valore > 32767 || consecutivi > 32767) {
        return;
    }
    ++eventi_;
    const int top = std::max(valore, consecutivi);
    if (top > massimo_) {
        presenze_.resize(static_cast<std::size_t>(top) + 1);
        consecutivi_.resize(static_cast<std::size_t>(top) + 1);
        massimo_ = static_cast<std::int16_t>(top);
    }
    const auto v = static_cast<std::size_t>(valore);
    const auto c = static_cast<std::size_t>(consecutivi);
    ++presenze_[v].Frequenza;
    ++consecutivi_[c].Frequenza;
    if (!conRitardi) {
        return;
    }
    for (std::size_t i = 0; i < presenze_.size(); ++i) {
        if (i != v) {
            TElemRFRM& e = presenze_[i];
            e.RitardoMax = std::max(e.RitardoMax, ++e.Ritardo);
        }
        if (i != c) {
            TElemRFRM& e = consecutivi_[i];
            e.RitardoMax = std::max(e.RitardoMax, ++e.Ritardo);
        }
    }
    presenze_[v].Ritardo = 0;
    consecutivi_[c].Ritardo = 0;
}

const TElemRFRM* T_FrequenzeRitardi::Elemento(int v) const {
    const auto& list = LeggiPresenze != 0 ? presenze_ : consecutivi_;
    if (v < 0 || static_cast<std::size_t>(v) >= list.size()) {
        return nullptr;
    }
    return &list[static_cast<std::size_t>(v)];
}

std::int32_t T_FrequenzeRitardi::Frequenza(int v) const {
    const TElemRFRM* e = Elemento(v);
    return e != nullptr ? e->Frequenza : 0;
}

std::int32_t T_FrequenzeRitardi::Ritardo(int v) const {
    const TElemRFRM* e = Elemento(v);
    return e != nullptr ? e->Ritardo : 0;
}

std::int32_t T_FrequenzeRitardi::RitardoMax(int v) const {
    const TElemRFRM* e = Elemento(v);
    return e != nullptr ? e->RitardoMax : 0;
}

void T_ImpostazioniRicerca::Scrivi(TByteWriter& w) const {
    Intervallo.Scrivi(w);
    w.U8(IgnoraColonneFiltro);
    w.U8(IgnoraRipetizioni);
    w.U8(IgnoraPercentuali);
    w.U8(Categoria1);
    w.U8(Categoria12);
    w.U8(Categoria123);
}

bool T_ImpostazioniRicerca::Leggi(TByteReader& r) {
    return Intervallo.Leggi(r) && r.U8(IgnoraColonneFiltro) && r.U8(IgnoraRipetizioni) &&
           r.U8(IgnoraPercentuali) && r.U8(Categoria1) && r.U8(Categoria12) && r.U8(Categoria123);
}

} // namespace tessaline
