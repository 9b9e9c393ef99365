#include <gtest/gtest.h>

#include "core/column.h"
#include "core/cost.h"
#include "core/rounding.h"

namespace tessaline {
namespace {

Colonna Parse(const std::string& groups) {
    Colonna c;
    std::size_t team = 0;
    std::size_t pos = 0;
    while (team < 12 && pos < groups.size()) {
        const std::size_t end = groups.find(' ', pos);
        c.s[team++] =
            ParseSigns(groups.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? groups.size() : end + 1;
    }
    return c;
}

TEST(Signs, TextAndParsing) {
    EXPECT_EQ(SignText(0), "");
    EXPECT_EQ(SignText(15), "012M");
    EXPECT_EQ(SignText(8, true), "M   ");
    EXPECT_EQ(SignText(5), "02");
    const struct {
        const char* text;
        SignSet expected;
    } cases[] = {{"m", 8}, {"2 1", 6}, {"*", 0},  {"", 0},   {"012M0", 0}, {"0", 1}, {"1", 2},
                 {"2", 4}, {"M", 8},   {"12", 6}, {"0m", 9}, {"012M", 15}, {"  ", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSigns(c.text), c.expected) << c.text;
    }
    for (SignSet s = 0; s < 16; ++s) {
        EXPECT_EQ(SignCount(s), static_cast<int>(SignText(s).size()));
        if (SignCount(s) >= 1) {
            EXPECT_EQ(ParseSigns(SignText(s)), s);
        }
    }
}

TEST(Columns, PointsAndWrongTeams) {
    const Colonna a = Parse("0 1 2 M 0 1 2 M 0 1 2 M");
    EXPECT_EQ(Points(a, a), 6);
    Colonna b = a;
    b[0] = kSign1;
    EXPECT_EQ(Points(a, b), 5) << "home team of match 1 differs";
    b[1] = kSign0;
    EXPECT_EQ(Points(a, b), 5) << "both teams of match 1 differ: still one wrong match";
    EXPECT_EQ(WrongTeams(a, b), 2);
    Colonna away = a;
    for (int m = 0; m < 6; ++m) {
        away[2 * m + 1] = static_cast<SignSet>(a[2 * m + 1] == kSignM ? kSign0 : a[2 * m + 1] << 1);
    }
    EXPECT_EQ(Points(a, away), 0);
    EXPECT_EQ(WrongTeams(a, away), 6);
    // Multi-sign sides: a team is right when the sets share a sign; upper bits never count.
    const Colonna wide = Parse("01 1 2 M 0 1 2 M 0 1 2 M");
    Colonna c = a;
    c[0] = kSign1;
    EXPECT_EQ(WrongMatches(wide, c), 0);
    Colonna high = a;
    high[3] = 0x80;
    EXPECT_EQ(WrongMatches(a, high), 1);
    EXPECT_EQ(WrongTeams(a, high), 1);
}

TEST(Columns, CoverageAndCounts) {
    const Colonna f = Parse("01 12 2M 012 01M 012M 0 1 2 M 0 1");
    EXPECT_EQ(CountDoubles(f), 3);
    EXPECT_EQ(CountTriples(f), 2);
    EXPECT_EQ(CountQuadruples(f), 1);
    EXPECT_EQ(CountFixed(f), 6);
    EXPECT_EQ(ColumnsCovered(f), 288);
    EXPECT_EQ(ColumnsCovered(Parse("0 0 0 0 0 0 0 0 0 0 0 0")), 1);
    EXPECT_EQ(ColumnsCovered(Parse("012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M")), 16777216);
    EXPECT_EQ(ColumnsCovered(Parse("012 012 012 012 012 012 012 012 012 012 012 012")), 531441);
    EXPECT_EQ(ColumnText(Parse("01 * 2 M 0 1 2 M 0 1 2 012M")), "01*2M012M012012M");
    EXPECT_EQ(FirstNonFixed(Parse("0 1 2 M 01 1 2 M 0 1 2 M"), 1), 5);
    EXPECT_EQ(FirstNonFixed(Parse("0 1 2 M 01 1 2 M 0 1 2 M"), 6), 0);
    EXPECT_EQ(FirstNonFixed(Parse("0 1 2 * 0 1 2 M 0 1 2 M"), 1), 4);
    EXPECT_FALSE(PronosticoCompleto(Parse("0 1 2 * 0 1 2 M 0 1 2 M")));
}

TEST(Columns, PairTable) {
    PairTable t;
    EXPECT_EQ(PairColumnsCovered(t), 0);
    EXPECT_FALSE(AllMatchesHavePair(t));
    for (auto& m : t.p) {
        m[5] = 1;
    }
    EXPECT_EQ(PairColumnsCovered(t), 1);
    EXPECT_TRUE(AllMatchesHavePair(t));
    for (auto& m : t.p) {
        m.fill(1);
    }
    EXPECT_EQ(PairColumnsCovered(t), 16777216);
    EXPECT_EQ(PairSigns(0), std::make_pair(kSign0, kSign0));
    EXPECT_EQ(PairSigns(1), std::make_pair(kSign0, kSign1));
    EXPECT_EQ(PairSigns(4), std::make_pair(kSign1, kSign0));
    EXPECT_EQ(PairSigns(15), std::make_pair(kSignM, kSignM));
}

TEST(Columns, IntegralBasesDropRule) {
    const Colonna f = Parse("01 12 2M 0 012M 1 0 1 2 M 0 1");
    IntegralBases b{};
    b[0] = kSign1; // fits
    b[1] = kSign0; // no sign in common: dropped
    b[3] = kSign0; // single-sign team: dropped
    b[4] = kSignM; // fits
    DropUnfitBases(b, f);
    EXPECT_EQ(b[0], kSign1);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[3], 0);
    EXPECT_EQ(b[4], kSignM);
    EXPECT_EQ(IntegralMultiplierOf(b, f), 8);
}

TEST(Rounding, NearestHalvesToEvenAndTruncated) {
    const struct {
        double x;
        std::int64_t nearest;
        std::int64_t truncated;
    } cases[] = {{2.5, 2, 2}, {3.5, 4, 3},    {-2.5, -2, -2}, {-3.5, -4, -3}, {2.4999, 2, 2},
                 {2.6, 3, 2}, {-2.9, -3, -2}, {0.5, 0, 0},    {1.5, 2, 1},    {7.0, 7, 7}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundNearest(c.x), c.nearest) << c.x;
        EXPECT_EQ(Truncate(c.x), c.truncated) << c.x;
    }
}

TEST(Cost, Formatting) {
    EXPECT_EQ(FormatAmount(1234567, false), "1.234.567");
    EXPECT_EQ(FormatAmount(800, false), "800");
    EXPECT_EQ(FormatAmount(1234.5, true), "1.234,50");
    EXPECT_EQ(FormatAmount(0.41316, true), "0,41");
    EXPECT_EQ(FormatAmount(999999.999, true), "1.000.000,00");
    EXPECT_EQ(CostText(2400, false), "\xC2\xA3 2.400");
    EXPECT_EQ(CostText(10, true, 4), "\xE2\x82\xAC 2,50 1/4");
    EXPECT_EQ(CostText(1000, false, 3), "\xC2\xA3 333 1/3");
    EXPECT_EQ(FormatCount(16777216), "16.777.216");
    EXPECT_EQ(FormatCount(0), "0");
}

} // namespace
} // namespace tessaline
