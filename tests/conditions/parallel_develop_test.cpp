// A development through conditions split across threads gives the run of one thread: the same
// list, counts, progress reports and link statistics.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "core/paths.h"
#include "develop/driver.h"
#include "reference/develop_fixtures.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

class TRecorder : public TDevelopProgress {
public:
    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override {
        log.push_back("C " + std::to_string(t) + " " + std::to_string(a) + " " + std::to_string(f) + " " +
                      std::to_string(e));
    }
    void Stato(const std::string& text) override {
        // The time taken differs from run to run: only the text before it is compared.
        log.push_back("S " + text.substr(0, text.find("Tempo Impiegato")));
    }
    void EnumerazioneInterrotta() override { log.push_back("interrotta"); }
    void CondizionamentoConcluso() override { log.push_back("concluso"); }
    std::vector<std::string> log;
};

// Random admitted ranges with recoveries through letters A to C on the four sign counts, a range of
// interruptions, and error limits per letter and in total, so that the link keeps statistics.
void BuildRandom(TInsiemeCondizioni& set, std::mt19937& rng) {
    auto& segni = *set.SlotAs<TCondNumeroSegni>(1);
    for (std::size_t s = 0; s < 4; ++s) {
        TTabellaPunti& t = segni.Tabella(s);
        const int lo = static_cast<int>(rng() % 3);
        const int hi = lo + 3 + static_cast<int>(rng() % 6);
        for (int v = lo; v <= hi; ++v) {
            t.Imposta(false, v, kAmmesso);
        }
        t.Imposta(false, hi + 1, kRecupero, static_cast<std::uint8_t>(1 + rng() % 3));
        if (lo > 0) {
            t.Imposta(false, lo - 1, kRecupero, static_cast<std::uint8_t>(1 + rng() % 3));
        }
        t.Pt.Link = static_cast<char>('A' + rng() % 3);
    }
    auto& inter = *set.SlotAs<TCondInterruzioni>(5);
    const int from = 2 + static_cast<int>(rng() % 3);
    for (int v = from; v <= from + 5; ++v) {
        inter.Tabella(0).Imposta(false, v, kAmmesso);
    }
    inter.Tabella(0).Imposta(false, from - 1, kRecupero, 2);
    for (char letter : {'A', 'B'}) {
        TTabellaPunti& limit = set.Link().Lettera(letter).ErroriAmmessi;
        for (int v = 0; v <= static_cast<int>(rng() % 3); ++v) {
            limit.Imposta(false, v, kAmmesso);
        }
    }
    for (int v = 0; v <= 2 + static_cast<int>(rng() % 2); ++v) {
        set.Link().ErroriTotali.Imposta(false, v, kAmmesso);
    }
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TRun {
    std::vector<Colonna> columns;
    TDevelopResult result;
    std::vector<std::string> log;
    std::vector<std::int32_t> link; // tries and statistics per letter, then the total's
};

TRun Develop(const std::string& forecast, unsigned seed, int threads, bool toFile, const std::string& file) {
    std::mt19937 rng(seed);
    T_Sistema sys;
    sys.dati.Forecast = reference::Forecast(forecast);
    TInsiemeCondizioni set;
    BuildRandom(set, rng);
    sys.Condizioni = &set;
    sys.dati.sviluppo.UseConditions = 1;
    if (toFile) {
        sys.dati.sviluppo.DestinationFile = file;
        sys.dati.sviluppo.DestinationMemory = 0;
    }
    TDevelopRequest request = TDevelopRequest::Of(sys);
    request.threads = threads;
    TRecorder recorder;
    TDevelopOutcome out = RunDevelopment(request, TDevelopHooks{&recorder, nullptr, nullptr});
    TRun run;
    run.columns = reference::Columns(out.columns);
    run.result = out.result;
    run.log = std::move(recorder.log);
    for (char letter = 'A'; letter <= 'D'; ++letter) {
        const TLetteraLink& l = set.Link().Lettera(letter);
        run.link.push_back(l.Tentativi);
        for (int v = 0; v <= 12; ++v) {
            run.link.push_back(l.StatLivelli.Frequenza(v));
            run.link.push_back(l.StatErrori.Frequenza(v));
        }
    }
    for (int v = 0; v <= 24; ++v) {
        run.link.push_back(set.Link().StatTotale.Frequenza(v));
    }
    return run;
}

TEST(ParallelDevelopment, SameRunOnOneAndSeveralThreads) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    const struct {
        const char* forecast;
        unsigned seed;
        bool toFile;
    } cases[] = {
        {"012M 012M 012M 012M 012M 012M 012M 012M 012M 1 2 0", 1, false}, // 262,144 columns
        {"012M 012M 012M 012M 012M 012M 012M 012M 012M 1 2 0", 2, false},
        {"1 012M 012 012M 012M 01 012M 012M 012M 012M 0M 2", 3, false},   // teams 1 fixed, uneven sets
        {"012M 012M 012M 012M 012M 012M 012M 012M 012M 0 12 M", 4, true}, // into the destination file
        {"012M 012M 012M 012M 012M 012 1 1 1 1 1 1", 5, false},           // under the threaded size
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.forecast + std::string(" seed ") + std::to_string(k.seed));
        const std::string file = (home.Path() / "dest.col").string();
        const TRun one = Develop(k.forecast, k.seed, 1, k.toFile, file);
        const std::string oneBytes = k.toFile ? FileBytes(file) : std::string();
        ASSERT_GT(one.result.accepted, 0);
        ASSERT_LT(one.result.accepted, one.result.total);
        ASSERT_NE(one.link[0] + one.link[28] + one.link[56], 0) << "the link keeps no statistics";
        for (int threads : {2, 3, 5}) {
            const TRun many = Develop(k.forecast, k.seed, threads, k.toFile, file);
            EXPECT_EQ(many.result.total, one.result.total) << threads;
            EXPECT_EQ(many.result.accepted, one.result.accepted) << threads;
            EXPECT_EQ(many.result.writtenColumns, one.result.writtenColumns) << threads;
            EXPECT_TRUE(many.columns == one.columns) << threads;
            EXPECT_EQ(many.log, one.log) << threads;
            EXPECT_EQ(many.link, one.link) << threads;
            if (k.toFile) {
                EXPECT_TRUE(FileBytes(file) == oneBytes) << threads;
            }
        }
    }
}

} // namespace
} // namespace tessaline
