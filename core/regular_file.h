#pragma once
// Opening files named by a path stored in a file: only regular files, never anything that could
// block or has side effects on opening (a FIFO, a device, a socket).

#include <cstdio>
#include <filesystem>

namespace tessaline {

// Opens path for binary reading when it is a regular file (symbolic links followed). A FIFO, a
// device or a folder is refused at once, without waiting for a writer. nullptr on refusal or failure;
// the caller closes the stream.
std::FILE* OpenRegularFile(const std::filesystem::path& path);

} // namespace tessaline
