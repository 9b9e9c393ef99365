#pragma once
// The commands of the system, coupon, team-list, development, condition, archive and printing menus,
// put on a main window.

#include <memory>

#include "core/ui/file_chooser.h"
#include "reduce/ui/fixed_signs_window.h"

namespace tessaline {

class TFormPrinc;
class TComandiSistema;
class TComandiSviluppo;
class TComandiArchivio;
class TComandiCondizioni;
class TComandiStampa;
class TComandiSpoglio;
class TComandiGaranzie;
class TComandiAggiornamento;
class TComandiProspetto;
class TComandiColonne;
class TComandiStatistica;
class TComandiRicevitoria;

// The fixed-sign printout on the program's printer.
TStampaSuCanvas StampaFisseSuStampante();

class TComandi {
public:
    // files answers the commands' file dialogs (the toolkit's dialogs when null); it must outlive
    // this object. The command objects belong to the main window.
    explicit TComandi(TFormPrinc& main, TFileChooser* files = nullptr);
    ~TComandi();
    TComandi(const TComandi&) = delete;
    TComandi& operator=(const TComandi&) = delete;

    TComandiSistema& Sistema() { return *sistema_; }
    TComandiSviluppo& Sviluppo() { return *sviluppo_; }
    TComandiArchivio& Archivio() { return *archivio_; }
    TComandiCondizioni& Condizioni() { return *condizioni_; }
    TComandiStampa& Stampa() { return *stampa_; }
    TComandiSpoglio& Spoglio() { return *spoglio_; }
    TComandiGaranzie& Garanzie() { return *garanzie_; }
    TComandiAggiornamento& Aggiornamento() { return *aggiornamento_; }
    TComandiProspetto& Prospetto() { return *prospetto_; }
    TComandiColonne& Colonne() { return *colonne_; }
    TComandiStatistica& Statistica() { return *statistica_; }
    TComandiRicevitoria& Ricevitoria() { return *ricevitoria_; }

private:
    std::unique_ptr<TDialogFileChooser> own_;
    TComandiSistema* sistema_;
    TComandiSviluppo* sviluppo_;
    TComandiArchivio* archivio_;
    TComandiCondizioni* condizioni_;
    TComandiStampa* stampa_;
    TComandiSpoglio* spoglio_;
    TComandiGaranzie* garanzie_;
    TComandiAggiornamento* aggiornamento_;
    TComandiProspetto* prospetto_;
    TComandiColonne* colonne_;
    TComandiStatistica* statistica_;
    TComandiRicevitoria* ricevitoria_;
};

} // namespace tessaline
