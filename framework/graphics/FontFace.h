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
//
// Text is in the system code page (UTF-8, platform/kernel32/CodePage.h), one
// glyph per character. A character the face lacks comes, in the same size
// and style and on the same baseline, from the embedded Tahoma, else from
// the first of the machine's fonts that holds it (SystemFonts.h), else it
// is drawn as one box: the way desktop toolkits fall back. Left-to-right
// scripts come out right; right-to-left text is drawn in stored order and
// scripts that need shaping (Arabic joining, Indic conjuncts) as their
// isolated letters, as there is no shaping engine.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "framework/graphics/Canvas.h"
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
    // `family` is the name asked for, which the machine's fonts are
    // searched by when the face lacks a character.
    TFontFace(const TFontFile& file, int32_t height, TFontStyles style,
              const std::string& family = "Tahoma");
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

    // The glyph of a Unicode character, from this face or a fallback.
    const TGlyph& Glyph(char32_t codePoint);
    // The sum of the advances of the text's characters.
    int32_t TextWidth(std::string_view text);
    // The character drawn through `m`; here Left and Top place the top-left
    // pixel relative to the pen's point on the baseline, and Advance is the
    // upright glyph's. Outlines are transformed before they are rasterised;
    // bitmap faces, quarter turns (which keep the face's hand-made bitmaps)
    // and the box are the upright glyph resampled.
    const TGlyph& TransformedGlyph(char32_t codePoint, const TGlyphMatrix& m);

private:
    // A face drawing the characters this one lacks, at this one's size.
    struct TFallback {
        FT_FaceRec_* Face = nullptr;
        bool Embolden = false; // the style asks for bold, the face is not
        bool Slant = false;    // the style asks for italic, the face is not
    };

    TGlyph Render(char32_t codePoint);
    TGlyph RenderFrom(FT_FaceRec_* face, unsigned glyphIndex, bool slant, bool embolden,
                      const TGlyphMatrix* m = nullptr);
    TGlyph RenderTransformed(char32_t codePoint, const TGlyphMatrix& m);
    TFallback* FallbackFor(char32_t codePoint, unsigned& glyphIndex);
    TFallback* OpenFallback(const std::string& path, long index, bool embedded, bool embolden,
                            bool slant);
    TGlyph Box() const;
    void Simulate(TGlyph& g) const;

    TFontFile FFile;
    std::string FFamily;
    TFontStyles FStyle = 0;
    FT_FaceRec_* FFace = nullptr;
    int32_t FAscent = 0;
    int32_t FDescent = 0;
    int32_t FPixelsPerEm = 0; // what fallback faces are sized to
    int32_t FLineThickness = 1;
    bool FShearItalic = false; // a bitmap face slanted by whole pixels
    bool FSlantOutlines = false;
    std::array<std::unique_ptr<TGlyph>, 256> FGlyphs;
    std::unordered_map<char32_t, TGlyph> FMoreGlyphs;
    std::map<std::pair<std::string, long>, TFallback> FFallbacks;
    // Transformed glyphs by character and matrix (in 1/4096), emptied
    // when it grows beyond kMaxTransformedGlyphs.
    std::map<std::tuple<char32_t, int64_t, int64_t, int64_t, int64_t>, TGlyph> FTransformed;
};

// The face for a font (cached for the life of the process; the GUI thread
// is the only user).
TFontFace& GetFontFace(const TFont& font);

// The embedded face a family with the given style resolves to (see above).
TFontFile ResolveFontFile(const std::string& family, TFontStyles style);
