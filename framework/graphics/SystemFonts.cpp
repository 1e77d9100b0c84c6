#include "framework/graphics/SystemFonts.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "framework/base/SysUtils.h"

namespace {

// The part of fontconfig the lookup uses, bound at run time.
struct TFontconfig {
    void* Handle = nullptr;
    decltype(&FcInitLoadConfigAndFonts) InitLoadConfigAndFonts = nullptr;
    decltype(&FcPatternCreate) PatternCreate = nullptr;
    decltype(&FcPatternDestroy) PatternDestroy = nullptr;
    decltype(&FcPatternAddString) PatternAddString = nullptr;
    decltype(&FcPatternAddInteger) PatternAddInteger = nullptr;
    decltype(&FcPatternGetString) PatternGetString = nullptr;
    decltype(&FcPatternGetInteger) PatternGetInteger = nullptr;
    decltype(&FcPatternGetBool) PatternGetBool = nullptr;
    decltype(&FcPatternGetCharSet) PatternGetCharSet = nullptr;
    decltype(&FcConfigSubstitute) ConfigSubstitute = nullptr;
    decltype(&FcDefaultSubstitute) DefaultSubstitute = nullptr;
    decltype(&FcFontSort) FontSort = nullptr;
    decltype(&FcCharSetHasChar) CharSetHasChar = nullptr;
    FcConfig* Config = nullptr;

    bool Load() {
        Handle = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (Handle == nullptr)
            return false;
        bool ok = true;
        auto bind = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                dlsym(Handle, name));
            ok = ok && function != nullptr;
        };
        bind(InitLoadConfigAndFonts, "FcInitLoadConfigAndFonts");
        bind(PatternCreate, "FcPatternCreate");
        bind(PatternDestroy, "FcPatternDestroy");
        bind(PatternAddString, "FcPatternAddString");
        bind(PatternAddInteger, "FcPatternAddInteger");
        bind(PatternGetString, "FcPatternGetString");
        bind(PatternGetInteger, "FcPatternGetInteger");
        bind(PatternGetBool, "FcPatternGetBool");
        bind(PatternGetCharSet, "FcPatternGetCharSet");
        bind(ConfigSubstitute, "FcConfigSubstitute");
        bind(DefaultSubstitute, "FcDefaultSubstitute");
        bind(FontSort, "FcFontSort");
        bind(CharSetHasChar, "FcCharSetHasChar");
        if (ok)
            Config = InitLoadConfigAndFonts();
        return ok && Config != nullptr;
    }
};

TFontconfig* Fontconfig() {
    static TFontconfig* loaded = [] {
        static TFontconfig fc;
        return fc.Load() ? &fc : nullptr;
    }();
    return loaded;
}

// One candidate face; its character set belongs to the font set, which is
// kept for the life of the process.
struct TCandidate {
    TSystemFontFile File;
    FcCharSet* Characters = nullptr;
};

bool OpensWithOurFreeType(TFontconfig& fc, FcPattern* font) {
    FcChar8* format = nullptr;
    if (fc.PatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch)
        return false;
    const std::string kind = reinterpret_cast<const char*>(format);
    FcBool scalable = FcFalse;
    fc.PatternGetBool(font, FC_SCALABLE, 0, &scalable);
    return scalable && (kind == "TrueType" || kind == "CFF");
}

std::vector<TCandidate> Candidates(TFontconfig& fc, const std::string& family, bool bold,
                                   bool italic) {
    std::vector<TCandidate> out;
    FcPattern* pattern = fc.PatternCreate();
    if (pattern == nullptr)
        return out;
    fc.PatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    fc.PatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.PatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    fc.ConfigSubstitute(fc.Config, pattern, FcMatchPattern);
    fc.DefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    // Not trimmed: a face that adds nothing to the ones before it may still
    // be the only one with the right style for a character.
    FcFontSet* fonts = fc.FontSort(fc.Config, pattern, FcFalse, nullptr, &result);
    fc.PatternDestroy(pattern);
    if (fonts == nullptr)
        return out;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        FcChar8* file = nullptr;
        FcCharSet* characters = nullptr;
        if (fc.PatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            fc.PatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch ||
            !OpensWithOurFreeType(fc, font))
            continue;
        TCandidate c;
        c.File.Path = reinterpret_cast<const char*>(file);
        int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        fc.PatternGetInteger(font, FC_INDEX, 0, &index);
        fc.PatternGetInteger(font, FC_WEIGHT, 0, &weight);
        fc.PatternGetInteger(font, FC_SLANT, 0, &slant);
        c.File.Index = index;
        c.File.Bold = weight >= FC_WEIGHT_DEMIBOLD;
        c.File.Italic = slant != FC_SLANT_ROMAN;
        c.Characters = characters;
        out.push_back(std::move(c));
    }
    // The set stays: the candidates' character sets live in it.
    return out;
}

} // namespace

bool SystemFontsAvailable() {
    return Fontconfig() != nullptr;
}

TSystemFontFile FindSystemFont(const std::string& family, bool bold, bool italic,
                               char32_t codePoint) {
    TFontconfig* fc = Fontconfig();
    if (fc == nullptr)
        return TSystemFontFile{};
    using TStyleKey = std::tuple<std::string, bool, bool>;
    static std::map<TStyleKey, std::vector<TCandidate>> candidates;
    static std::map<std::tuple<std::string, bool, bool, char32_t>, TSystemFontFile> found;
    const std::string key = LowerCase(family);
    auto hit = found.find({key, bold, italic, codePoint});
    if (hit != found.end())
        return hit->second;
    auto list = candidates.find({key, bold, italic});
    if (list == candidates.end())
        list = candidates.emplace(TStyleKey{key, bold, italic}, Candidates(*fc, family, bold, italic))
                   .first;
    TSystemFontFile answer;
    for (const TCandidate& c : list->second)
        if (fc->CharSetHasChar(c.Characters, FcChar32(codePoint))) {
            answer = c.File;
            break;
        }
    found.emplace(std::make_tuple(key, bold, italic, codePoint), answer);
    return answer;
}
