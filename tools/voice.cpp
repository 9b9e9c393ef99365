#include "tools/voice.h"

#include <algorithm>
#include <cstring>

#include "core/atomic_file.h"
#include "core/paths.h"

namespace tessaline {

std::string ParoleSegno(std::uint8_t a) {
    static constexpr const char* kWords[4] = {"zero", "uno", "due", "emme"};
    if (a == 0 || a > 15) {
        return {};
    }
    std::string out;
    for (int b = 0; b < 4; ++b) {
        if ((a >> b) & 1) {
            if (!out.empty()) {
                out += ' ';
            }
            out += kWords[b];
        }
    }
    return out;
}

std::pair<std::size_t, std::size_t> TSuonoPcm::Byte(std::int64_t daMs, std::int64_t aMs) const {
    const std::size_t frame = static_cast<std::size_t>(std::max(1, BytePerFrame()));
    auto at = [&](std::int64_t ms) {
        if (ms <= 0) {
            return std::size_t{0};
        }
        const std::size_t frames = static_cast<std::size_t>(ms) * static_cast<std::size_t>(frequenza) / 1000;
        return std::min(frames * frame, dati.size() / frame * frame);
    };
    const std::size_t from = at(daMs);
    return {from, std::max(from, at(aMs))};
}

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace

std::optional<TSuonoPcm> CaricaWave(const std::filesystem::path& file) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(file, bytes, std::size_t{64} << 20) || bytes.size() < 12 ||
        std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    TSuonoPcm s;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::uint8_t* h = bytes.data() + pos;
        const std::size_t size = U32(h + 4);
        if (size > bytes.size() - pos - 8) {
            return std::nullopt;
        }
        const std::uint8_t* body = h + 8;
        if (std::memcmp(h, "fmt ", 4) == 0) {
            if (size < 16 || U16(body) != 1) {
                return std::nullopt; // not plain PCM
            }
            s.canali = U16(body + 2);
            s.frequenza = static_cast<int>(U32(body + 4));
            s.bitPerCampione = U16(body + 14);
            haveFormat = true;
        } else if (std::memcmp(h, "data", 4) == 0) {
            s.dati.assign(body, body + size);
            haveData = true;
        }
        pos += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData || s.canali < 1 || s.canali > 8 || s.frequenza < 1000 ||
        s.frequenza > 384000 || (s.bitPerCampione != 8 && s.bitPerCampione != 16)) {
        return std::nullopt;
    }
    return s;
}

std::filesystem::path FileVocale() {
    return FolderPath(TFolder::Wav) / "vocal.Wav";
}

} // namespace tessaline
