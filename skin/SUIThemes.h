#pragma once
// The looks of the skin library: the style enumeration, the 42 theme items
// that make up a look, and the built-in value of every item in every style.
// All lookups are free functions over constant tables; none keeps state.

#include "skin/SUIColor.h"

#include <cstdint>
#include <string>

// One byte. Lookups take any byte value: only the low seven bits choose the
// table, so a style byte with its top bit set still reads its look.
enum class TsuiUIStyle : uint8_t {
    FromThemeFile = 0, // every item from the control's file theme
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3, // the fallback style everywhere in the skin library
    Protein = 4,
    BlueGlass = 5,
};

// The kind of a theme item; the byte values are shared with the skin files'
// readers, which translate their own entry types into these.
enum class TsuiThemeItemKind : uint8_t {
    suiIntItem = 0,
    suiColorItem = 1,
    suiBitmapItem = 2,
    suiBoolItem = 3,
};

// Theme items are numbered 1..SUI_THEME_ITEM_COUNT; the number is the same in
// the built-in tables and in skin files.
inline constexpr int SUI_THEME_ITEM_COUNT = 42;

// The raw result of a lookup. For a bitmap item the value is the index of its
// resource name (see GetThemeResourceName); otherwise the integer, the colour
// or 0/1.
struct TsuiThemeItem {
    TsuiThemeItemKind Kind;
    int32_t Value;
};

// The raw lookup. A style without a table (FromThemeFile, 6..127) and an item
// number outside 1..42 give kind integer, value -1.
TsuiThemeItem GetThemeItem(TsuiUIStyle style, int item);

// The item's value when it has the asked kind; otherwise the neutral value of
// that kind: colour 0, False, -1.
TColor GetThemeColor(TsuiUIStyle style, int item);
bool GetThemeBool(TsuiUIStyle style, int item);
int32_t GetThemeInt(TsuiUIStyle style, int item);

// The name of the built-in bitmap resource of a bitmap item ("WINXP_BUTTON"),
// or "" when the item is no bitmap in that style.
std::string GetThemeBitmapName(TsuiUIStyle style, int item);

// The resource name behind the value of a bitmap item; "" for an index that
// names none.
std::string GetThemeResourceName(int32_t value);

// The key name of an item ("ButtonImage"), "" outside 1..42.
std::string GetThemeKeyName(int item);
// The kind of an item, the same in every style; integer outside 1..42.
TsuiThemeItemKind GetThemeKind(int item);
// The item number of a key name (ASCII case-insensitive), 0 when none.
int FindThemeItem(const std::string& keyName);
