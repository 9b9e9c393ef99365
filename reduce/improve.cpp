// The improved reduction: row-weighting local search for the unicost covering problem.
//
// Rows and candidate sets are the same distinct columns; column c covers row r when they lie within
// R of each other, so the rows a column covers and the columns that cover a row are the same
// neighbourhood, taken from the cell index (as a flat table when it fits in memory). For each row the
// search keeps how many chosen columns cover it and the sum of their indexes (the one coverer when
// the count is 1); for a chosen column the weight of the rows only it covers (what dropping it
// loses, kept in a heap), for another column the weight of the uncovered rows it covers (what adding
// it gains). Each swap drops the chosen column that loses least and adds, among the columns near a
// random uncovered row, the one that gains most; the rows left uncovered then weigh one more.
// Whenever the set covers everything it is the new best and its cheapest column goes.
//
// The search starts from the smaller of the given set (completed and trimmed) and a few syndrome
// codes of the candidates (see TSyndromeMap), completed and trimmed the same way.

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

// Starting points from syndrome codes. Each team's sign is read as a digit (its place among the signs
// the candidates hold there); a team of two or four signs maps its digit's bits to vectors of
// F_2^a, a team of three signs maps its digit d to d times a vector of F_3^b. The columns whose images
// sum to zero form a code of about n / (2^a 3^b) columns that reaches, within one wrong match, every
// column whose syndrome a single match can cancel; the rest is completed. On forecasts whose teams
// fit such a group this starts far below the greedy (the nine triples: 833 against 1,166).
constexpr int kSyndromeDraws = 200;
constexpr int kSyndromeSamples = 256;
constexpr std::size_t kSyndromeCompleted = 6;

class TSyndromeTeams {
public:
    explicit TSyndromeTeams(std::span<const Colonna> cols) : n_(cols.size()), digit_(cols.size() * kTeams) {
        for (int t = 0; t < kTeams; ++t) {
            unsigned present = 0;
            for (const Colonna& c : cols) {
                present |= c[t];
            }
            int place[4] = {};
            int k = 0;
            for (int b = 0; b < 4; ++b) {
                if ((present & (1U << b)) != 0) {
                    place[b] = k++;
                }
            }
            signs_[t] = k;
            for (std::size_t j = 0; j < n_; ++j) {
                const unsigned s = cols[j][t];
                const int b = s == kSign0 ? 0 : s == kSign1 ? 1 : s == kSign2 ? 2 : 3;
                digit_[j * kTeams + static_cast<std::size_t>(t)] = static_cast<std::uint8_t>(place[b]);
            }
        }
    }
    int Signs(int t) const { return signs_[t]; }
    int Digit(std::size_t j, int t) const { return digit_[j * kTeams + static_cast<std::size_t>(t)]; }

private:
    std::size_t n_;
    std::vector<std::uint8_t> digit_;
    int signs_[kTeams] = {};
};

class TSyndromeMap {
public:
    static TSyndromeMap Draw(TSplitMix& rng) {
        TSyndromeMap m;
        m.a_ = static_cast<int>(rng.Below(9));
        m.b_ = static_cast<int>(rng.Below(6));
        std::uint32_t threes = 1;
        for (int i = 0; i < m.b_; ++i) {
            threes *= 3;
        }
        for (int t = 0; t < kTeams; ++t) {
            for (int k = 0; k < 2; ++k) {
                m.two_[t][k] =
                    m.a_ > 0 ? static_cast<std::uint32_t>(1 + rng.Below((std::size_t{1} << m.a_) - 1)) : 0;
            }
            std::uint32_t w = threes > 1 ? static_cast<std::uint32_t>(1 + rng.Below(threes - 1)) : 0;
            std::uint32_t packed = 0; // base-3 digits, two bits each
            for (int i = 0; i < m.b_; ++i, w /= 3) {
                packed |= (w % 3) << (2 * i);
            }
            m.three_[t] = packed;
        }
        return m;
    }
    // The syndrome of candidate j: the F_2 part in the low 16 bits, the F_3 part above.
    std::uint64_t Syndrome(const TSyndromeTeams& teams, std::size_t j) const {
        std::uint32_t two = 0;
        std::uint32_t three = 0;
        for (int t = 0; t < kTeams; ++t) {
            const int d = teams.Digit(j, t);
            switch (teams.Signs(t)) {
            case 2:
            case 4:
                two ^= ((d & 1) != 0 ? two_[t][0] : 0) ^ ((d & 2) != 0 ? two_[t][1] : 0);
                break;
            case 3:
                for (int k = 0; k < d; ++k) {
                    three = Add3(three, three_[t]);
                }
                break;
            default:
                break;
            }
        }
        return two | (std::uint64_t{three} << 16);
    }

private:
    std::uint32_t Add3(std::uint32_t x, std::uint32_t y) const {
        std::uint32_t r = 0;
        for (int i = 0; i < b_; ++i) {
            r |= ((((x >> (2 * i)) & 3) + ((y >> (2 * i)) & 3)) % 3) << (2 * i);
        }
        return r;
    }

    int a_ = 0;
    int b_ = 0;
    std::uint32_t two_[kTeams][2] = {};
    std::uint32_t three_[kTeams] = {};
};

// The chosen columns ordered by what dropping them loses (least first, then the longest unchanged):
// a binary heap that knows each column's place, so that a changed loss moves its column in log time.
class TDropHeap {
public:
    TDropHeap(std::size_t n, const std::vector<std::int64_t>& loss, const std::vector<std::int64_t>& stamp)
        : loss_(loss), stamp_(stamp), pos_(n, kNone) {}
    void Insert(std::size_t c) {
        pos_[c] = heap_.size();
        heap_.push_back(static_cast<std::uint32_t>(c));
        Up(pos_[c]);
    }
    void Erase(std::size_t c) {
        const std::size_t at = pos_[c];
        const std::uint32_t last = heap_.back();
        heap_.pop_back();
        pos_[c] = kNone;
        if (at < heap_.size()) {
            Place(at, last);
            Update(last);
        }
    }
    // Restores the order after the loss of c (a member) changed.
    void Update(std::size_t c) {
        Up(pos_[c]);
        Down(pos_[c]);
    }
    // The first column other than skip, or kNone.
    std::size_t Top(std::size_t skip) const {
        if (heap_.empty()) {
            return kNone;
        }
        if (heap_[0] != skip) {
            return heap_[0];
        }
        std::size_t pick = kNone;
        for (std::size_t k = 1; k <= 2 && k < heap_.size(); ++k) {
            if (pick == kNone || Before(heap_[k], pick)) {
                pick = heap_[k];
            }
        }
        return pick;
    }

private:
    bool Before(std::size_t a, std::size_t b) const {
        return loss_[a] < loss_[b] ||
               (loss_[a] == loss_[b] && (stamp_[a] < stamp_[b] || (stamp_[a] == stamp_[b] && a < b)));
    }
    void Place(std::size_t at, std::uint32_t c) {
        heap_[at] = c;
        pos_[c] = at;
    }
    void Up(std::size_t at) {
        const std::uint32_t c = heap_[at];
        while (at > 0) {
            const std::size_t parent = (at - 1) / 2;
            if (!Before(c, heap_[parent])) {
                break;
            }
            Place(at, heap_[parent]);
            at = parent;
        }
        Place(at, c);
    }
    void Down(std::size_t at) {
        const std::uint32_t c = heap_[at];
        for (;;) {
            std::size_t child = 2 * at + 1;
            if (child >= heap_.size()) {
                break;
            }
            if (child + 1 < heap_.size() && Before(heap_[child + 1], heap_[child])) {
                ++child;
            }
            if (!Before(heap_[child], c)) {
                break;
            }
            Place(at, heap_[child]);
            at = child;
        }
        Place(at, c);
    }

    const std::vector<std::int64_t>& loss_;
    const std::vector<std::int64_t>& stamp_;
    std::vector<std::size_t> pos_;
    std::vector<std::uint32_t> heap_;
};

// Every swap raises the weight of each uncovered row by one. Rather than touching those rows and the
// gains of their columns each time, a row's weight while it is uncovered is its weight when it became
// uncovered plus the swaps since (clock_ - since_), and a column's gain is kept as a constant part plus
// clock_ times the number of uncovered rows it covers; both change only when a row changes state.
class TCoverSearch {
public:
    TCoverSearch(std::span<const Colonna> cols, TDistanceKind distance, int R)
        : cols_(cols), n_(cols.size()), R_(R), index_(cols, distance), inS_(n_), uncovered_(n_), rows_(n_),
          loss_(n_, 0), gain_(n_), stamp_(n_, 0), drop_(n_, loss_, stamp_) {
        BuildTable();
    }

    TImproveOutcome Run(std::span<const Colonna> start, const TImproveOptions& options, CancelProbe* cancel,
                        const TImproveReport& report);

private:
    template <class F> void Near(std::size_t i, F&& f) const {
        if (!offsets_.empty()) {
            // The ends are read once: the callers write through other pointers the compiler cannot
            // tell apart from the table.
            const std::uint32_t* k = table_.data() + offsets_[i];
            const std::uint32_t* const end = table_.data() + offsets_[i + 1];
            for (; k != end; ++k) {
                f(static_cast<std::size_t>(*k));
            }
        } else {
            index_.Around(i, R_, [&f](std::size_t j, int) { f(j); });
        }
    }
    void BuildTable();
    void CompleteAndTrim();
    void Replace(std::span<const std::uint32_t> set);
    bool TrySyndromeStarts(std::uint64_t seed, CancelProbe* cancel);
    void Add(std::size_t c);
    void Drop(std::size_t c);
    // What adding the column (not chosen) gains: the weight of the uncovered rows it covers.
    std::int64_t Gain(std::size_t x) const {
        const std::int64_t rows = (gain_[x] + kGainHalf) >> kGainShift;
        return gain_[x] - (rows << kGainShift) + clock_ * rows;
    }
    // True when x is a better column to add than y (y may be kNone).
    bool BetterAdd(std::size_t x, std::size_t y) const {
        if (y == kNone) {
            return true;
        }
        const std::int64_t gx = Gain(x);
        const std::int64_t gy = Gain(y);
        return gx > gy || (gx == gy && stamp_[x] < stamp_[y]);
    }
    void Snapshot() { best_ = inS_.Items(); }

    std::span<const Colonna> cols_;
    std::size_t n_;
    int R_;
    TCellIndex index_;
    std::vector<std::size_t> offsets_;
    std::vector<std::uint32_t> table_;

    TIndexSet inS_;       // chosen columns
    TIndexSet uncovered_; // rows no chosen column covers
    struct TRow {
        std::int32_t cov = 0;    // chosen columns covering the row
        std::uint32_t sum = 0;   // sum of their indexes (modulo 2^32): the one coverer when cov is 1
        std::int64_t weight = 1; // the row's weight, or for an uncovered row its weight at since
        std::int64_t since = 0;  // the clock when the row became uncovered
    };
    // The gain of a column not chosen as one word, so that a row changing state touches 8 bytes per
    // column: the number of its uncovered rows times 2^44 plus the sum of weight - since over them.
    // The sum stays far inside 2^43 (a neighbourhood of some thousand rows, weights of at most the
    // swaps made), so the two parts separate again by rounding.
    static constexpr int kGainShift = 44;
    static constexpr std::int64_t kGainHalf = std::int64_t{1} << (kGainShift - 1);
    static constexpr std::int64_t kGainRow = std::int64_t{1} << kGainShift;
    std::vector<TRow> rows_;
    std::vector<std::int64_t> loss_; // chosen column: the weight of the rows only it covers
    std::vector<std::int64_t> gain_;
    std::vector<std::int64_t> stamp_; // iteration of the column's last change
    TDropHeap drop_;
    std::vector<std::uint32_t> best_;
    std::int64_t iteration_ = 0;
    std::int64_t clock_ = 0; // weight raises so far
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
    loss_[c] = 0;
    Near(c, [this, c](std::size_t r) {
        TRow& row = rows_[r];
        if (row.cov == 0) {
            uncovered_.Erase(r);
            const std::int64_t part = row.weight - row.since;
            row.weight += clock_ - row.since;
            loss_[c] += row.weight;
            const std::int64_t step = kGainRow + part;
            Near(r, [this, step](std::size_t x) { gain_[x] -= step; });
        } else if (row.cov == 1) {
            loss_[row.sum] -= row.weight;
            drop_.Update(row.sum);
        }
        ++row.cov;
        row.sum += static_cast<std::uint32_t>(c);
    });
    drop_.Insert(c);
}

void TCoverSearch::Drop(std::size_t c) {
    inS_.Erase(c);
    drop_.Erase(c);
    stamp_[c] = iteration_;
    Near(c, [this, c](std::size_t r) {
        TRow& row = rows_[r];
        --row.cov;
        row.sum -= static_cast<std::uint32_t>(c);
        if (row.cov == 0) {
            uncovered_.Insert(r);
            row.since = clock_;
            const std::int64_t part = row.weight - clock_;
            const std::int64_t step = kGainRow + part;
            Near(r, [this, step](std::size_t x) { gain_[x] += step; });
        } else if (row.cov == 1) {
            loss_[row.sum] += row.weight;
            drop_.Update(row.sum);
        }
    });
}

// Completes the covering (for each row still uncovered, the column near it that gains most), then
// drops the columns that cover nothing on their own, in index order.
void TCoverSearch::CompleteAndTrim() {
    while (!uncovered_.Empty()) {
        const std::size_t r = uncovered_.Items().front();
        std::size_t pick = r;
        Near(r, [this, &pick](std::size_t x) {
            if (Gain(x) > Gain(pick)) {
                pick = x;
            }
        });
        Add(pick);
    }
    std::vector<std::uint32_t> chosen = inS_.Items();
    std::sort(chosen.begin(), chosen.end());
    for (std::uint32_t c : chosen) {
        if (loss_[c] == 0) {
            Drop(c);
        }
    }
}

void TCoverSearch::Replace(std::span<const std::uint32_t> set) {
    const std::vector<std::uint32_t> chosen = inS_.Items();
    for (std::uint32_t c : chosen) {
        Drop(c);
    }
    for (std::uint32_t c : set) {
        Add(c);
    }
}

// False when "Annulla" stopped the tries (the best set so far stays the start).
bool TCoverSearch::TrySyndromeStarts(std::uint64_t seed, CancelProbe* cancel) {
    const auto stopped = [cancel] { return cancel != nullptr && cancel->Peek(); };
    const TSyndromeTeams teams(cols_);
    const double size = static_cast<double>(best_.size());
    TSplitMix rng(seed ^ 0x5A17E5C0DEULL);
    // Draw maps, estimate what each would end at (its code plus the sampled share of columns it leaves
    // uncovered, over half a neighbourhood each), and complete the most promising ones.
    struct TDraw {
        double estimate;
        int draw;
        std::vector<std::uint32_t> code;
    };
    std::vector<TDraw> kept;
    std::vector<std::uint8_t> zero(n_);
    for (int draw = 0; draw < kSyndromeDraws; ++draw) {
        if (stopped()) {
            return false;
        }
        const TSyndromeMap map = TSyndromeMap::Draw(rng);
        std::vector<std::uint32_t> code;
        for (std::size_t j = 0; j < n_; ++j) {
            zero[j] = map.Syndrome(teams, j) == 0 ? 1 : 0;
            if (zero[j] != 0) {
                code.push_back(static_cast<std::uint32_t>(j));
            }
        }
        const auto codeSize = static_cast<double>(code.size());
        if (codeSize > size || codeSize < size / 8) {
            continue;
        }
        int missed = 0;
        double around = 0;
        for (int k = 0; k < kSyndromeSamples; ++k) {
            bool hit = false;
            std::size_t near = 0;
            Near(rng.Below(n_), [&](std::size_t x) {
                hit = hit || zero[x] != 0;
                ++near;
            });
            missed += hit ? 0 : 1;
            around += static_cast<double>(near);
        }
        const double uncovered = static_cast<double>(n_) * missed / kSyndromeSamples;
        const double estimate = codeSize + uncovered / std::max(1.0, around / kSyndromeSamples / 2);
        if (estimate < size) {
            kept.push_back(TDraw{estimate, draw, std::move(code)});
        }
    }
    std::sort(kept.begin(), kept.end(), [](const TDraw& x, const TDraw& y) {
        return x.estimate < y.estimate || (x.estimate == y.estimate && x.draw < y.draw);
    });
    if (kept.size() > kSyndromeCompleted) {
        kept.resize(kSyndromeCompleted);
    }
    for (const TDraw& d : kept) {
        if (stopped()) {
            Replace(best_);
            return false;
        }
        Replace(d.code);
        CompleteAndTrim();
        if (inS_.Size() < best_.size()) {
            Snapshot();
        }
    }
    if (!kept.empty()) {
        Replace(best_);
    }
    return true;
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
        Near(c, [this, c](std::size_t) { gain_[c] += kGainRow + 1; });
    }
    for (const Colonna& s : start) {
        const std::int32_t j = index_.Find(s);
        if (j >= 0 && !inS_.Has(static_cast<std::size_t>(j))) {
            Add(static_cast<std::size_t>(j));
        }
    }
    const auto begin = std::chrono::steady_clock::now(); // the time budget includes the starts
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
    CompleteAndTrim();
    Snapshot();
    out.cancelled = !TrySyndromeStarts(options.seed, cancel);
    out.startSize = best_.size();
    tell();

    TSplitMix rng(options.seed);
    const bool bounded = options.iterations > 0 || options.seconds > 0;
    std::size_t lastAdded = kNone;
    while (bounded && !out.cancelled && best_.size() > 1) {
        if (uncovered_.Empty()) {
            if (inS_.Size() < best_.size()) {
                Snapshot();
                tell();
            }
            Drop(drop_.Top(kNone));
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
        const std::size_t dropped = drop_.Top(lastAdded);
        if (dropped != kNone) {
            Drop(dropped);
        }
        const std::size_t row = uncovered_.Items()[rng.Below(uncovered_.Size())];
        // The column near the row that gains most (the longest unchanged among equals), other than
        // the one just dropped unless it is the only one.
        std::size_t pick = kNone;
        Near(row, [&](std::size_t x) {
            if (x == dropped && pick != kNone) {
                return;
            }
            if (pick == dropped || BetterAdd(x, pick)) {
                pick = x;
            }
        });
        Add(pick);
        lastAdded = pick;
        ++clock_; // every uncovered row weighs one more
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
