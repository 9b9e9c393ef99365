// The optimised reduction, indexed.
//
// The columns a column covers (distance at most R) are found through the cell index
// (reduce/cell_index.h) instead of walking the lists. Beside each column the reduction keeps how many
// uncovered columns it covers, updated whenever a column is covered, and, during phase 1, how many chosen
// columns stand below and at distance D - 1 from it. The scans of phases 2 and 3 jump over the candidates the
// step-by-step scan would pass over, with a max-tree on the cached counts.

#include "reduce/optimised_fast.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/rounding.h"
#include "reduce/cell_index.h"

namespace tessaline {

namespace {

constexpr std::int32_t kVisit = 1 << 30; // never counted: always visited
constexpr std::int32_t kGone = -1;       // not a candidate (or nothing to gain)
constexpr std::size_t kCountLook = 64;   // columns counted between two looks for "Annulla"
// Columns or tree leaves between two looks for "Annulla" in a plain pass over the list.
constexpr std::size_t kTreeLook = 65536;

// Index of the single sign of a set with exactly one of the low four bits.
inline int SignIndex(SignSet s) {
    return s == kSign0 ? 0 : s == kSign1 ? 1 : s == kSign2 ? 2 : 3;
}

class TMaxTree {
public:
    explicit TMaxTree(std::size_t n) {
        while (size_ < n) {
            size_ *= 2;
        }
        t_.assign(2 * size_, kGone);
    }
    void Set(std::size_t i, std::int32_t v) {
        std::size_t x = i + size_;
        t_[x] = v;
        for (x /= 2; x >= 1; x /= 2) {
            t_[x] = std::max(t_[2 * x], t_[2 * x + 1]);
        }
    }
    // The first index at or after lo whose value exceeds threshold; npos when none.
    std::size_t FirstAbove(std::size_t lo, std::int32_t threshold) const {
        return Find(1, 0, size_, lo, threshold);
    }
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    std::size_t Find(std::size_t node, std::size_t l, std::size_t r, std::size_t lo, std::int32_t thr) const {
        if (r <= lo || t_[node] <= thr) {
            return npos;
        }
        if (r - l == 1) {
            return l;
        }
        const std::size_t mid = (l + r) / 2;
        const std::size_t left = Find(2 * node, l, mid, lo, thr);
        return left != npos ? left : Find(2 * node + 1, mid, r, lo, thr);
    }
    std::size_t size_ = 1;
    std::vector<std::int32_t> t_;
};

class TIndexedReduction {
public:
    TIndexedReduction(std::span<const Colonna> columns, const TOptimisedParams& p, TDevelopProgress* obs,
                      CancelProbe* cancel)
        : cols_(columns), p_(p), obs_(obs), cancel_(cancel), n_(columns.size()),
          index_(columns, p.distance, cancel) {
        cancelled_ = index_.Stopped();
    }

    std::vector<Colonna> Run(bool& cancelled);

private:
    template <class F> void Around(std::size_t i, int maxDistance, F&& f) const {
        index_.Around(i, maxDistance, std::forward<F>(f));
    }
    std::int64_t Choose(std::size_t i);
    void Cover(std::size_t u);
    bool Cancelled() {
        if (cancel_ != nullptr && cancel_->Peek()) {
            cancelled_ = true;
        }
        return cancelled_;
    }
    void Step();
    std::int32_t ValueU(std::size_t i) const {
        return inU_[i] == 0 ? kGone : (cacheU_[i] == 0 ? kVisit : cacheU_[i]);
    }
    std::int32_t ValueA(std::size_t a) const {
        const std::size_t j = orderA_[a];
        return cacheA_[a] != 0 ? cacheA_[a] : (count_[j] > 0 ? kVisit : kGone);
    }

    std::span<const Colonna> cols_;
    TOptimisedParams p_;
    TDevelopProgress* obs_;
    CancelProbe* cancel_;
    std::size_t n_;

    TCellIndex index_;

    std::vector<std::uint8_t> inU_;
    std::vector<std::int32_t> count_;  // uncovered columns within R
    std::vector<std::int32_t> below_;  // phase 1: chosen columns nearer than D - 1
    std::vector<std::int32_t> atEdge_; // phase 1: chosen columns at exactly D - 1
    std::vector<std::uint16_t> cacheU_;
    std::vector<std::uint32_t> orderA_; // the all-columns list: column indexes in its order
    std::vector<std::uint32_t> posInA_;
    std::vector<std::uint16_t> cacheA_;
    std::vector<Colonna> chosen_;
    TMaxTree* tree_ = nullptr;

    std::int64_t covered_ = 0;
    std::int64_t k_ = 0;
    std::int64_t max_ = 0;
    int phase_ = 1;
    int D_ = 0;
    bool cancelled_ = false;
    std::vector<std::uint32_t> scratch_;
};

void TIndexedReduction::Cover(std::size_t u) {
    inU_[u] = 0;
    if (phase_ == 2 && tree_ != nullptr) {
        tree_->Set(u, kGone);
    }
    Around(u, p_.R, [this](std::size_t w, int) {
        --count_[w];
        if (phase_ == 3 && count_[w] == 0 && tree_ != nullptr && cacheA_[posInA_[w]] == 0) {
            tree_->Set(posInA_[w], kGone);
        }
    });
}

std::int64_t TIndexedReduction::Choose(std::size_t i) {
    chosen_.push_back(cols_[i]);
    scratch_.clear();
    Around(i, p_.R, [this](std::size_t j, int) {
        if (inU_[j] != 0) {
            scratch_.push_back(static_cast<std::uint32_t>(j));
        }
    });
    std::sort(scratch_.begin(), scratch_.end());
    const auto removed = static_cast<std::int64_t>(scratch_.size());
    for (std::uint32_t u : scratch_) {
        if (orderA_.size() < n_) {
            posInA_[u] = static_cast<std::uint32_t>(orderA_.size());
            orderA_.push_back(u);
        }
    }
    for (std::uint32_t u : scratch_) {
        Cover(u);
    }
    covered_ += removed;
    if (phase_ == 1) {
        Around(i, D_ - 1, [this](std::size_t j, int d) {
            if (d < D_ - 1) {
                ++below_[j];
            } else {
                ++atEdge_[j];
            }
        });
    }
    if (obs_ != nullptr) {
        obs_->AggiornaRidOtt(static_cast<std::int64_t>(n_), static_cast<std::int64_t>(chosen_.size()), false,
                             covered_);
    }
    return removed;
}

void TIndexedReduction::Step() {
    const std::int64_t phase2Limit = RoundNearest(static_cast<double>(n_) * p_.f2);
    std::size_t cur = 0;
    std::size_t best = TMaxTree::npos;
    max_ = 0;
    bool chose = false;
    for (;;) {
        if (covered_ >= static_cast<std::int64_t>(n_)) {
            break;
        }
        if (phase_ == 2 && covered_ > phase2Limit) {
            return;
        }
        const std::size_t at = tree_->FirstAbove(cur, static_cast<std::int32_t>(max_));
        if (at == TMaxTree::npos || at >= n_) {
            break;
        }
        if (Cancelled()) {
            return;
        }
        const std::size_t j = phase_ == 2 ? at : orderA_[at];
        const std::int64_t count = std::min<std::int64_t>(count_[j], k_);
        if (phase_ == 2) {
            cacheU_[at] = static_cast<std::uint16_t>(std::min<std::int64_t>(count, 0xFFFF));
            tree_->Set(at, ValueU(at));
        } else {
            cacheA_[at] = static_cast<std::uint16_t>(std::min<std::int64_t>(count, 0xFFFF));
            tree_->Set(at, ValueA(at));
        }
        if (count >= k_) {
            Choose(j);
            chose = true;
            cur = 0;
            best = TMaxTree::npos;
            max_ = 0;
            continue;
        }
        if (count > max_) {
            best = at;
            max_ = count;
        }
        cur = at + 1;
    }
    if (!chose && best != TMaxTree::npos) {
        const std::size_t j = phase_ == 2 ? best : orderA_[best];
        if (std::min<std::int64_t>(count_[j], max_) >= max_) {
            Choose(j);
        }
    }
}

std::vector<Colonna> TIndexedReduction::Run(bool& cancelled) {
    cancelled = false;
    if (n_ == 0) {
        return {};
    }
    if (cancelled_) { // stopped while the space was built: the first choice stays, as ever
        cancelled = true;
        return {cols_[0]};
    }
    inU_.assign(n_, 1);
    count_.assign(n_, 0);
    below_.assign(n_, 0);
    atEdge_.assign(n_, 0);
    cacheU_.assign(n_, 0);
    posInA_.assign(n_, 0);
    orderA_.reserve(n_);
    for (std::size_t i = 0; i < n_; ++i) {
        // Counting every neighbourhood takes seconds on large lists: look for "Annulla" meanwhile.
        if (i % kCountLook == 0 && Cancelled()) {
            break;
        }
        Around(i, p_.R, [this, i](std::size_t, int) { ++count_[i]; });
    }
    if (cancelled_) {
        cancelled = true;
        return {cols_[0]};
    }
    if (obs_ != nullptr) {
        obs_->AggiornaRidOtt(static_cast<std::int64_t>(n_), 0, false, 0);
        obs_->Stato("Autoriduzione in Corso : Fase 1");
    }
    // Phase 1 keeps D at its floor (it falls below only to end a single pass), so the counts kept
    // beside each column are taken at that distance.
    D_ = p_.Dmin;
    const auto N = static_cast<std::int64_t>(n_);
    const std::int64_t f1Limit = RoundNearest(static_cast<double>(n_) * p_.f1);
    const auto ended = [&] { return covered_ >= N || D_ < p_.Dmin || (p_.f1 > 0 && covered_ >= f1Limit); };

    Choose(0);
    int pass = 0;
    while (!ended() && !cancelled_) {
        bool any = false;
        std::size_t i = 0;
        while (i < n_ && inU_[i] == 0) {
            ++i;
        }
        while (i < n_ && !ended()) {
            if (below_[i] == 0 && atEdge_[i] <= pass) {
                any = true;
                k_ = Choose(i);
            }
            do {
                ++i;
            } while (i < n_ && inU_[i] == 0);
            if (Cancelled()) {
                break;
            }
        }
        if (cancelled_) {
            break;
        }
        if (p_.f1 > 0 && !any) {
            // Past the number of chosen columns a larger allowance admits nothing more.
            if (static_cast<std::size_t>(pass) > chosen_.size()) {
                break;
            }
            ++pass;
        }
        --D_;
        if (p_.f1 > 0 && D_ < p_.Dmin) {
            D_ = p_.Dmin;
        }
    }
    for (std::size_t i = 0; i < n_; ++i) {
        if (inU_[i] != 0) {
            posInA_[i] = static_cast<std::uint32_t>(orderA_.size());
            orderA_.push_back(static_cast<std::uint32_t>(i));
        }
    }
    phase_ = 2;
    if (!cancelled_) {
        if (obs_ != nullptr) {
            obs_->Stato("Autoriduzione in Corso : Fase 2");
        }
        TMaxTree treeU(n_);
        for (std::size_t i = 0; i < n_ && !(i % kTreeLook == 0 && Cancelled()); ++i) {
            treeU.Set(i, ValueU(i));
        }
        tree_ = &treeU;
        while (covered_ < N && !cancelled_ && phase_ == 2) {
            const std::int64_t before = covered_;
            Step();
            k_ = max_;
            if (Cancelled()) {
                break;
            }
            if (covered_ > Truncate(static_cast<double>(n_) * p_.f2)) {
                phase_ = 3;
                if (obs_ != nullptr) {
                    obs_->Stato("Autoriduzione in Corso : Fase 3");
                }
                k_ = 10000;
            } else if (covered_ == before) {
                break; // a step that covers nothing would repeat forever
            }
        }
        tree_ = nullptr;
        if (phase_ == 3 && covered_ < N && !cancelled_) {
            cacheA_.assign(n_, 0);
            TMaxTree treeA(n_);
            for (std::size_t a = 0; a < n_ && !(a % kTreeLook == 0 && Cancelled()); ++a) {
                treeA.Set(a, ValueA(a));
            }
            tree_ = &treeA;
            while (covered_ < N && !cancelled_) {
                // k is at least 1 here: a step that leaves columns uncovered has counted one of them.
                const std::int64_t before = covered_;
                Step();
                k_ = max_;
                if (Cancelled() || covered_ == before) {
                    break;
                }
            }
            tree_ = nullptr;
        }
    }
    cancelled = cancelled_;
    if (!cancelled_ && obs_ != nullptr) {
        obs_->AggiornaRidOtt(N, static_cast<std::int64_t>(chosen_.size()), true, covered_);
    }
    return {chosen_.rbegin(), chosen_.rend()};
}

} // namespace

bool IndexedReductionApplies(std::span<const Colonna> columns) {
    // One bit per single column of the whole space (4^12 bits, 2 MiB): a quick pass on any list.
    std::vector<bool> seen(std::size_t{1} << (2 * kTeams));
    for (const Colonna& c : columns) {
        std::uint32_t key = 0;
        for (int t = 0; t < kTeams; ++t) {
            const SignSet s = c[t];
            if (s != kSign0 && s != kSign1 && s != kSign2 && s != kSignM) {
                return false;
            }
            key = key * 4 + static_cast<std::uint32_t>(SignIndex(s));
        }
        if (seen[key]) {
            return false;
        }
        seen[key] = true;
    }
    return true;
}

std::vector<Colonna> OptimisedReduceIndexed(std::span<const Colonna> columns, const TOptimisedParams& params,
                                            TDevelopProgress* progress, CancelProbe* cancel,
                                            bool& cancelled) {
    TIndexedReduction r(columns, params, progress, cancel);
    return r.Run(cancelled);
}

} // namespace tessaline
