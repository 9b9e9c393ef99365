// The frame file ("*.QDR"), loaded into slot 13 and titled.
#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "core/errors.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = tessaline::fuzz::WriteInput(tessaline::fuzz::Home() / "input.QDR", data, size);
    tessaline::TInsiemeCondizioni set;
    try {
        tessaline::CaricaQuadro(path, set);
        set.ImpostaTitoli();
        set.Prepara();
    } catch (const tessaline::EInOutError&) {
    }
    return 0;
}
