#include "scrutiny/ui/historical_window.h"
#include "scrutiny/plays_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "archive/contest_archive.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/xlsx_export.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr std::chrono::milliseconds kPumpInterval{30};

const QStringList kIntestazioneConcorsi = {
    QStringLiteral("Num."), QStringLiteral("Anno"), QStringLiteral("Tipo"), QStringLiteral("6"),
    QStringLiteral("5"),    QStringLiteral("4"),    QStringLiteral("3"),    QStringLiteral("2"),
    QStringLiteral("1"),    QStringLiteral("0")};
const QStringList kIntestazioneRiepilogo = {QStringLiteral("Punti"),    QStringLiteral("Totale"),
                                            QStringLiteral("Ciclo"),    QStringLiteral("Ritardo"),
                                            QStringLiteral("Rit. Max"), QStringLiteral("Conv.")};

QTableWidget* Tabella(QWidget* parent, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
    return t;
}

void Larghezze(QTableWidget* t, const QStringList& samples) {
    const QFontMetrics fm(t->font());
    for (int c = 0; c < t->columnCount(); ++c) {
        const int header =
            t->horizontalHeader()->fontMetrics().horizontalAdvance(t->horizontalHeaderItem(c)->text());
        t->setColumnWidth(c, std::max(fm.horizontalAdvance(samples.value(c)), header) + 12);
    }
}

} // namespace

TFrmAnalProgress::TFrmAnalProgress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmAnalProgress"));
    setWindowTitle(Q(msg::kAnalisiColonnare));
    setWindowModality(Qt::ApplicationModal);
    Gauge1 = new QProgressBar(this);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setMinimumWidth(280);
    BtnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Gauge1);
    v->addWidget(BtnAnnulla, 0, Qt::AlignHCenter);
    connect(BtnAnnulla, &QPushButton::clicked, this, [this] { Richiedi(); });
}

void TFrmAnalProgress::Gauge(int percent) {
    Gauge1->setValue(std::clamp(percent, 0, 100));
}

void TFrmAnalProgress::Pump() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kPumpInterval) {
        return;
    }
    last_ = now;
    QCoreApplication::processEvents();
}

bool TFrmAnalProgress::Peek() {
    Pump();
    return flag_.Peek();
}

bool TFrmAnalProgress::Take() {
    Pump();
    return flag_.Take();
}

TFormSpoglioStorico::TFormSpoglioStorico(TAppContext& app, TFileChooser& files,
                                         std::unique_ptr<TSpoglioStorico> set, QWidget* parent)
    : QDialog(parent), app_(app), files_(files), storico_(std::move(set)) {
    setObjectName(QStringLiteral("FormSpoglioStorico"));
    setWindowTitle(Q(msg::kSpoglioStorico));
    GridConc = Tabella(this, kIntestazioneConcorsi);
    Larghezze(GridConc, {QStringLiteral("  99"), QStringLiteral(" 2024"), QStringLiteral("Basket"),
                         QStringLiteral("16777216"), QStringLiteral("16777216"), QStringLiteral("9999"),
                         QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("9999"),
                         QStringLiteral("9999")});
    TabellaGenerale = Tabella(this, kIntestazioneRiepilogo);
    TabellaGenerale->setRowCount(7);
    Larghezze(TabellaGenerale, {QStringLiteral("0"), QStringLiteral("16777216"), QStringLiteral("999,99"),
                                QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("99,99")});
    TabellaGenerale->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TabellaGenerale->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = 2 * TabellaGenerale->frameWidth();
    for (int c = 0; c < TabellaGenerale->columnCount(); ++c) {
        width += TabellaGenerale->columnWidth(c);
    }
    TabellaGenerale->setFixedWidth(width);
    int height = TabellaGenerale->horizontalHeader()->sizeHint().height() + 2 * TabellaGenerale->frameWidth();
    for (int r = 0; r < 7; ++r) {
        height += TabellaGenerale->rowHeight(r);
    }
    TabellaGenerale->setFixedHeight(height);
    LabelColonne = new QLabel(this);
    LabelRisultati = new QLabel(this);
    LabelRisultati->setWordWrap(true);

    auto* punti = new QHBoxLayout;
    for (int p = 0; p < 7; ++p) {
        auto* b = new QPushButton(QString::number(p), this);
        b->setCheckable(true);
        b->setObjectName(QStringLiteral("Punti%1").arg(p));
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 20);
        Punti[static_cast<std::size_t>(p)] = b;
        punti->addWidget(b);
    }
    punti->addStretch(1);
    BtnSalva = new QPushButton(QStringLiteral("Salva"), this);
    BtnEsporta = new QPushButton(QStringLiteral("&Esporta"), this);
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);

    auto* concorsi = new QGroupBox(QStringLiteral("Concorsi"), this);
    auto* cl = new QVBoxLayout(concorsi);
    cl->addWidget(GridConc);
    auto* riepilogo = new QGroupBox(QStringLiteral("Riepilogo"), this);
    auto* rl = new QVBoxLayout(riepilogo);
    rl->addWidget(LabelColonne);
    rl->addWidget(LabelRisultati);
    rl->addWidget(TabellaGenerale);
    rl->addWidget(new QLabel(QStringLiteral("Punti delle colonne da salvare:"), this));
    rl->addLayout(punti);
    rl->addStretch(1);
    auto* tables = new QHBoxLayout;
    tables->addWidget(concorsi, 1);
    tables->addWidget(riepilogo, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnSalva);
    buttons->addWidget(BtnEsporta);
    buttons->addStretch(1);
    buttons->addWidget(aiuto);
    buttons->addWidget(BtnChiudi);
    auto* v = new QVBoxLayout(this);
    v->addLayout(tables, 1);
    v->addLayout(buttons);

    // Wide enough for every column of both tables; 640 x 480 scrolls the per-contest grid.
    resize(960, 560);
    connect(BtnSalva, &QPushButton::clicked, this, [this] { SalvaClick(); });
    connect(BtnEsporta, &QPushButton::clicked, this, [this] { EsportaClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
}

TFormSpoglioStorico::~TFormSpoglioStorico() = default;

void TFormSpoglioStorico::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!avviato_) {
        avviato_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!Elabora()) {
                // Stopped: the window closes itself.
                QTimer::singleShot(0, this, &QDialog::reject);
            }
        });
    }
}

bool TFormSpoglioStorico::Elabora() {
    TFrmAnalProgress progress(this);
    progress.show();
    if (primaDellaAnalisi) {
        primaDellaAnalisi(progress);
    }
    const T_Sistema& sys = app_.Sistema();
    const bool done =
        storico_->Elabora(app_.Archivio(), sys.dati.settings.ricerca.Intervallo, &progress, &progress);
    progress.close();
    elaborato_ = done;
    if (done) {
        Riempi();
    }
    return done;
}

void TFormSpoglioStorico::Riempi() {
    const auto& rows = storico_->RigheConcorsi();
    GridConc->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            GridConc->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(Q(rows[r][c])));
        }
    }
    const char sep = QLocale().decimalPoint().at(0).toLatin1();
    const auto table = storico_->TabellaGenerale(sep == 0 ? ',' : sep);
    for (std::size_t r = 0; r < table.size(); ++r) {
        const bool marked = storico_->Riepilogo()[r].evidenziata;
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            auto* item = new QTableWidgetItem(Q(table[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (marked) {
                item->setBackground(QColor(0xff, 0xff, 0x80));
            }
            TabellaGenerale->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    LabelColonne->setText(QStringLiteral("Colonne analizzate: ") + Q(storico_->EtichettaColonne()));
    LabelRisultati->setText(Q(storico_->EtichettaRisultati()));
}

void TFormSpoglioStorico::SalvaClick() {
    std::array<bool, 7> selected{};
    bool any = false;
    for (std::size_t p = 0; p < 7; ++p) {
        selected[p] = Punti[p]->isChecked();
        any = any || selected[p];
    }
    if (!any) {
        app_.Prompt().ShowMessage(msg::kInformazione, msg::kSelezionaPunteggio, BtnOk);
        return;
    }
    const QString path = files_.Choose(SalvaColonneRequest());
    if (path.isEmpty()) {
        return;
    }
    try {
        storico_->Salva(selected, std::filesystem::path(path.toStdString()), &app_.Prompt());
    } catch (const std::exception& e) {
        app_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TFormSpoglioStorico::EsportaClick() {
    TFileDialogRequest request;
    request.title = QStringLiteral("Esporta le Tabelle");
    request.filter = QStringLiteral("Cartella di lavoro|*.xlsx");
    request.defaultExtension = QStringLiteral("xlsx");
    request.folder = Q(ProgramDir().string());
    request.save = true;
    const QString path = files_.Choose(request);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo::exists(path) &&
        app_.Prompt().ShowMessage(msg::kInformazione, msg::kFileEsiste, BtnSi | BtnNo) != BtnSi) {
        return;
    }
    TFoglioXlsx concorsi{QStringLiteral("Concorsi"), kIntestazioneConcorsi, {}, {}};
    for (const auto& row : storico_->RigheConcorsi()) {
        QStringList cells;
        for (const auto& c : row) {
            cells << Q(c);
        }
        concorsi.righe.push_back(cells);
    }
    TFoglioXlsx riepilogo{QStringLiteral("Riepilogo"), kIntestazioneRiepilogo, {}, {}};
    const auto table = storico_->TabellaGenerale(',');
    for (std::size_t r = 0; r < table.size(); ++r) {
        QStringList cells;
        for (const auto& c : table[r]) {
            cells << Q(c);
        }
        riepilogo.righe.push_back(cells);
        if (storico_->Riepilogo()[r].evidenziata) {
            riepilogo.evidenziate.push_back(static_cast<int>(r));
        }
    }
    if (!ScriviXlsx(path, {concorsi, riepilogo})) {
        app_.Prompt().ShowMessage(msg::kInformazione, "Impossibile esportare le tabelle", BtnOk);
    }
}

} // namespace tessaline
