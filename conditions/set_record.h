#pragma once
// The condition set's record inside the system file: the fifteen slot records in slot order, then
// the link record.

#include <cstdint>

#include "core/binary_io.h"

namespace tessaline {

class TInsiemeCondizioni;

// The first system file version with the present slot-14 record, development switches, integral
// teams, pair table, participant names flag and columns.
inline constexpr std::int32_t kVersioneSistema = 200;

// Slots 1 to 15, each as its full condition record.
void ScriviInsieme(TInsiemeCondizioni& set, TByteWriter& w);
// Reads slots 1 to 15 into the set: each slot's type byte is read and ignored, then the slot reads
// its record. Files below version 200 hold an older slot-14 record that is read and dropped (slot
// 14 keeps its defaults). False at the first failure; the slots read so far keep what they read.
bool LeggiInsieme(TInsiemeCondizioni& set, TByteReader& r, std::int32_t versione);

// The link's 27 error tables (11,448 bytes).
void ScriviLink(TInsiemeCondizioni& set, TByteWriter& w);
// Reads the link's record into the set; false (the link as it was) on a short or damaged record.
bool LeggiLink(TInsiemeCondizioni& set, TByteReader& r);

} // namespace tessaline
