#include "reduce/ui/immediate_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/sign_edits.h"
#include "core/ui/worker.h"
#include "develop/merge.h"
#include "develop/reduced_build.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

QPushButton* Pulsante(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLabel* Conteggio(QWidget* parent, const char* name) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(24);
    return l;
}

} // namespace

TFrmRidottiImmediati::TFrmRidottiImmediati(TAppContext& main, TFileChooser& files, TStampaCedolina stampa,
                                           QWidget* parent)
    : QDialog(parent), main_(main), files_(files), stampa_(std::move(stampa)) {
    setObjectName(QStringLiteral("FrmRidottiImmediati"));
    setWindowTitle(QStringLiteral("Ridotti Immediati"));

    EditColonna = new TEditColonna(this);
    EditColonna->setObjectName(QStringLiteral("EditColonna"));
    PannelloSc = new TPannelloSc(this);
    PannelloSc->setObjectName(QStringLiteral("PannelloSc"));
    PannelloSc->LPro = 36; // room for "012M"
    PannelloSc->setToolTip(QStringLiteral("Un clic sulla squadra la gioca integralmente"));

    auto* tipo = new QGroupBox(QStringLiteral("Tipo di Ridotto"), this);
    RadioCinque = new QRadioButton(QStringLiteral("Garanzia Cinque"), tipo);
    RadioCinque->setObjectName(QStringLiteral("RadioCinque"));
    RadioCinque->setChecked(true);
    RadioQuattro = new QRadioButton(QStringLiteral("Garanzia Quattro"), tipo);
    RadioQuattro->setObjectName(QStringLiteral("RadioQuattro"));
    CheckMigliorata = new QCheckBox(QStringLiteral("Riduzione Migliorata"), tipo);
    CheckMigliorata->setObjectName(QStringLiteral("CheckMigliorata"));
    CheckMigliorata->setChecked(main.Sistema().dati.settings.improvedReduction);
    auto* tv = new QVBoxLayout(tipo);
    tv->addWidget(RadioCinque);
    tv->addWidget(RadioQuattro);
    tv->addWidget(CheckMigliorata);

    auto* conti = new QGroupBox(QStringLiteral("Sistema"), this);
    LabelDoppie = Conteggio(conti, "LabelDoppie");
    LabelTriple = Conteggio(conti, "LabelTriple");
    LabelQuadruple = Conteggio(conti, "LabelQuadruple");
    LabelInt = Conteggio(conti, "LabelInt");
    auto* cg = new QGridLayout(conti);
    const std::pair<const char*, QLabel*> rows[] = {{"Doppie :", LabelDoppie},
                                                    {"Triple    :", LabelTriple},
                                                    {"Quadruple :", LabelQuadruple},
                                                    {"Squadre integrali :", LabelInt}};
    int row = 0;
    for (const auto& [text, label] : rows) {
        cg->addWidget(new QLabel(Q(text), conti), row, 0);
        cg->addWidget(label, row, 1);
        ++row;
    }

    NomeCed = new QLineEdit(this);
    NomeCed->setObjectName(QStringLiteral("NomeCed"));
    NomeCed->setMaxLength(15);
    CheckStampaConc = new QCheckBox(QStringLiteral("Stampa il Concorso sulla Cedolina"), this);
    CheckStampaConc->setObjectName(QStringLiteral("CheckStampaConc"));
    EditCosto = new QLineEdit(Q(msg::kRidottoNonElaborato), this);
    EditCosto->setObjectName(QStringLiteral("EditCosto"));
    EditCosto->setReadOnly(true);
    EditCosto->setMinimumWidth(260);

    SpeedSviluppa = Pulsante(this, "SpeedSviluppa", "Elabora");
    SpeedSviluppa->setToolTip(QStringLiteral("Sviluppo"));
    BtnStampaRid = Pulsante(this, "BtnStampaRid", "Stampa Ridotto");
    BtnAdattaMem = Pulsante(this, "BtnAdattaMem", "Adatta in Memoria");
    BtnSalvaCol = Pulsante(this, "BtnSalvaCol", "Salva Colonne");
    BtnSalva = Pulsante(this, "BtnSalva", "Salva Ridotto");
    BtnCarica = Pulsante(this, "BtnCarica", "Carica Ridotto");
    BtnAzzera = Pulsante(this, "BtnAzzera", "Azzera");
    BtnAnnulla = Pulsante(this, "BtnAnnulla", "Annulla");
    BtnAnnulla->hide();
    BtnChiudi = Pulsante(this, "BtnChiudi", "Chiudi");
    auto* aiuto = Pulsante(this, "BtnAiuto", "Aiuto");

    auto* left = new QHBoxLayout;
    left->addWidget(EditColonna, 0, Qt::AlignTop);
    left->addWidget(PannelloSc, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(tipo);
    right->addWidget(conti);
    right->addWidget(new QLabel(QStringLiteral("Nome sulla cedolina"), this));
    right->addWidget(NomeCed);
    right->addWidget(CheckStampaConc);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(SpeedSviluppa, 0, 0);
    buttons->addWidget(BtnStampaRid, 0, 1);
    buttons->addWidget(BtnAdattaMem, 0, 2);
    buttons->addWidget(BtnSalvaCol, 0, 3);
    buttons->addWidget(BtnSalva, 1, 0);
    buttons->addWidget(BtnCarica, 1, 1);
    buttons->addWidget(BtnAzzera, 1, 2);
    buttons->addWidget(BtnChiudi, 1, 3);
    buttons->addWidget(aiuto, 2, 3);
    buttons->addWidget(BtnAnnulla, 2, 0);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(EditCosto);
    v->addLayout(buttons);

    connect(EditColonna, &TEditColonna::Modificato, this, [this] { EditColonnaModificato(); });
    connect(PannelloSc, &TPannelloSc::Modificato, this, [this] { PannelloScModificato(); });
    for (QRadioButton* r : {RadioCinque, RadioQuattro}) {
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                elaborato_ = false;
                AcquisisceTutto();
            }
        });
    }
    connect(CheckMigliorata, &QCheckBox::toggled, this, [this] {
        elaborato_ = false;
        AcquisisceTutto();
    });
    connect(SpeedSviluppa, &QPushButton::clicked, this, [this] { Elabora(); });
    connect(BtnStampaRid, &QPushButton::clicked, this, [this] { StampaRidottoClick(); });
    connect(BtnAdattaMem, &QPushButton::clicked, this, [this] { AdattaMemClick(); });
    connect(BtnSalvaCol, &QPushButton::clicked, this, [this] { SalvaColClick(); });
    connect(BtnSalva, &QPushButton::clicked, this, [this] { SalvaClick(); });
    connect(BtnCarica, &QPushButton::clicked, this, [this] { CaricaClick(); });
    connect(BtnAzzera, &QPushButton::clicked, this, [this] { AzzeraClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, [this] { reject(); });
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    AggiornaTutto();
}

TFrmRidottiImmediati::~TFrmRidottiImmediati() = default;

TRidotto TFrmRidottiImmediati::Definizione() const {
    TRidotto r;
    r.integrali = integrali_;
    r.base = EditColonna->GetColonna();
    r.garanziaCinque = RadioCinque->isChecked();
    r.nome = S(NomeCed->text());
    return r;
}

void TFrmRidottiImmediati::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (giocate_) {
        return;
    }
    T_Sistema& sys = main_.Sistema();
    sys.Colonne.Clear();
    sys.dati.columnsValid = 0;
    main_.AggiornaStatusLine();
    giocate_ = std::make_unique<TArchivioGiocate>(sys.dati.ContestNumber);
    giocate_->CaricaArchivio();
    CheckStampaConc->setChecked(sys.dati.settings.taratura.StampaConcorso != 0);
    PannelloSc->SetSquadre(sys.dati.teamNames);
    AcquisisceTutto();
}

void TFrmRidottiImmediati::done(int r) {
    if (running_) {
        return; // "Annulla" stops the run first
    }
    T_Sistema& sys = main_.Sistema();
    try {
        const std::uint8_t conc = CheckStampaConc->isChecked() ? 1 : 0;
        if (giocate_ && conc != sys.dati.settings.taratura.StampaConcorso) {
            sys.dati.settings.taratura.StampaConcorso = conc;
            SalvaConfigurazione(sys.dati.settings);
        }
        if (giocate_) {
            giocate_->SalvaArchivio();
        }
    } catch (const std::exception& ex) {
        main_.Prompt().ShowMessage(msg::kInformazione, ex.what(), BtnOk);
    }
    giocate_.reset();
    QDialog::done(r);
}

void TFrmRidottiImmediati::EditColonnaModificato() {
    elaborato_ = false;
    AcquisisceTutto();
}

void TFrmRidottiImmediati::PannelloScModificato() {
    elaborato_ = false;
    AcquisisceTutto();
}

void TFrmRidottiImmediati::AcquisisceTutto() {
    base_ = EditColonna->GetColonna();
    valida_ = true;
    for (int t = 0; t < kTeams; ++t) {
        valida_ = valida_ && base_[t] != 0;
    }
    nIntegrali_ = 0;
    for (int t = 0; t < kTeams; ++t) {
        integrali_[static_cast<std::size_t>(t)] = PannelloSc->Selezionata(t) ? 1 : 0;
        nIntegrali_ += PannelloSc->Selezionata(t) ? 1 : 0;
    }
    PannelloSc->SetPronostico(base_);
    AggiornaTutto();
}

void TFrmRidottiImmediati::AggiornaTutto() {
    LabelDoppie->setText(QString::number(CountDoubles(base_)));
    LabelTriple->setText(QString::number(CountTriples(base_)));
    LabelQuadruple->setText(QString::number(CountQuadruples(base_)));
    LabelInt->setText(QString::number(nIntegrali_));
    if (!elaborato_) {
        EditCosto->setText(Q(msg::kRidottoNonElaborato));
    }
    Checkenabled();
}

void TFrmRidottiImmediati::Checkenabled() {
    SpeedSviluppa->setEnabled(valida_ && !running_);
    for (QPushButton* b : {BtnStampaRid, BtnAdattaMem, BtnSalvaCol}) {
        b->setEnabled(elaborato_ && !running_);
    }
    for (QPushButton* b : {BtnSalva, BtnCarica, BtnAzzera, BtnChiudi}) {
        b->setEnabled(!running_);
    }
}

bool TFrmRidottiImmediati::Elabora() {
    if (!valida_ || running_) {
        return false;
    }
    T_Sistema& sys = main_.Sistema();
    TRichiestaRidotto r;
    r.base = base_;
    r.basi = BasiIntegrali(base_, integrali_);
    r.garanzia = RadioCinque->isChecked() ? 5 : 4;
    r.migliorata = CheckMigliorata->isChecked();
    TCancelFlag cancel;
    TUiThreadPrompt asked(&main_.Prompt());
    TDevelopHooks hooks;
    hooks.prompt = &asked;
    hooks.cancel = &cancel;
    TListaColonne built;
    bool ok = false;
    running_ = true;
    Checkenabled();
    BtnAnnulla->show();
    auto conn = connect(BtnAnnulla, &QPushButton::clicked, this, [&cancel] { cancel.Request(); });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    try {
        TInputBlock block(this);
        RunOnWorker([&] {
            TDevelopResult result;
            built = CostruisciRidotto(sys, r, hooks, &result);
            ok = !result.stopped && !built.Empty();
        });
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        disconnect(conn);
        BtnAnnulla->hide();
        running_ = false;
        Checkenabled();
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
        return false;
    }
    QApplication::restoreOverrideCursor();
    disconnect(conn);
    BtnAnnulla->hide();
    running_ = false;
    sys.Colonne.Clear();
    if (ok) {
        Colonne = std::move(built);
        elaborato_ = true;
        const bool euro = sys.dati.settings.costsInEuro;
        EditCosto->setText(Q(TestoCostoRidotto(Colonne.Count(), sys.ColumnCost(), euro)));
    } else {
        elaborato_ = false;
    }
    main_.AggiornaStatusLine();
    AggiornaTutto();
    return ok;
}

void TFrmRidottiImmediati::StampaRidottoClick() {
    if (!elaborato_ || !stampa_) {
        return;
    }
    T_Sistema& sys = main_.Sistema();
    const bool euro = sys.dati.settings.costsInEuro;
    TLavoroCedolina job;
    job.righe[0] = RigaVarianti(CountDoubles(base_), CountTriples(base_), CountQuadruples(base_));
    job.righe[1] = std::string("Sistema a Garanzia ") + (RadioCinque->isChecked() ? "5" : "4");
    job.colonnaCedolina = base_;
    job.righe[2] = RigaCosto(static_cast<double>(Colonne.Count()) * sys.ColumnCost(), euro,
                             CheckStampaConc->isChecked(), sys.dati.ContestNumber);
    if (!NomeCed->text().isEmpty()) {
        job.righe[3] = "Nome: " + S(NomeCed->text());
    }
    job.modoCedolina = true;
    job.stampaCedolina = true;
    job.nome = "Ridotto Immediato";
    job.colonne = Colonne;
    Merge(job.colonne, sys.dati.settings.automaticMerge, nullptr, nullptr);
    try {
        if (stampa_(job) && giocate_) {
            giocate_->AggiungiSistema(job.colonne, CountDoubles(base_), CountTriples(base_),
                                      CountQuadruples(base_));
        }
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TFrmRidottiImmediati::AdattaMemClick() {
    if (!elaborato_) {
        return;
    }
    T_Sistema& sys = main_.Sistema();
    sys.Colonne = std::move(Colonne);
    Colonne.Clear();
    sys.dati.columnsValid = 1;
    sys.dati.finalCount = sys.Colonne.Count();
    elaborato_ = false;
    accept();
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

bool TFrmRidottiImmediati::ChiediSovrascrittura(const QString& file) {
    if (!QFileInfo::exists(file)) {
        return true;
    }
    return main_.Prompt().ShowMessage(msg::kInformazione, msg::kFileEsiste, BtnSi | BtnNo) == BtnSi;
}

void TFrmRidottiImmediati::SalvaColClick() {
    if (!elaborato_) {
        return;
    }
    const QString file = files_.Choose(SalvaColonneRequest());
    if (file.isEmpty() || !ChiediSovrascrittura(file)) {
        return;
    }
    if (!Colonne.SaveToFile(S(file))) {
        main_.Prompt().ShowMessage(msg::kInformazione, msg::kErroreScritturaColonnare, BtnOk);
    }
}

void TFrmRidottiImmediati::SalvaClick() {
    TFileDialogRequest request;
    request.title = QStringLiteral("Salva il Ridotto");
    request.filter = QStringLiteral("Rid file|*.Rid");
    request.defaultExtension = QStringLiteral("Rid");
    request.folder = Q(FolderPath(TFolder::Ridotti).string());
    request.save = true;
    const QString file = files_.Choose(request);
    if (file.isEmpty() || !ChiediSovrascrittura(file)) {
        return;
    }
    if (!SalvaRidotto(S(file), Definizione())) {
        main_.Prompt().ShowMessage(msg::kInformazione, msg::kErroreScritturaFile, BtnOk);
    }
}

void TFrmRidottiImmediati::CaricaClick() {
    TFileDialogRequest request;
    request.title = QStringLiteral("Carica il Ridotto");
    request.filter = QStringLiteral("Rid file|*.Rid");
    request.defaultExtension = QStringLiteral("Rid");
    request.folder = Q(FolderPath(TFolder::Ridotti).string());
    request.mustExist = true;
    const QString file = files_.Choose(request);
    if (!file.isEmpty()) {
        CaricaRidotto(file);
    }
}

bool TFrmRidottiImmediati::CaricaRidotto(const QString& file) {
    TRidotto r;
    if (!tessaline::CaricaRidotto(S(file), r)) {
        main_.Prompt().ShowMessage(msg::kInformazione, msg::kErroreCaricamentoFile, BtnOk);
        return false;
    }
    Mostra(r);
    return true;
}

void TFrmRidottiImmediati::Mostra(const TRidotto& r) {
    {
        const QSignalBlocker b1(RadioCinque);
        const QSignalBlocker b2(RadioQuattro);
        (r.garanziaCinque ? RadioCinque : RadioQuattro)->setChecked(true);
    }
    for (int t = 0; t < kTeams; ++t) {
        PannelloSc->SetSelezionata(t, r.integrali[static_cast<std::size_t>(t)] != 0);
    }
    EditColonna->SetColonna(r.base);
    NomeCed->setText(Q(r.nome));
    elaborato_ = false;
    AcquisisceTutto();
}

void TFrmRidottiImmediati::AzzeraClick() {
    EditColonna->SetColonna(Colonna{});
    elaborato_ = false;
    AcquisisceTutto();
}

} // namespace tessaline
