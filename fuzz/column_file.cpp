// The column file, read as it is and expanded.
#include "core/column_list.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = tessaline::fuzz::WriteInput(tessaline::fuzz::Home() / "input.col", data, size);
    tessaline::TListaColonne plain;
    plain.LoadFromFile(path, false, nullptr);
    tessaline::TListaColonne expanded;
    expanded.LoadFromFile(path, true, nullptr);
    return 0;
}
