#include "conditions/frame.h"

#include <algorithm>

#include "conditions/condition_set.h"
#include "core/atomic_file.h"
#include "core/column_list.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/text_lines.h"

namespace tessaline {

namespace {

constexpr std::size_t kMaxFileQuadro = std::size_t{256} << 20;

} // namespace

const char* SiglaRelazione(std::uint8_t relazione) {
    switch (relazione) {
    case kRelAnd:
        return "AND";
    case kRelOr:
        return "OR";
    case kRelXor:
        return "XOR";
    case kRelNot:
        return "NOT";
    default:
        return "";
    }
}

const char* NomeRelazione(std::uint8_t relazione) {
    switch (relazione) {
    case kRelAnd:
        return "AND (Tutte)";
    case kRelOr:
        return "OR (Almeno Una)";
    case kRelXor:
        return "XOR (Soltanto Una)";
    case kRelNot:
        return "NOT (Esclusione)";
    default:
        return "";
    }
}

TCondQuadro::TCondQuadro(TInsiemeCondizioni* owner, std::string nome)
    : TCondizione(kCodQuadro, std::move(nome), owner), Accettate(kMaxVociQuadro, true, owner) {
    DerivaPreset();
    AzzeraStatistiche();
}

namespace {

// Titles of a container's items from the container's full title (its position number included),
// so that the items of a list or frame inside a frame carry every position on their path. Each
// item is titled once: a nested container gets its own title first and its items only after its
// position number, so the walk stays linear in the size of the tree.
template <class C> void TitolaVoci(C& container);

template <class C> void TitolaVoci(C& container) {
    for (std::size_t k = 0; k < container.Count(); ++k) {
        TCondizione& item = container.Item(k);
        auto* frame = dynamic_cast<TCondQuadro*>(&item);
        auto* list = frame == nullptr ? dynamic_cast<TListaCondizioni*>(&item) : nullptr;
        if (frame != nullptr || list != nullptr) {
            item.TCondizione::ImpostaTitolo(container.Titolo);
        } else {
            item.ImpostaTitolo(container.Titolo);
        }
        item.Titolo += " " + PosizioneTitolo(k + 1);
        if (frame != nullptr) {
            TitolaVoci(*frame);
        } else if (list != nullptr) {
            TitolaVoci(*list);
        }
    }
}

} // namespace

void TCondQuadro::ImpostaTitolo(const std::string& parent) {
    TCondizione::ImpostaTitolo(parent);
    TitolaVoci(*this);
}

TMisura TCondQuadro::Misura(const Colonna& c, bool collect) {
    TMisura m;
    int streak = 0;
    for (auto& it : items_) {
        if (it->Abilitata && it->Attivato && !it->Verifica(c)) {
            streak = 0;
            if (collect) {
                Owner->Errori.push_back(TErrore{it.get()});
            }
        } else {
            ++m.v;
            ++streak;
            m.c = std::max(m.c, streak);
        }
    }
    return m;
}

bool TCondQuadro::Verifica(const Colonna& c) {
    const bool collect = Owner != nullptr && Owner->RaccogliErrori && !statistica_;
    const std::size_t mark = Owner != nullptr ? Owner->Errori.size() : 0;
    const TMisura m = Misura(c, collect);
    if (Owner != nullptr && Owner->TraAbilitata()) {
        Accettate.Contribuisci(m.v, m.c);
    }
    const bool ok = Accettate.Ammette(m.v, m.c);
    if (ok && Owner != nullptr) {
        Owner->Errori.resize(mark);
    }
    return ok;
}

void TCondQuadro::AzzeraStatistiche() {
    StatArchivio.Azzera(kMaxVociQuadro);
    StatAnalisi.Azzera(kMaxVociQuadro);
    for (auto& it : items_) {
        it->AzzeraStatistiche();
    }
}

bool TCondQuadro::AggiornaStato() {
    Accettate.AggiornaStato(Attivato);
    bool any = false;
    for (auto& it : items_) {
        const bool saved = it->Attivato;
        it->Attivato = saved && Attivato;
        it->AggiornaStato();
        it->Attivato = saved;
        any = any || (it->Abilitata && it->Attivato);
    }
    Abilitata = Accettate.Attiva && any;
    return Abilitata;
}

void TCondQuadro::EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) {
    e.Tabella(Accettate, Titolo);
    for (auto& it : items_) {
        it->EsaminaTraLink(e, modo, letter, group);
    }
}

void TCondQuadro::StatisticaArchivio() {
    StatArchivio.Azzera(kMaxVociQuadro);
    if (Owner == nullptr || Owner->Archivio() == nullptr) {
        return;
    }
    AggiornaStato();
    Owner->Link().CalcolaLettere();
    statistica_ = true;
    Owner->PerOgniConcorso([this](const Colonna& c) {
        Owner->Link().AzzeraColonna();
        const TMisura m = Misura(c, false);
        StatArchivio.Aggiungi(m.v, m.c, true);
    });
    statistica_ = false;
}

void TCondQuadro::StatisticaColonne() {
    StatAnalisi.Azzera(kMaxVociQuadro);
    if (Owner == nullptr || Owner->ColonneInMemoria() == nullptr) {
        return;
    }
    AggiornaStato();
    Owner->Link().CalcolaLettere();
    statistica_ = true;
    Owner->PerOgniColonna([this](const Colonna& c) {
        Owner->Link().AzzeraColonna();
        const TMisura m = Misura(c, false);
        StatAnalisi.Aggiungi(m.v, m.c, false);
    });
    statistica_ = false;
}

void TCondQuadro::StatisticaColonna(const Colonna& c) {
    statistica_ = true;
    const TMisura m = Misura(c, false);
    statistica_ = false;
    StatArchivio.Aggiungi(m.v, m.c, false);
    if (Accettate.Ammette(m.v, m.c)) {
        StatAnalisi.Aggiungi(m.v, m.c, false);
    }
}

bool TCondQuadro::Aggiungi(std::unique_ptr<TCondizione> item) {
    return Inserisci(items_.size(), std::move(item));
}

bool TCondQuadro::Inserisci(std::size_t position, std::unique_ptr<TCondizione> item) {
    if (item == nullptr || items_.size() >= static_cast<std::size_t>(kMaxVociQuadro)) {
        return false;
    }
    position = std::min(position, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
    DerivaPreset();
    return true;
}

std::unique_ptr<TCondizione> TCondQuadro::Estrai(std::size_t position) {
    if (position >= items_.size()) {
        return nullptr;
    }
    std::unique_ptr<TCondizione> out = std::move(items_[position]);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    DerivaPreset();
    return out;
}

void TCondQuadro::Svuota() {
    items_.clear();
    Commento.clear();
    Primo = 0;
    DerivaPreset();
}

void TCondQuadro::DerivaPreset() {
    if (!Preset) {
        return;
    }
    Accettate.Svuota();
    const int n = static_cast<int>(items_.size());
    int lo = 0;
    int hi = -1;
    switch (Relazione) {
    case kRelAnd:
        lo = hi = n;
        break;
    case kRelOr:
        lo = 1;
        hi = n;
        break;
    case kRelXor:
        lo = hi = 1;
        break;
    case kRelNot:
        lo = hi = 0;
        break;
    default:
        break;
    }
    for (int v = lo; v <= hi; ++v) {
        Accettate.Imposta(false, v, kAmmesso);
    }
}

void TCondQuadro::ImpostaRelazione(std::uint8_t relazione) {
    if (relazione <= kRelNot) {
        Relazione = relazione;
        DerivaPreset();
    }
}

void TCondQuadro::ImpostaPreset(bool on) {
    Preset = on;
    DerivaPreset();
}

bool TCondQuadro::Scrivi(TByteWriter& w) const {
    w.U8(Tipo);
    ScriviDati(w);
    return true;
}

void TCondQuadro::ScriviDati(TByteWriter& w) const {
    w.PString(Nome, kNomeQuadroWidth);
    w.U8(Preset ? 1 : 0);
    w.U8(Relazione);
    w.U8(Attivato ? 1 : 0);
    Accettate.Scrivi(w);
    ScriviRighe(w, Commento);
    for (const auto& it : items_) {
        it->Scrivi(w);
    }
    w.U8(kFineLista);
}

bool TCondQuadro::Leggi(TByteReader& r) {
    return LeggiDati(r);
}

bool TCondQuadro::LeggiDati(TByteReader& r) {
    const TAnnidamentoLettura annidamento;
    if (!annidamento.Ok()) {
        return false;
    }
    std::string nome;
    std::uint8_t preset = 0;
    std::uint8_t relazione = 0;
    std::uint8_t attivato = 0;
    if (!r.PString(nome, kNomeQuadroWidth) || !r.U8(preset) || !r.U8(relazione) || !r.U8(attivato) ||
        relazione > kRelNot) {
        return false;
    }
    TTabellaPunti accettate = Accettate;
    std::vector<std::string> commento;
    if (!accettate.Leggi(r) || !LeggiRighe(r, commento)) {
        return false;
    }
    std::vector<std::unique_ptr<TCondizione>> items;
    std::uint8_t code = 0;
    if (!r.U8(code)) {
        return false;
    }
    while (code != kFineLista) {
        if (items.size() >= static_cast<std::size_t>(kMaxVociQuadro) || !TLimiteLettura::Conta()) {
            return false;
        }
        std::unique_ptr<TCondizione> item = CreaCondizione(code, Owner);
        if (item == nullptr || !item->Leggi(r)) {
            return false;
        }
        items.push_back(std::move(item));
        if (!r.U8(code)) {
            return false;
        }
    }
    Nome = std::move(nome);
    Preset = preset != 0;
    Relazione = relazione;
    Attivato = attivato != 0;
    Accettate = accettate;
    Commento = std::move(commento);
    items_ = std::move(items);
    Primo = 0;
    return true;
}

std::unique_ptr<TCondizione> CopiaCondizione(const TCondizione& c, TInsiemeCondizioni* owner) {
    TByteWriter w;
    c.Scrivi(w);
    TByteReader r(w.Data());
    std::uint8_t code = 0;
    if (!r.U8(code)) {
        return nullptr;
    }
    std::unique_ptr<TCondizione> copy = CreaCondizione(code, owner);
    if (copy == nullptr || !copy->Leggi(r)) {
        return nullptr;
    }
    return copy;
}

bool ScriviFileQuadro(const std::filesystem::path& path, const TCondQuadro& frame) {
    TByteWriter w;
    frame.Scrivi(w);
    return SaveFileAtomic(path, w.Data());
}

bool LeggiFileQuadro(const std::filesystem::path& path, TCondQuadro& frame) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, kMaxFileQuadro)) {
        return false;
    }
    const TLimiteLettura limite;
    TByteReader r(bytes);
    std::uint8_t code = 0;
    return r.U8(code) && code == kCodQuadro && frame.Leggi(r);
}

void SalvaQuadro(const std::filesystem::path& path, const TCondQuadro& frame) {
    if (!ScriviFileQuadro(path, frame)) {
        throw EInOutError(msg::kImpossibileSalvareQuadro);
    }
}

void CaricaQuadro(const std::filesystem::path& path, TInsiemeCondizioni& set) {
    auto frame = std::make_unique<TCondQuadro>(&set);
    if (!LeggiFileQuadro(path, *frame)) {
        throw EInOutError(msg::kImpossibileCaricareQuadro);
    }
    set.ImpostaSlot(kCodQuadro, std::move(frame));
}

std::vector<std::uint8_t> ScriviCondizioni(const TCondQuadro& frame) {
    TByteWriter w;
    for (std::size_t i = 0; i < frame.Count(); ++i) {
        if (frame.Item(i).Selezionato) {
            frame.Item(i).Scrivi(w);
        }
    }
    return std::move(w.Data());
}

bool LeggiCondizioni(std::span<const std::uint8_t> bytes, TInsiemeCondizioni* owner,
                     std::vector<std::unique_ptr<TCondizione>>& out, std::size_t keep) {
    out.clear();
    const TLimiteLettura limite;
    std::vector<std::unique_ptr<TCondizione>> read;
    TByteReader r(bytes);
    while (!r.AtEnd() && read.size() < keep) {
        if (!TLimiteLettura::Conta()) {
            return false;
        }
        std::uint8_t code = 0;
        if (!r.U8(code)) {
            return false;
        }
        std::unique_ptr<TCondizione> c = CreaCondizione(code, owner);
        if (c == nullptr || !c->Leggi(r)) {
            return false;
        }
        read.push_back(std::move(c));
    }
    out = std::move(read);
    return true;
}

void SalvaCondizioni(const std::filesystem::path& path, const TCondQuadro& frame) {
    if (!SaveFileAtomic(path, ScriviCondizioni(frame))) {
        throw EInOutError(msg::kImpossibileSalvareCondizioni);
    }
}

std::size_t CaricaCondizioni(const std::filesystem::path& path, TCondQuadro& frame, std::size_t position) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::unique_ptr<TCondizione>> read;
    // Only what the frame can still take is read at all.
    const std::size_t room = static_cast<std::size_t>(kMaxVociQuadro) -
                             std::min(frame.Count(), static_cast<std::size_t>(kMaxVociQuadro));
    if (!ReadWholeFile(path, bytes, kMaxFileQuadro) || !LeggiCondizioni(bytes, frame.Owner, read, room)) {
        throw EInOutError(msg::kImpossibileCaricareCondizioni);
    }
    position = std::min(position, frame.Count());
    std::size_t added = 0;
    for (auto& c : read) {
        if (!frame.Inserisci(position + added, std::move(c))) {
            break;
        }
        ++added;
    }
    return added;
}

std::filesystem::path CartellaQuadri() {
    return FolderPath(TFolder::Quadri);
}

std::filesystem::path NomeQuadroNuovo() {
    return CartellaQuadri() / "SenzaNom.QDR";
}

} // namespace tessaline
