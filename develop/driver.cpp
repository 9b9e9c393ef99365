#include "develop/driver.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fmt/format.h>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "core/atomic_file.h"
#include "core/column_list.h"
#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/progress.h"
#include "core/run_state.h"
#include "reduce/improve.h"
#include "reduce/on_the_fly.h"
#include "reduce/optimised.h"
#include "system/sistema.h"

namespace fs = std::filesystem;

namespace tessaline {

namespace {

constexpr std::size_t kBlockColumns = 1000;
constexpr std::int64_t kCondRefresh = 201;
constexpr std::int64_t kRidRefresh = 501;

// Forwards every report with its counts multiplied by the run's IntegralMultiplier.
class TScaledProgress final : public TDevelopProgress {
public:
    explicit TScaledProgress(TDevelopProgress* inner) : inner_(inner != nullptr ? inner : &none_) {}
    void SetFactor(std::int64_t m) { m_ = m; }

    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override {
        inner_->AggiornaCond(t * m_, a * m_, f, e * m_);
    }
    void AggiornaCondRid(std::int64_t t, std::int64_t a, bool f, std::int64_t k, std::int64_t e) override {
        inner_->AggiornaCondRid(t * m_, a * m_, f, k * m_, e * m_);
    }
    void AggiornaRidOtt(std::int64_t n, std::int64_t chosen, bool f, std::int64_t covered) override {
        inner_->AggiornaRidOtt(n * m_, chosen * m_, f, covered * m_);
    }
    void AggiornaMigliorata(std::int64_t current, std::int64_t best, int percent) override {
        inner_->AggiornaMigliorata(current * m_, best * m_, percent);
    }
    void Stato(const std::string& text) override { inner_->Stato(text); }
    void ShowReductionLabels(bool show) override { inner_->ShowReductionLabels(show); }
    void ShowPieCond() override { inner_->ShowPieCond(); }
    void ShowPieRid() override { inner_->ShowPieRid(); }
    void Close() override { inner_->Close(); }
    void RefreshMainWindow() override { inner_->RefreshMainWindow(); }
    void Inizializza() override { inner_->Inizializza(); }
    void CalcoloTerminato(std::int64_t n) override { inner_->CalcoloTerminato(n); }

private:
    TDevelopProgress none_;
    TDevelopProgress* inner_;
    std::int64_t m_ = 1;
};

bool HasBases(const IntegralBases& bases) {
    for (SignSet b : bases) {
        if (b != 0) {
            return true;
        }
    }
    return false;
}

// The column with every integral team given its whole forecast set back.
Colonna WithIntegralTeams(Colonna c, const IntegralBases& bases, const Pronostico& forecast) {
    for (int t = 0; t < kTeams; ++t) {
        if (bases[static_cast<std::size_t>(t)] != 0) {
            c[t] = forecast[t];
        }
    }
    return c;
}

std::int64_t FileColumns(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        return 0;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return 0;
    }
    std::fclose(f);
    return static_cast<std::int64_t>(size / sizeof(Colonna));
}

std::string ElapsedText(std::chrono::steady_clock::duration d) {
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(d).count();
    return fmt::format("{:02}:{:02}:{:02}", secs / 3600, (secs / 60) % 60, secs % 60);
}

class TDevelopRun {
public:
    TDevelopRun(T_Sistema& sys, const TDevelopHooks& hooks)
        : sys_(sys), dev_(sys.dati.sviluppo), progress_(hooks.progress), prompt_(hooks.prompt),
          cancel_(hooks.cancel) {}

    TDevelopResult Run();

private:
    bool Reducing() const { return dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 0; }
    std::int64_t ListCount() const { return memory_ ? std::int64_t{sys_.Colonne.Count()} : fileCount_; }
    void ReportRid(bool final) {
        progress_.AggiornaCondRid(n_.TotalColumns, n_.AcceptedColumns, final, ListCount(),
                                  n_.ExaminedColumns);
    }
    void PassState();
    void StepColumn(const Colonna& c);
    void ToFile(const Colonna& c);
    void PushOut(const Colonna& c);
    void FlushOut();
    void OpenDestination();
    void DiscardDestination();
    void ForecastPasses();
    void SourcePasses();
    // Reads and examines the open source file; true when it was stopped with "Annulla".
    bool ReadSource(std::FILE* f, std::uint64_t bytes);
    bool SizeCheckAllows();
    void SecondLook() {
        if (reducer_) {
            reducer_->SecondLook();
        }
    }

    T_Sistema& sys_;
    TImpostazioniSviluppo& dev_;
    TScaledProgress progress_;
    UserPrompt* prompt_;
    CancelProbe* cancel_;
    TDevelopResult result_;

    TRunCounters n_;
    TListaColonne deferred_;
    std::optional<OnTheFlyReducer> reducer_;
    TColumnAcceptor* acceptor_ = nullptr; // null: every column passes
    bool reducing_ = false;
    bool memory_ = true;
    bool developForecast_ = true;
    bool integralBack_ = false;
    Pronostico devForecast_{};

    fs::path destPath_;
    std::unique_ptr<TAtomicFile> out_;
    std::vector<Colonna> outBuf_;
    std::int64_t fileCount_ = 0;
};

void TDevelopRun::PassState() {
    progress_.Stato(dev_.Passes < 2 ? std::string("Elaborazione in Corso...")
                                    : fmt::format("Elaborazione in Corso... Passo {}", n_.pass));
}

// The per-column step: the heart of the run.
inline void TDevelopRun::StepColumn(const Colonna& c) {
    if (acceptor_ == nullptr || acceptor_->Accept(c)) {
        if (!memory_) {
            ToFile(c);
            ++fileCount_;
            ++n_.AcceptedColumns;
        } else if (!reducing_) {
            sys_.Colonne.Append(c);
        } else {
            reducer_->Keep(c, n_.pass);
            if (++n_.refresh > 500) {
                n_.refresh = 0;
                ReportRid(false);
            }
            ++n_.AcceptedColumns;
        }
    }
    ++n_.ExaminedColumns;
    ++n_.refresh;
    if (!reducing_) {
        if (n_.refresh >= kCondRefresh) {
            n_.refresh = 0;
            progress_.AggiornaCond(n_.TotalColumns, ListCount(), false, n_.ExaminedColumns);
        }
    } else if (n_.refresh >= kRidRefresh) {
        n_.refresh = 0;
        ReportRid(false);
    }
}

// A column for the destination file gets its integral teams back first, so that the file holds
// exactly what the memory list would hold after the run.
void TDevelopRun::ToFile(const Colonna& c) {
    if (!integralBack_) {
        PushOut(c);
        return;
    }
    ExpandColumn(WithIntegralTeams(c, dev_.IntegralBases, sys_.dati.Forecast),
                 [this](const Colonna& single) { PushOut(single); });
}

void TDevelopRun::PushOut(const Colonna& c) {
    outBuf_.push_back(c);
    if (outBuf_.size() >= kBlockColumns) {
        FlushOut();
    }
}

void TDevelopRun::FlushOut() {
    if (!outBuf_.empty() && !out_->Write(outBuf_.data(), outBuf_.size() * sizeof(Colonna))) {
        throw EInOutError(msg::kImpossibileSalvareFileColonne);
    }
    outBuf_.clear();
}

void TDevelopRun::OpenDestination() {
    out_ = std::make_unique<TAtomicFile>(destPath_);
    if (!out_->IsOpen()) {
        throw EInOutError(msg::kImpossibileSalvareFileColonne);
    }
    outBuf_.clear();
    outBuf_.reserve(kBlockColumns);
}

// A stopped enumeration keeps nothing, in a file as in memory: start the file afresh.
void TDevelopRun::DiscardDestination() {
    out_.reset();
    OpenDestination();
    fileCount_ = 0;
}

void TDevelopRun::ForecastPasses() {
    bool reduce = reducing_;
    n_.pass = 0;
    const bool pairs = dev_.PairMode != 0;
    n_.TotalColumns = pairs ? PairColumnsCovered(dev_.PairTable) : ColumnsCovered(devForecast_);
    if (memory_ && !reducing_ && acceptor_ == nullptr) {
        sys_.Colonne.Reserve(static_cast<std::size_t>(n_.TotalColumns));
    }
    const auto step = [this](const Colonna& c) { StepColumn(c); };
    do {
        ++n_.pass;
        n_.ExaminedColumns = n_.AcceptedColumns = n_.refresh = 0;
        progress_.AggiornaCond(n_.TotalColumns, 0, true, 0);
        PassState();
        const bool completed = pairs ? EnumeratePairs(dev_.PairTable, TEnumMode::Develop, cancel_, step)
                                     : EnumerateForecast(devForecast_, TEnumMode::Develop, cancel_, step);
        if (!completed) {
            sys_.Colonne.Clear();
            if (!memory_) {
                DiscardDestination();
            }
            progress_.Close();
            reduce = false;
            result_.stopped = true;
        }
        if (reduce && n_.pass == 1) {
            SecondLook();
        }
    } while (n_.pass < dev_.Passes && reduce);
    progress_.AggiornaCond(n_.TotalColumns, ListCount(), true, n_.TotalColumns);
    if (reducing_) {
        ReportRid(true);
        progress_.ShowPieRid();
    }
}

bool TDevelopRun::ReadSource(std::FILE* f, std::uint64_t bytes) {
    const std::uint64_t fullBlocks = bytes / (kBlockColumns * sizeof(Colonna));
    const std::size_t last =
        static_cast<std::size_t>((bytes % (kBlockColumns * sizeof(Colonna))) / sizeof(Colonna));
    std::array<Colonna, kBlockColumns> buffer;
    bool stopped = false;
    for (std::uint64_t block = 0; block <= fullBlocks && !stopped; ++block) {
        const std::size_t want = block < fullBlocks ? kBlockColumns : last;
        if (want == 0) {
            break;
        }
        if (std::fread(buffer.data(), sizeof(Colonna), want, f) != want) {
            sys_.Colonne.Clear();
            throw EInOutError(msg::kImpossibileCaricareFileCombinazioni);
        }
        for (std::size_t i = 0; i < want; ++i) {
            StepColumn(buffer[i]);
            if (!reducing_) {
                progress_.AggiornaCond(n_.TotalColumns, ListCount(), false, n_.ExaminedColumns);
            }
            if (cancel_ != nullptr && cancel_->Peek()) {
                stopped = true;
                break;
            }
        }
    }
    if (!reducing_) {
        progress_.AggiornaCond(n_.TotalColumns, ListCount(), true, n_.TotalColumns);
    } else {
        SecondLook();
        ReportRid(true);
    }
    return stopped;
}

void TDevelopRun::SourcePasses() {
    bool reduce = reducing_;
    n_.pass = 0;
    const fs::path source = ResolveInFolder(sys_.dati.SourceFile, TFolder::Colonne);
    for (;;) {
        ++n_.pass;
        n_.ExaminedColumns = n_.AcceptedColumns = n_.refresh = 0;
        std::FILE* f = std::fopen(source.c_str(), "rb");
        if (f == nullptr) {
            throw EInOutError(msg::kImpossibileCaricareFileCombinazioni);
        }
        std::error_code ec;
        const auto bytes = fs::file_size(source, ec);
        if (ec) {
            std::fclose(f);
            throw EInOutError(msg::kImpossibileCaricareFileCombinazioni);
        }
        n_.TotalColumns = static_cast<std::int64_t>(bytes / sizeof(Colonna));
        progress_.AggiornaCond(n_.TotalColumns, 0, true, 0);
        PassState();
        bool stopped = false;
        try {
            stopped = ReadSource(f, bytes);
        } catch (...) {
            std::fclose(f);
            throw;
        }
        if (stopped) {
            reduce = false;
            result_.stopped = true;
        }
        if (reduce && n_.pass == 1) {
            SecondLook();
        }
        std::fclose(f);
        if (n_.pass >= dev_.Passes || !reduce) {
            break;
        }
    }
}

bool TDevelopRun::SizeCheckAllows() {
    const std::int64_t count = sys_.Colonne.Count();
    const bool large = (dev_.Guarantee == 5 && count > 24000) || (dev_.Guarantee == 4 && count > 300000);
    bool allowed = true;
    if (large && prompt_ != nullptr) {
        allowed = prompt_->ShowMessage(msg::kInformazione, msg::kRiduzioneLenta, BtnSi | BtnNo) == BtnSi;
    }
    progress_.RefreshMainWindow();
    return allowed;
}

TDevelopResult TDevelopRun::Run() {
    // 1-2: the deferred list, then the automatic switches.
    deferred_.Clear();
    sys_.autoOptimised = false;
    if (dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 0 && dev_.Passes == 1 &&
        dev_.MinDistanceMode == 0) {
        const std::int64_t n = ColumnsToDevelop(sys_);
        sys_.autoOptimised = (dev_.Guarantee == 5 && n < 8000) || (dev_.Guarantee == 4 && n < 25000);
        dev_.OptimisedReduction = sys_.autoOptimised ? 1 : 0;
    }
    bool forcedMemory = false;
    if (dev_.DestinationMemory == 0 && dev_.ReducedDevelopment == 1) {
        forcedMemory = true;
        dev_.DestinationMemory = 1;
    }
    reducing_ = Reducing();
    memory_ = dev_.DestinationMemory == 1;
    developForecast_ = sys_.dati.SourceForecast == 1;

    // 3-5: the progress view, the list, the condition set.
    if (sys_.recalcRunning) {
        progress_.Inizializza();
    } else {
        progress_.ShowReductionLabels(reducing_);
    }
    sys_.Colonne.Clear();
    if (sys_.Condizioni != nullptr) {
        sys_.Condizioni->PrepareRun();
    }
    acceptor_ = dev_.UseConditions != 0 ? sys_.Condizioni : nullptr;

    // 6: the development forecast and IntegralMultiplier.
    sys_.IntegralMultiplier = 1;
    const bool pairs = dev_.PairMode != 0;
    if (!pairs && developForecast_) {
        DropUnfitBases(dev_.IntegralBases, sys_.dati.Forecast);
        devForecast_ = DevelopmentForecast(sys_.dati.Forecast, dev_.IntegralBases);
        sys_.IntegralMultiplier = IntegralMultiplierOf(dev_.IntegralBases, sys_.dati.Forecast);
    } else {
        devForecast_ = sys_.dati.Forecast;
    }
    integralBack_ = developForecast_ && !pairs && HasBases(dev_.IntegralBases);
    progress_.SetFactor(sys_.IntegralMultiplier);

    // 7-8: columns valid, the clock, the destination file.
    sys_.dati.columnsValid = 1;
    const auto start = std::chrono::steady_clock::now();
    if (!memory_) {
        destPath_ = ResolveInFolder(dev_.DestinationFile, TFolder::Colonne);
        fileCount_ = 0;
        OpenDestination();
    }
    if (reducing_) {
        OnTheFlyReducer::TConfig config;
        config.minDistanceMode = dev_.MinDistanceMode != 0;
        config.guarantee = dev_.Guarantee;
        config.minDistance = dev_.MinDistance;
        reducer_.emplace(sys_.Colonne, deferred_, n_, config, &progress_, cancel_);
    }

    // 9: the passes.
    if (developForecast_) {
        ForecastPasses();
    } else {
        SourcePasses();
    }
    result_.total = n_.TotalColumns * sys_.IntegralMultiplier;
    result_.accepted = (reducing_ ? n_.AcceptedColumns : ListCount()) * sys_.IntegralMultiplier;

    if (reducer_ && reducer_->Stopped()) {
        result_.stopped = true;
    }

    // 10-11: the destination file, the final count.
    if (!memory_) {
        FlushOut();
        if (!out_->Commit()) {
            throw EInOutError(msg::kImpossibileSalvareFileColonne);
        }
        out_.reset();
        sys_.previousCount = fileCount_;
        fileCount_ = 0;
    }
    sys_.dati.finalCount = static_cast<std::int32_t>(ListCount());
    if (!sys_.recalcRunning) {
        progress_.ShowPieCond();
    }

    // 12: the optimised reduction.
    if (dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 1 && !sys_.Colonne.Empty()) {
        if (SizeCheckAllows()) {
            progress_.Stato("Autoriduzione In Corso...");
            progress_.ShowReductionLabels(true);
            progress_.AggiornaRidOtt(sys_.Colonne.Count(), 0, false, 0);
            result_.reduced = true;
            if (!(sys_.dati.settings.improvedReduction
                      ? ImprovedReducer(sys_, 6 - dev_.Guarantee, ImproveOptionsFor(sys_.dati.settings),
                                        &progress_, cancel_)
                      : OptimisedReducer(sys_, 6 - dev_.Guarantee, &progress_, cancel_))) {
                result_.stopped = true;
            }
            progress_.ShowPieRid();
        } else {
            result_.declined = true;
        }
    }

    // 13: a forced-memory run goes to its file now, with the integral teams back.
    if (forcedMemory) {
        dev_.DestinationMemory = 0;
        if (dev_.OptimisedReduction != 1) {
            SecondLook();
        }
        const fs::path dest = ResolveInFolder(dev_.DestinationFile, TFolder::Colonne);
        bool saved = false;
        if (integralBack_) {
            TListaColonne expanded;
            for (const Colonna& c : sys_.Colonne) {
                expanded.AppendExpanded(WithIntegralTeams(c, dev_.IntegralBases, sys_.dati.Forecast), false);
            }
            saved = expanded.SaveToFile(dest);
        } else {
            saved = sys_.Colonne.SaveToFile(dest);
        }
        if (!saved) {
            throw EInOutError(msg::kImpossibileSalvareFileColonne);
        }
        sys_.Colonne.Clear();
    }
    if (sys_.autoOptimised) {
        dev_.OptimisedReduction = 0;
    }

    // 14: the recalculation panel.
    if (sys_.recalcRunning) {
        progress_.CalcoloTerminato(sys_.Colonne.Count());
    }
    if (dev_.DestinationMemory == 1) {
        sys_.previousCount = sys_.Colonne.Count();
    }

    // 15: the integral teams back, each column expanded in place.
    if (integralBack_ && !sys_.Colonne.Empty()) {
        for (Colonna& c : sys_.Colonne) {
            c = WithIntegralTeams(c, dev_.IntegralBases, sys_.dati.Forecast);
        }
        sys_.Colonne.ExpandAll();
    }

    // 16-17: the time taken, the status line.
    if (!sys_.recalcRunning) {
        progress_.Stato("Elaborazione Terminata.   Tempo Impiegato : " +
                        ElapsedText(std::chrono::steady_clock::now() - start));
    }
    progress_.RefreshMainWindow();
    sys_.autoOptimised = false;
    return result_;
}

} // namespace

Pronostico DevelopmentForecast(const Pronostico& forecast, const IntegralBases& bases) {
    IntegralBases fit = bases;
    DropUnfitBases(fit, forecast);
    Pronostico d = forecast;
    for (int t = 0; t < kTeams; ++t) {
        if (fit[static_cast<std::size_t>(t)] != 0) {
            d[t] = fit[static_cast<std::size_t>(t)];
        }
    }
    return d;
}

std::int64_t ColumnsToDevelop(const T_Sistema& sys) {
    const auto& dev = sys.dati.sviluppo;
    if (sys.dati.SourceForecast == 0) {
        return FileColumns(ResolveInFolder(sys.dati.SourceFile, TFolder::Colonne));
    }
    if (dev.PairMode != 0) {
        return PairColumnsCovered(dev.PairTable);
    }
    return ColumnsCovered(DevelopmentForecast(sys.dati.Forecast, dev.IntegralBases));
}

TDevelopResult DevelopSystem(T_Sistema& sys, const TDevelopHooks& hooks) {
    TDevelopRun run(sys, hooks);
    return run.Run();
}

} // namespace tessaline
