#include "archive/team_history.h"

#include <algorithm>

namespace tessaline {

namespace {

// 0..3 for a single sign, -1 otherwise.
int IndiceSegno(SignSet s) {
    switch (s) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    default:
        return -1;
    }
}

} // namespace

int CalcolaStoriaSquadre(const std::vector<T_Concorso>& concorsi, const T_IntervalloConcorsi& range,
                         TStoriaSquadre& result) {
    result = TStoriaSquadre{};
    const auto ultimo = std::find_if(concorsi.rbegin(), concorsi.rend(),
                                     [&](const T_Concorso& c) { return range.Contiene(c); });
    if (ultimo == concorsi.rend()) {
        return 0;
    }
    result.Stagione = ultimo->Anno;
    for (const T_Concorso& c : concorsi) {
        if (!range.Contiene(c)) {
            continue;
        }
        ++result.Esaminati;
        const bool stagione = c.Anno == result.Stagione;
        for (std::size_t t = 0; t < kTeams; ++t) {
            StoriaSquadra& sq = result.Squadre[t];
            const int s = IndiceSegno(c.ColonnaVincente.s[t]);
            for (int k = 0; k < 4; ++k) {
                TStoriaSegno& g = sq.Segni[static_cast<std::size_t>(k)];
                if (k == s) {
                    ++g.Frequenza;
                    if (stagione) {
                        ++g.FrequenzaStagione;
                    }
                    g.RitardoAttuale = 0;
                    ++g.SerieAttuale;
                    g.SerieMassima = std::max(g.SerieMassima, g.SerieAttuale);
                } else {
                    ++g.RitardoAttuale;
                    g.SerieAttuale = 0;
                }
                g.RitardoMassimo = std::max(g.RitardoMassimo, g.RitardoAttuale);
            }
            if (s >= 0) {
                sq.UltimoSegno = s;
            }
        }
    }
    return result.Esaminati;
}

double IndiceIC(std::int32_t frequenza, std::int32_t eventi, std::int32_t ritardo) {
    if (eventi <= 0) {
        return 0.0;
    }
    return static_cast<double>(frequenza) / static_cast<double>(eventi) * static_cast<double>(ritardo);
}

} // namespace tessaline
