#pragma once

#include <string>
#include <vector>

// The texts and values the fallback conversions are compared on with the
// standard library's: made the same way on every run (a fixed seed), natively,
// where the library is there to compare with.
namespace estimate::float_chars_cases {

// Over 60,000 texts: the conversions' own cases, malformed ones, powers of ten
// about both ranges' ends, the ends themselves, exact ties between
// neighbouring values and the texts either side, 7 to 17 digits anywhere in
// the range, and digit strings of 18 to 817 digits.
std::vector<std::string> texts();

// Zero, -0, the range ends, denorm_min, the infinities, random finite values
// and exact binary ties.
template <typename Float>
std::vector<Float> values();

// The precision a value at INDEX is written with: 6 and 14 digits after the
// point (the engine's singles and doubles), and 0 to 39 for the rounding
// anywhere.
inline int precisionAt(std::size_t index) {
    return index % 3 == 0 ? 6 : index % 3 == 1 ? 14 : static_cast<int>(index % 40);
}

}  // namespace estimate::float_chars_cases
