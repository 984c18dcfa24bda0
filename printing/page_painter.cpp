#include "printing/page_painter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <cmath>

#include "estimate/run_time_error.h"
#include "report/page_layout.h"

namespace printing {
namespace {

constexpr const char* kNoResolution = "打印机没有报告分辨率";

}  // namespace

void throwPrinterError(const char* reason) {
    using estimate::ErrorKind;
    using estimate::RunTimeError;
    if (reason && *reason) {
        throw RunTimeError(ErrorKind::PrinterError, reason);
    }
    throw RunTimeError(ErrorKind::PrinterError);
}

double printableHeight(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRect(QPageLayout::Inch).height() * device.logicalDpiY();
}

PagePainter::PagePainter(std::unique_ptr<PaintTarget> target)
    : target_(std::move(target)), font_(font()) {}

PagePainter::~PagePainter() {
    if (painter_) {
        abandonDocument();
    }
}

QFont PagePainter::font() {
    return QGuiApplication::font();
}

report::PageGeometry PagePainter::open() {
    device_ = &target_->open();
    const double dpiY = device_->logicalDpiY();
    if (dpiY <= 0 || device_->logicalDpiX() <= 0) {
        // A printer whose device could not be made reports no resolution: every
        // position on its page would be a division by zero. Nothing was sent:
        // the printer is unusable, whatever its spooler would say.
        const std::string reason = target_->unusableReason();
        device_ = nullptr;
        throwPrinterError(reason.empty() ? kNoResolution : reason.c_str());
    }
    const QFontMetricsF metrics(font_, device_);
    return {static_cast<int>(std::floor(target_->pageHeight() * report::kTwipsPerInch / dpiY)),
            static_cast<int>(std::ceil(metrics.height() * report::kTwipsPerInch / dpiY))};
}

void PagePainter::printLine(const std::string& text) {
    if (!device_) {
        throwPrinterError();  // never opened
    }
    if (!painter_) {
        painter_.emplace();
        if (!painter_->begin(device_)) {
            // The reason first: nothing after the failed call may change it.
            const std::string reason = target_->failureReason();
            painter_.reset();
            throwPrinterError(reason.c_str());  // nothing has reached the printer yet
        }
        painter_->setFont(font_);
        painter_->setPen(Qt::black);
        painter_->translate(target_->origin());
    }
    // drawText takes the baseline; the line's top is at the vertical position.
    const qreal x = x_ * device_->logicalDpiX() / report::kTwipsPerInch;
    const qreal top = y_ * device_->logicalDpiY() / report::kTwipsPerInch;
    painter_->drawText(QPointF(x, top + painter_->fontMetrics().ascent()),
                       QString::fromStdString(text));
}

void PagePainter::newPage() {
    if (painter_ && !target_->newPage()) {
        const std::string reason = target_->failureReason();
        abandonDocument();
        throwPrinterError(reason.c_str());
    }
}

void PagePainter::endDoc() {
    if (!painter_) {
        return;  // nothing was painted, so there is nothing to hand over
    }
    const bool ended = painter_->end();
    const std::string reason = ended ? std::string() : target_->failureReason();
    painter_.reset();
    if (!ended) {
        throwPrinterError(reason.c_str());  // the device kept the document from the printer
    }
    target_->finish();
}

void PagePainter::abandonDocument() {
    target_->abandon();
    painter_.reset();
}

}  // namespace printing
