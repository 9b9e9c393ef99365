#include "archive/ui/archive_windows.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "archive/archive_csv.h"
#include "archive/contest_archive.h"
#include "conditions/archive_measures.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr const char* kColonnaNonValida = "La Colonna Vincente Non è Valida.";
constexpr const char* kEliminaConcorso = "Vuoi Eliminare Il Concorso In Esame ?";
constexpr const char* kImpossibileAnnullare = "Impossibile Annullare Le Modifiche.";

T_IntervalloConcorsi& Intervallo(TAppContext& app) {
    return app.Sistema().dati.settings.ricerca.Intervallo;
}

QPushButton* Bottone(const QString& text, const QString& name, const QString& tip, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

} // namespace

// ---- Aggiornamento Archivio

TFormEditconcprec::TFormEditconcprec(TAppContext& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName(QStringLiteral("FormEditconcprec"));
    setWindowTitle(QStringLiteral("Aggiornamento Archivio"));

    Primo = Bottone(QStringLiteral("|<"), QStringLiteral("Primo"), QStringLiteral("Primo concorso"), this);
    Precedente = Bottone(QStringLiteral("<"), QStringLiteral("Precedente"),
                         QStringLiteral("Concorso precedente"), this);
    Successivo = Bottone(QStringLiteral(">"), QStringLiteral("Successivo"),
                         QStringLiteral("Concorso successivo"), this);
    Ultimo = Bottone(QStringLiteral(">|"), QStringLiteral("Ultimo"), QStringLiteral("Ultimo concorso"), this);
    Aggiungi = Bottone(QStringLiteral("Aggiungi"), QStringLiteral("Aggiungi"),
                       QStringLiteral("Aggiunge un concorso in fondo all'archivio"), this);
    Elimina = Bottone(QStringLiteral("Elimina"), QStringLiteral("Elimina"),
                      QString::fromUtf8("Elimina il concorso in esame"), this);
    for (QPushButton* b : {Primo, Precedente, Successivo, Ultimo}) {
        b->setFixedWidth(
            std::max(b->sizeHint().height() + 8, b->fontMetrics().horizontalAdvance(b->text()) + 16));
    }
    auto* nav = new QHBoxLayout;
    nav->setSpacing(2);
    for (QPushButton* b : {Primo, Precedente, Successivo, Ultimo}) {
        nav->addWidget(b);
    }
    nav->addSpacing(12);
    nav->addWidget(Aggiungi);
    nav->addWidget(Elimina);
    nav->addStretch(1);

    auto* tipo = new QGroupBox(QStringLiteral("Tipo"), this);
    CheckCalcio = new QRadioButton(QStringLiteral("Calcio"), tipo);
    CheckCalcio->setObjectName(QStringLiteral("CheckCalcio"));
    CheckBasket = new QRadioButton(QStringLiteral("Basket"), tipo);
    CheckBasket->setObjectName(QStringLiteral("CheckBasket"));
    CheckCalcio->setChecked(true);
    auto* tipoLay = new QVBoxLayout(tipo);
    tipoLay->addWidget(CheckCalcio);
    tipoLay->addWidget(CheckBasket);

    AnnoInf = new QLineEdit(this);
    AnnoInf->setObjectName(QStringLiteral("AnnoInf"));
    AnnoInf->setReadOnly(true);
    AnnoInf->setFocusPolicy(Qt::NoFocus);
    AnnoInf->setAlignment(Qt::AlignRight);
    AnnoInf->setFixedWidth(AnnoInf->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    Annosup = new QSpinBox(this);
    Annosup->setObjectName(QStringLiteral("Annosup"));
    Annosup->setRange(1900, 2099);
    Concorso = new QSpinBox(this);
    Concorso->setObjectName(QStringLiteral("Concorso"));
    Concorso->setRange(1, 99);
    auto* stagione = new QLabel(QStringLiteral("Stagione"), this);
    stagione->setBuddy(Annosup);
    auto* numero = new QLabel(QString::fromUtf8("Concorso Nº"), this);
    numero->setBuddy(Concorso);
    auto* campi = new QGridLayout;
    campi->addWidget(stagione, 0, 0);
    auto* anni = new QHBoxLayout;
    anni->addWidget(AnnoInf);
    anni->addWidget(new QLabel(QStringLiteral("/"), this));
    anni->addWidget(Annosup);
    anni->addStretch(1);
    campi->addLayout(anni, 0, 1);
    campi->addWidget(numero, 1, 0);
    auto* numLay = new QHBoxLayout;
    numLay->addWidget(Concorso);
    numLay->addStretch(1);
    campi->addLayout(numLay, 1, 1);

    auto* colonna = new QGroupBox(QStringLiteral("Colonna Vincente"), this);
    ColonnaVincente = new QLineEdit(colonna);
    ColonnaVincente->setObjectName(QStringLiteral("ColonnaVincente"));
    ColonnaVincente->setMaxLength(2 * kTeams - 1); // twelve signs, blanks between them allowed
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(std::max(mono.pointSize(), font().pointSize() + 2));
    ColonnaVincente->setFont(mono);
    ColonnaVincente->setMinimumWidth(
        QFontMetrics(mono).horizontalAdvance(QString(kTeams + 2, QLatin1Char('M'))) + 12);
    ColonnaVincente->setToolTip(QStringLiteral("Dodici segni fra 0, 1, 2 e M; * per un risultato non noto"));
    auto* colLay = new QVBoxLayout(colonna);
    colLay->addWidget(ColonnaVincente);

    auto* mid = new QHBoxLayout;
    mid->addWidget(tipo);
    mid->addSpacing(8);
    mid->addLayout(campi, 1);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(nav);
    lay->addLayout(mid);
    lay->addWidget(colonna);
    lay->addStretch(1);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));

    connect(Primo, &QPushButton::clicked, this, &TFormEditconcprec::PrimoClick);
    connect(Precedente, &QPushButton::clicked, this, &TFormEditconcprec::PrecedenteClick);
    connect(Successivo, &QPushButton::clicked, this, &TFormEditconcprec::SuccessivoClick);
    connect(Ultimo, &QPushButton::clicked, this, &TFormEditconcprec::UltimoClick);
    connect(Aggiungi, &QPushButton::clicked, this, &TFormEditconcprec::AggiungiClick);
    connect(Elimina, &QPushButton::clicked, this, &TFormEditconcprec::EliminaClick);
    connect(Annosup, &QSpinBox::valueChanged, this, [this](int v) {
        AnnoInf->setText(v > 0 ? QString::number(v - 1) : QString());
        Cambiato();
    });
    connect(Concorso, &QSpinBox::valueChanged, this, [this] { Cambiato(); });
    connect(CheckCalcio, &QRadioButton::toggled, this, [this] { Cambiato(); });
    connect(ColonnaVincente, &QLineEdit::textChanged, this, [this](const QString& t) {
        const QString up = t.toUpper();
        if (up != t) {
            const int cursor = ColonnaVincente->cursorPosition();
            ColonnaVincente->setText(up);
            ColonnaVincente->setCursorPosition(cursor);
            return;
        }
        Cambiato();
    });
    pos_ = app_.Archivio().Count() == 0 ? 0 : app_.Archivio().Count() - 1;
    Mostra();
}

void TFormEditconcprec::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        // Each opening starts on the last contest with nothing changed.
        if (app_.Archivio().Count() == 0) {
            app_.Archivio().Concorsi().push_back(T_Concorso::Nuovo());
        }
        pos_ = app_.Archivio().Count() - 1;
        Mostra();
        modificato_ = false;
    }
}

void TFormEditconcprec::Cambiato() {
    if (!mostrando_) {
        modificato_ = true;
    }
}

void TFormEditconcprec::Mostra() {
    auto& list = app_.Archivio().Concorsi();
    if (list.empty()) {
        return;
    }
    pos_ = std::min(pos_, list.size() - 1);
    const T_Concorso& c = list[pos_];
    mostrando_ = true;
    CheckCalcio->setChecked(c.Tipo == 1);
    CheckBasket->setChecked(c.Tipo != 1);
    Annosup->setValue(c.Anno + 1);
    AnnoInf->setText(QString::number(c.Anno));
    Concorso->setValue(c.Numero);
    const std::string text = TestoColonnaVincente(c.ColonnaVincente);
    ColonnaVincente->setText(text == std::string(kTeams, '*') ? QString() : Q(text));
    mostrando_ = false;
}

bool TFormEditconcprec::ControllaconcorsoInEsame() {
    auto& list = app_.Archivio().Concorsi();
    if (list.empty()) {
        return true;
    }
    Colonna colonna;
    QString text = ColonnaVincente->text();
    text.remove(QLatin1Char(' '));
    // The field shows a column of twelve unknown signs as empty, so an empty field reads back as one.
    if (!LeggiColonnaVincente(text.isEmpty() ? std::string(kTeams, '*') : S(text), colonna)) {
        app_.Prompt().ShowMessage(msg::kInformazione, kColonnaNonValida, BtnOk);
        ColonnaVincente->setFocus();
        return false;
    }
    T_Concorso& c = list[pos_];
    bool ok = false;
    const int anno = AnnoInf->text().remove(QLatin1Char(' ')).toInt(&ok);
    const std::int32_t nuovoAnno = ok ? anno : c.Anno;
    const auto nuovoNumero = static_cast<std::uint8_t>(Concorso->value());
    const bool spostato = nuovoAnno != c.Anno || nuovoNumero != c.Numero;
    c.Anno = nuovoAnno;
    c.Numero = nuovoNumero;
    c.ColonnaVincente = colonna;
    c.AggiornaCompleto();
    c.Tipo = CheckCalcio->isChecked() ? 1 : 2;
    // A contest out of its place (a duplicate kept after "No", a file written elsewhere) is placed
    // again too, so that the question comes back before anything is saved.
    const bool fuoriPosto =
        (pos_ > 0 && !list[pos_ - 1].Precede(c)) || (pos_ + 1 < list.size() && !c.Precede(list[pos_ + 1]));
    if (spostato || fuoriPosto) {
        const bool result = app_.Archivio().Riordina(pos_, app_.Prompt(), &pos_);
        if (result) {
            modificato_ = true;
        }
        return result;
    }
    return true;
}

void TFormEditconcprec::Vai(std::size_t pos) {
    if (!ControllaconcorsoInEsame()) {
        return;
    }
    pos_ = pos;
    Mostra();
}

void TFormEditconcprec::PrecedenteClick() {
    if (!ControllaconcorsoInEsame()) {
        return;
    }
    pos_ = pos_ > 0 ? pos_ - 1 : 0;
    Mostra();
}

void TFormEditconcprec::SuccessivoClick() {
    if (!ControllaconcorsoInEsame()) {
        return;
    }
    pos_ = std::min(pos_ + 1, app_.Archivio().Count() - 1);
    Mostra();
}

void TFormEditconcprec::PrimoClick() {
    Vai(0);
}

void TFormEditconcprec::UltimoClick() {
    Vai(app_.Archivio().Count() - 1);
}

void TFormEditconcprec::AggiungiClick() {
    if (!ControllaconcorsoInEsame()) {
        return;
    }
    auto& list = app_.Archivio().Concorsi();
    T_Concorso c = T_Concorso::Nuovo();
    if (!list.empty()) {
        c.Anno = list.back().Anno;
        c.Numero = static_cast<std::uint8_t>(list.back().Numero + 1);
    }
    list.push_back(c);
    pos_ = list.size() - 1;
    Mostra();
    modificato_ = true;
}

void TFormEditconcprec::EliminaClick() {
    if (app_.Prompt().ShowMessage(msg::kConferma, kEliminaConcorso, BtnSi | BtnNo) != BtnSi) {
        return;
    }
    auto& list = app_.Archivio().Concorsi();
    if (pos_ < list.size()) {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(pos_));
    }
    if (list.empty()) {
        list.push_back(T_Concorso::Nuovo());
        pos_ = 0;
    }
    pos_ = std::min(pos_, list.size() - 1);
    modificato_ = true;
    Mostra();
}

void TFormEditconcprec::accept() {
    if (!ControllaconcorsoInEsame()) {
        return;
    }
    if (modificato_) {
        try {
            app_.Archivio().IntervalloCompleto(Intervallo(app_));
            app_.Archivio().Salva();
        } catch (const std::exception& e) {
            app_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
            return;
        }
    }
    app_.AggiornaAbilitazioni();
    QDialog::accept();
}

void TFormEditconcprec::done(int r) {
    if (modificato_) {
        // Read into a spare archive first: when the file cannot be read, the list in memory stays as
        // it is (never empty) and the user is told.
        T_Archivio letto;
        T_IntervalloConcorsi range = Intervallo(app_);
        try {
            letto.Carica(range);
            app_.Archivio() = std::move(letto);
            Intervallo(app_) = range;
        } catch (const std::exception&) {
            app_.Prompt().ShowMessage(msg::kInformazione, kImpossibileAnnullare, BtnOk);
        }
        modificato_ = false;
        app_.AggiornaAbilitazioni();
    }
    QDialog::done(r);
}

// ---- Visualizzazione Archivio

namespace {

constexpr int kFisse = 4;

QTableWidgetItem* Cella(const QString& text, bool titolo = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignCenter);
    if (titolo) {
        item->setBackground(QPalette().button());
    }
    return item;
}

void Griglia(QTableWidget* g) {
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setFrameShape(QFrame::NoFrame);
    g->horizontalHeader()->setMinimumSectionSize(8);
}

} // namespace

TFormvisArchivio::TFormvisArchivio(TAppContext& app, QWidget* parent)
    : QDialog(parent), app_(app), misure_(std::make_unique<TMisureArchivio>()) {
    setObjectName(QStringLiteral("FormvisArchivio"));
    setWindowTitle(QStringLiteral("Visualizzazione Archivio"));
    GridInt = new QTableWidget(2, 0, this);
    GridInt->setObjectName(QStringLiteral("GridInt"));
    GridNum = new QTableWidget(kRighe + 1, 0, this);
    GridNum->setObjectName(QStringLiteral("GridNum"));
    Griglia(GridInt);
    Griglia(GridNum);
    SBar = new QScrollBar(Qt::Vertical, this);
    SBar->setObjectName(QStringLiteral("SBar"));
    SBarOriz = new QScrollBar(Qt::Horizontal, this);
    SBarOriz->setObjectName(QStringLiteral("SBarOriz"));

    auto* caselle = new QGroupBox(QStringLiteral("Condizioni da Visualizzare"), this);
    auto* casLay = new QGridLayout(caselle);
    casLay->setVerticalSpacing(2);
    const auto& gruppi = TMisureArchivio::Gruppi();
    for (std::size_t g = 0; g < gruppi.size(); ++g) {
        auto* c = new QCheckBox(Q(gruppi[g].Casella), caselle);
        c->setObjectName(Q(gruppi[g].NomeCasella));
        c->setChecked(gruppi[g].Predefinito);
        casLay->addWidget(c, static_cast<int>(g % 3), static_cast<int>(g / 3));
        connect(c, &QCheckBox::toggled, this, [this] { AggiornaColonne(); });
        Caselle.push_back(c);
    }

    BtnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    BtnStampa->setObjectName(QStringLiteral("BtnStampa"));
    BtnStampa->setAutoDefault(false);
    BtnStampa->hide();
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    BtnChiudi->setObjectName(QStringLiteral("BtnChiudi"));
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    aiuto->setObjectName(QStringLiteral("BtnAiuto"));
    aiuto->setAutoDefault(false);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnStampa, &QPushButton::clicked, this, [this] {
        if (stampa) {
            stampa();
        }
    });
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });

    Intestazioni();

    auto* griglie = new QGridLayout;
    griglie->setSpacing(0);
    griglie->addWidget(GridInt, 0, 0);
    griglie->addWidget(GridNum, 1, 0);
    griglie->addWidget(SBar, 1, 1);
    griglie->addWidget(SBarOriz, 2, 0);
    auto* bottoni = new QVBoxLayout;
    bottoni->addWidget(BtnStampa);
    bottoni->addWidget(BtnChiudi);
    bottoni->addWidget(aiuto);
    bottoni->addStretch(1);
    auto* basso = new QHBoxLayout;
    basso->addWidget(caselle, 1);
    basso->addLayout(bottoni);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(griglie, 1);
    lay->addLayout(basso);

    connect(SBar, &QScrollBar::valueChanged, this, [this] { Ridisegna(); });
    connect(SBarOriz, &QScrollBar::valueChanged, this, [this] { AggiornaColonne(); });
    AggiornaColonne();
    // Opens wide enough for the first groups (the toolkit would cap a window at two thirds of the
    // screen).
    resize(sizeHint());
}

TFormvisArchivio::~TFormvisArchivio() = default;

void TFormvisArchivio::ImpostaStampa(std::function<void()> f) {
    stampa = std::move(f);
    BtnStampa->setVisible(static_cast<bool>(stampa));
}

int TFormvisArchivio::ColonnaGriglia(std::size_t g, std::size_t k) const {
    return primaColonna_[g] + static_cast<int>(k);
}

void TFormvisArchivio::Intestazioni() {
    const auto& gruppi = TMisureArchivio::Gruppi();
    int colonne = kFisse;
    primaColonna_.clear();
    for (const TGruppoMisure& g : gruppi) {
        primaColonna_.push_back(colonne);
        colonne += static_cast<int>(g.Intestazioni.size());
    }
    GridInt->setColumnCount(colonne);
    GridNum->setColumnCount(colonne);
    const QFontMetrics fm(GridNum->font());
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(GridNum->font().pointSize());
    const int pad = 10;
    const QStringList fisse = {QStringLiteral("Anno"), QStringLiteral("Num."), QStringLiteral("Tipo"),
                               QStringLiteral("Colonna")};
    const int larghezze[] = {fm.horizontalAdvance(QStringLiteral("00000")),
                             fm.horizontalAdvance(QStringLiteral("Num.")),
                             fm.horizontalAdvance(QStringLiteral("Basket")),
                             QFontMetrics(mono).horizontalAdvance(QString(kTeams, QLatin1Char('M')))};
    for (int c = 0; c < kFisse; ++c) {
        GridNum->setItem(0, c, Cella(fisse[c], true));
        GridNum->setColumnWidth(c, larghezze[c] + pad);
        GridInt->setColumnWidth(c, larghezze[c] + pad);
    }
    GridInt->setSpan(0, 0, 2, kFisse);
    // Above the fixed columns the title grid is blank, in the window's colour.
    QPalette p = GridInt->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    GridInt->setPalette(p);
    GridInt->setShowGrid(false);
    GridInt->setStyleSheet(QStringLiteral("QTableWidget#GridInt::item { border-right: 1px solid %1; "
                                          "border-bottom: 1px solid %1; }")
                               .arg(p.color(QPalette::Mid).name()));
    for (std::size_t gi = 0; gi < gruppi.size(); ++gi) {
        const TGruppoMisure& g = gruppi[gi];
        const int first = primaColonna_[gi];
        const int n = static_cast<int>(g.Intestazioni.size());
        std::vector<int> w(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) {
            const QString h = Q(g.Intestazioni[static_cast<std::size_t>(k)]);
            GridNum->setItem(0, first + k, Cella(h, true));
            w[static_cast<std::size_t>(k)] =
                std::max(fm.horizontalAdvance(h), fm.horizontalAdvance(QStringLiteral("00"))) + pad;
        }
        // Columns widen evenly until every heading over them fits.
        auto fit = [&w](std::size_t from, std::size_t count, int need) {
            int have = 0;
            for (std::size_t k = from; k < from + count; ++k) {
                have += w[k];
            }
            for (std::size_t k = from; have < need; k = k + 1 < from + count ? k + 1 : from) {
                ++w[k];
                ++have;
            }
        };
        std::size_t at = 0;
        for (const TSottotitolo& sub : g.Sottotitoli) {
            fit(at, static_cast<std::size_t>(sub.Colonne), fm.horizontalAdvance(Q(sub.Testo)) + pad);
            at += static_cast<std::size_t>(sub.Colonne);
        }
        QFont boldFont = GridNum->font();
        boldFont.setBold(true);
        fit(0, w.size(), QFontMetrics(boldFont).horizontalAdvance(Q(g.Titolo)) + pad);
        for (int k = 0; k < n; ++k) {
            GridNum->setColumnWidth(first + k, w[static_cast<std::size_t>(k)]);
            GridInt->setColumnWidth(first + k, w[static_cast<std::size_t>(k)]);
        }
        if (n > 1) {
            GridInt->setSpan(0, first, g.Sottotitoli.empty() ? 2 : 1, n);
        } else if (g.Sottotitoli.empty()) {
            GridInt->setSpan(0, first, 2, 1);
        }
        auto* titolo = Cella(Q(g.Titolo), true);
        titolo->setToolTip(Q(g.Titolo));
        GridInt->setItem(0, first, titolo);
        int c = first;
        for (const TSottotitolo& s : g.Sottotitoli) {
            if (s.Colonne > 1) {
                GridInt->setSpan(1, c, 1, s.Colonne);
            }
            GridInt->setItem(1, c, Cella(Q(s.Testo), true));
            c += s.Colonne;
        }
    }
    QFont bold = GridNum->font();
    bold.setBold(true);
    for (int c = 0; c < colonne; ++c) {
        if (QTableWidgetItem* item = GridInt->item(0, c)) {
            item->setFont(bold);
        }
    }
    const int h = fm.height() + 6;
    for (int r = 0; r <= kRighe; ++r) {
        GridNum->setRowHeight(r, h);
    }
    GridInt->setRowHeight(0, h);
    GridInt->setRowHeight(1, h);
    GridNum->setFixedHeight(h * (kRighe + 1) + 2);
    GridInt->setFixedHeight(2 * h + 1);
    GridInt->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (int r = 1; r <= kRighe; ++r) {
        for (int c = 0; c < colonne; ++c) {
            GridNum->setItem(r, c, Cella(QString()));
        }
        GridNum->item(r, 3)->setFont(mono);
    }
    // The widths of the fixed columns and of the first groups make the natural width.
    int natural = 0;
    for (int c = 0; c < std::min(colonne, primaColonna_[kGruppoGolSquadra]); ++c) {
        natural += GridNum->columnWidth(c);
    }
    GridNum->setMinimumWidth(std::min(natural, 520));
    natural_ = natural;
}

void TFormvisArchivio::AggiornaColonne() {
    const auto& gruppi = TMisureArchivio::Gruppi();
    // The measure columns that are shown, in order; the horizontal bar skips the first ones.
    std::vector<int> visibili;
    for (std::size_t g = 0; g < gruppi.size(); ++g) {
        const bool on = Caselle[g]->isChecked();
        for (std::size_t k = 0; k < gruppi[g].Intestazioni.size(); ++k) {
            const int c = ColonnaGriglia(g, k);
            if (on) {
                visibili.push_back(c);
            } else {
                GridNum->setColumnHidden(c, true);
                GridInt->setColumnHidden(c, true);
            }
        }
    }
    int spazio = GridNum->viewport()->width();
    for (int c = 0; c < kFisse; ++c) {
        spazio -= GridNum->columnWidth(c);
    }
    // How many columns at the end fit together: the bar stops when the last column shows.
    int entrano = 0;
    for (auto it = visibili.rbegin(); it != visibili.rend() && spazio >= GridNum->columnWidth(*it); ++it) {
        spazio -= GridNum->columnWidth(*it);
        ++entrano;
    }
    const int massimo = std::max(0, static_cast<int>(visibili.size()) - entrano);
    const QSignalBlocker block(SBarOriz);
    SBarOriz->setRange(0, massimo);
    SBarOriz->setPageStep(std::max(1, entrano));
    const int primo = SBarOriz->value();
    for (std::size_t i = 0; i < visibili.size(); ++i) {
        const bool hidden = static_cast<int>(i) < primo;
        GridNum->setColumnHidden(visibili[i], hidden);
        GridInt->setColumnHidden(visibili[i], hidden);
    }
    Ridisegna();
}

void TFormvisArchivio::Ridisegna() {
    const auto& list = app_.Archivio().Concorsi();
    const int massimo = std::max(0, static_cast<int>(list.size()) - kRighe);
    {
        const QSignalBlocker block(SBar);
        SBar->setRange(0, massimo);
        SBar->setPageStep(kRighe);
    }
    const auto& gruppi = TMisureArchivio::Gruppi();
    const auto primo = static_cast<std::size_t>(SBar->value());
    for (int r = 1; r <= kRighe; ++r) {
        const std::size_t i = primo + static_cast<std::size_t>(r - 1);
        const bool c = i < list.size();
        GridNum->item(r, 0)->setText(c ? QString::number(list[i].Anno) : QString());
        GridNum->item(r, 1)->setText(c ? QString::number(list[i].Numero) : QString());
        GridNum->item(r, 2)->setText(c ? QLatin1String(TestoTipo(list[i].Tipo)) : QString());
        GridNum->item(r, 3)->setText(c ? Q(TestoColonnaVincente(list[i].ColonnaVincente)) : QString());
        for (std::size_t g = 0; g < gruppi.size(); ++g) {
            if (!Caselle[g]->isChecked()) {
                continue;
            }
            const std::vector<std::string> celle =
                c ? misure_->Celle(list, i, g) : std::vector<std::string>(gruppi[g].Intestazioni.size());
            for (std::size_t k = 0; k < celle.size(); ++k) {
                GridNum->item(r, ColonnaGriglia(g, k))->setText(Q(celle[k]));
            }
        }
    }
}

void TFormvisArchivio::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    GridInt->verticalScrollBar()->setValue(0);
    AggiornaColonne();
}

QSize TFormvisArchivio::sizeHint() const {
    QSize size = QDialog::sizeHint();
    const int wanted = natural_ + SBar->sizeHint().width() + 2 * layout()->contentsMargins().left() + 4;
    int room = wanted;
    if (const QScreen* screen = this->screen()) {
        room = screen->availableGeometry().width() - 40;
    }
    size.setWidth(std::max(size.width(), std::min(wanted, room)));
    return size;
}

void TFormvisArchivio::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    AggiornaColonne();
}

} // namespace tessaline
