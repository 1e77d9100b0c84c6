#pragma once
// The platform's DrawText: text laid out in a rectangle with the canvas's
// font, colour and brush (a solid brush fills each line's text box).
//
// Supported flags: horizontal DT_LEFT / DT_CENTER / DT_RIGHT; vertical
// DT_TOP / DT_VCENTER / DT_BOTTOM (single line only, as on the platform);
// DT_SINGLELINE; DT_WORDBREAK (lines break at blanks to fit the width; a
// word wider than the rectangle stays whole and is clipped); DT_NOCLIP;
// DT_CALCRECT (measure only: Right and Bottom of the rectangle are set);
// DT_NOPREFIX; DT_END_ELLIPSIS (characters are removed from the end of a
// line until the rest followed by "..." fits). Without DT_NOPREFIX "&"
// underlines the next character and "&&" is a literal ampersand. Lines end
// at CR LF, LF or CR unless DT_SINGLELINE.

#include <cstdint>
#include <string>

#include "framework/graphics/Types.h"

class TCanvas;

constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// Returns the height of the text; with DT_VCENTER or DT_BOTTOM the offset
// from rect.Top to the bottom of the drawn text, as the platform does.
int32_t DrawText(TCanvas& canvas, const std::string& text, TRect& rect, uint32_t format);

// The text without its prefix characters, and the index (in the result) of
// the character to underline, -1 for none.
std::string StripPrefixes(const std::string& text, int& underlineIndex);

// `text` shortened from the end until it followed by "..." fits `width`;
// the text itself when it fits. Shortening stops when the text is used up
// ("..." alone, even if that does not fit).
std::string EndEllipsis(TCanvas& canvas, const std::string& text, int32_t width);
