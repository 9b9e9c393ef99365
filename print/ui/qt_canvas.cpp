#include "print/ui/qt_canvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <cmath>

#include "print/print_settings.h"

namespace tessaline {

namespace {

QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor Colore(std::uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

} // namespace

QString FamigliaInstallata(const std::string& name) {
    const QString n = QString::fromUtf8(name.c_str()).trimmed();
    const QString lower = n.toLower();
    if (lower == QLatin1String("courier new") || lower == QLatin1String("courier")) {
        return QStringLiteral("Liberation Mono");
    }
    if (lower == QLatin1String("arial") || lower == QLatin1String("ms sans serif")) {
        return QStringLiteral("Liberation Sans");
    }
    if (lower == QLatin1String("times new roman")) {
        return QStringLiteral("Liberation Serif");
    }
    if (lower == QLatin1String("small fonts")) {
        return QStringLiteral("Liberation Sans Narrow");
    }
    return n;
}

QFont QtFont(const TFontDesc& desc) {
    QFont f(FamigliaInstallata(desc.name));
    f.setPointSizeF(desc.size > 0 ? desc.size : 10);
    f.setBold((desc.style & kFontBold) != 0);
    f.setItalic((desc.style & kFontItalic) != 0);
    f.setUnderline((desc.style & kFontUnderline) != 0);
    f.setStrikeOut((desc.style & kFontStrikeOut) != 0);
    f.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    f.setKerning(false);
    return f;
}

TQtCanvas::TQtCanvas(QPagedPaintDevice* device, double logicalDpi, bool oneFile)
    : device_(device), deviceDpiX_(device->logicalDpiX()), deviceDpiY_(device->logicalDpiY()),
      dpiX_(logicalDpi > 0 ? logicalDpi : deviceDpiX_), dpiY_(logicalDpi > 0 ? logicalDpi : deviceDpiY_),
      oneFile_(oneFile) {
    SetFont(desc_);
}

TQtCanvas::~TQtCanvas() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

QFont TQtCanvas::DeviceFont(const TFontDesc& desc, double emDots) const {
    QFont f = QtFont(desc);
    // Points are resolved at the device's resolution and then scaled by the painter: size them so
    // that the em is desc.size points (or emDots dots) of this canvas.
    const double em = emDots > 0 ? emDots : desc.size * dpiY_ / 72.0;
    f.setPointSizeF(std::max(0.5, em * 72.0 / deviceDpiY_));
    return f;
}

void TQtCanvas::Prepare() {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.scale(deviceDpiX_ / dpiX_, deviceDpiY_ / dpiY_);
    painter_.setFont(font_);
    SetPen(pen_, penWidth_);
}

bool TQtCanvas::BeginDoc() {
    if (pendingEnd_) {
        // Within one file a new document is a new page.
        pendingEnd_ = false;
        return NewPage();
    }
    if (painter_.isActive()) {
        return false;
    }
    if (!painter_.begin(device_)) {
        return false;
    }
    ++pages_;
    Prepare();
    return true;
}

bool TQtCanvas::EndDoc() {
    if (!painter_.isActive()) {
        return false;
    }
    if (oneFile_) {
        pendingEnd_ = true;
        return true;
    }
    return painter_.end();
}

bool TQtCanvas::Finish() {
    pendingEnd_ = false;
    if (!painter_.isActive()) {
        return false;
    }
    return painter_.end();
}

bool TQtCanvas::NewPage() {
    if (!painter_.isActive() || !device_->newPage()) {
        return false;
    }
    ++pages_;
    return true;
}

int TQtCanvas::PageWidth() const {
    return static_cast<int>(std::lround(device_->width() * dpiX_ / deviceDpiX_));
}

int TQtCanvas::PageHeight() const {
    return static_cast<int>(std::lround(device_->height() * dpiY_ / deviceDpiY_));
}

void TQtCanvas::SetFont(const TFontDesc& font) {
    desc_ = font;
    font_ = DeviceFont(font);
    if (painter_.isActive()) {
        painter_.setFont(font_);
    }
}

int TQtCanvas::TextWidth(std::string_view text) {
    const QFontMetricsF m(font_, device_);
    return static_cast<int>(std::lround(m.horizontalAdvance(Qs(text))));
}

int TQtCanvas::TextHeight(std::string_view /*text*/) {
    const QFontMetricsF m(font_, device_);
    return static_cast<int>(std::lround(m.ascent() + m.descent()));
}

void TQtCanvas::TextOut(int x, int y, std::string_view text) {
    if (!painter_.isActive()) {
        return;
    }
    const QFontMetricsF m(font_, device_);
    painter_.setPen(QPen(Colore(pen_ == kWhite ? kBlack : pen_)));
    painter_.drawText(QPointF(x, y + m.ascent()), Qs(text));
    SetPen(pen_, penWidth_);
}

void TQtCanvas::TurnedText(int x, int y, std::string_view text, int emDots, bool upward) {
    if (!painter_.isActive()) {
        return;
    }
    const QFont f = DeviceFont(desc_, emDots);
    const QFontMetricsF m(f, device_);
    painter_.save();
    painter_.setFont(f);
    painter_.setPen(QPen(Colore(kBlack)));
    painter_.translate(x, y);
    painter_.rotate(upward ? -90 : 90);
    painter_.drawText(QPointF(0, m.ascent()), Qs(text));
    painter_.restore();
}

void TQtCanvas::SetPen(std::uint32_t rgb, int width) {
    pen_ = rgb;
    penWidth_ = width;
    if (painter_.isActive()) {
        QPen pen(Colore(rgb));
        pen.setWidthF(width);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(pen);
    }
}

void TQtCanvas::LineTo(int x, int y) {
    if (painter_.isActive()) {
        painter_.drawLine(QPointF(px_, py_), QPointF(x, y));
    }
    px_ = x;
    py_ = y;
}

void TQtCanvas::FillRect(int x1, int y1, int x2, int y2) {
    if (painter_.isActive() && x2 > x1 && y2 > y1) {
        painter_.fillRect(QRectF(x1, y1, x2 - x1, y2 - y1), Colore(brush_));
    }
}

} // namespace tessaline
