#pragma once
// TToolBar with TToolButton: a row (or rows, with Wrapable) of buttons laid
// out in index order. Buttons are hot while the pointer is over them and
// pressed while held; the bar's custom-draw handlers may paint the bar and
// each button on the bar's canvas (in bar coordinates) instead of the
// default drawing. A button bound to a menu item shows the item's caption
// and opens its sub-menu under the button when pressed (the way a skinned
// form's menu bar works).

#include "framework/ui/CustomControl.h"
#include "framework/ui/Menus.h"

class TToolBar;
class TToolButton;

using TCustomDrawState = uint32_t;
constexpr TCustomDrawState cdsSelected = 0x0001;
constexpr TCustomDrawState cdsGrayed = 0x0002;
constexpr TCustomDrawState cdsDisabled = 0x0004;
constexpr TCustomDrawState cdsChecked = 0x0008;
constexpr TCustomDrawState cdsFocused = 0x0010;
constexpr TCustomDrawState cdsDefault = 0x0020;
constexpr TCustomDrawState cdsHot = 0x0040;

enum class TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
extern const TEnumInfo TEdgeBorderInfo;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
extern const TEnumInfo TToolButtonStyleInfo;

using TToolBarCustomDrawEvent = TEvent<TToolBar*, const TRect&, bool&>;
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolButton : public TGraphicControl {
    SSI_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    static void DeclarePublished(TPropertyBuilder& p);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value) { FGrouped = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // Binding takes the item's caption and enabled state.
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* value);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);

    TToolBar* ToolBar() const;
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    // The button's custom-draw state now.
    TCustomDrawState DrawState() const;

    void Click() override;
    void SetParent(TWinControl* parent) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Changed();
    // A menu-bar button's drop-down: opens under the button, which stays
    // pressed while it is open.
    void DropDownMenu();

    bool FAutoSize = false;
    bool FDown = false;
    bool FGrouped = false;
    int FImageIndex = -1;
    TMenuItem* FMenuItem = nullptr;
    TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
    bool FHot = false;
    bool FPressed = false;
};

class TToolBar : public TCustomControl {
    SSI_CLASS(TToolBar, TCustomControl)
public:
    explicit TToolBar(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    TToolBarCustomDrawEvent& OnCustomDraw() { return FOnCustomDraw; }
    void SetOnCustomDraw(const TToolBarCustomDrawEvent& e) { FOnCustomDraw = e; }
    TToolBarCustomDrawButtonEvent& OnCustomDrawButton() { return FOnCustomDrawButton; }
    void SetOnCustomDrawButton(const TToolBarCustomDrawButtonEvent& e);

    int ButtonCount() const;
    TToolButton* Buttons(int index) const;
    // Places the buttons again (and sizes the bar with AutoSize).
    void ArrangeButtons();
    // The default look of a button (what a custom-draw handler leaves to
    // the bar by keeping DefaultDraw).
    void DefaultDrawButton(TToolButton* button, TCanvas& canvas, const TRect& rect);

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Loaded() override;

private:
    friend class TToolButton;
    void PaintButton(TToolButton* button, TCanvas& buttonCanvas);
    int ButtonWidthFor(TToolButton* button);

    bool FAutoSize = false;
    int FButtonHeight = 22;
    int FButtonWidth = 23;
    TEdgeBorders FEdgeBorders = {TEdgeBorder::ebTop};
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FWrapable = true;
    bool FArranging = false;
    TToolBarCustomDrawEvent FOnCustomDraw;
    TToolBarCustomDrawButtonEvent FOnCustomDrawButton;
};
