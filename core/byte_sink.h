#pragma once
// Where the bytes of a save go. A file sink writes to an open file; a sink that fails after a given
// number of bytes stands in for a full disk or a broken medium, so that every saver's failure path
// can be exercised without special permissions.

#include <cstddef>
#include <cstdio>
#include <optional>

namespace tessaline {

class TByteSink {
public:
    virtual ~TByteSink() = default;
    // Appends n bytes; false when not all of them were taken.
    virtual bool Write(const void* data, std::size_t n) = 0;
};

class TFileSink final : public TByteSink {
public:
    explicit TFileSink(std::FILE* f) : file_(f) {}
    bool Write(const void* data, std::size_t n) override;

private:
    std::FILE* file_;
};

// Passes the first `limit` bytes to the inner sink, then fails every write.
class TFailAfterSink final : public TByteSink {
public:
    TFailAfterSink(TByteSink& inner, std::size_t limit) : inner_(inner), left_(limit) {}
    bool Write(const void* data, std::size_t n) override;

private:
    TByteSink& inner_;
    std::size_t left_;
};

// While an instance lives, every atomic save started on this thread writes through a
// TFailAfterSink of `limit` bytes: the save fails once that many bytes have gone out.
class TScopedWriteFault {
public:
    explicit TScopedWriteFault(std::size_t limit);
    ~TScopedWriteFault();
    TScopedWriteFault(const TScopedWriteFault&) = delete;
    TScopedWriteFault& operator=(const TScopedWriteFault&) = delete;

    static std::optional<std::size_t> Current();

private:
    std::optional<std::size_t> previous_;
};

} // namespace tessaline
