#include "print/ui/print_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "print/ui/printer.h"
#include "print/ui/qt_canvas.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

// The hourglass for the scope.
class TClessidra {
public:
    TClessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TClessidra() { QApplication::restoreOverrideCursor(); }
    TClessidra(const TClessidra&) = delete;
    TClessidra& operator=(const TClessidra&) = delete;
};

QRadioButton* Radio(const char* name, const QString& text, QWidget* parent) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QLatin1String(name));
    return r;
}

QSpinBox* Spin(const char* name, int lo, int hi, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(lo, hi);
    return s;
}

void Salva(const TProgramSettings& settings, UserPrompt& prompt) {
    try {
        SalvaConfigurazione(settings);
    } catch (const std::exception& e) {
        prompt.ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

} // namespace

// ---- Stampa Schedine

TFormStampaSchedine::TFormStampaSchedine(T_Sistema& sys, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt) {
    setObjectName(QStringLiteral("FormStampaSchedine"));
    setWindowTitle(QStringLiteral("Stampa Schedine"));

    auto* su = new QGroupBox(QStringLiteral("Stampa su"), this);
    RadioSchedine = Radio("RadioSchedine", QStringLiteral(" Schedine"), su);
    RadioTabulato = Radio("RadioTabulato", QStringLiteral(" Tabulato"), su);
    CheckPausa = new QCheckBox(QStringLiteral("Pausa tra due Schedine"), su);
    CheckPausa->setObjectName(QStringLiteral("CheckPausa"));
    StampaCed = new QCheckBox(QStringLiteral("Stampa Cedolina"), su);
    StampaCed->setObjectName(QStringLiteral("StampaCed"));
    BtnImp = new QPushButton(QStringLiteral("Impostazioni..."), su);
    BtnImp->setObjectName(QStringLiteral("BtnImp"));
    auto* suLay = new QGridLayout(su);
    suLay->addWidget(RadioSchedine, 0, 0);
    suLay->addWidget(CheckPausa, 0, 1);
    suLay->addWidget(StampaCed, 1, 1);
    suLay->addWidget(RadioTabulato, 2, 0);
    suLay->addWidget(BtnImp, 2, 1, Qt::AlignLeft);

    auto* ori = new QGroupBox(QStringLiteral("Orientamento"), this);
    RadioOriz = Radio("RadioOriz", QStringLiteral("Orizzontale"), ori);
    RadioVert = Radio("RadioVert", QStringLiteral("Verticale"), ori);
    auto* oriLay = new QVBoxLayout(ori);
    oriLay->addWidget(RadioOriz);
    oriLay->addWidget(RadioVert);

    auto* cps = new QGroupBox(QStringLiteral("Colonne per Schedina"), this);
    SpinCPS = Spin("SpinCPS", 1, 3, cps);
    auto* cpsLay = new QVBoxLayout(cps);
    cpsLay->addWidget(SpinCPS);
    cpsLay->addStretch(1);

    auto* sel = new QGroupBox(QStringLiteral("Seleziona le Schedine da Stampare"), this);
    RadioTutte = Radio("RadioTutte", QStringLiteral(" Tutte"), sel);
    RadioDa = Radio("RadioDa", QStringLiteral(" Da"), sel);
    SpinMin = Spin("SpinMin", 1, 1, sel);
    SpinMax = Spin("SpinMax", 1, 1, sel);
    for (QSpinBox* s : {SpinMin, SpinMax}) {
        s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("16.777.216")) + 30);
        s->setGroupSeparatorShown(true);
    }
    auto* selLay = new QHBoxLayout(sel);
    selLay->addWidget(RadioTutte);
    selLay->addSpacing(12);
    selLay->addWidget(RadioDa);
    selLay->addWidget(SpinMin);
    selLay->addWidget(new QLabel(QStringLiteral("a"), sel));
    selLay->addWidget(SpinMax);
    selLay->addStretch(1);

    auto* box = new QDialogButtonBox(this);
    StampaBtn = box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    StampaBtn->setObjectName(QStringLiteral("StampaBtn"));
    StampaBtn->setDefault(true);
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BtnAnnulla"));
    box->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole)
        ->setObjectName(QStringLiteral("BtnAiuto"));
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [this] { OpenHelp(kHelpContext, this); });
    connect(StampaBtn, &QPushButton::clicked, this, [this] { OKBtnClick(true); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(su, 0, 0, 1, 2);
    grid->addWidget(ori, 1, 0);
    grid->addWidget(cps, 1, 1);
    grid->addWidget(sel, 2, 0, 1, 2);
    grid->addWidget(box, 3, 0, 1, 2);

    connect(SpinCPS, &QSpinBox::valueChanged, this, [this] { Riconta(); });
    connect(RadioSchedine, &QRadioButton::toggled, this, [this] {
        Riconta();
        Abilita();
    });
    connect(RadioTutte, &QRadioButton::toggled, this, [this] { Abilita(); });
    connect(BtnImp, &QPushButton::clicked, this, [this] { ImpostazioniClick(); });
    ImpostaTutto();
}

void TFormStampaSchedine::showEvent(QShowEvent* e) {
    ImpostaTutto();
    QDialog::showEvent(e);
}

std::int32_t TFormStampaSchedine::NumeroSchedine() const {
    return tessaline::NumeroSchedine(Colonne.Size(), SpinCPS->value());
}

void TFormStampaSchedine::Riconta() {
    const std::int32_t n = std::max(NumeroSchedine(), 1);
    SpinMin->setRange(1, n);
    SpinMin->setValue(1);
    SpinMax->setRange(1, n);
    SpinMax->setValue(n);
}

void TFormStampaSchedine::Abilita() {
    const bool schedine = RadioSchedine->isChecked();
    BtnImp->setEnabled(!schedine);
    RadioOriz->setEnabled(schedine);
    RadioVert->setEnabled(schedine);
    CheckPausa->setEnabled(schedine);
    StampaCed->setEnabled(schedine);
    SpinMin->setEnabled(RadioDa->isChecked());
    SpinMax->setEnabled(RadioDa->isChecked());
}

void TFormStampaSchedine::ImpostaTutto() {
    const T_Taratura& t = sys_.dati.settings.taratura;
    StampaCed->setVisible(ModoCedolina);
    {
        const QSignalBlocker block(SpinCPS);
        SpinCPS->setValue(ModoTest ? 3 : std::clamp(t.ColonnePerSchedina, 1, 3));
    }
    SpinCPS->setEnabled(!CostoFisso);
    RadioTutte->setChecked(true);
    RadioSchedine->setChecked(true);
    (t.OrizzontalePredefinito != 0 ? RadioOriz : RadioVert)->setChecked(true);
    Riconta();
    Abilita();
}

TLavoroStampa TFormStampaSchedine::Lavoro() const {
    TLavoroStampa job;
    job.Prima = Prima;
    job.Ultima = Ultima;
    job.Orientamento = RadioVert->isChecked() ? kVerticale : kOrizzontale;
    job.ColonnePerSchedina = SpinCPS->value();
    job.ModoTest = ModoTest;
    job.ModoCedolina = ModoCedolina;
    job.CostoFisso = CostoFisso;
    job.StampaCedolina = ModoCedolina && StampaCed->isChecked();
    job.Pausa = CheckPausa->isChecked();
    job.RigheCedolina = RigheCedolina;
    job.RigheCedolina[0] = "Tessaline " + VersionText();
    job.ColonneCedolina = ColonneCedolina;
    job.NomeSistema = ModoCedolina ? NomeCedolina : sys_.fileName.stem().string();
    return job;
}

void TFormStampaSchedine::Intervallo() {
    if (RadioDa->isChecked()) {
        Prima = SpinMin->value();
        Ultima = SpinMax->value();
    } else {
        Prima = 1;
        Ultima = NumeroSchedine();
    }
}

void TFormStampaSchedine::OKBtnClick(bool fromButton) {
    T_Taratura& t = sys_.dati.settings.taratura;
    t.OrizzontalePredefinito = RadioOriz->isChecked() ? 1 : 0;
    t.ColonnePerSchedina = SpinCPS->value();
    if (RadioDa->isChecked() && SpinMax->value() < SpinMin->value()) {
        prompt_.ShowMessage(msg::kInformazione, msg::kNumeroSchedinaErrato, BtnOk);
        return;
    }
    Intervallo();
    {
        TClessidra clessidra;
        Stampa();
    }
    if (fromButton) {
        accept();
        Salva(sys_.dati.settings, prompt_);
    }
}

bool TFormStampaSchedine::Stampa() {
    const TLavoroStampa job = Lavoro();
    TContestoStampa ctx = ContestoStampa(sys_.dati.settings);
    ctx.prompt = &prompt_;
    TutteStampate = false;
    try {
        if (RadioTabulato->isChecked()) {
            StampaSuTabulato(false);
        } else {
            const TEsitoStampa esito = StampaSu(Stampante, 0, [&](TCanvas& canvas) {
                return StampaSuSchedine(canvas, Colonne.View(), job, ctx);
            });
            TutteStampate = esito.tutteStampate;
        }
    } catch (const std::exception&) {
        prompt_.ShowMessage(msg::kInformazione, msg::kStampaNonRiuscita, BtnOk);
        return false;
    }
    return true;
}

TEsitoStampa TFormStampaSchedine::StampaSuTabulato(bool preview, std::int32_t primaPagina,
                                                   const TImpTabulato* impostazioni) {
    TLavoroStampa job = Lavoro();
    TContestoStampa ctx = ContestoStampa(sys_.dati.settings);
    if (impostazioni != nullptr) {
        ctx.tabulato = *impostazioni;
    }
    if (preview) {
        std::unique_ptr<QPrintPreviewDialog> dlg(CreaAnteprima(ctx.tabulato, primaPagina));
        dlg->exec();
        return {};
    }
    return StampaSu(Stampante, kDpiTabulato, [&](TCanvas& canvas) {
        return tessaline::StampaSuTabulato(canvas, Colonne.View(), job, ctx, primaPagina);
    });
}

QPrintPreviewDialog* TFormStampaSchedine::CreaAnteprima(const TImpTabulato& impostazioni,
                                                        std::int32_t primaPagina) {
    auto* dlg = new QPrintPreviewDialog(Stampante != nullptr ? Stampante : &ProgramPrinter(), this);
    dlg->setWindowTitle(QStringLiteral("Anteprima del Tabulato"));
    TLavoroStampa job = Lavoro();
    TContestoStampa ctx = ContestoStampa(sys_.dati.settings);
    ctx.tabulato = impostazioni;
    connect(dlg, &QPrintPreviewDialog::paintRequested, dlg, [this, job, ctx, primaPagina](QPrinter* printer) {
        try {
            StampaSu(printer, kDpiTabulato, [&](TCanvas& canvas) {
                return tessaline::StampaSuTabulato(canvas, Colonne.View(), job, ctx, primaPagina);
            });
        } catch (const std::exception& e) {
            prompt_.ShowMessage(msg::kInformazione, e.what(), BtnOk);
        }
    });
    return dlg;
}

void TFormStampaSchedine::ImpostazioniClick() {
    TFormImpostaTabulatoTabulato dlg(
        sys_.dati.settings, prompt_,
        [this](const TImpTabulato& imp) {
            Intervallo();
            StampaSuTabulato(true, 1, &imp);
        },
        this);
    dlg.exec();
}

// ---- Stampa schedine (orientation of a batch)

TFormGeneraSchStampa::TFormGeneraSchStampa(TProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("FormGeneraSchStampa"));
    setWindowTitle(QStringLiteral("Stampa schedine"));
    auto* group = new QGroupBox(QStringLiteral("Orientamento"), this);
    RadioVert = Radio("RadioVert", QStringLiteral("Verticale"), group);
    RadioOriz = Radio("RadioOriz", QStringLiteral("Orizzontale"), group);
    auto* gl = new QVBoxLayout(group);
    gl->addWidget(RadioVert);
    gl->addWidget(RadioOriz);
    (settings.taratura.OrizzontalePredefinito != 0 ? RadioOriz : RadioVert)->setChecked(true);
    auto* box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("BtnStampa"));
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BtnAnnulla"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(group);
    lay->addWidget(box);
}

void TFormGeneraSchStampa::accept() {
    settings_.taratura.OrizzontalePredefinito = RadioOriz->isChecked() ? 1 : 0;
    QDialog::accept();
}

// ---- Impostazioni del Tabulato

std::optional<QString> TestoStile(std::int32_t style) {
    switch (style) {
    case 0:
        return QStringLiteral("Normale");
    case kFontBold:
        return QStringLiteral("Grassetto");
    case kFontItalic:
        return QStringLiteral("Corsivo");
    case kFontBold | kFontItalic:
        return QStringLiteral("Grassetto corsivo");
    default:
        return std::nullopt;
    }
}

TFormImpostaTabulatoTabulato::TFormImpostaTabulatoTabulato(TProgramSettings& settings, UserPrompt& prompt,
                                                           std::function<void(const TImpTabulato&)> anteprima,
                                                           QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt), anteprima_(std::move(anteprima)) {
    setObjectName(QStringLiteral("FormImpostaTabulatoTabulato"));
    setWindowTitle(QStringLiteral("Impostazioni del Tabulato"));
    const TImpTabulato& t = settings.tabulato;
    font_ = TFontDesc{t.FontName, static_cast<double>(t.FontSize), t.FontStyle};

    auto* spaz = new QGroupBox(QStringLiteral("Spaziatura tra le Schedine"), this);
    SpinOriz = Spin("SpinOriz", 1, 20, spaz);
    SpinVert = Spin("SpinVert", 1, 20, spaz);
    SpinOriz->setValue(t.SpaziaturaOriz);
    SpinVert->setValue(t.SpaziaturaVert);
    auto* sl = new QGridLayout(spaz);
    sl->addWidget(new QLabel(QStringLiteral("Orizzontale"), spaz), 0, 0);
    sl->addWidget(SpinOriz, 0, 1);
    sl->addWidget(new QLabel(QStringLiteral("mm"), spaz), 0, 2);
    sl->addWidget(new QLabel(QStringLiteral("Verticale"), spaz), 1, 0);
    sl->addWidget(SpinVert, 1, 1);
    sl->addWidget(new QLabel(QStringLiteral("mm"), spaz), 1, 2);
    sl->setColumnStretch(3, 1);

    auto* car = new QGroupBox(QStringLiteral("Tipo di Carattere"), this);
    LabelNome = new QLabel(car);
    LabelNome->setObjectName(QStringLiteral("LabelNome"));
    LabelDimensione = new QLabel(car);
    LabelDimensione->setObjectName(QStringLiteral("LabelDimensione"));
    LabelStile = new QLabel(car);
    LabelStile->setObjectName(QStringLiteral("LabelStile"));
    BtnCambia = new QPushButton(QStringLiteral("Cambia"), car);
    BtnCambia->setObjectName(QStringLiteral("BtnCambia"));
    auto* cl = new QGridLayout(car);
    cl->addWidget(LabelNome, 0, 0, 1, 2);
    cl->addWidget(new QLabel(QStringLiteral("Dimensione :"), car), 1, 0);
    cl->addWidget(LabelDimensione, 1, 1);
    cl->addWidget(new QLabel(QStringLiteral("Stile :"), car), 2, 0);
    cl->addWidget(LabelStile, 2, 1);
    cl->addWidget(BtnCambia, 0, 2, 3, 1, Qt::AlignVCenter);
    cl->setColumnStretch(1, 1);

    auto* box = OkAnnullaAiuto(this, kHelpContext);
    BtnAnteprima = box->addButton(QStringLiteral("Antemprima"), QDialogButtonBox::ActionRole);
    BtnAnteprima->setObjectName(QStringLiteral("BtnAnteprima"));
    BtnAnteprima->setEnabled(static_cast<bool>(anteprima_));
    connect(BtnAnteprima, &QPushButton::clicked, this, [this] {
        if (anteprima_) {
            anteprima_(Valori());
        }
    });
    connect(BtnCambia, &QPushButton::clicked, this, &TFormImpostaTabulatoTabulato::CambiaClick);
    sceltaFont = [this](const TFontDesc& current) -> std::optional<TFontDesc> {
        bool ok = false;
        const QFont chosen =
            QFontDialog::getFont(&ok, QtFont(current), this, QStringLiteral("Tipo di Carattere"));
        if (!ok) {
            return std::nullopt;
        }
        std::int32_t style = 0;
        style |= chosen.bold() ? kFontBold : 0;
        style |= chosen.italic() ? kFontItalic : 0;
        style |= chosen.underline() ? kFontUnderline : 0;
        style |= chosen.strikeOut() ? kFontStrikeOut : 0;
        const int size = chosen.pointSize() > 0 ? chosen.pointSize() : 8;
        return TFontDesc{S(chosen.family().left(30)), static_cast<double>(size), style};
    };
    LabelStile->setText(QStringLiteral("Normale"));
    MostraFont();

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(spaz);
    lay->addWidget(car);
    lay->addWidget(box);
}

void TFormImpostaTabulatoTabulato::MostraFont() {
    LabelNome->setText(Q(font_.name));
    LabelDimensione->setText(QString::number(static_cast<int>(font_.size)));
    if (const auto text = TestoStile(font_.style)) {
        LabelStile->setText(*text);
    }
}

void TFormImpostaTabulatoTabulato::CambiaClick() {
    if (!sceltaFont) {
        return;
    }
    if (const auto chosen = sceltaFont(font_)) {
        font_ = *chosen;
        MostraFont();
    }
}

TImpTabulato TFormImpostaTabulatoTabulato::Valori() const {
    TImpTabulato t;
    t.SpaziaturaOriz = SpinOriz->value();
    t.SpaziaturaVert = SpinVert->value();
    t.FontName = font_.name.substr(0, 30);
    t.FontSize = static_cast<std::int32_t>(font_.size);
    t.FontStyle = font_.style;
    return t;
}

void TFormImpostaTabulatoTabulato::accept() {
    settings_.tabulato = Valori();
    Salva(settings_, prompt_);
    QDialog::accept();
}

} // namespace tessaline
