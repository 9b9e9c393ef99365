#pragma once
// Pictures the program draws itself: the application icon, the background tile used when no
// picture file can be loaded, the frames of the small animation and the splash picture.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tessaline {

QIcon AppIcon();
QPixmap DrawIcon(int size);
// A 64 x 64 tile of fine woven texture.
QPixmap DefaultBackgroundTile();
// Frame i (0 to 27) of the looping animation: a ball bouncing over a coupon line.
QPixmap AnimationFrame(int i, int size = 32);
inline constexpr int kAnimationFrames = 28;
// The splash picture, 522 x 306, without the version label.
QPixmap SplashPicture();

} // namespace tessaline
