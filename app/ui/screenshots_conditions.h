#pragma once
// Pictures of the condition dialogs and of the link windows.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves each dialog (each page of a dialog with pages) at its natural size and at 640 x 480 into
// dir; false when a picture could not be written.
bool SaveConditionScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
