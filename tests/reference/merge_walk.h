#pragma once
// The merge walk exactly as described, comparing every column with every later one, with its
// progress reports and its "Annulla" look-up: the reference for the indexed merge of the store.

#include <bit>
#include <cstring>

#include "core/column_list.h"
#include "core/interfaces.h"
#include "core/rounding.h"

namespace tessaline::reference {

// Reports the percentage only when its truncated value changes (as the shipped merge does).
class TWalkReporter {
public:
    explicit TWalkReporter(TProgressSink* sink) : sink_(sink) {}
    void Report(int pass, double percent) {
        if (sink_ == nullptr) {
            return;
        }
        const std::int64_t p = Truncate(percent);
        if (pass != lastPass_ || p != lastPercent_) {
            lastPass_ = pass;
            lastPercent_ = p;
            sink_->Aggiorna(pass, "Passo", percent);
        }
    }

private:
    TProgressSink* sink_;
    int lastPass_ = -1;
    std::int64_t lastPercent_ = -1;
};

inline int SingleDifference(const Colonna& a, const Colonna& b) {
    int diffs = 0;
    int team = -1;
    for (int j = 0; j < kTeams; ++j) {
        if (a[j] != b[j]) {
            ++diffs;
            team = j;
        }
    }
    return diffs == 1 ? team : (diffs == 0 ? -1 : -2);
}

inline double MergeWalk(TListaColonne& list, TProgressSink* progress, CancelProbe* cancel) {
    const std::size_t n0 = list.Size();
    if (progress != nullptr) {
        progress->Begin("Accorpamento In Corso..");
    }
    TWalkReporter reporter(progress);
    int pass = 1;
    bool changed = true;
    std::size_t size = list.Size();
    Colonna* cols = list.begin();
    while (size > 1 && changed) {
        changed = false;
        if (progress != nullptr) {
            progress->SetCaption("Accorpamento in Corso");
        }
        reporter.Report(pass, 0.0);
        std::size_t done = 0;
        for (std::size_t hi = 0; hi + 1 < size; ++hi) {
            Colonna& h = cols[hi];
            std::size_t w = hi + 1;
            for (std::size_t r = hi + 1; r < size; ++r) {
                const Colonna s = cols[r];
                const int j = SingleDifference(h, s);
                if (j >= 0) {
                    h[j] = static_cast<SignSet>(h[j] | s[j]);
                    changed = true;
                } else {
                    cols[w++] = s;
                }
                const std::size_t count = size - (r + 1 - w);
                reporter.Report(pass, static_cast<double>(done) / static_cast<double>(count) * 100.0);
            }
            size = w;
            if (cancel != nullptr && cancel->Peek()) {
                list.Truncate(size);
                if (progress != nullptr) {
                    progress->End();
                }
                return -1.0;
            }
            ++done;
            reporter.Report(pass, static_cast<double>(done) / static_cast<double>(size) * 100.0);
        }
        reporter.Report(pass, 100.0);
        ++pass;
    }
    list.Truncate(size);
    if (progress != nullptr) {
        progress->End();
    }
    return size == 0 ? 1.0 : static_cast<double>(n0) / static_cast<double>(size);
}

} // namespace tessaline::reference
