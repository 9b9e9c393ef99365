#include <gtest/gtest.h>

#include <random>

#include "archive/team_history.h"

namespace tessaline {
namespace {

constexpr SignSet kSegni[4] = {1, 2, 4, 8};

T_Concorso Contest(std::int32_t anno, std::uint8_t numero, const std::array<int, 12>& segni,
                   std::uint8_t tipo = 1) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = numero;
    c.Tipo = tipo;
    for (std::size_t t = 0; t < 12; ++t) {
        c.ColonnaVincente.s[t] = segni[t] < 0 ? 0 : kSegni[segni[t]];
    }
    c.AggiornaCompleto();
    return c;
}

std::array<int, 12> Tutti(int s) {
    std::array<int, 12> a{};
    a.fill(s);
    return a;
}

// Counters recomputed from the admitted sign sequence of one team by whole-sequence formulas.
TStoriaSegno Riferimento(const std::vector<int>& seq, const std::vector<bool>& inStagione, int s) {
    TStoriaSegno g;
    int gap = 0;
    int run = 0;
    for (std::size_t i = 0; i < seq.size(); ++i) {
        if (seq[i] == s) {
            ++g.Frequenza;
            g.FrequenzaStagione += inStagione[i] ? 1 : 0;
        }
    }
    // Longest stretch without the sign, and the stretch at the end.
    for (int v : seq) {
        gap = v == s ? 0 : gap + 1;
        g.RitardoMassimo = std::max(g.RitardoMassimo, gap);
        run = v == s ? run + 1 : 0;
        g.SerieMassima = std::max(g.SerieMassima, run);
    }
    g.RitardoAttuale = gap;
    g.SerieAttuale = run;
    return g;
}

TEST(TeamHistory, WorkedCases) {
    struct Case {
        const char* name;
        std::vector<T_Concorso> list;
        T_IntervalloConcorsi range;
        int team;
        std::array<TStoriaSegno, 4> expected;
        int last;
        int examined;
        int season;
    };
    T_IntervalloConcorsi all;
    all.AnnoDa = 2000;
    all.AnnoA = 2030;
    all.NumeroDa = 1;
    all.NumeroA = 99;
    T_IntervalloConcorsi from2021 = all;
    from2021.AnnoDa = 2021;
    from2021.NumeroDa = 2;
    std::array<int, 12> mixed = Tutti(1);
    mixed[4] = -1; // incomplete: never examined
    const std::vector<Case> cases = {
        // Sign 1 in the last three contests: run 3 for sign 1, none for the others, no delay for 1.
        {"last three ones",
         {Contest(2020, 1, Tutti(0)), Contest(2020, 2, Tutti(3)), Contest(2021, 1, Tutti(1)),
          Contest(2021, 2, Tutti(1)), Contest(2021, 3, Tutti(1))},
         all,
         5,
         {TStoriaSegno{1, 0, 4, 4, 0, 1}, TStoriaSegno{3, 3, 0, 2, 3, 3}, TStoriaSegno{0, 0, 5, 5, 0, 0},
          TStoriaSegno{1, 0, 3, 3, 0, 1}},
         1,
         5,
         2021},
        // The range starts at 2021/2; the incomplete contest and the basket contest are skipped.
        {"range and filter",
         {Contest(2020, 1, Tutti(0)), Contest(2021, 1, Tutti(2)), Contest(2021, 2, Tutti(2)),
          Contest(2021, 3, mixed), Contest(2021, 4, Tutti(0), 2), Contest(2022, 1, Tutti(3))},
         from2021,
         0,
         {TStoriaSegno{0, 0, 2, 2, 0, 0}, TStoriaSegno{0, 0, 2, 2, 0, 0}, TStoriaSegno{1, 0, 1, 1, 0, 1},
          TStoriaSegno{1, 1, 0, 1, 1, 1}},
         3,
         2,
         2022},
        {"nothing admitted", {Contest(2020, 1, Tutti(0), 2)}, all, 0, {}, -1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStoriaSquadre r;
        EXPECT_EQ(CalcolaStoriaSquadre(c.list, c.range, r), c.examined);
        EXPECT_EQ(r.Esaminati, c.examined);
        EXPECT_EQ(r.Stagione, c.season);
        const StoriaSquadra& sq = r.Squadre[static_cast<std::size_t>(c.team)];
        EXPECT_EQ(sq.UltimoSegno, c.last);
        for (std::size_t s = 0; s < 4; ++s) {
            SCOPED_TRACE(s);
            EXPECT_EQ(sq.Segni[s], c.expected[s]);
        }
    }
}

TEST(TeamHistory, MatchesWholeSequenceFormulasOnRandomArchives) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 60; ++round) {
        std::vector<T_Concorso> list;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            std::array<int, 12> segni{};
            for (int& s : segni) {
                s = rng() % 13 == 0 ? -1 : static_cast<int>(rng() % 4);
            }
            list.push_back(Contest(2000 + i / 5, static_cast<std::uint8_t>(1 + i % 5), segni,
                                   static_cast<std::uint8_t>(rng() % 4 == 0 ? 2 : 1)));
        }
        T_IntervalloConcorsi range;
        range.Tipi = static_cast<std::uint8_t>(1 + rng() % 3);
        range.AnnoDa = static_cast<std::int16_t>(2000 + rng() % 3);
        range.NumeroDa = static_cast<std::uint8_t>(1 + rng() % 5);
        range.AnnoA = static_cast<std::int16_t>(range.AnnoDa + rng() % 8);
        range.NumeroA = static_cast<std::uint8_t>(1 + rng() % 5);
        std::vector<const T_Concorso*> admitted;
        for (const T_Concorso& c : list) {
            if (range.Contiene(c)) {
                admitted.push_back(&c);
            }
        }
        const TStoriaSquadre r = CalcolaStoriaSquadre(list, range);
        ASSERT_EQ(r.Esaminati, static_cast<int>(admitted.size()));
        const int season = admitted.empty() ? 0 : admitted.back()->Anno;
        ASSERT_EQ(r.Stagione, season);
        for (std::size_t t = 0; t < 12; ++t) {
            std::vector<int> seq;
            std::vector<bool> inSeason;
            for (const T_Concorso* c : admitted) {
                const SignSet x = c->ColonnaVincente.s[t];
                seq.push_back(x == 1 ? 0 : x == 2 ? 1 : x == 4 ? 2 : 3);
                inSeason.push_back(c->Anno == season);
            }
            EXPECT_EQ(r.Squadre[t].UltimoSegno, seq.empty() ? -1 : seq.back());
            for (int s = 0; s < 4; ++s) {
                EXPECT_EQ(r.Squadre[t].Segni[static_cast<std::size_t>(s)], Riferimento(seq, inSeason, s))
                    << "round " << round << " team " << t << " sign " << s;
            }
        }
    }
}

TEST(TeamHistory, IndexIsFrequencyShareTimesDelay) {
    struct Case {
        std::int32_t f, e, d;
        double ic;
    };
    for (const Case& c :
         {Case{3, 12, 4, 1.0}, Case{0, 12, 12, 0.0}, Case{5, 0, 7, 0.0}, Case{2, 3, 5, 10.0 / 3}}) {
        EXPECT_DOUBLE_EQ(IndiceIC(c.f, c.e, c.d), c.ic);
    }
}

} // namespace
} // namespace tessaline
