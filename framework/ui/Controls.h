#pragma once
// TControl: the base of everything that sits in a form. A control has bounds
// relative to its parent's client area, an alignment, visibility, enabling,
// colour and font (optionally the parent's), a cursor and a caption, and it
// receives its messages through the replaceable WindowProc of
// TMessageHandler. Controls without a window of their own (TGraphicControl)
// are painted by their parent; windowed controls are TWinControl.
//
// Windows: only forms and open menus have a window of the window system.
// Every other windowed control is a window of the framework inside its form:
// it has a handle, a client rectangle and its own messages, and it paints
// into the form's off-screen surface, which the form presents.

#include "framework/components/Components.h"
#include "framework/components/MessageHandler.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Cursors.h"
#include "framework/graphics/PersistentFont.h"
#include "framework/graphics/Types.h"

#include <cstdint>
#include <string>

class TWinControl;
class TCustomForm;
class TCanvas;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
extern const TEnumInfo TAlignInfo;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo TAlignmentInfo;

// Modifier keys and buttons held during an input event.
using TShiftState = uint32_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;
// The shift state packed in a mouse message's WParam (MK_ flags).
TShiftState ShiftStateFromMk(uintptr_t mk);
uintptr_t MkFromShiftState(TShiftState shift);

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;

// ControlStyle flags: what kind of control this is.
constexpr uint32_t csAcceptsControls = 0x0001; // may be the parent of other controls
constexpr uint32_t csCaptureMouse = 0x0002;    // keeps the mouse while a button is held
constexpr uint32_t csClickEvents = 0x0004;     // a press and release inside make a click
constexpr uint32_t csOpaque = 0x0008;          // paints its whole area
constexpr uint32_t csDoubleClicks = 0x0010;    // gets double clicks as such
constexpr uint32_t csSetCaption = 0x0020;      // takes its Name as caption when named

// ControlState flags: what is happening to it now.
constexpr uint32_t csLButtonDown = 0x0001;
constexpr uint32_t csClicked = 0x0002;
constexpr uint32_t csPainting = 0x0004;
constexpr uint32_t csFocusing = 0x0008;
constexpr uint32_t csAligning = 0x0010;

class TControl : public TComponent, public TMessageHandler {
    SSI_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Publishes what every control stores and declares the rest protected,
    // for each descendant to publish what it shows (PropertyBuilder.h).
    static void DeclarePublished(TPropertyBuilder& p);

    // --- Bounds (parent client coordinates; screen coordinates for forms) ---
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // Moves and sizes in one step; negative sizes become 0. The parent
    // realigns its children when an aligned control changes.
    virtual void SetBounds(int left, int top, int width, int height);

    // The client area in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    // Where the control lies in its form's window (window coordinates), cut
    // down to what its parents' client areas let show.
    TRect WindowRectInForm() const;
    // Client coordinates of this control to the client coordinates of its
    // form (the form's own client point when this is the form).
    TPoint ClientToForm(const TPoint& p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a form that is shown.
    bool IsShowing() const;

    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    // Enabled, and so is every parent.
    bool IsEnabledInParents() const;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TPersistentFont* Font() { return &FFont; }
    const TPersistentFont& FontRef() const { return FFont; }
    void SetFont(const TPersistentFont& value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    // The window text.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    const std::string& Text() const { return FCaption; }
    void SetText(const std::string& value) { SetCaption(value); }

    // The menu a right click on the control opens (at the pointer).
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    // The form the control sits on (itself for a form), or null.
    TCustomForm* ParentForm() const;

    uint32_t ControlStyle() const { return FControlStyle; }
    void SetControlStyle(uint32_t value) { FControlStyle = value; }
    uint32_t ControlState() const { return FControlState; }
    void SetControlState(uint32_t value) { FControlState = value; }

    // Marks the control's area for the next paint.
    virtual void Invalidate();
    // Paints whatever is invalid in the control's form now.
    void Update();
    // Invalidate, then Update: for a control that must show a change at once.
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // The framework's click: OnClick. Buttons make it from presses; code may
    // call it directly.
    virtual void Click();

    TNotifyEvent& OnClick() { return FOnClick; }
    void SetOnClick(const TNotifyEvent& e) { FOnClick = e; }
    TNotifyEvent& OnDblClick() { return FOnDblClick; }
    void SetOnDblClick(const TNotifyEvent& e) { FOnDblClick = e; }
    TMouseEvent& OnMouseDown() { return FOnMouseDown; }
    void SetOnMouseDown(const TMouseEvent& e) { FOnMouseDown = e; }
    TMouseEvent& OnMouseUp() { return FOnMouseUp; }
    void SetOnMouseUp(const TMouseEvent& e) { FOnMouseUp = e; }
    TMouseMoveEvent& OnMouseMove() { return FOnMouseMove; }
    void SetOnMouseMove(const TMouseMoveEvent& e) { FOnMouseMove = e; }
    TNotifyEvent& OnMouseEnter() { return FOnMouseEnter; }
    void SetOnMouseEnter(const TNotifyEvent& e) { FOnMouseEnter = e; }
    TNotifyEvent& OnMouseLeave() { return FOnMouseLeave; }
    void SetOnMouseLeave(const TNotifyEvent& e) { FOnMouseLeave = e; }
    TNotifyEvent& OnResize() { return FOnResize; }
    void SetOnResize(const TNotifyEvent& e) { FOnResize = e; }

    // Layouts nest controls in their parents.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

protected:
    void WndProc(TMessage& message) override;
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    // The size changed: OnResize.
    virtual void Resize();
    // The parent is asked to realign when an aligned control changes.
    void RequestAlign();
    // The caption changed (after CM_TEXTCHANGED went out).
    virtual void TextChanged() {}
    // Bounds were stored; windowed controls tell their window.
    virtual void BoundsChanged(bool moved, bool resized);

private:
    friend class TWinControl;
    void FontChanged();

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = TAlign::alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TPersistentFont FFont;
    bool FParentFont = true;
    bool FSettingParentFont = false;
    TCursor FCursor = crDefault;
    std::string FCaption;
    TWinControl* FParent = nullptr;
    TPopupMenu* FPopupMenu = nullptr;
    uint32_t FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    uint32_t FControlState = 0;

    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TMouseEvent FOnMouseDown;
    TMouseEvent FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
    TNotifyEvent FOnMouseEnter;
    TNotifyEvent FOnMouseLeave;
    TNotifyEvent FOnResize;
};

// The form that `control` sits on, or null.
TCustomForm* GetParentForm(const TControl* control);
