#include "printing/qt_line_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace printing {

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

QtLinePrinter::QtLinePrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    if (printer_) {
        printer_->setDocName(QStringLiteral("Quillmere"));
        printer_->setFullPage(false);  // positions start at the printable area
    }
}

QtLinePrinter::~QtLinePrinter() {
    // Still painting here means an operation stopped half way: the spooler must
    // not get half a document.
    if (painting()) {
        abandonDocument();
    }
}

report::PageGeometry QtLinePrinter::geometry() {
    if (!printer_) {
        throwPrinterError();
    }
    return geometryOn(*printer_);
}

QPagedPaintDevice* QtLinePrinter::device() {
    return printer_.get();
}

void QtLinePrinter::abandonDocument() {
    printer_->abort();
    endPaintingQuietly();
}

void QtLinePrinter::endDoc() {
    endPainting();
    if (printer_ && printer_->printerState() == QPrinter::Error) {
        throwPrinterError();
    }
}

}  // namespace printing
