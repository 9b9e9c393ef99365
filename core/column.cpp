#include "core/column.h"

#include <array>
#include <cctype>
#include <cmath>

#include "core/rounding.h"

namespace tessaline {

namespace {
constexpr char kLetters[4] = {'0', '1', '2', 'M'};
}

std::string SignText(SignSet set, bool pad) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        if ((set >> i) & 1) {
            out.push_back(kLetters[i]);
        }
    }
    if (pad) {
        out.resize(4, ' ');
    }
    return out;
}

std::optional<SignSet> SignOfLetter(char c) {
    switch (c) {
    case '0':
        return kSign0;
    case '1':
        return kSign1;
    case '2':
        return kSign2;
    case 'M':
    case 'm':
        return kSignM;
    default:
        return std::nullopt;
    }
}

namespace {
SignSet CodeOf(char c) {
    return SignOfLetter(c).value_or(0);
}
} // namespace

SignSet ParseSigns(std::string_view text) {
    std::string t;
    for (char c : text) {
        if (c != ' ') {
            t.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    if (t.size() == 1) {
        return t[0] == '*' ? SignSet{0} : CodeOf(t[0]);
    }
    if (t.size() >= 2 && t.size() <= 4) {
        int sum = 0;
        for (char c : t) {
            sum += CodeOf(c);
        }
        return static_cast<SignSet>(sum & 0xFF);
    }
    return 0;
}

int SignCount(SignSet set) {
    return ((set >> 0) & 1) + ((set >> 1) & 1) + ((set >> 2) & 1) + ((set >> 3) & 1);
}

namespace {
int CountWith(const Colonna& c, int n) {
    int k = 0;
    for (int i = 0; i < kTeams; ++i) {
        if (SignCount(c[i]) == n) {
            ++k;
        }
    }
    return k;
}
} // namespace

int CountFixed(const Colonna& c) {
    return CountWith(c, 1);
}
int CountDoubles(const Colonna& c) {
    return CountWith(c, 2);
}
int CountTriples(const Colonna& c) {
    return CountWith(c, 3);
}
int CountQuadruples(const Colonna& c) {
    return CountWith(c, 4);
}

bool PronosticoCompleto(const Pronostico& f) {
    for (int i = 0; i < kTeams; ++i) {
        if ((f[i] & kAllSigns) == 0) {
            return false;
        }
    }
    return true;
}

namespace {
// The columns one team's set multiplies by: its number of signs, 1 for an empty set (bits above
// the four signs are not signs).
constexpr std::array<std::uint8_t, 256> kTeamFactor = [] {
    std::array<std::uint8_t, 256> f{};
    for (int b = 0; b < 256; ++b) {
        const int n = (b & 1) + ((b >> 1) & 1) + ((b >> 2) & 1) + ((b >> 3) & 1);
        f[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(n == 0 ? 1 : n);
    }
    return f;
}();
} // namespace

// 2^doubles * 3^triples * 4^quadruples, exactly, as the product of each team's sign count.
std::int64_t ColumnsCovered(const Colonna& c) {
    std::int64_t product = 1;
    for (int i = 0; i < kTeams; ++i) {
        product *= kTeamFactor[c[i]];
    }
    return product;
}

int PairsInMatch(const PairTable& t, int match) {
    int n = 0;
    for (std::uint8_t v : t.p[static_cast<std::size_t>(match)]) {
        if (v != 0) {
            ++n;
        }
    }
    return n;
}

std::int64_t PairColumnsCovered(const PairTable& t) {
    std::int64_t product = 1;
    for (int m = 0; m < kMatches; ++m) {
        product *= PairsInMatch(t, m);
    }
    return product;
}

bool AllMatchesHavePair(const PairTable& t) {
    for (int m = 0; m < kMatches; ++m) {
        if (PairsInMatch(t, m) == 0) {
            return false;
        }
    }
    return true;
}

std::pair<SignSet, SignSet> PairSigns(int pair) {
    return {static_cast<SignSet>(1 << (pair / 4)), static_cast<SignSet>(1 << (pair % 4))};
}

int WrongMatches(const Colonna& a, const Colonna& b) {
    int wrong = 0;
    for (int m = 0; m < kMatches; ++m) {
        const int h = 2 * m;
        if ((a[h] & b[h] & kAllSigns) == 0 || (a[h + 1] & b[h + 1] & kAllSigns) == 0) {
            ++wrong;
        }
    }
    return wrong;
}

int WrongTeams(const Colonna& a, const Colonna& b) {
    int wrong = 0;
    for (int i = 0; i < kTeams; ++i) {
        if ((a[i] & b[i] & kAllSigns) == 0) {
            ++wrong;
        }
    }
    return wrong;
}

std::string ColumnText(const Colonna& c) {
    std::string out;
    for (int i = 0; i < kTeams; ++i) {
        if (c[i] == 0) {
            out.push_back('*');
        } else {
            out += SignText(c[i]);
        }
    }
    return out;
}

int FirstNonFixed(const Colonna& c, int firstTeam) {
    for (int team = firstTeam < 1 ? 1 : firstTeam; team <= kTeams; ++team) {
        if (SignCount(c[team - 1]) != 1) {
            return team;
        }
    }
    return 0;
}

void DropUnfitBases(IntegralBases& bases, const Pronostico& f) {
    for (int i = 0; i < kTeams; ++i) {
        auto& b = bases[static_cast<std::size_t>(i)];
        if (b != 0 && ((b & f[i]) == 0 || SignCount(f[i]) == 1)) {
            b = 0;
        }
    }
}

std::int64_t IntegralMultiplierOf(const IntegralBases& bases, const Pronostico& f) {
    std::int64_t m = 1;
    for (int i = 0; i < kTeams; ++i) {
        if (bases[static_cast<std::size_t>(i)] != 0) {
            m *= SignCount(f[i]);
        }
    }
    return m;
}

} // namespace tessaline
