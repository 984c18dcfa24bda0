#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The report of the worked example: a 60 x 30 x 40 cm tank of 5 mm glass at 100
// yuan per m², 2 yuan per metre of edge, glue 15 yuan x 2 tubes, plates 20 x 10
// (1) and 25 x 8 (2), sizes and costs computed before the preview. The lines are
// those of worked_example_report.txt, which the scripted checks read too.
inline const std::vector<std::string>& workedExampleReport() {
    static const std::vector<std::string> lines = {
#include "support/worked_example_report.inc"
    };
    return lines;
}

}  // namespace testing_support
