#include "app/ui/commands.h"

#include <QTabWidget>

#include "app/ui/main_window.h"
#include "archive/ui/archive_commands.h"
#include "archive/ui/stats_commands.h"
#include "conditions/ui/condition_commands.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/frame_dialogs.h"
#include "develop/ui/develop_commands.h"
#include "print/ui/archive_print_window.h"
#include "print/ui/preview.h"
#include "print/ui/print_commands.h"
#include "print/ui/printer.h"
#include "print/ui/receipt_print.h"
#include "print/ui/summary_window.h"
#include "reduce/ui/fixed_signs_window.h"
#include "reduce/ui/guarantee_commands.h"
#include "reduce/ui/shop_commands.h"
#include "scrutiny/ui/scrutiny_commands.h"
#include "system/ui/system_commands.h"
#include "tools/ui/tools_commands.h"
#include "update/ui/form_download.h"

namespace tessaline {

TComandi::TComandi(TFormPrinc& main, TFileChooser* files) {
    if (files == nullptr) {
        own_ = std::make_unique<TDialogFileChooser>(&main);
        files = own_.get();
    }
    sistema_ = new TComandiSistema(main, *files);
    sviluppo_ = new TComandiSviluppo(main, *files);
    archivio_ = new TComandiArchivio(main, main.Saver());
    condizioni_ = new TComandiCondizioni(main, files);
    stampa_ = new TComandiStampa(main, *files);
    // The scrutiny and guarantee printouts on the program printer, at the listing's resolution.
    const TStampante printer = [](const std::function<void(TCanvas&)>& draw) {
        StampaSu(nullptr, kDpiTabulato, [&](TCanvas& canvas) {
            draw(canvas);
            return TEsitoStampa{};
        });
    };
    spoglio_ = new TComandiSpoglio(main, *files, main.Saver(), printer);
    garanzie_ = new TComandiGaranzie(main, *files, main.Saver(), printer);
    aggiornamento_ = new TComandiAggiornamento(main);
    prospetto_ = new TComandiProspetto(main, main.Saver());
    colonne_ = new TComandiColonne(main, *files, main.Saver());
    statistica_ = new TComandiStatistica(main, printer);
    // The condition dialogs' "Archivio" and "Analisi": a list's dialog shows its current item, the
    // vortex's dialog the view of the page it stands on.
    TFormCondizione::Vista() = [m = &main](TFormCondizione& f, bool analisi) {
        if (!m->apriVista) {
            return;
        }
        const auto* tabelle = dynamic_cast<TFormCondTabelle*>(&f);
        const bool inversa =
            tabelle != nullptr && tabelle->Pagine != nullptr &&
            tabelle->Pagine->tabText(tabelle->Pagine->currentIndex()) == QStringLiteral("Inverso");
        TCondizione& c = f.Copia();
        auto* lista = dynamic_cast<TListaCondizioni*>(&c);
        auto* form = dynamic_cast<TFormLista*>(&f);
        if (lista != nullptr && form != nullptr) {
            if (form->Corrente() < 0 || static_cast<std::size_t>(form->Corrente()) >= lista->Count()) {
                return;
            }
            m->apriVista(lista->Item(static_cast<std::size_t>(form->Corrente())), &f, analisi, false);
        } else {
            m->apriVista(c, &f, analisi, inversa);
        }
    };
    {
        // The prompt is looked up at each print: tests put their own after construction.
        TFormPrinc* m = &main;
        ricevitoria_ = new TComandiRicevitoria(
            main, *files, main.Saver(),
            [m](const TLavoroCedolina& job) {
                return StampaCedolinaConFinestra(m->Sistema(), m->Prompt(), m)(job);
            },
            ConfermaStampaConFinestra(main.Sistema(), &main));
    }
    sistema_->dopoCaricamento = [this] { sviluppo_->DopoCaricamento(); };
    sistema_->dopoNuovo = [this] { sviluppo_->ChiudiPannello(); };
    // The archive printout from the view's "Stampa", and the preview of the link's analysis.
    archivio_->stampaArchivio = [m = &main](QWidget* parent, const TGruppiScelti& gruppi) {
        TFormStampaArchivio dlg(m->Archivio(), m->Prompt(), gruppi, parent);
        dlg.exec();
    };
    condizioni_->anteprima = [m = &main](QWidget* parent, const QString& titolo,
                                         const std::function<void(TCanvas&)>& draw) {
        AnteprimaProgramma(m->Prompt())(parent, titolo, draw);
    };
    // "Cerca Fisse" (hidden in the menu; the frame editor opens it too), printing on the program's printer.
    TFormPrinc* m = &main;
    main.Collega(QStringLiteral("CercaFisse1Click"),
                 [m] { ApriCercaFisse(*m, StampaFisseSuStampante(), m); });
    TFormQuadro::CercaFisse() = [m](TFormQuadro& f) {
        ApriCercaFisse(*m, StampaFisseSuStampante(), &f, &f.Modello().Corrente(), &m->Sistema().Insieme());
    };
}

TStampaSuCanvas StampaFisseSuStampante() {
    return [](const std::function<void(TCanvas&)>& draw) {
        StampaSu(nullptr, 0, [&](TCanvas& canvas) {
            draw(canvas);
            return TEsitoStampa{};
        });
    };
}

TComandi::~TComandi() {
    TFormQuadro::CercaFisse() = nullptr; // it points at this main window
    TFormCondizione::Vista() = nullptr;
}

} // namespace tessaline
