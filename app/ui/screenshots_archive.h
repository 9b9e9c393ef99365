#pragma once
// Pictures of the archive windows on the demo archive.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves one PNG per archive window (natural size and 640 x 480) into dir; false when one could not
// be written.
bool SaveArchiveScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
