// Paints a wizard-like scene with every graphics operation into a 481 x 209
// bitmap and saves it for people to look at; the assertions check a few
// landmarks of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/GraphicsTestSupport.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/Region.h"
#include "framework/graphics/TextDrawing.h"

using namespace gfxtest;

namespace {

// A small skin-like strip: a gradient with fuchsia corners.
TBitmap MakeFace(int32_t w, int32_t h, TColor base) {
    TBitmap face(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            face.SetPixel(x, y,
                          RGB(uint8_t(std::max(0, GetRValue(base) - y * 2)),
                              uint8_t(std::max(0, GetGValue(base) - y * 2)), GetBValue(base)));
    for (TPoint p : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}})
        face.SetPixel(p.X, p.Y, clFuchsia);
    return face;
}

} // namespace

TEST(GraphicsScene, PaintsEveryOperation) {
    const int32_t W = 481, H = 209;
    TBitmap scene(W, H);
    TCanvas& c = scene.Canvas();

    // Client background and window frame.
    c.Brush().SetColor(RGB(239, 235, 222));
    c.FillRect(Rect(0, 0, W, H));
    c.Brush().SetColor(RGB(0, 44, 200));
    c.FrameRect(Rect(0, 0, W, H));
    c.FrameRect(Rect(1, 1, W - 1, H - 1));
    c.FrameRect(Rect(2, 2, W - 2, H - 2));

    // Title bar: left, right and stretched middle sections; rounded corners.
    TBitmap left = MakeFace(35, 29, RGB(90, 140, 230)),
            middle = MakeFace(37, 29, RGB(80, 120, 240)),
            right = MakeFace(35, 29, RGB(90, 140, 230));
    c.Draw(0, 0, left);
    c.StretchDraw(Rect(35, 0, W - 35, 29), middle);
    c.Draw(W - 35, 0, right);
    c.Pen().SetColor(RGB(0, 44, 200));
    c.Arc(W - 21, -1, W + 1, 21, W + 1, 10, W - 10, -1);
    c.Arc(-1, -1, 21, 21, 10, -1, -1, 10);

    // Application icon, caption with end ellipsis, title buttons from an
    // image list (one greyed).
    std::vector<uint8_t> ico = MakeIco({16, 32});
    TIcon icon;
    icon.LoadFromMemory(ico.data(), ico.size());
    c.StretchDraw(Bounds(8, 7, 16, 16), icon);
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clWhite);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    TRect caption = Rect(28, 0, 300, 29);
    DrawText(c, "Screensaver Installar - a caption far too long for its space", caption,
             DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    TImageList buttons(21, 21);
    TBitmap strip(63, 21);
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect(Rect(0, 0, 63, 21));
    for (int k = 0; k < 3; ++k) {
        strip.Canvas().Brush().SetColor(k == 2 ? RGB(200, 60, 40) : RGB(60, 100, 220));
        strip.Canvas().FillRect(Rect(k * 21 + 2, 2, k * 21 + 19, 19));
        strip.Canvas().Pen().SetColor(clWhite);
        strip.Canvas().MoveTo(k * 21 + 6, 6);
        strip.Canvas().LineTo(k * 21 + 15, 15);
        strip.Canvas().MoveTo(k * 21 + 14, 6);
        strip.Canvas().LineTo(k * 21 + 5, 15);
    }
    buttons.AddMasked(strip, clFuchsia);
    buttons.Draw(c, W - 24, 4, 2);
    buttons.Draw(c, W - 46, 4, 1, false);
    buttons.Draw(c, W - 68, 4, 0);

    // Logo panel: a JPEG stretched to 128 x 128, a transparent bitmap over it.
    TBitmap logoSource(40, 30);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
            logoSource.SetPixel(x, y, RGB(uint8_t(x * 6), uint8_t(y * 8), 160));
    std::string jpgPath = TempPath("scene.jpg");
    {
        const std::vector<uint8_t> jpg = EncodeJpeg(logoSource, 90);
        std::ofstream(jpgPath, std::ios::binary)
            .write(reinterpret_cast<const char*>(jpg.data()), std::streamsize(jpg.size()));
    }
    TPicture logo;
    logo.LoadFromFile(jpgPath);
    std::remove(jpgPath.c_str());
    c.StretchDraw(Bounds(8, 34, 128, 128), *logo.Graphic());
    TBitmap stamp = MakeFace(20, 20, RGB(250, 200, 60));
    stamp.SetTransparent(true);
    stamp.SetTransparentColor(clFuchsia);
    c.Draw(12, 38, stamp);

    // Texts: multi-line, accelerator, right-aligned, opaque.
    c.Font().SetName("MS Sans Serif");
    c.Font().SetHeight(-11);
    c.Font().SetStyle(0);
    c.Font().SetColor(clBlack);
    TRect body = Rect(148, 40, 470, 100);
    DrawText(
        c,
        "This will install Aquarium to your Windows System.\r\n\r\nClick Next to continue, or Canel to exit Setup",
        body, DT_WORDBREAK);
    c.Font().SetHeight(-13);
    c.Font().SetStyle(fsBold | fsUnderline);
    c.TextOut(148, 100, "Welcome & bold underlined 10 pt");
    c.Font().SetStyle(fsItalic | fsStrikeOut);
    c.Font().SetHeight(-11);
    c.Brush().SetColor(clYellow);
    c.TextOut(148, 118, "Italic struck out on a solid brush");

    // Group-box-like frame with a polyline and a caption gap.
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Pen().SetColor(RGB(104, 104, 104));
    c.Font().SetStyle(0);
    c.Font().SetColor(RGB(2, 70, 207));
    int32_t tw = c.TextWidth("License");
    c.Polyline({{150, 142}, {148, 142}, {148, 168}, {300, 168}, {300, 142}, {148 + tw + 6, 142}});
    c.TextOut(153, 136, "License");

    // Progress bars: horizontal stretch, and vertical mirrored upside down.
    TBitmap bar(6, 10);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 6; ++x)
            bar.SetPixel(x, y, RGB(uint8_t(40 + y * 20), 200, uint8_t(40 + x * 30)));
    c.Brush().SetColor(RGB(104, 104, 104));
    c.FrameRect(Bounds(310, 140, 150, 12));
    c.StretchBlt(Rect(311, 141, 384, 151), bar, Rect(0, 0, 6, 10));
    c.Brush().SetColor(RGB(222, 235, 239));
    c.FillRect(Rect(384, 141, 459, 151));
    c.Brush().SetColor(RGB(104, 104, 104));
    c.FrameRect(Bounds(466, 40, 12, 120));
    c.StretchBlt(Rect(467, 158, 477, 79), bar, Rect(0, 0, 6, 10));

    // Buttons: a face, a focus rectangle, centred accelerator caption, one
    // disabled with the embossed caption; a clipped and offset child painting.
    TBitmap face = MakeFace(74, 21, RGB(240, 240, 250));
    for (int k = 0; k < 2; ++k) {
        int32_t bx = 296 + k * 90, by = 176;
        int level = c.SaveState();
        c.MoveOrigin(bx, by);
        c.IntersectClipRect(Rect(0, 0, 80, 27));
        c.Brush().SetStyle(TBrushStyle::bsClear);
        face.SetTransparent(true);
        c.StretchDraw(Rect(0, 0, 80, 27), face);
        c.Font().SetColor(k ? clWhite : clBlack);
        TRect r = Rect(0, 0, 80, 27);
        if (k) {
            TRect shadow = Rect(1, 1, 81, 28);
            DrawText(c, "&Cancel", shadow, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            c.Font().SetColor(clGray);
            DrawText(c, "&Cancel", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        } else {
            DrawText(c, "&Next >", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            c.DrawFocusRect(Rect(2, 2, 78, 25));
        }
        c.RestoreState(level);
    }

    // Window shape: the rounded top corners drawn as a mask outline.
    TRegion shape = TRegion::RoundRect(0, 0, W + 1, H + 1, 13, 13);
    shape.Union(TRegion::FromRect(Rect(0, H - 26, 26, H)));
    shape.Union(TRegion::FromRect(Rect(W - 26, H - 26, W, H)));
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            if (!shape.Contains(x, y))
                scene.SetPixel(x, y, clFuchsia);

    // A dotted line and a thick rectangle along the bottom.
    c.Pen().SetColor(clRed);
    c.Pen().SetStyle(TPenStyle::psDot);
    c.MoveTo(148, 174);
    c.LineTo(290, 174);
    c.Pen().SetStyle(TPenStyle::psSolid);
    c.Pen().SetWidth(2);
    c.Brush().SetColor(clAqua);
    c.Rectangle(150, 180, 200, 200);
    c.Pen().SetWidth(1);
    c.Brush().SetColor(clBlue);
    c.FillRect(Rect(210, 180, 230, 200));
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(235, 180, 255, 200));
    c.Brush().SetColor(clGray);
    c.FillRect(Rect(260, 180, 280, 200));

    scene.SaveToPngFile(ArtifactPath("graphics-scene.png"));

    EXPECT_EQ(scene.Pixel(0, 0), clFuchsia);           // cut by the rounded corner
    EXPECT_EQ(scene.Pixel(0, H - 1), RGB(0, 44, 200)); // square bottom corner
    EXPECT_EQ(scene.Pixel(215, 190), clBlue);
    EXPECT_NE(scene.Pixel(12, 38), clFuchsia); // the stamp's key colour shows the logo
    EXPECT_EQ(scene.Pixel(13, 39), stamp.Pixel(1, 1));
    // The vertical bar is drawn upside down: the picture's top row at the bottom.
    EXPECT_EQ(scene.Pixel(470, 158), RGB(40, 200, 100));
    EXPECT_EQ(scene.Pixel(470, 80), RGB(220, 200, 100));
    EXPECT_EQ(scene.Pixel(470, 79), RGB(239, 235, 222)); // untouched above the bar
}
