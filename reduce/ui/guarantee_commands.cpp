#include "reduce/ui/guarantee_commands.h"

#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"
#include "reduce/ui/guarantee_window.h"

namespace tessaline {

TComandiGaranzie::TComandiGaranzie(TAppContext& main, TFileChooser& files, TFormSaver& saver,
                                   TStampante printer)
    : QObject(main.Finestra()), main_(main), files_(files), saver_(saver), printer_(std::move(printer)) {
    main.Collega(QStringLiteral("CalcoloGaranzie1Click"), [this] { CalcoloGaranzie1Click(); });
}

void TComandiGaranzie::CalcoloGaranzie1Click() {
    try {
        TFrmCalcGaranzie dlg(main_, files_, results_, main_.Finestra());
        dlg.stampante = printer_;
        if (primaDiMostrare) {
            saver_.Ripristina(&dlg);
            primaDiMostrare(dlg);
            saver_.Salva(&dlg);
        } else {
            RunRemembered(saver_, dlg);
        }
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

} // namespace tessaline
