#pragma once

#include <QPointF>
#include <string>

class QPaintDevice;
class QPagedPaintDevice;

namespace printing {

// What a document is painted on: a printer's pages or one picture. A target only
// provides the device and hands the finished document over; PagePainter does
// all the painting.
class PaintTarget {
  public:
    virtual ~PaintTarget() = default;

    // Opens the target for one document: finds the printer and makes the device
    // the document is painted on. Throws the printer error, with the system's
    // reason where it gives one. The device lives as long as the target.
    virtual QPaintDevice& open() = 0;

    // Where the top-left corner of the printable area lies, in device pixels from
    // the painter's origin.
    virtual QPointF origin() const { return {}; }
    // The height of the printable area below the origin, in device pixels.
    virtual double pageHeight() const = 0;

    // Starts the next page; false when the device could not.
    virtual bool newPage() = 0;
    // Hands the document over once painting has ended. Throws the printer error,
    // with the system's reason, when it is not taken whole.
    virtual void finish() = 0;
    // Drops a document that must not reach the printer, half made; called while
    // it is still being painted.
    virtual void abandon() {}
    // Why the device just failed to start, continue or end a document, as the
    // system says it; empty when it says nothing.
    virtual std::string failureReason() const { return {}; }
    // Why open() gave a device that cannot be painted on (it reports no
    // resolution): the printer cannot be used, no document was sent. Empty
    // when the system says nothing.
    virtual std::string unusableReason() const { return {}; }
};

// The height of a paged device's printable area, in its vertical pixels.
double printableHeight(const QPagedPaintDevice& device);

// The printer error, with what the print system said when it said something.
[[noreturn]] void throwPrinterError(const char* reason = nullptr);

}  // namespace printing
