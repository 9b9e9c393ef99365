// The guarantee calculation: examined columns against every winning column of a forecast.

#include <benchmark/benchmark.h>

#include <random>

#include "core/enumerate.h"
#include "reduce/guarantee.h"
#include "reduce/guarantee_index.h"
#include "reference/forecast_winning.h"

using namespace tessaline;

namespace {

std::vector<Colonna> RandomExamined(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Colonna> out(n);
    for (Colonna& c : out) {
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 << (rng() % 4));
        }
    }
    return out;
}

Pronostico Forecast(int quads, int triples) {
    Pronostico f;
    for (int t = 0; t < 12; ++t) {
        f[t] = t < quads             ? kAllSigns
               : t < quads + triples ? static_cast<SignSet>(kSign0 | kSign1 | kSign2)
                                     : kSign1;
    }
    return f;
}

// One mode as "Calcola" runs it: the index of the examined columns built once, the winning columns
// of the forecast enumerated and counted on state.range(0) threads. Process CPU time (all threads).
void RunMode(benchmark::State& state, const std::vector<Colonna>& examined, const Pronostico& f, int mode) {
    std::size_t patterns = 0;
    const int threads = static_cast<int>(state.range(0));
    const std::int64_t factor = mode == 6 ? 1 : mode == 5 ? 12 : 66;
    for (auto _ : state) {
        TRisultatiGaranzie results;
        const auto index = IndiceGaranzie(examined);
        CalcolaModo(
            examined, index.get(), threads, mode, factor * ColumnsCovered(f),
            [&](const TPassoVincente& step) {
                return EnumerateForecast(f, static_cast<TEnumMode>(mode), nullptr, step);
            },
            nullptr, results, nullptr, nullptr);
        patterns = results.Lista(mode).size();
    }
    state.counters["patterns"] = static_cast<double>(patterns);
}

// 10,000 examined columns against the 16,777,216 columns of twelve quadruples, no error.
void BM_GuaranteeNoError(benchmark::State& state) {
    RunMode(state, RandomExamined(10'000, 1), Forecast(12, 0), 6);
}
BENCHMARK(BM_GuaranteeNoError)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// 2,000 examined columns against 4^6 x 3^2 = 36,864 columns, one and two errors.
void BM_GuaranteeOneError(benchmark::State& state) {
    RunMode(state, RandomExamined(2'000, 2), Forecast(6, 2), 5);
}
BENCHMARK(BM_GuaranteeOneError)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
void BM_GuaranteeTwoErrors(benchmark::State& state) {
    RunMode(state, RandomExamined(2'000, 2), Forecast(6, 2), 4);
}
BENCHMARK(BM_GuaranteeTwoErrors)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Comparing every examined column with every winning column, as the reference. On the no-error
// input that would take about half an hour, so it runs a hundredth of the work: a tenth of the
// examined columns against the first tenth of the winning columns.
std::int64_t ColumnByColumn(const std::vector<Colonna>& examined, const Pronostico& f, int mode,
                            std::int64_t limit) {
    std::int64_t seen = 0;
    std::int64_t sum = 0;
    reference::ReferenceWinning(f, mode, nullptr, [&](const Colonna& w) {
        if (seen++ >= limit) {
            return;
        }
        int count[7] = {};
        for (const Colonna& c : examined) {
            ++count[6 - WrongMatches(c, w)];
        }
        sum += count[4] + count[5] + count[6];
    });
    return sum;
}

void BM_GuaranteeNoErrorColumnByColumnHundredth(benchmark::State& state) {
    const auto examined = RandomExamined(1'000, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColumnByColumn(examined, Forecast(12, 0), 6, 1'677'722));
    }
}
BENCHMARK(BM_GuaranteeNoErrorColumnByColumnHundredth)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GuaranteeOneErrorColumnByColumn(benchmark::State& state) {
    const auto examined = RandomExamined(2'000, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColumnByColumn(examined, Forecast(6, 2), 5, 1LL << 40));
    }
}
BENCHMARK(BM_GuaranteeOneErrorColumnByColumn)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GuaranteeTwoErrorsColumnByColumn(benchmark::State& state) {
    const auto examined = RandomExamined(2'000, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColumnByColumn(examined, Forecast(6, 2), 4, 1LL << 40));
    }
}
BENCHMARK(BM_GuaranteeTwoErrorsColumnByColumn)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
