#pragma once
// What the windows of the archive of plays show: "Riepilogo delle giocate" and "Spoglio Globale",
// as text cells, with their titles and messages.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scrutiny/plays.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kRiepilogoGiocate = "Riepilogo delle giocate";
inline constexpr const char* kSpoglioGlobale = "Spoglio Globale";
inline constexpr const char* kSpoglioStorico = "Spoglio Storico";
inline constexpr const char* kImpossibileStampareDati = "Impossibile stampare i dati";
inline constexpr const char* kTitoloRiepilogo = "Riepilogo delle giocate del concorso Nº ";
inline constexpr const char* kTitoloElencoSistemi = "Elenco dei sistemi ridotti giocati nel concorso Nº ";
inline constexpr const char* kColonnaVincenteConcorso = "Colonna vincente del concorso Nº ";
inline constexpr const char* kRiepilogoVincite = "Riepilogo delle vincite del concorso Nº ";
inline constexpr const char* kElencoVinciteSistemi =
    "Elenco delle vincite dei sistemi ridotti giocati nel concorso Nº ";
} // namespace msg

// Rows "  Schedine Normali", "  Sistemi Integrali", "  Sistemi Ridotti" with their counts, and
// "  Volume di Gioco" with the currency sign, a blank and the volume; values right-aligned in 14.
std::vector<std::array<std::string, 2>> TabellaRiepilogo(const TArchivioGiocate& archive,
                                                         double costPerColumn, bool euro);

// GridSist: up to seven reduced systems from the scroll position: doubles, triples, quadruples
// (right-aligned in 3), columns (in 4), date, time.
std::vector<std::array<std::string, 6>> RigheSistemi(const TArchivioGiocate& archive, std::size_t first);

// The scroll bar of both system grids: systems less 7, 0 when fewer than 8.
int MassimoScorrimentoSistemi(std::size_t systems);

// The arrows of "Riepilogo delle giocate": one down to 1, one up to 99.
std::int32_t ConcorsoPrecedente(std::int32_t n);
// The contest after n, at most 99.
std::int32_t ConcorsoSuccessivo(std::int32_t n);

// TabGenvinc after EseguiSpoglio: per kind its label, its count (right-aligned in 9) and its wins
// with 6, 5 and 4 points; the last row "  Totale Vincite" sums the three kinds.
std::vector<std::array<std::string, 5>> TabellaVincite(const TArchivioGiocate& archive);

// GridSistVinc: as RigheSistemi, then the system's wins with 6, 5 and 4 points.
std::vector<std::array<std::string, 9>> RigheSistemiVincite(const TArchivioGiocate& archive,
                                                            std::size_t first);

} // namespace tessaline
