#pragma once

#include <string>

// Numbers to display text, independent of the process locale. The value is
// rounded to P significant digits (7 for a single, 15 for a double) and written in
// plain notation, trailing zeros and a bare point removed, or in exponent notation
// ("1.5E+39", "1E-05") when the decimal exponent is below -4 or at least P. Zero
// of either sign is "0".
namespace estimate {

std::string singleText(float value);
std::string doubleText(double value);

}  // namespace estimate
