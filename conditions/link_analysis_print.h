#pragma once
// The analysis of the columns the link's recovery refused in the last run, as the window
// "Analisi Delle Colonne Filtrate" shows it and as it prints: per used letter the rejections by
// level and by the letter's error count, then the rejections by the total error count.

#include <string>
#include <vector>

#include "archive/frequencies.h"
#include "print/canvas.h"

namespace tessaline {

class TLink;

namespace msg {
inline constexpr const char* kTitoloAnalisiLink = "Stampa Delle Colonne Filtrate Dal Recupero Condizioni";
inline constexpr const char* kImpossibileStampareLeTabella = "Impossibile Stampare Le Tabella";
} // namespace msg

// One row of an analysis table: the value and the columns it refused, as a count ("1.234") or as a
// percentage of the table's sum with two decimals ("12,50").
struct TRigaAnalisiLink {
    int valore = 0;
    std::string testo;
    bool operator==(const TRigaAnalisiLink&) const = default;
};

// The rows of one table: the values from `from` up to the last one that refused a column (none
// when no value did). A percentage of a table whose sum is 0 reads "0,00".
std::vector<TRigaAnalisiLink> RigheAnalisiLink(const T_FrequenzeRitardi& f, int from, bool percentuale);

// Prints the analysis: the title; for every used letter a table of the values with the rejections
// "Dai Livelli della Link" and "Dagli Errori Totali della Link"; then the table "Dagli Errori
// Totali su Tutte le Link". Tables that run past the page's foot go on to the next page with their
// headings again. Returns the number of pages; raises EInOutError "Impossibile Stampare Le Tabella"
// when the printer fails.
int StampaAnalisiLink(TCanvas& canvas, const TLink& link, bool percentuale);

} // namespace tessaline
