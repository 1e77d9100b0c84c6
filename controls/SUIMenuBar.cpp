#include "controls/SUIMenuBar.h"

#include "controls/SUIPaint.h"
#include "controls/SUIPopupMenu.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <utility>

namespace {

// Theme items the menu bar reads.
constexpr int kMenuSelectedBorderColor = 18;
constexpr int kMenuSelectedBackgroundColor = 19;
constexpr int kMenuSelectedFontColor = 20;
constexpr int kMenuFontColor = 22;
constexpr int kControlFontColor = 27;

// The look of a skinned menu; none for a plain one.
const TsuiMenuLook<TMainMenu>* LookOf(TMainMenu* menu) {
    return dynamic_cast<const TsuiMenuLook<TMainMenu>*>(menu);
}

void SetMenuFont(TFont& font, const TsuiMenuLook<TMainMenu>& menu) {
    if (menu.UseSystemFont()) {
        AssignSystemMenuFont(font);
        return;
    }
    font.SetName(menu.FontName());
    font.SetSize(menu.FontSize());
    font.SetCharset(static_cast<uint8_t>(menu.FontCharset()));
}

} // namespace

TsuiMenuBar::TsuiMenuBar(TWinControl& site, const TsuiStyleLink& look, std::function<void()> freed)
    : FSite(site), FLook(look), FFreed(std::move(freed)) {}

void TsuiMenuBar::SetColor(TColor value) {
    FColor = value;
    if (FToolBar != nullptr)
        FToolBar->SetColor(value);
}

void TsuiMenuBar::SetHeight(int value) {
    FHeight = value;
    if (FToolBar == nullptr)
        return;
    FToolBar->SetHeight(value);
    FToolBar->SetButtonHeight(value);
    for (int i = 0; i < FToolBar->ButtonCount(); ++i)
        FToolBar->Buttons(i)->SetHeight(value);
}

void TsuiMenuBar::CreateBar(TControl* above) {
    if (FToolBar != nullptr)
        return;
    FToolBar = new TToolBar(&FSite);
    FToolBar->SetParent(&FSite);
    FToolBar->SetFlat(true);
    FToolBar->SetEdgeBorders(TEdgeBorders{});
    FToolBar->SetShowCaptions(true);
    FToolBar->SetHeight(FHeight);
    FToolBar->SetButtonHeight(FHeight);
    FToolBar->SetColor(FColor);
    FToolBar->SetOnCustomDraw(TToolBarCustomDrawEvent(
        [this](TToolBar* bar, const TRect& r, bool& d) { DrawBar(bar, r, d); }));
    FToolBar->SetOnCustomDrawButton(
        TToolBarCustomDrawButtonEvent([this](TToolBar* bar, TToolButton* b, TCustomDrawState s,
                                             bool& d) { DrawButton(bar, b, s, d); }));
    FToolBar->SetWrapable(true);
    FToolBar->SetAutoSize(true);
    FToolBar->SetAlign(TAlign::alTop);
    // Both are aligned to the top: the one placed higher stays above.
    if (above != nullptr)
        above->SetTop(0);
    RefreshFont();
}

void TsuiMenuBar::FreeBar() {
    if (FToolBar == nullptr)
        return;
    TToolBar* bar = FToolBar;
    FToolBar = nullptr;
    while (bar->ButtonCount() > 0)
        bar->Buttons(bar->ButtonCount() - 1)->Free();
    bar->Free();
    if (FFreed)
        FFreed();
}

void TsuiMenuBar::Rebuild() {
    if (FToolBar == nullptr)
        return;
    if (FMenu == nullptr) {
        FreeBar();
        return;
    }
    FToolBar->SetAutoSize(false);
    while (FToolBar->ButtonCount() > 0)
        FToolBar->Buttons(FToolBar->ButtonCount() - 1)->Free();
    TMenuItem* root = FMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        auto* button = new TToolButton(&FSite);
        button->SetParent(FToolBar);
        button->SetGrouped(true);
        button->SetMenuItem(root->Items(i));
        button->SetAutoSize(true);
    }
    FToolBar->SetAutoSize(true);
    RefreshFont();
}

void TsuiMenuBar::RefreshItems() {
    if (FToolBar == nullptr)
        return;
    for (int i = 0; i < FToolBar->ButtonCount(); ++i) {
        TToolButton* button = FToolBar->Buttons(i);
        if (TMenuItem* item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TsuiMenuBar::RefreshFont() {
    if (FToolBar == nullptr)
        return;
    if (const auto* menu = LookOf(FMenu))
        SetMenuFont(*FToolBar->Font(), *menu);
    FToolBar->Invalidate();
}

void TsuiMenuBar::DrawBar(TToolBar* bar, const TRect&, bool& defaultDraw) {
    const auto* menu = LookOf(FMenu);
    TsuiUIStyle style = menu != nullptr ? menu->UIStyle() : FLook.UIStyle();
    if (style != TsuiUIStyle::MacOS)
        return;
    TBitmap picture;
    LoadSkinBitmap("MACOS_MENU_BAR", picture);
    bar->Canvas().StretchDraw(Rect(0, 0, bar->Width(), bar->Height()), picture);
    defaultDraw = false;
}

void TsuiMenuBar::DrawButton(TToolBar* bar, TToolButton* button, TCustomDrawState state,
                             bool& defaultDraw) {
    defaultDraw = false;
    const auto* menu = LookOf(FMenu);
    const TsuiStyleLink& look = menu != nullptr ? menu->Style() : FLook;
    TsuiUIStyle style = look.UIStyle();
    TCanvas& c = bar->Canvas();
    if (menu != nullptr)
        SetMenuFont(c.Font(), *menu);
    TRect r = button->BoundsRect();
    const bool pressed = (state & cdsSelected) != 0;
    const bool hot = pressed || (state & cdsHot) != 0;
    const std::string caption = button->Caption();
    if (hot && style == TsuiUIStyle::MacOS) {
        TBitmap face(r.Width(), r.Height());
        TBitmap select;
        LoadSkinBitmap("MACOS_MENU_SELECT", select);
        face.Canvas().StretchDraw(Rect(0, 0, face.Width(), face.Height()), select);
        face.Canvas().Font().Assign(c.Font());
        face.Canvas().Font().SetColor(look.GetColor(kMenuSelectedFontColor));
        face.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
        TRect text = Rect(0, 0, face.Width(), face.Height() + 2);
        DrawText(face.Canvas(), caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        c.Draw(r.Left, r.Top, face);
        return;
    }
    if (hot) {
        if (pressed)
            r.Right -= 2;
        FillSolid(c, r, look.GetColor(kMenuSelectedBackgroundColor));
        c.Brush().SetColor(look.GetColor(kMenuSelectedBorderColor));
        c.FrameRect(r);
        if (pressed)
            r.Left += 2;
        r.Top += 2;
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.Font().SetColor(look.GetColor(kMenuSelectedFontColor));
        DrawText(c, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    r.Top += 2;
    TColor color = look.GetColor(kMenuFontColor);
    if (look.UsesFileTheme() && look.FileTheme()->GetColor(kControlFontColor) == 0x30000)
        color = clWhite;
    if (!button->Enabled())
        color = 0x00808080;
    c.Font().SetColor(color);
    DrawText(c, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
