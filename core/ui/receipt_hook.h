#pragma once
// How the betting-shop windows reach the coupon printing window without knowing it: a job (the
// columns, the receipt and the modes) handed to a callable that the program supplies, and the
// orientation question before a batch of coupons.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

struct TLavoroCedolina {
    TListaColonne colonne;
    std::array<std::string, 4> righe{}; // receipt lines 1 to 4
    Colonna colonnaCedolina{};          // the first receipt column (empty: none)
    bool modoCedolina = true;           // a receipt is supplied
    bool stampaCedolina = true;         // "Stampa Cedolina"
    bool costoFisso = false;
    int colonnePerSchedina = 0; // for the run (0: as the settings say)
    bool mostra = true;         // show the printing window (false: print straight away)
    std::string nome;           // the caller's system name (listing title)
};

// Prints a job; true when every coupon was printed ("TutteStampate").
using TStampaCedolina = std::function<bool(const TLavoroCedolina&)>;
// The orientation question of a batch ("Stampa schedine"); true when confirmed.
using TConfermaStampa = std::function<bool()>;

} // namespace tessaline
