#pragma once
// The voice file of the dictation ("WAV/vocal.Wav"): one spoken sign per second of audio, ordered by
// the sign byte value, and the reading of its sound data.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessaline {

// The words spoken for sign byte value a (1 to 15): a single sign is read "zero", "uno", "due",
// "emme"; a byte of several signs reads its signs in the order 0, 1, 2, M, separated by blanks.
// Empty for 0 and for values above 15.
std::string ParoleSegno(std::uint8_t a);

// Uncompressed PCM sound: its format and its samples.
struct TSuonoPcm {
    int canali = 0;
    int frequenza = 0;      // samples per second
    int bitPerCampione = 0; // 8 or 16
    std::vector<std::uint8_t> dati;
    int BytePerFrame() const { return canali * bitPerCampione / 8; }
    // The bytes of the stretch from..to milliseconds, cut at whole frames and at the data's end.
    std::pair<std::size_t, std::size_t> Byte(std::int64_t daMs, std::int64_t aMs) const;
};

// Reads a RIFF/WAVE file of 8- or 16-bit PCM; nothing when the file is missing, is not such a file,
// or its chunks run past its end. Files larger than 64 MiB are refused.
std::optional<TSuonoPcm> CaricaWave(const std::filesystem::path& file);

// The voice file in the data folder.
std::filesystem::path FileVocale();

} // namespace tessaline
