// "Accorpamento": joining columns that differ in exactly one team.

#include <bit>
#include <cstring>

#include "core/interfaces.h"
#include "core/rounding.h"
#include "develop/column_list.h"

namespace tessaline {

namespace {

constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

// Bit 7 of each byte of the result is set when that byte of x is not zero.
inline std::uint64_t NonZeroBytes(std::uint64_t x) {
    return (((x & kLow7) + kLow7) | x) & kHigh;
}

// The single team (0-based) in which a and b differ, -1 when they are equal, -2 when they differ in
// more than one team.
inline int SingleDifference(const Colonna& a, const Colonna& b) {
    std::uint64_t a0 = 0;
    std::uint64_t b0 = 0;
    std::uint32_t a1 = 0;
    std::uint32_t b1 = 0;
    std::memcpy(&a0, a.s.data(), 8);
    std::memcpy(&b0, b.s.data(), 8);
    std::memcpy(&a1, a.s.data() + 8, 4);
    std::memcpy(&b1, b.s.data() + 8, 4);
    const std::uint64_t m0 = NonZeroBytes(a0 ^ b0);
    const std::uint64_t m1 = NonZeroBytes(std::uint64_t{a1 ^ b1});
    const int n = std::popcount(m0) + std::popcount(m1);
    if (n != 1) {
        return n == 0 ? -1 : -2;
    }
    return m0 != 0 ? std::countr_zero(m0) / 8 : 8 + std::countr_zero(m1) / 8;
}

// Hands a percentage to the progress window only when its truncated value changes: the window
// shows nothing finer than that.
class TMergeReporter {
public:
    TMergeReporter(TProgressSink* sink) : sink_(sink) {}
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

} // namespace

double TListaColonne::Merge(bool enabled, TProgressSink* progress, CancelProbe* cancel) {
    if (!enabled) {
        return 1.0;
    }
    const std::size_t n0 = size_;
    if (progress != nullptr) {
        progress->Begin("Accorpamento In Corso..");
    }
    TMergeReporter reporter(progress);
    int pass = 1;
    bool changed = true;
    while (size_ > 1 && changed) {
        changed = false;
        if (progress != nullptr) {
            progress->SetCaption("Accorpamento in Corso");
        }
        reporter.Report(pass, 0.0);
        std::size_t done = 0;
        Colonna* cols = begin();
        for (std::size_t hi = 0; hi + 1 < size_; ++hi) {
            Colonna& h = cols[hi];
            // Walk the columns after h, dropping those h absorbs and closing the gaps as we go.
            std::size_t w = hi + 1;
            for (std::size_t r = hi + 1; r < size_; ++r) {
                const Colonna s = cols[r];
                const int j = SingleDifference(h, s);
                if (j >= 0) {
                    h.s[static_cast<std::size_t>(j)] |= s.s[static_cast<std::size_t>(j)];
                    changed = true;
                } else {
                    cols[w++] = s;
                }
                const std::size_t count = size_ - (r + 1 - w);
                reporter.Report(pass, static_cast<double>(done) / static_cast<double>(count) * 100.0);
            }
            size_ = w;
            if (cancel != nullptr && cancel->Peek()) {
                if (progress != nullptr) {
                    progress->End();
                }
                return -1.0;
            }
            ++done;
            reporter.Report(pass, static_cast<double>(done) / static_cast<double>(size_) * 100.0);
        }
        reporter.Report(pass, 100.0);
        ++pass;
    }
    if (progress != nullptr) {
        progress->End();
    }
    return size_ == 0 ? 1.0 : static_cast<double>(n0) / static_cast<double>(size_);
}

} // namespace tessaline
