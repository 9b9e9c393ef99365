#pragma once
// The millimetre printer: places text, lines and rectangles at millimetre positions of a canvas,
// converting with the fixed factor 0.03937 inches per millimetre and truncating toward zero.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/canvas.h"

namespace tessaline {

inline constexpr double kInchesPerMm = 0.03937;
// The resolution of the screen bitmaps on which turned text is drawn.
inline constexpr double kScreenDpi = 96.0;

// A string grid as shown on screen: column widths and row heights in screen pixels, cells by row.
struct TGriglia {
    std::vector<int> colWidths;
    std::vector<int> rowHeights;
    std::vector<std::vector<std::string>> cells; // cells[row][col]; missing cells are empty
};

class TmmPrinter {
public:
    // Reads the canvas's resolution; the canvas must outlive the printer.
    explicit TmmPrinter(TCanvas& canvas);

    double DpiX;
    double DpiY;
    std::int32_t Pagina = 1;

    TCanvas& Canvas() { return canvas_; }

    // Pagina = 1 and a document begins. Throws EPrinterError when the device cannot be opened.
    void InizioStampa();
    // "Pagina Nº n" centred at the page's foot in the current font, Pagina + 1, a new page.
    void NuovaPagina();
    // The page number at the foot in the 10-point listing font (the current font is kept), Pagina + 1,
    // the document ends. Throws EPrinterError when the document cannot be finished.
    void FineStampa();

    void Scrivi(std::string_view text, double x, double y);
    void ScriviCentrato(std::string_view text, double y);
    // Text turned by 90 degrees in the current font at round(size * DpiX / 360) screen points,
    // starting at (x, y): upward reads bottom to top, otherwise top to bottom.
    void ScriviRuotato(std::string_view text, double size, double x, double y, bool upward);
    void Sposta(double x, double y);
    void Linea(double x, double y);
    // Outline of the rectangle as four lines from and back to (x1, y1).
    void Riquadro(double x1, double y1, double x2, double y2);
    // The rectangle painted white; the pen goes back to black.
    void Cancella(double x1, double y1, double x2, double y2);
    // The rectangle filled with the current brush (corners converted, right and bottom excluded).
    void Rettangolo(double x1, double y1, double x2, double y2);
    // Every cell of the grid as a ruled table; scale is millimetres per screen pixel.
    void StampaGriglia(const TGriglia& grid, double scale, double top, double left);

    double LarghezzaPagina() const;
    double AltezzaPagina() const;
    double LarghezzaTesto(std::string_view text);
    double AltezzaTesto(std::string_view text);

    int MmInX(double mm) const;
    int MmInY(double mm) const;
    double XInMm(int dots) const;
    double YInMm(int dots) const;

    // The footer "Pagina Nº n" centred at y = page height - text height - 1 mm, current font.
    void PiePagina();

private:
    TCanvas& canvas_;
};

// The 10-point listing font ("Courier New", no style).
TFontDesc FontTabulato10();

} // namespace tessaline
