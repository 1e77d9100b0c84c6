#pragma once
// TWinControl: a control with a window: it holds child controls (in index
// order, which is also their stacking order: later ones lie on top), takes
// the keyboard focus, has a tab order, a client rectangle inside its
// BorderWidth, and a handle that is created when first needed. Children
// with an Align are laid out in the platform's order: top, bottom, left,
// right, then client, each group in the order of their positions.
//
// Painting: WM_ERASEBKGND (WParam: the TCanvas to erase on) fills the
// client area with Color; WM_PAINT (WParam: the TCanvas, already translated
// to the client origin and clipped) calls PaintWindow and then paints the
// children that have no window. A message sent with WParam 0 paints into
// the form's surface.

#include "framework/ui/Controls.h"

#include <vector>

class TCanvas;

// Window style bits, as the platform's (GWL_STYLE).
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_DLGFRAME = 0x00400000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_HSCROLL = 0x00100000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t WS_TABSTOP = 0x00010000;

// A window handle of the framework; 0 is none.
using HWND = uintptr_t;

// Scroll bars of a window, as the platform reports them.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int32_t OBJID_HSCROLL = -6;
constexpr int32_t OBJID_VSCROLL = -5;
constexpr uint32_t SIF_RANGE = 0x1;
constexpr uint32_t SIF_PAGE = 0x2;
constexpr uint32_t SIF_POS = 0x4;
constexpr uint32_t SIF_TRACKPOS = 0x10;
constexpr uint32_t SIF_ALL = 0x17;
constexpr uint32_t STATE_SYSTEM_UNAVAILABLE = 0x1;
constexpr uint32_t STATE_SYSTEM_PRESSED = 0x8;
constexpr uint32_t STATE_SYSTEM_INVISIBLE = 0x8000;

struct TScrollInfo {
    uint32_t fMask = SIF_ALL;
    int nMin = 0;
    int nMax = 0;
    unsigned nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

struct TScrollBarInfo {
    TRect rcScrollBar{}; // screen coordinates
    int dxyLineButton = 0;
    int xyThumbTop = 0; // from the bar's top (left) edge
    int xyThumbBottom = 0;
    // [0]: the bar itself; 1..5: arrows, page areas and thumb.
    uint32_t rgstate[6] = {};
};

class TWinControl : public TControl {
    SSI_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static void DeclarePublished(TPropertyBuilder& p);

    // --- Children ---
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    // Windowed children only, in index order.
    std::vector<TWinControl*> WinControls() const;
    bool ContainsControl(const TControl* control) const;
    // The deepest visible child at `p` (client coordinates), or null.
    // Disabled children count only with `allowDisabled`.
    TControl* ControlAtPos(const TPoint& p, bool allowDisabled, bool deep = true) const;
    // Sends `message` to every child in index order.
    void Broadcast(TMessage& message);
    // Layouts nest the children (owned by the root) in their parent.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // --- Layout ---
    TRect ClientRect() const override;
    // Where the client area starts inside the control's bounds.
    virtual TPoint ClientOffset() const;
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    // Lays out the aligned children again.
    void Realign();
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();

    // --- Window ---
    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and creates it again; CM_RECREATEWND follows.
    void RecreateWnd();
    uint32_t WindowStyle() const { return FStyle; }
    void SetWindowStyle(uint32_t style) { FStyle = style; }
    // The control that owns handle `handle`, or null.
    static TWinControl* FindControl(HWND handle);

    // --- Focus ---
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Showing, enabled up to the form, and the form can be focused.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Makes this control the form's active control; fails with "Cannot
    // focus a disabled or invisible window" when it cannot take the focus.
    virtual void SetFocus();
    // Children that take part in tabbing, in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after `current` among this control's
    // descendants that can take the focus (and has TabStop when asked).
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // Whether the control itself handles `key` (Tab, arrows, Enter, Escape)
    // instead of letting the form use it for dialog navigation.
    virtual bool WantsKey(int key) const;
    // Whether typed characters are the control's input (no accelerators).
    virtual bool WantsChars() const { return false; }

    TKeyEvent& OnKeyDown() { return FOnKeyDown; }
    void SetOnKeyDown(const TKeyEvent& e) { FOnKeyDown = e; }
    TKeyEvent& OnKeyUp() { return FOnKeyUp; }
    void SetOnKeyUp(const TKeyEvent& e) { FOnKeyUp = e; }
    TKeyPressEvent& OnKeyPress() { return FOnKeyPress; }
    void SetOnKeyPress(const TKeyPressEvent& e) { FOnKeyPress = e; }
    TNotifyEvent& OnEnter() { return FOnEnter; }
    void SetOnEnter(const TNotifyEvent& e) { FOnEnter = e; }
    TNotifyEvent& OnExit() { return FOnExit; }
    void SetOnExit(const TNotifyEvent& e) { FOnExit = e; }

    // Paints the control's client area and its windowless children on
    // `canvas` (translated to the client origin and clipped).
    void PaintHandler(TCanvas& canvas);

    // The control's own scroll bars (SB_HORZ, SB_VERT); false when it has
    // none of that kind.
    virtual bool GetScrollInfo(int bar, TScrollInfo& info);
    virtual bool GetScrollBarInfo(int bar, TScrollBarInfo& info);
    // Sets what `info.fMask` names of a scroll bar of the control's own
    // (SIF_TRACKPOS is ignored, as the platform ignores it); false when it
    // has none of that kind. A control that scrolls its content by its
    // bars scrolls to a new SIF_POS: it is how a position beyond the 16
    // bits of a WM_VSCROLL / WM_HSCROLL request reaches it.
    virtual bool SetScrollInfo(int bar, const TScrollInfo& info);

protected:
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void BeforeDestruction() override;
    void Loaded() override;

    virtual void CreateWnd();
    virtual void DestroyWnd();
    void DestroyHandle();
    // The rectangle aligned children share: the client rectangle, less
    // what the control draws inside it (a panel's bevels).
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void AlignControls(TControl* control, TRect& rect);
    // Paints the client area itself (the children are painted afterwards).
    virtual void PaintWindow(TCanvas& canvas);
    // Paints what lies outside the client area (WM_NCPAINT of a child
    // control; `canvas` has its origin at the control's top-left corner).
    // The default fills the BorderWidth band with Color.
    virtual void PaintNonClient(TCanvas& canvas);
    void PaintControls(TCanvas& canvas);
    void BoundsChanged(bool moved, bool resized) override;

    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();

private:
    friend class TControl;
    friend class TCustomForm;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AlignNow();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    int FBorderWidth = 0;
    int FAlignDisabled = 0;
    bool FAlignPending = false;
    HWND FHandle = 0;
    uint32_t FStyle = WS_CHILD;
    bool FTabStop = false;
    TKeyEvent FOnKeyDown;
    TKeyEvent FOnKeyUp;
    TKeyPressEvent FOnKeyPress;
    TNotifyEvent FOnEnter;
    TNotifyEvent FOnExit;
};

// The platform's calls, on the framework's windows.
bool GetScrollInfo(TWinControl* control, int bar, TScrollInfo& info);
bool SetScrollInfo(TWinControl* control, int bar, const TScrollInfo& info);
// `objectId`: OBJID_HSCROLL or OBJID_VSCROLL.
bool GetScrollBarInfo(TWinControl* control, int32_t objectId, TScrollBarInfo& info);

// Sends `msg` to `control` through its WindowProc; 0 for a null control.
intptr_t SendMessage(TControl* control, uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
