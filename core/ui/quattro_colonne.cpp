#include "core/ui/quattro_colonne.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/ui/qt_text.h"

namespace tessaline {

namespace {
constexpr int kRowGap = 1;
constexpr int kMatchGap = 3;
} // namespace

TQuattroColonne::TQuattroColonne(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    // A little smaller than the window's text, so that four coupons fit 640 pixels.
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    setFont(f);
}

void TQuattroColonne::Imposta(std::int32_t numero, const std::array<Colonna, 3>& colonne, int usate,
                              const std::array<std::uint8_t, 3>& segnate) {
    numero_ = numero;
    colonne_ = colonne;
    usate_ = usate;
    segnate_ = segnate;
    update();
}

void TQuattroColonne::ImpostaVincente(const Colonna& vincente) {
    vincente_ = vincente;
    conVincente_ = true;
    update();
}

QString TQuattroColonne::Cella(int k, int team) const {
    if (k == 3) {
        return conVincente_ ? Q(SignText(vincente_[team])) : QString();
    }
    if (k >= usate_) {
        return {};
    }
    // The high bit marks the sign being read; it is drawn highlighted, not written.
    const auto s = static_cast<SignSet>(colonne_[static_cast<std::size_t>(k)][team] & 0x0F);
    return s == 0 ? QStringLiteral("*") : Q(SignText(s));
}

QSize TQuattroColonne::sizeHint() const {
    const QFontMetrics fm(font());
    const int row = fm.height() + kRowGap;
    const int cell = fm.horizontalAdvance(QStringLiteral("012M")) + 4;
    const int title = fm.horizontalAdvance(QStringLiteral("Schedina Nº 16777216")) + 8;
    return {std::max(4 * cell + 10, title), fm.height() + 6 + kTeams * row + 5 * kMatchGap + 6};
}

void TQuattroColonne::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    const int row = fm.height() + kRowGap;
    const int cell = (width() - 10) / 4;
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(QRect(0, 2, width(), fm.height()), Qt::AlignHCenter,
               QStringLiteral("Schedina Nº %1").arg(numero_));
    const int top = fm.height() + 6;
    for (int k = 0; k < 4; ++k) {
        const int x = 4 + k * cell + (k == 3 ? 2 : 0);
        const QRect column(x, top - 2, cell - 2, kTeams * row + 5 * kMatchGap + 4);
        if (k < 3 && k < usate_ && segnate_[static_cast<std::size_t>(k)] != 0) {
            p.fillRect(column, QColor(0xff, 0xe0, 0x60));
        } else if (k == 3) {
            p.fillRect(column, QColor(0xd8, 0xf0, 0xd8));
        }
        for (int t = 0; t < kTeams; ++t) {
            const int y = top + t * row + (t / 2) * kMatchGap;
            QString text = Cella(k, t);
            const QRect r(x, y, cell - 2, fm.height());
            if (k < 3 && k < usate_ && (colonne_[static_cast<std::size_t>(k)][t] & 0x80) != 0) {
                p.fillRect(r, palette().highlight());
                p.setPen(palette().highlightedText().color());
                p.drawText(r, Qt::AlignHCenter, text);
                p.setPen(palette().text().color());
                continue;
            }
            p.drawText(r, Qt::AlignHCenter, text);
        }
    }
}

} // namespace tessaline
