#include "tests/estimate/float_chars_cases.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <type_traits>
#include <utility>

namespace estimate::float_chars_cases {
namespace {

std::mt19937_64& random() {
    static std::mt19937_64 engine(20261210);
    return engine;
}

// The exact decimal text of a long double: glibc prints every digit.
std::string exactText(long double value) {
    std::string text(5000, '\0');
    const int n = std::snprintf(text.data(), text.size(), "%.1100Lf", value);
    text.resize(static_cast<std::size_t>(n));
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

// digits placed so that the point falls `shift` places from their end:
// ("123", 1) is "12.3", ("123", 5) is "0.00123", ("123", -2) is "12300".
std::string placed(const std::string& digits, int shift) {
    std::string text;
    if (shift <= 0) {
        text.append(digits).append(static_cast<std::size_t>(-shift), '0');
        return text;
    }
    const int wholeDigits = static_cast<int>(digits.size()) - shift;
    if (wholeDigits > 0) {
        const auto whole = static_cast<std::size_t>(wholeDigits);
        text.append(digits, 0, whole).append(".").append(digits, whole);
    } else {
        text.append("0.").append(static_cast<std::size_t>(-wholeDigits), '0').append(digits);
    }
    return text;
}

std::string randomDigits(std::size_t count) {
    std::string digits;
    for (std::size_t i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random()() % 10);
    }
    return digits;
}

template <typename Float>
Float randomFinite() {
    using Bits = std::conditional_t<sizeof(Float) == 4, std::uint32_t, std::uint64_t>;
    for (;;) {
        const auto value = std::bit_cast<Float>(static_cast<Bits>(random()()));
        if (std::isfinite(value)) {
            return std::fabs(value);
        }
    }
}

// Halfway between a value and the next one up, and the texts either side of
// it: the ties the reading must break to even.
template <typename Float>
void addTies(std::vector<std::string>& texts, Float value) {
    const Float next = std::nextafter(value, std::numeric_limits<Float>::infinity());
    if (!std::isfinite(next)) {
        return;
    }
    const std::string half = exactText((static_cast<long double>(value) + next) / 2);
    texts.push_back(half);
    texts.push_back(half + "000000000000000000001");
    texts.push_back(exactText(value));
}

}  // namespace

std::vector<std::string> texts() {
    std::vector<std::string> texts = {
        "0",
        "0.0",
        "00000",
        ".5",
        "5.",
        ".",
        "",
        "1",
        "0.1",
        "0.7",
        "1.5",
        "2.5",
        "3.4028235",
        "3.40282347",
        "340282346638528859811704183484516925440",
        "340282356779733661637539395458142568448",
        "340282356779733661637539395458142568447",
        "0.000000000000000000000000000000000000000000001401298464324817",
        "0.0000000000000000000000000000000000000000000007",
        "1e5",
        "1,5",
        "12abc",
        "-1",
        "+1",
        " 1",
        "0x10",
        "-0.5",
        "--1",
        "-",
        "1..2",
        "9.999999999999999999999999999999"};
    // Powers of ten about the ends of the single range and of the double range.
    for (const auto& [from, to] : {std::pair{30, 50}, std::pair{290, 320}}) {
        for (int zeros = from; zeros <= to; ++zeros) {
            texts.push_back(placed("1", -zeros));
            texts.push_back(placed("1", zeros + 1));
        }
    }
    // The ends of both ranges and of the subnormals.
    for (const long double v :
         {static_cast<long double>(FLT_MAX), static_cast<long double>(DBL_MAX),
          static_cast<long double>(FLT_MIN), static_cast<long double>(DBL_MIN),
          static_cast<long double>(FLT_TRUE_MIN), static_cast<long double>(DBL_TRUE_MIN)}) {
        texts.push_back(exactText(v));
        texts.push_back(exactText(v / 2));
        texts.push_back(exactText(v * 3 / 4));
        texts.push_back(exactText(v * 1.5L));
    }
    texts.push_back(exactText(std::ldexp(2.0L - std::ldexp(1.0L, -24), 127)));
    texts.push_back(exactText(std::ldexp(2.0L - std::ldexp(1.0L, -53), 1023)));
    for (int i = 0; i < 4000; ++i) {
        addTies(texts, randomFinite<float>());
        addTies(texts, std::ldexp(static_cast<float>(random()() % 0x800000), -149));  // subnormal
    }
    for (int i = 0; i < 1500; ++i) {
        addTies(texts, randomFinite<double>());
        addTies(texts, std::ldexp(static_cast<double>(random()() % (1ULL << 52)), -1074));
    }
    // 7, 9, 15 and 17 digits anywhere in the range, and long digit strings.
    for (int i = 0; i < 30000; ++i) {
        const std::size_t count = std::array<std::size_t, 4>{7, 9, 15, 17}[i % 4];
        texts.push_back(placed(randomDigits(count), static_cast<int>(random()() % 700) - 340));
    }
    for (int i = 0; i < 6000; ++i) {
        const std::size_t count = 18 + random()() % 800;
        texts.push_back(placed(randomDigits(count), static_cast<int>(random()() % (count + 60))));
    }
    return texts;
}

template <typename Float>
std::vector<Float> values() {
    std::vector<Float> values = {0,
                                 -0.0f,
                                 std::numeric_limits<Float>::max(),
                                 std::numeric_limits<Float>::min(),
                                 std::numeric_limits<Float>::denorm_min(),
                                 std::numeric_limits<Float>::infinity(),
                                 -std::numeric_limits<Float>::infinity()};
    for (int i = 0; i < 30000; ++i) {
        const Float value = randomFinite<Float>();
        values.push_back(i % 2 == 0 ? value : -value);
        // A binary fraction whose decimal digits end in a 5: an exact tie at
        // one digit short of its length.
        values.push_back(std::ldexp(static_cast<Float>(random()() % (1 << 20) | 1),
                                    -static_cast<int>(1 + random()() % 12)));
    }
    return values;
}

template std::vector<float> values<float>();
template std::vector<double> values<double>();

}  // namespace estimate::float_chars_cases
