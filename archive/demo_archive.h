#pragma once
// The demo archive installed with the program: invented results drawn from a seeded goal model, so
// that the archive windows and statistics have something plausible to show. No real contest.

#include "archive/contest_archive.h"

namespace tessaline {

// Seasons 2014/2015 to 2023/2024 with 38 contests each and the first 16 contests of 2024/2025. Each
// season has 20 invented teams of strength 0 to 4; a contest draws 12 of them into six matches, and
// each team's goals follow a Poisson law whose mean grows with its strength over the opponent's, with
// an advantage for the home side. Contest 20 of every third season is a basketball contest; a few
// postponed matches and the unfinished last contest leave signs unknown. The same bytes every time.
T_Archivio ArchivioDimostrativo();

} // namespace tessaline
