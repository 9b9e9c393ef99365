// The value, sequence, filter-column and Punti Tra conditions on the twelve-quadruple forecast
// (16,777,216 columns): one "Generica" sequence item, one Valori item, three filter columns and two
// Punti Tra groups fed by the sequence and the filters.

#include <benchmark/benchmark.h>

#include <array>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/value_conditions.h"
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

struct TBanco {
    TeamGrid valori{};
    TInsiemeCondizioni set;

    TBanco() {
        for (std::size_t t = 0; t < kTeams; ++t) {
            valori[t] = {static_cast<std::int32_t>(t % 3), 2, 4, 7};
        }
        set.CollegaSchedina(&valori, nullptr);

        auto seq = std::make_unique<TCondSequela>(&set);
        seq->TipoSequela = kGenerica;
        seq->Lunghezza = 2;
        seq->ImpostaPassoN();
        Admit(seq->Presenze(), 1, 5);
        Admit(seq->Presenze(), 0, 4, true);
        seq->Presenze().Pt.Tra = 1;
        set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Aggiungi(std::move(seq));

        auto val = std::make_unique<TCondGruppoValori>(&set);
        for (std::size_t t = 0; t < 6; ++t) {
            val->Squadre[t] = 1;
        }
        RicostruisciIntervalli({{"0", "9"}, {"12", "30"}}, {{"10", "11", 1}}, true, {}, val->Intervalli);
        set.SlotAs<TListaCondizioni>(kCodGruppoValori)->Aggiungi(std::move(val));

        const std::array<SignSet, 3> segni = {kSign0 | kSign1, kSign2 | kSignM, kSign1};
        for (std::size_t k = 0; k < 3; ++k) {
            auto f = std::make_unique<TCondColonnaFiltro>(&set);
            f->ConfrontoACoppie = k == 2;
            f->Filtro.s.fill(segni[k]);
            if (k == 1) {
                f->Filtro[5] = 0; // a skipped position
            }
            Admit(f->Punti(), k == 2 ? 0 : 2, k == 2 ? 4 : 10);
            Admit(f->Punti(), 0, 7, true);
            f->Punti().Pt.Tra = 2;
            set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro)->Aggiungi(std::move(f));
        }

        auto& tra = *set.SlotAs<TCondPuntiTra>(kCodPuntiTra);
        tra.Gruppo(1).Aggiungi(1, 4, kAmmesso);
        tra.Gruppo(2).Aggiungi(6, 20, kAmmesso);
    }
};

template <class F> void Enumerate(std::int64_t count, F&& f) {
    reference::EnumerateQuadruples(count, f);
}

constexpr std::int64_t kAll = reference::kAllQuadruples;

void BM_Conditions2Quadruples(benchmark::State& state) {
    TBanco b;
    const std::int64_t n = state.range(0);
    std::int64_t accepted = 0;
    std::int64_t reachedTra = 0;
    for (auto _ : state) {
        b.set.Prepara();
        accepted = 0;
        reachedTra = 0;
        Enumerate(n, [&](const Colonna& c) {
            accepted += b.set.Accetta(c) ? 1 : 0;
            reachedTra += b.set.Somme()[2] != 0 ? 1 : 0;
        });
        benchmark::DoNotOptimize(accepted);
    }
    state.counters["accepted"] = static_cast<double>(accepted);
    state.counters["filters_reached"] = static_cast<double>(reachedTra);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Conditions2Quadruples)->Arg(1 << 20)->Arg(kAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// End to end: "Calcolo Colonne" of the twelve quadruples into memory through the same set, on
// state.range(0) threads. Process CPU time (every thread) and wall time.
void BM_DevelopSystemConditions2(benchmark::State& state) {
    SetThreadCap(static_cast<int>(state.range(0)));
    TBanco b;
    T_Sistema sys;
    sys.dati.Forecast.s.fill(kAllSigns);
    sys.dati.sviluppo.UseConditions = 1;
    sys.dati.sviluppo.DestinationMemory = 1;
    sys.Condizioni = &b.set;
    std::int64_t accepted = 0;
    for (auto _ : state) {
        accepted = DevelopSystem(sys, TDevelopHooks{}).accepted;
        benchmark::DoNotOptimize(sys.Colonne.Size());
    }
    state.counters["accepted"] = static_cast<double>(accepted);
}
BENCHMARK(BM_DevelopSystemConditions2)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Every measure of the families computed for every column, whatever the earlier checks said: the
// cost of the measures alone.
void BM_Conditions2AllMeasures(benchmark::State& state) {
    TBanco b;
    b.set.Prepara();
    const auto& seq = dynamic_cast<TCondSequela&>(b.set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Item(0));
    const auto& val =
        dynamic_cast<TCondGruppoValori&>(b.set.SlotAs<TListaCondizioni>(kCodGruppoValori)->Item(0));
    const auto& lista = *b.set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro);
    std::array<const TCondColonnaFiltro*, 3> filtri{};
    std::array<TMaschereFiltro, 3> maschere{};
    for (std::size_t k = 0; k < filtri.size(); ++k) {
        filtri[k] = &dynamic_cast<const TCondColonnaFiltro&>(lista.Item(k));
        maschere[k] = MaschereFiltro(filtri[k]->Filtro);
    }
    const TParametriSequela p = seq.Parametri();
    const std::int64_t n = state.range(0);
    for (auto _ : state) {
        std::int64_t sum = 0;
        Enumerate(n, [&](const Colonna& c) {
            const TConteggio s = MisuraSequela(c, p);
            sum += s.conta + s.serie + static_cast<std::int64_t>(val.Misura(c));
            const TProfilo pr = Profilo(c);
            for (std::size_t k = 0; k < filtri.size(); ++k) {
                const TCondColonnaFiltro* f = filtri[k];
                const TConteggio m = MisuraColonnaFiltro(c, pr, f->Filtro, maschere[k], f->ConfrontoACoppie);
                sum += m.conta + m.serie;
            }
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Conditions2AllMeasures)->Arg(kAll / 4)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
