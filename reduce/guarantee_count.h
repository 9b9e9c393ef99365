#pragma once
// The counting side of the guarantee calculation: win patterns tallied per thread, and the winning
// columns handed in chunks to the threads that count them.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "core/column.h"

namespace tessaline {

class TGuaranteeIndex;
class TRisultatiGaranzie;

// How many winning columns gave each pattern (n4, n5, n6). Order does not matter: the patterns
// reach the results in their own order when merged.
class TPatternCounts {
public:
    void Add(std::int32_t n4, std::int32_t n5, std::int32_t n6, std::int64_t times = 1);
    void AddAll(const TPatternCounts& other);
    // Records every pattern in results (mode's list), each with its count as frequency.
    void RecordInto(TRisultatiGaranzie& results, int mode) const;
    std::size_t Size() const { return used_; }

private:
    struct TEntry {
        std::int32_t n4 = 0, n5 = 0, n6 = 0;
        std::int64_t count = 0; // 0: free slot
    };
    void Grow();
    std::vector<TEntry> slots_ = std::vector<TEntry>(64);
    std::size_t used_ = 0;
};

// Counts winning columns against the examined columns: through the index when it serves the
// column, else column by column. stop, when set by another thread, ends a count early.
class TWinCounter {
public:
    TWinCounter(std::span<const Colonna> examined, const TGuaranteeIndex* index,
                const std::atomic<bool>& stop)
        : examined_(examined), index_(index), stop_(stop) {}
    // False when stopped before the column was counted.
    bool Count(const Colonna& w);
    TPatternCounts patterns;

private:
    std::span<const Colonna> examined_;
    const TGuaranteeIndex* index_;
    const std::atomic<bool>& stop_;
};

// Winning columns pushed by one thread (the enumeration's) and counted by `threads` threads: the
// pushing thread and threads - 1 workers. Chunks wait in a short queue; when it is full the pushing
// thread counts the oldest chunk itself, so every core stays busy. Stop ends the counting early.
class TWinPipeline {
public:
    TWinPipeline(int threads, std::size_t chunkColumns, std::span<const Colonna> examined,
                 const TGuaranteeIndex* index);
    ~TWinPipeline();
    TWinPipeline(const TWinPipeline&) = delete;
    TWinPipeline& operator=(const TWinPipeline&) = delete;

    void Push(const Colonna& w);
    // Counts what is left, ends the workers and sums their patterns.
    TPatternCounts Finish();
    void Stop() { stop_.store(true, std::memory_order_relaxed); }

private:
    struct TChunk {
        std::vector<Colonna> columns;
    };
    void Submit();
    void Work(TWinCounter& counter);
    void CountChunk(TWinCounter& counter, TChunk* chunk);
    void EndWorkers();

    std::atomic<bool> stop_{false};
    std::size_t chunkColumns_;
    std::vector<std::unique_ptr<TChunk>> storage_;
    std::vector<std::unique_ptr<TWinCounter>> counters_; // [0] is the pushing thread's
    std::deque<TChunk*> ready_;
    std::vector<TChunk*> free_;
    TChunk* current_ = nullptr;
    std::mutex mutex_;
    std::condition_variable readyOrDone_;
    std::condition_variable freed_;
    bool done_ = false;
    std::vector<std::thread> workers_;
};

} // namespace tessaline
