// A frame of three filter columns in "AND (Tutte)" on the twelve-quadruple forecast (16,777,216
// columns), against the same three filters as a plain "Gruppo Col. Filtro" list (which may stop at
// the first filter that rejects, where the frame evaluates every item).

#include <benchmark/benchmark.h>

#include <array>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "reference/quadruples.h"

using namespace tessaline;

namespace {

std::unique_ptr<TCondColonnaFiltro> Filter(TInsiemeCondizioni& set, std::size_t k) {
    const std::array<SignSet, 3> segni = {kSign0 | kSign1, kSign2 | kSignM, kSign1 | kSign2};
    auto f = std::make_unique<TCondColonnaFiltro>(&set);
    f->ConfrontoACoppie = k == 2;
    f->Filtro.s.fill(segni[k]);
    for (int v = k == 2 ? 1 : 3; v <= (k == 2 ? 6 : 9); ++v) {
        f->Punti().Imposta(false, v, kAmmesso);
    }
    return f;
}

// frame: the filters inside the frame of slot 13; otherwise in the list of slot 12.
void Build(TInsiemeCondizioni& set, bool frame) {
    for (std::size_t k = 0; k < 3; ++k) {
        if (frame) {
            set.SlotAs<TCondQuadro>(kCodQuadro)->Aggiungi(Filter(set, k));
        } else {
            set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro)->Aggiungi(Filter(set, k));
        }
    }
}

template <class F> void Enumerate(std::int64_t count, F&& f) {
    reference::EnumerateQuadruples(count, f);
}

constexpr std::int64_t kAll = reference::kAllQuadruples;

void Run(benchmark::State& state, bool frame) {
    TInsiemeCondizioni set;
    Build(set, frame);
    const std::int64_t n = state.range(0);
    std::int64_t accepted = 0;
    for (auto _ : state) {
        set.Prepara();
        accepted = 0;
        Enumerate(n, [&](const Colonna& c) { accepted += set.Accetta(c) ? 1 : 0; });
        benchmark::DoNotOptimize(accepted);
    }
    state.counters["accepted"] = static_cast<double>(accepted);
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_FrameAndOfThreeFilters(benchmark::State& state) {
    Run(state, true);
}
void BM_ListOfThreeFilters(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(BM_FrameAndOfThreeFilters)->Arg(kAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListOfThreeFilters)->Arg(kAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
