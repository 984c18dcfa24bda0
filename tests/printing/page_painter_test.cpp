// The one painter on devices of different resolutions, and the picture of a
// report that it paints for the clipboard.
#include <QGuiApplication>
#include <QImage>
#include <QtTest>
#include <memory>

#include "printing/page_painter.h"
#include "printing/picture.h"
#include "report/page_layout.h"
#include "support/worked_example.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;

QImage page(double inchesWide, double inchesTall, int dpiX, int dpiY) {
    QImage image(int(inchesWide * dpiX), int(inchesTall * dpiY), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    return image;
}

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

// Where the one line printed on a page of those resolutions starts, in inches
// from the paper's left and top edges.
QPointF inkCornerInInches(int dpiX, int dpiY) {
    QImage paper = page(3, 1.5, dpiX, dpiY);
    printing::PagePainter painter(std::make_unique<printing::PictureTarget>(paper));
    report::printReport(painter, 1, [](int) { return std::string("****鱼缸"); });
    const QRect ink = inkBounds(paper);
    return {ink.left() / double(dpiX), ink.top() / double(dpiY)};
}

// The tops of the runs of rows that hold ink: one per printed line.
QList<int> lineTops(const QImage& image) {
    QList<int> tops;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) {
            ink = qGray(image.pixel(x, y)) < 128;
        }
        if (ink && !inLine) {
            tops << y;
        }
        inLine = ink;
    }
    return tops;
}

}  // namespace

class PagePainterTest : public QObject {
    Q_OBJECT

  private slots:
    // A 24-pin dot-matrix printer prints at 180 x 360 dpi, for instance: each
    // direction is converted with its own resolution.
    void aLineStartsAtTheSamePlaceOnThePaperAtAnyResolution_data() {
        QTest::addColumn<int>("dpiX");
        QTest::addColumn<int>("dpiY");
        QTest::newRow("180 x 360") << 180 << 360;
        QTest::newRow("360 x 180") << 360 << 180;
        QTest::newRow("600 x 300") << 600 << 300;
        QTest::newRow("300 x 300") << 300 << 300;
    }

    void aLineStartsAtTheSamePlaceOnThePaperAtAnyResolution() {
        QFETCH(int, dpiX);
        QFETCH(int, dpiY);
        const QPointF reference = inkCornerInInches(600, 600);
        const QPointF corner = inkCornerInInches(dpiX, dpiY);
        // The line is placed 500 twips from the left; its ink starts there, less
        // the glyph's side bearing.
        QVERIFY2(qAbs(reference.x() - report::kLeft / kTwipsPerInch) < 0.02,
                 qPrintable(QString::number(reference.x())));
        // Half a millimetre apart at most: the glyphs' bearings scale with the font.
        QVERIFY2(qAbs(corner.x() - reference.x()) < 0.02,
                 qPrintable(QString("left %1 in, not %2 in").arg(corner.x()).arg(reference.x())));
        QVERIFY2(qAbs(corner.y() - reference.y()) < 0.02,
                 qPrintable(QString("top %1 in, not %2 in").arg(corner.y()).arg(reference.y())));
    }

    void thePictureIsTheWholeReportOnOnePageCroppedWithAMargin() {
        const auto& lines = testing_support::workedExampleReport();
        const int dpi = 192;
        const QImage picture = printing::reportPicture(lines, dpi);
        qInfo("the worked example's picture: %d x %d pixels at %d dpi", picture.width(),
              picture.height(), dpi);
        QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), dpi);
        QCOMPARE(qRound(picture.dotsPerMeterY() * 0.0254), dpi);

        // Black on white.
        QCOMPARE(picture.pixel(0, 0), qRgb(255, 255, 255));
        const QRect ink = inkBounds(picture);
        QVERIFY(!ink.isEmpty());
        int darkest = 255;
        for (int y = ink.top(); y <= ink.bottom(); ++y) {
            for (int x = ink.left(); x <= ink.right(); ++x) {
                darkest = qMin(darkest, qGray(picture.pixel(x, y)));
            }
        }
        QCOMPARE(darkest, 0);

        // A sixth of an inch round the text, give or take the glyphs' bearings
        // and the last line's descent.
        const int margin = dpi / 6;
        const int right = picture.width() - 1 - ink.right();
        const int bottom = picture.height() - 1 - ink.bottom();
        for (int edge : {ink.left(), ink.top(), right}) {
            QVERIFY2(edge >= margin - 2 && edge <= margin + 8, qPrintable(QString::number(edge)));
        }
        QVERIFY2(bottom >= margin && bottom <= margin + dpi / 8,
                 qPrintable(QString::number(bottom)));

        // Every line that holds text, one under the other at the printed pitch
        // of 350 twips, the blank lines' places kept: no page breaks.
        const QList<int> tops = lineTops(picture);
        QList<int> printedRows;
        for (int i = 0; i < int(lines.size()); ++i) {
            if (QString::fromStdString(lines[std::size_t(i)]).trimmed().size() > 0) {
                printedRows << i;
            }
        }
        QCOMPARE(tops.size(), printedRows.size());
        const double pitch = report::kPitch * dpi / kTwipsPerInch;
        for (int i = 1; i < tops.size(); ++i) {
            // A row of asterisks starts lower than a row of ideographs.
            const double expected = (printedRows[i] - printedRows[0]) * pitch;
            QVERIFY2(qAbs(tops[i] - tops[0] - expected) <= dpi / 24,
                     qPrintable(QString("line %1 at %2").arg(printedRows[i]).arg(tops[i])));
        }
    }
};

QTEST_MAIN(PagePainterTest)
#include "page_painter_test.moc"
