#include "reduce/guarantee.h"

#include <algorithm>
#include <cstdio>
#include <fmt/format.h>
#include <memory>
#include <optional>

#include "core/column_list.h"
#include "core/condition_hook.h"
#include "core/enumerate.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/rounding.h"
#include "core/threads.h"
#include "reduce/guarantee_count.h"
#include "reduce/guarantee_index.h"
#include "system/sistema.h"

namespace tessaline {

std::size_t TRisultatiGaranzie::Index(int mode) {
    return mode == 6 ? 0 : mode == 5 ? 1 : 2;
}

void TRisultatiGaranzie::Clear() {
    for (auto& l : liste_) {
        l.clear();
    }
    considerate_ = {};
    calcolata_ = {};
}

void TRisultatiGaranzie::IniziaModo(int mode) {
    liste_[Index(mode)].clear();
    considerate_[Index(mode)] = 0;
    calcolata_[Index(mode)] = true;
}

namespace {
// The pattern order: by 6-point count, then 5-point, then 4-point.
bool Precede(const T_Vincita& a, std::int32_t n4, std::int32_t n5, std::int32_t n6) {
    if (a.n6 != n6) {
        return a.n6 < n6;
    }
    if (a.n5 != n5) {
        return a.n5 < n5;
    }
    return a.n4 < n4;
}
} // namespace

void TRisultatiGaranzie::Registra(int mode, std::int32_t n4, std::int32_t n5, std::int32_t n6,
                                  std::int64_t times) {
    auto& list = liste_[Index(mode)];
    // The list is kept in pattern order, so the place is found by halving.
    auto it = std::lower_bound(list.begin(), list.end(), 0,
                               [&](const T_Vincita& a, int) { return Precede(a, n4, n5, n6); });
    if (it != list.end() && it->n4 == n4 && it->n5 == n5 && it->n6 == n6) {
        it->frequenza += static_cast<double>(times);
        return;
    }
    list.insert(it, T_Vincita{n4, n5, n6, static_cast<double>(times)});
}

void TRisultatiGaranzie::Normalizza(int mode) {
    const std::int64_t n = considerate_[Index(mode)];
    if (n <= 0) {
        return;
    }
    for (auto& v : liste_[Index(mode)]) {
        v.frequenza /= static_cast<double>(n);
    }
}

namespace {

// The gauge: every tenth winning column, the nearest integer of enumerated / expected * 100,
// redrawn when it exceeds the shown value by more than 2.
class TGaugeGaranzie {
public:
    TGaugeGaranzie(TVistaGaranzie* view, std::int64_t expected) : view_(view), expected_(expected) {
        if (view_ != nullptr) {
            view_->Gauge(0);
        }
    }
    void Conta() {
        ++enumerated_;
        if (view_ == nullptr || enumerated_ % 10 != 0 || expected_ <= 0) {
            return;
        }
        const auto p = static_cast<int>(
            RoundNearest(static_cast<double>(enumerated_) / static_cast<double>(expected_) * 100.0));
        if (p > shown_ + 2 || (p >= 99 && p != shown_)) {
            shown_ = p;
            view_->Gauge(p);
        }
    }

private:
    TVistaGaranzie* view_;
    std::int64_t expected_;
    std::int64_t enumerated_ = 0;
    int shown_ = 0;
};

} // namespace

namespace {
// Below this many examined columns building the index costs more than comparing.
constexpr std::size_t kIndexFrom = 64;
// Below this many winning columns the counting stays on the calling thread.
constexpr std::int64_t kThreadsFrom = 20000;
// Winning columns handed to a thread at a time: about 2^18 column comparisons when the count goes
// column by column, so that a stop is seen promptly; 4096 through the index.
std::size_t ChunkColumns(std::size_t examined, bool indexed) {
    if (indexed) {
        return 4096;
    }
    return std::clamp<std::size_t>((std::size_t{1} << 18) / std::max<std::size_t>(examined, 1), 1, 4096);
}
} // namespace

std::unique_ptr<TGuaranteeIndex> IndiceGaranzie(std::span<const Colonna> examined) {
    if (examined.size() >= kIndexFrom && TGuaranteeIndex::Applies(examined)) {
        return std::make_unique<TGuaranteeIndex>(examined);
    }
    return nullptr;
}

bool CalcolaModo(std::span<const Colonna> examined, int mode, std::int64_t expected,
                 const std::function<bool(const TPassoVincente&)>& enumerate, TColumnAcceptor* conditions,
                 TRisultatiGaranzie& results, CancelProbe* cancel, TVistaGaranzie* view) {
    const auto index = IndiceGaranzie(examined);
    return CalcolaModo(examined, index.get(), 0, mode, expected, enumerate, conditions, results, cancel,
                       view);
}

bool CalcolaModo(std::span<const Colonna> examined, const TGuaranteeIndex* index, int threads, int mode,
                 std::int64_t expected, const std::function<bool(const TPassoVincente&)>& enumerate,
                 TColumnAcceptor* conditions, TRisultatiGaranzie& results, CancelProbe* cancel,
                 TVistaGaranzie* view) {
    results.IniziaModo(mode);
    TGaugeGaranzie gauge(view, expected);
    if (threads <= 0) {
        threads = ThreadsForJob();
    }
    // Single examined columns are counted through the index; anything else compares column by
    // column. Both give the same counts, and the patterns are tallied apart and recorded at the
    // end, so neither the threads nor the order of the counts change the results.
    std::optional<TWinPipeline> pipeline;
    if (threads > 1 && expected >= kThreadsFrom && !examined.empty()) {
        pipeline.emplace(threads, ChunkColumns(examined.size(), index != nullptr), examined, index);
    }
    TPatternCounts here;
    bool abandoned = false;
    const TPassoVincente step = [&](const Colonna& w) {
        gauge.Conta();
        if (abandoned) {
            return;
        }
        if (conditions != nullptr && !conditions->Accept(w)) {
            return;
        }
        results.AggiungiConsiderata(mode);
        if (pipeline) {
            pipeline->Push(w);
            if (cancel != nullptr && cancel->Peek()) {
                abandoned = true;
                pipeline->Stop();
            }
            return;
        }
        std::int32_t count[7] = {};
        if (index != nullptr && index->Count(w, count[4], count[5], count[6])) {
            if (cancel != nullptr && cancel->Peek()) {
                abandoned = true;
                return;
            }
            if (count[4] != 0 || count[5] != 0 || count[6] != 0) {
                here.Add(count[4], count[5], count[6]);
            }
            return;
        }
        // The probe is asked after each examined column.
        for (const Colonna& c : examined) {
            ++count[6 - WrongMatches(c, w)];
            if (cancel != nullptr && cancel->Peek()) {
                abandoned = true;
                return;
            }
        }
        if (count[4] != 0 || count[5] != 0 || count[6] != 0) {
            here.Add(count[4], count[5], count[6]);
        }
    };
    const bool completed = enumerate(step);
    TPatternCounts patterns = pipeline ? pipeline->Finish() : TPatternCounts{};
    patterns.AddAll(here);
    patterns.RecordInto(results, mode);
    // A press noticed inside the last stretch of the enumeration still stops the run: the column
    // it interrupted was never recorded.
    if (abandoned && cancel != nullptr) {
        cancel->Take();
    }
    return completed && !abandoned;
}

namespace {

constexpr std::size_t kBlockColumns = 1000;

// Reads the comparison file block by block and hands each column to step. Returns 1 when done,
// 0 when stopped with "Interrompi", -1 on a read failure.
int ScorriFile(std::FILE* f, std::int64_t columns, const TPassoVincente& step, CancelProbe* cancel) {
    Colonna buffer[kBlockColumns];
    std::int64_t left = columns;
    while (left > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, kBlockColumns));
        if (std::fread(buffer, sizeof(Colonna), want, f) != want) {
            return -1;
        }
        MaskSigns(buffer, want);
        for (std::size_t i = 0; i < want; ++i) {
            step(buffer[i]);
            if (cancel != nullptr && cancel->Peek()) {
                cancel->Take();
                return 0;
            }
        }
        left -= static_cast<std::int64_t>(want);
    }
    return 1;
}

TEsitoGaranzie FalliscePerFile(TRisultatiGaranzie& results, UserPrompt* prompt) {
    results.Clear();
    if (prompt != nullptr) {
        prompt->ShowMessage(msg::kInformazione, msg::kImpossibileCaricareFile, BtnOk);
    }
    return TEsitoGaranzie::ErroreFile;
}

} // namespace

TEsitoGaranzie Calcola(const TParametriGaranzie& params, TRisultatiGaranzie& results, CancelProbe* cancel,
                       TVistaGaranzie* view, UserPrompt* prompt) {
    if (view != nullptr) {
        view->Gauge(0);
        view->Stato("");
    }
    if (params.condizioni != nullptr) {
        params.condizioni->PrepareRun();
    }
    TListaColonne owned;
    const TListaColonne* examined = params.esaminateInMemoria;
    if (examined == nullptr) {
        if (!owned.LoadFromFile(ResolveInFolder(params.fileEsaminate.string(), TFolder::Colonne), false,
                                nullptr)) {
            return FalliscePerFile(results, prompt);
        }
        examined = &owned;
    }
    results.Clear();
    // One index of the examined columns serves every mode.
    const auto index = IndiceGaranzie(examined->View());

    if (params.confrontoDaFile) {
        const auto path = ResolveInFolder(params.fileConfronto.string(), TFolder::Colonne);
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) {
            return FalliscePerFile(results, prompt);
        }
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        const std::int64_t columns = ec ? 0 : static_cast<std::int64_t>(size / sizeof(Colonna));
        int outcome = 1;
        const bool done = CalcolaModo(
            examined->View(), index.get(), params.threads, 6, columns,
            [&](const TPassoVincente& step) {
                outcome = ScorriFile(f, columns, step, cancel);
                return outcome == 1;
            },
            params.condizioni, results, cancel, view);
        std::fclose(f);
        if (outcome < 0) {
            return FalliscePerFile(results, prompt);
        }
        if (!done) {
            results.Clear();
            return TEsitoGaranzie::Annullato;
        }
        results.Normalizza(6);
    } else {
        const struct {
            bool on;
            int mode;
            std::int64_t factor;
            const char* state;
        } modes[] = {{params.zeroErrori, 6, 1, msg::kStatoZeroErrori},
                     {params.unErrore, 5, 12, msg::kStatoUnErrore},
                     {params.dueErrori, 4, 66, msg::kStatoDueErrori}};
        for (const auto& m : modes) {
            if (!m.on) {
                continue;
            }
            if (view != nullptr) {
                view->Stato(m.state);
            }
            const bool done = CalcolaModo(
                examined->View(), index.get(), params.threads, m.mode, m.factor * params.colonnePronostico,
                [&](const TPassoVincente& step) {
                    return params.pronostico ? params.pronostico(m.mode, cancel, step) : true;
                },
                params.condizioni, results, cancel, view);
            if (!done) {
                results.Clear();
                return TEsitoGaranzie::Annullato;
            }
            results.Normalizza(m.mode);
        }
    }
    if (view != nullptr) {
        view->Gauge(100);
    }
    return TEsitoGaranzie::Ok;
}

std::string FormatPercentuale(double percent, char decimalSeparator) {
    std::string text = fmt::format("{:07.3f}", percent);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '0' || text[i + 1] < '0' || text[i + 1] > '9') {
            break;
        }
        text[i] = ' ';
    }
    for (char& ch : text) {
        if (ch == '.') {
            ch = decimalSeparator;
        }
    }
    return text;
}

TTabellaGaranzie TabellaVuota() {
    TTabellaGaranzie t;
    t.righe.assign(11, {});
    return t;
}

TTabellaGaranzie Aggiorna(const std::vector<T_Vincita>& patterns, char decimalSeparator) {
    TTabellaGaranzie t;
    t.righe.push_back({"6 Punti", "5 Punti", "4 Punti", "  Perc %"});
    const auto subtotal = [&](double sum) {
        t.righe.push_back(
            {"-------", "-------", "-------", "Tot. " + FormatPercentuale(sum, decimalSeparator)});
    };
    double group = 0.0;
    double total = 0.0;
    bool anySubtotal = false;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const T_Vincita& v = patterns[i];
        if (i > 0 && (v.n6 != patterns[i - 1].n6 || v.n5 != patterns[i - 1].n5)) {
            subtotal(group);
            group = 0.0;
            anySubtotal = true;
        }
        const double percent = v.frequenza * 100.0;
        t.righe.push_back({fmt::format("   {}", v.n6), fmt::format("   {}", v.n5), fmt::format("   {}", v.n4),
                           "     " + FormatPercentuale(percent, decimalSeparator)});
        group += percent;
        total += percent;
    }
    if (anySubtotal) {
        subtotal(group);
    }
    t.righe.push_back({});
    t.righe.push_back({"", "", "", "Tot. " + FormatPercentuale(total, decimalSeparator)});
    t.larghezze[3] = t.righe.size() <= 11 ? 117 : 102;
    return t;
}

const char* TitoloStampaGaranzie(int mode) {
    switch (mode) {
    case 5:
        return "Stampa delle garanzie del sistema con un errore sul pronostico";
    case 4:
        return "Stampa delle garanzie del sistema con due errori sul pronostico";
    default:
        return "Stampa delle garanzie del sistema";
    }
}

bool PronosticoUsabile(const Pronostico& forecast, const PairTable& pairs, bool pairMode) {
    if (pairMode) {
        return PairColumnsCovered(pairs) > 0;
    }
    int leading = 0;
    while (leading < kTeams && (forecast[leading] & kAllSigns) != 0) {
        ++leading;
    }
    return leading > 5;
}

bool PronosticoUsabile(const T_Sistema& system) {
    return PronosticoUsabile(system.dati.Forecast, system.dati.sviluppo.PairTable,
                             system.dati.sviluppo.PairMode != 0);
}

void ConfrontoDalPronostico(TParametriGaranzie& params, const T_Sistema& system) {
    params.confrontoDaFile = false;
    const T_Sistema* s = &system;
    if (system.dati.sviluppo.PairMode != 0) {
        params.colonnePronostico = PairColumnsCovered(system.dati.sviluppo.PairTable);
        params.pronostico = [s](int mode, CancelProbe* cancel, const TPassoVincente& step) {
            return EnumeratePairs(s->dati.sviluppo.PairTable, static_cast<TEnumMode>(mode), cancel, step);
        };
    } else {
        params.colonnePronostico = ColumnsCovered(system.dati.Forecast);
        params.pronostico = [s](int mode, CancelProbe* cancel, const TPassoVincente& step) {
            return EnumerateForecast(s->dati.Forecast, static_cast<TEnumMode>(mode), cancel, step);
        };
    }
}

void TDialogoGaranzie::Mostra() {
    radioEMemAbilitato = memoriaDisponibile;
    if (!memoriaDisponibile) {
        radioEMem = false;
    }
    radioCProAbilitato = pronosticoDisponibile;
    if (!pronosticoDisponibile) {
        radioCPro = false;
    }
    Applica();
}

void TDialogoGaranzie::Applica() {
    editEAbilitato = !radioEMem;
    editCAbilitato = !radioCPro;
    gruppoErroriAbilitato = radioCPro;
    if (!gruppoErroriAbilitato) {
        check0 = true;
        check1 = check2 = false;
    }
    condizioniAbilitato = !check1 && !check2;
    if (!condizioniAbilitato) {
        checkCondizioni = false;
    }
    speed0 = check0;
    speed1 = check1;
    speed2 = check2;
    calcolaAbilitato = !radioCPro || check0 || check1 || check2;
}

int TDialogoGaranzie::ModoDaMostrare() const {
    return speed0 ? 6 : speed1 ? 5 : 4;
}

} // namespace tessaline
