#include "conditions/link.h"

#include "conditions/condition_set.h"

namespace tessaline {

std::string TitoloErroriLink(char letter) {
    return std::string("Errori Ammessi Nella Link ") + letter;
}

void TEsameTraLink::Inizia(TModoEsame modo, char letter, int group) {
    modo_ = modo;
    letter_ = letter;
    group_ = group;
    elementi_.clear();
    somma1_ = 0;
    somma2_ = 0;
    livelli_.fill(false);
}

void TEsameTraLink::Esamina(TModoEsame modo, char letter, int group) {
    Inizia(modo, letter, group);
    if (owner_ == nullptr) {
        return;
    }
    owner_->ImpostaTitoli();
    for (int i = 1; i <= kSlots; ++i) {
        TCondizione* c = owner_->Slot(i);
        if (c != nullptr && c->Attivato) {
            slotCorrente = i;
            c->EsaminaTraLink(*this, modo, letter, group);
        }
    }
    slotCorrente = 0;
}

void TEsameTraLink::FlagLivello(int level) {
    if (level >= 0 && level < 256 && !livelli_[static_cast<std::size_t>(level)]) {
        livelli_[static_cast<std::size_t>(level)] = true;
        somma2_ += level;
    }
}

void TEsameTraLink::Sezione(const TTabellaPunti& t, const TSezione& s, bool cons, const std::string& name) {
    if (!t.Marcata(cons)) {
        return;
    }
    const std::string text = cons ? name + " - Consecutività" : name;
    if (modo_ == TModoEsame::Link) {
        if (s.Link != letter_) {
            return;
        }
        bool recovery = false;
        for (int v = 0; v <= t.N(); ++v) {
            recovery = recovery || s.Voci[static_cast<std::size_t>(v)].Stato == kRecupero;
        }
        if (!recovery) {
            return;
        }
        elementi_.push_back(TElemTraLink{text, slotCorrente});
        for (int v = 0; v <= t.N(); ++v) {
            const TVoce e = s.Voci[static_cast<std::size_t>(v)];
            if (e.Stato == kRecupero) {
                FlagLivello(e.Livello);
            }
        }
    } else {
        if (s.Tra == 0 || s.Tra != group_) { // group 0 is no group
            return;
        }
        elementi_.push_back(TElemTraLink{text, slotCorrente});
        int lo = -1;
        int hi = -1;
        for (int v = 0; v <= t.N(); ++v) {
            if (s.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
                if (lo < 0) {
                    lo = v;
                }
                hi = v;
            }
        }
        somma1_ += lo;
        somma2_ += hi;
    }
}

void TEsameTraLink::Tabella(const TTabellaPunti& t, const std::string& name) {
    Sezione(t, t.Pt, false, name);
    if (t.HaCons()) {
        Sezione(t, t.Cs, true, name);
    }
}

void TEsameTraLink::Intervalli(const TTabellaIntervalli& t, const std::string& name) {
    if (modo_ != TModoEsame::Link || t.Link != letter_ || !t.Attiva) {
        return;
    }
    bool recovery = false;
    for (int i = 0; i < t.Conta; ++i) {
        recovery = recovery || t.Intervalli[static_cast<std::size_t>(i)].Stato == kRecupero;
    }
    if (!recovery) {
        return;
    }
    elementi_.push_back(TElemTraLink{name, slotCorrente});
    for (int i = 0; i < t.Conta; ++i) {
        const TIntervallo& iv = t.Intervalli[static_cast<std::size_t>(i)];
        if (iv.Stato == kRecupero) {
            FlagLivello(iv.Livello);
        }
    }
}

TLetteraLink::TLetteraLink(TInsiemeCondizioni* owner) : Esame(owner) {
    SetOwner(owner);
}

void TLetteraLink::SetOwner(TInsiemeCondizioni* owner) {
    ErroriAmmessi.SetOwner(owner);
    Esame.SetOwner(owner);
}

bool TLetteraLink::Recupera(int level) {
    level = level < 0 ? 0 : (level > kLivelliLink ? kLivelliLink : level);
    toccata_ = true;
    std::int32_t& n = contatori_[static_cast<std::size_t>(level)];
    if (n == 0) {
        toccati_[static_cast<std::size_t>(nToccati_++)] = static_cast<std::uint8_t>(level);
    }
    ++n;
    ++Errori;
    ++Tentativi;
    if (n > level) {
        StatLivelli.Aggiungi(level, 0, false);
        return false;
    }
    return true;
}

void TLetteraLink::AzzeraColonna() {
    for (int i = 0; i < nToccati_; ++i) {
        contatori_[toccati_[static_cast<std::size_t>(i)]] = 0;
    }
    nToccati_ = 0;
    Errori = 0;
    toccata_ = false;
}

TLink::TLink(TInsiemeCondizioni* owner) : owner_(owner) {
    SetOwner(owner);
}

void TLink::SetOwner(TInsiemeCondizioni* owner) {
    owner_ = owner;
    for (TLetteraLink& l : lettere_) {
        l.SetOwner(owner);
    }
    ErroriTotali.SetOwner(owner);
}

bool TLink::Verifica() {
    std::int32_t total = 0;
    bool ok = true;
    for (const char letter : LettereUsate) {
        TLetteraLink& e = Lettera(letter);
        if (ok) {
            ok = e.ErroriAmmessi.Ammette(e.Errori, 0);
            if (!ok) {
                e.StatErrori.Aggiungi(e.Errori, 0, false);
            }
        }
        total += e.Errori;
    }
    if (!ok) {
        return false;
    }
    if (ErroriTotali.Ammette(total, 0)) {
        return true;
    }
    StatTotale.Aggiungi(total, 0, false);
    return false;
}

void TLink::CalcolaLettere() {
    LettereUsate.clear();
    SommaLivelli = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        TLetteraLink& e = Lettera(letter);
        e.Esame.SetOwner(owner_);
        e.Esame.Esamina(TModoEsame::Link, letter, 0);
        if (!e.Esame.Elementi().empty()) {
            LettereUsate += letter;
            SommaLivelli += e.Esame.Somma2();
        }
    }
}

void TLink::AzzeraStatistiche() {
    for (const char letter : LettereUsate) {
        TLetteraLink& e = Lettera(letter);
        e.StatLivelli.Azzera(kLivelliLink);
        e.StatErrori.Azzera(kLivelliLink);
        e.Tentativi = 0;
    }
    StatTotale.Azzera(kLivelliLink);
}

bool TLink::AggiornaStato() {
    bool any = false;
    for (TLetteraLink& e : lettere_) {
        any = e.ErroriAmmessi.AggiornaStato(true) || any;
    }
    any = ErroriTotali.AggiornaStato(true) || any;
    Abilitato = any;
    return Abilitato;
}

void TLink::Scrivi(TByteWriter& w) const {
    for (const TLetteraLink& e : lettere_) {
        e.ErroriAmmessi.Scrivi(w);
    }
    ErroriTotali.Scrivi(w);
}

bool TLink::Leggi(TByteReader& r) {
    std::vector<TTabellaPunti> read;
    read.reserve(27);
    for (const TLetteraLink& e : lettere_) {
        read.push_back(e.ErroriAmmessi);
        if (!read.back().Leggi(r)) {
            return false;
        }
    }
    TTabellaPunti total = ErroriTotali;
    if (!total.Leggi(r)) {
        return false;
    }
    for (std::size_t i = 0; i < lettere_.size(); ++i) {
        lettere_[i].ErroriAmmessi = read[i];
    }
    ErroriTotali = total;
    return true;
}

} // namespace tessaline
