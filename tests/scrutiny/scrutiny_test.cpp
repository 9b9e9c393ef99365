#include "scrutiny/scrutiny.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "support/columns.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

using test::Col;

class TFakeConditions : public TEsaminatoreCondizioni {
public:
    std::vector<std::string> CondizioniSbagliate(const Colonna&) override {
        ++calls;
        return {"Segni 0", "Interruzioni"};
    }
    int calls = 0;
};

TEST(Scrutiny, CountersOverTheExpandedSet) {
    const Colonna w = Col("0120M0120M01");
    const struct {
        std::vector<Colonna> set;
        std::array<std::int64_t, 7> counters;
    } cases[] = {
        {{w}, {0, 0, 0, 0, 0, 0, 1}},
        {{Col("1120M0120M01")}, {0, 0, 0, 0, 0, 1, 0}}, // home team of match 1 wrong
        {{Col("1020M0120M01")}, {0, 0, 0, 0, 0, 1, 0}}, // both teams of match 1 wrong
        {{Col("000000000000")}, {1, 0, 0, 0, 0, 0, 0}}, // every match has a wrong team
        {{Col("0021M2100002")}, {1, 0, 0, 0, 0, 0, 0}}, // every away team wrong
        {{w, w, Col("1120M0120M01")}, {0, 0, 0, 0, 0, 1, 2}},
    };
    for (const auto& c : cases) {
        TSpoglio s;
        for (const auto& col : c.set) {
            s.Insieme().Append(col);
        }
        s.Esegui(w, TSistemaSpoglio{false, {}, false, nullptr});
        EXPECT_EQ(s.Contatori(), c.counters);
        EXPECT_TRUE(s.Errori().empty());
    }
    // One column with doubles everywhere stands for 4096 single columns.
    TSpoglio s;
    Colonna doubles;
    doubles.s.fill(kSign0 | kSign1);
    s.Insieme().Append(doubles);
    s.Esegui(Col("000000000000"), TSistemaSpoglio{false, {}, false, nullptr});
    std::int64_t total = 0;
    for (auto n : s.Contatori()) {
        total += n;
    }
    EXPECT_EQ(total, 4096);
    EXPECT_EQ(s.Contatori()[6], 1);
    EXPECT_EQ(s.Contatori()[0], 729); // every match wrong: 3 of 4 pairs in each
    EXPECT_EQ(s.Massimo(), 1458);
    EXPECT_EQ(s.MassimoAsse(), 1458 * 11 / 10);
}

TEST(Scrutiny, BrokenConditionsAndForecast) {
    Pronostico f;
    f.s.fill(kSign0 | kSign1);
    const Colonna inside = Col("010101010101");
    const Colonna outside = Col("01010101010M");
    const struct {
        Colonna winning;
        bool fromForecast;
        bool useConditions;
        std::vector<std::string> errors;
    } cases[] = {
        {inside, true, false, {}},
        {outside, true, false, {"Pronostico"}},
        {outside, false, false, {}},
        {outside, true, true, {"Pronostico", "Segni 0", "Interruzioni"}},
        {inside, true, true, {"Segni 0", "Interruzioni"}},
    };
    for (const auto& c : cases) {
        TFakeConditions conditions;
        TSpoglio s;
        s.Esegui(c.winning, TSistemaSpoglio{c.fromForecast, f, c.useConditions, &conditions});
        EXPECT_EQ(s.Errori(), c.errors);
        EXPECT_EQ(conditions.calls, c.useConditions ? 1 : 0);
    }
}

TEST(Scrutiny, SettingsFromTheSystem) {
    test::TTestHome home;
    T_Sistema system;
    system.dati.Forecast.s.fill(kSign0);
    TFakeConditions conditions;
    const Colonna outside = Col("100000000000");
    const struct {
        std::uint8_t source, useConditions;
        std::vector<std::string> errors;
    } cases[] = {{1, 0, {"Pronostico"}},
                 {1, 1, {"Pronostico", "Segni 0", "Interruzioni"}},
                 {0, 1, {"Segni 0", "Interruzioni"}},
                 {0, 0, {}}};
    for (const auto& c : cases) {
        system.dati.SourceForecast = c.source;
        system.dati.sviluppo.UseConditions = c.useConditions;
        TSpoglio s;
        s.Esegui(outside, SpoglioDelSistema(system, &conditions));
        EXPECT_EQ(s.Errori(), c.errors);
    }
}

TEST(Scrutiny, LoadingFromFileAndMemory) {
    test::TTestHome home;
    TListaColonne three;
    for (const char* t : {"000010000000", "000020000000", "0000M0000000"}) {
        three.Append(Col(t));
    }
    ASSERT_TRUE(three.SaveToFile(home.Path() / "three.col"));
    test::WriteBytes(home.Path() / "empty.col", {});

    TSpoglio s;
    EXPECT_TRUE(s.CaricaDaFile(home.Path() / "three.col", true));
    ASSERT_EQ(s.Insieme().Size(), 1u);
    EXPECT_EQ(s.Insieme()[0][4], kSign1 | kSign2 | kSignM);
    EXPECT_TRUE(s.CaricaDaFile(home.Path() / "three.col", false));
    EXPECT_EQ(s.Insieme().Size(), 3u);
    EXPECT_FALSE(s.CaricaDaFile(home.Path() / "empty.col", true));
    EXPECT_TRUE(s.Insieme().Empty());
    try {
        s.CaricaDaFile(home.Path() / "missing.col", true);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare Il File Colonnare");
    }
    s.CaricaDaMemoria(three, true);
    EXPECT_EQ(s.Insieme().Size(), 1u);
    EXPECT_EQ(three.Size(), 3u); // the store itself is never touched
}

TEST(ScrutinyViewer, CouponsOfThreeAndMarks) {
    const Colonna w = Col("000000000000");
    TListaColonne set;
    const char* cols[] = {"111111111111", "000000000000", "100000000000", "111111111111",
                          "111111111111", "111111111111", "000000000001"};
    for (const char* c : cols) {
        set.Append(Col(c));
    }
    const auto fives = SchedineVincenti(set, w, 5);
    ASSERT_EQ(fives.size(), 2u);
    EXPECT_EQ(fives[0].numero, 1);
    EXPECT_EQ(fives[0].segnate, (std::array<std::uint8_t, 3>{0, 0, 1}));
    EXPECT_EQ(fives[0].usate, 3);
    EXPECT_EQ(fives[1].numero, 3);
    EXPECT_EQ(fives[1].usate, 1);
    EXPECT_EQ(fives[1].segnate, (std::array<std::uint8_t, 3>{1, 0, 0}));
    EXPECT_EQ(fives[1].colonne[0], Col("000000000001"));
    const auto zeros = SchedineVincenti(set, w, 0);
    ASSERT_EQ(zeros.size(), 2u);
    EXPECT_EQ(zeros[1].numero, 2);
    EXPECT_EQ(zeros[1].segnate, (std::array<std::uint8_t, 3>{1, 1, 1}));

    const struct {
        std::array<std::int64_t, 7> counters;
        std::array<bool, 7> enabled;
        int pressed;
    } cases[] = {
        {{5, 0, 0, 0, 0, 0, 0}, {true, false, false, false, false, false, false}, 0},
        {{5, 0, 3, 0, 1, 0, 0}, {true, false, true, false, true, false, false}, 4},
        {{0, 0, 0, 0, 0, 0, 0}, {}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PulsantiAbilitati(c.counters), c.enabled);
        EXPECT_EQ(PulsantePremuto(c.counters), c.pressed);
    }
    const std::pair<std::size_t, int> scroll[] = {{0, 0}, {4, 0}, {5, 1}, {12, 8}};
    for (const auto& [coupons, max] : scroll) {
        EXPECT_EQ(MassimoScorrimento(coupons), max) << coupons;
    }
}

TEST(ScrutinyViewer, ListLinesAndWinningText) {
    const struct {
        const char* text;
        int position;
        const char* shown;
    } lines[] = {{"Pronostico", 1, "Pronostico"},
                 {"Pronostico", 3, "onostico"},
                 {"Pronostico", 10, ""},
                 {"Pronostico", 12, ""},
                 {"A", 1, ""}};
    for (const auto& l : lines) {
        EXPECT_EQ(RigaScorrimento(l.text, l.position), l.shown) << l.text << l.position;
    }
    const struct {
        const char* text;
        bool ok;
    } winning[] = {{"0120M0120M01", true},   {"0 1 2 0 m 0 1 2 0 M 0 1", true}, {"0120M0120M0", false},
                   {"0120M0120M012", false}, {"0120M0120M0*", false},           {"0120X0120M01", false}};
    for (const auto& w : winning) {
        Colonna c;
        EXPECT_EQ(ParseColonnaVincente(w.text, c), w.ok) << w.text;
        if (w.ok) {
            EXPECT_EQ(c, Col("0120M0120M01"));
        }
    }
}

} // namespace
} // namespace tessaline
