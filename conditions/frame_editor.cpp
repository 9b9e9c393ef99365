#include "conditions/frame_editor.h"

#include <algorithm>

#include "conditions/condition_set.h"
#include "core/errors.h"

namespace tessaline {

const std::vector<TVoceNuova>& VociNuova() {
    static const std::vector<TVoceNuova> voci = {
        {"Colonne Filtro", kCodColonnaFiltro, kCodGruppoColFiltro},
        {"Numero Di Segni", kCodNumeroSegni, 0},
        {"Risultati", kCodRisultati, kCodGruppoRisultati},
        {"Consecutività", kCodConsecutivita, kCodGruppoConsecutivita},
        {"Interruzioni", kCodInterruzioni, 0},
        {"Pari e Dispari", kCodPariDispari, 0},
        {"Simmetrie", kCodSimmetrie, 0},
        {"Vortice", kCodVortice, 0},
        {"Ripetizioni", kCodRipetizioni, 0},
        {"Percentuali", kCodPercentuali, kCodGruppoPercentuali},
        {"Valori", kCodValori, kCodGruppoValori},
        {"Gol Squadra", kCodPuntiSquadra, kCodGruppoPuntiSquadra},
        {"Sequele", kCodSequela, kCodGruppoSequele},
        {"Quadro", kCodQuadro, 0},
    };
    return voci;
}

TCondQuadro& TModelloQuadro::Radice() {
    auto* root = set_.SlotAs<TCondQuadro>(kCodQuadro);
    if (root == nullptr) {
        set_.ImpostaSlot(kCodQuadro, std::make_unique<TCondQuadro>(&set_));
        root = set_.SlotAs<TCondQuadro>(kCodQuadro);
    }
    return *root;
}

TCondQuadro& TModelloQuadro::Corrente() {
    TCondQuadro* f = &Radice();
    for (std::size_t depth = 0; depth < percorso_.size(); ++depth) {
        const std::size_t i = percorso_[depth];
        TCondQuadro* child = i < f->Count() ? dynamic_cast<TCondQuadro*>(&f->Item(i)) : nullptr;
        if (child == nullptr) {
            percorso_.resize(depth);
            break;
        }
        f = child;
    }
    return *f;
}

bool TModelloQuadro::Entra(std::size_t index) {
    TCondQuadro& f = Corrente();
    if (index >= f.Count() || dynamic_cast<TCondQuadro*>(&f.Item(index)) == nullptr) {
        return false;
    }
    percorso_.push_back(index);
    return true;
}

bool TModelloQuadro::Precedente() {
    Corrente();
    if (percorso_.empty()) {
        return false;
    }
    percorso_.pop_back();
    return true;
}

void TModelloQuadro::Scorri(std::int32_t primo) {
    TCondQuadro& f = Corrente();
    f.Primo = std::clamp<std::int32_t>(primo, 0, static_cast<std::int32_t>(f.Count()));
}

std::size_t TModelloQuadro::PosizioneCorrente() {
    TCondQuadro& f = Corrente();
    const std::size_t afterShown = static_cast<std::size_t>(std::max(0, f.Primo)) + kCardVisibili;
    return std::min(afterShown, f.Count());
}

bool TModelloQuadro::Nuova(const TVoceNuova& voce, bool multiplo, std::size_t position) {
    TCondQuadro& f = Corrente();
    std::unique_ptr<TCondizione> c;
    if (voce.Singolo == kCodQuadro) {
        c = std::make_unique<TCondQuadro>(&set_, "Sub Quadro");
    } else if (multiplo && voce.Multiplo != 0) {
        c = CreaCondizione(voce.Multiplo, &set_);
        auto* lista = dynamic_cast<TListaCondizioni*>(c.get());
        std::unique_ptr<TCondizione> item = CreaCondizione(voce.Singolo, &set_);
        if (lista == nullptr || item == nullptr) {
            return false;
        }
        lista->Aggiungi(std::move(item));
    } else {
        c = CreaCondizione(voce.Singolo, &set_);
    }
    return c != nullptr && f.Inserisci(position, std::move(c));
}

void TModelloQuadro::Copia() {
    TCondQuadro& f = Corrente();
    appunti_.clear();
    for (std::size_t i = 0; i < f.Count(); ++i) {
        if (f.Item(i).Selezionato) {
            TByteWriter w;
            f.Item(i).Scrivi(w);
            appunti_.push_back(std::move(w.Data()));
        }
    }
}

void TModelloQuadro::Elimina() {
    TCondQuadro& f = Corrente();
    for (std::size_t i = f.Count(); i-- > 0;) {
        if (f.Item(i).Selezionato) {
            f.Elimina(i);
        }
    }
    f.Primo = std::min<std::int32_t>(f.Primo, static_cast<std::int32_t>(f.Count()));
}

void TModelloQuadro::Taglia() {
    Copia();
    Elimina();
}

std::optional<std::string> TModelloQuadro::Incolla() {
    TCondQuadro& f = Corrente();
    if (f.Count() + appunti_.size() >= static_cast<std::size_t>(kMaxVociIncolla)) {
        return std::string(msg::kSpazioInsufficiente);
    }
    std::vector<std::unique_ptr<TCondizione>> copies;
    for (const auto& bytes : appunti_) {
        std::vector<std::unique_ptr<TCondizione>> one;
        if (LeggiCondizioni(bytes, &set_, one) && one.size() == 1) {
            copies.push_back(std::move(one.front()));
        }
    }
    std::size_t position = PosizioneCorrente();
    for (auto& c : copies) {
        f.Inserisci(position++, std::move(c));
    }
    return std::nullopt;
}

bool TModelloQuadro::ChiedeConfermaCarica() {
    return Radice().Count() > 0;
}

void TModelloQuadro::CaricaQuadro(const std::filesystem::path& path) {
    tessaline::CaricaQuadro(path, set_);
    percorso_.clear();
}

void TModelloQuadro::SalvaQuadro(const std::filesystem::path& path) {
    tessaline::SalvaQuadro(path, Corrente());
}

void TModelloQuadro::SalvaCondizioni(const std::filesystem::path& path) {
    tessaline::SalvaCondizioni(path, Corrente());
}

std::size_t TModelloQuadro::CaricaCondizioni(const std::filesystem::path& path) {
    const std::size_t position = PosizioneCorrente();
    return tessaline::CaricaCondizioni(path, Corrente(), position);
}

namespace {

void Visita(const TCondizione& c, int livello, std::vector<TNodoAlbero>& out) {
    out.push_back(TNodoAlbero{livello, c.Titolo, c.Tipo});
    if (const auto* f = dynamic_cast<const TCondQuadro*>(&c)) {
        for (std::size_t i = 0; i < f->Count(); ++i) {
            Visita(f->Item(i), livello + 1, out);
        }
    } else if (const auto* l = dynamic_cast<const TListaCondizioni*>(&c)) {
        for (std::size_t i = 0; i < l->Count(); ++i) {
            Visita(l->Item(i), livello + 1, out);
        }
    }
}

} // namespace

std::vector<TNodoAlbero> TModelloQuadro::Albero() {
    TCondQuadro& root = Radice();
    root.ImpostaTitolo("");
    std::vector<TNodoAlbero> out;
    Visita(root, 0, out);
    return out;
}

} // namespace tessaline
