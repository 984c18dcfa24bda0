#include "report/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/worked_example.h"

namespace report {
namespace {

ReportSource source(std::vector<std::string> plates, std::array<std::string, 3> sizes,
                    std::array<std::string, 4> costs) {
    return {{"前后长面尺寸：", "左右短面尺寸：", "底面尺寸："},
            sizes,
            std::move(plates),
            {"玻璃面积费用合计：", "玻璃磨边费用合计：", "玻璃胶费用合计：", "总费用合计："},
            costs};
}

TEST(ReportBuilder, WorkedExampleHasSeventeenLinesInOrder) {
    const auto lines =
        buildReport(source({"长20  *  宽  10   *  1块", "长25  *  宽  8   *  2块"},
                           {"60 * 40 *  2 块", "29 * 40 *  2 块", "59 * 29 *  1 块"},
                           {"(主体面积 0.8831  +  辅助板材面积 0.06) *  单价 100 = 94.31",
                            "总边长9.86*  单价 2 = 19.72", "15* 2= 30", "144.03"}));
    EXPECT_EQ(lines, testing_support::workedExampleReport());
}

TEST(ReportBuilder, NothingComputedGivesFifteenLinesOfLabelsAndStartCaptions) {
    const auto lines = buildReport(source({}, {"0", "0", "0"}, {"", "", "", ""}));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[3], "前后长面尺寸：0");
    EXPECT_EQ(lines[5], "底面尺寸：0");
    // The plate header is followed directly by the separator.
    EXPECT_EQ(lines[7], "********辅助板材尺寸************");
    EXPECT_EQ(lines[8], " ");
    EXPECT_EQ(lines[10], "玻璃面积费用合计：");
    EXPECT_EQ(lines[12], "玻璃胶费用合计：");
    EXPECT_EQ(lines[14], "总费用合计：");
    for (int separator : {1, 6, 8}) {
        EXPECT_EQ(lines[separator], " ") << separator;
    }
}

TEST(ReportBuilder, CopiesTextsUnchangedAndComputesNothing) {
    // Texts that no calculation could give are copied as they stand.
    const auto lines = buildReport(
        source({"长020  *  宽  .5   *  2.5块", ""}, {"x", "", "1.2.3"}, {"a", "b", "c", "d"}));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[4], "左右短面尺寸：");
    EXPECT_EQ(lines[5], "底面尺寸：1.2.3");
    EXPECT_EQ(lines[8], "长020  *  宽  .5   *  2.5块");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[16], "总费用合计：d");
}

}  // namespace
}  // namespace report
