#include "core/threads.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace tessaline {

namespace {
std::atomic<int> gCap{0};
} // namespace

void SetThreadCap(int cap) {
    gCap.store(std::max(cap, 0), std::memory_order_relaxed);
}

int ThreadCap() {
    return gCap.load(std::memory_order_relaxed);
}

int ThreadsForJob() {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const int cap = ThreadCap();
    return cap > 0 ? std::min(cap, cores) : cores;
}

} // namespace tessaline
