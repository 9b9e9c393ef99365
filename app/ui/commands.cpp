#include "app/ui/commands.h"

#include "app/ui/main_window.h"
#include "archive/ui/archive_commands.h"
#include "conditions/ui/condition_commands.h"
#include "develop/ui/develop_commands.h"
#include "print/ui/print_commands.h"
#include "print/ui/printer.h"
#include "reduce/ui/fixed_signs_window.h"
#include "system/ui/system_commands.h"

namespace tessaline {

TComandi::TComandi(TFormPrinc& main, TFileChooser* files) {
    if (files == nullptr) {
        own_ = std::make_unique<TDialogFileChooser>(&main);
        files = own_.get();
    }
    sistema_ = new TComandiSistema(main, *files);
    sviluppo_ = new TComandiSviluppo(main, *files);
    archivio_ = new TComandiArchivio(main, main.Saver());
    condizioni_ = new TComandiCondizioni(main);
    stampa_ = new TComandiStampa(main, *files);
    sistema_->dopoCaricamento = [this] { sviluppo_->DopoCaricamento(); };
    sistema_->dopoNuovo = [this] { sviluppo_->ChiudiPannello(); };
    // "Cerca Fisse" (hidden in the menu; the frame editor opens it too), printing on the program's printer.
    TFormPrinc* m = &main;
    main.Collega(QStringLiteral("CercaFisse1Click"),
                 [m] { ApriCercaFisse(*m, StampaFisseSuStampante(), m); });
}

TStampaSuCanvas StampaFisseSuStampante() {
    return [](const std::function<void(TCanvas&)>& draw) {
        StampaSu(nullptr, 0, [&](TCanvas& canvas) {
            draw(canvas);
            return TEsitoStampa{};
        });
    };
}

TComandi::~TComandi() = default;

} // namespace tessaline
