#include "estimate/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace estimate {
namespace {

template <typename Float>
std::string significantText(Float value, int precision) {
    if (value == 0) {
        return "0";
    }
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                      std::chars_format::scientific, precision - 1);
    std::string_view sci(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    if (!std::isfinite(value)) {
        return std::string(sci);  // never shown: every operation overflows first
    }

    // sci is "[-]d.ddddde[+-]xx": take the sign, the digits and the exponent apart.
    std::string out;
    if (sci.front() == '-') {
        out.push_back('-');
        sci.remove_prefix(1);
    }
    const std::size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    int exponent = 0;
    std::string_view exp = sci.substr(e + 1);
    if (exp.front() == '+') {
        exp.remove_prefix(1);
    }
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    if (exponent < -4 || exponent >= precision) {
        out += digits.front();
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            out += '0';
        }
        std::array<char, 8> exponentDigits{};
        const auto end = std::to_chars(exponentDigits.data(),
                                       exponentDigits.data() + exponentDigits.size(), magnitude);
        out.append(exponentDigits.data(), end.ptr);
        return out;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
        out += digits;
        out.append(wholeDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, wholeDigits);
        out += '.';
        out.append(digits, wholeDigits);
    }
    return out;
}

}  // namespace

std::string singleText(float value) {
    return significantText(value, 7);
}

std::string doubleText(double value) {
    return significantText(value, 15);
}

}  // namespace estimate
