#include "framework/ui/WinControl.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"

#include <algorithm>
#include <map>

namespace {
std::map<HWND, TWinControl*>& HandleMap() {
    static std::map<HWND, TWinControl*> map;
    return map;
}
HWND nextHandle = 0x100;
} // namespace

intptr_t SendMessage(TControl* control, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (control == nullptr)
        return 0;
    return control->Perform(msg, wParam, lParam);
}

SSI_DEFINE_CLASS(TWinControl, TControl)

void TWinControl::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Default(-1)
        .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Default(0);
    // BorderWidth too: a descendant may publish a BorderWidth of its own that
    // an earlier setter derives (a frame width taken from a look), and a
    // stored value only wins in a slot after that setter.
    p.Protected()
        .Integer("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth)
        .Default(0)
        .Event("OnEnter", &TWinControl::OnEnter, &TWinControl::SetOnEnter)
        .Event("OnExit", &TWinControl::OnExit, &TWinControl::SetOnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Leave the parent while this is still a windowed control, so that the
    // form forgets it as its active control even after a plain delete.
    if (Parent() != nullptr)
        Parent()->RemoveControl(this);
    // Children not owned by this control lose their parent, as on the
    // platform when the parent window goes away.
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    DestroyHandle();
}

void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FControls[static_cast<size_t>(index)];
}

std::vector<TWinControl*> TWinControl::WinControls() const {
    std::vector<TWinControl*> list;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            list.push_back(w);
    return list;
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled, bool deep) const {
    // Windowed children lie above the windowless ones; among each kind the
    // later in index order is on top.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
            TControl* c = *it;
            auto* w = dynamic_cast<TWinControl*>(c);
            if ((pass == 0) != (w != nullptr))
                continue;
            if (!c->Visible() || (!allowDisabled && !c->Enabled()))
                continue;
            if (!PtInRect(c->BoundsRect(), p))
                continue;
            TPoint local = Point(p.X - c->Left(), p.Y - c->Top());
            if (c->Perform(CM_HITTEST, 0, MakeLParam(local.X, local.Y)) == 0)
                continue;
            if (deep && w != nullptr) {
                TPoint off = w->ClientOffset();
                TPoint inner = Point(local.X - off.X, local.Y - off.Y);
                if (PtInRect(w->ClientRect(), inner))
                    if (TControl* d = w->ControlAtPos(inner, allowDisabled, true))
                        return d;
            }
            return c;
        }
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> copy = FControls;
    for (TControl* c : copy) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
            continue;
        c->Dispatch(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root == this) {
        TControl::GetChildren(proc, root);
        return;
    }
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->Owner() == root)
            proc(c);
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        FTabList.push_back(w);
        if (HandleAllocated())
            w->HandleNeeded();
    }
    Perform(CM_CONTROLLISTCHANGE, 1, reinterpret_cast<intptr_t>(control));
    if (control->Align() != TAlign::alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    if (TCustomForm* form = ParentForm()) {
        // A form must not keep pointing at a control that left it.
        auto* w = dynamic_cast<TWinControl*>(control);
        if (w != nullptr &&
            (form->FActiveControl == w ||
             (form->FActiveControl != nullptr && w->ContainsControl(form->FActiveControl))))
            form->FActiveControl = nullptr;
        if (w != nullptr &&
            (form->FFocusedControl == w ||
             (form->FFocusedControl != nullptr && w->ContainsControl(form->FFocusedControl))))
            form->FFocusedControl = nullptr;
    }
    if (ApplicationExists())
        Application().ControlDestroyed(control);
    FControls.erase(it);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
    control->FParent = nullptr;
    Perform(CM_CONTROLLISTCHANGE, 0, reinterpret_cast<intptr_t>(control));
    if (control->Align() != TAlign::alNone)
        Realign();
}

TRect TWinControl::ClientRect() const {
    int w = std::max(Width() - 2 * FBorderWidth, 0);
    int h = std::max(Height() - 2 * FBorderWidth, 0);
    return Rect(0, 0, w, h);
}

TPoint TWinControl::ClientOffset() const {
    return Point(FBorderWidth, FBorderWidth);
}

void TWinControl::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (FBorderWidth == value)
        return;
    FBorderWidth = value;
    Invalidate();
    Realign();
}

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FAlignPending)
        Realign();
}

void TWinControl::Realign() {
    if (FAlignDisabled > 0 || HasState(csLoading) || HasState(csDestroying) ||
        (ControlState() & csAligning)) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    AlignNow();
}

void TWinControl::AlignNow() {
    SetControlState(ControlState() | csAligning);
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    try {
        AlignControls(nullptr, rect);
    } catch (...) {
        SetControlState(ControlState() & ~csAligning);
        throw;
    }
    SetControlState(ControlState() & ~csAligning);
}

void TWinControl::AdjustClientRect(TRect& /*rect*/) const {}

void TWinControl::AlignControls(TControl* /*control*/, TRect& rect) {
    // The platform's order: every top-aligned control from the top down,
    // then bottom-aligned from the bottom up, left, right, and last the
    // client-aligned ones taking what remains. Within a group, controls go
    // in the order of their positions, ties in index order.
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                            TAlign::alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        auto key = [align](TControl* c) {
            switch (align) {
            case TAlign::alTop:
                return c->Top();
            case TAlign::alBottom:
                return -(c->Top() + c->Height());
            case TAlign::alLeft:
                return c->Left();
            case TAlign::alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(),
                         [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* c : list) {
            int w = rect.Width() < 0 ? 0 : rect.Width();
            int h = rect.Height() < 0 ? 0 : rect.Height();
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->Height());
                rect.Top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                rect.Left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, w, h);
                break;
            }
        }
    }
}

HWND TWinControl::Handle() {
    if (FHandle == 0) {
        if (Parent() != nullptr)
            Parent()->HandleNeeded();
        CreateWnd();
        for (TWinControl* w : WinControls())
            w->HandleNeeded();
    }
    return FHandle;
}

void TWinControl::CreateWnd() {
    FHandle = nextHandle++;
    HandleMap()[FHandle] = this;
}

void TWinControl::DestroyWnd() {
    HandleMap().erase(FHandle);
    FHandle = 0;
}

void TWinControl::DestroyHandle() {
    if (FHandle == 0)
        return;
    for (TWinControl* w : WinControls())
        w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated())
        return;
    DestroyHandle();
    HandleNeeded();
    Perform(CM_RECREATEWND);
    Invalidate();
}

TWinControl* TWinControl::FindControl(HWND handle) {
    auto it = HandleMap().find(handle);
    return it == HandleMap().end() ? nullptr : it->second;
}

void TWinControl::BoundsChanged(bool moved, bool resized) {
    if (moved)
        Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
    if (resized)
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
}

// --- Focus ---

int TWinControl::TabOrder() const {
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    if (value < 0 || value > static_cast<int>(list.size()))
        value = static_cast<int>(list.size());
    list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
    if (FTabStop == value)
        return;
    FTabStop = value;
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = ParentForm();
    if (form == nullptr)
        return false;
    for (const TControl* c = this; c != nullptr; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const {
    TCustomForm* form = ParentForm();
    return form != nullptr && form->Active() && form->FFocusedControl == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (form == nullptr)
        return;
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* w : FTabList) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    int count = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[static_cast<size_t>(i)] == current)
            start = i;
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current && n + 1 < count)
            continue;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) &&
            c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (next != nullptr && next != current)
        next->SetFocus();
}

bool TWinControl::WantsKey(int /*key*/) const {
    return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    FOnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    FOnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    FOnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    FOnEnter(this);
}

void TWinControl::DoExit() {
    FOnExit(this);
}

// --- Painting ---

void TWinControl::PaintWindow(TCanvas& /*canvas*/) {}

void TWinControl::PaintNonClient(TCanvas& canvas) {
    if (FBorderWidth <= 0)
        return;
    int bw = FBorderWidth;
    int w = Width(), h = Height();
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, w, bw));
    canvas.FillRect(Rect(0, h - bw, w, h));
    canvas.FillRect(Rect(0, bw, bw, h - bw));
    canvas.FillRect(Rect(w - bw, bw, w, h - bw));
}

bool TWinControl::GetScrollInfo(int /*bar*/, TScrollInfo& /*info*/) {
    return false;
}

bool TWinControl::GetScrollBarInfo(int /*bar*/, TScrollBarInfo& info) {
    info = TScrollBarInfo{};
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return true;
}

bool TWinControl::SetScrollInfo(int /*bar*/, const TScrollInfo& /*info*/) {
    return false;
}

bool GetScrollInfo(TWinControl* control, int bar, TScrollInfo& info) {
    return control != nullptr && control->GetScrollInfo(bar, info);
}

bool SetScrollInfo(TWinControl* control, int bar, const TScrollInfo& info) {
    return control != nullptr && control->SetScrollInfo(bar, info);
}

bool GetScrollBarInfo(TWinControl* control, int32_t objectId, TScrollBarInfo& info) {
    if (control == nullptr || (objectId != OBJID_HSCROLL && objectId != OBJID_VSCROLL))
        return false;
    return control->GetScrollBarInfo(objectId == OBJID_HSCROLL ? SB_HORZ : SB_VERT, info);
}

void TWinControl::PaintControls(TCanvas& canvas) {
    std::vector<TControl*> copy = FControls;
    for (TControl* c : copy) {
        // A control that is painting itself and asks its parent for the
        // background (DrawParentBackground) is not painted again inside.
        if (dynamic_cast<TWinControl*>(c) != nullptr || !c->Visible() ||
            (c->ControlState() & csPainting))
            continue;
        TRect clip = canvas.ClipRect();
        TRect r;
        if (!IntersectRect(r, clip, c->BoundsRect()))
            continue;
        int level = canvas.SaveState();
        canvas.MoveOrigin(c->Left(), c->Top());
        canvas.IntersectClipRect(Rect(0, 0, c->Width(), c->Height()));
        c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&canvas));
        canvas.RestoreState(level);
    }
}

void TWinControl::PaintHandler(TCanvas& canvas) {
    SetControlState(ControlState() | csPainting);
    try {
        PaintWindow(canvas);
        PaintControls(canvas);
    } catch (...) {
        SetControlState(ControlState() & ~csPainting);
        throw;
    }
    SetControlState(ControlState() & ~csPainting);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: {
        if (m.WParam != 0) {
            PaintHandler(*reinterpret_cast<TCanvas*>(m.WParam));
        } else {
            TCanvas canvas;
            if (PrepareControlCanvas(this, canvas))
                PaintHandler(canvas);
        }
        m.Result = 0;
        return;
    }
    case WM_SIZE:
        Realign();
        TControl::Resize();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        KeyDown(key, static_cast<TShiftState>(m.LParam >> 16 & 0xFF));
        m.Result = key == 0 ? 1 : 0;
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        KeyUp(key, static_cast<TShiftState>(m.LParam >> 16 & 0xFF));
        m.Result = key == 0 ? 1 : 0;
        return;
    }
    case WM_CHAR: {
        char c = static_cast<char>(m.WParam);
        KeyPress(c);
        m.Result = c == 0 ? 1 : 0;
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: {
        // Offered in turn to the children that could take the focus; the
        // first that takes it ends the round.
        std::vector<TControl*> copy = FControls;
        for (TControl* c : copy) {
            if (!c->Visible() || !c->Enabled())
                continue;
            c->Dispatch(m);
            if (m.Result != 0)
                return;
        }
        return;
    }
    case CM_FOCUSCHANGED: {
        TMessage copy = m;
        Broadcast(copy);
        return;
    }
    case CM_COLORCHANGED: {
        TControl::WndProc(m);
        TMessage msg{CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (TControl* c : std::vector<TControl*>(FControls))
            c->Dispatch(msg);
        return;
    }
    case CM_FONTCHANGED: {
        TControl::WndProc(m);
        TMessage msg{CM_PARENTFONTCHANGED, 0, 0, 0};
        for (TControl* c : std::vector<TControl*>(FControls))
            c->Dispatch(msg);
        return;
    }
    case CM_VISIBLECHANGED:
        if (!Visible()) {
            // A hidden control cannot keep the focus.
            if (TCustomForm* form = ParentForm())
                if (form != this && form->FFocusedControl != nullptr &&
                    ContainsControl(form->FFocusedControl))
                    form->SetFocusedControl(nullptr);
        }
        return;
    default:
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (m.Msg == WM_NCPAINT) {
        if (m.WParam != 0)
            PaintNonClient(*reinterpret_cast<TCanvas*>(m.WParam));
        return;
    }
    if (m.Msg == WM_ERASEBKGND) {
        TCanvas* canvas = reinterpret_cast<TCanvas*>(m.WParam);
        if (canvas != nullptr) {
            canvas->Brush().SetColor(Color());
            canvas->Brush().SetStyle(TBrushStyle::bsSolid);
            canvas->FillRect(ClientRect());
        }
        m.Result = 1;
        return;
    }
    TControl::DefaultHandler(m);
}
