#include "print/mm_printer.h"

#include <cmath>

namespace tessaline {

TFontDesc FontTabulato10() {
    return TFontDesc{"Courier New", 10, 0};
}

TmmPrinter::TmmPrinter(TCanvas& canvas) : DpiX(canvas.DpiX()), DpiY(canvas.DpiY()), canvas_(canvas) {}

int TmmPrinter::MmInX(double mm) const {
    return static_cast<int>(std::trunc(mm * kInchesPerMm * DpiX));
}

int TmmPrinter::MmInY(double mm) const {
    return static_cast<int>(std::trunc(mm * kInchesPerMm * DpiY));
}

double TmmPrinter::XInMm(int dots) const {
    return dots / DpiX / kInchesPerMm;
}

double TmmPrinter::YInMm(int dots) const {
    return dots / DpiY / kInchesPerMm;
}

void TmmPrinter::InizioStampa() {
    Pagina = 1;
    if (!canvas_.BeginDoc()) {
        throw EPrinterError("stampante non disponibile");
    }
}

void TmmPrinter::PiePagina() {
    const std::string text = "Pagina Nº " + std::to_string(Pagina);
    ScriviCentrato(text, AltezzaPagina() - AltezzaTesto(text) - 1);
}

void TmmPrinter::NuovaPagina() {
    PiePagina();
    ++Pagina;
    if (!canvas_.NewPage()) {
        throw EPrinterError("nuova pagina non riuscita");
    }
}

void TmmPrinter::FineStampa() {
    const TFontDesc saved = canvas_.Font();
    canvas_.SetFont(FontTabulato10());
    PiePagina();
    ++Pagina;
    canvas_.SetFont(saved);
    if (!canvas_.EndDoc()) {
        throw EPrinterError("fine del documento non riuscita");
    }
}

void TmmPrinter::Scrivi(std::string_view text, double x, double y) {
    canvas_.TextOut(MmInX(x), MmInY(y), text);
}

void TmmPrinter::ScriviCentrato(std::string_view text, double y) {
    Scrivi(text, (LarghezzaPagina() - LarghezzaTesto(text)) / 2, y);
}

void TmmPrinter::ScriviRuotato(std::string_view text, double size, double x, double y, bool upward) {
    // The text is drawn at (1, 1) of a screen bitmap in screen points, then copied dot for dot.
    const long points = std::lround(size * DpiX / 360);
    const int em = static_cast<int>(std::lround(static_cast<double>(points) * kScreenDpi / 72.0));
    if (upward) {
        canvas_.TurnedText(MmInX(x) + 1, MmInY(y) - 1, text, em, true);
    } else {
        canvas_.TurnedText(MmInX(x) - 1, MmInY(y) + 1, text, em, false);
    }
}

void TmmPrinter::Sposta(double x, double y) {
    canvas_.MoveTo(MmInX(x), MmInY(y));
}

void TmmPrinter::Linea(double x, double y) {
    canvas_.LineTo(MmInX(x), MmInY(y));
}

void TmmPrinter::Riquadro(double x1, double y1, double x2, double y2) {
    Sposta(x1, y1);
    Linea(x2, y1);
    Linea(x2, y2);
    Linea(x1, y2);
    Linea(x1, y1);
}

void TmmPrinter::Cancella(double x1, double y1, double x2, double y2) {
    canvas_.SetPen(kWhite, 1);
    canvas_.SetBrush(kWhite);
    Rettangolo(x1, y1, x2, y2);
    canvas_.SetPen(kBlack, 1);
}

void TmmPrinter::Rettangolo(double x1, double y1, double x2, double y2) {
    canvas_.FillRect(MmInX(x1), MmInY(y1), MmInX(x2), MmInY(y2));
}

void TmmPrinter::StampaGriglia(const TGriglia& grid, double scale, double top, double left) {
    canvas_.SetPen(kBlack, 2);
    canvas_.SetBrush(kWhite);
    const double halfSpace = LarghezzaTesto(" ") / 2;
    double rowTop = top;
    for (std::size_t r = 0; r < grid.rowHeights.size(); ++r) {
        const double rowStep = (grid.rowHeights[r] + 1) * scale;
        double colLeft = left;
        for (std::size_t c = 0; c < grid.colWidths.size(); ++c) {
            const double colStep = (grid.colWidths[c] + 1) * scale;
            Riquadro(colLeft, rowTop, colLeft + colStep, rowTop + rowStep);
            const std::string* text = nullptr;
            if (r < grid.cells.size() && c < grid.cells[r].size()) {
                text = &grid.cells[r][c];
            }
            if (text != nullptr && !text->empty()) {
                Scrivi(*text, colLeft + halfSpace, rowTop + (rowStep - AltezzaTesto(*text)) / 2);
            }
            colLeft += colStep;
        }
        rowTop += rowStep;
    }
}

double TmmPrinter::LarghezzaPagina() const {
    return XInMm(canvas_.PageWidth());
}

double TmmPrinter::AltezzaPagina() const {
    return YInMm(canvas_.PageHeight());
}

double TmmPrinter::LarghezzaTesto(std::string_view text) {
    return XInMm(canvas_.TextWidth(text));
}

double TmmPrinter::AltezzaTesto(std::string_view text) {
    return YInMm(canvas_.TextHeight(text));
}

} // namespace tessaline
