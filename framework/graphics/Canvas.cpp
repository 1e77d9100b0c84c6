#include "framework/graphics/Canvas.h"

#include "framework/graphics/EllipseOutline.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/Graphic.h"
#include "platform/kernel32/CodePage.h"

namespace {

bool gFastPaths = true;

} // namespace

void TCanvas::SetFastPaths(bool enabled) {
    gFastPaths = enabled;
}

TCanvas::TCanvas(TBitmap* target) {
    SetTarget(target);
}

void TCanvas::SetTarget(TBitmap* target) {
    FTarget = target;
    FSaved.clear();
    FState = TState{};
    FState.Clip = TargetBounds();
}

TRect TCanvas::TargetBounds() const {
    return FTarget ? Rect(0, 0, FTarget->Width(), FTarget->Height()) : TRect{};
}

void TCanvas::MoveOrigin(int32_t dx, int32_t dy) {
    FState.Origin.X += dx;
    FState.Origin.Y += dy;
}

TRect TCanvas::ClipRect() const {
    // Keep the clip meaningful if the target was resized since it was set.
    TRect clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    return OffsetRect(clip, -FState.Origin.X, -FState.Origin.Y);
}

void TCanvas::SetClipRect(const TRect& rect) {
    IntersectRect(FState.Clip, ToDevice(rect), TargetBounds());
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    TRect clip = FState.Clip;
    IntersectRect(FState.Clip, clip, ToDevice(rect));
}

void TCanvas::ResetClip() {
    FState.Clip = TargetBounds();
}

int TCanvas::SaveState() {
    FSaved.push_back(FState);
    return int(FSaved.size());
}

void TCanvas::RestoreState(int level) {
    if (FSaved.empty())
        return;
    if (level < 0)
        level = int(FSaved.size()) + 1 + level;
    if (level < 1 || level > int(FSaved.size()))
        return;
    FState = FSaved[size_t(level - 1)];
    FSaved.resize(size_t(level - 1));
}

TColor TCanvas::Pixel(int32_t x, int32_t y) const {
    if (!FTarget)
        return clNone;
    return FTarget->Pixel(x + FState.Origin.X, y + FState.Origin.Y);
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    TPoint p{x + FState.Origin.X, y + FState.Origin.Y};
    TRect clip = ClipRect();
    if (!FTarget || !PtInRect(OffsetRect(clip, FState.Origin.X, FState.Origin.Y), p))
        return;
    FTarget->ScanLine(p.Y)[p.X] = ColorToRGB(color);
}

void TCanvas::FillDevice(const TRect& deviceRect, TColor rgb) {
    TRect r, clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    if (!FTarget || !IntersectRect(r, deviceRect, clip))
        return;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::fill_n(FTarget->ScanLine(y) + r.Left, r.Width(), rgb);
}

void TCanvas::FillRect(const TRect& rect) {
    if (FBrush.Style() == TBrushStyle::bsClear)
        return;
    if (FBrush.Style() != TBrushStyle::bsSolid || FBrush.Bitmap()) {
        FillBrushDevice(ToDevice(rect)); // hatch or pattern (CanvasShapes.cpp)
        return;
    }
    FillDevice(ToDevice(rect), ColorToRGB(FBrush.Color()));
}

void TCanvas::FrameRect(const TRect& rect) {
    if (FBrush.Style() == TBrushStyle::bsClear || IsRectEmpty(rect))
        return;
    const TColor c = ColorToRGB(FBrush.Color());
    const TRect d = ToDevice(rect);
    FillDevice(Rect(d.Left, d.Top, d.Right, d.Top + 1), c);
    FillDevice(Rect(d.Left, d.Bottom - 1, d.Right, d.Bottom), c);
    FillDevice(Rect(d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1), c);
    FillDevice(Rect(d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1), c);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    if (!FTarget || IsRectEmpty(rect))
        return;
    TRect clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    const TRect d = ToDevice(rect);
    auto invert = [&](int32_t x, int32_t y) {
        if (((x + y) & 1) == 0 && PtInRect(clip, {x, y}))
            FTarget->ScanLine(y)[x] ^= 0xFFFFFF;
    };
    for (int32_t x = d.Left; x < d.Right; ++x) {
        invert(x, d.Top);
        if (d.Bottom - 1 > d.Top)
            invert(x, d.Bottom - 1);
    }
    for (int32_t y = d.Top + 1; y < d.Bottom - 1; ++y) {
        invert(d.Left, y);
        if (d.Right - 1 > d.Left)
            invert(d.Right - 1, y);
    }
}

void TCanvas::PlotPen(int32_t x, int32_t y, TColor rgb) {
    if (FPen.Style() == TPenStyle::psDot && (FDotPhase++ & 1))
        return;
    const int32_t w = std::max(FPen.Width(), 1);
    const int32_t x0 = x - (w - 1) / 2, y0 = y - (w - 1) / 2;
    FillDevice(ToDevice(Rect(x0, y0, x0 + w, y0 + w)), rgb);
}

void TCanvas::PenLine(TPoint from, TPoint to, TColor rgb) {
    // Bresenham, end point left out.
    int32_t dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
    int32_t sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
    int32_t err = dx + dy;
    int32_t x = from.X, y = from.Y;
    while (x != to.X || y != to.Y) {
        PlotPen(x, y, rgb);
        int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
    FPenPos = {x, y};
    FDotPhase = 0;
}

void TCanvas::LineTo(int32_t x, int32_t y) {
    if (FPen.Style() != TPenStyle::psClear)
        PenLine(FPenPos, {x, y}, ColorToRGB(FPen.Color()));
    FPenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    TPoint saved = FPenPos;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    FPenPos = saved; // Polyline neither uses nor moves the pen position
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    TRect r = NormalizeRect(Rect(x1, y1, x2, y2));
    if (FPen.Style() == TPenStyle::psClear) {
        // Without an outline the platform fills one pixel less to the right
        // and bottom.
        FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
        return;
    }
    FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    if (IsRectEmpty(r))
        return;
    TPoint saved = FPenPos;
    const TColor c = ColorToRGB(FPen.Color());
    FDotPhase = 0;
    int32_t R = r.Right - 1, B = r.Bottom - 1;
    if (R == r.Left || B == r.Top) {
        PenLine({r.Left, r.Top}, {R + 1, B + (R == r.Left ? 1 : 0)}, c);
    } else {
        PenLine({r.Left, r.Top}, {R, r.Top}, c);
        PenLine({R, r.Top}, {R, B}, c);
        PenLine({R, B}, {r.Left, B}, c);
        PenLine({r.Left, B}, {r.Left, r.Top}, c);
    }
    FPenPos = saved;
}

void TCanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                  int32_t x4, int32_t y4) {
    if (FPen.Style() == TPenStyle::psClear)
        return;
    TRect box = NormalizeRect(Rect(x1, y1, x2, y2));
    if (box.Width() < 1 || box.Height() < 1)
        return;
    // The ellipse runs through the centres of the box's outer pixels.
    const double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
    constexpr double kTwoPi = 2 * std::numbers::pi;
    auto angle = [&](double x, double y) {
        double t = std::atan2(-(y - cy), x - cx); // y axis up: counterclockwise on screen
        return t < 0 ? t + kTwoPi : t;
    };
    const double start = angle(x3, y3), end = angle(x4, y4);
    double sweep = end - start;
    if (sweep <= 0)
        sweep += kTwoPi;
    const TColor c = ColorToRGB(FPen.Color());
    const std::vector<TPoint> pixels = EllipseOutline(box);
    FDotPhase = 0;
    for (const TPoint& p : pixels) {
        double t = angle(p.X, p.Y) - start;
        if (t < 0)
            t += kTwoPi;
        if (t <= sweep + 1e-9)
            PlotPen(p.X, p.Y, c);
    }
}

void TCanvas::Draw(int32_t x, int32_t y, const TGraphic& graphic) {
    graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
    graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    if (!source.FTarget)
        return;
    StretchBlt(dest, *source.FTarget,
               OffsetRect(sourceRect, source.FState.Origin.X, source.FState.Origin.Y));
}

void TCanvas::Axis(int32_t start, int32_t end, int64_t& lo, int64_t& len, bool& reversed) {
    int64_t extent = int64_t(end) - start;
    reversed = extent < 0;
    lo = reversed ? start + extent + 1 : start;
    len = reversed ? -extent : extent;
}

bool TCanvas::MapStretch(const TRect& dest, const TRect& sourceRect, TStretchMap& map) const {
    bool dxr, dyr, sxr, syr;
    const TRect d = ToDevice(dest);
    Axis(d.Left, d.Right, map.DX, map.DW, dxr);
    Axis(d.Top, d.Bottom, map.DY, map.DH, dyr);
    Axis(sourceRect.Left, sourceRect.Right, map.SX, map.SW, sxr);
    Axis(sourceRect.Top, sourceRect.Bottom, map.SY, map.SH, syr);
    if (map.DW == 0 || map.DH == 0 || map.SW == 0 || map.SH == 0)
        return false;
    map.MirrorX = dxr != sxr;
    map.MirrorY = dyr != syr;
    TRect clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    return IntersectRect(map.Area, clip,
                         Rect(int32_t(std::max<int64_t>(map.DX, INT32_MIN)),
                              int32_t(std::max<int64_t>(map.DY, INT32_MIN)),
                              int32_t(std::min<int64_t>(map.DX + map.DW, INT32_MAX)),
                              int32_t(std::min<int64_t>(map.DY + map.DH, INT32_MAX))));
}

void TCanvas::StretchBlt(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                         TColor key, const std::vector<uint8_t>* alpha) {
    TStretchMap map;
    if (!FTarget || !MapStretch(dest, sourceRect, map))
        return;
    const bool keyed = key != clNone;
    const uint32_t keyRgb = ColorToRGB(key);
    const int64_t srcW = source.Width(), srcH = source.Height();
    if (&source == FTarget) {
        // Copy within one bitmap: go through a copy so that overlapping
        // areas read the original pixels.
        TBitmap copy(source);
        StretchBlt(dest, copy, sourceRect, key, alpha);
        return;
    }

    // Fast path: unscaled, unmirrored, opaque, source fully inside.
    const TRect& area = map.Area;
    if (gFastPaths && !keyed && !alpha && map.DW == map.SW && map.DH == map.SH && !map.MirrorX &&
        !map.MirrorY && map.SX >= 0 && map.SY >= 0 && map.SX + map.SW <= srcW &&
        map.SY + map.SH <= srcH) {
        for (int32_t y = area.Top; y < area.Bottom; ++y) {
            const uint32_t* src =
                source.ScanLine(int32_t(map.SY + (y - map.DY))) + (map.SX + (area.Left - map.DX));
            std::memcpy(FTarget->ScanLine(y) + area.Left, src, size_t(area.Width()) * 4);
        }
        return;
    }

    // The general path, and the oracle for the fast one: every destination
    // pixel samples the source at its centre.
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        const int64_t srcY = map.SourceY(y);
        if (srcY < 0 || srcY >= srcH)
            continue;
        const uint32_t* src = source.ScanLine(int32_t(srcY));
        uint32_t* out = FTarget->ScanLine(y);
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const int64_t srcX = map.SourceX(x);
            if (srcX < 0 || srcX >= srcW)
                continue;
            const uint32_t p = src[srcX] & 0xFFFFFF;
            if (keyed && p == keyRgb)
                continue;
            if (alpha) {
                const uint32_t a = (*alpha)[size_t(srcY * srcW + srcX)];
                if (a == 0)
                    continue;
                if (a < 255) {
                    const uint32_t q = out[x];
                    auto mix = [&](int shift) {
                        uint32_t s = (p >> shift) & 0xFF, t = (q >> shift) & 0xFF;
                        return ((s * a + t * (255 - a) + 127) / 255) << shift;
                    };
                    out[x] = mix(0) | mix(8) | mix(16);
                    continue;
                }
            }
            out[x] = p;
        }
    }
}

int32_t TCanvas::TextWidth(const std::string& text) {
    return GetFontFace(FFont).TextWidth(text);
}

int32_t TCanvas::TextHeight(const std::string&) {
    return GetFontFace(FFont).Height();
}

void TCanvas::TextRun(int32_t x, int32_t y, const std::string& text, const TRect* clipRect,
                      int underlineIndex) {
    if (!FTarget)
        return;
    TFontFace& face = GetFontFace(FFont);
    const uint32_t color = ColorToRGB(FFont.Color());
    TRect clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    if (clipRect) {
        TRect c = clip;
        IntersectRect(clip, c, ToDevice(*clipRect));
    }
    if (IsRectEmpty(clip))
        return;
    const int32_t ox = x + FState.Origin.X, oy = y + FState.Origin.Y;
    int32_t pen = ox;
    for (size_t k = 0; k < text.size();) {
        const size_t start = k;
        const TCharacter c = DecodeCharacter(text, k);
        k += c.Length;
        const TGlyph& g = face.Glyph(c.CodePoint);
        const int32_t gx = pen + g.Left, gy = oy + g.Top;
        for (int32_t row = 0; row < g.Height; ++row) {
            const int32_t py = gy + row;
            if (py < clip.Top || py >= clip.Bottom)
                continue;
            uint32_t* out = FTarget->ScanLine(py);
            const uint8_t* bits = g.Bits.data() + size_t(row) * size_t(g.Width);
            for (int32_t col = 0; col < g.Width; ++col) {
                const int32_t px = gx + col;
                if (bits[col] && px >= clip.Left && px < clip.Right)
                    out[px] = color;
            }
        }
        if (int(start) == underlineIndex) {
            TRect line = Bounds(pen, oy + face.UnderlineTop(), g.Advance, face.LineThickness());
            TRect r;
            if (IntersectRect(r, line, clip))
                for (int32_t py = r.Top; py < r.Bottom; ++py)
                    std::fill_n(FTarget->ScanLine(py) + r.Left, r.Width(), color);
        }
        pen += g.Advance;
    }
    const int32_t width = pen - ox;
    auto decorate = [&](int32_t top) {
        TRect r;
        if (IntersectRect(r, Bounds(ox, oy + top, width, face.LineThickness()), clip))
            for (int32_t py = r.Top; py < r.Bottom; ++py)
                std::fill_n(FTarget->ScanLine(py) + r.Left, r.Width(), color);
    };
    if (FFont.Style() & fsUnderline)
        decorate(face.UnderlineTop());
    if (FFont.Style() & fsStrikeOut)
        decorate(face.StrikeOutTop());
}

void TCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
    const int32_t width = TextWidth(text);
    if (FBrush.Style() != TBrushStyle::bsClear)
        FillDevice(ToDevice(Bounds(x, y, width, TextHeight(text))), ColorToRGB(FBrush.Color()));
    TextRun(x, y, text, nullptr);
    FPenPos = {x + width, y};
}

void TCanvas::TextRect(const TRect& rect, int32_t x, int32_t y, const std::string& text) {
    if (FBrush.Style() != TBrushStyle::bsClear) {
        FillDevice(ToDevice(rect), ColorToRGB(FBrush.Color()));
    }
    TextRun(x, y, text, &rect);
}
