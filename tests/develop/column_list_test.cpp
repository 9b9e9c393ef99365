#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "develop/merge.h"
#include "reference/develop_fixtures.h"
#include "reference/merge_reference.h"
#include "reference/merge_walk.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

Colonna FromText(const std::string& t) {
    Colonna c;
    for (int i = 0; i < 12; ++i) {
        c[i] = ParseSigns(std::string(1, t[static_cast<std::size_t>(i)]));
    }
    return c;
}

std::vector<std::string> Texts(const TListaColonne& l) {
    std::vector<std::string> out;
    for (const Colonna& c : l) {
        out.push_back(ColumnText(c));
    }
    return out;
}

TEST(ColumnList, AppendPrependKeepListOrder) {
    TListaColonne l;
    l.Append(FromText("111111111111"));
    l.Prepend(FromText("000000000000"));
    l.Append(FromText("222222222222"));
    for (int i = 0; i < 1000; ++i) {
        l.Prepend(FromText("MMMMMMMMMMMM"));
    }
    l.Prepend(FromText("0000000000M0"));
    ASSERT_EQ(l.Count(), 1004);
    EXPECT_EQ(ColumnText(l[0]), "0000000000M0");
    EXPECT_EQ(ColumnText(l[1001]), "000000000000");
    EXPECT_EQ(ColumnText(l[1002]), "111111111111");
    EXPECT_EQ(ColumnText(l[1003]), "222222222222");
    TListaColonne copy = l;
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(copy.Count(), 1004);
    copy.RemoveAt(0);
    EXPECT_EQ(ColumnText(copy[0]), "MMMMMMMMMMMM");
}

TEST(ColumnList, ExpansionOrder) {
    // A double in team 3 and a triple in team 8: 6 columns, team 3 changing slowest.
    Colonna c = FromText("000000000000");
    c[2] = kSign1 | kSign2;
    c[7] = kSign0 | kSign2 | kSignM;
    TListaColonne l;
    l.AppendExpanded(c, true);
    const std::vector<std::string> expected = {"001000000000", "001000020000", "0010000M0000",
                                               "002000000000", "002000020000", "0020000M0000"};
    EXPECT_EQ(Texts(l), expected);
    // An empty set yields nothing; the clear flag empties first.
    Colonna empty = c;
    empty[5] = 0;
    l.AppendExpanded(empty, false);
    EXPECT_EQ(l.Count(), 6);
    l.AppendExpanded(FromText("012M012M012M"), true);
    EXPECT_EQ(l.Count(), 1);
    // ExpandAll keeps list order, each entry expanded in place.
    TListaColonne two;
    Colonna a = FromText("000000000000");
    a[11] = kSign0 | kSignM;
    Colonna b = FromText("111111111111");
    b[0] = kSign1 | kSign2;
    two.Append(a);
    two.Append(b);
    two.ExpandAll();
    EXPECT_EQ(Texts(two),
              (std::vector<std::string>{"000000000000", "00000000000M", "111111111111", "211111111111"}));
    EXPECT_DOUBLE_EQ(ColumnsCost(two, 800), 3200);
    Merge(two, true, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(ColumnsCost(two, 800), 3200) << "a merged entry is priced with its coverage";
}

// The price of a list is the sum of each column's coverage, counted the long way: 2^doubles *
// 3^triples * 4^quadruples with the bits above the four signs ignored and an empty set counting 1.
// Single, multi-sign, empty and damaged bytes, in every position of the twelve.
TEST(ColumnCost, SumOfCoverageOverAnyBytes) {
    std::mt19937 rng(17);
    const auto longWay = [](const Colonna& c) {
        std::int64_t n = 1;
        for (int t = 0; t < kTeams; ++t) {
            int k = 0;
            for (int b = 0; b < 4; ++b) {
                k += (c[t] >> b) & 1;
            }
            n *= k == 0 ? 1 : k;
        }
        return n;
    };
    for (int kind = 0; kind < 4; ++kind) {
        TListaColonne list;
        std::int64_t expected = 0;
        for (int i = 0; i < 3000; ++i) {
            Colonna c;
            for (int t = 0; t < kTeams; ++t) {
                c[t] = static_cast<SignSet>(1 << (rng() % 4)); // single
            }
            const int at = static_cast<int>(rng() % kTeams);
            if (kind == 1) {
                c[at] = static_cast<SignSet>(rng() % 16); // multi-sign or empty
            } else if (kind == 2) {
                c[at] = static_cast<SignSet>(c[at] | (0x10 << (rng() % 4))); // a bit beyond the signs
            } else if (kind == 3) {
                c[at] = static_cast<SignSet>(rng() % 256);
            }
            expected += longWay(c);
            EXPECT_EQ(ColumnsCovered(c), longWay(c)) << ColumnText(c);
            list.Append(c);
        }
        EXPECT_DOUBLE_EQ(ColumnsCost(list, 800), 800.0 * static_cast<double>(expected)) << "kind " << kind;
    }
}

TEST(ColumnFile, ExactBytesBlocksAndTails) {
    test::TTestHome home;
    TListaColonne l;
    std::mt19937 rng(7);
    for (int i = 0; i < 2345; ++i) {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 + rng() % 15);
        }
        l.Append(c);
    }
    const fs::path file = home.Path() / "a.Col";
    ASSERT_TRUE(l.SaveToFile(file));
    std::vector<unsigned char> expected;
    for (const Colonna& c : l) {
        expected.insert(expected.end(), c.s.begin(), c.s.end());
    }
    EXPECT_EQ(test::ReadBytes(file), expected);

    TListaColonne back;
    ASSERT_TRUE(back.LoadFromFile(file, false, nullptr));
    EXPECT_EQ(Texts(back), Texts(l));

    // 25 bytes: two columns, the last byte ignored; 0 bytes: an empty list; exactly 12,000 bytes.
    std::vector<unsigned char> bytes(expected.begin(), expected.begin() + 25);
    test::WriteBytes(home.Path() / "b.Col", bytes);
    ASSERT_TRUE(back.LoadFromFile(home.Path() / "b.Col", false, nullptr));
    EXPECT_EQ(back.Count(), 2);
    test::WriteBytes(home.Path() / "c.Col", {});
    ASSERT_TRUE(back.LoadFromFile(home.Path() / "c.Col", false, nullptr));
    EXPECT_EQ(back.Count(), 0);
    test::WriteBytes(home.Path() / "d.Col",
                     std::vector<unsigned char>(expected.begin(), expected.begin() + 12000));
    ASSERT_TRUE(back.LoadFromFile(home.Path() / "d.Col", false, nullptr));
    EXPECT_EQ(back.Count(), 1000);

    // Reading with expansion; reading from a position after the start.
    TListaColonne multi;
    Colonna m = FromText("000000000000");
    m[0] = kSign0 | kSign1;
    multi.Append(FromText("111111111111"));
    multi.Append(m);
    ASSERT_TRUE(multi.SaveToFile(home.Path() / "e.Col"));
    std::FILE* f = std::fopen((home.Path() / "e.Col").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 12, SEEK_SET);
    ASSERT_TRUE(back.ReadFrom(f, true, nullptr));
    std::fclose(f);
    EXPECT_EQ(Texts(back), (std::vector<std::string>{"000000000000", "100000000000"}));

    // A missing file fails; an empty list saves an empty file.
    EXPECT_FALSE(back.LoadFromFile(home.Path() / "manca.Col", false, nullptr));
    TListaColonne none;
    ASSERT_TRUE(none.SaveToFile(home.Path() / "f.Col"));
    EXPECT_EQ(fs::file_size(home.Path() / "f.Col"), 0u);
}

TEST(ColumnFile, FailedSaveLeavesPreviousFile) {
    test::TTestHome home;
    const fs::path file = home.Path() / "keep.Col";
    TListaColonne one;
    one.Append(FromText("012M012M012M"));
    ASSERT_TRUE(one.SaveToFile(file));
    const auto before = test::ReadBytes(file);
    // A write that fails part-way (the file size limit stands in for a full disk): the save
    // fails, the previous file stays.
    TListaColonne many;
    for (int i = 0; i < 5000; ++i) {
        many.Append(FromText("111111111111"));
    }
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 30000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = many.SaveToFile(file);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::ReadBytes(file), before);
    // A write that fails part-way (a full device) reports failure.
    if (fs::exists("/dev/full")) {
        std::FILE* full = std::fopen("/dev/full", "wb");
        ASSERT_NE(full, nullptr);
        std::setvbuf(full, nullptr, _IONBF, 0);
        EXPECT_FALSE(many.WriteTo(full));
        std::fclose(full);
    }
}

// "Annulla" found at any look-up of a save, up to the last one before the commit: nothing is
// written, the previous file stays byte-identical and no temporary file is left; found after the
// last look-up, the save completes.
TEST(ColumnFile, StoppedSaveLeavesPreviousFile) {
    test::TTestHome home;
    const fs::path folder = home.Path() / "out";
    fs::create_directories(folder);
    TListaColonne many;
    for (int i = 0; i < 2500; ++i) {
        many.Append(FromText(i % 2 == 0 ? "111111111111" : "000000000000"));
    }
    // Column file: a look before the file, one per block of 1000 (3), one before the commit.
    // Text file: a look before the file, one per 14,000-byte chunk (2), one before the commit.
    struct TCase {
        bool text;
        std::int64_t from;
        TSaveStatus expected;
    };
    const TCase cases[] = {{false, 1, TSaveStatus::Cancelled}, {false, 3, TSaveStatus::Cancelled},
                           {false, 5, TSaveStatus::Cancelled}, {false, 6, TSaveStatus::Saved},
                           {true, 1, TSaveStatus::Cancelled},  {true, 3, TSaveStatus::Cancelled},
                           {true, 4, TSaveStatus::Cancelled},  {true, 5, TSaveStatus::Saved}};
    for (const auto& c : cases) {
        const fs::path file = folder / (c.text ? "keep.Txt" : "keep.Col");
        const std::vector<unsigned char> previous(12, 0x04);
        test::WriteBytes(file, previous);
        reference::TScriptedCancel cancel(c.from);
        const TSaveStatus status = c.text ? many.SaveText(file, &cancel) : many.SaveToFile(file, &cancel);
        EXPECT_EQ(status, c.expected) << c.text << " " << c.from;
        if (c.expected == TSaveStatus::Cancelled) {
            EXPECT_EQ(test::ReadBytes(file), previous) << c.text << " " << c.from;
        } else {
            EXPECT_EQ(fs::file_size(file), c.text ? 2500u * 14 : 2500u * 12);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << c.from;
        fs::remove(file);
    }
}

class TRecordingPrompt : public UserPrompt {
public:
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override {
        messages.push_back(title + "|" + text + "|" + std::to_string(buttons));
        return BtnOk;
    }
    std::vector<std::string> messages;
};

TEST(ColumnText, ExportImport) {
    test::TTestHome home;
    TListaColonne l;
    l.Append(FromText("0120M0120M01"));
    Colonna e = FromText("000000000000");
    e[3] = 0;
    l.Append(e);
    ASSERT_TRUE(l.SaveText(home.Path() / "a.Txt"));
    EXPECT_EQ(test::ReadText(home.Path() / "a.Txt"), "0120M0120M01\r\n000*00000000\r\n");

    const struct {
        const char* content;
        bool ok;
        std::vector<std::string> columns;
    } cases[] = {
        {"0 1 2 M 0 1 2 M 0 1 2 M\r\n", true, {"012M012M012M"}},
        {"01201201201\r\n0120120120120\r\n111111111111\r\n", true, {"111111111111"}},
        {"111111111111\r\n01201201201m\r\n222222222222\r\n", false, {"111111111111"}},
        {"11111111111\xE0\r\n", false, {}},
        {"111111111111\n222222222222", true, {"111111111111", "222222222222"}},
        {"012*012*012*\r\n", true, {"012*012*012*"}},
        {"", true, {}},
    };
    for (const auto& c : cases) {
        test::WriteBytes(home.Path() / "b.Txt",
                         std::vector<unsigned char>(c.content, c.content + std::strlen(c.content)));
        TListaColonne in;
        EXPECT_EQ(in.LoadText(home.Path() / "b.Txt", nullptr), c.ok) << c.content;
        EXPECT_EQ(Texts(in), c.columns) << c.content;
    }
    // A merged list exports lines longer than 12 characters, which an import skips.
    TListaColonne merged;
    Colonna w = FromText("111111111111");
    w[0] = kSign1 | kSign2;
    merged.Append(w);
    ASSERT_TRUE(merged.SaveText(home.Path() / "c.Txt"));
    TListaColonne in;
    EXPECT_TRUE(in.LoadText(home.Path() / "c.Txt", nullptr));
    EXPECT_EQ(in.Count(), 0);
    // A missing file is a read error, reported with the program's message.
    TRecordingPrompt prompt;
    EXPECT_FALSE(in.LoadText(home.Path() / "manca.Txt", &prompt));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0],
              "Informazione|Errore Di Lettura Sul File. Impossibile Leggere le Colonne.|1");
}

class TRecordingProgress : public TProgressSink {
public:
    void Begin(const std::string& caption) override { events.push_back("begin " + caption); }
    void SetCaption(const std::string& caption) override { events.push_back("caption " + caption); }
    void Aggiorna(int step, const std::string& name, double percent) override {
        if (model.Aggiorna(step, name, percent)) {
            events.push_back(model.Label() + " " + std::to_string(model.Gauge()));
        }
    }
    void End() override { events.push_back("end"); }
    TProgressModel model;
    std::vector<std::string> events;
};

TEST(Merge, JoinsSingleDifferencesAndReportsFactor) {
    TListaColonne l;
    for (const char* t : {"000010000000", "000020000000", "000000000000", "111111111111", "111111111111"}) {
        l.Append(FromText(t));
    }
    TRecordingProgress progress;
    const double factor = Merge(l, true, &progress, nullptr);
    // Team 5's three signs join into one column; identical columns stay apart.
    EXPECT_EQ(Texts(l), (std::vector<std::string>{"00000120000000", "111111111111", "111111111111"}));
    EXPECT_DOUBLE_EQ(factor, 5.0 / 3.0);
    ASSERT_GE(progress.events.size(), 4u);
    EXPECT_EQ(progress.events.front(), "begin Accorpamento In Corso..");
    EXPECT_EQ(progress.events[1], "caption Accorpamento in Corso");
    EXPECT_EQ(progress.events[2], "Passo 1 0");
    EXPECT_EQ(progress.events.back(), "end");

    // A widened column absorbs several others in one walk, in different teams one after the other;
    // a later pass joins what the widened columns now allow.
    TListaColonne chain;
    for (const char* t : {"000000000000", "100000000000", "110000000000", "010000000000", "220000000000"}) {
        chain.Append(FromText(t));
    }
    std::vector<Colonna> input(chain.begin(), chain.end());
    Merge(chain, true, nullptr, nullptr);
    EXPECT_EQ(Texts(chain), (std::vector<std::string>{"01010000000000", "220000000000"}));
    const auto ref = reference::Merge(input);
    EXPECT_EQ(std::vector<Colonna>(chain.begin(), chain.end()), ref);

    // Disabled: nothing changes. Empty list: factor 1, not 0/0.
    TListaColonne same = l;
    EXPECT_DOUBLE_EQ(Merge(same, false, nullptr, nullptr), 1.0);
    EXPECT_EQ(same.Count(), 3);
    TListaColonne none;
    EXPECT_DOUBLE_EQ(Merge(none, true, nullptr, nullptr), 1.0);
}

TEST(Merge, CancelKeepsJoinsMadeSoFar) {
    TListaColonne l;
    for (const char* t : {"000000000000", "000000000001", "111111111111", "111111111112"}) {
        l.Append(FromText(t));
    }
    TCancelFlag cancel;
    cancel.Request();
    EXPECT_DOUBLE_EQ(Merge(l, true, nullptr, &cancel), -1.0);
    // Only the first column's walk ran.
    EXPECT_EQ(Texts(l), (std::vector<std::string>{"0000000000001", "111111111111", "111111111112"}));
    EXPECT_TRUE(cancel.Peek()) << "the press is looked at, not removed";
}

TEST(Merge, MatchesReferenceOnRandomLists) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        const int n = 50 + static_cast<int>(rng() % 400);
        const bool multi = round % 3 == 0;
        std::vector<Colonna> input;
        for (int i = 0; i < n; ++i) {
            Colonna c;
            for (int t = 0; t < 12; ++t) {
                // Few teams vary, so that joins are frequent and chain across passes.
                c[t] = t < 8 ? kSign1 : static_cast<SignSet>(1 << (rng() % 4));
                if (multi && rng() % 5 == 0) {
                    c[t] = static_cast<SignSet>(c[t] | (1 << (rng() % 4)));
                }
            }
            if (multi || std::find(input.begin(), input.end(), c) == input.end()) {
                input.push_back(c);
            }
        }
        TListaColonne l;
        for (const Colonna& c : input) {
            l.Append(c);
        }
        const double factor = Merge(l, true, nullptr, nullptr);
        const auto ref = reference::Merge(input);
        ASSERT_EQ(std::vector<Colonna>(l.begin(), l.end()), ref) << "round " << round;
        EXPECT_DOUBLE_EQ(factor, static_cast<double>(input.size()) / static_cast<double>(ref.size()));
        // Merging loses no single column and adds none.
        std::int64_t covered = 0;
        for (const Colonna& c : ref) {
            covered += ColumnsCovered(c);
        }
        std::int64_t original = 0;
        for (const Colonna& c : input) {
            original += ColumnsCovered(c);
        }
        // A join covers exactly the union of its parts: nothing is added, and with distinct single
        // columns nothing is lost either.
        if (multi) {
            EXPECT_LE(covered, original);
        } else {
            EXPECT_EQ(covered, original);
        }
    }
}

} // namespace
} // namespace tessaline

namespace tessaline {
namespace {

// Cancels after a given number of looks.
class TCountdownCancel : public CancelProbe {
public:
    explicit TCountdownCancel(int looks) : looks_(looks) {}
    bool Peek() override { return --looks_ < 0; }
    bool Take() override { return Peek(); }

private:
    int looks_;
};

std::vector<Colonna> RandomColumns(std::mt19937& rng, int n, int kind) {
    std::vector<Colonna> input;
    const int varying = 2 + static_cast<int>(rng() % 6);
    for (int i = 0; i < n; ++i) {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = t < 12 - varying ? kSign2 : static_cast<SignSet>(1 << (rng() % 4));
            if (kind >= 1 && rng() % 6 == 0) {
                c[t] = static_cast<SignSet>(c[t] | (1 << (rng() % 4)));
            }
            if (kind == 2 && rng() % 40 == 0) {
                c[t] = static_cast<SignSet>(rng() % 256); // damaged bytes from a foreign file
            }
        }
        input.push_back(c);
    }
    return input;
}

TEST(Merge, IndexedWalkMatchesFullWalkWithProgressAndCancel) {
    std::mt19937 rng(777);
    for (int round = 0; round < 120; ++round) {
        // Odd rounds take the lean pass that large lists use.
        const std::size_t fastColumns = round % 2 == 0 ? std::size_t{2'000'000} : 0;
        const int n = 1 + static_cast<int>(rng() % 700);
        const auto input = RandomColumns(rng, n, round % 3);
        TListaColonne fast;
        TListaColonne slow;
        fast.AppendRange(input.data(), input.size());
        slow.AppendRange(input.data(), input.size());
        TRecordingProgress fastProgress;
        TRecordingProgress slowProgress;
        const int looks = round % 4 == 0 ? static_cast<int>(rng() % (n + 1)) : 1 << 30;
        TCountdownCancel fastCancel(looks);
        TCountdownCancel slowCancel(looks);
        const double f = Merge(fast, true, &fastProgress, &fastCancel, fastColumns);
        const double r = reference::MergeWalk(slow, &slowProgress, &slowCancel);
        ASSERT_EQ(f, r) << "round " << round;
        ASSERT_EQ(std::vector<Colonna>(fast.begin(), fast.end()),
                  std::vector<Colonna>(slow.begin(), slow.end()))
            << "round " << round;
        ASSERT_EQ(fastProgress.events, slowProgress.events) << "round " << round;
        if (looks == 1 << 30) {
            ASSERT_EQ(std::vector<Colonna>(fast.begin(), fast.end()), reference::Merge(input))
                << "round " << round;
        }
    }
}

} // namespace
} // namespace tessaline
