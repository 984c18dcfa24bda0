#include "printing/qt_line_printer.h"
#include "printing/system_printers.h"

namespace printing {

report::PrinterFactory systemPrinters() {
    return [] { return QtLinePrinter::defaultPrinter(); };
}

}  // namespace printing
