#pragma once
// The printouts' canvas over the toolkit's paged devices: a QPrinter (paper, or the printer's own
// PDF output) or a QPdfWriter. Uses Qt Gui only, so the command line can draw through it too.

#include <QFont>
#include <QPainter>
#include <QString>

#include "print/canvas.h"

class QPagedPaintDevice;

namespace tessaline {

// The installed family that stands in for a family named by the program ("Courier New" is Liberation
// Mono, "Arial" Liberation Sans, "Times New Roman" Liberation Serif, "Small Fonts" Liberation Sans
// Narrow); other names are kept.
QString FamigliaInstallata(const std::string& name);
// A QFont for the font description (size in points).
QFont QtFont(const TFontDesc& desc);

class TQtCanvas : public TCanvas {
public:
    // Draws on device, which must outlive the canvas. logicalDpi gives the dots of the canvas (0: the
    // device's own resolution); the painter scales them to the device. With oneFile, a document
    // ended and begun again within the run continues the same output as a new page (a PDF file
    // cannot hold two documents).
    explicit TQtCanvas(QPagedPaintDevice* device, double logicalDpi = 0, bool oneFile = false);
    ~TQtCanvas() override;
    TQtCanvas(const TQtCanvas&) = delete;
    TQtCanvas& operator=(const TQtCanvas&) = delete;

    bool BeginDoc() override;
    bool EndDoc() override;
    bool NewPage() override;
    int PageWidth() const override;
    int PageHeight() const override;
    double DpiX() const override { return dpiX_; }
    double DpiY() const override { return dpiY_; }
    void SetFont(const TFontDesc& font) override;
    const TFontDesc& Font() const override { return desc_; }
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void TurnedText(int x, int y, std::string_view text, int emDots, bool upward) override;
    void SetPen(std::uint32_t rgb, int width) override;
    void SetBrush(std::uint32_t rgb) override { brush_ = rgb; }
    void MoveTo(int x, int y) override {
        px_ = x;
        py_ = y;
    }
    void LineTo(int x, int y) override;
    void FillRect(int x1, int y1, int x2, int y2) override;

    // Ends a document left open (the output is finished); false when there was nothing to finish
    // or it failed.
    bool Finish();
    // Pages begun over the run.
    int Pages() const { return pages_; }

private:
    QFont DeviceFont(const TFontDesc& desc, double emDots = 0) const;
    void Prepare();

    QPagedPaintDevice* device_;
    QPainter painter_;
    double deviceDpiX_;
    double deviceDpiY_;
    double dpiX_;
    double dpiY_;
    bool oneFile_;
    bool pendingEnd_ = false;
    int pages_ = 0;
    TFontDesc desc_;
    QFont font_;
    std::uint32_t pen_ = kBlack;
    int penWidth_ = 1;
    std::uint32_t brush_ = kWhite;
    int px_ = 0;
    int py_ = 0;
};

} // namespace tessaline
