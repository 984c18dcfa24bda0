#pragma once

#include <string>
#include <vector>

#include "estimate/run_time_error.h"
#include "report/line_printer.h"

namespace testing_support {

// A printer that keeps every document it is given, line by line, with the
// position each line was printed at.
class RecordingPrinter : public report::LinePrinter {
  public:
    struct Line {
        int page;
        int x;
        int y;
        std::string text;
        bool operator==(const Line&) const = default;
    };
    using Document = std::vector<Line>;

    // A page tall enough for every line of the tests unless said otherwise.
    explicit RecordingPrinter(std::vector<Document>* finished,
                              report::PageGeometry page = {100000, 240}, bool present = true)
        : finished_(finished), page_(page), present_(present) {}

    report::PageGeometry open() override {
        if (!present_) {
            throw estimate::RunTimeError(estimate::ErrorKind::PrinterError);
        }
        return page_;
    }
    void setX(int twips) override { x_ = twips; }
    void setY(int twips) override { y_ = twips; }
    void printLine(const std::string& text) override {
        open_.push_back({page_number_, x_, y_, text});
    }
    void newPage() override { ++page_number_; }
    void endDoc() override {
        finished_->push_back(open_);
        open_.clear();
        page_number_ = 0;
    }

  private:
    std::vector<Document>* finished_;
    report::PageGeometry page_;
    bool present_;
    Document open_;
    int x_ = 0;
    int y_ = 0;
    int page_number_ = 0;
};

}  // namespace testing_support
