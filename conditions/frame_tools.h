#pragma once
// Two commands of the frame editor that build filter columns: the automatic insertion of the
// winning columns of a range of contests (or of the columns of a column file), and the adaptation
// of the frame's filter columns to the teams chosen on the coupon panel ("Adatta Al Prototipo").

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "conditions/frame.h"

namespace tessaline {

// One end of a range of contests: the season's first year and the number within it.
struct TEstremoConcorso {
    std::int32_t Anno = 0;
    int Numero = 1;
    bool operator==(const TEstremoConcorso&) const = default;
};

// The winning columns of the complete contests whose (Anno, Numero) lies inclusively between the
// two ends, in archive order.
std::vector<Colonna> ColonneArchivio(const T_Archivio& archivio, TEstremoConcorso da, TEstremoConcorso a);

// The ends proposed on show: from the season before the last archived one, number 1, to the last
// contest. False for an empty archive.
bool EstremiProposti(const T_Archivio& archivio, TEstremoConcorso& da, TEstremoConcorso& a);

// One filter-column item per column, inserted one after another from position while the frame
// accepts items; each carries the column, the points table and the comparison by matches. Returns
// how many went in.
std::size_t InserisciColonneFiltro(TCondQuadro& frame, std::size_t position, std::span<const Colonna> colonne,
                                   const TTabellaPunti& punti, bool coppie);

// "Adatta Al Prototipo". The prototype is the frame's first filter column. The chosen teams must
// hold, in the forecast, as many doubles and as many triples as the prototype does. The teams are
// then paired: the prototype's doubles with the chosen doubles, its triples with the chosen
// triples, each in team order, and its remaining teams with the remaining teams in team order.
// Every filter column from the prototype on has its signs moved along these pairs, so that the
// prototype's doubles and triples fall where the forecast has them. Returns the message of a
// refusal (the frame then unchanged) or nothing; the number of columns moved goes to moved.
std::optional<std::string> AdattaAlPrototipo(TCondQuadro& frame, const std::array<bool, kTeams>& scelte,
                                             const Pronostico& previsione, std::size_t* moved = nullptr);

} // namespace tessaline
