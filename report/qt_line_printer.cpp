#include "report/qt_line_printer.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "estimate/run_time_error.h"

namespace report {
namespace {

constexpr double kTwipsPerInch = 1440.0;

[[noreturn]] void printerError() {
    throw estimate::RunTimeError(estimate::ErrorKind::PrinterError);
}

}  // namespace

std::unique_ptr<QtLinePrinter> QtLinePrinter::defaultPrinter() {
    // A QPrinter made without a printer quietly turns into a PDF writer whose
    // begin() fails later: ask for the default printer first.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return std::make_unique<QtLinePrinter>(nullptr);
    }
    return std::make_unique<QtLinePrinter>(
        std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

std::unique_ptr<QtLinePrinter> QtLinePrinter::pdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::make_unique<QtLinePrinter>(std::move(printer));
}

QtLinePrinter::QtLinePrinter(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)), font_(QGuiApplication::font()) {
    if (printer_) {
        printer_->setDocName(QStringLiteral("Quillmere"));
        printer_->setFullPage(false);  // positions start at the printable area
    }
}

QtLinePrinter::~QtLinePrinter() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

PageGeometry QtLinePrinter::geometry() {
    if (!printer_) {
        printerError();
    }
    const int dpi = printer_->resolution();
    const QRect area = printer_->pageLayout().paintRectPixels(dpi);
    const QFontMetricsF metrics(font_, printer_.get());
    return {static_cast<int>(std::floor(area.height() * kTwipsPerInch / dpi)),
            static_cast<int>(std::ceil(metrics.height() * kTwipsPerInch / dpi))};
}

qreal QtLinePrinter::toPixels(int twips) const {
    return twips * static_cast<qreal>(printer_->resolution()) / kTwipsPerInch;
}

void QtLinePrinter::printLine(const std::string& text) {
    if (!printer_) {
        printerError();
    }
    if (!painter_.isActive()) {
        if (!painter_.begin(printer_.get())) {
            printerError();  // nothing has reached the printer yet
        }
        painter_.setFont(font_);
    }
    // drawText takes the baseline; the line's top is at the vertical position.
    const qreal ascent = painter_.fontMetrics().ascent();
    painter_.drawText(QPointF(toPixels(x_), toPixels(y_) + ascent), QString::fromStdString(text));
}

void QtLinePrinter::newPage() {
    if (painter_.isActive()) {
        printer_->newPage();
    }
}

void QtLinePrinter::endDoc() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

}  // namespace report
