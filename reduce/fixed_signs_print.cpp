#include "reduce/fixed_signs_print.h"

#include <algorithm>
#include <fmt/format.h>

#include "core/errors.h"
#include "print/mm_printer.h"

namespace tessaline {

namespace {

// The header line at y; returns the line's height.
double Intestazione(TmmPrinter& p, double y) {
    p.Scrivi(" Nº  ", 27, y);
    p.Scrivi("Coppie", 57, y);
    p.Scrivi("Posizioni", 85, y);
    p.Scrivi("Frequenza", 115, y);
    p.Scrivi("Ritardo", 145, y);
    p.Scrivi("IC", 175, y);
    return p.AltezzaTesto("FFFF");
}

} // namespace

int StampaFisse(TCanvas& canvas, std::span<const TFisse> voci, std::uint32_t ammessi, std::size_t first,
                std::size_t last) {
    first = std::max<std::size_t>(first, 1);
    last = std::min(last, voci.size());
    try {
        canvas.SetFont(TFontDesc{"Courier New", 8, 0});
        TmmPrinter p(canvas);
        p.InizioStampa();
        p.ScriviCentrato("Stampa delle coppie di segni più probabili", 2);
        double y = 10;
        y += Intestazione(p, y) + 2;
        for (std::size_t k = first; k <= last; ++k) {
            const TFisse& f = voci[k - 1];
            const double h = p.AltezzaTesto("FFFF");
            if (y + h + 1 > p.AltezzaPagina() - 20) {
                p.NuovaPagina();
                y = 10;
                y += Intestazione(p, y) + 5;
            }
            p.Scrivi(fmt::format("  {}", k), 25, y);
            p.Scrivi(Colonna2Coppie(f), 55, y + 0.3);
            p.Scrivi(TestoPosizione(f), 85, y + 0.3);
            p.Scrivi(fmt::format("{}", f.Frequenza), 115, y + 0.3);
            p.Scrivi(fmt::format("{}", f.Ritardo), 145, y + 0.3);
            p.Scrivi(TestoIC(f, ammessi), 175, y + 0.3);
            p.Riquadro(23, y, 187, y + h + 1);
            y += h + 1;
        }
        const int pages = p.Pagina;
        p.FineStampa();
        return pages;
    } catch (const EPrinterError&) {
        throw EInOutError(kImpossibileStampareTabelle);
    }
}

} // namespace tessaline
