#pragma once
// The analysis view of a condition: the distributions of each of its measures over the archive, over
// every column of the forecast, over the columns the condition alone keeps and over the columns in
// memory, with the titles the history and column-analysis windows show.

#include <cstdint>
#include <string>
#include <vector>

#include "archive/frequencies.h"
#include "core/column.h"
#include "core/interfaces.h"

namespace tessaline {

class TCondizione;
class TListaColonne;

// One measure of the view.
struct TMisuraVista {
    std::string Nome;                     // the measure's button ("Segni 0")
    std::vector<std::string> Etichette;   // one per value index; "a,b" is shown on two lines
    T_FrequenzeRitardi Archivio;          // over the archive, with delays
    T_FrequenzeRitardi Integrale;         // over every column of the forecast ("Integr.")
    T_FrequenzeRitardi Singola;           // over the columns this condition alone keeps ("Cond.S.")
    T_FrequenzeRitardi Condizionata;      // over the columns in memory ("Condiz."), when developed
    std::vector<std::uint8_t> StatiPunti; // admitted state (0, 1, 2) per value index
    std::vector<std::uint8_t> StatiCons;  // the same for the consecutive count (empty: none)
    bool HaCons() const { return !StatiCons.empty(); }
};

struct VistaAnalisi {
    std::vector<TMisuraVista> Misure; // at most 5
    std::string TitoloStatistica;     // history window's caption
    std::string TitoloColonne;        // column-analysis window's caption
    std::string TitoloRitardo;
    std::string TitoloFrequenza;
    bool Sviluppato = false;            // the conditioned tables hold the columns in memory
    bool ConColonne = false;            // the integral and single-condition tables were computed
    std::int64_t ColonnePronostico = 0; // columns of the forecast
};

// Which of a vortex condition's two views ("Diretto" / "Inverso"); ignored by the other kinds.
enum class TVarianteVista { Diretta, Inversa };

// Builds the view of the condition as configured (its owner gives the archive, the search settings
// and the columns in memory): a temporary copy of it computes the archive tables; unless soloArchivio,
// it also measures every single column of the forecast (integral tables) and those the copy accepts
// (single-condition tables), and, when sviluppato, the columns in memory. The condition itself is
// not changed. Returns false when the kind has no view or when cancel was pressed (view unspecified).
bool CostruisciVista(const TCondizione& cond, const Colonna& pronostico, bool sviluppato, bool soloArchivio,
                     VistaAnalisi& out, TVarianteVista variante = TVarianteVista::Diretta,
                     CancelProbe* cancel = nullptr);

// count / total × 100; 0 when total is 0.
double Percentuale(std::int64_t count, std::int64_t total);

} // namespace tessaline
