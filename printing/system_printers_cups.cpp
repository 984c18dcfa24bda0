#include "printing/cups_line_printer.h"
#include "printing/system_printers.h"

namespace printing {

report::PrinterFactory systemPrinters() {
    return [] { return std::make_unique<CupsLinePrinter>(); };
}

}  // namespace printing
