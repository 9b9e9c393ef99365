#pragma once
// The coupon file ("*.Xsc"): the contest number and the twelve team names, nothing else.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline {

class T_Sistema;

inline constexpr std::size_t kCouponFileSize = 160;
inline constexpr std::size_t kTeamNameWidth = 13; // length byte + 12 characters
inline constexpr std::size_t kTeamNameChars = 12;

struct TSchedina {
    std::int32_t ContestNumber = 1;
    std::array<std::string, kTeams> teamNames{}; // UTF-8
    bool operator==(const TSchedina&) const = default;
};

// The first 12 characters of a UTF-8 name (a team name's limit).
std::string TagliaNomeSquadra(const std::string& name);

// The 160 bytes of the file: contest number, then 12 length-prefixed names of 13 bytes.
std::vector<std::uint8_t> ScriviSchedina(const TSchedina& s);
// Reads the first 160 bytes; false (s untouched) when fewer are there.
bool LeggiSchedina(std::span<const std::uint8_t> bytes, TSchedina& s);

// Atomic write of the file; false leaves any previous file as it was.
bool SalvaFileSchedina(const std::filesystem::path& path, const TSchedina& s);
// False when the file cannot be read or is shorter than 160 bytes.
bool CaricaFileSchedina(const std::filesystem::path& path, TSchedina& s);

// "Salva Schedina": the system's contest number and team names. Raises EInOutError
// "Impossibile Salvare la Schedina" on failure.
void SalvaSchedina(const T_Sistema& sys, const std::filesystem::path& path);
// "Carica Schedina": replaces the system's contest number and team names (the forecast is not
// touched) and marks the system modified. Raises "Impossibile Caricare la Schedina"; on failure the
// system is unchanged.
void CaricaSchedina(T_Sistema& sys, const std::filesystem::path& path);

// Where the coupon dialogs start, and the coupon kept between runs ("ultimasch.Xsc").
std::filesystem::path CartellaSchedine();
std::filesystem::path UltimaSchedina();

} // namespace tessaline
