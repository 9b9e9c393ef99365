#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/paths.h"
#include "develop/driver.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

// Accepts about two columns in three, by a hash of the column.
class THashCondition : public TColumnAcceptor {
public:
    void PrepareRun() override {}
    bool Accept(const Colonna& c) override {
        std::uint32_t h = 2166136261U;
        for (int t = 0; t < kTeams; ++t) {
            h = (h ^ c[t]) * 16777619U;
        }
        return h % 3 != 0;
    }
};

// Records the improvement's reports.
class TImproveRecorder : public TDevelopProgress {
public:
    void AggiornaMigliorata(std::int64_t, std::int64_t best, int) override {
        if (reports++ > 0) {
            EXPECT_LE(best, lastBest) << "the best covering only shrinks";
        }
        lastBest = best;
    }
    int reports = 0;
    std::int64_t lastBest = 0;
};

Pronostico RandomForecast(std::mt19937& rng) {
    for (;;) {
        Pronostico f;
        for (int t = 0; t < kTeams; ++t) {
            SignSet s = 0;
            const int signs = 1 + static_cast<int>(rng() % 3);
            while (SignCount(s) < signs) {
                s = static_cast<SignSet>(s | (1 << (rng() % 4)));
            }
            f[t] = s;
        }
        if (ColumnsCovered(f) >= 200 && ColumnsCovered(f) <= 3000) {
            return f;
        }
    }
}

// The columns a run must cover: the development forecast's columns that the conditions accept,
// each with its integral teams on every sign of their forecast set.
std::vector<Colonna> Developed(const Pronostico& f, const IntegralBases& bases, TColumnAcceptor* cond) {
    const Pronostico dev = DevelopmentForecast(f, bases);
    std::vector<Colonna> out;
    EnumerateForecast(dev, TEnumMode::Develop, nullptr, [&](const Colonna& c) {
        if (cond != nullptr && !cond->Accept(c)) {
            return;
        }
        Colonna whole = c;
        for (int t = 0; t < kTeams; ++t) {
            if (dev[t] != f[t]) {
                whole[t] = f[t];
            }
        }
        for (const Colonna& s : reference::Expansion(whole)) {
            out.push_back(s);
        }
    });
    return out;
}

TEST(DevelopSystemImproved, ConditionsAndIntegralTeamsKeepACompleteSubset) {
    test::TTestHome home;
    PrepareProgramDir(false);
    std::mt19937 rng(99);
    THashCondition cond;
    for (int round = 0; round < 8; ++round) {
        const bool withConditions = round % 2 == 1;
        const bool withIntegral = round % 4 >= 2;
        const int guarantee = round % 3 == 0 ? 4 : 5;
        T_Sistema sys;
        sys.dati.Forecast = RandomForecast(rng);
        auto& dev = sys.dati.sviluppo;
        dev.ReducedDevelopment = 1;
        dev.OptimisedReduction = 1;
        dev.Guarantee = static_cast<std::uint8_t>(guarantee);
        dev.IntegralBases = {};
        if (withIntegral) {
            for (int t = 0; t < kTeams; ++t) { // the first team with two signs or more, on its lowest
                if (SignCount(sys.dati.Forecast[t]) > 1) {
                    dev.IntegralBases[static_cast<std::size_t>(t)] =
                        static_cast<SignSet>(sys.dati.Forecast[t] & -sys.dati.Forecast[t]);
                    break;
                }
            }
        }
        sys.Condizioni = withConditions ? &cond : nullptr;
        dev.UseConditions = withConditions ? 1 : 0;
        const std::string what = "round " + std::to_string(round) + " " + ColumnText(sys.dati.Forecast);

        DevelopSystem(sys, {});
        const std::vector<Colonna> greedy = reference::Columns(sys.Colonne);

        sys.dati.settings.improvedReduction = true;
        sys.dati.settings.improveIterations = 2000;
        sys.dati.settings.improveSeed = static_cast<std::uint64_t>(round);
        TImproveRecorder progress;
        const TDevelopResult r = DevelopSystem(sys, {&progress, nullptr, nullptr});
        EXPECT_FALSE(r.stopped);
        const std::vector<Colonna> improved = reference::Columns(sys.Colonne);

        const std::vector<Colonna> developed =
            Developed(sys.dati.Forecast, dev.IntegralBases, sys.Condizioni);
        const std::set<std::string> pool = [&] {
            std::set<std::string> p;
            for (const Colonna& c : developed) {
                p.insert(ColumnText(c));
            }
            return p;
        }();
        for (const Colonna& k : improved) {
            ASSERT_EQ(pool.count(ColumnText(k)), 1u) << what << ": " << ColumnText(k);
        }
        for (const Colonna& c : developed) {
            ASSERT_TRUE(std::any_of(improved.begin(), improved.end(),
                                    [&](const Colonna& k) { return WrongMatches(c, k) <= 6 - guarantee; }))
                << what << ": " << ColumnText(c) << " uncovered";
        }
        EXPECT_LE(improved.size(), greedy.size()) << what;
        EXPECT_GT(progress.reports, 0) << what;
        EXPECT_EQ(progress.lastBest, static_cast<std::int64_t>(improved.size())) << what;
    }
}

} // namespace
} // namespace tessaline
