#pragma once
// The archive printout "Stampa Archivio Colonnne": the contests of a range with the measure columns
// chosen in the archive view, forty contests a page, at 0.27 mm per screen pixel in the 7-point
// "Small Fonts". The wide table is cut into bands that each fit the page's width less 20 mm; the
// bands of one page stand one under the other, and those that do not fit below the others go on
// to the next sheet.

#include <array>
#include <cstddef>
#include <vector>

#include "archive/contest_archive.h"
#include "conditions/archive_measures.h"
#include "conditions/frame_tools.h"
#include "print/canvas.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kTitoloStampaArchivio = "Stampa Archivio Colonnne";
inline constexpr const char* kImpossibileStampareLaTabella = "Impossibile Stampare La Tabella";
} // namespace msg

inline constexpr std::size_t kConcorsiPerPagina = 40;
// Millimetres per screen pixel of the table.
inline constexpr double kScalaStampaArchivio = 0.27;
// Where the table starts on every sheet and the width the bands leave free (mm).
inline constexpr double kSinistraStampaArchivio = 5.0;
inline constexpr double kCimaStampaArchivio = 20.0;
inline constexpr double kMargineStampaArchivio = 20.0;

// The measure groups to print, in the view's order.
using TGruppiScelti = std::array<bool, kNumGruppiArchivio>;

// The printed contests: from the first whose (Anno, Numero) is not before da to the last that is not
// after a, in list order. False (and nothing set) when no contest lies between the two ends.
bool ConcorsiDaStampare(const std::vector<T_Concorso>& lista, TEstremoConcorso da, TEstremoConcorso a,
                        std::size_t& primo, std::size_t& ultimo);

// One column of the printed table: a fixed column (gruppo kNumGruppiArchivio, k 0..3 for "Anno",
// "Num.", "Tipo", "Colonna") or measure k of a group, with its width in screen pixels.
struct TColonnaStampa {
    std::size_t gruppo = kNumGruppiArchivio;
    std::size_t k = 0;
    int larghezza = 0;
    bool operator==(const TColonnaStampa&) const = default;
};

// What a printout came to.
struct TEsitoStampaArchivio {
    std::size_t concorsi = 0; // contests printed
    int pagine = 0;           // sheets of the document
    // The bands of the table, each a run of columns; the first starts with the four fixed columns,
    // the others with "Anno" and "Num." again so that their rows can be told apart.
    std::vector<std::vector<TColonnaStampa>> fasce;
};

// Prints the contests primo..ultimo of lista (indices, inclusive) with the chosen groups. Every
// failure of the printer raises EInOutError "Impossibile Stampare La Tabella"; nothing is printed
// when primo > ultimo or ultimo is past the list.
TEsitoStampaArchivio StampaArchivio(TCanvas& canvas, const std::vector<T_Concorso>& lista, std::size_t primo,
                                    std::size_t ultimo, const TGruppiScelti& gruppi,
                                    const TMisureArchivio& misure);

// The 7-point font of the table.
TFontDesc FontStampaArchivio(int style = 0);

} // namespace tessaline
