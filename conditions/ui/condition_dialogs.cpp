#include "conditions/ui/condition_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"

namespace tessaline {

std::vector<std::uint8_t> RecordCondizione(const TCondizione& c) {
    TByteWriter w;
    c.Scrivi(w);
    return w.Data();
}

bool CopiaIn(const TCondizione& from, TCondizione& to) {
    const std::vector<std::uint8_t> rec = RecordCondizione(from);
    TByteReader r(rec);
    std::uint8_t tipo = 0;
    return r.U8(tipo) && tipo == to.Tipo && to.Leggi(r);
}

std::unique_ptr<TCondizione> CopiaCondizione(const TCondizione& c) {
    std::unique_ptr<TCondizione> copy = CreaCondizione(c.Tipo, c.Owner);
    if (copy == nullptr || !CopiaIn(c, *copy)) {
        return nullptr;
    }
    copy->Nome = c.Nome;
    copy->Titolo = c.Titolo;
    return copy;
}

// ---- what every dialog shares

TFormCondizione::TFormCondizione(TCondizione& cond, const QString& caption, int helpContext, QWidget* parent)
    : QDialog(parent), orig_(cond), copia_(CopiaCondizione(cond)) {
    setWindowTitle(caption);
    RadioAttivato = new QRadioButton(QStringLiteral("Attivato"), this);
    RadioAttivato->setObjectName(QStringLiteral("RadioAttivato"));
    RadioDisattivato = new QRadioButton(QStringLiteral("Disattivato"), this);
    RadioDisattivato->setObjectName(QStringLiteral("RadioDisattivato"));
    BtnArchivio = new QPushButton(QStringLiteral("Archivio"), this);
    BtnArchivio->setObjectName(QStringLiteral("BtnArchivio"));
    BtnAnalisi = new QPushButton(QStringLiteral("Analisi"), this);
    BtnAnalisi->setObjectName(QStringLiteral("BtnAnalisi"));
    BtnAzzera = new QPushButton(QStringLiteral("Azzera "), this);
    BtnAzzera->setObjectName(QStringLiteral("BtnAzzera"));
    BtnArchivio->setEnabled(static_cast<bool>(Vista()));
    BtnAnalisi->setEnabled(static_cast<bool>(Vista()));
    connect(BtnArchivio, &QPushButton::clicked, this, [this] {
        if (Vista() && PrimaDellaVista()) {
            Vista()(*this, false);
        }
    });
    connect(BtnAnalisi, &QPushButton::clicked, this, [this] {
        if (Vista() && PrimaDellaVista()) {
            Vista()(*this, true);
        }
    });
    QDialogButtonBox* box = OkAnnullaAiuto(this, helpContext);
    box->setObjectName(QStringLiteral("Pulsanti"));
    BtnOk = box->findChild<QPushButton*>(QStringLiteral("BtnOk"));
    BtnAnnulla = box->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"));
    connect(BtnAzzera, &QPushButton::clicked, this, [this] { AzzeraClick(); });
}

TFormCondizione::~TFormCondizione() = default;

std::function<void(TFormCondizione&, bool)>& TFormCondizione::Vista() {
    static std::function<void(TFormCondizione&, bool)> vista;
    return vista;
}

void TFormCondizione::Completa(QWidget* corpo, QWidget* stato) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 6, 8, 6);
    top->setSpacing(4);
    top->addWidget(corpo, 1);
    auto* bottom = new QHBoxLayout;
    auto* group =
        new QGroupBox(stato == nullptr ? QStringLiteral("Stato") : QStringLiteral("Stato generale :"), this);
    auto* gl = new QHBoxLayout(group);
    gl->setContentsMargins(6, 2, 6, 2);
    gl->addWidget(RadioAttivato);
    gl->addWidget(RadioDisattivato);
    bottom->addWidget(group);
    if (stato != nullptr) {
        bottom->addWidget(stato);
    }
    bottom->addStretch(1);
    bottom->addWidget(BtnArchivio, 0, Qt::AlignBottom);
    bottom->addWidget(BtnAnalisi, 0, Qt::AlignBottom);
    bottom->addWidget(BtnAzzera, 0, Qt::AlignBottom);
    top->addLayout(bottom);
    top->addWidget(findChild<QDialogButtonBox*>(QStringLiteral("Pulsanti")));
}

TCondizione& TFormCondizione::Copia() {
    Raccogli();
    return *copia_;
}

void TFormCondizione::accept() {
    if (!Valido()) {
        return;
    }
    Raccogli();
    if (CopiaIn(*copia_, orig_)) {
        orig_.AggiornaStato();
    }
    QDialog::accept();
}

// ---- the families with a fixed set of tables

namespace {

const TDescrizioneDialogo kNumeroSegni{"Numero Di Segni",
                                       61,
                                       {{"Segno 0 e 1", {{0, "Segni 0", 0, 0}, {1, "Segni 1", 1, 0}}},
                                        {"Segni 2 e M", {{2, "Segni 2", 0, 0}, {3, "Segni M", 1, 0}}}}};
const TDescrizioneDialogo kPariDispari{
    "Pari e Dispari", 62, {{nullptr, {{1, "Dispari", 0, 0}, {0, "Pari", 1, 0}}}}};
const TDescrizioneDialogo kVortice{
    "Vortice",
    63,
    {{"Diretto", {{0, "Posizione", 0, 0, 1, false}, {1, "Bracci", 1, 0, 1, false}}},
     {"Inverso", {{2, "Posizione", 0, 0, 1, false}, {3, "Bracci", 1, 0, 1, false}}}}};
const TDescrizioneDialogo kSimmetrie{
    "Simmetrie",
    64,
    {{nullptr, {{2, "Totali", 0, 0, 0, false}, {0, "Dirette", 1, 0}, {1, "Inverse", 2, 0}}}}};
const TDescrizioneDialogo kInterruzioni{
    "Interruzioni",
    65,
    {{"Globali", {{0, "Globali", 0, 0}}},
     {"Segni", {{1, "Segni 0", 0, 0}, {2, "Segni 1", 1, 0}, {3, "Segni 2", 2, 0}, {4, "Segni P", 3, 0}}}}};
const TDescrizioneDialogo kRipetizioni{
    "Ripetizioni",
    66,
    {{nullptr, {{0, "Un concorso precedente", 0, 0}, {1, "Due concorsi precedenti", 1, 0}}}}};

// Shows a table in its editor with the editor's switches.
void Carica(TGraphPt& g, const TTabellaPunti& t) {
    g.ImpostaTabella(t);
}

} // namespace

const TDescrizioneDialogo* DescrizioneDialogo(std::uint8_t tipo) {
    switch (tipo) {
    case kCodNumeroSegni:
        return &kNumeroSegni;
    case kCodPariDispari:
        return &kPariDispari;
    case kCodVortice:
        return &kVortice;
    case kCodSimmetrie:
        return &kSimmetrie;
    case kCodInterruzioni:
        return &kInterruzioni;
    case kCodRipetizioni:
        return &kRipetizioni;
    default:
        return nullptr;
    }
}

TFormCondTabelle::TFormCondTabelle(TCondTabelle& cond, const TDescrizioneDialogo& d, QWidget* parent)
    : TFormCondizione(cond, Q(d.caption), d.helpContext, parent) {
    setObjectName(QStringLiteral("FormCondizione%1").arg(cond.Tipo));
    auto pagina = [this](const TPaginaTabelle& p) {
        auto* w = new QWidget;
        auto* grid = new QGridLayout(w);
        grid->setContentsMargins(2, 2, 2, 2);
        grid->setSpacing(3);
        for (const TPostoTabella& t : p.tabelle) {
            auto* g = new TGraphPt(w);
            g->setObjectName(QStringLiteral("Graph%1").arg(t.tabella));
            g->Titolo = Q(t.caption);
            g->TipoCampo = t.campo;
            g->TipoCons = CopiaTab().Tabella(static_cast<std::size_t>(t.tabella)).HaCons();
            Carica(*g, CopiaTab().Tabella(static_cast<std::size_t>(t.tabella)));
            g->ImpostaIniziale(t.primo);
            grid->addWidget(g, t.riga, t.colonna);
            grafici_.emplace_back(t.tabella, g);
        }
        grid->setRowStretch(grid->rowCount(), 1);
        return w;
    };
    QWidget* corpo = nullptr;
    if (d.pagine.size() == 1 && d.pagine[0].titolo == nullptr) {
        corpo = pagina(d.pagine[0]);
    } else {
        Pagine = new QTabWidget(this);
        for (const TPaginaTabelle& p : d.pagine) {
            Pagine->addTab(pagina(p), Q(p.titolo));
        }
        corpo = Pagine;
    }
    Completa(corpo);
    Mostra();
}

TCondTabelle& TFormCondTabelle::CopiaTab() {
    return static_cast<TCondTabelle&>(*copia_);
}

TGraphPt* TFormCondTabelle::Grafico(int tabella) const {
    for (const auto& [t, g] : grafici_) {
        if (t == tabella) {
            return g;
        }
    }
    return nullptr;
}

void TFormCondTabelle::Mostra() {
    (copia_->Attivato ? RadioAttivato : RadioDisattivato)->setChecked(true);
    for (const auto& [t, g] : grafici_) {
        const int first = g->PtIniziale;
        Carica(*g, CopiaTab().Tabella(static_cast<std::size_t>(t)));
        g->ImpostaIniziale(first);
    }
}

void TFormCondTabelle::Raccogli() {
    copia_->Attivato = RadioAttivato->isChecked();
    for (const auto& [t, g] : grafici_) {
        g->LeggiTabella(CopiaTab().Tabella(static_cast<std::size_t>(t)));
    }
}

void TFormCondTabelle::AzzeraClick() {
    RadioAttivato->setChecked(true);
    for (const auto& [t, g] : grafici_) {
        g->Svuota();
    }
}

// ---- lists of items

TFormLista::TFormLista(TListaCondizioni& list, std::uint8_t codiceItem, const QString& caption,
                       int helpContext, QWidget* parent)
    : TFormCondizione(list, caption, helpContext, parent), codiceItem_(codiceItem) {
    LabelNumero = new QLabel(this);
    LabelNumero->setObjectName(QStringLiteral("LabelNumero"));
    LabelNumero->setMinimumWidth(LabelNumero->fontMetrics().horizontalAdvance(QStringLiteral("000 / 000")));
    auto nav = [this](Qt::ArrowType arrow, const char* name, const char* tip) {
        auto* b = new QToolButton(this);
        b->setArrowType(arrow);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QString::fromUtf8(tip));
        return b;
    };
    BtnPrimo = nav(Qt::UpArrow, "BtnPrimo", "Prima");
    BtnPrecedente = nav(Qt::LeftArrow, "BtnPrecedente", "Precedente");
    BtnSuccessivo = nav(Qt::RightArrow, "BtnSuccessivo", "Successiva");
    BtnUltimo = nav(Qt::DownArrow, "BtnUltimo", "Ultima");
    BtnPrimo->setText(QStringLiteral("|<"));
    BtnPrimo->setToolButtonStyle(Qt::ToolButtonTextOnly);
    BtnUltimo->setText(QStringLiteral(">|"));
    BtnUltimo->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AggiungiBtn = new QPushButton(QStringLiteral("Aggiungi"), this);
    AggiungiBtn->setObjectName(QStringLiteral("AggiungiBtn"));
    EliminaBtn = new QPushButton(QStringLiteral("Elimina"), this);
    EliminaBtn->setObjectName(QStringLiteral("EliminaBtn"));
    ItemAttivato = new QRadioButton(QStringLiteral("Attivato"), this);
    ItemDisattivato = new QRadioButton(QStringLiteral("Disattivato"), this);
    connect(BtnPrimo, &QToolButton::clicked, this, [this] { Vai(0); });
    connect(BtnPrecedente, &QToolButton::clicked, this, [this] { Vai(corrente_ - 1); });
    connect(BtnSuccessivo, &QToolButton::clicked, this, [this] { Vai(corrente_ + 1); });
    connect(BtnUltimo, &QToolButton::clicked, this, [this] { Vai(Conta() - 1); });
    connect(AggiungiBtn, &QPushButton::clicked, this, [this] { AggiungiClick(); });
    connect(EliminaBtn, &QPushButton::clicked, this, [this] { EliminaClick(); });
}

void TFormLista::CompletaLista(QWidget* item, QBoxLayout* rigaStato) {
    item_ = item;
    auto* corpo = new QWidget(this);
    auto* v = new QVBoxLayout(corpo);
    v->setContentsMargins(0, 0, 0, 0);
    auto* nav = new QHBoxLayout;
    nav->addWidget(new QLabel(QStringLiteral("Nº Condizione"), this));
    nav->addWidget(LabelNumero);
    for (QWidget* w : std::initializer_list<QWidget*>{BtnPrimo, BtnPrecedente, BtnSuccessivo, BtnUltimo}) {
        nav->addWidget(w);
    }
    nav->addSpacing(8);
    nav->addWidget(AggiungiBtn);
    nav->addWidget(EliminaBtn);
    nav->addStretch(1);
    v->addLayout(nav);
    auto* stato = new QGroupBox(QStringLiteral("Stato "), this);
    QBoxLayout* sl = nullptr;
    if (rigaStato != nullptr) {
        sl = new QHBoxLayout(stato);
        rigaStato->addWidget(stato);
    } else {
        sl = new QVBoxLayout(stato);
    }
    sl->setContentsMargins(6, 2, 6, 2);
    sl->addWidget(ItemAttivato);
    sl->addWidget(ItemDisattivato);
    auto* row = new QHBoxLayout;
    row->addWidget(item, 1);
    if (rigaStato == nullptr) {
        row->addWidget(stato, 0, Qt::AlignTop);
    }
    v->addLayout(row, 1);
    Completa(corpo, new QWidget(this));
    Mostra();
}

TListaCondizioni& TFormLista::Lista() {
    return static_cast<TListaCondizioni&>(*copia_);
}

int TFormLista::Conta() const {
    return static_cast<int>(static_cast<const TListaCondizioni&>(*copia_).Count());
}

void TFormLista::Mostra() {
    (copia_->Attivato ? RadioAttivato : RadioDisattivato)->setChecked(true);
    const int n = Conta();
    corrente_ = std::clamp(corrente_, 0, std::max(0, n - 1));
    LabelNumero->setText(n == 0 ? QStringLiteral("0 / 0")
                                : QStringLiteral("%1 / %2").arg(corrente_ + 1).arg(n));
    BtnPrimo->setEnabled(corrente_ > 0);
    BtnPrecedente->setEnabled(corrente_ > 0);
    BtnSuccessivo->setEnabled(corrente_ + 1 < n);
    BtnUltimo->setEnabled(corrente_ + 1 < n);
    EliminaBtn->setEnabled(n > 0);
    ItemAttivato->setEnabled(n > 0);
    ItemDisattivato->setEnabled(n > 0);
    item_->setEnabled(n > 0);
    if (n > 0) {
        TCondizione& it = Lista().Item(static_cast<std::size_t>(corrente_));
        (it.Attivato ? ItemAttivato : ItemDisattivato)->setChecked(true);
        MostraItem(it);
    }
}

void TFormLista::Raccogli() {
    copia_->Attivato = RadioAttivato->isChecked();
    if (Conta() > 0) {
        TCondizione& it = Lista().Item(static_cast<std::size_t>(corrente_));
        it.Attivato = ItemAttivato->isChecked();
        RaccogliItem(it);
    }
}

void TFormLista::Vai(int index) {
    if (!Valido()) {
        return;
    }
    Raccogli();
    corrente_ = index;
    Mostra();
}

void TFormLista::AggiungiClick() {
    if (!Valido()) {
        return;
    }
    Raccogli();
    std::unique_ptr<TCondizione> item = CreaCondizione(codiceItem_, copia_->Owner);
    if (item == nullptr) {
        return;
    }
    Lista().Aggiungi(std::move(item));
    corrente_ = Conta() - 1;
    Mostra();
}

void TFormLista::EliminaClick() {
    if (Conta() == 0) {
        return;
    }
    Lista().Elimina(static_cast<std::size_t>(corrente_));
    Mostra();
}

void TFormLista::AzzeraClick() {
    Raccogli();
    RadioAttivato->setChecked(true);
    copia_->Attivato = true;
    for (std::size_t i = 0; i < Lista().Count(); ++i) {
        if (auto* t = dynamic_cast<TCondTabelle*>(&Lista().Item(i))) {
            t->Azzera();
        }
    }
    Mostra();
}

// ---- "Risultati delle Partite"

TFormRisultati::TFormRisultati(TListaCondizioni& list, const std::array<std::string, 12>& squadre,
                               QWidget* parent)
    : TFormLista(list, kCodRisultati, QStringLiteral("Risultati delle Partite"), 68, parent) {
    setObjectName(QStringLiteral("FormRisultati"));
    auto* item = new QWidget(this);
    auto* v = new QVBoxLayout(item);
    v->setContentsMargins(0, 0, 0, 0);
    auto* schedina = new QGroupBox(QStringLiteral("Risultati Ammessi"), item);
    auto* grid = new QGridLayout(schedina);
    grid->setVerticalSpacing(1);
    const char* const esiti[3] = {"1", "X", "2"};
    for (int c = 0; c < 3; ++c) {
        auto* l = new QLabel(QLatin1String(esiti[c]), schedina);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(28);
        grid->addWidget(l, 0, 2 + c);
    }
    for (int m = 0; m < 6; ++m) {
        const auto home = squadre[static_cast<std::size_t>(2 * m)];
        const auto away = squadre[static_cast<std::size_t>(2 * m + 1)];
        grid->addWidget(new QLabel(QString::number(m + 1), schedina), m + 1, 0);
        grid->addWidget(new QLabel(Q(home) + QStringLiteral(" - ") + Q(away), schedina), m + 1, 1,
                        Qt::AlignLeft);
        for (int c = 0; c < 3; ++c) {
            auto* box = new QCheckBox(schedina);
            box->setObjectName(QStringLiteral("Esito%1%2").arg(m + 1).arg(QLatin1String(esiti[c])));
            grid->addWidget(box, m + 1, 2 + c, Qt::AlignCenter);
            Esiti[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = box;
        }
    }
    grid->setColumnMinimumWidth(1, 160);
    grid->setColumnStretch(5, 1);
    Punti = new TGraphPt(item);
    Punti->setObjectName(QStringLiteral("GraphPunti"));
    Punti->Titolo = QStringLiteral("Punti");
    Punti->TipoCampo = false;
    v->addWidget(schedina);
    v->addWidget(Punti);
    v->addStretch(1);
    CompletaLista(item);
}

void TFormRisultati::MostraItem(TCondizione& item) {
    auto& r = static_cast<TCondRisultati&>(item);
    // Bits 1 home, 2 draw, 4 away; shown as "1", "X", "2".
    for (std::size_t m = 0; m < 6; ++m) {
        for (std::size_t c = 0; c < 3; ++c) {
            Esiti[m][c]->setChecked((r.Esiti[m] & (1U << c)) != 0);
        }
    }
    Punti->TipoCons = true;
    Punti->ImpostaTabella(r.Tabella(0));
}

void TFormRisultati::RaccogliItem(TCondizione& item) {
    auto& r = static_cast<TCondRisultati&>(item);
    for (std::size_t m = 0; m < 6; ++m) {
        std::uint8_t bits = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            if (Esiti[m][c]->isChecked()) {
                bits = static_cast<std::uint8_t>(bits | (1U << c));
            }
        }
        r.Esiti[m] = bits;
    }
    Punti->LeggiTabella(r.Tabella(0));
}

// ---- "Consecutività  Differenziata dei Segni"

namespace {
constexpr std::array<SignSet, 4> kSegniItem = {kSign0, kSign1, kSign2, kSignM};
} // namespace

TFormConsecutivita::TFormConsecutivita(TListaCondizioni& list, QWidget* parent)
    : TFormLista(list, kCodConsecutivita, QStringLiteral("Consecutività  Differenziata dei Segni"), 67,
                 parent) {
    setObjectName(QStringLiteral("FormConsecutivita"));
    auto* item = new QWidget(this);
    auto* v = new QVBoxLayout(item);
    v->setContentsMargins(0, 0, 0, 0);
    auto* segni = new QHBoxLayout;
    segni->addWidget(new QLabel(QStringLiteral("Segno"), item));
    auto* group = new QButtonGroup(this);
    const char* const names[4] = {"0", "1", "2", "M"};
    for (std::size_t i = 0; i < 4; ++i) {
        auto* b = new QToolButton(item);
        b->setText(QLatin1String(names[i]));
        b->setObjectName(QStringLiteral("Segno") + QLatin1String(names[i]));
        b->setCheckable(true);
        b->setMinimumWidth(28);
        group->addButton(b);
        segni->addWidget(b);
        Segni[i] = b;
    }
    segni->addSpacing(16);
    Selezione = new TGraphPt(item);
    Selezione->setObjectName(QStringLiteral("GraphSelezione"));
    Selezione->Titolo = QStringLiteral("Numero Di Segni");
    Selezione->RecVisibili = false;
    Selezione->LinkTra = false;
    Selezione->TipoCampo = false;
    Ammessa = new TGraphPt(item);
    Ammessa->setObjectName(QStringLiteral("GraphAmmessa"));
    Ammessa->Titolo = QStringLiteral("Consecutività Ammessa");
    v->addLayout(segni);
    v->addWidget(Selezione);
    v->addWidget(Ammessa);
    v->addStretch(1);
    CompletaLista(item, segni);
    segni->addStretch(1);
}

void TFormConsecutivita::MostraItem(TCondizione& item) {
    auto& c = static_cast<TCondConsecutivita&>(item);
    for (std::size_t i = 0; i < 4; ++i) {
        Segni[i]->setChecked(c.Segno == kSegniItem[i]);
    }
    Selezione->ImpostaTabella(c.Selezione());
    Ammessa->ImpostaTabella(c.Ammessa());
}

void TFormConsecutivita::RaccogliItem(TCondizione& item) {
    auto& c = static_cast<TCondConsecutivita&>(item);
    for (std::size_t i = 0; i < 4; ++i) {
        if (Segni[i]->isChecked()) {
            c.Segno = kSegniItem[i];
        }
    }
    Selezione->LeggiTabella(c.Selezione());
    Ammessa->LeggiTabella(c.Ammessa());
}

} // namespace tessaline
