#include "printing/system_reason.h"

namespace printing {

// Qt's print support says nothing more than that it failed.
std::string noPrinterReason() {
    return {};
}

std::string unusablePrinterReason(unsigned long) {
    return {};
}

std::string spoolerReason(unsigned long) {
    return {};
}

}  // namespace printing
