#include "tools/column_ops.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

namespace fs = std::filesystem;

using test::Col;

void Save(const fs::path& p, std::initializer_list<const char*> cols) {
    TListaColonne l;
    for (const char* c : cols) {
        l.Append(Col(c));
    }
    ASSERT_TRUE(l.SaveToFile(p));
}

std::vector<Colonna> Load(const fs::path& p) {
    TListaColonne l;
    EXPECT_TRUE(l.LoadFromFile(p, false, nullptr));
    return {l.begin(), l.end()};
}

std::vector<Colonna> Cols(std::initializer_list<const char*> cols) {
    std::vector<Colonna> v;
    for (const char* c : cols) {
        v.push_back(Col(c));
    }
    return v;
}

class TOps : public ::testing::Test {
protected:
    void SetUp() override {
        dir = home.Path();
        Save(dir / "a.col", {"000000000000", "111111111111", "222222222222"});
        Save(dir / "b.col", {"111111111111", "MMMMMMMMMMMM", "000000000000", "MMMMMMMMMMMM"});
        Save(dir / "reduced.col", {"000000000000"});
        // Match 1 differing in both teams is one error; two matches are two.
        Save(dir / "cover.col", {"110000000000", "111100000000", "111111000000", "000000000000"});
    }
    std::string P(const char* name) const { return (dir / name).string(); }
    test::TTestHome home;
    fs::path dir;
};

TEST_F(TOps, SetOperationsAndCoverage) {
    const struct {
        TOperazione op;
        const char* first;
        const char* second;
        const char* message;
        std::vector<Colonna> out;
    } cases[] = {
        {TOperazione::Or, "a.col", "b.col", "Colonne Ottenute : 4",
         Cols({"000000000000", "111111111111", "222222222222", "MMMMMMMMMMMM"})},
        {TOperazione::Or, "a.col", "a.col", "Colonne Ottenute : 3",
         Cols({"000000000000", "111111111111", "222222222222"})},
        {TOperazione::And, "a.col", "b.col", "Colonne Ottenute : 2", Cols({"111111111111", "000000000000"})},
        // XOR: 1 and 0 leave the first list, the first M joins it, the second M finds it and leaves too.
        {TOperazione::Xor, "a.col", "b.col", "Colonne Ottenute : 1", Cols({"222222222222"})},
        {TOperazione::Xor, "a.col", "a.col", "Colonne Ottenute : 0  Nessun File Creato", {}},
        {TOperazione::And, "a.col", "reduced.col", "Colonne Ottenute : 1", Cols({"000000000000"})},
        {TOperazione::CoperturaN1, "reduced.col", "cover.col", "Colonne Scoperte : 2",
         Cols({"111100000000", "111111000000"})},
        {TOperazione::CoperturaN2, "reduced.col", "cover.col", "Colonne Scoperte : 1",
         Cols({"111111000000"})},
        {TOperazione::CoperturaN2, "a.col", "a.col", "Colonne Scoperte : 0  Nessun File Creato", {}},
    };
    for (const auto& c : cases) {
        fs::remove(dir / "out.col");
        const TRisultatoOperazione r = EseguiOperazione(c.op, P(c.first), P(c.second), P("out.col"));
        EXPECT_EQ(r.esito, TEsitoOperazione::Fatto);
        EXPECT_EQ(r.messaggio, c.message);
        EXPECT_EQ(r.colonne, static_cast<std::int64_t>(c.out.size()));
        EXPECT_EQ(r.fileScritto, !c.out.empty());
        if (c.out.empty()) {
            EXPECT_FALSE(fs::exists(dir / "out.col")) << c.message;
        } else {
            EXPECT_EQ(Load(dir / "out.col"), c.out) << c.message;
        }
    }
    // OR of a file with itself leaves it byte for byte.
    EseguiOperazione(TOperazione::Or, P("b.col"), P("b.col"), P("out.col"));
    EXPECT_EQ(Load(dir / "out.col"), Cols({"111111111111", "MMMMMMMMMMMM", "000000000000", "MMMMMMMMMMMM"}));
}

TEST_F(TOps, DamagedAndMissingFiles) {
    // A second file with a stray tail loses its incomplete column.
    auto bytes = test::ReadBytes(dir / "b.col");
    bytes.resize(12 * 2 + 7);
    test::WriteBytes(dir / "short.col", bytes);
    const auto r = EseguiOperazione(TOperazione::And, P("a.col"), P("short.col"), P("out.col"));
    EXPECT_EQ(Load(dir / "out.col"), Cols({"111111111111"}));
    EXPECT_EQ(r.colonne, 1);

    EXPECT_EQ(EseguiOperazione(TOperazione::Or, P("missing.col"), P("a.col"), P("out.col")).esito,
              TEsitoOperazione::PrimoFileIlleggibile);
    try {
        EseguiOperazione(TOperazione::Or, P("a.col"), P("missing.col"), P("out.col"));
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Effettuare le Operazioni Sui File");
    }
    try {
        EseguiOperazione(TOperazione::Or, P("a.col"), P("b.col"), P("no/such/out.col"));
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Effettuare le Operazioni Sui File");
    }
    // An empty second file: OR gives the first file again.
    test::WriteBytes(dir / "empty.col", {});
    EXPECT_EQ(EseguiOperazione(TOperazione::Or, P("a.col"), P("empty.col"), P("out.col")).messaggio,
              "Colonne Ottenute : 3");
}

class TGaugeLog : public TGaugeSink {
public:
    void Gauge(int p) override { shown.push_back(p); }
    std::vector<int> shown;
};

TEST_F(TOps, InterruptWritesNothing) {
    TListaColonne many;
    for (int i = 0; i < 100; ++i) {
        Colonna c = Col("000000000000");
        c[11] = static_cast<SignSet>(1 << (i % 4));
        c[10] = static_cast<SignSet>(1 << (i / 4 % 4));
        many.Append(c);
    }
    ASSERT_TRUE(many.SaveToFile(dir / "many.col"));
    TCancelFlag cancel;
    cancel.Request();
    TGaugeLog gauge;
    const auto r =
        EseguiOperazione(TOperazione::Or, P("a.col"), P("many.col"), P("out.col"), &cancel, &gauge);
    EXPECT_EQ(r.esito, TEsitoOperazione::Interrotto);
    EXPECT_FALSE(fs::exists(dir / "out.col"));
    EXPECT_EQ(gauge.shown.back(), 0);
    // Uninterrupted, the gauge climbs every 20 columns and ends at 100.
    TGaugeLog full;
    EseguiOperazione(TOperazione::Or, P("a.col"), P("many.col"), P("out.col"), nullptr, &full);
    EXPECT_EQ(full.shown, (std::vector<int>{20, 40, 60, 80, 100, 100}));
}

// The reordering as described: insert at the drawn index in a growing list, then move the first
// column to the index drawn last.
std::vector<Colonna> ShuffleByInsertion(std::vector<Colonna> in, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<Colonna> out;
    std::size_t r = 0;
    for (const Colonna& c : in) {
        r = static_cast<std::size_t>(Estrai(rng, out.size()));
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(r), c);
    }
    if (!out.empty()) {
        const Colonna first = out.front();
        out.erase(out.begin());
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(r), first);
    }
    return out;
}

TEST(Shuffle, SameOrderAsInsertion) {
    std::mt19937 gen(3);
    for (std::size_t n : {0u, 1u, 2u, 3u, 7u, 64u, 1000u, 3001u}) {
        for (std::uint64_t seed : {1u, 2u, 99u}) {
            TListaColonne list;
            for (std::size_t i = 0; i < n; ++i) {
                Colonna c;
                for (int t = 0; t < kTeams; ++t) {
                    c[t] = static_cast<SignSet>(1 << (gen() % 4));
                }
                list.Append(c);
            }
            const std::vector<Colonna> expected = ShuffleByInsertion({list.begin(), list.end()}, seed);
            std::mt19937_64 rng(seed);
            DisordinaLista(list, rng);
            ASSERT_EQ(std::vector<Colonna>(list.begin(), list.end()), expected) << n << " " << seed;
        }
    }
    std::mt19937_64 rng(5);
    for (std::uint64_t n : {0u, 1u, 2u, 6u}) {
        for (int i = 0; i < 200; ++i) {
            ASSERT_LE(Estrai(rng, n), n);
        }
    }
}

TEST(Shuffle, FilesSeedsAndFailures) {
    test::TTestHome home;
    const auto dir = home.Path();
    TListaColonne list;
    for (int i = 0; i < 500; ++i) {
        Colonna c{};
        c[0] = static_cast<SignSet>(1 << (i % 4));
        c[1] = static_cast<SignSet>(1 << (i / 4 % 4));
        c[2] = static_cast<SignSet>(1 << (i / 16 % 4));
        c[3] = static_cast<SignSet>(1 << (i / 64 % 4));
        list.Append(c);
    }
    ASSERT_TRUE(list.SaveToFile(dir / "in.col"));
    EXPECT_EQ(Disordina((dir / "in.col").string(), (dir / "o1.col").string(), 42), 500);
    Disordina((dir / "in.col").string(), (dir / "o2.col").string(), 42);
    Disordina((dir / "in.col").string(), (dir / "o3.col").string(), 43);
    const auto o1 = test::ReadBytes(dir / "o1.col");
    EXPECT_EQ(o1, test::ReadBytes(dir / "o2.col"));
    EXPECT_NE(o1, test::ReadBytes(dir / "o3.col"));
    EXPECT_NE(o1, test::ReadBytes(dir / "in.col"));
    // Same columns, another order.
    TListaColonne back;
    ASSERT_TRUE(back.LoadFromFile(dir / "o1.col", false, nullptr));
    std::vector<Colonna> x(back.begin(), back.end()), y(list.begin(), list.end());
    const auto less = [](const Colonna& p, const Colonna& q) { return p.s < q.s; };
    std::sort(x.begin(), x.end(), less);
    std::sort(y.begin(), y.end(), less);
    EXPECT_EQ(x, y);

    test::WriteBytes(dir / "empty.col", {});
    EXPECT_EQ(Disordina((dir / "empty.col").string(), (dir / "eo.col").string(), 1), 0);
    EXPECT_TRUE(fs::exists(dir / "eo.col"));
    EXPECT_EQ(fs::file_size(dir / "eo.col"), 0u);
    for (const auto& [in, out] : {std::pair{"missing.col", "x.col"}, std::pair{"in.col", "no/such/x.col"}}) {
        try {
            Disordina((dir / in).string(), (dir / out).string(), 1);
            FAIL() << in;
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Impossibile Effettuare le Operazioni sul File");
        }
    }
}

} // namespace
} // namespace tessaline
