#include "conditions/value_table.h"

#include <algorithm>
#include <cmath>

#include "conditions/condition_set.h"
#include "conditions/link.h"

namespace tessaline {

namespace {

char LetteraValida(char letter) {
    return letter >= 'A' && letter <= 'Z' ? letter : 'A';
}

} // namespace

TTabellaPunti::TTabellaPunti(int n, bool haCons, TInsiemeCondizioni* owner)
    : owner_(owner), n_(static_cast<std::int16_t>(std::clamp(n, 0, kVociTabella - 1))), haCons_(haCons) {}

void TTabellaPunti::Imposta(bool cons, int v, std::uint8_t stato, std::uint8_t livello) {
    if (v < 0 || v > n_ || stato > kRecupero) {
        return;
    }
    TVoce& e = (cons ? Cs : Pt).Voci[static_cast<std::size_t>(v)];
    e.Stato = stato;
    e.Livello = stato == kRecupero ? livello : 0;
}

void TTabellaPunti::Svuota() {
    Pt = TSezione{};
    Cs = TSezione{};
    CampoMin = 1;
    CampoMax = 12;
    Attiva = false;
    ptMarcata_ = false;
    csMarcata_ = false;
}

void TTabellaPunti::ImpostaCampo(int min, int max) {
    min = std::clamp(min, 1, 12);
    max = std::clamp(max, min, 12);
    CampoMin = static_cast<std::int16_t>(min);
    CampoMax = static_cast<std::int16_t>(max);
}

bool TTabellaPunti::Marcata(bool cons) const {
    if (cons && !haCons_) {
        return false;
    }
    const TSezione& s = cons ? Cs : Pt;
    for (int v = 0; v <= n_; ++v) {
        if (s.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
            return true;
        }
    }
    return false;
}

bool TTabellaPunti::AggiornaStato(bool attivato) {
    ptMarcata_ = Marcata(false);
    csMarcata_ = Marcata(true);
    Pt.Attiva = attivato && ptMarcata_;
    Cs.Attiva = attivato && csMarcata_;
    Attiva = Pt.Attiva || Cs.Attiva;
    return Attiva;
}

bool TTabellaPunti::Recupera(char letter, int level) const {
    return owner_ != nullptr && owner_->Link().Recupera(letter, level);
}

void TTabellaPunti::Contribuisci(int v, int c) const {
    if (owner_ == nullptr || !owner_->TraAbilitata()) {
        return;
    }
    std::int32_t* somme = owner_->SommeTra();
    if (ptMarcata_ && Pt.Tra >= 1 && Pt.Tra <= kGruppiTra) {
        somme[Pt.Tra] += v;
    }
    if (csMarcata_ && Cs.Tra >= 1 && Cs.Tra <= kGruppiTra) {
        somme[Cs.Tra] += c;
    }
}

void TTabellaPunti::ScriviSezione(TByteWriter& w, const TSezione& s) const {
    w.U8(s.Attiva ? 1 : 0);
    w.U8(static_cast<std::uint8_t>(s.Link));
    w.I16(s.Tra);
    for (int v = 0; v <= n_ + 3; ++v) {
        const TVoce e = v <= n_ ? s.Voci[static_cast<std::size_t>(v)] : TVoce{};
        w.U8(e.Stato);
        w.U8(e.Livello);
    }
}

bool TTabellaPunti::LeggiSezione(TByteReader& r, TSezione& s) {
    std::uint8_t attiva = 0;
    std::uint8_t link = 0;
    std::int16_t tra = 0;
    if (!r.U8(attiva) || !r.U8(link) || !r.I16(tra)) {
        return false;
    }
    s.Attiva = attiva != 0;
    s.Link = LetteraValida(static_cast<char>(link));
    s.Tra = tra >= 0 && tra <= kGruppiTra ? tra : std::int16_t{0};
    s.Voci.fill(TVoce{});
    for (int v = 0; v <= n_ + 3; ++v) {
        TVoce e;
        if (!r.U8(e.Stato) || !r.U8(e.Livello)) {
            return false;
        }
        if (v <= n_) {
            s.Voci[static_cast<std::size_t>(v)] = e;
        }
    }
    return true;
}

void TTabellaPunti::Scrivi(TByteWriter& w) const {
    ScriviSezione(w, Pt);
    ScriviSezione(w, Cs);
    w.I16(CampoMin);
    w.I16(CampoMax);
}

bool TTabellaPunti::Leggi(TByteReader& r) {
    std::int16_t min = 0;
    std::int16_t max = 0;
    if (!LeggiSezione(r, Pt) || !LeggiSezione(r, Cs) || !r.I16(min) || !r.I16(max)) {
        return false;
    }
    ImpostaCampo(min, max);
    ptMarcata_ = Marcata(false);
    csMarcata_ = Marcata(true);
    Attiva = Pt.Attiva || Cs.Attiva;
    return true;
}

bool TTabellaIntervalli::Aggiungi(double min, double max, std::int16_t stato, std::int16_t livello) {
    if (Conta >= kMaxIntervalli) {
        return false;
    }
    Intervalli[static_cast<std::size_t>(Conta++)] = TIntervallo{min, max, stato, livello};
    return true;
}

void TTabellaIntervalli::Svuota() {
    Intervalli.fill(TIntervallo{});
    Conta = 0;
    Link = 'A';
    Tra = 0;
    Attiva = false;
}

bool TTabellaIntervalli::AggiornaStato(bool attivato) {
    Attiva = attivato && Conta != 0;
    return Attiva;
}

bool TTabellaIntervalli::Ammette(double x) const {
    if (!Attiva) {
        return true;
    }
    for (int i = 0; i < Conta; ++i) {
        const TIntervallo& iv = Intervalli[static_cast<std::size_t>(i)];
        if (iv.Min <= x && x <= iv.Max) {
            if (iv.Stato == kAmmesso) {
                return true;
            }
            return iv.Stato == kRecupero && owner_ != nullptr && owner_->Link().Recupera(Link, iv.Livello);
        }
    }
    return false;
}

void TTabellaIntervalli::Scrivi(TByteWriter& w) const {
    for (int i = 0; i < kMaxIntervalli; ++i) {
        const TIntervallo iv = i < Conta ? Intervalli[static_cast<std::size_t>(i)] : TIntervallo{};
        ScriviReal48(w, iv.Min);
        ScriviReal48(w, iv.Max);
        w.I16(iv.Stato);
        w.I16(iv.Livello);
    }
    w.I16(Conta);
    w.U8(static_cast<std::uint8_t>(Link));
}

bool TTabellaIntervalli::Leggi(TByteReader& r) {
    std::array<TIntervallo, kMaxIntervalli> read{};
    for (TIntervallo& iv : read) {
        if (!LeggiReal48(r, iv.Min) || !LeggiReal48(r, iv.Max) || !r.I16(iv.Stato) || !r.I16(iv.Livello)) {
            return false;
        }
    }
    std::int16_t conta = 0;
    std::uint8_t link = 0;
    if (!r.I16(conta) || !r.U8(link) || conta < 0 || conta > kMaxIntervalli) {
        return false;
    }
    for (int i = conta; i < kMaxIntervalli; ++i) {
        read[static_cast<std::size_t>(i)] = TIntervallo{};
    }
    Intervalli = read;
    Conta = conta;
    Link = LetteraValida(static_cast<char>(link));
    return true;
}

} // namespace tessaline
