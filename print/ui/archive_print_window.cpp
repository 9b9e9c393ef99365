#include "print/ui/archive_print_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <exception>

#include "archive/contest_archive.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "print/ui/preview.h"
#include "print/ui/printer.h"

namespace tessaline {

namespace {

constexpr const char* kNessunConcorso = "Non Ci Sono Concorsi Da Stampare.";

} // namespace

TOrizzontale::TOrizzontale(QPrinter& printer)
    : printer_(printer), prima_(static_cast<int>(printer.pageLayout().orientation())) {
    printer_.setPageOrientation(QPageLayout::Landscape);
}

TOrizzontale::~TOrizzontale() {
    printer_.setPageOrientation(static_cast<QPageLayout::Orientation>(prima_));
}

TFormStampaArchivio::TFormStampaArchivio(const T_Archivio& archivio, UserPrompt& prompt,
                                         const TGruppiScelti& gruppi, QWidget* parent)
    : QDialog(parent), archivio_(archivio), prompt_(prompt), gruppi_(gruppi),
      misure_(std::make_unique<TMisureArchivio>()) {
    setObjectName(QStringLiteral("FormStampaArchivio"));
    setWindowTitle(QStringLiteral("Stampa Archivio"));
    auto* group = new QGroupBox(QStringLiteral("Concorsi da Stampare"), this);
    auto* gl = new QGridLayout(group);
    auto estremo = [this, group, gl](int row, const char* caption, QSpinBox*& sup, QLabel*& inf,
                                     QSpinBox*& numero, const char* n1, const char* n2, const char* n3) {
        gl->addWidget(new QLabel(QString::fromUtf8(caption), group), row, 0);
        inf = new QLabel(group);
        inf->setObjectName(QLatin1String(n1));
        inf->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inf->setMinimumWidth(inf->fontMetrics().horizontalAdvance(QStringLiteral("00000/")));
        sup = new QSpinBox(group);
        sup->setObjectName(QLatin1String(n2));
        sup->setToolTip(QStringLiteral("Stagione"));
        numero = new QSpinBox(group);
        numero->setObjectName(QLatin1String(n3));
        numero->setRange(1, 99);
        numero->setToolTip(QString::fromUtf8("Concorso Nº"));
        gl->addWidget(inf, row, 1);
        gl->addWidget(sup, row, 2);
        gl->addWidget(new QLabel(QString::fromUtf8("Nº"), group), row, 3, Qt::AlignRight);
        gl->addWidget(numero, row, 4);
    };
    estremo(0, "Concorso Iniziale :", Annosup1, AnnoInf1, Concorso1, "AnnoInf1", "Annosup1", "Concorso1");
    estremo(1, "Concorso Finale :", AnnoSup2, AnnoInf2, Concorso2, "AnnoInf2", "AnnoSup2", "Concorso2");
    gl->setColumnStretch(5, 1);
    LabelConcorsi = new QLabel(group);
    LabelConcorsi->setObjectName(QStringLiteral("LabelConcorsi"));
    gl->addWidget(LabelConcorsi, 2, 0, 1, 6);

    auto* box = new QDialogButtonBox(this);
    BtnOk = box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnAnteprima = box->addButton(QStringLiteral("Anteprima"), QDialogButtonBox::ActionRole);
    BtnAnteprima->setObjectName(QStringLiteral("BtnAnteprima"));
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BtnAnnulla"));
    box->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole)
        ->setObjectName(QStringLiteral("BtnAiuto"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [this] { OpenHelp(kHelpContext, this); });
    connect(BtnAnteprima, &QPushButton::clicked, this, [this] { AnteprimaClick(); });

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(group);
    lay->addStretch(1);
    lay->addWidget(box);

    // The seasons lie between the first and the last archived ones; the ends start there, with the
    // numbers of the first and of the last contest.
    std::int32_t primo = 0;
    std::int32_t ultimo = 0;
    if (!archivio_.AnniEstremi(primo, ultimo)) {
        primo = ultimo = T_Concorso::Nuovo().Anno;
    }
    for (QSpinBox* s : {Annosup1, AnnoSup2}) {
        s->setRange(std::min(primo, ultimo) + 1, std::max(primo, ultimo) + 1);
    }
    Annosup1->setValue(primo + 1);
    AnnoSup2->setValue(ultimo + 1);
    if (archivio_.Count() > 0) {
        Concorso1->setValue(archivio_.Concorsi().front().Numero);
        Concorso2->setValue(archivio_.Concorsi().back().Numero);
    }
    for (QSpinBox* s : {Annosup1, Concorso1}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(true); });
    }
    for (QSpinBox* s : {AnnoSup2, Concorso2}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(false); });
    }
    Estremi(true);
}

TFormStampaArchivio::~TFormStampaArchivio() = default;

TEstremoConcorso TFormStampaArchivio::Da() const {
    return {Annosup1->value() - 1, Concorso1->value()};
}

TEstremoConcorso TFormStampaArchivio::A() const {
    return {AnnoSup2->value() - 1, Concorso2->value()};
}

void TFormStampaArchivio::Estremi(bool primo) {
    // Moving one end past the other pulls the other along.
    const TEstremoConcorso da = Da();
    const TEstremoConcorso a = A();
    if (da.Anno > a.Anno || (da.Anno == a.Anno && da.Numero > a.Numero)) {
        const QSignalBlocker b1(Annosup1);
        const QSignalBlocker b2(Concorso1);
        const QSignalBlocker b3(AnnoSup2);
        const QSignalBlocker b4(Concorso2);
        if (primo) {
            AnnoSup2->setValue(Annosup1->value());
            Concorso2->setValue(Concorso1->value());
        } else {
            Annosup1->setValue(AnnoSup2->value());
            Concorso1->setValue(Concorso2->value());
        }
    }
    AnnoInf1->setText(QStringLiteral("%1/").arg(Annosup1->value() - 1));
    AnnoInf2->setText(QStringLiteral("%1/").arg(AnnoSup2->value() - 1));
    std::size_t p = 0;
    std::size_t u = 0;
    const std::size_t n = ConcorsiDaStampare(archivio_.Concorsi(), Da(), A(), p, u) ? u - p + 1 : 0;
    const std::size_t pagine = (n + kConcorsiPerPagina - 1) / kConcorsiPerPagina;
    LabelConcorsi->setText(n == 0
                               ? QStringLiteral("Nessun concorso fra i due estremi")
                               : QStringLiteral("%1 %2, %3 %4 di %5 concorsi")
                                     .arg(n)
                                     .arg(n == 1 ? QStringLiteral("concorso") : QStringLiteral("concorsi"))
                                     .arg(pagine)
                                     .arg(pagine == 1 ? QStringLiteral("pagina") : QStringLiteral("pagine"))
                                     .arg(kConcorsiPerPagina));
}

bool TFormStampaArchivio::Intervallo(std::size_t& primo, std::size_t& ultimo) {
    if (!ConcorsiDaStampare(archivio_.Concorsi(), Da(), A(), primo, ultimo)) {
        prompt_.ShowMessage(msg::kInformazione, kNessunConcorso, tessaline::BtnOk);
        return false;
    }
    return true;
}

void TFormStampaArchivio::accept() {
    std::size_t primo = 0;
    std::size_t ultimo = 0;
    if (!Intervallo(primo, ultimo)) {
        return;
    }
    QPrinter& printer = Stampante != nullptr ? *Stampante : ProgramPrinter();
    printer.setDocName(QString::fromUtf8(msg::kTitoloStampaArchivio));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const TOrizzontale orizzontale(printer);
        StampaSu(&printer, 0, [&](TCanvas& canvas) {
            Esito = StampaArchivio(canvas, archivio_.Concorsi(), primo, ultimo, gruppi_, *misure_);
            return TEsitoStampa{};
        });
    } catch (const std::exception&) {
        QApplication::restoreOverrideCursor();
        prompt_.ShowMessage(msg::kInformazione, msg::kImpossibileStampareLaTabella, tessaline::BtnOk);
        return;
    }
    QApplication::restoreOverrideCursor();
    QDialog::accept();
}

void TFormStampaArchivio::AnteprimaClick() {
    std::size_t primo = 0;
    std::size_t ultimo = 0;
    if (!Intervallo(primo, ultimo)) {
        return;
    }
    QPrinter& printer = Stampante != nullptr ? *Stampante : ProgramPrinter();
    const TOrizzontale orizzontale(printer);
    std::unique_ptr<QPrintPreviewDialog> dlg(CreaAnteprima(
        this, QString::fromUtf8(msg::kTitoloStampaArchivio), prompt_,
        [this, primo, ultimo](TCanvas& canvas) {
            StampaArchivio(canvas, archivio_.Concorsi(), primo, ultimo, gruppi_, *misure_);
        },
        &printer));
    dlg->resize(1000, 700);
    dlg->exec();
}

} // namespace tessaline
