#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/column_list.h"
#include "core/enumerate.h"
#include "reduce/optimised.h"
#include "reference/develop_fixtures.h"
#include "reference/random_columns.h"

namespace tessaline {
namespace {

using reference::Col;
using reference::Columns;
using reference::Forecast;

TListaColonne ListOf(const std::vector<Colonna>& cols) {
    TListaColonne l;
    for (const Colonna& c : cols) {
        l.Append(c);
    }
    return l;
}

std::vector<Colonna> Enumerated(const Pronostico& f) {
    std::vector<Colonna> out;
    EnumerateForecast(f, TEnumMode::Develop, nullptr, [&](const Colonna& c) { out.push_back(c); });
    return out;
}

int Distance(TDistanceKind kind, const Colonna& a, const Colonna& b) {
    return kind == TDistanceKind::WrongTeams ? WrongTeams(a, b) : WrongMatches(a, b);
}

TEST(OptimisedParams, DistanceAndTuningValues) {
    struct TCase {
        const char* forecast;
        bool pairMode;
        int R;
        bool v;
        TDistanceKind distance;
        double f1, f2;
        int Dmin;
    };
    const auto T = TDistanceKind::WrongTeams;
    const auto M = TDistanceKind::WrongMatches;
    const TCase cases[] = {
        {"01 01 01 01 01 01 01 01 1 1 1 1", false, 1, false, T, 0.0, 0.85, 3},
        {"01 01 01 01 01 01 01 01 1 1 1 1", false, 1, true, T, 0.0, 0.98, 3},
        {"01 01 01 01 01 01 01 1 1 1 1 1", false, 1, false, T, 0.0, 0.85, 3},
        {"01 01 01 01 01 01 01 01 01 1 1 1", false, 1, false, T, 0.0, 0.85, 3},
        {"01 01 01 01 01 01 1 1 1 1 1 1", false, 1, false, M, 0.6, 0.85, 3},
        {"01 01 01 01 01 01 01 01 01 01 1 1", false, 1, false, M, 0.6, 0.85, 3},
        {"01 01 01 01 01 01 01 01 012 1 1 1", false, 1, false, M, 0.6, 0.85, 3},
        {"01 01 01 01 01 01 01 01 012M 1 1 1", false, 1, true, M, 0.95, 0.98, 3},
        {"01 01 01 01 01 01 01 01 1 1 1 1", true, 1, false, M, 0.6, 0.85, 3},
        {"01 01 01 01 01 01 01 01 1 1 1 1", false, 2, false, M, 0.94, 0.98, 4},
        {"012 012 1 1 1 1 1 1 1 1 1 1", false, 2, true, M, 0.98, 0.995, 4},
    };
    for (const auto& c : cases) {
        const auto p = OptimisedParamsFor(Forecast(c.forecast), c.pairMode, c.R, c.v);
        EXPECT_EQ(p.distance, c.distance) << c.forecast << " R" << c.R;
        EXPECT_DOUBLE_EQ(p.f1, c.f1) << c.forecast << " R" << c.R;
        EXPECT_DOUBLE_EQ(p.f2, c.f2) << c.forecast << " R" << c.R;
        EXPECT_EQ(p.Dmin, c.Dmin);
        EXPECT_EQ(p.R, c.R);
    }
}

// After a reduction that was not stopped, every input column lies within R of a chosen one.
TEST(OptimisedReduction, CoversEveryColumnOnSeededInputs) {
    struct TCase {
        const char* forecast;
        std::size_t n; // 0: the whole forecast
        int R;
        bool v;
    };
    const TCase cases[] = {
        {"01 01 01 01 01 01 01 01 1 1 1 1", 0, 1, false},
        {"01 01 01 01 01 01 01 01 1 1 1 1", 0, 1, true},
        {"012 012 012 012 012 01 1 1 1 1 1 1", 0, 1, false},
        {"012 012 012 012 012 01 1 1 1 1 1 1", 0, 2, true},
        {"012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M", 1500, 1, false},
        {"012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M", 1500, 2, false},
        {"012 012 012 012 012 012 012 012 1 1 1 1", 2000, 2, true},
    };
    unsigned seed = 1;
    for (const auto& c : cases) {
        const Pronostico f = Forecast(c.forecast);
        const auto input = c.n == 0 ? Enumerated(f) : reference::DistinctSingles(f, c.n, seed++);
        const auto params = OptimisedParamsFor(f, false, c.R, c.v);
        TListaColonne store = ListOf(input);
        reference::TRecordingProgress progress;
        ASSERT_TRUE(ReduceOptimisedReference(store, params, &progress, nullptr));
        const auto chosen = Columns(store);
        ASSERT_FALSE(chosen.empty());
        EXPECT_LT(chosen.size(), input.size());
        for (const Colonna& col : input) {
            bool covered = false;
            for (const Colonna& k : chosen) {
                covered = covered || Distance(params.distance, k, col) <= c.R;
            }
            ASSERT_TRUE(covered) << c.forecast << " " << ColumnText(col);
        }
        EXPECT_TRUE(reference::GuaranteeHolds(input, chosen, 6 - c.R));
        // The first column of the input is chosen first, so it ends the store.
        EXPECT_EQ(chosen.back(), input.front());
        const auto finals = progress.Finals('O');
        ASSERT_EQ(finals.size(), 1u);
        EXPECT_EQ(finals[0], (reference::TReport{'O', true, static_cast<std::int64_t>(input.size()),
                                                 static_cast<std::int64_t>(chosen.size()),
                                                 static_cast<std::int64_t>(input.size()), 0}));
        EXPECT_EQ(progress.states.front(), "Autoriduzione in Corso : Fase 1");
    }
}

TEST(OptimisedReduction, EightDoublesPhaseOneKeepsThreeTeamsApart) {
    const Pronostico f = Forecast("01 01 01 01 01 01 01 01 1 1 1 1");
    const auto params = OptimisedParamsFor(f, false, 1, false);
    ASSERT_EQ(params.distance, TDistanceKind::WrongTeams);
    // The chosen count when phase 2 starts tells how many choices phase 1 made; they end the store.
    class TPhaseWatch : public reference::TRecordingProgress {
    public:
        void Stato(const std::string& text) override {
            if (text == "Autoriduzione in Corso : Fase 2") {
                atPhase2 = lastChosen;
            }
        }
        void AggiornaRidOtt(std::int64_t, std::int64_t chosen, bool, std::int64_t) override {
            lastChosen = chosen;
        }
        std::int64_t lastChosen = 0;
        std::int64_t atPhase2 = -1;
    } watch;
    TListaColonne again = ListOf(Enumerated(f));
    ReduceOptimisedReference(again, params, &watch, nullptr);
    ASSERT_GT(watch.atPhase2, 1);
    const auto chosen = Columns(again);
    const std::size_t first = chosen.size() - static_cast<std::size_t>(watch.atPhase2);
    for (std::size_t i = first; i < chosen.size(); ++i) {
        for (std::size_t j = i + 1; j < chosen.size(); ++j) {
            ASSERT_GE(WrongTeams(chosen[i], chosen[j]), 3);
        }
    }
}

// Columns near "000000000000" in one home team (c1..c6), and three far groups.
std::vector<Colonna> KZeroInput() {
    return {Col("000000000000"), Col("100000000000"), Col("001000000000"), Col("000010000000"),
            Col("000000100000"), Col("000000001000"), Col("000000000010"),
            Col("111111000000"),  // u1, isolated
            Col("000000222222"),  // u2 covers u3 and u4
            Col("M00000222222"),  // u3
            Col("00M000222222")}; // u4
}

TEST(OptimisedReduction, LiteralEdges) {
    TOptimisedParams p;
    p.distance = TDistanceKind::WrongMatches;
    p.R = 1;
    p.Dmin = 3;

    // Phase 1 ends right after its first choice (7 of 11 covered, nearest integer of 6.6 is 7):
    // k stays 0, so phase 2 chooses the head of the uncovered list at once, u1 before u2.
    p.f1 = 0.6;
    p.f2 = 0.85;
    TListaColonne store = ListOf(KZeroInput());
    EXPECT_TRUE(ReduceOptimisedReference(store, p, nullptr, nullptr));
    EXPECT_EQ(Columns(store),
              (std::vector<Colonna>{Col("000000222222"), Col("111111000000"), Col("000000000000")}));

    // No phase-1 choice after the first (distance 8 is out of reach), phase 3 at once (f2 = 0):
    // the full scan chooses a (3 columns) through the end-of-list fallback; max is not reset, so
    // the next step looks for 3 again, passes over the covered columns and falls back on b.
    p.f1 = 0;
    p.f2 = 0;
    p.Dmin = 8;
    const std::vector<Colonna> groups = {Col("MMMMMMMMMMMM"), Col("100000000000"), Col("000000000000"),
                                         Col("002000000000"), Col("222222111111"), Col("222222111112")};
    store = ListOf(groups);
    EXPECT_TRUE(ReduceOptimisedReference(store, p, nullptr, nullptr));
    EXPECT_EQ(Columns(store),
              (std::vector<Colonna>{Col("222222111111"), Col("000000000000"), Col("MMMMMMMMMMMM")}));

    // A single column, and an empty store.
    store = ListOf({Col("012M012M012M")});
    EXPECT_TRUE(ReduceOptimisedReference(
        store, OptimisedParamsFor(Forecast("0 0 0 0 0 0 0 0 0 0 0 0"), false, 2, false), nullptr, nullptr));
    EXPECT_EQ(store.Count(), 1);
    store.Clear();
    EXPECT_TRUE(ReduceOptimisedReference(store, p, nullptr, nullptr));
    EXPECT_TRUE(store.Empty());
}

TEST(OptimisedReduction, StoppedKeepsWhatWasChosen) {
    const Pronostico f = Forecast("012 012 012 012 012 012 1 1 1 1 1 1");
    const auto params = OptimisedParamsFor(f, false, 1, false);
    TListaColonne full = ListOf(Enumerated(f));
    ReduceOptimisedReference(full, params, nullptr, nullptr);
    for (std::int64_t at : {1, 5, 50}) {
        TListaColonne store = ListOf(Enumerated(f));
        reference::TScriptedCancel cancel(at);
        reference::TRecordingProgress progress;
        EXPECT_FALSE(ReduceOptimisedReference(store, params, &progress, &cancel));
        EXPECT_TRUE(progress.Finals('O').empty());
        ASSERT_FALSE(store.Empty());
        ASSERT_LT(store.Count(), full.Count());
        // The columns chosen so far are the first choices of the full run, last chosen first.
        const auto part = Columns(store);
        const auto all = Columns(full);
        EXPECT_TRUE(std::equal(part.rbegin(), part.rend(), all.rbegin())) << at;
    }
}

Colonna Bytes(std::initializer_list<int> bytes) {
    Colonna c;
    int t = 0;
    for (int b : bytes) {
        c[t++] = static_cast<SignSet>(b);
    }
    return c;
}

// A column with no sign in more than R matches is out of every column's reach: the run ends, keeps
// it once after the chosen columns, and chooses among the others exactly as without it.
TEST(OptimisedReduction, UncoverableColumnsAreKeptOnceAndTheRunEnds) {
    const Colonna twoEmpty = Bytes({0x00, 0x02, 0x04, 0x08, 0x01, 0x02, 0x04, 0x08, 0x01, 0x02, 0x00, 0x08});
    const Colonna threeEmpty =
        Bytes({0x00, 0x02, 0x00, 0x08, 0x01, 0x02, 0x04, 0x08, 0x01, 0x02, 0x00, 0x08});
    const Colonna oneEmpty = Bytes({0x00, 0x02, 0x04, 0x08, 0x01, 0x02, 0x04, 0x08, 0x01, 0x02, 0x04, 0x08});
    struct TCase {
        const char* forecast;
        int R;
        bool small;
        std::vector<Colonna> hostile; // inserted in this order, spread over the list
        std::int64_t kept;
    };
    const TCase cases[] = {
        {"012 012 012 012 012 1 1 1 1 1 1 1", 1, false, {twoEmpty, twoEmpty, threeEmpty}, 2},
        {"012 012 012 012 012 1 1 1 1 1 1 1", 1, true, {threeEmpty, twoEmpty}, 2},
        {"01 01 01 01 01 01 01 01 1 1 1 1", 1, false, {twoEmpty}, 1}, // by wrong teams
        {"012 012 012 012 012 012 1 1 1 1 1 1", 2, false, {twoEmpty, threeEmpty, threeEmpty}, 1},
        {"012 012 012 012 1 1 1 1 1 1 1 1", 1, false, {oneEmpty}, 0}, // one empty match is reachable
    };
    for (const auto& c : cases) {
        const Pronostico f = Forecast(c.forecast);
        const auto params = OptimisedParamsFor(f, false, c.R, c.small);
        const std::vector<Colonna> plain = Enumerated(f);
        std::vector<Colonna> mixed = plain;
        std::vector<Colonna> expectedKept;
        for (std::size_t i = 0; i < c.hostile.size(); ++i) {
            mixed.insert(mixed.begin() + static_cast<std::ptrdiff_t>((i * 37) % mixed.size()), c.hostile[i]);
        }
        for (const Colonna& col : mixed) {
            if (Uncoverable(col, params) &&
                std::find(expectedKept.begin(), expectedKept.end(), col) == expectedKept.end()) {
                expectedKept.push_back(col);
            }
        }
        ASSERT_EQ(static_cast<std::int64_t>(expectedKept.size()), c.kept) << c.forecast;

        TListaColonne store = ListOf(mixed);
        reference::TRecordingProgress progress;
        std::int64_t kept = -1;
        ASSERT_TRUE(ReduceOptimisedReference(store, params, &progress, nullptr, &kept)) << c.forecast;
        EXPECT_EQ(kept, c.kept) << c.forecast;

        std::vector<Colonna> coverable;
        for (const Colonna& col : mixed) {
            if (!Uncoverable(col, params)) {
                coverable.push_back(col);
            }
        }
        TListaColonne alone = ListOf(coverable);
        ASSERT_TRUE(ReduceOptimisedReference(alone, params, nullptr, nullptr));
        std::vector<Colonna> expected = Columns(alone);
        expected.insert(expected.end(), expectedKept.begin(), expectedKept.end());
        EXPECT_EQ(Columns(store), expected) << c.forecast;
        for (const Colonna& col : coverable) {
            const auto reached = std::any_of(store.begin(), store.end(), [&](const Colonna& k) {
                return Distance(params.distance, k, col) <= c.R;
            });
            EXPECT_TRUE(reached) << c.forecast;
        }
        // The final report counts the kept columns as chosen and covered.
        const auto finals = progress.Finals('O');
        ASSERT_EQ(finals.size(), 1U);
        EXPECT_EQ(finals[0].a, static_cast<std::int64_t>(mixed.size()));
        EXPECT_EQ(finals[0].b, store.Count());
        EXPECT_EQ(finals[0].c, static_cast<std::int64_t>(mixed.size()));
    }
}

} // namespace
} // namespace tessaline
