#include "estimate/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "estimate/float_chars.h"

namespace estimate {
namespace {

// Works in fixed buffers: the text is made once, without intermediate strings,
// since number texts are made for every caption.
template <typename Float>
std::string significantText(Float value, int precision) {
    if (value == 0) {
        return "0";
    }
    std::array<char, 48> sci{};
    const char* sciEnd =
        scientificToChars(sci.data(), sci.data() + sci.size(), value, precision - 1).ptr;
    if (!std::isfinite(value)) {
        // Never shown: every operation overflows first.
        return std::string(static_cast<const char*>(sci.data()), sciEnd);
    }

    // sci is "[-]d.ddddde[+-]xx": the digits are read in place, around the point.
    std::array<char, 48> out{};
    char* o = out.data();
    const char* p = sci.data();
    if (*p == '-') {
        *o++ = '-';
        ++p;
    }
    const char* const e = std::find(p, sciEnd, 'e');
    int exponent = 0;
    for (const char* x = e + 2; x < sciEnd; ++x) {
        exponent = exponent * 10 + (*x - '0');
    }
    if (e[1] == '-') {
        exponent = -exponent;
    }
    // The significant digits are p[0] and p[2] up to e, trailing zeros dropped.
    const char* last = e - 1;
    while (last > p && (*last == '0' || *last == '.')) {
        --last;
    }
    const int count = last == p ? 1 : static_cast<int>(last - p);  // digits, point excluded
    const auto digit = [p](int i) { return i == 0 ? p[0] : p[i + 1]; };
    const auto copy = [&o, &digit](int from, int to) {
        for (int i = from; i < to; ++i) {
            *o++ = digit(i);
        }
    };

    if (exponent < -4 || exponent >= precision) {
        *o++ = p[0];
        if (count > 1) {
            *o++ = '.';
            copy(1, count);
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude >= 100) {
            *o++ = static_cast<char>('0' + magnitude / 100);
        }
        *o++ = static_cast<char>('0' + magnitude / 10 % 10);
        *o++ = static_cast<char>('0' + magnitude % 10);
    } else if (exponent < 0) {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exponent - 1; ++i) {
            *o++ = '0';
        }
        copy(0, count);
    } else {
        const int whole = exponent + 1;
        copy(0, std::min(count, whole));
        for (int i = count; i < whole; ++i) {
            *o++ = '0';
        }
        if (count > whole) {
            *o++ = '.';
            copy(whole, count);
        }
    }
    return std::string(out.data(), o);
}

}  // namespace

std::string singleText(float value) {
    return significantText(value, 7);
}

std::string doubleText(double value) {
    return significantText(value, 15);
}

}  // namespace estimate
