#pragma once
// Automatic recalculation: after every change the program works out at once how many columns the
// system yields, by a real development or by an estimate from a sample of the columns, and shows
// the count with its change against the previous one in the panel "Numero di Colonne".

#include <cstdint>
#include <functional>
#include <string>

namespace tessaline {

class T_Sistema;
class TDevelopProgress;
class UserPrompt;

// Every s-th column is examined by the estimate: s grows with the columns T of the forecast.
int SamplingStep(std::int64_t total);

// The estimated calculation: empties the column list, examines every SamplingStep-th column of the
// forecast (or of the pair table in pair mode) against the condition set and returns accepted × s,
// or the forecast's count when no condition is in force (or the conditions are not used). Reports
// to progress (may be null), calls its CalcoloTerminato and stores the estimate as the previous count.
std::int64_t EstimateSystem(T_Sistema& sys, TDevelopProgress* progress);

// Who an automatic recalculation talks to: the panel, the question before a slow optimised
// reduction, and the main window's animation (stopped during the run, started again after).
struct TRecalcHooks {
    TDevelopProgress* progress = nullptr;
    UserPrompt* prompt = nullptr;
    std::function<void(bool running)> animation;
};

// Runs DevelopSystem (RealCalculation 1) or EstimateSystem (0) with the system's automatic
// recalculation flag set; the flag is cleared and the animation restarted even when the run
// raises. Returns the count the panel shows.
std::int64_t RecalculateSystem(T_Sistema& sys, const TRecalcHooks& hooks);

// Whether a condition of the system's set (or its link) takes part in a run; prepares the set.
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
