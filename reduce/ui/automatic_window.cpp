#include "reduce/ui/automatic_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "develop/merge.h"
#include "develop/reduced_build.h"
#include "reduce/immediate.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

QSpinBox* Spin(QWidget* parent, const QString& name, int max, int value) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(0, max);
    s->setValue(value);
    s->setMinimumWidth(56);
    return s;
}

QLineEdit* Costo(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setMinimumWidth(130);
    return e;
}

QPushButton* Pulsante(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// A uniform count between a minimum and a maximum box (a minimum above the maximum counts as it).
int Tra(TGeneratore& rng, const QSpinBox* min, const QSpinBox* max) {
    return Uniforme(rng, std::min(min->value(), max->value()), max->value());
}

bool PercentualiPresenti(const TeamGrid& g) {
    for (const auto& row : g) {
        if (row[0] + row[1] + row[2] + row[3] <= 0) {
            return false;
        }
    }
    return true;
}

} // namespace

void LimitaVarianti(const std::array<QSpinBox*, 3>& group) {
    for (std::size_t i = 0; i < 3; ++i) {
        QSpinBox* changed = group[i];
        QObject::connect(changed, &QSpinBox::valueChanged, changed, [group, i](int v) {
            int others = 0;
            for (std::size_t j = 0; j < 3; ++j) {
                others += j == i ? 0 : group[j]->value();
            }
            if (v + others > kTeams) {
                group[i]->setValue(kTeams - others);
            }
        });
    }
}

TFormSistAutomatici::TFormSistAutomatici(TAppContext& main, TFileChooser& files, TModo modo,
                                         TStampaCedolina stampa, TConfermaStampa conferma, QWidget* parent)
    : QDialog(parent), main_(main), files_(files), modo_(modo), stampa_(std::move(stampa)),
      conferma_(std::move(conferma)) {
    // Both commands share the window; the dialog memory keeps each one's entries apart.
    setObjectName(modo == TModo::Schedine ? QStringLiteral("FormSchedineAutomatiche")
                                          : QStringLiteral("FormSistAutomatici"));
    setWindowTitle(modo == TModo::Schedine ? QStringLiteral("Schedine Automatiche")
                                           : QStringLiteral("Sistemi Automatici"));
    seme = [] { return static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()); };

    NumSist = Spin(this, QStringLiteral("NumSist"), 1000, 5);
    NumSist->setMinimum(1);
    NumSist->setMaximumWidth(90);
    LabelNumSist = new QLabel(modo == TModo::Schedine ? QStringLiteral("Schedine da Generare")
                                                      : QStringLiteral("Sistemi da Generare"),
                              this);
    auto* tecnica = new QGroupBox(QStringLiteral("Tecnica di Generazione"), this);
    RadioCasuale = new QRadioButton(QStringLiteral("Casuale"), tecnica);
    RadioCasuale->setObjectName(QStringLiteral("RadioCasuale"));
    RadioCasuale->setChecked(true);
    RadioStatistica = new QRadioButton(QStringLiteral("Statistica"), tecnica);
    RadioStatistica->setObjectName(QStringLiteral("RadioStatistica"));
    RadioCasPic = new QRadioButton(QStringLiteral("Casuale con Picchetto"), tecnica);
    RadioCasPic->setObjectName(QStringLiteral("RadioCasPic"));
    auto* tv = new QVBoxLayout(tecnica);
    tv->addWidget(RadioCasuale);
    tv->addWidget(RadioStatistica);
    tv->addWidget(RadioCasPic);
    CheckUsaPro = new QCheckBox(QStringLiteral("Usa segni nel pronostico"), this);
    CheckUsaPro->setObjectName(QStringLiteral("CheckUsaPro"));
    checkStampaConc = new QCheckBox(QStringLiteral("Stampa il concorso sulle schedine"), this);
    checkStampaConc->setObjectName(QStringLiteral("checkStampaConc"));

    // Page "Sistemi Ridotti".
    Pagine = new QTabWidget(this);
    Pagine->setObjectName(QStringLiteral("Pagine"));
    auto* rid = new QWidget(Pagine);
    SpinSistD = Spin(rid, QStringLiteral("SpinSistD"), kTeams, 7);
    SpinSistT = Spin(rid, QStringLiteral("SpinSistT"), kTeams, 0);
    SpinSistQ = Spin(rid, QStringLiteral("SpinSistQ"), kTeams, 0);
    SpinSistDInt = Spin(rid, QStringLiteral("SpinSistDInt"), kTeams, 0);
    SpinSistTInt = Spin(rid, QStringLiteral("SpinSistTInt"), kTeams, 0);
    SpinSistQInt = Spin(rid, QStringLiteral("SpinSistQInt"), kTeams, 0);
    RadioN1 = new QRadioButton(QStringLiteral("Garanzia Cinque"), rid);
    RadioN1->setObjectName(QStringLiteral("RadioN1"));
    RadioN1->setChecked(true);
    RadioN2 = new QRadioButton(QStringLiteral("Garanzia Quattro"), rid);
    RadioN2->setObjectName(QStringLiteral("RadioN2"));
    {
        auto* g = new QGridLayout(rid);
        g->addWidget(new QLabel(QStringLiteral("Integrali"), rid), 0, 2);
        const std::tuple<const char*, QSpinBox*, QSpinBox*> rows[] = {
            {"Doppie in ogni Sistema", SpinSistD, SpinSistDInt},
            {"Triple in ogni Sistema", SpinSistT, SpinSistTInt},
            {"Quadruple in ogni Sistema", SpinSistQ, SpinSistQInt}};
        int r = 1;
        for (const auto& [text, count, integral] : rows) {
            g->addWidget(new QLabel(Q(text), rid), r, 0);
            g->addWidget(count, r, 1);
            g->addWidget(integral, r, 2);
            ++r;
        }
        auto* garanzia = new QHBoxLayout;
        garanzia->addWidget(RadioN1);
        garanzia->addWidget(RadioN2);
        garanzia->addStretch(1);
        g->addLayout(garanzia, r, 0, 1, 3);
        g->setRowStretch(r + 1, 1);
        g->setColumnStretch(3, 1);
    }
    // Page "Sistemi Integrali".
    auto* integ = new QWidget(Pagine);
    RadioFissoInt = new QRadioButton(QStringLiteral("Costo Fisso"), integ);
    RadioFissoInt->setObjectName(QStringLiteral("RadioFissoInt"));
    RadioFissoInt->setChecked(true);
    RadioCasInt = new QRadioButton(QStringLiteral("Costo Casuale"), integ);
    RadioCasInt->setObjectName(QStringLiteral("RadioCasInt"));
    const char* kinds[] = {"D", "T", "Q"};
    for (std::size_t i = 0; i < 3; ++i) {
        const QString k = QLatin1String(kinds[i]);
        SpinFSInt[i] = Spin(integ, QStringLiteral("Spin%1FSInt").arg(k), kTeams, 0);
        SpinMinCSInt[i] = Spin(integ, QStringLiteral("Spin%1MinCSInt").arg(k), kTeams, 0);
        SpinMaxCSInt[i] = Spin(integ, QStringLiteral("Spin%1MaxCSInt").arg(k), kTeams, 0);
    }
    EditCostoFisso = Costo(integ, QStringLiteral("EditCostoFisso"));
    EditCasCostoMin = Costo(integ, QStringLiteral("EditCasCostoMin"));
    EditCasCostoMax = Costo(integ, QStringLiteral("EditCasCostoMax"));
    {
        auto* g = new QGridLayout(integ);
        const char* heads[] = {"Dp", "Tr", "Qd"};
        for (int i = 0; i < 3; ++i) {
            g->addWidget(new QLabel(Q(heads[i]), integ), 1, 1 + i);
        }
        const std::tuple<int, const char*, std::array<QSpinBox*, 3>*, QLineEdit*> rows[] = {
            {2, "Varianti in ogni Sistema", &SpinFSInt, EditCostoFisso},
            {4, "Minimo di Varianti", &SpinMinCSInt, EditCasCostoMin},
            {5, "Massimo di Varianti", &SpinMaxCSInt, EditCasCostoMax}};
        for (const auto& [r, text, spins, cost] : rows) {
            g->addWidget(new QLabel(Q(text), integ), r, 0);
            for (int i = 0; i < 3; ++i) {
                g->addWidget((*spins)[static_cast<std::size_t>(i)], r, 1 + i);
            }
            g->addWidget(cost, r, 4);
        }
        g->addWidget(RadioFissoInt, 0, 0, 1, 5);
        g->addWidget(RadioCasInt, 3, 0, 1, 5);
        g->setRowStretch(6, 1);
        g->setColumnStretch(5, 1);
    }
    Pagine->addTab(rid, QStringLiteral("Sistemi Ridotti"));
    Pagine->addTab(integ, QStringLiteral("Sistemi Integrali"));

    // Coupons.
    PanelSchedine =
        new QGroupBox(QStringLiteral("Selezionare il costo delle tre colonne della schedina"), this);
    PanelSchedine->setObjectName(QStringLiteral("PanelSchedine"));
    CheckUsaC2 = new QCheckBox(QStringLiteral("Usa colonna"), PanelSchedine);
    CheckUsaC2->setObjectName(QStringLiteral("CheckUsaC2"));
    CheckUsaC2->setChecked(true);
    CheckUsaC3 = new QCheckBox(QStringLiteral("Usa colonna"), PanelSchedine);
    CheckUsaC3->setObjectName(QStringLiteral("CheckUsaC3"));
    CheckUsaC3->setChecked(true);
    CostoSchedina = Costo(PanelSchedine, QStringLiteral("CostoSchedina"));
    BtnGenMem = Pulsante(PanelSchedine, "BtnGenMem", "Mem");
    BtnGenfile = Pulsante(PanelSchedine, "BtnGenfile", "File");
    {
        auto* g = new QGridLayout(PanelSchedine);
        const char* titles[] = {"Colonna N\xC2\xBA 1 ", "Colonna N\xC2\xBA 2", "Colonna N\xC2\xBA 3"};
        const char* heads[] = {"Dp", "Tr", "Qd"};
        for (int h = 0; h < 3; ++h) {
            g->addWidget(new QLabel(Q(heads[h]), PanelSchedine), 0, 1 + h);
        }
        for (std::size_t c = 0; c < 3; ++c) {
            const int row = static_cast<int>(c) + 1;
            g->addWidget(new QLabel(Q(titles[c]), PanelSchedine), row, 0);
            for (std::size_t k = 0; k < 3; ++k) {
                SpinC[c][k] = Spin(PanelSchedine,
                                   QStringLiteral("SpinC%1%2").arg(c + 1).arg(QLatin1String(kinds[k])), 6, 0);
                g->addWidget(SpinC[c][k], row, 1 + static_cast<int>(k));
            }
            CostoC[c] = Costo(PanelSchedine, QStringLiteral("CostoC%1").arg(c + 1));
            g->addWidget(CostoC[c], row, 4);
            if (c > 0) {
                g->addWidget(c == 1 ? CheckUsaC2 : CheckUsaC3, row, 5);
            }
        }
        g->addWidget(new QLabel(QStringLiteral("Costo Schedina"), PanelSchedine), 4, 0);
        g->addWidget(CostoSchedina, 4, 4);
        auto* gen = new QHBoxLayout;
        gen->addWidget(BtnGenMem);
        gen->addWidget(BtnGenfile);
        g->addLayout(gen, 4, 5);
    }

    BtnStampaRid = Pulsante(this, "BtnStampaRid", "Stampa");
    BtnChiudi = Pulsante(this, "BtnChiudi", "Chiudi");
    BtnAnnulla = Pulsante(this, "BtnAnnulla", "Annulla");
    BtnAnnulla->hide();
    auto* aiuto = Pulsante(this, "BtnAiuto", "Aiuto");

    auto* top = new QHBoxLayout;
    auto* num = new QVBoxLayout;
    num->addWidget(LabelNumSist);
    num->addWidget(NumSist);
    num->addWidget(CheckUsaPro);
    num->addWidget(checkStampaConc);
    num->addStretch(1);
    top->addLayout(num);
    top->addWidget(tecnica);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(BtnStampaRid);
    buttons->addWidget(BtnChiudi);
    buttons->addWidget(aiuto);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(Pagine, 1);
    v->addWidget(PanelSchedine, 1);
    v->addLayout(buttons);

    // The rules of the spin boxes.
    LimitaVarianti({SpinSistD, SpinSistT, SpinSistQ});
    LimitaVarianti({SpinSistDInt, SpinSistTInt, SpinSistQInt});
    LimitaVarianti(SpinFSInt);
    LimitaVarianti(SpinMinCSInt);
    LimitaVarianti(SpinMaxCSInt);
    for (const auto& group : SpinC) {
        LimitaVarianti(group);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        connect(SpinMaxCSInt[i], &QSpinBox::valueChanged, this, [this, i](int v) {
            if (v < SpinMinCSInt[i]->value()) {
                SpinMinCSInt[i]->setValue(v);
            }
        });
    }
    for (QSpinBox* s : {SpinFSInt[0], SpinFSInt[1], SpinFSInt[2], SpinMinCSInt[0], SpinMinCSInt[1],
                        SpinMinCSInt[2], SpinMaxCSInt[0], SpinMaxCSInt[1], SpinMaxCSInt[2]}) {
        connect(s, &QSpinBox::valueChanged, this, [this] { AggiornaCostiSistemi(); });
    }
    for (QRadioButton* r : {RadioFissoInt, RadioCasInt}) {
        connect(r, &QRadioButton::toggled, this, [this] { AggiornaCostiSistemi(); });
    }
    for (const auto& group : SpinC) {
        for (QSpinBox* s : group) {
            connect(s, &QSpinBox::valueChanged, this, [this] { AggiornaSchedina(); });
        }
    }
    for (QCheckBox* c : {CheckUsaC2, CheckUsaC3}) {
        connect(c, &QCheckBox::toggled, this, [this] { AggiornaSchedina(); });
    }
    for (QWidget* w : {static_cast<QWidget*>(CheckUsaPro), static_cast<QWidget*>(RadioCasPic),
                       static_cast<QWidget*>(RadioCasuale), static_cast<QWidget*>(RadioStatistica)}) {
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            connect(b, &QAbstractButton::toggled, this, [this] { CheckEnabled(); });
        }
    }
    connect(BtnGenMem, &QPushButton::clicked, this, [this] { GenMemClick(); });
    connect(BtnGenfile, &QPushButton::clicked, this, [this] { GenFileClick(); });
    connect(BtnStampaRid, &QPushButton::clicked, this, [this] { StampaClick(); });
    connect(BtnChiudi, &QPushButton::clicked, this, [this] { reject(); });
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });

    // The mode.
    const bool coupons = modo == TModo::Schedine;
    checkStampaConc->setVisible(!coupons);
    Pagine->setVisible(!coupons);
    PanelSchedine->setVisible(coupons);
    Pagine->setCurrentIndex(0);
    AggiornaSchedina();
    AggiornaCostiSistemi();
    CheckEnabled();
}

TFormSistAutomatici::~TFormSistAutomatici() = default;

void TFormSistAutomatici::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!giocate_) {
        giocate_ = std::make_unique<TArchivioGiocate>(main_.Sistema().dati.ContestNumber);
        giocate_->CaricaArchivio();
    }
    AggiornaSchedina();
    AggiornaCostiSistemi();
    CheckEnabled();
}

void TFormSistAutomatici::done(int r) {
    if (running_) {
        return; // "Annulla" stops the run first
    }
    if (giocate_) {
        try {
            giocate_->SalvaArchivio();
        } catch (const std::exception& ex) {
            main_.Prompt().ShowMessage(msg::kInformazione, ex.what(), BtnOk);
        }
        giocate_.reset();
    }
    QDialog::done(r);
}

std::string TFormSistAutomatici::TestoCosto(double amount) const {
    const bool euro = main_.Sistema().dati.settings.costsInEuro;
    return std::string(" ") + CurrencySign(euro) + " " + FormatAmount(amount, euro);
}

void TFormSistAutomatici::CheckEnabled() {
    const T_Sistema& sys = main_.Sistema();
    const bool completo = PronosticoCompleto(sys.dati.Forecast);
    CheckUsaPro->setEnabled(completo);
    if (!completo && CheckUsaPro->isChecked()) {
        CheckUsaPro->setChecked(false);
    }
    const bool picchetto = PercentualiPresenti(sys.dati.TeamPercentages);
    RadioCasPic->setEnabled(picchetto);
    if (!picchetto && RadioCasPic->isChecked()) {
        RadioCasuale->setChecked(true);
    }
}

std::array<TColonnaSchedina, 3> TFormSistAutomatici::ColonneSchedina() const {
    std::array<TColonnaSchedina, 3> cols{};
    for (std::size_t c = 0; c < 3; ++c) {
        cols[c].doppie = SpinC[c][0]->value();
        cols[c].triple = SpinC[c][1]->value();
        cols[c].quadruple = SpinC[c][2]->value();
    }
    cols[1].usata = CheckUsaC2->isChecked();
    cols[2].usata = CheckUsaC3->isChecked();
    return cols;
}

void TFormSistAutomatici::AggiornaSchedina() {
    const auto cols = ColonneSchedina();
    const auto costs = CostiSchedina(cols, main_.Sistema().ColumnCost());
    for (std::size_t c = 0; c < 3; ++c) {
        const bool used = c == 0 || cols[c].usata;
        for (QSpinBox* s : SpinC[c]) {
            s->setEnabled(used);
        }
        CostoC[c]->setText(used ? Q(TestoCosto(costs[c])) : QString());
    }
    CostoSchedina->setText(Q(TestoCosto(costs[0] + costs[1] + costs[2]) + "  "));
    const bool simple = SchedinaSemplice(cols);
    BtnGenMem->setEnabled(simple);
    BtnGenfile->setEnabled(simple);
}

void TFormSistAutomatici::AggiornaCostiSistemi() {
    const double price = main_.Sistema().ColumnCost();
    const bool euro = main_.Sistema().dati.settings.costsInEuro;
    const auto text = [&](const std::array<QSpinBox*, 3>& g) {
        const double amount = CostoColonna(price, g[0]->value(), g[1]->value(), g[2]->value());
        return Q(std::string(" ") + CurrencySign(euro) + " " + FormatAmount(amount, false));
    };
    EditCostoFisso->setText(text(SpinFSInt));
    EditCasCostoMin->setText(text(SpinMinCSInt));
    EditCasCostoMax->setText(text(SpinMaxCSInt));
    const bool fixed = RadioFissoInt->isChecked();
    for (std::size_t i = 0; i < 3; ++i) {
        SpinFSInt[i]->setEnabled(fixed);
        SpinMinCSInt[i]->setEnabled(!fixed);
        SpinMaxCSInt[i]->setEnabled(!fixed);
    }
}

TOpzioniPesi TFormSistAutomatici::Opzioni() const {
    const T_Sistema& sys = main_.Sistema();
    TOpzioniPesi o;
    o.tecnica = RadioStatistica->isChecked() ? TTecnica::Statistica
                : RadioCasPic->isChecked()   ? TTecnica::CasualeConPicchetto
                                             : TTecnica::Casuale;
    o.usaPronostico = CheckUsaPro->isChecked();
    o.pronostico = sys.dati.Forecast;
    o.percentuali = sys.dati.TeamPercentages;
    if (o.tecnica == TTecnica::Statistica) {
        o.statistica = StatisticaDa(
            CalcolaStoriaSquadre(main_.Archivio().Concorsi(), sys.dati.settings.ricerca.Intervallo));
    }
    return o;
}

void TFormSistAutomatici::Errore() {
    main_.Prompt().ShowMessage(msg::kInformazione,
                               ErroreTesto(CheckUsaPro->isChecked(), RadioCasPic->isChecked()), BtnOk);
}

std::optional<TPesi> TFormSistAutomatici::PreparaPesi() {
    auto p = tessaline::PreparaPesi(Opzioni());
    if (!p) {
        Errore();
    }
    return p;
}

bool TFormSistAutomatici::GeneraColonne(int n) {
    const auto p = PreparaPesi();
    if (!p) {
        return false;
    }
    TGeneratore rng(seme());
    Colonne.Clear();
    const Pronostico allowed = InsiemiAmmessi(Opzioni());
    for (int k = 0; k < n; ++k) {
        const auto c = ColonnaCasuale(*p, allowed, 0, 0, 0, rng);
        if (!c) {
            Errore();
            Colonne.Clear();
            return false;
        }
        Colonne.Append(*c);
    }
    return true;
}

void TFormSistAutomatici::GenMemClick() {
    if (!GeneraColonne(3 * NumSist->value())) {
        return;
    }
    T_Sistema& sys = main_.Sistema();
    sys.Colonne = std::move(Colonne);
    Colonne.Clear();
    sys.dati.columnsValid = 1;
    sys.dati.finalCount = sys.Colonne.Count();
    accept();
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

void TFormSistAutomatici::GenFileClick() {
    if (!GeneraColonne(3 * NumSist->value())) {
        return;
    }
    const QString file = files_.Choose(SalvaColonneRequest());
    if (file.isEmpty()) {
        return;
    }
    if (QFileInfo::exists(file) &&
        main_.Prompt().ShowMessage(msg::kInformazione, msg::kFileEsiste, BtnSi | BtnNo) != BtnSi) {
        return;
    }
    if (!Colonne.SaveToFile(S(file))) {
        main_.Prompt().ShowMessage(msg::kInformazione, msg::kErroreScritturaColonnare, BtnOk);
    }
}

void TFormSistAutomatici::StampaClick() {
    try {
        if (modo_ == TModo::Schedine) {
            StampaSchedine();
        } else {
            StampaSistemi();
        }
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TFormSistAutomatici::StampaSchedine() {
    T_Sistema& sys = main_.Sistema();
    const double price = sys.ColumnCost();
    const auto cols = ColonneSchedina();
    const auto costs = CostiSchedina(cols, price);
    if (costs[0] + costs[1] + costs[2] < 2 * price) {
        main_.Prompt().ShowMessage(msg::kInformazione,
                                   msg::kCostoMinimoSchedina + TestoCosto(2 * price).substr(1), BtnOk);
        return;
    }
    const auto p = PreparaPesi();
    if (!p) {
        return;
    }
    CheckEnabled();
    TGeneratore rng(seme());
    Colonne.Clear();
    const bool ok = GeneraSchedine(NumSist->value(), cols, *p, InsiemiAmmessi(Opzioni()), rng, Colonne,
                                   [this](const std::array<Colonna, 3>& c) {
                                       if (giocate_) {
                                           giocate_->AggiungiSchedina(c[0], c[1], c[2]);
                                       }
                                   });
    if (!ok) {
        Errore();
        return;
    }
    if (!conferma_ || !conferma_()) {
        return;
    }
    TLavoroCedolina job;
    job.colonne = Colonne;
    job.modoCedolina = false;
    job.stampaCedolina = false;
    job.costoFisso = true;
    job.colonnePerSchedina = 3;
    job.mostra = false;
    job.nome = "Schedine Automatiche";
    if (stampa_) {
        stampa_(job);
    }
}

void TFormSistAutomatici::StampaSistemi() {
    const bool integrale = Pagine->currentIndex() == 1;
    const int dInt = SpinSistDInt->value();
    const int tInt = SpinSistTInt->value();
    const int qInt = SpinSistQInt->value();
    if (!integrale) {
        if (const auto e = ErroreIntegrali(SpinSistD->value(), SpinSistT->value(), SpinSistQ->value(), dInt,
                                           tInt, qInt)) {
            main_.Prompt().ShowMessage(msg::kInformazione, *e, BtnOk);
            return;
        }
    }
    const auto p = PreparaPesi();
    if (!p) {
        return;
    }
    CheckEnabled();
    const Pronostico allowed = InsiemiAmmessi(Opzioni());
    TGeneratore rng(seme());
    for (int k = 1; k <= NumSist->value(); ++k) {
        int d = SpinSistD->value();
        int t = SpinSistT->value();
        int q = SpinSistQ->value();
        if (integrale) {
            const bool fixed = RadioFissoInt->isChecked();
            d = fixed ? SpinFSInt[0]->value() : Tra(rng, SpinMinCSInt[0], SpinMaxCSInt[0]);
            t = fixed ? SpinFSInt[1]->value() : Tra(rng, SpinMinCSInt[1], SpinMaxCSInt[1]);
            q = fixed ? SpinFSInt[2]->value() : Tra(rng, SpinMinCSInt[2], SpinMaxCSInt[2]);
        }
        if (!StampaSistema(k, integrale, d, t, q, *p, allowed, rng)) {
            return;
        }
    }
}

bool TFormSistAutomatici::StampaSistema(int k, bool integrale, int d, int t, int q, const TPesi& p,
                                        const Pronostico& ammessi, TGeneratore& rng) {
    T_Sistema& sys = main_.Sistema();
    // Random minimum and maximum counts may add up to more than a column holds.
    const auto base = d + t + q <= kTeams ? ColonnaCasuale(p, ammessi, d, t, q, rng) : std::nullopt;
    if (!base) {
        Errore();
        return false;
    }
    Colonne.Clear();
    const bool five = RadioN1->isChecked();
    if (integrale) {
        Colonne.Append(*base);
    } else {
        TRichiestaRidotto r;
        r.base = *base;
        r.garanzia = five ? 5 : 4;
        r.basi =
            IntegraliCasuali(*base, SpinSistDInt->value(), SpinSistTInt->value(), SpinSistQInt->value(), rng);
        r.migliorata = sys.dati.settings.improvedReduction;
        TUiThreadPrompt asked(&main_.Prompt());
        TCancelFlag cancel;
        TDevelopHooks hooks;
        hooks.prompt = &asked;
        hooks.cancel = &cancel;
        TListaColonne built;
        running_ = true;
        BtnAnnulla->show();
        BtnStampaRid->setEnabled(false);
        BtnChiudi->setEnabled(false);
        const auto conn = connect(BtnAnnulla, &QPushButton::clicked, this, [&cancel] { cancel.Request(); });
        const auto finish = [&] {
            QApplication::restoreOverrideCursor();
            disconnect(conn);
            BtnAnnulla->hide();
            BtnStampaRid->setEnabled(true);
            BtnChiudi->setEnabled(true);
            running_ = false;
        };
        QApplication::setOverrideCursor(Qt::BusyCursor);
        try {
            TInputBlock block(this);
            RunOnWorker([&] { built = CostruisciRidotto(sys, r, hooks); });
        } catch (...) {
            finish();
            throw;
        }
        finish();
        sys.Colonne.Clear();
        if (built.Empty()) {
            return false;
        }
        Colonne = std::move(built);
        Merge(Colonne, sys.dati.settings.automaticMerge, nullptr, nullptr);
    }
    if (k == 1 && (!conferma_ || !conferma_())) {
        return false;
    }
    if (giocate_) {
        if (integrale) {
            giocate_->AggiungiIntegrale(*base);
        } else {
            giocate_->AggiungiSistema(Colonne, d, t, q);
        }
    }
    std::int64_t singles = 0;
    for (const Colonna& c : Colonne) {
        singles += ColumnsCovered(c);
    }
    TLavoroCedolina job;
    job.righe[0] = RigaVarianti(d, t, q);
    job.righe[1] = integrale ? std::string("Sistema Integrale")
                             : std::string("Sistema a Garanzia ") + (five ? "5" : "4");
    job.colonnaCedolina = *base;
    job.righe[2] = RigaCosto(static_cast<double>(singles) * sys.ColumnCost(), sys.dati.settings.costsInEuro,
                             checkStampaConc->isChecked(), sys.dati.ContestNumber);
    job.righe[3] = "Sistema N\xC2\xBA " + std::to_string(k);
    job.colonne = Colonne;
    job.modoCedolina = true;
    job.stampaCedolina = true;
    job.costoFisso = false;
    job.colonnePerSchedina = 3;
    job.mostra = false;
    job.nome = "Sistema N\xC2\xBA " + std::to_string(k);
    if (stampa_) {
        stampa_(job);
    }
    return true;
}

} // namespace tessaline
