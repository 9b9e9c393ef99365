#include "tools/ui/column_tool_windows.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <exception>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr int kHelpOperazioni = 38;
constexpr int kTraccia = 188;

QLabel* Counter(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("16.777.216")) + 12);
    return l;
}

// The gauge moved from the worker: each value is handed to the window's thread.
class TGaugeInCoda : public TGaugeSink {
public:
    TGaugeInCoda(QObject* context, QProgressBar* bar) : queue_(context), bar_(bar) {}
    void Gauge(int percent) override {
        QProgressBar* bar = bar_;
        queue_.Post(1, [bar, percent] { bar->setValue(percent); });
    }
    void Flush() { queue_.Flush(); }

private:
    TUiQueue queue_;
    QProgressBar* bar_;
};

} // namespace

// ---- TFormOperazioni

TFormOperazioni::TFormOperazioni(TAppContext& main, TFileChooser& files, QWidget* parent)
    : QDialog(parent), main_(main), files_(files) {
    setObjectName(QStringLiteral("FormOperazioni"));
    setWindowTitle(QStringLiteral("Operazioni Su Files Colonnari"));
    auto* top = new QVBoxLayout(this);

    auto* ops = new QGroupBox(QStringLiteral("Operazione"), this);
    auto* og = new QGridLayout(ops);
    auto radio = [&](const char* name, const char* text, int row, int col) {
        auto* r = new QRadioButton(Q(text), ops);
        r->setObjectName(QLatin1String(name));
        og->addWidget(r, row, col);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                AggiornaEtichette();
            }
        });
        return r;
    };
    RadioOr = radio("RadioOr", " OR", 0, 0);
    RadioAnd = radio("RadioAnd", " AND", 0, 1);
    RadioXor = radio("RadioXor", " XOR", 0, 2);
    RadioN1 = radio("RadioN1", " Copertura N-1", 1, 0);
    RadioN2 = radio("RadioN2", " Copertura N-2", 1, 1);
    RadioDisord = radio("RadioDisord", " Disordinatore", 1, 2);
    top->addWidget(ops);

    auto* fg = new QGridLayout;
    auto row = [&](int r, QLabel*& label, QLineEdit*& edit, QPushButton*& cerca, const char* editName,
                   const char* text, bool save) {
        label = new QLabel(Q(text), this);
        edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(editName));
        edit->setMinimumWidth(260);
        cerca = new QPushButton(QStringLiteral("Cerca.."), this);
        fg->addWidget(label, r, 0);
        fg->addWidget(edit, r, 1);
        fg->addWidget(cerca, r, 2);
        QLineEdit* e = edit;
        connect(cerca, &QPushButton::clicked, this, [this, e, save] { Cerca(e, save); });
    };
    QLabel* labelDest = nullptr;
    row(0, LabelSource1, Source1, Cerca1, "Source1", "Primo file", false);
    row(1, LabelSource2, Source2, Cerca2, "Source2", "Secondo file", false);
    row(2, labelDest, Dest, CercaDest, "Dest", "File di uscita", true);
    Dest->setText(Q(msg::kFileOutputDefault));
    top->addLayout(fg);

    Gauge = new QProgressBar(this);
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    top->addWidget(Gauge);

    auto* buttons = new QHBoxLayout;
    BtnEsegui = new QPushButton(QStringLiteral("Esegui"), this);
    BtnInterrompi = new QPushButton(QStringLiteral("Interrompi"), this);
    BtnInterrompi->setEnabled(false);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    buttons->addStretch();
    for (QPushButton* b : {BtnEsegui, BtnInterrompi, BtnChiudi, aiuto}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);
    connect(BtnEsegui, &QPushButton::clicked, this, &TFormOperazioni::EseguiClick);
    connect(BtnInterrompi, &QPushButton::clicked, this, &TFormOperazioni::InterrompiClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &TFormOperazioni::reject);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpOperazioni, this); });

    RadioOr->setChecked(true);
    AggiornaEtichette();
}

TOperazione TFormOperazioni::Operazione() const {
    if (RadioAnd->isChecked()) {
        return TOperazione::And;
    }
    if (RadioXor->isChecked()) {
        return TOperazione::Xor;
    }
    if (RadioN1->isChecked()) {
        return TOperazione::CoperturaN1;
    }
    if (RadioN2->isChecked()) {
        return TOperazione::CoperturaN2;
    }
    if (RadioDisord->isChecked()) {
        return TOperazione::Disordinatore;
    }
    return TOperazione::Or;
}

void TFormOperazioni::AggiornaEtichette() {
    const TOperazione op = Operazione();
    LabelSource1->setText(Q(EtichettaPrimoFile(op)));
    const bool second = op != TOperazione::Disordinatore;
    LabelSource2->setText(second ? Q(EtichettaSecondoFile(op)) : QString());
    LabelSource2->setVisible(second);
    Source2->setVisible(second);
    Cerca2->setVisible(second);
}

void TFormOperazioni::Cerca(QLineEdit* edit, bool save) {
    TFileDialogRequest request;
    request.title = save ? QStringLiteral("File di uscita") : QStringLiteral("Seleziona il File Colonnare");
    request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = Q(FolderPath(TFolder::Colonne).string());
    request.mustExist = !save;
    request.save = save;
    const QString file = files_.Choose(request);
    if (!file.isEmpty()) {
        edit->setText(file);
    }
}

void TFormOperazioni::reject() {
    if (running_) {
        cancel_.Request(); // closing during a run stops it first
        return;
    }
    QDialog::reject();
}

void TFormOperazioni::EseguiClick() {
    if (running_) {
        return;
    }
    const TOperazione op = Operazione();
    const std::string s1 = S(Source1->text().trimmed());
    const std::string s2 = S(Source2->text().trimmed());
    const std::string dest = S(Dest->text().trimmed());
    cancel_.Reset();
    Gauge->setValue(0);
    running_ = true;
    BtnEsegui->setEnabled(false);
    BtnInterrompi->setEnabled(true);
    TGaugeInCoda gauge(this, Gauge);
    TRisultatoOperazione r;
    std::string error;
    try {
        RunOnWorker([&] {
            if (op == TOperazione::Disordinatore) {
                const std::int64_t n = Disordina(s1, dest, SemeDalOrologio(), &gauge, &cancel_);
                r.esito = n < 0 ? TEsitoOperazione::Interrotto : TEsitoOperazione::Fatto;
                r.messaggio = msg::kElaborazioneTerminata;
            } else {
                r = EseguiOperazione(op, s1, s2, dest, &cancel_, &gauge);
            }
        });
    } catch (const std::exception& e) {
        error = e.what();
    }
    gauge.Flush();
    running_ = false;
    BtnEsegui->setEnabled(true);
    BtnInterrompi->setEnabled(false);
    if (!error.empty()) {
        main_.Prompt().ShowMessage(msg::kInformazione, error, BtnOk);
        return;
    }
    if (r.esito == TEsitoOperazione::Interrotto) {
        Gauge->setValue(0);
        return;
    }
    if (r.esito == TEsitoOperazione::Fatto) {
        main_.Prompt().ShowMessage(msg::kInformazione, r.messaggio, BtnOk);
    }
}

// ---- TFormOrdinamento

TFormOrdinamento::TFormOrdinamento(TAppContext& main, TFileChooser& files, TListaColonne& source,
                                   QWidget* parent)
    : QDialog(parent), main_(main), files_(files) {
    setObjectName(QStringLiteral("FormOrdinamento"));
    setWindowTitle(QStringLiteral("Ordinamento Colonnare"));
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        sorted_ = OrdinaColonne(source, main.Sistema().dati.TeamPercentages);
        source.Clear();
        QApplication::restoreOverrideCursor();
    }
    range_ = TIntervalloOrdinamento(static_cast<std::int64_t>(sorted_.size()));

    auto* top = new QVBoxLayout(this);
    auto* rg = new QGroupBox(QStringLiteral("Intervallo"), this);
    auto* rl = new QGridLayout(rg);
    const int n = static_cast<int>(std::min<std::size_t>(sorted_.size(), 2147483647));
    auto spin = [&](const char* name, int value) {
        auto* s = new QSpinBox(rg);
        s->setObjectName(QLatin1String(name));
        s->setRange(std::min(1, n), std::max(1, n));
        s->setValue(value);
        s->setGroupSeparatorShown(true);
        s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("16.777.216")) + 40);
        return s;
    };
    SpinMin = spin("SpinMin", 1);
    SpinMax = spin("SpinMax", std::max(1, n));
    rl->addWidget(new QLabel(QStringLiteral("Dalla Colonna Nº"), rg), 0, 0);
    rl->addWidget(SpinMin, 0, 1);
    rl->addWidget(new QLabel(QStringLiteral("Alla Colonna Nº"), rg), 1, 0);
    rl->addWidget(SpinMax, 1, 1);
    top->addWidget(rg);

    auto* cg = new QGroupBox(QStringLiteral("Colonne"), this);
    auto* cl = new QGridLayout(cg);
    LabelIniziali = Counter(cg, "LabelIniziali");
    LabelFinali = Counter(cg, "LabelFinali");
    LabelFiltrate = Counter(cg, "LabelFiltrate");
    cl->addWidget(new QLabel(QStringLiteral("Colonne Iniziali"), cg), 0, 0);
    cl->addWidget(LabelIniziali, 0, 1);
    cl->addWidget(new QLabel(QStringLiteral("Colonne Finali"), cg), 1, 0);
    cl->addWidget(LabelFinali, 1, 1);
    cl->addWidget(new QLabel(QStringLiteral("Colonne Filtrate"), cg), 2, 0);
    cl->addWidget(LabelFiltrate, 2, 1);
    top->addWidget(cg);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Meno Probabili"), this));
    Traccia = new QWidget(this);
    Traccia->setObjectName(QStringLiteral("Traccia"));
    Traccia->setFixedSize(kTraccia + 2, 16);
    Traccia->setAutoFillBackground(true);
    QPalette tp = Traccia->palette();
    tp.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    Traccia->setPalette(tp);
    Barra = new QWidget(Traccia);
    Barra->setObjectName(QStringLiteral("Barra"));
    Barra->setAutoFillBackground(true);
    QPalette bp = Barra->palette();
    bp.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    Barra->setPalette(bp);
    bar->addWidget(Traccia);
    bar->addWidget(new QLabel(QStringLiteral("Più Probabili"), this));
    top->addLayout(bar);

    auto* buttons = new QHBoxLayout;
    BtnSalva = new QPushButton(QStringLiteral("Salva su File"), this);
    BtnInserisci = new QPushButton(QStringLiteral("Inserisci in Memoria"), this);
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton* b : {BtnSalva, BtnInserisci, chiudi}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);
    const bool any = !sorted_.empty();
    BtnSalva->setEnabled(any);
    BtnInserisci->setEnabled(any);
    SpinMin->setEnabled(any);
    SpinMax->setEnabled(any);
    connect(BtnSalva, &QPushButton::clicked, this, &TFormOrdinamento::SalvaSuFileClick);
    connect(BtnInserisci, &QPushButton::clicked, this, &TFormOrdinamento::InserisciInMemoriaClick);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpinMin, &QSpinBox::valueChanged, this, [this](int v) {
        if (!updating_) {
            range_.ImpostaMin(v);
            AggiornaContatori();
        }
    });
    connect(SpinMax, &QSpinBox::valueChanged, this, [this](int v) {
        if (!updating_) {
            range_.ImpostaMax(v);
            AggiornaContatori();
        }
    });
    AggiornaContatori();
}

void TFormOrdinamento::AggiornaContatori() {
    updating_ = true;
    if (!sorted_.empty()) {
        SpinMin->setValue(static_cast<int>(range_.Min()));
        SpinMax->setValue(static_cast<int>(range_.Max()));
    }
    updating_ = false;
    const QLocale loc;
    LabelIniziali->setText(loc.toString(static_cast<qlonglong>(range_.Iniziali())));
    LabelFinali->setText(loc.toString(static_cast<qlonglong>(range_.Finali())));
    LabelFiltrate->setText(loc.toString(static_cast<qlonglong>(range_.Filtrate())));
    Barra->setGeometry(1 + range_.BarraInizio(), 1, range_.BarraLarghezza(), Traccia->height() - 2);
}

void TFormOrdinamento::SalvaSuFileClick() {
    const QString file = files_.Choose(SalvaColonneRequest());
    if (file.isEmpty()) {
        return;
    }
    try {
        SalvaIntervallo(sorted_, range_.Min(), range_.Max(), std::filesystem::path(S(file)), &main_.Prompt());
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TFormOrdinamento::InserisciInMemoriaClick() {
    InserisciInMemoria(sorted_, range_.Min(), range_.Max(), main_.Sistema().Colonne);
    accept();
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

} // namespace tessaline
