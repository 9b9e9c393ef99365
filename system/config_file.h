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

// After the 731 bytes a trailing block of tagged records may follow: a four-letter tag, a 16-bit
// length and that many bytes. Readers skip tags they do not know and ignore bytes past the fields
// they know, so later versions can add records and fields; a file of exactly 731 bytes (or a
// trailing block that does not parse) leaves the settings of the block at their values.
inline constexpr char kImproveTag[5] = "RMIG"; // improved reduction: flag (1 byte), seconds (int32)
inline constexpr std::int32_t kMaxImproveSeconds = 3600;
inline constexpr char kThreadsTag[5] = "THRD"; // the cap on the threads (int32, 1 to kMaxThreads)
inline constexpr std::int32_t kMaxThreads = 1024;

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

// Decodes the configuration bytes into s. False (s untouched) when the data is short or does not
// look like a configuration record (flags other than 0/1, lengths past their field, costs that are
// not numbers from 0 to the dialog's largest, calibration values that are not finite numbers).
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
