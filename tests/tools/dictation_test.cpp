#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/column_list.h"
#include "tools/dictation.h"

namespace tessaline {
namespace {

// Records what the dictation asks of the player.
class TFakePlayer : public TLettoreVocale {
public:
    void Pausa() override { log.push_back("pausa"); }
    void ImpostaTratto(const TTratto& t) override { stretches.push_back(t); }
    void Suona() override { log.push_back("suona"); }
    std::vector<TTratto> stretches;
    std::vector<std::string> log;
};

// Column k of a sample: team t holds the single sign (k + t) % 4, so every place says which it is.
Colonna Sample(int k) {
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = static_cast<SignSet>(1 << ((k + t) % 4));
    }
    return c;
}

TListaColonne SampleList(int n) {
    TListaColonne l;
    for (int k = 0; k < n; ++k) {
        l.Append(Sample(k));
    }
    return l;
}

TTratto Expected(SignSet a) {
    return {1000 * (a - 1), 1000 * a + (a == 15 ? 100 : 0)};
}

// The stretches of one coupon read in the given order, built from the columns independently.
std::vector<TTratto> CouponOrder(const std::vector<Colonna>& cols, bool byRows) {
    std::vector<TTratto> out;
    const int n = static_cast<int>(cols.size());
    if (byRows) {
        for (int t = 0; t < kTeams; ++t) {
            for (int c = 0; c < n; ++c) {
                out.push_back(Expected(cols[static_cast<std::size_t>(c)][t]));
            }
        }
    } else {
        for (int c = 0; c < n; ++c) {
            for (int t = 0; t < kTeams; ++t) {
                out.push_back(Expected(cols[static_cast<std::size_t>(c)][t]));
            }
        }
    }
    return out;
}

TEST(Dictation, StretchOfEachSignByte) {
    const std::pair<std::uint8_t, TTratto> cases[] =
        {
            {1, {0, 1000}},       {2, {1000, 2000}}, {4, {3000, 4000}},
            {5, {4000, 5000}},    {8, {7000, 8000}}, {14, {13000, 14000}},
            {15, {14000, 15100}}, {0x81, {0, 1000}}, // the highlight bit is not part of the value
            {0, {0, 0}},                             // no sign: no stretch
        };
    for (const auto& [a, t] : cases) {
        EXPECT_EQ(TrattoSegno(a), t) << int(a);
    }
}

TEST(Dictation, CouponsOfThreeAndColumnsRead) {
    const struct {
        int columns;
        std::vector<int> perCoupon;
    } cases[] = {{0, {}}, {1, {1}}, {2, {2}}, {3, {3}}, {7, {3, 3, 1}}, {8, {3, 3, 2}}};
    for (const auto& c : cases) {
        const auto coupons = CostruisciSchedine(SampleList(c.columns));
        ASSERT_EQ(coupons.size(), c.perCoupon.size()) << c.columns;
        for (std::size_t i = 0; i < coupons.size(); ++i) {
            EXPECT_EQ(coupons[i].numero, static_cast<int>(i) + 1);
            EXPECT_EQ(ColonneDaLeggere(coupons[i]), c.perCoupon[i]) << c.columns << " coupon " << i;
            EXPECT_EQ(coupons[i].colonne[0], Sample(static_cast<int>(3 * i)));
        }
    }
}

TEST(Dictation, ReadingOrderOfOneCoupon) {
    const struct {
        int columns;
        bool byRows;
    } cases[] = {{1, true}, {1, false}, {2, true}, {2, false}, {3, true}, {3, false}};
    for (const auto& c : cases) {
        TDettatura d(CostruisciSchedine(SampleList(c.columns)));
        d.perRighe = c.byRows;
        TFakePlayer player;
        ASSERT_TRUE(d.Avvia());
        std::vector<TEsitoTick> results;
        while (d.TimerAttivo()) {
            results.push_back(d.Tick(player));
            ASSERT_LE(results.size(), 100u);
        }
        std::vector<Colonna> cols;
        for (int k = 0; k < c.columns; ++k) {
            cols.push_back(Sample(k));
        }
        EXPECT_EQ(player.stretches, CouponOrder(cols, c.byRows))
            << c.columns << (c.byRows ? " rows" : " cols");
        ASSERT_EQ(results.size(), static_cast<std::size_t>(12 * c.columns));
        EXPECT_EQ(results.back(), TEsitoTick::Fine);
        EXPECT_EQ(d.Schedina(), 1); // stopped: back to the first coupon
        // Every sign: the player paused, then the stretch played.
        ASSERT_EQ(player.log.size(), 2 * results.size());
        EXPECT_EQ(player.log[0], "pausa");
        EXPECT_EQ(player.log[1], "suona");
    }
}

TEST(Dictation, PauseAfterEachCouponAndRange) {
    // Seven columns: coupons of 3, 3 and 1; from coupon 2 to 3, by rows.
    TDettatura d(CostruisciSchedine(SampleList(7)));
    d.perRighe = true;
    d.ImpostaMin(2);
    EXPECT_EQ(d.Schedina(), 2);
    TFakePlayer player;
    ASSERT_TRUE(d.Avvia());
    int ticks = 0;
    while (d.TimerAttivo()) {
        d.Tick(player);
        ++ticks;
    }
    // After coupon 2 the dictation pauses, shows coupon 3 and goes on from its start.
    EXPECT_EQ(ticks, 36);
    EXPECT_TRUE(d.InPausa());
    EXPECT_EQ(d.Schedina(), 3);
    ASSERT_TRUE(d.Avvia());
    while (d.TimerAttivo()) {
        d.Tick(player);
        ++ticks;
    }
    EXPECT_EQ(ticks, 48);
    EXPECT_FALSE(d.InPausa());
    EXPECT_EQ(d.Schedina(), 2); // back to "Dalla Schedina"
    std::vector<TTratto> expected = CouponOrder({Sample(3), Sample(4), Sample(5)}, true);
    const auto last = CouponOrder({Sample(6)}, true);
    expected.insert(expected.end(), last.begin(), last.end());
    EXPECT_EQ(player.stretches, expected);
}

TEST(Dictation, WithoutPauseRunsOnAndStopsAtMax) {
    TDettatura d(CostruisciSchedine(SampleList(9)));
    d.pausaDopoSchedina = false;
    d.ImpostaMax(2);
    TFakePlayer player;
    ASSERT_TRUE(d.Avvia());
    std::vector<TEsitoTick> results;
    while (d.TimerAttivo()) {
        results.push_back(d.Tick(player));
    }
    ASSERT_EQ(results.size(), 72u);
    EXPECT_EQ(results[35], TEsitoTick::NuovaSchedina);
    EXPECT_EQ(results[71], TEsitoTick::Fine);
}

TEST(Dictation, PauseResumesWhereItStoppedAndStopRestarts) {
    TDettatura d(CostruisciSchedine(SampleList(2)));
    TFakePlayer player;
    d.Avvia();
    for (int i = 0; i < 5; ++i) {
        d.Tick(player);
    }
    d.Pausa();
    EXPECT_FALSE(d.TimerAttivo());
    d.Avvia();
    EXPECT_EQ(d.Squadra(), 6); // went on from the sixth team
    d.Ferma();
    d.Avvia();
    EXPECT_EQ(d.Squadra(), 1);
    EXPECT_EQ(d.ColonnaCorrente(), 1);
}

TEST(Dictation, HighlightFollowsTheSignRead) {
    TDettatura d(CostruisciSchedine(SampleList(2)));
    d.perRighe = true;
    TFakePlayer player;
    d.Avvia();
    d.Tick(player);
    d.Tick(player);
    d.Tick(player); // team 2, column 1 said last
    const TSchedinaVin s = d.Mostrata();
    int marked = 0;
    for (int c = 0; c < 2; ++c) {
        for (int t = 0; t < kTeams; ++t) {
            if ((s.colonne[static_cast<std::size_t>(c)][t] & kSegnoEvidenziato) != 0) {
                ++marked;
                EXPECT_EQ(c, 0);
                EXPECT_EQ(t, 1);
            }
        }
    }
    EXPECT_EQ(marked, 1);
}

TEST(Dictation, EmptyPlaceSaysNothingAndEmptyListCannotStart) {
    TListaColonne l;
    Colonna c = Sample(0);
    c[3] = 0;
    l.Append(c);
    TDettatura d(CostruisciSchedine(l));
    TFakePlayer player;
    d.Avvia();
    while (d.TimerAttivo()) {
        d.Tick(player);
    }
    EXPECT_EQ(player.stretches.size(), 11u);
    TDettatura none(CostruisciSchedine(TListaColonne{}));
    EXPECT_FALSE(none.Avvia());
}

} // namespace
} // namespace tessaline
