// The fixed-sign search in pairs of matches (3,840 entries) over a 400-contest archive, as the
// window builds it, against the literal walk (one archive pass per entry).

#include <benchmark/benchmark.h>

#include <random>

#include "reference/fixed_signs_walk.h"

using namespace tessaline;

namespace {

std::vector<T_Concorso> Archive() {
    constexpr SignSet kSegni[4] = {kSign0, kSign1, kSign2, kSignM};
    std::mt19937 rng(400);
    std::vector<T_Concorso> a;
    for (int k = 0; k < 400; ++k) {
        T_Concorso c;
        c.Anno = 2015 + k / 40;
        c.Numero = static_cast<std::uint8_t>(1 + k % 40);
        for (int t = 0; t < kTeams; ++t) {
            c.ColonnaVincente[t] = kSegni[rng() % 4];
        }
        c.AggiornaCompleto();
        a.push_back(c);
    }
    return a;
}

T_IntervalloConcorsi Range(const std::vector<T_Concorso>& a) {
    T_IntervalloConcorsi r;
    r.AnnoDa = static_cast<std::int16_t>(a.front().Anno);
    r.NumeroDa = a.front().Numero;
    r.AnnoA = static_cast<std::int16_t>(a.back().Anno);
    r.NumeroA = a.back().Numero;
    return r;
}

void BM_FixedPairsIndexed(benchmark::State& state) {
    const auto a = Archive();
    const auto range = Range(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ElaboraFisse(2, TOrdineFisse::IC, a, range));
    }
}
BENCHMARK(BM_FixedPairsIndexed)->Unit(benchmark::kMillisecond);

void BM_FixedPairsLiteralWalk(benchmark::State& state) {
    const auto a = Archive();
    const auto range = Range(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::FisseLetterali(2, TOrdineFisse::IC, a, range));
    }
}
BENCHMARK(BM_FixedPairsLiteralWalk)->Unit(benchmark::kMillisecond);

} // namespace
