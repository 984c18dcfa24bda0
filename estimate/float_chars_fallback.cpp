// The fallback reads and writes through the C library, whose conversions are
// correctly rounded (glibc's and musl's alike). The C library works in the
// process locale: the point is swapped for the locale's own on the way in and
// back on the way out, so a decimal-comma locale changes nothing.
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "estimate/float_chars.h"

namespace estimate::fallback {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string localePoint() {
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ".";
}

template <typename Float>
Float parse(const char* text) {
    if constexpr (sizeof(Float) == sizeof(float)) {
        return std::strtof(text, nullptr);
    } else {
        return std::strtod(text, nullptr);
    }
}

template <typename Float>
std::from_chars_result readFixed(const char* first, const char* last, Float& value) {
    const char* p = first;
    bool nonzero = false;
    std::size_t digits = 0;
    std::string text;
    if (p != last && *p == '-') {
        text += *p++;
    }
    const auto takeDigits = [&] {
        for (; p != last && isDigit(*p); ++p, ++digits) {
            nonzero = nonzero || *p != '0';
            text += *p;
        }
    };
    takeDigits();
    if (p != last && *p == '.') {
        ++p;
        text += localePoint();
        takeDigits();
    }
    if (digits == 0) {
        return {first, std::errc::invalid_argument};
    }
    const Float result = parse<Float>(text.c_str());
    if (std::isinf(result) || (result == 0 && nonzero)) {
        return {p, std::errc::result_out_of_range};
    }
    value = result;
    return {p, std::errc()};
}

std::to_chars_result writeScientific(char* first, char* last, double value, int precision) {
    // A double has at most 767 significant digits; what lies beyond is zeros.
    char buffer[1200];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return {last, std::errc::value_too_large};
    }
    // The locale's point (one or more bytes) comes out as '.'.
    const std::string point = localePoint();
    const std::string_view text(buffer, static_cast<std::size_t>(length));
    const std::size_t at = text.find(point);
    char* out = first;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (out == last) {
            return {last, std::errc::value_too_large};
        }
        if (i == at) {
            *out++ = '.';
            i += point.size() - 1;
        } else {
            *out++ = text[i];
        }
    }
    return {out, std::errc()};
}

}  // namespace

std::from_chars_result fixedFromChars(const char* first, const char* last, float& value) {
    return readFixed(first, last, value);
}

std::from_chars_result fixedFromChars(const char* first, const char* last, double& value) {
    return readFixed(first, last, value);
}

// A float widens to a double exactly, so the double's digits are the float's.
std::to_chars_result scientificToChars(char* first, char* last, float value, int precision) {
    return writeScientific(first, last, value, precision);
}

std::to_chars_result scientificToChars(char* first, char* last, double value, int precision) {
    return writeScientific(first, last, value, precision);
}

}  // namespace estimate::fallback
