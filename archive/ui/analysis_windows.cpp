#include "archive/ui/analysis_windows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLegend>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "archive/stats_print.h"
#include "archive/ui/stats_windows.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "print/mm_printer.h"

namespace tessaline {

namespace {

constexpr int kValoriVisibili = 13;

// The value labels as the legend shows them: "a,b" on two lines.
QString Etichetta(const TMisuraVista& m, int v) {
    QString s = v < static_cast<int>(m.Etichette.size()) ? Q(m.Etichette[static_cast<std::size_t>(v)])
                                                         : QString::number(v);
    const int comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        s[comma] = QLatin1Char('\n');
    }
    return s;
}

const std::vector<TElemRFRM>& Lista(const T_FrequenzeRitardi& t, bool cons) {
    return cons ? t.Consecutivi() : t.Presenze();
}

std::int32_t Freq(const T_FrequenzeRitardi& t, bool cons, int v) {
    const auto& l = Lista(t, cons);
    return v >= 0 && v < static_cast<int>(l.size()) ? l[static_cast<std::size_t>(v)].Frequenza : 0;
}

int Valori(const TMisuraVista& m) {
    int n = static_cast<int>(m.Etichette.size());
    for (const T_FrequenzeRitardi* t : {&m.Archivio, &m.Integrale, &m.Singola, &m.Condizionata}) {
        n = std::max(n, t->Massimo() + 1);
    }
    return n;
}

QPushButton* PulsanteMisura(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    QFont f = b->font();
    f.setPointSize(7);
    b->setFont(f);
    b->setCheckable(true);
    b->setAutoDefault(false);
    return b;
}

QTableWidgetItem* Cella(const QString& text) {
    auto* it = new QTableWidgetItem(text);
    it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return it;
}

QString Numero(double x, bool perc) {
    const QLocale loc;
    return perc ? loc.toString(x, 'f', 2) : loc.toString(static_cast<qlonglong>(x));
}

// A bar chart with one set per series over the values [primo, primo + n).
void Barre(QChartView* view, const std::vector<std::pair<QString, std::vector<double>>>& serie,
           const QStringList& categorie, double limite, const QString& titoloY, bool legenda) {
    auto* bars = new QBarSeries;
    const QColor colori[3] = {QColor(40, 90, 200), QColor(210, 60, 40), QColor(40, 160, 70)};
    for (std::size_t i = 0; i < serie.size(); ++i) {
        auto* set = new QBarSet(serie[i].first);
        for (double x : serie[i].second) {
            *set << x;
        }
        set->setColor(colori[i % 3]);
        bars->append(set);
    }
    auto* chart = new QChart;
    chart->addSeries(bars);
    auto* ax = new QBarCategoryAxis;
    ax->append(categorie);
    auto* ay = new QValueAxis;
    ay->setRange(0, limite > 0 ? limite : 1);
    ay->setTickCount(11);
    ay->setLabelFormat(QStringLiteral("%.0f"));
    ay->setTitleText(titoloY);
    chart->addAxis(ax, Qt::AlignBottom);
    chart->addAxis(ay, Qt::AlignLeft);
    bars->attachAxis(ax);
    bars->attachAxis(ay);
    chart->legend()->setVisible(legenda);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QDialogButtonBox* Pulsanti(QDialog* dlg, int help, QPushButton*& stampa) {
    auto* box = new QDialogButtonBox(dlg);
    stampa = box->addButton(QStringLiteral("Stampa"), QDialogButtonBox::ActionRole);
    stampa->setObjectName(QStringLiteral("BtnStampa"));
    QPushButton* chiudi = box->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    chiudi->setObjectName(QStringLiteral("BtnChiudi"));
    QPushButton* aiuto = box->addButton(QStringLiteral("&Aiuto"), QDialogButtonBox::HelpRole);
    QObject::connect(aiuto, &QPushButton::clicked, dlg, [dlg, help] { OpenHelp(help, dlg); });
    QObject::connect(chiudi, &QPushButton::clicked, dlg, &QDialog::reject);
    return box;
}

void StampaConMessaggio(const TStampante& stampante, const std::string& titolo,
                        const std::vector<std::pair<std::string, TGriglia>>& tabelle, const char* messaggio) {
    if (!stampante) {
        throw EInOutError(messaggio);
    }
    try {
        stampante([&](TCanvas& canvas) {
            TmmPrinter p(canvas);
            StampaTabelle(p, titolo, tabelle);
        });
    } catch (const std::exception&) {
        throw EInOutError(messaggio);
    }
}

TGriglia GrigliaDa(const QTableWidget* t) {
    TGriglia g;
    g.colWidths.push_back(44);
    std::vector<std::string> h{""};
    for (int c = 0; c < t->columnCount(); ++c) {
        g.colWidths.push_back(64);
        h.push_back(S(t->horizontalHeaderItem(c)->text()));
    }
    g.cells.push_back(h);
    for (int r = 0; r < t->rowCount(); ++r) {
        std::vector<std::string> row{S(t->verticalHeaderItem(r)->text()).substr(0, 12)};
        for (int c = 0; c < t->columnCount(); ++c) {
            const QTableWidgetItem* it = t->item(r, c);
            row.push_back(it == nullptr ? std::string() : S(it->text()));
        }
        g.cells.push_back(row);
    }
    g.rowHeights.assign(g.cells.size(), 18);
    return g;
}

void Riga(QTableWidget* t, int valori, const TMisuraVista& m) {
    t->setRowCount(valori);
    QStringList v;
    for (int i = 0; i < valori; ++i) {
        v << Etichetta(m, i).replace(QLatin1Char('\n'), QLatin1Char(','));
    }
    t->setVerticalHeaderLabels(v);
}

} // namespace

// ---- TFormArchivio

TFormArchivio::TFormArchivio(VistaAnalisi vista, TStampante stampante, QWidget* parent)
    : QDialog(parent), vista_(std::move(vista)), stampante_(std::move(stampante)) {
    setObjectName(QStringLiteral("FormArchivio"));
    setWindowTitle(Q(vista_.TitoloStatistica));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    auto* misure = new QHBoxLayout;
    for (std::size_t i = 0; i < vista_.Misure.size(); ++i) {
        QPushButton* b = PulsanteMisura(Q(vista_.Misure[i].Nome), this);
        b->setObjectName(QStringLiteral("BtnMisura%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { ScegliMisura(static_cast<int>(i)); });
        BtnMisure.push_back(b);
        misure->addWidget(b);
    }
    misure->addStretch(1);
    v->addLayout(misure);

    Pagine = new QTabWidget(this);
    Pagine->setObjectName(QStringLiteral("Pagine"));
    auto* freq = new QWidget(Pagine);
    auto* fl = new QVBoxLayout(freq);
    auto* comandi = new QHBoxLayout;
    CheckPerc = new QCheckBox(QStringLiteral("%"), freq);
    CheckPerc->setObjectName(QStringLiteral("CheckPerc"));
    CheckZoom = new QCheckBox(QStringLiteral("Zoom"), freq);
    CheckZoom->setObjectName(QStringLiteral("CheckZoom"));
    RadioPres = new QRadioButton(QStringLiteral("Pres."), freq);
    RadioPres->setObjectName(QStringLiteral("RadioPres"));
    RadioCons = new QRadioButton(QStringLiteral("Cons."), freq);
    RadioCons->setObjectName(QStringLiteral("RadioCons"));
    RadioGrafico = new QRadioButton(QStringLiteral("Grafico"), freq);
    RadioGrafico->setObjectName(QStringLiteral("RadioGrafico"));
    RadioTabella = new QRadioButton(QStringLiteral("Tabella"), freq);
    RadioTabella->setObjectName(QStringLiteral("RadioTabella"));
    auto* g1 = new QButtonGroup(this);
    g1->addButton(RadioPres);
    g1->addButton(RadioCons);
    auto* g2 = new QButtonGroup(this);
    g2->addButton(RadioGrafico);
    g2->addButton(RadioTabella);
    RadioPres->setChecked(true);
    RadioGrafico->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{CheckPerc, CheckZoom, RadioPres, RadioCons,
                                                      RadioGrafico, RadioTabella}) {
        comandi->addWidget(w);
    }
    comandi->addStretch(1);
    fl->addLayout(comandi);
    Vista = new QStackedWidget(freq);
    Grafico = new QChartView(Vista);
    Grafico->setObjectName(QStringLiteral("Grafico"));
    Grafico->setRenderHint(QPainter::Antialiasing);
    Tabella = new QTableWidget(0, 2, Vista);
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabella->setHorizontalHeaderLabels({QStringLiteral(" Punti"), QStringLiteral(" Cons.")});
    Vista->addWidget(Grafico);
    Vista->addWidget(Tabella);
    fl->addWidget(Vista, 1);
    Pagine->addTab(freq, QStringLiteral("Frequenze"));

    auto* rit = new QWidget(Pagine);
    auto* rl = new QVBoxLayout(rit);
    auto* rc = new QHBoxLayout;
    RitPunti = new QRadioButton(QStringLiteral("Punti"), rit);
    RitPunti->setObjectName(QStringLiteral("RitPunti"));
    RitCons = new QRadioButton(QStringLiteral("Cons."), rit);
    RitCons->setObjectName(QStringLiteral("RitCons"));
    RitPunti->setChecked(true);
    rc->addWidget(RitPunti);
    rc->addWidget(RitCons);
    rc->addStretch(1);
    rl->addLayout(rc);
    TabellaRitardi = new QTableWidget(0, 3, rit);
    TabellaRitardi->setObjectName(QStringLiteral("TabellaRitardi"));
    TabellaRitardi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TabellaRitardi->setHorizontalHeaderLabels(
        {QStringLiteral("Att."), QStringLiteral(" Max"), QStringLiteral("  IC")});
    rl->addWidget(TabellaRitardi, 1);
    Pagine->addTab(rit, QStringLiteral("Ritardi"));
    v->addWidget(Pagine, 1);
    v->addWidget(Pulsanti(this, kHelpContext, BtnStampa));

    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             CheckPerc, CheckZoom, RadioPres, RadioCons, RadioGrafico, RadioTabella, RitPunti, RitCons}) {
        connect(b, &QAbstractButton::toggled, this, [this] { Mostra(); });
    }
    connect(BtnStampa, &QPushButton::clicked, this,
            [this] { EseguiProtetto(Prompt, [this] { StampaClick(); }); });
    ScegliMisura(0);
    resize(620, 440);
}

void TFormArchivio::ScegliMisura(int m) {
    misura_ = std::clamp(m, 0, std::max(0, static_cast<int>(vista_.Misure.size()) - 1));
    for (std::size_t i = 0; i < BtnMisure.size(); ++i) {
        BtnMisure[i]->setChecked(static_cast<int>(i) == misura_);
    }
    Mostra();
}

void TFormArchivio::Mostra() {
    if (vista_.Misure.empty()) {
        return;
    }
    const TMisuraVista& m = vista_.Misure[static_cast<std::size_t>(misura_)];
    const bool cons = RadioCons->isChecked() && m.HaCons();
    RadioCons->setEnabled(m.HaCons());
    RitCons->setEnabled(m.HaCons());
    const bool perc = CheckPerc->isChecked();
    const std::int32_t eventi = m.Archivio.Eventi();
    const int n = Valori(m);
    std::vector<double> altezze;
    QStringList categorie;
    double massimo = 0;
    for (int i = 0; i < n; ++i) {
        const double f = Freq(m.Archivio, cons, i);
        const double h = perc ? Percentuale(static_cast<std::int64_t>(f), eventi) : f;
        altezze.push_back(h);
        massimo = std::max(massimo, h);
        categorie << Etichetta(m, i);
    }
    limite_ = CheckZoom->isChecked() ? 1.1 * massimo : perc ? 100.0 : static_cast<double>(eventi);
    Barre(Grafico, {{Q(m.Nome), altezze}}, categorie, limite_,
          perc ? QStringLiteral("Frequenza %") : QString::fromUtf8("Nº di concorsi"), false);
    Vista->setCurrentIndex(RadioTabella->isChecked() ? 1 : 0);

    Riga(Tabella, n, m);
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 2; ++c) {
            if (c == 1 && !m.HaCons()) {
                Tabella->setItem(i, c, Cella(QString()));
                continue;
            }
            const std::int32_t f = Freq(m.Archivio, c == 1, i);
            Tabella->setItem(i, c, Cella(perc ? Numero(Percentuale(f, eventi), true) : Numero(f, false)));
        }
    }
    const bool rcons = RitCons->isChecked() && m.HaCons();
    Riga(TabellaRitardi, n, m);
    const auto& lista = Lista(m.Archivio, rcons);
    for (int i = 0; i < n; ++i) {
        const TElemRFRM e =
            i < static_cast<int>(lista.size()) ? lista[static_cast<std::size_t>(i)] : TElemRFRM{};
        TabellaRitardi->setItem(i, 0, Cella(Numero(e.Ritardo, false)));
        TabellaRitardi->setItem(i, 1, Cella(Numero(e.RitardoMax, false)));
        TabellaRitardi->setItem(i, 2, Cella(Numero(IndiceIC(e.Frequenza, eventi, e.Ritardo), true)));
    }
}

void TFormArchivio::StampaClick() {
    std::vector<std::pair<std::string, TGriglia>> tabelle;
    const int salva = misura_;
    for (std::size_t i = 0; i < vista_.Misure.size(); ++i) {
        ScegliMisura(static_cast<int>(i));
        tabelle.emplace_back(vista_.Misure[i].Nome + " - Frequenze", GrigliaDa(Tabella));
        tabelle.emplace_back(vista_.Misure[i].Nome + " - Ritardi", GrigliaDa(TabellaRitardi));
    }
    ScegliMisura(salva);
    StampaConMessaggio(stampante_, vista_.TitoloStatistica, tabelle, "Impossibilie Stampare la tabella");
}

// ---- TFormAnalisiCF

TFormAnalisiCF::TFormAnalisiCF(VistaAnalisi vista, TStampante stampante, QWidget* parent)
    : QDialog(parent), vista_(std::move(vista)), stampante_(std::move(stampante)) {
    setObjectName(QStringLiteral("FormAnalisiCF"));
    setWindowTitle(vista_.TitoloColonne.empty() ? QStringLiteral("Analisi Colonnare")
                                                : Q(vista_.TitoloColonne));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    auto* misure = new QHBoxLayout;
    for (std::size_t i = 0; i < vista_.Misure.size(); ++i) {
        QPushButton* b = PulsanteMisura(Q(vista_.Misure[i].Nome), this);
        b->setObjectName(QStringLiteral("BtnMisura%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { ScegliMisura(static_cast<int>(i)); });
        BtnMisure.push_back(b);
        misure->addWidget(b);
    }
    misure->addStretch(1);
    v->addLayout(misure);

    auto* comandi = new QHBoxLayout;
    auto coppia = [&](QRadioButton*& a, QRadioButton*& b, const char* ta, const char* tb, const char* na,
                      const char* nb) {
        a = new QRadioButton(QString::fromUtf8(ta), this);
        b = new QRadioButton(QString::fromUtf8(tb), this);
        a->setObjectName(QLatin1String(na));
        b->setObjectName(QLatin1String(nb));
        auto* g = new QButtonGroup(this);
        g->addButton(a);
        g->addButton(b);
        a->setChecked(true);
        comandi->addWidget(a);
        comandi->addWidget(b);
        comandi->addSpacing(8);
    };
    coppia(RadioSingola, RadioGlobale, "Singola", "Globale", "RadioSingola", "RadioGlobale");
    CheckPerc = new QCheckBox(QStringLiteral("%"), this);
    CheckPerc->setObjectName(QStringLiteral("CheckPerc"));
    CheckZoom = new QCheckBox(QStringLiteral("Zoom"), this);
    CheckZoom->setObjectName(QStringLiteral("CheckZoom"));
    comandi->addWidget(CheckPerc);
    comandi->addWidget(CheckZoom);
    comandi->addSpacing(8);
    coppia(RadioPres, RadioCons, "Pres.", "Cons.", "RadioPres", "RadioCons");
    coppia(RadioGrafico, RadioTabella, "Grafico", "Tabella", "RadioGrafico", "RadioTabella");
    comandi->addStretch(1);
    v->addLayout(comandi);

    auto* corpo = new QHBoxLayout;
    Vista = new QStackedWidget(this);
    auto* pg = new QWidget(Vista);
    auto* pgl = new QVBoxLayout(pg);
    pgl->setContentsMargins(0, 0, 0, 0);
    ChartFXCF = new QChartView(pg);
    ChartFXCF->setObjectName(QStringLiteral("ChartFXCF"));
    ChartFXCF->setRenderHint(QPainter::Antialiasing);
    Scorri = new QScrollBar(Qt::Horizontal, pg);
    Scorri->setObjectName(QStringLiteral("Scorri"));
    pgl->addWidget(ChartFXCF, 1);
    pgl->addWidget(Scorri);
    Tabella = new QTableWidget(0, 3, Vista);
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabella->setHorizontalHeaderLabels(
        {QStringLiteral("Integr."), QStringLiteral("Cond.S."), QStringLiteral("Condiz.")});
    Vista->addWidget(pg);
    Vista->addWidget(Tabella);
    corpo->addWidget(Vista, 1);
    auto* torte = new QVBoxLayout;
    auto* l1 = new QLabel(QStringLiteral("Colonne Filtrate"), this);
    ChartFXpercCF = new QChartView(this);
    ChartFXpercCF->setObjectName(QStringLiteral("ChartFXpercCF"));
    auto* l2 = new QLabel(QStringLiteral("Frequenza Storica"), this);
    ChartFXFreq = new QChartView(this);
    ChartFXFreq->setObjectName(QStringLiteral("ChartFXFreq"));
    for (QChartView* c : {ChartFXpercCF, ChartFXFreq}) {
        c->setRenderHint(QPainter::Antialiasing);
        c->setFixedSize(150, 120);
    }
    torte->addWidget(l1);
    torte->addWidget(ChartFXpercCF);
    torte->addWidget(l2);
    torte->addWidget(ChartFXFreq);
    torte->addStretch(1);
    corpo->addLayout(torte);
    v->addLayout(corpo, 1);
    Convenienza = new QLabel(this);
    Convenienza->setObjectName(QStringLiteral("Convenienza"));
    v->addWidget(Convenienza);
    v->addWidget(Pulsanti(this, kHelpContext, BtnStampa));

    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{RadioSingola, RadioGlobale, CheckPerc, CheckZoom, RadioPres,
                                                 RadioCons, RadioGrafico, RadioTabella}) {
        connect(b, &QAbstractButton::toggled, this, [this] { Mostra(); });
    }
    connect(Scorri, &QScrollBar::valueChanged, this, [this] { Mostra(); });
    connect(BtnStampa, &QPushButton::clicked, this,
            [this] { EseguiProtetto(Prompt, [this] { StampaClick(); }); });
    ScegliMisura(0);
    resize(680, 460);
}

int TFormAnalisiCF::Serie() const {
    return vista_.Sviluppato ? 3 : 2;
}

void TFormAnalisiCF::ScegliMisura(int m) {
    misura_ = std::clamp(m, 0, std::max(0, static_cast<int>(vista_.Misure.size()) - 1));
    for (std::size_t i = 0; i < BtnMisure.size(); ++i) {
        BtnMisure[i]->setChecked(static_cast<int>(i) == misura_);
    }
    Mostra();
}

void TFormAnalisiCF::Mostra() {
    if (vista_.Misure.empty()) {
        return;
    }
    const TMisuraVista& m = vista_.Misure[static_cast<std::size_t>(misura_)];
    RadioCons->setEnabled(m.HaCons());
    const bool cons = RadioCons->isChecked() && m.HaCons();
    const bool perc = CheckPerc->isChecked();
    const std::int64_t colonne = vista_.ColonnePronostico;
    const int n = Valori(m);
    const bool globale = RadioGlobale->isChecked();
    {
        const QSignalBlocker b(Scorri);
        Scorri->setRange(0, globale ? 0 : std::max(0, n - kValoriVisibili));
        Scorri->setVisible(!globale && n > kValoriVisibili);
    }
    const int primo = globale ? 0 : Scorri->value();
    const int ultimo = globale ? n : std::min(n, primo + kValoriVisibili);
    const std::pair<const char*, const T_FrequenzeRitardi*> tutte[3] = {{"Integrale       ", &m.Integrale},
                                                                        {"Cond. Singolo", &m.Singola},
                                                                        {"Col. In Memoria", &m.Condizionata}};
    std::vector<std::pair<QString, std::vector<double>>> serie;
    double massimo = 0;
    for (int s = 0; s < Serie(); ++s) {
        std::vector<double> h;
        for (int i = primo; i < ultimo; ++i) {
            const double f = Freq(*tutte[s].second, cons, i);
            const double x = perc ? Percentuale(static_cast<std::int64_t>(f), colonne) : f;
            h.push_back(x);
            massimo = std::max(massimo, x);
        }
        serie.emplace_back(QString::fromUtf8(tutte[s].first), h);
    }
    QStringList categorie;
    for (int i = primo; i < ultimo; ++i) {
        categorie << Etichetta(m, i);
    }
    limite_ = CheckZoom->isChecked() ? 1.1 * massimo : perc ? 100.0 : static_cast<double>(colonne);
    Barre(ChartFXCF, serie, categorie, limite_,
          perc ? QStringLiteral("Numero Di Colonne %") : QStringLiteral("Numero Di Colonne"), true);
    Vista->setCurrentIndex(RadioTabella->isChecked() ? 1 : 0);

    Riga(Tabella, n, m);
    for (int i = 0; i < n; ++i) {
        for (int s = 0; s < 3; ++s) {
            QString text;
            const bool vuota = (s == 2 && !vista_.Sviluppato) || (cons && !m.HaCons());
            if (!vuota) {
                const std::int32_t f = Freq(*tutte[s].second, cons, i);
                text = perc ? Numero(Percentuale(f, colonne), true) : Numero(f, false);
            }
            Tabella->setItem(i, s, Cella(text));
        }
    }
    const double filtrate = PercentualeFiltrate(m, cons, colonne);
    const double storica = PercentualeStorica(m, cons);
    ImpostaTorta(ChartFXpercCF, filtrate, QStringLiteral("Colonne Filtrate    "),
                 QStringLiteral("Colonne Rimanenti"));
    ImpostaTorta(ChartFXFreq, storica, QStringLiteral("Frequenza Storica"), QString());
    Convenienza->setText(QStringLiteral("Fattore di Convenienza : ") +
                         Q(FattoreConvenienza(filtrate, storica)));
}

void TFormAnalisiCF::StampaClick() {
    std::vector<std::pair<std::string, TGriglia>> tabelle;
    const int salva = misura_;
    for (std::size_t i = 0; i < vista_.Misure.size(); ++i) {
        ScegliMisura(static_cast<int>(i));
        tabelle.emplace_back(vista_.Misure[i].Nome, GrigliaDa(Tabella));
    }
    ScegliMisura(salva);
    StampaConMessaggio(stampante_, S(windowTitle()), tabelle, "Impossibile Stampare Le Tabelle");
}

} // namespace tessaline
