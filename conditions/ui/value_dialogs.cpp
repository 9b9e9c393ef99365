#include "conditions/ui/value_dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/qt_text.h"

namespace tessaline {

// ---- the interval grids

namespace {

QTableWidget* Griglia(QWidget* parent, const QStringList& righe, const char* name) {
    auto* t = new QTableWidget(righe.size(), kRigheIntervalli, parent);
    t->setObjectName(QLatin1String(name));
    t->setVerticalHeaderLabels(righe);
    QStringList cols;
    for (int i = 1; i <= kRigheIntervalli; ++i) {
        cols << QString::number(i);
    }
    t->setHorizontalHeaderLabels(cols);
    const int colonna = t->fontMetrics().horizontalAdvance(QStringLiteral("-16777216,000")) + 10;
    t->horizontalHeader()->setDefaultSectionSize(colonna);
    // Three intervals on show at least, each wide enough for a bound of eight digits and decimals.
    t->setMinimumWidth(t->fontMetrics().horizontalAdvance(QStringLiteral("Liv.")) + 16 + 3 * colonna +
                       2 * t->frameWidth() + 4);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    const int h = t->horizontalHeader()->sizeHint().height() +
                  righe.size() * t->verticalHeader()->defaultSectionSize() +
                  t->horizontalScrollBar()->sizeHint().height() + 2 * t->frameWidth() + 2;
    t->setMinimumHeight(h);
    t->setMaximumHeight(h);
    return t;
}

QString Cella(const QTableWidget* t, int row, int col) {
    const QTableWidgetItem* it = t->item(row, col);
    return it == nullptr ? QString() : it->text();
}

void Imposta(QTableWidget* t, int row, int col, const QString& text) {
    auto* it = t->item(row, col);
    if (it == nullptr) {
        it = new QTableWidgetItem;
        t->setItem(row, col, it);
    }
    it->setText(text);
}

std::vector<TRigaIntervallo> Leggi(const QTableWidget* t, bool livello) {
    std::vector<TRigaIntervallo> out;
    for (int c = 0; c < t->columnCount(); ++c) {
        TRigaIntervallo r;
        r.Min = S(Cella(t, 0, c));
        r.Max = S(Cella(t, 1, c));
        if (livello) {
            bool ok = false;
            const int l = Cella(t, 2, c).trimmed().toInt(&ok);
            r.Livello = ok ? std::clamp(l, 1, 99) : 1;
        }
        out.push_back(std::move(r));
    }
    return out;
}

void Scrivi(QTableWidget* t, const std::vector<TRigaIntervallo>& righe, bool livello) {
    t->clearContents();
    for (std::size_t i = 0; i < righe.size() && static_cast<int>(i) < t->columnCount(); ++i) {
        const int c = static_cast<int>(i);
        Imposta(t, 0, c, Q(righe[i].Min));
        Imposta(t, 1, c, Q(righe[i].Max));
        if (livello) {
            Imposta(t, 2, c, QString::number(righe[i].Livello));
        }
    }
}

} // namespace

TGriglieIntervalli::TGriglieIntervalli(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("Intervalli"));
    setUsesScrollButtons(false);
    Ammessi = Griglia(this, {QStringLiteral("Min"), QStringLiteral("Max")}, "GrigliaAmmessi");
    auto* rec = new QWidget(this);
    auto* v = new QVBoxLayout(rec);
    v->setContentsMargins(2, 2, 2, 2);
    Recupero = Griglia(rec, {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Liv.")},
                       "GrigliaRecupero");
    Link = new QComboBox(rec);
    Link->setObjectName(QStringLiteral("ComboLink"));
    for (char l = 'A'; l <= 'Z'; ++l) {
        Link->addItem(QString(QLatin1Char(l)));
    }
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Link"), rec));
    row->addWidget(Link);
    row->addStretch(1);
    v->addWidget(Recupero);
    v->addLayout(row);
    auto* amm = new QWidget(this);
    auto* va = new QVBoxLayout(amm);
    va->setContentsMargins(2, 2, 2, 2);
    va->addWidget(Ammessi);
    va->addStretch(1);
    addTab(amm, QStringLiteral("Intervalli Ammessi"));
    addTab(rec, QStringLiteral("Intervalli In Rec."));
    for (QTableWidget* t : {Ammessi, Recupero}) {
        connect(t, &QTableWidget::itemChanged, this, [this] { Modificate = Modificate || !caricando_; });
    }
    connect(Link, &QComboBox::currentIndexChanged, this, [this] { Modificate = Modificate || !caricando_; });
}

void TGriglieIntervalli::Mostra(const TTabellaIntervalli& t) {
    std::vector<TRigaIntervallo> a;
    std::vector<TRigaIntervallo> r;
    RigheIntervalli(t, a, r);
    caricando_ = true;
    tessaline::Scrivi(Ammessi, a, false);
    tessaline::Scrivi(Recupero, r, true);
    Link->setCurrentIndex(std::clamp(t.Link - 'A', 0, 25));
    caricando_ = false;
    Modificate = false;
}

void TGriglieIntervalli::Svuota() {
    Ammessi->clearContents();
    Recupero->clearContents();
    Link->setCurrentIndex(0);
    Modificate = true;
}

std::vector<TRigaIntervallo> TGriglieIntervalli::RigheAmmessi() const {
    return Leggi(Ammessi, false);
}

std::vector<TRigaIntervallo> TGriglieIntervalli::RigheRecupero() const {
    return Leggi(Recupero, true);
}

bool TGriglieIntervalli::Ricostruisci(TTabellaIntervalli& t, bool interi, TLimitiMisura limiti,
                                      UserPrompt* prompt) {
    if (auto e = RicostruisciIntervalli(RigheAmmessi(), RigheRecupero(), interi, limiti, t)) {
        if (prompt != nullptr) {
            prompt->ShowMessage(msg::kInformazione, e->Messaggio, tessaline::BtnOk);
        }
        Evidenzia(*e);
        return false;
    }
    t.Link = static_cast<char>('A' + std::max(0, Link->currentIndex()));
    return true;
}

void TGriglieIntervalli::Evidenzia(const TErroreIntervalli& e) {
    const bool rec = e.Griglia == TGrigliaIntervalli::Recupero;
    setCurrentIndex(rec ? 1 : 0);
    QTableWidget* t = rec ? Recupero : Ammessi;
    t->setCurrentCell(e.SuMassimo ? 1 : 0, e.Riga);
    t->setFocus();
}

void TGriglieIntervalli::Scrivi(TGrigliaIntervalli g, int intervallo, int riga, const QString& text) {
    Imposta(g == TGrigliaIntervalli::Recupero ? Recupero : Ammessi, riga, intervallo, text);
}

// ---- "Gol Squadra", "Valori", "Percentuali"

namespace {

struct TModoPVP {
    std::uint8_t lista;
    std::uint8_t item;
    const char* caption;
    int help;
    int tipoPannello;
};

TModoPVP ModoPVP(std::uint8_t lista) {
    switch (lista) {
    case kCodGruppoValori:
        return {lista, kCodValori, "Valori", kHelpValori, 3};
    case kCodGruppoPercentuali:
        return {lista, kCodPercentuali, "Percentuali", kHelpPercentuali, 2};
    default:
        return {kCodGruppoPuntiSquadra, kCodPuntiSquadra, "Gol Squadra", kHelpGolSquadra, 0};
    }
}

TSquadreScelte Scelte(const TPannelloSc& p) {
    TSquadreScelte s{};
    for (int t = 0; t < kTeams; ++t) {
        s[static_cast<std::size_t>(t)] = p.Selezionata(t) ? 1 : 0;
    }
    return s;
}

TPannelloSc* Pannello(QWidget* parent, const TDatiSchedina& sc, int tipo) {
    auto* p = new TPannelloSc(parent);
    p->setObjectName(QStringLiteral("Pannello"));
    p->Tipo = tipo;
    p->SetSquadre(sc.Squadre);
    p->SetPronostico(sc.Previsione);
    if (tipo == 2) {
        p->SetGriglia(sc.Percentuali);
    } else if (tipo == 3) {
        p->SetGriglia(sc.Valori);
    }
    p->setMinimumSize(p->sizeHint());
    return p;
}

} // namespace

TFormPVP::TFormPVP(TListaCondizioni& list, const TDatiSchedina& sc, UserPrompt& prompt, QWidget* parent)
    : TFormLista(list, ModoPVP(list.Tipo).item, Q(ModoPVP(list.Tipo).caption), ModoPVP(list.Tipo).help,
                 parent),
      tipoLista_(ModoPVP(list.Tipo).lista), sc_(sc), prompt_(prompt) {
    const TModoPVP m = ModoPVP(list.Tipo);
    setObjectName(QStringLiteral("FormPVP%1").arg(m.lista));
    auto* item = new QWidget(this);
    auto* h = new QHBoxLayout(item);
    h->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    Pannello = tessaline::Pannello(item, sc_, m.tipoPannello);
    Pannello->LSquadra = 50;
    Pannello->setMinimumSize(Pannello->sizeHint());
    left->addWidget(Pannello);
    auto* lim = new QHBoxLayout;
    LabelMin = new QLabel(item);
    LabelMin->setObjectName(QStringLiteral("LabelMin"));
    LabelMax = new QLabel(item);
    LabelMax->setObjectName(QStringLiteral("LabelMax"));
    lim->addWidget(new QLabel(QStringLiteral("Min"), item));
    lim->addWidget(LabelMin, 1);
    lim->addWidget(new QLabel(QStringLiteral("Max"), item));
    lim->addWidget(LabelMax, 1);
    left->addLayout(lim);
    left->addStretch(1);
    h->addLayout(left);
    auto* right = new QVBoxLayout;
    if (m.lista == kCodGruppoPuntiSquadra) {
        Gol = new TGraphPt(item);
        Gol->setObjectName(QStringLiteral("GraphGol"));
        Gol->Titolo = QStringLiteral("Gol ");
        Gol->TipoCons = false;
        Gol->TipoCampo = false;
        Gol->PtVisibili = 10;
        Gol->LBoxPt = 17;
        Gol->Aggiorna();
        right->addWidget(Gol);
    } else {
        Intervalli = new TGriglieIntervalli(item);
        right->addWidget(Intervalli);
    }
    auto* riga = new QHBoxLayout;
    right->addLayout(riga);
    right->addStretch(1);
    h->addLayout(right, 1);
    connect(Pannello, &TPannelloSc::Modificato, this, [this] { AggiornaLimiti(); });
    CompletaLista(item, riga);
    riga->addStretch(1);
}

TLimitiMisura TFormPVP::Limiti() const {
    const TSquadreScelte s = Scelte(*Pannello);
    switch (tipoLista_) {
    case kCodGruppoValori:
        return LimitiValori(s, sc_.Valori, sc_.Previsione);
    case kCodGruppoPercentuali:
        return LimitiPercentuali(s, sc_.Percentuali, sc_.Previsione);
    default:
        return LimitiGol(s, sc_.Previsione);
    }
}

void TFormPVP::AggiornaLimiti() {
    const TLimitiMisura l = Limiti();
    LabelMin->setText(Q(TestoNumero(l.Min)));
    LabelMax->setText(Q(TestoNumero(l.Max)));
}

void TFormPVP::MostraItem(TCondizione& item) {
    if (auto* g = dynamic_cast<TCondPuntiSquadra*>(&item)) {
        for (int t = 0; t < kTeams; ++t) {
            Pannello->SetSelezionata(t, g->Squadre[static_cast<std::size_t>(t)] != 0);
        }
        Gol->ImpostaTabella(g->Gol());
    } else if (auto* v = dynamic_cast<TCondGruppoValori*>(&item)) {
        for (int t = 0; t < kTeams; ++t) {
            Pannello->SetSelezionata(t, v->Squadre[static_cast<std::size_t>(t)] != 0);
        }
        Intervalli->Mostra(v->Intervalli);
    }
    AggiornaLimiti();
}

void TFormPVP::RaccogliItem(TCondizione& item) {
    if (auto* g = dynamic_cast<TCondPuntiSquadra*>(&item)) {
        g->Squadre = Scelte(*Pannello);
        Gol->LeggiTabella(g->Gol());
    } else if (auto* v = dynamic_cast<TCondGruppoValori*>(&item)) {
        v->Squadre = Scelte(*Pannello);
        // A fault was shown by Valido; here the table keeps its last good intervals.
        if (Intervalli->Modificate &&
            Intervalli->Ricostruisci(v->Intervalli, tipoLista_ == kCodGruppoValori, Limiti(), nullptr)) {
            Intervalli->Mostra(v->Intervalli);
        }
    }
}

bool TFormPVP::Valido() {
    if (Intervalli == nullptr || Conta() == 0 || !Intervalli->Modificate) {
        return true;
    }
    auto& v = static_cast<TCondGruppoValori&>(Lista().Item(static_cast<std::size_t>(Corrente())));
    return Intervalli->Ricostruisci(v.Intervalli, tipoLista_ == kCodGruppoValori, Limiti(), &prompt_);
}

bool TFormPVP::PrimaDellaVista() {
    if (!Valido()) {
        return false;
    }
    if (Intervalli != nullptr && Conta() > 0) {
        const auto& v = static_cast<TCondGruppoValori&>(Lista().Item(static_cast<std::size_t>(Corrente())));
        if (v.Intervalli.Conta == 0) {
            prompt_.ShowMessage(msg::kInformazione, "Non è stato impostato alcun intervallo",
                                tessaline::BtnOk);
            return false;
        }
    }
    return true;
}

void TFormPVP::AzzeraClick() {
    TFormLista::AzzeraClick();
    for (std::size_t i = 0; i < Lista().Count(); ++i) {
        if (auto* v = dynamic_cast<TCondGruppoValori*>(&Lista().Item(i))) {
            v->Azzera();
        }
    }
    Mostra();
}

// ---- "Sequele"

namespace {

constexpr std::array<const char*, 7> kNomiTipi = {"P", "M", "B", "T", "Q", "J", "S"};
constexpr std::array<std::int32_t, 7> kCodiciTipi = {kSequelaSchema, kMonotermine, kBitermine, kTritermine,
                                                     kQuadritermine, kGenerica,    kSpecchio};
constexpr std::array<const char*, 7> kSpiegaTipi = {"Sequela",       "Monotermine", "Bitermine", "Tritermine",
                                                    "Quadritermine", "Generica",    "Specchio"};
constexpr std::array<const char*, 6> kNomiPassi = {"2", "3", "4", "5", "N", "X"};

} // namespace

TFormSequele::TFormSequele(TListaCondizioni& list, UserPrompt& prompt, QWidget* parent)
    : TFormLista(list, kCodSequela, QStringLiteral("Sequele"), kHelpSequele, parent), prompt_(prompt) {
    setObjectName(QStringLiteral("FormSequele"));
    auto* item = new QWidget(this);
    auto* h = new QHBoxLayout(item);
    h->setContentsMargins(0, 0, 0, 0);
    Schema = new TEditColonna(item, true);
    Schema->setObjectName(QStringLiteral("Schema"));
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Sequela"), item));
    left->addWidget(Schema);
    left->addStretch(1);
    h->addLayout(left);
    auto* right = new QVBoxLayout;
    auto* tipi = new QHBoxLayout;
    tipi->addWidget(new QLabel(QStringLiteral("Tipo :"), item));
    auto* gt = new QButtonGroup(this);
    for (std::size_t i = 0; i < Tipi.size(); ++i) {
        auto* b = new QToolButton(item);
        b->setText(QLatin1String(kNomiTipi[i]));
        b->setToolTip(Q(kSpiegaTipi[i]));
        b->setObjectName(QStringLiteral("Tipo") + QLatin1String(kNomiTipi[i]));
        b->setCheckable(true);
        b->setMinimumWidth(26);
        gt->addButton(b);
        tipi->addWidget(b);
        Tipi[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] {
            auto& s = static_cast<TCondSequela&>(Lista().Item(static_cast<std::size_t>(Corrente())));
            RaccogliItem(s);
            s.ImpostaTipo(kCodiciTipi[i]);
            MostraItem(s);
        });
    }
    tipi->addSpacing(8);
    tipi->addWidget(new QLabel(QStringLiteral("Lunghezza"), item));
    Lunghezza = new QSpinBox(item);
    Lunghezza->setObjectName(QStringLiteral("Lunghezza"));
    Lunghezza->setRange(0, kTeams);
    tipi->addWidget(Lunghezza);
    tipi->addStretch(1);
    right->addLayout(tipi);
    auto* passi = new QHBoxLayout;
    passi->addWidget(new QLabel(QStringLiteral("Passo :"), item));
    for (std::size_t i = 0; i < Passi.size(); ++i) {
        auto* b = new QToolButton(item);
        b->setText(QLatin1String(kNomiPassi[i]));
        b->setObjectName(QStringLiteral("Passo") + QLatin1String(kNomiPassi[i]));
        b->setMinimumWidth(24);
        passi->addWidget(b);
        Passi[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] {
            auto& s = static_cast<TCondSequela&>(Lista().Item(static_cast<std::size_t>(Corrente())));
            RaccogliItem(s);
            if (i < 4) {
                s.ImpostaPasso(static_cast<int>(i) + 2);
            } else if (i == 4) {
                s.ImpostaPassoN();
            } else {
                s.ImpostaPassoX(PassoTrovata->value(), PassoNonTrovata->value());
            }
            MostraItem(s);
        });
    }
    right->addLayout(passi);
    auto* spin = new QHBoxLayout;
    PassoTrovata = new QSpinBox(item);
    PassoTrovata->setObjectName(QStringLiteral("PassoTrovata"));
    PassoTrovata->setRange(1, kTeams);
    PassoNonTrovata = new QSpinBox(item);
    PassoNonTrovata->setObjectName(QStringLiteral("PassoNonTrovata"));
    PassoNonTrovata->setRange(1, kTeams);
    spin->addWidget(new QLabel(QStringLiteral("Passo Trovata"), item));
    spin->addWidget(PassoTrovata);
    spin->addWidget(new QLabel(QStringLiteral("Passo Non Trovata"), item));
    spin->addWidget(PassoNonTrovata);
    spin->addStretch(1);
    right->addLayout(spin);
    Presenze = new TGraphPt(item);
    Presenze->setObjectName(QStringLiteral("GraphPresenze"));
    Presenze->Titolo = QStringLiteral("Presenze");
    right->addWidget(Presenze);
    right->addStretch(1);
    h->addLayout(right, 1);
    passi->addSpacing(8);
    CompletaLista(item, passi);
    passi->addStretch(1);
}

void TFormSequele::MostraItem(TCondizione& item) {
    auto& s = static_cast<TCondSequela&>(item);
    for (std::size_t i = 0; i < Tipi.size(); ++i) {
        Tipi[i]->setChecked(s.TipoSequela == kCodiciTipi[i]);
    }
    Colonna schema{};
    schema.s = s.Schema;
    Schema->SetColonna(schema);
    Lunghezza->setValue(s.Lunghezza);
    PassoTrovata->setValue(s.PassoTrovata);
    PassoNonTrovata->setValue(s.PassoNonTrovata);
    Presenze->TipoCons = s.TipoSequela != kSpecchio;
    Presenze->ImpostaTabella(s.Presenze());
    Abilita();
}

void TFormSequele::Abilita() {
    const bool schema = Tipi[0]->isChecked();
    Schema->setEnabled(schema);
    Lunghezza->setEnabled(!schema);
}

void TFormSequele::RaccogliItem(TCondizione& item) {
    auto& s = static_cast<TCondSequela&>(item);
    Presenze->LeggiTabella(s.Presenze());
    if (s.TipoSequela == kSequelaSchema) {
        const Colonna c = Schema->GetColonna();
        // A faulty pattern is kept as typed; "OK" reports it.
        if (s.ImpostaSchema(c.s)) {
            s.Schema = c.s;
        }
    } else {
        s.ImpostaLunghezza(Lunghezza->value());
    }
}

void TFormSequele::accept() {
    Raccogli();
    if (auto e = ControllaSequele(Lista())) {
        Vai(static_cast<int>(e->Item));
        prompt_.ShowMessage(kTitoloSequele, e->Messaggio, tessaline::BtnOk);
        Schema->setFocus();
        return;
    }
    TFormLista::accept();
}

// ---- "Colonne Filtro"

TFrmListaColFiltro::TFrmListaColFiltro(TListaCondizioni& list, const TDatiSchedina& sc, QWidget* parent)
    : TFormLista(list, kCodColonnaFiltro, QStringLiteral("Colonne Filtro"), kHelpColonneFiltro, parent) {
    setObjectName(QStringLiteral("FrmListaColFiltro"));
    auto* item = new QWidget(this);
    auto* h = new QHBoxLayout(item);
    h->setContentsMargins(0, 0, 0, 0);
    Pannello = tessaline::Pannello(item, sc, 4);
    // The filter column stands beside the names: the forecast is not needed here.
    Pannello->LPro = 0;
    Pannello->LSquadra = 36;
    Pannello->setMinimumSize(Pannello->sizeHint());
    Filtro = new TEditColonna(item);
    Filtro->setObjectName(QStringLiteral("Filtro"));
    Filtro->FieldHeight = Pannello->ARighe;
    Filtro->FieldWidth = 40;
    Filtro->Gap1 = Pannello->Gap1;
    Filtro->Gap2 = Pannello->Gap1 + Pannello->Gap3;
    Filtro->Relayout();
    auto* col = new QHBoxLayout;
    col->setSpacing(2);
    col->addWidget(Pannello, 0, Qt::AlignTop);
    col->addWidget(Filtro, 0, Qt::AlignTop);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Colonna Filtro"), item));
    left->addLayout(col);
    left->addStretch(1);
    h->addLayout(left);
    auto* right = new QVBoxLayout;
    Punti = new TGraphPt(item);
    Punti->setObjectName(QStringLiteral("GraphPunti"));
    Punti->Titolo = QStringLiteral("Punti");
    Punti->LBoxPt = 16;
    Punti->Aggiorna();
    Coppie = new QCheckBox(QStringLiteral("Confronto a Coppie"), item);
    Coppie->setObjectName(QStringLiteral("Coppie"));
    right->addWidget(Punti);
    auto* riga = new QHBoxLayout;
    riga->addWidget(Coppie);
    riga->addSpacing(12);
    right->addLayout(riga);
    right->addStretch(1);
    h->addLayout(right, 1);
    CompletaLista(item, riga);
    riga->addStretch(1);
}

void TFrmListaColFiltro::MostraItem(TCondizione& item) {
    auto& f = static_cast<TCondColonnaFiltro&>(item);
    Filtro->SetColonna(f.Filtro);
    Punti->ImpostaTabella(f.Punti());
    Coppie->setChecked(f.ConfrontoACoppie);
}

void TFrmListaColFiltro::RaccogliItem(TCondizione& item) {
    auto& f = static_cast<TCondColonnaFiltro&>(item);
    f.Filtro = Filtro->GetColonna();
    Punti->LeggiTabella(f.Punti());
    f.ConfrontoACoppie = Coppie->isChecked();
}

// ---- "Punti Tra"

TFormPtTra::TFormPtTra(TCondPuntiTra& cond, UserPrompt& prompt, QWidget* parent)
    : TFormCondizione(cond, QStringLiteral("Punti Tra"), kHelpPuntiTra, parent), prompt_(prompt) {
    setObjectName(QStringLiteral("FormPtTra"));
    auto* corpo = new QWidget(this);
    auto* v = new QVBoxLayout(corpo);
    v->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Gruppo Tra :"), corpo));
    Gruppo = new QSpinBox(corpo);
    Gruppo->setObjectName(QStringLiteral("Gruppo"));
    Gruppo->setRange(1, kGruppiTra);
    row->addWidget(Gruppo);
    row->addSpacing(16);
    LabelMin = new QLabel(corpo);
    LabelMin->setObjectName(QStringLiteral("LabelMin"));
    LabelMax = new QLabel(corpo);
    LabelMax->setObjectName(QStringLiteral("LabelMax"));
    row->addWidget(new QLabel(QStringLiteral("Min"), corpo));
    row->addWidget(LabelMin);
    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("Max"), corpo));
    row->addWidget(LabelMax);
    row->addStretch(1);
    v->addLayout(row);
    v->addWidget(new QLabel(QStringLiteral("Condizioni  Nel Gruppo "), corpo));
    Condizioni = new QListWidget(corpo);
    Condizioni->setObjectName(QStringLiteral("Condizioni"));
    Condizioni->setMinimumHeight(60);
    Condizioni->setMaximumHeight(110);
    v->addWidget(Condizioni, 1);
    Intervalli = new TGriglieIntervalli(corpo);
    v->addWidget(Intervalli);
    Completa(corpo);
    // The sums of a Tra group have no history or column view of their own.
    BtnArchivio->setEnabled(false);
    BtnAnalisi->setEnabled(false);
    connect(Gruppo, &QSpinBox::valueChanged, this, [this](int g) {
        if (g == gruppo_) {
            return;
        }
        if (!Valido()) {
            const QSignalBlocker b(Gruppo);
            Gruppo->setValue(gruppo_);
            return;
        }
        MostraGruppo(g);
    });
    Mostra();
}

TCondPuntiTra& TFormPtTra::Tra() {
    return static_cast<TCondPuntiTra&>(*copia_);
}

void TFormPtTra::MostraGruppo(int g) {
    gruppo_ = g;
    Tra().MostraGruppo(g);
    Condizioni->clear();
    for (const TElemTraLink& e : Tra().CondizioniGruppo) {
        Condizioni->addItem(Q(e.Testo));
    }
    LabelMin->setText(Q(TestoNumero(Tra().LimitiGruppo.Min)));
    LabelMax->setText(Q(TestoNumero(Tra().LimitiGruppo.Max)));
    Intervalli->Mostra(Tra().Gruppo(g));
}

void TFormPtTra::Mostra() {
    (copia_->Attivato ? RadioAttivato : RadioDisattivato)->setChecked(true);
    const QSignalBlocker b(Gruppo);
    Gruppo->setValue(gruppo_);
    MostraGruppo(gruppo_);
}

bool TFormPtTra::Valido() {
    if (!Intervalli->Modificate) {
        return true;
    }
    Tra().GruppoInMostra = gruppo_;
    if (auto e = Tra().RicostruisciGruppo(Intervalli->RigheAmmessi(), Intervalli->RigheRecupero())) {
        prompt_.ShowMessage(msg::kInformazione, e->Messaggio, tessaline::BtnOk);
        Intervalli->Evidenzia(*e);
        return false;
    }
    Tra().Gruppo(gruppo_).Link = static_cast<char>('A' + std::max(0, Intervalli->Link->currentIndex()));
    return true;
}

void TFormPtTra::Raccogli() {
    copia_->Attivato = RadioAttivato->isChecked();
    Tra().GruppoInMostra = gruppo_;
    if (Intervalli->Modificate &&
        !Tra().RicostruisciGruppo(Intervalli->RigheAmmessi(), Intervalli->RigheRecupero())) {
        Tra().Gruppo(gruppo_).Link = static_cast<char>('A' + std::max(0, Intervalli->Link->currentIndex()));
        Intervalli->Mostra(Tra().Gruppo(gruppo_));
    }
}

void TFormPtTra::AzzeraClick() {
    Tra().Azzera();
    Mostra();
}

} // namespace tessaline
