#include "core/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace tessaline {

namespace {
std::atomic<unsigned> gTempCounter{0};
}

TAtomicFile::TAtomicFile(fs::path target) : target_(std::move(target)) {
    const std::string base = target_.filename().string();
    for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
        temp_ = target_.parent_path() /
                ("." + base + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(gTempCounter++));
        file_ = std::fopen(temp_.c_str(), "wbx");
        if (file_ == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (file_ == nullptr) {
        failed_ = true;
        return;
    }
    sink_ = std::make_unique<TFileSink>(file_);
    if (const auto limit = TScopedWriteFault::Current()) {
        inner_ = std::move(sink_);
        sink_ = std::make_unique<TFailAfterSink>(*inner_, *limit);
    }
}

TAtomicFile::~TAtomicFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!committed_ && !temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
    }
}

bool TAtomicFile::Write(const void* data, std::size_t n) {
    if (failed_ || file_ == nullptr) {
        return false;
    }
    if (!sink_->Write(data, n)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool TAtomicFile::Commit() {
    if (failed_ || file_ == nullptr) {
        return false;
    }
    const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        failed_ = true;
        return false;
    }
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) {
        failed_ = true;
        return false;
    }
    committed_ = true;
    return true;
}

bool SaveFileAtomic(const fs::path& target, std::span<const std::uint8_t> bytes) {
    TAtomicFile f(target);
    return f.IsOpen() && f.Write(bytes.data(), bytes.size()) && f.Commit();
}

bool ReadWholeFile(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> buf;
    std::uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
        if (buf.size() + n > maxBytes) {
            ok = false;
            break;
        }
        buf.insert(buf.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            ok = std::ferror(f) == 0;
            break;
        }
    }
    std::fclose(f);
    if (ok) {
        out.swap(buf);
    }
    return ok;
}

} // namespace tessaline
