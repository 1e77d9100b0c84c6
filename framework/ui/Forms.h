#pragma once
// TCustomForm / TForm: a top-level window of the window system. The window
// holds a non-client frame (3 pixels on every side unless BorderStyle is
// bsNone, plus a caption bar while WS_CAPTION is in the style) around the
// client area. The form composes every paint in an off-screen surface the
// size of its window and copies the changed part into the window's back
// buffer, then presents it (WindowPainting.h): WM_NCPAINT paints the frame
// (a skinned form hooks it and paints over the frame), WM_PAINT the client
// area.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PersistentIcon.h"
#include "framework/graphics/Region.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/WindowPainting.h"
#include "platform/window/WindowSystem.h"

#include <memory>

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
extern const TEnumInfo TFormBorderStyleInfo;
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const TEnumInfo TWindowStateInfo;
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
extern const TEnumInfo TPositionInfo;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const TEnumInfo TFormStyleInfo;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// Width of the system frame around a bordered form's client area.
constexpr int kSystemFrameWidth = 3;
// Height of the system caption bar (while WS_CAPTION is set).
constexpr int kSystemCaptionHeight = 18;

// The smallest and largest size a form may take (0: no limit).
class TSizeConstraints : public TPersistent {
    SSI_CLASS(TSizeConstraints, TPersistent)
public:
    static void DeclarePublished(TPropertyBuilder& p);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int v) { FMaxHeight = v < 0 ? 0 : v; }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int v) { FMaxWidth = v < 0 ? 0 : v; }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int v) { FMinHeight = v < 0 ? 0 : v; }
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int v) { FMinWidth = v < 0 ? 0 : v; }
    void Assign(const TPersistent& source) override;
    // `width` and `height` moved into the limits.
    void Apply(int& width, int& height) const;

private:
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};

class TCustomForm : public TCustomControl {
    SSI_CLASS(TCustomForm, TCustomControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    static void DeclarePublished(TPropertyBuilder& p);

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value) { FFormStyle = value; }
    TSizeConstraints* Constraints() { return &FConstraints; }
    void SetConstraints(const TSizeConstraints& value);
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // Where the form goes when it is first shown: as designed, or centred
    // on the work area (screen, desktop) or on the main form.
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    // Stored with layouts made at another screen resolution; the framework
    // always draws at 96 pixels per inch and does not scale.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }
    // The icon the window shows (stored with the form): with no images, the
    // application's icon is shown (ShownIcon).
    TPersistentIcon& Icon() { return FIcon; }
    void SetIcon(const TPersistentIcon& value) { FIcon.Assign(value); }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);

    // Size constraints apply.
    void SetBounds(int left, int top, int width, int height) override;
    // ClientWidth and ClientHeight as layouts set them: applied at once, and
    // again when the layout is read, in case its controls changed the frame.
    void SetStoredClientWidth(int value);
    void SetStoredClientHeight(int value);

    // --- Showing and closing ---
    void SetVisible(bool value) override;
    // Shows the form, raises it and makes it the active form.
    void ShowForm();
    // Shows the form and runs a message loop until ModalResult is set (or
    // the form is hidden); the other forms take no input meanwhile.
    TModalResult ShowModal();
    bool Modal() const { return FModal; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // OnCloseQuery, then OnClose; the action decides: hide (the default),
    // free (at the next message loop turn), minimise or nothing. Closing
    // the main form ends the program.
    void Close();
    virtual bool CloseQuery();
    // Destroys the form once the message loop is back.
    void Release();
    // Whether this is the active form (the one that gets the keyboard).
    bool Active() const { return FActive; }

    // --- Focus ---
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Fails like SetFocus when the form is shown and `control` cannot take
    // the focus.
    void SetActiveControl(TWinControl* control);
    // Moves the focus to `control` (null: the form itself): WM_KILLFOCUS,
    // CM_EXIT, WM_SETFOCUS, CM_ENTER, then CM_FOCUSCHANGED to the form,
    // which passes it to every control. False when something refused.
    bool SetFocusedControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    bool CanFocus() const override;

    // --- Window ---
    TWsWindow ScreenWindow() const { return FWindow; }
    const TWindowShape& WindowShape() const { return FShape; }
    // Whether the screen point lies on the window (inside its shape).
    bool ContainsScreenPoint(const TPoint& p) const;
    TRect ClientRect() const override;
    TPoint ClientOffset() const override;
    int FrameWidth() const;
    int CaptionHeight() const;
    // Which part of the window `screenPoint` is (an HT value).
    intptr_t HitTest(const TPoint& screenPoint);
    // Where the form lay before it was maximised.
    TRect RestoredBounds() const { return FRestoredBounds; }

    // --- Painting ---
    // Marks `rect` (window coordinates) for the next paint.
    void InvalidateWindowRect(const TRect& rect);
    // Marks the non-client frame for the next paint.
    void InvalidateFrame();
    bool NeedsPaint() const;
    // Paints what is invalid (frame first, then client) and presents it.
    void PaintNow();
    // The off-screen surface of the window (window coordinates).
    TBitmap& Surface() { return FSurface; }
    // Copies `rect` (window coordinates) of the surface to the window and
    // presents it.
    void PresentRect(const TRect& rect);
    // Applies style changes that affect the frame (the platform's
    // SetWindowPos with SWP_FRAMECHANGED): client area and frame repaint.
    void FrameChanged();
    // Keeps the window's shape (the skinned form's rounded corners); an
    // empty shape is the whole window.
    void SetWindowShape(const TWindowShape& shape);
    // The platform's SetWindowRgn: only the region's pixels (window
    // coordinates) show and take the mouse; null gives the whole window back.
    void SetWindowRegion(const TRegion* region);

    TNotifyEvent& OnShow() { return FOnShow; }
    void SetOnShow(const TNotifyEvent& e) { FOnShow = e; }
    TNotifyEvent& OnHide() { return FOnHide; }
    void SetOnHide(const TNotifyEvent& e) { FOnHide = e; }
    TNotifyEvent& OnCreate() { return FOnCreate; }
    void SetOnCreate(const TNotifyEvent& e) { FOnCreate = e; }
    TNotifyEvent& OnDestroy() { return FOnDestroy; }
    void SetOnDestroy(const TNotifyEvent& e) { FOnDestroy = e; }
    TNotifyEvent& OnActivate() { return FOnActivate; }
    void SetOnActivate(const TNotifyEvent& e) { FOnActivate = e; }
    TNotifyEvent& OnDeactivate() { return FOnDeactivate; }
    void SetOnDeactivate(const TNotifyEvent& e) { FOnDeactivate = e; }
    TCloseEvent& OnClose() { return FOnClose; }
    void SetOnClose(const TCloseEvent& e) { FOnClose = e; }
    TCloseQueryEvent& OnCloseQuery() { return FOnCloseQuery; }
    void SetOnCloseQuery(const TCloseQueryEvent& e) { FOnCloseQuery = e; }

    // Called by the application when the form gains or loses the keyboard.
    void SetActive(bool value);

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void BoundsChanged(bool moved, bool resized) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;
    void TextChanged() override;
    // The default non-client painting: frame and caption bar.
    virtual void PaintFrame(TCanvas& canvas);
    virtual void DoShow();
    virtual void DoHide();
    // The window's kind (forms are top-level; a menu window is a popup).
    virtual TWsWindowKind WindowKind() const { return TWsWindowKind::TopLevel; }

private:
    friend class TApplication;
    friend class TWinControl;
    void UpdateStyleFromBorder();
    void ResizeSurface();

    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TWindowState FWindowState = TWindowState::wsNormal;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    TSizeConstraints FConstraints;
    bool FScaled = true;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    TPosition FPosition = TPosition::poDesigned;
    int FPixelsPerInch = kScreenPixelsPerInch;
    int FTextHeight = 13;
    TPersistentIcon FIcon;
    TMainMenu* FMenu = nullptr;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TWsWindow FWindow = 0;
    TWindowShape FShape;
    TBitmap FSurface;
    TRect FInvalid{};
    bool FFrameInvalid = false;
    TRect FRestoredBounds{};
    bool FShown = false;
    bool FReactivate = false;    // the window is being made again while active
    int FLoadedClientWidth = -1; // stored by the layout being read
    int FLoadedClientHeight = -1;

    TNotifyEvent FOnShow;
    TNotifyEvent FOnHide;
    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDestroy;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TCloseEvent FOnClose;
    TCloseQueryEvent FOnCloseQuery;
};

class TForm : public TCustomForm {
    SSI_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);
};
