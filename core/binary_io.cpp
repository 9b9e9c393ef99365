#include "core/binary_io.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/codepage.h"

namespace tessaline {

void TByteWriter::F64(double v) {
    U64(std::bit_cast<std::uint64_t>(v));
}

void TByteWriter::Bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    buf_.insert(buf_.end(), p, p + n);
}

void TByteWriter::PString(std::string_view utf8, std::size_t width) {
    std::string bytes = Utf8ToCp1252(utf8);
    const std::size_t maxChars = std::min<std::size_t>(width - 1, 255);
    if (bytes.size() > maxChars) {
        bytes.resize(maxChars);
    }
    U8(static_cast<std::uint8_t>(bytes.size()));
    Bytes(bytes.data(), bytes.size());
    Zeros(width - 1 - bytes.size());
}

bool TByteReader::Le(std::uint64_t& v, int n) {
    if (Remaining() < static_cast<std::size_t>(n)) {
        pos_ = data_.size();
        return false;
    }
    v = 0;
    for (int i = 0; i < n; ++i) {
        v |= static_cast<std::uint64_t>(data_[pos_ + static_cast<std::size_t>(i)]) << (8 * i);
    }
    pos_ += static_cast<std::size_t>(n);
    return true;
}

bool TByteReader::U8(std::uint8_t& v) {
    std::uint64_t t = 0;
    if (!Le(t, 1)) {
        return false;
    }
    v = static_cast<std::uint8_t>(t);
    return true;
}

bool TByteReader::I8(std::int8_t& v) {
    std::uint8_t t = 0;
    if (!U8(t)) {
        return false;
    }
    v = static_cast<std::int8_t>(t);
    return true;
}

bool TByteReader::U16(std::uint16_t& v) {
    std::uint64_t t = 0;
    if (!Le(t, 2)) {
        return false;
    }
    v = static_cast<std::uint16_t>(t);
    return true;
}

bool TByteReader::I16(std::int16_t& v) {
    std::uint16_t t = 0;
    if (!U16(t)) {
        return false;
    }
    v = static_cast<std::int16_t>(t);
    return true;
}

bool TByteReader::U32(std::uint32_t& v) {
    std::uint64_t t = 0;
    if (!Le(t, 4)) {
        return false;
    }
    v = static_cast<std::uint32_t>(t);
    return true;
}

bool TByteReader::I32(std::int32_t& v) {
    std::uint32_t t = 0;
    if (!U32(t)) {
        return false;
    }
    v = static_cast<std::int32_t>(t);
    return true;
}

bool TByteReader::U64(std::uint64_t& v) {
    return Le(v, 8);
}

bool TByteReader::F64(double& v) {
    std::uint64_t t = 0;
    if (!Le(t, 8)) {
        return false;
    }
    v = std::bit_cast<double>(t);
    return true;
}

bool TByteReader::Bytes(void* out, std::size_t n) {
    if (Remaining() < n) {
        pos_ = data_.size();
        return false;
    }
    std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(pos_), n, static_cast<std::uint8_t*>(out));
    pos_ += n;
    return true;
}

bool TByteReader::Skip(std::size_t n) {
    if (Remaining() < n) {
        pos_ = data_.size();
        return false;
    }
    pos_ += n;
    return true;
}

bool TByteReader::PString(std::string& utf8, std::size_t width) {
    if (Remaining() < width || width == 0) {
        pos_ = data_.size();
        return false;
    }
    const std::size_t len = std::min<std::size_t>(data_[pos_], width - 1);
    const auto* p = reinterpret_cast<const char*>(data_.data() + pos_ + 1);
    utf8 = Cp1252ToUtf8(std::string_view(p, len));
    pos_ += width;
    return true;
}

namespace {

// A six-byte real's exponent byte (0 for the value 0) and 39-bit fraction.
struct TReal48 {
    int e = 0;
    std::uint64_t f = 0;
};

constexpr double kDueAlla39 = 549755813888.0;

TReal48 Scomponi(double x) {
    if (x == 0 || !std::isfinite(x)) {
        return {};
    }
    int k = 0;
    const double m = std::frexp(std::fabs(x), &k); // |x| = m 2^k, 0.5 <= m < 1
    TReal48 r{k + 128, static_cast<std::uint64_t>(std::llround((2 * m - 1) * kDueAlla39))};
    if (r.f >= (std::uint64_t{1} << 39)) {
        r.f = 0;
        ++r.e;
    }
    if (r.e > 255) {
        r.e = 255;
        r.f = (std::uint64_t{1} << 39) - 1;
    }
    return r.e >= 1 ? r : TReal48{};
}

double Componi(TReal48 r, bool negative) {
    if (r.e == 0) {
        return 0;
    }
    const double v = std::ldexp(1.0 + static_cast<double>(r.f) / kDueAlla39, r.e - 129);
    return negative ? -v : v;
}

} // namespace

void ScriviReal48(TByteWriter& w, double x) {
    std::uint8_t b[6] = {};
    const TReal48 r = Scomponi(x);
    if (r.e != 0) {
        b[0] = static_cast<std::uint8_t>(r.e);
        for (int i = 0; i < 5; ++i) {
            b[1 + i] = static_cast<std::uint8_t>(r.f >> (8 * i));
        }
        if (x < 0) {
            b[5] |= 0x80;
        }
    }
    w.Bytes(b, 6);
}

bool LeggiReal48(TByteReader& r, double& x) {
    std::uint8_t b[6];
    if (!r.Bytes(b, 6)) {
        return false;
    }
    std::uint64_t f = 0;
    for (int i = 0; i < 5; ++i) {
        f |= static_cast<std::uint64_t>(b[1 + i]) << (8 * i);
    }
    const bool negative = (f >> 39) & 1;
    x = Componi({b[0], f & ((std::uint64_t{1} << 39) - 1)}, negative);
    return true;
}

double ArrotondaReal48(double x) {
    // Doubles whose exponent fits well inside the six-byte range: drop the 13 low fraction bits,
    // rounding half away from zero (a carry moves into the exponent as it should).
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased >= 895 && biased <= 1148) {
        constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
        std::uint64_t mag = bits & ~kSign;
        mag = (mag + (std::uint64_t{1} << 12)) & ~((std::uint64_t{1} << 13) - 1);
        return std::bit_cast<double>(mag | (bits & kSign));
    }
    return Componi(Scomponi(x), x < 0);
}

} // namespace tessaline
