#pragma once
// The preview of a printout, from which the user prints it: the toolkit's preview window over a
// printer, drawing through the printouts' canvas.

#include <QString>
#include <functional>

#include "core/ui/printing_hook.h"

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace tessaline {

class UserPrompt;

// The preview window titled titolo on printer (the program's when null), not shown yet (the caller
// owns it). draw runs on every repaint of the preview and once more for the printing, at the
// printer's own resolution; its failure is shown through prompt, titled "Informazione".
QPrintPreviewDialog* CreaAnteprima(QWidget* parent, const QString& titolo, UserPrompt& prompt,
                                   std::function<void(TCanvas&)> draw, QPrinter* printer = nullptr);

// The preview hook of the windows over the program printer, asking through prompt.
TAnteprima AnteprimaProgramma(UserPrompt& prompt);

} // namespace tessaline
