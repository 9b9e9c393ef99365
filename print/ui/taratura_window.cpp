#include "print/ui/taratura_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "print/ui/coupon_picture.h"
#include "print/ui/print_window.h"
#include "print/ui/qt_canvas.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

inline constexpr const char* kDiversoDaPredefinito =
    "Il tipo di stampa selezionato è diverso da quello predefinito. Utilizzare questo tipo di stampa come "
    "predefinito ?";

int Decimi(double mm) {
    return static_cast<int>(std::lround(mm * 10));
}

QLineEdit* Edit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(7);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QSpinBox* Spin(const char* name, int hi, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(0, hi);
    return s;
}

QToolButton* Arrow(const char* name, Qt::ArrowType type, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(type);
    b->setAutoRepeat(true);
    return b;
}

// A row: caption, field, then the arrow buttons.
void Riga(QGridLayout* g, int row, const QString& caption, QWidget* field, QToolButton* a, QToolButton* b) {
    g->addWidget(new QLabel(caption, field->parentWidget()), row, 0);
    g->addWidget(field, row, 1);
    if (a != nullptr) {
        g->addWidget(a, row, 2);
        g->addWidget(b, row, 3);
    }
}

} // namespace

TFrmTaratura::TFrmTaratura(T_Sistema& sys, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt) {
    setObjectName(QStringLiteral("FrmTaratura"));
    setWindowTitle(QStringLiteral("Taratura Schedine"));

    auto* prima = new QGroupBox(QStringLiteral("Posizione prima Colonna"), this);
    XPrimaCol = Edit("XPrimaCol", prima);
    YPrimaCol = Edit("YPrimaCol", prima);
    BtnSin = Arrow("BtnSin", Qt::LeftArrow, prima);
    BtnDesS = Arrow("BtnDesS", Qt::RightArrow, prima);
    BtnSu = Arrow("BtnSu", Qt::UpArrow, prima);
    BtnGiu = Arrow("BtnGiu", Qt::DownArrow, prima);
    auto* pl = new QGridLayout(prima);
    Riga(pl, 0, QStringLiteral("Margine Sin."), XPrimaCol, BtnSin, BtnDesS);
    Riga(pl, 1, QStringLiteral("Margine Sup."), YPrimaCol, BtnSu, BtnGiu);

    auto* segni = new QGroupBox(QStringLiteral("Distanza Segni"), this);
    DistanzaSegniOriz = Spin("DistanzaSegniOriz", 20000, segni);
    distanzaSegniVert = Spin("distanzaSegniVert", 11000, segni);
    auto* sl = new QHBoxLayout(segni);
    sl->addWidget(new QLabel(QStringLiteral("Orizzontale"), segni));
    sl->addWidget(DistanzaSegniOriz);
    sl->addWidget(new QLabel(QStringLiteral("Verticale"), segni));
    sl->addWidget(distanzaSegniVert);

    auto* colonne = new QGroupBox(QStringLiteral("Distanza Colonne"), this);
    SpinDistCol = Spin("SpinDistCol", 1000, colonne);
    auto* dl = new QHBoxLayout(colonne);
    dl->addWidget(SpinDistCol);

    auto* scritta = new QGroupBox(QStringLiteral("Posizione della Scritta"), this);
    ScrittaX = Edit("ScrittaX", scritta);
    ScrittaY = Edit("ScrittaY", scritta);
    BtnSinS = Arrow("BtnSinS", Qt::LeftArrow, scritta);
    BitBtn3 = Arrow("BitBtn3", Qt::RightArrow, scritta);
    BtnSuS = Arrow("BtnSuS", Qt::UpArrow, scritta);
    BtnGiuS = Arrow("BtnGiuS", Qt::DownArrow, scritta);
    CheckScritta = new QCheckBox(QStringLiteral("Stampa la Scritta"), this);
    CheckScritta->setObjectName(QStringLiteral("CheckScritta"));
    auto* wl = new QGridLayout(scritta);
    Riga(wl, 0, QStringLiteral("Margine Sin."), ScrittaX, BtnSinS, BitBtn3);
    Riga(wl, 1, QStringLiteral("Margine Sup."), ScrittaY, BtnSuS, BtnGiuS);

    auto* quad = new QGroupBox(QStringLiteral("Dimensioni dei Quadratini"), this);
    LQuadratini = Spin("LQuadratini", 20000, quad);
    AQuadratini = Spin("AQuadratini", 11000, quad);
    auto* ql = new QHBoxLayout(quad);
    ql->addWidget(new QLabel(QStringLiteral("Larghezza"), quad));
    ql->addWidget(LQuadratini);
    ql->addWidget(new QLabel(QStringLiteral("Altezza"), quad));
    ql->addWidget(AQuadratini);

    auto* ori = new QGroupBox(QStringLiteral("Orientamento"), this);
    RadioOriz = new QRadioButton(QStringLiteral("Orizzontale"), ori);
    RadioOriz->setObjectName(QStringLiteral("RadioOriz"));
    RadioVert = new QRadioButton(QStringLiteral("Verticale"), ori);
    RadioVert->setObjectName(QStringLiteral("RadioVert"));
    auto* ol = new QVBoxLayout(ori);
    ol->addWidget(RadioOriz);
    ol->addWidget(RadioVert);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(kSchedinaLarghezza, kSchedinaAltezza);
    Image->setFrameShape(QFrame::NoFrame);
    auto* unita = new QLabel(QStringLiteral("Valori in decimi\ndi millimetro"), this);

    auto* box = OkAnnullaAiuto(this, kHelpContext);
    BtnTest = box->addButton(QStringLiteral("Test"), QDialogButtonBox::ActionRole);
    BtnTest->setObjectName(QStringLiteral("BtnTest"));
    connect(BtnTest, &QPushButton::clicked, this, &TFrmTaratura::TestClick);

    // The preview with the orientation beside it, then the positions, then distances and sizes.
    auto* lato = new QVBoxLayout;
    lato->addWidget(ori);
    lato->addWidget(colonne);
    lato->addWidget(CheckScritta);
    lato->addWidget(unita);
    lato->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(Image, 0, 0);
    grid->addLayout(lato, 0, 1);
    auto* posizioni = new QHBoxLayout;
    posizioni->addWidget(prima);
    posizioni->addWidget(scritta);
    auto* misure = new QHBoxLayout;
    misure->addWidget(segni);
    misure->addWidget(quad);
    auto* lay = new QVBoxLayout(this);
    lay->setSpacing(4);
    lay->addLayout(grid);
    lay->addLayout(posizioni);
    lay->addLayout(misure);
    lay->addWidget(box);

    const std::pair<QToolButton*, std::pair<QLineEdit*, int>> arrows[] = {
        {BtnSu, {YPrimaCol, -1}},  {BtnGiu, {YPrimaCol, 1}}, {BtnSin, {XPrimaCol, -1}},
        {BtnDesS, {XPrimaCol, 1}}, {BtnSuS, {ScrittaY, -1}}, {BtnGiuS, {ScrittaY, 1}},
        {BtnSinS, {ScrittaX, -1}}, {BitBtn3, {ScrittaX, 1}}};
    for (const auto& [button, what] : arrows) {
        connect(button, &QToolButton::clicked, this,
                [this, e = what.first, d = what.second] { Freccia(e, d); });
    }
    for (QLineEdit* e : {XPrimaCol, YPrimaCol, ScrittaX, ScrittaY}) {
        connect(e, &QLineEdit::textChanged, this, [this] { Ridisegna(); });
    }
    for (QSpinBox* s : {DistanzaSegniOriz, distanzaSegniVert, SpinDistCol, LQuadratini, AQuadratini}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Ridisegna(); });
    }
    connect(CheckScritta, &QCheckBox::toggled, this, [this](bool on) {
        if (!mostrando_) {
            sys_.dati.settings.taratura.StampaScritta = on ? 1 : 0;
        }
        Ridisegna();
    });
    connect(RadioVert, &QRadioButton::toggled, this, [this] { CambiaOrientamento(); });

    // On show: the sets kept for "Annulla", the default orientation's set shown.
    const T_Taratura& t = sys_.dati.settings.taratura;
    copia_ = t;
    set_ = t.OrizzontalePredefinito != 0 ? 0 : 1;
    mostrando_ = true;
    (set_ == 0 ? RadioOriz : RadioVert)->setChecked(true);
    mostrando_ = false;
    Mostra();
}

void TFrmTaratura::Mostra() {
    mostrando_ = true;
    const T_Taratura& t = sys_.dati.settings.taratura;
    const T_TaraturaSet& s = t.set[static_cast<std::size_t>(set_)];
    XPrimaCol->setText(QString::number(Decimi(s.XPrimaCol)));
    YPrimaCol->setText(QString::number(Decimi(s.YPrimaCol)));
    DistanzaSegniOriz->setValue(Decimi(s.DistanzaSegniOriz));
    distanzaSegniVert->setValue(Decimi(s.DistanzaSegniVert));
    SpinDistCol->setValue(Decimi(s.DistanzaColonne));
    ScrittaX->setText(QString::number(Decimi(s.ScrittaX)));
    ScrittaY->setText(QString::number(Decimi(s.ScrittaY)));
    LQuadratini->setValue(Decimi(s.LQuadratini));
    AQuadratini->setValue(Decimi(s.AQuadratini));
    CheckScritta->setChecked(t.StampaScritta != 0);
    mostrando_ = false;
    Ridisegna();
}

bool TFrmTaratura::Memorizza() {
    bool ok[4] = {};
    const int x = XPrimaCol->text().trimmed().toInt(&ok[0]);
    const int y = YPrimaCol->text().trimmed().toInt(&ok[1]);
    const int sx = ScrittaX->text().trimmed().toInt(&ok[2]);
    const int sy = ScrittaY->text().trimmed().toInt(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3])) {
        Mostra();
        return false;
    }
    T_TaraturaSet& s = sys_.dati.settings.taratura.set[static_cast<std::size_t>(set_)];
    s.XPrimaCol = x / 10.0;
    s.YPrimaCol = y / 10.0;
    s.DistanzaSegniOriz = DistanzaSegniOriz->value() / 10.0;
    s.DistanzaSegniVert = distanzaSegniVert->value() / 10.0;
    s.DistanzaColonne = SpinDistCol->value() / 10.0;
    s.ScrittaX = sx / 10.0;
    s.ScrittaY = sy / 10.0;
    s.LQuadratini = LQuadratini->value() / 10.0;
    s.AQuadratini = AQuadratini->value() / 10.0;
    return true;
}

void TFrmTaratura::Freccia(QLineEdit* edit, int delta) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    if (!ok || (delta < 0 && v <= 0)) {
        return;
    }
    edit->setText(QString::number(v + delta));
}

void TFrmTaratura::CambiaOrientamento() {
    if (mostrando_) {
        return;
    }
    Memorizza();
    set_ = RadioVert->isChecked() ? 1 : 0;
    Mostra();
}

T_TaraturaSet TFrmTaratura::Mostrati(const T_TaraturaSet& fallback) const {
    T_TaraturaSet s = fallback;
    auto read = [](const QLineEdit* e, double& into) {
        bool ok = false;
        const int v = e->text().trimmed().toInt(&ok);
        if (ok) {
            into = v / 10.0;
        }
    };
    read(XPrimaCol, s.XPrimaCol);
    read(YPrimaCol, s.YPrimaCol);
    read(ScrittaX, s.ScrittaX);
    read(ScrittaY, s.ScrittaY);
    s.DistanzaSegniOriz = DistanzaSegniOriz->value() / 10.0;
    s.DistanzaSegniVert = distanzaSegniVert->value() / 10.0;
    s.DistanzaColonne = SpinDistCol->value() / 10.0;
    s.LQuadratini = LQuadratini->value() / 10.0;
    s.AQuadratini = AQuadratini->value() / 10.0;
    return s;
}

QImage TFrmTaratura::Anteprima() const {
    static const QImage base = ImmagineSchedina();
    QImage img = base.copy();
    const T_TaraturaSet s = Mostrati(sys_.dati.settings.taratura.set[static_cast<std::size_t>(set_)]);
    QPainter p(&img);
    const QSize box(static_cast<int>(std::lround(2 * s.LQuadratini)),
                    static_cast<int>(std::lround(2 * s.AQuadratini)));
    for (int c = 0; c < 3; ++c) {
        for (int t = 0; t < kTeams; ++t) {
            for (int k = 0; k < 4; ++k) {
                const double x =
                    s.XPrimaCol + c * s.DistanzaColonne + k * (s.DistanzaSegniOriz + s.LQuadratini);
                const double y = s.YPrimaCol + t * (s.DistanzaSegniVert + s.AQuadratini);
                p.fillRect(QRect(PuntoAnteprima(x, y), box), Qt::black);
            }
        }
    }
    if (CheckScritta->isChecked()) {
        // The turned label: 155 pixels high, the text reading upward from its foot.
        const int left = static_cast<int>(std::lround(2 * s.ScrittaX)) + 4;
        const int top = static_cast<int>(std::lround(2 * s.ScrittaY)) + 4 - 155;
        QFont f(FamigliaInstallata("Courier New"));
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.translate(left, top + 155);
        p.rotate(-90);
        p.drawText(QPointF(0, QFontMetricsF(f).ascent()), QString::fromUtf8(msg::kTestoProva));
    }
    return img;
}

void TFrmTaratura::Ridisegna() {
    if (!mostrando_) {
        Image->setPixmap(QPixmap::fromImage(Anteprima()));
    }
}

void TFrmTaratura::TestClick() {
    T_Taratura& t = sys_.dati.settings.taratura;
    const auto sets = t.set;
    Memorizza();
    TFormStampaSchedine stampa(sys_, prompt_, this);
    stampa.Stampante = Stampante;
    stampa.ModoTest = true;
    Colonna tutti;
    tutti.s.fill(kAllSigns);
    for (int i = 0; i < 3; ++i) {
        stampa.Colonne.Append(tutti);
    }
    stampa.ImpostaTutto();
    stampa.RadioSchedine->setChecked(true);
    (RadioVert->isChecked() ? stampa.RadioVert : stampa.RadioOriz)->setChecked(true);
    stampa.Prima = 1;
    stampa.Ultima = 1;
    stampa.Stampa();
    t.set = sets;
}

void TFrmTaratura::accept() {
    T_Taratura& t = sys_.dati.settings.taratura;
    Memorizza();
    const std::uint8_t scelta = RadioOriz->isChecked() ? 1 : 0;
    if (scelta != t.OrizzontalePredefinito) {
        if (prompt_.ShowMessage(msg::kInformazione, kDiversoDaPredefinito, BtnSi | BtnNo) == BtnSi) {
            t.OrizzontalePredefinito = scelta;
            t.ColonnePerSchedina = 3;
        }
    }
    try {
        SalvaConfigurazione(sys_.dati.settings);
    } catch (const std::exception& e) {
        prompt_.ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
    QDialog::accept();
}

void TFrmTaratura::reject() {
    T_Taratura& t = sys_.dati.settings.taratura;
    t.set = copia_.set;
    t.StampaScritta = copia_.StampaScritta;
    QDialog::reject();
}

} // namespace tessaline
