#include "develop/ui/recalc_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "core/ui/qt_text.h"
#include "system/sistema.h"

namespace tessaline {

TFormRicalcoloAutomatico::TFormRicalcoloAutomatico(T_Sistema& sys, QWidget* parent)
    : QWidget(parent, Qt::Tool), sys_(sys) {
    setObjectName(QStringLiteral("FormRicalcoloAutomatico"));
    setWindowTitle(QStringLiteral("Numero di Colonne"));
    PanelCol = new QLabel(QStringLiteral("0"), this);
    PanelCol->setObjectName(QStringLiteral("PanelCol"));
    QFont big = PanelCol->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    PanelCol->setFont(big);
    PanelCol->setAlignment(Qt::AlignCenter);
    PanelCol->setFrameShape(QFrame::StyledPanel);
    PanelCol->setFrameShadow(QFrame::Sunken);
    PanelCol->setMinimumWidth(130);
    PanelPerc = new QLabel(this);
    PanelPerc->setObjectName(QStringLiteral("PanelPerc"));
    PanelPerc->setAlignment(Qt::AlignCenter);
    PanelPerc->setFrameShape(QFrame::StyledPanel);
    PanelPerc->setFrameShadow(QFrame::Sunken);
    PanelPerc->setMinimumWidth(60);
    PanelComp = new QLabel(QStringLiteral("Calcolo completato"), this);
    PanelComp->setObjectName(QStringLiteral("PanelComp"));
    PanelComp->setAlignment(Qt::AlignCenter);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setTextVisible(false);
    Gauge->setFixedHeight(14);
    BtnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    BtnAnnulla->setObjectName(QStringLiteral("BtnAnnulla"));
    BtnAnnulla->setVisible(false);
    connect(BtnAnnulla, &QPushButton::clicked, this, [this] { cancel_.Request(); });
    auto* row = new QHBoxLayout;
    row->addWidget(PanelCol, 1);
    row->addWidget(PanelPerc);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 6, 6, 6);
    lay->addLayout(row);
    lay->addWidget(Gauge);
    lay->addWidget(PanelComp);
    lay->addWidget(BtnAnnulla, 0, Qt::AlignHCenter);
    Inizializza();
    // Wide enough for the whole title beside the title bar's buttons.
    setMinimumWidth(std::max(minimumSizeHint().width(),
                             QFontMetrics(QApplication::font()).horizontalAdvance(windowTitle()) + 110));
    adjustSize();
}

void TFormRicalcoloAutomatico::Posiziona(QWidget* mainWindow, QWidget* toolPanel) {
    main_ = mainWindow;
    tools_ = toolPanel;
    if (main_ == nullptr) {
        return;
    }
    const int below = tools_ != nullptr ? tools_->geometry().bottom() + 1 : 0;
    const QPoint topRight = main_->mapToGlobal(QPoint(main_->width(), below + 37));
    move(topRight.x() - frameGeometry().width(), topRight.y());
    placed_ = true;
}

// Placed each time it opens, at the main window's right edge as the main window stands now (it may
// have been resized or moved since the panel was made).
void TFormRicalcoloAutomatico::Mostra() {
    if (!isVisible() && main_ != nullptr) {
        Posiziona(main_, tools_);
    }
    show();
}

void TFormRicalcoloAutomatico::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Inizializza();
}

void TFormRicalcoloAutomatico::Mostra(bool changed) {
    if (!changed) {
        return;
    }
    PanelCol->setText(Q(model_.Colonne()));
    PanelPerc->setText(Q(model_.Variazione()));
    Gauge->setValue(model_.Gauge());
    Gauge->setVisible(model_.GaugeVisible());
    PanelComp->setVisible(!model_.GaugeVisible());
}

void TFormRicalcoloAutomatico::InizioCalcolo() {
    cancel_.Reset();
    running_ = true;
    BtnAnnulla->setVisible(true);
    BtnAnnulla->setEnabled(true);
}

void TFormRicalcoloAutomatico::FineCalcolo() {
    running_ = false;
    cancel_.Reset();
    BtnAnnulla->setVisible(false);
}

void TFormRicalcoloAutomatico::Inizio(bool /*recalculation*/, bool /*reducing*/) {
    Inizializza();
}

void TFormRicalcoloAutomatico::Inizializza() {
    model_.Inizializza();
    Mostra(true);
}

void TFormRicalcoloAutomatico::AggiornaCond(std::int64_t total, std::int64_t accepted, bool /*final*/,
                                            std::int64_t examined) {
    Mostra(model_.AggiornaCond(total, accepted, examined));
}

void TFormRicalcoloAutomatico::AggiornaCondRid(std::int64_t total, std::int64_t accepted, bool /*final*/,
                                               std::int64_t /*kept*/, std::int64_t examined) {
    Mostra(model_.AggiornaRid(total, accepted, examined));
}

void TFormRicalcoloAutomatico::AggiornaRidOtt(std::int64_t initial, std::int64_t chosen, bool /*final*/,
                                              std::int64_t covered) {
    Mostra(model_.AggiornaRid(initial, chosen, covered));
}

void TFormRicalcoloAutomatico::CalcoloTerminato(std::int64_t finalCount, std::int64_t previousCount) {
    model_.CalcoloTerminato(finalCount, previousCount);
    Mostra(true);
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isWindow()) {
            ++visible;
        }
    }
    if (visible > 2) {
        raise();
    }
}

void TFormRicalcoloAutomatico::RefreshMainWindow() {
    if (aggiornaPrincipale) {
        aggiornaPrincipale();
    }
}

void TFormRicalcoloAutomatico::closeEvent(QCloseEvent* e) {
    if (running_) {
        cancel_.Request(); // the run stops first; the panel stays
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
    if (e->isAccepted()) {
        sys_.dati.sviluppo.AutoRecalc = 0;
        sys_.modified = true;
        RefreshMainWindow();
    }
}

} // namespace tessaline
