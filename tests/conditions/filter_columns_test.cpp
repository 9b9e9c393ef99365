#include <gtest/gtest.h>

#include <random>

#include "archive/frequencies.h"
#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "family_bytes.h"

namespace tessaline {
namespace {

using test::Bytes;
using test::Col;

Colonna Filter(std::initializer_list<std::pair<int, SignSet>> sets) {
    Colonna f;
    for (const auto& [team, s] : sets) {
        f[team - 1] = s;
    }
    return f;
}

Colonna Uniform(SignSet s) {
    Colonna f;
    f.s.fill(s);
    return f;
}

TEST(FilterColumns, HitsAndRunsByTeamsAndByMatches) {
    Colonna noTeam5 = Uniform(kSign1);
    noTeam5[4] = 0;
    Colonna only0 = Filter({{1, kSign0}, {2, kSign0}, {4, kSign0}});
    struct Case {
        const char* what;
        Colonna filtro;
        bool coppie;
        const char* column;
        TConteggio expected;
    };
    const Case cases[] = {
        {"by teams, a miss resets the run", Uniform(kSign0), false, "000100000000", {11, 8}},
        {"by teams, an empty set is skipped", only0, false, "00M100000000", {2, 2}},
        {"by teams, teams 1, 2 and 4 form one run",
         Filter({{1, 15}, {2, 15}, {4, 15}}),
         false,
         "012M012M012M",
         {3, 3}},
        {"by teams, multi-sign filter sets", Uniform(kSign1 | kSignM), false, "1M0M1112MMM1", {10, 4}},
        {"by matches", Uniform(kSign1), true, "11 10 11 11 01 11", {4, 2}},
        {"by matches, a match with an empty set is skipped", noTeam5, true, "11 11 00 11 11 10", {4, 4}},
        {"by matches, team 1 only: nothing hits", Filter({{1, 15}}), true, "111111111111", {0, 0}},
        {"empty filter", Colonna{}, false, "111111111111", {0, 0}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(MisuraColonnaFiltro(Col(k.column), k.filtro, k.coppie), k.expected) << k.what;
        EXPECT_EQ(MisuraColonnaFiltro(Col(k.column), k.filtro, k.coppie, true, false),
                  (TConteggio{k.expected.conta, 0}))
            << k.what;
        EXPECT_EQ(MisuraColonnaFiltro(Col(k.column), k.filtro, k.coppie, false, true),
                  (TConteggio{0, k.expected.serie}))
            << k.what;
    }

    // Every sign on every team: 12 and 12 for any column; by matches 6 and 6.
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 << (rng() % 4));
        }
        EXPECT_EQ(MisuraColonnaFiltro(c, Uniform(kAllSigns), false), (TConteggio{12, 12}));
        EXPECT_EQ(MisuraColonnaFiltro(c, Uniform(kAllSigns), true), (TConteggio{6, 6}));
        EXPECT_EQ(MisuraColonnaFiltro(c, Filter({{1, 15}}), true), (TConteggio{0, 0}));
    }
}

TEST(FilterColumns, MasksGiveTheSameAsTheBytes) {
    std::mt19937 rng(11);
    for (int i = 0; i < 20000; ++i) {
        Colonna c;
        Colonna f;
        for (int t = 0; t < 12; ++t) {
            c[t] = i % 8 == 0 && rng() % 5 == 0 ? static_cast<SignSet>(rng() % 16)
                                                : static_cast<SignSet>(1 << (rng() % 4));
            f[t] = rng() % 4 == 0 ? 0 : static_cast<SignSet>(rng() % 16);
        }
        const bool coppie = (i & 1) != 0;
        const bool colpi = (i & 2) == 0;
        const bool serie = (i & 4) == 0;
        ASSERT_EQ(MisuraColonnaFiltro(c, Profilo(c), f, MaschereFiltro(f), coppie, colpi, serie),
                  MisuraColonnaFiltro(c, f, coppie, colpi, serie))
            << ColumnText(c) << " / " << ColumnText(f) << (coppie ? " by matches" : " by teams");
    }
}

TEST(FilterColumns, StateAndCheckThroughTheSet) {
    T_ImpostazioniRicerca ricerca;
    TInsiemeCondizioni set;
    set.Collega(nullptr, &ricerca, nullptr);
    auto& list = *set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro);
    EXPECT_EQ(list.Nome, "Gruppo Col. Filtro");
    auto owned = std::make_unique<TCondColonnaFiltro>(&set);
    TCondColonnaFiltro& f = *owned;
    list.Aggiungi(std::move(owned));
    EXPECT_TRUE(f.ConfrontoACoppie) << "compares by matches unless told otherwise";
    f.ConfrontoACoppie = false;
    for (int v = 10; v <= 12; ++v) {
        f.Punti().Imposta(false, v, kAmmesso);
    }
    set.Prepara();
    EXPECT_FALSE(f.Abilitata) << "an all-zero filter is never active";
    EXPECT_TRUE(set.Accetta(Col("012M012M012M")));

    f.Filtro = Uniform(kSign1);
    struct Case {
        bool archivio;
        std::uint8_t ignora;
        bool on;
    };
    for (const Case& k : {Case{false, 1, true}, Case{true, 1, false}, Case{true, 0, true}}) {
        set.ModoArchivio = k.archivio;
        ricerca.IgnoraColonneFiltro = k.ignora;
        set.Prepara();
        EXPECT_EQ(f.Abilitata, k.on);
    }
    set.ModoArchivio = false;
    set.Prepara();
    EXPECT_TRUE(set.Accetta(Col("111111111111")));
    EXPECT_TRUE(set.Accetta(Col("111101111111")));
    EXPECT_FALSE(set.Accetta(Col("110001111111")));

    // Only the points section is marked: the longest run is not even measured.
    std::array<TMisura, 1> m;
    f.Misura(Col("111101111111"), m, false);
    EXPECT_EQ(m[0], (TMisura{11, 0}));
    f.Misura(Col("111101111111"), m, true);
    EXPECT_EQ(m[0], (TMisura{11, 7}));
}

TEST(FilterColumns, RecordWithTheSwitchLast) {
    TCondColonnaFiltro f(nullptr);
    f.ConfrontoACoppie = false;
    f.Attivato = false;
    f.Filtro = Col("012M012M012M");
    f.Filtro[11] = 0;
    f.Punti().Imposta(false, 12, kAmmesso);
    f.Punti().Imposta(true, 6, kRecupero, 2);
    f.Punti().Cs.Link = 'D';
    f.Punti().Pt.Tra = 5;
    f.Punti().ImpostaCampo(3, 9);

    Bytes expected = {kCodColonnaFiltro, 0};
    test::PutSezione(expected, 12, false, 'A', 5, {{12, 1, 0}});
    test::PutSezione(expected, 12, false, 'D', 0, {{6, 2, 2}});
    test::Put16(expected, 3);
    test::Put16(expected, 9);
    expected.insert(expected.end(), {1, 2, 4, 8, 1, 2, 4, 8, 1, 2, 4, 0});
    expected.push_back(0); // Attivato
    ASSERT_EQ(expected.size(), TCondColonnaFiltro::kDimensioneRecord);
    const Bytes written = test::Written(f);
    EXPECT_EQ(written, expected);

    TCondColonnaFiltro back(nullptr);
    TByteReader r(std::span<const std::uint8_t>(written).subspan(1));
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(back.Attivato);
    EXPECT_FALSE(back.ConfrontoACoppie);
    EXPECT_EQ(back.Filtro, f.Filtro);
    EXPECT_EQ(test::Written(back), expected);

    // A record cut anywhere, even just before the switch, fails and changes nothing.
    for (std::size_t n = 0; n + 1 < written.size(); ++n) {
        TCondColonnaFiltro fresh(nullptr);
        TByteReader cut(std::span<const std::uint8_t>(written.data() + 1, n));
        EXPECT_FALSE(fresh.Leggi(cut)) << n;
        EXPECT_TRUE(fresh.Attivato);
        EXPECT_TRUE(fresh.ConfrontoACoppie);
        EXPECT_EQ(fresh.Filtro, Colonna{});
        EXPECT_FALSE(fresh.Punti().Marcata(false));
    }

    // Inside the list record, through the factory.
    TInsiemeCondizioni set;
    auto& list = *set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro);
    list.Aggiungi(std::make_unique<TCondColonnaFiltro>(&set));
    list.Aggiungi(std::make_unique<TCondColonnaFiltro>(&set));
    dynamic_cast<TCondColonnaFiltro&>(list.Item(1)).Filtro = Uniform(kSign2);
    const Bytes lb = test::Written(list);
    ASSERT_EQ(lb.size(), 2 + 2 * TCondColonnaFiltro::kDimensioneRecord + 1);
    TInsiemeCondizioni other;
    TByteReader rl(std::span<const std::uint8_t>(lb).subspan(1));
    ASSERT_TRUE(other.Slot(kCodGruppoColFiltro)->Leggi(rl));
    EXPECT_TRUE(rl.AtEnd());
    EXPECT_EQ(test::Written(*other.Slot(kCodGruppoColFiltro)), lb);
}

} // namespace
} // namespace tessaline
