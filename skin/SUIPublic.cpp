#include "skin/SUIPublic.h"

#include "framework/components/Messages.h"
#include "framework/components/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/WinControl.h"
#include "platform/backend/Backend.h"
#include "skin/SUIMgr.h"

#include <algorithm>
#include <vector>

void CutFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex) {
    if (frameCount < 1 || frameIndex < 1 || frameIndex > frameCount) {
        dest.Clear();
        return;
    }
    const int32_t w = source.Width() / frameCount;
    const int32_t h = source.Height();
    // Through a temporary, so that cutting a strip into itself works.
    TBitmap frame(w, h);
    const int32_t left = w * (frameIndex - 1);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(source.ScanLine(y) + left, w, frame.ScanLine(y));
    dest.SetSize(w, h);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(frame.ScanLine(y), w, dest.ScanLine(y));
    dest.Modified();
}

namespace {

int32_t Half(int32_t v) {
    return v / 2;
}

int32_t NonNegative(int32_t v) {
    return std::max<int32_t>(v, 0);
}

// A source range of the face that came out empty (the middle row of an even
// height) is widened to the one pixel where it starts, kept inside the face.
void AtLeastOnePixel(int32_t& from, int32_t& to, int32_t size) {
    if (to > from || size <= 0)
        return;
    from = std::clamp<int32_t>(from, 0, size - 1);
    to = from + 1;
}

// An edge or the centre: `source` stretched into `target` with fuchsia left
// out; nothing when the target is empty.
void DrawStrip(TCanvas& canvas, const TBitmap& face, TRect source, const TRect& target) {
    if (target.Right <= target.Left || target.Bottom <= target.Top)
        return;
    AtLeastOnePixel(source.Left, source.Right, face.Width());
    AtLeastOnePixel(source.Top, source.Bottom, face.Height());
    if (source.Right <= source.Left || source.Bottom <= source.Top)
        return;
    canvas.StretchBlt(target, face, source, clFuchsia);
}

} // namespace

void DrawNineSlice(const TBitmap& source, TCanvas& canvas, const TRect& dest,
                   bool transparentCorners) {
    const int32_t W = source.Width(), H = source.Height();
    const int32_t sw = Half(W), sh = Half(H);
    const int32_t dwh = Half(dest.Width()), dhh = Half(dest.Height());
    const int32_t R = dest.Right, B = dest.Bottom;
    const TColor cornerKey = transparentCorners ? clFuchsia : clNone;

    // A corner is a piece of the source's corner copied 1:1, anchored at its
    // corner of the destination; one without area is the empty rectangle at
    // that corner, which the strips below measure from.
    auto corner = [&](int32_t w, int32_t h, bool right, bool bottom) {
        w = NonNegative(w);
        h = NonNegative(h);
        const int32_t x = right ? R - w : 0, y = bottom ? B - h : 0;
        if (w == 0 || h == 0) {
            const int32_t cx = right ? R : 0, cy = bottom ? B : 0;
            return TRect{cx, cy, cx, cy};
        }
        const int32_t sx = right ? W - w : 0, sy = bottom ? H - h : 0;
        const TRect placed = Bounds(x, y, w, h);
        canvas.StretchBlt(placed, source, Bounds(sx, sy, w, h), cornerKey);
        return placed;
    };

    const TRect TL = corner(std::min(sw, dwh), std::min(sh, dhh), false, false);
    const TRect BL = corner(std::min(sw, dwh), std::min(sh - 1, dhh - 1), false, true);
    // Left edge: source row(s) between the corners, narrowed to the target
    // width keeping the left side.
    {
        const TRect target{0, TL.Bottom, TL.Right, BL.Top};
        DrawStrip(canvas, source, {0, sh, std::min(sw, target.Width()), H - sh}, target);
    }
    const TRect TR = corner(std::min(sw - 1, dwh - 1), std::min(sh, dhh), true, false);
    const TRect BR = corner(std::min(sw - 1, dwh - 1), std::min(sh - 1, dhh - 1), true, true);
    // Right edge, narrowed keeping the right side.
    {
        const TRect target{TR.Left, TR.Bottom, TR.Right, BR.Top};
        DrawStrip(canvas, source, {W - std::min(sw - 1, target.Width()), H - sh, W, sh + 2},
                  target);
    }
    // Top edge, shortened keeping the top.
    {
        const TRect target{TL.Right, 0, TR.Left, TL.Bottom};
        DrawStrip(canvas, source, {sw, 0, W - sw + 1, std::min(sh, target.Height())}, target);
    }
    // Centre.
    DrawStrip(canvas, source, {sw, sh, W - sw + 1, H - sh},
              {TL.Right, TL.Bottom, TR.Left, BR.Top - 1});
    // Bottom edge, shortened keeping the bottom.
    {
        const TRect target{TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom};
        DrawStrip(canvas, source, {sw, std::max(H - sh, H - target.Height()), W - sw + 1, H},
                  target);
    }
}

void TilePicture(TCanvas& canvas, const TPicture& picture, const TRect& rect) {
    const TGraphic* graphic = picture.Graphic();
    const int32_t pw = picture.Width(), ph = picture.Height();
    if (graphic == nullptr || pw <= 0 || ph <= 0)
        return;
    // 64-bit bounds: a rectangle near the integer limits must not wrap.
    int64_t right = int64_t(rect.Width()) + pw, bottom = int64_t(rect.Height()) + ph;
    // Tiles wholly outside the clip would be clipped away anyway; skipping
    // them keeps a huge rectangle with a tiny picture cheap.
    const TRect clip = canvas.ClipRect();
    right = std::min<int64_t>(right, clip.Right);
    bottom = std::min<int64_t>(bottom, clip.Bottom);
    const int64_t x0 = clip.Left > 0 ? clip.Left / pw * pw : 0;
    const int64_t y0 = clip.Top > 0 ? clip.Top / ph * ph : 0;
    for (int64_t y = y0; y < bottom; y += ph)
        for (int64_t x = x0; x < right; x += pw)
            canvas.Draw(int32_t(x), int32_t(y), *graphic);
}

void RotateBitmapLeft(TBitmap& bitmap) {
    const int32_t W = bitmap.Width(), H = bitmap.Height();
    TBitmap turned(H, W);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            turned.SetPixel(y, W - 1 - x, bitmap.Pixel(x, y));
    bitmap.SetSize(H, W);
    for (int32_t y = 0; y < W; ++y)
        std::copy_n(turned.ScanLine(y), H, bitmap.ScanLine(y));
    bitmap.Modified();
}

void RotateBitmapRight(TBitmap& bitmap) {
    const int32_t W = bitmap.Width(), H = bitmap.Height();
    TBitmap turned(H, W);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            turned.SetPixel(H - 1 - y, x, bitmap.Pixel(x, y));
    bitmap.SetSize(H, W);
    for (int32_t y = 0; y < W; ++y)
        std::copy_n(turned.ScanLine(y), H, bitmap.ScanLine(y));
    bitmap.Modified();
}

bool PointInRect(const TPoint& point, const TRect& rect) {
    return point.X >= rect.Left && point.X <= rect.Right && point.Y >= rect.Top &&
           point.Y <= rect.Bottom;
}

bool HasProperty(TComponent* component, const std::string& name) {
    return HasProperty(static_cast<TPersistent*>(component), name);
}

void DrawParentBackground(TCanvas& canvas, TControl* control) {
    if (control == nullptr || control->Parent() == nullptr)
        return;
    // A parent that paints a windowless child would come back here for the
    // same control; once is enough.
    static std::vector<const TControl*> drawing;
    if (std::find(drawing.begin(), drawing.end(), control) != drawing.end())
        return;
    drawing.push_back(control);
    TWinControl* parent = control->Parent();
    const int level = canvas.SaveState();
    try {
        canvas.MoveOrigin(-control->Left(), -control->Top());
        canvas.IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
        const auto dc = reinterpret_cast<uintptr_t>(&canvas);
        parent->Perform(WM_ERASEBKGND, dc, 0);
        parent->Perform(WM_PAINT, dc, 0);
    } catch (...) {
        canvas.RestoreState(level);
        drawing.pop_back();
        throw;
    }
    canvas.RestoreState(level);
    drawing.pop_back();
}

void DrawControlBorder(TWinControl* control, TColor borderColor, TColor innerColor,
                       bool drawInner) {
    if (control == nullptr)
        return;
    TCustomForm* form = control->ParentForm();
    if (form == nullptr || !form->HandleAllocated())
        return;
    // The control's window rectangle in its form's window coordinates.
    TPoint origin{0, 0};
    if (control != form) {
        const TPoint clientOffset = control->ClientOffset();
        const TPoint inForm = control->ClientToForm(Point(-clientOffset.X, -clientOffset.Y));
        const TPoint formClient = form->ClientOffset();
        origin = Point(inForm.X + formClient.X, inForm.Y + formClient.Y);
    }
    const TRect window = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    TWindowCanvas dc(form);
    DrawControlBorder(dc.Canvas(), window, borderColor, innerColor, drawInner);
}

void DrawControlBorder(TCanvas& canvas, const TRect& window, TColor borderColor, TColor innerColor,
                       bool drawInner) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(ColorToRGB(borderColor));
    canvas.FrameRect(window);
    if (drawInner) {
        canvas.Brush().SetColor(ColorToRGB(innerColor));
        canvas.FrameRect(InflateRect(window, -1, -1));
    }
}

TRect GetScreenWorkArea() {
    const TWsRect area = WindowSystem().WorkArea();
    return Rect(area.Left, area.Top, area.Right, area.Bottom);
}

void SetFormBounds(TCustomForm* form, const TRect& rect) {
    if (form == nullptr)
        return;
    form->SetLeft(rect.Left);
    form->SetTop(rect.Top);
    form->SetWidth(rect.Right - rect.Left);
    form->SetHeight(rect.Bottom - rect.Top);
}

bool IsFormActive(TCustomForm* form) {
    TCustomForm* mainForm = ApplicationExists() ? Application().MainForm() : nullptr;
    if (mainForm == nullptr)
        return form != nullptr && form->Active();
    const bool mdiFrame = mainForm->FormStyle() == TFormStyle::fsMDIForm;
    if (mdiFrame && form == mainForm)
        return true;
    // The program has the keyboard while one of its forms has.
    if (Application().ActiveForm() == nullptr)
        return false;
    if (form == nullptr || form == mainForm)
        return true;
    if (mdiFrame) {
        const intptr_t activeChild = mainForm->Perform(WM_MDIGETACTIVE, 0, 0);
        if (form->HandleAllocated() && activeChild != 0 &&
            static_cast<HWND>(activeChild) == form->Handle())
            return true;
    }
    return form->Active();
}

void ApplyStyleToChildren(TWinControl* container, TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    if (container == nullptr)
        return;
    // A child's setters may add or remove children: walk a snapshot and
    // skip those that have left the container since.
    std::vector<TComponentTracker> children;
    for (int i = 0; i < container->ControlCount(); ++i)
        children.emplace_back(container->Controls(i));
    for (const TComponentTracker& tracker : children) {
        auto* child = static_cast<TControl*>(tracker.Get());
        if (child == nullptr || child->Parent() != container)
            continue;
        if (!HasProperty(child, "FileTheme") || !HasProperty(child, "UIStyle"))
            continue;
        SetComponentProp(*child, "FileTheme", fileTheme);
        SetOrdProp(*child, "UIStyle", static_cast<int64_t>(style));
    }
}
