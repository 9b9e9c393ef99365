#include "core/paths.h"

#include <cctype>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace tessaline {

const char* FolderName(TFolder folder) {
    switch (folder) {
    case TFolder::Sistemi:
        return "Sistemi";
    case TFolder::Ridotti:
        return "Ridotti";
    case TFolder::Schedine:
        return "Schedine";
    case TFolder::Colonne:
        return "COLONNE";
    case TFolder::Archivi:
        return "ARCHIVI";
    case TFolder::Quadri:
        return "QUADRI";
    case TFolder::Sfondi:
        return "SFONDI";
    case TFolder::Wav:
        return "WAV";
    case TFolder::ArchivioGiocate:
        return "ArchivioGiocate";
    }
    return "";
}

namespace {

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

constexpr TFolder kAllFolders[] = {TFolder::Sistemi, TFolder::Ridotti, TFolder::Schedine,
                                   TFolder::Colonne, TFolder::Archivi, TFolder::Quadri,
                                   TFolder::Sfondi,  TFolder::Wav,     TFolder::ArchivioGiocate};

} // namespace

fs::path ProgramDir() {
    if (const char* home = std::getenv("TESSALINE_HOME"); home != nullptr && *home != '\0') {
        return fs::path(home);
    }
    const fs::path exeDir = ExecutableDir();
    std::error_code ec;
    if (!exeDir.empty() && fs::exists(exeDir / "portable", ec)) {
        return exeDir;
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        return fs::path(xdg) / "Tessaline";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return fs::path(home) / ".local" / "share" / "Tessaline";
    }
    return fs::path(".");
}

fs::path FolderPath(TFolder folder) {
    return ProgramDir() / FolderName(folder);
}

fs::path InstalledDataDir() {
    std::error_code ec;
    const fs::path exeDir = ExecutableDir();
    const fs::path buildData(TESSALINE_DATA_BUILD_DIR);
    for (fs::path d = exeDir; !d.empty(); d = d.parent_path()) {
        if (fs::exists(d / "CMakeCache.txt", ec)) {
            if (fs::is_directory(buildData, ec)) {
                return buildData;
            }
            break;
        }
        if (d == d.parent_path()) {
            break;
        }
    }
    const fs::path installed(TESSALINE_DATA_INSTALL_DIR);
    if (fs::is_directory(installed, ec)) {
        return installed;
    }
    if (fs::is_directory(buildData, ec)) {
        return buildData;
    }
    return {};
}

bool PrepareProgramDir(bool seed) {
    std::error_code ec;
    const fs::path dir = ProgramDir();
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) {
        return false;
    }
    for (TFolder f : kAllFolders) {
        fs::create_directories(dir / FolderName(f), ec);
    }
    if (!seed) {
        return true;
    }
    const fs::path source = InstalledDataDir();
    if (source.empty()) {
        return true;
    }
    for (auto it = fs::recursive_directory_iterator(source, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path rel = fs::relative(it->path(), source, ec);
        if (ec) {
            break;
        }
        const fs::path target = dir / rel;
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (!fs::exists(target, ec)) {
            fs::copy_file(it->path(), target, ec);
        }
        ec.clear();
    }
    return true;
}

fs::path ResolveInFolder(const std::string& name, TFolder folder) {
    const fs::path p(name);
    if (!p.has_parent_path()) {
        return FolderPath(folder) / p;
    }
    return p;
}

fs::path ResolveStoredPath(const std::string& stored, TFolder folder) {
    const bool hasBackslash = stored.find('\\') != std::string::npos;
    const bool hasDrive =
        stored.size() >= 2 && stored[1] == ':' && std::isalpha(static_cast<unsigned char>(stored[0]));
    if (hasBackslash || hasDrive) {
        const std::size_t cut = stored.find_last_of("\\/:");
        return FolderPath(folder) / stored.substr(cut == std::string::npos ? 0 : cut + 1);
    }
    const fs::path p(stored);
    if (!p.has_parent_path()) {
        return FolderPath(folder) / p;
    }
    std::error_code ec;
    if (!fs::is_directory(p.parent_path(), ec)) {
        return FolderPath(folder) / p.filename();
    }
    return p;
}

} // namespace tessaline
