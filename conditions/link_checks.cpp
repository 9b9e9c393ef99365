#include "conditions/link_checks.h"

#include "conditions/condition_set.h"
#include "core/errors.h"

namespace tessaline {

TEsameLettera EsaminaLettera(TInsiemeCondizioni& set, char letter) {
    TEsameTraLink e(&set);
    e.Esamina(TModoEsame::Link, letter, 0);
    return TEsameLettera{e.Elementi(), e.Somma2()};
}

int MassimoMarcato(const TTabellaPunti& t) {
    for (int v = t.N(); v >= 0; --v) {
        if (t.Pt.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
            return v;
        }
    }
    return -1;
}

std::optional<std::string> ControllaErroriLettera(const TTabellaPunti& t, std::int32_t sommaLettera) {
    if (MassimoMarcato(t) > sommaLettera) {
        return std::string(msg::kErroriLinkTroppoAlto);
    }
    return std::nullopt;
}

std::optional<std::string> ControllaErroriTotali(const TTabellaPunti& t, std::int32_t sommaTotale) {
    if (MassimoMarcato(t) > sommaTotale) {
        return std::string(msg::kErroriTotaliTroppoAlto);
    }
    return std::nullopt;
}

std::optional<std::string> ControllaLink(TInsiemeCondizioni& set) {
    std::int32_t totale = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const TEsameLettera e = EsaminaLettera(set, letter);
        if (auto m = ControllaErroriLettera(set.Link().Lettera(letter).ErroriAmmessi, e.SommaLivelli)) {
            return m;
        }
        totale += e.SommaLivelli;
    }
    return ControllaErroriTotali(set.Link().ErroriTotali, totale);
}

} // namespace tessaline
