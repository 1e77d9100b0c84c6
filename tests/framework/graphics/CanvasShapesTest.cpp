// The shape operations pictures use: polygon fill rules, the box shapes
// and their agreement with Arc, geometric pens, dashes, hatches, raster
// operations and aligned text, plus coordinates far outside the target.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/GraphicsTestSupport.h"

using namespace gfxtest;

namespace {

int Count(const TBitmap& b, TColor c) {
    int n = 0;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == c;
    return n;
}

} // namespace

TEST(CanvasShapes, PolygonsFillHalfOpenAndOutlineThroughTheVertices) {
    TBitmap b(7, 7);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlack);
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
    EXPECT_EQ(Picture(b),
              Rows({".......", ".####..", ".####..", ".####..", ".......", ".......", "......."}));

    // With a pen the outline covers the vertices' row and column too.
    TBitmap o(7, 7);
    o.Canvas().Brush().SetColor(clRed);
    o.Canvas().Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
    EXPECT_EQ(Picture(o, clBlack, clWhite),
              Rows({".......", ".#####.", ".#???#.", ".#???#.", ".#####.", ".......", "......."}));

    // A five-pointed star: its centre is a hole for the alternate rule only.
    const std::vector<TPoint> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    TBitmap alt(21, 21), wind(21, 21);
    for (TBitmap* t : {&alt, &wind}) {
        t->Canvas().Brush().SetColor(clBlack);
        t->Canvas().Pen().SetStyle(TPenStyle::psClear);
    }
    alt.Canvas().Polygon(star, TFillMode::fmAlternate);
    wind.Canvas().Polygon(star, TFillMode::fmWinding);
    EXPECT_EQ(alt.Pixel(10, 10), clWhite);
    EXPECT_EQ(wind.Pixel(10, 10), clBlack);
    EXPECT_EQ(alt.Pixel(10, 3), clBlack); // a point is filled by both
    EXPECT_EQ(wind.Pixel(10, 3), clBlack);

    // Poly-polygon: a square with a square hole.
    TBitmap h(8, 8);
    h.Canvas().Brush().SetColor(clBlack);
    h.Canvas().Pen().SetStyle(TPenStyle::psClear);
    h.Canvas().PolyPolygon({{{0, 0}, {8, 0}, {8, 8}, {0, 8}}, {{2, 2}, {6, 2}, {6, 6}, {2, 6}}});
    EXPECT_EQ(Count(h, clBlack), 64 - 16);
    EXPECT_EQ(h.Pixel(3, 3), clWhite);
}

TEST(CanvasShapes, EllipseOutlineIsArcsCurveAndTheFillStaysInside) {
    for (TRect box : {Rect(1, 1, 12, 9), Rect(0, 0, 16, 16), Rect(2, 3, 5, 14), Rect(1, 1, 2, 6)}) {
        TBitmap arc(18, 18), ell(18, 18);
        arc.Canvas().Arc(box.Left, box.Top, box.Right, box.Bottom, 0, 0, 0, 0);
        ell.Canvas().Brush().SetColor(clRed);
        ell.Canvas().Ellipse(box.Left, box.Top, box.Right, box.Bottom);
        for (int32_t y = 0; y < 18; ++y) {
            int32_t first = -1, last = -1;
            for (int32_t x = 0; x < 18; ++x) {
                // The outline is exactly Arc's.
                ASSERT_EQ(ell.Pixel(x, y) == clBlack, arc.Pixel(x, y) == clBlack) << x << "," << y;
                if (arc.Pixel(x, y) == clBlack) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            }
            // Inside: the fill runs between the outline's pixels, outside: nothing.
            for (int32_t x = 0; x < 18; ++x) {
                const TColor p = ell.Pixel(x, y);
                if (first < 0 || x < first || x > last)
                    ASSERT_EQ(p, clWhite) << x << "," << y;
                else
                    ASSERT_NE(p, clWhite) << x << "," << y;
            }
        }
    }
    // Without a pen the box loses its right column and bottom row.
    TBitmap n(8, 8);
    n.Canvas().Pen().SetStyle(TPenStyle::psClear);
    n.Canvas().Brush().SetColor(clBlack);
    n.Canvas().Ellipse(0, 0, 7, 7);
    EXPECT_EQ(Picture(n), Rows({"..##....", ".####...", "######..", "######..", ".####...",
                                "..##....", "........", "........"}));
}

TEST(CanvasShapes, RoundRectPieAndChord) {
    TBitmap r(9, 7);
    r.Canvas().Brush().SetColor(clRed);
    r.Canvas().RoundRect(0, 0, 9, 7, 4, 4);
    EXPECT_EQ(Picture(r), Rows({".#######.", "#???????#", "#???????#", "#???????#", "#???????#",
                                "#???????#", ".#######."}));
    // Corners larger than the box are clamped: an ellipse.
    TBitmap big(9, 7), ell(9, 7);
    big.Canvas().RoundRect(0, 0, 9, 7, 40, 40);
    ell.Canvas().Ellipse(0, 0, 9, 7);
    EXPECT_EQ(PixelsOf(big), PixelsOf(ell));

    // A quarter pie (upper right): the arc from east to north and two radii.
    TBitmap p(11, 11);
    p.Canvas().Brush().SetColor(clRed);
    p.Canvas().Pie(0, 0, 11, 11, 10, 5, 5, 0);
    EXPECT_EQ(p.Pixel(5, 5), clBlack); // the centre
    EXPECT_EQ(p.Pixel(8, 2), clRed);   // inside the quarter
    EXPECT_EQ(p.Pixel(2, 8), clWhite); // the opposite quarter
    EXPECT_EQ(p.Pixel(2, 2), clWhite);
    for (int32_t x = 5; x <= 10; ++x)
        EXPECT_EQ(p.Pixel(x, 5), clBlack) << x; // the east radius
    for (int32_t y = 0; y <= 5; ++y)
        EXPECT_EQ(p.Pixel(5, y), clBlack) << y; // the north radius

    // A half chord (upper half): the diameter closes it.
    TBitmap ch(11, 11);
    ch.Canvas().Brush().SetColor(clRed);
    ch.Canvas().Chord(0, 0, 11, 11, 10, 5, 0, 5);
    for (int32_t x = 0; x <= 10; ++x)
        EXPECT_EQ(ch.Pixel(x, 5), clBlack) << x;
    EXPECT_EQ(ch.Pixel(5, 2), clRed);
    EXPECT_EQ(ch.Pixel(5, 8), clWhite);
}

TEST(CanvasShapes, WidePensHaveCapsAndJoins) {
    TBitmap flat(12, 9);
    TCanvas& c = flat.Canvas();
    c.Pen().SetWidth(3);
    c.Pen().SetEndCap(TPenEndCap::pecFlat);
    c.PolyPolyline({{{2, 4}, {9, 4}}});
    EXPECT_EQ(Picture(flat),
              Rows({"............", "............", "............", "..#######...", "..#######...",
                    "..#######...", "............", "............", "............"}));
    TBitmap square(12, 9);
    square.Canvas().Pen().SetWidth(3);
    square.Canvas().Pen().SetEndCap(TPenEndCap::pecSquare);
    square.Canvas().PolyPolyline({{{2, 4}, {9, 4}}});
    EXPECT_EQ(Picture(square).substr(13 * 3, 13 * 3),
              Rows({".##########.", ".##########.", ".##########."}));
    // Round caps: longer than flat ones, cut at the corners of square ones.
    TBitmap round(12, 9);
    round.Canvas().Pen().SetWidth(5);
    round.Canvas().PolyPolyline({{{2, 4}, {9, 4}}});
    EXPECT_EQ(round.Pixel(0, 4), clBlack);
    EXPECT_EQ(round.Pixel(0, 2), clWhite);
    EXPECT_EQ(round.Pixel(2, 2), clBlack);

    // A wide rectangle outline with miter joins has square corners; round
    // joins cut them.
    TBitmap miter(12, 12), rjoin(12, 12);
    for (TBitmap* t : {&miter, &rjoin}) {
        t->Canvas().Pen().SetWidth(4);
        t->Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    }
    miter.Canvas().Pen().SetJoin(TPenJoin::pjMiter);
    miter.Canvas().Polygon({{2, 2}, {9, 2}, {9, 9}, {2, 9}});
    rjoin.Canvas().Polygon({{2, 2}, {9, 2}, {9, 9}, {2, 9}});
    EXPECT_EQ(miter.Pixel(0, 1), clBlack);
    EXPECT_EQ(rjoin.Pixel(0, 1), clWhite);
    EXPECT_EQ(rjoin.Pixel(1, 1), clBlack);
    EXPECT_EQ(miter.Pixel(5, 5), clWhite);

    // psInsideFrame keeps a wide ellipse inside its box.
    TBitmap inside(14, 14);
    inside.Canvas().Pen().SetWidth(5);
    inside.Canvas().Pen().SetStyle(TPenStyle::psInsideFrame);
    inside.Canvas().Ellipse(2, 2, 12, 12);
    for (int32_t i = 0; i < 14; ++i)
        for (int32_t k : {0, 1, 12, 13}) {
            EXPECT_EQ(inside.Pixel(i, k), clWhite) << i << "," << k;
            EXPECT_EQ(inside.Pixel(k, i), clWhite) << k << "," << i;
        }
    EXPECT_EQ(inside.Pixel(2, 7), clBlack);
}

TEST(CanvasShapes, DashesHatchesAndPatterns) {
    TBitmap d(60, 1);
    d.Canvas().Pen().SetStyle(TPenStyle::psDash);
    d.Canvas().PolyPolyline({{{0, 0}, {60, 0}}});
    std::string row = Picture(d);
    EXPECT_EQ(row.substr(0, 30), std::string(18, '#') + std::string(6, '.') + "######");

    TBitmap dd(24, 1);
    dd.Canvas().Pen().SetStyle(TPenStyle::psDashDotDot);
    dd.Canvas().PolyPolyline({{{0, 0}, {24, 0}}});
    EXPECT_EQ(Picture(dd), "#########...###...###...\n");

    TBitmap h(8, 8);
    h.Canvas().Brush().SetColor(clBlack);
    h.Canvas().Brush().SetStyle(TBrushStyle::bsCross);
    h.Canvas().FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(Picture(h), Rows({"....#...", "....#...", "....#...", "########", "....#...",
                                "....#...", "....#...", "....#..."}));
    TBitmap f(4, 4);
    f.Canvas().Brush().SetColor(clBlack);
    f.Canvas().Brush().SetStyle(TBrushStyle::bsFDiagonal);
    f.Canvas().Pen().SetStyle(TPenStyle::psClear);
    f.Canvas().Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    EXPECT_EQ(Picture(f), Rows({"#...", ".#..", "..#.", "...#"}));

    // A pattern brush tiles from the target's corner, whatever the origin.
    auto pattern = std::make_shared<TBitmap>(2, 2);
    pattern->SetPixel(0, 0, clBlack);
    pattern->SetPixel(1, 1, clBlack);
    TBitmap t(5, 3);
    t.Canvas().Brush().SetBitmap(pattern);
    t.Canvas().SetOrigin({1, 0});
    t.Canvas().FillRect(Rect(-1, 0, 4, 3));
    EXPECT_EQ(Picture(t), Rows({"#.#.#", ".#.#.", "#.#.#"}));
}

TEST(CanvasShapes, RasterOperations) {
    TBitmap target(4, 1), source(4, 1);
    const TColor dst[4] = {0x000000, 0xFFFFFF, 0x0F0F0F, 0x123456};
    const TColor src[4] = {0xFFFFFF, 0x00FF00, 0xF0F0F0, 0x654321};
    auto reset = [&] {
        for (int32_t x = 0; x < 4; ++x) {
            target.SetPixel(x, 0, dst[x]);
            source.SetPixel(x, 0, src[x]);
        }
    };
    const struct {
        uint32_t Rop;
        TColor (*Expect)(TColor s, TColor d);
    } cases[] = {
        {SRCAND, [](TColor s, TColor d) { return s & d; }},
        {SRCPAINT, [](TColor s, TColor d) { return s | d; }},
        {SRCINVERT, [](TColor s, TColor d) { return s ^ d; }},
        {NOTSRCCOPY, [](TColor s, TColor) { return ~s & 0xFFFFFF; }},
        {SRCERASE, [](TColor s, TColor d) { return s & ~d & 0xFFFFFF; }},
        {DSTINVERT, [](TColor, TColor d) { return ~d & 0xFFFFFF; }},
        {BLACKNESS, [](TColor, TColor) { return TColor(0); }},
        {WHITENESS, [](TColor, TColor) { return TColor(0xFFFFFF); }},
        {SRCCOPY, [](TColor s, TColor) { return s; }},
    };
    for (const auto& k : cases) {
        reset();
        target.Canvas().StretchBltRop(Rect(0, 0, 4, 1), source, Rect(0, 0, 4, 1), k.Rop);
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(target.Pixel(x, 0), k.Expect(src[x], dst[x]))
                << std::hex << k.Rop << " " << x;
    }
    // Pattern operations take the brush.
    reset();
    target.Canvas().Brush().SetColor(0x00FF00);
    target.Canvas().PatBlt(Rect(1, 0, 3, 1), PATINVERT);
    EXPECT_EQ(target.Pixel(0, 0), dst[0]);
    EXPECT_EQ(target.Pixel(1, 0), dst[1] ^ 0x00FF00);
    EXPECT_EQ(target.Pixel(2, 0), dst[2] ^ 0x00FF00);
    // A mirrored destination flips the source as StretchBlt does.
    reset();
    target.Canvas().StretchBltRop(Rect(3, 0, -1, 1), source, Rect(0, 0, 4, 1), SRCPAINT);
    EXPECT_EQ(target.Pixel(3, 0), src[0] | dst[3]);
    EXPECT_EQ(target.Pixel(0, 0), src[3] | dst[0]);
}

TEST(CanvasShapes, FarCoordinatesCostNoMoreThanTheTarget) {
    TBitmap b(16, 16);
    TCanvas& c = b.Canvas();
    c.PolyPolyline({{{-1000000000, 5}, {1000000000, 5}}});
    for (int32_t x = 0; x < 16; ++x)
        EXPECT_EQ(b.Pixel(x, 5), clBlack);
    // A steep line crossing the target once.
    c.PolyPolyline({{{3, -200000000}, {4, 200000000}}});
    EXPECT_EQ(Count(b, clBlack), 16 + 16 - 1);
    c.Brush().SetColor(clRed);
    c.Ellipse(-300000000, -300000000, 300000000, 300000000);
    EXPECT_EQ(b.Pixel(8, 8), clRed);
    c.Pen().SetWidth(7);
    c.Ellipse(-2000000000, 8, 2000000000, 2000000000);
    c.Polygon({{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN}, {0, INT32_MAX}});
    c.Pie(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 1, 1);
}

TEST(CanvasShapes, ExtTextOutAlignsTheReferencePoint) {
    TBitmap plain(80, 40), aligned(80, 40);
    for (TBitmap* t : {&plain, &aligned}) {
        t->Canvas().Font().SetName("Tahoma");
        t->Canvas().Font().SetHeight(-11);
        t->Canvas().Font().SetColor(clBlack);
        t->Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    }
    TCanvas& p = plain.Canvas();
    const int32_t w = p.TextWidth("Logo"), h = p.TextHeight("Logo");
    p.TextOut(70 - w, 30 - h, "Logo");
    aligned.Canvas().SetTextAlign(TA_RIGHT | TA_BOTTOM);
    EXPECT_EQ(aligned.Canvas().ExtTextOut(70, 30, 0, nullptr, "Logo"), w);
    EXPECT_EQ(PixelsOf(plain), PixelsOf(aligned));

    // Centred on the baseline, with per-character advances and an opaque box.
    TBitmap o(80, 40);
    TCanvas& c = o.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    c.Brush().SetColor(clYellow);
    c.SetTextAlign(TA_CENTER | TA_BASELINE);
    const std::vector<int32_t> dx = {10, 10, 10, 10};
    const TRect box = Rect(2, 2, 78, 38);
    EXPECT_EQ(c.ExtTextOut(40, 20, ETO_OPAQUE, &box, "Logo", &dx), 40);
    EXPECT_EQ(o.Pixel(2, 2), clYellow);
    EXPECT_EQ(o.Pixel(1, 1), clWhite);
    bool inkLeft = false, inkRight = false;
    for (int32_t y = 0; y < 40; ++y) {
        inkLeft |= o.Pixel(20, y) == clBlack || o.Pixel(21, y) == clBlack;
        inkRight |= o.Pixel(58, y) == clBlack || o.Pixel(59, y) == clBlack;
    }
    EXPECT_TRUE(inkLeft); // "L" starts at 40 - 20
    EXPECT_FALSE(inkRight);
}
