#pragma once

#include <string>

namespace printing {

// What the operating system says, in the user's language, about why it has no
// printer to print on, and about why its spooler did not take the document it
// was just given. Empty where the system gives no reason of its own.
std::string noPrinterReason();
std::string spoolerReason();

}  // namespace printing
