#pragma once
// What the main window shows about the current system: the window title, the status line and
// which commands are enabled. Plain data in, texts and flags out, so the rules stay apart from the
// toolkit.

#include <array>
#include <cstdint>
#include <string>

#include "system/sistema.h"

namespace tessaline {

struct TStatusTexts {
    std::string titolo;
    std::string colonneFinali;
    std::string colonneIniziali;
    std::string doppie;
    std::string triple;
    std::string quadruple;
};

// " Tessaline 2.0 - NAME", the status line's five texts. With priceCoverage each entry of the column
// list is priced with every column it covers.
TStatusTexts StatusTexts(const T_Sistema& sys, bool priceCoverage);

// Enabled state of the commands that depend on the system.
struct TAbilitazioni {
    bool salvaSuDisco = true;
    bool esportaAscii = true;
    bool condizioni = false; // also "Calcolo Colonne", "Quadri" and "Sviluppo"
    bool squadreIntegrali = false;
    bool valori = false;
    bool percentuali = false;
    bool ordinamento = false;
    bool ordinamentoDaMemoria = false;
    bool analisiStatistica = false;
    bool archivioVisualizzazione = false;
    bool daMemoria = false;        // viewing, dictation, scrutiny and printing from memory, viewing button
    bool colonneInMemoria = false; // "Stampa Schedine", "Spoglio" and the coupon editor's "Analisi"
    bool semaforoAcc = false;
    bool operator==(const TAbilitazioni&) const = default;
};

// valuesLight and percentagesLight are the coupon editor's switches; contests is the number of
// contests in the archive.
TAbilitazioni Abilitazioni(const T_Sistema& sys, bool valuesLight, bool percentagesLight, int contests);

} // namespace tessaline
