#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"

namespace {

std::string Shape(const TRegion& r, int32_t w, int32_t h) {
    std::string s;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            s += r.Contains(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

} // namespace

TEST(Region, RectanglesAreHalfOpen) {
    TRegion r = TRegion::FromRect(Rect(1, 1, 3, 2));
    EXPECT_EQ(Shape(r, 4, 3), "....\n.##.\n....\n");
    EXPECT_TRUE(TRegion::FromRect(Rect(2, 2, 2, 5)).Empty());
    EXPECT_EQ(TRegion::FromRect(Rect(3, 2, 1, 1)).BoundsRect(), Rect(1, 1, 3, 2));
}

TEST(Region, RoundRectLeavesOutTheRightColumnAndBottomRow) {
    // The form passes its size plus one: (0, 0, W + 1, H + 1) covers W x H.
    TRegion r = TRegion::RoundRect(0, 0, 11, 9, 6, 6);
    EXPECT_EQ(r.BoundsRect(), Rect(0, 0, 10, 8));
    // A pixel is inside when its centre lies inside the corner ellipse.
    EXPECT_EQ(Shape(r, 11, 9), ".########..\n"
                               "##########.\n"
                               "##########.\n"
                               "##########.\n"
                               "##########.\n"
                               "##########.\n"
                               "##########.\n"
                               ".########..\n"
                               "...........\n");
    // Below 2 pixels the ellipse gives a plain rectangle.
    EXPECT_EQ(Shape(TRegion::RoundRect(0, 0, 4, 3, 1, 1), 4, 3), "###.\n###.\n....\n");
}

TEST(Region, RoundedTopCornersOfTheSkinnedForm) {
    // Region = rounded rectangle united with squares over the bottom corners.
    const int32_t W = 40, H = 30, r = 13;
    TRegion region = TRegion::RoundRect(0, 0, W + 1, H + 1, r, r);
    region.Union(TRegion::FromRect(Rect(0, H - 2 * r, 2 * r, H)));
    region.Union(TRegion::FromRect(Rect(W - 2 * r, H - 2 * r, W, H)));
    EXPECT_FALSE(region.Contains(0, 0));
    EXPECT_FALSE(region.Contains(W - 1, 0));
    EXPECT_TRUE(region.Contains(W / 2, 0));
    EXPECT_TRUE(region.Contains(0, H - 1)); // square bottom corners
    EXPECT_TRUE(region.Contains(W - 1, H - 1));
    EXPECT_FALSE(region.Contains(W, H - 1));
    EXPECT_FALSE(region.Contains(0, H));
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            EXPECT_EQ(region.Contains(x, y), region.Contains(W - 1 - x, y));
    // The corner cut of a 13-pixel ellipse: rows 0.. of the top-left corner.
    int32_t firstInRow0 = 0;
    while (!region.Contains(firstInRow0, 0))
        ++firstInRow0;
    EXPECT_EQ(firstInRow0, 4);
    EXPECT_TRUE(region.Contains(0, 6));
    EXPECT_FALSE(region.Contains(0, 3));

    TBitmap mask;
    region.Paint(mask, W, H);
    EXPECT_EQ(mask.Pixel(0, 0), clBlack);
    EXPECT_EQ(mask.Pixel(W / 2, 0), clWhite);
}
