#include "reduce/guarantee.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <tuple>

#include "core/column_list.h"
#include "core/condition_hook.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "reference/forecast_winning.h"
#include "support/columns.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

using Row = std::array<std::string, 4>;

using test::Col;

Pronostico Forecast(const std::array<const char*, 12>& groups) {
    Pronostico f;
    for (int i = 0; i < kTeams; ++i) {
        f[i] = ParseSigns(groups[static_cast<std::size_t>(i)]);
    }
    return f;
}

TListaColonne List(std::initializer_list<Colonna> cols) {
    TListaColonne l;
    for (const auto& c : cols) {
        l.Append(c);
    }
    return l;
}

Colonna RandomColumn(std::mt19937& rng) {
    Colonna c;
    for (int i = 0; i < kTeams; ++i) {
        c[i] = static_cast<SignSet>(1 << (rng() % 4));
    }
    return c;
}

TParametriGaranzie FromForecast(const TListaColonne& examined, const Pronostico& f, bool e0, bool e1,
                                bool e2) {
    TParametriGaranzie p;
    p.esaminateInMemoria = &examined;
    p.pronostico = [f](int mode, CancelProbe* cancel, const TPassoVincente& step) {
        return reference::ReferenceWinning(f, mode, cancel, step);
    };
    p.colonnePronostico = ColumnsCovered(f);
    p.zeroErrori = e0;
    p.unErrore = e1;
    p.dueErrori = e2;
    return p;
}

TEST(GuaranteeFormat, PictureAndBlankedZeros) {
    const struct {
        double percent;
        char sep;
        const char* text;
    } cases[] = {
        {100.0, ',', "100,000"},
        {5.5, ',', "  5,500"},
        {0.25, ',', "  0,250"},
        {0.0, '.', "  0.000"},
        {12.3456, '.', " 12.346"},
        {10.0, '.', " 10.000"},
        {99.9996, '.', "100.000"},
        {0.0004, ',', "  0,000"},
        {1.0005, '.', "  1.000"}, // 1.0005 is stored just below the half: printf rounds down
        {2.0 / 3.0 * 100.0, ',', " 66,667"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatPercentuale(c.percent, c.sep), c.text) << c.percent;
    }
    // The rounding is printf's on the exact double.
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const double v = static_cast<double>(rng() % 100000000) / 1000000.0;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%07.3f", v);
        std::string expected = buf;
        for (std::size_t k = 0; k + 1 < expected.size() && expected[k] == '0' && expected[k + 1] != '.';
             ++k) {
            expected[k] = ' ';
        }
        ASSERT_EQ(FormatPercentuale(v, '.'), expected) << v;
    }
}

TEST(GuaranteeTable, SubtotalsGroupsAndWidths) {
    const std::vector<T_Vincita> patterns = {
        {2, 1, 0, 0.25}, {3, 1, 0, 0.25}, {0, 2, 0, 0.30}, {0, 0, 1, 0.10}};
    const TTabellaGaranzie t = Aggiorna(patterns, ',');
    const std::vector<Row> expected = {
        {"6 Punti", "5 Punti", "4 Punti", "  Perc %"},
        {"   0", "   1", "   2", "      25,000"},
        {"   0", "   1", "   3", "      25,000"},
        {"-------", "-------", "-------", "Tot.  50,000"},
        {"   0", "   2", "   0", "      30,000"},
        {"-------", "-------", "-------", "Tot.  30,000"},
        {"   1", "   0", "   0", "      10,000"},
        {"-------", "-------", "-------", "Tot.  10,000"},
        {"", "", "", ""},
        {"", "", "", "Tot.  90,000"},
    };
    EXPECT_EQ(t.righe, expected);
    EXPECT_EQ(t.larghezze, (std::array<int, 4>{63, 63, 63, 117}));
    EXPECT_EQ(t.altezzaIntestazione, 18);

    // One group only: no subtotal rows at all.
    const TTabellaGaranzie one = Aggiorna({{1, 0, 0, 0.4}, {2, 0, 0, 0.6}}, '.');
    ASSERT_EQ(one.righe.size(), 5u);
    EXPECT_EQ(one.righe[4][3], "Tot. 100.000");

    // Totals add the unrounded percentages: three thirds make 100.000, not 99.999.
    const double third = 1.0 / 3.0;
    const TTabellaGaranzie thirds = Aggiorna({{0, 0, 1, third}, {0, 1, 0, third}, {1, 0, 0, third}}, '.');
    EXPECT_EQ(thirds.righe.back()[3], "Tot. 100.000");
    EXPECT_EQ(thirds.righe[1][3], "      33.333");

    // Ten patterns in five groups make 17 rows: the narrow column.
    std::vector<T_Vincita> many;
    for (int i = 0; i < 10; ++i) {
        many.push_back({i % 2, 0, i / 2, 0.1});
    }
    EXPECT_EQ(Aggiorna(many, '.').larghezze[3], 102);
    // An empty table: header, empty row and total.
    EXPECT_EQ(Aggiorna({}, '.').righe.size(), 3u);
    EXPECT_EQ(Aggiorna({}, '.').larghezze[3], 117);
    EXPECT_EQ(Aggiorna({}, '.').righe[2][3], "Tot.   0.000");
    EXPECT_EQ(TabellaVuota().righe.size(), 11u);
}

TEST(GuaranteeResults, PatternsOrderedAndCounted) {
    TRisultatiGaranzie r;
    r.IniziaModo(6);
    const std::tuple<int, int, int> inserts[] = {{0, 1, 0}, {3, 0, 1}, {0, 0, 1}, {1, 1, 0}, {0, 1, 0},
                                                 {2, 0, 1}, {0, 0, 1}, {0, 1, 0}, {5, 2, 0}};
    for (const auto& [n4, n5, n6] : inserts) {
        r.AggiungiConsiderata(6);
        r.Registra(6, n4, n5, n6);
    }
    r.AggiungiConsiderata(6); // a winning column with no win at all
    r.Normalizza(6);
    const auto& l = r.Lista(6);
    const std::vector<std::tuple<int, int, int, double>> expected = {
        {0, 1, 0, 0.3}, {1, 1, 0, 0.1}, {5, 2, 0, 0.1}, {0, 0, 1, 0.2}, {2, 0, 1, 0.1}, {3, 0, 1, 0.1}};
    ASSERT_EQ(l.size(), expected.size());
    for (std::size_t i = 0; i < l.size(); ++i) {
        EXPECT_EQ(l[i].n4, std::get<0>(expected[i])) << i;
        EXPECT_EQ(l[i].n5, std::get<1>(expected[i])) << i;
        EXPECT_EQ(l[i].n6, std::get<2>(expected[i])) << i;
        EXPECT_DOUBLE_EQ(l[i].frequenza, std::get<3>(expected[i])) << i;
    }
    // Normalising with nothing considered divides nothing.
    r.IniziaModo(5);
    r.Normalizza(5);
    EXPECT_TRUE(r.Lista(5).empty());
}

TEST(GuaranteeCalcola, SingleColumnForecastAgainstItself) {
    const Pronostico f = Col("0120M0120M01");
    const TListaColonne examined = List({f});
    TRisultatiGaranzie r;
    ASSERT_EQ(Calcola(FromForecast(examined, f, true, false, false), r, nullptr), TEsitoGaranzie::Ok);
    ASSERT_EQ(r.Lista(6).size(), 1u);
    EXPECT_EQ(r.Considerate(6), 1);
    const T_Vincita& v = r.Lista(6)[0];
    EXPECT_EQ(std::tie(v.n4, v.n5, v.n6), std::make_tuple(0, 0, 1));
    const std::vector<Row> rows = {{"6 Punti", "5 Punti", "4 Punti", "  Perc %"},
                                   {"   1", "   0", "   0", "     100,000"},
                                   {"", "", "", ""},
                                   {"", "", "", "Tot. 100,000"}};
    EXPECT_EQ(Aggiorna(r.Lista(6), ',').righe, rows);
    EXPECT_FALSE(r.Calcolata(5));
}

TEST(GuaranteeCalcola, OneErrorNeverGivesSixPoints) {
    const Pronostico f = Forecast({"01", "0", "1", "2", "M", "0", "1", "2", "M", "0", "1", "2"});
    const TListaColonne examined = List({Col("0012M012M012"), Col("1012M012M012")});
    TRisultatiGaranzie r;
    ASSERT_EQ(Calcola(FromForecast(examined, f, false, true, false), r, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(r.Considerate(5), 24);
    double total = 0;
    for (const auto& v : r.Lista(5)) {
        EXPECT_EQ(v.n6, 0);
        total += v.frequenza;
    }
    EXPECT_NEAR(total, 1.0, 1e-12); // every blanked column still gives a 5 or a 4
    EXPECT_FALSE(r.Calcolata(6));
}

TEST(GuaranteeCalcola, WinningColumnsWithoutWinsKeepTotalBelowHundred) {
    const Pronostico f = Forecast({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "012M", "012M"});
    const TListaColonne examined = List({Col("000000000000")});
    TRisultatiGaranzie r;
    ASSERT_EQ(Calcola(FromForecast(examined, f, true, false, false), r, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(r.Considerate(6), 16);
    // Matches 1-5 are right against every winning column: 6 points once, 5 points 15 times.
    ASSERT_EQ(r.Lista(6).size(), 2u);
    EXPECT_DOUBLE_EQ(r.Lista(6)[0].frequenza, 15.0 / 16.0);

    const Pronostico wide = Forecast({"0", "0", "0", "0", "0", "0", "0", "0", "01", "01", "01", "01"});
    ASSERT_EQ(Calcola(FromForecast(examined, wide, true, false, false), r, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(r.Considerate(6), 16);
    const TTabellaGaranzie t = Aggiorna(r.Lista(6), '.');
    // Both last matches wrong (3 of 4 per match -> 9 of 16 columns) gives 4 points; below 4 none.
    EXPECT_EQ(t.righe.back()[3], "Tot. " + FormatPercentuale(100.0, '.'));
    const Pronostico wider = Forecast({"0", "0", "0", "0", "0", "0", "01", "01", "01", "01", "01", "01"});
    ASSERT_EQ(Calcola(FromForecast(examined, wider, true, false, false), r, nullptr), TEsitoGaranzie::Ok);
    double total = 0;
    for (const auto& v : r.Lista(6)) {
        total += v.frequenza;
    }
    EXPECT_LT(total, 1.0);
    EXPECT_EQ(r.Considerate(6), 64);
}

// Patterns counted straight from their definition, as a check on lists, order and shares.
std::map<std::tuple<int, int, int>, double> DirectPatterns(const TListaColonne& examined, const Pronostico& f,
                                                           int mode) {
    std::map<std::tuple<int, int, int>, double> m;
    double n = 0;
    reference::ReferenceWinning(f, mode, nullptr, [&](const Colonna& w) {
        n += 1;
        int c[7] = {};
        for (const Colonna& e : examined) {
            ++c[Points(e, w)];
        }
        if (c[4] + c[5] + c[6] > 0) {
            m[{c[6], c[5], c[4]}] += 1;
        }
    });
    for (auto& [k, v] : m) {
        v /= n;
    }
    return m;
}

TEST(GuaranteeCalcola, MatchesDirectCountInEveryMode) {
    std::mt19937 rng(11);
    const Pronostico f = Forecast({"01", "0", "12", "2", "0M", "0", "1", "2M", "M", "01", "1", "2"});
    TListaColonne examined;
    for (int i = 0; i < 40; ++i) {
        Colonna c = RandomColumn(rng);
        for (int t = 0; t < 6; ++t) {
            c[t] = f[t] & static_cast<SignSet>(-f[t]); // lowest sign: many wins
        }
        examined.Append(c);
    }
    TRisultatiGaranzie r;
    ASSERT_EQ(Calcola(FromForecast(examined, f, true, true, true), r, nullptr), TEsitoGaranzie::Ok);
    for (int mode : kModiGaranzia) {
        const auto direct = DirectPatterns(examined, f, mode);
        const auto& list = r.Lista(mode);
        ASSERT_EQ(list.size(), direct.size()) << mode;
        auto it = direct.begin();
        for (const auto& v : list) {
            EXPECT_EQ(std::make_tuple(v.n6, v.n5, v.n4), it->first) << mode;
            EXPECT_DOUBLE_EQ(v.frequenza, it->second) << mode;
            ++it;
        }
        EXPECT_EQ(r.Considerate(mode), ColumnsCovered(f) * (mode == 6 ? 1 : mode == 5 ? 12 : 66));
    }
}

TEST(GuaranteeCalcola, FromTheSystemForecastAndPairTable) {
    test::TTestHome home;
    std::mt19937 rng(4);
    T_Sistema system;
    system.dati.Forecast = Forecast({"01", "0", "12", "2", "0M", "0", "1", "2", "M", "01", "1", "2"});
    TListaColonne examined;
    for (int i = 0; i < 100; ++i) { // enough single columns for any counting path
        Colonna c = RandomColumn(rng);
        for (int t = 0; t < 8; ++t) {
            c[t] = system.dati.Forecast[t] & static_cast<SignSet>(-system.dati.Forecast[t]);
        }
        examined.Append(c);
    }
    TParametriGaranzie p = FromForecast(examined, system.dati.Forecast, true, true, true);
    TRisultatiGaranzie expected;
    ASSERT_EQ(Calcola(p, expected, nullptr), TEsitoGaranzie::Ok);
    ConfrontoDalPronostico(p, system);
    EXPECT_EQ(p.colonnePronostico, 16);
    TRisultatiGaranzie got;
    ASSERT_EQ(Calcola(p, got, nullptr), TEsitoGaranzie::Ok);
    // The pair table admitting exactly the forecast's pairs gives the same winning columns.
    auto& pairs = system.dati.sviluppo.PairTable;
    for (int m = 0; m < kMatches; ++m) {
        for (int q = 0; q < 16; ++q) {
            const auto [home, away] = PairSigns(q);
            pairs.p[static_cast<std::size_t>(m)][static_cast<std::size_t>(q)] =
                (home & system.dati.Forecast[2 * m]) != 0 && (away & system.dati.Forecast[2 * m + 1]) != 0;
        }
    }
    system.dati.sviluppo.PairMode = 1;
    system.dati.Forecast = {};
    EXPECT_TRUE(PronosticoUsabile(system));
    ConfrontoDalPronostico(p, system);
    EXPECT_EQ(p.colonnePronostico, 16);
    TRisultatiGaranzie paired;
    ASSERT_EQ(Calcola(p, paired, nullptr), TEsitoGaranzie::Ok);
    for (int mode : kModiGaranzia) {
        for (const TRisultatiGaranzie* r : {&got, &paired}) {
            EXPECT_EQ(r->Considerate(mode), expected.Considerate(mode)) << mode;
            ASSERT_EQ(r->Lista(mode).size(), expected.Lista(mode).size()) << mode;
            for (std::size_t i = 0; i < expected.Lista(mode).size(); ++i) {
                const T_Vincita& a = r->Lista(mode)[i];
                const T_Vincita& b = expected.Lista(mode)[i];
                EXPECT_EQ(std::tie(a.n4, a.n5, a.n6), std::tie(b.n4, b.n5, b.n6));
                EXPECT_DOUBLE_EQ(a.frequenza, b.frequenza);
            }
        }
    }
}

class TRejectTeam1Sign1 : public TColumnAcceptor {
public:
    void PrepareRun() override { ++prepared; }
    bool Accept(const Colonna& c) override { return c[0] != kSign1; }
    int prepared = 0;
};

TEST(GuaranteeCalcola, RejectedWinningColumnsLeaveNoTrace) {
    test::TTestHome home;
    const Pronostico f = Forecast({"01", "0", "12", "2", "0", "0", "1", "2", "M", "01", "1", "2"});
    const TListaColonne examined = List({Col("000200012M12"), Col("110200012M02")});
    TRejectTeam1Sign1 acceptor;
    TParametriGaranzie p = FromForecast(examined, f, true, false, false);
    p.condizioni = &acceptor;
    TRisultatiGaranzie withConditions;
    ASSERT_EQ(Calcola(p, withConditions, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(acceptor.prepared, 1);
    // The same as the forecast without the rejected sign.
    TRisultatiGaranzie narrowed;
    Pronostico g = f;
    g[0] = kSign0;
    ASSERT_EQ(Calcola(FromForecast(examined, g, true, false, false), narrowed, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(withConditions.Considerate(6), narrowed.Considerate(6));
    ASSERT_EQ(withConditions.Lista(6).size(), narrowed.Lista(6).size());
    for (std::size_t i = 0; i < narrowed.Lista(6).size(); ++i) {
        EXPECT_DOUBLE_EQ(withConditions.Lista(6)[i].frequenza, narrowed.Lista(6)[i].frequenza);
    }
}

// Grants the press after a number of looks.
class TCancelAfter : public CancelProbe {
public:
    explicit TCancelAfter(long n) : left_(n) {}
    bool Peek() override { return Pending(); }
    bool Take() override {
        const bool p = Pending();
        if (p) {
            taken_ = true;
        }
        return p;
    }

private:
    bool Pending() {
        if (taken_) {
            return false;
        }
        return --left_ < 0;
    }
    long left_;
    bool taken_ = false;
};

TEST(GuaranteeCalcola, InterruptDiscardsEverything) {
    const Pronostico f = Forecast({"01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01"});
    const TListaColonne examined = List({Col("000000000000"), Col("111111111111")});
    for (long after : {0L, 5L, 300L, 8000L}) {
        TCancelAfter cancel(after);
        TRisultatiGaranzie r;
        EXPECT_EQ(Calcola(FromForecast(examined, f, true, true, false), r, &cancel),
                  TEsitoGaranzie::Annullato)
            << after;
        EXPECT_TRUE(r.Lista(6).empty());
        EXPECT_TRUE(r.Lista(5).empty());
        EXPECT_FALSE(r.Calcolata(6));
    }
    // A press during the last stretch (after the enumerator's final look) still cancels.
    const Pronostico one = Col("000000000000");
    long looks = 0;
    {
        TCancelAfter never(1L << 40);
        TRisultatiGaranzie r;
        class TCount : public CancelProbe {
        public:
            explicit TCount(long& n) : n_(n) {}
            bool Peek() override { return ++n_ < 0; }
            bool Take() override { return false; }
            long& n_;
        } counting(looks);
        ASSERT_EQ(Calcola(FromForecast(examined, one, true, false, false), r, &counting), TEsitoGaranzie::Ok);
    }
    TCancelAfter late(looks - 1); // the very last look of the run
    TRisultatiGaranzie r;
    EXPECT_EQ(Calcola(FromForecast(examined, one, true, false, false), r, &late), TEsitoGaranzie::Annullato);
}

class TRecordingPrompt : public UserPrompt {
public:
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override {
        messages.push_back(title + "|" + text + "|" + std::to_string(buttons));
        return BtnOk;
    }
    std::vector<std::string> messages;
};

TEST(GuaranteeCalcola, ComparisonAndExaminedFiles) {
    test::TTestHome home;
    const auto dir = home.Path();
    const TListaColonne cols = List({Col("000000000000"), Col("000000000001"), Col("222222222222")});
    ASSERT_TRUE(cols.SaveToFile(dir / "e.col"));
    std::vector<unsigned char> bytes = test::ReadBytes(dir / "e.col");
    bytes.resize(25); // two columns and one stray byte
    test::WriteBytes(dir / "c.col", bytes);
    test::WriteBytes(dir / "empty.col", {});

    struct Case {
        const char* examined;
        const char* compare;
        TEsitoGaranzie outcome;
        std::int64_t considered;
        std::size_t patterns;
    } cases[] = {
        {"e.col", "c.col", TEsitoGaranzie::Ok, 2, 1}, // both give one 6 and one 5
        {"e.col", "empty.col", TEsitoGaranzie::Ok, 0, 0},
        {"empty.col", "c.col", TEsitoGaranzie::Ok, 2, 0},
        {"missing.col", "c.col", TEsitoGaranzie::ErroreFile, 0, 0},
        {"e.col", "missing.col", TEsitoGaranzie::ErroreFile, 0, 0},
    };
    for (const auto& c : cases) {
        TParametriGaranzie p;
        p.fileEsaminate = dir / c.examined;
        p.confrontoDaFile = true;
        p.fileConfronto = dir / c.compare;
        TRisultatiGaranzie r;
        TRecordingPrompt prompt;
        EXPECT_EQ(Calcola(p, r, nullptr, nullptr, &prompt), c.outcome) << c.examined << c.compare;
        EXPECT_EQ(r.Considerate(6), c.considered) << c.examined << c.compare;
        EXPECT_EQ(r.Lista(6).size(), c.patterns) << c.examined << c.compare;
        if (c.outcome == TEsitoGaranzie::ErroreFile) {
            EXPECT_EQ(prompt.messages,
                      std::vector<std::string>{"Informazione|Impossibile caricare il file|1"});
        } else {
            EXPECT_TRUE(prompt.messages.empty());
            EXPECT_EQ(Aggiorna(r.Lista(6), ',').righe.back()[3],
                      c.patterns == 0 ? "Tot.   0,000" : "Tot. 100,000");
        }
    }
    // Bare names are taken in the column folder.
    std::filesystem::create_directories(dir / "COLONNE");
    std::filesystem::copy_file(dir / "e.col", dir / "COLONNE" / "bare.col");
    TParametriGaranzie p;
    p.fileEsaminate = "bare.col";
    p.confrontoDaFile = true;
    p.fileConfronto = "bare.col";
    TRisultatiGaranzie r;
    ASSERT_EQ(Calcola(p, r, nullptr), TEsitoGaranzie::Ok);
    EXPECT_EQ(r.Considerate(6), 3);
}

TEST(GuaranteeDialog, EnablingRules) {
    struct Case {
        bool mem, pro;     // availability on show
        bool c1, c2, cond; // clicks after show
        bool radioCPro;    // state after show
        bool check0, editE, editC, group, condEnabled, condChecked, speed1, calcola;
        int shown;
    } cases[] = {
        {true, true, false, false, true, true, true, false, false, true, true, true, false, true, 6},
        {true, true, true, false, true, true, true, false, false, true, false, false, true, true, 6},
        {false, true, false, true, false, true, true, true, false, true, false, false, false, true, 6},
        {true, false, true, true, true, false, true, false, true, false, true, true, false, true, 6},
    };
    for (const auto& c : cases) {
        TDialogoGaranzie d;
        d.memoriaDisponibile = c.mem;
        d.pronosticoDisponibile = c.pro;
        d.Mostra();
        d.check1 = c.c1;
        d.check2 = c.c2;
        d.checkCondizioni = c.cond;
        d.Applica();
        EXPECT_EQ(d.radioCPro, c.radioCPro);
        EXPECT_EQ(d.check0, c.check0);
        EXPECT_EQ(d.editEAbilitato, c.editE);
        EXPECT_EQ(d.editCAbilitato, c.editC);
        EXPECT_EQ(d.gruppoErroriAbilitato, c.group);
        EXPECT_EQ(d.condizioniAbilitato, c.condEnabled);
        EXPECT_EQ(d.checkCondizioni, c.condChecked);
        EXPECT_EQ(d.speed1, c.speed1);
        EXPECT_EQ(d.calcolaAbilitato, c.calcola);
        EXPECT_EQ(d.ModoDaMostrare(), c.shown);
    }
    TDialogoGaranzie d;
    d.memoriaDisponibile = d.pronosticoDisponibile = true;
    d.Mostra();
    d.check0 = false;
    d.Applica();
    EXPECT_FALSE(d.calcolaAbilitato);
    d.check2 = true;
    d.Applica();
    EXPECT_TRUE(d.calcolaAbilitato);
    EXPECT_EQ(d.ModoDaMostrare(), 4);
}

TEST(GuaranteeDialog, ForecastUsable) {
    PairTable pairs{};
    const struct {
        const char* forecast;
        bool pairMode;
        bool usable;
    } cases[] = {
        {"012M01******", false, true},
        {"012M0*******", false, false},
        {"0*1201201201", false, false},
        {"************", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PronosticoUsabile(Col(c.forecast), pairs, c.pairMode), c.usable) << c.forecast;
    }
    for (auto& m : pairs.p) {
        m[5] = 1;
    }
    EXPECT_TRUE(PronosticoUsabile(Col("************"), pairs, true));
}

} // namespace
} // namespace tessaline
