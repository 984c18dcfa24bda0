#include "printing/page_painter.h"
#include "printing/qt_printer.h"
#include "printing/system_printers.h"

namespace printing {

report::PrinterFactory systemPrinters() {
    return [] { return std::make_unique<PagePainter>(QtPrinter::defaultPrinter()); };
}

}  // namespace printing
