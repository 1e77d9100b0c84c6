#include "framework/graphics/Font.h"

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
