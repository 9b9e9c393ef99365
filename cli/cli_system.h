#pragma once
// The program settings and system files as every command of tessaline-cli sees them.

#include <string>

#include "system/settings.h"

namespace tessaline {
class T_Sistema;
}

namespace tessaline::cli {

// The settings in force: "Tessaline.cfg" of the data folder when it exists and reads whole, else the
// defaults. The command line never writes the file.
TProgramSettings CliSettings();

// A system file named on the command line (relative to the current directory), loaded into sys with
// the settings in force. Raises "Impossibile Caricare Il Sistema" when it cannot be read.
void LoadSystemFile(T_Sistema& sys, const std::string& path);

} // namespace tessaline::cli
