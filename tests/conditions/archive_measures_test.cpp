// The measure columns of the archive view: the values of known columns, the empty cells of
// incomplete contests and of the repetitions of the first two contests, and the headings.

#include <gtest/gtest.h>

#include <numeric>

#include "conditions/archive_measures.h"

namespace tessaline {
namespace {

T_Concorso Contest(const char* text) {
    T_Concorso c;
    for (int i = 0; i < kTeams; ++i) {
        c.ColonnaVincente.s[static_cast<std::size_t>(i)] = ParseSigns(std::string(1, text[i]));
    }
    c.AggiornaCompleto();
    return c;
}

std::vector<std::string> V(std::initializer_list<const char*> l) {
    return std::vector<std::string>(l.begin(), l.end());
}

TEST(ArchiveMeasures, KnownColumnsGiveTheConditionsValues) {
    const std::vector<T_Concorso> list = {Contest("111111111111"), Contest("012M012M012M"),
                                          Contest("001112MMMM01"), Contest("0*1111111111")};
    TMisureArchivio m;
    const struct {
        std::size_t contest;
        std::size_t group;
        std::vector<std::string> cells;
    } cases[] = {
        {0, kGruppoNumeroSegni, V({"0", "0", "12", "12", "0", "0", "0", "0"})},
        {2, kGruppoNumeroSegni, V({"3", "2", "4", "3", "1", "1", "4", "4"})},
        {0, kGruppoInterruzioni, V({"0", "0", "0", "0", "0", "0"})},
        {1, kGruppoInterruzioni, V({"11", "11", "2", "3", "3", "3"})},
        {0, kGruppoPariDispari, V({"1", "1", "0", "0"})},
        {1, kGruppoPariDispari, V({"0", "0", "12", "12"})},
        {0, kGruppoSimmetrie, V({"6", "6", "6", "6"})},
        {1, kGruppoSimmetrie, V({"0", "0", "0", "0"})},
        {0, kGruppoVortici, V({"7", "11", "1", "6", "11", "1"})},
        {1, kGruppoVortici, V({"8", "5", "M", "5", "5", "0"})},
        {0, kGruppoRipetizioni, V({"", "", "", ""})},
        {1, kGruppoRipetizioni, V({"", "", "", ""})},
        {2, kGruppoRipetizioni, V({"2", "1", "4", "3"})},
        {1, kGruppoGolSquadra, V({"18"})},
        // Length 2: M2 (Pt, Cs), MN, B2 (Pt, Cs), BN, J2, JN, S2.
        {0, kGruppoAccoppiate, V({"11", "11", "6", "0", "0", "0", "11", "6", "0"})},
        {1, kGruppoAccoppiate, V({"0", "0", "0", "11", "11", "6", "3", "3", "0"})},
        // An incomplete contest shows nothing.
        {3, kGruppoNumeroSegni, V({"", "", "", "", "", "", "", ""})},
        {3, kGruppoVortici, V({"", "", "", "", "", ""})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m.Celle(list, c.contest, c.group), c.cells) << c.contest << " " << c.group;
    }
}

TEST(ArchiveMeasures, EveryGroupHasOneCellPerHeading) {
    const auto& groups = TMisureArchivio::Gruppi();
    ASSERT_EQ(groups.size(), std::size_t{kNumGruppiArchivio});
    const std::size_t columns[] = {8, 6, 4, 4, 6, 4, 1, 9, 12, 15};
    const std::vector<T_Concorso> list = {Contest("0120M0120M01"), Contest("M21012M21012"),
                                          Contest("2222M0001111")};
    TMisureArchivio m;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].Intestazioni.size(), columns[g]) << g;
        if (!groups[g].Sottotitoli.empty()) {
            const int spanned = std::accumulate(groups[g].Sottotitoli.begin(), groups[g].Sottotitoli.end(), 0,
                                                [](int n, const TSottotitolo& s) { return n + s.Colonne; });
            EXPECT_EQ(static_cast<std::size_t>(spanned), columns[g]) << g;
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto cells = m.Celle(list, i, g);
            ASSERT_EQ(cells.size(), columns[g]) << g;
            if (g != kGruppoRipetizioni || i >= 2) {
                for (const std::string& cell : cells) {
                    EXPECT_FALSE(cell.empty()) << g << " " << i;
                }
            }
        }
    }
    EXPECT_EQ(groups[kGruppoTerzine].Sottotitoli.back().Testo, "S3");
    EXPECT_EQ(groups[kGruppoQuartine].Sottotitoli.back().Testo, "S4");
    EXPECT_FALSE(groups[kGruppoTerzine].Predefinito);
    EXPECT_TRUE(groups[kGruppoAccoppiate].Predefinito);
}

} // namespace
} // namespace tessaline
