#pragma once
// The picture of an official coupon at 2 pixels per millimetre, under the calibration preview.

#include <QImage>
#include <QPoint>

namespace tessaline {

inline constexpr int kSchedinaLarghezza = 354;
inline constexpr int kSchedinaAltezza = 206;

// A point at (x, y) mm on the preview: (round(2x) + 4, round(2y) - 1).
QPoint PuntoAnteprima(double x, double y);

// The coupon: its printed boxes where the default "Orizzontale" calibration marks them, the sign
// headings, the team numbers and the space of the coupon text; "sched.bmp" of the data folder
// when there is one.
QImage ImmagineSchedina();

} // namespace tessaline
