#include "print/ui/summary_window.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QVBoxLayout>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/form_saver.h"
#include "core/ui/help.h"
#include "print/ui/print_window.h"
#include "print/ui/printer.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TFormStampaProspetto::TFormStampaProspetto(T_Sistema& sys, UserPrompt& prompt, bool percentuali, bool valori,
                                           QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt), percentuali_(percentuali), valori_(valori) {
    setObjectName(QStringLiteral("FormStampaProspetto"));
    setWindowTitle(QStringLiteral("Stampa del Prospetto del Sistema"));
    auto* group = new QGroupBox(QStringLiteral("Seleziona gli elementi da stampare"), this);
    CheckInfo = Named(new QCheckBox(QStringLiteral("Informazioni sul Sistema"), group), "CheckInfo");
    CheckSched = Named(new QCheckBox(QStringLiteral("Schedina"), group), "CheckSched");
    CheckCond = Named(new QCheckBox(QStringLiteral("Condizioni utilizzate"), group), "CheckCond");
    CheckTab = Named(new QCheckBox(QStringLiteral("Tabulato delle colonne"), group), "CheckTab");
    BtnImp = Named(new QPushButton(QStringLiteral("Impostazioni..."), group), "BtnImp");
    CheckInfo->setChecked(true);
    CheckSched->setChecked(true);
    CheckCond->setChecked(true);
    auto* gl = new QGridLayout(group);
    gl->addWidget(CheckInfo, 0, 0);
    gl->addWidget(CheckSched, 1, 0);
    gl->addWidget(CheckCond, 2, 0);
    gl->addWidget(CheckTab, 3, 0);
    gl->addWidget(BtnImp, 3, 1);

    auto* copies = new QGroupBox(QStringLiteral("Copie"), this);
    RadioCopiaPart = Named(new QRadioButton(QStringLiteral("Stampa una Copia per ogni partecipante"), copies),
                           "RadioCopiaPart");
    RadioSpec = Named(new QRadioButton(QStringLiteral("Specifica il numero di Copie"), copies), "RadioSpec");
    SpinCopie = Named(new QSpinBox(copies), "SpinCopie");
    SpinCopie->setRange(1, 100);
    SpinCopie->setValue(1);
    auto* cl = new QGridLayout(copies);
    cl->addWidget(RadioCopiaPart, 0, 0, 1, 2);
    cl->addWidget(RadioSpec, 1, 0);
    cl->addWidget(SpinCopie, 1, 1);

    auto* box = new QDialogButtonBox(this);
    StampaBtn = box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    StampaBtn->setObjectName(QStringLiteral("StampaBtn"));
    box->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BtnChiudi"));
    box->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole)
        ->setObjectName(QStringLiteral("BtnAiuto"));
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [this] { OpenHelp(kHelpContext, this); });
    connect(StampaBtn, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(CheckTab, &QCheckBox::toggled, this, [this](bool) { BtnImp->setEnabled(CheckTab->isEnabled()); });
    connect(BtnImp, &QPushButton::clicked, this, [this] {
        TFormImpostaTabulatoTabulato dlg(sys_.dati.settings, prompt_, {}, this);
        dlg.exec();
    });

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(group);
    lay->addWidget(copies);
    lay->addWidget(box);
    FormShow();
}

void TFormStampaProspetto::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TFormStampaProspetto::FormShow() {
    CheckCond->setEnabled(SistemaCondizionato(sys_));
    const bool inMemory = !sys_.Colonne.Empty();
    CheckTab->setEnabled(inMemory);
    BtnImp->setEnabled(inMemory);
    if (!inMemory) {
        CheckTab->setChecked(false);
    }
    const bool several = sys_.ParticipantCount > 1;
    RadioCopiaPart->setEnabled(several);
    if (!several) {
        RadioSpec->setChecked(true);
    } else if (!RadioSpec->isChecked()) {
        RadioCopiaPart->setChecked(true);
    }
}

TOpzioniProspetto TFormStampaProspetto::Opzioni() const {
    TOpzioniProspetto o;
    o.Info = CheckInfo->isChecked();
    o.Schedina = CheckSched->isChecked();
    o.Condizioni = CheckCond->isEnabled() && CheckCond->isChecked();
    o.Tabulato = CheckTab->isEnabled() && CheckTab->isChecked();
    o.CopiaPerPartecipante = RadioCopiaPart->isEnabled() && RadioCopiaPart->isChecked();
    o.Copie = SpinCopie->value();
    o.TestoIniziali = TestoColonneIniziali(sys_);
    o.TestoFinali = TestoColonneFinali(sys_, false);
    o.Percentuali = percentuali_;
    o.Valori = valori_;
    o.Data = Data.empty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString() : Data;
    return o;
}

void TFormStampaProspetto::StampaClick() {
    const TOpzioniProspetto o = Opzioni();
    const TContestoStampa ctx = ContestoStampa(sys_.dati.settings);
    (Stampante != nullptr ? *Stampante : ProgramPrinter())
        .setDocName(QString::fromUtf8(msg::kTitoloProspetto));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        StampaSu(Stampante, kDpiTabulato,
                 [&](TCanvas& canvas) { return StampaProspetto(canvas, sys_, o, ctx); });
    } catch (const std::exception&) {
        QApplication::restoreOverrideCursor();
        prompt_.ShowMessage(msg::kInformazione, msg::kImpossibileStampareProspetto, BtnOk);
        return;
    }
    QApplication::restoreOverrideCursor();
}

TComandiProspetto::TComandiProspetto(TAppContext& main, TFormSaver& saver)
    : QObject(main.Finestra()), main_(main), saver_(saver) {
    main.Collega(QStringLiteral("StampaProspettoClick"), [this] { StampaProspettoClick(); });
}

void TComandiProspetto::StampaProspettoClick() {
    TEditSchedina* editor = main_.Schedina();
    const bool percentuali = editor != nullptr && editor->SPercentuali->Stato();
    const bool valori = editor != nullptr && editor->SValori->Stato();
    TFormStampaProspetto dlg(main_.Sistema(), main_.Prompt(), percentuali, valori, main_.Finestra());
    if (primaDiMostrare) {
        saver_.Ripristina(&dlg);
        dlg.FormShow();
        primaDiMostrare(dlg);
        saver_.Salva(&dlg);
        return;
    }
    RunRemembered(saver_, dlg);
}

} // namespace tessaline
