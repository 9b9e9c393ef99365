#include <gtest/gtest.h>

#include <random>

#include "archive/frequencies.h"
#include "conditions/condition_set.h"
#include "conditions/value_conditions.h"
#include "family_bytes.h"

namespace tessaline {
namespace {

using test::Bytes;
using test::Col;

TSquadreScelte Teams(std::initializer_list<int> teams) {
    TSquadreScelte s{};
    for (const int t : teams) {
        s[static_cast<std::size_t>(t - 1)] = 1;
    }
    return s;
}

TEST(ValueMeasures, GoalsValuesAndPercentages) {
    TeamGrid valori{};
    TeamGrid perc{};
    for (std::size_t t = 0; t < 12; ++t) {
        valori[t] = {static_cast<std::int32_t>(t), 10, -3, 7};
        perc[t] = {25, 40, 10, 50};
    }
    struct Case {
        const char* what;
        const char* column;
        TSquadreScelte teams;
        int gol;
        double valori;
        double perc;
    };
    const Case cases[] = {
        {"teams 1 and 2 on M and 2", "M2 0000000000", Teams({1, 2}), 5, 7 - 3, 50 * 10 / 100.0},
        {"no team chosen", "MMMMMMMMMMMM", Teams({}), 0, 0, 0},
        {"one team at 40 percent", "1 00000000000", Teams({1}), 1, 10, 40},
        {"every team on M", "MMMMMMMMMMMM", Teams({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 36, 84,
         100 * 0.000244140625},
        {"sign 0 values by team", "000000000000", Teams({3, 12}), 0, 2 + 11, 100 * 0.25 * 0.25},
    };
    for (const Case& k : cases) {
        const Colonna c = Col(k.column);
        EXPECT_EQ(MisuraGol(c, k.teams), k.gol) << k.what;
        EXPECT_EQ(MisuraValori(c, k.teams, valori), k.valori) << k.what;
        EXPECT_DOUBLE_EQ(MisuraPercentuali(c, k.teams, perc), k.perc) << k.what;
    }
    // A byte that is not a single sign adds nothing and has percentage 0.
    Colonna odd = Col("111111111111");
    odd[0] = 3;
    EXPECT_EQ(MisuraGol(odd, Teams({1, 2})), 1);
    EXPECT_EQ(MisuraValori(odd, Teams({1, 2}), valori), 10);
    EXPECT_EQ(MisuraPercentuali(odd, Teams({1, 2}), perc), 0);
}

TEST(ValueMeasures, SixByteRoundingMatchesTheStoredReal) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-1, 1);
    std::uniform_int_distribution<int> exp(-140, 140);
    for (int i = 0; i < 5000; ++i) {
        const double x = i < 4 ? std::array<double, 4>{0.01, 0.1, 1e-45, 1e45}[static_cast<std::size_t>(i)]
                               : std::ldexp(mant(rng), exp(rng));
        TByteWriter w;
        ScriviReal48(w, x);
        TByteReader r(w.Data());
        double stored = 0;
        ASSERT_TRUE(LeggiReal48(r, stored));
        ASSERT_EQ(ArrotondaReal48(x), stored) << x;
        ASSERT_EQ(ArrotondaReal48(stored), stored) << "rounding is idempotent";
    }
}

TEST(ValueMeasures, RangesOverTheForecast) {
    TeamGrid valori{};
    TeamGrid perc{};
    valori[0] = {1, 5, 9, 20};
    valori[1] = {-2, 0, 4, 3};
    perc[0] = {10, 20, 30, 40};
    perc[1] = {50, 50, 60, 5};
    Pronostico f = Col("120000000000");
    f[0] = kSign1 | kSign2; // 5 or 9
    f[1] = 0;               // empty: all four signs
    EXPECT_EQ(LimitiGol(Teams({1, 2}), f), (TLimitiMisura{1, 5}));
    EXPECT_EQ(LimitiValori(Teams({1, 2}), valori, f), (TLimitiMisura{3, 13}));
    const TLimitiMisura p = LimitiPercentuali(Teams({1, 2}), perc, f);
    EXPECT_DOUBLE_EQ(p.Min, 100 * 0.2 * 0.05);
    EXPECT_DOUBLE_EQ(p.Max, 100 * 0.3 * 0.6);
    EXPECT_TRUE(LimitiPercentuali(Teams({}), perc, f).Nessuno());
}

TEST(IntervalEditing, MessagesAndOffendingCells) {
    using G = TGrigliaIntervalli;
    struct Case {
        const char* what;
        std::vector<TRigaIntervallo> ammessi;
        std::vector<TRigaIntervallo> recupero;
        bool interi;
        TLimitiMisura limiti;
        std::optional<TErroreIntervalli> expected;
    };
    const Case cases[] = {
        {"touching intervals",
         {{"1", "5"}, {"5", "9"}},
         {},
         true,
         {},
         TErroreIntervalli{kMsgNonContigui, G::Ammessi, 1, false}},
        {"separate intervals", {{"1", "5"}, {"6", "9"}}, {}, true, {}, std::nullopt},
        {"one inside the other",
         {{"1", "9"}},
         {{"3", "4", 2}},
         true,
         {},
         TErroreIntervalli{kMsgNonContigui, G::Recupero, 0, false}},
        {"min not a number",
         {{"", ""}, {"x", "5"}},
         {},
         false,
         {},
         TErroreIntervalli{kMsgErroreMinimo, G::Ammessi, 1, false}},
        {"max missing",
         {{"2", " "}},
         {},
         false,
         {},
         TErroreIntervalli{kMsgErroreMassimo, G::Ammessi, 0, true}},
        {"min above max",
         {{"7", "3"}},
         {},
         false,
         {},
         TErroreIntervalli{kMsgMinimoSuperiore, G::Ammessi, 0, false}},
        {"whole numbers for values",
         {{"2,5", "4"}},
         {},
         true,
         {},
         TErroreIntervalli{kMsgErroreMinimo, G::Ammessi, 0, false}},
        {"decimals for percentages", {{"2,5", "4.75"}}, {}, false, {}, std::nullopt},
        {"below the coupon's range",
         {{"-1", "4"}},
         {},
         true,
         {0, 10},
         TErroreIntervalli{kMsgErroreMinimo, G::Ammessi, 0, false}},
        {"above the coupon's range",
         {{"1", "11"}},
         {},
         true,
         {0, 10},
         TErroreIntervalli{kMsgErroreMassimo, G::Ammessi, 0, true}},
        {"range 0..0 bounds nothing", {{"-100", "1e3"}}, {}, false, {}, std::nullopt},
        {"a typed bound on a computed range end",
         {{"0,1", "0,8"}},
         {},
         false,
         {0.1, 0.7 + 0.1},
         std::nullopt},
        {"blank rows skipped in both grids",
         {{"", ""}, {"1", "2"}, {" ", ""}},
         {{"", ""}, {"4", "4", 3}},
         true,
         {},
         std::nullopt},
    };
    for (const Case& k : cases) {
        TTabellaIntervalli t;
        t.Aggiungi(100, 200, kAmmesso);
        t.Link = 'Q';
        const auto err = RicostruisciIntervalli(k.ammessi, k.recupero, k.interi, k.limiti, t);
        EXPECT_EQ(err, k.expected) << k.what;
        if (err) {
            EXPECT_EQ(t.Conta, 1) << k.what << ": a refused edit leaves the table as it was";
            EXPECT_EQ(t.Intervalli[0].Min, 100) << k.what;
        }
        EXPECT_EQ(t.Link, 'Q') << k.what;
    }

    // What a successful edit leaves: admitted rows first, then recovery rows with their levels.
    TTabellaIntervalli t;
    ASSERT_FALSE(RicostruisciIntervalli({{"1", "2"}, {"", ""}, {"10", "12"}},
                                        {{"4", "6", 150}, {"7", "7", 0}}, true, {}, t));
    ASSERT_EQ(t.Conta, 4);
    EXPECT_EQ(t.Intervalli[0], (TIntervallo{1, 2, kAmmesso, 0}));
    EXPECT_EQ(t.Intervalli[1], (TIntervallo{10, 12, kAmmesso, 0}));
    EXPECT_EQ(t.Intervalli[2], (TIntervallo{4, 6, kRecupero, 99}));
    EXPECT_EQ(t.Intervalli[3], (TIntervallo{7, 7, kRecupero, 1}));
    EXPECT_FALSE(ControllaIntervalliImpostati(t).has_value());

    std::vector<TRigaIntervallo> a;
    std::vector<TRigaIntervallo> r;
    RigheIntervalli(t, a, r);
    EXPECT_EQ(a, (std::vector<TRigaIntervallo>{{"1", "2", 1}, {"10", "12", 1}}));
    EXPECT_EQ(r, (std::vector<TRigaIntervallo>{{"4", "6", 99}, {"7", "7", 1}}));

    TTabellaIntervalli empty;
    ASSERT_FALSE(RicostruisciIntervalli({{"", ""}}, {}, true, {}, empty));
    EXPECT_EQ(empty.Conta, 0);
    EXPECT_EQ(ControllaIntervalliImpostati(empty), std::optional<std::string>(kMsgNessunIntervallo));
}

TEST(IntervalEditing, Numbers) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12", true, 12},  {" 3,25 ", true, 3.25}, {"3.25", true, 3.25}, {"-0,5", true, -0.5},
        {"+7", true, 7},   {",5", true, 0.5},      {"1e2", true, 100},   {"1,5E-1", true, 0.15},
        {"", false, 0},    {"abc", false, 0},      {"1,2,3", false, 0},  {"1 2", false, 0},
        {"inf", false, 0}, {"nan", false, 0},      {"-", false, 0},      {"1e", false, 0},
    };
    for (const Case& k : cases) {
        double x = -999;
        EXPECT_EQ(LeggiNumero(k.text, x), k.ok) << k.text;
        if (k.ok) {
            EXPECT_DOUBLE_EQ(x, k.value) << k.text;
        }
    }
    EXPECT_EQ(TestoNumero(2.5), "2,5");
    EXPECT_EQ(TestoNumero(-40), "-40");
    EXPECT_EQ(TestoNumero(0), "0");
}

class ValueConditions : public ::testing::Test {
protected:
    ValueConditions() {
        for (std::size_t t = 0; t < 12; ++t) {
            valori[t] = {0, 1, 2, 5};
            perc[t] = {10, 20, 30, 40};
        }
        set.CollegaSchedina(&valori, &perc);
        set.Collega(nullptr, &ricerca, nullptr);
    }
    template <class T> T& Add(std::uint8_t list) {
        auto item = std::make_unique<T>(&set);
        T& ref = *item;
        set.SlotAs<TListaCondizioni>(list)->Aggiungi(std::move(item));
        return ref;
    }
    TeamGrid valori{};
    TeamGrid perc{};
    T_ImpostazioniRicerca ricerca;
    TInsiemeCondizioni set;
};

TEST_F(ValueConditions, GoalsThroughTheSet) {
    auto& gol = Add<TCondPuntiSquadra>(kCodGruppoPuntiSquadra);
    EXPECT_EQ(set.Slot(kCodGruppoPuntiSquadra)->Nome, "Gruppo Punti Squadra");
    gol.Squadre = Teams({1, 2});
    gol.Gol().Imposta(false, 5, kAmmesso);
    set.Prepara();
    EXPECT_TRUE(set.Accetta(Col("M2 1111111111")));
    EXPECT_FALSE(set.Accetta(Col("M1 1111111111")));
}

TEST_F(ValueConditions, ValuesOnABoundAndPercentagesAtStoredPrecision) {
    auto& v = Add<TCondGruppoValori>(kCodGruppoValori);
    v.Squadre = Teams({1, 2, 3});
    ASSERT_FALSE(RicostruisciIntervalli({{"3", "7"}}, {}, true, {}, v.Intervalli));
    auto& p = Add<TCondPercentuali>(kCodGruppoPercentuali);
    EXPECT_EQ(p.Tipo, kCodPercentuali);
    EXPECT_EQ(p.Nome, "Percentuali");
    p.Squadre = Teams({4, 5, 6});
    // Three signs at 10 % give 0.1 percent, at 20 % 0.8, at 40 % 6.4: each lands on a typed bound.
    ASSERT_FALSE(RicostruisciIntervalli({{"0,1", "0,1"}, {"0,8", "6,4"}}, {}, false, {}, p.Intervalli));
    EXPECT_NE(p.Intervalli.Intervalli[0].Min, 0.1) << "0,1 is not exact in a six-byte real";

    // The table in memory is the table the system file gives back.
    TByteWriter w;
    ASSERT_TRUE(p.Scrivi(w));
    TCondPercentuali back(&set);
    TByteReader r(std::span<const std::uint8_t>(w.Data()).subspan(1));
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_EQ(back.Intervalli.Intervalli, p.Intervalli.Intervalli);

    set.Prepara();
    struct Case {
        const char* column;
        bool accepted;
    };
    const Case cases[] = {
        {"111 000 000000", true},  // values 3 (lower bound), percentages 0.1 (both bounds)
        {"M11 111 000000", true},  // values 7 (upper bound), percentages 0.8 (lower bound)
        {"112 MMM 000000", true},  // values 4, percentages 6.4 (upper bound)
        {"112 M22 000000", true},  // percentages 3.6
        {"MM0 000 000000", false}, // values 10
        {"000 MMM 000000", false}, // values 0
        {"112 100 000000", false}, // percentages 0.2, between the intervals
    };
    for (const Case& k : cases) {
        EXPECT_EQ(set.Accetta(Col(k.column)), k.accepted) << k.column;
    }
}

TEST_F(ValueConditions, EmptyTablesIgnoreRulesAndStatistics) {
    auto& v = Add<TCondGruppoValori>(kCodGruppoValori);
    auto& p = Add<TCondPercentuali>(kCodGruppoPercentuali);
    v.Squadre = Teams({1});
    p.Squadre = Teams({1});
    set.Prepara();
    EXPECT_FALSE(v.Abilitata) << "no interval: not active although switched on";
    EXPECT_FALSE(set.Slot(kCodGruppoValori)->Abilitata);

    ASSERT_FALSE(RicostruisciIntervalli({{"0", "1"}}, {{"5", "5", 1}}, true, {}, v.Intervalli));
    ASSERT_FALSE(RicostruisciIntervalli({{"10", "20"}}, {}, false, {}, p.Intervalli));
    struct Case {
        bool archivio;
        std::uint8_t ignoraValori;
        std::uint8_t ignoraPerc;
        bool valoriOn;
        bool percOn;
    };
    const Case cases[] = {
        {false, 1, 1, true, true},
        {true, 1, 0, false, true},
        {true, 0, 1, true, false},
        {true, 0, 0, true, true},
    };
    for (const Case& k : cases) {
        set.ModoArchivio = k.archivio;
        ricerca.IgnoraValori = k.ignoraValori;
        ricerca.IgnoraPercentuali = k.ignoraPerc;
        set.Prepara();
        EXPECT_EQ(v.Abilitata, k.valoriOn);
        EXPECT_EQ(p.Abilitata, k.percOn);
    }
    set.ModoArchivio = false;
    set.Prepara();

    // Interval index per column; Conta ("Altri") when none holds the measure.
    EXPECT_EQ(v.IndiceIntervallo(v.Misura(Col("000000000000"))), 0);
    EXPECT_EQ(v.IndiceIntervallo(v.Misura(Col("M00000000000"))), 1);
    EXPECT_EQ(v.IndiceIntervallo(v.Misura(Col("200000000000"))), 2);
    v.AzzeraStatistiche();
    for (const char* c : {"000000000000", "100000000000", "200000000000", "M00000000000"}) {
        v.StatisticaColonna(Col(c));
    }
    EXPECT_EQ(v.Archivio.Frequenza(0), 2);
    EXPECT_EQ(v.Archivio.Frequenza(1), 1);
    EXPECT_EQ(v.Archivio.Frequenza(2), 1);
    EXPECT_EQ(v.Analisi.Frequenza(0), 2) << "the admitted ones";
    EXPECT_EQ(v.Analisi.Frequenza(1), 1) << "the recovery at level 1 through A is granted once per column";
    EXPECT_EQ(v.Analisi.Frequenza(2), 0);

    // The recovery interval reports to the link; Valori never reports in Tra mode.
    set.Link().CalcolaLettere();
    EXPECT_EQ(set.Link().LettereUsate, "A");
    TEsameTraLink e(&set);
    e.Esamina(TModoEsame::Tra, 'A', 0);
    EXPECT_TRUE(e.Elementi().empty());
}

TEST(ValueRecords, ExactBytesRoundTripsAndCuts) {
    TCondPuntiSquadra gol(nullptr);
    gol.Attivato = false;
    gol.Squadre = Teams({2, 12});
    gol.Gol().Imposta(false, 0, kAmmesso);
    gol.Gol().Imposta(false, 36, kRecupero, 4);
    gol.Gol().Pt.Link = 'Z';
    gol.Gol().Pt.Tra = 30;
    gol.Gol().ImpostaCampo(1, 12);
    Bytes g = {kCodPuntiSquadra, 0};
    test::PutSezione(g, 36, false, 'Z', 30, {{0, 1, 0}, {36, 2, 4}});
    test::PutSezione(g, 36, false, 'A', 0, {});
    test::Put16(g, 1);
    test::Put16(g, 12);
    g.insert(g.end(), {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    ASSERT_EQ(g.size(), 2 + TCondPuntiSquadra::kDimensionePayload);
    EXPECT_EQ(test::Written(gol), g);

    TCondPercentuali perc(nullptr);
    perc.Squadre = Teams({1, 7});
    perc.Intervalli.Aggiungi(0.5, 2.5, kAmmesso);
    perc.Intervalli.Aggiungi(-3, 0.25, kRecupero, 12);
    perc.Intervalli.Link = 'K';
    Bytes p = {kCodPercentuali, 1};
    test::PutIntervalli(p, {{0.5, 2.5, 1, 0}, {-3, 0.25, 2, 12}}, 'K');
    p.insert(p.end(), {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0});
    ASSERT_EQ(p.size(), 2 + TCondGruppoValori::kDimensionePayload);
    EXPECT_EQ(test::Written(perc), p);

    TCondGruppoValori val(nullptr);
    Bytes v = {kCodValori, 1};
    test::PutIntervalli(v, {}, 'A');
    v.insert(v.end(), 12, 0);
    EXPECT_EQ(test::Written(val), v);

    auto roundTrip = [](const Bytes& bytes, auto fresh) {
        TByteReader r(std::span<const std::uint8_t>(bytes).subspan(1));
        ASSERT_TRUE(fresh->Leggi(r));
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(test::Written(*fresh), bytes);
        for (std::size_t n = 0; n + 1 < bytes.size(); n += 7) {
            TByteReader cut(std::span<const std::uint8_t>(bytes.data() + 1, n));
            auto other = decltype(fresh)(new typename decltype(fresh)::element_type(nullptr));
            const Bytes before = test::Written(*other);
            EXPECT_FALSE(other->Leggi(cut)) << n;
            EXPECT_EQ(test::Written(*other), before) << "a cut record changes nothing";
        }
    };
    roundTrip(g, std::make_unique<TCondPuntiSquadra>(nullptr));
    roundTrip(p, std::make_unique<TCondPercentuali>(nullptr));
    roundTrip(v, std::make_unique<TCondGruppoValori>(nullptr));

    // An interval count above 101 is refused.
    Bytes bad = p;
    bad[2 + 101 * 16] = 102;
    TCondPercentuali b(nullptr);
    TByteReader rb(std::span<const std::uint8_t>(bad).subspan(1));
    EXPECT_FALSE(b.Leggi(rb));

    // The lists through the factory, in a whole record.
    TInsiemeCondizioni set;
    auto& list = *set.SlotAs<TListaCondizioni>(kCodGruppoPercentuali);
    list.Aggiungi(std::make_unique<TCondPercentuali>(&set));
    list.Item(0).Attivato = false;
    const Bytes lb = test::Written(list);
    ASSERT_EQ(lb.size(), 2 + 2 + 1631 + 1);
    EXPECT_EQ(lb[2], kCodPercentuali);
    TInsiemeCondizioni other;
    TByteReader rl(std::span<const std::uint8_t>(lb).subspan(1));
    ASSERT_TRUE(other.Slot(kCodGruppoPercentuali)->Leggi(rl));
    EXPECT_EQ(test::Written(*other.Slot(kCodGruppoPercentuali)), lb);
}

} // namespace
} // namespace tessaline
