// Qt's Windows print engine on the system's default printer, as the preview
// prints. Each case is run on its own by print_engine_check.sh, which sets up
// the printer the case needs and checks what reached it.
#include <QtTest>
#include <string>

#include "estimate/run_time_error.h"
#include "printing/page_painter.h"
#include "printing/qt_printer.h"

namespace {

// What the user is told when the default printer cannot be opened, up to the
// system's own reason.
constexpr const char* kUnusablePrinter = "默认打印机无法使用：";

// Opens a document on the default printer and paints one line on each of its
// first `pages` pages.
void paintPages(printing::PagePainter& painter, int pages) {
    painter.open();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) {
            painter.newPage();
        }
        painter.setY(1440 * page);
        painter.printLine("page " + std::to_string(page));
    }
}

}  // namespace

class PrintEngineTest : public QObject {
    Q_OBJECT

  private slots:
    // A document dropped once its second page has begun, as when a report
    // fails half way, is aborted in the spooler; the whole document of three
    // pages printed next is the one job the printer receives.
    void anAbandonedDocumentNeverReachesThePrinter() {
        {
            printing::PagePainter dropped(printing::QtPrinter::defaultPrinter());
            paintPages(dropped, 2);
        }
        printing::PagePainter whole(printing::QtPrinter::defaultPrinter());
        paintPages(whole, 3);
        whole.endDoc();
    }

    // A printer whose device context cannot be made is the printer error with
    // the system's reason, never a printer of no resolution.
    void aPrinterWithoutADeviceGivesTheSystemsReason() {
        printing::PagePainter painter(printing::QtPrinter::defaultPrinter());
        try {
            painter.open();
            QFAIL("a printer whose driver cannot be loaded opened");
        } catch (const estimate::RunTimeError& error) {
            qInfo() << "the box:" << QString::fromStdString(error.message());
            QCOMPARE(error.kind(), estimate::ErrorKind::PrinterError);
            const std::string prefix = kUnusablePrinter;
            QVERIFY2(error.detail().compare(0, prefix.size(), prefix) == 0 &&
                         error.detail().size() > prefix.size(),
                     error.message().c_str());
        }
    }
};

QTEST_MAIN(PrintEngineTest)
#include "print_engine_test.moc"
