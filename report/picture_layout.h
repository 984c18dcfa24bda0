#pragma once

#include <cstddef>

namespace report {

// The report as one picture, to send in a chat message, in the window and on
// the phone page alike: the lines at the paper's pitch from the top-left
// corner, a sixth of an inch of white all round, cropped to the text.
struct PictureLayout {
    double pixelsPerTwip;
    double margin;  // pixels of white on each side
    int width;      // pixels
    int height;
};

// The picture of `lines` lines at `dpi` dots per inch, the widest `widest`
// pixels wide and each `lineHeight` pixels tall in the face it is painted in.
PictureLayout pictureLayout(std::size_t lines, double widest, double lineHeight, int dpi);

// Where line `line` (0-based) of the picture starts: its top, in pixels from
// the picture's top. Every line starts at the margin on the left.
double pictureLineTop(const PictureLayout& layout, std::size_t line);

}  // namespace report
