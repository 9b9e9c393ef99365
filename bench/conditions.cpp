// The condition set on the twelve-quadruple forecast (16,777,216 columns): Numero di segni (four
// tables, recovery through two letters), Interruzioni, Simmetrie, Pari e Dispari and one
// Consecutività item, with an error table on letter A. End to end through the development driver,
// the set alone on a plain enumeration, and a straightforward reading on a quarter of the input.

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "core/threads.h"
#include "develop/driver.h"
#include "reference/quadruples.h"
#include "system/sistema.h"

using namespace tessaline;

namespace {

void Admit(TTabellaPunti& t, int lo, int hi, bool cons = false) {
    for (int v = lo; v <= hi; ++v) {
        t.Imposta(cons, v, kAmmesso);
    }
}

void Build(TInsiemeCondizioni& set) {
    auto& segni = *set.SlotAs<TCondNumeroSegni>(1);
    Admit(segni.Tabella(0), 2, 5);
    segni.Tabella(0).Imposta(false, 1, kRecupero, 1);
    segni.Tabella(0).Imposta(false, 6, kRecupero, 1);
    Admit(segni.Tabella(0), 1, 3, true);
    Admit(segni.Tabella(1), 2, 6);
    segni.Tabella(1).Imposta(false, 1, kRecupero, 2);
    segni.Tabella(1).Imposta(false, 7, kRecupero, 2);
    Admit(segni.Tabella(2), 1, 5);
    Admit(segni.Tabella(3), 0, 4);
    segni.Tabella(3).Imposta(false, 5, kRecupero, 1);
    segni.Tabella(3).Pt.Link = 'B';
    Admit(set.SlotAs<TCondInterruzioni>(5)->Tabella(0), 5, 11);
    auto& simm = *set.SlotAs<TCondSimmetrie>(4);
    Admit(simm.Tabella(0), 0, 4);
    Admit(simm.Tabella(2), 0, 8);
    Admit(set.SlotAs<TCondPariDispari>(2)->Tabella(1), 2, 10);
    auto item = std::make_unique<TCondConsecutivita>(&set);
    item->Segno = kSign1;
    Admit(item->Selezione(), 4, 6);
    Admit(item->Ammessa(), 1, 3);
    set.SlotAs<TListaCondizioni>(7)->Aggiungi(std::move(item));
    Admit(set.Link().Lettera('A').ErroriAmmessi, 0, 2);
}

template <class F> void Enumerate(std::int64_t count, F&& f) {
    reference::EnumerateQuadruples(count, f);
}

constexpr std::int64_t kAll = reference::kAllQuadruples;

// End to end: "Calcolo Colonne" of the twelve quadruples into memory, conditions on, on
// state.range(0) threads. Process CPU time (every thread) and wall time.
void BM_DevelopSystemQuadruples(benchmark::State& state) {
    SetThreadCap(static_cast<int>(state.range(0)));
    T_Sistema sys;
    sys.dati.Forecast.s.fill(kAllSigns);
    sys.dati.sviluppo.UseConditions = 1;
    sys.dati.sviluppo.DestinationMemory = 1;
    TInsiemeCondizioni set;
    Build(set);
    sys.Condizioni = &set;
    std::int64_t accepted = 0;
    for (auto _ : state) {
        const TDevelopResult r = DevelopSystem(sys, TDevelopHooks{});
        accepted = r.accepted;
        benchmark::DoNotOptimize(sys.Colonne.Size());
    }
    state.counters["accepted"] = static_cast<double>(accepted);
    state.SetItemsProcessed(state.iterations() * kAll);
}
BENCHMARK(BM_DevelopSystemQuadruples)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_AccettaQuadruples(benchmark::State& state) {
    TInsiemeCondizioni set;
    Build(set);
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
BENCHMARK(BM_AccettaQuadruples)->Arg(1 << 20)->Arg(kAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// The straightforward reading: every measure of every active condition computed, and all 26
// letters' 255 level counters cleared before each column.
void BM_AccettaReference(benchmark::State& state) {
    TInsiemeCondizioni set;
    Build(set);
    const std::int64_t n = state.range(0);
    std::array<std::array<std::int32_t, 256>, 26> counters{};
    std::int64_t accepted = 0;
    for (auto _ : state) {
        set.Prepara();
        accepted = 0;
        Enumerate(n, [&](const Colonna& c) {
            std::memset(counters.data(), 0, sizeof(counters));
            benchmark::DoNotOptimize(counters.data());
            std::array<TMisura, 8> m;
            for (TCondizione* k : set.Attive()) {
                if (auto* t = dynamic_cast<TCondTabelle*>(k)) {
                    t->Misura(c, std::span<TMisura>(m.data(), t->NumTabelle()), true);
                }
            }
            benchmark::DoNotOptimize(m.data());
            accepted += set.Accetta(c) ? 1 : 0;
        });
        benchmark::DoNotOptimize(accepted);
    }
    state.counters["accepted"] = static_cast<double>(accepted);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AccettaReference)->Arg(kAll / 4)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
