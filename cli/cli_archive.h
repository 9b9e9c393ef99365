#pragma once
// The archive options shared by the commands that read the contest archive: --archive A.tts, and
// the range --from YYYY/N, --to YYYY/N, --kinds calcio|basket|calcio,basket.

#include <filesystem>
#include <optional>
#include <string>

#include "archive/contest_archive.h"
#include "cli/cli.h"

namespace tessaline::cli {

// --archive A.tts (relative to the current directory), else the data folder's archive.
std::filesystem::path ArchivePath(const std::optional<std::string>& archive);

// Loads an archive as the program does at start-up, a truncated tail dropped silently; raises
// "Impossibile Caricare L'Archivio." when it cannot be loaded. range (when given) becomes the whole
// archive.
T_Archivio LoadArchive(const std::filesystem::path& file, T_IntervalloConcorsi* range = nullptr);

// An archive and the contests the options admit (Filtra always set).
struct TArchiveRange {
    T_Archivio archivio;
    T_IntervalloConcorsi range;
};

// Takes --archive, --from, --to and --kinds out of args and loads the archive. Defaults: the first
// and the last contest of the archive, kind "calcio". A malformed option is a usage error.
TArchiveRange TakeArchiveRange(TArgs& args);

} // namespace tessaline::cli
