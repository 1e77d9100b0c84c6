#pragma once
// The objects a metafile's records create and the device context selects:
// pens, brushes (solid, hatched or patterned), fonts and regions, as the
// records describe them in logical units, and how the values of the
// records (colour references, style words) become them.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Types.h"

class TBitmap;

struct TMfPen {
    TPenStyle Style = TPenStyle::psSolid;
    double Width = 0; // logical units; 0 = one pixel
    bool Cosmetic = true;
    TPenEndCap EndCap = TPenEndCap::pecRound;
    TPenJoin Join = TPenJoin::pjRound;
    TColor Color = clBlack;
};

struct TMfBrush {
    TBrushStyle Style = TBrushStyle::bsSolid;
    TColor Color = clWhite;
    std::shared_ptr<const TBitmap> Pattern;
};

struct TMfFont {
    int32_t Height = 0;
    int32_t Weight = 400;
    // Tenths of a degree counterclockwise: the baseline's angle to the x
    // axis, and each character's.
    int32_t Escapement = 0;
    int32_t Orientation = 0;
    bool Italic = false, Underline = false, StrikeOut = false;
    std::string Face = "Arial";
};

// Rectangles of a region; in logical units for WMF, reference-device
// pixels for EMF.
struct TMfRegion {
    std::vector<TRect> Rects;
    TRect Bounds;
};

// A logical palette: the colours palette indices name. Selecting one
// shares its entries, so that later changes to them show.
struct TMfPalette {
    std::shared_ptr<std::vector<TColor>> Entries = std::make_shared<std::vector<TColor>>();
};
// Entries a palette may have (the records count them in 16 bits).
constexpr size_t kMaxPaletteEntries = 65535;

// Any other object that only takes a slot.
struct TMfPlaceholder {};

using TMfObject = std::variant<TMfPlaceholder, TMfPen, TMfBrush, TMfFont, TMfRegion, TMfPalette>;

// From the values the records carry.
// A COLORREF's colour: 0x00BBGGRR, or 0x02BBGGRR (the palette's nearest
// colour, which a true-colour canvas shows as asked). Palette indices
// (0x01 in the top byte) are the device context's to resolve; here black.
TColor ColorFromRef(uint32_t value);
// The platform's default palette: its 20 static colours.
const std::vector<TColor>& DefaultPalette();

// Text in the Symbol font. Its characters are bytes of its own encoding
// (0x44 is a capital delta, 0xA3 "less than or equal"), which files give
// as bytes (WMF, EMF's 8-bit text) or as 16-bit units of the font's own
// range (0xF020 to 0xF0FF) or of its bytes. Whether a face is the Symbol
// font, and the Unicode character of one of its bytes (a space for the
// bytes the encoding leaves empty).
bool IsSymbolFace(const std::string& face);
char32_t SymbolCharacter(uint8_t byte);
// The Unicode character a 16-bit unit of Symbol text stands for.
char32_t SymbolUnit(char32_t unit);
// Symbol bytes as UTF-8, their advances (one a byte) moved to the first
// byte of each character.
std::string SymbolBytesToUtf8(const std::string& bytes, std::vector<double>& dx);
// A logical pen's style word: line style, end cap and join.
TMfPen PenFromStyle(uint32_t style, TColor color, double width, bool cosmetic);
// A logical brush: solid, null or hatched (other styles paint solid).
TMfBrush BrushFromStyle(uint32_t style, TColor color, uint32_t hatch);
// A pattern brush of the bitmap; one beyond 256 x 256 pixels paints solid
// in its first pixel's colour.
TMfBrush PatternBrush(std::shared_ptr<const TBitmap> pattern);
