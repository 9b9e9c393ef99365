#pragma once
// Pictures of the betting-shop windows, for looking them over.

#include <QString>

namespace tessaline {

class T_Sistema;

// Saves "Ridotti Immediati" (before and after "Elabora"), "Schedine Automatiche" and both pages of
// "Sistemi Automatici" as PNG files in dir, each at its natural size and at 640 x 480; false when one
// could not be saved or does not fit 640 x 480.
bool SaveShopScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
