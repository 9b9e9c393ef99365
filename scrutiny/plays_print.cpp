#include "scrutiny/plays_print.h"

#include <fmt/format.h>

#include "core/errors.h"
#include "print/mm_printer.h"
#include "scrutiny/plays_view.h"

namespace tessaline {

namespace {

constexpr std::size_t kSystemsPerPage = 45;
constexpr int kRowHeight = 18;

TFontDesc FontTitolo() {
    return TFontDesc{"Arial", 14, 1};
}

// Runs the printout and turns a printer failure into the window's message.
template <class F> void Stampa(TCanvas& canvas, F&& body) {
    try {
        TmmPrinter printer(canvas);
        printer.InizioStampa();
        body(printer);
        printer.FineStampa();
    } catch (const EPrinterError&) {
        throw EInOutError(msg::kImpossibileStampareDati);
    }
}

TGriglia Griglia(std::vector<int> widths, std::vector<std::vector<std::string>> cells) {
    TGriglia g;
    g.colWidths = std::move(widths);
    g.rowHeights.assign(cells.size(), kRowHeight);
    g.cells = std::move(cells);
    return g;
}

// Every reduced system from first to last, as the printed list writes it.
std::vector<std::string> CelleSistema(const TGiocataSistema& s) {
    return {fmt::format("{:>7}", s.doppie),    fmt::format("{:>7}", s.triple),
            fmt::format("{:>7}", s.quadruple), fmt::format("{:>8}", s.colonne.Count()),
            "   " + TestoData(s.data),         "   " + TestoOra(s.ora)};
}

template <class Row>
void StampaSistemi(TmmPrinter& printer, const TArchivioGiocate& archive, const std::string& title,
                   const std::vector<std::string>& header, const std::vector<int>& widths, double left,
                   Row&& row) {
    const auto& systems = archive.Sistemi();
    std::size_t i = 0;
    bool first = true;
    do {
        if (!first) {
            printer.NuovaPagina();
        }
        printer.Canvas().SetFont(FontTitolo());
        printer.ScriviCentrato(title, 2);
        printer.Canvas().SetFont(FontTabulato10());
        std::vector<std::vector<std::string>> cells{header};
        for (std::size_t k = 0; k < kSystemsPerPage && i < systems.size(); ++k, ++i) {
            cells.push_back(row(systems[i]));
        }
        printer.StampaGriglia(Griglia(widths, std::move(cells)), 0.22, 10, left);
        first = false;
    } while (i < systems.size());
}

} // namespace

void StampaRiepilogoGiocate(TCanvas& canvas, const TArchivioGiocate& archive, double costPerColumn,
                            bool euro) {
    Stampa(canvas, [&](TmmPrinter& printer) {
        printer.Canvas().SetFont(FontTitolo());
        printer.ScriviCentrato(fmt::format("{}{}", msg::kTitoloRiepilogo, archive.Concorso()), 10);
        printer.Canvas().SetFont(FontTabulato10());
        const std::vector<int> widths{190, 170};
        printer.StampaGriglia(Griglia(widths, {{"        Tipo di Giocata", "    Numero di Giocate"}}), 0.4,
                              30, 40);
        std::vector<std::vector<std::string>> rows;
        for (const auto& r : TabellaRiepilogo(archive, costPerColumn, euro)) {
            rows.push_back({r[0], r[1]});
        }
        const double below = 30 + (kRowHeight + 1) * 0.4 + 0.5;
        printer.StampaGriglia(Griglia(widths, std::move(rows)), 0.4, below, 40);
        printer.NuovaPagina();
        StampaSistemi(printer, archive, fmt::format("{}{}", msg::kTitoloElencoSistemi, archive.Concorso()),
                      {"   Doppie", "   Triple", "   Quadr.", "   Colonne", "     Data", "     Ora"},
                      {80, 80, 80, 90, 120, 110}, 30, CelleSistema);
    });
}

void StampaVinciteGiocate(TCanvas& canvas, const TArchivioGiocate& archive) {
    Stampa(canvas, [&](TmmPrinter& printer) {
        printer.Canvas().SetFont(FontTitolo());
        printer.ScriviCentrato(fmt::format("{}{}", msg::kRiepilogoVincite, archive.Concorso()), 24);
        printer.Canvas().SetFont(FontTabulato10());
        std::vector<std::vector<std::string>> rows{
            {"            Tipo di Giocata", "     Numero di Giocate", "  6", "  5", "  4"}};
        for (auto r : TabellaVincite(archive)) {
            r[0] = " " + r[0];
            rows.push_back({r[0], r[1], r[2], r[3], r[4]});
        }
        printer.StampaGriglia(Griglia({230, 190, 60, 60, 60}, std::move(rows)), 0.4, 30, 10);
        printer.NuovaPagina();
        // Column widths 1.3 times the screen grid's, truncated.
        const int screen[9] = {32, 32, 40, 44, 78, 64, 30, 30, 30};
        std::vector<int> widths;
        for (int w : screen) {
            widths.push_back(static_cast<int>(w * 1.3));
        }
        StampaSistemi(printer, archive, fmt::format("{}{}", msg::kElencoVinciteSistemi, archive.Concorso()),
                      {" Dp.", " Tr.", "Quadr.", "  Col.", "   Data", "   Ora", " 6", " 5", " 4"}, widths, 50,
                      [](const TGiocataSistema& s) {
                          return std::vector<std::string>{fmt::format("{:>3}", s.doppie),
                                                          fmt::format("{:>3}", s.triple),
                                                          fmt::format("{:>3}", s.quadruple),
                                                          fmt::format("{:>4}", s.colonne.Count()),
                                                          TestoData(s.data),
                                                          TestoOra(s.ora),
                                                          std::to_string(s.vincite[6]),
                                                          std::to_string(s.vincite[5]),
                                                          std::to_string(s.vincite[4])};
                      });
    });
}

} // namespace tessaline
