#include "controls/SUIScrollBar.h"

#include "controls/SUIOffscreen.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int kScrollBarBackgroundColor = 31;
constexpr int kScrollBarButtonImage = 32;
constexpr int kScrollBarSliderImage = 33;
constexpr int kArrowFrames = 6;
constexpr int kThumbPieces = 3;
// The shortest thumb a fixed LineButton gives.
constexpr int kMinLineButton = 18;
constexpr int kMaxSmallChange = 32767;
constexpr int kRepeatInterval = 100;
} // namespace

SSI_DEFINE_CLASS(TsuiScrollBar, TCustomPanel)

void TsuiScrollBar::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle before Color, which it sets; the range before the position.
    using B = TsuiScrollBar;
    p.Component("FileTheme", &B::FileTheme, &B::SetFileTheme)
        .Integer("LineButton", &B::LineButton, &B::SetLineButton)
        .Default(0)
        .Enum("Orientation", TsuiProgressBarOrientationInfo, &B::Orientation, &B::SetOrientation)
        .Default(0)
        .Enum("UIStyle", TsuiUIStyleInfo(), &B::UIStyle, &B::SetUIStyle)
        .Integer("Max", &B::Max, &B::SetMax)
        .Default(100)
        .Integer("Min", &B::Min, &B::SetMin)
        .Default(0)
        .Integer("Position", &B::Position, &B::SetPosition)
        .Default(0)
        .Integer("SmallChange", &B::SmallChange, &B::SetSmallChange)
        .Default(1)
        .Integer("LargeChange", &B::LargeChange, &B::SetLargeChange)
        .Default(2)
        .Integer("PageSize", &B::PageSize, &B::SetPageSize)
        .Default(2)
        .Inherited("Color")
        .Inherited("ParentColor")
        .Inherited("PopupMenu")
        .Event("OnChange", &B::OnChange, &B::SetOnChange)
        .Inherited("OnEnter")
        .Inherited("OnExit");
}

TsuiScrollBar::TsuiScrollBar(TComponent* owner)
    : TCustomPanel(owner), FStyle(*this, [this] { StyleChanged(); }) {
    SetControlStyle(ControlStyle() & ~(csAcceptsControls | csSetCaption));
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);

    FTrack = new TsuiScrollTrackBar(this);
    FTrack->SetParent(this);
    FTrack->SetShowTick(false);
    FTrack->SetTabStop(false);
    FTrack->SetTransparent(false);
    FTrack->SetMax(100);
    FTrack->SetMin(0);
    FTrack->SetPosition(0);
    FTrack->SetPageSize(2);
    FTrack->SetLineSize(1);
    FTrack->SetFrequency(1);

    FStartButton = new TsuiImageButton(this);
    FEndButton = new TsuiImageButton(this);
    for (TsuiImageButton* button : {FStartButton, FEndButton}) {
        button->SetParent(this);
        button->SetMouseContinuouslyDownInterval(kRepeatInterval);
        button->SetTabStop(false);
    }
    FStartButton->SetOnMouseContinuouslyDown(TNotifyEvent(this, &TsuiScrollBar::StepBack));
    FEndButton->SetOnMouseContinuouslyDown(TNotifyEvent(this, &TsuiScrollBar::StepForward));

    SetHeight(185);
    FStyle.StartWithFormStyle();
}

void TsuiScrollBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    FStyle.Notification(component, operation);
}

// --- Look and layout ---

void TsuiScrollBar::StyleChanged() {
    FTrack->SetColor(Color());
    ApplyStyle();
}

void TsuiScrollBar::ApplyStyle() {
    FTrack->BarImage()->SetGraphic(nullptr);
    SetColor(FStyle.GetColor(kScrollBarBackgroundColor));

    FStyle.GetBitmap(kScrollBarSliderImage, FThumbStart, kThumbPieces, 1);
    FStyle.GetBitmap(kScrollBarSliderImage, FThumbMiddle, kThumbPieces, 2);
    FStyle.GetBitmap(kScrollBarSliderImage, FThumbEnd, kThumbPieces, 3);

    // Frames 1 to 3: the start arrow normal, under the pointer and pressed;
    // 4 to 6 the end arrow's. They are drawn for a vertical bar.
    TPersistentPicture* pictures[kArrowFrames] = {
        FStartButton->PicNormal(), FStartButton->PicMouseOn(), FStartButton->PicMouseDown(),
        FEndButton->PicNormal(),   FEndButton->PicMouseOn(),   FEndButton->PicMouseDown()};
    for (int k = 1; k <= kArrowFrames; ++k) {
        TBitmap frame;
        FStyle.GetBitmap(kScrollBarButtonImage, frame, kArrowFrames, k);
        if (!Vertical())
            RotateBitmapLeft(frame);
        pictures[k - 1]->SetGraphic(&frame);
    }
    // The thumb pieces are drawn for a horizontal bar.
    if (Vertical()) {
        RotateBitmapRight(FThumbStart);
        RotateBitmapRight(FThumbMiddle);
        RotateBitmapRight(FThumbEnd);
    }
    FStartButton->SetAutoSize(true);
    FEndButton->SetAutoSize(true);
    Invalidate();
    Layout();
}

void TsuiScrollBar::Loaded() {
    TCustomPanel::Loaded();
    if (FLineButton > Room())
        FLineButton = 0;
    Layout();
}

int TsuiScrollBar::Room() const {
    return Vertical() ? Height() - FStartButton->Height() - FEndButton->Height()
                      : Width() - FStartButton->Width() - FEndButton->Width();
}

void TsuiScrollBar::Layout() {
    if (FLayingOut || HasState(csLoading))
        return;
    FLayingOut = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FLayingOut};

    FTrack->SetOrientation(FOrientation);
    if (Width() == 0 || Height() == 0) {
        SetVisible(false);
        return;
    }
    const int sw = FStartButton->Width(), sh = FStartButton->Height();
    const int ew = FEndButton->Width(), eh = FEndButton->Height();
    FStartButton->SetBounds(0, 0, sw, sh);
    if (Vertical()) {
        // One pixel of the bar's own colour stays between the track and
        // the end button.
        FTrack->SetBounds(0, sh, FTrack->Width(), Height() - eh - sh - 1);
        FEndButton->SetBounds(0, Height() - eh, ew, eh);
        SetWidth(sw);
    } else {
        FTrack->SetBounds(sw, 0, Width() - ew - sw, FTrack->Height());
        FEndButton->SetBounds(Width() - ew, 0, ew, eh);
        SetHeight(sh);
    }
    BuildThumb();
}

void TsuiScrollBar::BuildThumb() {
    const int track = Vertical() ? FTrack->Height() : FTrack->Width();
    int length = 0;
    if (FLineButton > 0) {
        FLineButton = std::max(FLineButton, kMinLineButton);
        length = FLineButton;
    } else {
        int page = FTrack->PageSize();
        if (page < 10 || page > 100)
            page = 10;
        if (track > 0)
            length = page * track / 100;
    }
    TBitmap thumb;
    TCanvas& c = thumb.Canvas();
    if (Vertical()) {
        thumb.SetSize(FThumbStart.Width(), length);
        c.Draw(0, 0, FThumbStart);
        c.Draw(0, length - FThumbEnd.Height(), FThumbEnd);
        const TRect middle =
            Rect(0, FThumbStart.Height(), thumb.Width(), length - FThumbEnd.Height());
        if (middle.Bottom > middle.Top && !FThumbMiddle.Empty())
            c.StretchDraw(middle, FThumbMiddle);
    } else {
        thumb.SetSize(length, FThumbStart.Height());
        c.Draw(0, 0, FThumbStart);
        c.Draw(length - FThumbEnd.Width(), 0, FThumbEnd);
        const TRect middle =
            Rect(FThumbStart.Width(), 0, length - FThumbEnd.Width(), thumb.Height());
        if (middle.Right > middle.Left && !FThumbMiddle.Empty())
            c.StretchDraw(middle, FThumbMiddle);
    }
    TsuiImagePanel* slider = FTrack->Slider();
    slider->Picture()->SetGraphic(&thumb);
    slider->SetAutoSize(true);
}

// --- Properties ---

void TsuiScrollBar::SetLineButton(int value) {
    if (value == FLineButton || value < 0)
        return;
    if (HasState(csLoading)) {
        FLineButton = value; // checked against the room once read
        return;
    }
    if (value > Room())
        return;
    FLineButton = value;
    BuildThumb();
}

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    ApplyStyle();
    Layout();
}

void TsuiScrollBar::SetPosition(int value) {
    if (value != FTrack->Position())
        FTrack->SetPosition(value);
}

void TsuiScrollBar::SetSmallChange(int value) {
    if (value >= 1 && value <= kMaxSmallChange)
        FSmallChange = value;
}

void TsuiScrollBar::SetPageSize(int value) {
    FTrack->SetPageSize(value);
    BuildThumb();
}

void TsuiScrollBar::SetThumbVisible(bool value) {
    if (FTrack->Slider()->Visible() != value)
        FTrack->Slider()->SetVisible(value);
}

void TsuiScrollBar::StepBack(TObject*) {
    FTrack->SetPosition(
        int(std::max<int64_t>(int64_t(FTrack->Position()) - FSmallChange, INT_MIN)));
}

void TsuiScrollBar::StepForward(TObject*) {
    FTrack->SetPosition(
        int(std::min<int64_t>(int64_t(FTrack->Position()) + FSmallChange, INT_MAX)));
}

// --- Messages and painting ---

void TsuiScrollBar::Paint() {
    // Only the line between the track and the end button shows the bar
    // itself.
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
    buffer.CopyToTarget();
}

void TsuiScrollBar::WndProc(TMessage& m) {
    if (FTrack == nullptr || FStartButton == nullptr || FEndButton == nullptr) {
        TCustomPanel::WndProc(m); // still being built
        return;
    }
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_COLORCHANGED:
        TCustomPanel::WndProc(m);
        FTrack->SetColor(Color());
        return;
    case CM_VISIBLECHANGED:
        TCustomPanel::WndProc(m);
        FTrack->SetVisible(Visible());
        FStartButton->SetVisible(Visible());
        FEndButton->SetVisible(Visible());
        return;
    case WM_SIZE:
        TCustomPanel::WndProc(m);
        Layout();
        return;
    default:
        break;
    }
    TCustomPanel::WndProc(m);
}
