#include "controls/SUIProgressBar.h"

#include "controls/SUIOffscreen.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>

const TEnumInfo TsuiProgressBarOrientationInfo("TsuiProgressBarOrientation",
                                               {"suiHorizontal", "suiVertical"});

namespace {
constexpr int kProgressBarImage = 24;
constexpr int kControlBorderColor = 25;
constexpr int kControlBackgroundColor = 26;
// The short side of a bar.
constexpr int kThickness = 12;
} // namespace

SSI_DEFINE_CLASS(TsuiProgressBar, TCustomPanel)

void TsuiProgressBar::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle before the colours and the picture it sets; Visible keeps the
    // control's slot.
    using B = TsuiProgressBar;
    p.Component("FileTheme", &B::FileTheme, &B::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &B::UIStyle, &B::SetUIStyle)
        .Color("CaptionColor", &B::CaptionColor, &B::SetCaptionColor)
        .Boolean("ShowCaption", &B::ShowCaption, &B::SetShowCaption)
        .Boolean("SmartShowCaption", &B::SmartShowCaption, &B::SetSmartShowCaption)
        .Integer("Max", &B::Max, &B::SetMax)
        .Integer("Min", &B::Min, &B::SetMin)
        .Integer("Position", &B::Position, &B::SetPosition)
        .Enum("Orientation", TsuiProgressBarOrientationInfo, &B::Orientation, &B::SetOrientation)
        .Color("BorderColor", &B::BorderColor, &B::SetBorderColor)
        .Color("Color", &B::Color, &B::SetColor)
        .Object("Picture", &B::Picture, &B::SetPicture)
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp")
        .Inherited("OnClick");
}

TsuiProgressBar::TsuiProgressBar(TComponent* owner)
    : TCustomPanel(owner), FStyle(*this, [this] { RefreshLook(); }) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    TControl::SetColor(clBtnFace);
    SetBounds(Left(), Top(), 150, kThickness);
    SetCaption("50%");
    SetColor(clBtnFace);
    FStyle.StartWithFormStyle();
    UpdateCaption();
}

void TsuiProgressBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    FStyle.Notification(component, operation);
}

void TsuiProgressBar::RepaintNow() {
    if (FRefreshing)
        return;
    if (HasState(csLoading))
        Invalidate();
    else
        Repaint();
}

// The values are 32-bit, their differences and products are not: a bar
// from INT_MIN to INT_MAX still fills by its position.
int TsuiProgressBar::Percentage() const {
    if (FMin == FMax)
        return 0;
    const int64_t range = int64_t(FMax) - FMin;
    return static_cast<int>((int64_t(FPosition) - FMin) * 100 / range);
}

int TsuiProgressBar::FillLength(int length) const {
    if (FMin >= FMax || FMin >= FPosition)
        return 0;
    if (FPosition > FMax)
        return length;
    const int64_t range = int64_t(FMax) - FMin;
    return static_cast<int>((int64_t(FPosition) - FMin) * length / range);
}

void TsuiProgressBar::UpdateCaption() {
    SetCaption(std::to_string(Percentage()) + "%");
    RepaintNow();
}

void TsuiProgressBar::SetCaptionColor(TColor value) {
    FCaptionColor = value;
    RepaintNow();
}

void TsuiProgressBar::SetShowCaption(bool value) {
    FShowCaption = value;
    RepaintNow();
}

void TsuiProgressBar::SetSmartShowCaption(bool value) {
    FSmartShowCaption = value;
    RepaintNow();
}

void TsuiProgressBar::SetMax(int value) {
    FMax = value;
    UpdateCaption();
}

void TsuiProgressBar::SetMin(int value) {
    FMin = value;
    UpdateCaption();
}

void TsuiProgressBar::SetPosition(int value) {
    FPosition = value;
    UpdateCaption();
}

void TsuiProgressBar::SetBorderColor(TColor value) {
    FBorderColor = value;
    RepaintNow();
}

void TsuiProgressBar::SetColor(TColor value) {
    TControl::SetColor(value);
    RepaintNow();
}

void TsuiProgressBar::SetPicture(const TPersistentPicture& value) {
    FPicture.Assign(value);
    RepaintNow();
}

void TsuiProgressBar::SetOrientation(TsuiProgressBarOrientation value) {
    FOrientation = value;
    RefreshLook();
    const int m = std::max(Height(), Width());
    if (value == TsuiProgressBarOrientation::suiVertical)
        SetBounds(Left(), Top(), kThickness, m);
    else
        SetBounds(Left(), Top(), m, kThickness);
}

void TsuiProgressBar::RefreshLook() {
    // One repaint for the whole change of look.
    FRefreshing = true;
    try {
        FStyle.GetBitmap(kProgressBarImage, FPicture.Bitmap());
        SetColor(FStyle.GetColor(kControlBackgroundColor));
        SetBorderColor(FStyle.GetColor(kControlBorderColor));
        if (FOrientation == TsuiProgressBarOrientation::suiVertical) {
            TBitmap turned(FPicture.Bitmap());
            RotateBitmapLeft(turned);
            FPicture.Bitmap().Assign(turned);
        }
    } catch (...) {
        FRefreshing = false;
        throw;
    }
    FRefreshing = false;
    RepaintNow();
}

void TsuiProgressBar::DrawHorizontal(TCanvas& c, const TGraphic* picture) {
    const int w = ClientWidth(), h = ClientHeight();
    int f = FillLength(w - 1);
    if (f == 0)
        f = 1;
    if (picture != nullptr)
        c.StretchDraw(Rect(1, 1, f, h - 1), *picture);
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(Rect(f, 1, w - 1, h - 1));
}

void TsuiProgressBar::DrawVertical(TCanvas& c, const TGraphic* picture) {
    const int w = ClientWidth(), h = ClientHeight();
    int t = (h - 1) - FillLength(h - 1);
    if (t == 0)
        t = 1;
    // Rows 1 .. t-1 are empty, rows t .. h-2 hold the picture upside down.
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(Rect(1, 1, w - 1, t));
    if (picture != nullptr && t < h - 1) {
        TBitmap drawn;
        const TBitmap* bitmap = dynamic_cast<const TBitmap*>(picture);
        if (bitmap == nullptr) {
            drawn.SetSize(picture->Width(), picture->Height());
            drawn.Canvas().Draw(0, 0, *picture);
            bitmap = &drawn;
        }
        const TColor key =
            bitmap->Transparent() ? bitmap->TransparentColor() : static_cast<TColor>(clNone);
        // A rectangle whose bottom lies above its top is drawn mirrored.
        c.StretchBlt(Rect(1, h - 2, w - 1, t - 1), *bitmap,
                     Rect(0, 0, bitmap->Width(), bitmap->Height()), key);
    }
    // A vertical bar never shows its caption, and turning it back does not
    // bring the caption back.
    FShowCaption = false;
}

void TsuiProgressBar::Paint() {
    const int w = ClientWidth(), h = ClientHeight();
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    const TGraphic* picture =
        FPicture.HasGraphic() && !FPicture.Graphic()->Empty() ? FPicture.Graphic() : nullptr;
    if (FOrientation == TsuiProgressBarOrientation::suiHorizontal)
        DrawHorizontal(c, picture);
    else
        DrawVertical(c, picture);

    if (FShowCaption && !(FSmartShowCaption && FPosition == FMin)) {
        // The bar has no font of its own: the surface's default font in
        // the caption colour.
        c.Font().SetColor(FCaptionColor);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        const std::string& text = Caption();
        c.TextOut((w - c.TextWidth(text)) / 2, (h - c.TextHeight(text)) / 2, text);
    }
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(FBorderColor);
    c.FrameRect(Rect(0, 0, w, h));
    buffer.CopyToTarget();
}

void TsuiProgressBar::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    TCustomPanel::WndProc(m);
}
