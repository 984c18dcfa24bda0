#include "estimate/plates.h"

#include <gtest/gtest.h>

#include <string>

#include "estimate/run_time_error.h"

namespace estimate {
namespace {

void expectPlate(const Plate& p, float length, float width, float count) {
    EXPECT_EQ(p.length, length);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.count, count);
}

ErrorKind failedAddKind(PlateTable& table, const PlateFields& fields) {
    try {
        table.add(fields);
    } catch (const RunTimeError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "the add did not fail";
    return ErrorKind::PrinterError;
}

TEST(PlateTable, StartFieldsAddTheFirstPlate) {
    PlateTable table;
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.add({"0", "0", "1"}), "长0  *  宽  0   *  1块");
    EXPECT_EQ(table.count(), 1);
    expectPlate(table.at(0), 0, 0, 1);
}

TEST(PlateTable, PlatesTakeTheNextSlotInOrder) {
    PlateTable table;
    EXPECT_EQ(table.add({"20", "10", "2"}), "长20  *  宽  10   *  2块");
    EXPECT_EQ(table.add({"30", "15", "1"}), "长30  *  宽  15   *  1块");
    EXPECT_EQ(table.count(), 2);
    expectPlate(table.at(0), 20, 10, 2);
    expectPlate(table.at(1), 30, 15, 1);
    expectPlate(table.at(2), 0, 0, 0);
}

TEST(PlateTable, LineShowsTheTextsAsTypedWhileTheTableHoldsNumbers) {
    PlateTable table;
    EXPECT_EQ(table.add({"020", "10", "2.5"}), "长020  *  宽  10   *  2.5块");
    expectPlate(table.at(0), 20, 10, 2);  // 2.5 rounds to the even neighbour
    EXPECT_EQ(plateLine({"20", "", "2"}), "长20  *  宽     *  2块");
}

struct FailedAdd {
    const char* what;
    PlateFields fields;
    ErrorKind error;
};

void PrintTo(const FailedAdd& c, std::ostream* os) {
    *os << c.what;
}

class FailedAdds : public ::testing::TestWithParam<FailedAdd> {};

TEST_P(FailedAdds, LeaveNoTraceAndTheNextAddTakesTheSameSlot) {
    PlateTable table;
    table.add({"1", "2", "3"});
    EXPECT_EQ(failedAddKind(table, GetParam().fields), GetParam().error) << GetParam().what;
    EXPECT_EQ(table.count(), 1);
    // Nothing of the failed add reached the free slot, not even the fields that
    // converted before the failing one.
    expectPlate(table.at(1), 0, 0, 0);
    table.add({"7", "8", "9"});
    EXPECT_EQ(table.count(), 2);
    expectPlate(table.at(1), 7, 8, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FailedAdds,
    ::testing::Values(FailedAdd{"empty length", {"", "10", "2"}, ErrorKind::TypeMismatch},
                      FailedAdd{"empty width", {"20", "", "2"}, ErrorKind::TypeMismatch},
                      FailedAdd{"empty count", {"20", "10", ""}, ErrorKind::TypeMismatch},
                      FailedAdd{"two points", {"20", "1.0.", "2"}, ErrorKind::TypeMismatch},
                      FailedAdd{"count above 16 bits", {"20", "10", "32768"}, ErrorKind::Overflow},
                      FailedAdd{"count below 16 bits", {"20", "10", "-32769"}, ErrorKind::Overflow},
                      FailedAdd{"length beyond a single",
                                {std::string(40, '9'), "10", "2"},
                                ErrorKind::Overflow}));

TEST(PlateTable, HoldsExactly101PlatesThenRefusesWithoutChange) {
    PlateTable table;
    for (int i = 0; i < PlateTable::kSlots; ++i) {
        table.add({std::to_string(i), "1", "1"});
    }
    EXPECT_EQ(table.count(), 101);
    expectPlate(table.at(100), 100, 1, 1);

    EXPECT_EQ(failedAddKind(table, {"5", "5", "5"}), ErrorKind::SubscriptOutOfRange);
    // A full table is reported before the texts are judged.
    EXPECT_EQ(failedAddKind(table, {"", "", ""}), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(table.count(), 101);
    for (int i = 0; i < PlateTable::kSlots; ++i) {
        expectPlate(table.at(i), static_cast<float>(i), 1, 1);
    }
}

TEST(PlateTable, IndexesOutside0To100AreSubscriptErrors) {
    PlateTable table;
    for (int index : {-1, 101, 255}) {
        try {
            table.at(index);
            ADD_FAILURE() << index;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::SubscriptOutOfRange);
        }
    }
}

}  // namespace
}  // namespace estimate
