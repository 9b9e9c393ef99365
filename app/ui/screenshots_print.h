#pragma once
// Pictures of the printing windows, for looking them over.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves the calibration window, the print window, the orientation question, the listing settings
// and the listing's preview as PNG files in dir; false when one could not be saved.
bool SavePrintScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
