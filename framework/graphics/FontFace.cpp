#include "framework/graphics/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "framework/base/EmbeddedFiles.h"
#include "framework/base/SysUtils.h"
#include "framework/graphics/SystemFonts.h"
#include "platform/kernel32/CodePage.h"

// The faces the build embeds (framework/graphics/CMakeLists.txt).
extern const TEmbeddedFile EmbeddedFonts[];

// FreeType's modules for the two formats the embedded faces come in and
// the OpenType outlines (CFF) that the machine's fallback faces may add,
// and the renderers and hinters they use. Adding only these (instead of
// every module the library was built with) keeps the rest out of the
// program.
// Each class record starts with its FT_Module_Class, which is all that
// FT_Add_Module reads, so they are declared as that (as FreeType's own
// module list declares them).
extern "C" {
extern const FT_Module_Class tt_driver_class;
extern const FT_Module_Class winfnt_driver_class;
extern const FT_Module_Class sfnt_module_class;
extern const FT_Module_Class ft_raster1_renderer_class;
extern const FT_Module_Class ft_smooth_renderer_class;
extern const FT_Module_Class cff_driver_class;
extern const FT_Module_Class psaux_module_class;
extern const FT_Module_Class pshinter_module_class;
extern const FT_Module_Class psnames_module_class;
}

namespace {

int32_t CeilPixels(FT_Pos value) {
    return int32_t((value + 63) & -64) / 64;
}

// Transformed glyphs a face keeps before it starts again.
constexpr size_t kMaxTransformedGlyphs = 4096;

FT_Fixed Fixed(double v) {
    return FT_Fixed(std::lround(std::clamp(v, -32767.0, 32767.0) * 65536));
}

// A rotation by a multiple of 90 degrees, unscaled: the upright bitmap
// turned pixel for pixel is the exact result.
bool QuarterTurn(const TGlyphMatrix& m) {
    auto unit = [](double v) { return v == 0 || v == 1 || v == -1; };
    return unit(m.XX) && unit(m.XY) && unit(m.YX) && unit(m.YY) &&
           std::abs(m.XX) + std::abs(m.XY) == 1 && std::abs(m.YX) + std::abs(m.YY) == 1 &&
           m.XX * m.YY - m.XY * m.YX != 0;
}

void* Allocate(FT_Memory, long size) {
    return std::malloc(size_t(size));
}
void Free(FT_Memory, void* block) {
    std::free(block);
}
void* Reallocate(FT_Memory, long, long size, void* block) {
    return std::realloc(block, size_t(size));
}

FT_Library Library() {
    static FT_Library library = [] {
        static FT_MemoryRec_ memory{nullptr, Allocate, Free, Reallocate};
        FT_Library lib = nullptr;
        if (FT_New_Library(&memory, &lib) != 0)
            throw Exception("Cannot initialise fonts: out of memory");
        for (const FT_Module_Class* module :
             {&psnames_module_class, &psaux_module_class, &pshinter_module_class,
              &sfnt_module_class, &tt_driver_class, &cff_driver_class, &winfnt_driver_class,
              &ft_raster1_renderer_class, &ft_smooth_renderer_class})
            if (FT_Add_Module(lib, module) != 0)
                throw Exception(Format("Cannot initialise fonts: module %s", module->module_name));
        return lib;
    }();
    return library;
}

// A Unicode map where the face has one (a UCS-4 one first), else the
// face's own.
void ChooseCharmap(FT_Face face) {
    FT_CharMap chosen = nullptr;
    for (int i = 0; i < face->num_charmaps && !chosen; ++i)
        if (face->charmaps[i]->platform_id == 3 && face->charmaps[i]->encoding_id == 10)
            chosen = face->charmaps[i];
    for (int i = 0; i < face->num_charmaps && !chosen; ++i) {
        const FT_CharMap map = face->charmaps[i];
        if ((map->platform_id == 3 && (map->encoding_id == 1 || map->encoding_id == 0)) ||
            (map->platform_id == 2 && map->encoding_id == 1) || map->platform_id == 0)
            chosen = map;
    }
    if (chosen)
        FT_Set_Charmap(face, chosen);
}

FT_Face OpenFace(const std::string& fileName, long index) {
    const std::span<const uint8_t> bytes = FindEmbeddedFile(EmbeddedFonts, fileName);
    if (bytes.empty())
        throw Exception(
            Format("Cannot open font %s: the program does not carry it", fileName.c_str()));
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(Library(), bytes.data(), FT_Long(bytes.size()), index, &face) != 0)
        throw Exception(Format("Cannot open font %s (face %ld)", fileName.c_str(), index));
    ChooseCharmap(face);
    return face;
}

} // namespace

TFontFile ResolveFontFile(const std::string& family, TFontStyles style) {
    const bool bold = (style & fsBold) != 0;
    if (SameText(family, "MS Sans Serif"))
        return TFontFile{"sserife.fon", 0, bold};
    // Tahoma, and Tahoma for every family the program does not carry.
    return TFontFile{bold ? "tahomabd.ttf" : "tahoma.ttf", 0, false};
}

TFontFace::TFontFace(const TFontFile& file, int32_t height, TFontStyles style,
                     const std::string& family)
    : FFile(file), FFamily(family), FStyle(style & (fsBold | fsItalic)) {
    if (height == 0)
        height = -11; // the platform's "default size"
    FFace = OpenFace(file.FileName, file.FaceIndex);
    if (FT_IS_SCALABLE(FFace)) {
        // A negative height is the em size, a positive one the cell
        // (Windows ascent + descent).
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
        const int32_t unitsPerEm = FFace->units_per_EM;
        const int32_t winAscent = os2 ? os2->usWinAscent : FFace->ascender;
        const int32_t winDescent = os2 ? os2->usWinDescent : -FFace->descender;
        if (unitsPerEm <= 0 || winAscent + winDescent <= 0)
            throw Exception(Format("Cannot open font %s: no metrics", file.FileName.c_str()));
        const int32_t ppem = height < 0
                                 ? -height
                                 : std::max(1, int32_t(std::lround(double(height) * unitsPerEm /
                                                                   (winAscent + winDescent))));
        if (FT_Set_Char_Size(FFace, 0, FT_F26Dot6(ppem) * 64, 0, 0) != 0)
            throw Exception(
                Format("Cannot open font %s at %d pixels", file.FileName.c_str(), ppem));
        FAscent = int32_t(std::lround(double(winAscent) * ppem / unitsPerEm));
        FDescent = int32_t(std::lround(double(winDescent) * ppem / unitsPerEm));
        FLineThickness = std::max(1, (ppem + 6) / 14);
        FPixelsPerEm = ppem;
        FSlantOutlines = (style & fsItalic) != 0;
    } else {
        // Bitmap font: each face is one size; take the largest that does not
        // exceed the request (character height for negative heights, cell
        // height for positive ones), else the smallest. The faces of
        // sserife.fon have their character height as ascent (internal
        // leading 0), so the ascent stands for it.
        const long faces = FFace->num_faces;
        long best = -1, smallest = -1;
        int32_t bestValue = 0, smallestValue = 0;
        const int32_t want = height < 0 ? -height : height;
        for (long index = 0; index < faces; ++index) {
            FT_Face probe = index == FFile.FaceIndex ? FFace : OpenFace(file.FileName, index);
            if (probe->num_fixed_sizes > 0 && FT_Select_Size(probe, 0) == 0) {
                const FT_Size_Metrics& m = probe->size->metrics;
                const int32_t value = height < 0 ? CeilPixels(m.ascender) : CeilPixels(m.height);
                if (value <= want && (best < 0 || value > bestValue))
                    best = index, bestValue = value;
                if (smallest < 0 || value < smallestValue)
                    smallest = index, smallestValue = value;
            }
            if (probe != FFace)
                FT_Done_Face(probe);
        }
        const long chosen = best >= 0 ? best : (smallest >= 0 ? smallest : 0);
        if (chosen != FFile.FaceIndex) {
            FT_Done_Face(FFace);
            FFace = OpenFace(file.FileName, chosen);
            FFile.FaceIndex = chosen;
        }
        if (FFace->num_fixed_sizes <= 0 || FT_Select_Size(FFace, 0) != 0)
            throw Exception(Format("Cannot open font %s: no size", file.FileName.c_str()));
        FAscent = CeilPixels(FFace->size->metrics.ascender);
        FDescent = -CeilPixels(FFace->size->metrics.descender);
        // A bitmap face cannot be slanted by the renderer; shear it here.
        FShearItalic = (style & fsItalic) != 0;
        FPixelsPerEm = std::max(1, FAscent); // its character height
    }
}

TFontFace::~TFontFace() {
    for (auto& [key, fallback] : FFallbacks)
        if (fallback.Face)
            FT_Done_Face(fallback.Face);
    if (FFace)
        FT_Done_Face(FFace);
}

TGlyph TFontFace::RenderFrom(FT_Face face, unsigned glyphIndex, bool slant, bool embolden,
                             const TGlyphMatrix* m) {
    TGlyph g;
    // Turned text is drawn from the outlines: a face's bitmaps only stand.
    const FT_Int32 flags =
        FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO | (m ? FT_LOAD_NO_BITMAP : FT_Int32(0));
    if (FT_Load_Glyph(face, glyphIndex, flags) != 0)
        return g;
    FT_GlyphSlot slot = face->glyph;
    const bool outline = slot->format == FT_GLYPH_FORMAT_OUTLINE;
    if (m && !outline)
        return g;
    if (slant && outline) {
        // The platform's slant for faces without an italic of their own:
        // x moves right by about a fifth of the height above the baseline.
        FT_Matrix shear{1 << 16, FT_Fixed(0.207f * (1 << 16)), 0, 1 << 16};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (embolden && outline)
        FT_Outline_EmboldenXY(&slot->outline, 64, 0); // one pixel wider
    if (m) {
        // The outline's y runs up, the matrix's down.
        FT_Matrix t{Fixed(m->XX), Fixed(-m->XY), Fixed(-m->YX), Fixed(m->YY)};
        FT_Outline_Transform(&slot->outline, &t);
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return g;
    g.Advance = CeilPixels(slot->metrics.horiAdvance) + (embolden && outline ? 1 : 0);
    const FT_Bitmap& bitmap = slot->bitmap;
    g.Left = slot->bitmap_left;
    g.Top = (m ? 0 : FAscent) - slot->bitmap_top;
    g.Width = int32_t(bitmap.width);
    g.Height = int32_t(bitmap.rows);
    g.Bits.assign(size_t(g.Width) * size_t(g.Height), 0);
    for (int32_t y = 0; y < g.Height; ++y) {
        const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        for (int32_t x = 0; x < g.Width; ++x) {
            const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                 : row[x] >= 128;
            g.Bits[size_t(y) * size_t(g.Width) + size_t(x)] = ink ? 255 : 0;
        }
    }
    return g;
}

TFontFace::TFallback* TFontFace::OpenFallback(const std::string& path, long index, bool embedded,
                                              bool embolden, bool slant) {
    auto [it, added] = FFallbacks.try_emplace({(embedded ? "embedded:" : "") + path, index});
    TFallback& f = it->second;
    if (!added)
        return f.Face ? &f : nullptr;
    // A face that cannot be opened is remembered as such, and passed over.
    FT_Face face = nullptr;
    if (embedded) {
        try {
            face = OpenFace(path, index);
        } catch (const Exception&) {
            return nullptr;
        }
    } else if (FT_New_Face(Library(), path.c_str(), index, &face) != 0) {
        return nullptr;
    } else {
        ChooseCharmap(face);
    }
    if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, FT_UInt(FPixelsPerEm)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    f = TFallback{face, embolden, slant};
    return &f;
}

TFontFace::TFallback* TFontFace::FallbackFor(char32_t codePoint, unsigned& glyphIndex) {
    const bool bold = (FStyle & fsBold) != 0, italic = (FStyle & fsItalic) != 0;
    // The embedded Tahoma first, so that every machine draws what it holds
    // the same way.
    const TFontFile tahoma = ResolveFontFile("Tahoma", FStyle);
    if (tahoma.FileName != FFile.FileName)
        if (TFallback* f = OpenFallback(tahoma.FileName, 0, true, false, italic))
            if ((glyphIndex = FT_Get_Char_Index(f->Face, codePoint)) != 0)
                return f;
    const TSystemFontFile system = FindSystemFont(FFamily, bold, italic, codePoint);
    if (system.Path.empty())
        return nullptr;
    TFallback* f = OpenFallback(system.Path, system.Index, false, bold && !system.Bold,
                                italic && !system.Italic);
    if (f && (glyphIndex = FT_Get_Char_Index(f->Face, codePoint)) != 0)
        return f;
    return nullptr;
}

// What a character no face holds is drawn as: an empty box standing on the
// baseline, about as high as a capital and half as wide as the em.
TGlyph TFontFace::Box() const {
    TGlyph g;
    g.Height = std::max(3, FPixelsPerEm * 7 / 10);
    g.Width = std::max(3, FPixelsPerEm / 2);
    g.Left = 1;
    g.Top = FAscent - g.Height;
    g.Advance = g.Width + 2;
    g.Bits.assign(size_t(g.Width) * size_t(g.Height), 0);
    for (int32_t y = 0; y < g.Height; ++y)
        for (int32_t x = 0; x < g.Width; ++x)
            if (y == 0 || y == g.Height - 1 || x == 0 || x == g.Width - 1)
                g.Bits[size_t(y) * size_t(g.Width) + size_t(x)] = 255;
    return g;
}

// The platform's simulation of bold and italic for a bitmap face.
void TFontFace::Simulate(TGlyph& g) const {
    if (FFile.SyntheticBold && g.Width > 0) {
        // Emboldening: the glyph ORed with itself one pixel to the right.
        std::vector<uint8_t> bold(size_t(g.Width + 1) * size_t(g.Height), 0);
        for (int y = 0; y < g.Height; ++y)
            for (int x = 0; x < g.Width; ++x)
                if (g.Bits[size_t(y) * size_t(g.Width) + size_t(x)]) {
                    bold[size_t(y) * size_t(g.Width + 1) + size_t(x)] = 255;
                    bold[size_t(y) * size_t(g.Width + 1) + size_t(x) + 1] = 255;
                }
        g.Bits.swap(bold);
        ++g.Width;
        ++g.Advance;
    } else if (FFile.SyntheticBold) {
        ++g.Advance;
    }
    if (FShearItalic && g.Width > 0) {
        // Slant: rows above the baseline move right by a quarter of their height
        // above it; the advance stays, so the last glyph overhangs.
        auto shift = [&](int row) { return std::max(0, (FAscent - 1 - (g.Top + row)) / 4); };
        const int extra = shift(0);
        std::vector<uint8_t> slanted(size_t(g.Width + extra) * size_t(g.Height), 0);
        for (int y = 0; y < g.Height; ++y)
            for (int x = 0; x < g.Width; ++x)
                slanted[size_t(y) * size_t(g.Width + extra) + size_t(x + shift(y))] =
                    g.Bits[size_t(y) * size_t(g.Width) + size_t(x)];
        g.Bits.swap(slanted);
        g.Width += extra;
    }
}

TGlyph TFontFace::Render(char32_t codePoint) {
    if (const FT_UInt index = FT_Get_Char_Index(FFace, codePoint); index != 0) {
        TGlyph g = RenderFrom(FFace, index, FSlantOutlines, false);
        Simulate(g);
        return g;
    }
    unsigned index = 0;
    if (TFallback* f = FallbackFor(codePoint, index))
        return RenderFrom(f->Face, index, f->Slant, f->Embolden);
    return Box();
}

const TGlyph& TFontFace::Glyph(char32_t codePoint) {
    if (codePoint < FGlyphs.size()) {
        std::unique_ptr<TGlyph>& slot = FGlyphs[codePoint];
        if (!slot)
            slot = std::make_unique<TGlyph>(Render(codePoint));
        return *slot;
    }
    auto it = FMoreGlyphs.find(codePoint);
    if (it == FMoreGlyphs.end())
        it = FMoreGlyphs.emplace(codePoint, Render(codePoint)).first;
    return it->second;
}

namespace {

// The upright glyph `g` (its Top relative to the cell) resampled through
// `m`: each pixel whose centre maps back onto an inked pixel is inked.
TGlyph Resample(const TGlyph& g, int32_t ascent, const TGlyphMatrix& m) {
    TGlyph out;
    out.Advance = g.Advance;
    const double det = m.XX * m.YY - m.XY * m.YX;
    if (g.Width <= 0 || g.Height <= 0 || !(std::abs(det) > 1e-9))
        return out;
    const double left = g.Left, top = g.Top - ascent;
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (double x : {left, left + g.Width})
        for (double y : {top, top + g.Height}) {
            const double u = m.XX * x + m.XY * y, v = m.YX * x + m.YY * y;
            minX = std::min(minX, u), maxX = std::max(maxX, u);
            minY = std::min(minY, v), maxY = std::max(maxY, v);
        }
    // The pixels whose centres the glyph's box can reach.
    constexpr double kLimit = 4096;
    const int32_t x0 = int32_t(std::floor(std::max(minX, -kLimit)));
    const int32_t y0 = int32_t(std::floor(std::max(minY, -kLimit)));
    const int32_t x1 = int32_t(std::ceil(std::min(maxX, kLimit)));
    const int32_t y1 = int32_t(std::ceil(std::min(maxY, kLimit)));
    if (x1 <= x0 || y1 <= y0)
        return out;
    out.Left = x0, out.Top = y0, out.Width = x1 - x0, out.Height = y1 - y0;
    out.Bits.assign(size_t(out.Width) * size_t(out.Height), 0);
    for (int32_t v = y0; v < y1; ++v)
        for (int32_t u = x0; u < x1; ++u) {
            const double cu = u + 0.5, cv = v + 0.5;
            const double x = (m.YY * cu - m.XY * cv) / det, y = (m.XX * cv - m.YX * cu) / det;
            const double col = std::floor(x - left), row = std::floor(y - top);
            if (col < 0 || row < 0 || col >= g.Width || row >= g.Height)
                continue;
            if (g.Bits[size_t(row) * size_t(g.Width) + size_t(col)])
                out.Bits[size_t(v - y0) * size_t(out.Width) + size_t(u - x0)] = 255;
        }
    return out;
}

} // namespace

TGlyph TFontFace::RenderTransformed(char32_t codePoint, const TGlyphMatrix& m) {
    const TGlyph& upright = Glyph(codePoint);
    if (!QuarterTurn(m)) {
        TGlyph g;
        bool drawn = false;
        if (const FT_UInt index = FT_Get_Char_Index(FFace, codePoint); index != 0) {
            if (FT_IS_SCALABLE(FFace)) {
                g = RenderFrom(FFace, index, FSlantOutlines, false, &m);
                drawn = true;
            }
        } else {
            unsigned fallback = 0;
            if (TFallback* f = FallbackFor(codePoint, fallback)) {
                g = RenderFrom(f->Face, fallback, f->Slant, f->Embolden, &m);
                drawn = true;
            }
        }
        if (drawn) {
            g.Advance = upright.Advance;
            return g;
        }
    }
    return Resample(upright, FAscent, m);
}

const TGlyph& TFontFace::TransformedGlyph(char32_t codePoint, const TGlyphMatrix& m) {
    auto q = [](double v) { return int64_t(std::llround(std::clamp(v, -1e6, 1e6) * 4096)); };
    const auto key = std::make_tuple(codePoint, q(m.XX), q(m.XY), q(m.YX), q(m.YY));
    auto it = FTransformed.find(key);
    if (it != FTransformed.end())
        return it->second;
    if (FTransformed.size() >= kMaxTransformedGlyphs)
        FTransformed.clear();
    return FTransformed.emplace(key, RenderTransformed(codePoint, m)).first->second;
}

int32_t TFontFace::TextWidth(std::string_view text) {
    int32_t width = 0;
    for (size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            width += Glyph(byte).Advance;
            ++pos;
            continue;
        }
        const TCharacter c = DecodeCharacter(text, pos);
        width += Glyph(c.CodePoint).Advance;
        pos += c.Length;
    }
    return width;
}

TFontFace& GetFontFace(const TFont& font) {
    using TKey = std::tuple<std::string, int32_t, TFontStyles>;
    static std::map<TKey, std::unique_ptr<TFontFace>> cache;
    const TFontStyles shape = font.Style() & (fsBold | fsItalic);
    TKey key{LowerCase(font.Name()), font.Height(), shape};
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    TFontFile file = ResolveFontFile(font.Name(), shape);
    auto face = std::make_unique<TFontFace>(file, font.Height(), shape, font.Name());
    TFontFace& ref = *face;
    cache.emplace(key, std::move(face));
    return ref;
}
