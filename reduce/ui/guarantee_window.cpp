#include "reduce/ui/guarantee_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>
#include <exception>

#include "conditions/condition_set.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "reduce/guarantee_print.h"
#include "system/sistema.h"

namespace tessaline {

namespace {
constexpr std::chrono::milliseconds kPumpInterval{30};

char Separatore() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? ',' : point.at(0).toLatin1();
}
} // namespace

void TFrmCalcGaranzie::TProbe::Pump() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kPumpInterval) {
        return;
    }
    last_ = now;
    QCoreApplication::processEvents();
}

bool TFrmCalcGaranzie::TProbe::Peek() {
    if (owner_.duranteIlCalcolo) {
        owner_.duranteIlCalcolo();
    }
    Pump();
    return flag.Peek();
}

bool TFrmCalcGaranzie::TProbe::Take() {
    Pump();
    return flag.Take();
}

TFrmCalcGaranzie::TFrmCalcGaranzie(TAppContext& app, TFileChooser& files, TRisultatiGaranzie& results,
                                   QWidget* parent)
    : QDialog(parent), app_(app), files_(files), results_(results) {
    setObjectName(QStringLiteral("FrmCalcGaranzie"));
    setWindowTitle(Q(msg::kCalcoloGaranzie));

    auto* esaminare = new QGroupBox(QStringLiteral("Colonne da Esaminare "), this);
    RadioEMem = new QRadioButton(QStringLiteral("Colonne in Memoria"), esaminare);
    RadioEMem->setObjectName(QStringLiteral("RadioEMem"));
    RadioEFile = new QRadioButton(QStringLiteral("Colonne su File Colonnare"), esaminare);
    RadioEFile->setObjectName(QStringLiteral("RadioEFile"));
    EditE = new QLineEdit(esaminare);
    EditE->setObjectName(QStringLiteral("EditE"));
    BtnE = new QPushButton(QStringLiteral("Cerca"), esaminare);
    auto* el = new QGridLayout(esaminare);
    el->addWidget(RadioEMem, 0, 0, 1, 2);
    el->addWidget(RadioEFile, 1, 0, 1, 2);
    el->addWidget(EditE, 2, 0);
    el->addWidget(BtnE, 2, 1);

    auto* confronto = new QGroupBox(QStringLiteral("Colonne da Usare per il Confronto"), this);
    RadioCPro = new QRadioButton(QStringLiteral("Colonne Generate dal Pronostico"), confronto);
    RadioCPro->setObjectName(QStringLiteral("RadioCPro"));
    RadioCFile = new QRadioButton(QStringLiteral("Colonne su File Colonnare"), confronto);
    RadioCFile->setObjectName(QStringLiteral("RadioCFile"));
    EditC = new QLineEdit(confronto);
    EditC->setObjectName(QStringLiteral("EditC"));
    BtnC = new QPushButton(QStringLiteral("Cerca"), confronto);
    auto* cl = new QGridLayout(confronto);
    cl->addWidget(RadioCPro, 0, 0, 1, 2);
    cl->addWidget(RadioCFile, 1, 0, 1, 2);
    cl->addWidget(EditC, 2, 0);
    cl->addWidget(BtnC, 2, 1);

    CheckApplicaCond = new QCheckBox(QStringLiteral("Applica le Condizioni"), this);
    CheckApplicaCond->setObjectName(QStringLiteral("CheckApplicaCond"));
    auto* errori = new QGroupBox(QStringLiteral("Calcola le Possibilità con "), this);
    GruppoErrori = errori;
    Check0err = new QCheckBox(QStringLiteral("Nessun Errore sul Pronostico"), errori);
    Check0err->setObjectName(QStringLiteral("Check0err"));
    Check0err->setChecked(true);
    Check1Err = new QCheckBox(QStringLiteral("Un Errore sul Pronostico"), errori);
    Check1Err->setObjectName(QStringLiteral("Check1Err"));
    Check2Err = new QCheckBox(QStringLiteral("Due Errori sul Pronostico"), errori);
    Check2Err->setObjectName(QStringLiteral("Check2Err"));
    auto* erl = new QVBoxLayout(errori);
    erl->addWidget(Check0err);
    erl->addWidget(Check1Err);
    erl->addWidget(Check2Err);

    auto* mostra = new QGroupBox(QStringLiteral("Errori sul Pron."), this);
    auto* ml = new QHBoxLayout(mostra);
    auto* speeds = new QButtonGroup(this);
    int i = 0;
    for (QToolButton** b : {&Speed0, &Speed1, &Speed2}) {
        *b = new QToolButton(mostra);
        (*b)->setText(QString::number(i++));
        (*b)->setCheckable(true);
        (*b)->setMinimumWidth(28);
        speeds->addButton(*b);
        ml->addWidget(*b);
    }
    Speed0->setChecked(true);

    Grid = new QTableWidget(11, 4, this);
    Grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Grid->horizontalHeader()->hide();
    Grid->verticalHeader()->hide();
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 4);
    Grid->setMinimumHeight(6 * (Grid->fontMetrics().height() + 4));
    const int digit = Grid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < 3; ++c) {
        Grid->setColumnWidth(c, 11 * digit);
    }
    Grid->setColumnWidth(3, 16 * digit);
    Grid->setMinimumWidth(49 * digit + 2 * Grid->frameWidth() + 18);
    LabelStato = new QLabel(this);
    LabelStato->setMinimumWidth(LabelStato->fontMetrics().horizontalAdvance(Q(msg::kStatoDueErrori)));
    Gauge1 = new QProgressBar(this);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);

    BtnCalcola = new QPushButton(QStringLiteral("Calcola"), this);
    BtnStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    CancelBtn = new QPushButton(QStringLiteral("Interrompi"), this);
    OKBtn = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(esaminare);
    left->addWidget(confronto);
    left->addWidget(CheckApplicaCond);
    left->addWidget(errori);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(mostra, 0, Qt::AlignLeft);
    right->addWidget(Grid, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnCalcola);
    buttons->addWidget(BtnStampa);
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    buttons->addWidget(aiuto);
    buttons->addWidget(OKBtn);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top, 1);
    v->addWidget(LabelStato);
    v->addWidget(Gauge1);
    v->addLayout(buttons);

    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{RadioEMem, RadioEFile, RadioCPro, RadioCFile,
                                                 CheckApplicaCond, Check0err, Check1Err, Check2Err}) {
        connect(b, &QAbstractButton::toggled, this, [this] { ImpostaAbilitazioni(); });
    }
    connect(Speed0, &QToolButton::clicked, this, [this] { MostraModo(6); });
    connect(Speed1, &QToolButton::clicked, this, [this] { MostraModo(5); });
    connect(Speed2, &QToolButton::clicked, this, [this] { MostraModo(4); });
    connect(BtnE, &QPushButton::clicked, this, [this] { Cerca(EditE); });
    connect(BtnC, &QPushButton::clicked, this, [this] { Cerca(EditC); });
    connect(BtnCalcola, &QPushButton::clicked, this, [this] { BtnCalcolaClick(); });
    connect(BtnStampa, &QPushButton::clicked, this, [this] { BtnStampaClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { probe_.flag.Request(); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    RadioEMem->setChecked(true);
    RadioCPro->setChecked(true);
    CancelBtn->setEnabled(false);
    MostraTabella(TabellaVuota());
}

TDialogoGaranzie TFrmCalcGaranzie::Dialogo() const {
    TDialogoGaranzie d;
    d.memoriaDisponibile = RadioEMem->isEnabled();
    d.pronosticoDisponibile = RadioCPro->isEnabled();
    d.radioEMem = RadioEMem->isChecked();
    d.radioCPro = RadioCPro->isChecked();
    d.check0 = Check0err->isChecked();
    d.check1 = Check1Err->isChecked();
    d.check2 = Check2Err->isChecked();
    d.checkCondizioni = CheckApplicaCond->isChecked();
    return d;
}

void TFrmCalcGaranzie::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (mostrato_) {
        return;
    }
    mostrato_ = true;
    const T_Sistema& sys = app_.Sistema();
    TDialogoGaranzie d = Dialogo();
    d.memoriaDisponibile = !sys.Colonne.Empty();
    d.pronosticoDisponibile = PronosticoUsabile(sys);
    d.Mostra();
    applying_ = true;
    RadioEMem->setEnabled(d.radioEMemAbilitato);
    RadioEMem->setChecked(d.radioEMem);
    RadioEFile->setChecked(!d.radioEMem);
    RadioCPro->setEnabled(d.radioCProAbilitato);
    RadioCPro->setChecked(d.radioCPro);
    RadioCFile->setChecked(!d.radioCPro);
    applying_ = false;
    Gauge1->setValue(0);
    LabelStato->clear();
    MostraTabella(TabellaVuota());
    ImpostaAbilitazioni();
}

void TFrmCalcGaranzie::ImpostaAbilitazioni() {
    if (applying_) {
        return;
    }
    applying_ = true;
    TDialogoGaranzie d = Dialogo();
    d.Applica();
    EditE->setEnabled(d.editEAbilitato && !running_);
    BtnE->setEnabled(d.editEAbilitato && !running_);
    EditC->setEnabled(d.editCAbilitato && !running_);
    BtnC->setEnabled(d.editCAbilitato && !running_);
    GruppoErrori->setEnabled(d.gruppoErroriAbilitato && !running_);
    Check0err->setChecked(d.check0);
    Check1Err->setChecked(d.check1);
    Check2Err->setChecked(d.check2);
    CheckApplicaCond->setEnabled(d.condizioniAbilitato && !running_);
    CheckApplicaCond->setChecked(d.checkCondizioni);
    Speed0->setEnabled(d.speed0);
    Speed1->setEnabled(d.speed1);
    Speed2->setEnabled(d.speed2);
    BtnCalcola->setEnabled(d.calcolaAbilitato && !running_);
    BtnStampa->setEnabled(!running_);
    OKBtn->setEnabled(!running_);
    CancelBtn->setEnabled(running_);
    applying_ = false;
}

void TFrmCalcGaranzie::Cerca(QLineEdit* edit) {
    TFileDialogRequest request;
    request.title = QStringLiteral("Seleziona il File Colonnare");
    request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = Q(FolderPath(TFolder::Colonne).string());
    request.name = edit->text();
    request.mustExist = true;
    const QString chosen = files_.Choose(request);
    if (!chosen.isEmpty()) {
        edit->setText(chosen);
    }
}

void TFrmCalcGaranzie::Stato(const std::string& text) {
    LabelStato->setText(Q(text));
}

void TFrmCalcGaranzie::Gauge(int percent) {
    Gauge1->setValue(std::clamp(percent, 0, 100));
}

void TFrmCalcGaranzie::BtnCalcolaClick() {
    if (running_) {
        return;
    }
    T_Sistema& sys = app_.Sistema();
    TParametriGaranzie params;
    if (RadioEMem->isChecked()) {
        params.esaminateInMemoria = &sys.Colonne;
    } else {
        params.fileEsaminate = std::filesystem::path(S(EditE->text()));
    }
    if (RadioCFile->isChecked()) {
        params.confrontoDaFile = true;
        params.fileConfronto = std::filesystem::path(S(EditC->text()));
    } else {
        ConfrontoDalPronostico(params, sys);
    }
    params.zeroErrori = Check0err->isChecked();
    params.unErrore = Check1Err->isChecked();
    params.dueErrori = Check2Err->isChecked();
    if (CheckApplicaCond->isChecked()) {
        params.condizioni = sys.Condizioni;
        if (params.condizioni == nullptr) {
            params.condizioni = &sys.Insieme();
        }
    }
    MostraTabella(TabellaVuota());
    probe_.flag.Reset();
    running_ = true;
    ImpostaAbilitazioni();
    esito_ = Calcola(params, results_, &probe_, this, &app_.Prompt());
    running_ = false;
    probe_.flag.Reset();
    ImpostaAbilitazioni();
    if (esito_ == TEsitoGaranzie::Ok) {
        Gauge1->setValue(100);
        TDialogoGaranzie d = Dialogo();
        d.Applica();
        const int mode = d.ModoDaMostrare();
        (mode == 6 ? Speed0 : mode == 5 ? Speed1 : Speed2)->setChecked(true);
        MostraModo(mode);
    } else {
        results_.Clear();
        MostraTabella(TabellaVuota());
    }
}

void TFrmCalcGaranzie::MostraModo(int mode) {
    modo_ = mode;
    if (!results_.Calcolata(mode)) {
        MostraTabella(TabellaVuota());
        return;
    }
    MostraTabella(Aggiorna(results_.Lista(mode), Separatore()));
}

void TFrmCalcGaranzie::MostraTabella(const TTabellaGaranzie& table) {
    shown_ = table;
    Grid->setRowCount(static_cast<int>(table.righe.size()));
    for (std::size_t r = 0; r < table.righe.size(); ++r) {
        for (std::size_t c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(Q(table.righe[r][c]));
            if (r == 0 && !table.righe[0][0].empty()) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            Grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    Grid->scrollToTop();
}

void TFrmCalcGaranzie::BtnStampaClick() {
    if (!stampante) {
        return;
    }
    try {
        stampante([this](TCanvas& canvas) { StampaGaranzie(canvas, shown_, modo_); });
    } catch (const std::exception& e) {
        app_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TFrmCalcGaranzie::reject() {
    // Escape during a run stops it first.
    if (running_) {
        probe_.flag.Request();
        return;
    }
    QDialog::reject();
}

} // namespace tessaline
