// The one painter on devices of different resolutions, and the picture of a
// report that it paints for the clipboard.
#include <QImage>
#include <QtTest>
#include <memory>

#include "printing/page_painter.h"
#include "printing/picture.h"
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

}  // namespace

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
};

QTEST_MAIN(PagePainterTest)
#include "page_painter_test.moc"
