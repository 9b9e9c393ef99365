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

// Clears the automatic recalculation flag and restarts the animation however the run ends.
class TRecalcGuard {
public:
    TRecalcGuard(T_Sistema& sys, const std::function<void(bool)>& animation)
        : sys_(sys), animation_(animation) {
        if (animation_) {
            animation_(false);
        }
        sys_.recalcRunning = true;
    }
    ~TRecalcGuard() {
        sys_.recalcRunning = false;
        if (animation_) {
            animation_(true);
        }
    }
    TRecalcGuard(const TRecalcGuard&) = delete;
    TRecalcGuard& operator=(const TRecalcGuard&) = delete;

private:
    T_Sistema& sys_;
    const std::function<void(bool)>& animation_;
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

bool ConditionsInForce(T_Sistema& sys) {
    if (sys.Condizioni == nullptr) {
        return false;
    }
    sys.Condizioni->PrepareRun();
    if (auto* set = dynamic_cast<TInsiemeCondizioni*>(sys.Condizioni)) {
        return !set->Attive().empty() || set->Link().Abilitato;
    }
    return true; // an acceptor of another kind: assume it filters
}

std::int64_t EstimateSystem(T_Sistema& sys, TDevelopProgress* progress) {
    TDevelopProgress none;
    TDevelopProgress& out = progress != nullptr ? *progress : none;
    const auto& dev = sys.dati.sviluppo;
    const bool pairs = dev.PairMode != 0;
    const std::int64_t total = pairs ? PairColumnsCovered(dev.PairTable) : ColumnsCovered(sys.dati.Forecast);
    const std::int64_t step = SamplingStep(total);

    sys.Colonne.Clear();
    auto* set = dynamic_cast<TInsiemeCondizioni*>(sys.Condizioni);
    const bool collected = set != nullptr && set->RaccogliErrori;
    if (set != nullptr) {
        set->RaccogliErrori = false;
    }
    // Without "Usa i Condizionamenti" a development keeps every column, and so does the estimate.
    const bool inForce = dev.UseConditions != 0 && ConditionsInForce(sys);
    TColumnAcceptor* acceptor = inForce ? sys.Condizioni : nullptr;
    sys.IntegralMultiplier = 1;
    if (sys.recalcRunning) {
        out.Inizializza();
    } else {
        out.ShowReductionLabels(false);
    }
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
    if (inForce) {
        if (pairs) {
            EnumeratePairs(dev.PairTable, TEnumMode::Develop, nullptr, examine);
        } else {
            EnumerateForecast(sys.dati.Forecast, TEnumMode::Develop, nullptr, examine);
        }
    }
    if (set != nullptr) {
        set->RaccogliErrori = collected;
    }
    const std::int64_t estimate = inForce ? accepted * step : total;
    out.AggiornaCond(total, estimate, true, total);
    out.CalcoloTerminato(estimate);
    sys.previousCount = estimate;
    return estimate;
}

std::int64_t RecalculateSystem(T_Sistema& sys, const TRecalcHooks& hooks) {
    TRecalcGuard guard(sys, hooks.animation);
    if (sys.dati.sviluppo.RealCalculation == 1) {
        TDevelopHooks dh;
        dh.progress = hooks.progress;
        dh.prompt = hooks.prompt;
        DevelopSystem(sys, dh);
        return sys.Colonne.Count();
    }
    return EstimateSystem(sys, hooks.progress);
}

void TRecalcPanelModel::Inizializza() {
    colonne_ = "0";
    variazione_.clear();
    gauge_ = 0;
    gaugeVisible_ = true;
}

bool TRecalcPanelModel::AggiornaCond(std::int64_t total, std::int64_t accepted, std::int64_t examined) {
    const int p = total < 1 ? 0 : static_cast<int>(Truncate(static_cast<double>(examined) / total * 100.0));
    if (p == 100 || p > gauge_ + 3) {
        gauge_ = p;
        colonne_ = fmt::format("{}", accepted);
        return true;
    }
    return false;
}

bool TRecalcPanelModel::AggiornaRid(std::int64_t total, std::int64_t count, std::int64_t examined) {
    const int p =
        total < 1 ? 0 : static_cast<int>(RoundNearest(static_cast<double>(examined) / total * 100.0));
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
