#include "conditions/ui/frame_dialogs.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "archive/contest_archive.h"
#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/points_between.h"
#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"

namespace tessaline {

// ---- the family dialogs of any condition

std::unique_ptr<QDialog> CreaDialogoCondizione(TCondizione& c, const TContestoDialoghi& ctx,
                                               QWidget* parent) {
    if (const TDescrizioneDialogo* d = DescrizioneDialogo(c.Tipo)) {
        if (auto* t = dynamic_cast<TCondTabelle*>(&c)) {
            return std::make_unique<TFormCondTabelle>(*t, *d, parent);
        }
        return nullptr;
    }
    if (c.Tipo == kCodPuntiTra && ctx.Prompt != nullptr) {
        return std::make_unique<TFormPtTra>(static_cast<TCondPuntiTra&>(c), *ctx.Prompt, parent);
    }
    auto* l = dynamic_cast<TListaCondizioni*>(&c);
    if (l == nullptr || ctx.Prompt == nullptr) {
        return nullptr;
    }
    switch (c.Tipo) {
    case kCodGruppoRisultati:
        return std::make_unique<TFormRisultati>(*l, ctx.Schedina.Squadre, parent);
    case kCodGruppoConsecutivita:
        return std::make_unique<TFormConsecutivita>(*l, parent);
    case kCodGruppoSequele:
        return std::make_unique<TFormSequele>(*l, *ctx.Prompt, parent);
    case kCodGruppoPuntiSquadra:
    case kCodGruppoValori:
    case kCodGruppoPercentuali:
        return std::make_unique<TFormPVP>(*l, ctx.Schedina, *ctx.Prompt, parent);
    case kCodGruppoColFiltro:
        return std::make_unique<TFrmListaColFiltro>(*l, ctx.Schedina, parent);
    default:
        return nullptr;
    }
}

bool ApriDialogoCondizione(TCondizione& c, const TContestoDialoghi& ctx, QWidget* parent) {
    const std::uint8_t lista = GruppoDellItem(c.Tipo);
    if (lista == 0) {
        std::unique_ptr<QDialog> d = CreaDialogoCondizione(c, ctx, parent);
        return d != nullptr && d->exec() == QDialog::Accepted;
    }
    // A lone item is edited as the only item of a list of its family.
    std::unique_ptr<TCondizione> l = CreaCondizione(lista, c.Owner);
    auto* list = dynamic_cast<TListaCondizioni*>(l.get());
    std::unique_ptr<TCondizione> copy = CopiaCondizione(c, c.Owner);
    if (list == nullptr || copy == nullptr) {
        return false;
    }
    list->Aggiungi(std::move(copy));
    std::unique_ptr<QDialog> d = CreaDialogoCondizione(*list, ctx, parent);
    if (auto* f = dynamic_cast<TFormLista*>(d.get())) {
        for (QWidget* w : std::initializer_list<QWidget*>{f->BtnPrimo, f->BtnPrecedente, f->BtnSuccessivo,
                                                          f->BtnUltimo, f->AggiungiBtn, f->EliminaBtn}) {
            w->hide();
        }
    }
    if (d == nullptr || d->exec() != QDialog::Accepted || list->Count() != 1) {
        return false;
    }
    return CopiaIn(list->Item(0), c);
}

// ---- the cards

TCardCondizione::TCardCondizione(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(4, 1, 4, 1);
    Selezione = new QCheckBox(this);
    Selezione->setObjectName(QStringLiteral("Selezione"));
    Titolo = new QLabel(this);
    Titolo->setObjectName(QStringLiteral("Titolo"));
    Titolo->setMinimumWidth(200);
    Titolo->setTextFormat(Qt::PlainText);
    Stato = new QToolButton(this);
    Stato->setObjectName(QStringLiteral("Stato"));
    Stato->setCheckable(true);
    Stato->setAutoRaise(true);
    Stato->setMinimumWidth(Stato->fontMetrics().horizontalAdvance(QStringLiteral("Disattivato")) + 12);
    Apri = new QToolButton(this);
    Apri->setObjectName(QStringLiteral("Apri"));
    Apri->setText(QStringLiteral("Apri"));
    h->addWidget(Selezione);
    h->addWidget(Titolo, 1);
    h->addWidget(Stato);
    h->addWidget(Apri);
}

// ---- the frame editor

namespace {

QString TitoloCard(const TCondizione& c, std::size_t i) {
    QString t = QStringLiteral("%1  %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(Q(c.Nome));
    if (c.Tipo == kCodColonnaFiltro) {
        t += QStringLiteral("  ") + Q(ColumnText(static_cast<const TCondColonnaFiltro&>(c).Filtro));
    } else if (const auto* l = dynamic_cast<const TListaCondizioni*>(&c)) {
        t += QStringLiteral(" (%1)").arg(l->Count());
    } else if (const auto* f = dynamic_cast<const TCondQuadro*>(&c)) {
        t += QStringLiteral(" (%1)").arg(f->Count());
    }
    return t;
}

const char* const kRelazioni[4] = {"AND (Tutte)", "OR (Almeno Una)", "XOR (Soltanto Una)",
                                   "NOT (Esclusione)"};

} // namespace

std::function<void(TFormQuadro&)>& TFormQuadro::CercaFisse() {
    static std::function<void(TFormQuadro&)> hook;
    return hook;
}

TFormQuadro::TFormQuadro(TInsiemeCondizioni& set, const TContestoDialoghi& ctx, TFileChooser& files,
                         const T_Archivio* archivio, QWidget* parent)
    : QDialog(parent), set_(set), ctx_(ctx), files_(files), archivio_(archivio), modello_(set) {
    setObjectName(QStringLiteral("FormQuadro"));
    setWindowTitle(QStringLiteral("Quadro"));
    originale_ = RecordCondizione(modello_.Corrente());

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 6, 8, 6);
    top->setSpacing(4);
    auto* nome = new QHBoxLayout;
    nome->addWidget(new QLabel(QStringLiteral("Nome Del Quadro"), this));
    NomeQuadro = new QLineEdit(this);
    NomeQuadro->setObjectName(QStringLiteral("NomeQuadro"));
    NomeQuadro->setMaxLength(static_cast<int>(kNomeQuadroWidth) - 1);
    nome->addWidget(NomeQuadro, 1);
    LabelLivello = new QLabel(this);
    LabelLivello->setObjectName(QStringLiteral("LabelLivello"));
    nome->addWidget(LabelLivello);
    top->addLayout(nome);

    auto* bottoni = new QHBoxLayout;
    auto button = [this, bottoni](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        bottoni->addWidget(b);
        return b;
    };
    BtnCaricaQuadro = button("Carica Quadro", "BtnCaricaQuadro");
    BtnSalvaQuadro = button("Salva Quadro", "BtnSalvaQuadro");
    BtnPrecedente = button("Quadro Precedente", "BtnPrecedente");
    BtnAlbero = button("Albero Condizioni", "BtnAlbero");
    BtnMenu = button("Comandi", "BtnMenu");
    bottoni->addStretch(1);
    top->addLayout(bottoni);

    auto* centro = new QHBoxLayout;
    auto* cards = new QVBoxLayout;
    cards->setSpacing(2);
    for (std::size_t k = 0; k < Cards.size(); ++k) {
        auto* c = new TCardCondizione(this);
        c->setObjectName(QStringLiteral("Card%1").arg(k + 1));
        cards->addWidget(c);
        Cards[k] = c;
        connect(c->Selezione, &QCheckBox::toggled, this, [this, k](bool on) {
            TCondQuadro& f = modello_.Corrente();
            const std::size_t i = static_cast<std::size_t>(f.Primo) + k;
            if (!mostrando_ && i < f.Count()) {
                f.Item(i).Selezionato = on;
            }
        });
        connect(c->Apri, &QToolButton::clicked, this, [this, k] { ApriCard(static_cast<int>(k)); });
        connect(c->Stato, &QToolButton::clicked, this, [this, k](bool on) {
            TCondQuadro& f = modello_.Corrente();
            const std::size_t i = static_cast<std::size_t>(f.Primo) + k;
            if (i < f.Count()) {
                f.Item(i).Attivato = on;
            }
            Mostra();
        });
    }
    cards->addStretch(1);
    centro->addLayout(cards, 1);
    Scorrimento = new QScrollBar(Qt::Vertical, this);
    Scorrimento->setObjectName(QStringLiteral("Scorrimento"));
    centro->addWidget(Scorrimento);
    auto* destra = new QVBoxLayout;
    Pannello = new TPannelloSc(this);
    Pannello->setObjectName(QStringLiteral("Pannello"));
    Pannello->SetSquadre(ctx_.Schedina.Squadre);
    Pannello->SetPronostico(ctx_.Schedina.Previsione);
    destra->addWidget(Pannello);
    destra->addStretch(1);
    centro->addLayout(destra);
    top->addLayout(centro, 1);

    Relazioni = new QStackedWidget(this);
    Relazioni->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* preset = new QGroupBox(QStringLiteral("Relazione tra le Condizioni"), this);
    auto* pl = new QGridLayout(preset);
    pl->setContentsMargins(6, 2, 6, 2);
    for (std::size_t r = 0; r < Relazione.size(); ++r) {
        Relazione[r] = new QRadioButton(QLatin1String(kRelazioni[r]), preset);
        Relazione[r]->setObjectName(QStringLiteral("Relazione%1").arg(r));
        pl->addWidget(Relazione[r], static_cast<int>(r / 2), static_cast<int>(r % 2));
        connect(Relazione[r], &QRadioButton::toggled, this, [this, r](bool on) {
            if (on && !mostrando_) {
                modello_.Corrente().ImpostaRelazione(static_cast<std::uint8_t>(r));
            }
        });
    }
    BtnParticolari = new QPushButton(QStringLiteral("Particolari"), preset);
    BtnParticolari->setObjectName(QStringLiteral("BtnParticolari"));
    BtnParticolari->setAutoDefault(false);
    pl->addWidget(BtnParticolari, 0, 2, 2, 1, Qt::AlignVCenter);
    pl->setColumnStretch(3, 1);
    Relazioni->addWidget(preset);
    auto* particolari = new QWidget(this);
    auto* xl = new QHBoxLayout(particolari);
    xl->setContentsMargins(0, 0, 0, 0);
    Accettate = new TGraphPt(particolari);
    Accettate->setObjectName(QStringLiteral("GraphAccettate"));
    Accettate->Titolo = QStringLiteral("Condizioni Accettate");
    Accettate->TipoCampo = false;
    BtnPreset = new QPushButton(QStringLiteral("Preset"), particolari);
    BtnPreset->setObjectName(QStringLiteral("BtnPreset"));
    BtnPreset->setAutoDefault(false);
    xl->addWidget(Accettate, 1);
    xl->addWidget(BtnPreset, 0, Qt::AlignTop);
    Relazioni->addWidget(particolari);
    top->addWidget(Relazioni);

    auto* stato = new QHBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("Stato"), this);
    auto* gl = new QHBoxLayout(group);
    gl->setContentsMargins(6, 2, 6, 2);
    RadioAttivato = new QRadioButton(QStringLiteral("Attivato"), group);
    RadioAttivato->setObjectName(QStringLiteral("RadioAttivato"));
    RadioDisattivato = new QRadioButton(QStringLiteral("Disattivato"), group);
    RadioDisattivato->setObjectName(QStringLiteral("RadioDisattivato"));
    gl->addWidget(RadioAttivato);
    gl->addWidget(RadioDisattivato);
    stato->addWidget(group);
    stato->addStretch(1);
    QDialogButtonBox* box = OkAnnullaAiuto(this, kHelpQuadro);
    stato->addWidget(box, 0, Qt::AlignBottom);
    top->addLayout(stato);

    CostruisciMenu();
    BtnMenu->setMenu(Popup);
    connect(BtnCaricaQuadro, &QPushButton::clicked, this, [this] { CaricaQuadroClick(); });
    connect(BtnSalvaQuadro, &QPushButton::clicked, this, [this] { SalvaQuadroClick(); });
    connect(BtnPrecedente, &QPushButton::clicked, this, [this] { PrecedenteClick(); });
    connect(BtnAlbero, &QPushButton::clicked, this, [this] { AlberoClick(); });
    connect(BtnParticolari, &QPushButton::clicked, this, [this] {
        Raccogli();
        modello_.Corrente().ImpostaPreset(false);
        Mostra();
    });
    connect(BtnPreset, &QPushButton::clicked, this, [this] {
        Raccogli();
        modello_.Corrente().ImpostaPreset(true);
        Mostra();
    });
    connect(Scorrimento, &QScrollBar::valueChanged, this, [this](int v) {
        if (!mostrando_) {
            Raccogli();
            modello_.Scorri(v);
            Mostra();
        }
    });
    connect(NomeQuadro, &QLineEdit::textEdited, this, [this] { Raccogli(); });
    connect(RadioAttivato, &QRadioButton::toggled, this, [this] {
        if (!mostrando_) {
            modello_.Corrente().Attivato = RadioAttivato->isChecked();
        }
    });
    Mostra();
}

TFormQuadro::~TFormQuadro() = default;

void TFormQuadro::CostruisciMenu() {
    Popup = new QMenu(this);
    Popup->setObjectName(QStringLiteral("Popup"));
    QMenu* nuova = Popup->addMenu(QStringLiteral("Nuova"));
    for (const TVoceNuova& v : VociNuova()) {
        if (v.Multiplo != 0) {
            QMenu* sub = nuova->addMenu(Q(v.Caption));
            QAction* s =
                sub->addAction(QStringLiteral("Singolo"), this, [this, &v] { NuovaClick(v, false); });
            s->setObjectName(Q(v.Caption) + QStringLiteral("|Singolo"));
            QAction* m =
                sub->addAction(QStringLiteral("Multiplo"), this, [this, &v] { NuovaClick(v, true); });
            m->setObjectName(Q(v.Caption) + QStringLiteral("|Multiplo"));
        } else {
            QAction* a = nuova->addAction(Q(v.Caption), this, [this, &v] { NuovaClick(v, false); });
            a->setObjectName(Q(v.Caption));
        }
    }
    Popup->addAction(QStringLiteral("Inserimento Automatico"), this,
                     [this] { InserimentoAutomaticoClick(); });
    Popup->addSeparator();
    Popup->addAction(QStringLiteral("Taglia"), this, [this] { TagliaClick(); });
    Popup->addAction(QStringLiteral("Copia"), this, [this] { CopiaClick(); });
    Popup->addAction(QStringLiteral("Incolla"), this, [this] { IncollaClick(); });
    Popup->addAction(QStringLiteral("Elimina"), this, [this] { EliminaClick(); });
    Popup->addSeparator();
    Popup->addAction(QStringLiteral("Salva"), this, [this] { SalvaCondizioniClick(); });
    Popup->addAction(QStringLiteral("Carica"), this, [this] { CaricaCondizioniClick(); });
    Popup->addSeparator();
    Popup->addAction(QStringLiteral("Commento"), this, [this] { CommentoClick(); });
    Popup->addSeparator();
    Popup->addAction(QStringLiteral("Adatta Al Prototipo"), this, [this] { PrototipoClick(); });
    // The fixed-sign search has its place here; it is enabled when the program provides it.
    QAction* cerca = Popup->addAction(QStringLiteral("Cerca Fisse"), this, [this] {
        if (CercaFisse()) {
            Raccogli();
            CercaFisse()(*this);
            Mostra();
        }
    });
    connect(Popup, &QMenu::aboutToShow, this, [this, cerca] {
        cerca->setEnabled(static_cast<bool>(CercaFisse()));
        Azione(QStringLiteral("Incolla"))->setEnabled(modello_.Appunti() > 0);
    });
}

QAction* TFormQuadro::Azione(const QString& caption) const {
    for (QAction* a : Popup->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

QAction* TFormQuadro::AzioneNuova(const QString& path) const {
    return Popup->findChild<QAction*>(path);
}

void TFormQuadro::contextMenuEvent(QContextMenuEvent* e) {
    Raccogli();
    Popup->exec(e->globalPos());
}

void TFormQuadro::Mostra() {
    mostrando_ = true;
    TCondQuadro& f = modello_.Corrente();
    NomeQuadro->setText(Q(f.Nome));
    (f.Attivato ? RadioAttivato : RadioDisattivato)->setChecked(true);
    LabelLivello->setText(modello_.Livello() == 0
                              ? QString()
                              : QStringLiteral("Sub Quadro, livello %1").arg(modello_.Livello()));
    BtnPrecedente->setEnabled(modello_.Livello() > 0);
    const int n = static_cast<int>(f.Count());
    Scorrimento->setRange(0, std::max(0, n - kCardVisibili));
    Scorrimento->setPageStep(kCardVisibili);
    modello_.Scorri(std::min(f.Primo, Scorrimento->maximum()));
    Scorrimento->setValue(f.Primo);
    for (std::size_t k = 0; k < Cards.size(); ++k) {
        TCardCondizione* c = Cards[k];
        const std::size_t i = static_cast<std::size_t>(f.Primo) + k;
        const bool on = i < f.Count();
        c->setEnabled(on);
        c->Selezione->setChecked(on && f.Item(i).Selezionato);
        c->Titolo->setText(on ? TitoloCard(f.Item(i), i) : QString());
        c->Stato->setChecked(on && f.Item(i).Attivato);
        c->Stato->setText(
            on ? (f.Item(i).Attivato ? QStringLiteral("Attivato") : QStringLiteral("Disattivato"))
               : QString());
        c->Apri->setVisible(on);
    }
    Relazioni->setCurrentIndex(f.Preset ? 0 : 1);
    Relazione[std::min<std::size_t>(f.Relazione, 3)]->setChecked(true);
    Accettate->ImpostaTabella(f.Accettate);
    mostrando_ = false;
}

void TFormQuadro::Raccogli() {
    TCondQuadro& f = modello_.Corrente();
    f.Nome = S(NomeQuadro->text());
    f.Attivato = RadioAttivato->isChecked();
    if (!f.Preset) {
        Accettate->LeggiTabella(f.Accettate);
    }
}

void TFormQuadro::ApriCard(int k) {
    Raccogli();
    TCondQuadro& f = modello_.Corrente();
    const std::size_t i = static_cast<std::size_t>(f.Primo) + static_cast<std::size_t>(k);
    if (i >= f.Count()) {
        return;
    }
    if (!modello_.Entra(i)) {
        ApriDialogoCondizione(f.Item(i), ctx_, this);
    }
    Mostra();
}

void TFormQuadro::Messaggio(const std::string& text) {
    if (ctx_.Prompt != nullptr) {
        ctx_.Prompt->ShowMessage(msg::kInformazione, text, BtnOk);
    }
}

void TFormQuadro::CaricaQuadroClick() {
    Raccogli();
    if (modello_.ChiedeConfermaCarica() && ctx_.Prompt != nullptr &&
        ctx_.Prompt->ShowMessage(msg::kConferma, msg::kEliminaContenutoQuadro, BtnSi | BtnNo) != BtnSi) {
        return;
    }
    TFileDialogRequest r;
    r.title = QStringLiteral("Carica Quadro");
    r.filter = QStringLiteral("Files Quadro (*.QDR)|*.QDR");
    r.defaultExtension = QStringLiteral("QDR");
    r.folder = Q(CartellaQuadri().string());
    r.mustExist = true;
    const QString file = files_.Choose(r);
    if (file.isEmpty()) {
        return;
    }
    try {
        modello_.CaricaQuadro(S(file));
    } catch (const EInOutError& e) {
        Messaggio(e.what());
    }
    Mostra();
}

void TFormQuadro::SalvaQuadroClick() {
    Raccogli();
    TFileDialogRequest r;
    r.title = QStringLiteral("Salva Quadro");
    r.filter = QStringLiteral("Files Quadro (*.QDR)|*.QDR");
    r.defaultExtension = QStringLiteral("QDR");
    r.folder = Q(CartellaQuadri().string());
    r.name = Q(NomeQuadroNuovo().string());
    r.save = true;
    const QString file = files_.Choose(r);
    if (file.isEmpty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(CartellaQuadri(), ec);
    try {
        modello_.SalvaQuadro(S(file));
    } catch (const EInOutError& e) {
        Messaggio(e.what());
    }
}

void TFormQuadro::PrecedenteClick() {
    Raccogli();
    modello_.Precedente();
    Mostra();
}

void TFormQuadro::AlberoClick() {
    Raccogli();
    TFormAlbero a(modello_, this);
    a.exec();
}

void TFormQuadro::NuovaClick(const TVoceNuova& voce, bool multiplo) {
    Raccogli();
    modello_.Nuova(voce, multiplo, modello_.PosizioneCorrente());
    Mostra();
}

void TFormQuadro::InserimentoAutomaticoClick() {
    Raccogli();
    if (ctx_.Prompt == nullptr) {
        return;
    }
    TFormInsArc_File d(archivio_, files_, *ctx_.Prompt, this);
    if (d.exec() != QDialog::Accepted) {
        return;
    }
    InserisciColonneFiltro(modello_.Corrente(), modello_.PosizioneCorrente(), d.Colonne(), d.TabellaPunti(),
                           d.Coppie->isChecked());
    Mostra();
}

void TFormQuadro::TagliaClick() {
    Raccogli();
    modello_.Taglia();
    Mostra();
}

void TFormQuadro::CopiaClick() {
    Raccogli();
    modello_.Copia();
}

void TFormQuadro::IncollaClick() {
    Raccogli();
    if (auto e = modello_.Incolla()) {
        Messaggio(*e);
    }
    Mostra();
}

void TFormQuadro::EliminaClick() {
    Raccogli();
    modello_.Elimina();
    Mostra();
}

void TFormQuadro::SalvaCondizioniClick() {
    Raccogli();
    TFileDialogRequest r;
    r.title = QStringLiteral("Salva le Condizioni");
    r.filter = QStringLiteral("Files Condizioni (*.CND)|*.CND");
    r.defaultExtension = QStringLiteral("CND");
    r.folder = Q(CartellaQuadri().string());
    r.save = true;
    const QString file = files_.Choose(r);
    if (file.isEmpty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(CartellaQuadri(), ec);
    try {
        modello_.SalvaCondizioni(S(file));
    } catch (const EInOutError& e) {
        Messaggio(e.what());
    }
}

void TFormQuadro::CaricaCondizioniClick() {
    Raccogli();
    TFileDialogRequest r;
    r.title = QStringLiteral("Carica le Condizioni");
    r.filter = QStringLiteral("Files Condizioni (*.CND)|*.CND");
    r.defaultExtension = QStringLiteral("CND");
    r.folder = Q(CartellaQuadri().string());
    r.mustExist = true;
    const QString file = files_.Choose(r);
    if (file.isEmpty()) {
        return;
    }
    try {
        modello_.CaricaCondizioni(S(file));
    } catch (const EInOutError& e) {
        Messaggio(e.what());
    }
    Mostra();
}

void TFormQuadro::CommentoClick() {
    Raccogli();
    TFormCommentoQuadro d(modello_.Corrente().Commento, this);
    d.exec();
}

void TFormQuadro::PrototipoClick() {
    Raccogli();
    std::array<bool, kTeams> scelte{};
    for (int t = 0; t < kTeams; ++t) {
        scelte[static_cast<std::size_t>(t)] = Pannello->Selezionata(t);
    }
    if (auto e = AdattaAlPrototipo(modello_.Corrente(), scelte, ctx_.Schedina.Previsione)) {
        Messaggio(*e);
    }
    Mostra();
}

void TFormQuadro::accept() {
    Raccogli();
    if (TCondizione* f = set_.Slot(kCodQuadro)) {
        f->AggiornaStato();
    }
    QDialog::accept();
}

void TFormQuadro::reject() {
    TCondizione* f = set_.Slot(kCodQuadro);
    if (f != nullptr && RecordCondizione(*f) != originale_) {
        TByteReader r(originale_);
        std::uint8_t tipo = 0;
        if (r.U8(tipo)) {
            f->Leggi(r);
        }
        f->AggiornaStato();
    }
    QDialog::reject();
}

// ---- "Albero Condizioni"

TFormAlbero::TFormAlbero(TModelloQuadro& modello, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAlbero"));
    setWindowTitle(QStringLiteral("Albero Condizioni"));
    auto* v = new QVBoxLayout(this);
    Albero = new QTreeWidget(this);
    Albero->setObjectName(QStringLiteral("Albero"));
    Albero->setHeaderHidden(true);
    std::vector<QTreeWidgetItem*> padri;
    for (const TNodoAlbero& n : modello.Albero()) {
        const auto livello = static_cast<std::size_t>(std::max(0, n.Livello));
        padri.resize(livello + 1);
        auto* it = livello == 0 ? new QTreeWidgetItem(Albero) : new QTreeWidgetItem(padri[livello - 1]);
        it->setText(0, Q(n.Titolo));
        padri[livello] = it;
    }
    Albero->expandAll();
    Albero->setMinimumSize(360, 240);
    v->addWidget(Albero, 1);
    auto* box = OkAnnullaAiuto(this, kHelpAlbero);
    if (auto* b = box->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))) {
        b->hide();
    }
    v->addWidget(box);
}

// ---- "Commento"

TFormCommentoQuadro::TFormCommentoQuadro(std::vector<std::string>& commento, QWidget* parent)
    : QDialog(parent), commento_(commento) {
    setObjectName(QStringLiteral("FormCommentoQuadro"));
    setWindowTitle(QStringLiteral("Commento"));
    auto* v = new QVBoxLayout(this);
    Testo = new QPlainTextEdit(this);
    Testo->setObjectName(QStringLiteral("Testo"));
    QStringList righe;
    for (const std::string& l : commento) {
        righe << Q(l);
    }
    Testo->setPlainText(righe.join(QLatin1Char('\n')));
    Testo->setMinimumSize(360, 200);
    v->addWidget(Testo, 1);
    v->addWidget(OkAnnullaAiuto(this, kHelpCommento));
}

void TFormCommentoQuadro::accept() {
    commento_.clear();
    const QString text = Testo->toPlainText();
    if (!text.isEmpty()) {
        for (const QString& l : text.split(QLatin1Char('\n'))) {
            commento_.push_back(S(l));
        }
    }
    QDialog::accept();
}

// ---- "Inserimento automatico delle colonne filtro"

TFormInsArc_File::TFormInsArc_File(const T_Archivio* archivio, TFileChooser& files, UserPrompt& prompt,
                                   QWidget* parent)
    : QDialog(parent), archivio_(archivio), files_(files), prompt_(prompt) {
    setObjectName(QStringLiteral("FormInsArc_File"));
    setWindowTitle(QStringLiteral("Inserimento automatico delle colonne filtro"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(8, 6, 8, 6);
    auto* sorgente = new QGroupBox(QStringLiteral("Sorgente"), this);
    auto* sl = new QGridLayout(sorgente);
    sl->setContentsMargins(6, 2, 6, 2);
    RadioArchivio = new QRadioButton(QStringLiteral("Archivio"), sorgente);
    RadioArchivio->setObjectName(QStringLiteral("RadioArchivio"));
    RadioFile = new QRadioButton(QStringLiteral("File Colonnare"), sorgente);
    RadioFile->setObjectName(QStringLiteral("RadioFile"));
    sl->addWidget(RadioArchivio, 0, 0);
    auto estremo = [this, sorgente, sl](int row, const char* caption, QSpinBox*& sup, QLabel*& inf,
                                        QSpinBox*& numero, const char* n1, const char* n2, const char* n3) {
        sl->addWidget(new QLabel(QString::fromUtf8(caption), sorgente), row, 1);
        inf = new QLabel(sorgente);
        inf->setObjectName(QLatin1String(n1));
        inf->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inf->setMinimumWidth(inf->fontMetrics().horizontalAdvance(QStringLiteral("0000/")));
        sup = new QSpinBox(sorgente);
        sup->setObjectName(QLatin1String(n2));
        numero = new QSpinBox(sorgente);
        numero->setObjectName(QLatin1String(n3));
        numero->setRange(1, 99);
        sl->addWidget(inf, row, 2);
        sl->addWidget(sup, row, 3);
        sl->addWidget(new QLabel(QStringLiteral("Nº"), sorgente), row, 4, Qt::AlignRight);
        sl->addWidget(numero, row, 5);
    };
    estremo(0, "Concorso Iniziale :", AnnoSup1, AnnoInf1, Concorso1, "AnnoInf1", "Annosup1", "Concorso1");
    estremo(1, "Concorso Finale :", AnnoSup2, AnnoInf2, Concorso2, "AnnoInf2", "AnnoSup2", "Concorso2");
    sl->addWidget(RadioFile, 2, 0);
    NomeFile = new QLineEdit(sorgente);
    NomeFile->setObjectName(QStringLiteral("NomeFile"));
    NomeFile->setReadOnly(true);
    BtnSfoglia = new QPushButton(QStringLiteral("Sfoglia..."), sorgente);
    BtnSfoglia->setObjectName(QStringLiteral("BtnSfoglia"));
    BtnSfoglia->setAutoDefault(false);
    sl->addWidget(NomeFile, 2, 1, 1, 4);
    sl->addWidget(BtnSfoglia, 2, 5);
    sl->setColumnStretch(6, 1);
    v->addWidget(sorgente);
    Punti = new TGraphPt(this);
    Punti->setObjectName(QStringLiteral("GraphPunti"));
    Punti->Titolo = QStringLiteral("Punti");
    Punti->ImpostaTabella(TTabellaPunti(kTeams, true));
    v->addWidget(Punti);
    Coppie = new QCheckBox(QStringLiteral("Confronto a Coppie"), this);
    Coppie->setObjectName(QStringLiteral("Coppie"));
    v->addWidget(Coppie);
    v->addStretch(1);
    v->addWidget(OkAnnullaAiuto(this, kHelpInsArc));

    std::int32_t primo = 0;
    std::int32_t ultimo = 0;
    const bool pieno = archivio_ != nullptr && archivio_->AnniEstremi(primo, ultimo);
    for (QSpinBox* s : {AnnoSup1, AnnoSup2}) {
        s->setRange(primo + 1, ultimo + 1);
    }
    TEstremoConcorso da;
    TEstremoConcorso a;
    if (pieno && EstremiProposti(*archivio_, da, a)) {
        AnnoSup1->setValue(da.Anno + 1);
        Concorso1->setValue(da.Numero);
        AnnoSup2->setValue(a.Anno + 1);
        Concorso2->setValue(a.Numero);
    }
    RadioArchivio->setEnabled(pieno);
    (pieno ? RadioArchivio : RadioFile)->setChecked(true);
    for (QSpinBox* s : {AnnoSup1, Concorso1}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(true); });
    }
    for (QSpinBox* s : {AnnoSup2, Concorso2}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { Estremi(false); });
    }
    connect(RadioArchivio, &QRadioButton::toggled, this, [this] { Sorgente(); });
    connect(BtnSfoglia, &QPushButton::clicked, this, [this] { SfogliaClick(); });
    connect(Coppie, &QCheckBox::toggled, this, [this](bool on) {
        Punti->PtVisibili = on ? kMatches + 1 : kTeams + 1;
        Punti->Aggiorna();
    });
    Estremi(true);
    Sorgente();
}

TEstremoConcorso TFormInsArc_File::Da() const {
    return {AnnoSup1->value() - 1, Concorso1->value()};
}

TEstremoConcorso TFormInsArc_File::A() const {
    return {AnnoSup2->value() - 1, Concorso2->value()};
}

void TFormInsArc_File::Estremi(bool primo) {
    // Moving one end past the other pulls the other along.
    const TEstremoConcorso da = Da();
    const TEstremoConcorso a = A();
    const bool oltre = da.Anno > a.Anno || (da.Anno == a.Anno && da.Numero > a.Numero);
    if (oltre) {
        const QSignalBlocker b1(AnnoSup1);
        const QSignalBlocker b2(Concorso1);
        const QSignalBlocker b3(AnnoSup2);
        const QSignalBlocker b4(Concorso2);
        if (primo) {
            AnnoSup2->setValue(AnnoSup1->value());
            Concorso2->setValue(Concorso1->value());
        } else {
            AnnoSup1->setValue(AnnoSup2->value());
            Concorso1->setValue(Concorso2->value());
        }
    }
    AnnoInf1->setText(QStringLiteral("%1/").arg(AnnoSup1->value() - 1));
    AnnoInf2->setText(QStringLiteral("%1/").arg(AnnoSup2->value() - 1));
}

void TFormInsArc_File::Sorgente() {
    const bool archivio = RadioArchivio->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{AnnoSup1, AnnoSup2, Concorso1, Concorso2}) {
        w->setEnabled(archivio);
    }
    NomeFile->setEnabled(!archivio);
    BtnSfoglia->setEnabled(!archivio);
}

void TFormInsArc_File::SfogliaClick() {
    TFileDialogRequest r;
    r.title = QStringLiteral("Seleziona il File Colonnare");
    r.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    r.defaultExtension = QStringLiteral("Col");
    r.folder = Q(FolderPath(TFolder::Colonne).string());
    r.mustExist = true;
    const QString file = files_.Choose(r);
    if (!file.isEmpty()) {
        NomeFile->setText(file);
        RadioFile->setChecked(true);
    }
}

TTabellaPunti TFormInsArc_File::TabellaPunti() const {
    TTabellaPunti t(kTeams, true);
    Punti->LeggiTabella(t);
    return t;
}

void TFormInsArc_File::accept() {
    colonne_.clear();
    if (RadioArchivio->isChecked()) {
        if (archivio_ != nullptr) {
            colonne_ = ColonneArchivio(*archivio_, Da(), A());
        }
    } else {
        if (NomeFile->text().isEmpty()) {
            SfogliaClick();
            if (NomeFile->text().isEmpty()) {
                return;
            }
        }
        TListaColonne lista;
        if (!lista.LoadFromFile(S(NomeFile->text()), false, nullptr)) {
            prompt_.ShowMessage(msg::kInformazione, kErroreFileColonnare, BtnOk);
            return;
        }
        colonne_.assign(lista.begin(), lista.end());
    }
    QDialog::accept();
}

} // namespace tessaline
