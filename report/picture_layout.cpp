#include "report/picture_layout.h"

#include <cmath>

#include "report/page_layout.h"

namespace report {

PictureLayout pictureLayout(std::size_t lines, double widest, double lineHeight, int dpi) {
    PictureLayout layout{};
    layout.pixelsPerTwip = dpi / kTwipsPerInch;
    layout.margin = dpi / 6.0;
    const double text =
        lines == 0 ? 0 : pictureLineTop(layout, lines - 1) - layout.margin + lineHeight;
    layout.width = static_cast<int>(std::ceil(widest + 2 * layout.margin));
    layout.height = static_cast<int>(std::ceil(text + 2 * layout.margin));
    return layout;
}

double pictureLineTop(const PictureLayout& layout, std::size_t line) {
    return layout.margin + static_cast<double>(line) * kPitch * layout.pixelsPerTwip;
}

}  // namespace report
