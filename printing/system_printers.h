#pragma once

#include "report/line_printer.h"

namespace printing {

// The printers "打印" prints on: each press makes a printer for the system's
// default printer as it is at that moment. Which print system that is depends on
// the platform the program was built for.
report::PrinterFactory systemPrinters();

}  // namespace printing
