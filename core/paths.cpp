#include "core/paths.h"

#include <algorithm>
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

fs::path GeneratedDataDir() {
#ifdef TESSALINE_DATA_GENERATED_DIR
    std::error_code ec;
    const fs::path generated(TESSALINE_DATA_GENERATED_DIR);
    for (fs::path d = ExecutableDir(); !d.empty(); d = d.parent_path()) {
        if (fs::exists(d / "CMakeCache.txt", ec)) {
            return fs::is_directory(generated, ec) ? generated : fs::path();
        }
        if (d == d.parent_path()) {
            break;
        }
    }
#endif
    return {};
}

namespace {

// Copies every file of source that the data folder lacks.
void SeedFrom(const fs::path& source, const fs::path& dir) {
    std::error_code ec;
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
}

} // namespace

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
    for (const fs::path& source : {InstalledDataDir(), GeneratedDataDir()}) {
        if (!source.empty()) {
            SeedFrom(source, dir);
        }
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

namespace {

bool HasDrive(const std::string& text) {
    return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

bool HasParentStep(const std::string& text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = std::min(text.find('/', start), text.size());
        if (text.compare(start, slash - start, "..") == 0 && slash - start == 2) {
            return true;
        }
        start = slash + 1;
    }
    return false;
}

// The last part after any folder separator, drive colon included; "." and ".." name no file.
std::string StoredFileName(const std::string& text) {
    const std::size_t cut = text.find_last_of("\\/:");
    std::string name = text.substr(cut == std::string::npos ? 0 : cut + 1);
    if (name == "." || name == "..") {
        name.clear();
    }
    return name;
}

// The path with symbolic links followed as far as it exists, the rest taken as written.
fs::path RealPath(const fs::path& p, std::error_code& ec) {
    const fs::path absolute = fs::absolute(p, ec);
    if (ec) {
        return {};
    }
    fs::path real = fs::weakly_canonical(absolute, ec).lexically_normal();
    if (!real.has_filename() && real.has_relative_path()) {
        real = real.parent_path();
    }
    return real;
}

} // namespace

bool InsideProgramDir(const fs::path& path) {
    std::error_code ec;
    const fs::path root = RealPath(ProgramDir(), ec);
    if (ec) {
        return false;
    }
    const fs::path real = RealPath(path, ec);
    if (ec) {
        return false;
    }
    auto r = root.begin();
    auto p = real.begin();
    for (; r != root.end(); ++r, ++p) {
        if (p == real.end() || *r != *p) {
            return false;
        }
    }
    return true;
}

fs::path ResolveStoredPath(const std::string& stored, TFolder folder) {
    // A NUL ends the name as the operating system would read it; the rest is not trusted either.
    const std::size_t nul = stored.find('\0');
    const std::string text = stored.substr(0, nul);
    const bool suspicious = nul != std::string::npos || text.find('\\') != std::string::npos ||
                            HasDrive(text) || HasParentStep(text);
    if (!suspicious) {
        const fs::path p(text);
        if (!p.is_absolute() && !p.has_parent_path()) {
            return FolderPath(folder) / p;
        }
        const fs::path candidate = p.is_absolute() ? p : ProgramDir() / p;
        if (InsideProgramDir(candidate)) {
            return candidate;
        }
    }
    return FolderPath(folder) / StoredFileName(text);
}

} // namespace tessaline
