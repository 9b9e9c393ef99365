#include "tools/ui/column_editor_window.h"

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"

namespace tessaline {

namespace {
constexpr int kHelpEditor = 101;
constexpr int kMargineScroll = 200;
} // namespace

TFormEditorColonnare::TFormEditorColonnare(TAppContext& main, TFileChooser& files, QWidget* parent)
    : QDialog(parent), main_(main), files_(files), file_(FolderPath(TFolder::Colonne) / msg::kPersonali) {
    setObjectName(QStringLiteral("FormEditorColonnare"));
    auto* top = new QVBoxLayout(this);
    Comandi = new QToolBar(this);
    Comandi->setIconSize(QSize(18, 18));
    auto add = [&](QStyle::StandardPixmap icon, const char* hint, std::function<void()> fn) {
        QAction* a = Comandi->addAction(style()->standardIcon(icon), Q(hint));
        a->setToolTip(Q(hint));
        connect(a, &QAction::triggered, this, [this, fn = std::move(fn)] {
            try {
                fn();
            } catch (const std::exception& e) {
                main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
            }
        });
    };
    add(QStyle::SP_FileIcon, "Azzera", [this] { Azzera(); });
    add(QStyle::SP_DialogOpenButton, "Carica Colonne", [this] { CaricaColonne(); });
    add(QStyle::SP_FileDialogNewFolder, "Inserisci il File Colonnare", [this] { InserisciFile(); });
    add(QStyle::SP_DialogSaveButton, "Salva Colonne", [this] { SalvaColonne(); });
    add(QStyle::SP_DriveFDIcon, "Salva Colonne con Nome", [this] { SalvaConNome(); });
    Comandi->addSeparator();
    add(QStyle::SP_FileDialogStart, "Inserisce Colonna", [this] { InserisciColonna(); });
    add(QStyle::SP_TrashIcon, "Cancella Colonna", [this] { CancellaColonna(); });
    add(QStyle::SP_ArrowRight, "Salta alla Colonna", [this] { SaltaAllaColonna(); });
    add(QStyle::SP_MediaSkipBackward, "Salta alla Prima", [this] { SaltaAllaPrima(); });
    add(QStyle::SP_MediaSkipForward, "Salta all'ultima", [this] { SaltaAllUltima(); });
    add(QStyle::SP_FileDialogListView, "Ordina", [this] { Ordina(); });
    Comandi->addSeparator();
    add(QStyle::SP_FileDialogDetailedView, "Stampa su Schedine", [this] { StampaSuSchedine(); });
    add(QStyle::SP_DialogHelpButton, "Aiuto", [this] { OpenHelp(kHelpEditor, this); });
    add(QStyle::SP_DialogCloseButton, "Uscita", [this] { reject(); });
    top->addWidget(Comandi);

    Tabella = new QTableWidget(kTeams, kColonneVisibili, this);
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabella->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabella->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabella->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabella->setTabKeyNavigation(false);
    const QFontMetrics fm(Tabella->font());
    const int cellW = fm.horizontalAdvance(QStringLiteral("012M")) + 4;
    const int cellH = fm.height() + 4;
    Tabella->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabella->horizontalHeader()->setDefaultSectionSize(cellW);
    Tabella->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabella->verticalHeader()->setDefaultSectionSize(cellH);
    QStringList teams;
    for (int t = 1; t <= kTeams; ++t) {
        teams << QStringLiteral(" %1").arg(t);
    }
    Tabella->setVerticalHeaderLabels(teams);
    for (int t = 0; t < kTeams; ++t) {
        for (int g = 0; g < kColonneVisibili; ++g) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            Tabella->setItem(t, g, item);
        }
    }
    const int headH = Tabella->horizontalHeader()->sizeHint().height();
    const int headW = fm.horizontalAdvance(QStringLiteral(" 12")) + 8;
    Tabella->verticalHeader()->setFixedWidth(headW);
    Tabella->setFixedSize(headW + kColonneVisibili * cellW + 2 * Tabella->frameWidth(),
                          headH + kTeams * cellH + 2 * Tabella->frameWidth());
    Tabella->installEventFilter(this);
    top->addWidget(Tabella);
    ScrollBar = new QScrollBar(Qt::Horizontal, this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setRange(0, kMargineScroll);
    ScrollBar->setPageStep(kColonneVisibili);
    top->addWidget(ScrollBar);
    connect(ScrollBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (showing_ || v == scroll_) {
            return;
        }
        Memorizza();
        scroll_ = v;
        Mostra();
    });
    connect(Tabella, &QTableWidget::currentCellChanged, this, [this] { Intestazioni(); });
    Tabella->setCurrentCell(0, 0);
    Mostra();
    Titolo();
}

void TFormEditorColonnare::Titolo() {
    setWindowTitle(QStringLiteral("Editor Colonnare - ") + Q(file_.filename().string()));
}

QAction* TFormEditorColonnare::Comando(const QString& hint) const {
    for (QAction* a : Comandi->actions()) {
        if (a->toolTip() == hint) {
            return a;
        }
    }
    return nullptr;
}

std::size_t TFormEditorColonnare::IndiceCorrente() const {
    return static_cast<std::size_t>(scroll_) +
           static_cast<std::size_t>(std::max(0, Tabella->currentColumn()));
}

void TFormEditorColonnare::Memorizza() {
    for (int g = 0; g < kColonneVisibili; ++g) {
        std::array<SignSet, kTeams> masks{};
        for (int t = 0; t < kTeams; ++t) {
            masks[static_cast<std::size_t>(t)] = MascheraCella(S(Tabella->item(t, g)->text()));
        }
        ed_.Memorizza(static_cast<std::size_t>(scroll_ + g), masks);
    }
}

void TFormEditorColonnare::Intestazioni() {
    const int current = Tabella->currentColumn();
    for (int g = 0; g < kColonneVisibili; ++g) {
        const QString text = QString::number(scroll_ + g + 1);
        QTableWidgetItem* h = Tabella->horizontalHeaderItem(g);
        if (h == nullptr) {
            h = new QTableWidgetItem;
            Tabella->setHorizontalHeaderItem(g, h);
        }
        h->setText(text);
        QFont f = Tabella->horizontalHeader()->font();
        if (text.size() > 4) {
            f.setPointSizeF(f.pointSizeF() * 7.0 / 8.0);
        }
        f.setBold(g == current);
        h->setFont(f);
        h->setForeground(g == current ? palette().highlight() : palette().windowText());
    }
}

void TFormEditorColonnare::Mostra() {
    showing_ = true;
    if (ScrollBar->maximum() - scroll_ < kMargineScroll) {
        ScrollBar->setMaximum(ScrollBar->maximum() + kMargineScroll);
    }
    const int listMax = static_cast<int>(std::min<std::size_t>(ed_.colonne.size(), 2000000000));
    while (ScrollBar->maximum() < listMax) {
        ScrollBar->setMaximum(ScrollBar->maximum() + kMargineScroll);
    }
    ScrollBar->setValue(scroll_);
    for (int g = 0; g < kColonneVisibili; ++g) {
        const Colonna c = ed_.At(static_cast<std::size_t>(scroll_ + g));
        for (int t = 0; t < kTeams; ++t) {
            Tabella->item(t, g)->setText(Q(TestoCella(c[t])));
        }
    }
    Intestazioni();
    showing_ = false;
}

void TFormEditorColonnare::Seleziona(std::size_t index, int team) {
    const auto i = static_cast<int>(std::min<std::size_t>(index, 2000000000));
    if (i < scroll_ || i >= scroll_ + kColonneVisibili) {
        Memorizza();
        scroll_ = i;
        Mostra();
    }
    Tabella->setCurrentCell(team, i - scroll_);
    Intestazioni();
}

void TFormEditorColonnare::Tasto(char key) {
    const int t = std::max(0, Tabella->currentRow());
    const int g = std::max(0, Tabella->currentColumn());
    if (key == '\r') {
        if (t + 1 < kTeams) {
            Tabella->setCurrentCell(t + 1, g);
        } else if (g + 1 < kColonneVisibili) {
            Tabella->setCurrentCell(0, g + 1);
        } else {
            Memorizza();
            ++scroll_;
            Mostra();
            Tabella->setCurrentCell(0, g);
        }
        return;
    }
    QTableWidgetItem* item = Tabella->item(t, g);
    const std::optional<std::string> text = TastoCella(S(item->text()), key);
    if (!text) {
        return;
    }
    item->setText(Q(*text));
    modified_ = true;
}

bool TFormEditorColonnare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Tabella && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Tasto('\r');
            return true;
        case Qt::Key_Backspace:
            Tasto('\b');
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Escape:
            return QDialog::eventFilter(watched, event);
        default:
            break;
        }
        const QString text = k->text();
        if (text.size() == 1 && text.at(0).unicode() < 128) {
            Tasto(static_cast<char>(text.at(0).unicode()));
        }
        return true; // every other key is refused
    }
    return QDialog::eventFilter(watched, event);
}

bool TFormEditorColonnare::Verifica() {
    const std::optional<TPosizione> bad = ed_.Verifica();
    if (!bad) {
        return true;
    }
    Seleziona(bad->colonna, bad->squadra);
    main_.Prompt().ShowMessage(msg::kInformazione, msg::kColonnaNonCompleta, BtnOk);
    return false;
}

bool TFormEditorColonnare::ChiediSalvataggio() {
    if (!modified_) {
        return true;
    }
    const int a = main_.Prompt().ShowMessage(msg::kConferma, msg::kNonSalvate, BtnSi | BtnNo | BtnAnnulla);
    if (a == BtnAnnulla) {
        return false;
    }
    if (a == BtnSi) {
        return SalvaColonne();
    }
    return true;
}

QString TFormEditorColonnare::ScegliFile(const QString& title, bool save) {
    TFileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Col file|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = save ? Q(file_.parent_path().string()) : Q(FolderPath(TFolder::Colonne).string());
    request.name = save ? Q(file_.filename().string()) : QString();
    request.mustExist = !save;
    request.save = save;
    return files_.Choose(request);
}

bool TFormEditorColonnare::Scrivi(const std::filesystem::path& path) {
    if (!ed_.NonVuote().SaveToFile(path)) {
        throw EInOutError(msg::kImpossibileSalvareColonne);
    }
    modified_ = false;
    return true;
}

void TFormEditorColonnare::Azzera() {
    Memorizza();
    if (!ChiediSalvataggio()) {
        return;
    }
    ed_.colonne.clear();
    Ricomincia(FolderPath(TFolder::Colonne) / msg::kPersonali, true);
}

void TFormEditorColonnare::Ricomincia(const std::filesystem::path& file, bool defaultFile) {
    file_ = file;
    defaultFile_ = defaultFile;
    modified_ = false;
    scroll_ = 0;
    Mostra();
    Tabella->setCurrentCell(0, 0);
    Titolo();
}

std::optional<TListaColonne> TFormEditorColonnare::ScegliColonne(std::filesystem::path* scelto) {
    const QString file = ScegliFile(QStringLiteral("Carica le Colonne"), false);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    TListaColonne list;
    if (!list.LoadFromFile(std::filesystem::path(S(file)), false, nullptr)) {
        throw EInOutError(msg::kImpossibileCaricareColonne);
    }
    if (scelto != nullptr) {
        *scelto = std::filesystem::path(S(file));
    }
    return list;
}

void TFormEditorColonnare::CaricaColonne() {
    Memorizza();
    if (!ChiediSalvataggio()) {
        return;
    }
    std::filesystem::path file;
    const std::optional<TListaColonne> list = ScegliColonne(&file);
    if (!list) {
        return;
    }
    ed_.colonne.assign(list->begin(), list->end());
    Ricomincia(file, false);
}

void TFormEditorColonnare::InserisciFile() {
    Memorizza();
    const std::optional<TListaColonne> list = ScegliColonne();
    if (!list) {
        return;
    }
    ed_.InserisciColonne(IndiceCorrente(), *list);
    modified_ = true;
    Mostra();
}

bool TFormEditorColonnare::SalvaColonne() {
    Memorizza();
    if (!Verifica()) {
        return false;
    }
    if (defaultFile_) {
        return SalvaConNome();
    }
    return Scrivi(file_);
}

bool TFormEditorColonnare::SalvaConNome() {
    Memorizza();
    if (!Verifica()) {
        return false;
    }
    const QString file = ScegliFile(QStringLiteral("Salva le Colonne"), true);
    if (file.isEmpty()) {
        return false;
    }
    const std::filesystem::path path(S(file));
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        main_.Prompt().ShowMessage(msg::kConferma, msg::kFileEsisteGiaEditor, BtnSi | BtnNo) != BtnSi) {
        return false;
    }
    file_ = path;
    defaultFile_ = false;
    Titolo();
    return Scrivi(file_);
}

void TFormEditorColonnare::InserisciColonna() {
    Memorizza();
    ed_.InserisciVuota(IndiceCorrente());
    modified_ = true;
    Mostra();
}

void TFormEditorColonnare::CancellaColonna() {
    Memorizza();
    if (ed_.Cancella(IndiceCorrente())) {
        modified_ = true;
    }
    Mostra();
}

void TFormEditorColonnare::SaltaAllaColonna() {
    Memorizza();
    ed_.RimuoviVuote();
    Mostra();
    const int n = static_cast<int>(std::min<std::size_t>(ed_.colonne.size(), 2000000000));
    if (n == 0) {
        return;
    }
    int k = 0;
    if (chiediColonna) {
        k = chiediColonna(n);
    } else {
        bool ok = false;
        k = QInputDialog::getInt(this, QStringLiteral("Salta"), QStringLiteral("Salta alla Colonna Numero"),
                                 1, 1, n, 1, &ok);
        if (!ok) {
            k = 0;
        }
    }
    if (k >= 1 && k <= n) {
        Seleziona(static_cast<std::size_t>(k - 1), 0);
    }
}

void TFormEditorColonnare::SaltaAllaPrima() {
    Seleziona(0, 0);
}

void TFormEditorColonnare::SaltaAllUltima() {
    Memorizza();
    ed_.RimuoviVuote();
    Mostra();
    Seleziona(ed_.colonne.empty() ? 0 : ed_.colonne.size() - 1, 0);
}

void TFormEditorColonnare::Ordina() {
    Memorizza();
    if (!Verifica()) {
        return;
    }
    ed_.Ordina();
    modified_ = true;
    Mostra();
}

void TFormEditorColonnare::StampaSuSchedine() {
    Memorizza();
    if (!Verifica()) {
        return;
    }
    const TListaColonne columns = ed_.NonVuote();
    if (!columns.Empty() && main_.stampaColonne) {
        main_.stampaColonne(columns);
    }
}

void TFormEditorColonnare::reject() {
    Memorizza();
    if (ChiediSalvataggio()) {
        QDialog::reject();
    }
}

} // namespace tessaline
