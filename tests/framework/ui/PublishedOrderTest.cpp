// The published order of every class the framework registers, and of the
// bases and sub-objects its classes build on. An ancestor's properties keep
// the ancestor's slots; a class's own follow in the order it declares them.

#include "framework/components/ClassRegistry.h"
#include "framework/graphics/PersistentFont.h"
#include "framework/graphics/PersistentIcon.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/Forms.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"

#include "support/PublishedOrder.h"

#include <gtest/gtest.h>

namespace {

using publishedorder::PublishedNames;
using publishedorder::Then;
using publishedorder::TNames;

const TNames kComponent = {"Name", "Tag"};
const TNames kControl =
    Then(kComponent, {"Left", "Top", "Width", "Height", "Align", "Cursor", "Enabled", "Visible"});
const TNames kWinControl = Then(kControl, {"TabOrder", "TabStop"});
const TNames kMenu = Then(kComponent, {"Images", "OwnerDraw", "OnChange"});

TEST(PublishedOrder, EveryRegisteredFrameworkClass) {
    RegisterFrameworkClasses();
    publishedorder::ExpectRegisteredOrders({
        {"TForm",
         Then(kWinControl,
              {"BorderWidth",  "ActiveControl", "BorderStyle", "Caption",      "ClientHeight",
               "ClientWidth",  "Color",         "Constraints", "Font",         "FormStyle",
               "Icon",         "KeyPreview",    "Menu",        "Position",     "Scaled",
               "AutoScroll",   "PixelsPerInch", "TextHeight",  "WindowState",  "PopupMenu",
               "OnActivate",   "OnClick",       "OnClose",     "OnCloseQuery", "OnCreate",
               "OnDeactivate", "OnDestroy",     "OnHide",      "OnKeyDown",    "OnResize",
               "OnShow"})},
        {"TPanel",
         Then(kWinControl,
              {"BorderWidth", "Alignment", "BevelInner", "BevelOuter", "BevelWidth", "BorderStyle",
               "Caption", "Color", "Font", "ParentColor", "ParentFont", "PopupMenu", "OnClick",
               "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"})},
        {"TLabel", Then(kControl, {"Alignment", "AutoSize", "Caption", "Color", "FocusControl",
                                   "Font", "Layout", "ParentColor", "ParentFont", "ShowAccelChar",
                                   "Transparent", "WordWrap", "PopupMenu", "OnClick", "OnDblClick",
                                   "OnMouseDown", "OnMouseMove", "OnMouseUp"})},
        // TabStop keeps the windowed control's slot, before the button's own
        // properties, with the button's default.
        {"TButton", Then(kWinControl, {"BorderWidth", "Cancel", "Caption", "Default", "Font",
                                       "ModalResult", "ParentFont", "OnClick"})},
        {"TPageControl", Then(kWinControl, {"BorderWidth", "ActivePage", "Color", "Font",
                                            "ParentFont", "Style", "OnChange"})},
        {"TTabSheet", Then(kWinControl, {"BorderWidth", "Caption", "PageIndex", "TabVisible",
                                         "Color", "Font", "ParentFont"})},
        {"TTimer", Then(kComponent, {"Enabled", "Interval", "OnTimer"})},
        {"TMenuItem",
         Then(kComponent, {"Caption", "Checked", "Default", "Enabled", "ImageIndex", "ShortCut",
                           "Visible", "OnClick", "OnDrawItem", "OnMeasureItem"})},
        {"TPopupMenu", Then(kMenu, {"OnPopup"})},
        {"TMainMenu", kMenu},
        {"TToolBar",
         Then(kWinControl, {"BorderWidth", "AutoSize", "ButtonHeight", "ButtonWidth", "Color",
                            "EdgeBorders", "Flat", "Font", "ParentColor", "ParentFont",
                            "ShowCaptions", "Wrapable", "OnCustomDraw", "OnCustomDrawButton"})},
        {"TToolButton", Then(kControl, {"AutoSize", "Caption", "Down", "Grouped", "ImageIndex",
                                        "MenuItem", "Style", "OnClick"})},
        {"TMemo", Then(kWinControl,
                       {"BorderWidth", "Alignment",   "BorderStyle", "Color",       "Font",
                        "Lines",       "MaxLength",   "ParentColor", "ParentFont",  "ReadOnly",
                        "ScrollBars",  "WantReturns", "WantTabs",    "WordWrap",    "PopupMenu",
                        "OnChange",    "OnClick",     "OnEnter",     "OnExit",      "OnKeyDown",
                        "OnKeyPress",  "OnKeyUp",     "OnMouseDown", "OnMouseMove", "OnMouseUp"})},
        {"TImageList", Then(kComponent, {"Height", "Masked", "Width", "Bitmap"})},
    });
}

// The bases publish only what every descendant shows, so that a class built
// on them (a skinned panel or memo) places the rest where its own setters
// need it.
TEST(PublishedOrder, BasesLeaveTheirOwnPropertiesToTheirDescendants) {
    EXPECT_EQ(PublishedNames(TControl::StaticClassInfo()), kControl);
    EXPECT_EQ(PublishedNames(TWinControl::StaticClassInfo()), kWinControl);
    EXPECT_EQ(PublishedNames(TCustomControl::StaticClassInfo()), kWinControl);
    EXPECT_EQ(PublishedNames(TGraphicControl::StaticClassInfo()), kControl);
    EXPECT_EQ(PublishedNames(TCustomPanel::StaticClassInfo()), kWinControl);
    EXPECT_EQ(PublishedNames(TCustomMemo::StaticClassInfo()), kWinControl);
    EXPECT_EQ(PublishedNames(TCustomForm::StaticClassInfo()), kWinControl);
    EXPECT_EQ(PublishedNames(TMenu::StaticClassInfo()), kMenu);

    // New defaults of the bases reach the classes that publish them.
    EXPECT_EQ(TCustomForm::StaticClassInfo().FindProperty("Visible")->Default(), 0);
    EXPECT_EQ(TMemo::StaticClassInfo().FindProperty("Color")->Default(), clWindow);
    EXPECT_EQ(TMemo::StaticClassInfo().FindProperty("TabStop")->Default(), 1);
    EXPECT_EQ(TPanel::StaticClassInfo().FindProperty("TabStop")->Default(), 0);
}

TEST(PublishedOrder, SubObjects) {
    EXPECT_EQ(PublishedNames(TPersistentFont::StaticClassInfo()),
              (TNames{"Charset", "Color", "Height", "Name", "Size", "Style"}));
    EXPECT_EQ(PublishedNames(TPersistentIcon::StaticClassInfo()), TNames{"Data"});
    EXPECT_EQ(PublishedNames(TPersistentPicture::StaticClassInfo()), TNames{"Data"});
    EXPECT_EQ(PublishedNames(TSizeConstraints::StaticClassInfo()),
              (TNames{"MaxHeight", "MaxWidth", "MinHeight", "MinWidth"}));
}

} // namespace
