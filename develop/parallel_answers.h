#pragma once
// The condition set's answers for every column of a forecast's development, computed ahead on
// several threads by ranges of the enumeration (each thread with its own copy of the set) and read
// back one by one in the enumeration's order, so that the run itself stays sequential.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/column.h"
#include "core/condition_hook.h"
#include "core/interfaces.h"

namespace tessaline {

class TParallelAnswers {
public:
    // Null when the run should stay on one thread: fewer than two threads, too few columns, or a
    // set that cannot be copied. set must be prepared and outlive the object.
    static std::unique_ptr<TParallelAnswers> Start(const Pronostico& forecast, TColumnAcceptor& set,
                                                   int threads);
    ~TParallelAnswers();
    TParallelAnswers(const TParallelAnswers&) = delete;
    TParallelAnswers& operator=(const TParallelAnswers&) = delete;

    // The answer for the next column of the enumeration (the first call: its first column).
    bool Next();
    // Ends the threads; after a complete run adds the copies' counts to the set.
    void Finish(bool completed);

private:
    // A stop that every thread sees (Take does not consume it).
    class TStop : public CancelProbe {
    public:
        bool Peek() override { return on.load(std::memory_order_relaxed); }
        bool Take() override { return on.load(std::memory_order_relaxed); }
        std::atomic<bool> on{false};
    };

    TParallelAnswers(const Pronostico& forecast, TColumnAcceptor& set, int leading,
                     std::int64_t chunkColumns);
    void Compute(std::size_t chunk, TColumnAcceptor& acceptor);
    void Await(std::size_t chunk);

    Pronostico forecast_;
    TColumnAcceptor& set_;
    int leading_;               // teams fixed per chunk, from team 1
    std::int64_t chunkColumns_; // columns of every chunk
    std::vector<std::uint8_t> leadSigns_[kTeams];
    std::vector<std::vector<std::uint64_t>> answers_;
    std::unique_ptr<std::atomic<bool>[]> done_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable finished_;
    TStop stop_;
    std::vector<std::unique_ptr<TColumnAcceptor>> copies_;
    std::vector<std::thread> workers_;
    std::size_t current_ = 0;
    std::int64_t position_ = -1; // -1: the first chunk not yet awaited
};

} // namespace tessaline
