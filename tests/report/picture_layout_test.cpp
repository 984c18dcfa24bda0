#include "report/picture_layout.h"

#include <gtest/gtest.h>

namespace report {
namespace {

// The picture is cropped to its text with a sixth of an inch all round; its
// lines lie at the paper's pitch, the last one whole.
TEST(PictureLayout, CropsToTheTextWithAMarginAllRound) {
    struct Case {
        std::size_t lines;
        double widest;
        double lineHeight;
        int dpi;
        int width;
        int height;
    };
    // 192 dpi: 32 px of margin, 46.67 px from line to line; 288 dpi: 48 and 70.
    for (const Case& c : {Case{0, 0, 20, 192, 64, 64}, Case{1, 100, 20, 192, 164, 84},
                          Case{3, 100.2, 20, 192, 165, 178}, Case{16, 500, 30, 288, 596, 1176}}) {
        const PictureLayout layout = pictureLayout(c.lines, c.widest, c.lineHeight, c.dpi);
        EXPECT_EQ(layout.width, c.width) << c.lines << " lines at " << c.dpi;
        EXPECT_EQ(layout.height, c.height) << c.lines << " lines at " << c.dpi;
        if (c.lines > 0) {
            EXPECT_DOUBLE_EQ(pictureLineTop(layout, 0), layout.margin);
            // The last line ends a margin above the bottom, to the pixel.
            EXPECT_LE(pictureLineTop(layout, c.lines - 1) + c.lineHeight + layout.margin,
                      layout.height);
            EXPECT_GT(pictureLineTop(layout, c.lines - 1) + c.lineHeight + layout.margin,
                      layout.height - 1);
        }
    }
}

}  // namespace
}  // namespace report
