#include "reduce/guarantee_print.h"

#include "core/errors.h"
#include "print/mm_printer.h"

namespace tessaline {

namespace {
constexpr std::size_t kRowsPerPage = 63;
constexpr int kRowHeight = 18;
} // namespace

void StampaGaranzie(TCanvas& canvas, const TTabellaGaranzie& table, int mode) {
    try {
        TmmPrinter printer(canvas);
        printer.InizioStampa();
        printer.Canvas().SetFont(TFontDesc{"Arial", 14, 1});
        printer.ScriviCentrato(TitoloStampaGaranzie(mode), 5);
        printer.Canvas().SetFont(FontTabulato10());
        TGriglia grid;
        grid.colWidths.assign(table.larghezze.begin(), table.larghezze.end());
        const auto& rows = table.righe;
        std::size_t i = 0;
        bool first = true;
        while (first || i < rows.size()) {
            grid.cells.clear();
            grid.rowHeights.clear();
            if (!first) {
                printer.NuovaPagina();
                grid.cells.push_back({rows[0].begin(), rows[0].end()});
                grid.rowHeights.push_back(table.altezzaIntestazione);
            }
            for (std::size_t k = 0; k < kRowsPerPage && i < rows.size(); ++k, ++i) {
                grid.cells.push_back({rows[i].begin(), rows[i].end()});
                grid.rowHeights.push_back(i == 0 ? table.altezzaIntestazione : kRowHeight);
            }
            printer.StampaGriglia(grid, 0.27, first ? 15 : 9.84, 60);
            first = false;
        }
        printer.FineStampa();
    } catch (const EPrinterError&) {
        throw EInOutError(msg::kImpossibileStampareTabella);
    }
}

} // namespace tessaline
