#include "estimate/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

namespace estimate {
namespace {

struct SingleTextCase {
    float value;
    std::string text;
};

void PrintTo(const SingleTextCase& c, std::ostream* os) {
    *os << c.text;
}

class SingleTextTable : public ::testing::TestWithParam<SingleTextCase> {};

TEST_P(SingleTextTable, SevenSignificantDigits) {
    EXPECT_EQ(singleText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SingleTextTable,
    ::testing::Values(SingleTextCase{100.0f, "100"}, SingleTextCase{0.5f, "0.5"},
                      SingleTextCase{-1.0f, "-1"}, SingleTextCase{0.8831f, "0.8831"},
                      SingleTextCase{60.3f, "60.3"}, SingleTextCase{1.0f / 3.0f, "0.3333333"},
                      SingleTextCase{0.1f, "0.1"}, SingleTextCase{0.0f, "0"},
                      SingleTextCase{-0.0f, "0"}, SingleTextCase{138.709991f, "138.71"},
                      SingleTextCase{123.45675f, "123.4567"}, SingleTextCase{1234567.0f, "1234567"},
                      // Eight digits leave the plain range.
                      SingleTextCase{12345678.0f, "1.234568E+07"},
                      SingleTextCase{99999992.0f, "9.999999E+07"},
                      // The single nearest 0.0001 lies below it; rounding to seven
                      // digits carries it into the plain range.
                      SingleTextCase{0.0001f, "0.0001"}, SingleTextCase{0.00001f, "1E-05"},
                      SingleTextCase{0.00009999999f, "9.999999E-05"},
                      SingleTextCase{1.5e10f, "1.5E+10"}, SingleTextCase{-2e20f, "-2E+20"},
                      SingleTextCase{FLT_MAX, "3.402823E+38"},
                      SingleTextCase{std::numeric_limits<float>::denorm_min(), "1.401298E-45"}));

struct DoubleTextCase {
    double value;
    std::string text;
};

void PrintTo(const DoubleTextCase& c, std::ostream* os) {
    *os << c.text;
}

class DoubleTextTable : public ::testing::TestWithParam<DoubleTextCase> {};

TEST_P(DoubleTextTable, FifteenSignificantDigits) {
    EXPECT_EQ(doubleText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleTextTable,
    ::testing::Values(
        DoubleTextCase{0.1 * 3, "0.3"},
        DoubleTextCase{static_cast<double>(60.3f) - 1, "59.2999992370605"},
        DoubleTextCase{static_cast<double>(0.1f), "0.100000001490116"}, DoubleTextCase{30.0, "30"},
        DoubleTextCase{-1.0, "-1"}, DoubleTextCase{-0.0, "0"}, DoubleTextCase{2.5, "2.5"},
        DoubleTextCase{123456789012345.0, "123456789012345"},
        DoubleTextCase{1234567890123456.0, "1.23456789012346E+15"}, DoubleTextCase{1e15, "1E+15"},
        DoubleTextCase{1e-5, "1E-05"}, DoubleTextCase{0.0001, "0.0001"},
        DoubleTextCase{1e300, "1E+300"}, DoubleTextCase{DBL_MAX, "1.79769313486232E+308"},
        DoubleTextCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}));

TEST(NumberText, SingleNeverShowsMoreThanSevenDigitsOfTheSameValue) {
    // The same stored value, shown by the two rules.
    EXPECT_EQ(singleText(0.1f), "0.1");
    EXPECT_EQ(doubleText(0.1f), "0.100000001490116");
}

}  // namespace
}  // namespace estimate
