#include "printing/picture.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "printing/page_painter.h"
#include "report/page_layout.h"
#include "report/picture_layout.h"

namespace printing {
namespace {

QImage blankImage(QSize size, int dpi) {
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

}  // namespace

PictureTarget::PictureTarget(QImage& image, QPointF origin) : image_(image), origin_(origin) {}

QPaintDevice& PictureTarget::open() {
    if (image_.isNull()) {
        throwPrinterError();  // too big to be made
    }
    image_.fill(Qt::white);
    return image_;
}

QImage reportPicture(const std::vector<std::string>& lines, int dpi) {
    // The text's extent at this resolution, measured as the painter will paint it.
    const QImage probe = blankImage(QSize(1, 1), dpi);
    const QFontMetricsF metrics(PagePainter::font(), &probe);
    double width = 0;
    for (const std::string& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    const report::PictureLayout layout =
        report::pictureLayout(lines.size(), width, metrics.height(), dpi);
    QImage picture = blankImage(QSize(layout.width, layout.height), dpi);
    // The report's first line starts at the margin, not at its place on paper.
    const QPointF origin(layout.margin - report::kLeft * layout.pixelsPerTwip,
                         layout.margin - report::kFirstTop * layout.pixelsPerTwip);
    PagePainter painter(std::make_unique<PictureTarget>(picture, origin));
    report::printReport(painter, static_cast<int>(lines.size()),
                        [&](int i) { return lines[static_cast<std::size_t>(i)]; });
    return picture;
}

}  // namespace printing
