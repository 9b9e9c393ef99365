#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/column_list.h"
#include "reduce/optimised_fast.h"

namespace tessaline {
namespace {

class TRecorder : public TDevelopProgress {
public:
    void AggiornaRidOtt(std::int64_t total, std::int64_t chosen, bool final, std::int64_t covered) override {
        events.push_back({total, chosen, covered, final ? 1 : 0});
    }
    void Stato(const std::string& text) override {
        events.push_back({-static_cast<std::int64_t>(text.back()), 0, 0, 0});
    }
    std::vector<std::array<std::int64_t, 4>> events;
};

Pronostico RandomForecast(std::mt19937& rng, int maxColumns) {
    for (;;) {
        Pronostico f;
        for (int t = 0; t < 12; ++t) {
            const int signs = 1 + static_cast<int>(rng() % 4);
            SignSet s = 0;
            while (SignCount(s) < signs) {
                s = static_cast<SignSet>(s | (1 << (rng() % 4)));
            }
            f[t] = rng() % 3 == 0 ? s : static_cast<SignSet>(1 << (rng() % 4));
        }
        if (ColumnsCovered(f) <= maxColumns && ColumnsCovered(f) >= maxColumns / 8) {
            return f;
        }
    }
}

std::vector<Colonna> Develop(const Pronostico& f) {
    TListaColonne l;
    l.AppendExpanded(f, true);
    return {l.begin(), l.end()};
}

void ExpectSameReduction(const std::vector<Colonna>& cols, const TOptimisedParams& p,
                         const std::string& what) {
    TRecorder slowEvents;
    TRecorder fastEvents;
    TListaColonne store;
    store.AppendRange(cols.data(), cols.size());
    ASSERT_TRUE(ReduceOptimisedReference(store, p, &slowEvents, nullptr));
    const std::vector<Colonna> expected(store.begin(), store.end());
    bool cancelled = true;
    ASSERT_TRUE(IndexedReductionApplies(cols));
    const auto got = OptimisedReduceIndexed(cols, p, &fastEvents, nullptr, cancelled);
    EXPECT_FALSE(cancelled);
    ASSERT_EQ(got, expected) << what;
    ASSERT_EQ(fastEvents.events, slowEvents.events) << what;
    // The guarantee itself: every column is within R of a chosen column.
    for (const Colonna& c : cols) {
        const bool covered = std::any_of(got.begin(), got.end(), [&](const Colonna& k) {
            return (p.distance == TDistanceKind::WrongTeams ? WrongTeams(c, k) : WrongMatches(c, k)) <= p.R;
        });
        ASSERT_TRUE(covered) << what;
    }
}

TEST(OptimisedIndexed, MatchesStepByStepOnRandomSystems) {
    std::mt19937 rng(4242);
    std::size_t total = 0;
    for (int round = 0; round < 60; ++round) {
        const Pronostico f = RandomForecast(rng, round < 40 ? 600 : 3000);
        std::vector<Colonna> cols = Develop(f);
        if (round % 4 == 1) {
            std::shuffle(cols.begin(), cols.end(), rng); // a store in any order
        }
        if (round % 4 == 2) {
            cols.resize(cols.size() - cols.size() / 3); // part of a system, as conditions leave it
        }
        const int R = 1 + round % 2;
        const bool v = round % 3 == 0;
        const TOptimisedParams p = OptimisedParamsFor(f, false, R, v);
        total += cols.size();
        ExpectSameReduction(cols, p, "round " + std::to_string(round) + " " + ColumnText(f));
    }
    EXPECT_GT(total, 20000u) << "the systems compared are of a useful size";
}

TEST(OptimisedIndexed, TeamDistanceOnDoubles) {
    // Eight doubles and nothing else, guarantee 5: teams are the distance, phase 1 is one pass.
    Pronostico f;
    for (int t = 0; t < 12; ++t) {
        f[t] = t < 8 ? static_cast<SignSet>(kSign0 | kSign1) : kSign2;
    }
    const TOptimisedParams p = OptimisedParamsFor(f, false, 1, false);
    ASSERT_EQ(p.distance, TDistanceKind::WrongTeams);
    EXPECT_EQ(p.f1, 0.0);
    ExpectSameReduction(Develop(f), p, "8 doubles");
    f[9] = static_cast<SignSet>(kSign0 | kSign1 | kSign2);
    EXPECT_EQ(OptimisedParamsFor(f, false, 1, false).distance, TDistanceKind::WrongMatches)
        << "a triple brings back matches";
    ExpectSameReduction(Develop(f), OptimisedParamsFor(f, false, 1, true), "8 doubles and a triple");
}

TEST(OptimisedIndexed, EdgesAndApplicability) {
    // Every column within one wrong match of the first: one column chosen.
    Pronostico f;
    for (int t = 0; t < 12; ++t) {
        f[t] = t < 2 ? kAllSigns : kSign1;
    }
    const auto cols = Develop(f);
    bool cancelled = false;
    const auto got =
        OptimisedReduceIndexed(cols, OptimisedParamsFor(f, false, 1, false), nullptr, nullptr, cancelled);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], cols[0]);
    EXPECT_TRUE(
        OptimisedReduceIndexed({}, OptimisedParamsFor(f, false, 1, false), nullptr, nullptr, cancelled)
            .empty());
    // Repeated or multi-sign columns take the step-by-step path.
    std::vector<Colonna> twice = {cols[0], cols[1], cols[0]};
    EXPECT_FALSE(IndexedReductionApplies(twice));
    std::vector<Colonna> wide = {f};
    EXPECT_FALSE(IndexedReductionApplies(wide));
    // Cancelled at once: the first choice stays, nothing is final.
    TCancelFlag stop;
    stop.Request();
    TRecorder events;
    for (int t = 0; t < 6; ++t) {
        f[t] = kAllSigns;
    }
    const auto partial =
        OptimisedReduceIndexed(Develop(f), OptimisedParamsFor(f, false, 1, false), &events, &stop, cancelled);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(partial.size(), 1u);
    for (const auto& e : events.events) {
        EXPECT_EQ(e[3], 0);
    }
}

} // namespace
} // namespace tessaline
