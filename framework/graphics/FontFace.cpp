#include "framework/graphics/FontFace.h"

#include <fontconfig/fontconfig.h>

#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>
#include <unistd.h>

#include "framework/base/SysUtils.h"

namespace {

const char* const kWineFontDir = "/usr/share/wine/fonts";
const char* const kFallbackFamily = "DejaVu Sans";
const char* const kFallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

bool FileExists(const std::string& path) {
    return access(path.c_str(), R_OK) == 0;
}

void EnsureTtf() {
    static bool initialised = false;
    if (initialised)
        return;
    if (TTF_Init() != 0)
        throw Exception(Format("Cannot initialise fonts: %s", TTF_GetError()));
    initialised = true;
}

FcConfig* FontConfig() {
    static FcConfig* config = [] {
        FcConfig* c = FcInitLoadConfigAndFonts();
        // The fonts-wine folder is not indexed by the system configuration.
        if (c)
            FcConfigAppFontAddDir(c, reinterpret_cast<const FcChar8*>(kWineFontDir));
        return c;
    }();
    return config;
}

// The family that fontconfig finds for `family`, with its file; false when
// fontconfig substitutes a different family.
bool MatchFamily(const std::string& family, TFontStyles style, TFontFile& file) {
    FcConfig* config = FontConfig();
    if (!config)
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    bool ok = false;
    FcChar8 *matchedFamily = nullptr, *path = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
        FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
        SameText(reinterpret_cast<const char*>(matchedFamily), family)) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        file.Path = reinterpret_cast<const char*>(path);
        file.FaceIndex = index;
        file.SyntheticBold = (style & fsBold) && weight < FC_WEIGHT_DEMIBOLD;
        ok = true;
    }
    FcPatternDestroy(match);
    return ok;
}

// The OS/2 table's Windows ascent and descent of a TrueType file, in font
// units, and its units per em; false for other files.
struct TWinMetrics {
    int32_t UnitsPerEm = 0;
    int32_t WinAscent = 0;
    int32_t WinDescent = 0;
};

bool ReadWinMetrics(const std::string& path, TWinMetrics& m) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u16 = [&](size_t at) { return uint32_t(d[at] << 8 | d[at + 1]); };
    auto u32 = [&](size_t at) { return u16(at) << 16 | u16(at + 2); };
    if (d.size() < 12)
        return false;
    uint32_t tables = u16(4);
    size_t head = 0, os2 = 0;
    for (uint32_t i = 0; i < tables; ++i) {
        size_t at = 12 + 16 * size_t(i);
        if (at + 16 > d.size())
            return false;
        uint32_t offset = u32(at + 8);
        if (std::memcmp(&d[at], "head", 4) == 0)
            head = offset;
        if (std::memcmp(&d[at], "OS/2", 4) == 0)
            os2 = offset;
    }
    if (!head || !os2 || head + 20 > d.size() || os2 + 78 > d.size())
        return false;
    m.UnitsPerEm = int32_t(u16(head + 18));
    m.WinAscent = int32_t(u16(os2 + 74));
    m.WinDescent = int32_t(u16(os2 + 76));
    return m.UnitsPerEm > 0 && m.WinAscent + m.WinDescent > 0;
}

std::string Lower(const std::string& s) {
    return LowerCase(s);
}

} // namespace

uint32_t AnsiToUnicode(uint8_t ch) {
    static const uint16_t k80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return (ch >= 0x80 && ch < 0xA0) ? k80[ch - 0x80] : ch;
}

TFontFile ResolveFontFile(const std::string& family, TFontStyles style) {
    TFontFile file;
    if (SameText(family, "MS Sans Serif")) {
        std::string path = std::string(kWineFontDir) + "/sserife.fon";
        if (FileExists(path)) {
            file.Path = path;
            file.SyntheticBold = (style & fsBold) != 0;
            return file;
        }
    }
    if (!family.empty() && MatchFamily(family, style, file))
        return file;
    if (MatchFamily(kFallbackFamily, style, file))
        return file;
    file.Path = kFallbackFile;
    file.SyntheticBold = (style & fsBold) != 0;
    return file;
}

TFontFace::TFontFace(const TFontFile& file, int32_t height, TFontStyles style) : FFile(file) {
    EnsureTtf();
    if (height == 0)
        height = -11; // the platform's "default size"
    TWinMetrics win;
    if (ReadWinMetrics(file.Path, win)) {
        // Scalable font: a negative height is the em size, a positive one the
        // cell (Windows ascent + descent).
        int32_t ppem = height < 0
                           ? -height
                           : std::max(1, int32_t(std::lround(double(height) * win.UnitsPerEm /
                                                             (win.WinAscent + win.WinDescent))));
        FFont = TTF_OpenFontIndex(file.Path.c_str(), ppem, file.FaceIndex);
        if (!FFont)
            throw Exception(Format("Cannot open font %s: %s", file.Path.c_str(), TTF_GetError()));
        FAscent = int32_t(std::lround(double(win.WinAscent) * ppem / win.UnitsPerEm));
        FDescent = int32_t(std::lround(double(win.WinDescent) * ppem / win.UnitsPerEm));
        FLineThickness = std::max(1, (ppem + 6) / 14);
    } else {
        // Bitmap font: each face is one size; take the largest that does not
        // exceed the request (character height for negative heights, cell
        // height for positive ones), else the smallest.
        long best = -1, smallest = -1;
        int32_t bestValue = 0, smallestValue = 0;
        for (long face = 0; face < 16; ++face) {
            TTF_Font* probe = TTF_OpenFontIndex(file.Path.c_str(), 12, face);
            if (!probe)
                break;
            // The faces of sserife.fon have their character height as ascent
            // (internal leading 0), so the ascent stands for it.
            int32_t value = height < 0 ? TTF_FontAscent(probe) : TTF_FontHeight(probe);
            int32_t want = height < 0 ? -height : height;
            if (value <= want && (best < 0 || value > bestValue))
                best = face, bestValue = value;
            if (smallest < 0 || value < smallestValue)
                smallest = face, smallestValue = value;
            TTF_CloseFont(probe);
        }
        FFile.FaceIndex = best >= 0 ? best : (smallest >= 0 ? smallest : 0);
        FFont = TTF_OpenFontIndex(file.Path.c_str(), 12, FFile.FaceIndex);
        if (!FFont)
            throw Exception(Format("Cannot open font %s: %s", file.Path.c_str(), TTF_GetError()));
        FAscent = TTF_FontAscent(FFont);
        FDescent = -TTF_FontDescent(FFont);
        // A bitmap face cannot be slanted by the renderer; shear it here.
        FShearItalic = (style & fsItalic) != 0;
    }
    TTF_SetFontHinting(FFont, TTF_HINTING_MONO);
    if ((style & fsItalic) && !FShearItalic)
        TTF_SetFontStyle(FFont, TTF_STYLE_ITALIC);
    FSurfaceOffset = FAscent - TTF_FontAscent(FFont);
}

TFontFace::~TFontFace() {
    if (FFont)
        TTF_CloseFont(FFont);
}

const TGlyph& TFontFace::Glyph(uint8_t ch) {
    std::unique_ptr<TGlyph>& slot = FGlyphs[ch];
    if (slot)
        return *slot;
    slot = std::make_unique<TGlyph>();
    TGlyph& g = *slot;
    uint32_t code = AnsiToUnicode(ch);
    if (!TTF_GlyphIsProvided32(FFont, code))
        code = '?';
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    if (TTF_GlyphMetrics32(FFont, code, &minx, &maxx, &miny, &maxy, &advance) != 0)
        return g;
    g.Advance = advance;
    SDL_Surface* s = TTF_RenderGlyph32_Solid(FFont, code, SDL_Color{255, 255, 255, 255});
    if (s) {
        // The surface starts at the leftmost ink or the pen, whichever is
        // further left, and at SDL_ttf's ascent line.
        g.Left = std::min(0, minx);
        g.Top = FSurfaceOffset;
        g.Width = s->w;
        g.Height = s->h;
        g.Bits.assign(size_t(s->w) * size_t(s->h), 0);
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y) {
            const uint8_t* row =
                static_cast<const uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch);
            for (int x = 0; x < s->w; ++x)
                g.Bits[size_t(y) * size_t(s->w) + size_t(x)] = row[x] ? 255 : 0;
        }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
    }
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
    return g;
}

int32_t TFontFace::TextWidth(const std::string& text) {
    int32_t width = 0;
    for (unsigned char ch : text)
        width += Glyph(ch).Advance;
    return width;
}

TFontFace& GetFontFace(const TFont& font) {
    using TKey = std::tuple<std::string, int32_t, TFontStyles>;
    static std::map<TKey, std::unique_ptr<TFontFace>> cache;
    const TFontStyles shape = font.Style() & (fsBold | fsItalic);
    TKey key{Lower(font.Name()), font.Height(), shape};
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    TFontFile file = ResolveFontFile(font.Name(), shape);
    auto face = std::make_unique<TFontFace>(file, font.Height(), shape);
    TFontFace& ref = *face;
    cache.emplace(key, std::move(face));
    return ref;
}
