// Column text files cut short or with damaged bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/column_list.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

// The reading rule written out plainly: lines end at LF (a CR before it is dropped); spaces are
// removed; a line of other than 12 characters is skipped; 0 1 2 M * are the signs and anything else
// stops the reading with failure, keeping the columns read so far.
struct TLettura {
    bool ok = true;
    std::vector<std::string> columns;
};

TLettura Reference(const std::string& text) {
    TLettura r;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::string packed;
        for (char ch : line) {
            if (ch != ' ') {
                packed.push_back(ch);
            }
        }
        if (packed.size() != 12) {
            continue;
        }
        if (packed.find_first_not_of("012M*") != std::string::npos) {
            r.ok = false;
            return r;
        }
        r.columns.push_back(packed);
    }
    return r;
}

std::vector<std::string> Texts(const TListaColonne& l) {
    std::vector<std::string> out;
    for (const Colonna& c : l) {
        out.push_back(ColumnText(c));
    }
    return out;
}

TEST(ColumnText, TruncatedAndCorruptedFiles) {
    test::TTestHome home;
    std::mt19937 random(77);
    TListaColonne list;
    std::vector<std::string> texts;
    for (int i = 0; i < 60; ++i) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            c[t] = random() % 9 == 0 ? SignSet{0} : static_cast<SignSet>(1 << (random() % 4));
        }
        list.Append(c);
        texts.push_back(ColumnText(c));
    }
    const fs::path file = home.Path() / "colonne.Txt";
    ASSERT_TRUE(list.SaveText(file));
    const std::string whole = test::ReadText(file);
    ASSERT_EQ(whole.size(), 60u * 14);

    // Cut anywhere: the whole lines before the cut, and a last line that kept its 12 signs.
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        test::WriteBytes(file,
                         std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(n)));
        TListaColonne in;
        ASSERT_TRUE(in.LoadText(file, nullptr)) << n;
        const std::size_t expected = n / 14 + (n % 14 >= 12 ? 1 : 0);
        ASSERT_EQ(Texts(in),
                  std::vector<std::string>(texts.begin(), texts.begin() + static_cast<long>(expected)))
            << n;
    }

    // Damaged bytes: the reading follows the rule, never more and never less.
    const char likely[] = {' ', '\r', '\n', '0', '1', '2', 'M', 'm', '*', 'x', '\0'};
    int failures = 0;
    for (int round = 0; round < 600; ++round) {
        std::string bad = whole;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < changes; ++k) {
            const std::size_t at = random() % bad.size();
            bad[at] = round % 2 == 0 ? likely[random() % sizeof likely] : static_cast<char>(random() & 0xFF);
        }
        test::WriteBytes(file, std::vector<unsigned char>(bad.begin(), bad.end()));
        TListaColonne in;
        const TLettura expected = Reference(bad);
        ASSERT_EQ(in.LoadText(file, nullptr), expected.ok) << round;
        ASSERT_EQ(Texts(in), expected.columns) << round;
        failures += expected.ok ? 0 : 1;
    }
    // Both outcomes were exercised.
    EXPECT_GT(failures, 0);
    EXPECT_LT(failures, 600);
}

} // namespace
} // namespace tessaline
