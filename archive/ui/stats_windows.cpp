#include "archive/ui/stats_windows.h"

#include <QApplication>
#include <QChart>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPieSeries>
#include <QPieSlice>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>
#include <stdexcept>

#include "archive/contest_archive.h"
#include "archive/frequencies.h"
#include "archive/stats_print.h"
#include "conditions/condition_set.h"
#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "print/mm_printer.h"

namespace tessaline {

namespace {

QTableWidget* TabellaDa(const TGriglia& g, QWidget* parent) {
    auto* t = new QTableWidget(static_cast<int>(g.cells.size()) - 1, static_cast<int>(g.colWidths.size()) - 1,
                               parent);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->setDefaultSectionSize(20);
    t->verticalHeader()->setMinimumWidth(28);
    return t;
}

void Riempi(QTableWidget* t, const TGriglia& g) {
    QStringList h;
    for (std::size_t c = 1; c < g.cells[0].size(); ++c) {
        h << Q(g.cells[0][c]);
    }
    t->setHorizontalHeaderLabels(h);
    QStringList v;
    for (std::size_t r = 1; r < g.cells.size(); ++r) {
        v << Q(g.cells[r][0]);
        for (std::size_t c = 1; c < g.cells[r].size(); ++c) {
            auto* it = new QTableWidgetItem(Q(g.cells[r][c]));
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(static_cast<int>(r - 1), static_cast<int>(c - 1), it);
        }
    }
    t->setVerticalHeaderLabels(v);
    t->resizeColumnsToContents();
}

void Stampa(const TStampante& stampante, const std::function<void(TmmPrinter&)>& draw,
            const char* messaggio) {
    if (!stampante) {
        throw EInOutError(messaggio);
    }
    try {
        stampante([&](TCanvas& canvas) {
            TmmPrinter p(canvas);
            draw(p);
        });
    } catch (const std::exception&) {
        throw EInOutError(messaggio);
    }
}

} // namespace

void ImpostaTorta(QChartView* view, double percent, const QString& label, const QString& resto) {
    auto* series = new QPieSeries;
    QPieSlice* a = series->append(label, percent);
    QPieSlice* b = series->append(resto, std::max(0.0, 100.0 - percent));
    a->setBrush(QColor(200, 40, 40));
    b->setBrush(QColor(40, 90, 200));
    series->setPieSize(0.85);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundVisible(false);
    // The share of the first slice stands over the pie.
    chart->setTitle(QStringLiteral("%1 %").arg(QLocale().toString(percent, 'f', 2)));
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

// ---- TFormImpRic

TFormImpRic::TFormImpRic(T_ImpostazioniRicerca& ricerca, const T_Archivio& archivio,
                         std::function<void()> salva, QWidget* parent)
    : QDialog(parent), ricerca_(ricerca), salva_(std::move(salva)) {
    setObjectName(QStringLiteral("FormImpRic"));
    setWindowTitle(QStringLiteral("Impostazioni Di Ricerca"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);

    auto* cerca = new QGroupBox(QStringLiteral("Cerca Vincite"), this);
    auto* cl = new QHBoxLayout(cerca);
    Radio1 = new QRadioButton(QString::fromUtf8("1º Categoria"), cerca);
    Radio12 = new QRadioButton(QString::fromUtf8("1º e 2º Categoria"), cerca);
    Radio123 = new QRadioButton(QString::fromUtf8("1º , 2º e 3º Cat."), cerca);
    Radio1->setObjectName(QStringLiteral("Radio1"));
    Radio12->setObjectName(QStringLiteral("Radio12"));
    Radio123->setObjectName(QStringLiteral("Radio123"));
    cl->addWidget(Radio1);
    cl->addWidget(Radio12);
    cl->addWidget(Radio123);
    v->addWidget(cerca);

    auto* intervallo = new QGroupBox(QStringLiteral("Intervallo Storico Di Ricerca"), this);
    auto* il = new QGridLayout(intervallo);
    auto estremo = [&](int row, const char* caption, QLabel*& inf, QSpinBox*& sup, QSpinBox*& num,
                       const char* n1, const char* n2, const char* n3) {
        il->addWidget(new QLabel(QString::fromUtf8(caption), intervallo), row, 0);
        inf = new QLabel(intervallo);
        inf->setObjectName(QLatin1String(n1));
        inf->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inf->setMinimumWidth(inf->fontMetrics().horizontalAdvance(QStringLiteral("0000 /")));
        sup = new QSpinBox(intervallo);
        sup->setObjectName(QLatin1String(n2));
        num = new QSpinBox(intervallo);
        num->setObjectName(QLatin1String(n3));
        num->setRange(1, 99);
        il->addWidget(inf, row, 1);
        il->addWidget(sup, row, 2);
        il->addWidget(new QLabel(QString::fromUtf8("Nº"), intervallo), row, 3, Qt::AlignRight);
        il->addWidget(num, row, 4);
    };
    estremo(0, "Concorso Iniziale :", AnnoInf1, Annosup1, Concorso1, "AnnoInf1", "Annosup1", "Concorso1");
    estremo(1, "Concorso Finale :", AnnoInf2, AnnoSup2, Concorso2, "AnnoInf2", "AnnoSup2", "Concorso2");
    il->setColumnStretch(5, 1);
    v->addWidget(intervallo);

    auto* riga = new QHBoxLayout;
    auto* ignora = new QGroupBox(QStringLiteral("Ignora i Seguenti Condizionamenti"), this);
    auto* gl = new QGridLayout(ignora);
    CheckCF = new QCheckBox(QStringLiteral("Colonne Filtro"), ignora);
    CheckRip = new QCheckBox(QStringLiteral("Ripetizioni"), ignora);
    CheckVal = new QCheckBox(QStringLiteral("Valori"), ignora);
    CheckPer = new QCheckBox(QStringLiteral("Percentuali"), ignora);
    CheckCF->setObjectName(QStringLiteral("CheckCF"));
    CheckRip->setObjectName(QStringLiteral("CheckRip"));
    CheckVal->setObjectName(QStringLiteral("CheckVal"));
    CheckPer->setObjectName(QStringLiteral("CheckPer"));
    gl->addWidget(CheckCF, 0, 0);
    gl->addWidget(CheckRip, 0, 1);
    gl->addWidget(CheckVal, 1, 0);
    gl->addWidget(CheckPer, 1, 1);
    riga->addWidget(ignora, 1);
    auto* tipi = new QGroupBox(QStringLiteral("Tipi di Concorso"), this);
    auto* tl = new QVBoxLayout(tipi);
    CheckCalcio = new QCheckBox(QStringLiteral("Calcio"), tipi);
    CheckBasket = new QCheckBox(QStringLiteral("Basket"), tipi);
    CheckCalcio->setObjectName(QStringLiteral("CheckCalcio"));
    CheckBasket->setObjectName(QStringLiteral("CheckBasket"));
    tl->addWidget(CheckCalcio);
    tl->addWidget(CheckBasket);
    riga->addWidget(tipi);
    v->addLayout(riga);
    v->addStretch(1);
    v->addWidget(OkAnnullaAiuto(this, kHelpContext));

    std::int32_t primo = 0;
    std::int32_t ultimo = 0;
    archivio.AnniEstremi(primo, ultimo);
    for (QSpinBox* s : {Annosup1, AnnoSup2}) {
        s->setRange(primo + 1, ultimo + 1);
    }
    const T_IntervalloConcorsi& r = ricerca.Intervallo;
    Annosup1->setValue(r.AnnoDa + 1);
    AnnoSup2->setValue(r.AnnoA + 1);
    Concorso1->setValue(std::max<int>(1, r.NumeroDa));
    Concorso2->setValue(std::max<int>(1, r.NumeroA));
    (ricerca.Categoria123 != 0 ? Radio123 : ricerca.Categoria12 != 0 ? Radio12 : Radio1)->setChecked(true);
    CheckCF->setChecked(ricerca.IgnoraColonneFiltro != 0);
    CheckRip->setChecked(ricerca.IgnoraRipetizioni != 0);
    CheckVal->setChecked(ricerca.IgnoraValori != 0);
    CheckPer->setChecked(ricerca.IgnoraPercentuali != 0);
    CheckCalcio->setChecked((r.Tipi & 1) != 0);
    CheckBasket->setChecked((r.Tipi & 2) != 0);
    for (QSpinBox* s : {Annosup1, Concorso1}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(true); });
    }
    for (QSpinBox* s : {AnnoSup2, Concorso2}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(false); });
    }
    Estremi(true);
}

void TFormImpRic::Estremi(bool primo) {
    const QSignalBlocker b1(Annosup1);
    const QSignalBlocker b2(Concorso1);
    const QSignalBlocker b3(AnnoSup2);
    const QSignalBlocker b4(Concorso2);
    const bool oltre = Annosup1->value() > AnnoSup2->value() ||
                       (Annosup1->value() == AnnoSup2->value() && Concorso1->value() > Concorso2->value());
    if (oltre) {
        // Moving one end past the other pulls the other along.
        if (primo) {
            AnnoSup2->setValue(Annosup1->value());
            Concorso2->setValue(Concorso1->value());
        } else {
            Annosup1->setValue(AnnoSup2->value());
            Concorso1->setValue(Concorso2->value());
        }
    }
    AnnoInf1->setText(QStringLiteral("%1 /").arg(Annosup1->value() - 1));
    AnnoInf2->setText(QStringLiteral("%1 /").arg(AnnoSup2->value() - 1));
}

void TFormImpRic::accept() {
    T_ImpostazioniRicerca& r = ricerca_;
    r.Categoria1 = Radio1->isChecked() ? 1 : 0;
    r.Categoria12 = Radio12->isChecked() ? 1 : 0;
    r.Categoria123 = Radio123->isChecked() ? 1 : 0;
    r.Intervallo.AnnoDa = static_cast<std::int16_t>(Annosup1->value() - 1);
    r.Intervallo.AnnoA = static_cast<std::int16_t>(AnnoSup2->value() - 1);
    r.Intervallo.NumeroDa = static_cast<std::uint8_t>(Concorso1->value());
    r.Intervallo.NumeroA = static_cast<std::uint8_t>(Concorso2->value());
    r.Intervallo.Tipi =
        static_cast<std::uint8_t>((CheckCalcio->isChecked() ? 1 : 0) + (CheckBasket->isChecked() ? 2 : 0));
    r.IgnoraColonneFiltro = CheckCF->isChecked() ? 1 : 0;
    r.IgnoraRipetizioni = CheckRip->isChecked() ? 1 : 0;
    r.IgnoraValori = CheckVal->isChecked() ? 1 : 0;
    r.IgnoraPercentuali = CheckPer->isChecked() ? 1 : 0;
    QDialog::accept();
    if (salva_) {
        salva_();
    }
}

// ---- TFormProArc

TFormProArc::TFormProArc(const T_Archivio& archivio, const T_ImpostazioniRicerca& ricerca,
                         TStampante stampante, QWidget* parent)
    : QDialog(parent), stampante_(std::move(stampante)) {
    setObjectName(QStringLiteral("FormProArc"));
    setWindowTitle(QStringLiteral("Analisi Storica Della Frequenza Dei Segni"));
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        CalcolaStoriaSquadre(archivio.Concorsi(), ricerca.Intervallo, storia_);
        QApplication::restoreOverrideCursor();
    }
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    Pagine = new QTabWidget(this);
    Pagine->setObjectName(QStringLiteral("Pagine"));
    const char* nomi[4] = {"Segno 0", "Segno 1", "Segno 2", "Segno M"};
    for (int s = 0; s < 4; ++s) {
        const TGriglia g = GrigliaStoriaSegno(storia_, s);
        QTableWidget* t = TabellaDa(g, Pagine);
        t->setObjectName(QStringLiteral("Griglia%1").arg(s));
        Riempi(t, g);
        Griglie[static_cast<std::size_t>(s)] = t;
        Pagine->addTab(t, QLatin1String(nomi[s]));
    }
    v->addWidget(Pagine, 1);
    auto* info = new QLabel(QStringLiteral("Concorsi Esaminati : %1").arg(storia_.Esaminati), this);
    info->setObjectName(QStringLiteral("LabelEsaminati"));
    v->addWidget(info);
    auto* box = new QDialogButtonBox(this);
    BtnStampa = box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    BtnStampa->setObjectName(QStringLiteral("BtnStampa"));
    QPushButton* chiudi = box->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    chiudi->setObjectName(QStringLiteral("BtnChiudi"));
    QPushButton* aiuto = box->addButton(QStringLiteral("&Aiuto"), QDialogButtonBox::HelpRole);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnStampa, &QPushButton::clicked, this,
            [this] { EseguiProtetto(Prompt, [this] { StampaClick(); }); });
    v->addWidget(box);
    Griglie[0]->resizeColumnsToContents();
    int w = Griglie[0]->verticalHeader()->width() + 40;
    for (int c = 0; c < Griglie[0]->columnCount(); ++c) {
        w += Griglie[0]->columnWidth(c);
    }
    resize(std::max(w, 560), 430);
}

void TFormProArc::StampaClick() {
    Stampa(
        stampante_, [this](TmmPrinter& p) { StampaStoriaSquadre(p, storia_); },
        "Impossibile Stampare La Tabella");
}

// ---- TFormStatistica

TFormStatistica::TFormStatistica(TInsiemeCondizioni& set, const T_Archivio& archivio,
                                 const T_ImpostazioniRicerca& ricerca, std::int64_t colonnePronostico,
                                 std::int64_t colonneTenute, QWidget* parent)
    : QDialog(parent), set_(set), archivio_(archivio), ricerca_(ricerca),
      colonnePronostico_(colonnePronostico), colonneTenute_(colonneTenute) {
    setObjectName(QStringLiteral("FormStatistica"));
    setWindowTitle(QStringLiteral("Analisi Statistica"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    auto* top = new QHBoxLayout;
    BtnElabora = new QPushButton(QStringLiteral("Elaborazione"), this);
    BtnElabora->setObjectName(QStringLiteral("BtnElabora"));
    BtnElabora->setToolTip(QStringLiteral("Analisi Statistica"));
    Cancelbtn = new QPushButton(QStringLiteral("Annulla"), this);
    Cancelbtn->setObjectName(QStringLiteral("Cancelbtn"));
    Cancelbtn->setEnabled(false);
    top->addWidget(BtnElabora);
    top->addWidget(Cancelbtn);
    top->addSpacing(12);
    for (int k = 0; k < 3; ++k) {
        auto* b = new QPushButton(QString::fromUtf8("%1º").arg(k + 1), this);
        b->setObjectName(QStringLiteral("BtnCategoria%1").arg(k + 1));
        b->setCheckable(true);
        b->setEnabled(false);
        b->setFixedWidth(40);
        connect(b, &QPushButton::clicked, this, [this, k] { MostraCategoria(k); });
        BtnCategoria[static_cast<std::size_t>(k)] = b;
        top->addWidget(b);
    }
    top->addStretch(1);
    v->addLayout(top);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    v->addWidget(Gauge);
    Stato = new QLabel(this);
    Stato->setObjectName(QStringLiteral("Stato"));
    v->addWidget(Stato);
    Titolo = new QLabel(this);
    Titolo->setObjectName(QStringLiteral("Titolo"));
    QFont bold = Titolo->font();
    bold.setBold(true);
    Titolo->setFont(bold);
    v->addWidget(Titolo);

    auto* corpo = new QHBoxLayout;
    auto* grafici = new QGridLayout;
    LabelFrequenza = new QLabel(QStringLiteral("Frequenza Storica :"), this);
    LabelFiltrate = new QLabel(QStringLiteral("Colonne Filtrate :"), this);
    GraficoFrequenza = new QChartView(this);
    GraficoFrequenza->setObjectName(QStringLiteral("GraficoFrequenza"));
    GraficoFiltrate = new QChartView(this);
    GraficoFiltrate->setObjectName(QStringLiteral("GraficoFiltrate"));
    for (QChartView* g : {GraficoFrequenza, GraficoFiltrate}) {
        g->setRenderHint(QPainter::Antialiasing);
        g->setMinimumSize(150, 130);
    }
    grafici->addWidget(LabelFrequenza, 0, 0);
    grafici->addWidget(LabelFiltrate, 0, 1);
    grafici->addWidget(GraficoFrequenza, 1, 0);
    grafici->addWidget(GraficoFiltrate, 1, 1);
    corpo->addLayout(grafici, 1);

    auto* cifre = new QGridLayout;
    auto riga = [&](int r, const char* caption, QLabel*& value, const char* name, int indent = 0) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        l->setIndent(indent);
        value = new QLabel(this);
        value->setObjectName(QLatin1String(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("16.777.216")));
        cifre->addWidget(l, r, 0);
        cifre->addWidget(value, r, 1);
    };
    riga(0, "Ciclo Medio :", CicloMedio, "CicloMedio");
    cifre->addWidget(new QLabel(QStringLiteral("Ritardi Riferiti al Ciclo Medio :"), this), 1, 0, 1, 2);
    riga(2, "Ritardo Minimo :", RitardoMinimo, "RitardoMinimo", 12);
    riga(3, "Ritardo Massimo :", RitardoMassimo, "RitardoMassimo", 12);
    riga(4, "Ritardo Medio :", RitardoMedio, "RitardoMedio", 12);
    riga(5, "Ritardo Attuale :", RitardoAttuale, "RitardoAttuale", 12);
    riga(6, "Settimane Di  Assenza :", Settimane, "Settimane");
    riga(7, "Fattore Di Convenienza :", Convenienza, "Convenienza");
    cifre->setRowStretch(8, 1);
    corpo->addLayout(cifre);
    v->addLayout(corpo, 1);

    auto* box = new QDialogButtonBox(this);
    QPushButton* chiudi = box->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    chiudi->setObjectName(QStringLiteral("BtnChiudi"));
    QPushButton* aiuto = box->addButton(QStringLiteral("&Aiuto"), QDialogButtonBox::HelpRole);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    v->addWidget(box);

    connect(BtnElabora, &QPushButton::clicked, this, [this] { AnalisiArchivioClick(); });
    connect(Cancelbtn, &QPushButton::clicked, this, [this] { cancel_.Request(); });
    ImpostaTorta(GraficoFrequenza, 0, QString(), QString());
    ImpostaTorta(GraficoFiltrate, 0, QString(), QString());
    MostraCategoria(-1);
    resize(600, 400);
}

bool TFormStatistica::AnalisiArchivioClick() {
    cancel_.Reset();
    BtnElabora->setEnabled(false);
    Cancelbtn->setEnabled(true);
    for (QPushButton* b : BtnCategoria) {
        b->setEnabled(false);
    }
    struct TProgressoUi final : TAnalisiProgress {
        explicit TProgressoUi(TFormStatistica* f) : form(f), queue(f) {}
        void Stato(const std::string& t) override {
            queue.Post(0, [f = form, s = Q(t)] { f->Stato->setText(s); });
        }
        void Gauge(int p) override {
            queue.Post(1, [f = form, p] { f->Gauge->setValue(p); });
        }
        TFormStatistica* form;
        TUiQueue queue;
    } progresso(this);
    bool completa = false;
    {
        const TInputBlock block(this);
        RunOnWorker(
            [&] { completa = AnalisiArchivio(set_, archivio_, ricerca_, risultato_, &progresso, &cancel_); });
        progresso.queue.Flush();
    }
    BtnElabora->setEnabled(true);
    Cancelbtn->setEnabled(false);
    if (completa) {
        for (int k = 0; k < 3; ++k) {
            BtnCategoria[static_cast<std::size_t>(k)]->setEnabled(k < risultato_.NumCategorie);
        }
        MostraCategoria(0);
    } else {
        MostraCategoria(-1);
    }
    return completa;
}

QString TFormStatistica::TestoConvenienza(double filtrate, double frequenza) {
    const double divisore = 100.0 - frequenza;
    if (divisore == 0.0) {
        return QStringLiteral("Infinito");
    }
    return QLocale().toString(filtrate / divisore, 'f', 2);
}

void TFormStatistica::MostraCategoria(int k) {
    categoria_ = k;
    for (int i = 0; i < 3; ++i) {
        BtnCategoria[static_cast<std::size_t>(i)]->setChecked(i == k);
    }
    const bool vuota = k < 0 || k >= risultato_.NumCategorie || !risultato_.Completata;
    for (QLabel* l :
         {CicloMedio, RitardoMinimo, RitardoMassimo, RitardoMedio, RitardoAttuale, Settimane, Convenienza}) {
        l->clear();
    }
    const bool filtrate = k == 0 && colonneTenute_ >= 0 && colonnePronostico_ > 0;
    LabelFiltrate->setVisible(!vuota && filtrate);
    GraficoFiltrate->setVisible(!vuota && filtrate);
    if (vuota) {
        Titolo->clear();
        ImpostaTorta(GraficoFrequenza, 0, QString(), QString());
        return;
    }
    const TCategoriaStorica& c = risultato_.Categorie[static_cast<std::size_t>(k)];
    Titolo->setText(QString::fromUtf8("%1º Categoria").arg(k + 1));
    const QLocale loc;
    const double freq = c.FrequenzaPercento();
    ImpostaTorta(GraficoFrequenza, freq, QStringLiteral("Vincite"), QStringLiteral("Resto"));
    CicloMedio->setText(loc.toString(c.CicloMedio, 'f', 2));
    RitardoMinimo->setText(loc.toString(c.RitardoMinimo));
    RitardoMassimo->setText(loc.toString(c.RitardoMassimo));
    RitardoMedio->setText(loc.toString(c.RitardoMedio, 'f', 2));
    RitardoAttuale->setText(loc.toString(c.RitardoAttuale));
    Settimane->setText(loc.toString(c.Settimane()));
    if (filtrate) {
        const double perc = static_cast<double>(colonnePronostico_ - colonneTenute_) /
                            static_cast<double>(colonnePronostico_) * 100.0;
        ImpostaTorta(GraficoFiltrate, perc, QStringLiteral("Filtrate"), QStringLiteral("Rimanenti"));
        Convenienza->setText(TestoConvenienza(perc, freq));
    }
}

// ---- TFormProAna

TFormProAna::TFormProAna(const TListaColonne& colonne, TStampante stampante, QWidget* parent)
    : QDialog(parent), stampante_(std::move(stampante)) {
    setObjectName(QStringLiteral("FormProAna"));
    setWindowTitle(QStringLiteral("Analisi Delle Frequenze Dei Segni"));
    for (const Colonna& multi : colonne) {
        ExpandColumn(multi, [this](const Colonna& c) {
            ++colonne_;
            for (std::size_t t = 0; t < kTeams; ++t) {
                const SignSet s = c.s[t];
                const int i = s == 1 ? 0 : s == 2 ? 1 : s == 4 ? 2 : s == 8 ? 3 : -1;
                if (i >= 0) {
                    ++conteggi_[t][static_cast<std::size_t>(i)];
                }
            }
        });
    }
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    Griglia = new QTableWidget(12, 4, this);
    Griglia->setObjectName(QStringLiteral("Griglia"));
    Griglia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Griglia->setHorizontalHeaderLabels({QStringLiteral("Segno 0"), QStringLiteral("Segno 1"),
                                        QStringLiteral("Segno 2"), QStringLiteral("Segno M")});
    QStringList righe;
    for (int t = 1; t <= 12; ++t) {
        righe << QStringLiteral("%1").arg(t, 2);
    }
    Griglia->setVerticalHeaderLabels(righe);
    Griglia->verticalHeader()->setDefaultSectionSize(20);
    v->addWidget(Griglia, 1);
    auto* box = new QDialogButtonBox(this);
    CheckPerc = new QCheckBox(QStringLiteral("%"), this);
    CheckPerc->setObjectName(QStringLiteral("CheckPerc"));
    auto* riga = new QHBoxLayout;
    riga->addWidget(CheckPerc);
    riga->addWidget(box, 1);
    BtnStampa = box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    BtnStampa->setObjectName(QStringLiteral("BtnStampa"));
    QPushButton* chiudi = box->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    QPushButton* aiuto = box->addButton(QStringLiteral("&Aiuto"), QDialogButtonBox::HelpRole);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckPerc, &QCheckBox::toggled, this, [this] { Mostra(); });
    connect(BtnStampa, &QPushButton::clicked, this,
            [this] { EseguiProtetto(Prompt, [this] { StampaClick(); }); });
    v->addLayout(riga);
    Mostra();
    resize(460, 360);
}

void TFormProAna::Mostra() {
    const QLocale loc;
    for (int t = 0; t < 12; ++t) {
        for (int s = 0; s < 4; ++s) {
            const std::int64_t n = conteggi_[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)];
            const QString text =
                CheckPerc->isChecked()
                    ? loc.toString(colonne_ > 0 ? static_cast<double>(n) / colonne_ * 100.0 : 0.0, 'f', 2)
                    : loc.toString(static_cast<qlonglong>(n));
            auto* it = new QTableWidgetItem(text);
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Griglia->setItem(t, s, it);
        }
    }
    Griglia->resizeColumnsToContents();
}

void TFormProAna::StampaClick() {
    TGriglia g;
    g.colWidths = {30, 90, 90, 90, 90};
    g.cells.push_back({"", "Segno 0", "Segno 1", "Segno 2", "Segno M"});
    for (int t = 0; t < 12; ++t) {
        std::vector<std::string> row{fmt::format("{:>2}", t + 1)};
        for (int s = 0; s < 4; ++s) {
            row.push_back(Griglia->item(t, s)->text().toStdString());
        }
        g.cells.push_back(row);
    }
    g.rowHeights.assign(g.cells.size(), 20);
    Stampa(
        stampante_,
        [&](TmmPrinter& p) {
            StampaTabelle(p, "Analisi Delle Frequenze Dei Segni", {{"", g}});
        },
        "Impossibile Stampare La Tabella");
}

} // namespace tessaline
