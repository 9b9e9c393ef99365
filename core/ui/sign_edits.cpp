#include "core/ui/sign_edits.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/ui/qt_text.h"

namespace tessaline {

TDigitEdit::TDigitEdit(int maxLength, QWidget* parent) : QLineEdit(parent) {
    setMaxLength(maxLength);
}

void TDigitEdit::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    const bool plainChar = t.size() == 1 && t[0].isPrint();
    if (plainChar && !t[0].isDigit() && t[0] != QLatin1Char('-') && t[0] != QLatin1Char('.')) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TEditSegno::TEditSegno(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(4);
    setAlignment(Qt::AlignCenter);
}

void TEditSegno::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Up:
        if (onPrevious) {
            onPrevious();
        }
        return;
    case Qt::Key_Down:
        if (onNext) {
            onNext();
        }
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Backspace:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(e);
        return;
    default:
        break;
    }
    const QString t = e->text().toUpper();
    if (t.size() == 1 && QStringLiteral("012M").contains(t) && !text().contains(t) &&
        e->modifiers().testFlag(Qt::ControlModifier) == false) {
        QKeyEvent upper(e->type(), e->key(), e->modifiers(), t);
        QLineEdit::keyPressEvent(&upper);
        return;
    }
    e->accept(); // every other key is swallowed
}

TEditColonna::TEditColonna(QWidget* parent, bool singolo) : QWidget(parent), singolo_(singolo) {
    for (int i = 0; i < kTeams; ++i) {
        auto* f = new TEditSegno(this);
        f->setObjectName(QStringLiteral("Segno%1").arg(i + 1));
        fields_[static_cast<std::size_t>(i)] = f;
        f->onPrevious = [this, i] {
            if (i > 0) {
                Field(i - 1)->setFocus();
            }
        };
        f->onNext = [this, i] {
            if (i + 1 < kTeams) {
                Field(i + 1)->setFocus();
            }
        };
        connect(f, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            colonna_[i] = ParseSigns(S(text));
            emit Modificato();
        });
    }
    SetSingolo(singolo);
    Relayout();
}

void TEditColonna::SetSingolo(bool singolo) {
    singolo_ = singolo;
    for (TEditSegno* f : fields_) {
        f->setMaxLength(singolo ? 1 : 4);
    }
}

void TEditColonna::Relayout() {
    for (int i = 0; i < kTeams; ++i) {
        Field(i)->setGeometry(0, i * (FieldHeight + Gap1) + (i / 2) * Gap2, FieldWidth, FieldHeight);
    }
    setFixedSize(FieldWidth, 11 * (FieldHeight + Gap1) + 5 * Gap2 + FieldHeight);
}

void TEditColonna::SetColonna(const Colonna& c) {
    colonna_ = c;
    for (int i = 0; i < kTeams; ++i) {
        Field(i)->setText(Q(SignText(c[i])));
    }
}

bool TEditColonna::GetColonnaCompleta(Colonna& c) {
    for (int i = 0; i < kTeams; ++i) {
        if (colonna_[i] == 0) {
            Field(i)->setFocus();
            return false;
        }
    }
    c = colonna_;
    return true;
}

TPannelloSc::TPannelloSc(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

QSize TPannelloSc::sizeHint() const {
    int w = LNum + Gap1 + 2 * LSquadra;
    if (LPro > 0) {
        w += Gap1 + LPro;
    }
    if (Tipo == 2 || Tipo == 3) {
        w += Gap1 + LValori;
    }
    return {w + 2, RowTop(kTeams - 1) + ARighe + 2};
}

void TPannelloSc::SetSquadre(const std::array<std::string, kTeams>& names) {
    names_ = names;
    update();
}

void TPannelloSc::SetPronostico(const Pronostico& p) {
    pro_ = p;
    update();
}

void TPannelloSc::SetGriglia(const TeamGrid& g) {
    grid_ = g;
    update();
}

void TPannelloSc::SetSelezionata(int team, bool on) {
    sel_[static_cast<std::size_t>(team)] = on;
    update();
}

void TPannelloSc::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(std::max(7.0, f.pointSizeF() - 1));
    p.setFont(f);
    const QPalette& pal = palette();
    for (int t = 0; t < kTeams; ++t) {
        const int top = RowTop(t);
        int x = 0;
        if (t % 2 == 0) {
            const QRect num(x, top, LNum, 2 * ARighe + Gap1);
            p.fillRect(num, pal.color(QPalette::Base));
            p.setPen(pal.color(QPalette::Mid));
            p.drawRect(num.adjusted(0, 0, -1, -1));
            p.setPen(pal.color(QPalette::Text));
            p.drawText(num, Qt::AlignCenter, QString::number(t / 2 + 1));
        }
        x += LNum + Gap1;
        const QRect name(x, top, 2 * LSquadra, ARighe);
        const bool marked = sel_[static_cast<std::size_t>(t)];
        p.fillRect(name, marked ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        p.setPen(marked ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        p.drawText(name.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(names_[static_cast<std::size_t>(t)]));
        x += 2 * LSquadra + Gap1;
        if (LPro > 0) {
            const QRect pro(x, top, LPro, ARighe);
            p.fillRect(pro, pal.color(QPalette::Base));
            p.setPen(pal.color(QPalette::Text));
            p.drawText(pro, Qt::AlignCenter, Q(SignText(pro_[t])));
            x += LPro + Gap1;
        }
        if (Tipo == 2 || Tipo == 3) {
            const int cell = LValori / 4;
            for (int s = 0; s < 4; ++s) {
                const QRect r(x + s * cell, top, cell - 1, ARighe);
                p.fillRect(r, pal.color(QPalette::Base));
                const int v = grid_[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)];
                p.drawText(r, Qt::AlignCenter, v == 0 ? QString() : QString::number(v));
            }
        }
    }
}

void TPannelloSc::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || Tipo == 4) {
        return;
    }
    const QPoint pos = e->position().toPoint();
    if (pos.x() < 0 || pos.x() >= LNum + Gap1 + 2 * LSquadra) {
        return;
    }
    for (int t = 0; t < kTeams; ++t) {
        const int top = RowTop(t);
        if (pos.y() < top || pos.y() >= top + ARighe) {
            continue;
        }
        // The number cell spans both rows of a match: its lower half belongs to the away team.
        const std::size_t i = static_cast<std::size_t>(t);
        if (SelezionaPartiteSingole) {
            if (consenti && !consenti(t)) {
                return;
            }
            const bool on = !sel_[i];
            sel_.fill(false);
            sel_[i] = on;
        } else {
            sel_[i] = !sel_[i];
        }
        update();
        emit Modificato();
        return;
    }
}

} // namespace tessaline
