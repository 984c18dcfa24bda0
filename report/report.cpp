#include "report/report.h"

namespace report {
namespace {

const char* const kUnitLine = "单位：公分（厘米）";
const char* const kSeparator = " ";  // one space, printed as a blank line
const char* const kMainBodyHeader = "********鱼缸主体尺寸************";
const char* const kPlateHeader = "********辅助板材尺寸************";
const char* const kCostHeader = "********计算价格结果(仅供参考)************";
const char* const kRule = "*****************************************";

}  // namespace

std::vector<std::string> buildReport(const ReportSource& source) {
    std::vector<std::string> lines;
    lines.reserve(15 + source.plateLines.size());
    lines.emplace_back(kUnitLine);
    lines.emplace_back(kSeparator);
    lines.emplace_back(kMainBodyHeader);
    for (std::size_t i = 0; i < source.sizes.size(); ++i) {
        lines.push_back(source.sizeLabels[i] + source.sizes[i]);
    }
    lines.emplace_back(kSeparator);
    lines.emplace_back(kPlateHeader);
    lines.insert(lines.end(), source.plateLines.begin(), source.plateLines.end());
    lines.emplace_back(kSeparator);
    lines.emplace_back(kCostHeader);
    for (std::size_t i = 0; i < 3; ++i) {
        lines.push_back(source.costLabels[i] + source.costs[i]);
    }
    lines.emplace_back(kRule);
    lines.push_back(source.costLabels[3] + source.costs[3]);
    return lines;
}

}  // namespace report
