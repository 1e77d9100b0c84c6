#pragma once
// TsuiTitleBar: a painted caption bar at the top of its parent. It draws a
// left image, a right image and a stretched middle image (its sections), a
// row of window buttons from the right edge leftwards, an optional
// control-box button or application icon on the left, and the caption
// between them, shortened with "..." when it does not fit. Dragging the bar
// moves its form; the buttons maximise or restore, minimise and close the
// form; a double click maximises or restores; the control box opens the
// window menu. Inside a TsuiForm the bar is framed: its images start 3
// pixels up and outwards, where the form continues them into the window
// frame, and it is 3 pixels lower than the style's images.

#include "controls/SUIPopupMenu.h"
#include "framework/components/Collections.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/Panel.h"
#include "skin/SUIStyleLink.h"

class TCustomForm;
class TsuiTitleBar;

enum class TsuiTitleBarBtnType : uint8_t {
    suiMax,
    suiMin,
    suiClose,
    suiHelp,
    suiControlBox,
    suiCustom
};
extern const TEnumInfo TsuiTitleBarBtnTypeInfo;
enum class TsuiTitleBarAlign : uint8_t { suiLeft, suiRight, suiClient };
extern const TEnumInfo TsuiTitleBarAlignInfo;

// A click on a title-bar button; the index is the button's collection index.
using TsuiTitleBarButtonClickEvent = TEvent<TObject*, int>;

// One window button: three pictures (normal, under the pointer, pressed),
// loaded from the look's button strip for every type but suiCustom.
class TsuiTitleBarButton : public TCollectionItem {
    SSI_CLASS(TsuiTitleBarButton, TCollectionItem)
public:
    explicit TsuiTitleBarButton(TCollection* collection);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Reloads the pictures; no repaint.
    void SetUIStyle(TsuiUIStyle value);
    TsuiTitleBarBtnType ButtonType() const { return FButtonType; }
    // A second suiControlBox in the bar is refused with an error dialog.
    void SetButtonType(TsuiTitleBarBtnType value);
    // Leaves out the pictures' key colour (their bottom-left pixel).
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Kept from the look; the bar draws every button at its own button top.
    int Top() const { return FTop; }
    void SetTop(int value);
    // Opened by a control box instead of the bar's window menu.
    TPopupMenu* ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(TPopupMenu* value) { FControlBoxMenu = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TPersistentPicture* PicNormal() { return &FPicNormal; }
    void SetPicNormal(const TPersistentPicture& value) { FPicNormal.Assign(value); }
    TPersistentPicture* PicMouseOn() { return &FPicMouseOn; }
    void SetPicMouseOn(const TPersistentPicture& value) { FPicMouseOn.Assign(value); }
    TPersistentPicture* PicMouseDown() { return &FPicMouseDown; }
    void SetPicMouseDown(const TPersistentPicture& value) { FPicMouseDown.Assign(value); }

    // Visible, ButtonType, Transparent, Top and UIStyle through their
    // setters, then the pictures and ControlBoxMenu.
    void Assign(const TPersistent& source) override;

    TsuiTitleBar* TitleBar() const;
    // The maximise button's pictures for the form's state now (restore look
    // while maximised).
    void UpdateMaxButtonPictures();

private:
    void ReloadPictures();
    void LoadFrames(int first);
    void Repaint();

    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiTitleBarBtnType FButtonType = TsuiTitleBarBtnType::suiCustom;
    bool FTransparent = false;
    int FTop = 2;
    TPopupMenu* FControlBoxMenu = nullptr;
    bool FVisible = true;
    TPersistentPicture FPicNormal;
    TPersistentPicture FPicMouseOn;
    TPersistentPicture FPicMouseDown;
};

// One image of the bar. The drawing takes the sections by position (left
// image, right image, stretched middle); Align, Width, Stretch and AutoSize
// are kept with the layout.
class TsuiTitleBarSection : public TCollectionItem {
    SSI_CLASS(TsuiTitleBarSection, TCollectionItem)
public:
    explicit TsuiTitleBarSection(TCollection* collection);
    static void DeclarePublished(TPropertyBuilder& p);

    // Setting it (either way) makes Width the picture's width when there is
    // a picture.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    // A second suiClient section is refused with an error dialog;
    // suiClient makes the section stretched.
    TsuiTitleBarAlign Align() const { return FAlign; }
    void SetAlign(TsuiTitleBarAlign value);
    TPersistentPicture* Picture() { return &FPicture; }
    void SetPicture(const TPersistentPicture& value);
    // Always True while Align is suiClient.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);

    // Width and Align through their setters, the picture, then Stretch and
    // AutoSize through their setters.
    void Assign(const TPersistent& source) override;

private:
    void Repaint();

    bool FAutoSize = false;
    int FWidth = 10;
    TsuiTitleBarAlign FAlign = TsuiTitleBarAlign::suiLeft;
    TPersistentPicture FPicture;
    bool FStretch = false;
};

// The bar's collections: any change repaints the bar.
class TsuiTitleBarButtons : public TCollection {
    SSI_CLASS(TsuiTitleBarButtons, TCollection)
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar* titleBar);
    TsuiTitleBar* TitleBar() const { return FTitleBar; }
    TsuiTitleBarButton* Items(int index) const;
    TsuiTitleBarButton* AddButton();

protected:
    void Update(TCollectionItem* item) override;

private:
    TsuiTitleBar* FTitleBar;
};

class TsuiTitleBarSections : public TCollection {
    SSI_CLASS(TsuiTitleBarSections, TCollection)
public:
    explicit TsuiTitleBarSections(TsuiTitleBar* titleBar);
    TsuiTitleBar* TitleBar() const { return FTitleBar; }
    TsuiTitleBarSection* Items(int index) const;
    TsuiTitleBarSection* AddSection();

protected:
    void Update(TCollectionItem* item) override;

private:
    TsuiTitleBar* FTitleBar;
};

// The window menu: "Mi&nimize", "Ma&ximize/Restore", a separator and
// "&Close", each enabled only while the bar shows a visible button of that
// kind.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
    SSI_CLASS(TsuiTitleBarPopupMenu, TsuiPopupMenu)
public:
    TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar* titleBar);
    void Popup(int x, int y) override;
    TMenuItem* MinimizeItem() const { return FMinimize; }
    TMenuItem* MaximizeItem() const { return FMaximize; }
    TMenuItem* CloseItem() const { return FClose; }

private:
    void MinimizeClick(TObject* sender);
    void MaximizeClick(TObject* sender);
    void CloseClick(TObject* sender);

    TsuiTitleBar* FTitleBar;
    TMenuItem* FMinimize = nullptr;
    TMenuItem* FMaximize = nullptr;
    TMenuItem* FClose = nullptr;
};

class TsuiTitleBar : public TCustomPanel {
    SSI_CLASS(TsuiTitleBar, TCustomPanel)
public:
    explicit TsuiTitleBar(TComponent* owner);
    ~TsuiTitleBar() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // When True a style change keeps the sections, pictures, offsets,
    // height and font colour.
    bool Custom() const { return FCustom; }
    void SetCustom(bool value) { FCustom = value; }
    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    // Keeps the font colour while the look is applied again.
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    // Assigning it (either way) sizes the bar to its first section's
    // picture (3 pixels less when framed); without sections it turns False.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TsuiTitleBarSections* Sections() { return &FSections; }
    void SetSections(const TsuiTitleBarSections& value) { FSections.Assign(value); }
    TsuiTitleBarButtons* Buttons() { return &FButtons; }
    void SetButtons(const TsuiTitleBarButtons& value) { FButtons.Assign(value); }
    // Extra pixels between neighbouring right-side buttons.
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int value);
    // An inactive bar draws its caption in the inactive-caption colour.
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool value);
    // Where the control box (or icon) starts, and what is added to the
    // right edge where the right-side buttons start.
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int value);
    // The application's icon instead of the control-box button.
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool value);
    // Kept for the skinned form's region and frame arcs.
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int value) { FRoundCorner = value; }
    const TsuiTitleBarButtonClickEvent& OnCustomBtnsClick() const { return FOnCustomBtnsClick; }
    void SetOnCustomBtnsClick(const TsuiTitleBarButtonClickEvent& e) { FOnCustomBtnsClick = e; }
    const TsuiTitleBarButtonClickEvent& OnHelpBtnClick() const { return FOnHelpBtnClick; }
    void SetOnHelpBtnClick(const TsuiTitleBarButtonClickEvent& e) { FOnHelpBtnClick = e; }

    // The bar's parent is a skinned form.
    bool Framed() const;
    // The form the bar sits on, or null.
    TCustomForm* HostForm() const;
    TsuiTitleBarPopupMenu* WindowMenu() const { return FWindowMenu; }
    const TsuiStyleLink& Style() const { return FStyle; }
    int ButtonTop() const { return FButtonTop; }
    int ButtonHeight() const { return FButtonHeight; }
    // The button under the pointer at the last paint, -1 for none.
    int HotButton() const { return FHotButton; }

    // Every suiMax button takes the pictures of the form's state.
    void UpdateMaxButtonPictures();
    // The window action of a button: maximise or restore, minimise, close,
    // or a control box's own menu.
    void ButtonAction(int index);
    // Opens the window menu at the bar's bottom-left corner.
    void PopupWindowMenu();

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;

    virtual void DrawSections(TCanvas& canvas);
    virtual void DrawButtonsAndCaption(TCanvas& canvas);

private:
    friend class TsuiTitleBarButton;
    void ApplyStyle();
    int FrameOffset() const { return Framed() ? 3 : 0; }

    TsuiStyleLink FStyle;
    bool FCustom = false;
    bool FAutoSize = false;
    TsuiTitleBarSections FSections;
    TsuiTitleBarButtons FButtons;
    TsuiTitleBarPopupMenu* FWindowMenu = nullptr;
    int FButtonInterval = 0;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    bool FDrawAppIcon = false;
    int FRoundCorner = 0;
    TsuiTitleBarButtonClickEvent FOnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent FOnHelpBtnClick;
    int FButtonTop = 0;
    int FButtonHeight = 0;
    int FHotButton = -1;
    bool FPressed = false;
    bool FKeepFontColor = false;
};
