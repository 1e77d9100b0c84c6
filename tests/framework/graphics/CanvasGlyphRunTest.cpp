// Text along any direction: quarter turns are the upright text turned
// pixel for pixel (outline faces and bitmap faces alike), other angles run
// along their direction, advances and both clips place and cut glyphs,
// and the underline turns with the text.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontFace.h"
#include "support/GraphicsTestSupport.h"

namespace {

struct TInk {
    std::vector<TPoint> Pixels;
    TRect Bounds;
};

TInk InkOf(const TBitmap& b, TColor ink = clBlack) {
    TInk out;
    out.Bounds = Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == ink) {
                out.Pixels.push_back({x, y});
                out.Bounds =
                    Rect(std::min(out.Bounds.Left, x), std::min(out.Bounds.Top, y),
                         std::max(out.Bounds.Right, x + 1), std::max(out.Bounds.Bottom, y + 1));
            }
    return out;
}

void UseFont(TCanvas& c, const char* name, int32_t height, TFontStyles style = 0) {
    c.Font().SetName(name);
    c.Font().SetHeight(height);
    c.Font().SetStyle(style);
    c.Font().SetColor(clBlack);
}

// A quarter turn counterclockwise (as seen) `q` times.
TGlyphMatrix Quarter(int q) {
    static const TGlyphMatrix turns[4] = {
        {1, 0, 0, 1}, {0, 1, -1, 0}, {-1, 0, 0, -1}, {0, -1, 1, 0}};
    return turns[q % 4];
}

} // namespace

TEST(CanvasGlyphRun, QuarterTurnsAreTheUprightTextTurned) {
    for (const char* face : {"Tahoma", "MS Sans Serif"}) {
        TBitmap upright(96, 96);
        TCanvas& u = upright.Canvas();
        UseFont(u, face, -16);
        u.Brush().SetStyle(TBrushStyle::bsClear);
        u.SetTextAlign(TA_BASELINE);
        u.ExtTextOut(30, 50, 0, nullptr, "Fg!");
        const TInk straight = InkOf(upright);
        ASSERT_GT(straight.Pixels.size(), 40u) << face;
        for (int q = 0; q < 4; ++q) {
            TBitmap turned(96, 96);
            TCanvas& t = turned.Canvas();
            UseFont(t, face, -16);
            TGlyphRun run;
            run.Origin = {48, 48};
            run.Glyph = Quarter(q);
            run.Direction = {run.Glyph.XX, run.Glyph.YX};
            const double length = t.GlyphRun(run, "Fg!");
            EXPECT_EQ(length, t.TextWidth("Fg!")) << face << " " << q;
            const TInk ink = InkOf(turned);
            ASSERT_EQ(ink.Pixels.size(), straight.Pixels.size()) << face << " " << q;
            for (const TPoint& p : straight.Pixels) {
                // The pixel's centre relative to the baseline origin, turned.
                const double x = p.X + 0.5 - 30, y = p.Y + 0.5 - 50;
                const double tx = run.Glyph.XX * x + run.Glyph.XY * y + 48;
                const double ty = run.Glyph.YX * x + run.Glyph.YY * y + 48;
                EXPECT_EQ(turned.Pixel(int32_t(std::floor(tx)), int32_t(std::floor(ty))), clBlack)
                    << face << " turn " << q << " of (" << p.X << ", " << p.Y << ")";
            }
        }
    }
}

// At 30 degrees the outline glyphs lie along the line the pen runs on,
// about as much ink as upright; a bitmap face is resampled alike.
TEST(CanvasGlyphRun, OtherAnglesRunAlongTheirDirection) {
    const double a = 30 * std::numbers::pi / 180;
    for (const char* face : {"Tahoma", "MS Sans Serif"}) {
        TBitmap upright(200, 120), turned(200, 120);
        UseFont(upright.Canvas(), face, -16);
        upright.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
        upright.Canvas().TextOut(10, 10, "HHHHHH");
        UseFont(turned.Canvas(), face, -16);
        TGlyphRun run;
        run.Origin = {20, 100};
        run.Glyph = {std::cos(a), std::sin(a), -std::sin(a), std::cos(a)};
        run.Direction = {std::cos(a), -std::sin(a)};
        turned.Canvas().GlyphRun(run, "HHHHHH");
        const TInk straight = InkOf(upright), ink = InkOf(turned);
        EXPECT_NEAR(double(ink.Pixels.size()), double(straight.Pixels.size()),
                    0.35 * double(straight.Pixels.size()))
            << face;
        // Every inked pixel lies within a cell's height above the baseline.
        for (const TPoint& p : ink.Pixels) {
            const double dx = p.X + 0.5 - 20, dy = p.Y + 0.5 - 100;
            const double along = dx * std::cos(a) - dy * std::sin(a);
            const double above = dx * std::sin(a) + dy * std::cos(a); // y down: negative is up
            EXPECT_GE(along, -2) << face;
            EXPECT_LE(along, turned.Canvas().TextWidth("HHHHHH") + 2) << face;
            EXPECT_LE(above, 2) << face;
            EXPECT_GE(above, -18) << face;
        }
    }
}

TEST(CanvasGlyphRun, AdvancesAndClipsPlaceAndCutTheGlyphs) {
    TBitmap b(80, 120);
    TCanvas& c = b.Canvas();
    UseFont(c, "Tahoma", -16);
    TGlyphRun run;
    run.Origin = {40, 100};
    run.Glyph = Quarter(1);
    run.Direction = {0, -1};
    const std::vector<double> advances = {30, 30, 30};
    run.Advances = &advances;
    EXPECT_EQ(c.GlyphRun(run, "III"), 90);
    // Three bars across the run, 30 pixels apart.
    std::vector<int32_t> rows;
    for (int32_t y = 0; y < 120; ++y) {
        int n = 0;
        for (int32_t x = 0; x < 80; ++x)
            n += b.Pixel(x, y) == clBlack;
        if (n > 0 && (rows.empty() || rows.back() != y - 1))
            rows.push_back(y);
        else if (n > 0)
            rows.back() = y;
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1] - rows[0], 30);
    EXPECT_EQ(rows[2] - rows[1], 30);

    // The parallelogram keeps the first two; the clip rectangle the lower
    // half of the canvas.
    TBitmap cut(80, 120);
    TCanvas& k = cut.Canvas();
    UseFont(k, "Tahoma", -16);
    const TParallelogram within{{0, 40}, {80, 0}, {0, 80}};
    run.Clip = &within;
    k.GlyphRun(run, "III");
    const TInk kept = InkOf(cut);
    ASSERT_FALSE(kept.Pixels.empty());
    EXPECT_GE(kept.Bounds.Top, 40);
    EXPECT_EQ(kept.Pixels.size() * 3, InkOf(b).Pixels.size() * 2);
    TBitmap clipped(80, 120);
    TCanvas& l = clipped.Canvas();
    UseFont(l, "Tahoma", -16);
    l.SetClipRect(Rect(0, 75, 80, 120));
    run.Clip = nullptr;
    l.GlyphRun(run, "III");
    EXPECT_EQ(InkOf(clipped).Pixels.size() * 3, InkOf(b).Pixels.size());
    EXPECT_GE(InkOf(clipped).Bounds.Top, 75);
}

// An underline of turned text is a band along the run on the glyphs'
// bottom side, as long as the run.
TEST(CanvasGlyphRun, TheUnderlineTurnsWithTheText) {
    TBitmap b(60, 100);
    TCanvas& c = b.Canvas();
    UseFont(c, "Tahoma", -16, fsUnderline);
    TGlyphRun run;
    run.Origin = {20, 90};
    run.Glyph = Quarter(1);
    run.Direction = {0, -1};
    const double length = c.GlyphRun(run, "ab");
    // Turned a quarter counterclockwise, the glyphs' bottom faces right.
    const TFontFace& face = GetFontFace(c.Font());
    const int32_t column = 20 + (face.UnderlineTop() - face.Ascent());
    for (int32_t y = 90 - int32_t(length); y < 90; ++y)
        EXPECT_EQ(b.Pixel(column, y), clBlack) << y;
    EXPECT_NE(b.Pixel(column, 90), clBlack);
    EXPECT_NE(b.Pixel(column, 89 - int32_t(length)), clBlack);
}
