#pragma once
// The printed summary of the current system ("Prospetto del Sistema"): header, general information,
// participants, the coupon with its forecast, percentages and values, the conditions in force and,
// when asked, the listing of the columns.

#include <string>

#include "print/coupon_print.h"
#include "system/sistema.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kImpossibileStampareProspetto = "Impossibile Stampare il Prospetto del Sistema";
inline constexpr const char* kTitoloProspetto = "Stampa del Prospetto del Sistema";
} // namespace msg

struct TOpzioniProspetto {
    bool Info = true;       // "Informazioni sul Sistema"
    bool Schedina = true;   // "Schedina"
    bool Condizioni = true; // "Condizioni utilizzate" (conditioned systems only)
    bool Tabulato = false;  // "Tabulato delle colonne"
    // One copy per participant (RadioCopiaPart), else Copie copies.
    bool CopiaPerPartecipante = false;
    int Copie = 1;
    // What the main window shows of the initial and final columns.
    std::string TestoIniziali;
    std::string TestoFinali;
    // The coupon editor's switches for the percentage and value grids.
    bool Percentuali = false;
    bool Valori = false;
    std::string Data; // today's date as printed
};

// The main window's texts of the initial and final columns ("  Colonne Iniziali : " ...). With
// priceCoverage each entry of the column list is priced with every column it covers.
std::string TestoColonneIniziali(const T_Sistema& sys);
std::string TestoColonneFinali(const T_Sistema& sys, bool priceCoverage);

// Whether the system develops with conditions in force (the condition set is refreshed first).
bool SistemaCondizionato(T_Sistema& sys);
// Copies the options print: the participants with RadioCopiaPart, else Copie (1 to 100).
int CopieProspetto(const T_Sistema& sys, const TOpzioniProspetto& o);
// "Prospetto del Sistema" and, with more than one copy, "     Copia Nº i" or "     Copia per NAME".
std::string TitoloCopia(const T_Sistema& sys, const TOpzioniProspetto& o, int copia, int copie);

// Prints every copy, each one document followed by the listing when asked (its pages numbered on
// from the copy's). Throws EInOutError "Impossibile Stampare il Prospetto del Sistema" on failure.
TEsitoStampa StampaProspetto(TCanvas& canvas, T_Sistema& sys, const TOpzioniProspetto& o,
                             const TContestoStampa& ctx);

} // namespace tessaline
