// The drawing routines: where each piece of a nine-slice face lands, tiling,
// rotation, and the small geometry and property helpers.

#include "SkinTestComponents.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A face whose pixel (x, y) is 0x10yyxx: every pixel names where it came from.
TColor Source(int x, int y) {
    return TColor(0x100000 | (y << 8) | x);
}

TBitmap NumberedFace(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, Source(x, y));
    return b;
}

constexpr TColor kUntouched = 0x00ABCDEF;

TBitmap Draw(const TBitmap& face, int width, int height, bool transparentCorners = false) {
    TBitmap target(width, height);
    target.Canvas().Brush().SetColor(kUntouched);
    target.Canvas().FillRect(Rect(0, 0, width, height));
    DrawNineSlice(face, target.Canvas(), Rect(0, 0, width, height), transparentCorners);
    return target;
}

// Whether `target` holds `face`'s rectangle (sx, sy, w, h) 1:1 at (dx, dy).
::testing::AssertionResult CopiedAt(const TBitmap& target, const TBitmap& face, int sx, int sy,
                                    int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (target.Pixel(dx + x, dy + y) != face.Pixel(sx + x, sy + y))
                return ::testing::AssertionFailure()
                       << "at (" << dx + x << ", " << dy + y << "): " << std::hex
                       << target.Pixel(dx + x, dy + y) << " instead of "
                       << face.Pixel(sx + x, sy + y);
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(DrawNineSlice, AFaceAtItsOwnSizeKeepsItsCornersWithTheOneLessOnTheRightAndBottom) {
    const TBitmap face = NumberedFace(74, 21);
    const TBitmap t = Draw(face, 74, 21);
    EXPECT_TRUE(CopiedAt(t, face, 0, 0, 37, 10, 0, 0));    // top-left 37 x 10
    EXPECT_TRUE(CopiedAt(t, face, 38, 0, 36, 10, 38, 0));  // top-right 36 x 10
    EXPECT_TRUE(CopiedAt(t, face, 38, 12, 36, 9, 38, 12)); // bottom-right 36 x 9
    // Bottom-left 37 x 9, but for its last column: the bottom edge overlaps it.
    EXPECT_TRUE(CopiedAt(t, face, 0, 12, 36, 9, 0, 12));
    for (int y = 11; y < 21; ++y) {
        EXPECT_EQ(t.Pixel(36, y), Source(37, y)) << y;
        EXPECT_EQ(t.Pixel(37, y), Source(37, y)) << y;
    }
    // Top edge: column 37. Left edge: row 10 over rows 10 and 11; right edge:
    // row 11 over both.
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(t.Pixel(37, y), Source(37, y));
    for (int x : {0, 20, 35}) {
        EXPECT_EQ(t.Pixel(x, 10), Source(x, 10));
        EXPECT_EQ(t.Pixel(x, 11), Source(x, 10));
    }
    for (int x : {38, 50, 73}) {
        EXPECT_EQ(t.Pixel(x, 10), Source(x, 11));
        EXPECT_EQ(t.Pixel(x, 11), Source(x, 11));
    }
    EXPECT_EQ(t.Pixel(37, 10), Source(37, 10)); // centre
}

TEST(DrawNineSlice, AWiderDestinationStretchesTheMiddleColumn) {
    const TBitmap face = NumberedFace(74, 21);
    const TBitmap t = Draw(face, 200, 21);
    EXPECT_TRUE(CopiedAt(t, face, 0, 0, 37, 10, 0, 0));
    EXPECT_TRUE(CopiedAt(t, face, 38, 0, 36, 10, 164, 0));
    EXPECT_TRUE(CopiedAt(t, face, 38, 12, 36, 9, 164, 12));
    EXPECT_TRUE(CopiedAt(t, face, 0, 12, 36, 9, 0, 12));
    for (int x = 37; x <= 163; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(t.Pixel(x, y), Source(37, y)) << x << ", " << y;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 21; ++y)
            ASSERT_NE(t.Pixel(x, y), kUntouched) << x << ", " << y;
}

TEST(DrawNineSlice, AThreePixelHighDestinationHasNoBottomCorners) {
    const TBitmap face = NumberedFace(74, 21);
    const TBitmap t = Draw(face, 100, 3);
    EXPECT_TRUE(CopiedAt(t, face, 0, 0, 37, 1, 0, 0));
    EXPECT_TRUE(CopiedAt(t, face, 38, 0, 36, 1, 64, 0));
    // The bottom row is the bottom edge (the face's last row, column 37) from
    // the left corner's last column to the right end; no corner pixel of the
    // face's lower half shows anywhere.
    for (int x = 36; x < 100; ++x)
        EXPECT_EQ(t.Pixel(x, 2), Source(37, 20)) << x;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 3; ++y) {
            const TColor c = t.Pixel(x, y);
            const int sx = c & 0xFF, sy = (c >> 8) & 0xFF;
            EXPECT_FALSE(sy >= 12 && sx != 37) << x << ", " << y;
            EXPECT_NE(c, kUntouched) << x << ", " << y;
        }
}

TEST(DrawNineSlice, CornersAreOpaqueUnlessAskedAndStripsAlwaysLeaveOutFuchsia) {
    TBitmap face = NumberedFace(9, 7);
    face.SetPixel(0, 0, clFuchsia); // a corner pixel
    face.SetPixel(4, 0, clFuchsia); // the top edge's column
    TBitmap t = Draw(face, 9, 7, false);
    EXPECT_EQ(t.Pixel(0, 0), clFuchsia);
    EXPECT_EQ(t.Pixel(4, 0), kUntouched);
    t = Draw(face, 9, 7, true);
    EXPECT_EQ(t.Pixel(0, 0), kUntouched);
    EXPECT_EQ(t.Pixel(1, 0), Source(1, 0));
}

TEST(DrawNineSlice, DegenerateFacesAndDestinationsDrawWhatFits) {
    const TBitmap face = NumberedFace(74, 20); // even height: no middle row
    TBitmap t = Draw(face, 74, 30);
    for (int x = 0; x < 74; ++x)
        for (int y = 0; y < 30; ++y)
            ASSERT_NE(t.Pixel(x, y), kUntouched) << x << ", " << y;
    t = Draw(TBitmap(), 10, 10); // an empty face draws nothing
    EXPECT_EQ(t.Pixel(5, 5), kUntouched);
    t = Draw(NumberedFace(1, 1), 10, 10);
    // Every corner is cut to nothing; the bottom edge, which reaches one
    // pixel up and left of its space, is all that shows.
    t = Draw(face, 1, 1);
    EXPECT_EQ(t.Pixel(0, 0), Source(37, 19));
}

TEST(TilePicture, RepeatsFromTheCanvasOriginBeyondTheRectangle) {
    TPicture picture;
    TBitmap tile(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.SetPixel(x, y, TColor(x + 10 * y + 1));
    picture.SetGraphic(&tile);
    TBitmap target(12, 9);
    TilePicture(target.Canvas(), picture, Rect(5, 5, 12, 7)); // only width and height count
    // Tiles start at x = 0, 3, 6, 9 while x < 7 + 3 and y = 0, 2, 4 while y < 2 + 2 + ...
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(target.Pixel(x, y), TColor(x % 3 + 10 * (y % 2) + 1)) << x << ", " << y;
    EXPECT_EQ(target.Pixel(0, 4), clWhite);

    TPicture empty;
    TBitmap untouched(4, 4);
    TilePicture(untouched.Canvas(), empty, Rect(0, 0, 4, 4));
    EXPECT_EQ(untouched.Pixel(0, 0), clWhite);
}

TEST(TilePicture, OnlyTilesInsideTheClipAreDrawn) {
    TPicture picture;
    TBitmap tile(1, 1);
    tile.SetPixel(0, 0, clRed);
    picture.SetGraphic(&tile);
    TBitmap target(8, 8);
    target.Canvas().SetClipRect(Rect(2, 3, 5, 6));
    TilePicture(target.Canvas(), picture, Rect(0, 0, 1000000, 1000000));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(target.Pixel(x, y), x >= 2 && x < 5 && y >= 3 && y < 6 ? clRed : clWhite)
                << x << ", " << y;
}

TEST(RotateBitmap, QuarterTurnsEachWayAndBack) {
    const TBitmap original = NumberedFace(5, 3);
    TBitmap b = original;
    RotateBitmapLeft(b);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 5);
    EXPECT_EQ(b.Pixel(0, 4), Source(0, 0)); // (x, y) -> (y, W - 1 - x)
    EXPECT_EQ(b.Pixel(2, 0), Source(4, 2));
    RotateBitmapRight(b);
    EXPECT_TRUE(CopiedAt(b, original, 0, 0, 5, 3, 0, 0));
    EXPECT_EQ(b.Width(), 5);

    RotateBitmapRight(b);
    EXPECT_EQ(b.Pixel(2, 0), Source(0, 0)); // (x, y) -> (H - 1 - y, x)
    EXPECT_EQ(b.Pixel(0, 4), Source(4, 2));
    RotateBitmapLeft(b);
    EXPECT_TRUE(CopiedAt(b, original, 0, 0, 5, 3, 0, 0));

    for (int i = 0; i < 4; ++i)
        RotateBitmapLeft(b);
    EXPECT_TRUE(CopiedAt(b, original, 0, 0, 5, 3, 0, 0));
    TBitmap empty;
    RotateBitmapLeft(empty);
    EXPECT_EQ(empty.Width(), 0);
}

TEST(PointInRect, AllFourEdgesCountAsInside) {
    const TRect r = Rect(0, 0, 10, 20);
    EXPECT_TRUE(PointInRect(Point(10, 20), r));
    EXPECT_TRUE(PointInRect(Point(0, 0), r));
    EXPECT_FALSE(PointInRect(Point(11, 20), r));
    EXPECT_FALSE(PointInRect(Point(10, 21), r));
    EXPECT_FALSE(PointInRect(Point(-1, 5), r));
}

TEST(HasProperty, AsksTheClassesPublishedProperties) {
    TsuiThemeManager manager(nullptr);
    TsuiTestControl control(nullptr);
    TComponent plain(nullptr);
    EXPECT_TRUE(HasProperty(static_cast<TComponent*>(&manager), "complist"));
    EXPECT_TRUE(HasProperty(static_cast<TComponent*>(&control), "FileTheme"));
    EXPECT_FALSE(HasProperty(static_cast<TComponent*>(&plain), "UIStyle"));
    EXPECT_FALSE(HasProperty(static_cast<TComponent*>(nullptr), "UIStyle"));
}
