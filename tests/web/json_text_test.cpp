#include "web/json_text.h"

#include <gtest/gtest.h>

#include <string>

namespace web {
namespace {

// The picture's request comes from the page's script: four numbers, each
// from 0 to a million, or no layout at all.
TEST(PictureJson, TakesFourNumbersInTheirBoundsAndNothingElse) {
    EXPECT_EQ(pictureJson("192\t2\t100\t20"), pictureJson(2, 100, 20, 192));
    EXPECT_EQ(pictureJson("192\t2\t100.5\t20.25"), pictureJson(2, 100.5, 20.25, 192));
    EXPECT_EQ(pictureJson("0\t0\t0\t0"), pictureJson(0, 0, 0, 0));
    EXPECT_EQ(pictureJson("1000000\t1\t1\t1"), pictureJson(1, 1, 1, 1000000));
    for (const char* refused : {"", "192", "192\t2\t100", "192\t2\t100\t", "192\t2\t100\tx",
                                "192\t-1\t100\t20", "192\t2\t1000001\t20", "192\t2\t1e3\t20",
                                "192\t2 \t100\t20", "nan\t2\t100\t20", "192\t\t100\t20"}) {
        EXPECT_EQ(pictureJson(refused), "null") << '"' << refused << '"';
    }
}

}  // namespace
}  // namespace web
