#pragma once

#include <QFont>
#include <QPainter>

#include "report/line_printer.h"

class QPagedPaintDevice;

namespace printing {

// A printer that paints the lines on a Qt paint device in the application's
// font. Twips become device pixels at the device's resolution; every answer of
// the painter is checked, so a document that could not be made is the printer
// error and never a silent blank page.
class PaintedLinePrinter : public report::LinePrinter {
  public:
    ~PaintedLinePrinter() override;

    void setX(int twips) override { x_ = twips; }
    void setY(int twips) override { y_ = twips; }
    void printLine(const std::string& text) override;
    void newPage() override;

  protected:
    PaintedLinePrinter();

    // The device the document is painted on; null when there is no printer.
    virtual QPagedPaintDevice* device() = 0;

    // The printable area's height and the font's line height on the device.
    report::PageGeometry geometryOn(QPagedPaintDevice& device) const;
    // Drops a document that must not reach the printer, half made.
    virtual void abandonDocument() { endPaintingQuietly(); }
    void endPaintingQuietly();
    bool painting() const { return painter_.isActive(); }

    // Ends the document; false when nothing was painted. Throws the printer error
    // when the device could not finish it.
    bool endPainting();

  private:
    qreal toPixels(int twips) const;

    QPainter painter_;
    QFont font_;
    int x_ = 0;
    int y_ = 0;
};

[[noreturn]] void throwPrinterError(const char* reason = nullptr);

}  // namespace printing
