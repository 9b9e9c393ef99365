#include "develop/estimate.h"

#include <fmt/format.h>

#include "conditions/condition_set.h"
#include "core/enumerate.h"
#include "core/progress.h"
#include "core/rounding.h"
#include "develop/driver.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr std::int64_t kEstimateRefresh = 301;

// Stops the main window's animation for the length of a recalculation, however it ends.
class TAnimationGuard {
public:
    explicit TAnimationGuard(const std::function<void(bool)>& animation) : animation_(animation) {
        if (animation_) {
            animation_(false);
        }
    }
    ~TAnimationGuard() {
        if (animation_) {
            animation_(true);
        }
    }
    TAnimationGuard(const TAnimationGuard&) = delete;
    TAnimationGuard& operator=(const TAnimationGuard&) = delete;

private:
    const std::function<void(bool)>& animation_;
};

// Switches the collection of rejection reasons off for the length of an estimate.
class TNoReasons {
public:
    explicit TNoReasons(TInsiemeCondizioni* set)
        : set_(set), collected_(set != nullptr && set->RaccogliErrori) {
        if (set_ != nullptr) {
            set_->RaccogliErrori = false;
        }
    }
    ~TNoReasons() {
        if (set_ != nullptr) {
            set_->RaccogliErrori = collected_;
        }
    }
    TNoReasons(const TNoReasons&) = delete;
    TNoReasons& operator=(const TNoReasons&) = delete;

private:
    TInsiemeCondizioni* set_;
    bool collected_;
};

} // namespace

int SamplingStep(std::int64_t total) {
    if (total <= 49'999) {
        return 1;
    }
    if (total <= 99'999) {
        return 2;
    }
    if (total <= 199'999) {
        return 3;
    }
    if (total <= 999'999) {
        return 5;
    }
    if (total <= 2'999'999) {
        return 7;
    }
    return 9;
}

bool ConditionsInForce(TColumnAcceptor* conditions) {
    if (conditions == nullptr) {
        return false;
    }
    conditions->PrepareRun();
    if (auto* set = dynamic_cast<TInsiemeCondizioni*>(conditions)) {
        return !set->Attive().empty() || set->Link().Abilitato;
    }
    return true; // an acceptor of another kind: assume it filters
}

bool ConditionsInForce(T_Sistema& sys) {
    return ConditionsInForce(sys.Condizioni);
}

TEstimateResult RunEstimate(const TDevelopRequest& request, TDevelopProgress* progress, CancelProbe* cancel) {
    TDevelopProgress none;
    TDevelopProgress& out = progress != nullptr ? *progress : none;
    const auto& dev = request.settings;
    const bool pairs = dev.PairMode != 0;
    const std::int64_t total = pairs ? PairColumnsCovered(dev.PairTable) : ColumnsCovered(request.forecast);
    const std::int64_t step = SamplingStep(total);

    TNoReasons noReasons(dynamic_cast<TInsiemeCondizioni*>(request.conditions));
    // Without "Usa i Condizionamenti" a development keeps every column, and so does the estimate.
    const bool inForce = dev.UseConditions != 0 && ConditionsInForce(request.conditions);
    TColumnAcceptor* acceptor = inForce ? request.conditions : nullptr;
    out.Inizio(request.recalculation, false);
    out.AggiornaCond(total, 0, true, 0);

    std::int64_t counter = 1;
    std::int64_t sampled = 0;
    std::int64_t accepted = 0;
    std::int64_t refresh = 0;
    const auto examine = [&](const Colonna& c) {
        if (counter != step) {
            ++counter;
            return;
        }
        counter = 1;
        ++sampled;
        if (acceptor == nullptr || acceptor->Accept(c)) {
            ++accepted;
        }
        if (++refresh >= kEstimateRefresh) {
            refresh = 0;
            out.AggiornaCond(total, accepted * step, false, sampled * step);
        }
    };
    TEstimateResult result;
    if (inForce) {
        const bool completed = pairs
                                   ? EnumeratePairs(dev.PairTable, TEnumMode::Develop, cancel, examine)
                                   : EnumerateForecast(request.forecast, TEnumMode::Develop, cancel, examine);
        result.stopped = !completed;
    }
    // A stopped estimate counts nothing, as a stopped development keeps nothing.
    result.estimate = result.stopped ? 0 : inForce ? accepted * step : total;
    if (result.stopped) {
        out.EnumerazioneInterrotta();
    }
    out.AggiornaCond(total, result.estimate, true, total);
    out.CalcoloTerminato(result.estimate, request.previousCount);
    return result;
}

std::int64_t EstimateSystem(T_Sistema& sys, TDevelopProgress* progress, bool recalculation,
                            std::int64_t previousCount) {
    TDevelopRequest request = TDevelopRequest::Of(sys);
    request.recalculation = recalculation;
    request.previousCount = previousCount;
    const TEstimateResult r = RunEstimate(request, progress, nullptr);
    sys.Colonne.Clear();
    return r.estimate;
}

TRecalcOutcome RunRecalculation(const TDevelopRequest& request, const TRecalcHooks& hooks) {
    TRecalcOutcome outcome;
    if (request.settings.RealCalculation == 1) {
        TDevelopHooks dh;
        dh.progress = hooks.progress;
        dh.prompt = hooks.prompt;
        dh.cancel = hooks.cancel;
        outcome.development = RunDevelopment(request, dh);
        outcome.count = outcome.development.columns.Count();
        outcome.previousCount = outcome.development.result.previousCount;
        outcome.stopped = outcome.development.result.stopped;
        return outcome;
    }
    const TEstimateResult r = RunEstimate(request, hooks.progress, hooks.cancel);
    outcome.real = false;
    outcome.count = r.estimate;
    outcome.previousCount = r.estimate;
    outcome.stopped = r.stopped;
    return outcome;
}

void ApplyRecalculation(T_Sistema& sys, TRecalcOutcome&& outcome) {
    if (outcome.real) {
        ApplyDevelopment(sys, std::move(outcome.development));
    } else {
        sys.Colonne.Clear();
    }
}

TRecalcOutcome RecalculateSystem(T_Sistema& sys, const TRecalcHooks& hooks) {
    TAnimationGuard guard(hooks.animation);
    TDevelopRequest request = TDevelopRequest::Of(sys);
    request.recalculation = true;
    request.previousCount = hooks.previousCount;
    TRecalcOutcome outcome = RunRecalculation(request, hooks);
    TRecalcOutcome shown;
    shown.count = outcome.count;
    shown.previousCount = outcome.previousCount;
    shown.stopped = outcome.stopped;
    shown.real = outcome.real;
    ApplyRecalculation(sys, std::move(outcome));
    return shown;
}

void TRecalcPanelModel::Inizializza() {
    colonne_ = "0";
    variazione_.clear();
    gauge_ = 0;
    gaugeVisible_ = true;
}

bool TRecalcPanelModel::AggiornaCond(std::int64_t total, std::int64_t accepted, std::int64_t examined) {
    const int p =
        total < 1
            ? 0
            : static_cast<int>(Truncate(static_cast<double>(examined) / static_cast<double>(total) * 100.0));
    if (p == 100 || p > gauge_ + 3) {
        gauge_ = p;
        colonne_ = fmt::format("{}", accepted);
        return true;
    }
    return false;
}

bool TRecalcPanelModel::AggiornaRid(std::int64_t total, std::int64_t count, std::int64_t examined) {
    const int p = total < 1 ? 0
                            : static_cast<int>(RoundNearest(static_cast<double>(examined) /
                                                            static_cast<double>(total) * 100.0));
    if (p == 0 || p > gauge_ + 3) {
        gauge_ = p;
        colonne_ = fmt::format("{}", count);
        return true;
    }
    return false;
}

void TRecalcPanelModel::CalcoloTerminato(std::int64_t finalCount, std::int64_t previousCount) {
    colonne_ = fmt::format("{}", finalCount);
    gaugeVisible_ = false;
    variazione_ = ChangeText(previousCount, finalCount);
}

std::string ChangeText(std::int64_t previousCount, std::int64_t finalCount) {
    if (previousCount <= 0) {
        return {};
    }
    const std::int64_t change = RoundNearest(static_cast<double>(finalCount - previousCount) /
                                             static_cast<double>(previousCount) * 100.0);
    if (change == 0) {
        return {};
    }
    return fmt::format("{}{}%", previousCount < finalCount ? "+" : "", change);
}

} // namespace tessaline
