#include "develop/ui/develop_window.h"

#include <QApplication>
#include <QChartView>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPieSeries>
#include <QPieSlice>
#include <QVBoxLayout>
#include <exception>

#include "core/cost.h"
#include "core/rounding.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "system/sistema.h"

namespace tessaline {

TTorta::TTorta(QWidget* parent) : QWidget(parent) {
    series_ = new QPieSeries(this);
    QPieSlice* first = series_->append(QString(), 0);
    QPieSlice* second = series_->append(QString(), 100);
    first->setColor(QColor(0x20, 0xa0, 0x30));
    second->setColor(QColor(0x20, 0x50, 0xd0));
    for (QPieSlice* s : {first, second}) {
        s->setBorderColor(Qt::white);
    }
    auto* chart = new QChart;
    chart->addSeries(series_);
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
    chart->setBackgroundVisible(false);
    view_ = new QChartView(chart, this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(view_);
    setFixedSize(110, 110);
}

void TTorta::Imposta(double percent) {
    percent_ = percent;
    const QList<QPieSlice*> slices = series_->slices();
    slices[0]->setValue(percent);
    slices[1]->setValue(100.0 - percent);
}

namespace {

QLabel* Valore(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(150);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

int Percento(std::int64_t part, std::int64_t total) {
    return total < 1
               ? 0
               : static_cast<int>(Truncate(static_cast<double>(part) / static_cast<double>(total) * 100.0));
}

double Quota(std::int64_t part, std::int64_t total) {
    return total < 1 ? 0.0 : static_cast<double>(part) / static_cast<double>(total) * 100.0;
}

} // namespace

TFrmSviluppo::TFrmSviluppo(T_Sistema& sys, QWidget* parent) : QDialog(parent), sys_(sys) {
    setObjectName(QStringLiteral("FrmSviluppo"));
    setWindowTitle(QStringLiteral("Sviluppo"));
    setWindowModality(Qt::ApplicationModal);

    GroupBoxC = new QGroupBox(QStringLiteral("Condizionamento"), this);
    GroupBoxC->setObjectName(QStringLiteral("GroupBoxC"));
    auto* gc = new QGridLayout(GroupBoxC);
    ColonneIniziali = Valore(GroupBoxC, "ColonneIniziali");
    ColonneFiltrate = Valore(GroupBoxC, "ColonneFiltrate");
    ColonneFinali = Valore(GroupBoxC, "ColonneFinali");
    gc->addWidget(new QLabel(QStringLiteral("Colonne Iniziali :"), GroupBoxC), 0, 0);
    gc->addWidget(ColonneIniziali, 0, 1);
    gc->addWidget(new QLabel(QStringLiteral("Colonne Filtrate :"), GroupBoxC), 1, 0);
    gc->addWidget(ColonneFiltrate, 1, 1);
    gc->addWidget(new QLabel(QStringLiteral("Colonne Finali :"), GroupBoxC), 2, 0);
    gc->addWidget(ColonneFinali, 2, 1);
    TortaC = new TTorta(GroupBoxC);
    TortaC->setObjectName(QStringLiteral("TortaC"));
    gc->addWidget(TortaC, 0, 2, 3, 1);
    gc->setColumnStretch(1, 1);

    GroupBoxR = new QGroupBox(this);
    GroupBoxR->setObjectName(QStringLiteral("GroupBoxR"));
    auto* gr = new QGridLayout(GroupBoxR);
    RColonneIniziali = Valore(GroupBoxR, "RColonneIniziali");
    RColonneFinali = Valore(GroupBoxR, "RColonneFinali");
    LabelFattore = Valore(GroupBoxR, "LabelFattore");
    ridCaptions_ = {new QLabel(QStringLiteral("Colonne Iniziali :"), GroupBoxR),
                    new QLabel(QStringLiteral("Colonne Finali :"), GroupBoxR),
                    new QLabel(QStringLiteral("Fattore Di Riduzione :"), GroupBoxR)};
    const std::array<QLabel*, 3> values = {RColonneIniziali, RColonneFinali, LabelFattore};
    for (int i = 0; i < 3; ++i) {
        gr->addWidget(ridCaptions_[static_cast<std::size_t>(i)], i, 0);
        gr->addWidget(values[static_cast<std::size_t>(i)], i, 1);
    }
    TortaR = new TTorta(GroupBoxR);
    TortaR->setObjectName(QStringLiteral("TortaR"));
    gr->addWidget(TortaR, 0, 2, 3, 1);
    gr->setColumnStretch(1, 1);

    GroupBoxStato = new QGroupBox(QStringLiteral("Stato"), this);
    GroupBoxStato->setObjectName(QStringLiteral("GroupBoxStato"));
    auto* gs = new QVBoxLayout(GroupBoxStato);
    LabelStato = new QLabel(GroupBoxStato);
    LabelStato->setObjectName(QStringLiteral("LabelStato"));
    LabelStato->setMinimumWidth(380);
    Gauge1 = new QProgressBar(GroupBoxStato);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    gs->addWidget(LabelStato);
    gs->addWidget(Gauge1);

    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnAnnulla->setObjectName(QStringLiteral("BtnAnnulla"));
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnAnnulla, &QPushButton::clicked, this, &TFrmSviluppo::AnnullaClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnAnnulla);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GroupBoxC);
    lay->addWidget(GroupBoxR);
    lay->addWidget(GroupBoxStato);
    lay->addLayout(buttons);
    FormShow();
}

void TFrmSviluppo::FormShow() {
    const auto& dev = sys_.dati.sviluppo;
    const bool reduced = dev.ReducedDevelopment == 1;
    GroupBoxR->setEnabled(reduced);
    if (!reduced) {
        GroupBoxR->setTitle(QString());
    } else if (dev.MinDistanceMode != 0) {
        GroupBoxR->setTitle(QStringLiteral("Riduzione a Distanza Minima %1").arg(dev.MinDistance));
    } else {
        GroupBoxR->setTitle(QStringLiteral("Autoriduzione a Garanzia del %1").arg(dev.Guarantee));
    }
    for (TTorta* t : {TortaC, TortaR}) {
        t->Imposta(0);
        t->setVisible(false);
    }
    for (QLabel* l :
         {LabelFattore, RColonneFinali, RColonneIniziali, ColonneIniziali, ColonneFiltrate, ColonneFinali}) {
        l->clear();
    }
    ShowReductionLabels(false);
    LabelStato->clear();
    Gauge1->setValue(0);
}

QString TFrmSviluppo::Costo(std::int64_t n) const {
    const auto& s = sys_.dati.settings;
    return QStringLiteral("%1 (%2)").arg(n).arg(
        Q(CostText(static_cast<double>(n) * s.ColumnCost(), s.costsInEuro)));
}

TDevelopResult TFrmSviluppo::Esegui(UserPrompt* prompt) {
    FormShow();
    cancel_.Reset();
    BtnOk->setEnabled(false);
    running_ = true;
    show();
    raise();
    const TDevelopRequest request = TDevelopRequest::Of(sys_);
    TQueuedDevelopProgress progress(this, *this);
    TUiThreadPrompt asked(prompt);
    TDevelopHooks hooks;
    hooks.progress = &progress;
    hooks.prompt = &asked;
    hooks.cancel = &cancel_;
    TDevelopOutcome outcome;
    try {
        RunOnWorker([&] { outcome = RunDevelopment(request, hooks); });
    } catch (...) {
        progress.Flush();
        running_ = false;
        BtnOk->setEnabled(true);
        hide();
        RefreshMainWindow();
        throw;
    }
    progress.Flush();
    const TDevelopResult result = outcome.result;
    ApplyDevelopment(sys_, std::move(outcome));
    running_ = false;
    BtnOk->setEnabled(true);
    cancel_.Reset();
    RefreshMainWindow();
    return result;
}

void TFrmSviluppo::AnnullaClick() {
    if (running_) {
        cancel_.Request(); // the run takes the click first
        return;
    }
    reject();
}

void TFrmSviluppo::reject() {
    if (running_) {
        cancel_.Request();
        return;
    }
    QDialog::reject();
    RefreshMainWindow();
}

void TFrmSviluppo::closeEvent(QCloseEvent* e) {
    if (running_) {
        cancel_.Request();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
    RefreshMainWindow();
}

void TFrmSviluppo::AggiornaCond(std::int64_t total, std::int64_t accepted, bool final,
                                std::int64_t examined) {
    const int p = Percento(examined, total);
    if (final || p > Gauge1->value() + 1) {
        Gauge1->setValue(p);
        ColonneFinali->setText(Costo(accepted));
        ColonneFiltrate->setText(QString::number(total - accepted));
    }
    if (final) {
        ColonneIniziali->setText(QString::number(total));
        TortaC->Imposta(Quota(accepted, total));
    }
}

void TFrmSviluppo::AggiornaCondRid(std::int64_t total, std::int64_t accepted, bool final, std::int64_t kept,
                                   std::int64_t examined) {
    const int p = Percento(examined, total);
    if (final || p > Gauge1->value()) {
        Gauge1->setValue(p);
        ColonneFinali->setText(Costo(accepted));
        RColonneIniziali->setText(Costo(accepted));
        ColonneFiltrate->setText(QString::number(examined - accepted));
        RColonneFinali->setText(Costo(kept));
        LabelFattore->setText(
            kept < 1 ? QString()
                     : QLocale().toString(static_cast<double>(accepted) / static_cast<double>(kept), 'f', 2));
    }
    if (final) {
        ColonneIniziali->setText(QString::number(total));
        TortaC->Imposta(Quota(accepted, total));
        TortaR->Imposta(Quota(kept, accepted));
    }
}

void TFrmSviluppo::AggiornaRidOtt(std::int64_t initial, std::int64_t chosen, bool final,
                                  std::int64_t covered) {
    const int p = Percento(covered, initial);
    if (final || p != Gauge1->value()) {
        Gauge1->setValue(p);
    }
    RColonneIniziali->setText(QString::number(initial));
    RColonneFinali->setText(Costo(chosen));
    LabelFattore->setText(
        chosen < 1 ? QString()
                   : QLocale().toString(static_cast<double>(covered) / static_cast<double>(chosen), 'f', 2));
    if (final) {
        TortaR->Imposta(Quota(chosen, initial));
    }
}

void TFrmSviluppo::AggiornaMigliorata(std::int64_t current, std::int64_t best, int percent) {
    if (percent != Gauge1->value()) {
        Gauge1->setValue(percent);
    }
    LabelStato->setText(QStringLiteral("Riduzione Migliorata : %1  (Migliore %2)")
                            .arg(QLocale().toString(static_cast<qlonglong>(current)),
                                 QLocale().toString(static_cast<qlonglong>(best))));
}

void TFrmSviluppo::Stato(const std::string& text) {
    LabelStato->setText(Q(text));
}

void TFrmSviluppo::ShowReductionLabels(bool show) {
    for (QLabel* l : {RColonneIniziali, RColonneFinali, LabelFattore}) {
        l->setVisible(show);
    }
    for (QLabel* l : ridCaptions_) {
        l->setVisible(show);
    }
}

void TFrmSviluppo::Inizio(bool /*recalculation*/, bool reducing) {
    ShowReductionLabels(reducing);
}

void TFrmSviluppo::CondizionamentoConcluso() {
    TortaC->setVisible(true);
    GroupBoxC->update();
}

void TFrmSviluppo::RiduzioneAvviata() {
    ShowReductionLabels(true);
}

void TFrmSviluppo::RiduzioneConclusa() {
    TortaR->setVisible(true);
    GroupBoxR->update();
}

void TFrmSviluppo::EnumerazioneInterrotta() {
    hide();
}

void TFrmSviluppo::RefreshMainWindow() {
    if (aggiornaPrincipale) {
        aggiornaPrincipale();
    }
}

} // namespace tessaline
