#pragma once
// What a last-resort handler shows for an exception: always one of the program's own Italian texts,
// never the text a library put into an exception.

#include <exception>
#include <new>
#include <string>

#include "core/errors.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kErroreImprevisto = "Errore Imprevisto. Operazione Non Completata.";
} // namespace msg

// The message an EInOutError carries; "Memoria Esaurita." for an allocation failure; the fixed text
// "Errore Imprevisto. Operazione Non Completata." for anything else.
inline std::string UserMessage(const std::exception& e) {
    if (const auto* io = dynamic_cast<const EInOutError*>(&e)) {
        return io->what();
    }
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
        return msg::kMemoriaEsaurita;
    }
    return msg::kErroreImprevisto;
}

} // namespace tessaline
