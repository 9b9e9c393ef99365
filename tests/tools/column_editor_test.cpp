#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "core/column_list.h"
#include "support/test_home.h"
#include "tools/column_editor.h"

namespace tessaline {
namespace {

Colonna Col(const char* text) {
    Colonna c;
    for (int i = 0; i < kTeams; ++i) {
        c[i] = ParseSigns(std::string(1, text[i]));
    }
    return c;
}

TEST(ColumnEditor, CellTextToMaskAndBack) {
    const struct {
        const char* text;
        SignSet mask;
        const char* shown;
    } cases[] =
        {
            {"20", 5, "02"},      {"0", 1, "0"},  {"m", 8, "M"},    {" 0 1 ", 3, "01"},
            {"M210", 15, "012M"}, {"", 0, ""},    {"01234", 0, ""}, {"X", 0, ""},
            {"1X", 0, ""},        {"00", 1, "0"}, // a repeated letter names its sign once, never another sign
        };
    for (const auto& c : cases) {
        EXPECT_EQ(MascheraCella(c.text), c.mask) << c.text;
        EXPECT_EQ(TestoCella(MascheraCella(c.text)), c.shown) << c.text;
    }
}

TEST(ColumnEditor, TypingRules) {
    const struct {
        const char* cell;
        char key;
        std::optional<std::string> result;
    } cases[] = {
        {"", '2', "2"},          {"2", '0', "20"},         {"20", '0', std::nullopt},
        {"", 'm', "M"},          {"M", 'm', std::nullopt}, {"M", 'M', std::nullopt},
        {"", 'x', std::nullopt}, {"1", '3', std::nullopt}, {"", ' ', std::nullopt},
        {"02", '\b', "0"},       {"", '\b', ""},           {"012", 'M', "012M"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TastoCella(c.cell, c.key), c.result) << c.cell << " + " << int(c.key);
    }
    // Typed "2" then "0": stored as the mask of 0 and 2, shown back as "02".
    std::string cell = *TastoCella(*TastoCella("", '2'), '0');
    EXPECT_EQ(MascheraCella(cell), 5);
    EXPECT_EQ(TestoCella(MascheraCella(cell)), "02");
}

TEST(ColumnEditor, StoreVerifyInsertDelete) {
    TEditorColonne ed;
    std::array<SignSet, kTeams> full{};
    full.fill(kSign1);
    ed.Memorizza(2, full); // past the end: two empty entries first
    ASSERT_EQ(ed.colonne.size(), 3u);
    EXPECT_TRUE(ColonnaVuota(ed.colonne[0]));
    EXPECT_FALSE(ed.Verifica().has_value()); // empty columns and a complete one

    std::array<SignSet, kTeams> partial = full;
    partial[5] = 0;
    ed.Memorizza(4, partial);
    ed.Memorizza(6, std::array<SignSet, kTeams>{}); // an empty one after it
    const auto bad = ed.Verifica();
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->colonna, 4u);
    EXPECT_EQ(bad->squadra, 5);

    ed.InserisciVuota(0);
    EXPECT_EQ(ed.colonne.size(), 8u);
    EXPECT_EQ(ed.colonne[3].s, full);
    EXPECT_TRUE(ed.Cancella(0));
    EXPECT_FALSE(ed.Cancella(100));
    ed.RimuoviVuote();
    ASSERT_EQ(ed.colonne.size(), 2u);
    EXPECT_EQ(ed.colonne[0].s, full);
    EXPECT_EQ(ed.colonne[1].s, partial);

    TListaColonne file;
    file.Append(Col("000000000000"));
    file.Append(Col("222222222222"));
    ed.InserisciColonne(1, file); // in file order, at the position
    ASSERT_EQ(ed.colonne.size(), 4u);
    EXPECT_EQ(ed.colonne[1], Col("000000000000"));
    EXPECT_EQ(ed.colonne[2], Col("222222222222"));
    EXPECT_EQ(ed.colonne[3].s, partial);
}

TEST(ColumnEditor, SortMatchesSelectionByMasks) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        TEditorColonne ed;
        const int n = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            Colonna c;
            if (rng() % 5 != 0) {
                for (int t = 0; t < kTeams; ++t) {
                    c[t] = static_cast<SignSet>(1 + rng() % 15);
                }
                if (rng() % 3 == 0 && !ed.colonne.empty()) {
                    c = ed.colonne[rng() % ed.colonne.size()]; // duplicates too
                }
            }
            ed.colonne.push_back(c);
        }
        // The reference: empty columns out, then selection of the smallest remaining column,
        // masks compared team by team as unsigned bytes, exchanged into place.
        std::vector<Colonna> ref;
        for (const Colonna& c : ed.colonne) {
            if (!ColonnaVuota(c)) {
                ref.push_back(c);
            }
        }
        for (std::size_t i = 0; i < ref.size(); ++i) {
            std::size_t best = i;
            for (std::size_t j = i + 1; j < ref.size(); ++j) {
                for (int t = 0; t < kTeams; ++t) {
                    if (ref[j][t] != ref[best][t]) {
                        if (ref[j][t] < ref[best][t]) {
                            best = j;
                        }
                        break;
                    }
                }
            }
            std::swap(ref[i], ref[best]);
        }
        ed.Ordina();
        EXPECT_EQ(ed.colonne, ref) << round;
    }
}

TEST(ColumnEditor, SavingOnlyEmptyColumnsWritesAnEmptyFile) {
    test::TTestHome home;
    TEditorColonne ed;
    ed.colonne.resize(5);
    const auto path = home.Path() / "vuoto.col";
    ASSERT_TRUE(ed.NonVuote().SaveToFile(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    ed.colonne[3] = Col("012M012M012M");
    ASSERT_TRUE(ed.NonVuote().SaveToFile(path));
    EXPECT_EQ(test::ReadBytes(path), (std::vector<unsigned char>{1, 2, 4, 8, 1, 2, 4, 8, 1, 2, 4, 8}));
}

} // namespace
} // namespace tessaline
