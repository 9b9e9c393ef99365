// The condition file ("*.CND"), inserted into a frame as "Carica" does, and titled.
#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "core/errors.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = tessaline::fuzz::WriteInput(tessaline::fuzz::Home() / "input.CND", data, size);
    tessaline::TInsiemeCondizioni set;
    tessaline::TCondQuadro frame(&set);
    try {
        tessaline::CaricaCondizioni(path, frame, 0);
        frame.ImpostaTitolo("");
        frame.AggiornaStato();
    } catch (const tessaline::EInOutError&) {
    }
    return 0;
}
