#include "reduce/ui/fixed_signs_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "conditions/frame.h"
#include "conditions/value_table.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/help.h"
#include "core/ui/points_graph.h"
#include "core/ui/qt_text.h"
#include "reduce/fixed_signs_print.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr int kRighe = 14;

QToolButton* Bottone(QWidget* parent, const char* name, const char* text, QButtonGroup* group) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(Q(text));
    b->setCheckable(true);
    b->setAutoRaise(false);
    b->setMinimumWidth(64);
    group->addButton(b);
    return b;
}

} // namespace

TFormCercaFisseStampa::TFormCercaFisseStampa(int count, QWidget* parent, bool build) : QDialog(parent) {
    setObjectName(QStringLiteral("FormCercaFisseStampa"));
    setWindowTitle(QStringLiteral("Stampa Combinazioni"));
    SpinMin = new QSpinBox(this);
    SpinMin->setObjectName(QStringLiteral("SpinMin"));
    SpinMax = new QSpinBox(this);
    SpinMax->setObjectName(QStringLiteral("SpinMax"));
    for (QSpinBox* s : {SpinMin, SpinMax}) {
        s->setRange(0, count);
        s->setValue(0);
        s->setMinimumWidth(90);
    }
    // Lowering the last below the first raises it back; raising the first above the last lowers it.
    connect(SpinMax, &QSpinBox::valueChanged, this, [this](int v) {
        if (v < SpinMin->value()) {
            SpinMax->setValue(SpinMin->value());
        }
    });
    connect(SpinMin, &QSpinBox::valueChanged, this, [this](int v) {
        if (v > SpinMax->value()) {
            SpinMin->setValue(SpinMax->value());
        }
    });
    if (build) {
        Costruisci(nullptr);
    }
}

void TFormCercaFisseStampa::Costruisci(QWidget* extra) {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Dalla Combinazione Nº"), this), 0, 0);
    g->addWidget(SpinMin, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Alla Combinazione Nº"), this), 1, 0);
    g->addWidget(SpinMax, 1, 1);
    v->addLayout(g);
    if (extra != nullptr) {
        v->addWidget(extra);
    }
    v->addStretch(1);
    v->addWidget(OkAnnullaAiuto(this, kHelpCercaFisse));
}

TFormInsComb::TFormInsComb(int count, QWidget* parent) : TFormCercaFisseStampa(count, parent, false) {
    setObjectName(QStringLiteral("FormInsComb"));
    setWindowTitle(QStringLiteral("Inserimento nel quadro corrente"));
    auto* box = new QWidget(this);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    CheckCAC = new QCheckBox(QStringLiteral("Confronto a Coppie"), box);
    CheckCAC->setObjectName(QStringLiteral("CheckCAC"));
    CheckCAC->setChecked(true);
    GrPunti = new TGraphPt(box);
    GrPunti->setObjectName(QStringLiteral("GrPunti"));
    GrPunti->Titolo = QStringLiteral("Punti");
    GrPunti->LinkTra = true;
    GrPunti->TipoCampo = false;
    v->addWidget(CheckCAC);
    v->addWidget(GrPunti);
    Costruisci(box);
    connect(CheckCAC, &QCheckBox::toggled, this, [this] { CheckCACClick(); });
    CheckCACClick();
}

void TFormInsComb::CheckCACClick() {
    GrPunti->ImpostaTabella(TTabellaPunti(CheckCAC->isChecked() ? 2 : 4, true));
    GrPunti->PtVisibili = GrPunti->PtTotali;
    GrPunti->Aggiorna();
}

TTabellaPunti TFormInsComb::Punti() const {
    TTabellaPunti t(CheckCAC->isChecked() ? 2 : 4, true);
    GrPunti->LeggiTabella(t);
    return t;
}

TFrmCercaFisse::TFrmCercaFisse(const T_Archivio& archive, const T_IntervalloConcorsi& range,
                               UserPrompt& prompt, TStampaSuCanvas stampa, QWidget* parent,
                               TCondQuadro* quadro, TInsiemeCondizioni* set)
    : QDialog(parent), archive_(archive), prompt_(prompt), range_(range), stampa_(std::move(stampa)),
      quadro_(quadro), set_(set) {
    setObjectName(QStringLiteral("FrmCercaFisse"));
    setWindowTitle(QStringLiteral("Cerca Fisse"));

    auto* modi = new QButtonGroup(this);
    auto* ordini = new QButtonGroup(this);
    SpeedButton1 = Bottone(this, "SpeedButton1", "1", modi);
    SpeedButton2 = Bottone(this, "SpeedButton2", "2", modi);
    SpeedFreq = Bottone(this, "SpeedFreq", "Frequenza", ordini);
    SpeedRitar = Bottone(this, "SpeedRitar", "Ritardo", ordini);
    SpeedIC = Bottone(this, "SpeedIC", "IC", ordini);
    SpeedButton1->setMinimumWidth(40);
    SpeedButton2->setMinimumWidth(40);
    SpeedButton1->setChecked(true);
    SpeedFreq->setChecked(true);

    Grid = new QTableWidget(kRighe, 6, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("  Nº"), QStringLiteral(" Coppie"),
                                     QStringLiteral("Pos."), QStringLiteral("Fr."), QStringLiteral("Rit."),
                                     QStringLiteral(" IC")});
    Grid->verticalHeader()->hide();
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int rowH = Grid->fontMetrics().height() + 4;
    Grid->verticalHeader()->setDefaultSectionSize(rowH);
    Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int cw = Grid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[6] = {6, 10, 5, 6, 6, 7};
    int total = 0;
    for (int c = 0; c < 6; ++c) {
        Grid->setColumnWidth(c, widths[c] * cw + 10);
        total += widths[c] * cw + 10;
    }
    Grid->setFixedSize(total + 2 * Grid->frameWidth(), kRighe * rowH +
                                                           Grid->horizontalHeader()->sizeHint().height() +
                                                           2 * Grid->frameWidth());
    for (int r = 0; r < kRighe; ++r) {
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 1 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                          : (Qt::AlignRight | Qt::AlignVCenter));
            Grid->setItem(r, c, item);
        }
    }
    ScrollBar = new QScrollBar(Qt::Vertical, this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setPageStep(kRighe);
    ScrollBar->setFixedHeight(Grid->height());

    BtnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    BtnStampa->setObjectName(QStringLiteral("BtnStampa"));
    Buttonins = new QPushButton(QStringLiteral("Inserisci nei quadri"), this);
    Buttonins->setObjectName(QStringLiteral("Buttonins"));
    Buttonins->setVisible(quadro_ != nullptr);
    auto* esci = new QPushButton(QStringLiteral("Esci"), this);
    esci->setObjectName(QStringLiteral("BtnEsci"));
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    aiuto->setObjectName(QStringLiteral("BtnAiuto"));
    for (QPushButton* b : {BtnStampa, Buttonins, esci, aiuto}) {
        b->setAutoDefault(false);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Partite :"), this));
    top->addWidget(SpeedButton1);
    top->addWidget(SpeedButton2);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("Ordina per :"), this));
    top->addWidget(SpeedFreq);
    top->addWidget(SpeedRitar);
    top->addWidget(SpeedIC);
    top->addStretch(1);
    auto* mid = new QHBoxLayout;
    mid->addWidget(Grid);
    mid->addWidget(ScrollBar);
    mid->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BtnStampa);
    bottom->addWidget(Buttonins);
    bottom->addStretch(1);
    bottom->addWidget(aiuto);
    bottom->addWidget(esci);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(mid);
    v->addLayout(bottom);
    v->setSizeConstraint(QLayout::SetFixedSize);

    for (QToolButton* b : {SpeedButton1, SpeedButton2, SpeedFreq, SpeedRitar, SpeedIC}) {
        connect(b, &QToolButton::clicked, this, [this] { Elabora(); });
    }
    connect(ScrollBar, &QScrollBar::valueChanged, this, [this] { Aggiorna(); });
    connect(BtnStampa, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(Buttonins, &QPushButton::clicked, this, [this] { ButtoninsClick(); });
    connect(esci, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpCercaFisse, this); });
    Elabora();
}

int TFrmCercaFisse::Modo() const {
    return SpeedButton2->isChecked() ? 2 : 1;
}

void TFrmCercaFisse::Elabora() {
    const TOrdineFisse ordine = SpeedFreq->isChecked()    ? TOrdineFisse::Frequenza
                                : SpeedRitar->isChecked() ? TOrdineFisse::Ritardo
                                                          : TOrdineFisse::IC;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lista_ = ElaboraFisse(Modo(), ordine, archive_.Concorsi(), range_);
    QApplication::restoreOverrideCursor();
    const QSignalBlocker block(ScrollBar);
    ScrollBar->setRange(0, std::max(0, static_cast<int>(lista_.Voci.size()) - kRighe));
    ScrollBar->setValue(0);
    Aggiorna();
}

void TFrmCercaFisse::Aggiorna() {
    const int pos = ScrollBar->value();
    for (int r = 0; r < kRighe; ++r) {
        const std::size_t k = static_cast<std::size_t>(pos + r);
        QStringList cells;
        if (k < lista_.Voci.size()) {
            const TFisse& f = lista_.Voci[k];
            cells = {
                QStringLiteral(" %1").arg(k + 1), Q(Colonna2Coppie(f)),       Q(TestoPosizione(f)),
                QString::number(f.Frequenza),     QString::number(f.Ritardo), Q(TestoIC(f, lista_.Ammessi))};
        }
        for (int c = 0; c < 6; ++c) {
            Grid->item(r, c)->setText(c < cells.size() ? cells[c] : QString());
        }
    }
}

void TFrmCercaFisse::StampaClick() {
    TFormCercaFisseStampa dlg(static_cast<int>(lista_.Voci.size()), this);
    if (dlg.exec() == QDialog::Accepted) {
        Stampa(dlg.SpinMin->value(), dlg.SpinMax->value());
    }
}

void TFrmCercaFisse::Stampa(int first, int last) {
    if (!stampa_) {
        return;
    }
    try {
        stampa_([&](TCanvas& canvas) {
            StampaFisse(canvas, lista_.Voci, lista_.Ammessi, static_cast<std::size_t>(std::max(first, 0)),
                        static_cast<std::size_t>(std::max(last, 0)));
        });
    } catch (const std::exception&) {
        prompt_.ShowMessage(msg::kInformazione, kImpossibileStampareTabelle, BtnOk);
    }
}

void TFrmCercaFisse::ButtoninsClick() {
    TFormInsComb dlg(static_cast<int>(lista_.Voci.size()), this);
    if (dlg.exec() == QDialog::Accepted) {
        Inserisci(dlg.SpinMin->value(), dlg.SpinMax->value(), dlg.Punti(), dlg.CheckCAC->isChecked());
    }
}

std::size_t TFrmCercaFisse::Inserisci(int first, int last, const TTabellaPunti& punti, bool coppie) {
    if (quadro_ == nullptr || last < 1 || lista_.Voci.empty()) {
        return 0;
    }
    const std::size_t added =
        InserisciFisseNelQuadro(*quadro_, set_, lista_.Voci, static_cast<std::size_t>(std::max(first, 1) - 1),
                                static_cast<std::size_t>(last - 1), punti, coppie);
    if (dopoInserimento) {
        dopoInserimento();
    }
    return added;
}

void ApriCercaFisse(TAppContext& ctx, const TStampaSuCanvas& stampa, QWidget* parent, TCondQuadro* quadro,
                    TInsiemeCondizioni* set) {
    TFrmCercaFisse dlg(ctx.Archivio(), ctx.Sistema().dati.settings.ricerca.Intervallo, ctx.Prompt(), stampa,
                       parent != nullptr ? parent : ctx.Finestra(), quadro, set);
    dlg.exec();
}

} // namespace tessaline
