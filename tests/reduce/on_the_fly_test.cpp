#include <gtest/gtest.h>

#include <vector>

#include "core/column_list.h"
#include "core/run_state.h"
#include "reduce/on_the_fly.h"
#include "reference/develop_fixtures.h"

namespace tessaline {
namespace {

using reference::Col;
using reference::Columns;

struct TReducer {
    TListaColonne store;
    TListaColonne deferred;
    TRunCounters counters;
    reference::TRecordingProgress progress;
    OnTheFlyReducer r;
    explicit TReducer(OnTheFlyReducer::TConfig c, CancelProbe* cancel = nullptr)
        : r(store, deferred, counters, c, &progress, cancel) {}
};

TEST(OnTheFlyReducer, GuaranteeKeepTestPassOne) {
    OnTheFlyReducer::TConfig c;
    c.guarantee = 5;
    TReducer t(c);
    struct TStep {
        const char* column;
        bool kept;
        std::size_t deferred;
    };
    const TStep steps[] = {
        {"000000000000", true, 0},  // first column: kept
        {"100000000000", false, 0}, // 5 points against a kept column: covered, dropped
        {"110000000000", false, 0}, {"111100000000", false, 1}, // 4 points (G - 1): set aside
        {"111111000000", true, 1},                              // 3 points: kept
        {"111111222200", false, 2},                             // 4 points against the newest, set aside
        {"000000000000", false, 2},                             // itself: 6 points
    };
    for (const auto& s : steps) {
        t.counters.ExaminedColumns = t.counters.AcceptedColumns = 10;
        EXPECT_EQ(t.r.Keep(Col(s.column), 1), s.kept) << s.column;
        EXPECT_EQ(t.deferred.Size(), s.deferred) << s.column;
        const bool setAside =
            !s.kept && t.deferred.Size() > 0 && t.deferred[t.deferred.Size() - 1] == Col(s.column);
        EXPECT_EQ(t.counters.ExaminedColumns, setAside ? 9 : 10) << s.column;
    }
    EXPECT_EQ(Columns(t.store), (std::vector<Colonna>{Col("111111000000"), Col("000000000000")}));
    t.counters = {};
    t.r.SecondLook();
    // "111100000000" is now reached with 5 points by "111111000000", kept after it was set aside;
    // "111111222200" is reached with at most 4 points and is kept.
    EXPECT_EQ(Columns(t.store),
              (std::vector<Colonna>{Col("111111222200"), Col("111111000000"), Col("000000000000")}));
    EXPECT_TRUE(t.deferred.Empty());
    EXPECT_EQ(t.counters.ExaminedColumns, 2);
    EXPECT_EQ(t.counters.AcceptedColumns, 2);
    ASSERT_FALSE(t.progress.reports.empty());
    EXPECT_EQ(t.progress.reports.back(), (reference::TReport{'R', false, 0, 2, 3, 2}));
}

TEST(OnTheFlyReducer, LaterPassesAdmitFewerThanPExactReaches) {
    OnTheFlyReducer::TConfig c;
    c.guarantee = 5;
    TReducer t(c);
    t.store.Prepend(Col("000000000000"));
    t.store.Prepend(Col("111111111111"));
    // 5 points against one kept column: pass 2 admits it, pass 1 would not.
    EXPECT_TRUE(t.r.Keep(Col("100000000000"), 2));
    // 5 points against two kept columns ("000000000000" and the one just kept): refused in pass
    // 2, admitted in pass 3.
    EXPECT_FALSE(t.r.Keep(Col("010000000000"), 2));
    EXPECT_TRUE(t.r.Keep(Col("010000000000"), 3));
    // A kept column is never kept again: 6 points against itself.
    EXPECT_FALSE(t.r.Keep(Col("111111111111"), 10));
    EXPECT_TRUE(t.deferred.Empty());
}

TEST(OnTheFlyReducer, MinimumDistance) {
    OnTheFlyReducer::TConfig c;
    c.minDistanceMode = true;
    c.minDistance = 2;
    TReducer t(c);
    EXPECT_TRUE(t.r.Keep(Col("000000000000"), 1));
    EXPECT_FALSE(t.r.Keep(Col("100000000000"), 1)); // 1 wrong match
    EXPECT_TRUE(t.r.Keep(Col("101000000000"), 1));  // 2 wrong matches
    EXPECT_FALSE(t.r.Keep(Col("101000000001"), 1)); // 1 from the newest
    EXPECT_TRUE(t.deferred.Empty());
    c.minDistance = 7;
    TReducer seven(c);
    EXPECT_TRUE(seven.r.Keep(Col("000000000000"), 1));
    EXPECT_FALSE(seven.r.Keep(Col("111111111111"), 1)); // 6 is the most there is
}

TEST(OnTheFlyReducer, SecondLookRunsAtOnceBeyondTheLimitAndStopsOnAnnulla) {
    OnTheFlyReducer::TConfig c;
    c.guarantee = 4;
    TReducer t(c);
    t.r.Keep(Col("000000000000"), 1);
    // 3 points (G - 1) against the kept column, all the same column.
    for (std::size_t i = 0; i < kDeferredLimit; ++i) {
        ASSERT_FALSE(t.r.Keep(Col("101010000000"), 1));
    }
    EXPECT_EQ(t.deferred.Size(), kDeferredLimit);
    EXPECT_EQ(t.store.Count(), 1);
    ASSERT_FALSE(t.r.Keep(Col("101010000000"), 1));
    EXPECT_TRUE(t.deferred.Empty());
    EXPECT_EQ(t.store.Count(), 2); // the first of them kept, every other one covered by it

    TCancelFlag cancel;
    TReducer s(c, &cancel);
    s.r.Keep(Col("000000000000"), 1);
    s.r.Keep(Col("101010000000"), 1);
    s.r.Keep(Col("000000101010"), 1);
    ASSERT_EQ(s.deferred.Size(), 2u);
    cancel.Request();
    s.r.SecondLook();
    EXPECT_EQ(s.store.Count(), 2); // the first set-aside column was examined, then it stopped
    EXPECT_TRUE(s.deferred.Empty());
    EXPECT_TRUE(cancel.Peek()); // looked at, not taken
    EXPECT_TRUE(s.r.Stopped());
    EXPECT_FALSE(t.r.Stopped());
}

} // namespace
} // namespace tessaline
