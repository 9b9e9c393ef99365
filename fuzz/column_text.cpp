// The column text file.
#include "core/column_list.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = tessaline::fuzz::WriteInput(tessaline::fuzz::Home() / "input.txt", data, size);
    tessaline::TListaColonne list;
    list.LoadText(path, nullptr);
    return 0;
}
