#pragma once
// Pictures of the fixed-sign search windows, for looking them over.

#include <QString>

namespace tessaline {

// Saves "Cerca Fisse" (both modes, with the insertion button), its print range dialog and its
// insertion dialog as PNG files in dir; false when one could not be saved or does not fit 640 x 480.
bool SaveReduceScreenshots(const QString& dir);

} // namespace tessaline
