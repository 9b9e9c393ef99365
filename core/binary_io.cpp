#include "core/binary_io.h"

#include <algorithm>
#include <bit>

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

} // namespace tessaline
