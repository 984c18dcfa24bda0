#pragma once

#include <string>

namespace printing {

// What the operating system says, in the user's language, about why it has no
// printer to print on (asked right away), why the printer it has could not be
// opened, and why its spooler did not take the document it was given:
// SYSTEM_CODE is the error code the failed call left, kept by the print engine
// right after it. Empty where the system gives no reason of its own.
std::string noPrinterReason();
std::string unusablePrinterReason(unsigned long systemCode);
std::string spoolerReason(unsigned long systemCode);

}  // namespace printing
