#pragma once
// A canvas that records every call, with fixed font metrics, for checking layouts without a device.

#include <string>
#include <vector>

#include "print/canvas.h"

namespace tessaline {

struct TRecordedOp {
    enum Kind { Begin, End, Page, Text, Turned, Line, Fill };
    Kind kind = Begin;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // Text/Turned: position; Line: from and to; Fill: corners
    std::string text;
    TFontDesc font;      // Text and Turned (Turned: size is the em in dots)
    bool upward = false; // Turned
    std::uint32_t colour = kBlack;
    int penWidth = 1;
    int page = 0; // 1-based page of the document the call drew on
};

class TRecordingCanvas : public TCanvas {
public:
    // A page of width x height dots at dpi dots per inch both ways.
    TRecordingCanvas(int width, int height, double dpi) : width_(width), height_(height), dpi_(dpi) {}

    bool BeginDoc() override;
    bool EndDoc() override;
    bool NewPage() override;
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    double DpiX() const override { return dpi_; }
    double DpiY() const override { return dpi_; }
    void SetFont(const TFontDesc& font) override { font_ = font; }
    const TFontDesc& Font() const override { return font_; }
    // Every character is 0.6 em wide; a text is 1.15 em high (em = size * dpi / 72), rounded.
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void TurnedText(int x, int y, std::string_view text, int emDots, bool upward) override;
    void SetPen(std::uint32_t rgb, int width) override {
        pen_ = rgb;
        penWidth_ = width;
    }
    void SetBrush(std::uint32_t rgb) override { brush_ = rgb; }
    void MoveTo(int x, int y) override {
        px_ = x;
        py_ = y;
    }
    void LineTo(int x, int y) override;
    void FillRect(int x1, int y1, int x2, int y2) override;

    // Makes BeginDoc fail from the given call on (1: the first), for failure paths.
    void FailBeginFrom(int call) { failBegin_ = call; }

    std::vector<TRecordedOp> ops;
    int documents = 0; // documents begun
    int pages = 0;     // pages begun over all documents

private:
    TRecordedOp Op(TRecordedOp::Kind kind) const;
    int width_;
    int height_;
    double dpi_;
    TFontDesc font_;
    std::uint32_t pen_ = kBlack;
    int penWidth_ = 1;
    std::uint32_t brush_ = kWhite;
    int px_ = 0;
    int py_ = 0;
    int failBegin_ = 0;
    int begins_ = 0;
    int page_ = 0;
    bool open_ = false;
};

// Characters of a UTF-8 text.
int Utf8Length(std::string_view text);

} // namespace tessaline
