// A reduced system built from a base column: one column for fixed signs, the optimised reduction of
// the whole base column, the integral teams given back in full, and the system left as it was.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/enumerate.h"
#include "develop/reduced_build.h"
#include "reduce/immediate.h"
#include "reduce/optimised.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

using reference::Columns;
using reference::Forecast;

TListaColonne Expanded(const Colonna& c) {
    TListaColonne l;
    l.AppendExpanded(c, true);
    return l;
}

TEST(ReducedBuild, AgainstTheOptimisedReductionOfTheBaseColumn) {
    test::TTestHome home;
    T_Sistema sys;
    sys.dati.Forecast = Forecast("0 1 2 M 0 1 2 M 0 1 2 M");
    sys.dati.sviluppo.UseConditions = 1;
    sys.dati.sviluppo.Guarantee = 4;
    sys.dati.sviluppo.MinDistanceMode = 1;
    sys.dati.sviluppo.DestinationMemory = 0;
    const auto before = sys.dati.sviluppo;
    const struct {
        const char* base;
        int guarantee;
        std::size_t count; // 0: compare with the reduction
    } cases[] = {
        {"1 1 0 2 M 0 1 2 0 0 1 2", 5, 1},
        {"01 1 02 2 1M 0 12 2 0M 01 1 12", 5, 0},
        {"01 1 02 2 1M 0 12 2 0M 01 1 12", 4, 0},
        {"012 1 012 2 0 0 1 2 0 0 1 2", 5, 0},
    };
    for (const auto& c : cases) {
        TRichiestaRidotto r;
        r.base = Forecast(c.base);
        r.garanzia = c.guarantee;
        TDevelopResult result;
        const TListaColonne built = CostruisciRidotto(sys, r, {}, &result);
        if (c.count != 0) {
            EXPECT_EQ(built.Size(), c.count);
            EXPECT_EQ(built[0], r.base);
        } else {
            TListaColonne expected = Expanded(r.base);
            TOptimisedRequest req;
            req.forecast = r.base;
            req.R = 6 - c.guarantee;
            req.smallSystem = false;
            ASSERT_TRUE(OptimisedReducer(expected, req, nullptr, nullptr));
            EXPECT_EQ(Columns(built), Columns(expected)) << c.base;
            EXPECT_LT(built.Size(), static_cast<std::size_t>(ColumnsCovered(r.base)));
            EXPECT_TRUE(result.reduced);
        }
    }
    EXPECT_EQ(sys.dati.Forecast, Forecast("0 1 2 M 0 1 2 M 0 1 2 M"));
    EXPECT_EQ(sys.dati.sviluppo.UseConditions, before.UseConditions);
    EXPECT_EQ(sys.dati.sviluppo.Guarantee, before.Guarantee);
    EXPECT_EQ(sys.dati.sviluppo.MinDistanceMode, before.MinDistanceMode);
    EXPECT_EQ(sys.dati.sviluppo.DestinationMemory, before.DestinationMemory);
    EXPECT_TRUE(sys.Colonne.Empty());
}

TEST(ReducedBuild, SevenDoublesAtFiveIsTheReductionOf128Columns) {
    test::TTestHome home;
    T_Sistema sys;
    TRichiestaRidotto r;
    r.base = Forecast("01 01 01 01 01 01 01 1 1 1 1 1");
    const TListaColonne built = CostruisciRidotto(sys, r, {});
    TListaColonne all = Expanded(r.base);
    ASSERT_EQ(all.Size(), 128U);
    TOptimisedRequest req;
    req.forecast = r.base;
    req.R = 1;
    ASSERT_TRUE(OptimisedReducer(all, req, nullptr, nullptr));
    EXPECT_EQ(Columns(built), Columns(all));
    EXPECT_TRUE(reference::GuaranteeHolds(Columns(Expanded(r.base)), Columns(built), 5));
}

TEST(ReducedBuild, IntegralTeamsComeBackWhole) {
    test::TTestHome home;
    T_Sistema sys;
    TRichiestaRidotto r;
    r.base = Forecast("01 01 01 01 01 1 1 1 1 1 1 012");
    std::array<std::uint8_t, kTeams> flags{};
    flags[11] = 1;
    flags[6] = 1; // a single sign: not played in full
    r.basi = BasiIntegrali(r.base, flags);
    const TListaColonne built = CostruisciRidotto(sys, r, {});
    // The reduction over the other teams, each column carrying the whole triple.
    Colonna reducedBase = r.base;
    reducedBase[11] = kSign0;
    TListaColonne expected = Expanded(reducedBase);
    TOptimisedRequest req;
    req.forecast = reducedBase;
    req.R = 1;
    ASSERT_TRUE(OptimisedReducer(expected, req, nullptr, nullptr));
    // Every reduced column comes back once with each sign of the integral team.
    std::vector<Colonna> want;
    for (const Colonna& c : expected) {
        for (const SignSet s : {kSign0, kSign1, kSign2}) {
            Colonna e = c;
            e[11] = s;
            want.push_back(e);
        }
    }
    std::vector<Colonna> got = Columns(built);
    const auto less = [](const Colonna& x, const Colonna& y) { return x.s < y.s; };
    std::sort(want.begin(), want.end(), less);
    std::sort(got.begin(), got.end(), less);
    EXPECT_EQ(got, want);
    EXPECT_EQ(got.size(), expected.Size() * 3);
}

} // namespace
} // namespace tessaline
