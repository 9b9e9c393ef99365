#pragma once
// A menu command that may fail: its error is shown and the program goes on.

#include <functional>

class QDialog;

namespace tessaline {

class TAppContext;
class TFormSaver;
class UserPrompt;

// Runs the command; an exception it raises is shown under "Informazione" with its own text (any
// other failure as "Risorse Esaurite"). True when the command ended without one.
bool EseguiProtetto(UserPrompt& prompt, const std::function<void()>& command);
// The same for a window whose prompt may be missing (then a failure is only not shown).
bool EseguiProtetto(UserPrompt* prompt, const std::function<void()>& command);

// Shows a command's dialog with the main window's animation stopped. A remembered dialog takes its
// place from the dialog memory and gives it back. primaDiMostrare, when set (the tests), runs
// instead of the dialog's own loop.
void MostraDialogo(TAppContext& main, TFormSaver& saver, QDialog& dlg, bool remembered,
                   const std::function<void(QDialog&)>& primaDiMostrare);

} // namespace tessaline
