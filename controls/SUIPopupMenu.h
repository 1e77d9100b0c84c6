#pragma once
// TsuiPopupMenu: the skin library's pop-up menu. The framework opens it and
// tracks it as any pop-up menu; the menu itself measures and draws every
// item in the colours of a look (a coloured bar along the left edge, the
// highlighted item filled and framed, MacOS drawn from its own bitmaps). It
// is the base of a title bar's window menu.
//
// TsuiMenuLook holds everything the skinned menus share (the look's
// published properties, the style rules, measuring and drawing an item,
// hooking items) on top of either framework menu: TsuiPopupMenu and the
// main menu of SUIMainMenu.h are the two instances.

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/PersistentFont.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIStyleLink.h"

#include <string>

class TImageList;

// The check mark of checked items: the 16 x 16 bitmap MENU_CHECKED with
// white left out, one list for every pop-up menu of the program, made on
// first use.
const TImageList& SuiMenuCheckMarks();

template <class TBaseMenu> class TsuiMenuLook : public TBaseMenu {
public:
    explicit TsuiMenuLook(TComponent* owner);

    // Always True; setting it changes nothing.
    bool OwnerDraw() const { return true; }
    void SetOwnerDraw(bool) {}

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Bar width 26; item and separator heights and the separator colour of
    // the style (MacOS: 20, 12, black; the others: 21, 5, $848284); the
    // bar, background, font and selection colours from the look's menu
    // items. Nothing is repainted: a menu is drawn only while it is open.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    // Both heights are fixed in MacOS: setting them then changes nothing.
    int MenuItemHeight() const { return FMenuItemHeight; }
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int value);
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int value) { FBarWidth = value; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value) { FBarColor = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor value) { FSeparatorColor = value; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }
    void SetSelectedBorderColor(TColor value) { FSelectedBorderColor = value; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value) { FSelectedColor = value; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor value) { FSelectedFontColor = value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value) { FFontColor = value; }
    // Kept with the menu; the drawing does not use it.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value) { FBorderColor = value; }
    // Draws a flat frame over the menu window, before every item.
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool value) { FFlatMenu = value; }
    // The item font when UseSystemFont is off.
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& value) { FFontName = value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int value) { FFontSize = value; }
    int FontCharset() const { return FFontCharset; }
    void SetFontCharset(int value) { FFontCharset = value; }
    bool UseSystemFont() const { return FUseSystemFont; }
    virtual void SetUseSystemFont(bool value) { FUseSystemFont = value; }

    // The look's items, read from the file theme or the built-in style.
    const TsuiStyleLink& Style() const { return FStyle; }

    // Sets every item's (and sub-item's) draw and measure handlers to this
    // menu's.
    void HookItems();
    void HookItem(TMenuItem* item);

    // The size of an item: the separator or item height; the caption's and
    // the shortcut's text widths (with the canvas's font, the caption's
    // ampersands included) + BarWidth + 40.
    void MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width, int& height);
    void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected);

    // Declares the published properties of the look, in their order, for a
    // class C derived from this one.
    template <class C> static void DeclareLook(TPropertyBuilder& p);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void MenuChanged(TMenuItem* source, bool rebuild) override;

    // The look changed (the style's values are in place).
    virtual void StyleChanged() {}
    // The list a checked item's image comes from, and the check marks.
    virtual const TImageList* ItemImages() const;
    virtual const TImageList& CheckMarks() const { return SuiMenuCheckMarks(); }

private:
    void ApplyStyle();
    void SetItemFont(TCanvas& canvas) const;
    bool HasUsableImage(const TMenuItem* item) const;

    TsuiStyleLink FStyle;
    int FMenuItemHeight = 21;
    int FSeparatorHeight = 21;
    int FBarWidth = 0;
    TColor FBarColor = clBtnFace;
    TColor FColor = clWhite;
    TColor FSeparatorColor = 0x00808080;
    TColor FSelectedBorderColor = clHighlight;
    TColor FSelectedColor = clHighlight;
    TColor FSelectedFontColor = clWhite;
    TColor FFontColor = clWhite;
    TColor FBorderColor = 0;
    bool FFlatMenu = false;
    std::string FFontName = "MS Sans Serif";
    int FFontSize = 8;
    int FFontCharset = DEFAULT_CHARSET;
    bool FUseSystemFont = true;
};

template <class TBaseMenu>
template <class C>
void TsuiMenuLook<TBaseMenu>::DeclareLook(TPropertyBuilder& p) {
    p.Boolean("OwnerDraw", &C::OwnerDraw, &C::SetOwnerDraw)
        .Component("FileTheme", &C::FileTheme, &C::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &C::UIStyle, &C::SetUIStyle)
        .Integer("MenuItemHeight", &C::MenuItemHeight, &C::SetMenuItemHeight)
        .Integer("SeparatorHeight", &C::SeparatorHeight, &C::SetSeparatorHeight)
        .Integer("BarWidth", &C::BarWidth, &C::SetBarWidth)
        .Color("BarColor", &C::BarColor, &C::SetBarColor)
        .Color("Color", &C::Color, &C::SetColor)
        .Color("SeparatorColor", &C::SeparatorColor, &C::SetSeparatorColor)
        .Color("SelectedBorderColor", &C::SelectedBorderColor, &C::SetSelectedBorderColor)
        .Color("SelectedColor", &C::SelectedColor, &C::SetSelectedColor)
        .Color("SelectedFontColor", &C::SelectedFontColor, &C::SetSelectedFontColor)
        .Color("FontColor", &C::FontColor, &C::SetFontColor)
        .Color("BorderColor", &C::BorderColor, &C::SetBorderColor)
        .Boolean("FlatMenu", &C::FlatMenu, &C::SetFlatMenu)
        .String("FontName", &C::FontName, &C::SetFontName)
        .Integer("FontSize", &C::FontSize, &C::SetFontSize)
        .Integer("FontCharset", &C::FontCharset, &C::SetFontCharset, kCharsetIdents)
        .Boolean("UseSystemFont", &C::UseSystemFont, &C::SetUseSystemFont);
}

extern template class TsuiMenuLook<TPopupMenu>;
extern template class TsuiMenuLook<TMainMenu>;

class TsuiPopupMenu : public TsuiMenuLook<TPopupMenu> {
    SSI_CLASS(TsuiPopupMenu, TsuiMenuLook<TPopupMenu>)
public:
    explicit TsuiPopupMenu(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);
};

// The flat frame of a menu window at `screenRect` on a canvas in screen
// coordinates: black outside, white inside, and a line of `color` along the
// bottom, right and top edges.
void DrawFlatMenuFrame(TCanvas& canvas, const TRect& screenRect, TColor color);
