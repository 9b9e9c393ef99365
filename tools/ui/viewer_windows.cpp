#include "tools/ui/viewer_windows.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/ui/help.h"
#include "core/ui/quattro_colonne.h"

namespace tessaline {

namespace {

constexpr int kHelpVisualizza = 35;
constexpr int kHelpDettatura = 36;

void MostraSu(TQuattroColonne* display, const TSchedinaVin& s) {
    display->Imposta(s.numero, s.colonne, ColonneDaLeggere(s), {0, 0, 0});
}

} // namespace

// ---- TLettoreQt

TLettoreQt::TLettoreQt(QObject* parent) : QObject(parent) {
    std::optional<TSuonoPcm> s = CaricaWave(FileVocale());
    if (!s) {
        throw EInOutError(msg::kImpossibileFileVocale);
    }
    suono_ = std::move(*s);
    QAudioFormat format;
    format.setSampleRate(suono_.frequenza);
    format.setChannelCount(suono_.canali);
    format.setSampleFormat(suono_.bitPerCampione == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    sink_ = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
}

TLettoreQt::~TLettoreQt() {
    Chiudi();
}

void TLettoreQt::Pausa() {
    if (sink_ != nullptr) {
        sink_->stop();
    }
    buffer_.close();
}

void TLettoreQt::Suona() {
    if (sink_ == nullptr) {
        return;
    }
    const auto [from, to] = suono_.Byte(tratto_.inizio, tratto_.fine);
    buffer_.close();
    buffer_.setData(reinterpret_cast<const char*>(suono_.dati.data() + from),
                    static_cast<qsizetype>(to - from));
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
}

void TLettoreQt::Chiudi() {
    Pausa();
    delete sink_;
    sink_ = nullptr;
}

// ---- TFormVisCol

TFormVisCol::TFormVisCol(const TListaColonne& columns, QWidget* parent)
    : QDialog(parent), schedine_(CostruisciSchedine(columns)) {
    setObjectName(QStringLiteral("FormVisCol"));
    setWindowTitle(QStringLiteral("Visualizzazione Colonne"));
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < QuattroColonne.size(); ++i) {
        QuattroColonne[i] = new TQuattroColonne(this);
        QuattroColonne[i]->setObjectName(QStringLiteral("QuattroColonne%1").arg(i + 1));
        row->addWidget(QuattroColonne[i]);
    }
    top->addLayout(row);
    ScrollBar = new QScrollBar(Qt::Horizontal, this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setRange(0, std::max(0, static_cast<int>(schedine_.size()) - 4));
    ScrollBar->setPageStep(4);
    top->addWidget(ScrollBar);
    auto* buttons = new QHBoxLayout;
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    buttons->addStretch();
    buttons->addWidget(chiudi);
    buttons->addWidget(aiuto);
    top->addLayout(buttons);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpVisualizza, this); });
    connect(ScrollBar, &QScrollBar::valueChanged, this, &TFormVisCol::Mostra);
    Mostra(0);
}

void TFormVisCol::Mostra(int p) {
    for (std::size_t i = 0; i < QuattroColonne.size(); ++i) {
        const std::size_t k = static_cast<std::size_t>(p) + i;
        if (k < schedine_.size()) {
            MostraSu(QuattroColonne[i], schedine_[k]);
            QuattroColonne[i]->setVisible(true);
        } else {
            QuattroColonne[i]->Imposta(0, {}, 0, {0, 0, 0});
            QuattroColonne[i]->setVisible(false);
        }
    }
}

// ---- TFormDettSche

TFormDettSche::TFormDettSche(const TListaColonne& columns, TLettoreVocale& player, QWidget* parent)
    : QDialog(parent), dett_(CostruisciSchedine(columns)), player_(player) {
    setObjectName(QStringLiteral("FormDettSche"));
    setWindowTitle(QStringLiteral("Dettatura Schedine"));
    auto* top = new QHBoxLayout(this);
    Schedina = new TQuattroColonne(this);
    Schedina->setObjectName(QStringLiteral("QuattroColonne1"));
    top->addWidget(Schedina, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    top->addLayout(side);

    const int n = std::max(1, dett_.NumeroSchedine());
    auto* range = new QGroupBox(QStringLiteral("Schedine"), this);
    auto* rl = new QGridLayout(range);
    auto spin = [&](const char* name, int lo, int hi, int value) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QLatin1String(name));
        s->setRange(lo, hi);
        s->setValue(value);
        s->setGroupSeparatorShown(true);
        return s;
    };
    SpinMin = spin("SpinMin", 1, n, 1);
    SpinMax = spin("SpinMax", 1, n, n);
    const int wide = SpinMin->fontMetrics().horizontalAdvance(QStringLiteral("16.777.216")) + 40;
    SpinMin->setMinimumWidth(wide);
    SpinMax->setMinimumWidth(wide);
    rl->addWidget(new QLabel(QStringLiteral("Dalla Schedina"), range), 0, 0);
    rl->addWidget(SpinMin, 0, 1);
    rl->addWidget(new QLabel(QStringLiteral("Alla Schedina"), range), 1, 0);
    rl->addWidget(SpinMax, 1, 1);
    side->addWidget(range);

    auto* settings = new QGroupBox(QStringLiteral("Impostazioni"), this);
    auto* sl = new QGridLayout(settings);
    SpinPausa = spin("SpinPausa", 1, 50, 5);
    sl->addWidget(new QLabel(QStringLiteral("Pausa tra due Segni "), settings), 0, 0);
    sl->addWidget(SpinPausa, 0, 1);
    RadioRighe = new QRadioButton(QStringLiteral(" Dettatura per Righe"), settings);
    RadioRighe->setObjectName(QStringLiteral("RadioRighe"));
    RadioColonne = new QRadioButton(QStringLiteral(" Dettatura per Colonne"), settings);
    RadioColonne->setObjectName(QStringLiteral("RadioColonne"));
    RadioColonne->setChecked(true);
    CheckPausa = new QCheckBox(QStringLiteral("Pausa Dopo Ogni Schedina"), settings);
    CheckPausa->setObjectName(QStringLiteral("CheckPausa"));
    CheckPausa->setChecked(true);
    sl->addWidget(RadioRighe, 1, 0, 1, 2);
    sl->addWidget(RadioColonne, 2, 0, 1, 2);
    sl->addWidget(CheckPausa, 3, 0, 1, 2);
    side->addWidget(settings);

    auto* controls = new QHBoxLayout;
    BtnPlay = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("Avvia"), this);
    BtnPausa = new QPushButton(style()->standardIcon(QStyle::SP_MediaPause), QStringLiteral("Pausa"), this);
    BtnStop = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QStringLiteral("Stop"), this);
    for (QPushButton* b : {BtnPlay, BtnPausa, BtnStop}) {
        b->setAutoDefault(false);
        controls->addWidget(b);
    }
    side->addLayout(controls);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* aiuto = new QPushButton(QStringLiteral("Aiuto"), this);
    chiudi->setAutoDefault(false);
    aiuto->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(chiudi);
    buttons->addWidget(aiuto);
    side->addLayout(buttons);

    Timer = new QTimer(this);
    Timer->setInterval(dett_.Intervallo());
    connect(Timer, &QTimer::timeout, this, &TFormDettSche::Tick);
    connect(BtnPlay, &QPushButton::clicked, this, &TFormDettSche::PlayClick);
    connect(BtnPausa, &QPushButton::clicked, this, &TFormDettSche::PausaClick);
    connect(BtnStop, &QPushButton::clicked, this, &TFormDettSche::StopClick);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpDettatura, this); });
    connect(SpinPausa, &QSpinBox::valueChanged, this, [this](int v) {
        dett_.pausa = v;
        Timer->setInterval(dett_.Intervallo());
    });
    connect(RadioRighe, &QRadioButton::toggled, this, [this](bool on) { dett_.perRighe = on; });
    connect(CheckPausa, &QCheckBox::toggled, this, [this](bool on) { dett_.pausaDopoSchedina = on; });
    connect(SpinMin, &QSpinBox::valueChanged, this, [this](int v) {
        if (updating_) {
            return;
        }
        dett_.ImpostaMin(v);
        updating_ = true;
        SpinMin->setValue(dett_.Min());
        updating_ = false;
        MostraSchedina();
    });
    connect(SpinMax, &QSpinBox::valueChanged, this, [this](int v) {
        if (updating_) {
            return;
        }
        dett_.ImpostaMax(v);
        updating_ = true;
        SpinMax->setValue(dett_.Max());
        updating_ = false;
        // Lowering the last coupon below the shown one shows the first again.
        if (!dett_.TimerAttivo() && !dett_.InPausa() && dett_.Schedina() > dett_.Max()) {
            dett_.Ferma();
        }
        MostraSchedina();
    });
    MostraSchedina();
    Pulsanti();
}

void TFormDettSche::MostraSchedina() {
    if (dett_.NumeroSchedine() == 0) {
        Schedina->Imposta(0, {}, 0, {0, 0, 0});
        return;
    }
    const TSchedinaVin s = dett_.Mostrata();
    MostraSu(Schedina, s);
}

void TFormDettSche::Pulsanti() {
    const bool any = dett_.NumeroSchedine() > 0;
    BtnPlay->setEnabled(any && !dett_.TimerAttivo());
    BtnPausa->setEnabled(dett_.TimerAttivo() || dett_.InPausa());
    BtnStop->setEnabled(dett_.TimerAttivo() || dett_.InPausa());
    SpinMin->setEnabled(!dett_.TimerAttivo() && !dett_.InPausa());
    SpinMax->setEnabled(!dett_.TimerAttivo() && !dett_.InPausa());
}

void TFormDettSche::PlayClick() {
    if (dett_.Avvia()) {
        Timer->start(dett_.Intervallo());
    }
    Pulsanti();
}

void TFormDettSche::PausaClick() {
    dett_.Pausa();
    if (dett_.TimerAttivo()) {
        Timer->start(dett_.Intervallo());
    } else {
        Timer->stop();
    }
    Pulsanti();
}

void TFormDettSche::StopClick() {
    Timer->stop();
    dett_.Ferma();
    player_.Pausa();
    MostraSchedina();
    Pulsanti();
}

void TFormDettSche::Tick() {
    dett_.Tick(player_);
    if (!dett_.TimerAttivo()) {
        Timer->stop();
    }
    // The sign being read highlighted, the next coupon, or the first one again after the end.
    MostraSchedina();
    Pulsanti();
}

void TFormDettSche::done(int r) {
    Timer->stop();
    player_.Pausa();
    if (allaChiusura) {
        allaChiusura();
    }
    QDialog::done(r);
}

} // namespace tessaline
