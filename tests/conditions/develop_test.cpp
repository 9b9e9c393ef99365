// The condition set in a real development: the driver prepares it once and asks it about every
// column when "Usa i Condizionamenti" is on.

#include <gtest/gtest.h>

#include <algorithm>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "core/paths.h"
#include "develop/driver.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

// What the set below admits, written out plainly: ones 2..6; interruptions 3..9; no zeros and no
// M are each admitted only in recovery at level 1 through A, so not both.
bool ReferenceAccepts(const Colonna& c) {
    int count[4] = {};
    int changes = 0;
    for (int t = 0; t < 12; ++t) {
        count[c[t] == kSign0 ? 0 : c[t] == kSign1 ? 1 : c[t] == kSign2 ? 2 : 3]++;
        if (t > 0 && c[t] != c[t - 1]) {
            ++changes;
        }
    }
    const int recoveries = (count[0] == 0 ? 1 : 0) + (count[3] == 0 ? 1 : 0);
    return count[1] >= 2 && count[1] <= 6 && changes >= 3 && changes <= 9 && recoveries <= 1;
}

void Build(TInsiemeCondizioni& set) {
    auto& segni = *set.SlotAs<TCondNumeroSegni>(1);
    for (int v = 2; v <= 6; ++v) {
        segni.Tabella(1).Imposta(false, v, kAmmesso);
    }
    for (const std::size_t s : {std::size_t{0}, std::size_t{3}}) {
        for (int v = 1; v <= 12; ++v) {
            segni.Tabella(s).Imposta(false, v, kAmmesso);
        }
        segni.Tabella(s).Imposta(false, 0, kRecupero, 1);
    }
    auto& inter = *set.SlotAs<TCondInterruzioni>(5);
    for (int v = 3; v <= 9; ++v) {
        inter.Tabella(0).Imposta(false, v, kAmmesso);
    }
}

TEST(Development, ConditionsFilterTheForecast) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    T_Sistema sys;
    sys.dati.Forecast = reference::Forecast("012M 012M 12 01 12 1M 2 12 012M 1 12 12");
    TInsiemeCondizioni set;
    Build(set);
    sys.Condizioni = &set;

    std::vector<Colonna> all;
    ExpandColumn(sys.dati.Forecast, [&](const Colonna& c) { all.push_back(c); });
    std::vector<Colonna> expected;
    std::copy_if(all.begin(), all.end(), std::back_inserter(expected), ReferenceAccepts);
    ASSERT_GT(expected.size(), 100u);
    ASSERT_LT(expected.size(), all.size());
    // Both recovery cases occur: columns without zeros or without M pass, columns without both fail.
    auto none = [](const Colonna& c, SignSet s) { return std::find(c.s.begin(), c.s.end(), s) == c.s.end(); };
    ASSERT_TRUE(
        std::any_of(expected.begin(), expected.end(), [&](const Colonna& c) { return none(c, kSign0); }));
    ASSERT_TRUE(std::any_of(all.begin(), all.end(),
                            [&](const Colonna& c) { return none(c, kSign0) && none(c, kSignM); }));

    sys.dati.sviluppo.UseConditions = 1;
    const TDevelopResult r = DevelopSystem(sys, TDevelopHooks{});
    EXPECT_EQ(r.total, static_cast<std::int64_t>(all.size()));
    EXPECT_EQ(r.accepted, static_cast<std::int64_t>(expected.size()));
    std::vector<Colonna> got = reference::Columns(sys.Colonne);
    auto less = [](const Colonna& a, const Colonna& b) { return a.s < b.s; };
    std::sort(got.begin(), got.end(), less);
    std::sort(expected.begin(), expected.end(), less);
    EXPECT_EQ(got, expected);

    // Switched off in the system: every column passes, the set is still prepared.
    sys.dati.sviluppo.UseConditions = 0;
    DevelopSystem(sys, TDevelopHooks{});
    EXPECT_EQ(sys.Colonne.Size(), all.size());
}

} // namespace
} // namespace tessaline
