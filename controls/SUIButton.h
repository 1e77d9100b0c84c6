#pragma once
// The skinned push buttons and the skinned check box and radio button.
//
// TsuiCustomButton is a push button that draws one of four faces (normal,
// under the pointer, pressed, disabled) with its caption and a focus mark,
// clicks on a release inside, on Space or Enter, on its "&" accelerator, on
// Enter as the default button and on Escape as the cancel button, sets its
// form's ModalResult when clicked, and fires OnMouseContinuouslyDown again
// and again while the left button holds it down. TsuiButton takes its faces
// from the look's button strip, drawn at any size with the corners kept
// 1:1, and adds a glyph; TsuiImageButton draws four pictures of its own.
//
// TsuiCheckBox draws the look's check mark (checked or not, enabled or not)
// and its caption, and toggles on a click, on Space and on its accelerator.
// TsuiRadioButton unchecks the radio buttons of its parent that share its
// GroupIndex, and is selected when the focus moves to it from another item
// of a radio group.
//
// TsuiToolBarSpeedButton is the small flat glyph button of tool bars.
//
// Every control composes each paint in an off-screen bitmap and copies it
// to the screen in one step; nothing is erased beforehand.
//
// The push buttons are defined in SUIButton.cpp, the check box and radio
// button in SUICheckBox.cpp.

#include "framework/graphics/PersistentBitmap.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Panel.h"
#include "skin/SUIStyleLink.h"

#include <string>

class TTimer;

enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const TEnumInfo TButtonLayoutInfo;

enum class TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
extern const TEnumInfo TCheckBoxStateInfo;

class TsuiCustomButton : public TCustomControl {
    SSI_CLASS(TsuiCustomButton, TCustomControl)
public:
    explicit TsuiCustomButton(TComponent* owner);
    ~TsuiCustomButton() override;
    // The descendants publish most of the button's properties, each in an
    // order of its own.
    static void DeclarePublished(TPropertyBuilder& p);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    // Stores the reference, then sets UIStyle again to its own value.
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Stores the style, then UIStyleChanged and a repaint.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    // Escape on the form clicks a cancel button that can take the focus.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Enter on the form clicks the default button while the focus is on
    // something that is not a TsuiButton. Setting it makes every button of
    // the form work out again which one Enter clicks.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    // The parent's background shows through, and the face leaves out its
    // key colour.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Written into the form's ModalResult at every click (0 included).
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Milliseconds between two OnMouseContinuouslyDown while the left button
    // holds the button down; below 0 counts as 0, and 0 fires nothing.
    int MouseContinuouslyDownInterval() const { return FMouseContinuouslyDownInterval; }
    void SetMouseContinuouslyDownInterval(int value) { FMouseContinuouslyDownInterval = value; }
    // The dotted focus rectangle's inset.
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int value);
    // The pointer left the button (OnMouseEnter is the control's own).
    TNotifyEvent& OnMouseExit() { return FOnMouseExit; }
    void SetOnMouseExit(const TNotifyEvent& e) { FOnMouseExit = e; }
    TNotifyEvent& OnMouseContinuouslyDown() { return FOnMouseContinuouslyDown; }
    void SetOnMouseContinuouslyDown(const TNotifyEvent& e) { FOnMouseContinuouslyDown = e; }
    // Always 0; writing changes nothing.
    int ResHandle() const { return 0; }
    void SetResHandle(int) {}

    void SetEnabled(bool value) override;
    // Ends a press (repeat timer included), sets the form's ModalResult,
    // then OnClick.
    void Click() override;

    // The state the next paint shows.
    bool MouseOver() const { return FMouseOver; }
    bool Pressed() const { return FPressed; }
    // Whether Enter clicks this button now.
    bool ActiveDefault() const { return FActiveDefault; }
    // The timer that fires OnMouseContinuouslyDown while pressed, or null.
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    const TsuiStyleLink& Style() const { return FStyle; }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

    // Hooks after a setter stored its value (the setter repaints).
    virtual void AutoSizeChanged();
    virtual void CaptionChanged() {}
    virtual void FontChanged() {}
    virtual void TransparentChanged() {}
    virtual void EnabledChanged() {}
    virtual void UIStyleChanged() {}
    // Drawing steps of a paint, on the off-screen canvas.
    virtual void DrawFace(TCanvas& canvas, TBitmap& face);
    virtual void DrawCaption(TCanvas& canvas, const std::string& caption);
    virtual void DrawFocusMark(TCanvas& canvas);
    // The faces: frames 1 (normal and disabled), 2 and 3 of the look's
    // button strip.
    virtual void LoadNormalFace(TBitmap& face);
    virtual void LoadMouseOnFace(TBitmap& face);
    virtual void LoadMouseDownFace(TBitmap& face);
    virtual void LoadDisabledFace(TBitmap& face);

    // Frame `frame` of the look's button strip. The strip is read from the
    // look at the first paint after each change of look and kept.
    void LoadFaceFrame(TBitmap& face, int frame);
    // The see-through background under the control, into `canvas`.
    void DrawTransparentBackground(TCanvas& canvas);
    // Whether the control is drawn as enabled (it and its parents are).
    bool DrawEnabled() const { return IsEnabledInParents(); }

    // Set by a focus mark that makes the caption bold instead of framing it;
    // the caption drawing clears it.
    bool FBoldFocus = false;
    // Equal to Transparent: the face leaves out its key colour.
    bool FFaceTransparent = false;

private:
    void StyleRefresh();
    void SelectFace(TBitmap& face);
    void StartRepeatTimer();
    void StopRepeatTimer();
    void RepeatTimerTick(TObject* sender);
    // Hover and pressed flags off, timer stopped, repainted.
    void EndPress();

    TsuiStyleLink FStyle;
    bool FAutoSize = false;
    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    TModalResult FModalResult = mrNone;
    int FMouseContinuouslyDownInterval = 100;
    int FFocusedRectMargin = 2;
    bool FActiveDefault = false;
    bool FMouseOver = false;
    bool FPressed = false;
    TTimer* FRepeatTimer = nullptr;
    TBitmap FFaceStrip;
    bool FFaceStripLoaded = false;
    TNotifyEvent FOnMouseExit;
    TNotifyEvent FOnMouseContinuouslyDown;
};

class TsuiButton : public TsuiCustomButton {
    SSI_CLASS(TsuiButton, TsuiCustomButton)
public:
    explicit TsuiButton(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // A picture beside the caption. A glyph twice as wide as high holds two
    // square frames: the enabled look, then the disabled one.
    TPersistentBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(const TPersistentBitmap& value) { FGlyph.Assign(value); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    // Pixels between glyph and caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    // Where the caption goes beside a glyph, as the last paint placed it.
    TPoint CaptionPos() const { return Point(FCaptionX, FCaptionY); }

protected:
    // Transparent follows the look's ButtonTransparentBool.
    void UIStyleChanged() override;
    void DrawFace(TCanvas& canvas, TBitmap& face) override;
    void DrawCaption(TCanvas& canvas, const std::string& caption) override;
    // MacOS and BlueGlass show the focus as a bold caption.
    void DrawFocusMark(TCanvas& canvas) override;

private:
    void DrawGlyph(TCanvas& canvas);

    TPersistentBitmap FGlyph;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FSpacing = 4;
    int FCaptionX = 0;
    int FCaptionY = 0;
};

class TsuiImageButton : public TsuiCustomButton {
    SSI_CLASS(TsuiImageButton, TsuiCustomButton)
public:
    explicit TsuiImageButton(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // The pictures are the look: UIStyle always reads FromThemeFile.
    TsuiUIStyle UIStyle() const { return TsuiUIStyle::FromThemeFile; }
    void SetUIStyle(TsuiUIStyle value) { TsuiCustomButton::SetUIStyle(value); }
    // An empty state picture shows PicNormal.
    TPersistentPicture* PicNormal() { return &FPicNormal; }
    void SetPicNormal(const TPersistentPicture& value);
    TPersistentPicture* PicMouseOn() { return &FPicMouseOn; }
    void SetPicMouseOn(const TPersistentPicture& value);
    TPersistentPicture* PicMouseDown() { return &FPicMouseDown; }
    void SetPicMouseDown(const TPersistentPicture& value);
    TPersistentPicture* PicDisabled() { return &FPicDisabled; }
    void SetPicDisabled(const TPersistentPicture& value);
    // The picture stretched over the whole button instead of at its size.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    // Whether the focus rectangle is drawn at all.
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value);

protected:
    // The button takes PicNormal's size.
    void AutoSizeChanged() override;
    void DrawFace(TCanvas& canvas, TBitmap& face) override;
    void DrawFocusMark(TCanvas& canvas) override;
    void LoadNormalFace(TBitmap& face) override;
    void LoadMouseOnFace(TBitmap& face) override;
    void LoadMouseDownFace(TBitmap& face) override;
    void LoadDisabledFace(TBitmap& face) override;

private:
    void SetPicture(TPersistentPicture& picture, const TPersistentPicture& value);
    void LoadPicture(const TPicture& picture, TBitmap& face) const;

    TPersistentPicture FPicNormal;
    TPersistentPicture FPicMouseOn;
    TPersistentPicture FPicMouseDown;
    TPersistentPicture FPicDisabled;
    bool FStretch = false;
    bool FDrawFocused = false;
};

class TsuiCheckBox : public TCustomControl {
    SSI_CLASS(TsuiCheckBox, TCustomControl)
public:
    explicit TsuiCheckBox(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    // The size follows the mark and the caption (set at every paint).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // A change repaints and then CheckedChanged (the check box's OnClick).
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    // cbChecked while Checked, else cbUnchecked; writing cbGrayed unchecks.
    TCheckBoxState State() const;
    void SetState(TCheckBoxState value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // The check box's own click event: it follows every change of Checked
    // (user or code) outside layout loading. The framework's click event
    // (TControl::OnClick) is another one.
    TNotifyEvent& OnClick() { return FOnCheckClick; }
    void SetOnClick(const TNotifyEvent& e) { FOnCheckClick = e; }

    void SetEnabled(bool value) override;
    // Toggle, then the framework's click.
    void Click() override;

    // Sizes the control to its mark and caption when AutoSize is on.
    void AdjustSize();
    // A colour taken from the parent is not stored with the control.
    bool ColorStored() const { return !ParentColor(); }
    const TsuiStyleLink& Style() const { return FStyle; }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    // Whether a focus rectangle goes round the caption: TabStop and focused.
    virtual bool NeedFocusRect();
    // Whether the mark leaves out the colour of its bottom-left pixel.
    virtual bool MarkTransparent() { return false; }
    // The theme item of the mark strip (CheckBoxImage).
    virtual int MarkThemeItem() { return 3; }
    // Checked changed: OnClick unless the form is being loaded.
    virtual void CheckedChanged();
    virtual void BeforeToggle() {}
    // What a click does to Checked.
    virtual void Toggle();
    // Whether releasing Space or Enter clicks.
    virtual bool KeyUpClicks() { return true; }

    // OnClick, unless the control is being read from a layout.
    void FireCheckClick();
    bool Loading() const;

private:
    void LoadMark(TBitmap& mark);
    void ApplyAutoSize(const TBitmap& mark);

    TsuiStyleLink FStyle;
    // The look's mark strip, read at the first paint after each change of
    // look.
    TBitmap FMarkStrip;
    bool FMarkStripLoaded = false;
    bool FAutoSize = true;
    bool FChecked = false;
    bool FTransparent = false;
    TNotifyEvent FOnCheckClick;
};

class TsuiRadioButton : public TsuiCheckBox {
    SSI_CLASS(TsuiRadioButton, TsuiCheckBox)
public:
    explicit TsuiRadioButton(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // Radio buttons of one parent exclude each other within a GroupIndex.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }

protected:
    void WndProc(TMessage& message) override;
    bool MarkTransparent() override { return true; }
    int MarkThemeItem() override { return 4; }
    // Once checked: the siblings of the group are unchecked, then OnClick.
    void CheckedChanged() override;
    // Checks; never unchecks.
    void Toggle() override;
    bool KeyUpClicks() override { return false; }

private:
    int FGroupIndex = 0;
};

class TsuiToolBarSpeedButton : public TCustomPanel {
    SSI_CLASS(TsuiToolBarSpeedButton, TCustomPanel)
public:
    explicit TsuiToolBarSpeedButton(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // Copied without a repaint.
    TPersistentBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(const TPersistentBitmap& value);
    bool MouseOver() const { return FMouseOver; }

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    TPersistentBitmap FGlyph;
    bool FMouseOver = false;
};
