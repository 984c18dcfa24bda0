#pragma once

#include <cstdint>
#include <string_view>

// Field text to number, and the checked stores every operation makes. None of
// these depends on the process locale: a user with a decimal-comma locale gets
// exactly the numbers of everybody else.
//
// A number text is: optional spaces, one optional "+" or "-", decimal digits with
// at most one "." and at least one digit, optional spaces. Anything else (empty
// text, a lone point, two points, grouping, exponents, other scripts' digits,
// control characters) fails with the type-mismatch error.
namespace estimate {

// The float nearest to the decimal text (rounded once, straight from the text).
// Too large: overflow. Too small: 0 or a subnormal, as the nearest value is.
float toSingle(std::string_view text);

// The double nearest to the decimal text, with the same rules as toSingle.
double toDouble(std::string_view text);

// The text rounded to a whole number, a half to the even neighbour, computed on
// the decimal digits themselves; overflow outside -32768..32767.
std::int16_t toInteger(std::string_view text);

// Overflow outside 0..255.
std::uint8_t toByte(int value);

// Rounds a double once to a single, as every stored single is; a result beyond
// the single range (or not a number at all) is an overflow.
float storeSingle(double value);

// A double result that left the double range (or is not a number) is an overflow.
double checkDouble(double value);

}  // namespace estimate
