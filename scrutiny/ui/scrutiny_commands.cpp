#include "scrutiny/ui/scrutiny_commands.h"

#include <exception>
#include <memory>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/form_saver.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "scrutiny/ui/historical_window.h"
#include "scrutiny/ui/plays_windows.h"
#include "scrutiny/ui/scrutiny_windows.h"
#include "system/sistema.h"

namespace tessaline {

TComandiSpoglio::TComandiSpoglio(TAppContext& main, TFileChooser& files, TFormSaver& saver,
                                 TStampante printer)
    : QObject(main.Finestra()), main_(main), files_(files), saver_(saver), printer_(std::move(printer)) {
    const std::pair<const char*, void (TComandiSpoglio::*)()> entries[] = {
        {"SpoglioDaMemoria1Click", &TComandiSpoglio::SpoglioDaMemoria1Click},
        {"SpeedSpoglioClick", &TComandiSpoglio::SpoglioDaMemoria1Click},
        {"DaFile1Click", &TComandiSpoglio::DaFile1Click},
        {"DaFile6Click", &TComandiSpoglio::DaFile6Click},
        {"DaFile7Click", &TComandiSpoglio::DaFile7Click},
        {"ArchivioGicoate1Click", &TComandiSpoglio::ArchivioGicoate1Click}};
    CollegaMetodi(main, this, entries);
}

void TComandiSpoglio::Protetto(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
}

void TComandiSpoglio::Mostra(QDialog& dlg, bool remembered) {
    MostraDialogo(main_, saver_, dlg, remembered, primaDiMostrare);
}

QString TComandiSpoglio::ScegliFileColonnare() {
    TFileDialogRequest request;
    request.title = QStringLiteral("Seleziona il File Colonnare");
    request.filter = QStringLiteral("File Colonnare (*.Col)|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = Q(FolderPath(TFolder::Colonne).string());
    request.mustExist = true;
    return files_.Choose(request);
}

void TComandiSpoglio::SpoglioDaMemoria1Click() {
    Protetto([this] {
        auto set = std::make_unique<TSpoglio>();
        const T_Sistema& sys = main_.Sistema();
        set->CaricaDaMemoria(sys.Colonne, sys.dati.settings.automaticMerge);
        TFormSpoglio dlg(main_, std::move(set), main_.Finestra());
        Mostra(dlg, true);
    });
}

void TComandiSpoglio::DaFile1Click() {
    Protetto([this] {
        const QString path = ScegliFileColonnare();
        if (path.isEmpty()) {
            return;
        }
        auto set = std::make_unique<TSpoglio>();
        if (!set->CaricaDaFile(std::filesystem::path(S(path)),
                               main_.Sistema().dati.settings.automaticMerge)) {
            return; // an empty file shows nothing
        }
        TFormSpoglio dlg(main_, std::move(set), main_.Finestra());
        Mostra(dlg, true);
    });
}

void TComandiSpoglio::DaFile6Click() {
    Protetto([this] {
        auto set = std::make_unique<TSpoglioStorico>();
        set->CaricaDaMemoria(main_.Sistema().Colonne);
        TFormSpoglioStorico dlg(main_, files_, std::move(set), main_.Finestra());
        Mostra(dlg, true);
    });
}

void TComandiSpoglio::DaFile7Click() {
    Protetto([this] {
        const QString path = ScegliFileColonnare();
        if (path.isEmpty()) {
            return;
        }
        // An empty file shows nothing, as for the scrutiny.
        std::error_code ec;
        if (std::filesystem::is_regular_file(std::filesystem::path(S(path)), ec) &&
            std::filesystem::file_size(std::filesystem::path(S(path)), ec) == 0 && !ec) {
            return;
        }
        auto set = std::make_unique<TSpoglioStorico>();
        set->CaricaDaFile(std::filesystem::path(S(path)));
        TFormSpoglioStorico dlg(main_, files_, std::move(set), main_.Finestra());
        Mostra(dlg, true);
    });
}

void TComandiSpoglio::ArchivioGicoate1Click() {
    Protetto([this] {
        TFormVisGiocate dlg(main_, &saver_, main_.Finestra());
        dlg.stampante = printer_;
        Mostra(dlg, false);
    });
}

} // namespace tessaline
