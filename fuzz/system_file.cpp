// The system file: read, then titled and prepared as "show" and a development do.
#include <span>

#include "conditions/condition_set.h"
#include "fuzz_support.h"
#include "system/sistema.h"
#include "system/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaline::fuzz::Home();
    tessaline::T_Sistema sys;
    if (sys.LeggiFile(std::span<const std::uint8_t>(data, size))) {
        sys.Insieme().ImpostaTitoli();
        sys.Insieme().Prepara();
    }
    return 0;
}
