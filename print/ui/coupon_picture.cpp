#include "print/ui/coupon_picture.h"

#include <QFile>
#include <QPainter>
#include <cmath>

#include "core/paths.h"
#include "print/print_settings.h"

namespace tessaline {

QPoint PuntoAnteprima(double x, double y) {
    return {static_cast<int>(std::lround(2 * x)) + 4, static_cast<int>(std::lround(2 * y)) - 1};
}

QImage ImmagineSchedina() {
    const QString own = QString::fromStdString((ProgramDir() / "sched.bmp").string());
    if (QFile::exists(own)) {
        QImage img(own);
        if (!img.isNull()) {
            return img.convertToFormat(QImage::Format_RGB32);
        }
    }
    QImage img(kSchedinaLarghezza, kSchedinaAltezza, QImage::Format_RGB32);
    img.fill(QColor(253, 249, 240));
    QPainter p(&img);
    const QColor red(200, 40, 60);
    const QColor pale(246, 214, 214);
    p.setPen(QPen(red, 2));
    p.drawRoundedRect(QRectF(2, 2, kSchedinaLarghezza - 4, kSchedinaAltezza - 4), 6, 6);
    p.fillRect(QRect(4, 4, kSchedinaLarghezza - 8, 22), red);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(13);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 4, 200, 22), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("CONCORSO GOL"));
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(8);
    small.setBold(true);
    p.setFont(small);
    p.drawText(QRect(kSchedinaLarghezza - 120, 4, 110, 22), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("Concorso Nº ____"));

    const T_TaraturaSet c = T_Taratura{}.set[0];
    const double sx = c.DistanzaSegniOriz + c.LQuadratini;
    const double sy = c.DistanzaSegniVert + c.AQuadratini;
    const int bw = static_cast<int>(std::lround(2 * c.LQuadratini));
    const int bh = static_cast<int>(std::lround(2 * c.AQuadratini));
    const char* const signs[4] = {"0", "1", "2", "M"};
    // Matches: a pale band for each pair of teams, the team numbers beside the first column.
    for (int m = 0; m < 6; ++m) {
        const QPoint a = PuntoAnteprima(8, c.YPrimaCol + 2 * m * sy - 0.6);
        const QPoint b = PuntoAnteprima(c.XPrimaCol + 2 * c.DistanzaColonne + 3 * sx + c.LQuadratini + 1,
                                        c.YPrimaCol + (2 * m + 2) * sy - 0.9);
        if (m % 2 == 0) {
            p.fillRect(QRect(a, b), pale);
        }
        p.setPen(QPen(red, 1));
        p.drawText(QRect(PuntoAnteprima(9, c.YPrimaCol + 2 * m * sy), QSize(40, 2 * bh + 6)),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Partita %1").arg(m + 1));
    }
    for (int t = 0; t < 12; ++t) {
        const QPoint at = PuntoAnteprima(c.XPrimaCol - 5, c.YPrimaCol + t * sy);
        p.drawText(QRect(at, QSize(9, bh)), Qt::AlignRight | Qt::AlignVCenter, QString::number(t + 1));
    }
    for (int col = 0; col < 3; ++col) {
        for (int k = 0; k < 4; ++k) {
            const double x = c.XPrimaCol + col * c.DistanzaColonne + k * sx;
            const QPoint head = PuntoAnteprima(x, c.YPrimaCol - 3.6);
            p.drawText(QRect(head, QSize(bw, 7)), Qt::AlignCenter, QLatin1String(signs[k]));
            for (int t = 0; t < 12; ++t) {
                const QPoint at = PuntoAnteprima(x, c.YPrimaCol + t * sy);
                p.fillRect(QRect(at, QSize(bw, bh)), Qt::white);
                p.drawRect(QRect(at, QSize(bw - 1, bh - 1)));
            }
        }
        const QPoint label = PuntoAnteprima(c.XPrimaCol + col * c.DistanzaColonne, c.YPrimaCol - 8);
        p.drawText(QRect(label, QSize(4 * static_cast<int>(2 * sx), 9)), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Col. %1").arg(col + 1));
    }
    // The column of the coupon text, right of the boxes; the receipt space below.
    p.setPen(QPen(red, 1, Qt::DashLine));
    p.drawRect(QRect(PuntoAnteprima(c.ScrittaX - 0.5, 20), PuntoAnteprima(c.ScrittaX + 4, c.ScrittaY + 1)));
    p.drawLine(PuntoAnteprima(4, 94), PuntoAnteprima(172, 94));
    p.setPen(red);
    p.drawText(QRect(PuntoAnteprima(104, 30), QSize(120, 60)),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Spazio riservato\nalla ricevitoria"));
    p.drawText(QRect(PuntoAnteprima(6, 95), QSize(330, 12)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Segnare con una croce i pronostici di ciascuna squadra"));
    return img;
}

} // namespace tessaline
