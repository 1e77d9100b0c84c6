#pragma once
// A logical font as the framework's controls describe it: family name, height
// in pixels (negative: character height, the way sizes in points turn into
// pixels at 96 DPI; positive: cell height), style, colour and character set.
// Its owner learns of every change through OnChange.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/Colors.h"

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;
// The integer-identifier type under which layouts name character sets.
inline constexpr const char* kCharsetIdents = "TFontCharset";

// Pixels per logical inch of the screen the framework draws for.
constexpr int32_t kScreenPixelsPerInch = 96;

class TFont {
public:
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t value);
    // Points: -Height * 72 / 96, rounded; setting 8 gives Height -11.
    int32_t Size() const;
    void SetSize(int32_t points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t value);

    // Copies every attribute (one change notification).
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    std::function<void(TFont&)> OnChange;

private:
    void Changed();

    std::string FName = "MS Sans Serif";
    int32_t FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    uint8_t FCharset = DEFAULT_CHARSET;
};

// Rounded a * b / c, halves away from zero, as the platform's MulDiv.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// The font the platform uses for menus (its non-client metrics): 8-point
// Tahoma in the menu-text system colour.
void AssignSystemMenuFont(TFont& font);
