#include "core/ui/protected_command.h"

#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"

namespace tessaline {

bool EseguiProtetto(UserPrompt& prompt, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        prompt.ShowMessage(msg::kInformazione, e.what(), BtnOk);
    } catch (...) {
        prompt.ShowMessage(msg::kInformazione, msg::kRisorseEsaurite, BtnOk);
    }
    return false;
}

} // namespace tessaline
