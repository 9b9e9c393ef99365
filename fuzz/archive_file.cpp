// The contest archive.
#include "archive/contest_archive.h"
#include "core/errors.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = tessaline::fuzz::WriteInput(tessaline::fuzz::Home() / "input.tts", data, size);
    tessaline::T_Archivio archive;
    tessaline::T_IntervalloConcorsi range;
    try {
        archive.Carica(range, path);
    } catch (const tessaline::EInOutError&) {
    }
    return 0;
}
