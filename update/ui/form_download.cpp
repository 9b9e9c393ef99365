#include "update/ui/form_download.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "archive/contest_archive.h"
#include "core/ui/app_context.h"
#include "core/ui/help.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "system/config_file.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "update/net/ftp_curl.h"
#include "update/net/package.h"

namespace tessaline {

namespace {

// The engine's reports, handed to the window on the user-interface thread.
class TQueuedView final : public TUpdateView {
public:
    TQueuedView(TFormDownload& form) : form_(form), queue_(&form) {}
    void Passo(int i, int n) override {
        queue_.Post(0, [this, i, n] { form_.Passo(i, n); });
    }
    void Gauge(int percent) override {
        queue_.Post(1, [this, percent] { form_.UpdateGauge(percent); });
    }
    void Flush() { queue_.Flush(); }

private:
    TFormDownload& form_;
    TUiQueue queue_;
};

} // namespace

TFormDownload::TFormDownload(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormDownload"));
    setWindowTitle(QStringLiteral("Aggiornamento tramite Internet"));
    auto* lay = new QVBoxLayout(this);
    LabelPasso = new QLabel(this);
    LabelPasso->setObjectName(QStringLiteral("LabelPasso"));
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setMinimumWidth(320);
    BtnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    BtnAnnulla->setObjectName(QStringLiteral("BtnAnnulla"));
    auto* aiuto = new QPushButton(QStringLiteral("&Aiuto"), this);
    lay->addWidget(LabelPasso);
    lay->addWidget(Gauge);
    lay->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnAnnulla);
    buttons->addWidget(aiuto);
    lay->addLayout(buttons);
    connect(BtnAnnulla, &QPushButton::clicked, this, &TFormDownload::reject);
    connect(aiuto, &QPushButton::clicked, this, [this] { OpenHelp(kHelpContext, this); });
}

void TFormDownload::Prepara(TTipoAggiornamento tipo) {
    setWindowTitle(QString::fromUtf8(TitoloAggiornamento(tipo)));
    Gauge->setValue(0);
    Gauge->setFormat(QStringLiteral("%p%"));
    LabelPasso->clear();
    annulla_.Reset();
}

void TFormDownload::Passo(int i, int n) {
    LabelPasso->setText(QStringLiteral("Passo %1 di %2").arg(i).arg(n));
    Gauge->setValue(0);
}

void TFormDownload::UpdateGauge(int percent) {
    if (Gauge->value() != percent) {
        Gauge->setValue(percent);
    }
}

void TFormDownload::reject() {
    annulla_.Request();
    QDialog::reject();
}

TComandiAggiornamento::TComandiAggiornamento(TAppContext& main) : QObject(main.Finestra()), main_(main) {
    main.Collega(QStringLiteral("AggiornamentoSchedina1Click"),
                 [this] { Aggiorna(TTipoAggiornamento::Schedina); });
    main.Collega(QStringLiteral("AggiornamentoArchivi1Click"),
                 [this] { Aggiorna(TTipoAggiornamento::Archivi); });
    main.Collega(QStringLiteral("AggiornamentoListaSquadre1Click"),
                 [this] { Aggiorna(TTipoAggiornamento::Squadre); });
    main.Collega(QStringLiteral("AggiornamentoTessaline1Click"),
                 [this] { Aggiorna(TTipoAggiornamento::Programma); });
}

void TComandiAggiornamento::Aggiorna(TTipoAggiornamento tipo) {
    main_.RunAnimation(false);
    TFormDownload form(main_.Finestra());
    form.Prepara(tipo);
    form.show();
    TQueuedView view(form);
    TFtpCurl ftp;
    TPacchettoFirmato pacchetto;
    TAggiornamento update(ftp, view, form.Annullato());
    update.SetVersione(VersionText().front());
    update.SetProgramma(ProgrammaSostituibile(), &pacchetto);
    const std::string host = main_.Sistema().dati.settings.updateHost;
    TEsitoAggiornamento esito;
    {
        TInputBlock block(&form);
        RunOnWorker([&] { esito = update.Aggiorna(tipo, host); });
        view.Flush();
    }
    form.close();
    if (esito.riuscito) {
        switch (tipo) {
        case TTipoAggiornamento::Archivi:
            main_.Archivio().CaricaOppureNuovo(main_.Sistema().dati.settings.ricerca.Intervallo, nullptr);
            main_.AggiornaAbilitazioni();
            break;
        case TTipoAggiornamento::Schedina: {
            const std::filesystem::path file = esito.aggiornati.front();
            try {
                CaricaSchedina(main_.Sistema(), file);
            } catch (...) {
                std::error_code ec;
                std::filesystem::remove(file, ec);
                main_.RunAnimation(true);
                throw;
            }
            std::error_code ec;
            std::filesystem::remove(file, ec);
            main_.ImpostaTutto();
            break;
        }
        default:
            break;
        }
    }
    if (!esito.messaggio.empty()) {
        main_.Prompt().ShowMessage("Informazione", esito.messaggio, BtnOk);
    }
    if (esito.riuscito && tipo == TTipoAggiornamento::Programma) {
        // The new executable is in place: start it and leave.
        QProcess::startDetached(Q(esito.aggiornati.front().string()), {});
        QCoreApplication::quit();
        return;
    }
    main_.RunAnimation(true);
}

} // namespace tessaline
