// The improved reduction: row-weighting local search for the unicost covering problem.
//
// Rows and candidate sets are the same distinct columns; column c covers row r when they lie within
// R of each other, so the rows a column covers and the columns that cover a row are the same
// neighbourhood, taken from the cell index (as a flat table when it fits in memory). For each row the
// search keeps how many chosen columns cover it and the sum of their indexes (the one coverer when
// the count is 1); for each column a score: for a chosen column minus the weight of the rows only it
// covers (what dropping it loses), for another column the weight of the uncovered rows it covers
// (what adding it gains). Each swap drops the chosen column that loses least and adds, among the
// columns near a random uncovered row, the one that gains most; the rows left uncovered then weigh
// one more. Whenever the set covers everything it is the new best and its cheapest column goes.

#include "reduce/improve.h"

#include <algorithm>
#include <chrono>
#include <unordered_set>

#include "core/column_list.h"
#include "core/interfaces.h"
#include "core/progress.h"
#include "reduce/cell_index.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::size_t kTableLimit = std::size_t{48} << 20; // neighbour entries kept as a flat table

inline bool SingleSign(SignSet s) {
    return s == kSign0 || s == kSign1 || s == kSign2 || s == kSignM;
}

std::uint32_t Key(const Colonna& c) {
    std::uint32_t key = 0;
    for (int t = 0; t < kTeams; ++t) {
        const SignSet s = c[t];
        key = key * 4 + (s == kSign0 ? 0U : s == kSign1 ? 1U : s == kSign2 ? 2U : 3U);
    }
    return key;
}

// A small generator with a fixed sequence for a seed on every platform.
class TSplitMix {
public:
    explicit TSplitMix(std::uint64_t seed) : s_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t s_;
};

// A set of indexes with constant-time insertion, removal and access by position.
class TIndexSet {
public:
    explicit TIndexSet(std::size_t n) : pos_(n, kNone) {}
    bool Has(std::size_t i) const { return pos_[i] != kNone; }
    void Insert(std::size_t i) {
        pos_[i] = items_.size();
        items_.push_back(static_cast<std::uint32_t>(i));
    }
    void Erase(std::size_t i) {
        const std::size_t at = pos_[i];
        const std::uint32_t last = items_.back();
        items_[at] = last;
        pos_[last] = at;
        items_.pop_back();
        pos_[i] = kNone;
    }
    std::size_t Size() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::vector<std::uint32_t>& Items() const { return items_; }

private:
    std::vector<std::size_t> pos_;
    std::vector<std::uint32_t> items_;
};

class TCoverSearch {
public:
    TCoverSearch(std::span<const Colonna> cols, TDistanceKind distance, int R)
        : cols_(cols), n_(cols.size()), R_(R), index_(cols, distance), inS_(n_), uncovered_(n_), cov_(n_, 0),
          coverSum_(n_, 0), weight_(n_, 1), score_(n_, 0), stamp_(n_, 0) {
        BuildTable();
    }

    TImproveOutcome Run(std::span<const Colonna> start, const TImproveOptions& options, CancelProbe* cancel,
                        const TImproveReport& report);

private:
    template <class F> void Near(std::size_t i, F&& f) const {
        if (!offsets_.empty()) {
            for (std::size_t k = offsets_[i]; k < offsets_[i + 1]; ++k) {
                f(static_cast<std::size_t>(table_[k]));
            }
        } else {
            index_.Around(i, R_, [&f](std::size_t j, int) { f(j); });
        }
    }
    void BuildTable();
    void Add(std::size_t c);
    void Drop(std::size_t c);
    void RaiseWeights();
    std::size_t CheapestChosen(std::size_t tabu) const;
    void Snapshot() { best_ = inS_.Items(); }

    std::span<const Colonna> cols_;
    std::size_t n_;
    int R_;
    TCellIndex index_;
    std::vector<std::size_t> offsets_;
    std::vector<std::uint32_t> table_;

    TIndexSet inS_;       // chosen columns
    TIndexSet uncovered_; // rows no chosen column covers
    std::vector<std::int32_t> cov_;
    std::vector<std::int64_t> coverSum_;
    std::vector<std::int64_t> weight_;
    std::vector<std::int64_t> score_;
    std::vector<std::int64_t> stamp_; // iteration of the column's last change
    std::vector<std::uint32_t> best_;
    std::int64_t iteration_ = 0;
};

void TCoverSearch::BuildTable() {
    std::size_t total = 0;
    for (std::size_t i = 0; i < n_ && total <= kTableLimit; ++i) {
        index_.Around(i, R_, [&total](std::size_t, int) { ++total; });
    }
    if (total > kTableLimit) {
        return;
    }
    offsets_.resize(n_ + 1);
    table_.reserve(total);
    for (std::size_t i = 0; i < n_; ++i) {
        offsets_[i] = table_.size();
        index_.Around(i, R_, [this](std::size_t j, int) { table_.push_back(static_cast<std::uint32_t>(j)); });
    }
    offsets_[n_] = table_.size();
}

void TCoverSearch::Add(std::size_t c) {
    inS_.Insert(c);
    stamp_[c] = iteration_;
    score_[c] = -score_[c];
    Near(c, [this, c](std::size_t r) {
        if (cov_[r] == 0) {
            uncovered_.Erase(r);
            const std::int64_t w = weight_[r];
            Near(r, [this, c, w](std::size_t x) {
                if (x != c) {
                    score_[x] -= w;
                }
            });
        } else if (cov_[r] == 1) {
            score_[static_cast<std::size_t>(coverSum_[r])] += weight_[r];
        }
        ++cov_[r];
        coverSum_[r] += static_cast<std::int64_t>(c);
    });
}

void TCoverSearch::Drop(std::size_t c) {
    inS_.Erase(c);
    stamp_[c] = iteration_;
    score_[c] = -score_[c];
    Near(c, [this, c](std::size_t r) {
        --cov_[r];
        coverSum_[r] -= static_cast<std::int64_t>(c);
        if (cov_[r] == 0) {
            uncovered_.Insert(r);
            const std::int64_t w = weight_[r];
            Near(r, [this, c, w](std::size_t x) {
                if (x != c) {
                    score_[x] += w;
                }
            });
        } else if (cov_[r] == 1) {
            score_[static_cast<std::size_t>(coverSum_[r])] -= weight_[r];
        }
    });
}

void TCoverSearch::RaiseWeights() {
    for (std::uint32_t r : uncovered_.Items()) {
        ++weight_[r];
        Near(r, [this](std::size_t x) { ++score_[x]; });
    }
}

// The chosen column whose loss is least (the longest unchanged among equals), other than tabu.
std::size_t TCoverSearch::CheapestChosen(std::size_t tabu) const {
    std::size_t pick = kNone;
    for (std::uint32_t c : inS_.Items()) {
        if (c == tabu) {
            continue;
        }
        if (pick == kNone || score_[c] > score_[pick] ||
            (score_[c] == score_[pick] && stamp_[c] < stamp_[pick])) {
            pick = c;
        }
    }
    return pick;
}

TImproveOutcome TCoverSearch::Run(std::span<const Colonna> start, const TImproveOptions& options,
                                  CancelProbe* cancel, const TImproveReport& report) {
    TImproveOutcome out;
    if (n_ == 0) {
        return out;
    }
    for (std::size_t r = 0; r < n_; ++r) {
        uncovered_.Insert(r);
    }
    for (std::size_t c = 0; c < n_; ++c) {
        Near(c, [this, c](std::size_t) { ++score_[c]; });
    }
    for (const Colonna& s : start) {
        const std::int32_t j = index_.Find(s);
        if (j >= 0 && !inS_.Has(static_cast<std::size_t>(j))) {
            Add(static_cast<std::size_t>(j));
        }
    }
    // Complete the covering: for each row still uncovered, the column near it that gains most.
    while (!uncovered_.Empty()) {
        const std::size_t r = uncovered_.Items().front();
        std::size_t pick = r;
        Near(r, [this, &pick](std::size_t x) {
            if (score_[x] > score_[pick]) {
                pick = x;
            }
        });
        Add(pick);
    }
    // Drop the columns that cover nothing on their own, in index order.
    {
        std::vector<std::uint32_t> chosen = inS_.Items();
        std::sort(chosen.begin(), chosen.end());
        for (std::uint32_t c : chosen) {
            if (score_[c] == 0) {
                Drop(c);
            }
        }
    }
    Snapshot();
    out.startSize = best_.size();

    const auto begin = std::chrono::steady_clock::now();
    const auto timeUsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    const auto percent = [&] {
        double share = 0;
        if (options.iterations > 0) {
            share = static_cast<double>(iteration_) / static_cast<double>(options.iterations);
        }
        if (options.seconds > 0) {
            share = std::max(share, timeUsed() / options.seconds);
        }
        return static_cast<int>(std::min(100.0, share * 100.0));
    };
    const auto tell = [&] {
        if (report) {
            report(TImproveStatus{iteration_, inS_.Size(), best_.size(), percent()});
        }
    };
    tell();

    TSplitMix rng(options.seed);
    const bool bounded = options.iterations > 0 || options.seconds > 0;
    std::size_t lastAdded = kNone;
    while (bounded && best_.size() > 1) {
        if (uncovered_.Empty()) {
            if (inS_.Size() < best_.size()) {
                Snapshot();
                tell();
            }
            Drop(CheapestChosen(kNone));
            continue;
        }
        if (options.iterations > 0 && iteration_ >= options.iterations) {
            break;
        }
        if ((iteration_ & 255) == 0) {
            if (cancel != nullptr && cancel->Peek()) {
                out.cancelled = true;
                break;
            }
            if (options.seconds > 0 && timeUsed() >= options.seconds) {
                break;
            }
            if ((iteration_ & 4095) == 0) {
                tell();
            }
        }
        ++iteration_;
        const std::size_t dropped = CheapestChosen(lastAdded);
        if (dropped != kNone) {
            Drop(dropped);
        }
        const std::size_t row = uncovered_.Items()[rng.Below(uncovered_.Size())];
        std::size_t pick = kNone;
        // The column near the row that gains most (the longest unchanged among equals), other than
        // the one just dropped unless it is the only one.
        Near(row, [&](std::size_t x) {
            if (x == dropped && pick != kNone) {
                return;
            }
            if (pick == kNone || pick == dropped || score_[x] > score_[pick] ||
                (score_[x] == score_[pick] && stamp_[x] < stamp_[pick])) {
                pick = x;
            }
        });
        Add(pick);
        lastAdded = pick;
        RaiseWeights();
    }
    std::sort(best_.begin(), best_.end());
    out.columns.reserve(best_.size());
    for (std::uint32_t c : best_) {
        out.columns.push_back(cols_[c]);
    }
    out.iterations = iteration_;
    tell();
    return out;
}

} // namespace

bool ImprovementApplies(std::span<const Colonna> candidates) {
    return std::all_of(candidates.begin(), candidates.end(), [](const Colonna& c) {
        for (int t = 0; t < kTeams; ++t) {
            if (!SingleSign(c[t])) {
                return false;
            }
        }
        return true;
    });
}

TImproveOutcome ImproveCovering(std::span<const Colonna> candidates, std::span<const Colonna> start,
                                TDistanceKind distance, int R, const TImproveOptions& options,
                                CancelProbe* cancel, const TImproveReport& report) {
    // Repeated candidates are one row and one choice.
    std::vector<Colonna> distinct;
    distinct.reserve(candidates.size());
    std::unordered_set<std::uint32_t> seen;
    seen.reserve(candidates.size());
    for (const Colonna& c : candidates) {
        if (seen.insert(Key(c)).second) {
            distinct.push_back(c);
        }
    }
    TCoverSearch search(distinct, distance, R);
    return search.Run(start, options, cancel, report);
}

TImproveOptions ImproveOptionsFor(const TProgramSettings& settings) {
    TImproveOptions o;
    o.seed = settings.improveSeed;
    if (settings.improveIterations > 0) {
        o.iterations = settings.improveIterations;
    } else {
        o.seconds = settings.improveSeconds;
    }
    return o;
}

bool ImprovedReducer(TListaColonne& list, const TOptimisedRequest& request, const TImproveOptions& options,
                     TDevelopProgress* progress, CancelProbe* cancel, std::int64_t* uncoverable) {
    const int R = request.R;
    const std::vector<Colonna> developed(list.begin(), list.end());
    if (!OptimisedReducer(list, request, progress, cancel, uncoverable)) {
        return false;
    }
    if (!ImprovementApplies(developed)) {
        return true;
    }
    const TOptimisedParams params =
        OptimisedParamsFor(request.forecast, request.pairMode, R, request.smallSystem);
    const std::vector<Colonna> greedy(list.begin(), list.end());
    const auto initial = static_cast<std::int64_t>(developed.size());
    if (progress != nullptr) {
        progress->Stato("Riduzione Migliorata in Corso...");
    }
    const TImproveReport report = [progress, initial](const TImproveStatus& s) {
        if (progress != nullptr) {
            progress->AggiornaRidOtt(initial, static_cast<std::int64_t>(s.best), false, initial);
            progress->AggiornaMigliorata(static_cast<std::int64_t>(s.current),
                                         static_cast<std::int64_t>(s.best), s.percent);
        }
    };
    TImproveOutcome out = ImproveCovering(developed, greedy, params.distance, R, options, cancel, report);
    if (out.cancelled && cancel != nullptr) {
        cancel->Take();
    }
    list.Clear();
    list.AppendRange(out.columns.data(), out.columns.size());
    if (progress != nullptr) {
        progress->AggiornaRidOtt(initial, static_cast<std::int64_t>(out.columns.size()), true, initial);
    }
    return true;
}

} // namespace tessaline
