#include <gtest/gtest.h>

#include <random>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/GraphicsTestSupport.h"

using namespace gfxtest;

namespace {} // namespace

TEST(Canvas, RectanglesAreHalfOpen) {
    TBitmap b(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlack);
    c.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(Picture(b), Rows({"......", ".###..", ".###..", "......", "......"}));

    TBitmap f(6, 5);
    f.Canvas().Brush().SetColor(clBlack);
    f.Canvas().FrameRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Picture(f), Rows({"#####.", "#...#.", "#...#.", "#####.", "......"}));

    // Rectangle: outline with the pen, inside with the brush.
    TBitmap r(6, 5);
    r.Canvas().Brush().SetColor(clRed);
    r.Canvas().Rectangle(0, 0, 5, 4);
    EXPECT_EQ(Picture(r, clBlack, clRed), Rows({"#####?", "#...#?", "#...#?", "#####?", "??????"}));

    // A clear brush fills nothing; empty and reversed rectangles fill nothing.
    TBitmap e(3, 3);
    e.Canvas().Brush().SetColor(clBlack);
    e.Canvas().FillRect(Rect(2, 2, 1, 1));
    e.Canvas().FillRect(Rect(1, 1, 1, 3));
    e.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    e.Canvas().FillRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(Picture(e), Rows({"...", "...", "..."}));
}

TEST(Canvas, LinesLeaveOutTheirEndPoint) {
    TBitmap b(6, 4);
    TCanvas& c = b.Canvas();
    c.MoveTo(0, 0);
    c.LineTo(4, 0);
    c.LineTo(4, 3);
    EXPECT_EQ(Picture(b), Rows({"#####.", "....#.", "....#.", "......"}));
    EXPECT_EQ(c.PenPos(), Point(4, 3));

    TBitmap d(4, 4);
    d.Canvas().MoveTo(0, 0);
    d.Canvas().LineTo(4, 4);
    EXPECT_EQ(Picture(d), Rows({"#...", ".#..", "..#.", "...#"}));

    // The group-box outline: a polyline closed back along the top edge to a gap.
    TBitmap g(8, 5);
    g.Canvas().Polyline({{2, 1}, {0, 1}, {0, 4}, {7, 4}, {7, 1}, {5, 1}});
    EXPECT_EQ(Picture(g), Rows({"........", "###...##", "#......#", "#......#", "########"}));
}

TEST(Canvas, DottedPenAndWidePen) {
    TBitmap b(7, 4);
    b.Canvas().Pen().SetStyle(TPenStyle::psDot);
    b.Canvas().MoveTo(0, 0);
    b.Canvas().LineTo(7, 0);
    b.Canvas().Pen().SetStyle(TPenStyle::psSolid);
    b.Canvas().Pen().SetWidth(2);
    b.Canvas().MoveTo(1, 2);
    b.Canvas().LineTo(3, 2);
    EXPECT_EQ(Picture(b), Rows({"#.#.#.#", ".......", ".###...", ".###..."}));
}

TEST(Canvas, FocusRectangleIsDottedAndInvertsTwiceToNothing) {
    TBitmap b(6, 5);
    TCanvas& c = b.Canvas();
    c.DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(Picture(b), Rows({"#.#.#.", ".....#", "#.....", ".....#", "#.#.#."}));
    c.DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(Picture(b), Rows({"......", "......", "......", "......", "......"}));

    // The dot pattern follows device pixels, so a moved origin shifts it.
    TBitmap o(4, 3);
    o.Canvas().SetOrigin(Point(1, 0));
    o.Canvas().DrawFocusRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(Picture(o), Rows({"..#.", ".#.#", "..#."}));
}

TEST(Canvas, OriginAndClipAreSavedAndRestored) {
    TBitmap b(8, 6);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlack);
    int level = c.SaveState();
    EXPECT_EQ(level, 1);
    c.MoveOrigin(-2, -1); // a child at (2, 1) paints its parent's coordinates
    c.IntersectClipRect(Rect(3, 2, 6, 4));
    EXPECT_EQ(c.ClipRect(), Rect(3, 2, 6, 4));
    c.FillRect(Rect(0, 0, 100, 100));
    c.SaveState();
    c.SetOrigin(Point(0, 0));
    c.RestoreState(level);
    EXPECT_EQ(c.Origin(), Point(0, 0));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 8, 6));
    c.SetPixel(7, 5, clRed);
    EXPECT_EQ(Picture(b),
              Rows({"........", ".###....", ".###....", "........", "........", ".......?"}));
    // Restoring more than was saved changes nothing.
    c.RestoreState();
    c.RestoreState(5);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 8, 6));
}

TEST(Canvas, StretchingSamplesPixelCentres) {
    TBitmap src(2, 2);
    src.SetPixel(0, 0, clRed);
    src.SetPixel(1, 0, clLime);
    src.SetPixel(0, 1, clBlue);
    src.SetPixel(1, 1, clBlack);
    TBitmap dst(4, 4);
    dst.Canvas().StretchDraw(Rect(0, 0, 4, 4), src);
    EXPECT_EQ(dst.Pixel(1, 1), clRed);
    EXPECT_EQ(dst.Pixel(2, 1), clLime);
    EXPECT_EQ(dst.Pixel(1, 2), clBlue);
    EXPECT_EQ(dst.Pixel(3, 3), clBlack);

    // One source column stretched over many, the way a skin's middle strip is.
    TBitmap strip(3, 1);
    strip.SetPixel(0, 0, clRed);
    strip.SetPixel(1, 0, clLime);
    strip.SetPixel(2, 0, clBlue);
    TBitmap wide(10, 1);
    wide.Canvas().StretchBlt(Rect(1, 0, 9, 1), strip, Rect(1, 0, 2, 1));
    for (int32_t x = 1; x < 9; ++x)
        EXPECT_EQ(wide.Pixel(x, 0), clLime) << x;
    EXPECT_EQ(wide.Pixel(0, 0), clWhite);
    EXPECT_EQ(wide.Pixel(9, 0), clWhite);
}

TEST(Canvas, ReversedRectanglesMirror) {
    TBitmap src(1, 4);
    const TColor col[4] = {clRed, clLime, clBlue, clBlack};
    for (int32_t y = 0; y < 4; ++y)
        src.SetPixel(0, y, col[y]);
    // Destination rows 5..2 (top 5, bottom 1): covers rows 2..5 upside down.
    TBitmap dst(1, 7);
    dst.Canvas().StretchBlt(Rect(0, 5, 1, 1), src, Rect(0, 0, 1, 4));
    EXPECT_EQ(dst.Pixel(0, 1), clWhite);
    EXPECT_EQ(dst.Pixel(0, 2), clBlack);
    EXPECT_EQ(dst.Pixel(0, 3), clBlue);
    EXPECT_EQ(dst.Pixel(0, 4), clLime);
    EXPECT_EQ(dst.Pixel(0, 5), clRed);
    EXPECT_EQ(dst.Pixel(0, 6), clWhite);

    // Both reversed: no flip. Horizontal mirroring through CopyRect.
    TBitmap both(1, 7);
    both.Canvas().StretchBlt(Rect(0, 5, 1, 1), src, Rect(0, 3, 1, -1));
    EXPECT_EQ(both.Pixel(0, 2), clRed);
    EXPECT_EQ(both.Pixel(0, 5), clBlack);
    TBitmap row(3, 1);
    row.SetPixel(0, 0, clRed);
    row.SetPixel(2, 0, clBlue);
    TBitmap flipped(3, 1);
    flipped.Canvas().CopyRect(Rect(3, 0, 0, 1), row.Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(flipped.Pixel(0, 0), clWhite); // x = 3 - 3 + 1 .. 3: columns 1..3, clipped
    EXPECT_EQ(flipped.Pixel(1, 0), clBlue);
    EXPECT_EQ(flipped.Pixel(2, 0), clWhite);
}

TEST(Canvas, KeyColourAndTransparentBitmaps) {
    TBitmap src(3, 2);
    src.SetPixel(1, 0, clFuchsia);
    src.SetPixel(0, 1, clRed); // bottom-left: the automatic transparent colour
    TBitmap dst(3, 2);
    dst.Canvas().Brush().SetColor(clBlue);
    dst.Canvas().FillRect(Rect(0, 0, 3, 2));
    dst.Canvas().StretchBlt(Rect(0, 0, 3, 2), src, Rect(0, 0, 3, 2), clFuchsia);
    EXPECT_EQ(dst.Pixel(1, 0), clBlue);
    EXPECT_EQ(dst.Pixel(0, 1), clRed);

    src.SetTransparent(true);
    dst.Canvas().FillRect(Rect(0, 0, 3, 2));
    dst.Canvas().Draw(0, 0, src);
    EXPECT_EQ(dst.Pixel(0, 1), clBlue);    // red left out
    EXPECT_EQ(dst.Pixel(1, 0), clFuchsia); // drawn
    src.SetTransparentColor(clFuchsia);
    dst.Canvas().FillRect(Rect(0, 0, 3, 2));
    dst.Canvas().Draw(0, 0, src);
    EXPECT_EQ(dst.Pixel(0, 1), clRed);
    EXPECT_EQ(dst.Pixel(1, 0), clBlue);
}

TEST(Canvas, FastBlitsMatchTheGeneralPath) {
    std::mt19937 rng(7);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TBitmap src(17, 13);
    for (int32_t y = 0; y < 13; ++y)
        for (int32_t x = 0; x < 17; ++x)
            src.SetPixel(x, y,
                         RGB(uint8_t(rnd(0, 255)), uint8_t(rnd(0, 255)), uint8_t(rnd(0, 255))));
    for (int round = 0; round < 300; ++round) {
        TRect d = Bounds(rnd(-5, 20), rnd(-5, 15), rnd(-20, 20), rnd(-15, 15));
        TRect s = Bounds(rnd(-3, 16), rnd(-3, 12), rnd(-20, 20), rnd(-15, 15));
        if (round % 3 == 0)
            s = Bounds(rnd(0, 8), rnd(0, 6), d.Width(), d.Height()); // unscaled
        TBitmap fast(20, 16), slow(20, 16);
        TCanvas::SetFastPaths(true);
        fast.Canvas().IntersectClipRect(Rect(1, 2, 18, 15));
        fast.Canvas().StretchBlt(d, src, s);
        TCanvas::SetFastPaths(false);
        slow.Canvas().IntersectClipRect(Rect(1, 2, 18, 15));
        slow.Canvas().StretchBlt(d, src, s);
        TCanvas::SetFastPaths(true);
        ASSERT_EQ(PixelsOf(fast), PixelsOf(slow)) << "round " << round;
    }
    // A copy within one bitmap reads the pixels as they were before.
    TBitmap self(4, 1);
    for (int32_t x = 0; x < 4; ++x)
        self.SetPixel(x, 0, RGB(uint8_t(x), 0, 0));
    self.Canvas().StretchBlt(Rect(1, 0, 4, 1), self, Rect(0, 0, 3, 1));
    EXPECT_EQ(self.Pixel(3, 0), RGB(2, 0, 0));
}

TEST(Canvas, ArcsRunCounterclockwiseBetweenTheRadials) {
    // The frame arc of the skinned form's top-right corner (r = 11, W = 30).
    const int32_t W = 30, r = 11;
    TBitmap b(W, 2 * r);
    b.Canvas().Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
    // The circle through the box's outer pixels has its centre at
    // (W - r + 0.5, r - 1.5) and radius r - 0.5; its right column (x = W) and
    // top row (y = -1) fall outside, so the visible curve is this diagonal.
    std::vector<TPoint> inked;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < W; ++x)
            if (b.Pixel(x, y) == clBlack)
                inked.push_back({x, y});
    std::vector<TPoint> want = {{W - 6, 0}, {W - 5, 1}, {W - 4, 2}, {W - 3, 3},
                                {W - 2, 4}, {W - 1, 5}, {W - 1, 6}};
    EXPECT_EQ(inked, want);

    // A full circle is symmetric and one pixel thick along the axes.
    TBitmap full(9, 9);
    full.Canvas().Arc(0, 0, 9, 9, 0, 4, 0, 4);
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 9; ++x) {
            EXPECT_EQ(full.Pixel(x, y), full.Pixel(8 - x, y));
            EXPECT_EQ(full.Pixel(x, y), full.Pixel(x, 8 - y));
        }
    EXPECT_EQ(full.Pixel(4, 0), clBlack);
    EXPECT_EQ(full.Pixel(4, 1), clWhite);
    EXPECT_EQ(full.Pixel(0, 4), clBlack);
    EXPECT_EQ(full.Pixel(4, 4), clWhite);
}
