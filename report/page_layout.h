#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/line_printer.h"

namespace report {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kLeft = 500;       // twips, every line
constexpr int kFirstTop = 1000;  // twips, the first line of every page
constexpr int kPitch = 350;      // twips from one line to the next

struct PlacedLine {
    int page;  // 0-based
    int top;   // twips
    std::string text;
};

// Places every line before anything is printed: from the top position 1000 down
// at a pitch of 350, and a line that would not fit on the page starts the next
// page at 1000 again. Throws the printer error if not even one line fits.
std::vector<PlacedLine> placeLines(const std::vector<std::string>& lines, PageGeometry geometry);

// Prints a report of `count` lines, reading line i through lineAt(i) (which may
// select it in a list). The printer is opened first, so a missing printer fails
// before any line is read; every line is placed before the first
// is printed, so nothing can fail once the document has been opened.
void printReport(LinePrinter& printer, int count, const std::function<std::string(int)>& lineAt);

}  // namespace report
