#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

#include "report/line_printer.h"

class QPrinter;

namespace report {

// Prints through Qt on the system's default printer, in high resolution, with the
// application's font. Twips become device pixels at the printer's resolution.
class QtLinePrinter : public LinePrinter {
  public:
    // The system's default printer, or none.
    static std::unique_ptr<QtLinePrinter> defaultPrinter();
    // A PDF file instead of a printer, for measuring.
    static std::unique_ptr<QtLinePrinter> pdfFile(const QString& path);

    explicit QtLinePrinter(std::unique_ptr<QPrinter> printer);
    ~QtLinePrinter() override;

    PageGeometry geometry() override;
    void setX(int twips) override { x_ = twips; }
    void setY(int twips) override { y_ = twips; }
    void printLine(const std::string& text) override;
    void newPage() override;
    void endDoc() override;

  private:
    qreal toPixels(int twips) const;

    std::unique_ptr<QPrinter> printer_;  // null: no printer
    QPainter painter_;
    QFont font_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace report
