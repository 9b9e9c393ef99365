#pragma once
// Pictures of the scrutiny, plays and guarantee windows on a small sample.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves one PNG per window (natural size and 640 x 480) into dir; false when one could not be written.
bool SaveScrutinyScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
