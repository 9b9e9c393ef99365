#pragma once
// Automatic recalculation: after every change the program works out at once how many columns the
// system yields, by a real development or by an estimate from a sample of the columns, and shows
// the count with its change against the previous one in the panel "Numero di Colonne".

#include <cstdint>
#include <functional>
#include <string>

#include "develop/driver.h"

namespace tessaline {

class CancelProbe;
class TColumnAcceptor;
class T_Sistema;
class TDevelopProgress;
class UserPrompt;

// Every s-th column is examined by the estimate: s grows with the columns T of the forecast.
int SamplingStep(std::int64_t total);

struct TEstimateResult {
    std::int64_t estimate = 0; // the count the panel shows (0 when stopped)
    bool stopped = false;      // stopped with "Annulla" while sampling
};

// The estimated calculation: examines every SamplingStep-th column of the request's forecast (or of
// its pair table in pair mode) against its condition set and returns accepted × s, or the
// forecast's count when no condition is in force (or the conditions are not used). Reports to
// progress (may be null), ends with its CalcoloTerminato (against the request's previous count) and
// looks at cancel (may be null) where the development does. Leaves the system untouched.
TEstimateResult RunEstimate(const TDevelopRequest& request, TDevelopProgress* progress, CancelProbe* cancel);

// RunEstimate on the system's request: empties the system's column list and returns the estimate.
std::int64_t EstimateSystem(T_Sistema& sys, TDevelopProgress* progress, bool recalculation = false,
                            std::int64_t previousCount = 0);

// Who an automatic recalculation talks to: the panel, the question before a slow optimised
// reduction, the "Annulla" of the panel, and the main window's animation (stopped during the run,
// started again after). previousCount is the panel's count of the run before.
struct TRecalcHooks {
    TDevelopProgress* progress = nullptr;
    UserPrompt* prompt = nullptr;
    CancelProbe* cancel = nullptr;
    std::function<void(bool running)> animation;
    std::int64_t previousCount = 0;
};

struct TRecalcOutcome {
    std::int64_t count = 0;         // what the panel shows
    std::int64_t previousCount = 0; // the panel's previous count for the next run
    bool stopped = false;
    bool real = true;            // a development (else an estimate)
    TDevelopOutcome development; // the development's outcome (real only)
};

// The recalculation of a request (its recalculation flag set by the caller): DevelopSystem's run
// when RealCalculation is 1, the estimate otherwise. Thread-agnostic; changes nothing but the
// request's condition set and destination file.
TRecalcOutcome RunRecalculation(const TDevelopRequest& request, const TRecalcHooks& hooks);
// Puts the outcome into the system: the development's columns, or an empty list after an estimate.
void ApplyRecalculation(T_Sistema& sys, TRecalcOutcome&& outcome);

// Both on the caller's thread, with the animation stopped around the run (started again even when
// the run raises). An error applies nothing.
TRecalcOutcome RecalculateSystem(T_Sistema& sys, const TRecalcHooks& hooks);

// Whether a condition of the set (or its link) takes part in a run; prepares the set.
bool ConditionsInForce(TColumnAcceptor* conditions);
bool ConditionsInForce(T_Sistema& sys);

// What the recalculation panel shows, apart from any toolkit.
class TRecalcPanelModel {
public:
    // Count "0", empty change, gauge at 0 and visible.
    void Inizializza();
    // Conditioning reports: the gauge follows E / T truncated when it reaches 100 or moves more
    // than 3; the count follows with it. Returns true when something changed.
    bool AggiornaCond(std::int64_t total, std::int64_t accepted, std::int64_t examined);
    // Reduction reports: E / T rounded, taken when 0 or more than 3 above the gauge.
    bool AggiornaRid(std::int64_t total, std::int64_t count, std::int64_t examined);
    // The final count against the previous count: the change text, gauge hidden.
    void CalcoloTerminato(std::int64_t finalCount, std::int64_t previousCount);

    const std::string& Colonne() const { return colonne_; }
    const std::string& Variazione() const { return variazione_; }
    int Gauge() const { return gauge_; }
    bool GaugeVisible() const { return gaugeVisible_; }

private:
    std::string colonne_ = "0";
    std::string variazione_;
    int gauge_ = 0;
    bool gaugeVisible_ = true;
};

// The change of the panel: "+50%", "-50%", or empty when nothing changed or there was no
// previous count.
std::string ChangeText(std::int64_t previousCount, std::int64_t finalCount);

} // namespace tessaline
