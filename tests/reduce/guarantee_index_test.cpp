#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "reduce/guarantee.h"
#include "reduce/guarantee_index.h"

namespace tessaline {
namespace {

Colonna RandomSingle(std::mt19937& rng, int signs) {
    Colonna c;
    for (int t = 0; t < 12; ++t) {
        c[t] = static_cast<SignSet>(1 << (rng() % static_cast<unsigned>(signs)));
    }
    return c;
}

TEST(GuaranteeIndex, CountsMatchColumnByColumn) {
    std::mt19937 rng(99);
    for (int round = 0; round < 30; ++round) {
        // Few signs make many coincidences, so every count is exercised.
        const int signs = 2 + round % 3;
        std::vector<Colonna> examined;
        const int n = 1 + static_cast<int>(rng() % 2000);
        for (int i = 0; i < n; ++i) {
            examined.push_back(RandomSingle(rng, signs));
        }
        ASSERT_TRUE(TGuaranteeIndex::Applies(examined));
        const TGuaranteeIndex index(examined);
        for (int probe = 0; probe < 300; ++probe) {
            Colonna w = RandomSingle(rng, signs);
            const int blanks = probe % 3; // modes 6, 5 and 4 blank none, one or two teams
            for (int b = 0; b < blanks; ++b) {
                w[static_cast<int>(rng() % 12)] = 0;
            }
            std::int32_t expected[7] = {};
            for (const Colonna& c : examined) {
                ++expected[Points(c, w)];
            }
            std::int32_t n4 = -1, n5 = -1, n6 = -1;
            ASSERT_TRUE(index.Count(w, n4, n5, n6));
            ASSERT_EQ(std::make_tuple(n4, n5, n6), std::make_tuple(expected[4], expected[5], expected[6]))
                << "round " << round << " " << ColumnText(w);
        }
        Colonna wide = RandomSingle(rng, signs);
        wide[3] = kSign0 | kSign1;
        std::int32_t a = 0, b = 0, c = 0;
        EXPECT_FALSE(index.Count(wide, a, b, c)) << "several signs in a team take the column-by-column count";
    }
    std::vector<Colonna> multi = {RandomSingle(rng, 4)};
    multi[0][5] = kSign0 | kSign2;
    EXPECT_FALSE(TGuaranteeIndex::Applies(multi));
}

TEST(GuaranteeIndex, ModeTablesEqualTheDirectCount) {
    // CalcolaModo with enough single examined columns goes through the index; the patterns and
    // their frequencies must be those of comparing every pair.
    std::mt19937 rng(5);
    std::vector<Colonna> examined;
    for (int i = 0; i < 500; ++i) {
        examined.push_back(RandomSingle(rng, 3));
    }
    std::vector<Colonna> winning;
    for (int i = 0; i < 3000; ++i) {
        Colonna w = RandomSingle(rng, 3);
        if (i % 7 == 0) {
            w[static_cast<int>(rng() % 12)] = 0;
        }
        if (i % 11 == 0) {
            w[2] = kSign0 | kSign1; // a merged comparison column
        }
        winning.push_back(w);
    }
    TRisultatiGaranzie results;
    const bool done = CalcolaModo(
        examined, 6, static_cast<std::int64_t>(winning.size()),
        [&](const TPassoVincente& step) {
            for (const Colonna& w : winning) {
                step(w);
            }
            return true;
        },
        nullptr, results, nullptr, nullptr);
    ASSERT_TRUE(done);
    std::map<std::tuple<int, int, int>, int> expected; // (n6, n5, n4) -> columns
    for (const Colonna& w : winning) {
        int count[7] = {};
        for (const Colonna& c : examined) {
            ++count[6 - WrongMatches(c, w)];
        }
        if (count[4] + count[5] + count[6] != 0) {
            ++expected[{count[6], count[5], count[4]}];
        }
    }
    const auto& list = results.Lista(6);
    ASSERT_EQ(list.size(), expected.size());
    auto it = expected.begin();
    for (const T_Vincita& v : list) {
        EXPECT_EQ(std::make_tuple(v.n6, v.n5, v.n4), it->first);
        EXPECT_DOUBLE_EQ(v.frequenza, it->second);
        ++it;
    }
    EXPECT_EQ(results.Considerate(6), 3000);
}

} // namespace
} // namespace tessaline
