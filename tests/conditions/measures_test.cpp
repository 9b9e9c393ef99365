#include <gtest/gtest.h>

#include "conditions/measures.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::Col;

constexpr TCampo kTutto{1, 12};

TEST(Measures, NumeroDiSegni) {
    const std::array<TCampo, 4> all = {kTutto, kTutto, kTutto, kTutto};
    const struct {
        const char* col;
        std::array<TCampo, 4> campi;
        std::array<int, 4> conta;
        std::array<int, 4> serie;
    } cases[] = {
        {"0 0 1 1 1 2 M M M M 0 1", all, {3, 4, 1, 4}, {2, 3, 1, 4}},
        {"111111111111", all, {0, 12, 0, 0}, {0, 12, 0, 0}},
        {"0120M0120M01", all, {5, 3, 2, 2}, {1, 1, 1, 1}},
        // A zero outside the zeros' field neither counts nor breaks the run of ones around it.
        {"222222 1 0 1 222", {TCampo{1, 6}, kTutto, kTutto, kTutto}, {0, 2, 9, 0}, {0, 2, 6, 0}},
        // Fields per sign: ones counted only on teams 5..8.
        {"111111111111", {kTutto, TCampo{5, 8}, kTutto, kTutto}, {0, 4, 0, 0}, {0, 4, 0, 0}},
        // An unknown team counts for no sign and breaks nothing.
        {"00*00*000000", all, {10, 0, 0, 0}, {10, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::array<TConteggio, 4> m;
        MisuraNumeroSegni(Col(c.col), c.campi, m);
        for (std::size_t s = 0; s < 4; ++s) {
            EXPECT_EQ(m[s].conta, c.conta[s]) << c.col << " sign " << s;
            EXPECT_EQ(m[s].serie, c.serie[s]) << c.col << " sign " << s;
        }
    }
}

TEST(Measures, Risultati) {
    const std::array<std::uint8_t, 6> all = {7, 7, 7, 7, 7, 7};
    const std::array<std::uint8_t, 6> drawFirst = {2, 0, 0, 0, 0, 0};
    const std::array<std::uint8_t, 6> homes = {1, 1, 1, 4, 1, 1};
    const struct {
        const char* col;
        std::array<std::uint8_t, 6> esiti;
        TConteggio expected;
    } cases[] = {
        {"0120M0120M01", all, {6, 6}},        {"MM1111111111", drawFirst, {1, 1}},
        {"001111111111", drawFirst, {1, 1}},  {"M21111111111", drawFirst, {0, 0}},
        {"10 20 M2 01 M0 2M", homes, {5, 5}}, // match 4 an admitted away win, match 6 not
        {"000000000000", homes, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MisuraRisultati(Col(c.col), c.esiti), c.expected) << c.col;
    }
}

TEST(Measures, PariEDispari) {
    const struct {
        const char* col;
        TCampo campo;
        TConteggio pari;
        TConteggio dispari;
    } cases[] = {
        // Runs 2, 1, 3, 1, 2, 3: the odd runs 1, 3, 1 stand in a row.
        {"0 0 1 2 2 2 M 0 0 1 1 1", kTutto, {2, 1}, {4, 3}},
        {"111111111111", kTutto, {1, 1}, {0, 0}},
        {"010101010101", kTutto, {0, 0}, {12, 12}},
        {"001100110011", kTutto, {6, 6}, {0, 0}},
        // Field 4..9 of the first column: 2 2 2 M 0 0 -> runs 3, 1, 2.
        {"0 0 1 2 2 2 M 0 0 1 1 1", TCampo{4, 9}, {1, 1}, {2, 2}},
        {"111111111111", TCampo{5, 5}, {0, 0}, {1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MisuraPariDispari(Col(c.col), c.campo, false), c.pari) << c.col;
        EXPECT_EQ(MisuraPariDispari(Col(c.col), c.campo, true), c.dispari) << c.col;
    }
}

TEST(Measures, Interruzioni) {
    const std::array<TCampo, 4> all = {kTutto, kTutto, kTutto, kTutto};
    const struct {
        const char* col;
        TCampo globali;
        std::array<TCampo, 4> campi;
        TConteggio g;
        std::array<int, 4> segni;
    } cases[] = {
        {"111111111111", kTutto, all, {0, 0}, {0, 0, 0, 0}},
        {"010101010101", kTutto, all, {11, 11}, {5, 6, 0, 0}},
        {"0 0 1 2 2 2 M 0 0 1 1 1", kTutto, all, {5, 2}, {1, 2, 1, 1}},
        // Globali on 6..12 only: 2 M 0 0 1 1 1 -> changes at 7, 8, 10.
        {"0 0 1 2 2 2 M 0 0 1 1 1", TCampo{6, 12}, all, {3, 2}, {1, 2, 1, 1}},
        // The ones' field 1..9 drops the run of ones that begins at team 10; team 3 stays.
        {"0 0 1 2 2 2 M 0 0 1 1 1", kTutto, {kTutto, TCampo{1, 9}, kTutto, kTutto}, {5, 2}, {1, 1, 1, 1}},
        // A run beginning at the field's first team is no interruption for that sign.
        {"0 0 1 2 2 2 M 0 0 1 1 1", kTutto, {TCampo{8, 12}, kTutto, kTutto, kTutto}, {5, 2}, {0, 2, 1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MisuraInterruzioni(Col(c.col), c.globali), c.g) << c.col;
        std::array<int, 4> n;
        MisuraInterruzioniSegni(Col(c.col), c.campi, n);
        EXPECT_EQ(n, c.segni) << c.col;
    }
}

TEST(Measures, Simmetrie) {
    const struct {
        const char* col;
        TCampo campo;
        TConteggio dirette;
        TConteggio inverse;
    } cases[] = {
        {"012M2112M210", kTutto, {6, 6}, {0, 0}},
        {"012M21012M21", kTutto, {0, 0}, {6, 6}},
        {"111111111111", kTutto, {6, 6}, {6, 6}},
        // Mirror pairs equal except (5,8); inverse pairs equal at (1,7), (5,11), (6,12).
        {"01 2 0 1 0 0 2 0 2 1 0", kTutto, {5, 4}, {3, 2}},
        // A field that does not start at team 1 still visits its first half.
        {"210M21 012210", TCampo{7, 12}, {3, 3}, {1, 1}},
        {"210M21 012012", TCampo{7, 12}, {1, 1}, {3, 3}},
        {"210M21 012012", TCampo{7, 11}, {0, 0}, {2, 2}}, // pairs (7,11) (8,10); inverse (7,10) (8,11)
        // Odd field 1..11: the middle team 6 pairs with nothing.
        {"01201 M 01201 M", TCampo{1, 11}, {1, 1}, {5, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MisuraSimmetrie(Col(c.col), c.campo, false), c.dirette) << c.col;
        EXPECT_EQ(MisuraSimmetrie(Col(c.col), c.campo, true), c.inverse) << c.col;
    }
}

TEST(Measures, Vortice) {
    const struct {
        const char* col;
        TVortice diretto;
        TVortice inverso;
    } cases[] = {
        {"111111111111", {7, 11}, {6, 11}},
        {"012M012M012M", {8, 5}, {5, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MisuraVortice(Col(c.col), kTutto, false), c.diretto) << c.col;
        EXPECT_EQ(MisuraVortice(Col(c.col), kTutto, true), c.inverso) << c.col;
    }
    // Never out of range, whatever the bytes.
    Colonna odd;
    for (int i = 0; i < 12; ++i) {
        odd.s[static_cast<std::size_t>(i)] = static_cast<SignSet>(i * 37);
    }
    const TVortice v = MisuraVortice(odd, kTutto, false);
    EXPECT_GE(v.posizione, 0);
    EXPECT_LE(v.posizione, 12);
}

TEST(Measures, RipetizioniAndConsecutivita) {
    const Colonna last = Col("0120M0120M01");
    EXPECT_EQ(MisuraRipetizioni(last, last, kTutto), (TConteggio{12, 12}));
    EXPECT_EQ(MisuraRipetizioni(Col("0120M1111M01"), last, kTutto), (TConteggio{9, 5}));
    EXPECT_EQ(MisuraRipetizioni(Col("0120M1111M01"), last, TCampo{6, 9}), (TConteggio{1, 1}));
    EXPECT_EQ(MisuraRipetizioni(Col("121212121212"), last, kTutto), (TConteggio{2, 2}));

    EXPECT_EQ(MisuraConsecutivita(Col("000100001000"), kSign0, kTutto), (TConteggio{10, 4}));
    EXPECT_EQ(MisuraConsecutivita(Col("000100001000"), kSign0, TCampo{4, 8}), (TConteggio{4, 4}));
    EXPECT_EQ(MisuraConsecutivita(Col("000100001000"), kSign1, kTutto), (TConteggio{2, 1}));
    EXPECT_EQ(MisuraConsecutivita(Col("000100001000"), kSignM, kTutto), (TConteggio{0, 0}));
}

} // namespace
} // namespace tessaline
