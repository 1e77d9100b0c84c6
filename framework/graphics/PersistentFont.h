#pragma once
// A font that layouts can store: the graphics layer's TFont with published
// properties (Charset, Color, Height, Name, Style), so a control's
// "Font.Name = 'Tahoma'" line reaches the real setter. Size is derived from
// Height and not stored, as the platform stores fonts.

#include "framework/components/Persistent.h"
#include "framework/components/TypeInfo.h"
#include "framework/graphics/Font.h"

extern const TEnumInfo TFontStyleInfo; // fsBold, fsItalic, fsUnderline, fsStrikeOut

class TPersistentFont : public TPersistent, public TFont {
    SSI_CLASS(TPersistentFont, TPersistent)
public:
    TPersistentFont() = default;
    static void DeclarePublished(TPropertyBuilder& p);

    void Assign(const TPersistent& source) override;
    void Assign(const TFont& source) { TFont::Assign(source); }
    void Assign(const TPersistentFont& source) { TFont::Assign(source); }

private:
    // The published accessors, as members of this class.
    int32_t GetCharset() const { return Charset(); }
    void PutCharset(int32_t v) { SetCharset(static_cast<uint8_t>(v)); }
    TColor GetColor() const { return Color(); }
    void PutColor(TColor v) { SetColor(v); }
    int32_t GetHeight() const { return Height(); }
    void PutHeight(int32_t v) { SetHeight(v); }
    std::string GetName() const { return Name(); }
    void PutName(const std::string& v) { SetName(v); }
    int32_t GetSize() const { return Size(); }
    void PutSize(int32_t v) { SetSize(v); }
    uint32_t GetStyle() const { return Style(); }
    void PutStyle(uint32_t v) { SetStyle(static_cast<TFontStyles>(v)); }
};
