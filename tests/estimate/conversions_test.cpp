#include "estimate/conversions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "estimate/run_time_error.h"

namespace estimate {
namespace {

// The outcome of a conversion: a value or the kind of error it raised.
template <typename T>
struct Outcome {
    std::optional<T> value;
    std::optional<ErrorKind> error;
};

template <typename T, typename F>
Outcome<T> attempt(F&& convert) {
    try {
        return {convert(), std::nullopt};
    } catch (const RunTimeError& e) {
        return {std::nullopt, e.kind()};
    }
}

std::string digits(std::size_t count, char digit = '0') {
    return std::string(count, digit);
}

struct SingleCase {
    std::string text;
    std::optional<float> expected;
    std::optional<ErrorKind> error;
};

void PrintTo(const SingleCase& c, std::ostream* os) {
    *os << "\"" << c.text.substr(0, 24) << "\"";
}

class SingleConversion : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleConversion, GivesNearestFloatOrTheError) {
    const SingleCase& c = GetParam();
    const auto out = attempt<float>([&] { return toSingle(c.text); });
    if (c.error) {
        ASSERT_FALSE(out.value) << "text \"" << c.text << "\" gave " << *out.value;
        EXPECT_EQ(*out.error, *c.error);
    } else {
        ASSERT_TRUE(out.value) << "text \"" << c.text << "\" failed";
        // Bit-exact: the float nearest the decimal text, sign of zero included.
        EXPECT_EQ(std::signbit(*out.value), std::signbit(*c.expected));
        EXPECT_EQ(*out.value, *c.expected) << c.text;
    }
}

const float kAfterOne = std::nextafter(1.0f, 2.0f);

INSTANTIATE_TEST_SUITE_P(
    Texts, SingleConversion,
    ::testing::Values(
        SingleCase{"60", 60.0f, {}}, SingleCase{"0.5", 0.5f, {}}, SingleCase{".5", 0.5f, {}},
        SingleCase{"5.", 5.0f, {}}, SingleCase{"007", 7.0f, {}}, SingleCase{"0.1", 0.1f, {}},
        SingleCase{"60.3", 60.3f, {}}, SingleCase{" 12 ", 12.0f, {}},
        SingleCase{"\t+3\t", 3.0f, {}}, SingleCase{"-3", -3.0f, {}}, SingleCase{"-0", -0.0f, {}},
        // Just above the halfway point between 1 and the next float: rounding to a
        // double first lands exactly on the halfway point, and a second rounding
        // would give 1. The nearest float is the one above.
        SingleCase{"1.0000000596046447755", kAfterOne, {}},
        SingleCase{"340282346638528859811704183484516925440", FLT_MAX, {}},
        SingleCase{"340282356779733661637539395458142568447", FLT_MAX, {}},
        SingleCase{"340282356779733661637539395458142568448", {}, ErrorKind::Overflow},
        SingleCase{"1" + digits(39), {}, ErrorKind::Overflow},
        SingleCase{"-1" + digits(39), {}, ErrorKind::Overflow},
        // Too small is not an error: it gives the nearest value.
        SingleCase{"0." + digits(44) + "1", std::numeric_limits<float>::denorm_min(), {}},
        SingleCase{"0." + digits(49) + "1", 0.0f, {}},
        SingleCase{"-0." + digits(49) + "1", -0.0f, {}}, SingleCase{digits(5000) + "42", 42.0f, {}},
        SingleCase{"", {}, ErrorKind::TypeMismatch}, SingleCase{" ", {}, ErrorKind::TypeMismatch},
        SingleCase{".", {}, ErrorKind::TypeMismatch},
        SingleCase{"1.2.3", {}, ErrorKind::TypeMismatch},
        SingleCase{"5..5", {}, ErrorKind::TypeMismatch},
        SingleCase{"1,5", {}, ErrorKind::TypeMismatch},
        SingleCase{"1 000", {}, ErrorKind::TypeMismatch},
        SingleCase{"1e3", {}, ErrorKind::TypeMismatch},
        SingleCase{"1E3", {}, ErrorKind::TypeMismatch},
        SingleCase{"0x10", {}, ErrorKind::TypeMismatch},
        SingleCase{"inf", {}, ErrorKind::TypeMismatch},
        SingleCase{"nan", {}, ErrorKind::TypeMismatch},
        SingleCase{"+", {}, ErrorKind::TypeMismatch}, SingleCase{"-.", {}, ErrorKind::TypeMismatch},
        SingleCase{"--1", {}, ErrorKind::TypeMismatch},
        SingleCase{"+-1", {}, ErrorKind::TypeMismatch},
        SingleCase{"abc", {}, ErrorKind::TypeMismatch},
        SingleCase{"１２", {}, ErrorKind::TypeMismatch},  // full-width digits
        SingleCase{"\x01"
                   "1",
                   {},
                   ErrorKind::TypeMismatch},
        SingleCase{"1\n", {}, ErrorKind::TypeMismatch},
        SingleCase{std::string("1\0", 2), {}, ErrorKind::TypeMismatch}));

struct DoubleCase {
    std::string text;
    std::optional<double> expected;
    std::optional<ErrorKind> error;
};

void PrintTo(const DoubleCase& c, std::ostream* os) {
    *os << "\"" << c.text.substr(0, 24) << "\"";
}

class DoubleConversion : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleConversion, GivesNearestDoubleOrTheError) {
    const DoubleCase& c = GetParam();
    const auto out = attempt<double>([&] { return toDouble(c.text); });
    if (c.error) {
        ASSERT_FALSE(out.value) << c.text;
        EXPECT_EQ(*out.error, *c.error);
    } else {
        ASSERT_TRUE(out.value) << c.text;
        EXPECT_EQ(*out.value, *c.expected) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, DoubleConversion,
                         ::testing::Values(DoubleCase{"0.1", 0.1, {}},
                                           DoubleCase{"012.50", 12.5, {}},
                                           DoubleCase{"5.", 5.0, {}}, DoubleCase{".5", 0.5, {}},
                                           // Forty digits overflow a single but not a double.
                                           DoubleCase{"1" + digits(39), 1e39, {}},
                                           DoubleCase{"1" + digits(309), {}, ErrorKind::Overflow},
                                           DoubleCase{"0." + digits(400) + "1", 0.0, {}},
                                           DoubleCase{"", {}, ErrorKind::TypeMismatch},
                                           DoubleCase{"2..", {}, ErrorKind::TypeMismatch}));

struct IntegerCase {
    std::string text;
    std::optional<int> expected;
    std::optional<ErrorKind> error;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << "\"" << c.text.substr(0, 24) << "\"";
}

class IntegerConversion : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerConversion, RoundsHalvesToEvenWithinSixteenBits) {
    const IntegerCase& c = GetParam();
    const auto out = attempt<int>([&] { return static_cast<int>(toInteger(c.text)); });
    if (c.error) {
        ASSERT_FALSE(out.value) << c.text << " gave " << *out.value;
        EXPECT_EQ(*out.error, *c.error);
    } else {
        ASSERT_TRUE(out.value) << c.text;
        EXPECT_EQ(*out.value, *c.expected) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerConversion,
    ::testing::Values(
        IntegerCase{"2.5", 2, {}}, IntegerCase{"3.5", 4, {}}, IntegerCase{"0.5", 0, {}},
        IntegerCase{"1.5", 2, {}}, IntegerCase{"-2.5", -2, {}}, IntegerCase{"-0.5", 0, {}},
        IntegerCase{"2.51", 3, {}}, IntegerCase{"2.49", 2, {}},
        // Decided on the digits, not on a double: this is above the half.
        IntegerCase{"2.50000000000000000000001", 3, {}},
        IntegerCase{"2.4999999999999999999999", 2, {}}, IntegerCase{"007", 7, {}},
        IntegerCase{"5.", 5, {}}, IntegerCase{".5", 0, {}}, IntegerCase{"32767", 32767, {}},
        IntegerCase{"32766.5", 32766, {}}, IntegerCase{"-32768", -32768, {}},
        IntegerCase{"-32768.5", -32768, {}}, IntegerCase{digits(3000) + "12", 12, {}},
        IntegerCase{"32768", {}, ErrorKind::Overflow},
        IntegerCase{"32767.5", {}, ErrorKind::Overflow},
        IntegerCase{"-32769", {}, ErrorKind::Overflow},
        IntegerCase{"-32768.6", {}, ErrorKind::Overflow},
        IntegerCase{"100000", {}, ErrorKind::Overflow},
        IntegerCase{"1" + digits(40), {}, ErrorKind::Overflow},
        IntegerCase{"", {}, ErrorKind::TypeMismatch}, IntegerCase{".", {}, ErrorKind::TypeMismatch},
        IntegerCase{"1.2.3", {}, ErrorKind::TypeMismatch}));

TEST(ByteConversion, HoldsZeroTo255Only) {
    EXPECT_EQ(toByte(0), 0);
    EXPECT_EQ(toByte(255), 255);
    for (int bad : {-1, 256, 32767}) {
        const auto out = attempt<int>([&] { return static_cast<int>(toByte(bad)); });
        ASSERT_TRUE(out.error) << bad;
        EXPECT_EQ(*out.error, ErrorKind::Overflow);
    }
}

TEST(StoreSingle, RoundsOnceAndOverflowsPastTheSingleRange) {
    const double halfwayToInfinity = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
    EXPECT_EQ(storeSingle(0.1), 0.1f);
    EXPECT_EQ(storeSingle(FLT_MAX), FLT_MAX);
    EXPECT_EQ(storeSingle(std::nextafter(halfwayToInfinity, 0.0)), FLT_MAX);
    EXPECT_EQ(storeSingle(-std::nextafter(halfwayToInfinity, 0.0)), -FLT_MAX);
    for (double bad : {halfwayToInfinity, -halfwayToInfinity, 1e39, HUGE_VAL, std::nan("")}) {
        const auto out = attempt<float>([&] { return storeSingle(bad); });
        ASSERT_TRUE(out.error) << bad;
        EXPECT_EQ(*out.error, ErrorKind::Overflow);
    }
}

TEST(RunTimeErrorText, NamesTheKindInChinese) {
    EXPECT_EQ(RunTimeError(ErrorKind::TypeMismatch).message(), "运行时错误：类型不匹配");
    EXPECT_EQ(RunTimeError(ErrorKind::Overflow).message(), "运行时错误：溢出");
    EXPECT_EQ(RunTimeError(ErrorKind::SubscriptOutOfRange).message(), "运行时错误：下标越界");
    EXPECT_EQ(RunTimeError(ErrorKind::PrinterError).message(), "运行时错误：打印机错误");
}

}  // namespace
}  // namespace estimate
