// OR, AND, XOR and Coverage N-2 between column lists.

#include <benchmark/benchmark.h>

#include <random>

#include "reference/column_ops_reference.h"
#include "tools/column_ops.h"

using namespace tessaline;

namespace {

// Two lists of n random single columns of twelve quadruples sharing about half their columns.
void Inputs(std::size_t n, TListaColonne& a, std::vector<Colonna>& b) {
    std::mt19937 rng(77);
    const auto draw = [&] {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 << (rng() % 4));
        }
        return c;
    };
    a.Clear();
    b.clear();
    for (std::size_t i = 0; i < n; ++i) {
        a.Append(draw());
    }
    for (std::size_t i = 0; i < n; ++i) {
        b.push_back(i % 2 == 0 ? a[i] : draw());
    }
}

void RunOp(benchmark::State& state, TOperazione op) {
    TListaColonne a;
    std::vector<Colonna> b;
    Inputs(static_cast<std::size_t>(state.range(0)), a, b);
    std::int64_t count = 0;
    for (auto _ : state) {
        TListaColonne first = a;
        bool stopped = false;
        count = CombinaListe(op, first, b.data(), b.size(), nullptr, stopped).Count();
    }
    state.counters["result"] = static_cast<double>(count);
}

void BM_Or(benchmark::State& s) {
    RunOp(s, TOperazione::Or);
}
void BM_And(benchmark::State& s) {
    RunOp(s, TOperazione::And);
}
void BM_Xor(benchmark::State& s) {
    RunOp(s, TOperazione::Xor);
}
BENCHMARK(BM_Or)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_And)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Xor)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

// 5,000 random columns (the reduced system) against 1,000,000 to cover.
void CoverageInputs(std::size_t reduced, std::size_t cover, TListaColonne& a, std::vector<Colonna>& b) {
    TListaColonne big;
    Inputs(cover, big, b);
    b.assign(big.begin(), big.end());
    a.Clear();
    std::mt19937 rng(5);
    for (std::size_t i = 0; i < reduced; ++i) {
        Colonna c;
        for (int t = 0; t < 12; ++t) {
            c[t] = static_cast<SignSet>(1 << (rng() % 4));
        }
        a.Append(c);
    }
}

void BM_CoverageN2(benchmark::State& state) {
    TListaColonne a;
    std::vector<Colonna> b;
    CoverageInputs(5'000, static_cast<std::size_t>(state.range(0)), a, b);
    std::int64_t count = 0;
    for (auto _ : state) {
        bool stopped = false;
        count = CombinaListe(TOperazione::CoperturaN2, a, b.data(), b.size(), nullptr, stopped).Count();
    }
    state.counters["uncovered"] = static_cast<double>(count);
}
BENCHMARK(BM_CoverageN2)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The list walk, on a fiftieth of the inputs (it is quadratic).
void BM_XorListWalk(benchmark::State& state) {
    TListaColonne a;
    std::vector<Colonna> b;
    Inputs(static_cast<std::size_t>(state.range(0)), a, b);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::Combine(TOperazione::Xor, a, b).Count());
    }
}
BENCHMARK(BM_XorListWalk)->Arg(20'000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CoverageN2ListWalk(benchmark::State& state) {
    TListaColonne a;
    std::vector<Colonna> b;
    CoverageInputs(5'000, static_cast<std::size_t>(state.range(0)), a, b);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::Combine(TOperazione::CoperturaN2, a, b).Count());
    }
}
BENCHMARK(BM_CoverageN2ListWalk)->Arg(20'000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
