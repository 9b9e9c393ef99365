#include "print/ui/print_commands.h"

#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "print/ui/print_window.h"
#include "print/ui/printer.h"
#include "print/ui/taratura_window.h"
#include "system/sistema.h"

namespace tessaline {

TComandiStampa::TComandiStampa(TAppContext& main, TFileChooser& files)
    : QObject(main.Finestra()), main_(main), files_(files) {
    const std::pair<const char*, void (TComandiStampa::*)()> entries[] = {
        {"TaraturaStampante1Click", &TComandiStampa::TaraturaStampante1Click},
        {"StDamemoria1Click", &TComandiStampa::StDamemoria1Click},
        {"SpeedStampaClick", &TComandiStampa::StDamemoria1Click},
        {"DaFile2Click", &TComandiStampa::DaFile2Click},
        {"ImpostaStampante1Click", &TComandiStampa::ImpostaStampante1Click}};
    CollegaMetodi(main, this, entries);
    main.stampaColonne = [this](const TListaColonne& columns) { StampaColonne(columns); };
}

void TComandiStampa::Protetto(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
}

void TComandiStampa::TaraturaStampante1Click() {
    Protetto([this] {
        TFrmTaratura dlg(main_.Sistema(), main_.Prompt(), main_.Finestra());
        dlg.exec();
    });
}

void TComandiStampa::StampaColonne(const TListaColonne& columns) {
    Protetto([this, &columns] {
        main_.RunAnimation(false);
        TFormStampaSchedine dlg(main_.Sistema(), main_.Prompt(), main_.Finestra());
        dlg.Colonne = columns;
        dlg.ImpostaTutto();
        if (primaDiMostrare) {
            primaDiMostrare(dlg);
        } else {
            dlg.exec();
        }
        main_.RunAnimation(true);
    });
}

void TComandiStampa::StDamemoria1Click() {
    StampaColonne(main_.Sistema().Colonne);
}

void TComandiStampa::DaFile2Click() {
    Protetto([this] {
        TFileDialogRequest request;
        request.title = QStringLiteral("Seleziona il File Colonnare");
        request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
        request.defaultExtension = QStringLiteral("Col");
        request.folder = Q(FolderPath(TFolder::Colonne).string());
        request.mustExist = true;
        const QString file = files_.Choose(request);
        if (file.isEmpty()) {
            return;
        }
        TListaColonne columns;
        if (!columns.LoadFromFile(S(file), false, &main_.Prompt())) {
            throw EInOutError(msg::kImpossibileCaricareFileColonnare);
        }
        if (columns.Empty()) {
            main_.Prompt().ShowMessage(msg::kInformazione, "Il File Colonnare non contiene colonne.", BtnOk);
            return;
        }
        StampaColonne(columns);
    });
}

void TComandiStampa::ImpostaStampante1Click() {
    ImpostaStampante(main_.Finestra());
}

} // namespace tessaline
