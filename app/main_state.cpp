#include "app/main_state.h"

#include <filesystem>
#include <fmt/format.h>

#include "app/config_file.h"
#include "core/cost.h"

namespace tessaline {

TStatusTexts StatusTexts(const TDatiSistema& d, const TProgramSettings& s, bool priceCoverage) {
    TStatusTexts t;
    t.titolo = " Tessaline " + VersionText() + " - " + std::filesystem::path(d.nomeFile).stem().string();

    const bool euro = s.costsInEuro;
    t.colonneFinali = "  Colonne Finali : ";
    if (!d.colonne.Empty()) {
        const double cost = priceCoverage ? [&] {
            std::int64_t covered = 0;
            for (const Colonna& c : d.colonne) {
                covered += ColumnsCovered(c);
            }
            return static_cast<double>(covered) * s.ColumnCost();
        }()
                                          : s.ColumnCost() * static_cast<double>(d.colonne.Count());
        t.colonneFinali += fmt::format("{} ({})", d.colonne.Count(), CostText(cost, euro, d.partecipanti));
    }

    t.colonneIniziali = "  Colonne Iniziali : ";
    const bool complete = PronosticoCompleto(d.pronostico);
    std::int64_t initial = -1;
    if (d.pairMode) {
        if (PairColumnsCovered(d.accoppiate) >= 1) {
            initial = PairColumnsCovered(d.accoppiate);
        }
    } else if (complete) {
        initial = ColumnsCovered(d.pronostico);
    }
    if (initial >= 0) {
        t.colonneIniziali += fmt::format("{} ({} {})", initial, CurrencySign(euro),
                                         FormatAmount(static_cast<double>(initial) * s.ColumnCost(), false));
    }

    if (d.pairMode) {
        t.doppie = "  Doppie : - ";
        t.triple = "  Triple : - ";
        t.quadruple = "  Quadruple : - ";
    } else if (complete) {
        t.doppie = fmt::format("  Doppie : {}", CountDoubles(d.pronostico));
        t.triple = fmt::format("  Triple : {}", CountTriples(d.pronostico));
        t.quadruple = fmt::format("  Quadruple : {}", CountQuadruples(d.pronostico));
    } else {
        t.doppie = "  Doppie : ";
        t.triple = "  Triple : ";
        t.quadruple = "  Quadruple : ";
    }
    return t;
}

TAbilitazioni Abilitazioni(const TDatiSistema& d, bool valuesLight, bool percentagesLight, int contests) {
    TAbilitazioni a;
    a.salvaSuDisco = true;
    a.esportaAscii = true;
    if (d.pairMode) {
        a.condizioni = AllMatchesHavePair(d.accoppiate) || !d.sviluppoDaPronostico;
    } else {
        a.condizioni = PronosticoCompleto(d.pronostico) || !d.sviluppoDaPronostico;
    }
    a.squadreIntegrali = !d.pairMode && d.sviluppoDaPronostico;
    a.valori = valuesLight;
    a.percentuali = percentagesLight;
    a.ordinamento = a.percentuali;
    const bool inMemory = !d.colonne.Empty();
    a.ordinamentoDaMemoria = a.ordinamento && inMemory;
    a.analisiStatistica = contests > 1;
    a.archivioVisualizzazione = contests >= 1;
    a.daMemoria = inMemory;
    a.colonneInMemoria = inMemory;
    a.semaforoAcc = d.pairMode && PairColumnsCovered(d.accoppiate) >= 1;
    return a;
}

} // namespace tessaline
