#pragma once
// Renders the main window, the coupon editor and each dialog to PNG files (for reviewing the look).

#include <QString>

#include "app/settings.h"

namespace tessaline {

bool SaveScreenshots(TProgramSettings& settings, const QString& dir);

} // namespace tessaline
