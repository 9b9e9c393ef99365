#include "scrutiny/ui/scrutiny_windows.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QValueAxis>

#include "conditions/condition.h"
#include "conditions/condition_set.h"
#include "core/ui/app_context.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/quattro_colonne.h"
#include "core/ui/sign_edits.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

QLabel* CategoryPanel(QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("16777216")) + 12);
    return l;
}

// The slot that holds a condition of type code `tipo` (an item's code leads to its group's slot).
int SlotDelTipo(int tipo) {
    if (tipo > 0 && tipo < 256) {
        if (const std::uint8_t gruppo = GruppoDellItem(static_cast<std::uint8_t>(tipo))) {
            return gruppo;
        }
    }
    return tipo >= 1 && tipo < kSlots + 1 ? tipo : -1;
}

} // namespace

// The condition set examined as TEsaminatoreInsieme does, keeping the slot of every broken
// condition for the double click.
class TFormSpoglio::TEsaminatore : public TEsaminatoreCondizioni {
public:
    explicit TEsaminatore(TInsiemeCondizioni& set) : set_(set) {}
    std::vector<std::string> CondizioniSbagliate(const Colonna& winning) override {
        set_.Errori.clear();
        set_.Prepara();
        set_.RaccogliErrori = true;
        set_.Accetta(winning);
        set_.RaccogliErrori = false;
        std::vector<std::string> names;
        slotList.clear();
        for (const TErrore& e : set_.Errori) {
            names.push_back(e.Condizione != nullptr ? e.Condizione->Nome : msg::kErrorePronostico);
            slotList.push_back(e.Condizione != nullptr ? SlotDelTipo(e.Condizione->Tipo) : -1);
        }
        set_.Errori.clear();
        return names;
    }
    std::vector<int> slotList;

private:
    TInsiemeCondizioni& set_;
};

TFormSpoglio::TFormSpoglio(TAppContext& app, std::unique_ptr<TSpoglio> set, QWidget* parent)
    : QDialog(parent), app_(app), spoglio_(std::move(set)) {
    setObjectName(QStringLiteral("FormSpoglio"));
    setWindowTitle(QStringLiteral("Spoglio"));
    esaminatore_ = std::make_unique<TEsaminatore>(app_.Sistema().Insieme());
    const T_Sistema& sys = app_.Sistema();

    Pannello = new TPannelloSc(this);
    Pannello->SetSquadre(sys.dati.teamNames);
    if (sys.dati.sviluppo.PairMode == 0) {
        Pannello->SetPronostico(sys.dati.Forecast);
    }
    Pannello->LPro = Pannello->fontMetrics().horizontalAdvance(QStringLiteral("012M")) + 8;
    Pannello->setMinimumSize(Pannello->sizeHint());
    EditColonna = new TEditColonna(this, true);
    EditColonna->setObjectName(QStringLiteral("EditColonna"));
    EditColonna->FieldHeight = Pannello->ARighe;
    EditColonna->Gap1 = Pannello->Gap1;
    EditColonna->Gap2 = Pannello->Gap3;
    EditColonna->FieldWidth = 28;
    EditColonna->Relayout();

    auto* coupon = new QGroupBox(QStringLiteral("Colonna Vincente"), this);
    auto* couponRow = new QHBoxLayout(coupon);
    couponRow->addWidget(Pannello, 0, Qt::AlignTop);
    couponRow->addWidget(EditColonna, 0, Qt::AlignTop);

    barre_ = new QBarSet(QStringLiteral("Colonne"));
    for (int i = 0; i < 7; ++i) {
        *barre_ << 0;
    }
    barre_->setColor(QColor(0x20, 0x60, 0xc0));
    auto* series = new QBarSeries;
    series->append(barre_);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    auto* chart = new QChart;
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                        QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")});
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    asse_ = new QValueAxis;
    asse_->setLabelFormat(QStringLiteral("%.0f"));
    asse_->setRange(0, 1);
    chart->addAxis(asse_, Qt::AlignLeft);
    series->attachAxis(asse_);
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    Grafico = new QChartView(chart, this);
    Grafico->setRenderHint(QPainter::Antialiasing);
    Grafico->setMinimumSize(260, 170);

    auto* categorie = new QGroupBox(QStringLiteral("Vincite"), this);
    auto* catGrid = new QGridLayout(categorie);
    Panel1Cat = CategoryPanel(this);
    Panel2Cat = CategoryPanel(this);
    Panel3Cat = CategoryPanel(this);
    catGrid->addWidget(new QLabel(QStringLiteral("6 Punti"), this), 0, 0, Qt::AlignHCenter);
    catGrid->addWidget(new QLabel(QStringLiteral("5 Punti"), this), 0, 1, Qt::AlignHCenter);
    catGrid->addWidget(new QLabel(QStringLiteral("4 Punti"), this), 0, 2, Qt::AlignHCenter);
    catGrid->addWidget(Panel1Cat, 1, 0);
    catGrid->addWidget(Panel2Cat, 1, 1);
    catGrid->addWidget(Panel3Cat, 1, 2);

    auto* condLabel = new QLabel(QStringLiteral("Condizioni Sbagliate"), this);
    ListBoxCond = new QListWidget(this);
    ListBoxCond->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxCond->setMinimumHeight(60);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setRange(1, 40);

    VisualizzaBtn = new QPushButton(QStringLiteral("&Visualizza Vincite"), this);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);

    auto* right = new QVBoxLayout;
    right->addWidget(Grafico, 1);
    right->addWidget(categorie);
    right->addWidget(condLabel);
    right->addWidget(ListBoxCond, 1);
    right->addWidget(ScrollBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(VisualizzaBtn);
    buttons->addStretch(1);
    buttons->addWidget(aiuto);
    buttons->addWidget(BtnChiudi);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addWidget(coupon, 0, Qt::AlignTop);
    top->addLayout(right, 1);

    connect(EditColonna, &TEditColonna::Modificato, this, [this] { EditColonnaModificato(); });
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { RiempiLista(); });
    connect(VisualizzaBtn, &QPushButton::clicked, this, [this] { VisualizzaBtnClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    connect(ListBoxCond, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ListBoxCondDoppioClick(ListBoxCond->row(item)); });
    ImpostaAbilitazioni();
}

TFormSpoglio::~TFormSpoglio() = default;

void TFormSpoglio::EditColonnaModificato() {
    Colonna c = EditColonna->GetColonna();
    bool complete = true;
    for (int t = 0; t < kTeams; ++t) {
        complete = complete && c[t] != 0;
    }
    if (complete) {
        Esegui(c);
        valida_ = true;
    } else {
        valida_ = false;
    }
    ImpostaAbilitazioni();
}

void TFormSpoglio::Esegui(const Colonna& winning) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TSistemaSpoglio system = SpoglioDelSistema(app_.Sistema(), esaminatore_.get());
    spoglio_->Esegui(winning, system);
    // The slot of each line, for the double click: the forecast's line comes first.
    const std::size_t lines = spoglio_->Errori().size();
    slotErrori_.assign(lines - std::min(lines, system.usaCondizioni ? esaminatore_->slotList.size() : 0), -1);
    if (system.usaCondizioni) {
        slotErrori_.insert(slotErrori_.end(), esaminatore_->slotList.begin(), esaminatore_->slotList.end());
    }
    slotErrori_.resize(lines, -1);
    const auto bars = Barre();
    for (int i = 0; i < 7; ++i) {
        barre_->replace(i, static_cast<double>(bars[static_cast<std::size_t>(i)]));
    }
    asse_->setRange(0, static_cast<double>(std::max<std::int64_t>(MassimoAsse(), 1)));
    Panel1Cat->setText(QString::number(spoglio_->Contatori()[6]));
    Panel2Cat->setText(QString::number(spoglio_->Contatori()[5]));
    Panel3Cat->setText(QString::number(spoglio_->Contatori()[4]));
    RiempiLista();
    QApplication::restoreOverrideCursor();
}

std::array<std::int64_t, 7> TFormSpoglio::Barre() const {
    return spoglio_->Contatori();
}

std::int64_t TFormSpoglio::MassimoAsse() const {
    return spoglio_->MassimoAsse();
}

void TFormSpoglio::RiempiLista() {
    ListBoxCond->clear();
    if (!valida_ && ListBoxCond->count() == 0 && spoglio_->Errori().empty()) {
        return;
    }
    for (const std::string& e : spoglio_->Errori()) {
        ListBoxCond->addItem(Q(RigaScorrimento(e, ScrollBar1->value())));
    }
}

void TFormSpoglio::ImpostaAbilitazioni() {
    Grafico->setVisible(valida_);
    for (QLabel* l : {Panel1Cat, Panel2Cat, Panel3Cat}) {
        l->setEnabled(valida_);
        if (!valida_) {
            l->setText(QString());
        }
    }
    VisualizzaBtn->setEnabled(valida_);
    ScrollBar1->setEnabled(valida_);
    if (!valida_) {
        ListBoxCond->clear();
    }
}

void TFormSpoglio::VisualizzaBtnClick() {
    if (!valida_) {
        return;
    }
    TFormVisVin vis(*spoglio_, this);
    vis.exec();
}

void TFormSpoglio::ListBoxCondDoppioClick(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= slotErrori_.size()) {
        return;
    }
    const int slot = slotErrori_[static_cast<std::size_t>(row)];
    if (slot >= 0 && app_.apriCondizione) {
        app_.apriCondizione(slot);
    }
}

TFormVisVin::TFormVisVin(const TSpoglio& spoglio, QWidget* parent) : QDialog(parent), spoglio_(spoglio) {
    setObjectName(QStringLiteral("FormVisVin"));
    setWindowTitle(QStringLiteral("Schedine Vincenti"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Punti:"), this));
    for (int i = 0; i < 7; ++i) {
        S[static_cast<std::size_t>(i)] = new QPushButton(QString::number(i), this);
        S[static_cast<std::size_t>(i)]->setCheckable(true);
        S[static_cast<std::size_t>(i)]->setAutoExclusive(true);
        S[static_cast<std::size_t>(i)]->setFixedWidth(
            S[static_cast<std::size_t>(i)]->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 20);
        buttons->addWidget(S[static_cast<std::size_t>(i)]);
        connect(S[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { SClick(i); });
    }
    buttons->addStretch(1);
    auto* coupons = new QHBoxLayout;
    for (auto& q : Schedine) {
        q = new TQuattroColonne(this);
        coupons->addWidget(q);
    }
    coupons->addStretch(1);
    ScrollBar = new QScrollBar(Qt::Horizontal, this);
    ScrollBar->setRange(0, 0);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(aiuto);
    bottom->addWidget(BtnChiudi);
    auto* v = new QVBoxLayout(this);
    v->addLayout(buttons);
    v->addLayout(coupons);
    v->addWidget(ScrollBar);
    v->addLayout(bottom);
    connect(ScrollBar, &QScrollBar::valueChanged, this, [this] { Mostra(); });
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });

    const auto enabled = PulsantiAbilitati(spoglio_.Contatori());
    for (std::size_t i = 0; i < 7; ++i) {
        S[i]->setEnabled(enabled[i]);
    }
    const int pressed = PulsantePremuto(spoglio_.Contatori());
    if (pressed >= 0) {
        S[static_cast<std::size_t>(pressed)]->setChecked(true);
        SClick(pressed);
    } else {
        Mostra();
    }
}

void TFormVisVin::SClick(int points) {
    premuto_ = points;
    S[static_cast<std::size_t>(points)]->setChecked(true);
    elenco_ = SchedineVincenti(spoglio_.Insieme(), spoglio_.Vincente(), points);
    ScrollBar->blockSignals(true);
    ScrollBar->setRange(0, MassimoScorrimento(elenco_.size()));
    ScrollBar->setValue(0);
    ScrollBar->blockSignals(false);
    Mostra();
}

void TFormVisVin::Mostra() {
    const auto first = static_cast<std::size_t>(ScrollBar->value());
    for (std::size_t k = 0; k < Schedine.size(); ++k) {
        const std::size_t i = first + k;
        if (i < elenco_.size()) {
            const TSchedinaVin& s = elenco_[i];
            Schedine[k]->Imposta(s.numero, s.colonne, s.usate, s.segnate);
            Schedine[k]->ImpostaVincente(spoglio_.Vincente());
            Schedine[k]->show();
        } else {
            Schedine[k]->hide();
        }
    }
}

} // namespace tessaline
