// The improved reduction against the optimised (greedy) one: uniform spaces with best known covering
// sizes, the nine triples, and seeded random forecasts. Each run times the improvement alone (its
// syndrome-code starts included), from the greedy set, for a fixed number of swaps.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "core/column_list.h"
#include "random_forecast.h"
#include "reduce/improve.h"
#include "reduce/optimised_fast.h"

using namespace tessaline;

namespace {

struct TBenchCase {
    const char* forecast;
    int guarantee;
    int bestKnown; // best known covering size, or the sphere-covering bound (marked below)
};

// Two, three and four results per match (one team of each match fixed), and the nine triples.
// Swaps per run, by guarantee: about 10 s of one core on the largest inputs on the development machine
// (a swap within one wrong match costs about 2 µs, within two 20 to 60 µs).
std::int64_t SwapsFor(int guarantee) {
    return guarantee == 5 ? 4000000 : 200000;
}

const TBenchCase kCases[] = {
    {"01 1 01 1 01 1 01 1 01 1 01 1", 5, 12},
    {"01 1 01 1 01 1 01 1 01 1 01 1", 4, 4},
    {"012 1 012 1 012 1 012 1 012 1 012 1", 5, 73},
    {"012 1 012 1 012 1 012 1 012 1 012 1", 4, 17},
    {"012M 1 012M 1 012M 1 012M 1 012M 1 012M 1", 5, 256},
    {"012M 1 012M 1 012M 1 012M 1 012M 1 012M 1", 4, 52},
    {"012 012 012 012 012 012 012 012 012 1 1 1", 5, 563}, // sphere-covering bound
    {"012 012 012 012 012 012 012 012 012 1 1 1", 4, 0},
};

Pronostico Parse(const std::string& text) {
    std::istringstream in(text);
    Pronostico f;
    for (int t = 0; t < kTeams; ++t) {
        std::string g;
        in >> g;
        f[t] = ParseSigns(g);
    }
    return f;
}

std::vector<Colonna> Develop(const Pronostico& f) {
    TListaColonne l;
    l.AppendExpanded(f, true);
    return {l.begin(), l.end()};
}

void Run(benchmark::State& state, const Pronostico& f, int guarantee, std::int64_t iterations) {
    const std::vector<Colonna> cols = Develop(f);
    const TOptimisedParams p = OptimisedParamsFor(f, false, 6 - guarantee, false);
    bool cancelled = false;
    const auto greedy = OptimisedReduceIndexed(cols, p, nullptr, nullptr, cancelled);
    TImproveOutcome out;
    for (auto _ : state) {
        out = ImproveCovering(cols, greedy, p.distance, p.R, TImproveOptions{iterations, 0, 1}, nullptr, {});
    }
    state.counters["columns"] = static_cast<double>(cols.size());
    state.counters["greedy"] = static_cast<double>(greedy.size());
    state.counters["improved"] = static_cast<double>(out.columns.size());
    state.counters["gain%"] =
        100.0 * (1.0 - static_cast<double>(out.columns.size()) / static_cast<double>(greedy.size()));
    state.counters["swaps"] = static_cast<double>(out.iterations);
    state.counters["start"] = static_cast<double>(out.startSize);
}

void BM_ImproveKnown(benchmark::State& state) {
    const TBenchCase& c = kCases[state.range(0)];
    Run(state, Parse(c.forecast), c.guarantee, SwapsFor(c.guarantee));
    state.counters["best_known"] = c.bestKnown;
    state.SetLabel(std::string(c.forecast) + " G" + std::to_string(c.guarantee));
}
BENCHMARK(BM_ImproveKnown)->DenseRange(0, 7)->Unit(benchmark::kSecond)->Iterations(1);

// The seeded random forecasts, guarantee 5 on even seeds and 4 on odd ones.
void BM_ImproveRandom(benchmark::State& state) {
    const auto seed = static_cast<std::uint32_t>(state.range(0));
    const Pronostico f = RandomForecast(seed);
    const int guarantee = seed % 2 == 0 ? 5 : 4;
    Run(state, f, guarantee, SwapsFor(guarantee));
    std::string label;
    for (int t = 0; t < kTeams; ++t) {
        label += SignText(f[t]) + " ";
    }
    state.SetLabel(label + "G" + std::to_string(guarantee));
}
BENCHMARK(BM_ImproveRandom)->DenseRange(1, 20)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
