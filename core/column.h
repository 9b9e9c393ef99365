#pragma once
// Signs, columns, forecasts, the match-pair table and integral teams: the vocabulary every
// other part of the program computes with.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tessaline {

// One byte per team: bit 0 is the sign "0", bit 1 "1", bit 2 "2", bit 3 "M".
using SignSet = std::uint8_t;

inline constexpr SignSet kSign0 = 1;
inline constexpr SignSet kSign1 = 2;
inline constexpr SignSet kSign2 = 4;
inline constexpr SignSet kSignM = 8;
inline constexpr SignSet kAllSigns = 15;
inline constexpr int kTeams = 12;
inline constexpr int kMatches = 6;

// Twelve sign sets, team 1 first: the exact 12-byte record of every column list and column file.
struct Colonna {
    std::array<SignSet, kTeams> s{};

    SignSet& operator[](int team) { return s[static_cast<std::size_t>(team)]; }
    SignSet operator[](int team) const { return s[static_cast<std::size_t>(team)]; }
    bool operator==(const Colonna&) const = default;
};
static_assert(sizeof(Colonna) == 12, "a column is exactly 12 bytes");

// A forecast has the layout of a column: 1 to 4 signs per team.
using Pronostico = Colonna;

// The "Accoppiate": per match, 16 flags; entry p = 4 * home sign index + away sign index.
struct PairTable {
    std::array<std::array<std::uint8_t, 16>, kMatches> p{};
    bool operator==(const PairTable&) const = default;
};

// Per team 0 (not integral) or the single base sign of an integral team.
using IntegralBases = std::array<SignSet, kTeams>;

// Percentages or values per team and sign (0, 1, 2, M).
using TeamGrid = std::array<std::array<std::int32_t, 4>, kTeams>;

// Letters of the set in the order 0, 1, 2, M; empty for 0; padded with spaces to 4 when asked.
// Sign bytes read from a file keep only their four sign bits (other bits mean nothing and must not
// reach the enumerators): every reader passes the columns and sign sets it reads through here once.
inline SignSet MaskedSigns(std::uint8_t byte) {
    return static_cast<SignSet>(byte & kAllSigns);
}
inline void MaskSigns(Colonna& c) {
    for (SignSet& s : c.s) {
        s = MaskedSigns(s);
    }
}
inline void MaskSigns(Colonna* cols, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        MaskSigns(cols[i]);
    }
}

std::string SignText(SignSet set, bool pad = false);
// Spaces removed, letters upper-cased; one character "*", "0", "1", "2", "M"; 2 to 4 characters add
// their codes; any other length gives 0.
SignSet ParseSigns(std::string_view text);
// The sign of one letter "0", "1", "2", "M" or "m"; nothing for any other character.
std::optional<SignSet> SignOfLetter(char c);
int SignCount(SignSet set);
inline bool IsFixed(SignSet set) {
    return SignCount(set) == 1;
}
inline bool IsDouble(SignSet set) {
    return SignCount(set) == 2;
}
inline bool IsTriple(SignSet set) {
    return SignCount(set) == 3;
}
inline bool IsQuadruple(SignSet set) {
    return set == kAllSigns;
}

int CountFixed(const Colonna& c);
int CountDoubles(const Colonna& c);
int CountTriples(const Colonna& c);
int CountQuadruples(const Colonna& c);
// Every team holds at least one sign.
bool PronosticoCompleto(const Pronostico& f);

// Single columns covered: 2^doubles * 3^triples * 4^quadruples, each power as exp(n ln b) in double
// precision, the product rounded to the nearest integer.
std::int64_t ColumnsCovered(const Colonna& c);
// Product over the matches of their admitted pairs (0 when a match admits none).
std::int64_t PairColumnsCovered(const PairTable& t);
bool AllMatchesHavePair(const PairTable& t);
// Home and away sign of pair index 0..15.
std::pair<SignSet, SignSet> PairSigns(int pair);
// Number of pairs admitted in match m (0-based).
int PairsInMatch(const PairTable& t, int match);

// Matches (0..6) in which at least one team's sets share no sign; works for multi-sign sides.
int WrongMatches(const Colonna& a, const Colonna& b);
inline int Points(const Colonna& a, const Colonna& b) {
    return 6 - WrongMatches(a, b);
}
// Teams (0..12) whose sets share no sign.
int WrongTeams(const Colonna& a, const Colonna& b);

// SignText of each team, "*" for an empty set, joined without separators.
std::string ColumnText(const Colonna& c);
// First team (1-based) at or after firstTeam whose set does not hold exactly one sign; 0 when none.
int FirstNonFixed(const Colonna& c, int firstTeam);

// Drops (sets to 0) every base that shares no sign with its team's forecast set or whose team's set
// holds a single sign.
void DropUnfitBases(IntegralBases& bases, const Pronostico& f);
// Product over the integral teams of their forecast sign counts (1 when there is none).
std::int64_t IntegralMultiplierOf(const IntegralBases& bases, const Pronostico& f);

} // namespace tessaline
