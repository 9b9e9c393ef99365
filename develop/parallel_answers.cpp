#include "develop/parallel_answers.h"

#include <system_error>

#include "core/enumerate.h"

namespace tessaline {

namespace {
// Below this many columns a run stays on one thread; chunks per thread for the balance.
constexpr std::int64_t kParallelFrom = 1 << 16;
constexpr std::int64_t kChunksPerThread = 32;
constexpr std::int64_t kChunkMost = 1 << 16;
} // namespace

std::unique_ptr<TParallelAnswers> TParallelAnswers::Start(const Pronostico& forecast, TColumnAcceptor& set,
                                                          int threads) {
    if (threads < 2) {
        return nullptr;
    }
    std::int64_t total = 1;
    for (int t = 0; t < kTeams; ++t) {
        total *= detail::SignsOf(forecast[t]).n;
    }
    if (total < kParallelFrom) {
        return nullptr;
    }
    // The leading teams whose sign combinations make enough chunks, each small enough that the
    // run's thread, when it counts one itself or waits for one, is soon back to its probe; the rest
    // of the teams are each chunk's.
    int leading = 0;
    std::int64_t chunks = 1;
    while (leading < kTeams - 1 && (chunks < kChunksPerThread * threads || total / chunks > kChunkMost)) {
        chunks *= detail::SignsOf(forecast[leading]).n;
        ++leading;
    }
    std::vector<std::unique_ptr<TColumnAcceptor>> copies;
    for (int i = 1; i < threads; ++i) {
        auto copy = set.CopyForThread();
        if (!copy) {
            return nullptr;
        }
        copies.push_back(std::move(copy));
    }
    std::unique_ptr<TParallelAnswers> p(new TParallelAnswers(forecast, set, leading, total / chunks));
    p->answers_.resize(static_cast<std::size_t>(chunks));
    p->done_ = std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(chunks));
    p->copies_ = std::move(copies);
    for (auto& copy : p->copies_) {
        TColumnAcceptor* acceptor = copy.get();
        TParallelAnswers* self = p.get();
        try {
            p->workers_.emplace_back([self, acceptor] {
                for (;;) {
                    const std::size_t chunk = self->next_.fetch_add(1);
                    if (chunk >= self->answers_.size() || self->stop_.Peek()) {
                        return;
                    }
                    self->Compute(chunk, *acceptor);
                }
            });
        } catch (const std::system_error&) {
            break; // no more threads to be had: the run's thread computes what is left
        }
    }
    return p;
}

TParallelAnswers::TParallelAnswers(const Pronostico& forecast, TColumnAcceptor& set, int leading,
                                   std::int64_t chunkColumns)
    : forecast_(forecast), set_(set), leading_(leading), chunkColumns_(chunkColumns) {
    for (int t = 0; t < leading_; ++t) {
        const auto list = detail::SignsOf(forecast[t]);
        for (int i = 0; i < list.n; ++i) {
            leadSigns_[t].push_back(list.s[static_cast<std::size_t>(i)]);
        }
    }
}

TParallelAnswers::~TParallelAnswers() {
    Finish(false);
}

void TParallelAnswers::Compute(std::size_t chunk, TColumnAcceptor& acceptor) {
    // The chunk's forecast: the leading teams fixed to the chunk's signs (team 1 most significant).
    Pronostico sub = forecast_;
    std::size_t rest = chunk;
    for (int t = leading_ - 1; t >= 0; --t) {
        const auto& signs = leadSigns_[t];
        sub[t] = signs[rest % signs.size()];
        rest /= signs.size();
    }
    std::vector<std::uint64_t> bits(static_cast<std::size_t>((chunkColumns_ + 63) / 64), 0);
    std::size_t i = 0;
    EnumerateForecast(sub, TEnumMode::Develop, &stop_, [&](const Colonna& c) {
        if (acceptor.Accept(c)) {
            bits[i >> 6] |= std::uint64_t{1} << (i & 63);
        }
        ++i;
    });
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        answers_[chunk] = std::move(bits);
        done_[chunk].store(true, std::memory_order_release);
    }
    finished_.notify_all();
}

void TParallelAnswers::Await(std::size_t chunk) {
    while (!done_[chunk].load(std::memory_order_acquire)) {
        // Help with the next chunk nobody has taken, else wait for the one needed.
        const std::size_t other = next_.fetch_add(1);
        if (other < answers_.size()) {
            Compute(other, set_);
            continue;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [&] { return done_[chunk].load(std::memory_order_acquire); });
    }
}

bool TParallelAnswers::Next() {
    if (position_ < 0 || position_ == chunkColumns_) {
        if (position_ == chunkColumns_) {
            answers_[current_] = {};
            ++current_;
        }
        position_ = 0;
        Await(current_);
    }
    const auto i = static_cast<std::size_t>(position_++);
    return ((answers_[current_][i >> 6] >> (i & 63)) & 1) != 0;
}

void TParallelAnswers::Finish(bool completed) {
    if (!completed) {
        stop_.on.store(true, std::memory_order_relaxed);
    }
    for (std::thread& t : workers_) {
        if (t.joinable()) {
            t.join();
        }
    }
    workers_.clear();
    if (completed) {
        for (const auto& copy : copies_) {
            set_.AddThreadCounts(*copy);
        }
    }
    copies_.clear();
}

} // namespace tessaline
