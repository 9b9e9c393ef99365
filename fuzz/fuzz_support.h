#pragma once
// Shared by the fuzz targets: a private data folder for the run, and a way to hand an input to a
// reader that takes a path.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/paths.h"

namespace tessaline::fuzz {

// Points TESSALINE_HOME at a fresh temporary folder (once per process) and creates its sub-folders.
inline const std::filesystem::path& Home() {
    static const std::filesystem::path home = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaline-fuzz-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        if (made == nullptr) {
            std::abort();
        }
        ::setenv("TESSALINE_HOME", made, 1);
        PrepareProgramDir(false);
        return std::filesystem::path(made);
    }();
    return home;
}

// Writes the input to path (replacing it) and returns the path.
inline std::filesystem::path WriteInput(const std::filesystem::path& path, const std::uint8_t* data,
                                        std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, f) != size) {
        std::abort();
    }
    std::fclose(f);
    return path;
}

} // namespace tessaline::fuzz
