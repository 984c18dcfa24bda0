#include "printing/qt_printer.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include "printing/system_reason.h"

namespace printing {

std::unique_ptr<QtPrinter> QtPrinter::defaultPrinter() {
    return std::unique_ptr<QtPrinter>(new QtPrinter(QString()));
}

std::unique_ptr<QtPrinter> QtPrinter::pdfFile(const QString& path) {
    return std::unique_ptr<QtPrinter>(new QtPrinter(path));
}

QtPrinter::QtPrinter(QString pdfPath) : pdfPath_(std::move(pdfPath)) {}

QtPrinter::~QtPrinter() = default;

QPaintDevice& QtPrinter::open() {
    if (pdfPath_.isEmpty()) {
        // A QPrinter made without a printer quietly turns into a PDF writer whose
        // begin() fails later: ask for the default printer first.
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            throwPrinterError(noPrinterReason().c_str());
        }
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
    }
    printer_->setDocName(QStringLiteral("Quillmere"));
    printer_->setFullPage(false);  // positions start at the printable area
    // Our Windows engine keeps the code of a failed OpenPrinter, GetPrinter or
    // CreateDC (and of a ResetDC the settings above needed): the printer is
    // there but has no device to paint on.
    if (const unsigned long code = systemCode(); code != 0) {
        throwPrinterError(unusablePrinterReason(code).c_str());
    }
    return *printer_;
}

unsigned long QtPrinter::systemCode() const {
    // The system's error code of the call that last failed, taken right after
    // that call by our Windows print engine; other engines have none (0).
    return printer_ ? printer_->printEngine()->property(QPrintEngine::PPK_CustomBase).toUInt() : 0;
}

double QtPrinter::pageHeight() const {
    return printableHeight(*printer_);
}

bool QtPrinter::newPage() {
    return printer_->newPage();
}

void QtPrinter::finish() {
    // Our Windows engine marks a document the spooler gave up as aborted: that
    // document was not printed either.
    const QPrinter::PrinterState state = printer_->printerState();
    if (state == QPrinter::Error || state == QPrinter::Aborted) {
        throwPrinterError(failureReason().c_str());
    }
}

std::string QtPrinter::failureReason() const {
    return spoolerReason(systemCode());
}

std::string QtPrinter::unusableReason() const {
    return unusablePrinterReason(systemCode());
}

void QtPrinter::abandon() {
    // Our Windows print engine marks the document aborted, and ending the
    // painter then aborts it in the spooler: nothing painted so far is printed.
    printer_->abort();
}

}  // namespace printing
