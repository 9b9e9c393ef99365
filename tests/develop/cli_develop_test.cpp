#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/column_list.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

TEST(CliDevelop, ExampleForecastSummaryAndJson) {
    test::TTestHome home;
    const std::string f = "1 0 12 1 2 1 0 M 12 01 1 0";
    auto r = test::RunCli("develop --forecast " + Q(f));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "Colonne Iniziali : 8\nColonne Accettate : 8\nColonne Finali : 8\nCosto : \xC2\xA3 6.400\n");

    const fs::path out = home.Path() / "uscita.col";
    r = test::RunCli("develop --json --forecast " + Q("1 0 21 1 2 1 0 m 12 10 1 0") + " -o " +
                     Q(out.string()));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out,
        "{\"total\": 8, \"accepted\": 8, \"final\": 8, \"cost\": 6400, \"currency\": \"LIT\", \"out\": \"" +
            out.string() + "\"}\n");
    TListaColonne l;
    ASSERT_TRUE(l.LoadFromFile(out, false, nullptr));
    EXPECT_EQ(reference::Columns(l), reference::Expansion(reference::Forecast(f)));
}

TEST(CliDevelop, ReductionsPairsAndIntegralTeams) {
    test::TTestHome home;
    struct TCase {
        std::string args;
        std::string json;
    };
    const TCase cases[] = {
        // Small system: the optimised reduction with the marker of the small-system rule.
        {"--forecast '1 0 12 1 2 1 0 M 12 01 1 0' --reduce 4",
         R"({"total": 8, "accepted": 8, "final": 1, "cost": 800, "currency": "LIT", "out": null})"},
        {"--forecast '1 0 12 1 2 1 0 M 12 01 1 0' --reduce 5 --passes 2",
         R"({"total": 8, "accepted": 8, "final": 4, "cost": 3200, "currency": "LIT", "out": null})"},
        {"--forecast '1 0 12 1 2 1 0 M 12 01 1 0' --min-distance 7",
         R"({"total": 8, "accepted": 8, "final": 1, "cost": 800, "currency": "LIT", "out": null})"},
        // Integral teams 3 and 9: developed on their bases, counts multiplied by 4.
        {"--forecast '1 0 12 1 2 1 0 M 12 01 1 0' --integral '* * 2 * * * * * 1 * * *'",
         R"({"total": 8, "accepted": 8, "final": 8, "cost": 6400, "currency": "LIT", "out": null})"},
        {"--pairs '0,5 15 3 1,2,3 0 0'",
         R"({"total": 6, "accepted": 6, "final": 6, "cost": 4800, "currency": "LIT", "out": null})"},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli("develop --json " + c.args);
        EXPECT_EQ(r.status, 0) << c.args;
        EXPECT_EQ(r.out, c.json + "\n") << c.args;
    }
}

TEST(CliDevelop, LargeOptimisedReductionAsksAndNoKeepsEverything) {
    test::TTestHome home;
    const auto r = test::RunCli(
        "develop --json --forecast '012M 012M 012M 012M 012M 012M 01 012 1 1 1 1' --reduce 5 --optimised "
        "--answer no");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              R"({"total": 24576, "accepted": 24576, "final": 24576, "cost": 19660800, "currency": "LIT", )"
              R"("out": null})"
              "\n");
}

TEST(CliDevelop, ImprovedReductionIsASmallerCoveringOfTheDevelopment) {
    test::TTestHome home;
    const std::string forecast = "012 1 012 1 012 1 012 1 012 1 012 1"; // 729 columns
    const auto developed = reference::Expansion(reference::Forecast(forecast));
    const auto run = [&](int guarantee, const std::string& extra, const std::string& name) {
        const fs::path out = home.Path() / name;
        const auto r =
            test::RunCli("develop --forecast " + Q(forecast) + " --reduce " + std::to_string(guarantee) +
                         " --optimised " + extra + " -o " + Q(out.string()));
        EXPECT_EQ(r.status, 0) << extra;
        TListaColonne l;
        EXPECT_TRUE(l.LoadFromFile(out, false, nullptr));
        return reference::Columns(l);
    };
    for (int guarantee : {5, 4}) {
        SCOPED_TRACE(guarantee);
        const auto greedy = run(guarantee, "", "greedy.col");
        const auto improved = run(guarantee, "--improve-iterations 20000 --seed 7", "a.col");
        EXPECT_EQ(run(guarantee, "--improve-iterations 20000 --seed 7", "b.col"), improved);
        EXPECT_LT(improved.size(), greedy.size());
        for (const Colonna& k : improved) {
            EXPECT_NE(std::find(developed.begin(), developed.end(), k), developed.end()) << ColumnText(k);
        }
        for (const Colonna& c : developed) {
            EXPECT_TRUE(std::any_of(improved.begin(), improved.end(), [&](const Colonna& k) {
                return WrongMatches(c, k) <= 6 - guarantee;
            })) << ColumnText(c);
        }
    }
}

TEST(CliDevelop, UsageErrors) {
    test::TTestHome home;
    const std::string ok = "--forecast '1 0 12 1 2 1 0 M 12 01 1 0'";
    const std::string bad[] = {
        "",
        "--forecast '1 0 12 1 2 1 0 M 12 01 1'",
        "--forecast '1 0 11 1 2 1 0 M 12 01 1 0'",
        "--forecast '1 0 12 1 2 1 0 X 12 01 1 0'",
        "--forecast '1 0 012M0 1 2 1 0 M 12 01 1 0'",
        ok + " --pairs '0 0 0 0 0 0'",
        "--pairs '0 0 0 0 0 16'",
        "--pairs '0 0 0 0 0'",
        ok + " --integral '* * 12 * * * * * * * * *'",
        ok + " --optimised",
        ok + " --passes 2",
        ok + " --reduce 3",
        ok + " --reduce 5 --optimised --passes 2",
        ok + " --reduce 5 --passes 11",
        ok + " --min-distance 3 --reduce 5",
        ok + " --min-distance 1",
        ok + " --answer forse",
        ok + " --reduce 5 --improve-iterations 100",
        ok + " --reduce 5 --passes 1 --improve-iterations 100",
        ok + " --reduce 5 --optimised --improve-iterations 0",
        ok + " --reduce 5 --optimised --seed 3",
        ok + " --reduce 5 --optimised --improve-iterations 100 --seed -1",
        "--improve-iterations 100 sistema.svs",
        ok + " sistema.svs",
    };
    for (const auto& args : bad) {
        EXPECT_EQ(test::RunCli("develop " + args).status, 2) << args;
    }
}

TEST(CliDevelop, UnwritableOutputFails) {
    test::TTestHome home;
    const auto r = test::RunCli("develop --json --forecast '1 0 12 1 2 1 0 M 12 01 1 0' -o " +
                                Q((home.Path() / "manca" / "x.col").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Errore Durante la Scrittura del File Colonnare\"}\n");
}

} // namespace
} // namespace tessaline
