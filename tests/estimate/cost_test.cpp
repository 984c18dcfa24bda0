#include "estimate/cost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "estimate/run_time_error.h"
#include "test_support.h"

namespace estimate {
namespace {

using testing::RecordingSink;

// Field texts in the order of CostFields: glass price, edge price, length, width,
// height, thickness, glue price, glue count.
CostFields fields(std::vector<std::string> t) {
    return {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]};
}

PlateTable tableOf(const std::vector<PlateFields>& plates) {
    PlateTable table;
    for (const auto& p : plates) {
        table.add(p);
    }
    return table;
}

// The four captions from the texts of their variable places.
std::vector<std::string> captions(const std::string& am, const std::string& aa,
                                  const std::string& pg, const std::string& cg,
                                  const std::string& e, const std::string& pe,
                                  const std::string& ce, const std::string& glue,
                                  const std::string& total) {
    return {"(主体面积 " + am + "  +  辅助板材面积 " + aa + ")" + " *  单价 " + pg + " = " + cg,
            "总边长" + e + "*  单价 " + pe + " = " + ce, glue, total};
}

struct CostCase {
    const char* what;
    CostFields fields;
    std::vector<PlateFields> plates;
    std::vector<std::string> captions;  // Label_HeJi(0), (1), (3), (4)
};

void PrintTo(const CostCase& c, std::ostream* os) {
    *os << c.what;
}

class CostExamples : public ::testing::TestWithParam<CostCase> {};

TEST_P(CostExamples, WriteTheFourCaptionsInOrder) {
    const CostCase& c = GetParam();
    RecordingSink heJi;
    costCalculation(c.fields, tableOf(c.plates), heJi.sink());
    ASSERT_EQ(heJi.indexes(), (std::vector<int>{0, 1, 3, 4})) << c.what;
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(heJi.writes[i].second, c.captions[i]) << c.what << ", caption " << i;
    }
}

const CostFields kTank = fields({"100", "2", "60", "30", "40", "5", "15", "2"});

std::vector<PlateFields> fullTable() {
    std::vector<PlateFields> plates;
    for (int i = 0; i < PlateTable::kSlots; ++i) {
        plates.push_back({"10", "10", "1"});
    }
    return plates;
}

INSTANTIATE_TEST_SUITE_P(
    Estimates, CostExamples,
    ::testing::Values(
        CostCase{
            "one plate",
            kTank,
            {{"20", "10", "1"}},
            captions("0.8831", "0.02", "100", "90.31", "9.2", "2", "18.4", "15* 2= 30", "138.71")},
        // The second plate's perimeter counts once although its count is 2.
        CostCase{"two plates",
                 kTank,
                 {{"20", "10", "1"}, {"25", "8", "2"}},
                 captions("0.8831", "0.06", "100", "94.31", "9.86", "2", "19.72", "15* 2= 30",
                          "144.03")},
        CostCase{"larger tank",
                 fields({"80", "3", "120", "50", "60", "10", "18", "4"}),
                 {{"50", "20", "2"}, {"46", "15", "1"}},
                 captions("2.5824", "0.269", "80", "228.112", "17.62", "3", "52.86", "18* 4= 72",
                          "352.972")},
        CostCase{
            "no plates",
            kTank,
            {},
            captions("0.8831", "0", "100", "88.31", "8.6", "2", "17.2", "15* 2= 30", "135.51")},
        CostCase{
            "plate of count 0 adds only its perimeter",
            kTank,
            {{"20", "10", "0"}},
            captions("0.8831", "0", "100", "88.31", "9.2", "2", "18.4", "15* 2= 30", "136.71")},
        CostCase{
            "a full table of 101 plates", kTank, fullTable(),
            captions("0.8831", "1.01", "100", "189.31", "49", "2", "98", "15* 2= 30", "317.31")},
        CostCase{"fields as the window starts",
                 fields({"0", "0", "0", "0", "0", "5", "0", "0"}),
                 {},
                 captions("0.0001", "0", "0", "0", "0", "0", "0", "0* 0= 0", "0")},
        CostCase{"thickness above half the width",
                 fields({"100", "0", "60", "30", "40", "200", "0", "0"}),
                 {},
                 captions("0.38", "0", "100", "38", "8.6", "0", "0", "0* 0= 0", "38")},
        CostCase{"glue texts shown as typed",
                 fields({"0", "0", "60", "30", "40", "5", "012.50", "2"}),
                 {},
                 captions("0.8831", "0", "0", "0", "8.6", "0", "0", "012.50* 2= 25", "25")},
        // The total is formed from the products, not from the costs as shown.
        CostCase{"total from the products",
                 fields({"85", "3.3", "60", "30", "40", "6", "9.9", "7"}),
                 {},
                 captions("0.8797441", "0", "85", "74.77824", "8.6", "3.3", "28.38", "9.9* 7= 69.3",
                          "172.4583")}));

struct CostFailure {
    const char* what;
    CostFields fields;
    std::vector<PlateFields> plates;
    ErrorKind error;
    std::vector<int> written;  // Label_HeJi indexes written before the error
};

void PrintTo(const CostFailure& c, std::ostream* os) {
    *os << c.what;
}

class CostFailures : public ::testing::TestWithParam<CostFailure> {};

TEST_P(CostFailures, StopAtTheFailingStepKeepingEarlierCaptions) {
    const CostFailure& c = GetParam();
    const PlateTable table = tableOf(c.plates);
    RecordingSink heJi;
    try {
        costCalculation(c.fields, table, heJi.sink());
        FAIL() << c.what << ": no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.kind(), c.error) << c.what;
    }
    EXPECT_EQ(heJi.indexes(), c.written) << c.what;
}

const std::string k40Digits(40, '9');

CostFields with(CostFields f, std::string CostFields::*field, std::string text) {
    f.*field = std::move(text);
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CostFailures,
    ::testing::Values(
        CostFailure{"empty glass price",
                    with(kTank, &CostFields::glassPrice, ""),
                    {},
                    ErrorKind::TypeMismatch,
                    {}},
        CostFailure{"empty edge price",
                    with(kTank, &CostFields::edgePrice, ""),
                    {},
                    ErrorKind::TypeMismatch,
                    {}},
        CostFailure{"two points in the height",
                    with(kTank, &CostFields::height, "4.0.0"),
                    {},
                    ErrorKind::TypeMismatch,
                    {}},
        CostFailure{"empty thickness",
                    with(kTank, &CostFields::thickness, ""),
                    {},
                    ErrorKind::TypeMismatch,
                    {}},
        CostFailure{"length beyond a single",
                    with(kTank, &CostFields::length, k40Digits),
                    {},
                    ErrorKind::Overflow,
                    {}},
        CostFailure{"main body area beyond a single",
                    with(kTank, &CostFields::length, testing::withZeros("1", 38)),
                    {},
                    ErrorKind::Overflow,
                    {}},
        CostFailure{"auxiliary area beyond a single",
                    kTank,
                    {{testing::withZeros("1", 38), testing::withZeros("1", 38), "1"}},
                    ErrorKind::Overflow,
                    {}},
        // The glass cost itself beyond a single: no infinity is ever shown.
        CostFailure{"glass cost beyond a single",
                    with(kTank, &CostFields::glassPrice, testing::withZeros("1", 35)),
                    {{"20000", "10000", "1"}},
                    ErrorKind::Overflow,
                    {}},
        CostFailure{"edge cost beyond a single",
                    with(kTank, &CostFields::edgePrice, testing::withZeros("1", 38)),
                    {},
                    ErrorKind::Overflow,
                    {0}},
        CostFailure{"empty glue count",
                    with(kTank, &CostFields::glueCount, ""),
                    {},
                    ErrorKind::TypeMismatch,
                    {0, 1}},
        CostFailure{"empty glue price",
                    with(kTank, &CostFields::gluePrice, ""),
                    {},
                    ErrorKind::TypeMismatch,
                    {0, 1}},
        CostFailure{"glue product beyond a double",
                    with(with(kTank, &CostFields::gluePrice, testing::withZeros("1", 200)),
                         &CostFields::glueCount, testing::withZeros("1", 200)),
                    {},
                    ErrorKind::Overflow,
                    {0, 1}},
        CostFailure{"glue product beyond a single",
                    with(with(kTank, &CostFields::gluePrice, testing::withZeros("1", 20)),
                         &CostFields::glueCount, testing::withZeros("1", 20)),
                    {},
                    ErrorKind::Overflow,
                    {0, 1, 3}},
        CostFailure{"total beyond a single",
                    with(with(kTank, &CostFields::glassPrice, testing::withZeros("33", 37)),
                         &CostFields::edgePrice, testing::withZeros("33", 36)),
                    {},
                    ErrorKind::Overflow,
                    {0, 1, 3}}));

TEST(CostCalculation, ShowsAGlueProductBeyondASingleBeforeStopping) {
    RecordingSink heJi;
    const CostFields f = with(with(kTank, &CostFields::gluePrice, testing::withZeros("1", 20)),
                              &CostFields::glueCount, testing::withZeros("1", 20));
    EXPECT_THROW(costCalculation(f, PlateTable{}, heJi.sink()), RunTimeError);
    ASSERT_EQ(heJi.writes.size(), 3u);
    EXPECT_EQ(heJi.writes[2].second,
              testing::withZeros("1", 20) + "* " + testing::withZeros("1", 20) + "= 1E+40");
}

TEST(CostCalculation, LeavesThePlateTableUnchanged) {
    PlateTable table = tableOf({{"20", "10", "1"}});
    RecordingSink first;
    RecordingSink second;
    costCalculation(kTank, table, first.sink());
    costCalculation(kTank, table, second.sink());
    EXPECT_EQ(first.writes, second.writes);
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.at(0).length, 20.0f);
}

}  // namespace
}  // namespace estimate
