#pragma once
// Lists of text lines inside binary files (comments, participant names): for each line a signed
// 32-bit length and its Windows-1252 characters, then the length -1.

#include <string>
#include <vector>

#include "core/binary_io.h"

namespace tessaline {

// Writes each line as a 32-bit length and its Windows-1252 bytes, then the end marker kFineRighe.
void ScriviRighe(TByteWriter& w, const std::vector<std::string>& lines);
// Replaces lines with what is read up to the length -1. A negative length other than -1, or one
// longer than what remains, fails; so does a short read (lines then hold what was read).
bool LeggiRighe(TByteReader& r, std::vector<std::string>& lines);

} // namespace tessaline
