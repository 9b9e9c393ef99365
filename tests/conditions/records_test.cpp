#include <gtest/gtest.h>

#include <cmath>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::TableBytes;
using test::TSectionSpec;

std::vector<std::uint8_t> Record(const TCondizione& c) {
    TByteWriter w;
    EXPECT_TRUE(c.Scrivi(w));
    return w.Data();
}

// Reads a whole record (type byte first) into a new condition of that code.
std::unique_ptr<TCondizione> ReadBack(const std::vector<std::uint8_t>& bytes, TInsiemeCondizioni* owner) {
    TByteReader r(bytes);
    std::uint8_t code = 0;
    if (!r.U8(code)) {
        return nullptr;
    }
    auto c = CreaCondizione(code, owner);
    if (c == nullptr || !c->Leggi(r) || !r.AtEnd()) {
        return nullptr;
    }
    return c;
}

TEST(Records, ValueTableLayout) {
    for (const int n : {6, 11, 12, 36, 99}) {
        TTabellaPunti t(n, true);
        TByteWriter w;
        t.Scrivi(w);
        EXPECT_EQ(w.Size(), static_cast<std::size_t>(4 * n + 28)) << n;
        EXPECT_EQ(t.DimensioneRecord(), w.Size());
        EXPECT_EQ(w.Data(), test::EmptyTableBytes(n)) << n;
    }
    TTabellaPunti t(6, true);
    t.Imposta(false, 0, kAmmesso);
    t.Imposta(false, 6, kRecupero, 7);
    t.Imposta(false, 7, kAmmesso); // above N: ignored
    t.Imposta(true, 2, kRecupero, 99);
    t.Pt.Link = 'C';
    t.Pt.Tra = 30;
    t.Cs.Link = 'Z';
    t.Cs.Tra = 1;
    t.ImpostaCampo(3, 9);
    t.AggiornaStato(true);
    TByteWriter w;
    t.Scrivi(w);
    const auto expected = TableBytes(6, TSectionSpec{1, 'C', 30, {{0, {1, 0}}, {6, {2, 7}}}},
                                     TSectionSpec{1, 'Z', 1, {{2, {2, 99}}}}, 3, 9);
    EXPECT_EQ(w.Data(), expected);

    TTabellaPunti back(6, true);
    TByteReader r(w.Data());
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_TRUE(back.SameContent(t));

    // Corrupted fields are brought back into range; entries above N are dropped.
    auto bad = TableBytes(6, TSectionSpec{1, '#', 31, {{8, {1, 0}}, {1, {1, 0}}}}, TSectionSpec{}, -5, 40);
    TTabellaPunti b(6, true);
    TByteReader rb(bad);
    ASSERT_TRUE(b.Leggi(rb));
    EXPECT_EQ(b.Pt.Link, 'A');
    EXPECT_EQ(b.Pt.Tra, 0);
    EXPECT_EQ(b.Pt.Voci[8].Stato, 0);
    EXPECT_EQ(b.Pt.Voci[1].Stato, 1);
    EXPECT_EQ(b.CampoMin, 1);
    EXPECT_EQ(b.CampoMax, 12);
    // Every shorter copy fails.
    for (std::size_t len = 0; len < expected.size(); ++len) {
        TTabellaPunti s(6, true);
        TByteReader rs(std::span<const std::uint8_t>(expected.data(), len));
        EXPECT_FALSE(s.Leggi(rs)) << len;
    }
}

TEST(Records, SixByteReal) {
    const struct {
        double x;
        std::array<std::uint8_t, 6> bytes;
    } cases[] = {
        {0.0, {0, 0, 0, 0, 0, 0}},
        {1.0, {129, 0, 0, 0, 0, 0}},
        {3.0, {130, 0, 0, 0, 0, 0x40}},
        {-0.75, {128, 0, 0, 0, 0, 0xC0}},
        {-1.0, {129, 0, 0, 0, 0, 0x80}},
        {100.0, {135, 0, 0, 0, 0, 0x48}}, // 1.5625 * 2^6
        {0.1, {125, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}},
        {-2.5, {130, 0, 0, 0, 0, 0xA0}},
    };
    for (const auto& c : cases) {
        TByteWriter w;
        ScriviReal48(w, c.x);
        EXPECT_EQ(w.Data(), std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end())) << c.x;
        double back = 99;
        TByteReader r(w.Data());
        ASSERT_TRUE(LeggiReal48(r, back));
        EXPECT_NEAR(back, c.x, std::fabs(c.x) * 1e-11) << c.x;
    }
    // Exact for values with few significant bits; a second trip changes nothing.
    for (const double x : {12.125, -40.0, 1e-20, 123456.789, -0.001}) {
        TByteWriter w;
        ScriviReal48(w, x);
        double back = 0;
        TByteReader r(w.Data());
        ASSERT_TRUE(LeggiReal48(r, back));
        TByteWriter w2;
        ScriviReal48(w2, back);
        EXPECT_EQ(w.Data(), w2.Data()) << x;
        EXPECT_NEAR(back, x, std::fabs(x) * 1e-11);
    }
    TByteReader shortRead(std::span<const std::uint8_t>(cases[1].bytes.data(), 5));
    double x = 0;
    EXPECT_FALSE(LeggiReal48(shortRead, x));
}

TEST(Records, IntervalTableLayout) {
    TTabellaIntervalli t;
    ASSERT_TRUE(t.Aggiungi(0, 3.0, 1));
    ASSERT_TRUE(t.Aggiungi(-2.5, -1.0, 2, 12));
    t.Link = 'Q';
    TByteWriter w;
    t.Scrivi(w);
    ASSERT_EQ(w.Size(), TTabellaIntervalli::kDimensioneRecord);
    std::vector<std::uint8_t> expected(1619, 0);
    auto put = [&](std::size_t at, std::initializer_list<std::uint8_t> b) {
        for (const std::uint8_t v : b) {
            expected[at++] = v;
        }
    };
    put(0, {0, 0, 0, 0, 0, 0});       // slot 0 lower 0
    put(6, {130, 0, 0, 0, 0, 0x40});  // upper 3
    put(12, {1, 0, 0, 0});            // state 1, level 0
    put(16, {130, 0, 0, 0, 0, 0xA0}); // slot 1 lower -2.5
    put(22, {129, 0, 0, 0, 0, 0x80}); // upper -1
    put(28, {2, 0, 12, 0});           // state 2, level 12
    put(1616, {2, 0, 'Q'});           // Conta, Link
    EXPECT_EQ(w.Data(), expected);

    TTabellaIntervalli back;
    TByteReader r(w.Data());
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_EQ(back.Conta, 2);
    EXPECT_EQ(back.Intervalli, t.Intervalli);
    EXPECT_EQ(back.Link, 'Q');

    // A count past 101 and a short copy fail; slots past the count are not kept.
    auto bad = expected;
    bad[1616] = 102;
    TByteReader rb(bad);
    EXPECT_FALSE(TTabellaIntervalli{}.Leggi(rb));
    auto extra = expected;
    extra[1616] = 1;
    TTabellaIntervalli one;
    TByteReader re(extra);
    ASSERT_TRUE(one.Leggi(re));
    EXPECT_EQ(one.Intervalli[1], TIntervallo{});
    TByteReader rs(std::span<const std::uint8_t>(expected.data(), 1618));
    EXPECT_FALSE(TTabellaIntervalli{}.Leggi(rs));
}

TEST(Records, FamilyRecordSizesAndDefaultBytes) {
    TInsiemeCondizioni set;
    const struct {
        std::uint8_t code;
        std::vector<int> tables; // N of each table, in stored order
        std::size_t size;
    } cases[] = {
        {kCodNumeroSegni, {12, 12, 12, 12}, 306},  {kCodPariDispari, {6, 12}, 130},
        {kCodVortice, {12, 12, 12, 12}, 306},      {kCodSimmetrie, {6, 6, 12}, 182},
        {kCodInterruzioni, {11, 6, 6, 6, 6}, 282}, {kCodRipetizioni, {12, 12}, 154},
    };
    for (const auto& c : cases) {
        auto cond = CreaCondizione(c.code, &set);
        ASSERT_NE(cond, nullptr);
        std::vector<std::uint8_t> expected = {c.code, 1};
        for (const int n : c.tables) {
            const auto t = test::EmptyTableBytes(n);
            expected.insert(expected.end(), t.begin(), t.end());
        }
        EXPECT_EQ(expected.size(), c.size);
        EXPECT_EQ(Record(*cond), expected) << int(c.code);
    }
    // Items: Risultati (type, Attivato, 6 results, "Punti" N 6) and Consecutività (sign, two N 12).
    std::vector<std::uint8_t> ris = {kCodRisultati, 1, 0, 0, 0, 0, 0, 0};
    const auto t6 = test::EmptyTableBytes(6);
    ris.insert(ris.end(), t6.begin(), t6.end());
    EXPECT_EQ(ris.size(), 60u);
    EXPECT_EQ(Record(*CreaCondizione(kCodRisultati, &set)), ris);
    std::vector<std::uint8_t> cons = {kCodConsecutivita, 1, 1};
    const auto t12 = test::EmptyTableBytes(12);
    cons.insert(cons.end(), t12.begin(), t12.end());
    cons.insert(cons.end(), t12.begin(), t12.end());
    EXPECT_EQ(cons.size(), 155u);
    EXPECT_EQ(Record(*CreaCondizione(kCodConsecutivita, &set)), cons);

    // Lists: type, Attivato, each item's record, end byte 100.
    auto list = CreaCondizione(kCodGruppoConsecutivita, &set);
    EXPECT_EQ(Record(*list), (std::vector<std::uint8_t>{7, 1, 100}));
    auto* l = dynamic_cast<TListaCondizioni*>(list.get());
    l->Aggiungi(CreaCondizione(kCodConsecutivita, &set));
    l->Aggiungi(CreaCondizione(kCodConsecutivita, &set));
    l->Attivato = false;
    std::vector<std::uint8_t> expected = {7, 0};
    expected.insert(expected.end(), cons.begin(), cons.end());
    expected.insert(expected.end(), cons.begin(), cons.end());
    expected.push_back(100);
    EXPECT_EQ(Record(*list), expected);
    EXPECT_EQ(Record(*CreaCondizione(kCodGruppoRisultati, &set)), (std::vector<std::uint8_t>{14, 1, 100}));

    // The link: 26 letter tables and the total's, N 99.
    TByteWriter w;
    set.Link().Scrivi(w);
    EXPECT_EQ(w.Size(), 11448u);
    std::vector<std::uint8_t> link;
    for (int i = 0; i < 27; ++i) {
        const auto t = test::EmptyTableBytes(99);
        link.insert(link.end(), t.begin(), t.end());
    }
    EXPECT_EQ(w.Data(), link);
}

TEST(Records, FactoryBuildsOnlyWhatExists) {
    TInsiemeCondizioni set;
    const struct {
        std::uint8_t code;
        const char* nome;
    } built[] = {{1, "Numero Di Segni"},
                 {2, "Pari e Dispari"},
                 {3, "Vortice"},
                 {4, "Simmetrie"},
                 {5, "Interruzioni"},
                 {6, "Ripetizioni"},
                 {7, "Gruppo Consecutività"},
                 {8, "Gruppo Sequele"},
                 {9, "Gruppo Punti Squadra"},
                 {10, "Gruppo Valori"},
                 {11, "Gruppo Percentuali"},
                 {12, "Gruppo Col. Filtro"},
                 {13, "Quadro"},
                 {14, "Gruppo Risultati"},
                 {15, "Punti Tra"},
                 {34, "Sequele"},
                 {35, "Punti Squadra"},
                 {36, "Valori"},
                 {37, "Percentuali"},
                 {38, "Consecutività"},
                 {39, "Colonna Filtro"},
                 {40, "Risultati"}};
    for (const auto& b : built) {
        auto c = CreaCondizione(b.code, &set);
        ASSERT_NE(c, nullptr) << int(b.code);
        EXPECT_EQ(c->Tipo, b.code);
        EXPECT_EQ(c->Nome, b.nome);
        EXPECT_TRUE(c->Attivato);
        EXPECT_FALSE(c->Abilitata);
        EXPECT_FALSE(c->Selezionato);
    }
    for (const int code : {0, 16, 33, 41, 99, 100, 255}) {
        EXPECT_EQ(CreaCondizione(static_cast<std::uint8_t>(code), &set), nullptr) << code;
    }
    // One default condition per slot, its code equal to the slot.
    for (int i = 1; i <= 15; ++i) {
        ASSERT_NE(set.Slot(i), nullptr) << i;
        EXPECT_EQ(set.Slot(i)->Tipo, i);
    }
}

// Non-default content for every family, written, read back and written again.
TEST(Records, RoundTripOfEveryFamily) {
    TInsiemeCondizioni set;
    std::uint32_t seed = 7;
    auto rnd = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    auto fill = [&](TTabellaPunti& t) {
        for (int v = 0; v <= t.N(); ++v) {
            const int s = rnd(3);
            t.Imposta(false, v, static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(1 + rnd(99)));
            if (t.HaCons()) {
                t.Imposta(true, v, static_cast<std::uint8_t>(rnd(3)), static_cast<std::uint8_t>(1 + rnd(5)));
            }
        }
        t.Pt.Link = static_cast<char>('A' + rnd(26));
        t.Cs.Link = static_cast<char>('A' + rnd(26));
        t.Pt.Tra = static_cast<std::int16_t>(rnd(31));
        t.Cs.Tra = static_cast<std::int16_t>(rnd(31));
        t.ImpostaCampo(1 + rnd(4), 8 + rnd(5));
        t.AggiornaStato(true);
    };
    for (const std::uint8_t code : {1, 2, 3, 4, 5, 6, 38, 40}) {
        auto c = CreaCondizione(code, &set);
        auto* tab = dynamic_cast<TCondTabelle*>(c.get());
        ASSERT_NE(tab, nullptr);
        for (std::size_t i = 0; i < tab->NumTabelle(); ++i) {
            fill(tab->Tabella(i));
        }
        c->Attivato = false;
        if (auto* r = dynamic_cast<TCondRisultati*>(c.get())) {
            r->Esiti = {1, 2, 4, 7, 0, 5};
        }
        if (auto* k = dynamic_cast<TCondConsecutivita*>(c.get())) {
            k->Segno = kSignM;
        }
        const auto bytes = Record(*c);
        auto back = ReadBack(bytes, &set);
        ASSERT_NE(back, nullptr) << int(code);
        EXPECT_FALSE(back->Attivato);
        auto* tb = dynamic_cast<TCondTabelle*>(back.get());
        for (std::size_t i = 0; i < tab->NumTabelle(); ++i) {
            EXPECT_TRUE(tb->Tabella(i).SameContent(tab->Tabella(i))) << int(code) << " table " << i;
        }
        EXPECT_EQ(Record(*back), bytes) << int(code);
        if (code == 40) {
            EXPECT_EQ(dynamic_cast<TCondRisultati*>(back.get())->Esiti,
                      (std::array<std::uint8_t, 6>{1, 2, 4, 7, 0, 5}));
        }
        if (code == 38) {
            EXPECT_EQ(dynamic_cast<TCondConsecutivita*>(back.get())->Segno, kSignM);
        }
        // Every truncated copy fails, and leaves the condition it was read into unchanged.
        auto target = CreaCondizione(code, &set);
        const auto pristine = Record(*target);
        for (std::size_t len = 1; len < bytes.size(); len += 1 + len / 16) {
            TByteReader r(std::span<const std::uint8_t>(bytes.data() + 1, len - 1));
            EXPECT_FALSE(target->Leggi(r)) << int(code) << " " << len;
            EXPECT_EQ(Record(*target), pristine);
        }
    }

    // Lists with items of several contents.
    auto list = CreaCondizione(kCodGruppoRisultati, &set);
    auto* l = dynamic_cast<TListaCondizioni*>(list.get());
    for (int k = 0; k < 3; ++k) {
        auto item = CreaCondizione(kCodRisultati, &set);
        auto* r = dynamic_cast<TCondRisultati*>(item.get());
        r->Esiti = {static_cast<std::uint8_t>(k + 1), 0, 0, 0, 0, 2};
        fill(r->Tabella(0));
        l->Aggiungi(std::move(item));
    }
    const auto bytes = Record(*list);
    EXPECT_EQ(bytes.size(), 2 + 3 * 60 + 1u);
    EXPECT_EQ(bytes.back(), 100);
    auto back = ReadBack(bytes, &set);
    ASSERT_NE(back, nullptr);
    auto* lb = dynamic_cast<TListaCondizioni*>(back.get());
    ASSERT_EQ(lb->Count(), 3u);
    EXPECT_EQ(dynamic_cast<TCondRisultati&>(lb->Item(2)).Esiti[0], 3);
    EXPECT_EQ(Record(*back), bytes);
}

TEST(Records, ListsFailCleanly) {
    TInsiemeCondizioni set;
    auto item = Record(*CreaCondizione(kCodConsecutivita, &set));
    // Reading stops exactly at the end byte: what follows is left for the next reader.
    std::vector<std::uint8_t> good = {7, 1};
    good.insert(good.end(), item.begin(), item.end());
    good.push_back(100);
    good.push_back(42);
    {
        TByteReader r(good);
        std::uint8_t code = 0;
        ASSERT_TRUE(r.U8(code));
        auto list = CreaCondizione(code, &set);
        ASSERT_TRUE(list->Leggi(r));
        EXPECT_EQ(r.Remaining(), 1u);
        EXPECT_EQ(dynamic_cast<TListaCondizioni*>(list.get())->Count(), 1u);
    }
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } bad[] = {
        {"no end byte", std::vector<std::uint8_t>(good.begin(), good.end() - 2)},
        {"unknown item code", {7, 1, 33, 1, 100}},
        {"item of a family not built", {7, 1, 34, 1, 100}},
        {"only the header", {7, 1}},
        {"truncated item", std::vector<std::uint8_t>(good.begin(), good.begin() + 60)},
        {"bad sign of an item",
         [&] {
             auto b = good;
             b[4] = 3;
             return b;
         }()},
    };
    for (const auto& b : bad) {
        auto list = CreaCondizione(kCodGruppoConsecutivita, &set);
        auto* l = dynamic_cast<TListaCondizioni*>(list.get());
        l->Aggiungi(CreaCondizione(kCodConsecutivita, &set));
        TByteReader r(b.bytes);
        std::uint8_t code = 0;
        r.U8(code);
        EXPECT_FALSE(list->Leggi(r)) << b.what;
        EXPECT_EQ(l->Count(), 1u) << b.what; // the list keeps what it had
    }
    // Lists nested without end fail instead of exhausting the stack; a few levels are read.
    std::vector<std::uint8_t> deep;
    for (int i = 0; i < 200000; ++i) {
        deep.insert(deep.end(), {7, 1});
    }
    TByteReader rd(deep);
    rd.Skip(1);
    EXPECT_FALSE(CreaCondizione(kCodGruppoConsecutivita, &set)->Leggi(rd));
    std::vector<std::uint8_t> nested = {7, 1, 14, 1, 100, 100};
    TByteReader rn(nested);
    rn.Skip(1);
    auto outer = CreaCondizione(kCodGruppoConsecutivita, &set);
    ASSERT_TRUE(outer->Leggi(rn));
    EXPECT_EQ(dynamic_cast<TListaCondizioni*>(outer.get())->Count(), 1u);
    // A long run of item codes without an end byte is bounded by the data.
    std::vector<std::uint8_t> many = {7, 1};
    for (int i = 0; i < 2000; ++i) {
        many.insert(many.end(), item.begin(), item.end());
    }
    TByteReader r(many);
    r.Skip(1);
    EXPECT_FALSE(CreaCondizione(kCodGruppoConsecutivita, &set)->Leggi(r));
}

TEST(Records, LinkRoundTrip) {
    TInsiemeCondizioni set;
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 0, kAmmesso);
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 1, kAmmesso);
    set.Link().Lettera('Z').ErroriAmmessi.Imposta(false, 99, kAmmesso);
    set.Link().ErroriTotali.Imposta(false, 3, kAmmesso);
    set.Link().AggiornaStato();
    TByteWriter w;
    set.Link().Scrivi(w);
    ASSERT_EQ(w.Size(), TLink::kDimensioneRecord);
    // Letter 'A' first at offset 0, 'Z' at 25 * 424, the total at 26 * 424.
    EXPECT_EQ(w.Data()[0], 1);
    EXPECT_EQ(w.Data()[4 + 2], 1);
    EXPECT_EQ(w.Data()[25 * 424 + 4 + 2 * 99], 1);
    EXPECT_EQ(w.Data()[26 * 424 + 4 + 2 * 3], 1);
    TInsiemeCondizioni other;
    TByteReader r(w.Data());
    ASSERT_TRUE(other.Link().Leggi(r));
    TByteWriter w2;
    other.Link().Scrivi(w2);
    EXPECT_EQ(w2.Data(), w.Data());
    TByteReader rs(std::span<const std::uint8_t>(w.Data().data(), w.Size() - 1));
    TInsiemeCondizioni third;
    EXPECT_FALSE(third.Link().Leggi(rs));
    EXPECT_EQ(third.Link().Lettera('A').ErroriAmmessi.Pt.Voci[0].Stato, 0);
}

} // namespace
} // namespace tessaline
