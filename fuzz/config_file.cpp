// The configuration file.
#include <span>

#include "fuzz_support.h"
#include "system/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaline::fuzz::Home();
    tessaline::TProgramSettings settings;
    tessaline::ParseConfig(std::span<const std::uint8_t>(data, size), settings);
    return 0;
}
