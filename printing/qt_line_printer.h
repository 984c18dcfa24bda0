#pragma once

#include <QString>
#include <memory>

#include "printing/painted_line_printer.h"

class QPrinter;

namespace printing {

// Prints through Qt's native print support on the system's default printer, in
// high resolution: the printer of platforms without CUPS, and a PDF file for
// measuring.
class QtLinePrinter : public PaintedLinePrinter {
  public:
    // The system's default printer, or none.
    static std::unique_ptr<QtLinePrinter> defaultPrinter();
    // A PDF file instead of a printer.
    static std::unique_ptr<QtLinePrinter> pdfFile(const QString& path);

    explicit QtLinePrinter(std::unique_ptr<QPrinter> printer);
    ~QtLinePrinter() override;

    report::PageGeometry geometry() override;
    void endDoc() override;

  protected:
    QPagedPaintDevice* device() override;
    void abandonDocument() override;

  private:
    std::unique_ptr<QPrinter> printer_;  // null: no printer
};

}  // namespace printing
