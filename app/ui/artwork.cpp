#include "app/ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace tessaline {

namespace {
const QColor kBlue(0, 128, 255);
const QColor kOrange(255, 128, 0);
} // namespace

QPixmap DrawIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 64.0;
    p.scale(s, s);
    QPainterPath card;
    card.addRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
    p.fillPath(card, kOrange);
    p.setPen(QPen(QColor(150, 70, 0), 1.5));
    p.drawPath(card);
    // Three rows of four sign circles, the chosen sign of each row filled.
    const int chosen[3] = {1, 3, 0};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QRectF circle(10 + c * 12, 12 + r * 14, 10, 10);
            p.setPen(QPen(QColor(60, 40, 20), 1));
            p.setBrush(c == chosen[r] ? kBlue : QColor(Qt::white));
            p.drawEllipse(circle);
        }
    }
    return pm;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(DrawIcon(size));
    }
    return icon;
}

QPixmap DefaultBackgroundTile() {
    QPixmap pm(64, 64);
    pm.fill(QColor(214, 219, 226));
    QPainter p(&pm);
    for (int y = 0; y < 64; y += 4) {
        for (int x = 0; x < 64; x += 4) {
            const bool weave = ((x / 4) + (y / 4)) % 2 == 0;
            p.fillRect(x, y, 4, 2, weave ? QColor(206, 212, 220) : QColor(222, 226, 232));
            p.fillRect(x, y + 2, 4, 2, weave ? QColor(220, 224, 230) : QColor(208, 214, 222));
        }
    }
    return pm;
}

QPixmap AnimationFrame(int i, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = (i % kAnimationFrames) / static_cast<double>(kAnimationFrames);
    const double r = size * 0.16;
    const double ground = size * 0.86;
    const double x = size * 0.5 + std::sin(t * 2 * M_PI) * size * 0.28;
    const double y = ground - r - std::abs(std::sin(t * 2 * M_PI * 2)) * size * 0.5;
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(2, ground), QPointF(size - 2, ground));
    QRadialGradient g(QPointF(x - r / 3, y - r / 3), r * 1.4);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, kBlue);
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 70, 150), 1));
    p.drawEllipse(QPointF(x, y), r, r);
    return pm;
}

QPixmap SplashPicture() {
    QPixmap pm(522, 306);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 306);
    bg.setColorAt(0, QColor(255, 160, 60));
    bg.setColorAt(1, kOrange.darker(130));
    p.fillRect(pm.rect(), bg);
    // A band of sign circles along the bottom.
    for (int c = 0; c < 26; ++c) {
        for (int r = 0; r < 2; ++r) {
            const bool on = (c * 7 + r * 3) % 5 == 0;
            p.setPen(QPen(QColor(120, 60, 0), 1));
            p.setBrush(on ? kBlue : QColor(255, 255, 255, 200));
            p.drawEllipse(QRectF(12 + c * 19.2, 250 + r * 19, 14, 14));
        }
    }
    p.drawPixmap(30, 40, DrawIcon(96));
    QFont title(QStringLiteral("Sans Serif"), 34, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(60, 25, 0));
    p.drawText(QRect(150, 48, 360, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessaline"));
    QFont sub(QStringLiteral("Sans Serif"), 12);
    p.setFont(sub);
    p.drawText(QRect(152, 104, 360, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("Sistemi per il concorso dei gol"));
    return pm;
}

} // namespace tessaline
