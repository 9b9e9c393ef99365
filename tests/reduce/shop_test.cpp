// Immediate reduced systems and automatic plays: the "*.Rid" record, the integral bases, the costs,
// the weights of the three techniques and the random columns drawn from them.

#include <gtest/gtest.h>

#include <set>

#include "core/codepage.h"
#include "reduce/automatic.h"
#include "reduce/immediate.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

using reference::Col;
using reference::Forecast;

// The record's bytes written out from the layout: 12 flags, 12 sign bytes, guarantee, name field.
std::vector<std::uint8_t> Expected(const std::array<std::uint8_t, 12>& flags, const Colonna& base, bool five,
                                   const std::string& nameCp1252) {
    std::vector<std::uint8_t> b(kRidottoBytes, 0);
    for (std::size_t i = 0; i < 12; ++i) {
        b[i] = flags[i];
        b[12 + i] = base.s[i];
    }
    b[24] = five ? 1 : 0;
    b[25] = static_cast<std::uint8_t>(nameCp1252.size());
    for (std::size_t i = 0; i < nameCp1252.size(); ++i) {
        b[26 + i] = static_cast<std::uint8_t>(nameCp1252[i]);
    }
    return b;
}

TEST(Ridotto, BytesFollowTheLayoutAndRoundTrip) {
    const struct {
        std::array<std::uint8_t, 12> flags;
        const char* base;
        bool five;
        std::string name;   // UTF-8
        std::string stored; // Windows-1252
    } cases[] = {
        {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "01 2 1M 0 0 012M 1 2 02 1 1 0", true, "Rossi", "Rossi"},
        {{}, "0 0 0 0 0 0 0 0 0 0 0 0", false, "", ""},
        {{0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1},
         "012 * 2 1 M 0 1 2 M 0 1 2",
         false,
         "Caffè £",
         "Caff\xE8 \xA3"},
    };
    for (const auto& c : cases) {
        TRidotto r;
        r.integrali = c.flags;
        r.base = Forecast(c.base);
        r.garanziaCinque = c.five;
        r.nome = c.name;
        const auto bytes = ScriviRidotto(r);
        EXPECT_EQ(bytes, Expected(c.flags, r.base, c.five, c.stored)) << c.base;
        TRidotto back;
        ASSERT_TRUE(LeggiRidotto(bytes, back));
        EXPECT_EQ(back, r);
    }
    // A name longer than the field is cut to 255 characters; the record stays 281 bytes.
    TRidotto longName;
    longName.nome = std::string(400, 'x');
    EXPECT_EQ(ScriviRidotto(longName).size(), kRidottoBytes);
    TRidotto back;
    ASSERT_TRUE(LeggiRidotto(ScriviRidotto(longName), back));
    EXPECT_EQ(back.nome, std::string(255, 'x'));
}

TEST(Ridotto, DamagedRecordsLeaveTheTargetAlone) {
    TRidotto good;
    good.base = Forecast("01 2 1M 0 0 012M 1 2 02 1 1 0");
    good.integrali[3] = 1;
    good.nome = "Bianchi";
    const auto bytes = ScriviRidotto(good);
    const struct {
        const char* what;
        std::size_t size;
        std::size_t at;
        std::uint8_t value;
    } cases[] = {
        {"empty", 0, 0, 0},         {"flags only", 12, 0, 0},
        {"no guarantee", 24, 0, 0}, {"short name field", 280, 0, 0},
        {"flag 2", 281, 5, 2},      {"sign byte 16", 281, 14, 16},
    };
    for (const auto& c : cases) {
        auto copy = bytes;
        copy.resize(c.size);
        if (c.value != 0) {
            copy[c.at] = c.value;
        }
        TRidotto target;
        target.nome = "invariato";
        EXPECT_FALSE(LeggiRidotto(copy, target)) << c.what;
        EXPECT_EQ(target.nome, "invariato") << c.what;
    }
    // Padding after the name is whatever was there; any guarantee byte but 0 is "Garanzia Cinque".
    auto noisy = bytes;
    noisy[24] = 7;
    for (std::size_t i = 26 + 7; i < noisy.size(); ++i) {
        noisy[i] = 0xAB;
    }
    TRidotto r;
    ASSERT_TRUE(LeggiRidotto(noisy, r));
    EXPECT_TRUE(r.garanziaCinque);
    EXPECT_EQ(r.nome, "Bianchi");
}

TEST(Ridotto, FileSaveAndLoad) {
    test::TTestHome home;
    TRidotto r;
    r.base = Forecast("1 1 1 1 1 1 1 1 1 1 1 01");
    r.integrali[11] = 1;
    r.garanziaCinque = false;
    r.nome = "Verdi";
    const auto file = home.Path() / "prova.Rid";
    ASSERT_TRUE(SalvaRidotto(file, r));
    EXPECT_EQ(std::filesystem::file_size(file), kRidottoBytes);
    TRidotto back;
    ASSERT_TRUE(CaricaRidotto(file, back));
    EXPECT_EQ(back, r);
    EXPECT_FALSE(CaricaRidotto(home.Path() / "manca.Rid", back));
    EXPECT_FALSE(SalvaRidotto(home.Path() / "manca" / "x.Rid", r));
}

TEST(Ridotto, IntegralBasesTakeTheFirstSignOfFlaggedTeams) {
    const struct {
        const char* base;
        std::array<std::uint8_t, 12> flags;
        const char* bases;
    } cases[] = {
        {"01 12 2M 012M 0 1 2 M 0 1 2 M", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "0 1 2 0 * * * * * * * *"},
        {"01 12 2M 012M 0 1 2 M 0 1 2 M", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "* 1 * * * * * * * * * *"},
        {"1M 0 0 0 0 0 0 0 0 0 0 0", {}, "* * * * * * * * * * * *"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BasiIntegrali(Forecast(c.base), c.flags), Forecast(c.bases).s) << c.base;
    }
}

TEST(Ridotto, CostTexts) {
    EXPECT_EQ(TestoCostoRidotto(1, 800, false), " \xC2\xA3 800  Col. 1");
    EXPECT_EQ(TestoCostoRidotto(16777216, 800, false), " \xC2\xA3 13.421.772.800  Col. 16777216");
    EXPECT_EQ(TestoCostoRidotto(12, 0.5, true), " \xE2\x82\xAC 6,00  Col. 12");
    EXPECT_EQ(RigaVarianti(7, 0, 2), "Dp : 7  Tr : 0  Qd : 2");
    EXPECT_EQ(RigaCosto(2400, false, true, 31), "\xC2\xA3 2.400 Concorso N\xC2\xBA 31");
    EXPECT_EQ(RigaCosto(2400, false, false, 31), "\xC2\xA3 2.400");
    EXPECT_DOUBLE_EQ(CostoColonna(800, 2, 1, 1), 800.0 * 4 * 3 * 4);
}

// ---- weights and random columns

TEST(Automatici, WeightsOfTheThreeTechniques) {
    TOpzioniPesi o;
    o.pronostico = Forecast("1 02 0 0 0 0 0 0 0 0 0 012M");
    o.percentuali[0] = {10, 60, 30, 0};
    o.statistica.concorsi = 20;
    o.statistica.frequenza[0] = {5, 10, 5, 0};
    o.statistica.ritardo[0] = {3, 1, 2, 20};
    const struct {
        TTecnica tecnica;
        bool usaPro;
        std::array<std::int64_t, 4> team1;
        SignSet allowed1;
    } cases[] = {
        {TTecnica::Casuale, false, {25, 25, 25, 25}, kAllSigns},
        {TTecnica::Casuale, true, {0, 25, 0, 0}, kSign1},
        {TTecnica::CasualeConPicchetto, false, {10, 60, 30, 0}, kSign0 | kSign1 | kSign2},
        {TTecnica::CasualeConPicchetto, true, {0, 60, 0, 0}, kSign1},
        // round(5/20*3*10)+1 = 9 (7.5 rounds up), round(10/20*1*10)+1 = 6, round(5/20*2*10)+1 = 6, 0+1.
        {TTecnica::Statistica, false, {9, 6, 6, 1}, kAllSigns},
        {TTecnica::Statistica, true, {0, 6, 0, 0}, kSign1},
    };
    for (const auto& c : cases) {
        o.tecnica = c.tecnica;
        o.usaPronostico = c.usaPro;
        o.percentuali[1] = {25, 25, 25, 25};
        for (int t = 1; t < kTeams; ++t) {
            o.percentuali[static_cast<std::size_t>(t)] = {25, 25, 25, 25};
        }
        const auto p = PreparaPesi(o);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->peso[0], c.team1);
        EXPECT_EQ(p->somma[0], c.team1[0] + c.team1[1] + c.team1[2] + c.team1[3]);
        EXPECT_EQ(InsiemiAmmessi(o)[0], c.allowed1);
    }
    // Without contests "Statistica" weighs every sign 25.
    o.tecnica = TTecnica::Statistica;
    o.usaPronostico = false;
    o.statistica.concorsi = 0;
    EXPECT_EQ(PreparaPesi(o)->peso[5], (std::array<std::int64_t, 4>{25, 25, 25, 25}));
    // A team whose percentages are all outside its forecast weighs nothing: no weights.
    o.tecnica = TTecnica::CasualeConPicchetto;
    o.usaPronostico = true;
    o.percentuali[0] = {10, 0, 30, 60};
    EXPECT_FALSE(PreparaPesi(o).has_value());
}

TEST(Automatici, StatisticsFromTheTeamHistory) {
    // Three contests; team 1 had 1, 1, 0 and team 12 had M every time.
    std::vector<T_Concorso> contests;
    for (const char* col : {"1000000000M0", "100000000000", "00000000000M"}) {
        T_Concorso c;
        c.Anno = 2024;
        c.Numero = static_cast<std::uint8_t>(contests.size() + 1);
        for (int t = 0; t < kTeams; ++t) {
            c.ColonnaVincente[t] = ParseSigns(std::string(1, col[t]));
        }
        c.AggiornaCompleto();
        contests.push_back(c);
    }
    T_IntervalloConcorsi all;
    all.AnnoDa = 2024;
    all.AnnoA = 2024;
    all.NumeroDa = 1;
    all.NumeroA = 3;
    const TStatisticaSegni st = StatisticaDa(CalcolaStoriaSquadre(contests, all));
    EXPECT_EQ(st.concorsi, 3);
    EXPECT_EQ(st.frequenza[0], (std::array<std::int64_t, 4>{1, 2, 0, 0}));
    EXPECT_EQ(st.ritardo[0][0], 0);
    EXPECT_EQ(st.ritardo[0][1], 1);
    TOpzioniPesi o;
    o.tecnica = TTecnica::Statistica;
    o.statistica = st;
    // Sign 1 of team 1: round(2/3 * 1 * 10) + 1 = 8; sign 0: 0 + 1.
    EXPECT_EQ(PreparaPesi(o)->peso[0][1], 8);
    EXPECT_EQ(PreparaPesi(o)->peso[0][0], 1);
}

TEST(Automatici, ErrorTexts) {
    EXPECT_STREQ(ErroreTesto(true, true), "Scegliere un pronostico o un picchetto più ampio");
    EXPECT_STREQ(ErroreTesto(true, false), "Scegliere un pronostico più ampio");
    EXPECT_STREQ(ErroreTesto(false, true), "Scegliere un picchetto più ampio");
    EXPECT_STREQ(ErroreTesto(false, false), "Scegliere un picchetto più ampio");
}

TEST(Automatici, RandomColumnsHoldTheirCountsInsideTheWeights) {
    TOpzioniPesi o;
    o.pronostico = Forecast("012M 012M 012 012 01 01 0M 0M 1 2 12 012M");
    const struct {
        bool usaPro;
        int d, t, q;
    } cases[] = {{false, 0, 0, 0},  {false, 7, 0, 0}, {false, 3, 3, 3},
                 {false, 0, 0, 12}, {true, 4, 2, 2},  {true, 7, 0, 0}};
    for (const auto& c : cases) {
        o.usaPronostico = c.usaPro;
        const auto p = PreparaPesi(o);
        ASSERT_TRUE(p.has_value());
        const auto allowed = InsiemiAmmessi(o);
        TGeneratore rng(1234);
        for (int k = 0; k < 200; ++k) {
            const auto col = ColonnaCasuale(*p, allowed, c.d, c.t, c.q, rng);
            ASSERT_TRUE(col.has_value()) << c.d << c.t << c.q;
            EXPECT_EQ(CountDoubles(*col), c.d);
            EXPECT_EQ(CountTriples(*col), c.t);
            EXPECT_EQ(CountQuadruples(*col), c.q);
            EXPECT_EQ(CountFixed(*col), 12 - c.d - c.t - c.q);
            for (int t = 0; t < kTeams; ++t) {
                EXPECT_EQ((*col)[t] & ~allowed[t], 0) << "team " << t;
            }
        }
        // The same seed gives the same column.
        TGeneratore a(99);
        TGeneratore b(99);
        EXPECT_EQ(ColonnaCasuale(*p, allowed, c.d, c.t, c.q, a),
                  ColonnaCasuale(*p, allowed, c.d, c.t, c.q, b));
    }
}

TEST(Automatici, DrawsFollowTheWeights) {
    // One sign with all the weight is always drawn; two signs in weights 1:3 come out near 1:3.
    TPesi p;
    for (int t = 0; t < kTeams; ++t) {
        p.peso[static_cast<std::size_t>(t)] = {0, 0, 7, 0};
        p.somma[static_cast<std::size_t>(t)] = 7;
    }
    p.peso[0] = {1, 0, 0, 3};
    p.somma[0] = 4;
    TGeneratore rng(7);
    int zeros = 0;
    for (int k = 0; k < 4000; ++k) {
        const SignSet s0 = SegnoCasuale(p, 0, rng);
        ASSERT_TRUE(s0 == kSign0 || s0 == kSignM);
        zeros += s0 == kSign0 ? 1 : 0;
        ASSERT_EQ(SegnoCasuale(p, 5, rng), kSign2);
    }
    EXPECT_GT(zeros, 850);
    EXPECT_LT(zeros, 1150);
}

TEST(Automatici, ImpossibleColumnsFailAfterTheirPicks) {
    TOpzioniPesi o;
    o.usaPronostico = true;
    o.pronostico = Forecast("1 2 0 M 1 2 0 M 1 2 0 01");
    const auto p = PreparaPesi(o);
    ASSERT_TRUE(p.has_value());
    const auto allowed = InsiemiAmmessi(o);
    const struct {
        int d, t, q;
        bool ok;
    } cases[] = {{1, 0, 0, true}, {2, 0, 0, false}, {0, 1, 0, false}, {0, 0, 1, false}, {13, 0, 0, false}};
    for (const auto& c : cases) {
        TGeneratore rng(5);
        EXPECT_EQ(ColonnaCasuale(*p, allowed, c.d, c.t, c.q, rng).has_value(), c.ok) << c.d << c.t << c.q;
    }
    // The picks are counted: the generator moved past a thousand picks before giving up.
    TGeneratore counted(5);
    TGeneratore fresh(5);
    ASSERT_FALSE(ColonnaCasuale(*p, allowed, 2, 0, 0, counted).has_value());
    fresh.discard(1000);
    EXPECT_NE(counted, fresh);
}

TEST(Automatici, CouponsWithOnlyColumnOne) {
    TOpzioniPesi o;
    const auto p = PreparaPesi(o);
    std::array<TColonnaSchedina, 3> cols{};
    cols[0] = {1, 0, 0, true};
    cols[1].usata = false;
    cols[2].usata = false;
    TGeneratore rng(11);
    TListaColonne list;
    std::vector<std::array<Colonna, 3>> recorded;
    ASSERT_TRUE(GeneraSchedine(10, cols, *p, InsiemiAmmessi(o), rng, list,
                               [&](const std::array<Colonna, 3>& c) { recorded.push_back(c); }));
    ASSERT_EQ(list.Size(), 30U);
    int empty = 0;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const bool zero = list[i] == Colonna{};
        empty += zero ? 1 : 0;
        EXPECT_EQ(zero, i % 3 != 0) << i;
        if (!zero) {
            EXPECT_EQ(CountDoubles(list[i]), 1);
        }
    }
    EXPECT_EQ(empty, 20);
    ASSERT_EQ(recorded.size(), 10U);
    EXPECT_EQ(recorded[4][0], list[12]);

    // A column that cannot be drawn stops at that coupon: nothing of it is listed or recorded.
    o.usaPronostico = true;
    o.pronostico = Forecast("1 1 1 1 1 1 1 1 1 1 1 1");
    cols[0] = {0, 0, 0, true};
    cols[1] = {1, 0, 0, true};
    list.Clear();
    recorded.clear();
    EXPECT_FALSE(GeneraSchedine(3, cols, *PreparaPesi(o), InsiemiAmmessi(o), rng, list,
                                [&](const std::array<Colonna, 3>& c) { recorded.push_back(c); }));
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(recorded.empty());
}

TEST(Automatici, CouponCostsAndSimpleCoupons) {
    const struct {
        std::array<TColonnaSchedina, 3> cols;
        std::array<double, 3> costs;
        bool simple;
    } cases[] = {
        {{{{0, 0, 0, true}, {0, 0, 0, true}, {0, 0, 0, true}}}, {800, 800, 800}, true},
        {{{{1, 0, 0, true}, {0, 0, 0, true}, {0, 0, 0, true}}}, {1600, 800, 800}, false},
        {{{{0, 0, 0, true}, {0, 0, 0, false}, {0, 0, 0, true}}}, {800, 0, 800}, false},
        {{{{2, 1, 1, true}, {6, 0, 0, false}, {0, 0, 0, false}}}, {800.0 * 4 * 3 * 4, 0, 0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CostiSchedina(c.cols, 800), c.costs);
        EXPECT_EQ(SchedinaSemplice(c.cols), c.simple);
    }
}

TEST(Automatici, IntegralTeamsAndTheirLimit) {
    const Colonna base = Forecast("01 1 2M 012 0 1 012M 0 12 1 0 1");
    TGeneratore rng(3);
    for (int k = 0; k < 50; ++k) {
        const auto bases = IntegraliCasuali(base, 2, 1, 1, rng);
        int doubles = 0;
        for (int t = 0; t < kTeams; ++t) {
            const SignSet b = bases[static_cast<std::size_t>(t)];
            if (b == 0) {
                continue;
            }
            ASSERT_EQ(b, base[t] & -base[t]) << t;
            doubles += IsDouble(base[t]) ? 1 : 0;
        }
        EXPECT_GE(doubles, 1); // picks may repeat a team
        EXPECT_LE(doubles, 2);
        EXPECT_EQ(bases[3], kSign0);
        EXPECT_EQ(bases[6], kSign0);
    }
    // No team of the kind: nothing picked (and no endless search).
    EXPECT_EQ(IntegraliCasuali(Forecast("1 1 1 1 1 1 1 1 1 1 1 01"), 0, 2, 0, rng), IntegralBases{});
    const struct {
        int d, t, q, id, it, iq;
        const char* message;
    } cases[] = {
        {7, 0, 0, 7, 0, 0, nullptr},
        {0, 0, 0, 1, 0, 0, "Le doppie integrali non possono essere più di 0 (le doppie in ogni sistema)."},
        {3, 2, 0, 1, 3, 0, "Le triple integrali non possono essere più di 2 (le triple in ogni sistema)."},
        {3, 2, 1, 3, 2, 2,
         "Le quadruple integrali non possono essere più di 1 (le quadruple in ogni sistema)."},
    };
    for (const auto& c : cases) {
        const auto e = ErroreIntegrali(c.d, c.t, c.q, c.id, c.it, c.iq);
        EXPECT_EQ(e.has_value(), c.message != nullptr);
        if (c.message != nullptr && e) {
            EXPECT_EQ(*e, c.message);
        }
    }
}

} // namespace
} // namespace tessaline
