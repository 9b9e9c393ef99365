#include "reduce/ui/shop_commands.h"

#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"
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

void TComandiRicevitoria::Esegui(QDialog& dlg) {
    if (primaDiMostrare) {
        saver_.Ripristina(&dlg);
        dlg.show();
        primaDiMostrare(dlg);
        if (dlg.isVisible()) {
            dlg.reject();
        }
        saver_.Salva(&dlg);
    } else {
        RunRemembered(saver_, dlg);
    }
}

void TComandiRicevitoria::RidottiImmediati1Click() {
    try {
        TFrmRidottiImmediati dlg(main_, files_, stampa_, main_.Finestra());
        Esegui(dlg);
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

void TComandiRicevitoria::SchedineAutomatiche1Click() {
    try {
        TFormSistAutomatici dlg(main_, files_, TFormSistAutomatici::TModo::Schedine, stampa_, conferma_,
                                main_.Finestra());
        Esegui(dlg);
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

void TComandiRicevitoria::SistemiAutomatici2Click() {
    try {
        TFormSistAutomatici dlg(main_, files_, TFormSistAutomatici::TModo::Sistemi, stampa_, conferma_,
                                main_.Finestra());
        Esegui(dlg);
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
    main_.AggiornaStatusLine();
    main_.AggiornaAbilitazioni();
}

} // namespace tessaline
