#include "report/page_layout.h"

#include "estimate/run_time_error.h"

namespace report {

std::vector<PlacedLine> placeLines(const std::vector<std::string>& lines, PageGeometry geometry) {
    if (kFirstTop + geometry.lineHeight > geometry.pageHeight) {
        throw estimate::RunTimeError(estimate::ErrorKind::PrinterError);
    }
    std::vector<PlacedLine> placed;
    placed.reserve(lines.size());
    int page = 0;
    int top = kFirstTop;
    for (const std::string& text : lines) {
        if (top + geometry.lineHeight > geometry.pageHeight) {
            ++page;
            top = kFirstTop;
        }
        placed.push_back({page, top, text});
        top += kPitch;
    }
    return placed;
}

void printReport(LinePrinter& printer, int count, const std::function<std::string(int)>& lineAt) {
    const PageGeometry geometry = printer.open();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        lines.push_back(lineAt(i));
    }
    int page = 0;
    for (const PlacedLine& line : placeLines(lines, geometry)) {
        if (line.page != page) {
            printer.newPage();
            page = line.page;
        }
        printer.setX(kLeft);
        printer.setY(line.top);
        printer.printLine(line.text);
    }
    printer.endDoc();
}

}  // namespace report
