// The guarantee calculation gives the same tables on one thread and on several.

#include <gtest/gtest.h>
#include <random>
#include <tuple>

#include "core/column_list.h"
#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/interfaces.h"
#include "core/threads.h"
#include "reduce/guarantee.h"
#include "reduce/guarantee_count.h"
#include "reduce/guarantee_index.h"

namespace tessaline {
namespace {

// Rejects the columns whose place in the run is a multiple of 3 and those with M in team 12: its
// answers depend on the order it is asked in, so counting threads must leave it to the run's thread.
class TOrderedAcceptor : public TColumnAcceptor {
public:
    void PrepareRun() override { seen = 0; }
    bool Accept(const Colonna& c) override { return ++seen % 3 != 0 && c[11] != kSignM; }
    std::int64_t seen = 0;
};

Pronostico ForecastOf(std::mt19937& rng, int quads) {
    Pronostico f;
    for (int t = 0; t < kTeams; ++t) {
        f[t] = t < quads ? kAllSigns : static_cast<SignSet>(1 << (rng() % 4));
    }
    return f;
}

TListaColonne Examined(std::mt19937& rng, int n, bool multi) {
    TListaColonne l;
    for (int i = 0; i < n; ++i) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            // Three signs make many coincidences; a multi-sign set forces the column-by-column count.
            c[t] = static_cast<SignSet>(1 << (rng() % 3));
        }
        if (multi && i % 5 == 0) {
            c[static_cast<int>(rng() % 12)] |= kSign2;
        }
        l.Append(c);
    }
    return l;
}

TEST(GuaranteeThreads, SameTablesOnOneAndSeveralThreads) {
    const struct {
        int quads;
        int examined;
        bool multi;
        bool zero, one, two;
        bool conditions;
    } cases[] = {
        {8, 600, false, true, true, true, false},  // index, every mode, 65,536 to 4.3 million columns
        {8, 600, false, true, false, false, true}, // index and an order-dependent condition set
        {8, 90, true, true, true, false, false},   // column by column
        {8, 90, true, true, false, false, true},   // column by column with the conditions
        {7, 64, false, true, true, true, false},   // the smallest indexed set
        {5, 300, false, true, true, false, false}, // below the threaded size: one thread either way
    };
    std::mt19937 rng(17);
    for (const auto& k : cases) {
        const Pronostico f = ForecastOf(rng, k.quads);
        const TListaColonne examined = Examined(rng, k.examined, k.multi);
        TRisultatiGaranzie results[4];
        TOrderedAcceptor acceptors[4];
        for (int threads = 1; threads <= 3; ++threads) {
            TParametriGaranzie p;
            p.esaminateInMemoria = &examined;
            p.pronostico = [f](int mode, CancelProbe* cancel, const TPassoVincente& step) {
                return EnumerateForecast(f, static_cast<TEnumMode>(mode), cancel, step);
            };
            p.colonnePronostico = ColumnsCovered(f);
            p.zeroErrori = k.zero;
            p.unErrore = k.one;
            p.dueErrori = k.two;
            p.condizioni = k.conditions ? &acceptors[threads] : nullptr;
            p.threads = threads;
            ASSERT_EQ(Calcola(p, results[threads], nullptr), TEsitoGaranzie::Ok);
        }
        for (int mode : kModiGaranzia) {
            const auto& one = results[1].Lista(mode);
            ASSERT_EQ(results[1].Calcolata(mode), mode == 6 ? k.zero : mode == 5 ? k.one : k.two);
            // Something to compare: every computed mode has win patterns.
            EXPECT_EQ(results[1].Calcolata(mode), !one.empty()) << mode;
            for (int threads = 2; threads <= 3; ++threads) {
                const auto& many = results[threads].Lista(mode);
                ASSERT_EQ(results[threads].Considerate(mode), results[1].Considerate(mode));
                ASSERT_EQ(many.size(), one.size()) << "mode " << mode << ", threads " << threads;
                for (std::size_t i = 0; i < one.size(); ++i) {
                    EXPECT_EQ(std::tie(many[i].n4, many[i].n5, many[i].n6),
                              std::tie(one[i].n4, one[i].n5, one[i].n6));
                    // Exactly equal: both are whole counts divided by the same denominator.
                    EXPECT_EQ(many[i].frequenza, one[i].frequenza);
                }
            }
        }
        if (k.conditions) {
            EXPECT_EQ(acceptors[2].seen, acceptors[1].seen);
        }
    }
}

TEST(GuaranteeThreads, StopDiscardsEverythingOnAnyThreadCount) {
    std::mt19937 rng(3);
    const Pronostico f = ForecastOf(rng, 9);
    for (bool multi : {false, true}) {
        const TListaColonne examined = Examined(rng, multi ? 200 : 2000, multi);
        for (int threads : {1, 2, 4}) {
            // The flag is raised from inside the run, part-way through the winning columns.
            TCancelFlag cancel;
            TParametriGaranzie p;
            p.esaminateInMemoria = &examined;
            std::int64_t seen = 0;
            p.pronostico = [&](int mode, CancelProbe* probe, const TPassoVincente& step) {
                return EnumerateForecast(f, static_cast<TEnumMode>(mode), probe, [&](const Colonna& w) {
                    if (++seen == 100'000) {
                        cancel.Request();
                    }
                    step(w);
                });
            };
            p.colonnePronostico = ColumnsCovered(f);
            p.threads = threads;
            TRisultatiGaranzie r;
            EXPECT_EQ(Calcola(p, r, &cancel), TEsitoGaranzie::Annullato) << threads;
            EXPECT_FALSE(r.Calcolata(6));
            EXPECT_TRUE(r.Lista(6).empty());
            EXPECT_LT(seen, ColumnsCovered(f)) << "the enumeration stops too";
        }
    }
}

TEST(GuaranteeThreads, PatternCountsMergeAsSingleRecords) {
    // Tallies split across several counters and merged give the list of recording one at a time.
    std::mt19937 rng(8);
    TRisultatiGaranzie direct;
    TRisultatiGaranzie merged;
    direct.IniziaModo(5);
    merged.IniziaModo(5);
    TPatternCounts parts[3];
    for (int i = 0; i < 20'000; ++i) {
        // Up to 1,000 distinct patterns, so that the tallies grow several times.
        const auto n4 = static_cast<std::int32_t>(rng() % 10);
        const auto n5 = static_cast<std::int32_t>(rng() % 10);
        const auto n6 = static_cast<std::int32_t>(rng() % 10);
        direct.Registra(5, n4, n5, n6);
        parts[rng() % 3].Add(n4, n5, n6);
    }
    parts[0].AddAll(parts[1]);
    parts[0].AddAll(parts[2]);
    EXPECT_EQ(parts[0].Size(), direct.Lista(5).size());
    parts[0].RecordInto(merged, 5);
    ASSERT_EQ(merged.Lista(5).size(), direct.Lista(5).size());
    for (std::size_t i = 0; i < direct.Lista(5).size(); ++i) {
        const T_Vincita& a = merged.Lista(5)[i];
        const T_Vincita& b = direct.Lista(5)[i];
        EXPECT_EQ(std::tie(a.n4, a.n5, a.n6, a.frequenza), std::tie(b.n4, b.n5, b.n6, b.frequenza));
    }
}

TEST(GuaranteeThreads, IndexSizedToTheExaminedColumns) {
    // The tables grow with the examined columns, far below the 92 MB of full key tables.
    const struct {
        int columns;
        std::size_t most;
    } cases[] = {{64, 2u << 20}, {2'000, 6u << 20}, {10'000, 24u << 20}};
    std::mt19937 rng(4);
    for (const auto& k : cases) {
        std::vector<Colonna> examined;
        for (int i = 0; i < k.columns; ++i) {
            Colonna c;
            for (int t = 0; t < kTeams; ++t) {
                c[t] = static_cast<SignSet>(1 << (rng() % 4));
            }
            examined.push_back(c);
        }
        const TGuaranteeIndex index(examined);
        EXPECT_LE(index.Bytes(), k.most) << k.columns;
    }
}

TEST(ThreadCap, CapsTheCores) {
    const int before = ThreadCap();
    SetThreadCap(1);
    EXPECT_EQ(ThreadsForJob(), 1);
    SetThreadCap(-3);
    EXPECT_EQ(ThreadCap(), 0);
    EXPECT_GE(ThreadsForJob(), 1);
    SetThreadCap(100000);
    EXPECT_LE(ThreadsForJob(), 100000);
    EXPECT_EQ(ThreadsForJob(), static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    SetThreadCap(before);
}

} // namespace
} // namespace tessaline
