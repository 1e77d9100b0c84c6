#include "controls/SUIMemo.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {
constexpr int kControlBorderColor = 25;
// The band the frame is drawn on.
constexpr int kFrameBand = 2;
// What a thumb-position request carries of the position.
constexpr int kMaxRequestPosition = 0xFFFF;

// Clears a flag when the scope ends, however it ends.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};
} // namespace

SSI_DEFINE_CLASS(TsuiMemo, TCustomMemo)

void TsuiMemo::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle before BorderColor, which it sets. The bars are references:
    // a layout attaches them once it is read, after ScrollBars, which
    // attaching sets.
    using M = TsuiMemo;
    p.Component("FileTheme", &M::FileTheme, &M::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &M::UIStyle, &M::SetUIStyle)
        .Color("BorderColor", &M::BorderColor, &M::SetBorderColor)
        .Component("VScrollBar", &M::VScrollBar, &M::SetVScrollBar)
        .Component("HScrollBar", &M::HScrollBar, &M::SetHScrollBar)
        .Inherited("Alignment")
        .Inherited("Color")
        .Inherited("Font")
        .Inherited("Lines")
        .Inherited("MaxLength")
        .Inherited("ParentColor")
        .Inherited("ParentFont")
        .Inherited("PopupMenu")
        .Inherited("ReadOnly")
        .Inherited("ScrollBars")
        .Inherited("WantReturns")
        .Inherited("WantTabs")
        .Inherited("WordWrap")
        .Inherited("OnChange")
        .Inherited("OnClick")
        .Inherited("OnDblClick")
        .Inherited("OnEnter")
        .Inherited("OnExit")
        .Inherited("OnKeyDown")
        .Inherited("OnKeyPress")
        .Inherited("OnKeyUp")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp");
}

TsuiMemo::TsuiMemo(TComponent* owner)
    : TCustomMemo(owner), FStyle(*this, [this] { StyleChanged(); }) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBorderStyle(TBorderStyle::bsNone);
    SetBorderWidth(kFrameBand);
    FStyle.StartWithFormStyle();
}

TsuiMemo::~TsuiMemo() {
    for (TsuiScrollBar* bar : {FHScrollBar, FVScrollBar})
        if (bar != nullptr)
            bar->SetOnChange(nullptr);
}

void TsuiMemo::Notification(TComponent* component, TOperation operation) {
    TCustomMemo::Notification(component, operation);
    FStyle.Notification(component, operation);
    if (operation != TOperation::opRemove || component == nullptr)
        return;
    bool lost = false;
    if (component == FVScrollBar) {
        FVScrollBar = nullptr;
        lost = true;
    }
    if (component == FHScrollBar) {
        FHScrollBar = nullptr;
        lost = true;
    }
    if (lost && !HasState(csDestroying))
        ChooseNativeBars();
}

void TsuiMemo::Loaded() {
    TCustomMemo::Loaded();
    if (FVScrollBar != nullptr || FHScrollBar != nullptr)
        PlaceBars();
}

// --- Look ---

void TsuiMemo::StyleChanged() {
    FBorderColor = FStyle.GetColor(kControlBorderColor);
    // FromThemeFile only while the file theme is in use, else the style
    // the memo draws in.
    const TsuiUIStyle effective = FStyle.EffectiveStyle();
    for (TsuiScrollBar* bar : {FHScrollBar, FVScrollBar})
        if (bar != nullptr)
            bar->SetUIStyle(effective);
    Invalidate();
}

void TsuiMemo::SetFileTheme(TsuiFileTheme* value) {
    for (TsuiScrollBar* bar : {FHScrollBar, FVScrollBar})
        if (bar != nullptr)
            bar->SetFileTheme(value);
    FStyle.SetFileTheme(value);
}

void TsuiMemo::SetBorderColor(TColor value) {
    FBorderColor = value;
    Invalidate();
}

void TsuiMemo::PaintNonClient(TCanvas& canvas) {
    TCustomMemo::PaintNonClient(canvas);
    // The native bars lie under the skinned ones, which may be a pixel
    // narrower than they are: their place is painted in the skinned bar's
    // colour, so that no edge of them shows beside it.
    const TPoint inset = ClientOffset();
    const TRect client = OffsetRect(ClientRect(), inset.X, inset.Y);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (FHScrollBar != nullptr && FHScrollBar->Visible()) {
        canvas.Brush().SetColor(FHScrollBar->Color());
        canvas.FillRect(Rect(client.Left, client.Bottom, client.Right, Height() - inset.Y));
    }
    if (FVScrollBar != nullptr && FVScrollBar->Visible()) {
        canvas.Brush().SetColor(FVScrollBar->Color());
        canvas.FillRect(Rect(client.Right, client.Top, Width() - inset.X, Height() - inset.Y));
    }
    // Drawn with the rest of the window's frame, so that the bars lying
    // over the memo are painted after it and keep their pixels.
    DrawControlBorder(canvas, Rect(0, 0, Width(), Height()), FBorderColor, Color(), true);
}

// --- Bars ---

void TsuiMemo::SetVScrollBar(TsuiScrollBar* value) {
    AttachBar(FVScrollBar, value, true);
}

void TsuiMemo::SetHScrollBar(TsuiScrollBar* value) {
    AttachBar(FHScrollBar, value, false);
}

void TsuiMemo::AttachBar(TsuiScrollBar*& slot, TsuiScrollBar* value, bool vertical) {
    if (value == slot)
        return;
    // One bar cannot scroll both ways: taken for this direction, it leaves
    // the other.
    TsuiScrollBar*& other = vertical ? FHScrollBar : FVScrollBar;
    if (value != nullptr && value == other)
        AttachBar(other, nullptr, !vertical);
    if (slot != nullptr)
        ReleaseBar(slot);
    slot = value;
    if (value == nullptr) {
        ChooseNativeBars();
        return;
    }
    value->FreeNotification(this);
    value->SetOrientation(vertical ? TsuiProgressBarOrientation::suiVertical
                                   : TsuiProgressBarOrientation::suiHorizontal);
    value->SetOnChange(vertical ? TNotifyEvent(this, &TsuiMemo::VBarChanged)
                                : TNotifyEvent(this, &TsuiMemo::HBarChanged));
    value->BringToFront();
    ChooseNativeBars();
    PlaceBars();
}

void TsuiMemo::ReleaseBar(TsuiScrollBar* bar) {
    bar->SetOnChange(nullptr);
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
    // A bar left without its thumb by a text that fitted gets it back.
    bar->SetThumbVisible(true);
}

void TsuiMemo::ChooseNativeBars() {
    if (FVScrollBar != nullptr && FHScrollBar != nullptr)
        SetScrollBars(TScrollStyle::ssBoth);
    else if (FVScrollBar != nullptr)
        SetScrollBars(TScrollStyle::ssVertical);
    else if (FHScrollBar != nullptr)
        SetScrollBars(TScrollStyle::ssHorizontal);
    else
        SetScrollBars(TScrollStyle::ssNone);
}

void TsuiMemo::PlaceBars() {
    auto origin = [this](const TsuiScrollBar* bar) {
        // The memo's corner where the bar's parent measures it.
        if (bar->Parent() == Parent() || bar->Parent() == nullptr || Parent() == nullptr)
            return Point(Left(), Top());
        return bar->Parent()->ScreenToClient(Parent()->ClientToScreen(Point(Left(), Top())));
    };
    if (TsuiScrollBar* bar = FHScrollBar) {
        const TPoint o = origin(bar);
        bar->SetVisible(bar->Height() <= Height());
        const int width = Width() - 2 - (FVScrollBar != nullptr ? FVScrollBar->Width() : 0);
        bar->SetBounds(o.X + 1, o.Y + Height() - bar->Height() - 2, width, bar->Height());
    }
    if (TsuiScrollBar* bar = FVScrollBar) {
        const TPoint o = origin(bar);
        bar->SetVisible(bar->Width() <= Width());
        const int height = Height() - 2 - (FHScrollBar != nullptr ? FHScrollBar->Height() : 0);
        bar->SetBounds(o.X + Width() - bar->Width() - 2, o.Y + 1, bar->Width(), height);
    }
    SyncBars();
}

void TsuiMemo::SyncBars() {
    if (FScrollingFromBar)
        return;
    TFlagScope syncing(FSyncing);
    if (FHScrollBar != nullptr)
        SyncBar(FHScrollBar, SB_HORZ);
    if (FVScrollBar != nullptr)
        SyncBar(FVScrollBar, SB_VERT);
}

void TsuiMemo::SyncBar(TsuiScrollBar* bar, int kind) {
    TScrollBarInfo info;
    ::GetScrollBarInfo(this, kind == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, info);
    const uint32_t state = info.rgstate[0];
    if (state == STATE_SYSTEM_INVISIBLE || state == STATE_SYSTEM_UNAVAILABLE) {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetThumbVisible(false);
    } else {
        // The bar takes the length only when it fits between its arrows.
        bar->SetLineButton(std::abs(info.xyThumbBottom - info.xyThumbTop));
        if (kind == SB_HORZ)
            bar->SetSmallChange(3 * bar->PageSize());
        bar->SetEnabled(true);
        bar->SetThumbVisible(true);
    }
    TScrollInfo scroll;
    scroll.fMask = SIF_ALL;
    if (!::GetScrollInfo(this, kind, scroll))
        return;
    // The last position a whole page can start at.
    const int64_t last = int64_t(scroll.nMax) - int64_t(scroll.nPage) + 1;
    bar->SetMax(int(std::clamp<int64_t>(last, INT_MIN, INT_MAX)));
    bar->SetMin(scroll.nMin);
    bar->SetPosition(scroll.nPos);
}

void TsuiMemo::BarChanged(int kind) {
    if (FSyncing)
        return;
    TsuiScrollBar* bar = kind == SB_VERT ? FVScrollBar : FHScrollBar;
    if (bar == nullptr)
        return;
    TFlagScope scrolling(FScrollingFromBar);
    const int position = bar->Position();
    if (position >= 0 && position <= kMaxRequestPosition) {
        SendMessage(this, kind == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                    (static_cast<uintptr_t>(position) << 16) | SB_THUMBPOSITION, 0);
    } else {
        // Beyond the 16 bits of the request: the scroll position itself.
        TScrollInfo scroll;
        scroll.fMask = SIF_POS;
        scroll.nPos = position;
        ::SetScrollInfo(this, kind, scroll);
    }
    Invalidate();
}

void TsuiMemo::Change() {
    TComponentTracker alive(this);
    TCustomMemo::Change();
    if (alive.Exists())
        SyncBars();
}

// --- Messages ---

void TsuiMemo::WndProc(TMessage& m) {
    TComponentTracker alive(this);
    switch (m.Msg) {
    case WM_SIZE:
    case WM_MOVE:
        TCustomMemo::WndProc(m);
        if (alive.Exists())
            PlaceBars();
        return;
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        TCustomMemo::WndProc(m);
        if (alive.Exists())
            SyncBars();
        return;
    case WM_LBUTTONDOWN:
        TCustomMemo::WndProc(m);
        if (alive.Exists()) {
            FSelecting = true;
            SyncBars();
        }
        return;
    case WM_MOUSEMOVE:
        TCustomMemo::WndProc(m);
        if (alive.Exists() && FSelecting)
            SyncBars();
        return;
    case WM_LBUTTONUP:
        TCustomMemo::WndProc(m);
        if (alive.Exists())
            FSelecting = false;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        TCustomMemo::WndProc(m);
        if (alive.Exists() && !FScrollingFromBar)
            SyncBars();
        return;
    case CM_VISIBLECHANGED:
        TCustomMemo::WndProc(m);
        if (!alive.Exists())
            return;
        // Hidden, the bars go too; shown, they are only synchronised: the
        // next placement shows them again.
        if (Visible()) {
            SyncBars();
        } else {
            for (TsuiScrollBar* bar : {FHScrollBar, FVScrollBar})
                if (bar != nullptr)
                    bar->SetVisible(false);
        }
        return;
    default:
        break;
    }
    TCustomMemo::WndProc(m);
}
