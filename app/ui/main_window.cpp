#include "app/ui/main_window.h"

#include <algorithm>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/ui/artwork.h"
#include "app/ui/forecast_forms.h"
#include "app/ui/settings_forms.h"
#include "conditions/condition_set.h"
#include "conditions/ui/condition_commands.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/ui/form_message.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "system/config_file.h"

namespace tessaline {

namespace {

constexpr int kHelpMain = 42;

// The central area: the background picture tiled column by column.
class TSfondo : public QWidget {
public:
    TSfondo(QPixmap* picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPixmap& pm = *picture_;
        if (pm.isNull() || pm.width() <= 0 || pm.height() <= 0) {
            return;
        }
        const int nx = width() / pm.width() + 1;
        const int ny = height() / pm.height() + 1;
        for (int i = 0; i < nx; ++i) {
            for (int j = 0; j < ny; ++j) {
                p.drawPixmap(i * pm.width(), j * pm.height(), pm);
            }
        }
    }

private:
    QPixmap* picture_;
};

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(QLatin1String(name), style->standardIcon(fallback));
}

} // namespace

TFormPrinc::TFormPrinc(T_Sistema& sistema, QWidget* parent) : QMainWindow(parent), sys_(sistema) {
    setObjectName(QStringLiteral("FormPrinc"));
    setWindowIcon(AppIcon());
    message_ = new TFormMessage(this);
    prompt_ = message_;

    sfondo_ = new TSfondo(&picture_, this);
    setCentralWidget(sfondo_);
    PannelloSchedina = new QFrame(sfondo_);
    PannelloSchedina->setObjectName(QStringLiteral("PannelloSchedina"));
    PannelloSchedina->setFrameShape(QFrame::StyledPanel);
    PannelloSchedina->setFrameShadow(QFrame::Raised);
    PannelloSchedina->setAutoFillBackground(true);
    EditSchedina = new TEditSchedina(PannelloSchedina);
    EditSchedina->move(4, 4);

    // Pair mode switches, their light and "Seleziona", the "Squadre" button: inside the coupon editor.
    QWidget* zona = EditSchedina->ZonaAccoppiate;
    SpeedN = new QToolButton(zona);
    SpeedN->setObjectName(QStringLiteral("SpeedN"));
    SpeedN->setText(QStringLiteral("N"));
    SpeedN->setToolTip(QString::fromUtf8("Pronostico normale"));
    SpeedA = new QToolButton(zona);
    SpeedA->setObjectName(QStringLiteral("SpeedA"));
    SpeedA->setText(QStringLiteral("A"));
    SpeedA->setToolTip(QString::fromUtf8("Pronostico per accoppiate"));
    for (QToolButton* b : {SpeedN, SpeedA}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedSize(26, 26);
        connect(b, &QToolButton::clicked, this, &TFormPrinc::SpeedNClick);
    }
    SpeedN->setChecked(true);
    PanelAcc = new QWidget(zona);
    PanelAcc->setObjectName(QStringLiteral("PanelAcc"));
    btnSeleziona_ = new QPushButton(QStringLiteral("Seleziona"), PanelAcc);
    btnSeleziona_->setToolTip(QStringLiteral("Pronostico per Accoppiate"));
    SemaforoAcc = new TSemaforo(PanelAcc);
    auto* accLay = new QHBoxLayout(PanelAcc);
    accLay->setContentsMargins(0, 0, 0, 0);
    accLay->addWidget(SemaforoAcc);
    accLay->addWidget(btnSeleziona_);
    btnSquadre_ = new QPushButton(QStringLiteral("Squadre"), zona);
    btnSquadre_->setObjectName(QStringLiteral("BtnCarica"));
    btnSquadre_->setToolTip(QString::fromUtf8("Scegli le squadre dalla lista"));
    auto* zonaLay = new QHBoxLayout(zona);
    zonaLay->setContentsMargins(0, 0, 0, 0);
    zonaLay->setSpacing(2);
    zonaLay->addWidget(SpeedN);
    zonaLay->addWidget(SpeedA);
    zonaLay->addSpacing(6);
    zonaLay->addWidget(PanelAcc);
    zonaLay->addStretch(1);
    zonaLay->addWidget(btnSquadre_);
    PanelAcc->setVisible(false);
    connect(btnSeleziona_, &QPushButton::clicked, this, &TFormPrinc::SelezionaAccClick);

    // On small screens the rows and the circles shrink by 2 pixels.
    if (QScreen* screen = QGuiApplication::primaryScreen();
        screen != nullptr && screen->size().width() <= 640) {
        EditSchedina->RowStep -= 2;
        EditSchedina->Pronostico->Diametro -= 2;
        EditSchedina->Relayout();
    }

    connect(EditSchedina->Pronostico, &TEditpronostico::OnModificato, this,
            &TFormPrinc::PronosticoModificato);
    connect(EditSchedina, &TEditSchedina::OnModificato, this, &TFormPrinc::EditSchedinaOnModificato);
    connect(EditSchedina->BtnTutti, &QPushButton::clicked, this, &TFormPrinc::TuttiClick);
    connect(EditSchedina->Numero, &QLineEdit::textEdited, this, &TFormPrinc::NumeroChange);
    EditSchedina->BtnAnalisi->setEnabled(false);
    btnSquadre_->setEnabled(false);

    BuildMenu();
    BuildToolBar();
    BuildStatusBar();
    setMinimumSize(640, 480);
    saver_ = new TFormSaver;
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { ApriGuida(kHelpMain); });
    animTimer_.setInterval(90);
    connect(&animTimer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kAnimationFrames;
        animate_->setPixmap(AnimationFrame(frame_));
    });
    if (!CaricaSfondo()) {
        // The program's own tile stands in; the message comes once the window is up.
        QTimer::singleShot(0, this, [this] {
            Prompt().ShowMessage(msg::kInformazione, "Impossibile Caricare lo Sfondo", BtnOk);
        });
    }
    if (!archivio_.CaricaOppureNuovo(Settings().ricerca.Intervallo, nullptr)) {
        QTimer::singleShot(0, this, [this] {
            Prompt().ShowMessage(msg::kInformazione, "Impossibile Caricare L'Archivio.", BtnOk);
        });
    }
    // The conditions read the contests (Ripetizioni, statistics) and the search settings.
    sys_.Insieme().Collega(&archivio_, &Settings().ricerca, &sys_.Colonne);
    AggiornaStatusLine();
    AggiornaAbilitazioni();
    Layout();
}

TFormPrinc::~TFormPrinc() {
    delete saver_;
}

UserPrompt& TFormPrinc::Prompt() {
    return prompt_ != nullptr ? *prompt_ : *message_;
}

QAction* TFormPrinc::Azione(const QString& handler) const {
    const auto it = actions_.find(handler);
    return it == actions_.end() ? nullptr : it->second;
}

void TFormPrinc::Collega(const QString& handler, std::function<void()> run) {
    QAction* a = Azione(handler);
    if (a == nullptr || !run) {
        return;
    }
    available_[handler] = true;
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    AggiornaAbilitazioni();
}

QAction* TFormPrinc::AddEntry(QMenu* menu, const QString& caption, const QString& handler,
                              std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(handler);
    actions_[handler] = a;
    available_[handler] = static_cast<bool>(run);
    if (run) {
        connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    } else {
        a->setEnabled(false);
    }
    return a;
}

void TFormPrinc::BuildMenu() {
    QMenuBar* bar = menuBar();
    auto sub = [](QMenu* parent, const QString& caption) { return parent->addMenu(caption); };

    QMenu* m = bar->addMenu(QStringLiteral("&Sistemi"));
    AddEntry(m, QStringLiteral("&Nuovo"), QStringLiteral("New1Click"));
    AddEntry(m, QStringLiteral("&Carica..."), QStringLiteral("CaricaClick"));
    AddEntry(m, QStringLiteral("&Salva"), QStringLiteral("Save1Click"));
    AddEntry(m, QStringLiteral("Salva C&ome..."), QStringLiteral("SalvaComeClick"));
    AddEntry(m, QStringLiteral("Ca&ncella"), QStringLiteral("CancellaClick"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("Co&mmento"), QStringLiteral("CommentoClick"));
    AddEntry(m, QStringLiteral("&Partecipanti"), QStringLiteral("Soci1Click"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("Carica Sc&hedina"), QStringLiteral("CaricaSchedina1Click"));
    AddEntry(m, QStringLiteral("Salva Sche&dina"), QStringLiteral("SalvaSchedina1Click"));
    m->addSeparator();
    QAction* exit =
        AddEntry(m, QStringLiteral("&Uscita"), QStringLiteral("Uscita1Click"), [this] { close(); });
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    actions_[QStringLiteral("New1Click")]->setShortcut(QKeySequence::New);
    actions_[QStringLiteral("CaricaClick")]->setShortcut(QKeySequence::Open);
    actions_[QStringLiteral("Save1Click")]->setShortcut(QKeySequence::Save);

    condizioni_ = bar->addMenu(QStringLiteral("&Condizioni"));
    const char* const conds[][2] = {{"&Numero Di Segni", "NumeroDiSegni1Click"},
                                    {"Risultati", "Risultati1Click"},
                                    {"&Consecutività Differenziata", "ConsecutivitaDifferenziata1Click"},
                                    {"&Interruzioni", "Interruzioni1Click"},
                                    {"Pari e &Dispari", "PariEDispari1Click"},
                                    {"&Simmetrie", "Simmetrie1Click"},
                                    {"&Vortice", "Vortice1Click"},
                                    {"&Ripetizioni", "Ripetizioni1Click"},
                                    {"Pe&rcentuali", "Percentuali1Click"},
                                    {"&Valori", "Valori1Click"},
                                    {"&Gol Squadra", "GolSquadra1Click"},
                                    {"Se&quele", "Sequele1Click"},
                                    {"Colonne &Filtro", "ColonneFiltro1Click"},
                                    {"Q&uadri", "Quadri1Click"},
                                    {"&Link", "Link1Click"},
                                    {"Punti &Tra", "PuntiTra1Click"}};
    for (const auto& c : conds) {
        QAction* a = AddEntry(condizioni_, QString::fromUtf8(c[0]), QLatin1String(c[1]));
        a->setCheckable(true);
    }
    connect(condizioni_, &QMenu::aboutToShow, this, &TFormPrinc::MarkConditions);

    m = bar->addMenu(QStringLiteral("&Elaborazione"));
    AddEntry(m, QStringLiteral("&Impostazioni"), QStringLiteral("ImpostazioneSvClick"));
    AddEntry(m, QStringLiteral("&Squadre Integrali"), QStringLiteral("PartiteIntegrali1Click"),
             [this] { PartiteIntegrali1Click(); });
    AddEntry(m, QStringLiteral("&Calcolo Colonne"), QStringLiteral("CalcoloColonne1Click"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("&Analisi Statistica"), QStringLiteral("AnalisiStatistica1Click"));
    AddEntry(m, QStringLiteral("Calcolo &Garanzie"), QStringLiteral("CalcoloGaranzie1Click"));
    AddEntry(m, QStringLiteral("Cerca &Fisse"), QStringLiteral("CercaFisse1Click"))->setVisible(false);

    m = bar->addMenu(QStringLiteral("C&olonne"));
    QMenu* s = sub(m, QStringLiteral("&Visualizza"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("VisDaMemoria1Click"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile3Click"));
    s = sub(m, QStringLiteral("&Dettatura a Voce"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("DetDaMemoria1Click"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile4Click"));
    s = sub(m, QStringLiteral("&Spoglio"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("SpoglioDaMemoria1Click"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile1Click"));
    s = sub(m, QStringLiteral("Spoglio S&torico"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("DaFile6Click"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile7Click"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("&Importa da ASCII"), QStringLiteral("ImportadaASCII1Click"));
    AddEntry(m, QStringLiteral("&Esporta in ASCII"), QStringLiteral("EsportainASCII1Click"));
    AddEntry(m, QStringLiteral("Salva su Dis&co"), QStringLiteral("SalvasuDisco1Click"));
    m->addSeparator();
    s = sub(m, QStringLiteral("&Ordinamento"));
    s->setObjectName(QStringLiteral("Ordinamento1"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("OrdDaMemoriaClick"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile5Click"));
    AddEntry(m, QStringLiteral("O&perazioni"), QStringLiteral("Operazioni1Click"));
    AddEntry(m, QStringLiteral("Edito&r di Colonne"), QStringLiteral("EditordiColonne1Click"));

    m = bar->addMenu(QStringLiteral("&Archivio"));
    AddEntry(m, QStringLiteral("&Aggiornamento"), QStringLiteral("Editazione1Click"));
    AddEntry(m, QStringLiteral("&Visualizzazione"), QStringLiteral("Visualizzazione1Click"));
    AddEntry(m, QStringLiteral("&Impostazioni di Ricerca"), QStringLiteral("ImpostazioniDiRicerca1Click"));

    m = bar->addMenu(QStringLiteral("I&nternet"));
    AddEntry(m, QStringLiteral("Aggiornamento &Schedina"), QStringLiteral("AggiornamentoSchedina1Click"));
    AddEntry(m, QStringLiteral("Aggiornamento &Archivi"), QStringLiteral("AggiornamentoArchivi1Click"));
    AddEntry(m, QStringLiteral("Aggiornamento &Lista Squadre"),
             QStringLiteral("AggiornamentoListaSquadre1Click"));
    AddEntry(m, QStringLiteral("Aggiornamento di &Tessaline"),
             QStringLiteral("AggiornamentoTessaline1Click"));

    m = bar->addMenu(QStringLiteral("S&tampa"));
    AddEntry(m, QStringLiteral("&Taratura Stampante"), QStringLiteral("TaraturaStampante1Click"));
    s = sub(m, QStringLiteral("Stampa &Colonne"));
    AddEntry(s, QStringLiteral("Da &Memoria"), QStringLiteral("StDamemoria1Click"));
    AddEntry(s, QStringLiteral("Da &File"), QStringLiteral("DaFile2Click"));
    AddEntry(m, QStringLiteral("Stampa &Prospetto"), QStringLiteral("StampaProspettoClick"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("&Imposta Stampante"), QStringLiteral("ImpostaStampante1Click"));

    m = bar->addMenu(QStringLiteral("&Ricevitoria"));
    AddEntry(m, QStringLiteral("&Ridotti Immediati"), QStringLiteral("RidottiImmediati1Click"));
    AddEntry(m, QStringLiteral("&Schedine Automatiche"), QStringLiteral("SchedineAutomatiche1Click"));
    AddEntry(m, QStringLiteral("Sistemi &Automatici"), QStringLiteral("SistemiAutomatici2Click"));
    AddEntry(m, QStringLiteral("Archivio &Giocate"), QStringLiteral("ArchivioGicoate1Click"));
    m->addSeparator();
    AddEntry(m, QStringLiteral("&Dati Ricevitoria"), QStringLiteral("DatiRicevirotia1Click"),
             [this] { DatiRicevirotia1Click(); });

    m = bar->addMenu(QStringLiteral("&Impostazioni"));
    AddEntry(m, QStringLiteral("&Lista Squadre"), QStringLiteral("ListaSquadre1Click"));
    AddEntry(m, QStringLiteral("&Varie"), QStringLiteral("Varie1Click"), [this] { Varie1Click(); });

    m = bar->addMenu(QStringLiteral("&Help"));
    AddEntry(m, QStringLiteral("&Sommario"), QStringLiteral("Indice1Click"), [this] { Indice1Click(); });
    AddEntry(m, QStringLiteral("&About"), QStringLiteral("About1Click"), [this] { About1Click(); });
}

void TFormPrinc::BuildToolBar() {
    QToolBar* tb = addToolBar(QStringLiteral("Comandi"));
    tb->setObjectName(QStringLiteral("PSpeed"));
    tb->setMovable(false);
    tb->setIconSize(QSize(24, 24));
    PSpeed = tb;
    const QStyle* st = style();
    auto tool = [&](const char* icon, QStyle::StandardPixmap fb, const QString& hint, const QString& handler,
                    std::function<void()> run = nullptr) {
        QAction* a = tb->addAction(ThemeIcon(icon, fb, st), hint);
        a->setToolTip(hint);
        a->setObjectName(handler);
        actions_[handler] = a;
        available_[handler] = static_cast<bool>(run);
        if (run) {
            connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
        } else {
            a->setEnabled(false);
        }
    };
    tool("document-new", QStyle::SP_FileIcon, QStringLiteral("Nuovo Sistema"),
         QStringLiteral("SpeedNuovoClick"));
    tool("document-open", QStyle::SP_DirOpenIcon, QStringLiteral("Carica Sistema"),
         QStringLiteral("SpeedCaricaClick"));
    tool("document-save", QStyle::SP_DialogSaveButton, QStringLiteral("Salva Sistema"),
         QStringLiteral("SpeedSalvaClick"));
    tb->addSeparator();
    tool("system-run", QStyle::SP_MediaPlay, QStringLiteral("Sviluppo"),
         QStringLiteral("SpeedSviluppaClick"));
    tool("view-list-details", QStyle::SP_FileDialogDetailedView, QStringLiteral("Quadri"),
         QStringLiteral("SpeedQuadriClick"));
    tool("zoom-original", QStyle::SP_FileDialogContentsView, QStringLiteral("Visualizza colonne"),
         QStringLiteral("SpeedVisualizzaClick"));
    tool("document-print", QStyle::SP_DriveFDIcon, QStringLiteral("Stampa Schedine"),
         QStringLiteral("SpeedStampaClick"));
    tool("dialog-ok-apply", QStyle::SP_DialogApplyButton, QStringLiteral("Spoglio"),
         QStringLiteral("SpeedSpoglioClick"));
    tb->addSeparator();
    tool("help-contents", QStyle::SP_DialogHelpButton, QStringLiteral("Sommario"),
         QStringLiteral("SpeedAiutoClick"), [this] { ApriGuida(kHelpMain); });
    tool("application-exit", QStyle::SP_DialogCloseButton, QStringLiteral("Uscita"),
         QStringLiteral("SpeedUscitaClick"), [this] { close(); });
    auto* spacer = new QWidget(tb);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tb->addWidget(spacer);
    animate_ = new QLabel(tb);
    animate_->setObjectName(QStringLiteral("Animate"));
    animate_->setFixedSize(36, 32);
    animate_->setPixmap(AnimationFrame(0));
    tb->addWidget(animate_);
}

namespace {

// The status line's five boxes: the sign counts on the left, the column counts on the right. When
// the window is too narrow for one row, the column counts move to a second row, so that no text is
// clipped at 640 pixels.
class TRigaStato final : public QWidget {
public:
    TRigaStato(QWidget* parent, std::vector<QLabel*> sinistra, std::vector<QLabel*> destra)
        : QWidget(parent), sinistra_(std::move(sinistra)), destra_(std::move(destra)) {
        grid_ = new QGridLayout(this);
        grid_->setContentsMargins(0, 0, 0, 0);
        grid_->setHorizontalSpacing(2);
        grid_->setVerticalSpacing(1);
        Disponi(false);
    }

    QSize minimumSizeHint() const override {
        // Narrow enough for two rows; each row keeps its texts whole.
        const QSize a = Riga(sinistra_);
        const QSize b = Riga(destra_);
        return {std::max(a.width(), b.width()), a.height() + b.height() + grid_->verticalSpacing()};
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        const int unaRiga = Riga(sinistra_).width() + Riga(destra_).width() + grid_->horizontalSpacing();
        const bool dueRighe = width() < unaRiga;
        if (dueRighe != dueRighe_) {
            Disponi(dueRighe);
        }
    }

private:
    QSize Riga(const std::vector<QLabel*>& labels) const {
        int w = 0;
        int h = 0;
        for (QLabel* l : labels) {
            const QSize s = l->sizeHint();
            w += s.width() + grid_->horizontalSpacing();
            h = std::max(h, s.height());
        }
        return {w, h};
    }

    void Disponi(bool dueRighe) {
        dueRighe_ = dueRighe;
        for (QLabel* l : sinistra_) {
            grid_->removeWidget(l);
        }
        for (QLabel* l : destra_) {
            grid_->removeWidget(l);
        }
        for (int c = 0; c < grid_->columnCount(); ++c) {
            grid_->setColumnStretch(c, 0);
        }
        // One row: left boxes, a stretch, right boxes. Two rows: the right boxes start the second
        // row and the last of each row takes the spare width.
        const int n = static_cast<int>(sinistra_.size());
        for (int i = 0; i < n; ++i) {
            grid_->addWidget(sinistra_[static_cast<std::size_t>(i)], 0, i);
        }
        const int stretchCol = n;
        for (int i = 0; i < static_cast<int>(destra_.size()); ++i) {
            QLabel* l = destra_[static_cast<std::size_t>(i)];
            if (dueRighe) {
                grid_->addWidget(l, 1, i, 1, i + 1 == static_cast<int>(destra_.size()) ? n + 1 - i : 1);
            } else {
                grid_->addWidget(l, 0, stretchCol + 1 + i);
            }
        }
        grid_->setColumnStretch(dueRighe ? n - 1 : stretchCol, 1);
        updateGeometry();
    }

    std::vector<QLabel*> sinistra_;
    std::vector<QLabel*> destra_;
    QGridLayout* grid_ = nullptr;
    bool dueRighe_ = false;
};

} // namespace

void TFormPrinc::BuildStatusBar() {
    QStatusBar* sb = statusBar();
    sb->setObjectName(QStringLiteral("PStatusBar"));
    sb->setSizeGripEnabled(true);
    PStatusBar = sb;
    auto label = [sb](const char* name) {
        auto* l = new QLabel(sb);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    PDoppie = label("PDoppie");
    PTriple = label("PTriple");
    PQuadruple = label("PQuadruple");
    // "Colonne Iniziali" left of "Colonne Finali", at the right end.
    PColonneI = label("PColonneI");
    PColonneF = label("PColonneF");
    sb->addWidget(new TRigaStato(sb, {PDoppie, PTriple, PQuadruple}, {PColonneI, PColonneF}), 1);
}

bool TFormPrinc::CaricaSfondo() {
    QPixmap pm;
    const std::string file = sys_.dati.settings.backgroundPicture.empty()
                                 ? DefaultBackgroundPath()
                                 : sys_.dati.settings.backgroundPicture;
    // The path comes from the configuration: only a regular file is opened (a FIFO would block).
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec) && pm.load(Q(file)) && !pm.isNull()) {
        picture_ = pm;
        sfondo_->update();
        return true;
    }
    picture_ = DefaultBackgroundTile();
    sfondo_->update();
    return false;
}

void TFormPrinc::Layout() {
    const QSize ed = EditSchedina->size();
    PannelloSchedina->resize(ed.width() + 10, ed.height() + 10);
    const int w = sfondo_->width();
    const int h = sfondo_->height();
    const int left = (w - PannelloSchedina->width() - 8) / 2;
    const int top = (h - PannelloSchedina->height()) / 2;
    PannelloSchedina->move(std::max(0, left), std::max(0, top));
}

void TFormPrinc::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (width() < 640 || height() < 480) {
        resize(std::max(width(), 640), std::max(height(), 480));
    }
    AdattaMenu();
    Layout();
}

namespace {

// The menu bar's steps from its natural look to its most compact one: item padding, then font size.
void MenuStep(QMenuBar* bar, int step, const QFont& natural) {
    static const char* const kPadding[] = {"", "QMenuBar::item { padding: 2px 5px; }",
                                           "QMenuBar::item { padding: 2px 3px; }"};
    bar->setStyleSheet(QLatin1String(kPadding[std::min(step, 2)]));
    QFont f = natural;
    if (step > 2) {
        f.setPointSizeF(natural.pointSizeF() - 0.5 * (step - 2));
    }
    bar->setFont(f);
}

constexpr int kMenuSteps = 6;

} // namespace

// Every menu stays on the bar (none behind the extension arrow) down to 640 pixels: the first step
// whose width fits is taken.
void TFormPrinc::AdattaMenu() {
    QMenuBar* bar = menuBar();
    if (bar->actions().isEmpty()) {
        return; // not built yet
    }
    const QFont natural = font();
    if (menuWidths_.empty()) {
        for (int step = 0; step < kMenuSteps; ++step) {
            MenuStep(bar, step, natural);
            menuWidths_.push_back(bar->sizeHint().width());
        }
        menuStep_ = kMenuSteps - 1;
    }
    int step = 0;
    while (step + 1 < kMenuSteps && menuWidths_[static_cast<std::size_t>(step)] > width()) {
        ++step;
    }
    if (step != menuStep_) {
        menuStep_ = step;
        MenuStep(bar, step, natural);
    }
}

bool TFormPrinc::eventFilter(QObject* o, QEvent* e) {
    return QMainWindow::eventFilter(o, e);
}

// ---- the system and the coupon editor

void TFormPrinc::EditSchedinaOnModificato() {
    if (!impostando_) {
        AcquisisceTutto();
    }
}

void TFormPrinc::PronosticoModificato() {
    sys_.Colonne.Clear();
    EditSchedina->AggiornaSemafori();
    if ((sys_.dati.SourceForecast != 0)) {
        DropUnfitBases(sys_.dati.sviluppo.IntegralBases, sys_.dati.Forecast);
    }
    if (PronosticoCompleto(sys_.dati.Forecast) && (sys_.dati.sviluppo.AutoRecalc != 0) &&
        sviluppoAutomatico) {
        sviluppoAutomatico();
    }
    AggiornaAbilitazioni();
    AggiornaStatusLine();
}

void TFormPrinc::AcquisisceTutto() {
    sys_.dati.teamNames = EditSchedina->GetSquadre();
    sys_.dati.Forecast = EditSchedina->GetPronostico();
    sys_.dati.TeamPercentages = EditSchedina->GetPercentuali();
    sys_.dati.TeamValues = EditSchedina->GetValori();
    AggiornaAbilitazioni();
    AggiornaStatusLine();
    sys_.modified = true;
}

void TFormPrinc::ImpostaTutto() {
    impostando_ = true;
    EditSchedina->SetSquadre(sys_.dati.teamNames);
    EditSchedina->SetPronostico(sys_.dati.Forecast);
    EditSchedina->SetPercentuali(sys_.dati.TeamPercentages);
    EditSchedina->SetValori(sys_.dati.TeamValues);
    EditSchedina->Numero->setText(QString::number(sys_.dati.ContestNumber));
    (sys_.dati.sviluppo.PairMode != 0 ? SpeedA : SpeedN)->setChecked(true);
    ApplicaModo(sys_.dati.sviluppo.PairMode != 0);
    AggiornaStatusLine();
    EditSchedina->AggiornaSemafori();
    EditSchedina->SetModificato(false);
    AggiornaAbilitazioni();
    impostando_ = false;
}

void TFormPrinc::NumeroChange() {
    bool ok = false;
    const int n = EditSchedina->Numero->text().trimmed().toInt(&ok);
    sys_.dati.ContestNumber = ok ? n : 0; // an empty field is contest 0
    sys_.modified = true;
}

void TFormPrinc::TuttiClick() {
    for (int i = 0; i < kTeams; ++i) {
        sys_.dati.Forecast[i] = kAllSigns;
    }
    sys_.Colonne.Clear();
    if ((sys_.dati.sviluppo.AutoRecalc != 0) && sviluppoAutomatico) {
        sviluppoAutomatico();
    }
    ImpostaTutto();
    sys_.modified = true;
}

void TFormPrinc::ApplicaModo(bool pairMode) {
    PanelAcc->setVisible(pairMode);
    sys_.dati.sviluppo.PairMode = pairMode ? 1 : 0;
    AggiornaAbilitazioni();
    AggiornaStatusLine();
}

void TFormPrinc::SpeedNClick() {
    ApplicaModo(SpeedA->isChecked());
    sys_.modified = true;
}

bool TFormPrinc::Conferma(bool conAnnulla) {
    if (!sys_.modified) {
        return true;
    }
    const int buttons = BtnSi | BtnNo | (conAnnulla ? BtnAnnulla : 0);
    const int r =
        Prompt().ShowMessage(msg::kInformazione, "Il Sistema non è Stato Salvato. Vuoi Salvarlo ? ", buttons);
    if (r == BtnAnnulla) {
        return false;
    }
    if (r == BtnSi && salvaSistema) {
        salvaSistema(); // a failed save raises and stops the caller
    }
    return true;
}

void TFormPrinc::AggiornaStatusLine(bool prezzoCompleto) {
    const TStatusTexts t = StatusTexts(sys_, prezzoCompleto);
    setWindowTitle(Q(t.titolo));
    PColonneF->setText(Q(t.colonneFinali));
    PColonneI->setText(Q(t.colonneIniziali));
    PDoppie->setText(Q(t.doppie));
    PTriple->setText(Q(t.triple));
    PQuadruple->setText(Q(t.quadruple));
}

void TFormPrinc::AggiornaAbilitazioni() {
    abil_ = tessaline::Abilitazioni(sys_, EditSchedina->SValori->Stato(), EditSchedina->SPercentuali->Stato(),
                                    static_cast<int>(archivio_.Count()));
    auto set = [this](const char* handler, bool on) {
        const QString h = QLatin1String(handler);
        if (QAction* a = Azione(h)) {
            a->setEnabled(on && available_[h]);
        }
    };
    set("SalvasuDisco1Click", abil_.salvaSuDisco);
    set("EsportainASCII1Click", abil_.esportaAscii);
    condizioni_->setEnabled(abil_.condizioni);
    set("CalcoloColonne1Click", abil_.condizioni);
    set("Quadri1Click", abil_.condizioni);
    set("SpeedQuadriClick", abil_.condizioni);
    set("SpeedSviluppaClick", abil_.condizioni);
    set("PartiteIntegrali1Click", abil_.squadreIntegrali);
    set("Valori1Click", abil_.valori);
    set("Percentuali1Click", abil_.percentuali);
    if (QMenu* ord = findChild<QMenu*>(QStringLiteral("Ordinamento1"))) {
        ord->setEnabled(abil_.ordinamento);
    }
    set("OrdDaMemoriaClick", abil_.ordinamentoDaMemoria);
    set("AnalisiStatistica1Click", abil_.analisiStatistica);
    set("Visualizzazione1Click", abil_.archivioVisualizzazione);
    for (const char* h : {"VisDaMemoria1Click", "DetDaMemoria1Click", "SpoglioDaMemoria1Click",
                          "DaFile6Click", "StDamemoria1Click", "SpeedVisualizzaClick"}) {
        set(h, abil_.daMemoria);
    }
    set("SpeedStampaClick", abil_.colonneInMemoria);
    set("SpeedSpoglioClick", abil_.colonneInMemoria);
    EditSchedina->BtnAnalisi->setEnabled(!sys_.Colonne.Empty());
    SemaforoAcc->SetStato(abil_.semaforoAcc);
}

void TFormPrinc::MarkConditions() {
    TInsiemeCondizioni& set = sys_.Insieme();
    for (const TVoceCondizione& v : VociCondizioni()) {
        TCondizione* c = set.Slot(v.slot);
        if (QAction* a = Azione(QLatin1String(v.handler))) {
            a->setChecked(c != nullptr && c->AggiornaStato());
        }
    }
    if (QAction* a = Azione(QStringLiteral("Link1Click"))) {
        a->setChecked(set.Link().AggiornaStato());
    }
}

// ---- showing and closing

void TFormPrinc::FormShow(const QStringList& args) {
    if (caricaAllAvvio) {
        caricaAllAvvio(args);
    }
    AggiornaAbilitazioni();
    ImpostaTutto();
    sys_.modified = false;
    RunAnimation(true);
}

void TFormPrinc::RunAnimation(bool on) {
    if (on) {
        animTimer_.start();
    } else {
        animTimer_.stop();
    }
}

void TFormPrinc::closeEvent(QCloseEvent* e) {
    bool goOn = false;
    try {
        goOn = Conferma(true);
    } catch (const std::exception& ex) {
        // The system could not be saved: stay open so that nothing is lost.
        Prompt().ShowMessage(msg::kInformazione, ex.what(), BtnOk);
        goOn = false;
    }
    if (!goOn) {
        e->ignore();
        return;
    }
    if (sys_.dati.settings.reloadLastCoupon && salvaUltimaSchedina) {
        try {
            salvaUltimaSchedina();
        } catch (...) {
            // the last coupon is a convenience: failures are silent
        }
    }
    RunAnimation(false);
    e->accept();
}

// ---- commands of this window

void TFormPrinc::ApriGuida(int context) {
    OpenHelp(context, this);
}

void TFormPrinc::Indice1Click() {
    OpenHelp(0, this);
}

void TFormPrinc::Varie1Click() {
    TFrmImpostazioni dlg(sys_.dati.settings, this);
    if (dlg.exec() == QDialog::Accepted) {
        if (!CaricaSfondo()) {
            Prompt().ShowMessage(msg::kInformazione, "Impossibile Caricare lo Sfondo", BtnOk);
        }
        sfondo_->update();
        AggiornaStatusLine();
        SalvaConfigurazione(sys_.dati.settings);
    }
}

void TFormPrinc::DatiRicevirotia1Click() {
    TFormDatiRicevitoria dlg(sys_.dati.settings, this);
    if (dlg.exec() == QDialog::Accepted) {
        SalvaConfigurazione(sys_.dati.settings);
    }
}

void TFormPrinc::PartiteIntegrali1Click() {
    TFormPartiteIntegrali dlg(sys_, Prompt(), this);
    if (dlg.exec() == QDialog::Accepted) {
        sys_.modified = true;
        AggiornaStatusLine();
    }
}

void TFormPrinc::SelezionaAccClick() {
    TFormAccoppiate dlg(sys_.dati.sviluppo.PairTable, sys_.dati.teamNames, this);
    dlg.ricalcolo = ricalcoloAccoppiate;
    if (dlg.exec() == QDialog::Accepted) {
        sys_.dati.sviluppo.PairTable = dlg.Tabella();
        sys_.Colonne.Clear();
        sys_.modified = true;
    } else if (ricalcoloAccoppiate) {
        ricalcoloAccoppiate(sys_.dati.sviluppo.PairTable); // back to the table the window left alone
    }
    AggiornaAbilitazioni();
    AggiornaStatusLine();
}

void TFormPrinc::About1Click() {
    TFormAbout dlg(this);
    dlg.exec();
}

} // namespace tessaline
