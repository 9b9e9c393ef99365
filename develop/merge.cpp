// "Accorpamento": joining columns that differ in exactly one team.
//
// The walk compares each column h with every later column s and absorbs s when the two differ in
// exactly one team (h keeps its widened set for the rest of its walk). Comparing every pair is
// quadratic; instead, each pass indexes the columns twelve times, once per team, by their other
// eleven teams. The columns that differ from h in exactly team k are those with h's key for k and
// another set in k, so the walk only has to find, among the twelve indexes, the first such column
// after its current position. Absorptions, their order, the progress reports and the "Annulla"
// look-ups are those of the full walk.

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "develop/merge.h"

#include "core/column_list.h"
#include "core/interfaces.h"
#include "core/rounding.h"

namespace tessaline {

namespace {

// NOLINTNEXTLINE(modernize-use-using): __extension__ (quiet about __int128 under -Wpedantic) takes a typedef.
__extension__ typedef unsigned __int128 TWideKey;

// Columns whose bytes all fit in four bits pack into 48 bits; any other byte value takes the wide
// key of eight bits per team.
template <class Key, int Bits> struct TKeyOps {
    static constexpr Key kMask = (Key{1} << Bits) - 1;
    static Key Pack(const Colonna& c) {
        Key k = 0;
        for (int t = 0; t < kTeams; ++t) {
            k |= static_cast<Key>(c[t]) << (Bits * t);
        }
        return k;
    }
    static Key Clear(Key k, int team) { return k & ~(kMask << (Bits * team)); }
    static unsigned Get(Key k, int team) { return static_cast<unsigned>((k >> (Bits * team)) & kMask); }
    static Key Set(Key k, int team, unsigned v) {
        return Clear(k, team) | (static_cast<Key>(v) << (Bits * team));
    }
};

class TMergeReporter {
public:
    explicit TMergeReporter(TProgressSink* sink) : sink_(sink) {}
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
    void Report(int pass, std::size_t done, std::size_t count) {
        if (sink_ != nullptr) {
            Report(pass, static_cast<double>(done) / static_cast<double>(count) * 100.0);
        }
    }

private:
    TProgressSink* sink_;
    int lastPass_ = -1;
    std::int64_t lastPercent_ = -1;
};

// The largest list merged with the fast pass (its tables take at most about 530 MB).
constexpr std::size_t kFastMergeColumns = 2'000'000;

template <class Key> struct TEntry {
    Key key;
    std::uint32_t pos;
    bool operator<(const TEntry& o) const { return key < o.key || (key == o.key && pos < o.pos); }
};

// Sorts entries by (key, pos) whose positions already ascend: stable passes of 16 bits over the
// 48-bit keys of narrow columns; any other key type takes the comparison sort.
template <class Key> void SortEntries(std::vector<TEntry<Key>>& idx, std::vector<TEntry<Key>>& scratch) {
    if constexpr (std::is_same_v<Key, std::uint64_t>) {
        scratch.resize(idx.size());
        std::vector<std::uint32_t> start(65537);
        for (int shift = 0; shift < 48; shift += 16) {
            std::fill(start.begin(), start.end(), 0u);
            for (const auto& e : idx) {
                ++start[((e.key >> shift) & 0xFFFFu) + 1];
            }
            if (start[1 + ((idx.empty() ? 0 : idx[0].key >> shift) & 0xFFFFu)] == idx.size()) {
                continue; // every key has the same digit here: the order stands
            }
            for (std::size_t d = 1; d < start.size(); ++d) {
                start[d] += start[d - 1];
            }
            for (const auto& e : idx) {
                scratch[start[(e.key >> shift) & 0xFFFFu]++] = e;
            }
            idx.swap(scratch);
        }
    } else {
        std::sort(idx.begin(), idx.end());
    }
}

enum class TPassResult { Unchanged, Changed, Cancelled };

// The walk of one pass over cols[0..n) given the pass's keys and its twelve indexes: joins in place,
// compacts, and returns the new count in n. Index gives, for team k, a view of its entries (Team(k):
// entry c's key without k, KeyAt(c), and column, PosAt(c)), the first entry at or after (masked key,
// position) (Seek), and where the entries after column hi start while hi keeps its key (Start).
template <class Key, int Bits, class Index>
TPassResult Walk(Colonna* cols, std::size_t& n, int pass, TMergeReporter& reporter, CancelProbe* cancel,
                 std::vector<Key>& keys, std::vector<std::uint8_t>& deleted, const Index& index) {
    using Ops = TKeyOps<Key, Bits>;
    deleted.assign(n, 0);
    std::size_t alive = n;
    std::size_t last = n - 1; // the last column still in the list
    bool changed = false;
    bool cancelled = false;
    std::size_t done = 0;
    std::size_t cursor[kTeams];

    for (std::size_t hi = 0; hi < last; ++hi) {
        if (deleted[hi] != 0) {
            continue;
        }
        std::size_t next = hi + 1;
        while (deleted[next] != 0) {
            ++next;
        }
        Key h = keys[hi];
        std::size_t at = hi;
        bool first = true;
        // While h keeps its key for team k, the columns to look at for k follow h in index[k].
        for (int k = 0; k < kTeams; ++k) {
            cursor[k] = index.Start(k, hi);
        }
        for (;;) {
            std::size_t best = n;
            int bestTeam = -1;
            for (int k = 0; k < kTeams; ++k) {
                const auto team = index.Team(k);
                const Key masked = Ops::Clear(h, k);
                const unsigned mine = Ops::Get(h, k);
                std::size_t c = cursor[k];
                // Columns already passed or absorbed never come back.
                while (c < n && team.KeyAt(c) == masked &&
                       (team.PosAt(c) <= at || deleted[team.PosAt(c)] != 0)) {
                    ++c;
                }
                cursor[k] = c;
                for (; c < n && team.KeyAt(c) == masked && team.PosAt(c) < best; ++c) {
                    const std::size_t pos = team.PosAt(c);
                    if (deleted[pos] == 0 && Ops::Get(keys[pos], k) != mine) {
                        best = pos;
                        bestTeam = k;
                        break;
                    }
                }
            }
            if (bestTeam < 0) {
                break;
            }
            // The full walk reports after every comparison: once before this absorption when an
            // unjoined column came first, then with the new count.
            if (first && best != next) {
                reporter.Report(pass, done, alive);
            }
            first = false;
            const unsigned joined = Ops::Get(h, bestTeam) | Ops::Get(keys[best], bestTeam);
            h = Ops::Set(h, bestTeam, joined);
            cols[hi][bestTeam] = static_cast<SignSet>(joined);
            deleted[best] = 1;
            --alive;
            changed = true;
            at = best;
            while (deleted[last] != 0) {
                --last;
            }
            // h's key for every other team changed: find where the new keys' columns start.
            for (int k = 0; k < kTeams; ++k) {
                if (k == bestTeam) {
                    continue;
                }
                cursor[k] = index.Seek(k, Ops::Clear(h, k), at + 1);
            }
            reporter.Report(pass, done, alive);
        }
        if (first) {
            reporter.Report(pass, done, alive);
        }
        keys[hi] = h;
        if (cancel != nullptr && cancel->Peek()) {
            cancelled = true;
            break;
        }
        ++done;
        reporter.Report(pass, done, alive);
    }

    std::size_t w = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (deleted[i] == 0) {
            cols[w++] = cols[i];
        }
    }
    n = w;
    if (cancelled) {
        return TPassResult::Cancelled;
    }
    return changed ? TPassResult::Changed : TPassResult::Unchanged;
}

// One pass over cols[0..n): joins in place, compacts, and returns the new count in n.
template <class Key, int Bits>
TPassResult MergePassLean(Colonna* cols, std::size_t& n, int pass, TMergeReporter& reporter,
                          CancelProbe* cancel) {
    using Ops = TKeyOps<Key, Bits>;
    std::vector<Key> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = Ops::Pack(cols[i]);
    }
    // orig: the keys as the pass found them (keys[] takes each column's joined key after its walk);
    // index[k]: the positions sorted by (original key without team k, position). Only positions are
    // kept (four bytes each), so that twelve indexes of millions of columns stay within a few times
    // the columns' own size; entries are sorted through one temporary array at a time.
    const std::vector<Key> orig = keys;
    std::vector<std::vector<std::uint32_t>> index(kTeams);
    {
        std::vector<TEntry<Key>> sorted(n);
        std::vector<TEntry<Key>> scratch;
        for (int k = 0; k < kTeams; ++k) {
            for (std::size_t i = 0; i < n; ++i) {
                sorted[i] = {Ops::Clear(orig[i], k), static_cast<std::uint32_t>(i)};
            }
            SortEntries(sorted, scratch);
            auto& idx = index[static_cast<std::size_t>(k)];
            idx.resize(n);
            for (std::size_t m = 0; m < n; ++m) {
                idx[m] = sorted[m].pos;
            }
        }
    }
    // Only positions are kept: an entry's key is read from orig.
    struct TLeanIndex {
        const std::vector<Key>& orig;
        const std::vector<std::vector<std::uint32_t>>& index;
        struct TTeam {
            const Key* orig;
            const std::uint32_t* pos;
            int k;
            Key KeyAt(std::size_t c) const { return Ops::Clear(orig[pos[c]], k); }
            std::size_t PosAt(std::size_t c) const { return pos[c]; }
        };
        TTeam Team(int k) const { return {orig.data(), index[static_cast<std::size_t>(k)].data(), k}; }
        std::size_t Seek(int k, Key masked, std::size_t pos) const {
            std::size_t lo = 0;
            std::size_t hi = index[static_cast<std::size_t>(k)].size();
            while (lo < hi) {
                const std::size_t mid = lo + (hi - lo) / 2;
                const Key mk = Team(k).KeyAt(mid);
                if (mk < masked || (mk == masked && Team(k).PosAt(mid) < pos)) {
                    lo = mid + 1;
                } else {
                    hi = mid;
                }
            }
            return lo;
        }
        std::size_t Start(int k, std::size_t hi) const { return Seek(k, Ops::Clear(orig[hi], k), hi + 1); }
    };
    std::vector<std::uint8_t> deleted;
    return Walk<Key, Bits>(cols, n, pass, reporter, cancel, keys, deleted, TLeanIndex{orig, index});
}

// The tables of a pass, kept for the next passes of the same run: a pass never has more columns
// than the one before, so they are allocated (and their pages first touched) once.
template <class Key> struct TMergeTables {
    std::vector<Key> keys;
    std::vector<std::vector<TEntry<Key>>> index = std::vector<std::vector<TEntry<Key>>>(kTeams);
    std::vector<std::vector<std::uint32_t>> rank = std::vector<std::vector<std::uint32_t>>(kTeams);
    std::vector<TEntry<Key>> scratch;
    std::vector<std::uint8_t> deleted;
};

// One pass with the tables of the fast merge.
template <class Key, int Bits>
TPassResult MergePassFast(Colonna* cols, std::size_t& n, int pass, TMergeReporter& reporter,
                          CancelProbe* cancel, TMergeTables<Key>& tables) {
    using Ops = TKeyOps<Key, Bits>;
    auto& keys = tables.keys;
    keys.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = Ops::Pack(cols[i]);
    }
    // index[k]: the columns sorted by (key without team k, position); rank[k][i]: where column i
    // stands in index[k].
    auto& index = tables.index;
    auto& rank = tables.rank;
    for (int k = 0; k < kTeams; ++k) {
        auto& idx = index[static_cast<std::size_t>(k)];
        idx.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            idx[i] = {Ops::Clear(keys[i], k), static_cast<std::uint32_t>(i)};
        }
        SortEntries(idx, tables.scratch);
        auto& rk = rank[static_cast<std::size_t>(k)];
        rk.resize(n);
        for (std::size_t m = 0; m < n; ++m) {
            rk[idx[m].pos] = static_cast<std::uint32_t>(m);
        }
    }
    // Full entries, and each column's place in every index.
    struct TFastIndex {
        const std::vector<std::vector<TEntry<Key>>>& index;
        const std::vector<std::vector<std::uint32_t>>& rank;
        struct TTeam {
            const TEntry<Key>* entries;
            Key KeyAt(std::size_t c) const { return entries[c].key; }
            std::size_t PosAt(std::size_t c) const { return entries[c].pos; }
        };
        TTeam Team(int k) const { return {index[static_cast<std::size_t>(k)].data()}; }
        std::size_t Seek(int k, Key masked, std::size_t pos) const {
            const auto& idx = index[static_cast<std::size_t>(k)];
            return static_cast<std::size_t>(
                std::lower_bound(idx.begin(), idx.end(),
                                 TEntry<Key>{masked, static_cast<std::uint32_t>(pos)}) -
                idx.begin());
        }
        std::size_t Start(int k, std::size_t hi) const { return rank[static_cast<std::size_t>(k)][hi] + 1; }
    };
    return Walk<Key, Bits>(cols, n, pass, reporter, cancel, keys, tables.deleted, TFastIndex{index, rank});
}

bool AllNarrow(const Colonna* cols, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        for (int t = 0; t < kTeams; ++t) {
            if (cols[i][t] > 15) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

double Merge(TListaColonne& list, bool enabled, TProgressSink* progress, CancelProbe* cancel) {
    return Merge(list, enabled, progress, cancel, kFastMergeColumns);
}

double Merge(TListaColonne& list, bool enabled, TProgressSink* progress, CancelProbe* cancel,
             std::size_t fastColumns) {
    if (!enabled) {
        return 1.0;
    }
    const std::size_t n0 = list.Size();
    std::size_t size = n0;
    if (progress != nullptr) {
        progress->Begin("Accorpamento In Corso..");
    }
    TMergeReporter reporter(progress);
    TMergeTables<std::uint64_t> narrow;
    TMergeTables<TWideKey> wide;
    int pass = 1;
    bool changed = true;
    while (size > 1 && changed) {
        if (progress != nullptr) {
            progress->SetCaption("Accorpamento in Corso");
        }
        reporter.Report(pass, 0.0);
        // Up to fastColumns the pass keeps full index entries and ranks; larger lists take the lean
        // pass, which keeps four-byte positions.
        const bool narrowKeys = AllNarrow(list.begin(), size);
        TPassResult r = TPassResult::Unchanged;
        if (size <= fastColumns) {
            r = narrowKeys
                    ? MergePassFast<std::uint64_t, 4>(list.begin(), size, pass, reporter, cancel, narrow)
                    : MergePassFast<TWideKey, 8>(list.begin(), size, pass, reporter, cancel, wide);
        } else {
            r = narrowKeys ? MergePassLean<std::uint64_t, 4>(list.begin(), size, pass, reporter, cancel)
                           : MergePassLean<TWideKey, 8>(list.begin(), size, pass, reporter, cancel);
        }
        list.Truncate(size);
        if (r == TPassResult::Cancelled) {
            if (progress != nullptr) {
                progress->End();
            }
            return -1.0;
        }
        changed = r == TPassResult::Changed;
        reporter.Report(pass, 100.0);
        ++pass;
    }
    if (progress != nullptr) {
        progress->End();
    }
    return size == 0 ? 1.0 : static_cast<double>(n0) / static_cast<double>(size);
}

} // namespace tessaline
