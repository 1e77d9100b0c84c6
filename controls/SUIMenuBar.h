#pragma once
// TsuiMenuBar: the painted menu bar a TsuiForm shows under its title bar in
// place of a native one. It is a flat, wrapping TToolBar with one
// TToolButton per top-level item of a main menu; a button drops its item's
// sub-menu down, or clicks an item that has none. The bar is drawn in the
// menu's own look when the menu is a skinned one (a TsuiMenuLook), in the
// form's look otherwise, and takes the menu's font.
//
// The form owns the object and decides when the tool bar exists; a skinned
// main menu that the form shows keeps a pointer to it and asks for a
// rebuild or a refresh whenever its items change.

#include "framework/ui/ToolBar.h"
#include "skin/SUIStyleLink.h"

#include <functional>

class TMainMenu;

class TsuiMenuBar {
public:
    // The tool bar and its buttons belong to `site` and sit on it; `look` is
    // the look for a menu without one of its own; `freed` runs each time
    // the tool bar has gone.
    TsuiMenuBar(TWinControl& site, const TsuiStyleLink& look, std::function<void()> freed);
    TsuiMenuBar(const TsuiMenuBar&) = delete;
    TsuiMenuBar& operator=(const TsuiMenuBar&) = delete;

    // The menu whose items the bar shows. Setting it only records it: the
    // buttons follow at the next Rebuild.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value) { FMenu = value; }
    // None while there is no bar.
    TToolBar* ToolBar() const { return FToolBar; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The bar's and every button's height.
    int Height() const { return FHeight; }
    void SetHeight(int value);

    // A bar without buttons at the top of the site, under `above` (the title
    // bar; may be none). Nothing when there is a bar already.
    void CreateBar(TControl* above);
    // The bar and its buttons go.
    void FreeBar();
    // One button per top-level item of the menu, in the menu's font; without
    // a menu the bar goes.
    void Rebuild();
    // The buttons' captions and enabled states read from their items again.
    void RefreshItems();
    // The menu's font (or the system's menu font) on the bar.
    void RefreshFont();

private:
    void DrawBar(TToolBar* bar, const TRect& rect, bool& defaultDraw);
    void DrawButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw);

    TWinControl& FSite;
    const TsuiStyleLink& FLook;
    std::function<void()> FFreed;
    TMainMenu* FMenu = nullptr;
    TToolBar* FToolBar = nullptr;
    TColor FColor = clBtnFace;
    int FHeight = 22;
};
