#include "core/ui/form_message.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "core/ui/qt_text.h"

namespace tessaline {

namespace {
constexpr int kPictureLeft = 14;
constexpr int kPictureTop = 14;
constexpr int kPictureSize = 40;
constexpr int kTextTop = 15;
constexpr int kButtonHeight = 30;
// The picture of the "Ok" button: a green tick.
QIcon CheckMark() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 150, 50), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return QIcon(pm);
}
} // namespace

TFormMessage::TFormMessage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormMessage"));
    setModal(true);
    picture_ = style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kPictureSize, kPictureSize);
    auto make = [this](const QString& caption, int bit) {
        auto* b = new QPushButton(caption, this);
        b->setFixedSize(kButtonWidth, kButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, bit] {
            result_ = bit;
            accept();
        });
        return b;
    };
    btnSi_ = make(QStringLiteral("Si"), BtnSi);
    btnOk_ = make(QStringLiteral("Ok"), BtnOk);
    btnOk_->setIcon(CheckMark());
    btnNo_ = make(QStringLiteral("No"), BtnNo);
    btnAnnulla_ = make(QStringLiteral("Annulla"), BtnAnnulla);
    btnSi_->setObjectName(QStringLiteral("BtnSi"));
    btnOk_->setObjectName(QStringLiteral("BtnOk"));
    btnNo_->setObjectName(QStringLiteral("BtnNo"));
    btnAnnulla_->setObjectName(QStringLiteral("BtnAnnulla"));
    resize(kWidth, 150);
}

QPushButton* TFormMessage::Button(TButton b) const {
    switch (b) {
    case BtnSi:
        return btnSi_;
    case BtnOk:
        return btnOk_;
    case BtnNo:
        return btnNo_;
    case BtnAnnulla:
        return btnAnnulla_;
    }
    return nullptr;
}

int TFormMessage::TextLeft() const {
    return kPictureLeft + kPictureSize + 10;
}

void TFormMessage::Prepara(const QString& title, const QString& text, int buttons) {
    setWindowTitle(title);
    text_ = text;
    result_ = 0;
    btnSi_->setVisible((buttons & BtnSi) != 0);
    btnOk_->setVisible((buttons & BtnOk) != 0);
    btnNo_->setVisible((buttons & BtnNo) != 0);
    btnAnnulla_->setVisible((buttons & BtnAnnulla) != 0);
    // The first visible button takes Enter.
    for (QPushButton* b : {btnSi_, btnOk_, btnNo_, btnAnnulla_}) {
        b->setDefault(false);
        b->setAutoDefault(false);
    }
    for (QPushButton* b : {btnSi_, btnOk_, btnNo_, btnAnnulla_}) {
        if ((buttons & (b == btnSi_ ? BtnSi : b == btnOk_ ? BtnOk : b == btnNo_ ? BtnNo : BtnAnnulla)) != 0) {
            b->setDefault(true);
            b->setFocus();
            break;
        }
    }
    // Height for the wrapped text; the width stays fixed.
    const QFontMetrics fm(font());
    lines_ = WrapWords(text_, TextLeft(), kWidth - 10,
                       [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    const int textBottom = kTextTop + static_cast<int>(lines_.size()) * fm.height();
    const int top = std::max(textBottom, kPictureTop + kPictureSize) + 18;
    setFixedSize(kWidth, top + kButtonHeight + 14);
    Layout();
}

void TFormMessage::Layout() {
    const QFontMetrics fm(font());
    lines_ = WrapWords(text_, TextLeft(), width() - 10,
                       [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    int n = 0;
    for (QPushButton* b : {btnSi_, btnOk_, btnNo_, btnAnnulla_}) {
        n += b->isVisibleTo(this) ? 1 : 0;
    }
    const int gap = (width() - n * kButtonWidth) / (n + 1);
    const int y = height() - kButtonHeight - 14;
    int x = gap;
    for (QPushButton* b : {btnSi_, btnOk_, btnNo_, btnAnnulla_}) {
        if (b->isVisibleTo(this)) {
            b->move(x, y);
            x += kButtonWidth + gap;
        }
    }
}

void TFormMessage::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Layout();
}

void TFormMessage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(kPictureLeft, kPictureTop, picture_);
    const QFontMetrics fm(font());
    int y = kTextTop;
    for (const QString& line : lines_) {
        p.drawText(TextLeft(), y + fm.ascent(), line);
        y += fm.height();
    }
}

int TFormMessage::ShowMessage(const QString& title, const QString& text, int buttons) {
    Prepara(title, text, buttons);
    result_ = 0;
    exec();
    return result_;
}

int TFormMessage::ShowMessage(const std::string& title, const std::string& text, int buttons) {
    return ShowMessage(Q(title), Q(text), buttons);
}

} // namespace tessaline
