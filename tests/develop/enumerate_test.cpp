#include <gtest/gtest.h>

#include <vector>

#include "core/enumerate.h"
#include "reference/develop_fixtures.h"

namespace tessaline {
namespace {

using reference::Col;
using reference::Forecast;
using reference::TScriptedCancel;

std::vector<Colonna> Enumerate(const Pronostico& f, TEnumMode mode, CancelProbe* cancel = nullptr,
                               bool* completed = nullptr) {
    std::vector<Colonna> out;
    const bool done = EnumerateForecast(f, mode, cancel, [&](const Colonna& c) { out.push_back(c); });
    if (completed != nullptr) {
        *completed = done;
    }
    return out;
}

TEST(EnumerateForecast, LexicographicOrderTeamOneSlowest) {
    const auto cols = Enumerate(Forecast("12 0 0 0 0 0 0 0 0 0 0 0M"), TEnumMode::Develop);
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(ColumnText(cols[0]), "100000000000");
    EXPECT_EQ(ColumnText(cols[1]), "10000000000M");
    EXPECT_EQ(ColumnText(cols[2]), "200000000000");
    EXPECT_EQ(ColumnText(cols[3]), "20000000000M");

    // Every shape agrees with the expansion of the forecast as a multi-sign column, signs in the
    // order 0, 1, 2, M whatever the team.
    const char* shapes[] = {"0 0 0 0 0 0 0 0 0 0 0 0",          "012M 0 0 0 0 0 0 0 0 0 12 02",
                            "1 0 12 1 2 1 0 M 12 01 1 0",       "0 0 0 0 0 0 0 0 M2 1M 012 0M",
                            "12 12 12 12 12 12 12 12 12 1 1 1", "012M 012M 012 2M 1 1 1 1 1 1 1 1"};
    for (const char* s : shapes) {
        const Pronostico f = Forecast(s);
        EXPECT_EQ(Enumerate(f, TEnumMode::Develop), reference::Expansion(f)) << s;
        EXPECT_EQ(static_cast<std::int64_t>(Enumerate(f, TEnumMode::Develop).size()), ColumnsCovered(f)) << s;
    }
    EXPECT_TRUE(Enumerate(Forecast("0 0 0 * 0 0 0 0 0 0 0 0"), TEnumMode::Develop).empty());
}

TEST(EnumerateForecast, ErrorModesBlankTeamsInOrder) {
    const Pronostico f = Forecast("01 0 0 0 0 0 0 0 0 0 0 0");
    const auto five = Enumerate(f, TEnumMode::OneError);
    ASSERT_EQ(five.size(), 24u);
    for (int col = 0; col < 2; ++col) {
        for (int i = 0; i < 12; ++i) {
            Colonna expected = col == 0 ? Col("000000000000") : Col("100000000000");
            expected[i] = 0;
            EXPECT_EQ(five[static_cast<std::size_t>(col * 12 + i)], expected) << col << " " << i;
        }
    }
    const auto four = Enumerate(f, TEnumMode::TwoErrors);
    ASSERT_EQ(four.size(), 132u);
    std::size_t n = 0;
    for (int col = 0; col < 2; ++col) {
        for (int i = 0; i < 12; ++i) {
            for (int j = i + 1; j < 12; ++j) {
                Colonna expected = col == 0 ? Col("000000000000") : Col("100000000000");
                expected[i] = 0;
                expected[j] = 0;
                EXPECT_EQ(four[n++], expected) << col << " " << i << " " << j;
            }
        }
    }
}

TEST(EnumerateForecast, CancelLooksOncePerCombinationOfTeamsOneToNine) {
    // Teams 1 to 9 give 2 * 3 combinations, teams 10 to 12 give 4 columns each.
    const Pronostico f = Forecast("01 012 0 0 0 0 0 0 0 01 0 12");
    TScriptedCancel never(1000);
    bool done = false;
    EXPECT_EQ(Enumerate(f, TEnumMode::Develop, &never, &done).size(), 24u);
    EXPECT_TRUE(done);
    EXPECT_EQ(never.looks, 6);
    // Stopped at the third look: the first two combinations were enumerated.
    TScriptedCancel third(3);
    const auto part = Enumerate(f, TEnumMode::Develop, &third, &done);
    EXPECT_FALSE(done);
    EXPECT_EQ(part.size(), 8u);
    TCancelFlag flag;
    flag.Request();
    EXPECT_TRUE(Enumerate(f, TEnumMode::Develop, &flag, &done).empty());
    EXPECT_FALSE(done);
    EXPECT_FALSE(flag.Peek()); // the press was taken
}

TEST(EnumeratePairs, MatchOneSlowestPairIndexesAscending) {
    PairTable t;
    for (auto& m : t.p) {
        m[0] = 1; // 0-0 everywhere
    }
    t.p[0] = {};
    t.p[0][6] = 1;  // 1-2
    t.p[0][3] = 1;  // 0-M
    t.p[5][15] = 1; // M-M as well
    std::vector<Colonna> cols;
    TScriptedCancel never(1000);
    EXPECT_TRUE(EnumeratePairs(t, TEnumMode::Develop, &never, [&](const Colonna& c) { cols.push_back(c); }));
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(ColumnText(cols[0]), "0M0000000000");
    EXPECT_EQ(ColumnText(cols[1]), "0M00000000MM");
    EXPECT_EQ(ColumnText(cols[2]), "120000000000");
    EXPECT_EQ(ColumnText(cols[3]), "1200000000MM");
    EXPECT_EQ(never.looks, 2); // once per combination of matches 1 to 4

    PairTable full;
    for (auto& m : full.p) {
        m.fill(1);
    }
    full.p[2] = {};
    full.p[2][5] = 1;
    std::int64_t n = 0;
    Colonna first;
    Colonna last;
    EnumeratePairs(full, TEnumMode::Develop, nullptr, [&](const Colonna& c) {
        if (n++ == 0) {
            first = c;
        }
        last = c;
    });
    EXPECT_EQ(n, PairColumnsCovered(full));
    EXPECT_EQ(ColumnText(first), "000011000000");
    EXPECT_EQ(ColumnText(last), "MMMM11MMMMMM");

    std::vector<Colonna> five;
    EnumeratePairs(t, TEnumMode::OneError, nullptr, [&](const Colonna& c) { five.push_back(c); });
    ASSERT_EQ(five.size(), 48u);
    Colonna blank = Col("0M0000000000");
    blank[0] = 0;
    EXPECT_EQ(five[0], blank);
    std::vector<Colonna> four;
    EnumeratePairs(t, TEnumMode::TwoErrors, nullptr, [&](const Colonna& c) { four.push_back(c); });
    EXPECT_EQ(four.size(), 4u * 66u);

    PairTable none = t;
    none.p[3] = {};
    n = 0;
    EXPECT_TRUE(EnumeratePairs(none, TEnumMode::Develop, nullptr, [&](const Colonna&) { ++n; }));
    EXPECT_EQ(n, 0);
}

} // namespace
} // namespace tessaline
