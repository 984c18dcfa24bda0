#pragma once

#include <charconv>
#include <system_error>
#include <version>

// The two floating-point text conversions the engine makes: a plain decimal
// text (digits with at most one point, no exponent) to the nearest
// value, and a value to "d.ddde+xx" with a given number of digits after the
// point. The standard library's own where it has them; a C++ library without
// them (the one WebAssembly is built with) gets the fallback below. The choice
// is the library's own feature macro, so a library that gains them uses them.
namespace estimate {

namespace fallback {

// As std::from_chars with chars_format::fixed: reads the longest decimal
// prefix of [first, last), with an optional '-'; a value too large, or a
// nonzero one too small to be told from zero, is result_out_of_range and leaves
// `value` as it was. Unlike the library's it does not read "inf" or "nan",
// which no field text can reach it with.
std::from_chars_result fixedFromChars(const char* first, const char* last, float& value);
std::from_chars_result fixedFromChars(const char* first, const char* last, double& value);

// As std::to_chars with chars_format::scientific and a precision.
std::to_chars_result scientificToChars(char* first, char* last, float value, int precision);
std::to_chars_result scientificToChars(char* first, char* last, double value, int precision);

}  // namespace fallback

#if defined(__cpp_lib_to_chars)
template <typename Float>
std::from_chars_result fixedFromChars(const char* first, const char* last, Float& value) {
    return std::from_chars(first, last, value, std::chars_format::fixed);
}
template <typename Float>
std::to_chars_result scientificToChars(char* first, char* last, Float value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}
#else
using fallback::fixedFromChars;
using fallback::scientificToChars;
#endif

}  // namespace estimate
