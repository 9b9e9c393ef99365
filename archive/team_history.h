#pragma once
// The per-team sign history: for each of the twelve teams and each sign, how often it came out, its
// current and longest absence and its current and longest run, over the contests a range admits.

#include <array>
#include <cstdint>
#include <vector>

#include "archive/contest_archive.h"
#include "core/column.h"

namespace tessaline {

// The six counters of one sign of one team.
struct TStoriaSegno {
    std::int32_t Frequenza = 0;         // "Freq.": contests with the sign
    std::int32_t FrequenzaStagione = 0; // "Freq. Ann.": the same, in the season of reference only
    std::int32_t RitardoAttuale = 0;    // "Rit. Att.": contests since the sign last came out
    std::int32_t RitardoMassimo = 0;    // "Rit. Max.": largest current delay reached
    std::int32_t SerieAttuale = 0;      // "Cs. Att.": consecutive contests up to the last with the sign
    std::int32_t SerieMassima = 0;      // "Cs. Max.": longest such run
    bool operator==(const TStoriaSegno&) const = default;
};

// The history of one team: the last sign seen (index 0..3 for 0, 1, 2, M; -1 when none) and the
// counters of each sign in the order 0, 1, 2, M.
struct StoriaSquadra {
    int UltimoSegno = -1;
    std::array<TStoriaSegno, 4> Segni{};
    bool operator==(const StoriaSquadra&) const = default;
};

// The histories of the twelve teams in coupon order, with the contests examined and the season of
// reference (Anno of the last admitted contest; 0 when none is admitted).
struct TStoriaSquadre {
    std::array<StoriaSquadra, kTeams> Squadre{};
    std::int32_t Esaminati = 0;
    std::int32_t Stagione = 0;
};

// Fills the twelve histories from the contests of the list that range.Contiene admits, in list
// order, and returns the number examined. A team whose winning sign is not a single sign (only
// possible when the range does not filter) counts as having none of the four signs in that contest.
int CalcolaStoriaSquadre(const std::vector<T_Concorso>& concorsi, const T_IntervalloConcorsi& range,
                         TStoriaSquadre& result);

// The same over the whole history.
inline TStoriaSquadre CalcolaStoriaSquadre(const std::vector<T_Concorso>& concorsi,
                                           const T_IntervalloConcorsi& range) {
    TStoriaSquadre r;
    CalcolaStoriaSquadre(concorsi, range, r);
    return r;
}

// Index "IC": frequency / events × current delay; 0 when there are no events.
double IndiceIC(std::int32_t frequenza, std::int32_t eventi, std::int32_t ritardo);

} // namespace tessaline
