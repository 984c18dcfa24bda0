#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The report of the worked example: a 60 x 30 x 40 cm tank of 5 mm glass at 100
// yuan per m², 2 yuan per metre of edge, glue 15 yuan x 2 tubes, plates 20 x 10
// (1) and 25 x 8 (2), sizes and costs computed before the preview.
inline const std::vector<std::string>& workedExampleReport() {
    static const std::vector<std::string> lines = {
        "单位：公分（厘米）",
        " ",
        "********鱼缸主体尺寸************",
        "前后长面尺寸：60 * 40 *  2 块",
        "左右短面尺寸：29 * 40 *  2 块",
        "底面尺寸：59 * 29 *  1 块",
        " ",
        "********辅助板材尺寸************",
        "长20  *  宽  10   *  1块",
        "长25  *  宽  8   *  2块",
        " ",
        "********计算价格结果(仅供参考)************",
        "玻璃面积费用合计：(主体面积 0.8831  +  辅助板材面积 0.06) *  单价 100 = 94.31",
        "玻璃磨边费用合计：总边长9.86*  单价 2 = 19.72",
        "玻璃胶费用合计：15* 2= 30",
        "*****************************************",
        "总费用合计：144.03",
    };
    return lines;
}

}  // namespace testing_support
