#include "archive/ui/archive_commands.h"

#include <exception>

#include "archive/ui/archive_windows.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"

namespace tessaline {

TComandiArchivio::TComandiArchivio(TAppContext& main, TFormSaver& saver)
    : QObject(main.Finestra()), main_(main), saver_(saver) {
    main.Collega(QStringLiteral("Editazione1Click"), [this] { Editazione1Click(); });
    main.Collega(QStringLiteral("Visualizzazione1Click"), [this] { Visualizzazione1Click(); });
}

void TComandiArchivio::Editazione1Click() {
    TFormEditconcprec form(main_, main_.Finestra());
    form.exec();
    main_.AggiornaAbilitazioni();
}

void TComandiArchivio::Visualizzazione1Click() {
    TFormvisArchivio form(main_, main_.Finestra());
    if (stampaArchivio) {
        form.ImpostaStampa([this, &form] {
            try {
                TGruppiScelti gruppi{};
                for (std::size_t g = 0; g < gruppi.size() && g < form.Caselle.size(); ++g) {
                    gruppi[g] = form.Caselle[g]->isChecked();
                }
                stampaArchivio(&form, gruppi);
            } catch (const std::exception& e) {
                main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
            }
        });
    }
    RunRemembered(saver_, form);
}

} // namespace tessaline
