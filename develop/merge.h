#pragma once
// "Accorpamento": joining the columns of a list that differ in exactly one team.

#include <cstddef>

namespace tessaline {

class TListaColonne;
class CancelProbe;
class TProgressSink;

// Joins columns that differ in exactly one team, pass after pass, in place. Returns the factor
// N0 / count (1 for an empty list or when disabled), or -1 when stopped with "Annulla" (the joins
// made so far stay).
double Merge(TListaColonne& list, bool enabled, TProgressSink* progress, CancelProbe* cancel);
// The same, with the largest pass that keeps full index tables (faster, about 265 bytes a column);
// larger passes keep four-byte positions only (about 100 bytes a column). Results are identical.
double Merge(TListaColonne& list, bool enabled, TProgressSink* progress, CancelProbe* cancel,
             std::size_t fastColumns);

} // namespace tessaline
