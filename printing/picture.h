#pragma once

#include <QImage>
#include <QPointF>
#include <string>
#include <vector>

#include "printing/paint_target.h"

namespace printing {

// A picture to paint a document on: one page the size of the image, white, at
// the image's own resolutions. The image is the caller's.
class PictureTarget : public PaintTarget {
  public:
    // The printable area's top-left corner lies at `origin`, in the image's pixels.
    explicit PictureTarget(QImage& image, QPointF origin = {});

    QPaintDevice& open() override;
    QPointF origin() const override { return origin_; }
    double pageHeight() const override { return image_.height() - origin_.y(); }
    bool newPage() override { return false; }  // a picture has one page
    void finish() override {}

  private:
    QImage& image_;
    QPointF origin_;
};

// The report as one picture, to send in a chat message: the lines in the font and
// at the places of the printed page, black on white, on one tall page without
// breaks, cropped to the text with a margin, at `dpi` dots per inch.
QImage reportPicture(const std::vector<std::string>& lines, int dpi);

}  // namespace printing
