#include "core/ui/coupon_editor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "core/ui/qt_text.h"

namespace tessaline {

namespace {
// Windows colour values are stored blue high: 0xFF8000 is this blue, 0x0080FF this orange.
const QColor kSelected(0x00, 0x80, 0xFF);
const QColor kBackground(0xFF, 0x80, 0x00);
constexpr int kTop = 40; // first row of the grids
constexpr int kLeft = 4;
} // namespace

std::array<int, 4> RegolaPercentuali(int p0, int p1, int p2) {
    // Negative numbers are no percentages: they count as empty cells.
    p0 = std::max(p0, 0);
    p1 = std::max(p1, 0);
    p2 = std::max(p2, 0);
    if (p0 + p1 + p2 <= 0) {
        return {0, 0, 0, 0};
    }
    p0 = std::min(p0, 100);
    if (p0 + p1 + p2 > 100) {
        p1 = 100 - p0;
        p2 = 0;
    }
    return {p0, p1, p2, 100 - p0 - p1 - p2};
}

// ---- TSemaforo

TSemaforo::TSemaforo(QWidget* parent) : QWidget(parent) {
    setFixedSize(16, 16);
    setToolTip(QString::fromUtf8("Rosso: dati incompleti; verde: dati completi"));
}

void TSemaforo::SetStato(bool on) {
    if (on != stato_) {
        stato_ = on;
        update();
    }
}

void TSemaforo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = stato_ ? QColor(30, 190, 60) : QColor(215, 40, 30);
    QRadialGradient g(QPointF(width() * 0.38, height() * 0.35), width() * 0.6);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(QPen(c.darker(160), 1));
    p.drawEllipse(QRectF(1.5, 1.5, width() - 3, height() - 3));
}

// ---- TEditpronostico

TEditpronostico::TEditpronostico(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QString::fromUtf8("Fai clic su un segno per aggiungerlo o toglierlo"));
    Relayout();
}

void TEditpronostico::Relayout() {
    setFixedSize(2 * LeftGap + 3 * DeltaX + Diametro, 2 * TopGap + 11 * DeltaY + Diametro);
    update();
}

QRect TEditpronostico::CircleRect(int team, int sign) const {
    return {sign * DeltaX + LeftGap, team * DeltaY + TopGap, Diametro, Diametro};
}

bool TEditpronostico::HitTest(QPointF pos, int& team, int& sign) const {
    for (int i = 0; i < kTeams; ++i) {
        for (int j = 0; j < 4; ++j) {
            const QRect r = CircleRect(i, j);
            const double cx = r.x() + Diametro / 2.0;
            const double cy = r.y() + Diametro / 2.0;
            if (std::hypot(pos.x() - cx, pos.y() - cy) <= Diametro / 2.0) {
                team = i;
                sign = j;
                return true;
            }
        }
    }
    return false;
}

void TEditpronostico::SetPronostico(const tessaline::Pronostico& p) {
    pro_ = p;
    completo_ = tessaline::PronosticoCompleto(pro_);
    Modificato = false;
    update();
}

void TEditpronostico::mousePressEvent(QMouseEvent* e) {
    int team = 0;
    int sign = 0;
    if (e->button() != Qt::LeftButton || !HitTest(e->position(), team, sign)) {
        return;
    }
    pro_[team] = static_cast<SignSet>(pro_[team] ^ (1 << sign));
    completo_ = tessaline::PronosticoCompleto(pro_);
    Modificato = true;
    update();
    emit OnModificato();
}

void TEditpronostico::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setPixelSize(std::max(8, Diametro - 5));
    f.setBold(true);
    p.setFont(f);
    static const char* const kLetters[4] = {"0", "1", "2", "M"};
    for (int i = 0; i < kTeams; ++i) {
        for (int j = 0; j < 4; ++j) {
            const QRectF r = QRectF(CircleRect(i, j)).adjusted(0.5, 0.5, -0.5, -0.5);
            const bool on = (pro_[i] >> j) & 1;
            p.setPen(QPen(QColor(90, 45, 0), 1));
            p.setBrush(on ? kSelected : QColor(Qt::white));
            p.drawEllipse(r);
            p.setPen(on ? QColor(Qt::white) : QColor(120, 120, 120));
            p.drawText(r, Qt::AlignCenter, QLatin1String(kLetters[j]));
        }
        if (i % 2 == 1 && i < kTeams - 1) {
            const int y = TopGap + i * DeltaY + Diametro + (DeltaY - Diametro) / 2 + 1;
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(QColor(110, 50, 0), 1));
            p.drawLine(1, y, width() - 2, y);
            p.setRenderHint(QPainter::Antialiasing, true);
        }
    }
}

// ---- TEditPartite

TEditPartite::TEditPartite(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kTeams; ++i) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QStringLiteral("Squadra%1").arg(i + 1));
        f->setMaxLength(12);
        f->setPlaceholderText(i % 2 == 0 ? QStringLiteral("Casa %1").arg(i / 2 + 1)
                                         : QStringLiteral("Ospite %1").arg(i / 2 + 1));
        connect(f, &QLineEdit::textEdited, this, [this] {
            Modificato = true;
            emit OnModificato();
        });
        fields_[static_cast<std::size_t>(i)] = f;
    }
}

void TEditPartite::Relayout(int top, int rowStep, int rowHeight) {
    for (int i = 0; i < kTeams; ++i) {
        Field(i)->setGeometry(0, top + i * rowStep, kWidth, rowHeight);
    }
    setFixedSize(kWidth, top + 11 * rowStep + rowHeight);
}

void TEditPartite::SetSquadre(const std::array<std::string, kTeams>& names) {
    for (int i = 0; i < kTeams; ++i) {
        Field(i)->setText(Q(names[static_cast<std::size_t>(i)]).left(12));
    }
    Modificato = false;
}

std::array<std::string, kTeams> TEditPartite::GetSquadre() const {
    std::array<std::string, kTeams> n;
    for (int i = 0; i < kTeams; ++i) {
        n[static_cast<std::size_t>(i)] = S(Field(i)->text().left(12));
    }
    return n;
}

// ---- TGridNumeri

TGridNumeri::TGridNumeri(int maxLength, QWidget* parent) : QWidget(parent) {
    for (int r = 0; r < kTeams; ++r) {
        for (int c = 0; c < 4; ++c) {
            auto* e = new TDigitEdit(maxLength, this);
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = e;
            e->installEventFilter(this);
            connect(e, &QLineEdit::textEdited, this, &TGridNumeri::Edited);
        }
    }
}

void TGridNumeri::Relayout(int rowStep, int rowHeight, int cellWidth) {
    for (int r = 0; r < kTeams; ++r) {
        for (int c = 0; c < 4; ++c) {
            Cell(r, c)->setGeometry(c * cellWidth, r * rowStep, cellWidth - 1, rowHeight);
        }
    }
    setFixedSize(4 * cellWidth, 11 * rowStep + rowHeight);
}

bool TGridNumeri::eventFilter(QObject* o, QEvent* e) {
    // Up, down and Enter move between the rows of a column, as in a spreadsheet.
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        for (int r = 0; r < kTeams; ++r) {
            for (int c = 0; c < 4; ++c) {
                if (Cell(r, c) != o) {
                    continue;
                }
                int to = -1;
                if (key == Qt::Key_Up && r > 0) {
                    to = r - 1;
                } else if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) &&
                           r + 1 < kTeams) {
                    to = r + 1;
                }
                if (to >= 0) {
                    Cell(to, c)->setFocus();
                    Cell(to, c)->selectAll();
                    return true;
                }
                return false;
            }
        }
    }
    return QWidget::eventFilter(o, e);
}

int TGridNumeri::Value(int row, int col) const {
    QString t = Cell(row, col)->text();
    t.remove(QLatin1Char(' '));
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? v : 0;
}

void TGridNumeri::SetValue(int row, int col, int v) {
    const QString t = v == 0 ? QString() : QString::number(v);
    if (Cell(row, col)->text() != t) {
        Cell(row, col)->setText(t);
    }
}

bool TGridNumeri::OgniRigaCompilata() const {
    for (int r = 0; r < kTeams; ++r) {
        bool any = false;
        for (int c = 0; c < 4; ++c) {
            any = any || Value(r, c) != 0;
        }
        if (!any) {
            return false;
        }
    }
    return true;
}

// ---- TEditSchedina

TEditSchedina::TEditSchedina(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EditSchedina"));
    labelNumero_ = new QLabel(QString::fromUtf8("Concorso N°"), this);
    Numero = new TDigitEdit(2, this);
    Numero->setObjectName(QStringLiteral("Numero"));
    Numero->setAlignment(Qt::AlignCenter);
    Numero->setText(QStringLiteral("1"));
    Partite = new TEditPartite(this);
    Pronostico = new TEditpronostico(this);
    GridPerc = new TGridNumeri(3, this);
    GridVal = new TGridNumeri(4, this);
    SPronostico = new TSemaforo(this);
    SPercentuali = new TSemaforo(this);
    SValori = new TSemaforo(this);
    headSquadre_ = new QLabel(QStringLiteral("Squadre"), this);
    headPro_ = new QLabel(QStringLiteral("Pronostico"), this);
    headPerc_ = new QLabel(QStringLiteral("Percentuali"), this);
    headVal_ = new QLabel(QStringLiteral("Valori"), this);
    static const char* const kLetters[4] = {"0", "1", "2", "M"};
    for (std::size_t i = 0; i < signHeads_.size(); ++i) {
        signHeads_[i] = new QLabel(QLatin1String(kLetters[i % 4]), this);
        signHeads_[i]->setAlignment(Qt::AlignCenter);
        QFont f = signHeads_[i]->font();
        f.setBold(true);
        signHeads_[i]->setFont(f);
    }
    for (std::size_t i = 0; i < matchNums_.size(); ++i) {
        matchNums_[i] = new QLabel(QString::number(i + 1), this);
        matchNums_[i]->setAlignment(Qt::AlignCenter);
        matchNums_[i]->setFrameShape(QFrame::StyledPanel);
    }
    BtnTutti = new QPushButton(QStringLiteral("Tutti"), this);
    BtnTutti->setToolTip(QString::fromUtf8("Tutti i segni su ogni squadra"));
    BtnAnalisi = new QPushButton(QStringLiteral("Analisi"), this);
    BtnAnalisi->setToolTip(QString::fromUtf8("Conteggio dei segni delle colonne sviluppate"));
    BtnArchivio = new QPushButton(QStringLiteral("Archivio"), this);
    BtnArchivio->setToolTip(QString::fromUtf8("Storia dei segni di ogni squadra"));
    ZonaAccoppiate = new QWidget(this);

    connect(Partite, &TEditPartite::OnModificato, this, [this] {
        modificato_ = true;
        emit OnModificato();
    });
    connect(GridPerc, &TGridNumeri::Edited, this, &TEditSchedina::AggiornaSemafori);
    connect(GridVal, &TGridNumeri::Edited, this, &TEditSchedina::AggiornaSemafori);
    Relayout();
}

void TEditSchedina::Relayout() {
    const int rowH = RowStep - 1;
    Pronostico->DeltaX = RowStep;
    Pronostico->DeltaY = RowStep;
    Pronostico->Relayout();
    const int gridTop = kTop + Pronostico->TopGap + (Pronostico->Diametro - rowH) / 2;
    // Match numbers, names, circles, percentages, values, left to right.
    int x = kLeft;
    for (std::size_t m = 0; m < matchNums_.size(); ++m) {
        matchNums_[m]->setGeometry(x, gridTop + static_cast<int>(m) * 2 * RowStep, 18, RowStep + rowH);
    }
    x += 22;
    Partite->move(x, 0);
    Partite->Relayout(gridTop, RowStep, rowH);
    x += TEditPartite::kWidth + 6;
    Pronostico->move(x, kTop);
    const int proX = x;
    x += Pronostico->width() + 8;
    const int percX = x;
    const int percCell = 32;
    GridPerc->move(percX, gridTop);
    GridPerc->Relayout(RowStep, rowH, percCell);
    x += GridPerc->width() + 8;
    const int valX = x;
    const int valCell = 38;
    GridVal->move(valX, gridTop);
    GridVal->Relayout(RowStep, rowH, valCell);
    const int right = valX + GridVal->width();

    auto head = [](QLabel* l, TSemaforo* s, int left, int width) {
        s->move(left, 6);
        l->setGeometry(left + 20, 2, width - 20, 22);
    };
    headSquadre_->setGeometry(kLeft + 22, 23, TEditPartite::kWidth, 16);
    head(headPro_, SPronostico, proX, 110);
    head(headPerc_, SPercentuali, percX, GridPerc->width());
    head(headVal_, SValori, valX, GridVal->width());
    headPro_->raise();
    for (int j = 0; j < 4; ++j) {
        const QRect c = Pronostico->CircleRect(0, j);
        signHeads_[static_cast<std::size_t>(j)]->setGeometry(proX + c.x(), 23, c.width(), 16);
        signHeads_[static_cast<std::size_t>(4 + j)]->setGeometry(percX + j * percCell, 23, percCell, 16);
        signHeads_[static_cast<std::size_t>(8 + j)]->setGeometry(valX + j * valCell, 23, valCell, 16);
    }
    const int bottom = kTop + Pronostico->height() + 6;
    BtnTutti->setGeometry(proX, bottom, Pronostico->width(), 26);
    BtnAnalisi->setGeometry(percX, bottom, GridPerc->width(), 26);
    BtnArchivio->setGeometry(valX, bottom, GridVal->width(), 26);
    // Bottom strip: contest number, then the main window's pair-mode switches and "Squadre".
    const int strip = bottom + 34;
    labelNumero_->setGeometry(kLeft, strip + 2, 80, 24);
    Numero->setGeometry(kLeft + 82, strip + 2, 34, 24);
    ZonaAccoppiate->setGeometry(kLeft + 128, strip, right - kLeft - 128, 28);
    setFixedSize(right + kLeft, strip + 32);
}

TeamGrid TEditSchedina::GetPercentuali() {
    TeamGrid g{};
    for (int r = 0; r < kTeams; ++r) {
        const auto row =
            RegolaPercentuali(GridPerc->Value(r, 0), GridPerc->Value(r, 1), GridPerc->Value(r, 2));
        for (int c = 0; c < 4; ++c) {
            g[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = row[static_cast<std::size_t>(c)];
            GridPerc->SetValue(r, c, row[static_cast<std::size_t>(c)]);
        }
    }
    return g;
}

void TEditSchedina::SetPercentuali(const TeamGrid& g) {
    for (int r = 0; r < kTeams; ++r) {
        for (int c = 0; c < 4; ++c) {
            GridPerc->SetValue(r, c, g[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        }
    }
}

TeamGrid TEditSchedina::GetValori() {
    TeamGrid g{};
    for (int r = 0; r < kTeams; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int v = GridVal->Value(r, c);
            g[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = v;
            GridVal->SetValue(r, c, v);
        }
    }
    return g;
}

void TEditSchedina::SetValori(const TeamGrid& g) {
    for (int r = 0; r < kTeams; ++r) {
        for (int c = 0; c < 4; ++c) {
            GridVal->SetValue(r, c, g[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        }
    }
}

void TEditSchedina::Azzera() {
    Pronostico->SetPronostico({});
    SetPercentuali({});
    SetValori({});
    Partite->SetSquadre({});
    Numero->setText(QStringLiteral("1"));
}

void TEditSchedina::SetModificato(bool on) {
    modificato_ = on;
    if (!on) {
        Pronostico->Modificato = false;
        Partite->Modificato = false;
    }
}

void TEditSchedina::AggiornaSemafori() {
    SPronostico->SetStato(Pronostico->PronosticoCompleto());
    SPercentuali->SetStato(GridPerc->OgniRigaCompilata());
    SValori->SetStato(GridVal->OgniRigaCompilata());
    modificato_ = true;
    emit OnModificato();
}

} // namespace tessaline
