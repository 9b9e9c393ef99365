#pragma once
// The program package of the update: its detached Ed25519 signature (libsodium) and the expansion
// of its executable (libarchive, any format and compression it reads).

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "update/update.h"

namespace tessaline {

using TChiavePubblica = std::array<std::uint8_t, 32>;

// The public key the program's packages are signed with.
const TChiavePubblica& ChiaveProgramma();

class TPacchettoFirmato final : public TPacchettoProgramma {
public:
    explicit TPacchettoFirmato(const TChiavePubblica& key = ChiaveProgramma()) : key_(key) {}
    // The signature file must hold exactly 64 bytes; archives above 512 MiB are refused.
    bool VerificaFirma(const std::filesystem::path& archive, const std::filesystem::path& signature) override;
    // Takes the first regular-file entry named entry (a leading "./" ignored), at most 512 MiB.
    bool Estrai(const std::filesystem::path& archive, const std::string& entry,
                const std::filesystem::path& out) override;

private:
    TChiavePubblica key_;
};

// The running executable when the installation is portable (a file "portable" beside it) and both
// its folder and the executable are writable by the user; empty otherwise.
std::filesystem::path ProgrammaSostituibile();

} // namespace tessaline
