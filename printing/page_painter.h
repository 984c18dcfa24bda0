#pragma once

#include <QFont>
#include <QPainter>
#include <memory>
#include <optional>
#include <string>

#include "printing/paint_target.h"
#include "report/line_printer.h"

namespace printing {

// The one painter of the report: paints the lines the report places on the
// device its target provides, in the application's font. Twips become pixels at
// the device's own resolutions, horizontal and vertical apart, so a line starts
// the same distance from the paper's edge on a printer whose two resolutions
// differ. Its QPainter lives for one document only, and every answer of it is
// checked: a document that could not be made is the printer error, never a
// silent blank page.
class PagePainter final : public report::LinePrinter {
  public:
    explicit PagePainter(std::unique_ptr<PaintTarget> target);
    // A document still being painted is abandoned, never handed over half made.
    ~PagePainter() override;
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    // The face every document is painted in.
    static QFont font();

    report::PageGeometry open() override;
    void setX(int twips) override { x_ = twips; }
    void setY(int twips) override { y_ = twips; }
    void printLine(const std::string& text) override;
    void newPage() override;
    void endDoc() override;

  private:
    void abandonDocument();

    std::unique_ptr<PaintTarget> target_;
    QFont font_;
    QPaintDevice* device_ = nullptr;   // the open target's device
    std::optional<QPainter> painter_;  // while a document is being painted
    int x_ = 0;
    int y_ = 0;
};

}  // namespace printing
