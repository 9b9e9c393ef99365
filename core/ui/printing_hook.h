#pragma once
// How a window that is not a printing window reaches the program's printer: a callable that runs a
// drawing on a canvas over the printer in force. The main window supplies it.

#include <functional>

namespace tessaline {

class TCanvas;

// Runs draw on the program printer; lets draw's exceptions through.
using TStampante = std::function<void(const std::function<void(TCanvas&)>& draw)>;

} // namespace tessaline
