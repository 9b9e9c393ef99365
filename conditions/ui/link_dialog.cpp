#include "conditions/ui/link_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "conditions/condition_set.h"
#include "conditions/link_analysis_print.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"

namespace tessaline {

namespace {

constexpr std::size_t kTotale = 26;

TGraphPt* GraficoErrori(QWidget* parent, const char* name) {
    auto* g = new TGraphPt(parent);
    g->setObjectName(QLatin1String(name));
    g->RecVisibili = false;
    g->LinkTra = false;
    g->TipoCampo = false;
    g->TipoCons = false;
    g->PtVisibili = 20;
    return g;
}

// Some value above max is marked.
bool OltreMax(const TTabellaPunti& t, int max) {
    for (int v = std::max(0, max + 1); v <= t.N(); ++v) {
        if (t.Pt.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
            return true;
        }
    }
    return false;
}

} // namespace

TFormRec::TFormRec(TInsiemeCondizioni& set, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), set_(set), prompt_(prompt) {
    setObjectName(QStringLiteral("FormRec"));
    setWindowTitle(QStringLiteral("Recupero Condizioni"));
    for (char l = 'A'; l <= 'Z'; ++l) {
        tabelle_.push_back(set.Link().Lettera(l).ErroriAmmessi);
        TEsameTraLink e(&set);
        e.Esamina(TModoEsame::Link, l, 0);
        somme_[static_cast<std::size_t>(l - 'A')] = e.Somma2();
    }
    tabelle_.push_back(set.Link().ErroriTotali);

    auto* top = new QVBoxLayout(this);
    auto* lettere = new QHBoxLayout;
    lettere->setSpacing(1);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < 26; ++i) {
        const char l = static_cast<char>('A' + i);
        auto* b = new QToolButton(this);
        b->setText(QString(QChar::fromLatin1(l)));
        b->setObjectName(QStringLiteral("Lettera") + QChar::fromLatin1(l));
        b->setCheckable(true);
        b->setFixedWidth(21);
        group->addButton(b);
        lettere->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, l] { ScegliLettera(l); });
        Lettere[i] = b;
    }
    lettere->addStretch(1);
    top->addLayout(lettere);

    LabelCondizioni = new QLabel(this);
    ListaCondizioni = new QListWidget(this);
    ListaCondizioni->setObjectName(QStringLiteral("ListaCondizioni"));
    ListaCondizioni->setMinimumHeight(80);
    top->addWidget(LabelCondizioni);
    top->addWidget(ListaCondizioni, 1);

    PtLink = GraficoErrori(this, "PtLink");
    MaxLink = new QLabel(this);
    MaxLink->setObjectName(QStringLiteral("MaxLink"));
    PtTutteLink = GraficoErrori(this, "PtTutteLink");
    PtTutteLink->Titolo = Q(std::string("Errori Ammessi In Totale"));
    PtTutteLink->ImpostaTabella(tabelle_[kTotale]);
    MaxTutte = new QLabel(QStringLiteral("Max %1").arg(SommaTotale()), this);
    MaxTutte->setObjectName(QStringLiteral("MaxTutte"));
    for (auto [g, m] : {std::pair{PtLink, MaxLink}, std::pair{PtTutteLink, MaxTutte}}) {
        auto* row = new QHBoxLayout;
        row->addWidget(g);
        row->addWidget(m, 0, Qt::AlignBottom);
        row->addStretch(1);
        top->addLayout(row);
    }

    auto* bottom = new QHBoxLayout;
    BtnAnalisi = new QPushButton(QStringLiteral("Analisi"), this);
    BtnAnalisi->setObjectName(QStringLiteral("BtnAnalisi"));
    BtnAzzera = new QPushButton(QStringLiteral("Azzera "), this);
    BtnAzzera->setObjectName(QStringLiteral("BtnAzzera"));
    connect(BtnAnalisi, &QPushButton::clicked, this, [this] { AnalisiClick(); });
    connect(BtnAzzera, &QPushButton::clicked, this, [this] { AzzeraClick(); });
    bottom->addStretch(1);
    bottom->addWidget(BtnAnalisi);
    bottom->addWidget(BtnAzzera);
    top->addLayout(bottom);
    QDialogButtonBox* box = OkAnnullaAiuto(this, kHelpContext);
    BtnOk = box->findChild<QPushButton*>(QStringLiteral("BtnOk"));
    top->addWidget(box);
    ScegliLettera('A');
}

TFormRec::~TFormRec() = default;

int TFormRec::SommaTotale() const {
    int s = 0;
    for (int v : somme_) {
        s += v;
    }
    return s;
}

void TFormRec::Raccogli() {
    PtLink->LeggiTabella(tabelle_[static_cast<std::size_t>(lettera_ - 'A')]);
    PtTutteLink->LeggiTabella(tabelle_[kTotale]);
}

void TFormRec::ScegliLettera(char letter) {
    if (letter < 'A' || letter > 'Z') {
        return;
    }
    if (PtLink->Modificato) {
        PtLink->LeggiTabella(tabelle_[static_cast<std::size_t>(lettera_ - 'A')]);
    }
    lettera_ = letter;
    const std::size_t i = static_cast<std::size_t>(letter - 'A');
    Lettere[i]->setChecked(true);
    const QString l(QChar::fromLatin1(letter));
    LabelCondizioni->setText(QStringLiteral("Condizioni  Nella Link ") + l);
    ListaCondizioni->clear();
    TEsameTraLink e(&set_);
    e.Esamina(TModoEsame::Link, letter, 0);
    for (const TElemTraLink& el : e.Elementi()) {
        ListaCondizioni->addItem(Q(el.Testo));
    }
    PtLink->Titolo = Q(TitoloErroriLink(letter));
    PtLink->ImpostaTabella(tabelle_[i]);
    MaxLink->setText(QStringLiteral("Max %1").arg(somme_[i]));
}

void TFormRec::AzzeraClick() {
    for (TTabellaPunti& t : tabelle_) {
        t.Svuota();
    }
    PtLink->Svuota();
    PtTutteLink->Svuota();
}

void TFormRec::AnalisiClick() {
    TFormAnalisiRec a(set_, this);
    a.ImpostaAnteprima(anteprima);
    a.exec();
}

void TFormRec::accept() {
    Raccogli();
    for (char l = 'A'; l <= 'Z'; ++l) {
        if (OltreMax(tabelle_[static_cast<std::size_t>(l - 'A')], SommaLettera(l))) {
            ScegliLettera(l);
            prompt_.ShowMessage(msg::kInformazione, "Il Numero Degli Errori Nella Link è Troppo Alto !",
                                tessaline::BtnOk);
            return;
        }
    }
    if (OltreMax(tabelle_[kTotale], SommaTotale())) {
        prompt_.ShowMessage(msg::kInformazione, "Il Numero Degli Errori Totali è Troppo Alto !",
                            tessaline::BtnOk);
        return;
    }
    for (char l = 'A'; l <= 'Z'; ++l) {
        TTabellaPunti& t = set_.Link().Lettera(l).ErroriAmmessi;
        const TTabellaPunti& src = tabelle_[static_cast<std::size_t>(l - 'A')];
        t.Pt = src.Pt;
        t.Cs = src.Cs;
        t.CampoMin = src.CampoMin;
        t.CampoMax = src.CampoMax;
    }
    TTabellaPunti& tot = set_.Link().ErroriTotali;
    tot.Pt = tabelle_[kTotale].Pt;
    tot.Cs = tabelle_[kTotale].Cs;
    tot.CampoMin = tabelle_[kTotale].CampoMin;
    tot.CampoMax = tabelle_[kTotale].CampoMax;
    set_.Link().AggiornaStato();
    QDialog::accept();
}

// ---- the analysis of the rejections

TFormAnalisiRec::TFormAnalisiRec(const TInsiemeCondizioni& set, QWidget* parent)
    : QDialog(parent), set_(set) {
    setObjectName(QStringLiteral("FormAnalisiRec"));
    setWindowTitle(QStringLiteral("Analisi Delle Colonne Filtrate"));
    auto tabella = [this](const char* name) {
        auto* t = new QTableWidget(0, 2, this);
        t->setObjectName(QLatin1String(name));
        t->setHorizontalHeaderLabels({QStringLiteral("Valore"), QStringLiteral("Colonne")});
        t->verticalHeader()->setVisible(false);
        t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->setMinimumWidth(150);
        return t;
    };
    ListaLettere = new QListWidget(this);
    ListaLettere->setObjectName(QStringLiteral("ListaLettere"));
    ListaLettere->setMaximumWidth(60);
    for (char l : set.Link().LettereUsate) {
        ListaLettere->addItem(QString(QChar::fromLatin1(l)));
    }
    TabLivelli = tabella("TabLivelli");
    TabErrori = tabella("TabErrori");
    TabTotale = tabella("TabTotale");
    auto* row = new QHBoxLayout;
    auto* col = new QVBoxLayout;
    col->addWidget(new QLabel(QStringLiteral("Link"), this));
    col->addWidget(ListaLettere);
    row->addLayout(col);
    auto colonna = [this, row](const QString& t1, const QString& t2, QTableWidget* t) {
        auto* c = new QVBoxLayout;
        auto* l = new QLabel(t1 + QLatin1Char('\n') + t2, this);
        c->addWidget(l);
        c->addWidget(t);
        row->addLayout(c);
    };
    colonna(QStringLiteral("Dai Livelli della Link"), QString(), TabLivelli);
    colonna(QStringLiteral("Dagli Errori Totali"), QStringLiteral("della Link"), TabErrori);
    colonna(QStringLiteral("Dagli Errori Totali  "), QStringLiteral("su Tutte le Link"), TabTotale);
    auto* top = new QVBoxLayout(this);
    top->addLayout(row, 1);
    auto* bottom = new QHBoxLayout;
    RadioValori = new QRadioButton(QStringLiteral("Valori"), this);
    RadioPerc = new QRadioButton(QStringLiteral("%"), this);
    RadioValori->setChecked(true);
    BtnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    BtnStampa->setObjectName(QStringLiteral("BtnStampa"));
    BtnStampa->setToolTip(QString::fromUtf8(msg::kTitoloAnalisiLink));
    BtnStampa->setEnabled(false); // until a preview is given
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    bottom->addWidget(RadioValori);
    bottom->addWidget(RadioPerc);
    bottom->addStretch(1);
    bottom->addWidget(BtnStampa);
    bottom->addWidget(aiuto);
    bottom->addWidget(chiudi);
    top->addLayout(bottom);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    connect(BtnStampa, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(RadioValori, &QRadioButton::toggled, this, [this] { Mostra(); });
    connect(ListaLettere, &QListWidget::currentRowChanged, this, [this] { Mostra(); });
    if (ListaLettere->count() > 0) {
        ListaLettere->setCurrentRow(0);
    }
    Mostra();
}

void TFormAnalisiRec::ImpostaAnteprima(TAnteprima f) {
    anteprima_ = std::move(f);
    BtnStampa->setEnabled(static_cast<bool>(anteprima_));
}

void TFormAnalisiRec::StampaClick() {
    if (!anteprima_) {
        return;
    }
    const bool perc = RadioPerc->isChecked();
    const TLink& link = set_.Link();
    anteprima_(this, QString::fromUtf8(msg::kTitoloAnalisiLink),
               [&link, perc](TCanvas& canvas) { StampaAnalisiLink(canvas, link, perc); });
}

void TFormAnalisiRec::Mostra() {
    const bool perc = RadioPerc->isChecked();
    auto riempi = [perc](QTableWidget* t, const T_FrequenzeRitardi* f, int from) {
        t->setRowCount(0);
        if (f == nullptr) {
            return;
        }
        int r = 0;
        for (const TRigaAnalisiLink& riga : RigheAnalisiLink(*f, from, perc)) {
            t->insertRow(r);
            t->setItem(r, 0, new QTableWidgetItem(QString::number(riga.valore)));
            auto* item = new QTableWidgetItem(Q(riga.testo));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r, 1, item);
            ++r;
        }
    };
    const QListWidgetItem* cur = ListaLettere->currentItem();
    if (cur != nullptr) {
        const TLetteraLink& e = set_.Link().Lettera(cur->text().at(0).toLatin1());
        riempi(TabLivelli, &e.StatLivelli, 1);
        riempi(TabErrori, &e.StatErrori, 0);
    } else {
        riempi(TabLivelli, nullptr, 0);
        riempi(TabErrori, nullptr, 0);
    }
    riempi(TabTotale, &set_.Link().StatTotale, 0);
}

} // namespace tessaline
