#pragma once
// The configuration file "Tessaline.cfg" in the data folder: the program settings, the coupon
// calibration, the listing settings and the search settings, field by field, no header.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "system/settings.h"

namespace tessaline {

inline constexpr const char* kConfigFileName = "Tessaline.cfg";
inline constexpr const char* kDefaultBackground = "irtex67b.Bmp";
// Size of the whole record: 8+8+1+256+1+1+1+244 + 151 (calibration) + 47 (listing) + 13 (search).
inline constexpr std::size_t kConfigSize = 731;

// The program version as an integer (200) and as shown ("2.0": two decimals, and when the text
// holds "00" its fourth character is dropped).
inline constexpr int kProgramVersion = 200;
std::string VersionText(int version = kProgramVersion);

// Data folder + "SFONDI" + "irtex67b.Bmp".
std::string DefaultBackgroundPath();

// Program settings with every default, the background picture included.
TProgramSettings DefaultSettings();

// The exact bytes of the configuration file for these settings.
std::vector<std::uint8_t> ConfigBytes(const TProgramSettings& s);

// The trailing block after the 731-byte record: tagged records (4-byte tag, 32-bit length, payload).
// Only settings that differ from their defaults are written, so a default configuration stays 731
// bytes; a reader skips tags it does not know and ignores a block that does not parse.
std::vector<std::uint8_t> TrailingBlockBytes(const TProgramSettings& s);
// Fills the settings of the trailing block (defaults first) from the bytes after the record.
void ParseTrailingBlock(std::span<const std::uint8_t> block, TProgramSettings& s);

// Decodes the configuration bytes into s. False (s untouched) when the data is short or does not
// look like a configuration record (flags other than 0/1, lengths past their field, costs or
// calibration values that are not finite numbers).
bool ParseConfig(std::span<const std::uint8_t> data, TProgramSettings& s);

// Reads the file; never reports. When the file is missing, unreadable, short or foreign, s keeps its
// other values and gets the default background path and calibration. Returns whether it was read.
bool ReadConfigFile(const std::filesystem::path& file, TProgramSettings& s);
// Writes the file atomically; false leaves the previous file as it was.
bool WriteConfigFile(const std::filesystem::path& file, const TProgramSettings& s);
// The same on data folder + "Tessaline.cfg"; the writer raises EInOutError
// "Impossibile Salvare La Configurazione" on failure.
void LeggiConfigurazione(TProgramSettings& s);
void SalvaConfigurazione(const TProgramSettings& s);

} // namespace tessaline
