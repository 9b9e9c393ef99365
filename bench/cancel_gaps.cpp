// How promptly "Annulla" is honoured: the longest gap between two calls of the cancel probe during
// a run, on a 16,777,216-column development and on large optimised reductions, with the time from
// the start to the first look-up and from the last look-up to the end of the run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "core/interfaces.h"
#include "develop/driver.h"
#include "system/sistema.h"

using namespace tessaline;

namespace {

using TClock = std::chrono::steady_clock;

// The CPU time of the calling thread: gaps without the time the shared machine gave to others.
double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Never answers "Annulla"; keeps the longest gap between two look-ups.
class TGapProbe : public CancelProbe {
public:
    void Start() {
        last_ = TClock::now();
        lastCpu_ = ThreadCpuMs();
        longestCpu_ = 0;
        first_ = TClock::duration::zero();
        longest_ = TClock::duration::zero();
        looks_ = 0;
    }
    bool Peek() override { return Look(); }
    bool Take() override { return Look(); }
    double FirstMs() const { return Ms(first_); }
    double LongestMs() const { return Ms(longest_); }
    double LongestCpuMs() const { return longestCpu_; }
    double TailMs() const { return Ms(TClock::now() - last_); }
    double Looks() const { return static_cast<double>(looks_); }

private:
    static double Ms(TClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
    bool Look() {
        const auto now = TClock::now();
        const auto gap = now - last_;
        if (looks_++ == 0) {
            first_ = gap;
        }
        longest_ = std::max(longest_, gap);
        last_ = now;
        const double cpu = ThreadCpuMs();
        longestCpu_ = std::max(longestCpu_, cpu - lastCpu_);
        lastCpu_ = cpu;
        return false;
    }
    TClock::time_point last_{};
    TClock::duration first_{};
    TClock::duration longest_{};
    double lastCpu_ = 0;
    double longestCpu_ = 0;
    long looks_ = 0;
};

void Report(benchmark::State& state, double longest, double longestCpu, double first, double tail,
            double looks) {
    state.counters["longest_gap_ms"] = longest;
    state.counters["longest_gap_cpu_ms"] = longestCpu;
    state.counters["first_look_ms"] = first;
    state.counters["tail_ms"] = tail;
    state.counters["looks"] = looks;
}

// Twelve quadruples into memory, no condition: the development window's longest run.
void BM_CancelGapDevelopment(benchmark::State& state) {
    TDevelopRequest request;
    for (int t = 0; t < kTeams; ++t) {
        request.forecast[t] = kAllSigns;
    }
    TGapProbe probe;
    double longest = 0;
    double longestCpu = 0;
    double first = 0;
    double tail = 0;
    for (auto _ : state) {
        TDevelopHooks hooks;
        hooks.cancel = &probe;
        probe.Start();
        const TDevelopOutcome outcome = RunDevelopment(request, hooks);
        tail = std::max(tail, probe.TailMs());
        longest = std::max(longest, probe.LongestMs());
        longestCpu = std::max(longestCpu, probe.LongestCpuMs());
        first = std::max(first, probe.FirstMs());
        benchmark::DoNotOptimize(outcome.columns.Size());
    }
    Report(state, longest, longestCpu, first, tail, probe.Looks());
}
BENCHMARK(BM_CancelGapDevelopment)->Unit(benchmark::kMillisecond)->Iterations(3);

// "Sviluppo Ridotto" with "Riduzione Ottimizzata": quadruples and triples as given, the other teams
// fixed, and the guarantee.
void BM_CancelGapOptimised(benchmark::State& state) {
    TDevelopRequest request;
    const int quads = static_cast<int>(state.range(0));
    const int triples = static_cast<int>(state.range(1));
    for (int t = 0; t < kTeams; ++t) {
        request.forecast[t] = t < quads             ? kAllSigns
                              : t < quads + triples ? static_cast<SignSet>(kSign0 | kSign1 | kSign2)
                                                    : kSign1;
    }
    auto& dev = request.settings;
    dev.ReducedDevelopment = 1;
    dev.OptimisedReduction = 1;
    dev.Guarantee = static_cast<std::uint8_t>(state.range(2));
    TGapProbe probe;
    double longest = 0;
    double longestCpu = 0;
    double first = 0;
    double tail = 0;
    std::size_t chosen = 0;
    for (auto _ : state) {
        TDevelopHooks hooks;
        hooks.cancel = &probe;
        probe.Start();
        const TDevelopOutcome outcome = RunDevelopment(request, hooks);
        tail = std::max(tail, probe.TailMs());
        longest = std::max(longest, probe.LongestMs());
        longestCpu = std::max(longestCpu, probe.LongestCpuMs());
        first = std::max(first, probe.FirstMs());
        chosen = outcome.columns.Size();
    }
    Report(state, longest, longestCpu, first, tail, probe.Looks());
    state.counters["chosen"] = static_cast<double>(chosen);
}
// quadruples, triples, guarantee
BENCHMARK(BM_CancelGapOptimised)
    ->Args({9, 0, 4})
    ->Args({10, 0, 5})
    ->Args({0, 9, 5})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
