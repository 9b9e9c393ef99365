#pragma once
// The fixed-sign search as a literal walk: every entry walks the archive once and is inserted
// before the first entry whose value is not greater than its own.

#include <vector>

#include "reduce/fixed_signs.h"

namespace tessaline::test {

// The literal evaluation: one walk of the archive per entry, inserting each into its sorted place.
inline TRisultatoFisse FisseLetterali(int modo, TOrdineFisse ordine, const std::vector<T_Concorso>& a,
                                      const T_IntervalloConcorsi& range) {
    TRisultatoFisse r;
    for (TFisse f : GeneraFisse(modo)) {
        r.Ammessi = 0;
        for (const T_Concorso& c : a) {
            if (!range.Contiene(c)) {
                continue;
            }
            ++r.Ammessi;
            bool hit = true;
            for (int m : {int{f.Prima}, int{f.Seconda}}) {
                if (m != 0 && (c.ColonnaVincente[2 * m - 2] != f.Pattern[2 * m - 2] ||
                               c.ColonnaVincente[2 * m - 1] != f.Pattern[2 * m - 1])) {
                    hit = false;
                }
            }
            if (hit) {
                ++f.Frequenza;
                f.Ritardo = 0;
            } else {
                ++f.Ritardo;
            }
        }
        auto value = [&](const TFisse& e) -> double {
            if (ordine == TOrdineFisse::Frequenza) {
                return e.Frequenza;
            }
            if (ordine == TOrdineFisse::Ritardo) {
                return e.Ritardo;
            }
            return e.Frequenza == 0 ? 0.0 : e.Ritardo / (static_cast<double>(r.Ammessi) / e.Frequenza);
        };
        auto it = r.Voci.begin();
        while (it != r.Voci.end() && value(*it) > value(f)) {
            ++it;
        }
        r.Voci.insert(it, f);
    }
    return r;
}

} // namespace tessaline::test
