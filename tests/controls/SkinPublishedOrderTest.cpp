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
const TNames kLabel =
    Then(kComponent,
         {"Left",         "Top",      "Width",     "Height",      "Align",      "Cursor",
          "Enabled",      "Visible",  "Alignment", "AutoSize",    "Caption",    "Color",
          "FocusControl", "Font",     "Layout",    "ParentColor", "ParentFont", "ShowAccelChar",
          "Transparent",  "WordWrap", "PopupMenu", "OnClick",     "OnDblClick", "OnMouseDown",
          "OnMouseMove",  "OnMouseUp"});
const TNames kPushButton =
    Then(kWinControl, {"ParentColor", "PopupMenu", "ParentFont", "OnEnter", "OnExit"});
const std::initializer_list<const char*> kButtonEvents = {
    "OnClick",  "OnMouseMove", "OnMouseDown",  "OnMouseUp",   "OnKeyDown",
    "OnKeyUp",  "OnKeyPress",  "OnMouseEnter", "OnMouseExit", "OnMouseContinuouslyDown",
    "ResHandle"};
// UIStyle first: nothing of the box takes a value from the look.
const TNames kCheckBox = Then(
    kWinControl, {"UIStyle", "FileTheme",  "PopupMenu",   "ParentFont",  "AutoSize",  "Checked",
                  "Caption", "Font",       "Color",       "ParentColor", "State",     "Transparent",
                  "OnClick", "OnDblClick", "OnMouseMove", "OnMouseDown", "OnMouseUp", "OnKeyDown",
                  "OnKeyUp", "OnKeyPress", "OnEnter",     "OnExit"});
// Color and Font after UIStyle, which sets the caption's colour.
const TNames kGroupBox = Then(kWinControl, {"FileTheme", "UIStyle", "Caption", "Color", "Font",
                                            "Transparent", "ParentColor", "ParentFont"});
// BorderColor after UIStyle, which sets it.
const TNames kCheckGroup = Then(kGroupBox, {"Items", "Columns", "TopMargin", "FontColor",
                                            "BorderColor", "OnClick", "OnEnter", "OnExit"});
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
            // Transparent after UIStyle, which sets it from the look.
            {"TsuiButton",
             Then(
                 Then(kPushButton, {"FileTheme", "UIStyle", "Cancel", "Default", "Caption", "Font",
                                    "Transparent", "ModalResult", "AutoSize", "FocusedRectMargin",
                                    "Glyph", "Layout", "Spacing", "MouseContinuouslyDownInterval"}),
                 kButtonEvents)},
            {"TsuiImageButton",
             Then(Then(kPushButton, {"UIStyle", "DrawFocused", "FocusedRectMargin", "PicNormal",
                                     "PicMouseOn", "PicMouseDown", "PicDisabled", "Stretch",
                                     "Cancel", "Default", "MouseContinuouslyDownInterval",
                                     "Caption", "Font", "Transparent", "ModalResult", "AutoSize"}),
                  kButtonEvents)},
            {"TsuiCheckBox", kCheckBox},
            {"TsuiCheckGroupButton", kCheckBox},
            {"TsuiRadioButton", Then(kCheckBox, {"GroupIndex"})},
            {"TsuiRadioGroupButton", Then(kCheckBox, {"GroupIndex"})},
            {"TsuiToolBarSpeedButton", Then(kWinControl, {"Glyph", "Color", "OnClick"})},
            {"TsuiImagePanel",
             Then(kWinControl,
                  {"BorderWidth", "Picture", "Transparent", "AutoSize", "Alignment", "Font",
                   "Caption", "Color", "DrawStyle", "PopupMenu", "OnClick", "OnDblClick", "OnEnter",
                   "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"})},
            {"TsuiGroupBox", kGroupBox},
            {"TsuiCheckGroup", kCheckGroup},
            {"TsuiRadioGroup", Then(kCheckGroup, {"ItemIndex"})},
            // The colours and the picture after UIStyle, which sets them.
            {"TsuiProgressBar",
             Then(kWinControl,
                  {"FileTheme", "UIStyle", "CaptionColor", "ShowCaption", "SmartShowCaption", "Max",
                   "Min", "Position", "Orientation", "BorderColor", "Color", "Picture",
                   "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnClick"})},
            {"TsuiURLLabel", Then(kLabel, {"URL", "FontHoverColor", "FontLinkColor"})},
            // Color after UIStyle, which sets it; the range before Position.
            {"TsuiScrollBar",
             Then(kWinControl, {"FileTheme", "LineButton", "Orientation", "UIStyle", "Max", "Min",
                                "Position", "SmallChange", "LargeChange", "PageSize", "Color",
                                "ParentColor", "PopupMenu", "OnChange", "OnEnter", "OnExit"})},
            // BorderColor after UIStyle, which sets it.
            {"TsuiMemo",
             Then(kWinControl,
                  {"FileTheme",   "UIStyle",     "BorderColor", "VScrollBar", "HScrollBar",
                   "Alignment",   "Color",       "Font",        "Lines",      "MaxLength",
                   "ParentColor", "ParentFont",  "PopupMenu",   "ReadOnly",   "ScrollBars",
                   "WantReturns", "WantTabs",    "WordWrap",    "OnChange",   "OnClick",
                   "OnDblClick",  "OnEnter",     "OnExit",      "OnKeyDown",  "OnKeyPress",
                   "OnKeyUp",     "OnMouseDown", "OnMouseMove", "OnMouseUp"})},
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
