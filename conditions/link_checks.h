#pragma once
// What the link dialog ("Recupero Condizioni") computes and checks, apart from any window.

#include <optional>
#include <string>
#include <vector>

#include "conditions/link.h"

namespace tessaline {

class TInsiemeCondizioni;

// The tables that recover through a letter and the sum of their distinct levels (the "Max" of the
// letter's error table).
struct TEsameLettera {
    std::vector<TElemTraLink> Elementi;
    std::int32_t SommaLivelli = 0;
};
// The letter's examination: the tables that recover through it and their level sum.
TEsameLettera EsaminaLettera(TInsiemeCondizioni& set, char letter);

// The largest value the table marks in its points section; -1 when none.
int MassimoMarcato(const TTabellaPunti& t);

// A letter's error table may not admit more errors than the letter's level sum: nothing, or
// "Il Numero Degli Errori Nella Link è Troppo Alto !".
std::optional<std::string> ControllaErroriLettera(const TTabellaPunti& t, std::int32_t sommaLettera);
// The total table may not admit more than the sum over all letters: nothing, or
// "Il Numero Degli Errori Totali è Troppo Alto !".
std::optional<std::string> ControllaErroriTotali(const TTabellaPunti& t, std::int32_t sommaTotale);
// The dialog's "Ok": every letter 'A' to 'Z' against its level sum, then the total table against
// the sum of all the letters' level sums; the first message found, or nothing.
std::optional<std::string> ControllaLink(TInsiemeCondizioni& set);

} // namespace tessaline
