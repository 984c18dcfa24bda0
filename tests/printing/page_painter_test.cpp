// The one painter on devices of different resolutions, and the picture of a
// report that it paints for the clipboard.
#include <QImage>
#include <QtTest>
#include <memory>

#include "estimate/run_time_error.h"
#include "printing/page_painter.h"
#include "printing/picture.h"
#include "printing/scripted_target.h"
#include "report/page_layout.h"
#include "support/worked_example.h"

namespace {

// The smallest rectangle holding every dark pixel.
QRect inkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Where the one line printed on a 3 x 1.5 inch page of those resolutions
// starts, in inches from the paper's left and top edges.
QPointF inkCornerInInches(int dpiX, int dpiY) {
    QImage paper(3 * dpiX, 3 * dpiY / 2, QImage::Format_RGB32);
    paper.setDotsPerMeterX(qRound(dpiX / 0.0254));
    paper.setDotsPerMeterY(qRound(dpiY / 0.0254));
    printing::PagePainter painter(std::make_unique<printing::PictureTarget>(paper));
    report::printReport(painter, 1, [](int) { return std::string("****鱼缸"); });
    const QRect ink = inkBounds(paper);
    return {ink.left() / double(dpiX), ink.top() / double(dpiY)};
}

using testing_support::DeviceScript;
using Calls = std::vector<std::string>;

// Prints a report of `count` lines ("1", "2", ...) and returns what the user is
// told: "" when it printed.
std::string printLines(report::LinePrinter& printer, int count) {
    try {
        report::printReport(printer, count, [](int i) { return std::to_string(i + 1); });
        return {};
    } catch (const estimate::RunTimeError& error) {
        return error.message();
    }
}

}  // namespace

Q_DECLARE_METATYPE(DeviceScript)
Q_DECLARE_METATYPE(Calls)

class PagePainterTest : public QObject {
    Q_OBJECT

  private slots:
    // A 24-pin dot-matrix printer prints at 180 x 360 dpi, for instance: each
    // direction is converted with its own resolution. Within half a millimetre:
    // the glyphs' bearings scale with the font.
    void aLineStartsAtTheSamePlaceOnThePaperAtAnyResolution() {
        const QPointF reference = inkCornerInInches(600, 600);
        QVERIFY(qAbs(reference.x() - report::kLeft / 1440.0) < 0.02);  // 500 twips
        for (auto [dpiX, dpiY] : {std::pair{180, 360}, {360, 180}, {600, 300}, {300, 300}}) {
            const QPointF corner = inkCornerInInches(dpiX, dpiY);
            QVERIFY2((corner - reference).manhattanLength() < 0.02,
                     qPrintable(QString("%1 x %2 dpi: (%3, %4) in, not (%5, %6)")
                                    .arg(dpiX)
                                    .arg(dpiY)
                                    .arg(corner.x())
                                    .arg(corner.y())
                                    .arg(reference.x())
                                    .arg(reference.y())));
        }
    }

    // Black on white, the whole report on one page, cropped to the text with a
    // sixth of an inch round it (give or take the glyphs' bearings and the last
    // line's descent).
    void thePictureIsTheReportCroppedWithAMargin() {
        const int dpi = 192;
        const QImage picture = printing::reportPicture(testing_support::workedExampleReport(), dpi);
        qInfo("the worked example's picture: %d x %d pixels", picture.width(), picture.height());
        QCOMPARE(qRound(picture.dotsPerMeterY() * 0.0254), dpi);
        QCOMPARE(picture.pixel(0, 0), qRgb(255, 255, 255));
        const QRect ink = inkBounds(picture);
        const int margin = dpi / 6;
        const int right = picture.width() - 1 - ink.right();
        const int bottom = picture.height() - 1 - ink.bottom();
        for (int edge : {ink.left(), ink.top(), right, bottom}) {
            QVERIFY2(edge >= margin - 2 && edge <= margin + dpi / 8,
                     qPrintable(QString::number(edge)));
        }
        // 17 lines at the printed pitch of 350 twips from the first to the last.
        const double pitch = report::kPitch * dpi / 1440.0;
        QVERIFY2(qAbs(ink.height() - 16 * pitch) < pitch,
                 qPrintable(QString::number(ink.height())));
    }

    void eachFailurePoint_data();
    void eachFailurePoint();
    void aPainterDestroyedMidDocumentAbandonsIt();
};

// Each point where the device or the spooler can fail: what the user is told,
// and what reached the target. The reason is asked right after the call that
// failed; nothing is handed over (finish) after a failure, and a document that
// was started is abandoned exactly once. At 100 dpi a page holds 3 lines.
void PagePainterTest::eachFailurePoint_data() {
    QTest::addColumn<DeviceScript>("script");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("told");
    QTest::addColumn<Calls>("calls");
    const QString failed = "运行时错误：打印机错误（设备的原因）";
    DeviceScript refuses;
    refuses.begins = false;
    QTest::newRow("the device refuses to begin")
        << refuses << 2 << failed << Calls{"open", "begin", "reason"};
    DeviceScript noNewPage;
    noNewPage.startsPages = false;
    QTest::newRow("a new page fails")
        << noNewPage << 5 << failed << Calls{"open",     "begin",  "line 1",  "line 2", "line 3",
                                             "new page", "reason", "abandon", "end"};
    DeviceScript noEnd;
    noEnd.ends = false;
    QTest::newRow("the end fails")
        << noEnd << 2 << failed << Calls{"open", "begin", "line 1", "line 2", "end", "reason"};
    DeviceScript silent;
    silent.ends = false;
    silent.reason.clear();
    QTest::newRow("the end fails without a reason")
        << silent << 1 << "运行时错误：打印机错误"
        << Calls{"open", "begin", "line 1", "end", "reason"};
    DeviceScript noHeight;
    noHeight.dpiY = 0;
    // Nothing was sent to a device of no resolution: the printer is unusable,
    // never a spooler that did not take a document.
    QTest::newRow("the device reports no vertical resolution")
        << noHeight << 2 << "运行时错误：打印机错误（无法使用的原因）" << Calls{"open", "unusable"};
    DeviceScript noWidth;
    noWidth.dpiX = 0;
    noWidth.unusable.clear();
    QTest::newRow("no horizontal resolution and no reason")
        << noWidth << 2 << "运行时错误：打印机错误（打印机没有报告分辨率）"
        << Calls{"open", "unusable"};
    QTest::newRow("two pages print")
        << DeviceScript() << 4 << "" << Calls{"open",     "begin",  "line 1", "line 2", "line 3",
                                              "new page", "line 4", "end",    "finish"};
}

void PagePainterTest::eachFailurePoint() {
    QFETCH(DeviceScript, script);
    QFETCH(int, lines);
    QFETCH(QString, told);
    QFETCH(Calls, calls);
    printing::PagePainter painter(std::make_unique<testing_support::ScriptedTarget>(script));
    QCOMPARE(QString::fromStdString(printLines(painter, lines)), told);
    QCOMPARE(script.calls, calls);

    // The next document starts clean on the same painter, once the device works.
    script = DeviceScript();
    QCOMPARE(QString::fromStdString(printLines(painter, 1)), QString());
    QCOMPARE(script.calls, (Calls{"open", "begin", "line 1", "end", "finish"}));
}

// A painter destroyed with its document open (an exception between two lines)
// abandons the document once and hands nothing over.
void PagePainterTest::aPainterDestroyedMidDocumentAbandonsIt() {
    DeviceScript script;
    {
        printing::PagePainter painter(std::make_unique<testing_support::ScriptedTarget>(script));
        painter.open();
        painter.printLine("1");
    }
    QCOMPARE(script.calls, (Calls{"open", "begin", "line 1", "abandon", "end"}));
}

QTEST_MAIN(PagePainterTest)
#include "page_painter_test.moc"
