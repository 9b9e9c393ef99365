#include "reduce/fixed_signs.h"

#include <gtest/gtest.h>
#include <random>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "reference/fixed_signs_walk.h"

namespace tessaline {
namespace {

constexpr SignSet kSegni[4] = {kSign0, kSign1, kSign2, kSignM};

T_Concorso Contest(std::int32_t anno, int numero, const char* column, std::uint8_t tipo = 1) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = static_cast<std::uint8_t>(numero);
    c.Tipo = tipo;
    for (int t = 0; t < kTeams; ++t) {
        c.ColonnaVincente[t] = column[t] == '*' ? SignSet{0} : ParseSigns(std::string(1, column[t]));
    }
    c.AggiornaCompleto();
    return c;
}

T_IntervalloConcorsi Whole() {
    T_IntervalloConcorsi r;
    r.AnnoDa = 0;
    r.AnnoA = 9999;
    r.NumeroDa = 0;
    r.NumeroA = 255;
    return r;
}

TEST(FixedSigns, GenerationOrderAndTexts) {
    const auto one = GeneraFisse(1);
    const auto two = GeneraFisse(2);
    ASSERT_EQ(one.size(), 96u);
    ASSERT_EQ(two.size(), 3840u);
    // Mode 1: match, home sign, away sign.
    EXPECT_EQ(Colonna2Coppie(one[0]), "   0,0");
    EXPECT_EQ(Colonna2Coppie(one[7]), "   1,M");
    EXPECT_EQ(TestoPosizione(one[16]), "2");
    EXPECT_EQ(one[16].Pattern[2], kSign0);
    EXPECT_EQ(one[95].Pattern[11], kSignM);
    // Mode 2: pairs i < j, the away sign of the second match innermost.
    EXPECT_EQ(Colonna2Coppie(two[1]), " 0,0 0,1");
    EXPECT_EQ(TestoPosizione(two[1]), "1,2");
    EXPECT_EQ(Colonna2Coppie(two[255]), " M,M M,M");
    EXPECT_EQ(TestoPosizione(two[256]), "1,3");
    EXPECT_EQ(TestoPosizione(two[3839]), "5,6");
    EXPECT_EQ(Colonna2Coppie(two[4 * 256 + 0x2d]), " 0,2 M,1");
    // Only the teams of the entry hold a sign, exactly one.
    for (const auto& list : {one, two}) {
        for (const TFisse& f : list) {
            for (int t = 0; t < kTeams; ++t) {
                const int m = t / 2 + 1;
                const bool own = m == f.Prima || m == f.Seconda;
                EXPECT_EQ(f.Pattern[t] != 0, own);
            }
        }
    }
}

TEST(FixedSigns, TiesNeverAndLast) {
    // Three admitted contests; a basket contest and an incomplete one are not admitted.
    const std::vector<T_Concorso> a = {
        Contest(2020, 1, "120000000000"),    Contest(2020, 2, "2M0000000000"),
        Contest(2020, 3, "1M0000000000", 2), Contest(2020, 4, "*10000000000"),
        Contest(2020, 5, "0M0000000000"),
    };
    const TRisultatoFisse r = ElaboraFisse(1, TOrdineFisse::Frequenza, a, Whole());
    ASSERT_EQ(r.Ammessi, 3u);
    ASSERT_EQ(r.Voci.size(), 96u);
    // Match 2..6 "0,0" came out three times: the later-generated match comes first.
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(r.Voci[static_cast<std::size_t>(k)].Prima, 6 - k);
        EXPECT_EQ(r.Voci[static_cast<std::size_t>(k)].Frequenza, 3u);
        EXPECT_EQ(r.Voci[static_cast<std::size_t>(k)].Ritardo, 0u);
    }
    // Then the three results of match 1 seen once, also newest first: "2,M" (1 ago), "1,2", "0,M".
    EXPECT_EQ(Colonna2Coppie(r.Voci[5]), "   2,M");
    EXPECT_EQ(Colonna2Coppie(r.Voci[6]), "   1,2");
    EXPECT_EQ(Colonna2Coppie(r.Voci[7]), "   0,M");
    EXPECT_EQ(r.Voci[6].Ritardo, 2u);
    EXPECT_EQ(TestoIC(r.Voci[6], r.Ammessi), "0,67");
    EXPECT_EQ(r.Voci[7].Ritardo, 0u); // the last admitted contest
    EXPECT_EQ(TestoIC(r.Voci[7], r.Ammessi), "0,00");
    // A result that never came out: delay = admitted, index 0.
    const TFisse& never = r.Voci.back();
    EXPECT_EQ(never.Frequenza, 0u);
    EXPECT_EQ(never.Ritardo, 3u);
    EXPECT_EQ(IndiceConvenienza(never.Ritardo, never.Frequenza, r.Ammessi), 0.0);
    EXPECT_EQ(TestoIC(never, r.Ammessi), "0,0");
    // An empty range: everything 0.
    T_IntervalloConcorsi none = Whole();
    none.Tipi = 0;
    const TRisultatoFisse e = ElaboraFisse(2, TOrdineFisse::IC, a, none);
    EXPECT_EQ(e.Ammessi, 0u);
    for (const TFisse& f : e.Voci) {
        EXPECT_EQ(f.Frequenza + f.Ritardo, 0u);
    }
}

TEST(FixedSigns, MatchesLiteralWalkOnRandomArchives) {
    std::mt19937 rng(20261208);
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<T_Concorso> a;
        const int n = static_cast<int>(rng() % 60);
        // Few distinct signs make ties frequent.
        const int spread = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < n; ++k) {
            T_Concorso c;
            c.Anno = 2018 + k / 40;
            c.Numero = static_cast<std::uint8_t>(1 + k % 40);
            c.Tipo = rng() % 5 == 0 ? 2 : 1;
            for (int t = 0; t < kTeams; ++t) {
                c.ColonnaVincente[t] = rng() % 30 == 0 ? SignSet{0} : kSegni[rng() % spread];
            }
            c.AggiornaCompleto();
            a.push_back(c);
        }
        T_IntervalloConcorsi range = Whole();
        range.Tipi = static_cast<std::uint8_t>(1 + rng() % 3);
        if (trial % 3 == 1) {
            range.AnnoDa = 2018;
            range.NumeroDa = 5;
            range.AnnoA = 2019;
            range.NumeroA = 10;
        }
        for (int modo : {1, 2}) {
            for (TOrdineFisse o : {TOrdineFisse::Frequenza, TOrdineFisse::Ritardo, TOrdineFisse::IC}) {
                const TRisultatoFisse fast = ElaboraFisse(modo, o, a, range);
                const TRisultatoFisse ref = test::FisseLetterali(modo, o, a, range);
                ASSERT_EQ(fast.Ammessi, ref.Ammessi);
                ASSERT_EQ(fast.Voci.size(), ref.Voci.size());
                for (std::size_t k = 0; k < ref.Voci.size(); ++k) {
                    ASSERT_EQ(fast.Voci[k].Pattern, ref.Voci[k].Pattern) << trial << " " << modo << " " << k;
                    ASSERT_EQ(fast.Voci[k].Frequenza, ref.Voci[k].Frequenza);
                    ASSERT_EQ(fast.Voci[k].Ritardo, ref.Voci[k].Ritardo);
                }
            }
        }
    }
}

TEST(FixedSigns, InsertionIntoFrameWithinItsLimit) {
    TInsiemeCondizioni set;
    TCondQuadro quadro(&set);
    const auto voci = GeneraFisse(2);
    TTabellaPunti punti(2, true);
    punti.Imposta(false, 2, 1);
    // Entries 3..5: three filter columns in order, with the table and the switch.
    ASSERT_EQ(InserisciFisseNelQuadro(quadro, &set, voci, 3, 5, punti, true), 3u);
    ASSERT_EQ(quadro.Count(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        auto& item = dynamic_cast<TCondColonnaFiltro&>(quadro.Item(k));
        EXPECT_EQ(item.Filtro, voci[3 + k].Pattern);
        EXPECT_TRUE(item.ConfrontoACoppie);
        EXPECT_EQ(item.Punti().Pt.Voci[2].Stato, 1);
        EXPECT_EQ(item.Punti().Pt.Voci[1].Stato, 0);
        EXPECT_TRUE(item.Abilitata);
    }
    // The frame stops taking items at its limit; the rest are not added.
    const std::size_t room = static_cast<std::size_t>(kMaxVociQuadro) - quadro.Count();
    EXPECT_EQ(InserisciFisseNelQuadro(quadro, &set, voci, 0, 3839, punti, false), room);
    EXPECT_EQ(quadro.Count(), static_cast<std::size_t>(kMaxVociQuadro));
    EXPECT_EQ(InserisciFisseNelQuadro(quadro, &set, voci, 0, 0, punti, false), 0u);
}

} // namespace
} // namespace tessaline
