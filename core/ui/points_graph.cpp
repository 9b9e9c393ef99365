#include "core/ui/points_graph.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace tessaline {

namespace {

constexpr int kTesto = 30; // the row captions
constexpr int kFreccia = 14;
constexpr int kSpazio = 2; // between boxes
constexpr int kLivelloMax = 99;

const QColor kColAmmesso(46, 139, 87);
const QColor kColRecupero(232, 150, 40);
const QColor kColVuoto(255, 255, 255);

} // namespace

// ---- the rows of boxes

TStrisciaPt::TStrisciaPt(TGraphPt& owner) : QWidget(&owner), g_(owner) {
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QStringLiteral("Striscia"));
}

int TStrisciaPt::AltezzaSezione() const {
    // Boxes, the level buttons and the level number between them (no levels without recovery).
    return g_.ABoxPt + 4 + (g_.RecVisibili ? 2 + 2 * g_.ABtn + g_.ARec : 0);
}

int TStrisciaPt::TopSezione(bool cons) const {
    const bool pt = g_.TipoPunti;
    return cons && pt ? AltezzaSezione() : 0;
}

int TStrisciaPt::XBox(int indice) const {
    return (g_.Testo ? kTesto : 0) + indice * (g_.LBoxPt + kSpazio);
}

QSize TStrisciaPt::sizeHint() const {
    const int sezioni = (g_.TipoPunti ? 1 : 0) + (g_.TipoCons ? 1 : 0);
    return {XBox(g_.PtVisibili), std::max(1, sezioni) * AltezzaSezione()};
}

QRect TStrisciaPt::RettangoloBox(bool cons, int v) const {
    const int i = v - g_.PtIniziale;
    if (i < 0 || i >= g_.PtVisibili || v >= g_.PtTotali || (cons ? !g_.TipoCons : !g_.TipoPunti)) {
        return {};
    }
    return {XBox(i), TopSezione(cons), g_.LBoxPt, g_.ABoxPt};
}

QRect TStrisciaPt::RettangoloLivello(bool cons, int v, bool su) const {
    const QRect b = RettangoloBox(cons, v);
    if (b.isNull()) {
        return {};
    }
    const int y = b.bottom() + 3 + (su ? 0 : g_.ABtn + g_.ARec);
    return {b.left(), y, b.width(), g_.ABtn};
}

void TStrisciaPt::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.5));
    for (const bool cons : {false, true}) {
        if (cons ? !g_.TipoCons : !g_.TipoPunti) {
            continue;
        }
        const int top = TopSezione(cons);
        if (g_.Testo) {
            p.setPen(palette().color(QPalette::WindowText));
            p.setFont(small);
            p.drawText(QRect(0, top, kTesto, g_.ABoxPt), Qt::AlignVCenter | Qt::AlignLeft,
                       cons ? QStringLiteral("Con.") : QStringLiteral("Pnt."));
            if (g_.RecVisibili) {
                p.drawText(QRect(0, top + g_.ABoxPt + 3 + g_.ABtn, kTesto, g_.ARec),
                           Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Liv."));
            }
        }
        const int last = std::min(g_.PtTotali, g_.PtIniziale + g_.PtVisibili);
        for (int v = g_.PtIniziale; v < last; ++v) {
            const QRect b = RettangoloBox(cons, v);
            const TVoce e = g_.Voce(cons, v);
            QColor fill = kColVuoto;
            QColor text = QColor(110, 110, 110);
            if (e.Stato == kAmmesso) {
                fill = kColAmmesso;
                text = Qt::white;
            } else if (e.Stato == kRecupero) {
                fill = kColRecupero;
                text = Qt::black;
            }
            p.setPen(QColor(90, 90, 90));
            p.setBrush(fill);
            p.drawRect(b.adjusted(0, 0, -1, -1));
            QFont f = font();
            f.setBold(e.Stato != kNonAmmesso);
            p.setFont(f);
            p.setPen(text);
            p.drawText(b, Qt::AlignCenter, QString::number(v));
            if (hasFocus() && g_.cursoreCons == cons && g_.cursore == v) {
                QPen pen(palette().color(QPalette::Highlight));
                pen.setWidth(2);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(b.adjusted(1, 1, -2, -2));
            }
            if (e.Stato == kRecupero) {
                // The level between its two buttons.
                const QRect su = RettangoloLivello(cons, v, true);
                const QRect giu = RettangoloLivello(cons, v, false);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(200, 200, 200));
                p.drawRect(su.adjusted(1, 0, -1, 0));
                p.drawRect(giu.adjusted(1, 0, -1, 0));
                p.setBrush(QColor(60, 60, 60));
                const int cx = su.center().x();
                p.drawPolygon(QPolygon({QPoint(cx - 4, su.bottom() - 1), QPoint(cx + 4, su.bottom() - 1),
                                        QPoint(cx, su.top() + 1)}));
                p.drawPolygon(QPolygon({QPoint(cx - 4, giu.top() + 1), QPoint(cx + 4, giu.top() + 1),
                                        QPoint(cx, giu.bottom() - 1)}));
                p.setPen(kColRecupero.darker(160));
                p.setFont(small);
                p.drawText(QRect(b.left() - 2, su.bottom() + 1, b.width() + 4, g_.ARec), Qt::AlignCenter,
                           QString::number(e.Livello));
            }
        }
    }
}

void TStrisciaPt::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pt = e->position().toPoint();
    const int last = std::min(g_.PtTotali, g_.PtIniziale + g_.PtVisibili);
    for (const bool cons : {false, true}) {
        for (int v = g_.PtIniziale; v < last; ++v) {
            if (RettangoloBox(cons, v).contains(pt)) {
                g_.cursoreCons = cons;
                g_.cursore = v;
                g_.Cicla(cons, v);
                return;
            }
            if (g_.Voce(cons, v).Stato == kRecupero) {
                if (RettangoloLivello(cons, v, true).contains(pt)) {
                    g_.CambiaLivello(cons, v, 1);
                    return;
                }
                if (RettangoloLivello(cons, v, false).contains(pt)) {
                    g_.CambiaLivello(cons, v, -1);
                    return;
                }
            }
        }
    }
}

void TStrisciaPt::wheelEvent(QWheelEvent* e) {
    const QPoint pt = e->position().toPoint();
    const int step = e->angleDelta().y() > 0 ? 1 : (e->angleDelta().y() < 0 ? -1 : 0);
    const int last = std::min(g_.PtTotali, g_.PtIniziale + g_.PtVisibili);
    for (const bool cons : {false, true}) {
        for (int v = g_.PtIniziale; v < last; ++v) {
            const QRect col = RettangoloBox(cons, v).united(RettangoloLivello(cons, v, false));
            if (col.contains(pt) && g_.Voce(cons, v).Stato == kRecupero) {
                g_.CambiaLivello(cons, v, step);
                e->accept();
                return;
            }
        }
    }
    // Elsewhere the wheel scrolls the values.
    g_.ImpostaIniziale(g_.PtIniziale - step);
    e->accept();
}

void TStrisciaPt::keyPressEvent(QKeyEvent* e) {
    const bool cons = g_.cursoreCons;
    const int v = g_.cursore;
    auto sposta = [this](int to) {
        g_.cursore = std::clamp(to, 0, g_.PtTotali - 1);
        if (g_.cursore < g_.PtIniziale) {
            g_.ImpostaIniziale(g_.cursore);
        } else if (g_.cursore >= g_.PtIniziale + g_.PtVisibili) {
            g_.ImpostaIniziale(g_.cursore - g_.PtVisibili + 1);
        }
        update();
    };
    switch (e->key()) {
    case Qt::Key_Left:
        sposta(v - 1);
        break;
    case Qt::Key_Right:
        sposta(v + 1);
        break;
    case Qt::Key_Home:
        sposta(0);
        break;
    case Qt::Key_End:
        sposta(g_.PtTotali - 1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (g_.TipoPunti && g_.TipoCons) {
            g_.cursoreCons = !cons;
            update();
        }
        break;
    case Qt::Key_Space:
        g_.Cicla(cons, v);
        break;
    case Qt::Key_Plus:
    case Qt::Key_PageUp:
        g_.CambiaLivello(cons, v, 1);
        break;
    case Qt::Key_Minus:
    case Qt::Key_PageDown:
        g_.CambiaLivello(cons, v, -1);
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

// ---- the editor

TGraphPt::TGraphPt(QWidget* parent)
    : QWidget(parent), tab_(std::make_unique<TTabellaPunti>(12, true)), striscia_(new TStrisciaPt(*this)) {
    LabelTitolo = new QLabel(this);
    QFont bold = LabelTitolo->font();
    bold.setBold(true);
    LabelTitolo->setFont(bold);
    BtnSinistra = new QToolButton(this);
    BtnSinistra->setArrowType(Qt::LeftArrow);
    BtnSinistra->setAutoRepeat(true);
    BtnSinistra->setFixedWidth(kFreccia + 4);
    BtnDestra = new QToolButton(this);
    BtnDestra->setArrowType(Qt::RightArrow);
    BtnDestra->setAutoRepeat(true);
    BtnDestra->setFixedWidth(kFreccia + 4);
    connect(BtnSinistra, &QToolButton::clicked, this, [this] { ImpostaIniziale(PtIniziale - 1); });
    connect(BtnDestra, &QToolButton::clicked, this, [this] { ImpostaIniziale(PtIniziale + 1); });

    auto letters = [this] {
        auto* c = new QComboBox(this);
        for (char l = 'A'; l <= 'Z'; ++l) {
            c->addItem(QString(QChar::fromLatin1(l)));
        }
        c->setMaxVisibleItems(13);
        connect(c, &QComboBox::currentIndexChanged, this, [this] { Cambia(); });
        return c;
    };
    auto spin = [this](int lo, int hi) {
        auto* s = new QSpinBox(this);
        s->setRange(lo, hi);
        connect(s, &QSpinBox::valueChanged, this, [this] { Cambia(); });
        return s;
    };
    LinkPt = letters();
    LinkPt->setObjectName(QStringLiteral("LinkPt"));
    TraPt = spin(0, kGruppiTra);
    TraPt->setObjectName(QStringLiteral("TraPt"));
    LinkCs = letters();
    LinkCs->setObjectName(QStringLiteral("LinkCs"));
    TraCs = spin(0, kGruppiTra);
    TraCs->setObjectName(QStringLiteral("TraCs"));
    CampoMin = spin(1, 12);
    CampoMin->setObjectName(QStringLiteral("CampoMin"));
    CampoMax = spin(1, 12);
    CampoMax->setObjectName(QStringLiteral("CampoMax"));
    CampoMax->setValue(12);
    // Min never above Max.
    connect(CampoMin, &QSpinBox::valueChanged, this, [this](int v) {
        if (CampoMax->value() < v) {
            CampoMax->setValue(v);
        }
    });
    connect(CampoMax, &QSpinBox::valueChanged, this, [this](int v) {
        if (CampoMin->value() > v) {
            CampoMin->setValue(v);
        }
    });

    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setBuddy(buddy);
        return l;
    };
    labelLinkPt_ = label("Link Pnt.", LinkPt);
    labelTraPt_ = label("Tra", TraPt);
    labelLinkCs_ = label("Link Con.", LinkCs);
    labelTraCs_ = label("Tra", TraCs);
    labelCampo_ = label("Campo Min", CampoMin);
    labelMax_ = label("Max", CampoMax);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 3, 6, 2);
    top->setSpacing(1);
    top->addWidget(LabelTitolo);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(BtnSinistra, 0, Qt::AlignVCenter);
    row->addWidget(striscia_, 0, Qt::AlignTop);
    row->addWidget(BtnDestra, 0, Qt::AlignVCenter);
    row->addSpacing(8);
    // Beside the boxes: the letter and group of each section, then the field.
    righe_ = new QWidget(this);
    auto* grid = new QGridLayout(righe_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    auto put = [this, grid](QWidget* w, int r, int c) {
        w->setParent(righe_);
        grid->addWidget(w, r, c);
    };
    put(labelLinkPt_, 0, 0);
    put(LinkPt, 0, 1);
    put(labelTraPt_, 0, 2);
    put(TraPt, 0, 3);
    put(labelLinkCs_, 1, 0);
    put(LinkCs, 1, 1);
    put(labelTraCs_, 1, 2);
    put(TraCs, 1, 3);
    put(labelCampo_, 2, 0);
    put(CampoMin, 2, 1);
    put(labelMax_, 2, 2);
    put(CampoMax, 2, 3);
    grid->setRowStretch(3, 1);
    row->addWidget(righe_, 0, Qt::AlignTop);
    row->addStretch(1);
    top->addLayout(row);
    Aggiorna();
    Modificato = false;
}

TGraphPt::~TGraphPt() = default;

void TGraphPt::Aggiorna() {
    LabelTitolo->setText(Titolo);
    LabelTitolo->setVisible(!Titolo.isEmpty());
    if (!tab_->HaCons()) {
        TipoCons = false;
    }
    PtVisibili = std::clamp(PtVisibili, 1, std::max(1, PtTotali));
    const bool scroll = PtVisibili < PtTotali;
    BtnSinistra->setVisible(scroll);
    BtnDestra->setVisible(scroll);
    labelLinkPt_->setVisible(LinkTra && TipoPunti);
    LinkPt->setVisible(LinkTra && TipoPunti);
    labelTraPt_->setVisible(LinkTra && TipoPunti);
    TraPt->setVisible(LinkTra && TipoPunti);
    labelLinkCs_->setVisible(LinkTra && TipoCons);
    LinkCs->setVisible(LinkTra && TipoCons);
    labelTraCs_->setVisible(LinkTra && TipoCons);
    TraCs->setVisible(LinkTra && TipoCons);
    for (QWidget* w : std::initializer_list<QWidget*>{labelCampo_, CampoMin, labelMax_, CampoMax}) {
        w->setVisible(TipoCampo);
    }
    righe_->setVisible(LinkTra || TipoCampo);
    ImpostaIniziale(PtIniziale);
    striscia_->updateGeometry();
    striscia_->setFixedSize(striscia_->sizeHint());
    update();
}

void TGraphPt::ImpostaIniziale(int first) {
    const int hi = std::max(0, PtTotali - PtVisibili);
    PtIniziale = std::clamp(first, 0, hi);
    BtnSinistra->setEnabled(PtIniziale > 0);
    BtnDestra->setEnabled(PtIniziale < hi);
    striscia_->update();
}

void TGraphPt::ImpostaTabella(const TTabellaPunti& t) {
    caricando_ = true;
    tab_ = std::make_unique<TTabellaPunti>(t.N(), t.HaCons());
    tab_->Pt = t.Pt;
    tab_->Cs = t.Cs;
    tab_->CampoMin = t.CampoMin;
    tab_->CampoMax = t.CampoMax;
    PtTotali = t.N() + 1;
    TipoCons = TipoCons && t.HaCons();
    LinkPt->setCurrentIndex(t.Pt.Link - 'A');
    TraPt->setValue(t.Pt.Tra);
    LinkCs->setCurrentIndex(t.Cs.Link - 'A');
    TraCs->setValue(t.Cs.Tra);
    CampoMin->setValue(t.CampoMin);
    CampoMax->setValue(t.CampoMax);
    caricando_ = false;
    Modificato = false;
    Aggiorna();
}

void TGraphPt::LeggiTabella(TTabellaPunti& t) const {
    TTabellaPunti& s = *tab_;
    t.Pt.Link = static_cast<char>('A' + LinkPt->currentIndex());
    t.Pt.Tra = static_cast<std::int16_t>(TraPt->value());
    t.Cs.Link = static_cast<char>('A' + LinkCs->currentIndex());
    t.Cs.Tra = static_cast<std::int16_t>(TraCs->value());
    for (int v = 0; v <= t.N(); ++v) {
        const std::size_t i = static_cast<std::size_t>(v);
        const bool in = v <= s.N();
        t.Pt.Voci[i] = in ? s.Pt.Voci[i] : TVoce{};
        t.Cs.Voci[i] = in && t.HaCons() ? s.Cs.Voci[i] : TVoce{};
    }
    t.ImpostaCampo(CampoMin->value(), CampoMax->value());
}

void TGraphPt::Svuota() {
    caricando_ = true;
    tab_->Svuota();
    LinkPt->setCurrentIndex(0);
    TraPt->setValue(0);
    LinkCs->setCurrentIndex(0);
    TraCs->setValue(0);
    CampoMin->setValue(1);
    CampoMax->setValue(12);
    caricando_ = false;
    Cambia();
}

TVoce TGraphPt::Voce(bool cons, int v) const {
    if (v < 0 || v > tab_->N()) {
        return {};
    }
    return Sezione(cons).Voci[static_cast<std::size_t>(v)];
}

void TGraphPt::Cicla(bool cons, int v) {
    if (v < 0 || v > tab_->N()) {
        return;
    }
    const TVoce e = Voce(cons, v);
    std::uint8_t next = kNonAmmesso;
    if (e.Stato == kNonAmmesso) {
        next = kAmmesso;
    } else if (e.Stato == kAmmesso && RecVisibili) {
        next = kRecupero;
    }
    tab_->Imposta(cons, v, next, next == kRecupero ? std::uint8_t{1} : std::uint8_t{0});
    Cambia();
}

void TGraphPt::CambiaLivello(bool cons, int v, int delta) {
    const TVoce e = Voce(cons, v);
    if (e.Stato != kRecupero) {
        return;
    }
    const int level = std::clamp(e.Livello + delta, 1, kLivelloMax);
    if (level != e.Livello) {
        tab_->Imposta(cons, v, kRecupero, static_cast<std::uint8_t>(level));
        Cambia();
    }
}

void TGraphPt::Cambia() {
    if (caricando_) {
        return;
    }
    Modificato = true;
    striscia_->update();
    emit OnModificato();
}

void TGraphPt::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (Bordo) {
        QPainter p(this);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// ---- the legend

TLegenda::TLegenda(QWidget* parent) : QWidget(parent) {}

void TLegenda::SetGapX(int v) {
    gapX_ = v;
    update();
}
void TLegenda::SetGapY(int v) {
    gapY_ = v;
    update();
}
void TLegenda::SetGapOriz(int v) {
    gapOriz_ = v;
    update();
}
void TLegenda::SetStart(int v) {
    start_ = v;
    update();
}
void TLegenda::SetNumPoint(int v) {
    numPoint_ = v;
    update();
}
void TLegenda::SetLista(const QStringList& l) {
    lista_ = l;
    update();
}

std::vector<TLegenda::TPezzo> TLegenda::Pezzi() const {
    std::vector<TPezzo> out;
    const QFontMetrics fm(font());
    for (int i = std::max(0, start_); i < start_ + numPoint_ && i < lista_.size(); ++i) {
        const QString& label = lista_[i];
        const qsizetype comma = label.indexOf(QLatin1Char(','));
        const QString first = comma < 0 ? label : label.left(comma);
        const int cx = (i - start_) * gapOriz_ + gapX_;
        const int x = cx - fm.horizontalAdvance(first) / 2;
        out.push_back({first, QPoint(x, gapY_)});
        if (comma >= 0) {
            out.push_back({label.mid(comma + 1), QPoint(x, gapY_ + fm.height())});
        }
    }
    return out;
}

void TLegenda::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    for (const TPezzo& pz : Pezzi()) {
        p.drawText(pz.pos + QPoint(0, fm.ascent()), pz.testo);
    }
}

} // namespace tessaline
