#pragma once
// Skin folders: a skin file taken apart so that a person can edit it with
// ordinary tools. Every bitmap item is a bitmap file named after its key
// (ButtonImage.bmp); every colour, integer and boolean item is one
// "KeyName=value" line of theme.txt. skinpack exports the built-in looks as
// such folders and builds skin files from them.
//
// theme.txt: lines starting with '#' or ';' and blank lines are comments.
// Colours are written $00BBGGRR (a TColor, system colours $80000000 + index
// included) or #RRGGBB, booleans True or False, integers in decimal.

#include "framework/base/SysUtils.h"
#include "skin/SUIThemeFile.h"
#include "skin/SUIThemes.h"

#include <cstdint>
#include <optional>
#include <string>

// A folder that cannot be exported to or built from. The message names the
// file, and for theme.txt the line ("dir/theme.txt:12: unknown key ...").
SSI_DECLARE_EXCEPTION(ESkinFolderError, Exception)

inline constexpr char kSkinFolderValues[] = "theme.txt";

// Writes the built-in look `look` (MacOS to BlueGlass) into `dir`, which is
// created and must not hold anything yet, so that an export never mixes with
// or overwrites a folder someone has been editing. Every item is written,
// including the pictures no control draws.
void ExportLook(TsuiUIStyle look, const std::string& dir);

// Reads a skin folder and checks every item: theme.txt must give each of
// the colour, integer and boolean items once, with a value of the item's
// kind, and name nothing else; each bitmap item needs its bitmap file, which
// must decode and whose width must be a non-zero multiple of the frames the
// controls cut it into (GetThemeFrameCount). A .bmp file that names no bitmap
// item is refused too, since it is most likely a misspelt one. Other files
// are ignored. The writer holds the 42 items in item order, bitmaps as the
// files' own bytes.
TsuiThemeFileWriter ReadSkinFolder(const std::string& dir);

// A value as theme.txt writes it: "$00DEEBEF", "True", "-2".
std::string FormatThemeValue(TsuiThemeItemKind kind, int32_t value);
// A theme.txt value of the given kind; nothing when it is not one.
std::optional<int32_t> ParseThemeValue(TsuiThemeItemKind kind, const std::string& text);
