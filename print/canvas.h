#pragma once
// The drawing surface of every printout, in device dots: a document of pages, fonts by name, size
// and style, text, lines and rectangles. The windows implement it over the toolkit's printer and PDF
// writer; the tests over a recording of the calls.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessaline {

// A font of a printout: family name as the program names it ("Courier New"), size in points,
// style bits kFontBold, kFontItalic, kFontUnderline, kFontStrikeOut (print/print_settings.h).
struct TFontDesc {
    std::string name = "Courier New";
    double size = 10;
    std::int32_t style = 0;
    bool operator==(const TFontDesc&) const = default;
};

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// A printer that cannot begin, continue or end a document.
class EPrinterError : public std::runtime_error {
public:
    explicit EPrinterError(const std::string& what) : std::runtime_error(what) {}
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // Begins a document with its first page; false when the device cannot be opened.
    virtual bool BeginDoc() = 0;
    // Ends the document; false when it could not be finished.
    virtual bool EndDoc() = 0;
    // Starts a new page of the document; false on failure.
    virtual bool NewPage() = 0;

    // Page size in dots and the resolution in dots per inch.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual double DpiX() const = 0;
    virtual double DpiY() const = 0;

    virtual void SetFont(const TFontDesc& font) = 0;
    virtual const TFontDesc& Font() const = 0;
    // Width and height (ascent plus descent) of a text in the current font, in dots.
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;
    // Text in the current font with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Text turned by 90 degrees in the current font's family and style with an em of emDots dots, its
    // top-left corner at (x, y): upward it reads from bottom to top (its top edge along x = const,
    // running toward smaller y), otherwise from top to bottom (running toward larger y).
    virtual void TurnedText(int x, int y, std::string_view text, int emDots, bool upward) = 0;

    // Pen (colour 0xRRGGBB, width in dots) for lines; brush colour for filled rectangles.
    virtual void SetPen(std::uint32_t rgb, int width) = 0;
    virtual void SetBrush(std::uint32_t rgb) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the pen's position to (x, y), which becomes the pen's position.
    virtual void LineTo(int x, int y) = 0;
    // Fills the dots x1 <= x < x2, y1 <= y < y2 with the brush.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
};

} // namespace tessaline
