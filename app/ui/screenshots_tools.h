#pragma once
// Pictures of the column-tool windows: operations, ordering, viewer, dictation and column editor.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves one PNG per window (natural size and 640 x 480) into dir; false when one could not be written.
bool SaveToolScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
