#include "framework/graphics/Font.h"

#include "framework/components/TypeInfo.h"

#include <cstdlib>

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0)
        return -1;
    int64_t p = int64_t(a) * b;
    int64_t q = (std::llabs(p) + std::llabs(int64_t(c)) / 2) / std::llabs(int64_t(c));
    return int32_t(((p < 0) != (c < 0)) ? -q : q);
}

void TFont::SetName(const std::string& value) {
    if (value == FName)
        return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int32_t value) {
    if (value == FHeight)
        return;
    FHeight = value;
    Changed();
}

int32_t TFont::Size() const {
    return -MulDiv(FHeight, 72, kScreenPixelsPerInch);
}

void TFont::SetSize(int32_t points) {
    SetHeight(-MulDiv(points, kScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(uint8_t value) {
    if (value == FCharset)
        return;
    FCharset = value;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (SameAs(other))
        return;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    FCharset = other.FCharset;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset;
}

void TFont::Changed() {
    if (OnChange)
        OnChange(*this);
}

void AssignSystemMenuFont(TFont& font) {
    TFont menu;
    menu.SetName("Tahoma");
    menu.SetHeight(-11);
    menu.SetColor(clMenuText);
    menu.SetCharset(DEFAULT_CHARSET);
    font.Assign(menu);
}

namespace {
// Layouts name the character sets (Font.Charset = DEFAULT_CHARSET). This
// unit is part of every program that draws text, so the names are there.
const bool charsetIdents = [] {
    RegisterIntegerIdents(kCharsetIdents, {{"ANSI_CHARSET", ANSI_CHARSET},
                                           {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                           {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                           {"MAC_CHARSET", 77},
                                           {"SHIFTJIS_CHARSET", 128},
                                           {"HANGEUL_CHARSET", 129},
                                           {"JOHAB_CHARSET", 130},
                                           {"GB2312_CHARSET", 134},
                                           {"CHINESEBIG5_CHARSET", 136},
                                           {"GREEK_CHARSET", 161},
                                           {"TURKISH_CHARSET", 162},
                                           {"VIETNAMESE_CHARSET", 163},
                                           {"HEBREW_CHARSET", 177},
                                           {"ARABIC_CHARSET", 178},
                                           {"BALTIC_CHARSET", 186},
                                           {"RUSSIAN_CHARSET", 204},
                                           {"THAI_CHARSET", 222},
                                           {"EASTEUROPE_CHARSET", 238},
                                           {"OEM_CHARSET", 255}});
    return true;
}();
} // namespace
