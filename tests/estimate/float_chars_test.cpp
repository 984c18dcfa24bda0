// The fallback conversions against the standard library's, on a large
// generated set: every text read as a float and as a double must give the same
// outcome and the same bits, every value written must give the same text.
// ("inf" and "nan" are left out: the fallback does not read them.)
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "estimate/float_chars.h"
#include "tests/estimate/float_chars_cases.h"

namespace estimate {
namespace {

template <typename Float>
std::string readOutcome(const std::string& text, bool library) {
    Float value = 42;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = library
                               ? std::from_chars(text.data(), end, value, std::chars_format::fixed)
                               : fallback::fixedFromChars(text.data(), end, value);
    std::string outcome =
        "read " + std::to_string(ptr - text.data()) + ", " + std::make_error_code(ec).message();
    if (ec == std::errc()) {
        char bits[24];
        std::snprintf(bits, sizeof bits, "%a", static_cast<double>(value));
        outcome += std::string(", ") + bits;
    }
    return outcome;
}

template <typename Float>
int readingDifferences(const std::vector<std::string>& texts) {
    int differences = 0;
    for (const std::string& text : texts) {
        const std::string library = readOutcome<Float>(text, true);
        const std::string fallback = readOutcome<Float>(text, false);
        if (library != fallback && ++differences <= 5) {
            ADD_FAILURE() << "\"" << text.substr(0, 200) << "\" as " << sizeof(Float) * 8
                          << " bits: the library " << library << ", the fallback " << fallback;
        }
    }
    return differences;
}

TEST(FloatChars, ReadsEveryTextAsTheLibraryDoes) {
    const std::vector<std::string> texts = float_chars_cases::texts();
    ASSERT_GT(texts.size(), 60000u);
    EXPECT_EQ(readingDifferences<float>(texts), 0) << "of " << texts.size() << " texts";
    EXPECT_EQ(readingDifferences<double>(texts), 0) << "of " << texts.size() << " texts";
    std::printf("%zu texts read as floats and as doubles\n", texts.size());
}

template <typename Float>
std::string written(Float value, int precision, bool library) {
    char text[1200];
    const auto [ptr, ec] =
        library ? std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                precision)
                : fallback::scientificToChars(text, text + sizeof text, value, precision);
    return ec == std::errc() ? std::string(text, ptr) : "(too long)";
}

template <typename Float>
int writingDifferences(const std::vector<Float>& values) {
    int differences = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int precision = float_chars_cases::precisionAt(i);
        const std::string library = written(values[i], precision, true);
        const std::string fallback = written(values[i], precision, false);
        if (library != fallback && ++differences <= 5) {
            ADD_FAILURE() << std::hexfloat << values[i] << " at " << precision
                          << " digits: the library \"" << library << "\", the fallback \""
                          << fallback << "\"";
        }
    }
    return differences;
}

TEST(FloatChars, WritesEveryValueAsTheLibraryDoes) {
    EXPECT_EQ(writingDifferences(float_chars_cases::values<float>()), 0);
    EXPECT_EQ(writingDifferences(float_chars_cases::values<double>()), 0);
}

}  // namespace
}  // namespace estimate
