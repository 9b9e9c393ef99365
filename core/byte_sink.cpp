#include "core/byte_sink.h"

#include <algorithm>

namespace tessaline {

namespace {
thread_local std::optional<std::size_t> gWriteFault;
}

bool TFileSink::Write(const void* data, std::size_t n) {
    return n == 0 || std::fwrite(data, 1, n, file_) == n;
}

bool TFailAfterSink::Write(const void* data, std::size_t n) {
    const std::size_t taken = std::min(n, left_);
    if (taken > 0 && !inner_.Write(data, taken)) {
        left_ = 0;
        return false;
    }
    left_ -= taken;
    return taken == n;
}

TScopedWriteFault::TScopedWriteFault(std::size_t limit) : previous_(gWriteFault) {
    gWriteFault = limit;
}

TScopedWriteFault::~TScopedWriteFault() {
    gWriteFault = previous_;
}

std::optional<std::size_t> TScopedWriteFault::Current() {
    return gWriteFault;
}

} // namespace tessaline
