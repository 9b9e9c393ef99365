#include "reduce/guarantee_count.h"

#include <algorithm>
#include <system_error>

#include "reduce/guarantee.h"
#include "reduce/guarantee_index.h"

namespace tessaline {

namespace {
inline std::size_t PatternSlot(std::int32_t n4, std::int32_t n5, std::int32_t n6, std::size_t mask) {
    const auto h = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(n6)) * 0x9E3779B97F4A7C15ull) ^
                   (static_cast<std::uint64_t>(static_cast<std::uint32_t>(n5)) * 0xC2B2AE3D27D4EB4Full) ^
                   (static_cast<std::uint64_t>(static_cast<std::uint32_t>(n4)) * 0x165667B19E3779F9ull);
    return static_cast<std::size_t>(h ^ (h >> 29)) & mask;
}
} // namespace

void TPatternCounts::Add(std::int32_t n4, std::int32_t n5, std::int32_t n6, std::int64_t times) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = PatternSlot(n4, n5, n6, mask);; i = (i + 1) & mask) {
        TEntry& e = slots_[i];
        if (e.count == 0) {
            e = TEntry{n4, n5, n6, times};
            if (++used_ * 2 > slots_.size()) {
                Grow();
            }
            return;
        }
        if (e.n4 == n4 && e.n5 == n5 && e.n6 == n6) {
            e.count += times;
            return;
        }
    }
}

void TPatternCounts::Grow() {
    std::vector<TEntry> old(slots_.size() * 2);
    old.swap(slots_);
    used_ = 0;
    for (const TEntry& e : old) {
        if (e.count != 0) {
            Add(e.n4, e.n5, e.n6, e.count);
        }
    }
}

void TPatternCounts::AddAll(const TPatternCounts& other) {
    for (const TEntry& e : other.slots_) {
        if (e.count != 0) {
            Add(e.n4, e.n5, e.n6, e.count);
        }
    }
}

void TPatternCounts::RecordInto(TRisultatiGaranzie& results, int mode) const {
    for (const TEntry& e : slots_) {
        if (e.count != 0) {
            results.Registra(mode, e.n4, e.n5, e.n6, e.count);
        }
    }
}

bool TWinCounter::Count(const Colonna& w) {
    std::int32_t count[7] = {};
    if (index_ == nullptr || !index_->Count(w, count[4], count[5], count[6])) {
        std::size_t i = 0;
        for (const Colonna& c : examined_) {
            ++count[6 - WrongMatches(c, w)];
            if ((++i & 1023) == 0 && stop_.load(std::memory_order_relaxed)) {
                return false;
            }
        }
    }
    if (count[4] != 0 || count[5] != 0 || count[6] != 0) {
        patterns.Add(count[4], count[5], count[6]);
    }
    return true;
}

TWinPipeline::TWinPipeline(int threads, std::size_t chunkColumns, std::span<const Colonna> examined,
                           const TGuaranteeIndex* index)
    : chunkColumns_(std::max<std::size_t>(chunkColumns, 1)) {
    threads = std::max(threads, 1);
    for (int i = 0; i < threads; ++i) {
        counters_.push_back(std::make_unique<TWinCounter>(examined, index, stop_));
    }
    for (int i = 0; i < 2 * threads + 2; ++i) {
        storage_.push_back(std::make_unique<TChunk>());
        storage_.back()->columns.reserve(chunkColumns_);
        free_.push_back(storage_.back().get());
    }
    current_ = free_.back();
    free_.pop_back();
    try {
        for (int i = 1; i < threads; ++i) {
            TWinCounter* counter = counters_[static_cast<std::size_t>(i)].get();
            workers_.emplace_back([this, counter] { Work(*counter); });
        }
    } catch (const std::system_error&) {
        // No thread to be had: the ones started (or the pushing thread alone) count everything.
    }
}

TWinPipeline::~TWinPipeline() {
    Stop();
    EndWorkers();
}

void TWinPipeline::EndWorkers() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    readyOrDone_.notify_all();
    for (std::thread& t : workers_) {
        if (t.joinable()) {
            t.join();
        }
    }
    workers_.clear();
}

void TWinPipeline::CountChunk(TWinCounter& counter, TChunk* chunk) {
    for (const Colonna& w : chunk->columns) {
        if (stop_.load(std::memory_order_relaxed) || !counter.Count(w)) {
            break;
        }
    }
    chunk->columns.clear();
}

void TWinPipeline::Work(TWinCounter& counter) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        readyOrDone_.wait(lock, [this] { return done_ || !ready_.empty(); });
        if (ready_.empty()) {
            return;
        }
        TChunk* chunk = ready_.front();
        ready_.pop_front();
        lock.unlock();
        CountChunk(counter, chunk);
        lock.lock();
        free_.push_back(chunk);
        freed_.notify_one();
    }
}

void TWinPipeline::Push(const Colonna& w) {
    current_->columns.push_back(w);
    if (current_->columns.size() >= chunkColumns_) {
        Submit();
    }
}

void TWinPipeline::Submit() {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.push_back(current_);
    current_ = nullptr;
    readyOrDone_.notify_one();
    while (free_.empty()) {
        if (ready_.empty()) {
            freed_.wait(lock);
            continue;
        }
        TChunk* chunk = ready_.front();
        ready_.pop_front();
        lock.unlock();
        CountChunk(*counters_[0], chunk);
        lock.lock();
        free_.push_back(chunk);
    }
    current_ = free_.back();
    free_.pop_back();
}

TPatternCounts TWinPipeline::Finish() {
    if (current_ != nullptr) {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.push_back(current_);
        current_ = nullptr;
        readyOrDone_.notify_one();
        while (!ready_.empty()) {
            TChunk* chunk = ready_.front();
            ready_.pop_front();
            lock.unlock();
            CountChunk(*counters_[0], chunk);
            lock.lock();
            free_.push_back(chunk);
        }
    }
    EndWorkers();
    TPatternCounts sum;
    for (const auto& c : counters_) {
        sum.AddAll(c->patterns);
    }
    return sum;
}

} // namespace tessaline
