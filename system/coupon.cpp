#include "system/coupon.h"

#include <cstdio>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/errors.h"
#include "core/paths.h"
#include "system/sistema.h"

namespace tessaline {

std::string TagliaNomeSquadra(const std::string& name) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if ((b & 0xC0) != 0x80) {
            if (chars == kTeamNameChars) {
                return name.substr(0, i);
            }
            ++chars;
        }
    }
    return name;
}

std::vector<std::uint8_t> ScriviSchedina(const TSchedina& s) {
    TByteWriter w;
    w.I32(s.ContestNumber);
    for (const std::string& name : s.teamNames) {
        w.PString(name, kTeamNameWidth);
    }
    return w.Data();
}

bool LeggiSchedina(std::span<const std::uint8_t> bytes, TSchedina& s) {
    TByteReader r(bytes);
    TSchedina read;
    if (!r.I32(read.ContestNumber)) {
        return false;
    }
    for (std::string& name : read.teamNames) {
        if (!r.PString(name, kTeamNameWidth)) {
            return false;
        }
    }
    s = read;
    return true;
}

bool SalvaFileSchedina(const std::filesystem::path& path, const TSchedina& s) {
    return SaveFileAtomic(path, ScriviSchedina(s));
}

bool CaricaFileSchedina(const std::filesystem::path& path, TSchedina& s) {
    // Only the first 160 bytes count.
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    std::array<std::uint8_t, kCouponFileSize> bytes{};
    const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    return !readError && LeggiSchedina(std::span<const std::uint8_t>(bytes.data(), n), s);
}

void SalvaSchedina(const T_Sistema& sys, const std::filesystem::path& path) {
    TSchedina s;
    s.ContestNumber = sys.dati.ContestNumber;
    s.teamNames = sys.dati.teamNames;
    if (!SalvaFileSchedina(path, s)) {
        throw EInOutError(msg::kImpossibileSalvareSchedina);
    }
}

void CaricaSchedina(T_Sistema& sys, const std::filesystem::path& path) {
    TSchedina s;
    if (!CaricaFileSchedina(path, s)) {
        throw EInOutError(msg::kImpossibileCaricareSchedina);
    }
    sys.dati.ContestNumber = s.ContestNumber;
    sys.dati.teamNames = s.teamNames;
    sys.modified = true;
}

std::filesystem::path CartellaSchedine() {
    return FolderPath(TFolder::Schedine);
}

std::filesystem::path UltimaSchedina() {
    return CartellaSchedine() / "ultimasch.Xsc";
}

} // namespace tessaline
