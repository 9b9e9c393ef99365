// The optimised reduction, indexed and step by step, on whole developments.

#include <benchmark/benchmark.h>

#include "core/column_list.h"
#include "reduce/optimised_fast.h"

using namespace tessaline;

namespace {

// quads quadruples, triples triples, the other teams fixed on "1".
std::vector<Colonna> Development(int quads, int triples, Pronostico& f) {
    for (int t = 0; t < 12; ++t) {
        f[t] = t < quads             ? kAllSigns
               : t < quads + triples ? static_cast<SignSet>(kSign0 | kSign1 | kSign2)
                                     : kSign1;
    }
    TListaColonne l;
    l.AppendExpanded(f, true);
    return {l.begin(), l.end()};
}

void BM_OptimisedIndexed(benchmark::State& state) {
    Pronostico f;
    const auto cols = Development(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), f);
    const auto p = OptimisedParamsFor(f, false, static_cast<int>(state.range(2)), false);
    std::size_t chosen = 0;
    for (auto _ : state) {
        bool cancelled = false;
        chosen = OptimisedReduceIndexed(cols, p, nullptr, nullptr, cancelled).size();
    }
    state.counters["columns"] = static_cast<double>(cols.size());
    state.counters["chosen"] = static_cast<double>(chosen);
}
// quadruples, triples, R
BENCHMARK(BM_OptimisedIndexed)
    ->Args({0, 9, 1})
    ->Args({8, 0, 2})
    ->Args({9, 0, 2})
    ->Args({10, 0, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_OptimisedStepByStep(benchmark::State& state) {
    Pronostico f;
    const auto cols = Development(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), f);
    const auto p = OptimisedParamsFor(f, false, static_cast<int>(state.range(2)), false);
    std::size_t chosen = 0;
    for (auto _ : state) {
        TListaColonne store;
        store.AppendRange(cols.data(), cols.size());
        ReduceOptimisedReference(store, p, nullptr, nullptr);
        chosen = store.Size();
    }
    state.counters["columns"] = static_cast<double>(cols.size());
    state.counters["chosen"] = static_cast<double>(chosen);
}
BENCHMARK(BM_OptimisedStepByStep)
    ->Args({0, 9, 1})
    ->Args({8, 0, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
