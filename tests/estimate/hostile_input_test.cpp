// Whatever reaches a field by pasting: every operation either gives a number or
// the right error, promptly, and never crashes.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "estimate/conversions.h"
#include "estimate/cost.h"
#include "estimate/panels.h"
#include "estimate/plates.h"
#include "estimate/run_time_error.h"
#include "test_support.h"

namespace estimate {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

struct Hostile {
    const char* what;
    std::string text;
    bool isNumber;  // false: type mismatch or overflow is the only acceptable outcome
};

std::vector<Hostile> hostileTexts() {
    return {
        {"a megabyte of digits", std::string(kMegabyte, '7'), false},
        {"a megabyte of zeros then a digit", std::string(kMegabyte, '0') + "3", true},
        {"a megabyte of fraction digits", "0." + std::string(kMegabyte, '9'), true},
        {"a megabyte of letters", std::string(kMegabyte, 'x'), false},
        {"a megabyte of points", std::string(kMegabyte, '.'), false},
        {"NUL in the middle",
         std::string("12\0"
                     "3",
                     4),
         false},
        {"emoji", "12\xF0\x9F\x90\x9F", false},
        {"right-to-left mark",
         "\xE2\x80\x8F"
         "12",
         false},
        {"full-width digits", "\xEF\xBC\x91\xEF\xBC\x92", false},
        {"a lone surrogate as UTF-8 bytes", "\xED\xA0\x80", false},
        {"invalid UTF-8", "\xFF\xFE", false},
    };
}

// Runs the conversion; it must give a value or a conversion error, nothing else.
template <typename F>
void expectNumberOrError(const Hostile& h, F&& convert) {
    const auto start = std::chrono::steady_clock::now();
    try {
        convert(h.text);
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.kind() == ErrorKind::TypeMismatch || e.kind() == ErrorKind::Overflow)
            << h.what;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << h.what;
}

TEST(HostileInput, ConversionsGiveANumberOrAnError) {
    for (const Hostile& h : hostileTexts()) {
        expectNumberOrError(h, [](const std::string& t) { return toSingle(t); });
        expectNumberOrError(h, [](const std::string& t) { return toDouble(t); });
        expectNumberOrError(h, [](const std::string& t) { return toInteger(t); });
    }
}

TEST(HostileInput, NumbersAmongThemConvertToTheirValue) {
    EXPECT_EQ(toSingle(std::string(kMegabyte, '0') + "3"), 3.0f);
    EXPECT_EQ(toInteger(std::string(kMegabyte, '0') + "3"), 3);
    EXPECT_EQ(toDouble("0." + std::string(kMegabyte, '9')), 1.0);
    EXPECT_THROW(toSingle(std::string(kMegabyte, '7')), RunTimeError);
}

TEST(HostileInput, EveryOperationFailsCleanlyInEveryField) {
    for (const Hostile& h : hostileTexts()) {
        if (h.isNumber) {
            continue;
        }
        for (int field = 0; field < 4; ++field) {
            PanelFields p{"60", "30", "40", "5"};
            std::string* slots[] = {&p.length, &p.width, &p.height, &p.thickness};
            *slots[field] = h.text;
            testing::RecordingSink sizes;
            EXPECT_THROW(panelSizes(p, sizes.sink()), RunTimeError)
                << h.what << " in field " << field;
        }
        for (int field = 0; field < 8; ++field) {
            CostFields c{"100", "2", "60", "30", "40", "5", "15", "2"};
            std::string* slots[] = {&c.glassPrice, &c.edgePrice, &c.length,    &c.width,
                                    &c.height,     &c.thickness, &c.gluePrice, &c.glueCount};
            *slots[field] = h.text;
            testing::RecordingSink heJi;
            EXPECT_THROW(costCalculation(c, PlateTable{}, heJi.sink()), RunTimeError)
                << h.what << " in field " << field;
        }
        for (int field = 0; field < 3; ++field) {
            PlateFields f{"20", "10", "1"};
            std::string* slots[] = {&f.length, &f.width, &f.count};
            *slots[field] = h.text;
            PlateTable table;
            EXPECT_THROW(table.add(f), RunTimeError) << h.what << " in field " << field;
            EXPECT_EQ(table.count(), 0);
        }
    }
}

}  // namespace
}  // namespace estimate
