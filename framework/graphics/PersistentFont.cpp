#include "framework/graphics/PersistentFont.h"

#include "framework/components/PropertyBuilder.h"

const TEnumInfo TFontStyleInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});

SSI_DEFINE_CLASS(TPersistentFont, TPersistent)

void TPersistentFont::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("Charset", &TPersistentFont::GetCharset, &TPersistentFont::PutCharset, kCharsetIdents)
        .Default(DEFAULT_CHARSET)
        .Color("Color", &TPersistentFont::GetColor, &TPersistentFont::PutColor)
        .Default(clWindowText)
        .Integer("Height", &TPersistentFont::GetHeight, &TPersistentFont::PutHeight)
        .String("Name", &TPersistentFont::GetName, &TPersistentFont::PutName)
        .Integer("Size", &TPersistentFont::GetSize, &TPersistentFont::PutSize)
        .NotStored()
        .SetOf("Style", TFontStyleInfo, &TPersistentFont::GetStyle, &TPersistentFont::PutStyle)
        .Default(0);
}

void TPersistentFont::Assign(const TPersistent& source) {
    if (auto* font = dynamic_cast<const TPersistentFont*>(&source)) {
        TFont::Assign(*font);
        return;
    }
    TPersistent::Assign(source);
}
