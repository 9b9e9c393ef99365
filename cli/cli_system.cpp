#include "cli/cli_system.h"

#include <filesystem>

#include "system/config_file.h"
#include "system/sistema.h"
#include "system/system_file.h"

namespace tessaline::cli {

TProgramSettings CliSettings() {
    TProgramSettings s = DefaultSettings();
    LeggiConfigurazione(s);
    return s;
}

void LoadSystemFile(T_Sistema& sys, const std::string& path) {
    sys.dati.settings = CliSettings();
    CaricaSistema(sys, std::filesystem::absolute(std::filesystem::path(path)));
}

} // namespace tessaline::cli
