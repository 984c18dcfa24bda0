#include "estimate/panels.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "estimate/run_time_error.h"
#include "test_support.h"

namespace estimate {
namespace {

using testing::RecordingSink;

struct PanelCase {
    PanelFields fields;
    std::vector<std::string> captions;  // what LabSize(0..2) read afterwards
};

void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.fields.length << " x " << c.fields.width << " x " << c.fields.height << ", "
        << c.fields.thickness << " mm";
}

class PanelExamples : public ::testing::TestWithParam<PanelCase> {};

TEST_P(PanelExamples, WritesTheThreeCaptionsInOrder) {
    RecordingSink sizes;
    panelSizes(GetParam().fields, sizes.sink());
    ASSERT_EQ(sizes.indexes(), (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sizes.writes[i].second, GetParam().captions[i]) << "LabSize(" << i << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tanks, PanelExamples,
    ::testing::Values(
        PanelCase{{"60", "30", "40", "5"},
                  {"60 * 40 *  2 块", "29 * 40 *  2 块", "59 * 29 *  1 块"}},
        PanelCase{{"100", "40", "50", "8"},
                  {"100 * 50 *  2 块", "38.4 * 50 *  2 块", "98.4 * 38.4 *  1 块"}},
        PanelCase{{"60", "30", "40", "5.5"},
                  {"60 * 40 *  2 块", "28.9 * 40 *  2 块", "58.9 * 28.9 *  1 块"}},
        // The fields as the window starts: negative sizes are shown as they come.
        PanelCase{{"0", "0", "0", "5"}, {"0 * 0 *  2 块", "-1 * 0 *  2 块", "-1 * -1 *  1 块"}},
        // 60.3 held as a single shows its widening error once reduced in double.
        PanelCase{{"60.3", "30", "40", "5"},
                  {"60.3 * 40 *  2 块", "29 * 40 *  2 块", "59.2999992370605 * 29 *  1 块"}}));

struct PanelFailure {
    const char* what;
    PanelFields fields;
    ErrorKind error;
    std::vector<int> written;  // the LabSize indexes written before the error
};

void PrintTo(const PanelFailure& c, std::ostream* os) {
    *os << c.what;
}

class PanelFailures : public ::testing::TestWithParam<PanelFailure> {};

TEST_P(PanelFailures, StopAtTheFailingStepKeepingEarlierCaptions) {
    const PanelFailure& c = GetParam();
    RecordingSink sizes;
    try {
        panelSizes(c.fields, sizes.sink());
        FAIL() << c.what << ": no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.kind(), c.error) << c.what;
    }
    EXPECT_EQ(sizes.indexes(), c.written) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PanelFailures,
    ::testing::Values(
        PanelFailure{"empty length", {"", "30", "40", "5"}, ErrorKind::TypeMismatch, {}},
        PanelFailure{"empty height", {"60", "30", "", "5"}, ErrorKind::TypeMismatch, {}},
        PanelFailure{"length beyond a single",
                     {std::string(40, '9'), "30", "40", "5"},
                     ErrorKind::Overflow,
                     {}},
        PanelFailure{"empty thickness", {"60", "30", "40", ""}, ErrorKind::TypeMismatch, {0}},
        PanelFailure{
            "two points in thickness", {"60", "30", "40", "1.2.3"}, ErrorKind::TypeMismatch, {0}},
        // Twice the largest double overflows before the short faces are written.
        PanelFailure{"thickness doubled past the double range",
                     {"60", "30", "40", testing::withZeros("1", 308)},
                     ErrorKind::Overflow,
                     {0}}));

TEST(PanelSizes, HugeButFiniteThicknessIsShownAsComputed) {
    RecordingSink sizes;
    panelSizes({"60", "30", "40", testing::withZeros("1", 300)}, sizes.sink());
    ASSERT_EQ(sizes.writes.size(), 3u);
    EXPECT_EQ(sizes.writes[1].second, "-2E+299 * 40 *  2 块");
}

}  // namespace
}  // namespace estimate
