// A team list, read and written back.
#include <string_view>

#include "fuzz_support.h"
#include "system/team_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaline::fuzz::Home();
    tessaline::TListaSquadre list;
    list.DaTesto(std::string_view(reinterpret_cast<const char*>(data), size));
    list.Testo();
    return 0;
}
