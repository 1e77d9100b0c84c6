#pragma once
// The looks of the skin library: the style enumeration, the 42 theme items
// that make up a look, and the built-in value of every item in every style.
// The built-in lookups are free functions over constant tables and keep no
// state; a look loaded from a skin file is held by a TsuiFileThemeMgr (at the
// end of this unit), which keeps the file it read.

#include "framework/base/SysUtils.h"
#include "skin/SUIColor.h"

#include <cstdint>
#include <memory>
#include <string>

class TBitmap;
class TComponent;
class TEnumInfo;
class TGraphic;
class TsuiFileTheme;
class TsuiThemeFileReader;

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

// The identifiers of TsuiUIStyle for published properties ("FromThemeFile",
// "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass").
const TEnumInfo& TsuiUIStyleInfo();

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
// How the controls cut a bitmap item: the number of frames of equal width
// laid side by side (ButtonImage 3, TitleBarButtonImage 18, ...), 1 for a
// picture drawn whole, 0 for an item no control draws and for items that are
// no bitmap. A picture fits its item when its width is a multiple of this.
int GetThemeFrameCount(int item);
// The item number of a key name (ASCII case-insensitive), 0 when none.
int FindThemeItem(const std::string& keyName);

// A built-in bitmap that the build did not embed: a defect of the build.
SSI_DECLARE_EXCEPTION(EResNotFound, Exception)

// Loads the built-in bitmap resource `name` (compared without regard to
// case) into `bitmap`, replacing its size and content. Fails with
// EResNotFound "Resource %s not found" when there is none.
void LoadSkinBitmap(const std::string& name, TBitmap& bitmap);

// Puts the bitmap of a built-in bitmap item into `bitmap`. With a frame
// count of 0 the whole picture; otherwise frame `frameIndex` (1-based) of a
// strip of `frameCount` frames, cut with CutFrame. An item that is no bitmap
// in that style (or a style without a table) loads nothing: the whole-picture
// form leaves `bitmap` as it was, the framed form empties it. Nothing happens
// without a destination.
void GetThemeBitmap(TsuiUIStyle style, int item, TBitmap* bitmap, int frameCount = 0,
                    int frameIndex = 0);

// The choice every skinned control makes between its file theme and the
// built-in tables. Only FromThemeFile asks for the file theme; when the theme
// is missing or holds no loaded skin file the control draws as DeepBlue
// (`effective`), while its own UIStyle stays FromThemeFile. A built-in style
// always wins over an assigned file theme.
bool UsingFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle style, TsuiUIStyle& effective);

// The style a new skinned control starts with: the UIStyle of the first
// TsuiForm among the direct child controls of `owner` when `owner` is a form
// (a TCustomForm: its child controls are what is read); DeepBlue otherwise.
// Nested controls are not searched.
TsuiUIStyle GetFormUIStyle(const TComponent* owner);

// Whether `component` is a form, or a frame (a form-like container that the
// theme manager also serves). Judged by the names of the classes it inherits
// from rather than by its type: the framework has no frame class, so a frame
// is any component whose class registers itself under a frame's name
// (TCustomFrame, TFrame), and forms are recognised the same way.
bool IsFormComponent(const TComponent* component);
bool IsFormOrFrameComponent(const TComponent* component);

// The skin file a TsuiFileTheme has loaded, under theme item numbers: item n
// reads the entry whose key is item n's key name. A number outside 1..42 names
// no entry, whatever keys the file holds. Without a file every lookup gives
// its no-file value.
class TsuiFileThemeMgr {
public:
    TsuiFileThemeMgr();
    ~TsuiFileThemeMgr();
    TsuiFileThemeMgr(const TsuiFileThemeMgr&) = delete;
    TsuiFileThemeMgr& operator=(const TsuiFileThemeMgr&) = delete;

    // False, keeping the current file, when no file exists at `path`.
    // Otherwise reads the whole file and makes it the current one. A file that
    // cannot be read fails with the reader's error and the current file stays:
    // the new file is read completely before the old one is let go.
    bool LoadFromFile(const std::string& path);
    bool HasFile() const { return FReader != nullptr; }

    // Loads the item's bitmap entry into `graphic`; unchanged without a file
    // or without the entry. A damaged bitmap fails with EInvalidGraphic.
    void GetBitmap(int item, TGraphic& graphic) const;
    // The entry's value; without the entry False / -1, without a file False / 0.
    bool GetBool(int item) const;
    int32_t GetInt(int item) const;
    // Colours are stored as integer entries.
    TColor GetColor(int item) const;

private:
    std::unique_ptr<TsuiThemeFileReader> FReader;
};
