// A full repaint of the wizard's 481 x 209 window with the operations the
// skinned controls use: frame strips, title-bar sections and buttons, the
// buttons' nine-slice faces through temporary bitmaps and image lists,
// captions, the logo stretched to 128 x 128, the group frame, the progress
// bar, and the copy of each off-screen composition to the window.
#include <benchmark/benchmark.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/TextDrawing.h"

namespace {

TBitmap Gradient(int32_t w, int32_t h, TColor key) {
    TBitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x * 7), uint8_t(y * 9), 200));
    b.SetPixel(0, 0, key);
    b.SetPixel(w - 1, h - 1, key);
    return b;
}

struct TScene {
    TBitmap Window{481, 209};
    TBitmap Left = Gradient(35, 29, clFuchsia), Middle = Gradient(37, 29, clFuchsia),
            Right = Gradient(35, 29, clFuchsia), TitleButtons = Gradient(378, 21, clFuchsia),
            Face = Gradient(18, 21, clFuchsia), Logo = Gradient(200, 150, clFuchsia),
            Bar = Gradient(6, 10, clFuchsia);
};

// One button the way a skinned push button paints: face pieces copied into
// temporary bitmaps, corners through one-image lists, edges keyed.
void PaintButton(TScene& s, int32_t left, int32_t top, const char* caption, bool focused) {
    TBitmap off(80, 27);
    TCanvas& c = off.Canvas();
    c.Brush().SetColor(RGB(239, 235, 222));
    c.FillRect(Rect(0, 0, 80, 27));
    const int32_t sw = 9, sh = 10;
    const TRect corners[4] = {Rect(0, 0, sw, sh), Rect(0, 11, sw, 21), Rect(10, 0, 18, sh),
                              Rect(10, 11, 18, 21)};
    const TPoint at[4] = {{0, 0}, {0, 17}, {72, 0}, {72, 17}};
    for (int k = 0; k < 4; ++k) {
        TBitmap piece(corners[k].Width(), corners[k].Height());
        piece.Canvas().CopyRect(Rect(0, 0, piece.Width(), piece.Height()), s.Face.Canvas(),
                                corners[k]);
        TImageList list(piece.Width(), piece.Height());
        list.AddMasked(piece, clFuchsia);
        list.Draw(c, at[k].X, at[k].Y, 0);
    }
    const TRect edges[5][2] = {{Rect(0, sh, sw, 11), Rect(0, 10, 9, 17)},
                               {Rect(10, 10, 18, 11), Rect(72, 10, 80, 17)},
                               {Rect(sw, 0, 10, sh), Rect(9, 0, 72, 10)},
                               {Rect(sw, sh, 10, 11), Rect(9, 10, 72, 17)},
                               {Rect(sw, 11, 10, 21), Rect(8, 16, 72, 27)}};
    for (const auto& e : edges) {
        TBitmap piece(e[0].Width(), e[0].Height());
        piece.Canvas().CopyRect(Rect(0, 0, piece.Width(), piece.Height()), s.Face.Canvas(), e[0]);
        piece.SetTransparent(true);
        piece.SetTransparentColor(clFuchsia);
        c.StretchDraw(e[1], piece);
    }
    if (focused)
        c.DrawFocusRect(Rect(2, 2, 78, 25));
    c.Font().SetName("MS Sans Serif");
    c.Font().SetHeight(-11);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = Rect(0, 0, 80, 27);
    DrawText(c, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    s.Window.Canvas().CopyRect(Bounds(left, top, 80, 27), c, Rect(0, 0, 80, 27));
}

void FullRepaint(TScene& s) {
    TCanvas& w = s.Window.Canvas();
    const int32_t W = 481, H = 209;
    // Client background and frame strips.
    w.Brush().SetColor(RGB(239, 235, 222));
    w.FillRect(Rect(3, 29, W - 3, H - 3));
    w.Brush().SetColor(RGB(0, 44, 200));
    w.FillRect(Rect(0, 0, 3, H));
    w.FillRect(Rect(0, H - 3, W, H));
    w.FillRect(Rect(W - 3, 0, W, H));
    // Title bar composed off screen.
    TBitmap bar(W - 6, 26);
    TCanvas& b = bar.Canvas();
    b.Draw(-3, -3, s.Left);
    b.Draw(W - 6 - 35 + 3, -3, s.Right);
    b.StretchDraw(Rect(32, -3, W - 6 - 32, 26), s.Middle);
    TImageList buttons(21, 21);
    buttons.AddMasked(s.TitleButtons, clFuchsia);
    buttons.Draw(b, W - 6 - 24, 2, 15);
    buttons.Draw(b, W - 6 - 46, 2, 12);
    b.Font().SetName("Tahoma");
    b.Font().SetHeight(-11);
    b.Font().SetStyle(fsBold);
    b.Font().SetColor(clWhite);
    b.Brush().SetStyle(TBrushStyle::bsClear);
    std::string caption = EndEllipsis(b, "Aquarium Setup Wizard", W - 6 - 46 - 23);
    b.TextOut(23, (21 - b.TextHeight(caption)) / 2 + 2, caption);
    w.CopyRect(Bounds(3, 3, W - 6, 26), b, Rect(0, 0, W - 6, 26));
    // Logo panel: stretched, transparent.
    TBitmap panel(128, 128);
    panel.Canvas().CopyRect(Rect(0, 0, 128, 128), w, Bounds(11, 37, 128, 128));
    s.Logo.SetTransparent(true);
    panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), s.Logo);
    w.CopyRect(Bounds(11, 37, 128, 128), panel.Canvas(), Rect(0, 0, 128, 128));
    // Texts.
    w.Font().SetName("MS Sans Serif");
    w.Font().SetHeight(-11);
    w.Brush().SetStyle(TBrushStyle::bsClear);
    TRect body = Rect(152, 40, 470, 120);
    DrawText(
        w,
        "This will install Aquarium to your Windows System.\r\n\r\nClick Next to continue, or Canel to exit Setup",
        body, DT_WORDBREAK);
    // Group frame and progress bar.
    w.Pen().SetColor(RGB(104, 104, 104));
    w.Polyline({{13, 41}, {11, 41}, {11, 160}, {458, 160}, {458, 41}, {60, 41}});
    w.TextOut(16, 35, "License");
    TBitmap progress(150, 12);
    TCanvas& p = progress.Canvas();
    p.StretchDraw(Rect(1, 1, 74, 11), s.Bar);
    p.Brush().SetColor(RGB(222, 235, 239));
    p.FillRect(Rect(74, 1, 149, 11));
    p.Brush().SetColor(RGB(104, 104, 104));
    p.FrameRect(Rect(0, 0, 150, 12));
    w.CopyRect(Bounds(160, 130, 150, 12), p, Rect(0, 0, 150, 12));
    // Buttons.
    PaintButton(s, 290, 165, "&Next >", true);
    PaintButton(s, 380, 165, "Cancel", false);
}

void BM_FullRepaint(benchmark::State& state) {
    TScene scene;
    FullRepaint(scene); // load the fonts once
    for (auto _ : state) {
        FullRepaint(scene);
        benchmark::DoNotOptimize(scene.Window.ScanLine(0));
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintGeneralBlitter(benchmark::State& state) {
    TScene scene;
    FullRepaint(scene);
    TCanvas::SetFastPaths(false);
    for (auto _ : state)
        FullRepaint(scene);
    TCanvas::SetFastPaths(true);
}
BENCHMARK(BM_FullRepaintGeneralBlitter)->Unit(benchmark::kMicrosecond);

} // namespace
