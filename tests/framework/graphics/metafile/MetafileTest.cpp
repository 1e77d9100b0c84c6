// Metafile pictures: sizes from the three headers, the records logos use
// drawn to the pixel (compared with the same drawing made on a canvas
// directly), scaling and mapping, damaged files refused with the reason,
// hostile records that draw what is valid, and pictures loaded by
// extension drawn as the image panels draw them.
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/base/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileWriter.h"

using namespace gfxtest;
using namespace gfxtest::gdi;

namespace {

TMetafile Load(const std::vector<uint8_t>& bytes) {
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    return m;
}

TBitmap Play(const std::vector<uint8_t>& bytes, int32_t w, int32_t h, TRect rect = {}) {
    TBitmap b(w, h);
    if (rect == TRect{})
        rect = Rect(0, 0, w, h);
    Load(bytes).Draw(b.Canvas(), rect);
    return b;
}

std::string LoadError(const std::vector<uint8_t>& bytes) {
    try {
        Load(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "(loaded)";
}

// An EMF reference device whose pixels are exactly 96 per inch, so that a
// frame of 2540 x 2540 (one inch) is 96 x 96 pixels drawn 1:1.
std::vector<uint8_t> Emf1To1(const TEmfWriter& w, int32_t inches100 = 2540) {
    return w.Finish(Rect(0, 0, inches100, inches100), Rect(0, 0, 95, 95), 960, 960, 254, 254);
}

int Count(const TBitmap& b, TColor c) {
    int n = 0;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == c;
    return n;
}

} // namespace

TEST(Metafile, SizesComeFromTheBoxTheFrameOrTheWindow) {
    TWmfWriter plain;
    plain.SetWindowOrg(10, 20);
    plain.SetWindowExt(300, -150);
    const TMetafile p = Load(plain.Finish());
    EXPECT_EQ(p.Kind(), TMetafileKind::mkWmf);
    EXPECT_EQ(p.Width(), 300);
    EXPECT_EQ(p.Height(), 150);

    TWmfWriter boxed;
    const TMetafile b = Load(boxed.Finish(true, Rect(-720, 0, 720, 720), 1440));
    EXPECT_EQ(b.Kind(), TMetafileKind::mkPlaceableWmf);
    EXPECT_EQ(b.Width(), 96); // two inches of 1440 units... at 96 per inch
    EXPECT_EQ(b.Height(), 48);

    TEmfWriter e;
    const TMetafile m = Load(e.Finish(Rect(0, 0, 5080, 2540), Rect(0, 0, 10, 10)));
    EXPECT_EQ(m.Kind(), TMetafileKind::mkEmf);
    EXPECT_EQ(m.Width(), 192);
    EXPECT_EQ(m.Height(), 96);
    // Without a frame the bounds (inclusive, reference pixels) give the size.
    const TMetafile bounds =
        Load(e.Finish(Rect(0, 0, 0, 0), Rect(0, 0, 95, 47), 960, 960, 254, 254));
    EXPECT_EQ(bounds.Width(), 96);
    EXPECT_EQ(bounds.Height(), 48);
}

// The records of a logo at 1:1 draw exactly what the same calls on a
// canvas draw.
TEST(Metafile, WmfRecordsDrawAsTheCanvasOperations) {
    TWmfWriter w;
    w.CreateBrush(BS_SOLID, clRed);              // 0
    w.CreatePen(PS_SOLID, 0, clBlue);            // 1
    w.CreatePen(PS_SOLID, 3, clGreen);           // 2
    w.CreateBrush(BS_HATCHED, clNavy, HS_CROSS); // 3
    w.SelectObject(0);
    w.SelectObject(1);
    w.Rectangle(2, 2, 20, 12);
    w.Ellipse(22, 2, 40, 14);
    w.RoundRect(2, 16, 20, 30, 6, 6);
    w.SetPolyFillMode(WINDING);
    w.Polygon({{30, 16}, {34, 34}, {22, 22}, {40, 22}, {26, 34}});
    w.SelectObject(2);
    w.Polyline({{2, 36}, {20, 44}, {38, 36}});
    w.SelectObject(3);
    w.SetBkMode(TRANSPARENT);
    w.ArcRecord(0x081A, 42, 2, 62, 22, 62, 12, 52, 2);   // pie, upper right quarter
    w.ArcRecord(0x0830, 42, 24, 62, 44, 62, 34, 42, 34); // chord, upper half
    w.DeleteObject(2);
    w.SelectObject(1);
    w.ArcRecord(0x0817, 2, 46, 30, 62, 30, 54, 2, 54); // arc
    w.MoveTo(34, 50);
    w.LineTo(60, 60);
    w.SetPixel(63, 63, clPurple);
    const std::vector<uint8_t> file = w.Finish(true, Rect(0, 0, 64, 64), 96);

    TBitmap expect(64, 64);
    TCanvas& c = expect.Canvas();
    c.Brush().SetColor(clRed);
    c.Pen().SetColor(clBlue);
    c.RoundRect(2, 2, 20, 12, 0, 0);
    c.Ellipse(22, 2, 40, 14);
    c.RoundRect(2, 16, 20, 30, 6, 6);
    c.Polygon({{30, 16}, {34, 34}, {22, 22}, {40, 22}, {26, 34}}, TFillMode::fmWinding);
    c.Pen().SetColor(clGreen);
    c.Pen().SetWidth(3);
    c.PolyPolyline({{{2, 36}, {20, 44}, {38, 36}}});
    c.Brush().SetColor(clNavy);
    c.Brush().SetStyle(TBrushStyle::bsCross);
    c.Pie(42, 2, 62, 22, 62, 12, 52, 2);
    c.Chord(42, 24, 62, 44, 62, 34, 42, 34);
    c.Pen().SetColor(clBlue);
    c.Pen().SetWidth(1);
    c.Arc(2, 46, 30, 62, 30, 54, 2, 54);
    c.PolyPolyline({{{34, 50}, {60, 60}}});
    c.SetPixel(63, 63, clPurple);

    EXPECT_EQ(PixelsOf(Play(file, 64, 64)), PixelsOf(expect));
}

TEST(Metafile, EmfRecordsDrawAsTheCanvasOperations) {
    TEmfWriter w;
    w.CreateBrush(1, BS_SOLID, clYellow);
    w.ExtCreatePen(2, PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 4, clMaroon);
    w.SelectObject(1);
    w.SelectObject(gdi::BLACK_PEN);
    w.Rectangle(4, 4, 40, 30);
    w.Poly(86, {{50, 4}, {90, 4}, {70, 30}}); // 16-bit polygon
    w.PolyPolygon(
        {{{4, 40}, {40, 40}, {40, 76}, {4, 76}}, {{14, 50}, {30, 50}, {30, 66}, {14, 66}}});
    w.SelectObject(2);
    w.SelectObject(gdi::NULL_BRUSH);
    w.Poly(4, {{50, 50}, {70, 80}, {90, 50}}); // polyline
    w.SelectObject(gdi::BLACK_PEN);
    w.ArcRecord(47, 50, 84, 70, 94, 70, 89, 60, 84); // pie with a null brush

    TBitmap expect(96, 96);
    TCanvas& c = expect.Canvas();
    c.Brush().SetColor(clYellow);
    c.RoundRect(4, 4, 40, 30, 0, 0);
    c.Polygon({{50, 4}, {90, 4}, {70, 30}});
    c.PolyPolygon(
        {{{4, 40}, {40, 40}, {40, 76}, {4, 76}}, {{14, 50}, {30, 50}, {30, 66}, {14, 66}}});
    c.Pen().SetColor(clMaroon);
    c.Pen().SetWidth(4);
    c.Pen().SetEndCap(TPenEndCap::pecFlat);
    c.Pen().SetJoin(TPenJoin::pjMiter);
    c.PolyPolyline({{{50, 50}, {70, 80}, {90, 50}}});
    c.Pen().Assign(TPen());
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Pie(50, 84, 70, 94, 70, 89, 60, 84);
    EXPECT_EQ(PixelsOf(Play(Emf1To1(w), 96, 96)), PixelsOf(expect));
}

TEST(Metafile, PicturesScaleIntoTheRectangleAndClipToIt) {
    // A placeable WMF of 200 x 100 units; the left half red, drawn into a
    // 20 x 40 rectangle at (5, 5) of a larger bitmap.
    TWmfWriter w;
    w.SetWindowOrg(0, 0);
    w.SetWindowExt(200, 100);
    w.CreateBrush(BS_SOLID, clRed);
    w.SelectObject(0);
    w.CreatePen(PS_SOLID, 0, clRed);
    w.SelectObject(1);
    w.Rectangle(0, 0, 100, 100);
    w.CreateBrush(BS_SOLID, clBlue);
    w.SelectObject(2);
    w.Rectangle(-50, -50, 500, -10); // outside the picture: clipped away
    const std::vector<uint8_t> file = w.Finish(true, Rect(0, 0, 200, 100), 96);
    TBitmap b = Play(file, 40, 60, Rect(5, 5, 25, 45));
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 40; ++x) {
            const bool red = x >= 5 && x < 15 && y >= 5 && y < 45;
            ASSERT_EQ(b.Pixel(x, y), red ? clRed : clWhite) << x << "," << y;
        }
    // A mirrored rectangle (columns 0..19, as the blitter lays it out)
    // flips the picture: its left half is on the right.
    TBitmap m = Play(file, 20, 10, Rect(19, 0, -1, 10));
    EXPECT_EQ(m.Pixel(19, 5), clRed);
    EXPECT_EQ(m.Pixel(10, 5), clRed);
    EXPECT_EQ(m.Pixel(9, 5), clWhite);
    EXPECT_EQ(m.Pixel(0, 5), clWhite);
}

TEST(Metafile, EmfMapModesViewportsAndWorldTransforms) {
    auto square = [](TEmfWriter& w) {
        w.CreateBrush(1, BS_SOLID, clBlack);
        w.SelectObject(1);
        w.SelectObject(gdi::NULL_PEN);
    };
    // Anisotropic: logical 0..1000 onto the viewport 0..96.
    TEmfWriter a;
    square(a);
    a.SetMapMode(MM_ANISOTROPIC);
    a.SetWindowExt(1000, 1000);
    a.SetViewportExt(96, 96);
    a.Rectangle(250, 500, 750, 1000); // (24, 48)-(72, 96), less a pixel without a pen
    TBitmap ab = Play(Emf1To1(a), 96, 96);
    EXPECT_EQ(ab.Pixel(24, 48), clBlack);
    EXPECT_EQ(ab.Pixel(23, 48), clWhite);
    EXPECT_EQ(ab.Pixel(70, 94), clBlack);
    EXPECT_EQ(ab.Pixel(71, 94), clWhite);
    EXPECT_EQ(ab.Pixel(70, 95), clWhite);
    EXPECT_EQ(ab.Pixel(48, 47), clWhite);

    // Low metric: tenths of millimetres, y upwards; (0, 0) at the top-left
    // of the frame through the viewport origin.
    TEmfWriter l;
    square(l);
    l.SetMapMode(MM_LOMETRIC);
    l.Rectangle(0, 0, 127, -127); // 12.7 mm = 48 pixels, downwards on screen
    TBitmap lb = Play(Emf1To1(l), 96, 96);
    EXPECT_EQ(lb.Pixel(0, 0), clBlack);
    EXPECT_EQ(lb.Pixel(46, 46), clBlack);
    EXPECT_EQ(lb.Pixel(49, 49), clWhite);

    // A world transform scaling by 2 and moving by (10, 0): (10, 0)-(32, 22)
    // in device pixels, less the right column and bottom row.
    TEmfWriter t;
    square(t);
    t.SetWorldTransform(2, 0, 0, 2, 10, 0);
    t.Rectangle(0, 0, 11, 11);
    TBitmap tb = Play(Emf1To1(t), 96, 96);
    EXPECT_EQ(Count(tb, clBlack), 21 * 21);
    EXPECT_EQ(tb.Pixel(10, 0), clBlack);
    EXPECT_EQ(tb.Pixel(30, 20), clBlack);

    // Rotated by 90 degrees about the origin, then moved: an ellipse drawn
    // from its flattened outline, taller than wide (x 40..60, y 10..70).
    TEmfWriter r;
    square(r);
    r.SetWorldTransform(0, 1, -1, 0, 60, 10);
    r.Ellipse(0, 0, 60, 20);
    TBitmap rb = Play(Emf1To1(r), 96, 96);
    EXPECT_EQ(rb.Pixel(50, 40), clBlack);
    EXPECT_EQ(rb.Pixel(50, 65), clBlack);
    EXPECT_EQ(rb.Pixel(30, 40), clWhite);
    EXPECT_EQ(rb.Pixel(58, 66), clWhite);
    EXPECT_EQ(rb.Pixel(50, 72), clWhite);
}

TEST(Metafile, SaveRestoreAndClipping) {
    TWmfWriter w;
    w.SetWindowExt(40, 40);
    w.CreateBrush(BS_SOLID, clBlack);
    w.SelectObject(0);
    w.CreatePen(PS_NULL, 0, 0);
    w.SelectObject(1);
    w.SaveDC();
    w.IntersectClipRect(10, 10, 20, 20);
    w.CreateBrush(BS_SOLID, clRed);
    w.SelectObject(2);
    w.Rectangle(0, 0, 41, 41); // only the clip
    w.RestoreDC(-1);           // black brush and no clip again
    w.Rectangle(0, 30, 41, 41);
    w.ExcludeClipRect(0, 0, 40, 5); // cuts the top off the whole clip
    w.Rectangle(0, 0, 41, 8);
    const TBitmap b = Play(w.Finish(), 40, 40);
    EXPECT_EQ(Count(b, clRed), 100);
    EXPECT_EQ(b.Pixel(10, 10), clRed);
    EXPECT_EQ(b.Pixel(20, 20), clWhite);
    EXPECT_EQ(b.Pixel(0, 35), clBlack);
    EXPECT_EQ(b.Pixel(0, 4), clWhite);
    EXPECT_EQ(b.Pixel(0, 5), clBlack);

    // A rectangular region selected as the clip, and filled with a brush.
    TWmfWriter g;
    g.SetWindowExt(40, 40);
    g.CreateRegion({Rect(5, 5, 15, 15)});
    g.CreateBrush(BS_SOLID, clGreen);
    g.FillRegion(0, 1);
    g.SelectClipRegion(0);
    g.CreateBrush(BS_SOLID, clBlue);
    g.SelectObject(2);
    g.CreatePen(PS_NULL, 0, 0);
    g.SelectObject(3);
    g.Rectangle(10, 0, 41, 41);
    const TBitmap gb = Play(g.Finish(), 40, 40);
    EXPECT_EQ(gb.Pixel(5, 5), clGreen);
    EXPECT_EQ(gb.Pixel(14, 14), clBlue);
    EXPECT_EQ(gb.Pixel(16, 16), clWhite);
    EXPECT_EQ(Count(gb, clGreen) + Count(gb, clBlue), 100);
}

TEST(Metafile, TextWithAlignmentColoursAndBackground) {
    TWmfWriter w;
    w.SetWindowExt(120, 40);
    w.CreateFont(-16, 700, false, "Tahoma");
    w.SelectObject(0);
    w.SetTextColor(clNavy);
    w.SetBkColor(clYellow);
    w.SetBkMode(OPAQUE);
    w.SetTextAlign(6 | 24); // centre, baseline
    w.TextOut(60, 20, "Logo");
    w.SetBkMode(TRANSPARENT);
    w.SetTextAlign(2); // right
    const TRect clip = Rect(80, 24, 120, 40);
    w.ExtTextOut(119, 24, 4, &clip, "Ink");
    TBitmap expect(120, 40);
    TCanvas& c = expect.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-16);
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clNavy);
    c.Brush().SetColor(clYellow);
    c.SetTextAlign(TA_CENTER | TA_BASELINE);
    c.ExtTextOut(60, 20, 0, nullptr, "Logo");
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.SetTextAlign(TA_RIGHT);
    c.ExtTextOut(119, 24, ETO_CLIPPED, &clip, "Ink");
    EXPECT_EQ(PixelsOf(Play(w.Finish(), 120, 40)), PixelsOf(expect));
    EXPECT_GT(Count(expect, clNavy), 40);
    EXPECT_GT(Count(expect, clYellow), 40);

    // EMF text in UTF-16, drawn at half size when the picture is halved.
    TEmfWriter e;
    e.CreateFont(1, -32, 400, false, "Tahoma");
    e.SelectObject(1);
    e.SetBkMode(TRANSPARENT);
    e.ExtTextOutW(0, 0, "Hi\xE9");
    TBitmap half = Play(Emf1To1(e), 48, 48);
    TBitmap direct(48, 48);
    direct.Canvas().Font().SetName("Tahoma");
    direct.Canvas().Font().SetHeight(-16);
    direct.Canvas().Font().SetColor(clBlack);
    direct.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    direct.Canvas().TextOut(0, 0, "Hi\xE9");
    EXPECT_EQ(PixelsOf(half), PixelsOf(direct));
}

// EMF text is UTF-16: Cyrillic, Chinese and a character beyond the BMP (a
// surrogate pair, one character with the advances of both units) draw as
// the same text in UTF-8 with one advance per character; a lone surrogate
// is the replacement character.
TEST(Metafile, WideTextInAnyScriptWithItsAdvances) {
    TEmfWriter e;
    e.CreateFont(1, -16, 400, false, "Tahoma");
    e.SelectObject(1);
    e.SetBkMode(TRANSPARENT);
    e.ExtTextOutW(0, 0, u"\u0416\u4F60\U0001F600!", 0, nullptr, {14, 15, 8, 9, 6});
    e.ExtTextOutW(0, 24, std::u16string(u"a") + char16_t(0xD800) + u"b", 0, nullptr);
    TBitmap played = Play(Emf1To1(e), 96, 96);
    TBitmap direct(96, 96);
    TCanvas& c = direct.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-16);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    const std::vector<int32_t> advances = {14, 15, 17, 6};
    c.ExtTextOut(0, 0, 0, nullptr, "\xD0\x96\xE4\xBD\xA0\xF0\x9F\x98\x80!", &advances);
    c.TextOut(0, 24,
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(PixelsOf(played), PixelsOf(direct));
    EXPECT_GT(Count(direct, clBlack), 60);
}

TEST(Metafile, DibRecordsStretchWithRasterOperations) {
    // A 2 x 2 24-bit DIB: red, green on top; blue, white below.
    const TColor colours[2][2] = {{clRed, clLime}, {clBlue, clWhite}};
    const std::vector<uint8_t> dib = DibOf(MakeBmp(2, 2, 24, {}, [&](int32_t x, int32_t y) {
        const TColor c = colours[y][x];
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }));
    TWmfWriter w;
    w.SetWindowExt(20, 20);
    w.StretchDib(0, 0, 10, 10, dib, 2, 2, SRCCOPY);
    w.StretchDib(10, 10, 10, 10, dib, 2, 2, SRCCOPY);
    w.StretchDib(10, 10, 10, 10, dib, 2, 2, DSTINVERT);
    const TBitmap b = Play(w.Finish(), 20, 20);
    EXPECT_EQ(b.Pixel(2, 2), clRed);
    EXPECT_EQ(b.Pixel(7, 2), clLime);
    EXPECT_EQ(b.Pixel(2, 7), clBlue);
    EXPECT_EQ(b.Pixel(7, 7), clWhite);
    EXPECT_EQ(b.Pixel(12, 12), clAqua); // inverted red
    EXPECT_EQ(b.Pixel(17, 17), clBlack);
    EXPECT_EQ(b.Pixel(15, 2), clWhite);

    // The same through EMF, masked the classic way: AND with a mask, then
    // OR the image in.
    TEmfWriter e;
    e.CreateBrush(1, BS_SOLID, clGray);
    e.SelectObject(1);
    e.SelectObject(gdi::NULL_PEN);
    e.Rectangle(0, 0, 97, 97);
    const std::vector<uint8_t> mask =
        DibOf(MakeBmp(2, 2, 24, {}, [](int32_t x, int32_t y) { return x == y ? 0xFFFFFFu : 0u; }));
    e.StretchDibits(0, 0, 96, 96, mask, 2, 2, SRCAND);
    e.StretchDibits(0, 0, 96, 96, dib, 2, 2, SRCPAINT);
    const TBitmap eb = Play(Emf1To1(e), 96, 96);
    EXPECT_EQ(eb.Pixel(10, 10), TColor(clGray | clRed));
    EXPECT_EQ(eb.Pixel(80, 10), clLime);
    EXPECT_EQ(eb.Pixel(10, 80), clBlue);
    EXPECT_EQ(eb.Pixel(80, 80), clWhite);
}

TEST(Metafile, HatchesPatternsAndPaths) {
    // A cross hatch on an opaque background, then on a transparent one.
    TWmfWriter w;
    w.SetWindowExt(16, 8);
    w.CreateBrush(BS_HATCHED, clBlack, HS_CROSS);
    w.SelectObject(0);
    w.CreatePen(PS_NULL, 0, 0);
    w.SelectObject(1);
    w.SetBkColor(clRed);
    w.Rectangle(0, 0, 9, 9);
    w.SetBkMode(TRANSPARENT);
    w.Rectangle(8, 0, 17, 9);
    const TBitmap b = Play(w.Finish(), 16, 8);
    EXPECT_EQ(b.Pixel(4, 0), clBlack);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(12, 0), clBlack);
    EXPECT_EQ(b.Pixel(8, 0), clWhite);

    // A DIB pattern brush tiles from the picture's device corner.
    const std::vector<uint8_t> pattern = DibOf(
        MakeBmp(2, 2, 24, {}, [](int32_t x, int32_t y) { return x == y ? 0x0000FFu : 0xFFFF00u; }));
    TWmfWriter p;
    p.SetWindowExt(8, 8);
    p.CreatePatternBrush(pattern);
    p.SelectObject(0);
    p.CreatePen(PS_NULL, 0, 0);
    p.SelectObject(1);
    p.Rectangle(0, 0, 9, 9);
    const TBitmap pb = Play(p.Finish(), 8, 8);
    EXPECT_EQ(pb.Pixel(0, 0), clBlue);
    EXPECT_EQ(pb.Pixel(1, 0), clYellow);
    EXPECT_EQ(pb.Pixel(5, 5), clBlue);

    // An EMF path: a square with a Bézier bulge, filled.
    TEmfWriter e;
    e.CreateBrush(1, BS_SOLID, clGreen);
    e.SelectObject(1);
    e.BeginPath();
    e.MoveTo(10, 10);
    e.LineTo(50, 10);
    e.Poly(5, {{70, 20}, {70, 40}, {50, 50}}); // bezier-to
    e.LineTo(10, 50);
    e.CloseFigure();
    e.EndPath();
    e.FillPath();
    const TBitmap eb = Play(Emf1To1(e), 96, 96);
    EXPECT_EQ(eb.Pixel(30, 30), clGreen);
    EXPECT_EQ(eb.Pixel(60, 30), clGreen); // inside the bulge
    EXPECT_EQ(eb.Pixel(66, 45), clWhite);
    EXPECT_EQ(eb.Pixel(5, 5), clWhite);
}

// Damaged files: refused at loading, saying what and where.
TEST(Metafile, DamagedFilesAreRefusedWithTheReason) {
    TWmfWriter good;
    good.SetWindowExt(10, 10);
    good.Rectangle(0, 0, 5, 5);
    const std::vector<uint8_t> wmf = good.Finish(); // records at 18, 28; EOF at 42
    auto patched = [](std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with) {
        std::copy(with.begin(), with.end(), bytes.begin() + ptrdiff_t(at));
        return bytes;
    };
    TWmfWriter noExt;
    noExt.Rectangle(0, 0, 5, 5);
    TWmfWriter zeroExt;
    zeroExt.SetWindowExt(0, 10);
    TWmfWriter boxed;
    std::vector<uint8_t> placeable = boxed.Finish(true, Rect(0, 0, 100, 100), 96);
    std::vector<uint8_t> badSum = placeable;
    badSum[20] ^= 1;
    TWmfWriter empty;
    TEmfWriter emfWriter;
    emfWriter.Rectangle(0, 0, 5, 5);
    const std::vector<uint8_t> emf = Emf1To1(emfWriter); // records at 88, 112
    std::vector<uint8_t> many(18, 0);
    many = good.Finish();
    many.resize(18);
    for (uint32_t i = 0; i <= kMaxMetafileRecords; ++i)
        many.insert(many.end(), {3, 0, 0, 0, 0x1E, 0}); // SaveDC

    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
        std::string Error;
    } cases[] = {
        {"no metafile",
         {'B', 'M', 0, 0},
         "Metafile is not valid: no WMF, placeable WMF or EMF header at offset 0"},
        {"record past the end", patched(wmf, 28, {0x10, 0x27}),
         "Metafile is not valid: record 041B at offset 28 of 20000 bytes runs past the end (48 "
         "bytes)"},
        {"record of two words", patched(wmf, 18, {2, 0, 0, 0}),
         "Metafile is not valid: record 020C at offset 18 has a size of 2 words"},
        {"no size", noExt.Finish(),
         "Metafile is not valid: no placeable header and no window extent give the picture a "
         "size"},
        {"empty window", zeroExt.Finish(),
         "Metafile is not valid: window extent of 0 x 10 at offset 18 is empty"},
        {"checksum", badSum,
         "Metafile is not valid: placeable header checksum 5770 at offset 20 does not match 5771"},
        {"no units per inch", boxed.Finish(true, Rect(0, 0, 100, 100), 0),
         "Metafile is not valid: 0 units per inch at offset 14"},
        {"empty box", empty.Finish(true, Rect(5, 0, 5, 100), 96),
         "Metafile is not valid: bounding box of 0 x 100 at offset 6 is empty"},
        {"too many records", many, "Metafile is not valid: more than 1048576 records"},
        {"short EMF header", patched(emf, 4, {80}),
         "Metafile is not valid: header record of 80 bytes at offset 0"},
        {"EMF header past the end", patched(emf, 4, {0, 1}),
         "Metafile is not valid: header record of 256 bytes runs past the end (132 bytes)"},
        {"no reference device", patched(emf, 80, {0, 0, 0, 0}),
         "Metafile is not valid: reference device of 960 x 960 pixels and 0 x 254 mm at offset "
         "72"},
        {"empty frame and bounds", emfWriter.Finish(Rect(0, 0, 0, 0), Rect(5, 5, 4, 4)),
         "Metafile is not valid: frame of 0 x 0 at offset 24 and bounds are empty"},
        {"enormous frame", emfWriter.Finish(Rect(0, 0, 2000000000, 100), Rect(0, 0, 1, 1)),
         "Metafile is not valid: a picture of 75590551 x 4 pixels is above the limits"},
        {"EMF record size", patched(emf, 92, {10}),
         "Metafile is not valid: record 43 at offset 88 has a size of 10 bytes"},
        {"EMF record past the end", patched(emf, 92, {0, 1}),
         "Metafile is not valid: record 43 at offset 88 of 256 bytes runs past the end (132 "
         "bytes)"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(LoadError(k.Bytes), k.Error) << k.Name;

    // A failed load leaves the picture as it was.
    TMetafile m = Load(wmf);
    EXPECT_THROW(m.SetData({1, 2, 3}), EInvalidGraphic);
    EXPECT_EQ(m.Data(), wmf);
    EXPECT_EQ(m.Width(), 10);
}

// Hostile records inside a well-formed file draw what is valid.
TEST(Metafile, HostileRecordsDrawWhatIsValid) {
    TWmfWriter w;
    w.SetWindowExt(32, 32);
    w.CreateBrush(BS_SOLID, clRed);
    w.SelectObject(0);
    w.SelectObject(999); // no such object
    w.DeleteObject(40000);
    w.Record(0x0324, {60000, 1, 1, 5, 5});      // polygon claiming 60000 points
    w.Record(0x0538, {3, 65535, 65535, 65535}); // poly-polygon with huge counts
    w.Record(0x0A32, {1, 1, 60000, 6});         // text longer than its record
    w.Record(0x0521, {40000});                  // text out with no text
    w.Record(0x0F43, {0x20, 0xCC, 0, 1, 1, 0, 0, 5, 5, 0, 0, 40, 0, 0, 0}); // damaged DIB
    w.Record(0x02FB, {});                                    // font without its fields
    w.Record(0x06FF, {0, 6, 0, 0, 0, 65535, 4, 0, 0, 5, 5}); // region with too many scans
    w.Record(0x1234, {1, 2, 3});                             // unknown record
    for (int i = 0; i < 40000; ++i)
        w.SaveDC();               // far deeper than kept
    w.SetWindowExt(0, 32);        // refused: the window stays
    w.ScaleWindowExt(1, 0, 1, 1); // division by zero: refused
    w.RestoreDC(-32768);
    w.RestoreDC(5);                            // no such level
    w.Rectangle(-32768, -32768, 32767, 32767); // enormous, clipped
    w.CreateBrush(BS_SOLID, clBlue);           // object 3, after the font and the region
    w.SelectObject(3);
    w.Ellipse(-32768, 10, 32767, 20);
    TBitmap b = Play(w.Finish(), 32, 32);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(16, 15), clBlue);
    EXPECT_EQ(b.Pixel(31, 31), clRed);

    TEmfWriter e;
    e.CreateBrush(1, BS_SOLID, clRed);
    e.SelectObject(1);
    e.SetWorldTransform(1e30f, 0, 0, 1e30f, 0, 0);       // refused
    e.SetWorldTransform(0, 0, 0, 0, 0, 0);               // singular: refused
    e.Record32(3, {0, 0, 0, 0, 0x7FFFFFFF, 1, 1});       // polygon, count past the record
    e.Record32(8, {0, 0, 0, 0, 0x40000000, 4, 4, 0, 0}); // poly-polygon, huge count
    e.Record32(84,
               {0, 0, 0, 0, 1, 0, 0, 0, 0, 100, 10000, 0, 0, 0, 0, 0, 0, 0}); // text offsets out
    e.Record32(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 4000, 80, 4, 0, 0xCC0020, 10, 10}); // DIB out
    e.Record32(75, {32, 5});               // clip region without its data
    e.SelectObject(77);                    // no such handle
    e.Record32(37, {int32_t(0x800000FF)}); // no such stock object
    e.MoveTo(-2000000000, 48);
    e.LineTo(2000000000, 48); // a line across, clipped
    e.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    e.BeginPath();
    for (int i = 0; i < 2000; ++i)
        e.Poly(5, {{i, 0}, {i, 96}, {i + 1, 96}}); // a long path
    e.EndPath();
    e.FillPath();
    TBitmap eb = Play(Emf1To1(e), 96, 96);
    EXPECT_EQ(eb.Pixel(48, 48), clRed);
}

TEST(Metafile, PicturesLoadByExtensionAndStretchLikeTheImagePanels) {
    TWmfWriter w;
    w.CreateBrush(BS_SOLID, clRed);
    w.SelectObject(0);
    w.Ellipse(0, 0, 1440, 1440);
    const std::vector<uint8_t> wmf = w.Finish(true, Rect(0, 0, 1440, 1440), 1440);
    TEmfWriter e;
    e.CreateBrush(1, BS_SOLID, clBlue);
    e.SelectObject(1);
    e.Rectangle(0, 0, 96, 96);
    const std::vector<uint8_t> emf = Emf1To1(e);
    for (const auto& [name, bytes, colour] :
         {std::tuple{"logo.WMF", wmf, clRed}, std::tuple{"logo.emf", emf, clBlue}}) {
        const std::string path = TempPath(name);
        WriteFile(path, bytes);
        TPicture picture;
        picture.LoadFromFile(path);
        std::remove(path.c_str());
        ASSERT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr) << name;
        EXPECT_EQ(picture.Width(), 96) << name;
        TBitmap panel(128, 128);
        panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), *picture.Graphic());
        EXPECT_EQ(panel.Pixel(64, 64), colour) << name;
        EXPECT_EQ(panel.Pixel(64, 1), colour) << name;
        EXPECT_EQ(panel.Pixel(64, 126), colour) << name;
        // Copies keep the bytes; saving writes them back.
        TPicture copy;
        copy.Assign(picture);
        TMemoryStream saved;
        copy.Graphic()->SaveToStream(saved);
        EXPECT_EQ(std::vector<uint8_t>(saved.Memory(), saved.Memory() + saved.Size()), bytes);
    }
    // The caller's pen, brush, font, clip and origin survive the playback.
    TBitmap b(40, 40);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clLime);
    c.Brush().SetColor(clFuchsia);
    c.SetOrigin({3, 4});
    c.SetClipRect(Rect(0, 0, 20, 20));
    Load(wmf).Draw(c, Rect(0, 0, 30, 30));
    EXPECT_EQ(c.Pen().Color(), clLime);
    EXPECT_EQ(c.Brush().Color(), clFuchsia);
    EXPECT_EQ(c.Origin(), Point(3, 4));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 20));
    EXPECT_EQ(b.Pixel(3 + 15, 4 + 15), clRed);
    EXPECT_EQ(b.Pixel(3 + 25, 4 + 15), clWhite); // outside the caller's clip
}
