#include "framework/graphics/metafile/MetafileDC.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Endian.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/metafile/MetafileFormat.h"
#include "platform/kernel32/CodePage.h"

namespace {

constexpr int32_t kMaxPenPixels = 4096;

bool Finite(double v) {
    return std::isfinite(v) && std::abs(v) < 1e12;
}

} // namespace

TMetafileDC::TMetafileDC(TCanvas& canvas, const TRect& rect, uint32_t objects,
                         TMetafileCache& cache)
    : FCanvas(canvas), FCache(cache), FRect(rect), FObjectLimit(objects) {
    FSavedCanvasState = canvas.SaveState();
    FSavedPen.Assign(canvas.Pen());
    FSavedBrush.Assign(canvas.Brush());
    FSavedFont.Assign(canvas.Font());
    FSavedTextAlign = canvas.TextAlign();
    // A mirrored rectangle covers Right+1..Left, as the blitter lays it
    // out: the picture's edges are the edges of those pixels.
    if (FRect.Right < FRect.Left && FRect.Left < INT32_MAX)
        ++FRect.Left, ++FRect.Right;
    if (FRect.Bottom < FRect.Top && FRect.Top < INT32_MAX)
        ++FRect.Top, ++FRect.Bottom;
    const TRect area = NormalizeRect(FRect);
    IntersectRect(FBaseClip, canvas.ClipRect(), area);
    ApplyClip();
}

TMetafileDC::~TMetafileDC() {
    FCanvas.RestoreState(FSavedCanvasState);
    FCanvas.Pen().Assign(FSavedPen);
    FCanvas.Brush().Assign(FSavedBrush);
    FCanvas.Font().Assign(FSavedFont);
    FCanvas.SetTextAlign(FSavedTextAlign);
}

void TMetafileDC::SetupWmf(double left, double top, double width, double height) {
    FWmf = true;
    FState.MapMode = mf::MM_ANISOTROPIC;
    FState.WinOrgX = left;
    FState.WinOrgY = top;
    FState.WinExtX = width;
    FState.WinExtY = height;
    FState.VpOrgX = FRect.Left;
    FState.VpOrgY = FRect.Top;
    FState.VpExtX = double(FRect.Right) - FRect.Left;
    FState.VpExtY = double(FRect.Bottom) - FRect.Top;
    Invalidate();
}

void TMetafileDC::SetupEmf(const TMetafileInfo& info) {
    FWmf = false;
    FPixelsPerMmX = info.PixelsPerMmX;
    FPixelsPerMmY = info.PixelsPerMmY;
    const double sx = (double(FRect.Right) - FRect.Left) / (info.FrameRight - info.FrameLeft);
    const double sy = (double(FRect.Bottom) - FRect.Top) / (info.FrameBottom - info.FrameTop);
    FDevice = {sx, 0, 0, sy, FRect.Left - info.FrameLeft * sx, FRect.Top - info.FrameTop * sy};
    Invalidate();
}

TXform TMetafileDC::PageTransform() const {
    const TState& s = FState;
    double sx = 1, sy = 1;
    switch (s.MapMode) {
    case mf::MM_LOMETRIC:
        sx = FPixelsPerMmX * 0.1, sy = -FPixelsPerMmY * 0.1;
        break;
    case mf::MM_HIMETRIC:
        sx = FPixelsPerMmX * 0.01, sy = -FPixelsPerMmY * 0.01;
        break;
    case mf::MM_LOENGLISH:
        sx = FPixelsPerMmX * 0.254, sy = -FPixelsPerMmY * 0.254;
        break;
    case mf::MM_HIENGLISH:
        sx = FPixelsPerMmX * 0.0254, sy = -FPixelsPerMmY * 0.0254;
        break;
    case mf::MM_TWIPS:
        sx = FPixelsPerMmX * 25.4 / 1440, sy = -FPixelsPerMmY * 25.4 / 1440;
        break;
    case mf::MM_ISOTROPIC: {
        sx = s.VpExtX / s.WinExtX, sy = s.VpExtY / s.WinExtY;
        const double m = std::min(std::abs(sx), std::abs(sy));
        sx = std::copysign(m, sx), sy = std::copysign(m, sy);
        break;
    }
    case mf::MM_ANISOTROPIC:
        sx = s.VpExtX / s.WinExtX, sy = s.VpExtY / s.WinExtY;
        break;
    default:
        break;
    }
    return {sx, 0, 0, sy, s.VpOrgX - s.WinOrgX * sx, s.VpOrgY - s.WinOrgY * sy};
}

TXform TMetafileDC::DeviceTransform() const {
    if (!(FState.Layout & mf::LAYOUT_RTL))
        return FDevice;
    // Mirrored about the middle of the picture's rectangle.
    const TXform mirror{-1, 0, 0, 1, double(FRect.Left) + FRect.Right, 0};
    return Multiply(FDevice, mirror);
}

const TXform& TMetafileDC::Transform() {
    if (FTransformValid)
        return FTransform;
    FTransform = Multiply(Multiply(FState.World, PageTransform()), DeviceTransform());
    FTransformValid = true;
    return FTransform;
}

TPoint TMetafileDC::OutRounded(double x, double y) {
    const TPointF p = Out(x, y);
    return {CanvasInt(p.X), CanvasInt(p.Y)};
}

TRect TMetafileDC::OutRect(double l, double t, double r, double b) {
    if (AxisAligned()) {
        const TPoint p = OutRounded(l, t), q = OutRounded(r, b);
        return NormalizeRect(Rect(p.X, p.Y, q.X, q.Y));
    }
    return BoundsOf({Out(l, t), Out(r, t), Out(r, b), Out(l, b)}, 0);
}

void TMetafileDC::ApplyClip() {
    TRect clip = FBaseClip;
    if (FState.HasMeta)
        IntersectRect(clip, TRect(clip), FState.Meta);
    if (FState.HasClip)
        IntersectRect(clip, TRect(clip), FState.Clip);
    FCanvas.SetClipRect(clip);
}

// The clip that clipping records narrow: the clip region, else the meta
// region, else the picture's rectangle.
TRect TMetafileDC::CurrentClip() const {
    return FState.HasClip ? FState.Clip : FState.HasMeta ? FState.Meta : FBaseClip;
}

// The cost of a drawing: the pixels of its bounds within the clip plus
// `points`.
bool TMetafileDC::Charge(const TRect& bounds, size_t points) {
    TRect visible;
    int64_t area = 0;
    if (IntersectRect(visible, bounds, FCanvas.ClipRect()))
        area = int64_t(visible.Width()) * visible.Height();
    FWork -= area + int64_t(points) + 1;
    return FWork >= 0;
}

// The cost of filling and stroking contours of n points in all, as the
// canvas does the work: a fill visits each visible row with every edge
// and sorts the crossings; a one-pixel line walks across the visible
// part; a wide pen paints a quadrilateral and a join per point.
// A box shape: its visible pixels, and with a wide pen the stroke of its
// flattened outline.
bool TMetafileDC::ChargeBox(const TRect& box) {
    const int32_t pen = FCanvas.Pen().Style() == TPenStyle::psClear ? 0 : FCanvas.Pen().Width();
    TRect visible;
    int64_t cost = 5;
    if (IntersectRect(visible, InflateRect(box, pen, pen), FCanvas.ClipRect())) {
        const int64_t w = visible.Width(), h = visible.Height();
        cost += 2 * w * h;
        if (pen > 1)
            cost += 1024 * 8 + 2 * (w + h) * std::min<int64_t>(pen, w + h);
    }
    FWork -= cost;
    return FWork >= 0;
}

bool TMetafileDC::ChargePoints(const std::vector<TPointF>& points, bool fill, bool stroke) {
    const int32_t pen = FCanvas.Pen().Style() == TPenStyle::psClear ? 0 : FCanvas.Pen().Width();
    TRect visible;
    if (!IntersectRect(visible, BoundsOf(points, pen), FCanvas.ClipRect())) {
        FWork -= int64_t(points.size()) + 1;
        return FWork >= 0;
    }
    const int64_t n = int64_t(points.size()), w = visible.Width(), h = visible.Height();
    int64_t cost = n + 1;
    if (fill)
        cost += w * h + n * h * (1 + int64_t(std::log2(double(n) + 1)));
    if (stroke && pen > 0) {
        const int64_t thick = std::min<int64_t>(pen, w + h);
        cost += pen <= 1 ? n * (w + h + 1) : n * (thick + 1) * (w + h + thick + 1);
    }
    FWork -= cost;
    return FWork >= 0;
}

// ---- State ----

void TMetafileDC::SaveDC() {
    if (FSaved.size() >= kMaxSavedStates) {
        ++FPhantomSaves;
        return;
    }
    FSaved.push_back(FState);
}

void TMetafileDC::RestoreDC(int32_t which) {
    const int64_t depth = int64_t(FSaved.size() + FPhantomSaves);
    const int64_t level = which < 0 ? depth + which + 1 : which;
    if (level < 1 || level > depth)
        return;
    // Saves beyond the limit come last; restoring one keeps the state.
    for (int64_t d = depth; d >= level; --d) {
        if (FPhantomSaves > 0) {
            --FPhantomSaves;
            continue;
        }
        FState = std::move(FSaved.back());
        FSaved.pop_back();
    }
    Invalidate();
    ApplyClip();
}

void TMetafileDC::SetMapMode(int mode) {
    if (FWmf || mode < mf::MM_TEXT || mode > mf::MM_ANISOTROPIC)
        return;
    FState.MapMode = mode;
    Invalidate();
}

void TMetafileDC::SetWindowOrg(double x, double y) {
    FState.WinOrgX = x, FState.WinOrgY = y;
    Invalidate();
}

void TMetafileDC::SetWindowExt(double x, double y) {
    // The platform refuses an empty extent, and ignores extents in the
    // fixed map modes.
    if (x == 0 || y == 0 || !Finite(x) || !Finite(y))
        return;
    if (!FWmf && FState.MapMode != mf::MM_ISOTROPIC && FState.MapMode != mf::MM_ANISOTROPIC)
        return;
    FState.WinExtX = x, FState.WinExtY = y;
    Invalidate();
}

void TMetafileDC::SetViewportOrg(double x, double y) {
    if (FWmf)
        return;
    FState.VpOrgX = x, FState.VpOrgY = y;
    Invalidate();
}

void TMetafileDC::SetViewportExt(double x, double y) {
    if (FWmf || x == 0 || y == 0 || !Finite(x) || !Finite(y))
        return;
    if (FState.MapMode != mf::MM_ISOTROPIC && FState.MapMode != mf::MM_ANISOTROPIC)
        return;
    FState.VpExtX = x, FState.VpExtY = y;
    Invalidate();
}

void TMetafileDC::OffsetWindowOrg(double dx, double dy) {
    SetWindowOrg(FState.WinOrgX + dx, FState.WinOrgY + dy);
}

void TMetafileDC::OffsetViewportOrg(double dx, double dy) {
    SetViewportOrg(FState.VpOrgX + dx, FState.VpOrgY + dy);
}

void TMetafileDC::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom == 0 || yDenom == 0)
        return;
    SetWindowExt(FState.WinExtX * xNum / xDenom, FState.WinExtY * yNum / yDenom);
}

void TMetafileDC::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom == 0 || yDenom == 0)
        return;
    SetViewportExt(FState.VpExtX * xNum / xDenom, FState.VpExtY * yNum / yDenom);
}

void TMetafileDC::SetWorldTransform(const TXform& xf) {
    for (double v : {xf.M11, xf.M12, xf.M21, xf.M22, xf.Dx, xf.Dy})
        if (!Finite(v))
            return;
    if (xf.Det() == 0)
        return;
    FState.World = xf;
    Invalidate();
}

void TMetafileDC::ModifyWorldTransform(const TXform& xf, uint32_t mode) {
    switch (mode) {
    case 1: // identity
        FState.World = TXform{};
        Invalidate();
        return;
    case 2: // left multiply: xf applies first
        SetWorldTransform(Multiply(xf, FState.World));
        return;
    case 3:
        SetWorldTransform(Multiply(FState.World, xf));
        return;
    case 4:
        SetWorldTransform(xf);
        return;
    default:
        return;
    }
}

void TMetafileDC::SetBkMode(int mode) {
    if (mode == mf::TRANSPARENT || mode == mf::OPAQUE)
        FState.BkMode = mode;
}

void TMetafileDC::SetPolyFillMode(int mode) {
    if (mode == mf::ALTERNATE || mode == mf::WINDING)
        FState.PolyFillMode = mode;
}

void TMetafileDC::SetArcDirection(int dir) {
    if (dir == mf::AD_COUNTERCLOCKWISE || dir == mf::AD_CLOCKWISE)
        FState.ArcDirection = dir;
}

void TMetafileDC::SetRop2(int mode) {
    if (mode >= int(TPenMode::pmBlack) && mode <= int(TPenMode::pmWhite))
        FState.Rop2 = mode;
}

void TMetafileDC::SetStretchMode(int mode) {
    if (mode >= mf::BLACKONWHITE && mode <= mf::HALFTONE)
        FState.StretchMode = mode;
}

void TMetafileDC::SetMiterLimit(double limit) {
    if (limit >= 1 && Finite(limit))
        FState.MiterLimit = limit;
}

void TMetafileDC::SetBrushOrg(int32_t x, int32_t y) {
    FState.BrushOrg = {std::clamp(x, -kMaxShapeCoordinate, kMaxShapeCoordinate),
                       std::clamp(y, -kMaxShapeCoordinate, kMaxShapeCoordinate)};
}

void TMetafileDC::SetLayout(uint32_t layout) {
    FState.Layout = layout & (mf::LAYOUT_RTL | mf::LAYOUT_BITMAPORIENTATIONPRESERVED);
    Invalidate();
}

void TMetafileDC::SetMetaRegion() {
    TRect meta = FBaseClip;
    if (FState.HasMeta)
        IntersectRect(meta, TRect(meta), FState.Meta);
    if (FState.HasClip)
        IntersectRect(meta, TRect(meta), FState.Clip);
    FState.Meta = meta;
    FState.HasMeta = true;
    FState.HasClip = false;
    ApplyClip();
}

// ---- Objects ----

void TMetafileDC::AddObject(TMfObject object) {
    if (!FFreeSlots.empty()) {
        const uint32_t index = *FFreeSlots.begin();
        FFreeSlots.erase(FFreeSlots.begin());
        FObjects[index] = std::make_unique<TMfObject>(std::move(object));
        return;
    }
    // A full table refuses the object; its slot stays as it is, as the
    // platform's player leaves it.
    if (FObjects.size() < FObjectLimit)
        FObjects.push_back(std::make_unique<TMfObject>(std::move(object)));
}

void TMetafileDC::SetObject(uint32_t index, TMfObject object) {
    if (index >= FObjectLimit)
        return;
    if (FObjects.size() <= index)
        FObjects.resize(size_t(index) + 1);
    FObjects[index] = std::make_unique<TMfObject>(std::move(object));
    FFreeSlots.erase(index);
}

void TMetafileDC::DeleteObject(uint32_t index) {
    if (index < FObjects.size() && FObjects[index]) {
        FObjects[index].reset();
        FFreeSlots.insert(index);
    }
}

const TMfObject* TMetafileDC::Object(uint32_t index) const {
    return index < FObjects.size() ? FObjects[index].get() : nullptr;
}

std::vector<TColor>* TMetafileDC::PaletteAt(uint32_t index) {
    if (index >= FObjects.size() || !FObjects[index])
        return nullptr;
    auto* palette = std::get_if<TMfPalette>(FObjects[index].get());
    return palette ? palette->Entries.get() : nullptr;
}

void TMetafileDC::SelectPalette(uint32_t index) {
    if (index < FObjects.size() && FObjects[index])
        if (auto* palette = std::get_if<TMfPalette>(FObjects[index].get()))
            FState.Palette = palette->Entries;
}

void TMetafileDC::SelectDefaultPalette() {
    FState.Palette.reset();
}

TColor TMetafileDC::Color(uint32_t ref) const {
    if ((ref >> 24) != 1)
        return ColorFromRef(ref);
    const std::vector<TColor>& palette = FState.Palette ? *FState.Palette : DefaultPalette();
    const size_t index = ref & 0xFFFF;
    if (index < palette.size())
        return palette[index];
    return palette.empty() ? clBlack : palette[0];
}

void TMetafileDC::SelectObject(uint32_t index) {
    const TMfObject* object = Object(index);
    if (!object)
        return;
    if (auto* pen = std::get_if<TMfPen>(object))
        FState.Pen = *pen;
    else if (auto* brush = std::get_if<TMfBrush>(object))
        FState.Brush = *brush;
    else if (auto* font = std::get_if<TMfFont>(object))
        FState.Font = *font;
    else if (auto* region = std::get_if<TMfRegion>(object))
        SelectClipRegion(*region);
}

void TMetafileDC::SelectStockObject(uint32_t stock) {
    static const TColor kBrushes[5] = {clWhite, 0xC0C0C0, 0x808080, 0x404040, clBlack};
    if (stock <= 4) {
        FState.Brush = TMfBrush{TBrushStyle::bsSolid, kBrushes[stock], nullptr};
    } else if (stock == 5) {
        FState.Brush = TMfBrush{TBrushStyle::bsClear, clWhite, nullptr};
    } else if (stock == 6 || stock == 7) {
        FState.Pen = TMfPen{};
        FState.Pen.Color = stock == 6 ? clWhite : clBlack;
    } else if (stock == 8) {
        FState.Pen = TMfPen{};
        FState.Pen.Style = TPenStyle::psClear;
    } else if ((stock >= 10 && stock <= 14) || stock == 16 || stock == 17) {
        FState.Font = TMfFont{};
        if (stock == 10 || stock == 11 || stock == 16)
            FState.Font.Face = "Courier New";
    }
}

// ---- Clipping ----

void TMetafileDC::IntersectClipRect(double l, double t, double r, double b) {
    TRect clip;
    IntersectRect(clip, CurrentClip(), OutRect(l, t, r, b));
    FState.Clip = clip;
    FState.HasClip = true;
    ApplyClip();
}

void TMetafileDC::ExcludeClipRect(double l, double t, double r, double b) {
    // Only a cut that leaves a rectangle can be kept; others are ignored.
    TRect c = CurrentClip();
    const TRect x = OutRect(l, t, r, b);
    const bool spansX = x.Left <= c.Left && x.Right >= c.Right;
    const bool spansY = x.Top <= c.Top && x.Bottom >= c.Bottom;
    if (spansX && spansY)
        c = TRect{};
    else if (spansX && x.Top <= c.Top && x.Bottom > c.Top)
        c.Top = x.Bottom;
    else if (spansX && x.Bottom >= c.Bottom && x.Top < c.Bottom)
        c.Bottom = x.Top;
    else if (spansY && x.Left <= c.Left && x.Right > c.Left)
        c.Left = x.Right;
    else if (spansY && x.Right >= c.Right && x.Left < c.Right)
        c.Right = x.Left;
    else
        return;
    FState.Clip = c;
    FState.HasClip = true;
    ApplyClip();
}

void TMetafileDC::OffsetClip(double dx, double dy) {
    if (!FState.HasClip)
        return;
    const TXform& m = Transform();
    const double ox = dx * m.M11 + dy * m.M21, oy = dx * m.M12 + dy * m.M22;
    FState.Clip = OffsetRect(FState.Clip, CanvasInt(ox), CanvasInt(oy));
    ApplyClip();
}

void TMetafileDC::SetDeviceClip(const TRect* bounds, bool intersect) {
    if (!bounds) {
        FState.HasClip = false;
        ApplyClip();
        return;
    }
    const TXform device = DeviceTransform();
    const TPointF p = device.Apply(bounds->Left, bounds->Top);
    const TPointF q = device.Apply(bounds->Right, bounds->Bottom);
    const TRect r =
        NormalizeRect(Rect(CanvasInt(p.X), CanvasInt(p.Y), CanvasInt(q.X), CanvasInt(q.Y)));
    TRect clip = r;
    if (intersect)
        IntersectRect(clip, CurrentClip(), r);
    FState.Clip = clip;
    FState.HasClip = true;
    ApplyClip();
}

void TMetafileDC::SelectClipRegion(const TMfRegion& region) {
    FState.Clip =
        OutRect(region.Bounds.Left, region.Bounds.Top, region.Bounds.Right, region.Bounds.Bottom);
    FState.HasClip = true;
    ApplyClip();
}

// ---- Realizing the selected objects on the canvas ----

void TMetafileDC::RealizePen() {
    const TMfPen& m = FState.Pen;
    TPen& p = FCanvas.Pen();
    int32_t width = 1;
    if (!m.Cosmetic && m.Width > 0)
        width = int32_t(std::clamp(std::round(m.Width * Transform().LinearScale()), 1.0,
                                   double(kMaxPenPixels)));
    TPenStyle style = m.Style;
    if (width > 1 && style != TPenStyle::psClear && style != TPenStyle::psInsideFrame)
        style = TPenStyle::psSolid; // wide pens are never dashed
    if (width <= 1 && style == TPenStyle::psInsideFrame)
        style = TPenStyle::psSolid;
    p.SetStyle(style);
    p.SetWidth(width);
    p.SetColor(m.Color);
    p.SetEndCap(m.EndCap);
    p.SetJoin(m.Join);
    p.SetMode(TPenMode(FState.Rop2));
    p.SetMiterLimit(FState.MiterLimit);
}

void TMetafileDC::RealizeBrush() {
    const TMfBrush& m = FState.Brush;
    TBrush& b = FCanvas.Brush();
    b.SetBitmap(nullptr);
    b.SetColor(m.Color);
    b.SetStyle(m.Style);
    if (m.Pattern && m.Style != TBrushStyle::bsClear)
        b.SetBitmap(m.Pattern);
    b.SetOrigin(FState.BrushOrg);
}

template <class F> void TMetafileDC::WithBrush(F draw) {
    RealizePen();
    const TMfBrush& m = FState.Brush;
    if (m.Style != TBrushStyle::bsSolid && m.Style != TBrushStyle::bsClear && !m.Pattern &&
        FState.BkMode == mf::OPAQUE) {
        FCanvas.Brush().SetBitmap(nullptr);
        FCanvas.Brush().SetColor(FState.BkColor);
        draw();
    }
    RealizeBrush();
    draw();
}

// ---- Paths ----

void TMetafileDC::BeginPath() {
    FPath.clear();
    FPathPoints = 0;
    FPathOpen = true;
}

void TMetafileDC::AbortPath() {
    FPath.clear();
    FPathPoints = 0;
    FPathOpen = false;
}

void TMetafileDC::AddFigure(std::vector<TPointF> points, bool closed) {
    if (FPathPoints + points.size() > kMaxPathPoints) {
        AbortPath();
        return;
    }
    FPathPoints += points.size();
    FPath.push_back({std::move(points), closed});
}

// Lines and curves continue the open figure that the current position
// ends, or start one there.
void TMetafileDC::ExtendFigure(const std::vector<TPointF>& points) {
    if (FPath.empty() || FPath.back().Closed) {
        const TPointF start = Out(FState.Position.X, FState.Position.Y);
        AddFigure({start}, false);
        if (!FPathOpen)
            return;
    }
    if (FPathPoints + points.size() > kMaxPathPoints) {
        AbortPath();
        return;
    }
    FPathPoints += points.size();
    auto& figure = FPath.back().Points;
    figure.insert(figure.end(), points.begin(), points.end());
}

void TMetafileDC::CloseFigure() {
    if (FPathOpen && !FPath.empty())
        FPath.back().Closed = true;
}

void TMetafileDC::FillContours(std::vector<std::vector<TPointF>> contours, bool stroke,
                               bool closedStroke) {
    std::vector<TPointF> all;
    for (const auto& c : contours)
        all.insert(all.end(), c.begin(), c.end());
    RealizePen();
    if (!ChargePoints(all, true, stroke))
        return;
    const TFillMode mode =
        FState.PolyFillMode == mf::WINDING ? TFillMode::fmWinding : TFillMode::fmAlternate;
    WithBrush([&] {
        FCanvas.FillContours(contours, mode);
        if (stroke)
            FCanvas.StrokeContours(contours, closedStroke);
    });
}

void TMetafileDC::FillPath() {
    std::vector<std::vector<TPointF>> contours;
    for (const TFigure& f : FPath)
        contours.push_back(f.Points);
    AbortPath();
    RealizePen();
    FCanvas.Pen().SetStyle(TPenStyle::psClear);
    std::vector<TPointF> all;
    for (const auto& c : contours)
        all.insert(all.end(), c.begin(), c.end());
    if (!ChargePoints(all, true, false))
        return;
    const TFillMode mode =
        FState.PolyFillMode == mf::WINDING ? TFillMode::fmWinding : TFillMode::fmAlternate;
    const TMfBrush& m = FState.Brush;
    if (m.Style != TBrushStyle::bsSolid && m.Style != TBrushStyle::bsClear && !m.Pattern &&
        FState.BkMode == mf::OPAQUE) {
        FCanvas.Brush().SetBitmap(nullptr);
        FCanvas.Brush().SetColor(FState.BkColor);
        FCanvas.FillContours(contours, mode);
    }
    RealizeBrush();
    FCanvas.FillContours(contours, mode);
}

void TMetafileDC::StrokePath() {
    std::vector<TFigure> path = std::move(FPath);
    AbortPath();
    RealizePen();
    for (const TFigure& f : path) {
        if (!ChargePoints(f.Points, false, true))
            return;
        FCanvas.StrokeContours({f.Points}, f.Closed);
    }
}

void TMetafileDC::StrokeAndFillPath() {
    std::vector<TFigure> path = FPath;
    FillPath();
    FPath = std::move(path);
    StrokePath();
}

// ---- Drawing ----

void TMetafileDC::MoveTo(double x, double y) {
    FState.Position = {x, y};
    if (InPath())
        AddFigure({Out(x, y)}, false);
}

void TMetafileDC::LineTo(double x, double y) {
    if (InPath()) {
        ExtendFigure({Out(x, y)});
    } else {
        RealizePen();
        const TPoint p = OutRounded(FState.Position.X, FState.Position.Y), q = OutRounded(x, y);
        if (ChargePoints({{double(p.X), double(p.Y)}, {double(q.X), double(q.Y)}}, false, true))
            FCanvas.PolyPolyline({{p, q}});
    }
    FState.Position = {x, y};
}

void TMetafileDC::Polyline(const std::vector<TPointF>& points) {
    PolyPolyline({points});
}

void TMetafileDC::PolyPolyline(const std::vector<std::vector<TPointF>>& lines) {
    std::vector<std::vector<TPoint>> out;
    std::vector<TPointF> all;
    for (const auto& line : lines) {
        std::vector<TPointF> mapped;
        mapped.reserve(line.size());
        for (const TPointF& p : line)
            mapped.push_back(Out(p.X, p.Y));
        if (InPath()) {
            AddFigure(mapped, false);
            continue;
        }
        std::vector<TPoint> rounded;
        rounded.reserve(mapped.size());
        for (const TPointF& p : mapped)
            rounded.push_back({CanvasInt(p.X), CanvasInt(p.Y)});
        all.insert(all.end(), mapped.begin(), mapped.end());
        out.push_back(std::move(rounded));
    }
    if (InPath() || out.empty())
        return;
    RealizePen();
    if (ChargePoints(all, false, true))
        FCanvas.PolyPolyline(out);
}

void TMetafileDC::PolylineTo(const std::vector<TPointF>& points) {
    if (points.empty())
        return;
    std::vector<TPointF> line;
    line.reserve(points.size() + 1);
    if (InPath()) {
        for (const TPointF& p : points)
            line.push_back(Out(p.X, p.Y));
        ExtendFigure(line);
    } else {
        line.push_back(FState.Position);
        line.insert(line.end(), points.begin(), points.end());
        PolyPolyline({line});
    }
    FState.Position = points.back();
}

void TMetafileDC::PolyBezier(const std::vector<TPointF>& points) {
    if (points.size() < 4)
        return;
    std::vector<TPointF> mapped;
    mapped.reserve(points.size());
    for (const TPointF& p : points)
        mapped.push_back(Out(p.X, p.Y));
    std::vector<TPointF> line{mapped[0]};
    const std::vector<TPointF> rest(mapped.begin() + 1, mapped.end());
    const std::vector<TPointF> flat = FlattenBeziers(rest, mapped[0], kMaxRecordPoints);
    line.insert(line.end(), flat.begin(), flat.end());
    if (InPath()) {
        AddFigure(line, false);
        return;
    }
    std::vector<TPoint> rounded;
    for (const TPointF& p : line)
        rounded.push_back({CanvasInt(p.X), CanvasInt(p.Y)});
    RealizePen();
    if (ChargePoints(line, false, true))
        FCanvas.PolyPolyline({rounded});
}

void TMetafileDC::PolyBezierTo(const std::vector<TPointF>& points) {
    if (points.size() < 3)
        return;
    std::vector<TPointF> mapped;
    for (const TPointF& p : points)
        mapped.push_back(Out(p.X, p.Y));
    const TPointF start = Out(FState.Position.X, FState.Position.Y);
    const std::vector<TPointF> flat = FlattenBeziers(mapped, start, kMaxRecordPoints);
    FState.Position = points[(points.size() / 3) * 3 - 1];
    if (InPath()) {
        ExtendFigure(flat);
        return;
    }
    std::vector<TPoint> rounded{{CanvasInt(start.X), CanvasInt(start.Y)}};
    for (const TPointF& p : flat)
        rounded.push_back({CanvasInt(p.X), CanvasInt(p.Y)});
    RealizePen();
    if (ChargePoints(flat, false, true))
        FCanvas.PolyPolyline({rounded});
}

void TMetafileDC::PolyPolygon(const std::vector<std::vector<TPointF>>& polygons) {
    std::vector<std::vector<TPoint>> out;
    std::vector<TPointF> all;
    for (const auto& poly : polygons) {
        std::vector<TPointF> mapped;
        mapped.reserve(poly.size());
        for (const TPointF& p : poly)
            mapped.push_back(Out(p.X, p.Y));
        if (InPath()) {
            AddFigure(mapped, true);
            continue;
        }
        std::vector<TPoint> rounded;
        rounded.reserve(mapped.size());
        for (const TPointF& p : mapped)
            rounded.push_back({CanvasInt(p.X), CanvasInt(p.Y)});
        all.insert(all.end(), mapped.begin(), mapped.end());
        out.push_back(std::move(rounded));
    }
    if (InPath() || out.empty())
        return;
    RealizePen();
    if (!ChargePoints(all, true, true))
        return;
    const TFillMode mode =
        FState.PolyFillMode == mf::WINDING ? TFillMode::fmWinding : TFillMode::fmAlternate;
    WithBrush([&] { FCanvas.PolyPolygon(out, mode); });
}

void TMetafileDC::Rectangle(double l, double t, double r, double b) {
    if (InPath() || !AxisAligned()) {
        std::vector<TPointF> c = {Out(l, t), Out(r, t), Out(r, b), Out(l, b)};
        if (InPath())
            AddFigure(std::move(c), true);
        else
            FillContours({c}, true, true);
        return;
    }
    RoundRect(l, t, r, b, 0, 0);
}

void TMetafileDC::RoundRect(double l, double t, double r, double b, double w, double h) {
    if (InPath() || !AxisAligned()) {
        std::vector<TPointF> c = RoundRectPoints(Transform(), l, t, r, b, w, h);
        if (InPath())
            AddFigure(std::move(c), true);
        else
            FillContours({c}, true, true);
        return;
    }
    const TRect box = OutRect(l, t, r, b);
    const TXform& m = Transform();
    const int32_t ew = CanvasInt(std::abs(w * m.M11)), eh = CanvasInt(std::abs(h * m.M22));
    RealizePen();
    if (!ChargeBox(box))
        return;
    WithBrush([&] { FCanvas.RoundRect(box.Left, box.Top, box.Right, box.Bottom, ew, eh); });
}

void TMetafileDC::Ellipse(double l, double t, double r, double b) {
    if (InPath() || !AxisAligned()) {
        std::vector<TPointF> c =
            ArcPoints(Transform(), CounterClockwise(), l, t, r, b, {}, {}, true);
        if (InPath())
            AddFigure(std::move(c), true);
        else
            FillContours({c}, true, true);
        return;
    }
    const TRect box = OutRect(l, t, r, b);
    RealizePen();
    if (!ChargeBox(box))
        return;
    WithBrush([&] { FCanvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom); });
}

void TMetafileDC::ArcShape(TArcKind kind, double l, double t, double r, double b, TPointF from,
                           TPointF to) {
    const bool exact = !InPath() && AxisAligned() && kind != TArcKind::ArcTo;
    RealizePen();
    const TRect box = OutRect(l, t, r, b);
    const bool small = box.Width() <= 8192 && box.Height() <= 8192;
    if (exact && (kind != TArcKind::Arc || (small && FCanvas.Pen().Width() <= 1))) {
        if (!ChargeBox(box))
            return;
        TPoint p = OutRounded(from.X, from.Y), q = OutRounded(to.X, to.Y);
        if (FState.ArcDirection == mf::AD_CLOCKWISE)
            std::swap(p, q);
        // The box as the records give it: corners mapped, then normalised,
        // so that a mirroring mapping keeps the shape in place.
        if (kind == TArcKind::Arc)
            FCanvas.Arc(box.Left, box.Top, box.Right, box.Bottom, p.X, p.Y, q.X, q.Y);
        else if (kind == TArcKind::Pie)
            WithBrush(
                [&] { FCanvas.Pie(box.Left, box.Top, box.Right, box.Bottom, p.X, p.Y, q.X, q.Y); });
        else
            WithBrush([&] {
                FCanvas.Chord(box.Left, box.Top, box.Right, box.Bottom, p.X, p.Y, q.X, q.Y);
            });
        return;
    }
    std::vector<TPointF> c =
        ArcPoints(Transform(), CounterClockwise(), l, t, r, b, from, to, false);
    if (kind == TArcKind::Pie)
        c.push_back(Out((l + r) / 2, (t + b) / 2));
    if (kind == TArcKind::ArcTo) {
        // A line from the current position to the arc's start, then the
        // arc; the position ends at the arc's end (back in logical units).
        if (!InPath())
            c.insert(c.begin(), Out(FState.Position.X, FState.Position.Y));
        const TPointF end = c.back();
        const TXform& m = Transform();
        const double det = m.Det();
        if (det != 0) {
            const double x = end.X - m.Dx, y = end.Y - m.Dy;
            FState.Position = {(x * m.M22 - y * m.M21) / det, (y * m.M11 - x * m.M12) / det};
        }
    }
    if (InPath()) {
        if (kind == TArcKind::ArcTo)
            ExtendFigure(c);
        else
            AddFigure(std::move(c), kind != TArcKind::Arc);
        return;
    }
    if (kind == TArcKind::Arc || kind == TArcKind::ArcTo) {
        if (!ChargePoints(c, false, true))
            return;
        FCanvas.StrokeContours({c}, false);
        return;
    }
    FillContours({c}, true, true);
}

void TMetafileDC::SetPixel(double x, double y, TColor color) {
    if (InPath())
        return;
    const TPoint p = OutRounded(x, y);
    if (Charge(Rect(p.X, p.Y, p.X + 1, p.Y + 1), 1))
        FCanvas.SetPixel(p.X, p.Y, color);
}

void TMetafileDC::PatBlt(double x, double y, double w, double h, uint32_t rop) {
    if (InPath() || !AxisAligned())
        return;
    const TRect r = OutRect(x, y, x + w, y + h);
    if (!Charge(r, 4))
        return;
    RealizeBrush();
    FCanvas.PatBlt(r, rop);
}

void TMetafileDC::FillRegion(const TMfRegion& region, const TMfBrush* brush, bool deviceUnits) {
    if (InPath())
        return;
    const TMfBrush saved = FState.Brush;
    if (brush)
        FState.Brush = *brush;
    RealizeBrush();
    for (const TRect& r : region.Rects) {
        TRect out;
        if (deviceUnits) {
            const TXform device = DeviceTransform();
            const TPointF a = device.Apply(r.Left, r.Top), b = device.Apply(r.Right, r.Bottom);
            out =
                NormalizeRect(Rect(CanvasInt(a.X), CanvasInt(a.Y), CanvasInt(b.X), CanvasInt(b.Y)));
        } else {
            out = OutRect(r.Left, r.Top, r.Right, r.Bottom);
        }
        if (!Charge(out, 4))
            break;
        FCanvas.FillRect(out);
    }
    FState.Brush = saved;
}
