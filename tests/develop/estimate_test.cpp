// The estimated calculation of automatic recalculation, its sampling step, and what the
// recalculation panel shows.

#include <gtest/gtest.h>

#include <vector>

#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/progress.h"
#include "develop/estimate.h"
#include "support/test_home.h"
#include "system/sistema.h"

using namespace tessaline;

namespace {

// Accepts the columns whose team 1 holds the sign 0, and keeps every column it was asked about.
class TTeamOneZero : public TColumnAcceptor {
public:
    void PrepareRun() override { ++prepared; }
    bool Accept(const Colonna& c) override {
        asked.push_back(c);
        return c[0] == kSign0;
    }
    int prepared = 0;
    std::vector<Colonna> asked;
};

class TRecorder : public TDevelopProgress {
public:
    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override {
        reports.push_back({t, a, f, e});
    }
    void Inizio(bool recalculation, bool /*reducing*/) override { initialised += recalculation ? 1 : 0; }
    void CalcoloTerminato(std::int64_t n, std::int64_t previous) override {
        finished.push_back(n);
        previousCounts.push_back(previous);
    }
    struct TReport {
        std::int64_t total, accepted;
        bool final;
        std::int64_t examined;
    };
    std::vector<TReport> reports;
    std::vector<std::int64_t> finished;
    std::vector<std::int64_t> previousCounts;
    int initialised = 0;
};

Pronostico Forecast(std::initializer_list<SignSet> teams) {
    Pronostico p;
    int i = 0;
    for (SignSet s : teams) {
        p[i++] = s;
    }
    return p;
}

} // namespace

TEST(Estimate, SamplingStepGrowsWithTheForecast) {
    const std::pair<std::int64_t, int> table[] = {
        {1, 1},       {49'999, 1},  {50'000, 2},    {99'999, 2},    {100'000, 3},   {199'999, 3},
        {200'000, 5}, {999'999, 5}, {1'000'000, 7}, {2'999'999, 7}, {3'000'000, 9}, {16'777'216, 9}};
    for (const auto& [total, step] : table) {
        EXPECT_EQ(SamplingStep(total), step) << total;
    }
}

TEST(Estimate, ExaminesEveryStepColumnInDevelopmentOrder) {
    test::TTestHome home;
    T_Sistema sys;
    // 4^8 x 3 = 196,608 columns: every 3rd one is examined.
    sys.dati.Forecast = Forecast({kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns,
                                  kAllSigns, kSign0 | kSign1 | kSign2, kSign1, kSign1, kSign1});
    ASSERT_EQ(ColumnsCovered(sys.dati.Forecast), 196'608);
    TTeamOneZero acceptor;
    sys.Condizioni = &acceptor;
    sys.Colonne.Append(sys.dati.Forecast); // left over from an earlier run
    TRecorder rec;

    const std::int64_t estimate = EstimateSystem(sys, &rec, true, 1000);

    ASSERT_EQ(acceptor.asked.size(), 196'608u / 3);
    std::vector<Colonna> every;
    EnumerateForecast(sys.dati.Forecast, TEnumMode::Develop, nullptr,
                      [&](const Colonna& c) { every.push_back(c); });
    for (std::size_t k = 0; k < 50; ++k) {
        ASSERT_EQ(acceptor.asked[k], every[3 * k + 2]) << k;
    }
    // A quarter of the sample has team 1 on sign 0.
    EXPECT_EQ(estimate, 196'608 / 4);
    EXPECT_TRUE(sys.Colonne.Empty());
    EXPECT_EQ(rec.previousCounts, std::vector<std::int64_t>{1000});
    EXPECT_EQ(rec.initialised, 1);
    ASSERT_EQ(rec.finished, std::vector<std::int64_t>{estimate});
    ASSERT_GE(rec.reports.size(), 3u);
    EXPECT_TRUE(rec.reports.front().final);
    EXPECT_EQ(rec.reports.front().accepted, 0);
    // Intermediate reports every 301 examined columns, counts scaled by the step.
    EXPECT_EQ(rec.reports[1].examined, 301 * 3);
    EXPECT_FALSE(rec.reports[1].final);
    EXPECT_TRUE(rec.reports.back().final);
    EXPECT_EQ(rec.reports.back().accepted, estimate);
    EXPECT_EQ(rec.reports.back().examined, 196'608);
}

TEST(Estimate, WithoutConditionsInForceTheForecastCountStands) {
    test::TTestHome home;
    T_Sistema sys; // the system's own condition set, nothing switched on
    sys.dati.Forecast = Forecast({kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns, kAllSigns,
                                  kAllSigns, kSign0 | kSign1 | kSign2, kSign1, kSign1, kSign1});
    EXPECT_FALSE(ConditionsInForce(sys));
    EXPECT_EQ(EstimateSystem(sys, nullptr), 196'608);

    // Conditions that would filter, but "Usa i Condizionamenti" is off.
    TTeamOneZero acceptor;
    sys.Condizioni = &acceptor;
    sys.dati.sviluppo.UseConditions = 0;
    EXPECT_EQ(EstimateSystem(sys, nullptr), 196'608);
    EXPECT_TRUE(acceptor.asked.empty());
}

TEST(Estimate, RecalculationRunsTheChosenCalculationAndClearsItsFlag) {
    test::TTestHome home;
    T_Sistema sys;
    sys.dati.Forecast = Forecast({kSign0 | kSign1, kSign1, kSign1, kSign1, kSign1, kSign1, kSign1, kSign1,
                                  kSign1, kSign1, kSign1, kSign0 | kSign1 | kSign2});
    TTeamOneZero acceptor;
    sys.Condizioni = &acceptor;
    std::vector<bool> animation;
    TRecalcHooks hooks;
    TRecorder rec;
    hooks.progress = &rec;
    hooks.animation = [&](bool on) { animation.push_back(on); };

    sys.dati.sviluppo.RealCalculation = 1;
    EXPECT_EQ(RecalculateSystem(sys, hooks).count, 3);
    EXPECT_EQ(sys.Colonne.Count(), 3); // a real development leaves its columns

    sys.dati.sviluppo.RealCalculation = 0;
    EXPECT_EQ(RecalculateSystem(sys, hooks).count, 3);
    EXPECT_TRUE(sys.Colonne.Empty()); // the estimate keeps none
    EXPECT_EQ(animation, (std::vector<bool>{false, true, false, true}));
    // Both runs reported to the panel as recalculations do, and each reported its final count.
    EXPECT_EQ(rec.initialised, 2);
    EXPECT_EQ(rec.finished, (std::vector<std::int64_t>{3, 3}));
}

TEST(RecalcPanel, ChangeTexts) {
    const struct {
        std::int64_t previous, now;
        const char* text;
    } table[] = {{1000, 1500, "+50%"}, {1000, 500, "-50%"}, {1000, 1000, ""}, {0, 700, ""},
                 {-3, 700, ""},        {1000, 0, "-100%"},  {3, 4, "+33%"},   {1000, 1004, ""}};
    for (const auto& row : table) {
        EXPECT_EQ(ChangeText(row.previous, row.now), row.text) << row.previous << " -> " << row.now;
    }
}

TEST(RecalcPanel, GaugeAndCountFollowTheReports) {
    TRecalcPanelModel m;
    m.Inizializza();
    EXPECT_EQ(m.Colonne(), "0");
    EXPECT_TRUE(m.GaugeVisible());
    // Conditioning: truncated percent, taken only beyond 3 points or at 100.
    EXPECT_FALSE(m.AggiornaCond(1000, 10, 39)); // 3%
    EXPECT_EQ(m.Colonne(), "0");
    EXPECT_TRUE(m.AggiornaCond(1000, 12, 49)); // 4%
    EXPECT_EQ(m.Gauge(), 4);
    EXPECT_EQ(m.Colonne(), "12");
    EXPECT_FALSE(m.AggiornaCond(1000, 13, 79));
    EXPECT_TRUE(m.AggiornaCond(1000, 900, 1000));
    EXPECT_EQ(m.Gauge(), 100);
    EXPECT_EQ(m.Colonne(), "900");
    EXPECT_FALSE(m.AggiornaCond(0, 5, 0)); // no total: 0 percent, not taken
    // Reduction: rounded percent, taken at 0 or beyond 3 points.
    m.Inizializza();
    EXPECT_TRUE(m.AggiornaRid(1000, 7, 0));
    EXPECT_EQ(m.Colonne(), "7");
    EXPECT_TRUE(m.AggiornaRid(1000, 8, 35)); // 3.5 rounds to 4
    EXPECT_EQ(m.Gauge(), 4);
    EXPECT_FALSE(m.AggiornaRid(1000, 9, 60));
    m.CalcoloTerminato(1500, 1000);
    EXPECT_EQ(m.Colonne(), "1500");
    EXPECT_EQ(m.Variazione(), "+50%");
    EXPECT_FALSE(m.GaugeVisible());
}
