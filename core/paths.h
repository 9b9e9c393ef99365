#pragma once
// The data folder ("ProgramDir"), its sub-folders, first-start seeding and where file names go.

#include <filesystem>
#include <string>

namespace tessaline {

enum class TFolder { Sistemi, Ridotti, Schedine, Colonne, Archivi, Quadri, Sfondi, Wav, ArchivioGiocate };

// The sub-folder's name as the program spells it ("Sistemi", "COLONNE", ...).
const char* FolderName(TFolder folder);

// $TESSALINE_HOME when set; else the executable's folder when it holds a file "portable";
// else $XDG_DATA_HOME/Tessaline (default ~/.local/share/Tessaline). Computed on every call.
std::filesystem::path ProgramDir();
// The folder's path inside the program's data folder (it is not created here).
std::filesystem::path FolderPath(TFolder folder);

// Where the installed data lives: the build tree's data/ when the executable runs from a build
// tree, else <prefix>/share/tessaline. Empty when neither exists.
std::filesystem::path InstalledDataDir();

// Creates the data folder and its sub-folders; with seed, copies every installed data file that is
// missing (never overwriting one). Returns false when the folder cannot be created.
bool PrepareProgramDir(bool seed);
// The data made by the build (the voice file) when running from the build tree; empty otherwise.
std::filesystem::path GeneratedDataDir();

// A name without a folder goes into the folder of its kind; any other path is kept as it is.
std::filesystem::path ResolveInFolder(const std::string& name, TFolder folder);

// For paths stored in files that may come from someone else (a system file, the configuration). A
// bare name goes into the folder of its kind; a path with a folder is kept only when it lies inside
// the data folder (a relative one is taken from the data folder; symbolic links are followed). Any
// other path, and one holding "..", a backslash, a drive letter or a NUL, is reduced to its file
// name in the folder of its kind. The result never leads outside the data folder by its own text.
std::filesystem::path ResolveStoredPath(const std::string& stored, TFolder folder);

// Whether path, once symbolic links are followed, is the data folder or lies inside it.
bool InsideProgramDir(const std::filesystem::path& path);

} // namespace tessaline
