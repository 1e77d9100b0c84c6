#include "controls/SUITrackBar.h"

#include "controls/SUIOffscreen.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Application.h"
#include "framework/ui/Timer.h"
#include "platform/backend/Backend.h"
#include "skin/SUIPublic.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kTrackBarBarImage = 28;
constexpr int kTrackBarSliderImage = 29;
constexpr int kTrackBarSliderVImage = 30;
constexpr uint32_t kPagingInterval = 100;
// The tick marks' length, and how many a track draws at most.
constexpr int kTickLength = 3;
constexpr int kMaxTicks = 4096;
} // namespace

SSI_DEFINE_CLASS(TsuiTrackBar, TCustomControl)

TsuiTrackBar::TsuiTrackBar(TComponent* owner) : TsuiTrackBar(owner, true) {}

TsuiTrackBar::TsuiTrackBar(TComponent* owner, bool lookPictures)
    : TCustomControl(owner), FStyle(*this, [this] { StyleChanged(); }) {
    SetControlStyle((ControlStyle() | csOpaque) & ~(csAcceptsControls | csSetCaption));
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    FSlider = new TsuiImagePanel(this);
    FSlider->SetParent(this);
    FSlider->SetAutoSize(true);
    FSlider->SetTransparent(lookPictures && SliderTransparent());
    FSlider->SetOnMouseDown(TMouseEvent(this, &TsuiTrackBar::SliderMouseDown));
    // A new thumb picture resizes the slider: the track follows it.
    FSlider->SetOnResize(TNotifyEvent([this](TObject*) { UpdateSize(); }));
    if (lookPictures)
        FStyle.StartWithFormStyle();
    UpdateSize();
}

TsuiTrackBar::~TsuiTrackBar() {
    StopRepeatTimer();
}

void TsuiTrackBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FSlider)
        FSlider = nullptr;
    FStyle.Notification(component, operation);
}

void TsuiTrackBar::StyleChanged() {
    UpdatePictures();
    FSlider->SetTransparent(SliderTransparent());
    UpdateSize();
}

void TsuiTrackBar::UpdatePictures() {
    TBitmap bar;
    FStyle.GetBitmap(kTrackBarBarImage, bar);
    if (Vertical())
        RotateBitmapLeft(bar);
    FBarImage.SetGraphic(&bar);
    TBitmap slider;
    FStyle.GetBitmap(Vertical() ? kTrackBarSliderVImage : kTrackBarSliderImage, slider);
    FSlider->Picture()->SetGraphic(&slider);
}

// --- Geometry ---

int TsuiTrackBar::TrackLength() const {
    return Vertical() ? Height() : Width();
}

int TsuiTrackBar::SliderLength() const {
    if (FSlider == nullptr)
        return 0;
    return Vertical() ? FSlider->Height() : FSlider->Width();
}

int TsuiTrackBar::SliderPlace() const {
    if (FMax == FMin)
        return 0;
    // A slider longer than the track has no room to move rather than a
    // negative one: it stays at the start.
    const int64_t room = std::max(TrackLength() - SliderLength(), 0);
    return static_cast<int>((int64_t(FPosition) - FMin) * room / (int64_t(FMax) - FMin));
}

int TsuiTrackBar::PositionAt(int along) const {
    const int room = TrackLength() - SliderLength();
    if (room <= 0)
        return FMin;
    // Rounded half to even, as the default floating-point rounding does.
    const double offset =
        double(along - SliderLength() / 2) * (double(FMax) - double(FMin)) / double(room);
    const double position = double(FMin) + std::nearbyint(offset);
    return static_cast<int>(std::clamp(position, double(INT_MIN), double(INT_MAX)));
}

void TsuiTrackBar::PlaceSlider() {
    if (FSlider == nullptr)
        return;
    const int along = SliderPlace();
    if (Vertical()) {
        const int across = std::max(Width() - FSlider->Width(), 0) / 2;
        FSlider->SetBounds(across, along, FSlider->Width(), FSlider->Height());
    } else {
        const int across = std::max(Height() - FSlider->Height(), 0) / 2;
        FSlider->SetBounds(along, across, FSlider->Width(), FSlider->Height());
    }
}

void TsuiTrackBar::UpdateSize() {
    if (FSizing || FSlider == nullptr)
        return;
    FSizing = true;
    const int bar = Vertical() ? FBarImage.Width() : FBarImage.Height();
    const int across = std::max(bar, Vertical() ? FSlider->Width() : FSlider->Height());
    if (Vertical())
        SetWidth(across);
    else
        SetHeight(across);
    FSizing = false;
    PlaceSlider();
    Invalidate();
}

// --- Properties ---

void TsuiTrackBar::StorePosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    PositionChanged();
}

void TsuiTrackBar::PositionChanged() {
    PlaceSlider();
    Invalidate();
    if (FPosition != FLastChange) {
        FLastChange = FPosition;
        FOnChange(this);
    }
}

void TsuiTrackBar::SetPosition(int value) {
    StorePosition(value);
}

void TsuiTrackBar::SetMax(int value) {
    if (value == FMax)
        return;
    FMax = std::max(value, FMin);
    FPosition = std::min(FPosition, FMax);
    PositionChanged();
}

void TsuiTrackBar::SetMin(int value) {
    if (value == FMin)
        return;
    FMin = std::min(value, FMax);
    FPosition = std::max(FPosition, FMin);
    PositionChanged();
}

void TsuiTrackBar::SetPageSize(int value) {
    if (value >= 0 && value <= FMax)
        FPageSize = value;
}

void TsuiTrackBar::SetLineSize(int value) {
    if (value >= 0 && value <= FMax)
        FLineSize = value;
}

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    UpdatePictures();
    UpdateSize();
}

void TsuiTrackBar::SetShowTick(bool value) {
    FShowTick = value;
    Invalidate();
}

void TsuiTrackBar::SetFrequency(int value) {
    FFrequency = value;
    Invalidate();
}

void TsuiTrackBar::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TsuiTrackBar::SetBarImage(const TPersistentPicture& value) {
    FBarImage.Assign(value);
    UpdateSize();
}

// --- Pointer and keys ---

void TsuiTrackBar::PageTowards(int along, int amount) {
    const int place = SliderPlace();
    if (place < along)
        StorePosition(int(std::min<int64_t>(int64_t(FPosition) + amount, PositionAt(along))));
    else if (along < place)
        StorePosition(int(std::max<int64_t>(int64_t(FPosition) - amount, PositionAt(along))));
}

void TsuiTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive.Exists() || button != TMouseButton::mbLeft)
        return;
    PageTowards(Vertical() ? y : x, FPageSize);
    if (!alive.Exists())
        return;
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(nullptr);
        FRepeatTimer->SetInterval(kPagingInterval);
        FRepeatTimer->SetOnTimer(TNotifyEvent(this, &TsuiTrackBar::RepeatTimerTick));
        FRepeatTimer->SetEnabled(true);
    }
    if (CanFocus() && Enabled()) {
        try {
            SetFocus();
        } catch (const std::exception&) {
        }
    }
}

void TsuiTrackBar::RepeatTimerTick(TObject*) {
    // The pointer where it is now, whatever moves were reported.
    const TWsPoint cursor = WindowSystem().CursorPos();
    const TPoint p = ScreenToClient(Point(cursor.X, cursor.Y));
    // Held down, a horizontal track pages three times as fast.
    PageTowards(Vertical() ? p.Y : p.X, Vertical() ? FPageSize : 3 * FPageSize);
}

void TsuiTrackBar::StopRepeatTimer() {
    if (FRepeatTimer == nullptr)
        return;
    // The tick running now may be this timer's: Free lets it see that.
    TTimer* timer = FRepeatTimer;
    FRepeatTimer = nullptr;
    timer->Free();
}

void TsuiTrackBar::SliderMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
    FDragging = true;
    if (CanFocus() && Enabled()) {
        try {
            SetFocus();
        } catch (const std::exception&) {
        }
    }
    // The moves and the release come to the track, which follows them.
    Application().SetCaptureControl(this);
    OnMouseDown()(this, button, shift, x + FSlider->Left(), y + FSlider->Top());
}

void TsuiTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomControl::MouseMove(shift, x, y);
    if (!alive.Exists())
        return;
    if (FDragging) {
        // The slider's middle follows the pointer.
        StorePosition(PositionAt(Vertical() ? y : x));
    } else if (x < 0 || x > Width() || y < 0 || y > Height()) {
        StopRepeatTimer();
    }
}

void TsuiTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    StopRepeatTimer();
    FDragging = false;
    if (Application().CaptureControl() == this)
        Application().SetCaptureControl(nullptr);
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TsuiTrackBar::WantsKey(int key) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TsuiTrackBar::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_PRIOR:
        SetPosition(int(std::max<int64_t>(int64_t(FPosition) - FPageSize, INT_MIN)));
        break;
    case VK_NEXT:
        SetPosition(int(std::min<int64_t>(int64_t(FPosition) + FPageSize, INT_MAX)));
        break;
    case VK_END:
        SetPosition(FMax);
        break;
    case VK_HOME:
        SetPosition(FMin);
        break;
    case VK_LEFT:
    case VK_UP:
        SetPosition(int(std::max<int64_t>(int64_t(FPosition) - FLineSize, INT_MIN)));
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(int(std::min<int64_t>(int64_t(FPosition) + FLineSize, INT_MAX)));
        break;
    default:
        return;
    }
    key = 0;
}

// --- Painting ---

void TsuiTrackBar::DrawTicks(TCanvas& c) {
    if (FFrequency <= 0 || FMax == FMin)
        return;
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(clBlack);
    const int64_t room = std::max(TrackLength() - SliderLength(), 0);
    const int64_t range = int64_t(FMax) - FMin;
    // A tick every Frequency positions, and one at Max; never more ticks
    // than a track could show apart.
    const int64_t step = std::max<int64_t>(FFrequency, range / kMaxTicks + 1);
    for (int64_t at = 0;; at = std::min(at + step, range)) {
        const int along = int(at * room / range) + SliderLength() / 2;
        if (Vertical())
            c.FillRect(Rect(Width() - kTickLength, along, Width(), along + 1));
        else
            c.FillRect(Rect(along, Height() - kTickLength, along + 1, Height()));
        if (at == range)
            break;
    }
}

void TsuiTrackBar::Paint() {
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    if (FTransparent) {
        DrawParentBackground(c, this);
    } else {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(ClientRect());
    }
    if (const TGraphic* bar = FBarImage.Graphic(); bar != nullptr && !bar->Empty()) {
        if (Vertical()) {
            const int left = (Width() - bar->Width()) / 2;
            c.StretchDraw(Rect(left, 0, left + bar->Width(), Height()), *bar);
        } else {
            const int top = (Height() - bar->Height()) / 2;
            c.StretchDraw(Rect(0, top, Width(), top + bar->Height()), *bar);
        }
    }
    if (Focused() && TabStop()) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.DrawFocusRect(ClientRect());
    }
    if (FShowTick)
        DrawTicks(c);
    buffer.CopyToTarget();
}

void TsuiTrackBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        UpdateSize();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_COLORCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// --- TsuiScrollTrackBar ---

SSI_DEFINE_CLASS(TsuiScrollTrackBar, TsuiTrackBar)

TsuiScrollTrackBar::TsuiScrollTrackBar(TComponent* owner) : TsuiTrackBar(owner, false) {}
