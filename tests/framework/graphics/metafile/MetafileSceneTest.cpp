// Logos drawn from WMF and EMF as the image panels and the wizard show
// them, saved to build/artifacts/metafiles.png for people to look at; the
// assertions check landmarks of each.
#include <gtest/gtest.h>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileLogos.h"

#include <algorithm>

using namespace gfxtest;

namespace {

TMetafile Load(const std::vector<uint8_t>& bytes) {
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    return m;
}

bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST(MetafileScene, LogosFromWmfAndEmf) {
    const TMetafile plain = Load(LogoWmf(false)), placeable = Load(LogoWmf(true)),
                    emf = Load(LogoEmf());
    EXPECT_EQ(placeable.Width(), 96);
    EXPECT_EQ(plain.Width(), 1000);
    EXPECT_EQ(emf.Width(), 113);

    TBitmap scene(600, 330);
    TCanvas& c = scene.Canvas();
    c.Brush().SetColor(RGB(236, 233, 216));
    c.FillRect(Rect(0, 0, 600, 330));
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    auto label = [&](int32_t x, int32_t y, const char* text) { c.TextOut(x, y, text); };

    // The image panels' 128 x 128: plain WMF, placeable WMF, EMF.
    const TRect panels[3] = {Bounds(8, 8, 128, 128), Bounds(144, 8, 128, 128),
                             Bounds(280, 8, 128, 128)};
    c.StretchDraw(panels[0], plain);
    c.StretchDraw(panels[1], placeable);
    c.StretchDraw(panels[2], emf);
    label(8, 140, "WMF 128 x 128");
    label(144, 140, "placeable WMF");
    label(280, 140, "EMF 128 x 128");
    // Natural size, small, stretched and mirrored.
    c.Draw(416, 8, placeable);
    label(416, 108, "own size");
    c.Draw(416, 124, emf);
    c.StretchDraw(Bounds(8, 160, 200, 100), placeable);
    c.StretchDraw(Bounds(216, 160, 48, 48), emf);
    c.StretchDraw(Bounds(216, 212, 32, 32), placeable);
    c.StretchDraw(Rect(399, 160, 271, 288), emf); // mirrored
    c.StretchDraw(Bounds(408, 250, 180, 72), emf);
    label(8, 264, "stretched 200 x 100");
    label(272, 290, "mirrored");
    scene.SaveToPngFile(ArtifactPath("metafiles.png"));

    // The sun in the WMF panels is yellow at its centre, the sky blue above
    // the tree, the hills green; the EMF's heart red, its ring pale.
    for (int i = 0; i < 2; ++i) {
        const TRect& p = panels[i];
        EXPECT_TRUE(Near(scene.Pixel(p.Left + 64, p.Top + 30), RGB(255, 220, 40), 10)) << i;
        EXPECT_EQ(GetBValue(scene.Pixel(p.Left + 10, p.Top + 10)), 230) << i;
        EXPECT_GT(GetGValue(scene.Pixel(p.Left + 20, p.Top + 100)),
                  GetRValue(scene.Pixel(p.Left + 20, p.Top + 100)))
            << i;
    }
    EXPECT_EQ(scene.Pixel(panels[2].Left + 64, panels[2].Top + 64), RGB(220, 30, 60));
    EXPECT_TRUE(Near(scene.Pixel(panels[2].Left + 1, panels[2].Top + 64), RGB(250, 250, 250), 6));
    // The mirrored EMF: its heart's left lobe is drawn on the right.
    EXPECT_EQ(scene.Pixel(399 - 64, 160 + 64), RGB(220, 30, 60));
    // Nothing drawn outside its rectangle: the background between panels.
    EXPECT_EQ(scene.Pixel(140, 60), RGB(236, 233, 216));
    EXPECT_EQ(scene.Pixel(276, 60), RGB(236, 233, 216));
}

namespace {

// The ink (pixels darker than `limit` in all) of columns [left, right).
TRect InkIn(const TBitmap& b, int32_t left, int32_t right, int limit = 200) {
    TRect r = Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = left; x < right; ++x) {
            const TColor c = b.Pixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < limit)
                r = Rect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                         std::max(r.Bottom, y + 1));
        }
    return r;
}

} // namespace

// Turned text at its own size and in the logo panels: a chart whose page
// runs up with its axis title and month labels turned, text rays every 30
// degrees, and a sign of stacked upright letters and a name turned by the
// world transform; saved to build/artifacts/metafile-text.png (the README's
// picture). The assertions find the turned titles where they belong.
TEST(MetafileScene, TurnedTextInChartsRaysAndSigns) {
    const TMetafile chart = Load(ChartEmf()), rays = Load(TextRaysWmf()), sign = Load(SignEmf());
    ASSERT_EQ(chart.Width(), 300);
    ASSERT_EQ(rays.Width(), 240);
    ASSERT_EQ(sign.Height(), 240);
    TBitmap scene(700, 412);
    TCanvas& c = scene.Canvas();
    c.Brush().SetColor(RGB(236, 233, 216));
    c.FillRect(Rect(0, 0, 700, 412));
    c.Draw(8, 8, chart);
    c.Draw(320, 13, rays);
    c.Draw(572, 8, sign);
    for (int i = 0; i < 3; ++i) {
        const TRect panel = Bounds(8 + i * 136, 276, 128, 128);
        c.Brush().SetColor(clWhite);
        c.FillRect(panel);
        c.StretchDraw(panel, i == 0 ? chart : i == 1 ? static_cast<const TGraphic&>(rays) : sign);
    }
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.TextOut(420, 330, "The three in the logo panels' 128 x 128");
    scene.SaveToPngFile(ArtifactPath("metafile-text.png"));

    // The chart's y-axis title runs up its left side around the plot's
    // middle, far taller than wide.
    TBitmap own(300, 250);
    own.Canvas().Draw(0, 0, chart);
    const TRect title = InkIn(own, 0, 24);
    EXPECT_GT(title.Height(), 4 * title.Width());
    EXPECT_NEAR((title.Top + title.Bottom) / 2, 125, 15);
    // The sign's letters stand in a column, one above the other.
    TBitmap board(120, 240);
    board.Canvas().Draw(0, 0, sign);
    int letters = 0;
    bool inLetter = false;
    for (int32_t y = 0; y < 228; ++y) {
        bool lit = false;
        for (int32_t x = 16; x < 60; ++x) // within the board, its corners round
            lit |= GetRValue(board.Pixel(x, y)) > 200;
        letters += lit && !inLetter;
        inLetter = lit;
    }
    EXPECT_EQ(letters, 4);
}
