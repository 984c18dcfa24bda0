#include "printing/painted_line_printer.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <cmath>

#include "estimate/run_time_error.h"

namespace printing {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

void throwPrinterError(const char* reason) {
    using estimate::ErrorKind;
    using estimate::RunTimeError;
    if (reason && *reason) {
        throw RunTimeError(ErrorKind::PrinterError, reason);
    }
    throw RunTimeError(ErrorKind::PrinterError);
}

PaintedLinePrinter::PaintedLinePrinter() : font_(QGuiApplication::font()) {}

PaintedLinePrinter::~PaintedLinePrinter() {
    endPaintingQuietly();
}

void PaintedLinePrinter::endPaintingQuietly() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

report::PageGeometry PaintedLinePrinter::geometryOn(QPagedPaintDevice& device) const {
    const int dpi = device.logicalDpiY();
    const QRect area = device.pageLayout().paintRectPixels(dpi);
    const QFontMetricsF metrics(font_, &device);
    return {static_cast<int>(std::floor(area.height() * kTwipsPerInch / dpi)),
            static_cast<int>(std::ceil(metrics.height() * kTwipsPerInch / dpi))};
}

qreal PaintedLinePrinter::toPixels(int twips) const {
    return twips * static_cast<qreal>(painter_.device()->logicalDpiY()) / kTwipsPerInch;
}

void PaintedLinePrinter::printLine(const std::string& text) {
    if (!painter_.isActive()) {
        QPagedPaintDevice* target = device();
        if (!target || !painter_.begin(target)) {
            throwPrinterError();  // nothing has reached the printer yet
        }
        painter_.setFont(font_);
    }
    // drawText takes the baseline; the line's top is at the vertical position.
    const qreal ascent = painter_.fontMetrics().ascent();
    painter_.drawText(QPointF(toPixels(x_), toPixels(y_) + ascent), QString::fromStdString(text));
}

void PaintedLinePrinter::newPage() {
    if (painter_.isActive() && !device()->newPage()) {
        abandonDocument();
        throwPrinterError();
    }
}

bool PaintedLinePrinter::endPainting() {
    if (!painter_.isActive()) {
        return false;
    }
    if (!painter_.end()) {
        throwPrinterError();
    }
    return true;
}

}  // namespace printing
