#include "conditions/frame_tools.h"

#include <algorithm>

#include "conditions/filter_columns.h"
#include "core/errors.h"

namespace tessaline {

namespace {

bool NonPrima(const T_Concorso& c, TEstremoConcorso e) {
    return c.Anno > e.Anno || (c.Anno == e.Anno && c.Numero >= e.Numero);
}

bool NonDopo(const T_Concorso& c, TEstremoConcorso e) {
    return c.Anno < e.Anno || (c.Anno == e.Anno && c.Numero <= e.Numero);
}

} // namespace

std::vector<Colonna> ColonneArchivio(const T_Archivio& archivio, TEstremoConcorso da, TEstremoConcorso a) {
    std::vector<Colonna> out;
    for (const T_Concorso& c : archivio.Concorsi()) {
        if (c.Completo != 0 && NonPrima(c, da) && NonDopo(c, a)) {
            out.push_back(c.ColonnaVincente);
        }
    }
    return out;
}

bool EstremiProposti(const T_Archivio& archivio, TEstremoConcorso& da, TEstremoConcorso& a) {
    std::int32_t primo = 0;
    std::int32_t ultimo = 0;
    if (!archivio.AnniEstremi(primo, ultimo)) {
        return false;
    }
    da = {std::max(primo, ultimo - 1), 1};
    a = {ultimo, archivio.Concorsi().back().Numero};
    return true;
}

std::size_t InserisciColonneFiltro(TCondQuadro& frame, std::size_t position, std::span<const Colonna> colonne,
                                   const TTabellaPunti& punti, bool coppie) {
    position = std::min(position, frame.Count());
    std::size_t added = 0;
    for (const Colonna& c : colonne) {
        auto item = std::make_unique<TCondColonnaFiltro>(frame.Owner);
        item->Filtro = c;
        item->ConfrontoACoppie = coppie;
        TTabellaPunti& t = item->Punti();
        t.Pt = punti.Pt;
        t.Cs = punti.Cs;
        t.ImpostaCampo(punti.CampoMin, punti.CampoMax);
        if (!frame.Inserisci(position + added, std::move(item))) {
            break;
        }
        ++added;
    }
    return added;
}

std::optional<std::string> AdattaAlPrototipo(TCondQuadro& frame, const std::array<bool, kTeams>& scelte,
                                             const Pronostico& previsione, std::size_t* moved) {
    if (moved != nullptr) {
        *moved = 0;
    }
    std::size_t first = frame.Count();
    for (std::size_t i = 0; i < frame.Count(); ++i) {
        if (frame.Item(i).Tipo == kCodColonnaFiltro) {
            first = i;
            break;
        }
    }
    if (first == frame.Count()) {
        return std::string(msg::kColonnaPrototipoMancante);
    }
    const Colonna prototipo = static_cast<const TCondColonnaFiltro&>(frame.Item(first)).Filtro;
    // Source teams (prototype) and target teams (chosen), by kind: doubles, triples, the rest.
    std::array<std::vector<int>, 3> da;
    std::array<std::vector<int>, 3> a;
    auto kind = [](SignSet s) {
        const int n = SignCount(s);
        return n == 2 ? 0 : n == 3 ? 1 : 2;
    };
    for (int t = 0; t < kTeams; ++t) {
        da[static_cast<std::size_t>(kind(prototipo[t]))].push_back(t);
        const int k = kind(previsione[t]);
        a[static_cast<std::size_t>(scelte[static_cast<std::size_t>(t)] && k < 2 ? k : 2)].push_back(t);
    }
    if (da[0].size() != a[0].size() || da[1].size() != a[1].size()) {
        return std::string(msg::kDoppieTripleNonCoincidono);
    }
    std::array<int, kTeams> verso{};
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t i = 0; i < da[k].size(); ++i) {
            verso[static_cast<std::size_t>(da[k][i])] = a[k][i];
        }
    }
    std::size_t n = 0;
    for (std::size_t i = first; i < frame.Count(); ++i) {
        if (frame.Item(i).Tipo != kCodColonnaFiltro) {
            continue;
        }
        auto& f = static_cast<TCondColonnaFiltro&>(frame.Item(i));
        Colonna spostata{};
        for (int t = 0; t < kTeams; ++t) {
            spostata[verso[static_cast<std::size_t>(t)]] = f.Filtro[t];
        }
        f.Filtro = spostata;
        ++n;
    }
    if (moved != nullptr) {
        *moved = n;
    }
    return std::nullopt;
}

} // namespace tessaline
