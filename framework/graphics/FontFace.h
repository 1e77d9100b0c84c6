#pragma once
// Fonts as they are drawn: a TFont resolved to one of the faces the program
// carries, rasterised by FreeType at the pixel size the platform would
// choose, without anti-aliasing, with the platform's cell metrics (ascent
// and descent from the font's Windows metrics) and a cache of rendered
// glyphs. Text widths are sums of glyph advances, without kerning, exactly
// as the glyphs are laid out when drawn, so that measuring and drawing
// agree to the pixel.
//
// The faces travel inside the program (EmbeddedFonts), so every machine
// draws the same pixels whatever fonts it has:
//   "MS Sans Serif"  sserife.fon, a bitmap font: the size picks one of its
//                    faces; bold is emboldened by one pixel and italic
//                    sheared, as the platform simulates them for bitmap fonts
//   "Tahoma"         tahoma.ttf, tahomabd.ttf (monochrome bitmaps at 8-16
//   and any other    pixels, outlines beyond; Latin, Cyrillic, Arabic)
//   family
// Italic outlines are slanted as they are loaded.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"

struct FT_FaceRec_;

// One rendered character. Bits holds Width x Height coverage bytes (0 or
// 255, the fonts are drawn without anti-aliasing); (Left, Top) is where its
// top-left pixel goes relative to the pen position at the top of the cell.
struct TGlyph {
    int32_t Advance = 0;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Bits;
};

// Which embedded face a family, style and size resolves to.
struct TFontFile {
    std::string FileName; // the face's file name, as embedded
    long FaceIndex = 0;
    bool SyntheticBold = false;
};

class TFontFace {
public:
    TFontFace(const TFontFile& file, int32_t height, TFontStyles style);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    const TFontFile& File() const { return FFile; }
    int32_t Ascent() const { return FAscent; }
    int32_t Descent() const { return FDescent; }
    // Cell height (ascent + descent): what TextHeight reports.
    int32_t Height() const { return FAscent + FDescent; }
    // Rows (relative to the cell top) and thickness of the decoration lines.
    int32_t UnderlineTop() const { return FAscent + 1; }
    int32_t StrikeOutTop() const { return FAscent - (FAscent * 3 + 5) / 10; }
    int32_t LineThickness() const { return FLineThickness; }

    // The glyph of an 8-bit ANSI (Windows-1252) character.
    const TGlyph& Glyph(uint8_t ch);
    int32_t TextWidth(const std::string& text);

private:
    TGlyph Render(uint32_t code);

    TFontFile FFile;
    FT_FaceRec_* FFace = nullptr;
    int32_t FAscent = 0;
    int32_t FDescent = 0;
    int32_t FLineThickness = 1;
    bool FShearItalic = false; // a bitmap face slanted by whole pixels
    bool FSlantOutlines = false;
    std::array<std::unique_ptr<TGlyph>, 256> FGlyphs;
};

// The face for a font (cached for the life of the process; the GUI thread
// is the only user).
TFontFace& GetFontFace(const TFont& font);

// The embedded face a family with the given style resolves to (see above).
TFontFile ResolveFontFile(const std::string& family, TFontStyles style);

// The Unicode code point of a Windows-1252 character.
uint32_t AnsiToUnicode(uint8_t ch);
