#pragma once

#include <array>
#include <string>
#include <vector>

namespace report {

// The display texts a report is made from, read from the main window as they
// stand at the moment of the click. Nothing here is a number.
struct ReportSource {
    std::array<std::string, 3> sizeLabels;  // Label20, Label21, Label22
    std::array<std::string, 3> sizes;       // LabSize(0..2)
    std::vector<std::string> plateLines;    // the plate list, in order
    std::array<std::string, 4> costLabels;  // Label15, Label16, Label17, Label18
    std::array<std::string, 4> costs;       // Label_HeJi(0), (1), (3), (4)
};

// The report: a unit line, the panel sizes, every plate line and the costs under
// their headers, each label joined to its value with nothing between. 15 lines
// plus one per plate line. Computes and reformats nothing.
std::vector<std::string> buildReport(const ReportSource& source);

}  // namespace report
