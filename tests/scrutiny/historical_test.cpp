#include "scrutiny/historical.h"

#include <gtest/gtest.h>

#include "archive/contest_archive.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

using test::Col;

// Two columns, all "0" (A) and all "1" (B), against five admitted contests and one that is not:
//   c1 = A          A 6, B 0
//   c2 = B          A 0, B 6
//   c3 = all "2"    A 0, B 0
//   c4 = A, team 1 "1"   A 5, B 0 (match 1 wrong on the away team)
//   c5 = all "2"    A 0, B 0
// 6 points: hits in c1, c2 -> 2 contests, delays 0 0 1 2 3: current 3, longest 3,
//   cycle 5 / 2 = 2.5, convenience 2 / 5 * 3 = 1.2 (highlighted).
// 5 points: hit in c4 -> delays 1 2 3 0 1: current 1, longest 3, cycle 5, convenience 0.2.
// 0 points: hits everywhere, total 1 + 1 + 2 + 1 + 2 = 7, cycle 1, delays 0, convenience 0.
// 1 to 4 points: never; delay 5, longest 5, cycle "0", convenience 0.
std::vector<TConcorsoStorico> Archive() {
    return {
        {2, 9, 2019, Col("000000000000")}, // basket: not admitted
        {1, 1, 2020, Col("000000000000")}, {1, 2, 2020, Col("111111111111")},
        {1, 3, 2020, Col("222222222222")}, {1, 4, 2020, Col("100000000000")},
        {2, 5, 2020, Col("222222222222")},
    };
}

TEST(HistoricalScrutiny, HandWorkedArchive) {
    TSpoglioStorico s;
    TListaColonne set;
    set.Append(Col("000000000000"));
    set.Append(Col("111111111111"));
    s.CaricaDaMemoria(set);
    const auto admitted = [](const TConcorsoStorico& c) { return c.anno >= 2020; };
    ASSERT_TRUE(s.Elabora(Archive(), admitted));
    EXPECT_EQ(s.Esaminati(), 5);

    const struct {
        std::int64_t total, contests, delay, longest;
        double cycle, convenience;
        bool highlighted;
    } expected[7] = {
        {7, 5, 0, 0, 1.0, 0.0, false}, {0, 0, 5, 5, 0.0, 0.0, false}, {0, 0, 5, 5, 0.0, 0.0, false},
        {0, 0, 5, 5, 0.0, 0.0, false}, {0, 0, 5, 5, 0.0, 0.0, false}, {1, 1, 1, 3, 5.0, 0.2, false},
        {2, 2, 3, 3, 2.5, 1.2, true},
    };
    for (std::size_t p = 0; p < 7; ++p) {
        const TRigaStorico& r = s.Riepilogo()[p];
        EXPECT_EQ(r.punti, static_cast<int>(p));
        EXPECT_EQ(r.totale, expected[p].total) << p;
        EXPECT_EQ(r.concorsi, expected[p].contests) << p;
        EXPECT_EQ(r.ritardo, expected[p].delay) << p;
        EXPECT_EQ(r.ritardoMax, expected[p].longest) << p;
        EXPECT_DOUBLE_EQ(r.cicloMedio, expected[p].cycle) << p;
        EXPECT_NEAR(r.convenienza, expected[p].convenience, 1e-12) << p;
        EXPECT_EQ(r.evidenziata, expected[p].highlighted) << p;
    }
    const auto table = s.TabellaGenerale(',');
    EXPECT_EQ(table[6], (std::array<std::string, 6>{"6", "2", "2,50", "3", "3", "1,20"}));
    EXPECT_EQ(table[5], (std::array<std::string, 6>{"5", "1", "5,00", "1", "3", "0,20"}));
    EXPECT_EQ(table[1], (std::array<std::string, 6>{"1", "0", "0", "5", "5", "0,00"}));
    EXPECT_EQ(table[0], (std::array<std::string, 6>{"0", "7", "1,00", "0", "0", "0,00"}));

    ASSERT_EQ(s.RigheConcorsi().size(), 5u);
    EXPECT_EQ(s.RigheConcorsi()[0], (std::array<std::string, 10>{"  1", " 2020", "Calcio", " 1", " 0", " 0",
                                                                 " 0", " 0", " 0", " 1"}));
    EXPECT_EQ(s.RigheConcorsi()[3], (std::array<std::string, 10>{"  4", " 2020", "Calcio", " 0", " 1", " 0",
                                                                 " 0", " 0", " 0", " 1"}));
    EXPECT_EQ(s.RigheConcorsi()[4][2], "Basket");
    EXPECT_EQ(s.RigheConcorsi()[4][9], " 2");
    EXPECT_EQ(s.EtichettaColonne(), "2");
    EXPECT_EQ(s.EtichettaRisultati(), "Risultati del confronto con le 5 colonne dell'archivio");

    // Saving a selection: columns that reached one of the selected points in some contest.
    const struct {
        std::array<bool, 7> selected;
        std::vector<Colonna> columns;
    } selections[] = {
        {{false, false, false, false, false, true, false}, {Col("000000000000")}},
        {{false, false, false, false, false, false, true}, {Col("000000000000"), Col("111111111111")}},
        {{false, true, true, true, true, false, false}, {}},
    };
    for (const auto& sel : selections) {
        const TListaColonne got = s.Selezione(sel.selected);
        EXPECT_EQ(std::vector<Colonna>(got.begin(), got.end()), sel.columns);
    }
}

TEST(HistoricalScrutiny, ContestArchiveAndRange) {
    T_Archivio archive;
    for (const TConcorsoStorico& c : Archive()) {
        T_Concorso k;
        k.Tipo = c.tipo;
        k.Numero = c.numero;
        k.Anno = c.anno;
        k.ColonnaVincente = c.vincente;
        k.AggiornaCompleto();
        archive.Concorsi().push_back(k);
    }
    archive.Concorsi()[2].ColonnaVincente[4] = 0; // one unknown sign
    archive.Concorsi()[2].AggiornaCompleto();
    TSpoglioStorico s;
    TListaColonne set;
    set.Append(Col("000000000000"));
    set.Append(Col("111111111111"));
    s.CaricaDaMemoria(set);
    T_IntervalloConcorsi range;
    ASSERT_TRUE(archive.IntervalloCompleto(range));
    // Filtra: only complete football contests, so not the first, the third (incomplete) nor the last.
    ASSERT_TRUE(s.Elabora(archive, range));
    EXPECT_EQ(s.Esaminati(), 3);
    EXPECT_EQ(s.Riepilogo()[6].concorsi, 1);
    range.Filtra = 0;
    range.AnnoDa = 2020;
    range.NumeroDa = 2;
    ASSERT_TRUE(s.Elabora(archive, range));
    EXPECT_EQ(s.Esaminati(), 4);
    EXPECT_EQ(s.RigheConcorsi()[0][0], "  2");
}

TEST(HistoricalScrutiny, NoContestsAndLargeCounts) {
    TSpoglioStorico s;
    TListaColonne set;
    for (int i = 0; i < 12; ++i) {
        set.Append(Col("000000000000"));
    }
    s.CaricaDaMemoria(set);
    ASSERT_TRUE(s.Elabora({}, nullptr));
    EXPECT_EQ(s.Esaminati(), 0);
    for (const auto& row : s.TabellaGenerale('.')) {
        EXPECT_EQ(row[2], "0");
        EXPECT_EQ(row[5], "0");
    }
    const std::vector<TConcorsoStorico> one = {{1, 1, 2021, Col("000000000000")}};
    ASSERT_TRUE(s.Elabora(one, nullptr));
    EXPECT_EQ(s.RigheConcorsi()[0][3], "12"); // two digits need no blank
    EXPECT_EQ(s.Riepilogo()[6].totale, 12);
}

class TGaugeLog : public TAnalProgress {
public:
    void Gauge(int p) override { shown.push_back(p); }
    std::vector<int> shown;
};

TEST(HistoricalScrutiny, ProgressAndCancel) {
    TGaugeLog log;
    {
        TAnalProgressModel m(&log, 1); // total 0: no division by zero
        m.Avanza();
    }
    EXPECT_EQ(log.shown, (std::vector<int>{0, 100}));
    log.shown.clear();
    TAnalProgressModel m(&log, 11); // total 10: 10, 20 ... each more than 2 above
    for (int i = 0; i < 11; ++i) {
        m.Avanza();
    }
    EXPECT_EQ(log.shown, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110}));

    TSpoglioStorico s;
    TListaColonne set;
    set.Append(Col("000000000000"));
    s.CaricaDaMemoria(set);
    TCancelFlag cancel;
    cancel.Request();
    EXPECT_FALSE(s.Elabora(Archive(), nullptr, &cancel));
    EXPECT_EQ(s.Esaminati(), 0);
}

class TAnswer : public UserPrompt {
public:
    explicit TAnswer(int answer) : answer_(answer) {}
    int ShowMessage(const std::string&, const std::string& text, int) override {
        texts.push_back(text);
        return answer_;
    }
    std::vector<std::string> texts;

private:
    int answer_;
};

TEST(HistoricalScrutiny, SaveSelection) {
    test::TTestHome home;
    TSpoglioStorico s;
    TListaColonne set;
    set.Append(Col("000000000000"));
    set.Append(Col("111111111111"));
    s.CaricaDaMemoria(set);
    ASSERT_TRUE(s.Elabora(Archive(), nullptr));
    const auto path = home.Path() / "sel.col";
    std::array<bool, 7> none{};
    TAnswer yes(BtnSi);
    EXPECT_FALSE(s.Salva(none, path, &yes));
    EXPECT_EQ(yes.texts, std::vector<std::string>{"E' necessario selezionare almeno un punteggio."});
    std::array<bool, 7> five{};
    five[5] = true;
    ASSERT_TRUE(s.Salva(five, path, &yes));
    EXPECT_EQ(test::ReadBytes(path).size(), 12u);
    TAnswer no(BtnNo);
    std::array<bool, 7> six{};
    six[6] = true;
    EXPECT_FALSE(s.Salva(six, path, &no));
    EXPECT_EQ(no.texts, std::vector<std::string>{"Il file esiste già. Vuoi sovrascriverlo ? "});
    EXPECT_EQ(test::ReadBytes(path).size(), 12u);
    ASSERT_TRUE(s.Salva(six, path, &yes));
    EXPECT_EQ(test::ReadBytes(path).size(), 24u);
    try {
        s.Salva(six, home.Path() / "no" / "such" / "x.col", &yes);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile salvare le colonne");
    }
    try {
        s.CaricaDaFile(home.Path() / "missing.col");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare Il File Colonnare");
    }
}

} // namespace
} // namespace tessaline
