#pragma once
// Pictures of the development, settings, recalculation, system and team-list windows.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves one PNG per window into dir; false when a picture could not be written.
bool SaveCommandScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
