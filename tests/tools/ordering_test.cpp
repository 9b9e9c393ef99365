#include "tools/ordering.h"

#include <gtest/gtest.h>
#include <random>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

using test::Col;

TeamGrid Percentages() {
    TeamGrid g{};
    for (auto& row : g) {
        row = {40, 30, 20, 10};
    }
    g[11] = {0, 50, 50, 0};
    return g;
}

TEST(Ordering, ProbabilityOfAColumn) {
    const TeamGrid g = Percentages();
    Colonna multi = Col("000000000001");
    multi[0] = kSign0 | kSign1;
    const struct {
        Colonna c;
        double p;
    } cases[] = {
        {Col("000000000001"), 100.0 * std::pow(0.4, 11) * 0.5},
        {Col("000000000000"), 0.0},               // a sign at 0 %
        {multi, 100.0 * std::pow(0.4, 10) * 0.5}, // a multi-sign team keeps the value
        {Col("MMMMMMMMMMM2"), 100.0 * std::pow(0.1, 11) * 0.5},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ProbabilitaColonna(c.c, g), c.p, 1e-15 * std::max(1.0, c.p));
    }
    Colonna allMulti;
    allMulti.s.fill(kAllSigns);
    EXPECT_EQ(ProbabilitaColonna(allMulti, g), 100.0);
}

// Insertion before the first entry whose probability is greater than or equal to the new one.
std::vector<TColProb> OrderByInsertion(const TListaColonne& source, const TeamGrid& g) {
    std::vector<TColProb> out;
    for (const Colonna& c : source) {
        const double p = ProbabilitaColonna(c, g);
        auto it = out.begin();
        while (it != out.end() && it->probabilita < p) {
            ++it;
        }
        out.insert(it, {c, p});
    }
    return out;
}

TEST(Ordering, SameOrderAsInsertion) {
    std::mt19937 rng(9);
    TeamGrid g = Percentages();
    g[3] = {25, 25, 25, 25}; // many ties
    TListaColonne source;
    for (int i = 0; i < 3000; ++i) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            c[t] = static_cast<SignSet>(t < 9 ? kSign1 : 1 << (rng() % 4));
        }
        if (i % 7 == 0) {
            c[5] = kSign0 | kSign2;
        }
        source.Append(c);
    }
    const auto expected = OrderByInsertion(source, g);
    const auto got = OrdinaColonne(source, g);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].colonna, expected[i].colonna) << i;
        ASSERT_EQ(got[i].probabilita, expected[i].probabilita) << i;
    }
    // Among equals the later column stands first.
    TListaColonne twins;
    twins.Append(Col("111111111111"));
    twins.Append(Col("222222222221"));
    twins.Append(Col("000000000000"));
    g = TeamGrid{};
    for (auto& row : g) {
        row = {0, 50, 50, 0};
    }
    const auto sorted = OrdinaColonne(twins, g);
    EXPECT_EQ(sorted[0].colonna, Col("000000000000"));
    EXPECT_EQ(sorted[1].colonna, Col("222222222221"));
    EXPECT_EQ(sorted[2].colonna, Col("111111111111"));
}

TEST(Ordering, RangeCountersAndBar) {
    const struct {
        std::int64_t n, setMin, setMax;
        std::int64_t min, max, finali, filtrate;
        int barStart, barWidth;
    } cases[] = {
        {10, 1, 10, 1, 10, 10, 0, 0, 188}, {10, 4, 4, 4, 4, 1, 9, 56, 19},
        {10, 8, 3, 3, 3, 1, 9, 37, 19},    {3, 2, 3, 2, 3, 2, 1, 62, 126}, // the bar ends at 188
        {7, 0, 99, 1, 7, 7, 0, 0, 188},    {0, 1, 1, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TIntervalloOrdinamento r(c.n);
        r.ImpostaMax(c.setMax);
        r.ImpostaMin(c.setMin);
        EXPECT_EQ(r.Min(), c.min) << c.n << " " << c.setMin << " " << c.setMax;
        EXPECT_EQ(r.Max(), c.max);
        EXPECT_EQ(r.Iniziali(), c.n);
        EXPECT_EQ(r.Finali(), c.finali);
        EXPECT_EQ(r.Filtrate(), c.filtrate);
        EXPECT_EQ(r.BarraInizio(), c.barStart);
        EXPECT_EQ(r.BarraLarghezza(), c.barWidth);
    }
    TIntervalloOrdinamento r(10);
    r.ImpostaMin(6);
    r.ImpostaMax(2); // raised to SpinMin
    EXPECT_EQ(r.Max(), 6);
}

class TAnswer : public UserPrompt {
public:
    explicit TAnswer(int a) : a_(a) {}
    int ShowMessage(const std::string&, const std::string& text, int) override {
        texts.push_back(text);
        return a_;
    }
    std::vector<std::string> texts;

private:
    int a_;
};

TEST(Ordering, SaveAndInsert) {
    test::TTestHome home;
    TListaColonne source;
    for (const char* t : {"000000000001", "111111111111", "222222222222", "MMMMMMMMMMMM"}) {
        source.Append(Col(t));
    }
    const auto sorted = OrdinaColonne(source, Percentages());
    // Ascending: the two columns with a 0 % sign first (later first), then 2…2, then 0…01.
    const auto path = home.Path() / "o.col";
    TAnswer yes(BtnSi);
    ASSERT_TRUE(SalvaIntervallo(sorted, 2, 2, path, &yes));
    EXPECT_TRUE(yes.texts.empty());
    auto bytes = test::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 12),
              std::vector<unsigned char>(sorted[1].colonna.s.begin(), sorted[1].colonna.s.end()));
    TAnswer no(BtnNo);
    EXPECT_FALSE(SalvaIntervallo(sorted, 1, 4, path, &no));
    EXPECT_EQ(no.texts, std::vector<std::string>{"Il File è già Presente su Disco. Vuoi Sovrascriverlo"});
    EXPECT_EQ(test::ReadBytes(path).size(), 12u);
    ASSERT_TRUE(SalvaIntervallo(sorted, 1, 4, path, &yes));
    EXPECT_EQ(test::ReadBytes(path).size(), 48u);
    try {
        SalvaIntervallo(sorted, 1, 4, home.Path() / "no" / "x.col", &yes);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Errore Durante la Scrittura del File Colonnare");
    }
    TListaColonne memory;
    memory.Append(Col("000000000000"));
    InserisciInMemoria(sorted, 2, 3, memory);
    ASSERT_EQ(memory.Size(), 2u);
    EXPECT_EQ(memory[0], sorted[1].colonna);
    EXPECT_EQ(memory[1], sorted[2].colonna);
}

} // namespace
} // namespace tessaline
