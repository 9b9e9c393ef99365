#pragma once
// Automatic coupons and systems ("Schedine Automatiche", "Sistemi Automatici"): the weights per team
// and sign, random columns drawn from them, random coupons and the random choice of integral teams.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "archive/team_history.h"
#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kProPicchettoPiuAmpio = "Scegliere un pronostico o un picchetto più ampio";
inline constexpr const char* kProPiuAmpio = "Scegliere un pronostico più ampio";
inline constexpr const char* kPicchettoPiuAmpio = "Scegliere un picchetto più ampio";
inline constexpr const char* kCostoMinimoSchedina = "Il costo minimo di una schedina è di ";
} // namespace msg

// The random generator of the plays; the window seeds it from the clock at each generation.
using TGeneratore = std::mt19937;

// A uniform integer from lo to hi (both included).
int Uniforme(TGeneratore& rng, int lo, int hi);

enum class TTecnica { Casuale, Statistica, CasualeConPicchetto };

// What "Statistica" reads of the contest archive: the number of contests examined, and per team and
// sign (0, 1, 2, M) the contests with that sign and the contests since it was last seen.
struct TStatisticaSegni {
    std::int64_t concorsi = 0;
    std::array<std::array<std::int64_t, 4>, kTeams> frequenza{};
    std::array<std::array<std::int64_t, 4>, kTeams> ritardo{};
};

// The counts "Statistica" reads, from the per-team history of the archive.
TStatisticaSegni StatisticaDa(const TStoriaSquadre& storia);

struct TOpzioniPesi {
    TTecnica tecnica = TTecnica::Casuale;
    bool usaPronostico = false; // "Usa segni nel pronostico"
    Pronostico pronostico{};
    TeamGrid percentuali{};      // the sign percentages ("picchetto")
    TStatisticaSegni statistica; // for "Statistica"
};

struct TPesi {
    std::array<std::array<std::int64_t, 4>, kTeams> peso{};
    std::array<std::int64_t, kTeams> somma{};
};

// The weights of every team: 25 each ("Casuale"), the sign percentages ("Casuale con Picchetto"),
// round(frequency / contests x delay x 10) + 1 ("Statistica"; 25 each without contests); with
// "Usa segni nel pronostico" the signs outside the team's forecast weigh 0. Empty when a team's
// weights add up to 0.
std::optional<TPesi> PreparaPesi(const TOpzioniPesi& o);

// Where triples and quadruples may go: all four signs, cut to the forecast with "Usa segni nel
// pronostico", without the 0 % signs with "Casuale con Picchetto".
Pronostico InsiemiAmmessi(const TOpzioniPesi& o);

// The message for weights that cannot give the requested column.
const char* ErroreTesto(bool usaPronostico, bool picchetto);

// One sign drawn for a team: r from 1 to the sum, then 0, 1, 2, M by the running sums.
SignSet SegnoCasuale(const TPesi& p, int team, TGeneratore& rng);

// The most picks one step of a random column may take.
inline constexpr int kMaxScelte = 1000;

// A random column with exactly d doubles, t triples and q quadruples (d + t + q <= 12): every team a
// drawn sign, then quadruples, triples and doubles on randomly picked single teams. Empty when a
// step takes more than kMaxScelte picks.
std::optional<Colonna> ColonnaCasuale(const TPesi& p, const Pronostico& ammessi, int d, int t, int q,
                                      TGeneratore& rng);

// One column of an automatic coupon.
struct TColonnaSchedina {
    int doppie = 0;
    int triple = 0;
    int quadruple = 0;
    bool usata = true; // column 1 is always used
};

// n coupons: each used column drawn with its counts, every unused slot an all-zero column; all
// three slots go to the print list in order and the coupon to registra as it is generated. False
// at the first column that cannot be drawn (that coupon is neither listed nor recorded).
bool GeneraSchedine(int n, const std::array<TColonnaSchedina, 3>& colonne, const TPesi& p,
                    const Pronostico& ammessi, TGeneratore& rng, TListaColonne& lista,
                    const std::function<void(const std::array<Colonna, 3>&)>& registra);

// The cost of a coupon's columns, column by column (0 for an unused one), and their sum.
std::array<double, 3> CostiSchedina(const std::array<TColonnaSchedina, 3>& colonne, double price);
// "Mem" and "File": every column used and costing one price.
bool SchedinaSemplice(const std::array<TColonnaSchedina, 3>& colonne);

// The integral teams of an automatic reduced system: as many picks of teams holding a double as
// intD, then of triples (intT), then of quadruples (intQ); a team may be picked again. Each picked
// team's base sign is the first of its signs.
IntegralBases IntegraliCasuali(const Colonna& base, int intD, int intT, int intQ, TGeneratore& rng);

// Why a request for integral teams cannot be met by a base column of d doubles, t triples and q
// quadruples (empty when it can): more integral teams of a kind than the column holds.
std::optional<std::string> ErroreIntegrali(int d, int t, int q, int intD, int intT, int intQ);

} // namespace tessaline
