#pragma once

#include <QString>
#include <memory>
#include <string>

#include "printing/paint_target.h"

class QPrinter;

namespace printing {

// Prints through Qt's native print support on the system's default printer, in
// high resolution: the printer of platforms without CUPS, and a PDF file for
// measuring.
class QtPrinter : public PaintTarget {
  public:
    // The system's default printer as it is when the document is opened.
    static std::unique_ptr<QtPrinter> defaultPrinter();
    // A PDF file instead of a printer.
    static std::unique_ptr<QtPrinter> pdfFile(const QString& path);

    ~QtPrinter() override;

    // The printer error, with the system's reason, when there is no printer or
    // its device cannot be made.
    QPaintDevice& open() override;
    double pageHeight() const override;
    bool newPage() override;
    // The printer error, with the system's reason, when the spooler did not
    // take the document.
    void finish() override;
    void abandon() override;
    std::string failureReason() const override;
    std::string unusableReason() const override;

  private:
    explicit QtPrinter(QString pdfPath);
    unsigned long systemCode() const;

    QString pdfPath_;  // empty: the system's default printer
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace printing
