// The frame editor's filter-column commands: the contests of a range, the proposed ends, the
// insertion, and the adaptation of the filter columns to the teams chosen on the coupon panel.

#include <gtest/gtest.h>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame_tools.h"
#include "conditions/sign_count.h"
#include "core/errors.h"

namespace tessaline {
namespace {

Colonna Col(const char* text) {
    Colonna c{};
    for (int t = 0; t < kTeams; ++t) {
        const char ch = text[t];
        c[t] = ch == '0'   ? kSign0
               : ch == '1' ? kSign1
               : ch == '2' ? kSign2
               : ch == 'M' ? kSignM
               : ch == 'd' ? static_cast<SignSet>(kSign1 | kSign2)          // a double
               : ch == 't' ? static_cast<SignSet>(kSign0 | kSign1 | kSign2) // a triple
                           : 0;
    }
    return c;
}

TEST(FrameTools, RangeTakesTheCompleteContestsInclusively) {
    T_Archivio a;
    for (int anno = 2020; anno <= 2022; ++anno) {
        for (int n = 1; n <= 3; ++n) {
            T_Concorso c;
            c.Anno = anno;
            c.Numero = static_cast<std::uint8_t>(n);
            c.ColonnaVincente = Col("111111111111");
            c.ColonnaVincente[0] = static_cast<SignSet>(1U << n);
            c.ColonnaVincente[1] = anno == 2021 && n == 2 ? 0 : kSign0; // one unknown result
            c.AggiornaCompleto();
            a.Concorsi().push_back(c);
        }
    }
    EXPECT_EQ(ColonneArchivio(a, {2020, 3}, {2022, 1}).size(), 4u); // 2020/3, 2021/1, 2021/3, 2022/1
    EXPECT_EQ(ColonneArchivio(a, {2022, 3}, {2022, 3}).size(), 1u);
    EXPECT_TRUE(ColonneArchivio(a, {2022, 2}, {2020, 1}).empty());
    TEstremoConcorso da;
    TEstremoConcorso al;
    ASSERT_TRUE(EstremiProposti(a, da, al));
    EXPECT_EQ(da, (TEstremoConcorso{2021, 1}));
    EXPECT_EQ(al, (TEstremoConcorso{2022, 3}));
    EXPECT_FALSE(EstremiProposti(T_Archivio{}, da, al));
}

TEST(FrameTools, InsertionStopsWhenTheFrameIsFull) {
    TInsiemeCondizioni set;
    TCondQuadro f(&set);
    for (int i = 0; i < kMaxVociQuadro - 2; ++i) {
        f.Aggiungi(CreaCondizione(kCodNumeroSegni, &set));
    }
    TTabellaPunti punti(kTeams, true);
    punti.Imposta(false, 4, kAmmesso);
    const std::vector<Colonna> cols(5, Col("102111111111"));
    EXPECT_EQ(InserisciColonneFiltro(f, 1, cols, punti, false), 2u);
    ASSERT_EQ(f.Count(), static_cast<std::size_t>(kMaxVociQuadro));
    const auto& it = dynamic_cast<const TCondColonnaFiltro&>(f.Item(1));
    EXPECT_FALSE(it.ConfrontoACoppie);
    EXPECT_EQ(it.Punti().Pt.Voci[4].Stato, kAmmesso);
}

// The prototype's doubles and triples go onto the chosen teams that hold doubles and triples in
// the forecast; every following filter column moves along the same pairs.
TEST(FrameTools, PrototypeMovesTheFilterColumns) {
    struct TCaso {
        const char* nome;
        bool prototipo;
        const char* scelte; // 'x' marks a chosen team
        const char* messaggio;
        const char* atteso; // the prototype after the command
        const char* seguente;
    };
    // Forecast: doubles on teams 3 and 8, a triple on team 12.
    const Pronostico previsione = Col("11d1111d111t");
    const TCaso casi[] = {
        {"no filter column", false, "..x....x...x", msg::kColonnaPrototipoMancante, nullptr, nullptr},
        {"one double short", true, "..x........x", msg::kDoppieTripleNonCoincidono, nullptr, nullptr},
        {"a fixed team counts as other", true, "x.x....x...x", nullptr, "01d1112d222t", "20M101M12121"},
        {"doubles and triple placed", true, "..x....x...x", nullptr, "01d1112d222t", "20M101M12121"},
    };
    for (const TCaso& c : casi) {
        SCOPED_TRACE(c.nome);
        TInsiemeCondizioni set;
        TCondQuadro f(&set);
        f.Aggiungi(CreaCondizione(kCodNumeroSegni, &set));
        std::vector<Colonna> cols = {Col("d0t1d1112222"), Col("M2101101M212")};
        if (c.prototipo) {
            InserisciColonneFiltro(f, 1, cols, TTabellaPunti(kTeams, true), true);
        }
        std::array<bool, kTeams> scelte{};
        for (int t = 0; t < kTeams; ++t) {
            scelte[static_cast<std::size_t>(t)] = c.scelte[t] == 'x';
        }
        const std::vector<std::uint8_t> before = [&] {
            TByteWriter w;
            f.Scrivi(w);
            return w.Data();
        }();
        std::size_t moved = 99;
        const auto r = AdattaAlPrototipo(f, scelte, previsione, &moved);
        if (c.messaggio != nullptr) {
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(*r, c.messaggio);
            TByteWriter w;
            f.Scrivi(w);
            EXPECT_EQ(w.Data(), before);
            EXPECT_EQ(moved, 0u);
            continue;
        }
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(moved, 2u);
        EXPECT_EQ(ColumnText(dynamic_cast<const TCondColonnaFiltro&>(f.Item(1)).Filtro),
                  ColumnText(Col(c.atteso)));
        EXPECT_EQ(ColumnText(dynamic_cast<const TCondColonnaFiltro&>(f.Item(2)).Filtro),
                  ColumnText(Col(c.seguente)));
    }
}

} // namespace
} // namespace tessaline
