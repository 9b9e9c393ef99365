#include "reduce/optimised.h"

#include <algorithm>
#include <set>
#include <vector>

#include "core/interfaces.h"
#include "core/progress.h"
#include "core/rounding.h"
#include "reduce/optimised_fast.h"

namespace tessaline {

TOptimisedParams OptimisedParamsFor(const Pronostico& forecast, bool pairMode, int R, bool smallSystem) {
    TOptimisedParams p;
    p.R = R;
    p.smallSystem = smallSystem;
    const double v = smallSystem ? 1.0 : 0.0;
    const int doubles = CountDoubles(forecast);
    const bool byTeams = !pairMode && CountTriples(forecast) == 0 && CountQuadruples(forecast) == 0 &&
                         doubles >= 7 && doubles <= 9 && R == 1;
    p.distance = byTeams ? TDistanceKind::WrongTeams : TDistanceKind::WrongMatches;
    if (R == 1) {
        p.f2 = 0.85 + 0.13 * v;
        p.f1 = byTeams ? 0.0 : 0.6 + 0.35 * v;
        p.Dmin = 3;
    } else {
        p.f2 = 0.98 + 0.015 * v;
        p.f1 = 0.94 + 0.04 * v;
        p.Dmin = 4;
    }
    return p;
}

bool Uncoverable(const Colonna& c, const TOptimisedParams& params) {
    const int selfDistance =
        params.distance == TDistanceKind::WrongTeams ? WrongTeams(c, c) : WrongMatches(c, c);
    return selfDistance > params.R;
}

namespace {

constexpr int kNone = -1;

// A singly linked list of columns with a 16-bit coverage cache (0: not yet counted).
struct TWorkList {
    struct TNode {
        Colonna c;
        std::uint16_t cache = 0;
        int next = kNone;
    };
    std::vector<TNode> nodes;
    int head = kNone;
    int tail = kNone;
    std::int64_t count = 0;

    void PushBack(const Colonna& c) {
        nodes.push_back(TNode{c, 0, kNone});
        const int i = static_cast<int>(nodes.size()) - 1;
        if (tail == kNone) {
            head = i;
        } else {
            nodes[static_cast<std::size_t>(tail)].next = i;
        }
        tail = i;
        ++count;
    }
    TNode& operator[](int i) { return nodes[static_cast<std::size_t>(i)]; }
};

class TOptimisedRun {
public:
    TOptimisedRun(TListaColonne& store, const TOptimisedParams& params, TDevelopProgress* progress,
                  CancelProbe* cancel)
        : store_(store), p_(params), progress_(progress), cancel_(cancel) {}

    bool Run();
    std::int64_t KeptUncoverable() const { return static_cast<std::int64_t>(kept_.size()); }

private:
    int Distance(const Colonna& a, const Colonna& b) const {
        return p_.distance == TDistanceKind::WrongTeams ? WrongTeams(a, b) : WrongMatches(a, b);
    }
    bool Covers(const Colonna& a, const Colonna& b) const { return Distance(a, b) <= p_.R; }
    bool Cancelled() {
        if (!cancelled_ && cancel_ != nullptr && cancel_->Peek()) {
            cancelled_ = true;
        }
        return cancelled_;
    }
    void State(const char* text) {
        if (progress_ != nullptr) {
            progress_->Stato(text);
        }
    }
    // The uncoverable columns count as chosen and covered from the start.
    void Report(bool final) {
        if (progress_ != nullptr) {
            progress_->AggiornaRidOtt(n_ + keptInput_,
                                      static_cast<std::int64_t>(chosen_.size() + kept_.size()), final,
                                      covered_ + keptInput_);
        }
    }
    // Chooses c: returns the number of uncovered columns it newly covers.
    std::int64_t Choose(const Colonna& c);
    bool Phase1Ended() const {
        return covered_ >= n_ || d_ < p_.Dmin ||
               (p_.f1 > 0 && covered_ >= RoundNearest(static_cast<double>(n_) * p_.f1));
    }
    bool Qualifies(const Colonna& c, int allowedAtEdge) const;
    void Phase1();
    // Uncovered columns c covers, counting no further than limit.
    std::int64_t CountCovered(const Colonna& c, std::int64_t limit);
    // One step with threshold k over the candidate list; returns the highest coverage seen since
    // the step's last choice.
    std::int64_t Step(TWorkList& candidates, std::int64_t k, bool phase2);

    TListaColonne& store_;
    TOptimisedParams p_;
    TDevelopProgress* progress_;
    CancelProbe* cancel_;
    bool cancelled_ = false;

    TWorkList uncovered_;
    TWorkList all_;
    std::vector<Colonna> chosen_; // in choice order; the chosen list is this one read backwards
    std::vector<Colonna> kept_;   // distinct uncoverable columns, in store order
    std::int64_t keptInput_ = 0;  // uncoverable columns of the store, repeats included
    std::int64_t n_ = 0;
    std::int64_t covered_ = 0;
    std::int64_t k_ = 0;
    int d_ = 0;
};

std::int64_t TOptimisedRun::Choose(const Colonna& c) {
    chosen_.push_back(c);
    std::int64_t removed = 0;
    int prev = kNone;
    for (int i = uncovered_.head; i != kNone;) {
        const int next = uncovered_[i].next;
        if (Covers(c, uncovered_[i].c)) {
            if (prev == kNone) {
                uncovered_.head = next;
            } else {
                uncovered_[prev].next = next;
            }
            if (uncovered_.tail == i) {
                uncovered_.tail = prev;
            }
            --uncovered_.count;
            if (all_.count < n_) {
                all_.PushBack(uncovered_[i].c);
            }
            ++removed;
        } else {
            prev = i;
        }
        i = next;
    }
    covered_ += removed;
    Report(false);
    return removed;
}

bool TOptimisedRun::Qualifies(const Colonna& c, int allowedAtEdge) const {
    int atEdge = 0;
    for (auto it = chosen_.rbegin(); it != chosen_.rend(); ++it) {
        const int d = Distance(*it, c);
        if (d < d_ - 1) {
            return false;
        }
        if (d == d_ - 1 && ++atEdge > allowedAtEdge) {
            return false;
        }
    }
    return true;
}

void TOptimisedRun::Phase1() {
    Choose(uncovered_[uncovered_.head].c);
    int passLimit = 0; // p: chosen columns allowed at distance D - 1
    while (!Phase1Ended()) {
        bool anyQualified = false;
        for (int i = uncovered_.head; i != kNone && !Phase1Ended();) {
            const Colonna cand = uncovered_[i].c;
            int next = uncovered_[i].next;
            if (Qualifies(cand, passLimit)) {
                while (next != kNone && Covers(cand, uncovered_[next].c)) {
                    next = uncovered_[next].next;
                }
                k_ = Choose(cand);
                anyQualified = true;
            }
            if (Cancelled()) {
                return;
            }
            i = next;
        }
        if (p_.f1 > 0 && !anyQualified) {
            // Past the number of chosen columns a larger allowance admits nothing more.
            if (static_cast<std::size_t>(passLimit) > chosen_.size()) {
                return;
            }
            ++passLimit;
        }
        --d_;
        if (p_.f1 > 0 && d_ < p_.Dmin) {
            d_ = p_.Dmin;
        }
    }
}

std::int64_t TOptimisedRun::CountCovered(const Colonna& c, std::int64_t limit) {
    std::int64_t n = 0;
    for (int i = uncovered_.head; i != kNone && n < limit; i = uncovered_[i].next) {
        if (Covers(c, uncovered_[i].c)) {
            ++n;
        }
    }
    return n;
}

std::int64_t TOptimisedRun::Step(TWorkList& candidates, std::int64_t k, bool phase2) {
    const std::int64_t phase2Limit = RoundNearest(static_cast<double>(n_) * p_.f2);
    int best = kNone;
    std::int64_t max = 0;
    bool choseAny = false;
    std::int64_t visited = 0;
    for (int i = candidates.head;;) {
        if (i == kNone || covered_ >= n_) {
            break;
        }
        if (phase2 && covered_ > phase2Limit) {
            return max;
        }
        if (++visited % 10 == 0 && Cancelled()) {
            return max;
        }
        auto& node = candidates[i];
        if (node.cache != 0 && node.cache <= max) {
            i = node.next;
            continue;
        }
        const std::int64_t count = CountCovered(node.c, k);
        node.cache = static_cast<std::uint16_t>(std::min<std::int64_t>(count, 0xFFFF));
        if (count >= k) {
            const Colonna c = node.c;
            Choose(c);
            choseAny = true;
            i = candidates.head;
            best = kNone;
            max = 0;
            continue;
        }
        if (count > max) {
            best = i;
            max = count;
        }
        i = node.next;
    }
    if (!choseAny && best != kNone) {
        const Colonna c = candidates[best].c;
        if (CountCovered(c, max) >= max) {
            Choose(c);
        }
    }
    return max;
}

bool TOptimisedRun::Run() {
    std::set<std::array<SignSet, kTeams>> seen;
    for (const Colonna& c : store_) {
        if (!Uncoverable(c, p_)) {
            uncovered_.PushBack(c);
            continue;
        }
        ++keptInput_;
        if (seen.insert(c.s).second) {
            kept_.push_back(c);
        }
    }
    store_.Clear();
    n_ = uncovered_.count;
    all_.nodes.reserve(static_cast<std::size_t>(n_));
    if (progress_ != nullptr) {
        progress_->AggiornaRidOtt(n_, 0, false, 0);
    }
    State("Autoriduzione in Corso : Fase 1");
    covered_ = 0;
    k_ = 0;
    d_ = p_.Dmin;
    if (n_ > 0) {
        Phase1();
    }
    if (!cancelled_) {
        for (int i = uncovered_.head; i != kNone; i = uncovered_[i].next) {
            all_.PushBack(uncovered_[i].c);
        }
        State("Autoriduzione in Corso : Fase 2");
        bool phase2 = true;
        const std::int64_t phase3From = Truncate(static_cast<double>(n_) * p_.f2);
        while (covered_ < n_ && !cancelled_) {
            const std::int64_t before = covered_;
            k_ = Step(phase2 ? uncovered_ : all_, k_, phase2);
            if (Cancelled()) {
                break;
            }
            const bool switched = phase2 && covered_ > phase3From;
            if (switched) {
                phase2 = false;
                State("Autoriduzione in Corso : Fase 3");
                k_ = 10000;
            }
            // Every coverable column covers itself, so a step always covers something; one that
            // covers nothing would repeat forever.
            if (covered_ == before && !switched) {
                break;
            }
        }
    }
    if (!cancelled_) {
        Report(true);
    }
    store_.Reserve(chosen_.size() + kept_.size());
    for (auto it = chosen_.rbegin(); it != chosen_.rend(); ++it) {
        store_.Append(*it);
    }
    store_.AppendRange(kept_.data(), kept_.size());
    return !cancelled_;
}

} // namespace

bool ReduceOptimisedReference(TListaColonne& store, const TOptimisedParams& params,
                              TDevelopProgress* progress, CancelProbe* cancel, std::int64_t* uncoverable) {
    TOptimisedRun run(store, params, progress, cancel);
    const bool completed = run.Run();
    if (uncoverable != nullptr) {
        *uncoverable = run.KeptUncoverable();
    }
    return completed;
}

bool OptimisedReducer(TListaColonne& list, const TOptimisedRequest& request, TDevelopProgress* progress,
                      CancelProbe* cancel, std::int64_t* uncoverable) {
    if (uncoverable != nullptr) {
        *uncoverable = 0;
    }
    const TOptimisedParams params =
        OptimisedParamsFor(request.forecast, request.pairMode, request.R, request.smallSystem);
    // Look-ups for "Annulla" around the pass over the whole list; stopped there, the list keeps its
    // first column, the first choice a reduction stopped at once keeps.
    const auto stopped = [&] {
        if (cancel != nullptr && cancel->Peek()) {
            list.Truncate(1);
            return true;
        }
        return false;
    };
    if (stopped()) {
        return false;
    }
    // Distinct single columns (every development of a forecast) take the indexed reduction, which
    // makes the same choices; anything else is reduced step by step.
    const bool indexed = IndexedReductionApplies(list.View());
    if (stopped()) {
        return false;
    }
    if (indexed) {
        bool cancelled = false;
        std::vector<Colonna> chosen =
            OptimisedReduceIndexed(list.View(), params, progress, cancel, cancelled);
        list.Clear();
        list.AppendRange(chosen.data(), chosen.size());
        return !cancelled;
    }
    return ReduceOptimisedReference(list, params, progress, cancel, uncoverable);
}

} // namespace tessaline
