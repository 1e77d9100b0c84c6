// Turned and slanted metafile text: the escapement turns the baseline
// (with the angle taken in y-down logical units, so that a page whose y
// runs up turns it the other way round), alignment and backgrounds work in
// the text's frame, the current position follows the baseline, and the
// advanced graphics mode draws the glyphs through the orientation and the
// world transform. Expected pictures are drawn with the canvas's glyph run.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileWriter.h"

using namespace gfxtest;
using namespace gfxtest::gdi;

namespace {

constexpr int32_t kSize = 192;
constexpr uint32_t TA_UPDATECP_ = 1;

// Two inches square on a reference device of 96 pixels per inch, played
// into kSize x kSize: logical units are pixels.
TBitmap PlayEmf(const TEmfWriter& w) {
    const std::vector<uint8_t> bytes =
        w.Finish(Rect(0, 0, 5080, 5080), Rect(0, 0, kSize - 1, kSize - 1), 960, 960, 254, 254);
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    TBitmap b(kSize, kSize);
    m.Draw(b.Canvas(), Rect(0, 0, kSize, kSize));
    return b;
}

TBitmap PlayWmf(const TWmfWriter& w) {
    const std::vector<uint8_t> bytes = w.Finish();
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    TBitmap b(kSize, kSize);
    m.Draw(b.Canvas(), Rect(0, 0, kSize, kSize));
    return b;
}

void UseFont(TCanvas& c, TColor color = clBlack) {
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-16);
    c.Font().SetColor(color);
}

// The run the player should draw: `text` from `origin` through `glyph`,
// advancing along `direction`.
TBitmap Expected(TPointF origin, TGlyphMatrix glyph, TPointF direction, const std::string& text) {
    TBitmap b(kSize, kSize);
    UseFont(b.Canvas());
    TGlyphRun run;
    run.Origin = origin;
    run.Glyph = glyph;
    run.Direction = direction;
    b.Canvas().GlyphRun(run, text);
    return b;
}

const TGlyphMatrix kQuarterTurn{0, 1, -1, 0}; // counterclockwise, as seen

TRect BoundsOf(const TBitmap& b, TColor c) {
    TRect r = Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c)
                r = Rect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                         std::max(r.Bottom, y + 1));
    return r;
}

int32_t WidthOf(const std::string& text) {
    TBitmap b(1, 1);
    UseFont(b.Canvas());
    return b.Canvas().TextWidth(text);
}

} // namespace

// The same label at 90 degrees: EMF on a y-down page, EMF at 270 degrees
// on a page whose y runs up (the reference point mirrored with it), and
// WMF; all three as the canvas turns the text a quarter counterclockwise.
TEST(MetafileText, TheEscapementTurnsTheBaseline) {
    const TBitmap expect = Expected({60, 150}, kQuarterTurn, {0, -1}, "Fg axis");
    ASSERT_GT(BoundsOf(expect, clBlack).Height(), 40);

    TEmfWriter down;
    down.CreateFont(1, -16, 400, false, "Tahoma", 900);
    down.SelectObject(1);
    down.SetBkMode(TRANSPARENT);
    down.SetTextAlign(24); // baseline
    down.ExtTextOutW(60, 150, "Fg axis");
    EXPECT_EQ(PixelsOf(PlayEmf(down)), PixelsOf(expect));

    TEmfWriter up;
    up.SetMapMode(MM_ANISOTROPIC);
    up.SetWindowOrg(0, kSize);
    up.SetWindowExt(kSize, -kSize);
    up.SetViewportExt(kSize, kSize);
    up.CreateFont(1, -16, 400, false, "Tahoma", 2700);
    up.SelectObject(1);
    up.SetBkMode(TRANSPARENT);
    up.SetTextAlign(24);
    up.ExtTextOutW(60, kSize - 150, "Fg axis");
    EXPECT_EQ(PixelsOf(PlayEmf(up)), PixelsOf(expect));

    TWmfWriter wmf;
    wmf.SetWindowExt(kSize, kSize);
    wmf.CreateFont(-16, 400, false, "Tahoma", 900);
    wmf.SelectObject(0);
    wmf.SetBkMode(TRANSPARENT);
    wmf.SetTextAlign(24);
    wmf.TextOut(60, 150, "Fg axis");
    EXPECT_EQ(PixelsOf(PlayWmf(wmf)), PixelsOf(expect));
}

// Turned a quarter, the text's box runs up from the pen and its glyphs'
// tops face left: each alignment moves the box by its width along the
// baseline and by its ascent or descent across it.
TEST(MetafileText, AlignmentAndBackgroundTakeTheTextsFrame) {
    const std::string text = "Ab";
    const int32_t w = WidthOf(text);
    TBitmap probe(1, 1);
    UseFont(probe.Canvas());
    const TFontFace& face = GetFontFace(probe.Canvas().Font());
    const int32_t ascent = face.Ascent(), descent = face.Descent();
    struct TCase {
        uint32_t Align;
        TRect Box;
    };
    const TCase cases[] = {
        {0, Rect(100, 100 - w, 100 + ascent + descent, 100)},     // left, top
        {2 | 8, Rect(100 - ascent - descent, 100, 100, 100 + w)}, // right, bottom
        {24, Rect(100 - ascent, 100 - w, 100 + descent, 100)},    // left, baseline
        {6 | 24, Rect(100 - ascent, 100 - w / 2, 100 + descent, 100 + (w + 1) / 2)},
    };
    for (const TCase& c : cases) {
        TEmfWriter e;
        e.CreateFont(1, -16, 400, false, "Tahoma", 900);
        e.SelectObject(1);
        e.SetBkMode(OPAQUE);
        e.SetBkColor(clYellow);
        e.SetTextColor(clNavy);
        e.SetTextAlign(c.Align);
        e.ExtTextOutW(100, 100, text);
        const TBitmap b = PlayEmf(e);
        TRect box;
        UnionRect(box, BoundsOf(b, clYellow), BoundsOf(b, clNavy));
        EXPECT_NEAR(box.Left, c.Box.Left, c.Align == (6 | 24) ? 1 : 0) << c.Align;
        EXPECT_NEAR(box.Top, c.Box.Top, c.Align == (6 | 24) ? 1 : 0) << c.Align;
        EXPECT_NEAR(box.Right, c.Box.Right, c.Align == (6 | 24) ? 1 : 0) << c.Align;
        EXPECT_NEAR(box.Bottom, c.Box.Bottom, c.Align == (6 | 24) ? 1 : 0) << c.Align;
        const TRect ink = BoundsOf(b, clNavy);
        EXPECT_GE(ink.Left, box.Left) << c.Align;
        EXPECT_LE(ink.Right, box.Right) << c.Align;
    }
}

// The clipping rectangle keeps logical units: on an axis-aligned page it
// cuts turned text to itself; under a turning world transform it turns
// with the page. The opaque rectangle is filled either way.
TEST(MetafileText, ClippingAndOpaqueRectanglesFollowThePage) {
    const TRect clip = Rect(40, 60, 120, 110);
    TEmfWriter e;
    e.CreateFont(1, -16, 400, false, "Tahoma", 900);
    e.SelectObject(1);
    e.SetBkColor(clYellow);
    e.SetTextColor(clNavy);
    e.SetTextAlign(24);
    e.ExtTextOutW(80, 150, "Clipped text", ETO_CLIPPED | ETO_OPAQUE, &clip);
    const TBitmap b = PlayEmf(e);
    TRect painted;
    UnionRect(painted, BoundsOf(b, clYellow), BoundsOf(b, clNavy));
    EXPECT_EQ(painted, clip);
    EXPECT_GT(BoundsOf(b, clNavy).Height(), 30);

    // Turned a quarter clockwise by the world transform, the rectangle
    // (20, 40)-(70, 60) covers x 40-60 and y from 20 to 70 below a y of 0
    // shifted to 100: logical (x, y) lies at (100 - y... , x).
    TEmfWriter t;
    t.SetWorldTransform(0, 1, -1, 0, 100, 0); // (x, y) -> (100 - y, x)
    t.CreateFont(1, -16, 400, false, "Tahoma");
    t.SelectObject(1);
    t.SetBkColor(clYellow);
    t.SetTextColor(clNavy);
    t.SetTextAlign(24);
    t.SetTextGraphicsMode(2);
    const TRect r = Rect(20, 40, 70, 60);
    t.ExtTextOutW(10, 55, "Turned text", ETO_CLIPPED | ETO_OPAQUE, &r);
    const TBitmap turned = PlayEmf(t);
    TRect all;
    UnionRect(all, BoundsOf(turned, clYellow), BoundsOf(turned, clNavy));
    EXPECT_EQ(all, Rect(40, 20, 60, 70));
    EXPECT_GT(BoundsOf(turned, clNavy).Height(), 30);
}

// With TA_UPDATECP each piece starts where the last ended, along the
// turned baseline: two pieces draw as the whole.
TEST(MetafileText, TheCurrentPositionFollowsTheBaseline) {
    TEmfWriter e;
    e.CreateFont(1, -16, 400, false, "Tahoma", 900);
    e.SelectObject(1);
    e.SetBkMode(TRANSPARENT);
    e.SetTextAlign(24 | TA_UPDATECP_);
    e.MoveTo(60, 170);
    e.ExtTextOutW(0, 0, "Fg ");
    e.ExtTextOutW(0, 0, "axis");
    EXPECT_EQ(PixelsOf(PlayEmf(e)),
              PixelsOf(Expected({60, 170}, kQuarterTurn, {0, -1}, "Fg axis")));

    // Right-aligned pieces end where the last began, turned or upright.
    for (int32_t escapement : {900, 0}) {
        TEmfWriter r;
        r.CreateFont(1, -16, 400, false, "Tahoma", escapement);
        r.SelectObject(1);
        r.SetBkMode(TRANSPARENT);
        r.SetTextAlign(2 | 24 | TA_UPDATECP_);
        r.MoveTo(100, 100);
        r.ExtTextOutW(0, 0, "axis");
        r.ExtTextOutW(0, 0, "Fg ");
        TEmfWriter whole;
        whole.CreateFont(1, -16, 400, false, "Tahoma", escapement);
        whole.SelectObject(1);
        whole.SetBkMode(TRANSPARENT);
        whole.SetTextAlign(2 | 24);
        whole.ExtTextOutW(100, 100, "Fg axis");
        EXPECT_EQ(PixelsOf(PlayEmf(r)), PixelsOf(PlayEmf(whole))) << escapement;
    }
}

// In the advanced mode the orientation turns each glyph while the pen
// keeps to the escapement, the world transform turns and stretches the
// glyphs with the page, and a page whose y runs up leaves them upright.
TEST(MetafileText, TheAdvancedModeDrawsThroughOrientationAndTransform) {
    TEmfWriter o;
    o.SetTextGraphicsMode(2);
    o.CreateFont(1, -16, 400, false, "Tahoma", 0, 900);
    o.SelectObject(1);
    o.SetBkMode(TRANSPARENT);
    o.SetTextAlign(24);
    o.ExtTextOutW(40, 100, "FFF");
    EXPECT_EQ(PixelsOf(PlayEmf(o)), PixelsOf(Expected({40, 100}, kQuarterTurn, {1, 0}, "FFF")));

    TEmfWriter world;
    world.SetTextGraphicsMode(2);
    world.SetWorldTransform(0, -1, 1, 0, 60, 150); // a quarter counterclockwise
    world.CreateFont(1, -16, 400, false, "Tahoma");
    world.SelectObject(1);
    world.SetBkMode(TRANSPARENT);
    world.SetTextAlign(24);
    world.ExtTextOutW(0, 0, "Fg axis");
    EXPECT_EQ(PixelsOf(PlayEmf(world)),
              PixelsOf(Expected({60, 150}, kQuarterTurn, {0, -1}, "Fg axis")));

    TEmfWriter up;
    up.SetTextGraphicsMode(2);
    up.SetMapMode(MM_ANISOTROPIC);
    up.SetWindowOrg(0, kSize);
    up.SetWindowExt(kSize, -kSize);
    up.SetViewportExt(kSize, kSize);
    up.CreateFont(1, -16, 400, false, "Tahoma");
    up.SelectObject(1);
    up.SetBkMode(TRANSPARENT);
    up.SetTextAlign(24);
    up.ExtTextOutW(30, kSize - 100, "Upright");
    TBitmap upright(kSize, kSize);
    UseFont(upright.Canvas());
    upright.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    upright.Canvas().SetTextAlign(TA_BASELINE);
    upright.Canvas().ExtTextOut(30, 100, 0, nullptr, "Upright");
    EXPECT_EQ(PixelsOf(PlayEmf(up)), PixelsOf(upright));

    // Stretched twice as wide by the world transform: twice the ink's
    // width at the same height.
    TEmfWriter wide;
    wide.SetTextGraphicsMode(2);
    wide.SetWorldTransform(2, 0, 0, 1, 0, 0);
    wide.CreateFont(1, -16, 400, false, "Tahoma");
    wide.SelectObject(1);
    wide.SetBkMode(TRANSPARENT);
    wide.SetTextAlign(24);
    wide.ExtTextOutW(10, 100, "Wide");
    const TRect stretched = BoundsOf(PlayEmf(wide), clBlack);
    const TRect plain = BoundsOf(
        [] {
            TBitmap b(kSize, kSize);
            UseFont(b.Canvas());
            b.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
            b.Canvas().SetTextAlign(TA_BASELINE);
            b.Canvas().ExtTextOut(20, 100, 0, nullptr, "Wide");
            return b;
        }(),
        clBlack);
    EXPECT_NEAR(stretched.Width(), 2 * plain.Width(), 3);
    EXPECT_NEAR(stretched.Height(), plain.Height(), 1);
    EXPECT_NEAR(stretched.Left - 20, 2 * (plain.Left - 20), 3);
}

// Text in the Symbol font is its own encoding's characters, whether the
// file gives its bytes (WMF) or 16-bit units of its range (EMF): "D", 0xA3
// and "p" are a capital delta, "less than or equal" and pi.
TEST(MetafileText, TheSymbolFontDrawsItsCharacters) {
    auto direct = [](const std::string& utf8) {
        TBitmap b(kSize, kSize);
        TCanvas& c = b.Canvas();
        c.Font().SetName("Symbol");
        c.Font().SetHeight(-20);
        c.Font().SetColor(clBlack);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.TextOut(10, 10, utf8);
        return b;
    };
    const TBitmap greek = direct("\xCE\x94\xE2\x89\xA4\xCF\x80"); // Δ≤π
    EXPECT_NE(PixelsOf(greek), PixelsOf(direct("D\xC2\xA3p")));

    TWmfWriter wmf;
    wmf.SetWindowExt(kSize, kSize);
    wmf.CreateFont(-20, 400, false, "Symbol");
    wmf.SelectObject(0);
    wmf.SetBkMode(TRANSPARENT);
    wmf.TextOut(10, 10, "D\xA3p");
    EXPECT_EQ(PixelsOf(PlayWmf(wmf)), PixelsOf(greek));

    TEmfWriter emf;
    emf.CreateFont(1, -20, 400, false, "Symbol");
    emf.SelectObject(1);
    emf.SetBkMode(TRANSPARENT);
    emf.ExtTextOutW(10, 10, u"\uF044\uF0A3\uF070", 0, nullptr);
    EXPECT_EQ(PixelsOf(PlayEmf(emf)), PixelsOf(greek));
}
