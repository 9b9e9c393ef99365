#pragma once
// How a window that is not a printing window reaches the program's printer: a callable that runs a
// drawing on a canvas over the printer in force. The main window supplies it.

#include <functional>

class QString;
class QWidget;

namespace tessaline {

class TCanvas;

// Runs draw on the program printer; lets draw's exceptions through.
using TStampante = std::function<void(const std::function<void(TCanvas&)>& draw)>;

// Shows the preview of a printout titled titolo over parent, from which the user prints it on the
// program printer; draw runs for the preview and again for the printing. A failure of draw is shown
// to the user with its message.
using TAnteprima =
    std::function<void(QWidget* parent, const QString& titolo, const std::function<void(TCanvas&)>& draw)>;

} // namespace tessaline
