// The straightforward column-file operations, timed end to end as the baseline for faster versions
// (the guarantee calculation has its own program, bench/guarantee.cpp, with both its paths). Inputs are
// seeded and fixed; where the full input would take many minutes a tenth is used (see docs/PERFORMANCE.md).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <unistd.h>

#include "core/column_list.h"
#include "core/interfaces.h"
#include "tools/column_ops.h"

namespace fs = std::filesystem;
using namespace tessaline;

namespace {

Colonna RandomColumn(std::mt19937_64& rng) {
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = static_cast<SignSet>(1 << (rng() % 4));
    }
    return c;
}

TListaColonne RandomList(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    TListaColonne l;
    l.Reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        l.Append(RandomColumn(rng));
    }
    return l;
}

fs::path BenchDir() {
    const fs::path d = fs::temp_directory_path() / ("tessaline-bench-tools-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
}

// Two files of n random single columns sharing about half of them.
void SharedHalfFiles(const fs::path& dir, std::size_t n) {
    const TListaColonne a = RandomList(n, 10);
    TListaColonne b = RandomList(n, 11);
    for (std::size_t i = 0; i < n; i += 2) {
        b[i] = a[(i * 7919) % n];
    }
    a.SaveToFile(dir / "a.col");
    b.SaveToFile(dir / "b.col");
}

void RunOperation(benchmark::State& state, TOperazione op) {
    const fs::path dir = BenchDir();
    SharedHalfFiles(dir, static_cast<std::size_t>(state.range(0)));
    TCancelFlag cancel;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EseguiOperazione(op, (dir / "a.col").string(), (dir / "b.col").string(),
                                                  (dir / "o.col").string(), &cancel));
    }
    fs::remove_all(dir);
}

// OR, AND, XOR: a tenth of the 1,000,000 columns per file (the work grows with the square).
void BM_OpsOr(benchmark::State& state) {
    RunOperation(state, TOperazione::Or);
}
void BM_OpsAnd(benchmark::State& state) {
    RunOperation(state, TOperazione::And);
}
void BM_OpsXor(benchmark::State& state) {
    RunOperation(state, TOperazione::Xor);
}
BENCHMARK(BM_OpsOr)->Arg(100'000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_OpsAnd)->Arg(100'000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_OpsXor)->Arg(100'000)->Unit(benchmark::kSecond)->Iterations(1);

// Coverage N-2: a reduced file of 5,000 columns against 1,000,000 columns to cover.
void BM_CoverageN2(benchmark::State& state) {
    const fs::path dir = BenchDir();
    RandomList(5'000, 20).SaveToFile(dir / "r.col");
    RandomList(static_cast<std::size_t>(state.range(0)), 21).SaveToFile(dir / "c.col");
    TCancelFlag cancel;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EseguiOperazione(TOperazione::CoperturaN2, (dir / "r.col").string(),
                                                  (dir / "c.col").string(), (dir / "o.col").string(),
                                                  &cancel));
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_CoverageN2)->Arg(1'000'000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
