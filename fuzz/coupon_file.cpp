// The coupon file.
#include <span>

#include "fuzz_support.h"
#include "system/coupon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaline::fuzz::Home();
    tessaline::TSchedina coupon;
    tessaline::LeggiSchedina(std::span<const std::uint8_t>(data, size), coupon);
    return 0;
}
