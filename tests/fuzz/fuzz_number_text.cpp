// Any finite float or double bit pattern into the number texts: at most 7 or 15
// significant digits, plain or exponent notation, no leading space or plus sign,
// "0" for either zero, and the text reads back as the value rounded to that
// many digits.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <string_view>

#include "estimate/number_text.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int significantDigits(const std::string& text) {
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
}

struct Decimal {
    bool negative;
    std::string digits;  // no leading or trailing zeros
    int exponent;        // of the first digit
    bool operator==(const Decimal&) const = default;
};

// Reads plain ("-0.0012") or exponent ("1.2E-03", "1.200000E-03") notation.
Decimal decimalOf(std::string text) {
    Decimal d{false, "", 0};
    if (text.front() == '-') {
        d.negative = true;
        text.erase(0, 1);
    }
    int exponent = 0;
    if (const auto e = text.find('E'); e != std::string::npos) {
        std::string_view exp(text.data() + e + 1, text.size() - e - 1);
        if (exp.front() == '+') {
            exp.remove_prefix(1);
        }
        std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
        text.erase(e);
    }
    const auto point = text.find('.');
    const int wholeDigits = static_cast<int>(point == std::string::npos ? text.size() : point);
    std::string digits;
    for (char c : text) {
        if (c != '.') {
            digits += c;
        }
    }
    const auto first = digits.find_first_not_of('0');
    digits.erase(0, first);
    digits.erase(digits.find_last_not_of('0') + 1);
    d.digits = digits;
    d.exponent = exponent + wholeDigits - 1 - static_cast<int>(first);
    return d;
}

template <typename Float>
void check(Float value, const std::string& text, int precision) {
    if (!std::isfinite(value)) {
        return;
    }
    static const std::regex plain(R"(-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?)");
    static const std::regex exponent(R"(-?[1-9](\.[0-9]*[1-9])?E[+-][0-9]{2,3})");
    if (value == 0) {
        require(text == "0");
        return;
    }
    require(std::regex_match(text, plain) || std::regex_match(text, exponent));
    require(significantDigits(text) <= precision);

    // The text names the same decimal as the value rounded to `precision`
    // digits. Compared as digits and exponent, since the rounded value may lie
    // beyond the type's range (the largest double shows as 1.79769313486232E+308).
    std::array<char, 64> buf{};
    const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<double>(value),
                                   std::chars_format::scientific, precision - 1);
    std::string rounded(buf.data(), end.ptr);
    rounded[rounded.find('e')] = 'E';
    require(decimalOf(text) == decimalOf(rounded));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(float)) {
        float f;
        std::memcpy(&f, data, sizeof f);
        check(f, estimate::singleText(f), 7);
    }
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data + size - sizeof d, sizeof d);
        check(d, estimate::doubleText(d), 15);
    }
    return 0;
}
