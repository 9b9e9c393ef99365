#pragma once
// Renders the main window, the coupon editor and each dialog to PNG files (for reviewing the look).

#include <QString>

#include "system/sistema.h"

namespace tessaline {

bool SaveScreenshots(T_Sistema& sys, const QString& dir);

} // namespace tessaline
