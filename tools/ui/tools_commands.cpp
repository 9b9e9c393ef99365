#include "tools/ui/tools_commands.h"

#include <exception>
#include <memory>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/form_saver.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "system/sistema.h"
#include "tools/ui/column_editor_window.h"
#include "tools/ui/column_tool_windows.h"
#include "tools/ui/viewer_windows.h"

namespace tessaline {

TComandiColonne::TComandiColonne(TAppContext& main, TFileChooser& files, TFormSaver& saver)
    : QObject(main.Finestra()), main_(main), files_(files), saver_(saver) {
    const std::pair<const char*, void (TComandiColonne::*)()> entries[] = {
        {"VisDaMemoria1Click", &TComandiColonne::VisDaMemoria1Click},
        {"SpeedVisualizzaClick", &TComandiColonne::VisDaMemoria1Click},
        {"DaFile3Click", &TComandiColonne::DaFile3Click},
        {"DetDaMemoria1Click", &TComandiColonne::DetDaMemoria1Click},
        {"DaFile4Click", &TComandiColonne::DaFile4Click},
        {"OrdDaMemoriaClick", &TComandiColonne::OrdDaMemoriaClick},
        {"DaFile5Click", &TComandiColonne::DaFile5Click},
        {"Operazioni1Click", &TComandiColonne::Operazioni1Click},
        {"EditordiColonne1Click", &TComandiColonne::EditordiColonne1Click}};
    CollegaMetodi(main, this, entries);
}

void TComandiColonne::Protetto(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
}

void TComandiColonne::Mostra(QDialog& dlg, bool remembered) {
    MostraDialogo(main_, saver_, dlg, remembered, primaDiMostrare);
}

bool TComandiColonne::DaFile(TListaColonne& out) {
    TFileDialogRequest request;
    request.title = QStringLiteral("Seleziona il File Colonnare");
    request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = Q(FolderPath(TFolder::Colonne).string());
    request.mustExist = true;
    const QString file = files_.Choose(request);
    if (file.isEmpty()) {
        return false;
    }
    if (!out.LoadFromFile(std::filesystem::path(S(file)), false, &main_.Prompt())) {
        throw EInOutError(msg::kImpossibileCaricareColonne);
    }
    return true;
}

void TComandiColonne::Visualizza(const TListaColonne& columns) {
    TFormVisCol dlg(columns, main_.Finestra());
    Mostra(dlg, false);
}

void TComandiColonne::Detta(const TListaColonne& columns) {
    std::unique_ptr<TLettoreQt> own;
    TLettoreVocale* player = lettore ? lettore() : nullptr;
    if (player == nullptr) {
        own = std::make_unique<TLettoreQt>(); // raises "Impossibile Caricare il File Vocale"
        player = own.get();
    }
    TFormDettSche dlg(columns, *player, main_.Finestra());
    TLettoreQt* qt = own.get();
    dlg.allaChiusura = [qt] {
        if (qt != nullptr) {
            qt->Chiudi();
        }
    };
    Mostra(dlg, false);
}

void TComandiColonne::Ordinamento(TListaColonne& columns) {
    TFormOrdinamento dlg(main_, files_, columns, main_.Finestra());
    Mostra(dlg, true);
}

void TComandiColonne::VisDaMemoria1Click() {
    Protetto([this] { Visualizza(main_.Sistema().Colonne); });
}

void TComandiColonne::DaFile3Click() {
    Protetto([this] {
        TListaColonne columns;
        if (DaFile(columns)) {
            Visualizza(columns);
        }
    });
}

void TComandiColonne::DetDaMemoria1Click() {
    Protetto([this] { Detta(main_.Sistema().Colonne); });
}

void TComandiColonne::DaFile4Click() {
    Protetto([this] {
        TListaColonne columns;
        if (DaFile(columns)) {
            Detta(columns);
        }
    });
}

void TComandiColonne::OrdDaMemoriaClick() {
    Protetto([this] {
        TListaColonne columns = main_.Sistema().Colonne;
        Ordinamento(columns);
    });
}

void TComandiColonne::DaFile5Click() {
    Protetto([this] {
        TListaColonne columns;
        if (DaFile(columns)) {
            Ordinamento(columns);
        }
    });
}

void TComandiColonne::Operazioni1Click() {
    Protetto([this] {
        TFormOperazioni dlg(main_, files_, main_.Finestra());
        Mostra(dlg, true);
    });
}

void TComandiColonne::EditordiColonne1Click() {
    Protetto([this] {
        TFormEditorColonnare dlg(main_, files_, main_.Finestra());
        Mostra(dlg, false);
    });
}

} // namespace tessaline
