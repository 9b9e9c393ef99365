// Column file write and read speed, and the merge.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <unistd.h>

#include "core/column_list.h"
#include "develop/merge.h"
#include "reference/merge_walk.h"
#include "reference/random_columns.h"

namespace fs = std::filesystem;
using namespace tessaline;

namespace {

TListaColonne RandomList(std::size_t n) {
    TListaColonne l;
    std::mt19937 rng(12345);
    l.Reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 << (rng() % 4));
        }
        l.Append(c);
    }
    return l;
}

fs::path BenchFile() {
    return fs::temp_directory_path() / ("tessaline-bench-" + std::to_string(::getpid()) + ".Col");
}

void BM_SaveToFile(benchmark::State& state) {
    const TListaColonne l = RandomList(static_cast<std::size_t>(state.range(0)));
    const fs::path file = BenchFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(l.SaveToFile(file));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * 12);
    fs::remove(file);
}
BENCHMARK(BM_SaveToFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    const fs::path file = BenchFile();
    RandomList(static_cast<std::size_t>(state.range(0))).SaveToFile(file);
    TListaColonne l;
    for (auto _ : state) {
        benchmark::DoNotOptimize(l.LoadFromFile(file, false, nullptr));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * 12);
    fs::remove(file);
}
BENCHMARK(BM_LoadFromFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Distinct single columns of 012M x 9 and 1 1 1.
std::vector<Colonna> MergeInput(std::size_t n) {
    Pronostico f;
    for (int t = 0; t < 12; ++t) {
        f[t] = t < 9 ? kAllSigns : kSign1;
    }
    return reference::DistinctSingles(f, n, 2026);
}

void BM_Merge(benchmark::State& state) {
    const auto input = MergeInput(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TListaColonne l;
        l.AppendRange(input.data(), input.size());
        state.ResumeTiming();
        benchmark::DoNotOptimize(Merge(l, true, nullptr, nullptr));
    }
}
BENCHMARK(BM_Merge)->Arg(20'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

// The full walk that compares every pair, for the ratio.
void BM_MergeFullWalk(benchmark::State& state) {
    const auto input = MergeInput(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TListaColonne l;
        l.AppendRange(input.data(), input.size());
        state.ResumeTiming();
        benchmark::DoNotOptimize(reference::MergeWalk(l, nullptr, nullptr));
    }
}
BENCHMARK(BM_MergeFullWalk)->Arg(20'000)->Unit(benchmark::kMillisecond);

} // namespace
