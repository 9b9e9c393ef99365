#include "app/ui/forecast_forms.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/settings_forms.h"
#include "core/cost.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/qt_text.h"

namespace tessaline {

namespace {
// Windows colour value 0xFFFF00 (blue high): cyan.
const QColor kAdmitted(0x00, 0xFF, 0xFF);
constexpr int kCellW = 26;
constexpr int kCellH = 36;

void PlainGrid(QTableWidget* g, int rows, int cols) {
    g->setRowCount(rows);
    g->setColumnCount(cols);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < rows; ++r) {
        g->setRowHeight(r, kCellH);
    }
}
} // namespace

TFormAccoppiate::TFormAccoppiate(const PairTable& table, const std::array<std::string, kTeams>& teams,
                                 QWidget* parent)
    : QDialog(parent), copy_(table) {
    setObjectName(QStringLiteral("FormAccoppiate"));
    setWindowTitle(QStringLiteral("Pronostico per Accoppiate"));
    auto* lay = new QVBoxLayout(this);
    auto* grids = new QHBoxLayout;
    grids->setSpacing(2);
    GridNum = new QTableWidget(this);
    PlainGrid(GridNum, kMatches, 1);
    GridNum->setColumnWidth(0, 24);
    Gridsq = new QTableWidget(this);
    PlainGrid(Gridsq, kMatches, 1);
    Gridsq->setColumnWidth(0, 110);
    Grid = new QTableWidget(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    PlainGrid(Grid, kMatches, 16);
    for (int c = 0; c < 16; ++c) {
        Grid->setColumnWidth(c, kCellW);
    }
    QFont bold = Grid->font();
    bold.setBold(true);
    for (int m = 0; m < kMatches; ++m) {
        auto* num = new QTableWidgetItem(QString::number(m + 1));
        num->setTextAlignment(Qt::AlignCenter);
        GridNum->setItem(m, 0, num);
        auto* sq = new QTableWidgetItem(Q(teams[static_cast<std::size_t>(2 * m)]) + QLatin1Char('\n') +
                                        Q(teams[static_cast<std::size_t>(2 * m + 1)]));
        Gridsq->setItem(m, 0, sq);
        for (int p = 0; p < 16; ++p) {
            const auto [home, away] = PairSigns(p);
            auto* it = new QTableWidgetItem(Q(SignText(home)) + QLatin1Char('\n') + Q(SignText(away)));
            it->setTextAlignment(Qt::AlignCenter);
            it->setFont(bold);
            Grid->setItem(m, p, it);
        }
    }
    const int h = kMatches * kCellH + 2 * Grid->frameWidth();
    for (QTableWidget* g : {GridNum, Gridsq, Grid}) {
        int w = 2 * g->frameWidth();
        for (int c = 0; c < g->columnCount(); ++c) {
            w += g->columnWidth(c);
        }
        g->setFixedSize(w, h);
    }
    grids->addWidget(GridNum);
    grids->addWidget(Gridsq);
    grids->addWidget(Grid);
    lay->addLayout(grids);
    connect(Grid, &QTableWidget::cellClicked, this, [this](int r, int c) { Toggle(r, c); });

    auto* row = new QHBoxLayout;
    auto* tutte = new QPushButton(QStringLiteral("&Tutte"), this);
    auto* azzera = new QPushButton(QStringLiteral("Azzera"), this);
    LabelColonne = new QLabel(this);
    row->addWidget(tutte);
    row->addWidget(azzera);
    row->addSpacing(12);
    row->addWidget(LabelColonne, 1);
    lay->addLayout(row);
    connect(tutte, &QPushButton::clicked, this, &TFormAccoppiate::TutteClick);
    connect(azzera, &QPushButton::clicked, this, &TFormAccoppiate::AzzeraClick);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
    Aggiorna();
}

void TFormAccoppiate::Aggiorna() {
    for (int m = 0; m < kMatches; ++m) {
        for (int p = 0; p < 16; ++p) {
            const bool on = copy_.p[static_cast<std::size_t>(m)][static_cast<std::size_t>(p)] != 0;
            Grid->item(m, p)->setBackground(on ? kAdmitted : QColor(Qt::white));
            Grid->item(m, p)->setForeground(QColor(Qt::black));
        }
    }
    LabelColonne->setText(QStringLiteral("Colonne : %1").arg(Q(FormatCount(PairColumnsCovered(copy_)))));
    if (ricalcolo) {
        ricalcolo(copy_);
    }
}

void TFormAccoppiate::Toggle(int match, int pair) {
    auto& cell = copy_.p[static_cast<std::size_t>(match)][static_cast<std::size_t>(pair)];
    cell = cell != 0 ? 0 : 1;
    Aggiorna();
}

void TFormAccoppiate::TutteClick() {
    for (auto& m : copy_.p) {
        m.fill(1);
    }
    Aggiorna();
}

void TFormAccoppiate::AzzeraClick() {
    copy_ = PairTable{};
    Aggiorna();
}

// ---- TFormPartiteIntegrali

TFormPartiteIntegrali::TFormPartiteIntegrali(T_Sistema& sys, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt) {
    const TDatiSistema& doc = sys.dati;
    setObjectName(QStringLiteral("FormPartiteIntegrali"));
    setWindowTitle(QStringLiteral("Squadre a Sviluppo Integrale"));
    auto* lay = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* area = new QWidget(this);
    Pannello = new TPannelloSc(area);
    Pannello->LNum = 30;
    Pannello->LSquadra = 55;
    Pannello->LPro = 32;
    Pannello->ARighe = 17;
    Pannello->SetSquadre(doc.teamNames);
    Pannello->SetPronostico(doc.Forecast);
    Pannello->resize(Pannello->sizeHint());
    Pannello->move(0, 20);
    auto* head = new QLabel(QStringLiteral("Segni Base"), area);
    head->setGeometry(Pannello->width() + 6, 0, 90, 18);
    for (int t = 0; t < kTeams; ++t) {
        auto* e = new TEditSegno(area);
        e->setObjectName(QStringLiteral("Base%1").arg(t + 1));
        e->setMaxLength(1);
        e->setGeometry(Pannello->width() + 10, 20 + Pannello->RowTop(t), 30, Pannello->ARighe);
        const SignSet base = doc.sviluppo.IntegralBases[static_cast<std::size_t>(t)];
        const SignSet from = base != 0 ? base : doc.Forecast[t];
        e->setText(Q(SignText(from)).left(1));
        e->onPrevious = [this, t] {
            for (int i = t - 1; i >= 0; --i) {
                if (Base(i)->isVisible()) {
                    Base(i)->setFocus();
                    return;
                }
            }
        };
        e->onNext = [this, t] {
            for (int i = t + 1; i < kTeams; ++i) {
                if (Base(i)->isVisible()) {
                    Base(i)->setFocus();
                    return;
                }
            }
        };
        // A letter that is not among the team's forecast signs is wiped at once.
        connect(e, &QLineEdit::textEdited, this, [this, e, t](const QString& text) {
            if (!text.isEmpty() && (ParseSigns(S(text)) & sys_.dati.Forecast[t]) == 0) {
                e->clear();
            }
        });
        basi_[static_cast<std::size_t>(t)] = e;
        Pannello->SetSelezionata(t, base != 0);
    }
    area->setFixedSize(Pannello->width() + 96, 20 + Pannello->height());
    top->addWidget(area);
    lay->addLayout(top);
    LabelPS = new QLabel(this);
    LabelPS->setObjectName(QStringLiteral("LabelPS"));
    lay->addWidget(LabelPS);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
    connect(Pannello, &TPannelloSc::Modificato, this, &TFormPartiteIntegrali::Aggiorna);
    Aggiorna();
}

void TFormPartiteIntegrali::Aggiorna() {
    int n = 0;
    for (int t = 0; t < kTeams; ++t) {
        const bool on = Pannello->Selezionata(t);
        Base(t)->setVisible(on);
        n += on ? 1 : 0;
    }
    LabelPS->setText(QStringLiteral("Squadre integrali selezionate : %1").arg(n));
}

void TFormPartiteIntegrali::accept() {
    for (int t = 0; t < kTeams; ++t) {
        if (Pannello->Selezionata(t) && Base(t)->text().isEmpty()) {
            prompt_.ShowMessage(msg::kInformazione,
                                "E' necessario inserire un segno base per ogni partita integrale.", BtnOk);
            Base(t)->setFocus();
            return;
        }
    }
    for (int t = 0; t < kTeams; ++t) {
        sys_.dati.sviluppo.IntegralBases[static_cast<std::size_t>(t)] =
            Pannello->Selezionata(t) ? ParseSigns(S(Base(t)->text())) : 0;
    }
    QDialog::accept();
}

} // namespace tessaline
