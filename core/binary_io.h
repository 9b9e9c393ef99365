#pragma once
// Little-endian field writer and reader. Fields are written one by one, never as raw structs; the
// reader reports a short read by returning false and never reads past its data.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

class TByteWriter {
public:
    void U8(std::uint8_t v) { buf_.push_back(v); }
    void I8(std::int8_t v) { U8(static_cast<std::uint8_t>(v)); }
    void U16(std::uint16_t v) { Le(v, 2); }
    void I16(std::int16_t v) { Le(static_cast<std::uint16_t>(v), 2); }
    void U32(std::uint32_t v) { Le(v, 4); }
    void I32(std::int32_t v) { Le(static_cast<std::uint32_t>(v), 4); }
    void U64(std::uint64_t v) { Le(v, 8); }
    void F64(double v);
    void Bytes(const void* data, std::size_t n);
    void Zeros(std::size_t n) { buf_.insert(buf_.end(), n, 0); }
    // Length-prefixed string of fixed total width (length byte + width-1 characters, zero padded).
    // The UTF-8 text is converted to Windows-1252 ("?" for what it cannot hold) and cut to fit.
    void PString(std::string_view utf8, std::size_t width);

    const std::vector<std::uint8_t>& Data() const { return buf_; }
    std::vector<std::uint8_t>& Data() { return buf_; }
    std::size_t Size() const { return buf_.size(); }

private:
    void Le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) {
            buf_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    std::vector<std::uint8_t> buf_;
};

class TByteReader {
public:
    explicit TByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    // Each getter returns false on a short read and then leaves the position at the end.
    bool U8(std::uint8_t& v);
    bool I8(std::int8_t& v);
    bool U16(std::uint16_t& v);
    bool I16(std::int16_t& v);
    bool U32(std::uint32_t& v);
    bool I32(std::int32_t& v);
    bool U64(std::uint64_t& v);
    bool F64(double& v);
    bool Bytes(void* out, std::size_t n);
    bool Skip(std::size_t n);
    // Reads a length-prefixed string of the given total width and returns it as UTF-8. A length byte
    // larger than the field is clamped to the field.
    bool PString(std::string& utf8, std::size_t width);

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }
    std::span<const std::uint8_t> Rest() const { return data_.subspan(pos_); }

private:
    bool Le(std::uint64_t& v, int n);
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// Six-byte real: byte 0 exponent e (0: the value 0), bytes 1..5 little-endian fraction with the sign
// in the top bit of byte 5; value (-1)^s (1 + f / 2^39) 2^(e - 129). Values too small become 0, too
// large the largest magnitude.
void ScriviReal48(TByteWriter& w, double x);
bool LeggiReal48(TByteReader& r, double& x);

// The value as a six-byte real holds it (nearest of the 40 significant bits; 0 below the smallest
// magnitude, the largest magnitude above it), exactly as ScriviReal48 and LeggiReal48 give back.
double ArrotondaReal48(double x);

} // namespace tessaline
