#include "estimate/conversions.h"

#include <cmath>
#include <optional>
#include <system_error>

#include "estimate/float_chars.h"
#include "estimate/run_time_error.h"

namespace estimate {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A text that passed the grammar, split into its sign and its digits.
struct Decimal {
    bool negative = false;
    std::string_view whole;     // digits before the point, may be empty
    std::string_view fraction;  // digits after the point, may be empty
    std::string_view body;      // whole, point and fraction as typed
};

std::optional<Decimal> parseDecimal(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    Decimal d;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        d.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    d.whole = text.substr(0, i);
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        d.fraction = text.substr(i + 1, j - i - 1);
        i = j;
    }
    if (i != text.size() || (d.whole.empty() && d.fraction.empty())) {
        return std::nullopt;
    }
    d.body = text;
    return d;
}

Decimal parseOrThrow(std::string_view text) {
    auto d = parseDecimal(text);
    if (!d) {
        throw RunTimeError(ErrorKind::TypeMismatch);
    }
    return *d;
}

bool allZeros(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

template <typename Float>
Float toFloating(std::string_view text) {
    const Decimal d = parseOrThrow(text);
    Float value{};
    const auto [ptr, ec] = fixedFromChars(d.body.data(), d.body.data() + d.body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // The library reports both ends of the range alike: a magnitude of one or
        // more cannot underflow, so it overflowed; anything smaller rounds to zero.
        if (!allZeros(d.whole)) {
            throw RunTimeError(ErrorKind::Overflow);
        }
        value = 0;
    } else if (ec != std::errc() || ptr != d.body.data() + d.body.size()) {
        throw RunTimeError(ErrorKind::TypeMismatch);
    }
    if (std::isinf(value)) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    return d.negative ? -value : value;
}

}  // namespace

float toSingle(std::string_view text) {
    return toFloating<float>(text);
}

double toDouble(std::string_view text) {
    return toFloating<double>(text);
}

std::int16_t toInteger(std::string_view text) {
    const Decimal d = parseOrThrow(text);
    std::string_view whole = d.whole;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 5) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    long magnitude = 0;
    for (char c : whole) {
        magnitude = magnitude * 10 + (c - '0');
    }
    if (!d.fraction.empty()) {
        const char first = d.fraction.front();
        const bool restZero = allZeros(d.fraction.substr(1));
        const bool exactHalf = first == '5' && restZero;
        if (first > '5' || (first == '5' && !restZero) || (exactHalf && magnitude % 2 == 1)) {
            ++magnitude;
        }
    }
    const long value = d.negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    return static_cast<std::int16_t>(value);
}

std::uint8_t toByte(int value) {
    if (value < 0 || value > UINT8_MAX) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    return static_cast<std::uint8_t>(value);
}

float storeSingle(double value) {
    // Halfway between the largest single and 2^128 already rounds to infinity.
    static const double kOverflowAt = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
    if (std::isnan(value) || std::fabs(value) >= kOverflowAt) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    return static_cast<float>(value);
}

double checkDouble(double value) {
    if (!std::isfinite(value)) {
        throw RunTimeError(ErrorKind::Overflow);
    }
    return value;
}

}  // namespace estimate
