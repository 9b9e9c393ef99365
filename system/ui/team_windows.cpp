#include "system/ui/team_windows.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <filesystem>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

const QColor kSulCoupon(0xff, 0xff, 0x00);
const QString kSlotStyle = QStringLiteral("QLineEdit { background: #3070d0; color: white; }");

} // namespace

std::array<QPushButton*, kLeghe> BottoniLeghe(QWidget* parent, QLayout* layout) {
    std::array<QPushButton*, kLeghe> b{};
    for (TLega lega : kTutteLeLeghe) {
        auto* p = new QPushButton(QLatin1String(NomeLega(lega)), parent);
        p->setObjectName(QStringLiteral("Lega") + QLatin1String(NomeLega(lega)));
        p->setCheckable(true);
        p->setAutoExclusive(true);
        p->setFixedWidth(44);
        layout->addWidget(p);
        b[static_cast<std::size_t>(lega)] = p;
    }
    b[0]->setChecked(true);
    return b;
}

void CaricaListe(TListeSquadre& liste) {
    for (TLega lega : kTutteLeLeghe) {
        TListaSquadre& l = liste.Lista(lega);
        l.Svuota();
        std::error_code ec;
        if (!std::filesystem::exists(FileLega(lega), ec)) {
            continue; // a league nobody has listed yet
        }
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(FileLega(lega), bytes, std::size_t{16} << 20)) {
            throw EInOutError(MessaggioCaricaLista(lega));
        }
        l.DaTesto(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
}

// ---- Editazione Squadra

TFormEditSquadra::TFormEditSquadra(const QString& name, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt) {
    setObjectName(QStringLiteral("FormEditSquadra"));
    setWindowTitle(QStringLiteral("Editazione Squadra"));
    EditNome = new QLineEdit(name, this);
    EditNome->setObjectName(QStringLiteral("EditNome"));
    EditNome->setMinimumWidth(220);
    auto* label = new QLabel(QStringLiteral("Nome della Squadra"), this);
    label->setBuddy(EditNome);
    auto* box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(label);
    lay->addWidget(EditNome);
    lay->addWidget(box);
}

void TFormEditSquadra::accept() {
    if (const auto error = ValidaNomeSquadra(S(EditNome->text()))) {
        prompt_.ShowMessage(msg::kInformazione, *error, BtnOk);
        EditNome->setFocus();
        return;
    }
    QDialog::accept();
}

// ---- Lista Squadre

TFormListaSquadre::TFormListaSquadre(UserPrompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
    setObjectName(QStringLiteral("FormListaSquadre"));
    setWindowTitle(QStringLiteral("Lista Squadre"));
    CaricaListe(liste_);

    auto* leghe = new QHBoxLayout;
    leghe->addWidget(new QLabel(QStringLiteral("Serie :"), this));
    Leghe = BottoniLeghe(this, leghe);
    leghe->addStretch(1);
    for (TLega lega : kTutteLeLeghe) {
        connect(Leghe[static_cast<std::size_t>(lega)], &QPushButton::clicked, this,
                [this, lega] { ScegliLega(lega); });
    }
    ListBoxSquadre = new QListWidget(this);
    ListBoxSquadre->setObjectName(QStringLiteral("ListBoxSquadre"));
    ListBoxSquadre->setMinimumSize(220, 260);
    BtnAggiungi = new QPushButton(QStringLiteral(" Aggiungi"), this);
    BtnModifica = new QPushButton(QStringLiteral(" Modifica"), this);
    BtnCancella = new QPushButton(QStringLiteral(" Cancella"), this);
    connect(BtnAggiungi, &QPushButton::clicked, this, &TFormListaSquadre::AggiungiClick);
    connect(BtnModifica, &QPushButton::clicked, this, &TFormListaSquadre::ModificaClick);
    connect(BtnCancella, &QPushButton::clicked, this, &TFormListaSquadre::CancellaClick);
    connect(ListBoxSquadre, &QListWidget::itemDoubleClicked, this, &TFormListaSquadre::ModificaClick);
    auto* side = new QVBoxLayout;
    side->addWidget(BtnAggiungi);
    side->addWidget(BtnModifica);
    side->addWidget(BtnCancella);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(ListBoxSquadre, 1);
    middle->addLayout(side);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(leghe);
    lay->addLayout(middle);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));

    editaNome = [this](const QString& name) -> std::optional<QString> {
        TFormEditSquadra dlg(name, prompt_, this);
        if (dlg.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dlg.EditNome->text();
    };
    Riempi(-1);
}

void TFormListaSquadre::ScegliLega(TLega lega) {
    lega_ = lega;
    Leghe[static_cast<std::size_t>(lega)]->setChecked(true);
    Riempi(-1);
}

void TFormListaSquadre::Riempi(int select) {
    ListBoxSquadre->clear();
    for (const std::string& n : liste_.Lista(lega_).Nomi()) {
        ListBoxSquadre->addItem(Q(n));
    }
    if (select >= 0 && select < ListBoxSquadre->count()) {
        ListBoxSquadre->setCurrentRow(select);
    }
}

void TFormListaSquadre::AggiungiClick() {
    const auto name = editaNome(QString());
    if (!name) {
        return;
    }
    Riempi(static_cast<int>(liste_.Lista(lega_).Aggiungi(S(name->trimmed()))));
}

void TFormListaSquadre::ModificaClick() {
    const int row = ListBoxSquadre->currentRow();
    if (row < 0) {
        return;
    }
    const auto name = editaNome(ListBoxSquadre->item(row)->text());
    if (!name) {
        return;
    }
    Riempi(static_cast<int>(liste_.Lista(lega_).Modifica(static_cast<std::size_t>(row), S(name->trimmed()))));
}

void TFormListaSquadre::CancellaClick() {
    const int row = ListBoxSquadre->currentRow();
    if (row < 0) {
        return;
    }
    liste_.Lista(lega_).Cancella(static_cast<std::size_t>(row));
    Riempi(std::min(row, static_cast<int>(liste_.Lista(lega_).Size()) - 1));
}

void TFormListaSquadre::accept() {
    liste_.Salva(); // a failure raises and the window stays open
    QDialog::accept();
}

void TFormListaSquadre::reject() {
    QDialog::reject();
    CaricaListe(liste_);
}

// ---- Selezione Partite

namespace {

// Moves the window next to avoid (global coordinates), on the right when it fits on the screen, else
// on the left, else against the screen edge on the roomier side (covering as little of avoid as the
// screen allows); vertically level with avoid as far as the screen lets.
void PlaceBeside(QWidget* w, const QRect& avoid) {
    w->adjustSize();
    const QSize size = w->size();
    const QScreen* screen = QGuiApplication::screenAt(avoid.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    constexpr int kGap = 8;
    int x = avoid.right() + 1 + kGap;
    if (x + size.width() > area.right() + 1) {
        x = avoid.left() - kGap - size.width();
    }
    if (x < area.left()) {
        const bool rightRoomier = area.right() - avoid.right() >= avoid.left() - area.left();
        x = rightRoomier ? area.right() + 1 - size.width() : area.left();
    }
    const int y =
        std::clamp(avoid.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    w->move(x, y);
}

} // namespace

TFormSelezioneSquadre::TFormSelezioneSquadre(T_Sistema& sys, const TListeSquadre& liste, TEditPartite* teams,
                                             QWidget* parent)
    : QDialog(parent), sys_(sys), liste_(liste), teams_(teams), model_(sys) {
    setObjectName(QStringLiteral("FormSelezioneSquadre"));
    setWindowTitle(QStringLiteral("Selezione Partite"));
    auto* leghe = new QHBoxLayout;
    leghe->addWidget(new QLabel(QStringLiteral("Serie :"), this));
    Leghe = BottoniLeghe(this, leghe);
    leghe->addStretch(1);
    for (TLega lega : kTutteLeLeghe) {
        connect(Leghe[static_cast<std::size_t>(lega)], &QPushButton::clicked, this,
                [this, lega] { ScegliLega(lega); });
    }
    Grid = new QTableWidget(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setColumnCount(2);
    Grid->horizontalHeader()->hide();
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->setMinimumSize(300, 10 * 22 + 4); // the ten rows at a glance
    connect(Grid, &QTableWidget::cellClicked, this, &TFormSelezioneSquadre::CellaClick);
    BtnSu = new QPushButton(QString::fromUtf8("\u25b2"), this);
    BtnGiu = new QPushButton(QString::fromUtf8("\u25bc"), this);
    BtnSu->setToolTip(QStringLiteral("Squadra precedente"));
    BtnGiu->setToolTip(QStringLiteral("Squadra successiva"));
    BtnEsci = new QPushButton(QStringLiteral("Esci"), this);
    connect(BtnSu, &QPushButton::clicked, this, &TFormSelezioneSquadre::SuClick);
    connect(BtnGiu, &QPushButton::clicked, this, &TFormSelezioneSquadre::GiuClick);
    connect(BtnEsci, &QPushButton::clicked, this, &QDialog::accept);
    auto* side = new QVBoxLayout;
    side->addWidget(BtnSu);
    side->addWidget(BtnGiu);
    side->addStretch(1);
    side->addWidget(BtnEsci);
    auto* middle = new QHBoxLayout;
    middle->addWidget(Grid, 1);
    middle->addLayout(side);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(leghe);
    lay->addLayout(middle);
    if (teams_ != nullptr) {
        for (int t = 0; t < kTeams; ++t) {
            teams_->Field(t)->setReadOnly(true);
        }
    }
    Riempi();
    MostraSlot();
    // Open beside the team names being filled, never over them.
    if (teams_ != nullptr && teams_->isVisible()) {
        QRect names;
        for (int t = 0; t < kTeams; ++t) {
            const QLineEdit* f = teams_->Field(t);
            names |= QRect(f->mapToGlobal(QPoint(0, 0)), f->size());
        }
        PlaceBeside(this, names);
    }
}

TFormSelezioneSquadre::~TFormSelezioneSquadre() {
    if (teams_ != nullptr) {
        for (int t = 0; t < kTeams; ++t) {
            teams_->Field(t)->setReadOnly(false);
            teams_->Field(t)->setStyleSheet(QString());
        }
    }
}

void TFormSelezioneSquadre::ScegliLega(TLega lega) {
    lega_ = lega;
    Leghe[static_cast<std::size_t>(lega)]->setChecked(true);
    Riempi();
}

void TFormSelezioneSquadre::Riempi() {
    const auto& nomi = liste_.Lista(lega_).Nomi();
    Grid->clearContents();
    Grid->setRowCount(TSelezioneSquadre::Righe(nomi.size()));
    for (int r = 0; r < Grid->rowCount(); ++r) {
        for (int c = 0; c < 2; ++c) {
            Grid->setItem(r, c, new QTableWidgetItem);
        }
    }
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        QTableWidgetItem* item = Grid->item(static_cast<int>(i / 2), static_cast<int>(i % 2));
        item->setText(Q(nomi[i]));
        if (model_.SulCoupon(nomi[i])) {
            item->setBackground(kSulCoupon);
        }
    }
}

void TFormSelezioneSquadre::MostraSlot() {
    if (teams_ == nullptr) {
        return;
    }
    for (int t = 0; t < kTeams; ++t) {
        teams_->Field(t)->setStyleSheet(t == model_.Slot() ? kSlotStyle : QString());
    }
}

void TFormSelezioneSquadre::CellaClick(int row, int column) {
    QTableWidgetItem* item = Grid->item(row, column);
    if (item == nullptr || item->text().isEmpty()) {
        return;
    }
    const int slot = model_.Slot();
    model_.Scegli(S(item->text()));
    if (teams_ != nullptr) {
        teams_->Field(slot)->setText(Q(sys_.dati.teamNames[static_cast<std::size_t>(slot)]));
    }
    Riempi(); // the name put in and the one it replaced change their marks
    MostraSlot();
}

void TFormSelezioneSquadre::SuClick() {
    model_.Su();
    MostraSlot();
}

void TFormSelezioneSquadre::GiuClick() {
    model_.Giu();
    MostraSlot();
}

} // namespace tessaline
