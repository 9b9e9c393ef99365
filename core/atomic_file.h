#pragma once
// Saving without ever destroying the previous file: write a temporary file in the same folder,
// close it, then rename it over the old one. The bytes go through a TByteSink (see TScopedWriteFault).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "core/byte_sink.h"

namespace tessaline {

class TAtomicFile {
public:
    explicit TAtomicFile(std::filesystem::path target);
    ~TAtomicFile(); // removes the temporary file unless Commit succeeded
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // False when the temporary file could not be created.
    bool IsOpen() const { return file_ != nullptr; }
    // Appends bytes; false on a short write (and every later Write or Commit fails too).
    bool Write(const void* data, std::size_t n);
    // Flushes, closes and renames over the target; false (temporary removed) on any failure.
    bool Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    std::unique_ptr<TByteSink> sink_;  // the file's sink, or a failing one over it
    std::unique_ptr<TByteSink> inner_; // the file's sink under a failing one
    bool failed_ = false;
    bool committed_ = false;
};

// Writes the whole buffer atomically; false leaves the previous file untouched.
bool SaveFileAtomic(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// Reads a whole file of at most maxBytes into out; false when missing, unreadable or larger.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                   std::size_t maxBytes = std::size_t{1} << 30);

} // namespace tessaline
