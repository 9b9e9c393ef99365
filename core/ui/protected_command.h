#pragma once
// A menu command that may fail: its error is shown and the program goes on.

#include <functional>

namespace tessaline {

class UserPrompt;

// Runs the command; an exception it raises is shown under "Informazione" with its own text (any
// other failure as "Risorse Esaurite"). True when the command ended without one.
bool EseguiProtetto(UserPrompt& prompt, const std::function<void()>& command);

} // namespace tessaline
