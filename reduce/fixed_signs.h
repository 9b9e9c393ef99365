#pragma once
// "Cerca Fisse": every result of one match (mode 1) or of a pair of matches (mode 2) with its
// frequency, its current delay and its convenience index over the admitted archive contests, sorted
// by the chosen criterion; and the insertion of chosen results into a frame as filter columns.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "core/column.h"

namespace tessaline {

class TCondQuadro;
class TInsiemeCondizioni;
class TTabellaPunti;

// One result: only the teams of its match (or matches) hold one sign each, the others 0.
struct TFisse {
    Colonna Pattern{};
    std::uint8_t Prima = 0;   // first match, 1..6
    std::uint8_t Seconda = 0; // second match, 1..6; 0 in mode 1
    std::uint32_t Frequenza = 0;
    std::uint32_t Ritardo = 0;
};

enum class TOrdineFisse { Frequenza, Ritardo, IC };

inline constexpr std::size_t kFisseModo1 = 96;
inline constexpr std::size_t kFisseModo2 = 3840;

// The entries of a mode (1 or 2) in generation order, not evaluated: match (or pair i < j) outer,
// then the home and away signs in the order 0, 1, 2, M, the last away sign innermost.
std::vector<TFisse> GeneraFisse(int modo);

// delay / (admitted / frequency) in double precision; 0 when the frequency is 0.
double IndiceConvenienza(std::uint32_t ritardo, std::uint32_t frequenza, std::uint32_t ammessi);

struct TRisultatoFisse {
    std::vector<TFisse> Voci;  // in list order
    std::uint32_t Ammessi = 0; // contests admitted by the range
};

// Builds the list of a mode: every entry evaluated over the contests range admits (frequency: the
// contests with exactly these signs on these teams; delay: admitted contests since the last one, or
// all of them), then sorted by the criterion, greatest first, a later-generated entry before an
// earlier one of equal value. The archive is read once.
TRisultatoFisse ElaboraFisse(int modo, TOrdineFisse ordine, const std::vector<T_Concorso>& archivio,
                             const T_IntervalloConcorsi& range);

// The entry's signs: "   h,a" for one match, " h,a h,a" for two (M written "M").
std::string Colonna2Coppie(const TFisse& f);
// "3", or "1,4" for a pair.
std::string TestoPosizione(const TFisse& f);
// The index as shown: two decimals with a comma, or "0,0" when the frequency is 0.
std::string TestoIC(const TFisse& f, std::uint32_t ammessi);

// Appends to the frame, for the entries first..last (0-based, clamped to the list), one filter-column
// item each (owned by set, points table punti, the entry's pattern as its column, coppie as
// "Confronto a Coppie"), while the frame takes one more item. Returns the number added.
std::size_t InserisciFisseNelQuadro(TCondQuadro& quadro, TInsiemeCondizioni* set,
                                    std::span<const TFisse> voci, std::size_t first, std::size_t last,
                                    const TTabellaPunti& punti, bool coppie);

} // namespace tessaline
