#include "scrutiny/ui/plays_windows.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/sign_edits.h"
#include "scrutiny/plays_print.h"
#include "scrutiny/plays_view.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

// A table of text cells in a fixed-pitch font, no editing, no selection, sized to its contents.
QTableWidget* Tabella(QWidget* parent, int rows, const QStringList& headers) {
    auto* t = new QTableWidget(rows, static_cast<int>(headers.size()), parent);
    t->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->verticalHeader()->hide();
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (headers.isEmpty() || headers.front().isNull()) {
        t->horizontalHeader()->hide();
    } else {
        t->setHorizontalHeaderLabels(headers);
    }
    for (int r = 0; r < rows; ++r) {
        t->setRowHeight(r, t->fontMetrics().height() + 2);
    }
    return t;
}

void Cella(QTableWidget* t, int r, int c, const std::string& text) {
    auto* item = t->item(r, c);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        t->setItem(r, c, item);
    }
    item->setText(Q(text));
}

// Column widths to fit the widest of the samples, then the table as high and wide as its cells.
void Adatta(QTableWidget* t, const QStringList& samples) {
    const QFontMetrics fm(t->font());
    int width = 2 * t->frameWidth();
    for (int c = 0; c < t->columnCount(); ++c) {
        int w = fm.horizontalAdvance(samples.value(c)) + 10;
        if (!t->horizontalHeader()->isHidden()) {
            w = std::max(w, t->horizontalHeader()->fontMetrics().horizontalAdvance(
                                t->horizontalHeaderItem(c)->text()) +
                                10);
        }
        t->setColumnWidth(c, w);
        width += w;
    }
    int height = 2 * t->frameWidth();
    if (!t->horizontalHeader()->isHidden()) {
        height += t->horizontalHeader()->sizeHint().height();
    }
    for (int r = 0; r < t->rowCount(); ++r) {
        height += t->rowHeight(r);
    }
    t->setFixedSize(width, height);
}

void Vuota(QTableWidget* t) {
    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c) {
            Cella(t, r, c, {});
        }
    }
}

const QStringList kSistemiHeaders = {QStringLiteral("Dp."),  QStringLiteral("Tr."),  QStringLiteral("Qd."),
                                     QStringLiteral("Col."), QStringLiteral("Data"), QStringLiteral("Ora")};
const QStringList kSistemiSamples = {QStringLiteral("000"),        QStringLiteral("000"),
                                     QStringLiteral("000"),        QStringLiteral("00000"),
                                     QStringLiteral("00/00/0000"), QStringLiteral("00.00.00")};

} // namespace

TFormVisGiocate::TFormVisGiocate(TAppContext& app, TFormSaver* saver, QWidget* parent)
    : QDialog(parent), app_(app), saver_(saver) {
    setObjectName(QStringLiteral("FormVisGiocate"));
    setWindowTitle(Q(msg::kRiepilogoGiocate));
    auto* numero = new QHBoxLayout;
    numero->addWidget(new QLabel(QStringLiteral("Concorso Nº"), this));
    SinistraBtn = new QPushButton(QStringLiteral("<"), this);
    DestraBtn = new QPushButton(QStringLiteral(">"), this);
    PanelNumero = new QLabel(QStringLiteral("0"), this);
    PanelNumero->setFrameShape(QFrame::Panel);
    PanelNumero->setFrameShadow(QFrame::Sunken);
    PanelNumero->setAlignment(Qt::AlignCenter);
    PanelNumero->setMinimumWidth(PanelNumero->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    for (QPushButton* b : {SinistraBtn, DestraBtn}) {
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("<")) + 24);
    }
    numero->addWidget(SinistraBtn);
    numero->addWidget(PanelNumero);
    numero->addWidget(DestraBtn);
    numero->addStretch(1);

    TabellaGenerale = Tabella(this, 4, {QString()});
    TabellaGenerale->setColumnCount(2);
    Adatta(TabellaGenerale, {QStringLiteral("  Sistemi Integrali "), QStringLiteral("£ 13.421.772.800  ")});
    GridSist = Tabella(this, 7, kSistemiHeaders);
    Adatta(GridSist, kSistemiSamples);
    ScrollSist = new QScrollBar(Qt::Vertical, this);
    ScrollSist->setFixedHeight(GridSist->height());
    ScrollSist->setRange(0, 0);

    BtnSpoglio = new QPushButton(QStringLiteral("Spoglio"), this);
    BtnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);

    auto* riepilogo = new QGroupBox(QStringLiteral("Riepilogo"), this);
    auto* rl = new QVBoxLayout(riepilogo);
    rl->addWidget(TabellaGenerale);
    auto* sistemi = new QGroupBox(QStringLiteral("Sistemi Ridotti"), this);
    auto* sl = new QHBoxLayout(sistemi);
    sl->addWidget(GridSist);
    sl->addWidget(ScrollSist);
    auto* tables = new QVBoxLayout;
    tables->addWidget(riepilogo, 0, Qt::AlignLeft);
    tables->addWidget(sistemi, 0, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnSpoglio);
    buttons->addWidget(BtnStampa);
    buttons->addStretch(1);
    buttons->addWidget(aiuto);
    buttons->addWidget(BtnChiudi);
    auto* v = new QVBoxLayout(this);
    v->addLayout(numero);
    v->addLayout(tables);
    v->addStretch(1);
    v->addLayout(buttons);

    connect(SinistraBtn, &QPushButton::clicked, this, [this] { SinistraBtnClick(); });
    connect(DestraBtn, &QPushButton::clicked, this, [this] { DestraBtnClick(); });
    connect(ScrollSist, &QScrollBar::valueChanged, this, [this] { Aggiorna(); });
    connect(BtnSpoglio, &QPushButton::clicked, this, [this] { SpoglioClick(); });
    connect(BtnStampa, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    stampa = [this](const TArchivioGiocate& a) {
        const TProgramSettings& settings = app_.Sistema().dati.settings;
        if (stampante) {
            stampante([&](TCanvas& canvas) {
                StampaRiepilogoGiocate(canvas, a, settings.ColumnCost(), settings.costsInEuro);
            });
        }
    };
}

void TFormVisGiocate::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (PanelNumero->text() == QStringLiteral("0")) {
        Carica(app_.Sistema().dati.ContestNumber);
    }
}

void TFormVisGiocate::Carica(std::int32_t numero) {
    archivio_ = TArchivioGiocate(numero);
    archivio_.CaricaArchivio();
    PanelNumero->setText(QString::number(numero));
    ScrollSist->blockSignals(true);
    ScrollSist->setRange(0, MassimoScorrimentoSistemi(archivio_.Sistemi().size()));
    ScrollSist->setValue(0);
    ScrollSist->blockSignals(false);
    Aggiorna();
}

void TFormVisGiocate::SinistraBtnClick() {
    Carica(ConcorsoPrecedente(archivio_.Concorso()));
}

void TFormVisGiocate::DestraBtnClick() {
    Carica(ConcorsoSuccessivo(archivio_.Concorso()));
}

void TFormVisGiocate::Aggiorna() {
    const TProgramSettings& settings = app_.Sistema().dati.settings;
    const auto rows = TabellaRiepilogo(archivio_, settings.ColumnCost(), settings.costsInEuro);
    for (int r = 0; r < 4; ++r) {
        Cella(TabellaGenerale, r, 0, rows[static_cast<std::size_t>(r)][0]);
        Cella(TabellaGenerale, r, 1, rows[static_cast<std::size_t>(r)][1]);
    }
    Vuota(GridSist);
    const auto systems = RigheSistemi(archivio_, static_cast<std::size_t>(ScrollSist->value()));
    for (std::size_t r = 0; r < systems.size(); ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            Cella(GridSist, static_cast<int>(r), static_cast<int>(c), systems[r][c]);
        }
    }
}

void TFormVisGiocate::SpoglioClick() {
    TFormSpoglioGlobale form(app_, archivio_, this);
    form.stampante = stampante;
    if (saver_ != nullptr) {
        RunRemembered(*saver_, form);
    } else {
        form.exec();
    }
}

void TFormVisGiocate::StampaClick() {
    try {
        stampa(archivio_);
    } catch (const std::exception& e) {
        app_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

TFormSpoglioGlobale::TFormSpoglioGlobale(TAppContext& app, TArchivioGiocate& archive, QWidget* parent)
    : QDialog(parent), app_(app), archivio_(archive) {
    setObjectName(QStringLiteral("FormSpoglioGlobale"));
    setWindowTitle(Q(msg::kSpoglioGlobale));
    const T_Sistema& sys = app_.Sistema();
    const QString n = QString::number(archive.Concorso());
    LabelColonna = new QLabel(Q(msg::kColonnaVincenteConcorso) + n, this);
    LabelRiepilogo = new QLabel(Q(msg::kRiepilogoVincite) + n, this);
    LabelElenco = new QLabel(Q(msg::kElencoVinciteSistemi) + n, this);

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

    TabGenvinc = Tabella(this, 4,
                         {QString(), QStringLiteral("Giocate"), QStringLiteral("6"), QStringLiteral("5"),
                          QStringLiteral("4")});
    TabGenvinc->setHorizontalHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Giocate"),
                                           QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4")});
    TabGenvinc->horizontalHeader()->show();
    // The window's own font: the fixed-pitch one would not leave room for the coupon at 640 pixels.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.92);
    TabGenvinc->setFont(small);
    Adatta(TabGenvinc, {QStringLiteral("  Schedine Normali "), QStringLiteral("16777216"),
                        QStringLiteral("16777216"), QStringLiteral("16777216"), QStringLiteral("16777216")});
    GridSistVinc = Tabella(this, 7,
                           {QStringLiteral("Dp."), QStringLiteral("Tr."), QStringLiteral("Qd."),
                            QStringLiteral("Col."), QStringLiteral("Data"), QStringLiteral("Ora"),
                            QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4")});
    GridSistVinc->setFont(small);
    Adatta(GridSistVinc, kSistemiSamples + QStringList{QStringLiteral("00000"), QStringLiteral("00000"),
                                                       QStringLiteral("00000")});
    ScrollSist = new QScrollBar(Qt::Vertical, this);
    ScrollSist->setFixedHeight(GridSistVinc->height());
    BtnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);

    // Two rows: the coupon beside the win table, then the reduced systems across the window.
    auto* left = new QVBoxLayout;
    left->addWidget(LabelColonna);
    auto* coupon = new QHBoxLayout;
    coupon->addWidget(Pannello, 0, Qt::AlignTop);
    coupon->addWidget(EditColonna, 0, Qt::AlignTop);
    coupon->addStretch(1);
    left->addLayout(coupon);
    auto* right = new QVBoxLayout;
    right->addWidget(LabelRiepilogo);
    right->addWidget(TabGenvinc);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* grid = new QHBoxLayout;
    grid->addWidget(GridSistVinc);
    grid->addWidget(ScrollSist);
    grid->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnStampa);
    buttons->addStretch(1);
    buttons->addWidget(aiuto);
    buttons->addWidget(BtnChiudi);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(LabelElenco);
    v->addLayout(grid);
    v->addStretch(1);
    v->addLayout(buttons);

    const char* kinds[4] = {"  Schedine Normali", "  Sistemi Integrali", "  Sistemi Ridotti",
                            "  Totale Vincite"};
    Vuota(TabGenvinc);
    Vuota(GridSistVinc);
    for (int r = 0; r < 4; ++r) {
        Cella(TabGenvinc, r, 0, kinds[r]);
    }
    ScrollSist->setRange(0, MassimoScorrimentoSistemi(archivio_.Sistemi().size()));
    connect(EditColonna, &TEditColonna::Modificato, this, [this] { EditColonnaModificato(); });
    connect(ScrollSist, &QScrollBar::valueChanged, this, [this] { Aggiorna(); });
    connect(BtnStampa, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
    stampa = [this](const TArchivioGiocate& a) {
        if (stampante) {
            stampante([&](TCanvas& canvas) { StampaVinciteGiocate(canvas, a); });
        }
    };
    EditColonnaModificato();
}

void TFormSpoglioGlobale::EditColonnaModificato() {
    const Colonna c = EditColonna->GetColonna();
    for (int t = 0; t < kTeams; ++t) {
        if (c[t] == 0) {
            return;
        }
    }
    archivio_.EseguiSpoglio(c);
    Aggiorna();
}

void TFormSpoglioGlobale::Aggiorna() {
    const auto rows = TabellaVincite(archivio_);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < 5; ++c) {
            Cella(TabGenvinc, static_cast<int>(r), static_cast<int>(c), rows[r][c]);
        }
    }
    Vuota(GridSistVinc);
    const auto systems = RigheSistemiVincite(archivio_, static_cast<std::size_t>(ScrollSist->value()));
    for (std::size_t r = 0; r < systems.size(); ++r) {
        for (std::size_t c = 0; c < 9; ++c) {
            Cella(GridSistVinc, static_cast<int>(r), static_cast<int>(c), systems[r][c]);
        }
    }
}

void TFormSpoglioGlobale::StampaClick() {
    try {
        stampa(archivio_);
    } catch (const std::exception& e) {
        app_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

} // namespace tessaline
