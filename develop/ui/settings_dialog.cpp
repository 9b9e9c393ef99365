#include "develop/ui/settings_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <filesystem>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr int kMaxName = 255;

std::string CutName(const QString& text) {
    std::string s = S(text.trimmed());
    if (s.size() > kMaxName) {
        s.resize(kMaxName);
        // never leave half a character behind
        while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) {
            s.pop_back();
        }
        if (!s.empty() && (static_cast<unsigned char>(s.back()) & 0x80) != 0) {
            s.pop_back();
        }
    }
    return s;
}

TFileDialogRequest ColumnFileSpec(const QString& title, const QString& current, bool save) {
    TFileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    const QFileInfo info(Q(ResolveInFolder(S(current.trimmed()), TFolder::Colonne).string()));
    request.folder = info.absolutePath();
    request.name = info.fileName();
    request.mustExist = !save;
    request.save = save;
    return request;
}

} // namespace

TFrmImpSv::TFrmImpSv(T_Sistema& sys, UserPrompt& prompt, TFileChooser& files, QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt), files_(files) {
    setObjectName(QStringLiteral("FrmImpSv"));
    setWindowTitle(QStringLiteral("Impostazioni di Sviluppo"));

    auto* sorg = new QGroupBox(QStringLiteral("Sorgente delle Colonne"), this);
    RadioPronostico = new QRadioButton(QStringLiteral(" Pronostico"), sorg);
    RadioSorgFile = new QRadioButton(QStringLiteral(" File Colonnare"), sorg);
    Editsorg = new QLineEdit(sorg);
    Editsorg->setMinimumWidth(300);
    BtnCercaSorg = new QPushButton(QStringLiteral("Cerca.."), sorg);
    auto* gs = new QGridLayout(sorg);
    gs->addWidget(RadioPronostico, 0, 0);
    gs->addWidget(RadioSorgFile, 1, 0);
    gs->addWidget(Editsorg, 1, 1);
    gs->addWidget(BtnCercaSorg, 1, 2);
    gs->setColumnStretch(1, 1);

    auto* dest = new QGroupBox(QStringLiteral("Destinazione delle Colonne"), this);
    RadioMem = new QRadioButton(QStringLiteral(" Memoria"), dest);
    RadioFile = new QRadioButton(QStringLiteral(" File"), dest);
    EditDest = new QLineEdit(dest);
    EditDest->setMinimumWidth(300);
    BtnCercaDest = new QPushButton(QStringLiteral("Cerca.."), dest);
    auto* gd = new QGridLayout(dest);
    gd->addWidget(RadioMem, 0, 0);
    gd->addWidget(RadioFile, 1, 0);
    gd->addWidget(EditDest, 1, 1);
    gd->addWidget(BtnCercaDest, 1, 2);
    gd->setColumnStretch(1, 1);

    CheckCond = new QCheckBox(QStringLiteral("Usa i Condizionamenti"), this);

    auto* rid = new QGroupBox(QStringLiteral("Impostazioni di Autoriduzione"), this);
    CheckRid = new QCheckBox(QStringLiteral("Sviluppo Ridotto"), rid);
    RadioN1 = new QRadioButton(QStringLiteral("Garanzia Cinque"), rid);
    RadioN2 = new QRadioButton(QStringLiteral("Garanzia Quattro"), rid);
    RadioDMin = new QRadioButton(QStringLiteral(" Distanza Minima"), rid);
    SpinDistMin = new QSpinBox(rid);
    SpinDistMin->setRange(2, 10);
    CheckOtt = new QCheckBox(QStringLiteral("Riduzione Ottimizzata"), rid);
    CheckMig = new QCheckBox(QStringLiteral("Riduzione Migliorata"), rid);
    CheckMig->setToolTip(QStringLiteral("Dopo la riduzione ottimizzata cerca un sistema più piccolo con la "
                                        "stessa garanzia, per il tempo indicato"));
    SpinMigSecondi = new QSpinBox(rid);
    SpinMigSecondi->setRange(1, kMaxImproveSeconds);
    SpinMigSecondi->setSuffix(QStringLiteral(" secondi"));
    SpinMult = new QSpinBox(rid);
    SpinMult->setRange(1, 10);
    auto* labelMult = new QLabel(QStringLiteral("Vincite Multiple"), rid);
    labelMult->setBuddy(SpinMult);
    auto* gr = new QGridLayout(rid);
    gr->addWidget(CheckRid, 0, 0, 1, 2);
    gr->addWidget(RadioN1, 1, 0);
    gr->addWidget(RadioN2, 2, 0);
    gr->addWidget(RadioDMin, 3, 0);
    gr->addWidget(SpinDistMin, 3, 1);
    gr->addWidget(CheckOtt, 4, 0);
    auto* mig = new QHBoxLayout;
    mig->addWidget(CheckMig);
    mig->addWidget(SpinMigSecondi);
    mig->addStretch(1);
    gr->addLayout(mig, 4, 1, 1, 2);
    gr->addWidget(labelMult, 5, 0);
    gr->addWidget(SpinMult, 5, 1);
    gr->setColumnStretch(2, 1);

    auto* ric = new QGroupBox(QStringLiteral("Ricalcolo Automatico"), this);
    CheckUsaRicalcolo =
        new QCheckBox(QStringLiteral("Abilita il ricalcolo automatico dopo ogni modifica"), ric);
    RadioReale = new QRadioButton(QStringLiteral("Calcolo reale (consigliato per piccoli sistemi)"), ric);
    RadioStimato = new QRadioButton(QStringLiteral("Calcolo stimato (solo per sistemi condizionati)"), ric);
    auto* gra = new QVBoxLayout(ric);
    gra->addWidget(CheckUsaRicalcolo);
    gra->addWidget(RadioReale);
    gra->addWidget(RadioStimato);

    // Each pair of radios is its own group.
    for (auto pair : {std::pair{RadioPronostico, RadioSorgFile}, std::pair{RadioMem, RadioFile},
                      std::pair{RadioReale, RadioStimato}}) {
        auto* g = new QButtonGroup(this);
        g->addButton(pair.first);
        g->addButton(pair.second);
    }
    for (QRadioButton* r : {RadioN1, RadioN2, RadioDMin}) {
        r->setAutoExclusive(false);
        connect(r, &QRadioButton::clicked, this, [this, r] {
            for (QRadioButton* o : {RadioN1, RadioN2, RadioDMin}) {
                o->setChecked(o == r);
            }
        });
    }

    const QString names[] = {
        QStringLiteral("RadioPronostico"), QStringLiteral("RadioSorgFile"),     QStringLiteral("Editsorg"),
        QStringLiteral("RadioMem"),        QStringLiteral("RadioFile"),         QStringLiteral("EditDest"),
        QStringLiteral("CheckCond"),       QStringLiteral("CheckRid"),          QStringLiteral("RadioN1"),
        QStringLiteral("RadioN2"),         QStringLiteral("RadioDMin"),         QStringLiteral("SpinDistMin"),
        QStringLiteral("CheckOtt"),        QStringLiteral("SpinMult"),          QStringLiteral("CheckMig"),
        QStringLiteral("SpinMigSecondi"),  QStringLiteral("CheckUsaRicalcolo"), QStringLiteral("RadioReale"),
        QStringLiteral("RadioStimato")};
    QWidget* const controls[] = {RadioPronostico, RadioSorgFile,     Editsorg,   RadioMem,    RadioFile,
                                 EditDest,        CheckCond,         CheckRid,   RadioN1,     RadioN2,
                                 RadioDMin,       SpinDistMin,       CheckOtt,   SpinMult,    CheckMig,
                                 SpinMigSecondi,  CheckUsaRicalcolo, RadioReale, RadioStimato};
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        controls[i]->setObjectName(names[i]);
    }

    // Clicks on the source, destination and reduction controls change what a development gives.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             RadioPronostico, RadioSorgFile, RadioMem, RadioFile, CheckCond, CheckRid, RadioN1, RadioN2,
             RadioDMin, CheckOtt, CheckMig}) {
        connect(b, &QAbstractButton::clicked, this, &TFrmImpSv::Cambia);
    }
    for (QSpinBox* s : {SpinDistMin, SpinMult}) {
        connect(s, &QSpinBox::valueChanged, this, [this] {
            if (!loading_) {
                changed_ = true;
            }
        });
    }
    connect(CheckUsaRicalcolo, &QCheckBox::clicked, this, &TFrmImpSv::Abilita);
    connect(BtnCercaSorg, &QPushButton::clicked, this, &TFrmImpSv::CercaSorgClick);
    connect(BtnCercaDest, &QPushButton::clicked, this, &TFrmImpSv::CercaDestClick);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(sorg);
    lay->addWidget(dest);
    lay->addWidget(CheckCond);
    lay->addWidget(rid);
    lay->addWidget(ric);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
    FormShow();
}

void TFrmImpSv::FormShow() {
    loading_ = true;
    const TDatiSistema& d = sys_.dati;
    const TImpostazioniSviluppo& s = d.sviluppo;
    (d.SourceForecast != 0 ? RadioPronostico : RadioSorgFile)->setChecked(true);
    Editsorg->setText(Q(d.SourceFile));
    (s.DestinationMemory != 0 ? RadioMem : RadioFile)->setChecked(true);
    EditDest->setText(Q(s.DestinationFile));
    CheckCond->setChecked(s.UseConditions != 0);
    CheckRid->setChecked(s.ReducedDevelopment != 0);
    RadioN1->setChecked(s.MinDistanceMode == 0 && s.Guarantee == 5);
    RadioN2->setChecked(s.MinDistanceMode == 0 && s.Guarantee == 4);
    RadioDMin->setChecked(s.MinDistanceMode != 0);
    SpinDistMin->setValue(s.MinDistance);
    CheckOtt->setChecked(s.OptimisedReduction != 0);
    SpinMult->setValue(s.Passes);
    CheckMig->setChecked(d.settings.improvedReduction);
    SpinMigSecondi->setValue(d.settings.improveSeconds);
    CheckUsaRicalcolo->setChecked(s.AutoRecalc != 0);
    (s.RealCalculation != 0 ? RadioReale : RadioStimato)->setChecked(true);
    RadioFile->setEnabled(true);
    Abilita();
    loading_ = false;
    changed_ = false;
}

void TFrmImpSv::Cambia() {
    changed_ = true;
    Abilita();
}

void TFrmImpSv::Abilita() {
    const bool wasLoading = loading_;
    loading_ = true; // the rules' own changes are part of the click that caused them
    const bool fromFile = RadioSorgFile->isChecked();
    Editsorg->setEnabled(fromFile);
    BtnCercaSorg->setEnabled(fromFile);
    const bool reduced = CheckRid->isChecked();
    for (QRadioButton* r : {RadioN1, RadioN2, RadioDMin}) {
        r->setEnabled(reduced);
    }
    const bool minDist = RadioDMin->isChecked();
    SpinDistMin->setEnabled(reduced && minDist);
    if (minDist) {
        CheckOtt->setChecked(false);
    }
    CheckOtt->setEnabled(reduced && !minDist);
    // The improvement follows an optimised reduction to a guarantee; its tick stays as the program
    // setting is, whatever this system's reduction.
    const bool improvable = reduced && !minDist && CheckOtt->isChecked();
    CheckMig->setEnabled(improvable);
    SpinMigSecondi->setEnabled(improvable && CheckMig->isChecked());
    const bool multiple = reduced && !CheckOtt->isChecked() && !minDist;
    SpinMult->setEnabled(multiple);
    if (!multiple) {
        SpinMult->setValue(1);
    }
    const bool toFile = RadioFile->isChecked();
    EditDest->setEnabled(toFile);
    BtnCercaDest->setEnabled(toFile);
    const bool auto_ = CheckUsaRicalcolo->isChecked();
    RadioReale->setEnabled(auto_);
    RadioStimato->setEnabled(auto_);
    loading_ = wasLoading;
}

void TFrmImpSv::CercaSorgClick() {
    const QString f =
        files_.Choose(ColumnFileSpec(QStringLiteral("Seleziona il File Colonnare"), Editsorg->text(), false));
    if (!f.isEmpty()) {
        Editsorg->setText(f);
    }
}

void TFrmImpSv::CercaDestClick() {
    const QString f =
        files_.Choose(ColumnFileSpec(QStringLiteral("Salva sul File Colonnare"), EditDest->text(), true));
    if (!f.isEmpty()) {
        EditDest->setText(f);
    }
}

void TFrmImpSv::accept() {
    if (RadioSorgFile->isChecked()) {
        std::error_code ec;
        const std::filesystem::path source = ResolveInFolder(S(Editsorg->text().trimmed()), TFolder::Colonne);
        if (Editsorg->text().trimmed().isEmpty() || !std::filesystem::is_regular_file(source, ec)) {
            prompt_.ShowMessage(msg::kInformazione, "Il File Sorgente non Esiste.", BtnOk);
            Editsorg->setFocus();
            return;
        }
    }
    TDatiSistema& d = sys_.dati;
    TImpostazioniSviluppo& s = d.sviluppo;
    const TImpostazioniSviluppo before = s;
    const std::uint8_t sourceBefore = d.SourceForecast;
    const std::string sourceFileBefore = d.SourceFile;

    d.SourceForecast = RadioPronostico->isChecked() ? 1 : 0;
    d.SourceFile = CutName(Editsorg->text());
    s.DestinationMemory = RadioMem->isChecked() ? 1 : 0;
    s.DestinationFile = CutName(EditDest->text());
    s.UseConditions = CheckCond->isChecked() ? 1 : 0;
    s.ReducedDevelopment = CheckRid->isChecked() ? 1 : 0;
    if (RadioN1->isChecked()) {
        s.Guarantee = 5;
    } else if (RadioN2->isChecked()) {
        s.Guarantee = 4;
    }
    s.MinDistanceMode = RadioDMin->isChecked() ? 1 : 0;
    s.MinDistance = static_cast<std::uint8_t>(SpinDistMin->value());
    s.OptimisedReduction = CheckOtt->isChecked() ? 1 : 0;
    s.Passes = static_cast<std::uint8_t>(SpinMult->value());
    s.AutoRecalc = CheckUsaRicalcolo->isChecked() ? 1 : 0;
    s.RealCalculation = RadioReale->isChecked() ? 1 : 0;

    const bool improvedBefore = d.settings.improvedReduction;
    const std::int32_t secondsBefore = d.settings.improveSeconds;
    d.settings.improvedReduction = CheckMig->isChecked();
    d.settings.improveSeconds = SpinMigSecondi->value();
    if (improvedBefore != d.settings.improvedReduction || secondsBefore != d.settings.improveSeconds) {
        try {
            SalvaConfigurazione(d.settings);
        } catch (const EInOutError& e) {
            prompt_.ShowMessage(msg::kInformazione, e.what(), BtnOk); // kept for this session
        }
    }

    if (changed_) {
        d.columnsValid = 0;
    }
    if (d.columnsValid == 0) {
        sys_.Colonne.Clear();
    }
    // Any stored value that differs makes the system modified, not only the changes that discard
    // the columns (the recalculation switches are saved with the system too).
    const bool differs =
        sourceBefore != d.SourceForecast || sourceFileBefore != d.SourceFile ||
        before.DestinationMemory != s.DestinationMemory || before.DestinationFile != s.DestinationFile ||
        before.UseConditions != s.UseConditions || before.ReducedDevelopment != s.ReducedDevelopment ||
        before.Guarantee != s.Guarantee || before.MinDistanceMode != s.MinDistanceMode ||
        before.MinDistance != s.MinDistance || before.OptimisedReduction != s.OptimisedReduction ||
        before.Passes != s.Passes || before.AutoRecalc != s.AutoRecalc ||
        before.RealCalculation != s.RealCalculation;
    sys_.modified = sys_.modified || changed_ || differs;
    if (aggiornaPrincipale) {
        aggiornaPrincipale();
    }
    QDialog::accept();
}

} // namespace tessaline
