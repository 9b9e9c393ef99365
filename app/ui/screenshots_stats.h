#pragma once
// Pictures of the statistics and analysis windows on the demo archive.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves one PNG per statistics window (natural size and 640 x 480) into dir; false when one could
// not be written. When only is not empty, only the windows whose picture name starts with it.
bool SaveStatsScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
