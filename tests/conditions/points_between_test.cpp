#include <gtest/gtest.h>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/value_conditions.h"
#include "family_bytes.h"

namespace tessaline {
namespace {

using test::Bytes;
using test::Col;

class PuntiTra : public ::testing::Test {
protected:
    PuntiTra() : tra(*set.SlotAs<TCondPuntiTra>(kCodPuntiTra)) {}

    // A goals item on the teams, admitting every value from lo to hi, feeding the group.
    TCondPuntiSquadra& Gol(std::initializer_list<int> teams, int lo, int hi, int gruppo) {
        auto item = std::make_unique<TCondPuntiSquadra>(&set);
        for (const int t : teams) {
            item->Squadre[static_cast<std::size_t>(t - 1)] = 1;
        }
        for (int v = lo; v <= hi; ++v) {
            item->Gol().Imposta(false, v, kAmmesso);
        }
        item->Gol().Pt.Tra = static_cast<std::int16_t>(gruppo);
        TCondPuntiSquadra& ref = *item;
        set.SlotAs<TListaCondizioni>(kCodGruppoPuntiSquadra)->Aggiungi(std::move(item));
        return ref;
    }

    TInsiemeCondizioni set;
    TCondPuntiTra& tra;
};

TEST_F(PuntiTra, GroupsNumGruppiAndAnEmptyLowerGroup) {
    ASSERT_EQ(set.Slot(kCodPuntiTra)->Nome, "Punti Tra");
    Gol({1, 2}, 0, 6, 2);
    Gol({3}, 0, 3, 1);
    tra.Gruppo(2).Aggiungi(3, 5, kAmmesso);
    set.Prepara();
    EXPECT_EQ(tra.NumGruppi, 2);
    ASSERT_TRUE(tra.Abilitata);
    ASSERT_TRUE(set.TraAbilitata());
    ASSERT_EQ(set.Attive().back(), &tra) << "Punti Tra is evaluated last";
    struct Case {
        const char* column;
        bool accepted;
        int sum1;
        int sum2;
    };
    const Case cases[] = {
        {"21 M 000000000", true, 3, 3}, // group 1 has no interval: anything goes
        {"2M 0 000000000", true, 0, 5}, // upper bound
        {"M2 M 000000000", true, 3, 5},  {"MM 0 000000000", false, 0, 6}, // group 2 refuses
        {"00 0 000000000", false, 0, 0},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(set.Accetta(Col(k.column)), k.accepted) << k.column;
        EXPECT_EQ(set.Somme()[1], k.sum1) << k.column << ": only this column's values";
        EXPECT_EQ(set.Somme()[2], k.sum2) << k.column;
    }

    tra.Attivato = false;
    set.Prepara();
    EXPECT_EQ(tra.NumGruppi, 0);
    EXPECT_FALSE(tra.Abilitata);
    EXPECT_TRUE(set.Accetta(Col("MM0000000000")));
}

TEST_F(PuntiTra, OnlyConditionsInForceAndEvaluatedFeedTheSums) {
    auto& off = Gol({1}, 0, 3, 1);
    off.Attivato = false;
    Gol({2}, 1, 3, 2); // rejects a sign 0 on team 2
    tra.Gruppo(1).Aggiungi(0, 0, kAmmesso);
    tra.Gruppo(2).Aggiungi(1, 2, kAmmesso);
    set.Prepara();
    EXPECT_TRUE(set.Accetta(Col("M1 0000000000")));
    EXPECT_EQ(set.Somme()[1], 0) << "a switched-off condition adds nothing";
    EXPECT_EQ(set.Somme()[2], 1);

    // A sequence item in slot 8 rejects first: the goals of slot 9 never get added.
    auto seq = std::make_unique<TCondSequela>(&set);
    seq->TipoSequela = kMonotermine;
    seq->Lunghezza = 12;
    seq->Presenze().Imposta(false, 1, kAmmesso); // only a column of one sign passes
    set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Aggiungi(std::move(seq));
    set.Prepara();
    EXPECT_FALSE(set.Accetta(Col("M2 0000000000")));
    EXPECT_EQ(set.Somme()[2], 0) << "evaluation stopped before the goals";

    // Collecting errors, every condition is evaluated and Punti Tra sees the sums; the lists are
    // reported through their items.
    set.RaccogliErrori = true;
    EXPECT_FALSE(set.Accetta(Col("MM 0000000000")));
    EXPECT_EQ(set.Somme()[2], 3);
    ASSERT_EQ(set.Errori.size(), 2u);
    EXPECT_EQ(set.Errori[0].Condizione, &set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Item(0));
    EXPECT_EQ(set.Errori[1].Condizione, &tra) << "group 2 refuses 3";
}

TEST_F(PuntiTra, EveryFamilyFeedsItsGroup) {
    Gol({1, 2}, 0, 6, 3);
    auto seq = std::make_unique<TCondSequela>(&set);
    seq->TipoSequela = kMonotermine;
    seq->Lunghezza = 2;
    seq->PassoTrovata = 2;
    seq->PassoNonTrovata = 2;
    for (int v = 0; v <= 6; ++v) {
        seq->Presenze().Imposta(false, v, kAmmesso);
        seq->Presenze().Imposta(true, v, kAmmesso);
    }
    seq->Presenze().Pt.Tra = 3;
    seq->Presenze().Cs.Tra = 4;
    set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Aggiungi(std::move(seq));
    auto f = std::make_unique<TCondColonnaFiltro>(&set);
    f->ConfrontoACoppie = false;
    f->Filtro.s.fill(kSign1);
    for (int v = 0; v <= 12; ++v) {
        f->Punti().Imposta(false, v, kAmmesso);
    }
    f->Punti().Pt.Tra = 3;
    set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro)->Aggiungi(std::move(f));
    tra.Gruppo(3).Aggiungi(0, 100, kAmmesso);
    tra.Gruppo(4).Aggiungi(0, 100, kAmmesso);
    set.Prepara();
    // Pairs at 1, 3, ..., 11: "11", "11", "0M", "00", "11", "21": 4 of one sign, longest streak 2.
    ASSERT_TRUE(set.Accetta(Col("11 11 0M 00 11 21")));
    EXPECT_EQ(set.Somme()[3], 2 + 4 + 7); // goals, presences, filter hits
    EXPECT_EQ(set.Somme()[4], 2);
}

TEST_F(PuntiTra, RecoveryThroughTheLinkAndTheDialogGroup) {
    Gol({1}, 1, 3, 6);
    Gol({2}, 0, 2, 6);
    tra.Gruppo(6).Aggiungi(0, 2, kAmmesso);
    tra.Gruppo(6).Aggiungi(3, 4, kRecupero, 1);
    tra.Gruppo(6).Link = 'B';
    set.Prepara();
    EXPECT_EQ(set.Link().LettereUsate, "B");
    EXPECT_TRUE(set.Accetta(Col("11 0000000000")));
    EXPECT_TRUE(set.Accetta(Col("21 0000000000"))) << "3 in recovery, granted";
    EXPECT_FALSE(set.Accetta(Col("M2 0000000000")));

    tra.MostraGruppo(6);
    ASSERT_EQ(tra.CondizioniGruppo.size(), 2u);
    EXPECT_EQ(tra.CondizioniGruppo[0].Numero, kCodGruppoPuntiSquadra);
    EXPECT_EQ(tra.LimitiGruppo, (TLimitiMisura{1, 5}));
    // The first item refuses a sign 0 on team 1, yet both add their goals to the total.
    set.RaccogliErrori = false;
    EXPECT_EQ(tra.TotaleGruppo(Col("02 0000000000")), 2);
    EXPECT_EQ(tra.TotaleGruppo(Col("M2 0000000000")), 5);
    EXPECT_TRUE(set.Errori.empty());
    EXPECT_FALSE(set.RaccogliErrori);

    // The group's grids are bounded by what the group can reach.
    const auto err = tra.RicostruisciGruppo({{"0", "2"}}, {});
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->Messaggio, kMsgErroreMinimo);
    EXPECT_EQ(tra.Gruppo(6).Conta, 2) << "unchanged";
    ASSERT_FALSE(tra.RicostruisciGruppo({{"1", "2"}, {"4", "5"}}, {}).has_value());
    EXPECT_EQ(tra.Gruppo(6).Conta, 2);
    EXPECT_EQ(tra.Gruppo(6).Intervalli[1], (TIntervallo{4, 5, kAmmesso, 0}));
    EXPECT_EQ(tra.Gruppo(6).Link, 'B');

    // A group number out of range shows the nearest group.
    tra.MostraGruppo(40);
    EXPECT_EQ(tra.GruppoInMostra, 30);
    EXPECT_TRUE(tra.CondizioniGruppo.empty());
}

TEST(PuntiTraRecord, NumGruppiRecomputedExactBytesAndCuts) {
    TCondPuntiTra t(nullptr);
    t.Gruppo(3).Aggiungi(2, 8, kAmmesso);
    t.Gruppo(3).Aggiungi(10, 12, kRecupero, 5);
    t.Gruppo(3).Link = 'E';
    t.Gruppo(1).Link = 'F'; // no interval: written, but does not count
    t.NumGruppi = 0;        // stale: never updated
    Bytes expected = {kCodPuntiTra, 1};
    test::Put32(expected, 3);
    test::PutIntervalli(expected, {}, 'F');
    test::PutIntervalli(expected, {}, 'A');
    test::PutIntervalli(expected, {{2, 8, 1, 0}, {10, 12, 2, 5}}, 'E');
    ASSERT_EQ(expected.size(), 2 + 4 + 3 * 1619u);
    const Bytes written = test::Written(t);
    EXPECT_EQ(written, expected);

    TCondPuntiTra back(nullptr);
    back.Gruppo(20).Aggiungi(1, 1, kAmmesso); // reading empties every group first
    TByteReader r(std::span<const std::uint8_t>(written).subspan(1));
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(back.Gruppo(20).Conta, 0);
    EXPECT_EQ(back.NumGruppi, 3);
    EXPECT_EQ(test::Written(back), expected);

    TCondPuntiTra none(nullptr);
    Bytes empty = {kCodPuntiTra, 1};
    test::Put32(empty, 0);
    EXPECT_EQ(test::Written(none), empty);

    for (std::size_t n = 0; n + 1 < written.size(); n += 11) {
        TCondPuntiTra fresh(nullptr);
        fresh.Gruppo(2).Aggiungi(4, 4, kAmmesso);
        TByteReader cut(std::span<const std::uint8_t>(written.data() + 1, n));
        EXPECT_FALSE(fresh.Leggi(cut)) << n;
        EXPECT_EQ(fresh.Gruppo(2).Conta, 1) << "a cut record changes nothing";
    }
    for (const std::int32_t bad : {-1, 31, 100000}) {
        Bytes b = {1};
        test::Put32(b, bad);
        b.insert(b.end(), 31 * 1619, 0);
        TCondPuntiTra fresh(nullptr);
        TByteReader rb(b);
        EXPECT_FALSE(fresh.Leggi(rb)) << bad;
    }

    // In the set's record, slot 15 comes last and reads back into the slot.
    TInsiemeCondizioni set;
    set.SlotAs<TCondPuntiTra>(kCodPuntiTra)->Gruppo(2).Aggiungi(0, 9, kAmmesso);
    const Bytes s = test::Written(*set.Slot(kCodPuntiTra));
    TInsiemeCondizioni other;
    TByteReader rs(std::span<const std::uint8_t>(s).subspan(1));
    ASSERT_TRUE(other.Slot(kCodPuntiTra)->Leggi(rs));
    EXPECT_EQ(other.SlotAs<TCondPuntiTra>(kCodPuntiTra)->Gruppo(2).Intervalli[0].Max, 9);
}

} // namespace
} // namespace tessaline
