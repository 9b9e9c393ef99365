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
#include "core/regular_file.h"
#include "core/run_state.h"
#include "core/threads.h"
#include "develop/parallel_answers.h"
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
    void Inizio(bool recalculation, bool reducing) override { inner_->Inizio(recalculation, reducing); }
    void EnumerazioneInterrotta() override { inner_->EnumerazioneInterrotta(); }
    void CondizionamentoConcluso() override { inner_->CondizionamentoConcluso(); }
    void RiduzioneAvviata() override { inner_->RiduzioneAvviata(); }
    void RiduzioneConclusa() override { inner_->RiduzioneConclusa(); }
    void CalcoloTerminato(std::int64_t n, std::int64_t previous) override {
        inner_->CalcoloTerminato(n, previous);
    }

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
    TDevelopRun(const TDevelopRequest& request, const TDevelopHooks& hooks)
        : req_(request), dev_(request.settings), progress_(hooks.progress), prompt_(hooks.prompt),
          cancel_(hooks.cancel) {}

    TDevelopOutcome Run();

private:
    bool Reducing() const { return dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 0; }
    std::int64_t ListCount() const { return memory_ ? std::int64_t{list_.Count()} : fileCount_; }
    void ReportRid(bool final) {
        progress_.AggiornaCondRid(n_.TotalColumns, n_.AcceptedColumns, final, ListCount(),
                                  n_.ExaminedColumns);
    }
    void PassState();
    void StepColumn(const Colonna& c) { StepAnswered(c, acceptor_ == nullptr || acceptor_->Accept(c)); }
    void StepAnswered(const Colonna& c, bool accepted);
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

    const TDevelopRequest& req_;
    // The run's own copy of the settings: the automatic switches of a run change only this copy.
    TImpostazioniSviluppo dev_;
    TScaledProgress progress_;
    UserPrompt* prompt_;
    CancelProbe* cancel_;
    TDevelopOutcome out_;
    TListaColonne& list_ = out_.columns;
    TDevelopResult& result_ = out_.result;

    TRunCounters n_;
    TListaColonne deferred_;
    std::optional<OnTheFlyReducer> reducer_;
    TColumnAcceptor* acceptor_ = nullptr; // null: every column passes
    bool reducing_ = false;
    bool memory_ = true;
    bool developForecast_ = true;
    bool integralBack_ = false;
    bool autoOptimised_ = false;
    Pronostico devForecast_{};

    fs::path destPath_;
    std::unique_ptr<TAtomicFile> file_;
    std::vector<Colonna> outBuf_;
    std::int64_t fileCount_ = 0;
    std::int64_t outColumns_ = 0; // columns written to the destination file
    std::int64_t outSingles_ = 0; // the single columns they cover
};

void TDevelopRun::PassState() {
    progress_.Stato(dev_.Passes < 2 ? std::string("Elaborazione in Corso...")
                                    : fmt::format("Elaborazione in Corso... Passo {}", n_.pass));
}

// The per-column step, given the condition set's answer: the heart of the run.
inline void TDevelopRun::StepAnswered(const Colonna& c, bool accepted) {
    if (accepted) {
        if (!memory_) {
            ToFile(c);
            ++fileCount_;
            ++n_.AcceptedColumns;
        } else if (!reducing_) {
            list_.Append(c);
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
    ExpandColumn(WithIntegralTeams(c, dev_.IntegralBases, req_.forecast),
                 [this](const Colonna& single) { PushOut(single); });
}

void TDevelopRun::PushOut(const Colonna& c) {
    outBuf_.push_back(c);
    if (outBuf_.size() >= kBlockColumns) {
        FlushOut();
    }
}

void TDevelopRun::FlushOut() {
    if (!outBuf_.empty() && !file_->Write(outBuf_.data(), outBuf_.size() * sizeof(Colonna))) {
        throw EInOutError(msg::kImpossibileSalvareFileColonne);
    }
    if (result_.singleColumns) {
        outSingles_ += static_cast<std::int64_t>(outBuf_.size());
    } else {
        for (const Colonna& c : outBuf_) {
            outSingles_ += ColumnsCovered(c);
        }
    }
    outColumns_ += static_cast<std::int64_t>(outBuf_.size());
    outBuf_.clear();
}

void TDevelopRun::OpenDestination() {
    file_ = std::make_unique<TAtomicFile>(destPath_);
    if (!file_->IsOpen()) {
        throw EInOutError(msg::kImpossibileSalvareFileColonne);
    }
    outBuf_.clear();
    outBuf_.reserve(kBlockColumns);
}

// A stopped enumeration keeps nothing, in a file as in memory; the temporary file is never
// committed, so the previous destination file stays as it was.
void TDevelopRun::DiscardDestination() {
    outBuf_.clear();
    fileCount_ = 0;
    outColumns_ = outSingles_ = 0;
}

void TDevelopRun::ForecastPasses() {
    bool reduce = reducing_;
    n_.pass = 0;
    const bool pairs = dev_.PairMode != 0;
    n_.TotalColumns = pairs ? PairColumnsCovered(dev_.PairTable) : ColumnsCovered(devForecast_);
    // Nothing asked, nothing reduced, into memory: the columns go straight into the list's storage.
    const bool plain = memory_ && !reducing_ && acceptor_ == nullptr;
    Colonna* first = plain ? list_.Extend(static_cast<std::size_t>(n_.TotalColumns)) : nullptr;
    Colonna* next = first;
    std::int64_t refresh = 0;
    const auto fill = [&](const Colonna& c) {
        *next++ = c;
        if (++refresh >= kCondRefresh) {
            refresh = 0;
            const std::int64_t n = next - first;
            progress_.AggiornaCond(n_.TotalColumns, n, false, n);
        }
    };
    // The same into the destination file, block by block, when no column needs its integral teams.
    const bool plainFile = !memory_ && !reducing_ && acceptor_ == nullptr && !integralBack_;
    std::int64_t written = 0;
    const auto write = [&](const Colonna& c) {
        outBuf_.push_back(c);
        if (outBuf_.size() >= kBlockColumns) {
            FlushOut();
        }
        ++written;
        if (++refresh >= kCondRefresh) {
            refresh = 0;
            progress_.AggiornaCond(n_.TotalColumns, written, false, written);
        }
    };
    const auto step = [this](const Colonna& c) { StepColumn(c); };
    do {
        ++n_.pass;
        n_.ExaminedColumns = n_.AcceptedColumns = n_.refresh = 0;
        progress_.AggiornaCond(n_.TotalColumns, 0, true, 0);
        PassState();
        bool completed = false;
        if (plain) {
            completed = pairs ? EnumeratePairs(dev_.PairTable, TEnumMode::Develop, cancel_, fill)
                              : EnumerateForecast(devForecast_, TEnumMode::Develop, cancel_, fill);
            n_.ExaminedColumns = next - first;
            list_.Truncate(static_cast<std::size_t>(next - first));
        } else if (plainFile) {
            completed = pairs ? EnumeratePairs(dev_.PairTable, TEnumMode::Develop, cancel_, write)
                              : EnumerateForecast(devForecast_, TEnumMode::Develop, cancel_, write);
            fileCount_ = n_.AcceptedColumns = n_.ExaminedColumns = written;
        } else {
            // The set's answers computed ahead on the other cores; the run reads them in order.
            std::unique_ptr<TParallelAnswers> answers;
            if (!pairs && !reducing_ && acceptor_ != nullptr) {
                answers = TParallelAnswers::Start(devForecast_, *acceptor_,
                                                  req_.threads > 0 ? req_.threads : ThreadsForJob());
            }
            if (answers) {
                completed = EnumerateForecast(devForecast_, TEnumMode::Develop, cancel_,
                                              [&](const Colonna& c) { StepAnswered(c, answers->Next()); });
                answers->Finish(completed);
            } else {
                completed = pairs ? EnumeratePairs(dev_.PairTable, TEnumMode::Develop, cancel_, step)
                                  : EnumerateForecast(devForecast_, TEnumMode::Develop, cancel_, step);
            }
        }
        if (!completed) {
            list_.Clear();
            if (!memory_) {
                DiscardDestination();
            }
            progress_.EnumerazioneInterrotta();
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
        progress_.RiduzioneConclusa();
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
            list_.Clear();
            throw EInOutError(msg::kImpossibileCaricareFileCombinazioni);
        }
        MaskSigns(buffer.data(), want);
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
    const fs::path source = ResolveInFolder(req_.sourceFile, TFolder::Colonne);
    for (;;) {
        ++n_.pass;
        n_.ExaminedColumns = n_.AcceptedColumns = n_.refresh = 0;
        std::FILE* f = OpenRegularFile(source);
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
    const std::int64_t count = list_.Count();
    const bool large = (dev_.Guarantee == 5 && count > 24000) || (dev_.Guarantee == 4 && count > 300000);
    bool allowed = true;
    if (large && prompt_ != nullptr) {
        allowed = prompt_->ShowMessage(msg::kInformazione, msg::kRiduzioneLenta, BtnSi | BtnNo) == BtnSi;
    }
    return allowed;
}

TDevelopOutcome TDevelopRun::Run() {
    // 1-2: the deferred list, then the automatic switches (on the run's copy of the settings).
    deferred_.Clear();
    if (dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 0 && dev_.Passes == 1 &&
        dev_.MinDistanceMode == 0) {
        const std::int64_t n = ColumnsToDevelop(req_);
        autoOptimised_ = (dev_.Guarantee == 5 && n < 8000) || (dev_.Guarantee == 4 && n < 25000);
        dev_.OptimisedReduction = autoOptimised_ ? 1 : 0;
    }
    bool forcedMemory = false;
    if (dev_.DestinationMemory == 0 && dev_.ReducedDevelopment == 1) {
        forcedMemory = true;
        dev_.DestinationMemory = 1;
    }
    reducing_ = Reducing();
    memory_ = dev_.DestinationMemory == 1;
    developForecast_ = req_.sourceForecast == 1;
    result_.previousCount = req_.previousCount;
    result_.singleColumns = developForecast_;

    // 3-5: the progress view, the list, the condition set.
    progress_.Inizio(req_.recalculation, reducing_);
    list_.Clear();
    if (req_.conditions != nullptr) {
        req_.conditions->PrepareRun();
    }
    // A set with nothing in force accepts every column: the run then asks nothing per column.
    acceptor_ = dev_.UseConditions != 0 && req_.conditions != nullptr && req_.conditions->InForce()
                    ? req_.conditions
                    : nullptr;

    // 6: the development forecast and IntegralMultiplier.
    result_.integralMultiplier = 1;
    const bool pairs = dev_.PairMode != 0;
    if (!pairs && developForecast_) {
        DropUnfitBases(dev_.IntegralBases, req_.forecast);
        devForecast_ = DevelopmentForecast(req_.forecast, dev_.IntegralBases);
        result_.integralMultiplier = IntegralMultiplierOf(dev_.IntegralBases, req_.forecast);
    } else {
        devForecast_ = req_.forecast;
    }
    out_.integralBases = dev_.IntegralBases;
    integralBack_ = developForecast_ && !pairs && HasBases(dev_.IntegralBases);
    const std::int64_t multiplier = result_.integralMultiplier;
    progress_.SetFactor(multiplier);

    // 7-8: the clock, the destination file (written to a temporary file until the run completes).
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
        reducer_.emplace(list_, deferred_, n_, config, &progress_, cancel_);
    }

    // 9: the passes.
    if (developForecast_) {
        ForecastPasses();
    } else {
        SourcePasses();
    }
    result_.total = n_.TotalColumns * multiplier;
    result_.accepted = (reducing_ ? n_.AcceptedColumns : ListCount()) * multiplier;

    if (reducer_ && reducer_->Stopped()) {
        result_.stopped = true;
    }

    // 10-11: the destination file, the final count. A stopped run keeps the previous file.
    if (!memory_) {
        FlushOut();
        if (!result_.stopped && cancel_ != nullptr && cancel_->Peek()) {
            result_.stopped = true; // "Annulla" is honoured until the file is committed
        }
        if (result_.stopped) {
            fileCount_ = 0;
        } else {
            if (!file_->Commit()) {
                throw EInOutError(msg::kImpossibileSalvareFileColonne);
            }
            out_.written = destPath_;
            result_.writtenColumns = outColumns_;
            result_.writtenSingles = outSingles_;
        }
        file_.reset();
        result_.previousCount = fileCount_;
        fileCount_ = 0;
    }
    result_.finalCount = static_cast<std::int32_t>(ListCount());
    if (!req_.recalculation) {
        progress_.CondizionamentoConcluso();
    }

    // 12: the optimised reduction.
    if (dev_.ReducedDevelopment == 1 && dev_.OptimisedReduction == 1 && !list_.Empty()) {
        if (SizeCheckAllows()) {
            progress_.Stato("Autoriduzione In Corso...");
            progress_.RiduzioneAvviata();
            progress_.AggiornaRidOtt(list_.Count(), 0, false, 0);
            result_.reduced = true;
            TOptimisedRequest reduction;
            reduction.forecast = req_.forecast;
            reduction.pairMode = pairs;
            reduction.R = 6 - dev_.Guarantee;
            reduction.smallSystem = autoOptimised_;
            const bool complete =
                req_.improvedReduction
                    ? ImprovedReducer(list_, reduction, req_.improve, &progress_, cancel_, &result_.uncovered)
                    : OptimisedReducer(list_, reduction, &progress_, cancel_, &result_.uncovered);
            if (!complete) {
                result_.stopped = true;
            }
            if (result_.uncovered > 0 && prompt_ != nullptr) {
                prompt_->ShowMessage(msg::kInformazione, UncoveredMessage(result_.uncovered), BtnOk);
            }
            progress_.RiduzioneConclusa();
        } else {
            result_.declined = true;
        }
    }

    // 13: a forced-memory run goes to its file now, with the integral teams back. A stopped run
    // keeps the previous file and leaves what it has in memory.
    if (forcedMemory) {
        dev_.DestinationMemory = 0;
        if (dev_.OptimisedReduction != 1) {
            SecondLook();
            if (reducer_ && reducer_->Stopped()) {
                result_.stopped = true;
            }
        }
        if (!result_.stopped) {
            const fs::path dest = ResolveInFolder(dev_.DestinationFile, TFolder::Colonne);
            TSaveStatus saved = TSaveStatus::Failed;
            TListaColonne expanded;
            if (integralBack_) {
                for (const Colonna& c : list_) {
                    expanded.AppendExpanded(WithIntegralTeams(c, dev_.IntegralBases, req_.forecast), false);
                }
            }
            const TListaColonne& saving = integralBack_ ? expanded : list_;
            saved = saving.SaveToFile(dest, cancel_);
            if (saved == TSaveStatus::Saved) {
                result_.writtenColumns = static_cast<std::int64_t>(saving.Size());
                for (const Colonna& c : saving) {
                    result_.writtenSingles += ColumnsCovered(c);
                }
            }
            if (saved == TSaveStatus::Failed) {
                throw EInOutError(msg::kImpossibileSalvareFileColonne);
            }
            if (saved == TSaveStatus::Cancelled) {
                result_.stopped = true; // stopped while writing: the previous file stays
            } else {
                out_.written = dest;
                list_.Clear();
            }
        }
    }

    // 14: the recalculation panel.
    if (req_.recalculation) {
        progress_.CalcoloTerminato(list_.Count(), result_.previousCount);
    }
    if (dev_.DestinationMemory == 1) {
        result_.previousCount = list_.Count();
    }

    // 15: the integral teams back, each column expanded in place.
    if (integralBack_ && !list_.Empty()) {
        for (Colonna& c : list_) {
            c = WithIntegralTeams(c, dev_.IntegralBases, req_.forecast);
        }
        list_.ExpandAll();
    }

    // 16: the time taken.
    if (!req_.recalculation) {
        progress_.Stato("Elaborazione Terminata.   Tempo Impiegato : " +
                        ElapsedText(std::chrono::steady_clock::now() - start));
    }
    return std::move(out_);
}

} // namespace

std::string UncoveredMessage(std::int64_t count) {
    if (count == 1) {
        return "Una colonna non può essere coperta da nessuna colonna (mancano i segni di troppe partite): "
               "è stata mantenuta una volta nella riduzione.";
    }
    return std::to_string(count) +
           " colonne non possono essere coperte da nessuna colonna (mancano i segni di troppe partite): "
           "sono state mantenute una volta ciascuna nella riduzione.";
}

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

std::int64_t ColumnsToDevelop(const TDevelopRequest& request) {
    const auto& dev = request.settings;
    if (request.sourceForecast == 0) {
        return FileColumns(ResolveInFolder(request.sourceFile, TFolder::Colonne));
    }
    if (dev.PairMode != 0) {
        return PairColumnsCovered(dev.PairTable);
    }
    return ColumnsCovered(DevelopmentForecast(request.forecast, dev.IntegralBases));
}

std::int64_t ColumnsToDevelop(const T_Sistema& sys) {
    return ColumnsToDevelop(TDevelopRequest::Of(sys));
}

TDevelopRequest TDevelopRequest::Of(const T_Sistema& sys) {
    TDevelopRequest r;
    r.forecast = sys.dati.Forecast;
    r.settings = sys.dati.sviluppo;
    r.sourceForecast = sys.dati.SourceForecast;
    r.sourceFile = sys.dati.SourceFile;
    r.conditions = sys.Condizioni;
    r.improvedReduction = sys.dati.settings.improvedReduction;
    r.improve = ImproveOptionsFor(sys.dati.settings);
    return r;
}

TDevelopOutcome RunDevelopment(const TDevelopRequest& request, const TDevelopHooks& hooks) {
    TDevelopRun run(request, hooks);
    return run.Run();
}

void ApplyDevelopment(T_Sistema& sys, TDevelopOutcome&& outcome) {
    sys.Colonne = std::move(outcome.columns);
    sys.dati.columnsValid = 1;
    sys.dati.finalCount = outcome.result.finalCount;
    sys.dati.sviluppo.IntegralBases = outcome.integralBases;
}

TDevelopResult DevelopSystem(T_Sistema& sys, const TDevelopHooks& hooks) {
    TDevelopOutcome outcome = RunDevelopment(TDevelopRequest::Of(sys), hooks);
    const TDevelopResult result = outcome.result;
    ApplyDevelopment(sys, std::move(outcome));
    return result;
}

} // namespace tessaline
