#pragma once

#include <functional>
#include <memory>
#include <string>

namespace report {

// The page a printer offers, in twips from the top-left corner of its printable
// area.
struct PageGeometry {
    int pageHeight;  // height of the printable area
    int lineHeight;  // height of one printed line in the printer's font
};

// The printer operations the report needs. Positions are in twips from the
// top-left corner of the printable area; a line is drawn with its top at the
// vertical position.
class LinePrinter {
  public:
    virtual ~LinePrinter() = default;

    // Opens the printer for one document and gives its page; throws the printer
    // error, with the print system's reason, when there is none. Nothing is
    // printed yet: the lines are placed on the page before the first is printed.
    virtual PageGeometry open() = 0;

    virtual void setX(int twips) = 0;
    virtual void setY(int twips) = 0;
    // Prints a line at the current position; the first one opens the document
    // and may fail with the printer error, before anything reaches the printer.
    virtual void printLine(const std::string& text) = 0;
    virtual void newPage() = 0;
    // Ends the document and hands it to the printer.
    virtual void endDoc() = 0;
};

using PrinterFactory = std::function<std::unique_ptr<LinePrinter>()>;

}  // namespace report
