// The development driver end to end: twelve quadruples (16,777,216 columns), no condition, into
// memory; and the same driver with the optimised reduction on a small system.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "develop/driver.h"
#include "system/sistema.h"

using namespace tessaline;

namespace {

// Resident set size in bytes (from /proc/self/statm).
double ResidentBytes() {
    long pages = 0;
    long resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) {
        return 0;
    }
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
        resident = 0;
    }
    std::fclose(f);
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// A new system carries its condition set, with nothing in force: the run goes through it as a
// user's run does.
void BM_DevelopTwelveQuadruples(benchmark::State& state) {
    T_Sistema sys;
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.Forecast[t] = kAllSigns;
    }
    if (sys.Condizioni == nullptr || sys.dati.sviluppo.UseConditions == 0) {
        state.SkipWithError("the system does not carry its condition set");
        return;
    }
    double perColumn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sys.Colonne.Clear();
        const double before = ResidentBytes();
        state.ResumeTiming();
        DevelopSystem(sys, {});
        state.PauseTiming();
        perColumn = (ResidentBytes() - before) / static_cast<double>(sys.Colonne.Size());
        state.ResumeTiming();
    }
    state.counters["columns"] = static_cast<double>(sys.Colonne.Size());
    state.counters["bytes_per_column"] = perColumn;
}
BENCHMARK(BM_DevelopTwelveQuadruples)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same development with a column file as the system's destination.
void BM_DevelopTwelveQuadruplesToFile(benchmark::State& state) {
    T_Sistema sys;
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.Forecast[t] = kAllSigns;
    }
    char folder[] = "/tmp/tessaline-develop-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path out = std::filesystem::path(folder) / "developed.col";
    sys.dati.sviluppo.DestinationMemory = 0;
    sys.dati.sviluppo.DestinationFile = out.string();
    for (auto _ : state) {
        DevelopSystem(sys, {});
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DevelopTwelveQuadruplesToFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reducing to a guarantee with the optimised reduction switched on: 3^9 (G = 5) and 4^8 (G = 4).
void BM_DevelopOptimised(benchmark::State& state) {
    T_Sistema sys;
    const int quads = static_cast<int>(state.range(0));
    const int triples = static_cast<int>(state.range(1));
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.Forecast[t] = t < quads             ? kAllSigns
                               : t < quads + triples ? static_cast<SignSet>(kSign0 | kSign1 | kSign2)
                                                     : kSign1;
    }
    auto& dev = sys.dati.sviluppo;
    dev.ReducedDevelopment = 1;
    dev.OptimisedReduction = 1;
    dev.Guarantee = static_cast<std::uint8_t>(state.range(2));
    for (auto _ : state) {
        DevelopSystem(sys, {});
    }
    state.counters["chosen"] = static_cast<double>(sys.Colonne.Size());
}
// quadruples, triples, guarantee
BENCHMARK(BM_DevelopOptimised)
    ->Args({0, 9, 5})
    ->Args({8, 0, 4})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
