#include "skin/SUIThemes.h"

#include "framework/base/SysUtils.h"
#include "framework/components/Components.h"
#include "framework/components/Properties.h"
#include "framework/components/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Forms.h"
#include "platform/kernel32/FileIO.h"
#include "resources/Resources.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemeFile.h"

#include <array>
#include <span>

namespace {

using Kind = TsuiThemeItemKind;
constexpr Kind I = Kind::suiIntItem;
constexpr Kind C = Kind::suiColorItem;
constexpr Kind B = Kind::suiBitmapItem;
constexpr Kind L = Kind::suiBoolItem;

struct TItemInfo {
    const char* KeyName;
    Kind ItemKind;
    // Bitmap items: the frames the controls cut the picture into (1: drawn
    // whole; 0: no control draws it). The pictures are drawn to match.
    int Frames = 0;
};

// Index 0 is unused so that item n sits at position n.
constexpr std::array<TItemInfo, SUI_THEME_ITEM_COUNT + 1> ItemInfo = {{
    {"", I},
    {"ButtonImage", B, 3},
    {"ButtonTransparentBool", L},
    {"CheckBoxImage", B, 4},
    {"RadioButtonImage", B, 4},
    {"TitleBarButtonImage", B, 18},
    {"TitleBarButtonTransparentBool", L},
    {"TitleBarButtonLeftOffsetInt", I},
    {"TitleBarButtonRightOffsetInt", I},
    {"TitleBarButtonTopInt", I},
    {"TitleBarLeftImage", B, 1},
    {"TitleBarClientImage", B, 1},
    {"TitleBarRightImage", B, 1},
    {"FormMinWidthInt", I},
    {"FormRoundCornerInt", I},
    {"FormBackgroundColor", C},
    {"FormBorderColor", C},
    {"FormBorderWidthInt", I},
    {"MenuSelectedBorderColor", C},
    {"MenuSelectedBackgroundColor", C},
    {"MenuSelectedFontColor", C},
    {"MenuBackgroundColor", C},
    {"MenuFontColor", C},
    {"MenuBarColor", C},
    {"ProgressBarImage", B, 1},
    {"ControlBorderColor", C},
    {"ControlBackgroundColor", C},
    {"ControlFontColor", C},
    {"TrackBarBarImage", B, 1},
    {"TrackBarSliderImage", B, 1},
    {"TrackBarSliderVImage", B, 1},
    {"ScrollBarBackgroundColor", C},
    {"ScrollBarButtonImage", B, 6},
    {"ScrollBarSliderImage", B, 3},
    {"CheckListBoxImage", B, 0},
    {"ToolBarButtonBorderColor", C},
    {"ToolBarButtonBackgroundColor", C},
    {"ToolBarButtonDownBackgroundColor", C},
    {"ScrollButtonImage", B, 0},
    {"TabControlTabImage", B, 0},
    {"TabControlBarImage", B, 0},
    {"SideChannelHandleImage", B, 0},
    {"SideChannelBarImage", B, 0},
}};

// The names of the bitmap resources; a bitmap item's value is an index here.
// The element names are fixed by the resources as built, SIDECHENNEL spelling
// included.
enum TResourceIndex : int32_t {
#define SUI_STYLE_RESOURCES(P)                                                                     \
    P##_BUTTON, P##_CHECKBOX, P##_RADIOBUTTON, P##_TITLEBTN, P##_TITLE_LEFT, P##_TITLE_CLIENT,     \
        P##_TITLE_RIGHT, P##_PROGRESSBAR, P##_TRACKBAR_BAR, P##_TRACKBAR_SLIDER,                   \
        P##_TRACKBAR_SLIDER_V, P##_SCROLLBAR_BUTTON, P##_SCROLLBAR_TRACK, P##_CHECKLIST, P##_TAB,  \
        P##_TAB_LINE, P##_SIDECHENNEL_HANDLE, P##_SIDECHENNEL_BAR,
    SUI_STYLE_RESOURCES(MACOS) SUI_STYLE_RESOURCES(WINXP) SUI_STYLE_RESOURCES(DEEPBLUE)
        SUI_STYLE_RESOURCES(PROTEIN) SUI_STYLE_RESOURCES(BLUEGLASS)
#undef SUI_STYLE_RESOURCES
            MACOS_SCROLLBUTTON,
    WINXP_SCROLLBUTTON,
    MORE_SCROLLBUTTON,
    RESOURCE_COUNT
};

#define SUI_STYLE_NAMES(P)                                                                         \
#P "_BUTTON", #P "_CHECKBOX", #P "_RADIOBUTTON", #P "_TITLEBTN", #P "_TITLE_LEFT",             \
        #P "_TITLE_CLIENT", #P "_TITLE_RIGHT", #P "_PROGRESSBAR", #P "_TRACKBAR_BAR",              \
        #P "_TRACKBAR_SLIDER", #P "_TRACKBAR_SLIDER_V", #P "_SCROLLBAR_BUTTON",                    \
        #P "_SCROLLBAR_TRACK", #P "_CHECKLIST", #P "_TAB", #P "_TAB_LINE",                         \
        #P "_SIDECHENNEL_HANDLE", #P "_SIDECHENNEL_BAR",
constexpr std::array<const char*, RESOURCE_COUNT> BitmapResourceNames = {
    SUI_STYLE_NAMES(MACOS) SUI_STYLE_NAMES(WINXP) SUI_STYLE_NAMES(DEEPBLUE) SUI_STYLE_NAMES(PROTEIN)
        SUI_STYLE_NAMES(BLUEGLASS) "MACOS_SCROLLBUTTON",
    "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON"};
#undef SUI_STYLE_NAMES

using TValueTable = std::array<int32_t, SUI_THEME_ITEM_COUNT + 1>;

// One table per built-in style, in item order (index 0 unused). Colours are
// 0x00BBGGRR; booleans 0 or 1.
#define SUI_STYLE_TABLE(P, transparent, titleTransparent, leftOffset, rightOffset, top, minWidth,  \
                        roundCorner, formBack, formBorder, borderWidth, selBorder, selBack,        \
                        selFont, menuBack, menuBar, ctlBorder, ctlBack, ctlFont, scrollBack,       \
                        tbBorder, tbBack, tbDown, scrollButton)                                    \
    TValueTable {                                                                                  \
        0, P##_BUTTON, transparent, P##_CHECKBOX, P##_RADIOBUTTON, P##_TITLEBTN, titleTransparent, \
            leftOffset, rightOffset, top, P##_TITLE_LEFT, P##_TITLE_CLIENT, P##_TITLE_RIGHT,       \
            minWidth, roundCorner, formBack, formBorder, borderWidth, selBorder, selBack, selFont, \
            menuBack, 0x00000000, menuBar, P##_PROGRESSBAR, ctlBorder, ctlBack, ctlFont,           \
            P##_TRACKBAR_BAR, P##_TRACKBAR_SLIDER, P##_TRACKBAR_SLIDER_V, scrollBack,              \
            P##_SCROLLBAR_BUTTON, P##_SCROLLBAR_TRACK, P##_CHECKLIST, tbBorder, tbBack, tbDown,    \
            scrollButton, P##_TAB, P##_TAB_LINE, P##_SIDECHENNEL_HANDLE, P##_SIDECHENNEL_BAR       \
    }

// MacOS's menus really are black in the table, and item 8 really is negative
// in three styles; the controls were drawn against these values.
const std::array<TValueTable, 5> StyleTables = {
    SUI_STYLE_TABLE(MACOS, 1, 0, 3, -2, 4, 130, 0, 0x00E7E7E7, 0x007F7F7F, 1, 0x00C47339,
                    0x00C47339, 0x00FFFFFF, 0x00000000, 0x00000000, 0x007F7F7F, 0x00E7E7E7,
                    0x00000000, 0x00C9C9C9, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, MACOS_SCROLLBUTTON),
    SUI_STYLE_TABLE(WINXP, 0, 0, 2, -2, 5, 150, 13, 0x00DEEBEF, 0x00C82C00, 3, 0x00C66931,
                    0x00EFD3C6, 0x00000000, 0x00FFFFFF, 0x00CED3D6, 0x00686868, 0x00DEEBEF,
                    0x00CF4602, 0x00F9F9F9, 0x00C66931, 0x00EFD3C6, 0x00E1AC93, WINXP_SCROLLBUTTON),
    SUI_STYLE_TABLE(DEEPBLUE, 0, 0, 0, 0, 2, 130, 0, 0x00E8E8E8, 0x00000000, 1, 0x00A04A44,
                    0x00A04A44, 0x00FFFFFF, 0x00FFFFFF, 0x00CED3D6, 0x00000000, 0x00E8E8E8,
                    0x00000000, 0x00F5F5F5, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, MORE_SCROLLBUTTON),
    SUI_STYLE_TABLE(PROTEIN, 0, 1, 0, 0, 2, 130, 0, 0x00FBFBFB, 0x00000000, 1, 0x00C4302D,
                    0x00C4302D, 0x00FFFFFF, 0x00FFFFFF, 0x00CED3D6, 0x00000000, 0x00FBFBFB,
                    0x00000000, 0x00F5F5F5, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, MORE_SCROLLBUTTON),
    SUI_STYLE_TABLE(BLUEGLASS, 1, 1, 4, -3, 6, 270, 11, 0x00E7E7E7, 0x00000000, 1, 0x00EC5E5E,
                    0x00EC5E5E, 0x00FFFFFF, 0x00E7E7E7, 0x00CED3D6, 0x00000000, 0x00E7E7E7,
                    0x00000000, 0x00F4F4F4, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, MORE_SCROLLBUTTON),
};
#undef SUI_STYLE_TABLE

constexpr TsuiThemeItem NoItem{Kind::suiIntItem, -1};

bool ValidItem(int item) {
    return item >= 1 && item <= SUI_THEME_ITEM_COUNT;
}

} // namespace

TsuiThemeItem GetThemeItem(TsuiUIStyle style, int item) {
    // The top bit of the style byte is not part of the style.
    const int index = static_cast<uint8_t>(style) & 0x7F;
    if (index < 1 || index > 5 || !ValidItem(item))
        return NoItem;
    return {ItemInfo[item].ItemKind, StyleTables[index - 1][item]};
}

TColor GetThemeColor(TsuiUIStyle style, int item) {
    const TsuiThemeItem found = GetThemeItem(style, item);
    return found.Kind == Kind::suiColorItem ? static_cast<TColor>(found.Value) : 0;
}

bool GetThemeBool(TsuiUIStyle style, int item) {
    const TsuiThemeItem found = GetThemeItem(style, item);
    return found.Kind == Kind::suiBoolItem && found.Value != 0;
}

int32_t GetThemeInt(TsuiUIStyle style, int item) {
    const TsuiThemeItem found = GetThemeItem(style, item);
    return found.Kind == Kind::suiIntItem ? found.Value : -1;
}

std::string GetThemeBitmapName(TsuiUIStyle style, int item) {
    const TsuiThemeItem found = GetThemeItem(style, item);
    return found.Kind == Kind::suiBitmapItem ? GetThemeResourceName(found.Value) : std::string();
}

std::string GetThemeResourceName(int32_t value) {
    if (value < 0 || value >= RESOURCE_COUNT)
        return {};
    return BitmapResourceNames[value];
}

std::string GetThemeKeyName(int item) {
    return ValidItem(item) ? ItemInfo[item].KeyName : "";
}

TsuiThemeItemKind GetThemeKind(int item) {
    return ValidItem(item) ? ItemInfo[item].ItemKind : Kind::suiIntItem;
}

int GetThemeFrameCount(int item) {
    return ValidItem(item) ? ItemInfo[item].Frames : 0;
}

int FindThemeItem(const std::string& keyName) {
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item)
        if (SameText(keyName, ItemInfo[item].KeyName))
            return item;
    return 0;
}

// ---------------------------------------------------------------------------
// Built-in bitmaps, the file-or-table decision, the file theme's lookups.

const TEnumInfo& TsuiUIStyleInfo() {
    static const TEnumInfo info(
        "TsuiUIStyle", {"FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"});
    return info;
}

void LoadSkinBitmap(const std::string& name, TBitmap& bitmap) {
    const std::span<const uint8_t> bytes = FindResource(name);
    if (bytes.empty())
        throw EResNotFound(Format("Resource %s not found", name.c_str()));
    bitmap.LoadFromMemory(bytes.data(), bytes.size());
}

void GetThemeBitmap(TsuiUIStyle style, int item, TBitmap* bitmap, int frameCount, int frameIndex) {
    if (bitmap == nullptr)
        return;
    const std::string name = GetThemeBitmapName(style, item);
    if (frameCount == 0) {
        if (!name.empty())
            LoadSkinBitmap(name, *bitmap);
        return;
    }
    TBitmap strip;
    if (!name.empty())
        LoadSkinBitmap(name, strip);
    CutFrame(strip, *bitmap, frameCount, frameIndex);
}

bool UsingFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle style, TsuiUIStyle& effective) {
    effective = style;
    if (style != TsuiUIStyle::FromThemeFile)
        return false;
    if (fileTheme != nullptr && fileTheme->IsThemeLoaded())
        return true;
    effective = TsuiUIStyle::DeepBlue;
    return false;
}

TsuiUIStyle GetFormUIStyle(const TComponent* owner) {
    const auto* form = dynamic_cast<const TCustomForm*>(owner);
    if (form == nullptr)
        return TsuiUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* child = form->Controls(i);
        if (child->InheritsFrom("TsuiForm"))
            return static_cast<TsuiUIStyle>(GetOrdProp(*child, "UIStyle"));
    }
    return TsuiUIStyle::DeepBlue;
}

bool IsFormComponent(const TComponent* component) {
    return component != nullptr &&
           (component->InheritsFrom("TCustomForm") || component->InheritsFrom("TForm"));
}

bool IsFormOrFrameComponent(const TComponent* component) {
    return IsFormComponent(component) ||
           (component != nullptr &&
            (component->InheritsFrom("TCustomFrame") || component->InheritsFrom("TFrame")));
}

namespace {

// Only the theme items have entries: a number outside them has no key name,
// and must not find an entry whose key is empty.
bool IsThemeItem(int item) {
    return item >= 1 && item <= SUI_THEME_ITEM_COUNT;
}

} // namespace

TsuiFileThemeMgr::TsuiFileThemeMgr() = default;
TsuiFileThemeMgr::~TsuiFileThemeMgr() = default;

bool TsuiFileThemeMgr::LoadFromFile(const std::string& path) {
    if (!FileExists(path))
        return false;
    // Read first, replace after: a file that fails half way leaves the
    // current look in force instead of none.
    auto reader = std::make_unique<TsuiThemeFileReader>(path);
    FReader = std::move(reader);
    return true;
}

void TsuiFileThemeMgr::GetBitmap(int item, TGraphic& graphic) const {
    if (!FReader || !IsThemeItem(item))
        return;
    if (TMemoryStream* stream = FReader->GetStream(GetThemeKeyName(item)))
        graphic.LoadFromStream(*stream);
}

bool TsuiFileThemeMgr::GetBool(int item) const {
    return FReader && IsThemeItem(item) && FReader->GetBool(GetThemeKeyName(item));
}

int32_t TsuiFileThemeMgr::GetInt(int item) const {
    if (!FReader)
        return 0;
    return IsThemeItem(item) ? FReader->GetInt(GetThemeKeyName(item)) : -1;
}

TColor TsuiFileThemeMgr::GetColor(int item) const {
    return static_cast<TColor>(GetInt(item));
}
