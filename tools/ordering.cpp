#include "tools/ordering.h"

#include <algorithm>
#include <cmath>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"

namespace tessaline {

double ProbabilitaColonna(const Colonna& c, const TeamGrid& percentages) {
    double p = 100.0;
    for (int t = 0; t < kTeams; ++t) {
        int index = -1;
        switch (c[t]) {
        case kSign0:
            index = 0;
            break;
        case kSign1:
            index = 1;
            break;
        case kSign2:
            index = 2;
            break;
        case kSignM:
            index = 3;
            break;
        default:
            break;
        }
        if (index >= 0) {
            p = p * percentages[static_cast<std::size_t>(t)][static_cast<std::size_t>(index)] / 100.0;
        }
    }
    return p;
}

std::vector<TColProb> OrdinaColonne(const TListaColonne& source, const TeamGrid& percentages) {
    // Inserting each column before the first entry not less probable is a stable ascending sort
    // of the source taken backwards.
    std::vector<TColProb> sorted;
    sorted.reserve(source.Size());
    for (std::size_t i = source.Size(); i-- > 0;) {
        sorted.push_back({source[i], ProbabilitaColonna(source[i], percentages)});
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TColProb& a, const TColProb& b) { return a.probabilita < b.probabilita; });
    return sorted;
}

TIntervalloOrdinamento::TIntervalloOrdinamento(std::int64_t count)
    : count_(std::max<std::int64_t>(count, 0)), min_(count_ > 0 ? 1 : 0), max_(count_) {}

void TIntervalloOrdinamento::ImpostaMin(std::int64_t v) {
    if (count_ == 0) {
        return;
    }
    min_ = std::clamp<std::int64_t>(v, 1, count_);
    if (min_ > max_) {
        min_ = max_;
    }
}

void TIntervalloOrdinamento::ImpostaMax(std::int64_t v) {
    if (count_ == 0) {
        return;
    }
    max_ = std::clamp<std::int64_t>(v, 1, count_);
    if (max_ < min_) {
        max_ = min_;
    }
}

int TIntervalloOrdinamento::BarraInizio() const {
    if (count_ == 0) {
        return 0;
    }
    return static_cast<int>(std::trunc(static_cast<double>(min_ - 1) * 188.0 / static_cast<double>(count_)));
}

int TIntervalloOrdinamento::BarraLarghezza() const {
    if (count_ == 0) {
        return 0;
    }
    const double start = static_cast<double>(min_ - 1) * 188.0 / static_cast<double>(count_);
    const double frac = start - std::trunc(start);
    return static_cast<int>(
        std::trunc(frac + static_cast<double>(max_ - min_ + 1) * 188.0 / static_cast<double>(count_)));
}

TListaColonne Intervallo(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max) {
    TListaColonne out;
    const auto n = static_cast<std::int64_t>(sorted.size());
    min = std::max<std::int64_t>(min, 1);
    max = std::min(max, n);
    for (std::int64_t i = min; i <= max; ++i) {
        out.Append(sorted[static_cast<std::size_t>(i - 1)].colonna);
    }
    return out;
}

bool SalvaIntervallo(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max,
                     const std::filesystem::path& path, UserPrompt* prompt) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && prompt != nullptr &&
        prompt->ShowMessage(msg::kConferma, msg::kFileGiaPresenteOrd, BtnSi | BtnNo) != BtnSi) {
        return false;
    }
    if (!Intervallo(sorted, min, max).SaveToFile(path)) {
        throw EInOutError(msg::kErroreScritturaColonnare);
    }
    return true;
}

void InserisciInMemoria(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max,
                        TListaColonne& memory) {
    memory = Intervallo(sorted, min, max);
}

} // namespace tessaline
