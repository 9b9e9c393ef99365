#include "print/recording_canvas.h"

#include <cmath>

namespace tessaline {

int Utf8Length(std::string_view text) {
    int n = 0;
    for (const char ch : text) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

TRecordedOp TRecordingCanvas::Op(TRecordedOp::Kind kind) const {
    TRecordedOp op;
    op.kind = kind;
    op.page = page_;
    op.font = font_;
    op.colour = kind == TRecordedOp::Fill ? brush_ : pen_;
    op.penWidth = penWidth_;
    return op;
}

bool TRecordingCanvas::BeginDoc() {
    ++begins_;
    if (failBegin_ > 0 && begins_ >= failBegin_) {
        return false;
    }
    open_ = true;
    ++documents;
    ++pages;
    page_ = 1;
    ops.push_back(Op(TRecordedOp::Begin));
    return true;
}

bool TRecordingCanvas::EndDoc() {
    if (!open_) {
        return false;
    }
    open_ = false;
    ops.push_back(Op(TRecordedOp::End));
    return true;
}

bool TRecordingCanvas::NewPage() {
    if (!open_) {
        return false;
    }
    ++pages;
    ++page_;
    ops.push_back(Op(TRecordedOp::Page));
    return true;
}

int TRecordingCanvas::TextWidth(std::string_view text) {
    return static_cast<int>(std::lround(Utf8Length(text) * 0.6 * font_.size * dpi_ / 72.0));
}

int TRecordingCanvas::TextHeight(std::string_view /*text*/) {
    return static_cast<int>(std::lround(1.15 * font_.size * dpi_ / 72.0));
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text) {
    TRecordedOp op = Op(TRecordedOp::Text);
    op.x1 = x;
    op.y1 = y;
    op.text = std::string(text);
    ops.push_back(std::move(op));
}

void TRecordingCanvas::TurnedText(int x, int y, std::string_view text, int emDots, bool upward) {
    TRecordedOp op = Op(TRecordedOp::Turned);
    op.x1 = x;
    op.y1 = y;
    op.text = std::string(text);
    op.font.size = emDots;
    op.upward = upward;
    ops.push_back(std::move(op));
}

void TRecordingCanvas::LineTo(int x, int y) {
    TRecordedOp op = Op(TRecordedOp::Line);
    op.x1 = px_;
    op.y1 = py_;
    op.x2 = x;
    op.y2 = y;
    ops.push_back(std::move(op));
    px_ = x;
    py_ = y;
}

void TRecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
    TRecordedOp op = Op(TRecordedOp::Fill);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    ops.push_back(std::move(op));
}

} // namespace tessaline
