#pragma once
// The optimised reduction written step by step on linked lists, comparing every pair it needs: the
// reference for the indexed reduction of the engine.

#include <cstdint>
#include <iterator>
#include <list>
#include <vector>

#include "core/column.h"
#include "core/interfaces.h"
#include "core/rounding.h"
#include "reduce/optimised_params.h"

namespace tessaline::reference {

class TOptimisedReference {
public:
    TOptimisedReference(const std::vector<Colonna>& columns, const TOptimisedParams& p, TOptimisedObserver* obs,
                        CancelProbe* cancel)
        : p_(p), obs_(obs), cancel_(cancel), n_(static_cast<std::int64_t>(columns.size())) {
        for (const Colonna& c : columns) {
            uncovered_.push_back({c, 0});
        }
    }

    // The chosen columns, last chosen first.
    std::vector<Colonna> Run() {
        if (obs_ != nullptr) {
            obs_->Progress(n_, 0, 0, false);
            obs_->Phase(1);
        }
        int D = p_.D;
        const auto phase1Ended = [&] {
            return covered_ >= n_ || D < p_.Dmin || (p_.f1 > 0 && covered_ >= RoundNearest(static_cast<double>(n_) * p_.f1));
        };
        Choose(uncovered_.begin());
        int pass = 0;
        while (!phase1Ended() && !cancelled_) {
            bool any = false;
            auto it = uncovered_.begin();
            while (it != uncovered_.end() && !phase1Ended()) {
                int exact = 0;
                bool ok = true;
                for (const Colonna& y : chosen_) {
                    const int d = Distance(it->c, y);
                    if (d < D - 1) {
                        ok = false;
                        break;
                    }
                    if (d == D - 1 && ++exact > pass) {
                        ok = false;
                        break;
                    }
                }
                if (ok) {
                    any = true;
                    auto next = std::next(it);
                    while (next != uncovered_.end() && Distance(it->c, next->c) <= p_.R) {
                        ++next;
                    }
                    k_ = Choose(it);
                    it = next;
                } else {
                    ++it;
                }
                if (cancel_ != nullptr && cancel_->Peek()) {
                    cancelled_ = true;
                    break;
                }
            }
            if (cancelled_) {
                break;
            }
            if (p_.f1 > 0 && !any) {
                ++pass;
            }
            --D;
            if (p_.f1 > 0 && D < p_.Dmin) {
                D = p_.Dmin;
            }
        }
        for (const auto& node : uncovered_) {
            all_.push_back({node.c, 0});
        }
        if (!cancelled_) {
            if (obs_ != nullptr) {
                obs_->Phase(2);
            }
            phase_ = 2;
            while (covered_ < n_ && !cancelled_) {
                Step();
                k_ = max_;
                if (cancel_ != nullptr && cancel_->Peek()) {
                    cancelled_ = true;
                    break;
                }
                if (phase_ == 2 && covered_ > Truncate(static_cast<double>(n_) * p_.f2)) {
                    phase_ = 3;
                    if (obs_ != nullptr) {
                        obs_->Phase(3);
                    }
                    k_ = 10000;
                }
            }
        }
        if (!cancelled_ && obs_ != nullptr) {
            obs_->Progress(n_, static_cast<std::int64_t>(chosen_.size()), covered_, true);
        }
        return {chosen_.begin(), chosen_.end()};
    }

    bool Cancelled() const { return cancelled_; }

private:
    struct TNode {
        Colonna c;
        std::uint16_t cache;
    };
    using TIter = std::list<TNode>::iterator;

    int Distance(const Colonna& a, const Colonna& b) const {
        return p_.wrongTeams ? WrongTeams(a, b) : WrongMatches(a, b);
    }

    // Chooses the column, removes from the uncovered list every column it covers (copying them to
    // the all-columns list while that is not full); returns how many it covered.
    std::int64_t Choose(TIter it) {
        const Colonna c = it->c;
        chosen_.push_front(c);
        std::int64_t removed = 0;
        for (auto u = uncovered_.begin(); u != uncovered_.end();) {
            if (Distance(c, u->c) <= p_.R) {
                if (static_cast<std::int64_t>(all_.size()) < n_) {
                    all_.push_back({u->c, 0});
                }
                u = uncovered_.erase(u);
                ++removed;
            } else {
                ++u;
            }
        }
        covered_ += removed;
        if (obs_ != nullptr) {
            obs_->Progress(n_, static_cast<std::int64_t>(chosen_.size()), covered_, false);
        }
        return removed;
    }

    std::int64_t Count(const Colonna& c, std::int64_t limit) const {
        std::int64_t n = 0;
        for (const auto& u : uncovered_) {
            if (n >= limit) {
                break;
            }
            if (Distance(c, u.c) <= p_.R) {
                ++n;
            }
        }
        return n;
    }

    void Step() {
        std::list<TNode>& list = phase_ == 2 ? uncovered_ : all_;
        auto it = list.begin();
        auto best = list.end();
        max_ = 0;
        bool chose = false;
        int seen = 0;
        const std::int64_t phase2Limit = RoundNearest(static_cast<double>(n_) * p_.f2);
        for (;;) {
            if (it == list.end() || covered_ >= n_) {
                break;
            }
            if (phase_ == 2 && covered_ > phase2Limit) {
                return;
            }
            if (++seen % 10 == 0 && cancel_ != nullptr && cancel_->Peek()) {
                cancelled_ = true;
                return;
            }
            if (it->cache != 0 && it->cache <= max_) {
                ++it;
                continue;
            }
            const std::int64_t count = Count(it->c, k_);
            it->cache = static_cast<std::uint16_t>(count);
            if (count >= k_) {
                Choose(it);
                chose = true;
                it = list.begin();
                best = list.end();
                max_ = 0;
                continue;
            }
            if (count > max_) {
                best = it;
                max_ = count;
            }
            ++it;
        }
        if (!chose && best != list.end() && Count(best->c, max_) >= max_) {
            Choose(best);
        }
    }

    TOptimisedParams p_;
    TOptimisedObserver* obs_;
    CancelProbe* cancel_;
    std::int64_t n_;
    std::list<TNode> uncovered_;
    std::list<TNode> all_;
    std::list<Colonna> chosen_;
    std::int64_t covered_ = 0;
    std::int64_t k_ = 0;
    std::int64_t max_ = 0;
    int phase_ = 1;
    bool cancelled_ = false;
};

} // namespace tessaline::reference
