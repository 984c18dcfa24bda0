#pragma once

#include <cstdint>
#include <string>

namespace model {

// The numeric key filter: lets the decimal digits, the point, Backspace (8) and
// Enter (13) through and turns every other key code into 0, which drops the key.
// Codes are signed 16-bit, so every negative code is dropped too. Returns the
// code left in n_KeyAscii.
std::int16_t InputNumb(std::int16_t& n_KeyAscii);

// The printable characters InputNumb lets through, in code order: what a typed
// key may put into a field, in the window and on the page.
std::string charactersTyped();

}  // namespace model
