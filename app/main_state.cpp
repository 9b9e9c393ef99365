#include "app/main_state.h"

#include <filesystem>
#include <fmt/format.h>

#include "core/cost.h"
#include "system/config_file.h"
#include "system/summary_print.h"

namespace tessaline {

TStatusTexts StatusTexts(const T_Sistema& sys, bool priceCoverage) {
    const TDatiSistema& d = sys.dati;
    const TImpostazioniSviluppo& sv = d.sviluppo;
    TStatusTexts t;
    t.titolo = " Tessaline " + VersionText() + " - " + sys.fileName.stem().string();

    t.colonneFinali = TestoColonneFinali(sys, priceCoverage);
    t.colonneIniziali = TestoColonneIniziali(sys);
    const bool complete = PronosticoCompleto(d.Forecast);

    if (sv.PairMode != 0) {
        t.doppie = "  Doppie : - ";
        t.triple = "  Triple : - ";
        t.quadruple = "  Quadruple : - ";
    } else if (complete) {
        t.doppie = fmt::format("  Doppie : {}", CountDoubles(d.Forecast));
        t.triple = fmt::format("  Triple : {}", CountTriples(d.Forecast));
        t.quadruple = fmt::format("  Quadruple : {}", CountQuadruples(d.Forecast));
    } else {
        t.doppie = "  Doppie : ";
        t.triple = "  Triple : ";
        t.quadruple = "  Quadruple : ";
    }
    return t;
}

TAbilitazioni Abilitazioni(const T_Sistema& sys, bool valuesLight, bool percentagesLight, int contests) {
    const TDatiSistema& d = sys.dati;
    const TImpostazioniSviluppo& sv = d.sviluppo;
    const bool fromForecast = d.SourceForecast != 0;
    TAbilitazioni a;
    a.salvaSuDisco = true;
    a.esportaAscii = true;
    if (sv.PairMode != 0) {
        a.condizioni = AllMatchesHavePair(sv.PairTable) || !fromForecast;
    } else {
        a.condizioni = PronosticoCompleto(d.Forecast) || !fromForecast;
    }
    a.squadreIntegrali = sv.PairMode == 0 && fromForecast;
    a.valori = valuesLight;
    a.percentuali = percentagesLight;
    a.ordinamento = a.percentuali;
    const bool inMemory = !sys.Colonne.Empty();
    a.ordinamentoDaMemoria = a.ordinamento && inMemory;
    a.analisiStatistica = contests > 1;
    a.archivioVisualizzazione = contests >= 1;
    a.daMemoria = inMemory;
    a.colonneInMemoria = inMemory;
    a.semaforoAcc = sv.PairMode != 0 && PairColumnsCovered(sv.PairTable) >= 1;
    return a;
}

} // namespace tessaline
