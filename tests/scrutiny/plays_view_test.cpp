#include "scrutiny/plays_view.h"
#include "support/columns.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

using test::Col;

TEST(PlaysView, SummaryAndSystemRows) {
    TArchivioGiocate a(12);
    const Colonna w = Col("000000000000");
    a.AggiungiSchedina(w, w, {});
    Colonna integral = w;
    integral[3] = kAllSigns;
    a.AggiungiIntegrale(integral);
    for (int i = 0; i < 9; ++i) {
        TListaColonne l;
        for (int k = 0; k <= i; ++k) {
            l.Append(w);
        }
        a.AggiungiSistema(l, i, 1, 0, 45000.0 + i, 0.5);
    }
    // 2 + 4 + 45 single columns.
    const auto rows = TabellaRiepilogo(a, 1000.0, false);
    const std::vector<std::array<std::string, 2>> expected = {
        {"  Schedine Normali", "             1"},
        {"  Sistemi Integrali", "             1"},
        {"  Sistemi Ridotti", "             9"},
        {"  Volume di Gioco", "      \xC2\xA3 51.000"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(TabellaRiepilogo(a, 0.5, true)[3][1], "       \xE2\x82\xAC 25,50");

    const auto grid = RigheSistemi(a, 2);
    ASSERT_EQ(grid.size(), 7u);
    EXPECT_EQ(grid[0], (std::array<std::string, 6>{"  2", "  1", "  0", "   3", "17/03/2023", "12.00.00"}));
    EXPECT_EQ(RigheSistemi(a, 5).size(), 4u);
}

TEST(PlaysView, WinTables) {
    TArchivioGiocate a(3);
    const Colonna w = Col("000000000000");
    a.AggiungiSchedina(w, Col("100000000000"), {});
    Colonna integral = w;
    integral[0] = kSign0 | kSign1;
    a.AggiungiIntegrale(integral);
    TListaColonne l;
    l.Append(Col("110000000000"));
    l.Append(Col("111100000000"));
    a.AggiungiSistema(l, 0, 0, 0, 45000.0, 0.25);
    a.EseguiSpoglio(w);
    const std::vector<std::array<std::string, 5>> expected = {
        {"  Schedine Normali", "        1", "1", "1", "0"},
        {"  Sistemi Integrali", "        1", "1", "1", "0"},
        {"  Sistemi Ridotti", "        1", "0", "1", "1"},
        {"  Totale Vincite", "", "2", "3", "1"},
    };
    EXPECT_EQ(TabellaVincite(a), expected);
    const auto rows = RigheSistemiVincite(a, 0);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::array<std::string, 9>{"  0", "  0", "  0", "   2", "15/03/2023", "06.00.00", "0",
                                                   "1", "1"}));
}

} // namespace
} // namespace tessaline
