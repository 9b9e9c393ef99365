#include "reduce/ui/shop_commands.h"

#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"
#include "core/ui/protected_command.h"
#include "reduce/ui/automatic_window.h"
#include "reduce/ui/immediate_window.h"

namespace tessaline {

TComandiRicevitoria::TComandiRicevitoria(TAppContext& main, TFileChooser& files, TFormSaver& saver,
                                         TStampaCedolina stampa, TConfermaStampa conferma)
    : QObject(main.Finestra()), main_(main), files_(files), saver_(saver), stampa_(std::move(stampa)),
      conferma_(std::move(conferma)) {
    main.Collega(QStringLiteral("RidottiImmediati1Click"), [this] { RidottiImmediati1Click(); });
    main.Collega(QStringLiteral("SchedineAutomatiche1Click"), [this] { SchedineAutomatiche1Click(); });
    main.Collega(QStringLiteral("SistemiAutomatici2Click"), [this] { SistemiAutomatici2Click(); });
}

void TComandiRicevitoria::Mostra(QDialog& dlg) {
    if (!primaDiMostrare) {
        MostraDialogo(main_, saver_, dlg, true, {});
        return;
    }
    // The tests' hook sees the dialog shown, as the user would.
    MostraDialogo(main_, saver_, dlg, true, [this](QDialog& shown) {
        shown.show();
        primaDiMostrare(shown);
        if (shown.isVisible()) {
            shown.reject();
        }
    });
}

void TComandiRicevitoria::Esegui(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

void TComandiRicevitoria::RidottiImmediati1Click() {
    Esegui([this] {
        TFrmRidottiImmediati dlg(main_, files_, stampa_, main_.Finestra());
        Mostra(dlg);
    });
}

void TComandiRicevitoria::SchedineAutomatiche1Click() {
    Esegui([this] {
        TFormSistAutomatici dlg(main_, files_, TFormSistAutomatici::TModo::Schedine, stampa_, conferma_,
                                main_.Finestra());
        Mostra(dlg);
    });
}

void TComandiRicevitoria::SistemiAutomatici2Click() {
    Esegui([this] {
        TFormSistAutomatici dlg(main_, files_, TFormSistAutomatici::TModo::Sistemi, stampa_, conferma_,
                                main_.Finestra());
        Mostra(dlg);
    });
}

} // namespace tessaline
