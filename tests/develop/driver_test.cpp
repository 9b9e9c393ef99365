#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>

#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/errors.h"
#include "core/paths.h"
#include "develop/driver.h"
#include "reduce/optimised.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

using reference::Col;
using reference::Columns;
using reference::Expansion;
using reference::Forecast;
using reference::TRecordingProgress;
using reference::TReport;

std::vector<Colonna> Enumerated(const Pronostico& f) {
    std::vector<Colonna> out;
    EnumerateForecast(f, TEnumMode::Develop, nullptr, [&](const Colonna& c) { out.push_back(c); });
    return out;
}

// Accepts the columns whose team 1 holds the sign 0; counts its calls.
class TTeamOneZero : public TColumnAcceptor {
public:
    void PrepareRun() override { ++prepared; }
    bool Accept(const Colonna& c) override {
        ++asked;
        return c[0] == kSign0;
    }
    bool InForce() const override { return inForce; }
    bool inForce = true;
    int prepared = 0;
    std::int64_t asked = 0;
};

struct TFixture {
    TFixture() { PrepareProgramDir(false); }
    test::TTestHome home;
    T_Sistema sys;
    TRecordingProgress progress;
    TFixedAnswerPrompt prompt{true};
    TDevelopHooks Hooks(CancelProbe* cancel = nullptr) { return {&progress, &prompt, cancel}; }
    TDevelopResult Develop(CancelProbe* cancel = nullptr) { return DevelopSystem(sys, Hooks(cancel)); }
    fs::path Colonne() { return FolderPath(TFolder::Colonne); }
};

TEST(DevelopSystem, PlainRunKeepsEveryColumnInEnumerationOrder) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("1 0 12 1 2 1 0 M 12 01 1 0");
    const auto r = fx.Develop();
    EXPECT_EQ(Columns(fx.sys.Colonne), Expansion(fx.sys.dati.Forecast));
    EXPECT_EQ(r.total, 8);
    EXPECT_EQ(r.accepted, 8);
    EXPECT_EQ(fx.sys.dati.finalCount, 8);
    EXPECT_EQ(fx.sys.dati.columnsValid, 1);
    EXPECT_EQ(r.previousCount, 8);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(fx.progress.states.front(), "Elaborazione in Corso...");
    EXPECT_EQ(fx.progress.states.back().rfind("Elaborazione Terminata.   Tempo Impiegato : ", 0), 0u);

    fx.sys.dati.Forecast = Forecast("0 0 0 0 0 0 0 0 0 0 0 0");
    fx.Develop();
    ASSERT_EQ(fx.sys.Colonne.Count(), 1);
    EXPECT_EQ(ColumnText(fx.sys.Colonne[0]), "000000000000");
}

TEST(DevelopSystem, ProgressEvery201ColumnsAndFinalReports) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("0 0 0 0 012M 012M 012M 012M 0 0 0 0"); // 256 columns
    fx.sys.dati.sviluppo.Passes = 3;                                        // without reduction one pass only
    fx.Develop();
    const std::vector<TReport> expected = {
        {'C', true, 256, 0, 0, 0}, {'C', false, 256, 201, 201, 0}, {'C', true, 256, 256, 256, 0}};
    EXPECT_EQ(fx.progress.reports, expected);
    EXPECT_EQ(fx.progress.states.front(), "Elaborazione in Corso... Passo 1");
}

TEST(DevelopSystem, ConditionsAskedOnlyWhenInUse) {
    TFixture fx;
    TTeamOneZero cond;
    fx.sys.Condizioni = &cond;
    fx.sys.dati.Forecast = Forecast("012 1 1 1 1 1 1 1 1 1 1 01");
    auto r = fx.Develop();
    EXPECT_EQ(cond.prepared, 1);
    EXPECT_EQ(cond.asked, 6);
    EXPECT_EQ(fx.sys.Colonne.Count(), 2);
    EXPECT_EQ(r.total, 6);
    EXPECT_EQ(r.accepted, 2);
    fx.sys.dati.sviluppo.UseConditions = 0;
    r = fx.Develop();
    EXPECT_EQ(cond.prepared, 2);
    EXPECT_EQ(cond.asked, 6);
    EXPECT_EQ(fx.sys.Colonne.Count(), 6);
    // A set that reports nothing in force after its preparation is not asked about any column.
    fx.sys.dati.sviluppo.UseConditions = 1;
    cond.inForce = false;
    r = fx.Develop();
    EXPECT_EQ(cond.prepared, 3);
    EXPECT_EQ(cond.asked, 6);
    EXPECT_EQ(Columns(fx.sys.Colonne), Expansion(fx.sys.dati.Forecast));
}

// Into memory and straight to a file, with and without the system's condition set, the runs give
// the same columns and the same progress reports; the file run knows what it wrote.
TEST(DevelopSystem, PlainRunsReportAlikeInMemoryAndToAFile) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012M 012M 012M 012M 012M 12 1 1 1 1 1 1"); // 2048, three blocks
    fx.Develop();
    const auto inMemory = Columns(fx.sys.Colonne);
    const auto memoryReports = fx.progress.reports;
    EXPECT_EQ(inMemory, Enumerated(fx.sys.dati.Forecast));

    fx.sys.dati.sviluppo.DestinationMemory = 0;
    fx.sys.dati.sviluppo.DestinationFile = "piano.Col";
    for (TColumnAcceptor* set : {fx.sys.Condizioni, static_cast<TColumnAcceptor*>(nullptr)}) {
        fx.sys.Condizioni = set;
        fx.progress.reports.clear();
        const auto r = fx.Develop();
        EXPECT_EQ(fx.progress.reports, memoryReports);
        EXPECT_EQ(r.writtenColumns, 2048);
        EXPECT_EQ(r.writtenSingles, 2048);
        EXPECT_TRUE(r.singleColumns);
        TListaColonne file;
        ASSERT_TRUE(file.LoadFromFile(fx.Colonne() / "piano.Col", false, nullptr));
        EXPECT_EQ(Columns(file), inMemory);
    }
}

// Teams 3 (012, base 1) and 6 (12, base 2) are integral; team 9 (a fixed sign) and team 10 (base
// outside its set) lose their bases.
void SetIntegral(T_Sistema& sys) {
    sys.dati.Forecast = Forecast("01 0 012 1 1 12 1 1 2 01 1 0M");
    auto& b = sys.dati.sviluppo.IntegralBases;
    b = {};
    b[2] = kSign1;
    b[5] = kSign2;
    b[8] = kSign2;
    b[9] = kSignM;
}

std::vector<Colonna> IntegralExpected(const Pronostico& f) {
    // Developed on the bases, each column becomes the 6 columns of the integral teams.
    Pronostico dev = f;
    dev[2] = kSign1;
    dev[5] = kSign2;
    std::vector<Colonna> out;
    for (Colonna c : Enumerated(dev)) {
        c[2] = f[2];
        c[5] = f[5];
        for (const Colonna& s : Expansion(c)) {
            out.push_back(s);
        }
    }
    return out;
}

TEST(DevelopSystem, IntegralTeamsDevelopOnTheirBasesAndComeBack) {
    TFixture fx;
    SetIntegral(fx.sys);
    const auto r = fx.Develop();
    EXPECT_EQ(r.integralMultiplier, 6);
    EXPECT_EQ(fx.sys.dati.sviluppo.IntegralBases[8], 0);
    EXPECT_EQ(fx.sys.dati.sviluppo.IntegralBases[9], 0);
    EXPECT_EQ(fx.sys.dati.sviluppo.IntegralBases[2], kSign1);
    const auto expected = IntegralExpected(fx.sys.dati.Forecast);
    ASSERT_EQ(expected.size(), 48u);
    EXPECT_EQ(Columns(fx.sys.Colonne), expected);
    // Consecutive, varying only in the integral teams: team 3 slowest, signs 0, 1, 2, M.
    EXPECT_EQ(ColumnText(fx.sys.Colonne[0]), "000111112010");
    EXPECT_EQ(ColumnText(fx.sys.Colonne[1]), "000112112010");
    EXPECT_EQ(ColumnText(fx.sys.Colonne[2]), "001111112010");
    EXPECT_EQ(ColumnText(fx.sys.Colonne[6]), "00011111201M");
    EXPECT_EQ(r.total, 48);
    EXPECT_EQ(r.accepted, 48);
    EXPECT_EQ(fx.sys.dati.finalCount, 8); // the document counts developed columns
    // Every count handed to the window is multiplied by the integral factor.
    const auto finals = fx.progress.Finals('C');
    ASSERT_FALSE(finals.empty());
    EXPECT_EQ(finals.back(), (TReport{'C', true, 48, 48, 48, 0}));

    // In pair mode the bases play no part.
    fx.sys.dati.sviluppo.PairMode = 1;
    fx.sys.dati.sviluppo.PairTable = {};
    for (auto& m : fx.sys.dati.sviluppo.PairTable.p) {
        m[5] = 1;
    }
    EXPECT_EQ(fx.Develop().integralMultiplier, 1);
    ASSERT_EQ(fx.sys.Colonne.Count(), 1);
    EXPECT_EQ(ColumnText(fx.sys.Colonne[0]), "111111111111");
}

TEST(DevelopSystem, DestinationFileHoldsWhatMemoryWouldHold) {
    TFixture fx;
    SetIntegral(fx.sys);
    fx.Develop();
    const auto inMemory = Columns(fx.sys.Colonne);

    const fs::path dest = fx.Colonne() / "uscita.Col";
    fx.sys.dati.sviluppo.DestinationMemory = 0;
    fx.sys.dati.sviluppo.DestinationFile = "uscita.Col"; // a bare name goes to the column folder
    const auto r = fx.Develop();
    EXPECT_TRUE(fx.sys.Colonne.Empty());
    EXPECT_EQ(fx.sys.dati.finalCount, 0);
    EXPECT_EQ(r.previousCount, 8);
    EXPECT_EQ(r.accepted, 48);
    TListaColonne file;
    ASSERT_TRUE(file.LoadFromFile(dest, false, nullptr));
    EXPECT_EQ(Columns(file), inMemory);

    // More than one block of 1000, no integral teams: the file is the enumeration.
    fx.sys.dati.sviluppo.IntegralBases = {};
    fx.sys.dati.Forecast = Forecast("012M 012M 012M 012M 012M 12 1 1 1 1 1 1"); // 2048
    fx.Develop();
    ASSERT_TRUE(file.LoadFromFile(dest, false, nullptr));
    EXPECT_EQ(Columns(file), Enumerated(fx.sys.dati.Forecast));

    // A destination that cannot be written is reported and leaves nothing half-written.
    fx.sys.dati.sviluppo.DestinationFile = (fx.home.Path() / "manca" / "x.Col").string();
    EXPECT_THROW(fx.Develop(), EInOutError);
    EXPECT_FALSE(fs::exists(fx.home.Path() / "manca"));
}

TEST(DevelopSystem, StoppedEnumerationKeepsNothing) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 1 1");
    reference::TScriptedCancel cancel(5);
    const auto r = fx.Develop(&cancel);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(fx.sys.Colonne.Empty());
    EXPECT_EQ(fx.progress.closed, 1);
    EXPECT_EQ(cancel.looks, 5);

    // To a destination file: the previous file stays as it was, with no temporary file beside it.
    const fs::path dest = fx.Colonne() / "DefDest.Col";
    const std::vector<unsigned char> previous(36, 0x01);
    test::WriteBytes(dest, previous);
    fx.sys.dati.sviluppo.DestinationMemory = 0;
    reference::TScriptedCancel again(5);
    EXPECT_TRUE(fx.Develop(&again).stopped);
    EXPECT_EQ(test::ReadBytes(dest), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(fx.Colonne()), fs::directory_iterator()), 1);
}

// Every setting the system file stores, as one comparable value.
auto SettingsOf(const T_Sistema& sys) {
    const auto& d = sys.dati.sviluppo;
    return std::make_tuple(d.UseConditions, d.ReducedDevelopment, d.MinDistanceMode, d.DestinationMemory,
                           d.OptimisedReduction, d.Guarantee, d.MinDistance, d.Passes, d.DestinationFile,
                           d.AutoRecalc, d.RealCalculation, d.IntegralBases, d.PairMode,
                           sys.dati.SourceForecast, sys.dati.SourceFile, sys.dati.Forecast);
}

std::vector<fs::path> FolderEntries(const fs::path& folder) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        out.push_back(e.path().filename());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Runs that end early, by an error or by "Annulla", never change a setting of the system, and the
// previous destination file stays byte-identical with no temporary file left.
TEST(DevelopSystem, FailedOrStoppedRunsLeaveTheSettings) {
    struct TCase {
        const char* what;
        std::uint8_t reduced, optimised, minDistanceMode, passes, guarantee;
        bool missingFolder;      // the destination's folder does not exist: the save fails
        std::int64_t cancelFrom; // 0: no "Annulla"; else the look-up that finds it
    };
    const TCase cases[] = {
        {"small system, save fails", 1, 0, 0, 1, 4, true, 0},
        {"optimised, save fails", 1, 1, 0, 1, 5, true, 0},
        {"on the fly, save fails", 1, 0, 0, 2, 5, true, 0},
        {"minimum distance, save fails", 1, 0, 1, 1, 4, true, 0},
        {"plain, save fails", 0, 0, 0, 1, 4, true, 0},
        {"small system, stopped enumerating", 1, 0, 0, 1, 4, false, 3},
        {"on the fly, stopped enumerating", 1, 0, 0, 3, 5, false, 3},
        {"plain, stopped enumerating", 0, 0, 0, 1, 4, false, 3},
        // 64 look-ups complete the enumeration; the 65th comes before anything is committed.
        {"small system, stopped before the file", 1, 0, 0, 1, 4, false, 65},
        {"plain, stopped before the file", 0, 0, 0, 1, 4, false, 65},
    };
    for (const auto& tc : cases) {
        TFixture fx;
        fx.sys.dati.Forecast = Forecast("012M 012M 012M 1 1 1 1 1 1 1 1 0"); // 64 look-ups of 1 column
        auto& dev = fx.sys.dati.sviluppo;
        dev.ReducedDevelopment = tc.reduced;
        dev.OptimisedReduction = tc.optimised;
        dev.MinDistanceMode = tc.minDistanceMode;
        dev.Passes = tc.passes;
        dev.Guarantee = tc.guarantee;
        dev.DestinationMemory = 0;
        const fs::path dest = tc.missingFolder ? fx.home.Path() / "manca" / "x.Col" : fx.Colonne() / "x.Col";
        dev.DestinationFile = dest.string();
        const std::vector<unsigned char> previous(24, 0x02);
        if (!tc.missingFolder) {
            test::WriteBytes(dest, previous);
        }
        fx.sys.Colonne.Append(Col("000000000000")); // from an earlier run
        const auto before = SettingsOf(fx.sys);
        const auto entries = FolderEntries(fx.Colonne());

        reference::TScriptedCancel cancel(tc.cancelFrom);
        if (tc.missingFolder) {
            EXPECT_THROW(fx.Develop(), EInOutError) << tc.what;
            // An error applies nothing: the earlier columns stay.
            EXPECT_EQ(Columns(fx.sys.Colonne), std::vector<Colonna>{Col("000000000000")}) << tc.what;
        } else {
            EXPECT_TRUE(fx.Develop(&cancel).stopped) << tc.what;
            EXPECT_EQ(test::ReadBytes(dest), previous) << tc.what;
            EXPECT_EQ(fx.sys.dati.columnsValid, 1) << tc.what;
        }
        EXPECT_TRUE(SettingsOf(fx.sys) == before) << tc.what;
        EXPECT_EQ(FolderEntries(fx.Colonne()), entries) << tc.what;
    }
}

void WriteColumns(const fs::path& p, std::size_t n, std::size_t extraBytes = 0) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < n; ++i) {
        Colonna c = Col("000000000000");
        c[0] = static_cast<SignSet>(1 << (i % 2));
        c[11] = static_cast<SignSet>(1 << ((i / 2) % 4));
        c[5] = static_cast<SignSet>(1 << ((i / 8) % 4));
        bytes.insert(bytes.end(), c.s.begin(), c.s.end());
    }
    bytes.insert(bytes.end(), extraBytes, 0x01);
    test::WriteBytes(p, bytes);
}

TEST(DevelopSystem, SourceFileBlocksAndRemainders) {
    TFixture fx;
    fx.sys.dati.SourceForecast = 0;
    fx.sys.dati.SourceFile = "sorgente.Col";
    const fs::path src = fx.Colonne() / "sorgente.Col";
    TTeamOneZero cond;
    fx.sys.Condizioni = &cond;
    struct TCase {
        std::size_t columns, extra;
        std::int64_t total, accepted;
    };
    const TCase cases[] = {{1000, 0, 1000, 500}, {2, 1, 2, 1}, {0, 0, 0, 0}, {2500, 11, 2500, 1250}};
    for (const auto& c : cases) {
        WriteColumns(src, c.columns, c.extra);
        cond.asked = 0;
        fx.progress.reports.clear();
        const auto r = fx.Develop();
        EXPECT_EQ(r.total, c.total) << c.columns;
        EXPECT_EQ(r.accepted, c.accepted) << c.columns;
        EXPECT_EQ(cond.asked, c.total) << c.columns;
        ASSERT_EQ(fx.sys.Colonne.Count(), c.accepted);
        TListaColonne file;
        ASSERT_TRUE(file.LoadFromFile(src, false, nullptr));
        std::vector<Colonna> expected;
        for (const Colonna& col : file) {
            if (col[0] == kSign0) {
                expected.push_back(col);
            }
        }
        EXPECT_EQ(Columns(fx.sys.Colonne), expected);
        // One report per column, plus the opening and the closing one.
        std::size_t perColumn = 0;
        for (const auto& rep : fx.progress.reports) {
            perColumn += rep.kind == 'C' && !rep.final ? 1 : 0;
        }
        EXPECT_GE(perColumn, static_cast<std::size_t>(c.total));
        EXPECT_EQ(fx.progress.Finals('C').back(), (TReport{'C', true, c.total, c.accepted, c.total, 0}));
    }

    // Stopped after 7 columns: what was accepted so far stays.
    WriteColumns(src, 100);
    reference::TScriptedCancel cancel(7);
    const auto r = fx.Develop(&cancel);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(fx.sys.Colonne.Count(), 4);

    fs::remove(src);
    EXPECT_THROW(fx.Develop(), EInOutError);
    try {
        fx.Develop();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare il File di Combinazioni");
    }
}

// A source column with no sign in two matches cannot be covered: the optimised reduction keeps it
// once, ends, and says how many such columns there were.
TEST(DevelopSystem, OptimisedReductionOfUncoverableSourceColumnsEnds) {
    TFixture fx;
    fx.sys.dati.SourceForecast = 0;
    fx.sys.dati.SourceFile = "sorgente.Col";
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.OptimisedReduction = 1;
    dev.Guarantee = 5;
    const std::vector<unsigned char> hostile = {0x00, 0x02, 0x04, 0x08, 0x01, 0x02,
                                                0x04, 0x08, 0x01, 0x02, 0x00, 0x08};
    std::vector<unsigned char> bytes = hostile;
    for (int i = 0; i < 3; ++i) {
        for (int t = 0; t < kTeams; ++t) {
            bytes.push_back(static_cast<unsigned char>(t == kTeams - 1 ? 1 << i : 1 << (t % 4)));
        }
    }
    for (unsigned char b : hostile) {
        bytes.push_back(b);
    }
    test::WriteBytes(fx.Colonne() / "sorgente.Col", bytes);
    const auto r = fx.Develop();
    EXPECT_TRUE(r.reduced);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.uncovered, 1);
    const auto got = Columns(fx.sys.Colonne);
    ASSERT_EQ(got.size(), 2U); // one column covers the three that differ in one team; the other is kept
    EXPECT_EQ(std::vector<unsigned char>(got[1].s.begin(), got[1].s.end()), hostile);
    EXPECT_EQ(fx.prompt.LastTitle(), "Informazione");
    EXPECT_EQ(fx.prompt.LastText(), UncoveredMessage(1));
    EXPECT_NE(UncoveredMessage(3).find("3 colonne non possono essere coperte"), std::string::npos);
}

// The kept columns of a run of the forecast, checked against the guarantee and the keep rules.
TEST(DevelopSystem, OnTheFlyGuaranteeOnePass) {
    struct TCase {
        const char* forecast;
        int g;
    };
    // Large enough that the small-system rule stays off.
    const TCase cases[] = {{"012M 012M 012M 012M 012M 012M 012M 0 0 0 0 0", 5},
                           {"012M 012M 012M 012M 012M 012M 012M 01 1 0 1 0", 4}};
    for (const auto& tc : cases) {
        TFixture fx;
        fx.sys.dati.Forecast = Forecast(tc.forecast);
        auto& dev = fx.sys.dati.sviluppo;
        dev.ReducedDevelopment = 1;
        dev.Guarantee = static_cast<std::uint8_t>(tc.g);
        const auto r = fx.Develop();
        EXPECT_FALSE(r.reduced) << tc.forecast;
        EXPECT_EQ(dev.OptimisedReduction, 0);
        const auto space = Enumerated(fx.sys.dati.Forecast);
        const auto kept = Columns(fx.sys.Colonne);
        ASSERT_FALSE(kept.empty());
        EXPECT_TRUE(reference::GuaranteeHolds(space, kept, tc.g)) << tc.forecast;
        // Kept columns reach one another with fewer than G points; the first column of the
        // development is kept first, so it comes last.
        for (std::size_t i = 0; i < kept.size(); ++i) {
            for (std::size_t j = i + 1; j < kept.size(); ++j) {
                ASSERT_LT(Points(kept[i], kept[j]), tc.g);
            }
        }
        EXPECT_EQ(kept.back(), space.front());
        EXPECT_EQ(r.accepted, static_cast<std::int64_t>(space.size()));
        const auto rid = fx.progress.Finals('R');
        ASSERT_FALSE(rid.empty());
        EXPECT_EQ(rid.back().c, static_cast<std::int64_t>(kept.size()));
    }
}

TEST(DevelopSystem, OnTheFlyGuaranteeSeveralPasses) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012M 012M 012M 012M 012M 012M 0 0 0 0 0 0");
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.Guarantee = 5;
    dev.Passes = 3; // several passes: the small-system rule does not apply
    fx.Develop();
    const auto kept = Columns(fx.sys.Colonne);
    const std::set<std::vector<SignSet>> distinct = [&] {
        std::set<std::vector<SignSet>> s;
        for (const auto& c : kept) {
            s.insert({c.s.begin(), c.s.end()});
        }
        return s;
    }();
    EXPECT_EQ(distinct.size(), kept.size()); // nobody is kept twice
    EXPECT_TRUE(reference::GuaranteeHolds(Enumerated(fx.sys.dati.Forecast), kept, 5));

    // Pass 1 (with its second look) gives the tail of the list: columns within G - 1 points of one
    // another. Every column before it was admitted by pass 2 or 3: when it was kept, fewer than 3
    // earlier kept columns reached it with exactly 5 points and none with 6.
    std::size_t pass1 = kept.size();
    while (pass1 > 0) {
        bool close = false;
        for (std::size_t j = pass1; j < kept.size() && !close; ++j) {
            close = Points(kept[pass1 - 1], kept[j]) >= 5;
        }
        if (close) {
            break;
        }
        --pass1;
    }
    ASSERT_GT(pass1, 0u);
    ASSERT_LT(pass1, kept.size());
    for (std::size_t i = 0; i < pass1; ++i) {
        int exact = 0;
        for (std::size_t j = i + 1; j < kept.size(); ++j) {
            const int p = Points(kept[i], kept[j]);
            ASSERT_LE(p, 5);
            exact += p == 5 ? 1 : 0;
        }
        EXPECT_LT(exact, 3) << i;
    }
    EXPECT_EQ(fx.progress.states[0], "Elaborazione in Corso... Passo 1");
    EXPECT_EQ(fx.progress.states[2], "Elaborazione in Corso... Passo 3");
}

TEST(DevelopSystem, MinimumDistance) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012 012 012 012 012 012 0 1 0 0 1 1");
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.MinDistanceMode = 1;
    const auto space = Enumerated(fx.sys.dati.Forecast);
    for (int dm : {2, 3, 4, 7, 10}) {
        dev.MinDistance = static_cast<std::uint8_t>(dm);
        const auto r = fx.Develop();
        EXPECT_FALSE(r.reduced);
        const auto kept = Columns(fx.sys.Colonne);
        ASSERT_FALSE(kept.empty());
        EXPECT_EQ(kept.back(), space.front()) << dm;
        if (dm >= 7) {
            EXPECT_EQ(kept.size(), 1u);
            continue;
        }
        for (std::size_t i = 0; i < kept.size(); ++i) {
            for (std::size_t j = i + 1; j < kept.size(); ++j) {
                ASSERT_GE(WrongMatches(kept[i], kept[j]), dm);
            }
        }
        // Greedy in development order: every refused column is too close to a kept one.
        for (const Colonna& c : space) {
            bool close = false;
            for (const Colonna& k : kept) {
                close = close || WrongMatches(k, c) < dm;
            }
            ASSERT_TRUE(close);
        }
    }
}

TEST(DevelopSystem, OptimisedRunMatchesTheReducerOnTheDevelopedList) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012 012 012 012 012 012 012 0 1 1 1 0");
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.OptimisedReduction = 1;
    dev.Guarantee = 5;
    const auto r = fx.Develop();
    EXPECT_TRUE(r.reduced);
    EXPECT_EQ(dev.OptimisedReduction, 1);
    TListaColonne expected;
    for (const Colonna& c : Enumerated(fx.sys.dati.Forecast)) {
        expected.Append(c);
    }
    ReduceOptimisedReference(expected, OptimisedParamsFor(fx.sys.dati.Forecast, false, 1, false), nullptr,
                             nullptr);
    EXPECT_EQ(Columns(fx.sys.Colonne), Columns(expected));
    EXPECT_TRUE(reference::GuaranteeHolds(Enumerated(fx.sys.dati.Forecast), Columns(fx.sys.Colonne), 5));
    EXPECT_EQ(fx.sys.dati.finalCount, 2187);
    EXPECT_EQ(fx.progress.states[1], "Autoriduzione In Corso...");
    EXPECT_EQ(fx.progress.states[2], "Autoriduzione in Corso : Fase 1");
    EXPECT_EQ(fx.prompt.Count(), 0);
}

TEST(DevelopSystem, SmallSystemRuleSwitchesOnForOneRun) {
    struct TCase {
        const char* forecast; // columns
        int g;
        bool small;
    };
    const TCase cases[] = {
        {"012 012 012 012 012 01 01 01 01 01 1 1", 5, true},        // 7776 < 8000
        {"012M 012M 012M 012M 012M 012M 01 1 1 1 1 1", 5, false},   // 8192
        {"012M 012M 012M 012M 012M 012M 01 012 1 1 1 1", 4, true},  // 24576 < 25000
        {"012M 012M 012M 012M 012M 012 012 012 1 1 1 1", 4, false}, // 27648
    };
    for (const auto& tc : cases) {
        TFixture fx;
        fx.sys.dati.Forecast = Forecast(tc.forecast);
        auto& dev = fx.sys.dati.sviluppo;
        dev.ReducedDevelopment = 1;
        dev.Guarantee = static_cast<std::uint8_t>(tc.g);
        const auto r = fx.Develop();
        EXPECT_EQ(r.reduced, tc.small) << tc.forecast;
        EXPECT_EQ(dev.OptimisedReduction, 0) << tc.forecast;
        EXPECT_TRUE(
            reference::GuaranteeHolds(Enumerated(fx.sys.dati.Forecast), Columns(fx.sys.Colonne), tc.g));
        if (tc.small) {
            TListaColonne expected;
            for (const Colonna& c : Enumerated(fx.sys.dati.Forecast)) {
                expected.Append(c);
            }
            ReduceOptimisedReference(
                expected, OptimisedParamsFor(fx.sys.dati.Forecast, false, 6 - tc.g, true), nullptr, nullptr);
            EXPECT_EQ(Columns(fx.sys.Colonne), Columns(expected)) << tc.forecast;
        }
    }
}

TEST(DevelopSystem, SizeQuestionBeforeALargeOptimisedReduction) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("012M 012M 012M 012M 012M 012M 01 012 1 1 1 1"); // 24576
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.OptimisedReduction = 1;
    dev.Guarantee = 5;
    TFixedAnswerPrompt no(false);
    const auto r = DevelopSystem(fx.sys, {&fx.progress, &no, nullptr});
    EXPECT_EQ(no.Count(), 1);
    EXPECT_EQ(no.LastTitle(), "Informazione");
    EXPECT_EQ(no.LastText(), "La riduzione ottimizzata è estremamente lenta ed andrebbe  utilizzata solo per "
                             "piccoli sistemi. Continuare ? ");
    EXPECT_TRUE(r.declined);
    EXPECT_FALSE(r.reduced);
    EXPECT_EQ(fx.sys.Colonne.Count(), 24576);
}

TEST(DevelopSystem, ReducedRunToAFileIsDoneInMemory) {
    TFixture fx;
    SetIntegral(fx.sys);
    auto& dev = fx.sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.Guarantee = 5;
    fx.Develop();
    const auto inMemory = Columns(fx.sys.Colonne);
    EXPECT_EQ(inMemory.size() % 6, 0u);

    dev.DestinationMemory = 0;
    dev.DestinationFile = "ridotte.Col";
    fx.Develop();
    EXPECT_EQ(dev.DestinationMemory, 0);
    EXPECT_EQ(dev.OptimisedReduction, 0);
    EXPECT_TRUE(fx.sys.Colonne.Empty());
    TListaColonne file;
    ASSERT_TRUE(file.LoadFromFile(fx.Colonne() / "ridotte.Col", false, nullptr));
    EXPECT_EQ(Columns(file), inMemory);
}

TEST(DevelopSystem, RecalculationPanelCalls) {
    TFixture fx;
    fx.sys.dati.Forecast = Forecast("01 01 0 0 0 0 0 0 0 0 0 0");
    TDevelopRequest request = TDevelopRequest::Of(fx.sys);
    request.recalculation = true;
    RunDevelopment(request, fx.Hooks());
    EXPECT_EQ(fx.progress.initialised, 1);
    EXPECT_EQ(fx.progress.finished, (std::vector<std::int64_t>{4}));
    for (const auto& s : fx.progress.states) {
        EXPECT_EQ(s.find("Elaborazione Terminata"), std::string::npos);
    }
}

} // namespace
} // namespace tessaline
