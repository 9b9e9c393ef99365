#include "app/ui/settings_forms.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

#include "app/ui/artwork.h"
#include "core/errors.h"
#include "core/threads.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "system/config_file.h"

namespace tessaline {

// ---- TFrmImpostazioni

TFrmImpostazioni::TFrmImpostazioni(TProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("FrmImpostazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    auto* lay = new QVBoxLayout(this);

    auto* costo = new QGroupBox(QStringLiteral("Costo della Colonna"), this);
    auto* g = new QGridLayout(costo);
    RadioLire = new QRadioButton(QStringLiteral("Costo in Lire"), costo);
    RadioLire->setObjectName(QStringLiteral("RadioLire"));
    RadioEuro = new QRadioButton(QStringLiteral("Costo in Euro"), costo);
    RadioEuro->setObjectName(QStringLiteral("RadioEuro"));
    SpinLire = new QSpinBox(costo);
    SpinLire->setObjectName(QStringLiteral("SpinLire"));
    SpinLire->setRange(600, 10000);
    SpinLire->setSuffix(QStringLiteral(" lire"));
    SpinEuro = new QSpinBox(costo);
    SpinEuro->setObjectName(QStringLiteral("SpinEuro"));
    SpinEuro->setRange(0, 10);
    SpinEuro->setSuffix(QStringLiteral(" euro"));
    SpinEuroCe = new QSpinBox(costo);
    SpinEuroCe->setObjectName(QStringLiteral("SpinEuroCe"));
    SpinEuroCe->setRange(0, 999);
    SpinEuroCe->setSuffix(QStringLiteral(" centesimi"));
    g->addWidget(RadioLire, 0, 0);
    g->addWidget(SpinLire, 0, 1);
    g->addWidget(RadioEuro, 1, 0);
    g->addWidget(SpinEuro, 1, 1);
    g->addWidget(SpinEuroCe, 1, 2);
    g->setColumnStretch(3, 1);
    lay->addWidget(costo);

    auto* sfondo = new QGroupBox(QStringLiteral("Motivo di Sfondo"), this);
    auto* h = new QHBoxLayout(sfondo);
    EditSfondo = new QLineEdit(sfondo);
    EditSfondo->setObjectName(QStringLiteral("EditSfondo"));
    EditSfondo->setMinimumWidth(300);
    BtnCerca = new QPushButton(QStringLiteral("Cerca.."), sfondo);
    BtnCerca->setObjectName(QStringLiteral("BtnCerca"));
    h->addWidget(EditSfondo, 1);
    h->addWidget(BtnCerca);
    lay->addWidget(sfondo);
    connect(BtnCerca, &QPushButton::clicked, this, &TFrmImpostazioni::CercaClick);

    auto* varie = new QGroupBox(QStringLiteral("Varie"), this);
    auto* v = new QVBoxLayout(varie);
    CheckAcc = new QCheckBox(QStringLiteral("Accorpamento automatico"), varie);
    CheckAcc->setObjectName(QStringLiteral("CheckAcc"));
    CheckSalvaCmb = new QCheckBox(QStringLiteral("Salva le combinazioni unitamente al sistema"), varie);
    CheckSalvaCmb->setObjectName(QStringLiteral("CheckSalvaCmb"));
    CheckUltimaSched = new QCheckBox(QStringLiteral("Ricarica automaticamente l'ultima schedina"), varie);
    CheckUltimaSched->setObjectName(QStringLiteral("CheckUltimaSched"));
    v->addWidget(CheckAcc);
    v->addWidget(CheckSalvaCmb);
    v->addWidget(CheckUltimaSched);
    auto* server = new QHBoxLayout;
    auto* serverLabel = new QLabel(QStringLiteral("Server di aggiornamento"), varie);
    EditServer = new QLineEdit(varie);
    EditServer->setObjectName(QStringLiteral("EditServer"));
    EditServer->setMaxLength(255);
    serverLabel->setBuddy(EditServer);
    server->addWidget(serverLabel);
    server->addWidget(EditServer, 1);
    v->addLayout(server);
    auto* thread = new QHBoxLayout;
    auto* threadLabel = new QLabel(QStringLiteral("Processori per i calcoli lunghi"), varie);
    SpinThread = new QSpinBox(varie);
    SpinThread->setObjectName(QStringLiteral("SpinThread"));
    SpinThread->setRange(0, kMaxThreads);
    SpinThread->setSpecialValueText(QStringLiteral("Tutti"));
    threadLabel->setBuddy(SpinThread);
    thread->addWidget(threadLabel);
    thread->addWidget(SpinThread);
    thread->addStretch(1);
    v->addLayout(thread);
    lay->addWidget(varie);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
}

void TFrmImpostazioni::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const TProgramSettings& s = settings_;
    SpinLire->setValue(static_cast<int>(std::lround(s.costLire)));
    const double whole = std::floor(s.costEuro);
    SpinEuro->setValue(static_cast<int>(whole));
    SpinEuroCe->setValue(static_cast<int>(std::lround((s.costEuro - whole) * 100)));
    (s.costsInEuro ? RadioEuro : RadioLire)->setChecked(true);
    EditSfondo->setText(Q(s.backgroundPicture));
    CheckAcc->setChecked(s.automaticMerge);
    CheckSalvaCmb->setChecked(s.saveColumnsWithSystem);
    CheckUltimaSched->setChecked(s.reloadLastCoupon);
    EditServer->setText(Q(s.updateHost));
    SpinThread->setValue(s.maxThreads);
    SpinLire->setFocus();
    SpinLire->selectAll();
}

void TFrmImpostazioni::accept() {
    TProgramSettings& s = settings_;
    s.costLire = SpinLire->value();
    s.costEuro = SpinEuro->value() + SpinEuroCe->value() / 100.0;
    s.costsInEuro = RadioEuro->isChecked();
    s.backgroundPicture = S(EditSfondo->text());
    s.automaticMerge = CheckAcc->isChecked();
    s.saveColumnsWithSystem = CheckSalvaCmb->isChecked();
    s.reloadLastCoupon = CheckUltimaSched->isChecked();
    // "HOST" or "HOST:PORT"; a blank field goes back to the program's own host.
    const QString server =
        EditServer->text().trimmed().remove(QStringLiteral("ftp://")).remove(QLatin1Char('/'));
    s.updateHost = server.isEmpty() ? std::string(kDefaultUpdateHost) : S(server);
    s.maxThreads = SpinThread->value();
    SetThreadCap(s.maxThreads);
    QDialog::accept();
}

void TFrmImpostazioni::CercaClick() {
    const QFileInfo current(EditSfondo->text());
    QFileDialog dlg(this, QStringLiteral("Seleziona il File Bit Mapped"), current.absolutePath());
    dlg.setNameFilters({QStringLiteral("File Bit Map (*.BMP *.bmp *.Bmp)"),
                        QStringLiteral("Tutte le immagini (*.bmp *.BMP *.png *.jpg *.jpeg)")});
    dlg.setDefaultSuffix(QStringLiteral("BMP"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (current.exists()) {
        dlg.selectFile(current.absoluteFilePath());
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return;
    }
    const QString file = dlg.selectedFiles().constFirst();
    if (QImageReader(file).size().isEmpty()) {
        throw EInOutError("Sfondo non Valido");
    }
    EditSfondo->setText(file);
}

// ---- TFormDatiRicevitoria

TFormDatiRicevitoria::TFormDatiRicevitoria(TProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("FormDatiRicevitoria"));
    setWindowTitle(QStringLiteral("Dati Ricevitoria"));
    auto* lay = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto make = [&](const char* name, const char* caption, const std::string& value) {
        auto* e = new QLineEdit(Q(value), this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(50);
        e->setMinimumWidth(320);
        form->addRow(QString::fromUtf8(caption), e);
        return e;
    };
    EditInt = make("EditInt", "Intestazione", settings.shopData[0]);
    EditInd = make("EditInd", "Indirizzo", settings.shopData[1]);
    EditCitta = make("EditCitta", "Città", settings.shopData[2]);
    EditTel = make("EditTel", "Telefono", settings.shopData[3]);
    lay->addLayout(form);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
}

void TFormDatiRicevitoria::accept() {
    const QLineEdit* edits[4] = {EditInt, EditInd, EditCitta, EditTel};
    for (std::size_t i = 0; i < 4; ++i) {
        settings_.shopData[i] = S(edits[i]->text().left(60));
    }
    QDialog::accept();
}

// ---- TFormAbout

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("Informazioni su Tessaline"));
    auto* lay = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(DrawIcon(96));
    icon->setAlignment(Qt::AlignTop);
    lay->addWidget(icon);
    auto* right = new QVBoxLayout;
    auto* text = new QLabel(this);
    text->setTextFormat(Qt::RichText);
    text->setText(QString::fromUtf8("<h2>Tessaline</h2><p>Versione %1 per Linux</p>"
                                    "<p>Sistemi, condizioni, riduzioni e spoglio<br>per il concorso dei gol "
                                    "a sei partite.</p>")
                      .arg(Q(VersionText())));
    right->addWidget(text);
    auto* box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    right->addStretch();
    right->addWidget(box);
    lay->addLayout(right);
}

// ---- TFormIntro

TFormIntro::TFormIntro(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormIntro"));
    setWindowTitle(QStringLiteral("Tessaline"));
    setFixedSize(522, 306);
    LabelVersione =
        new QLabel(QStringLiteral("Versione ") + Q(VersionText()) + QStringLiteral(" per Linux"), this);
    LabelVersione->setObjectName(QStringLiteral("LabelVersione"));
    QFont f = LabelVersione->font();
    f.setPointSize(11);
    f.setBold(true);
    LabelVersione->setFont(f);
    LabelVersione->setStyleSheet(QStringLiteral("color: #3c1900;"));
    LabelVersione->setGeometry(152, 136, 340, 24);
    BtnContinua = new QPushButton(QStringLiteral("Continua"), this);
    BtnContinua->setObjectName(QStringLiteral("BtnContinua"));
    BtnContinua->setGeometry(402, 196, 100, 30);
    BtnContinua->setDefault(true);
    BtnEmail = new QPushButton(QStringLiteral("Contatti"), this);
    BtnEmail->setObjectName(QStringLiteral("BtnEmail"));
    BtnEmail->setGeometry(292, 196, 100, 30);
    timer_.setSingleShot(true);
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &TFormIntro::Avvio);
    connect(BtnContinua, &QPushButton::clicked, this, [this] {
        LabelVersione->hide();
        BtnContinua->hide();
        BtnEmail->hide();
        timer_.start();
    });
    connect(BtnEmail, &QPushButton::clicked, this, [this] { OpenHelp(kHelpEmail, this); });
}

void TFormIntro::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, SplashPicture());
}

} // namespace tessaline
