// The published order of every class the skin library registers beyond the
// framework's (whose orders the framework's suite holds): its components and
// skinned controls, and the collection items they store. The properties a
// framework ancestor publishes keep the ancestor's slots (a menu's Images
// and OwnerDraw, a control's bounds, TabOrder and TabStop); the rest follow
// in each class's own order, where a stored value must come after the
// setters that derive it (UIStyle before the colours and widths it sets).

#include "controls/SUIRegister.h"
#include "controls/SUITitleBar.h"
#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"

#include "support/PublishedOrder.h"

#include <gtest/gtest.h>

namespace {

using publishedorder::PublishedNames;
using publishedorder::Then;
using publishedorder::TNames;

const TNames kComponent = {"Name", "Tag"};
const TNames kWinControl = Then(kComponent, {"Left", "Top", "Width", "Height", "Align", "Cursor",
                                             "Enabled", "Visible", "TabOrder", "TabStop"});
const TNames kPopupMenu = Then(kComponent, {"Images", "OwnerDraw", "OnChange", "OnPopup"});
const TNames kMainMenu = Then(kComponent, {"Images", "OwnerDraw", "OnChange"});
const std::initializer_list<const char*> kMenuLook = {
    "FileTheme",       "UIStyle",           "MenuItemHeight",
    "SeparatorHeight", "BarWidth",          "BarColor",
    "Color",           "SeparatorColor",    "SelectedBorderColor",
    "SelectedColor",   "SelectedFontColor", "FontColor",
    "BorderColor",     "FlatMenu",          "FontName",
    "FontSize",        "FontCharset",       "UseSystemFont"};

TEST(PublishedOrder, EveryClassTheSkinLibraryRegisters) {
    RegisterFrameworkClasses();
    const std::vector<const TClassInfo*> framework = RegisteredClasses();
    RegisterSkinnedControls();
    publishedorder::ExpectRegisteredOrders(
        {
            {"TsuiFileTheme", Then(kComponent, {"ThemeFile"})},
            {"TsuiThemeManager",
             Then(kComponent, {"UIStyle", "FileTheme", "CompList", "OnUIStyleChanged"})},
            {"TsuiPopupMenu", Then(kPopupMenu, kMenuLook)},
            {"TsuiTitleBarPopupMenu", Then(kPopupMenu, kMenuLook)},
            {"TsuiMainMenu", Then(kMainMenu, kMenuLook)},
            // Height keeps the control's slot: the look sets it anyway.
            {"TsuiTitleBar",
             Then(kWinControl, {"Custom", "FileTheme", "UIStyle", "AutoSize", "Sections", "Buttons",
                                "ButtonInterval", "Caption", "Font", "FormActive", "LeftBtnXOffset",
                                "RightBtnXOffset", "DrawAppIcon", "RoundCorner",
                                "OnCustomBtnsClick", "OnHelpBtnClick", "OnResize"})},
            // BorderWidth and Color after UIStyle, which derives them.
            {"TsuiForm", Then(kWinControl, {"TitleBarCustom",
                                            "FileTheme",
                                            "UIStyle",
                                            "UIStyleAutoUpdateSub",
                                            "BorderColor",
                                            "BorderWidth",
                                            "TitleBarVisible",
                                            "Color",
                                            "Caption",
                                            "FormPanel",
                                            "TitleBarButtons",
                                            "TitleBarSections",
                                            "TitleBarDrawAppIcon",
                                            "Font",
                                            "Menu",
                                            "MenuBarColor",
                                            "MenuBarHeight",
                                            "RoundCorner",
                                            "PopupMenu",
                                            "Version",
                                            "OnTitleBarCustomBtnsClick",
                                            "OnTitleBarHelpBtnClick",
                                            "OnMouseDown",
                                            "OnMouseMove",
                                            "OnClick",
                                            "OnMouseUp"})},
        },
        framework);
}

TEST(PublishedOrder, TitleBarCollectionItems) {
    EXPECT_EQ(PublishedNames(TsuiTitleBarButton::StaticClassInfo()),
              (TNames{"UIStyle", "ButtonType", "Transparent", "Top", "ControlBoxMenu", "Visible",
                      "PicNormal", "PicMouseOn", "PicMouseDown"}));
    EXPECT_EQ(PublishedNames(TsuiTitleBarSection::StaticClassInfo()),
              (TNames{"AutoSize", "Width", "Align", "Picture", "Stretch"}));
}

} // namespace
