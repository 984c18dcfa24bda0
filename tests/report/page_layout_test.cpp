#include "report/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "estimate/run_time_error.h"
#include "support/recording_printer.h"

namespace report {
namespace {

using testing_support::RecordingPrinter;

std::vector<std::string> numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    return lines;
}

// Prints the lines and returns the documents the printer received.
std::vector<RecordingPrinter::Document> print(const std::vector<std::string>& lines,
                                              PageGeometry page = {100000, 240}) {
    std::vector<RecordingPrinter::Document> documents;
    RecordingPrinter printer(&documents, page);
    printReport(printer, static_cast<int>(lines.size()),
                [&](int i) { return lines[static_cast<std::size_t>(i)]; });
    return documents;
}

TEST(Printing, SeventeenLinesAtTheirPositions) {
    const auto documents = print(numbered(17));
    ASSERT_EQ(documents.size(), 1u);
    const auto& doc = documents[0];
    ASSERT_EQ(doc.size(), 17u);
    const int tops[] = {1000, 1350, 1700, 2050, 2400, 2750, 3100, 3450, 3800,
                        4150, 4500, 4850, 5200, 5550, 5900, 6250, 6600};
    for (std::size_t i = 0; i < 17; ++i) {
        EXPECT_EQ(doc[i], (RecordingPrinter::Line{0, 500, tops[i], "line " + std::to_string(i)}));
    }
}

TEST(Printing, NinetyOneLinesEndTheDocumentAtTop32500) {
    const auto documents = print(numbered(91));
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].size(), 91u);
    EXPECT_EQ(documents[0].back().y, 32500);
}

TEST(Printing, LinesPastNinetyOneStillPrintOnATallPage) {
    // The top of line 92 is 32850, past the 16-bit range: it still prints.
    const auto documents = print(numbered(116));
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].size(), 116u);
    EXPECT_EQ(documents[0][91].y, 32850);
    EXPECT_EQ(documents[0].back().y, 1000 + 350 * 115);
}

TEST(Printing, LinesThatDoNotFitContinueOnNewPages) {
    // A4 in portrait with small margins: about 16000 twips of printable height.
    const PageGeometry a4{16000, 280};
    const auto lines = numbered(116);
    const auto documents = print(lines, a4);
    ASSERT_EQ(documents.size(), 1u);
    const auto& doc = documents[0];
    ASSERT_EQ(doc.size(), 116u);
    // (16000 - 280 - 1000) / 350 = 42.05, so 43 lines to a page.
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const int onPage = static_cast<int>(i) % 43;
        EXPECT_EQ(doc[i].text, lines[i]) << "every line once, in order";
        EXPECT_EQ(doc[i].page, static_cast<int>(i) / 43) << i;
        EXPECT_EQ(doc[i].y, 1000 + 350 * onPage) << i;
        EXPECT_LE(doc[i].y + a4.lineHeight, a4.pageHeight) << i;
        EXPECT_EQ(doc[i].x, 500);
    }
}

TEST(Printing, TwoPressesGiveTwoIdenticalDocuments) {
    std::vector<RecordingPrinter::Document> documents;
    const auto lines = numbered(17);
    for (int press = 0; press < 2; ++press) {
        RecordingPrinter printer(&documents);
        printReport(printer, 17, [&](int i) { return lines[static_cast<std::size_t>(i)]; });
    }
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0], documents[1]);
}

TEST(Printing, NoPrinterIsThePrinterErrorBeforeAnyLineIsRead) {
    std::vector<RecordingPrinter::Document> documents;
    RecordingPrinter printer(&documents, {100000, 240}, false);
    int linesRead = 0;
    try {
        printReport(printer, 17, [&](int) {
            ++linesRead;
            return std::string("x");
        });
        FAIL() << "printed without a printer";
    } catch (const estimate::RunTimeError& e) {
        EXPECT_EQ(e.kind(), estimate::ErrorKind::PrinterError);
    }
    EXPECT_EQ(linesRead, 0);
    EXPECT_TRUE(documents.empty());
}

TEST(Printing, APageTooSmallForOneLineFailsBeforeTheDocumentOpens) {
    std::vector<RecordingPrinter::Document> documents;
    RecordingPrinter printer(&documents, {1100, 240});
    EXPECT_THROW(printReport(printer, 3, [](int) { return std::string("x"); }),
                 estimate::RunTimeError);
    EXPECT_TRUE(documents.empty());
}

}  // namespace
}  // namespace report
