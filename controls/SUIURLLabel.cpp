#include "controls/SUIURLLabel.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Menus.h"
#include "platform/window/Backend.h"

#include <algorithm>

SSI_DEFINE_CLASS(TsuiURLLabel, TLabel)

void TsuiURLLabel::DeclarePublished(TPropertyBuilder& p) {
    using L = TsuiURLLabel;
    p.String("Caption", &L::Caption, &L::SetCaption)
        .Boolean("AutoSize", &L::AutoSize, &L::SetAutoSize)
        .Default(1)
        .Color("Color", &L::Color, &L::SetColor)
        .Default(clBtnFace)
        .Boolean("Enabled", &L::Enabled, &L::SetEnabled)
        .Default(1)
        .Boolean("Transparent", &L::Transparent, &L::SetTransparent)
        .Default(0)
        .Boolean("Visible", &L::Visible, &L::SetVisible)
        .Default(1)
        .Boolean("WordWrap", &L::WordWrap, &L::SetWordWrap)
        .Default(0)
        .Component("PopupMenu", &L::PopupMenu, &L::SetPopupMenu)
        .Integer("Cursor", &L::Cursor, &L::SetCursor, kCursorIdents)
        .String("URL", &L::URL, &L::SetURL)
        .Color("FontHoverColor", &L::FontHoverColor, &L::SetFontHoverColor)
        .Color("FontLinkColor", &L::FontLinkColor, &L::SetFontLinkColor)
        .Object("Font", &L::Font, &L::SetFont)
        .Event("OnClick", &L::OnClick, &L::SetOnClick)
        .Event("OnMouseDown", &L::OnMouseDown, &L::SetOnMouseDown)
        .Event("OnMouseMove", &L::OnMouseMove, &L::SetOnMouseMove)
        .Event("OnMouseUp", &L::OnMouseUp, &L::SetOnMouseUp);
}

TsuiURLLabel::TsuiURLLabel(TComponent* owner) : TLabel(owner) {
    Font()->SetStyle(fsUnderline);
    Font()->SetColor(clBlue);
    SetCursor(crHandPoint);
    SetAutoSize(true);
    // What a label shows before its program gives it an address.
    SetCaption("Visit the screensaver's homepage");
    FURL = "https://example.org/";
}

void TsuiURLLabel::SetURL(const std::string& value) {
    if (value != FURL)
        FURL = value;
}

void TsuiURLLabel::SetFontLinkColor(TColor value) {
    FFontLinkColor = value;
    Font()->SetColor(value);
}

void TsuiURLLabel::Click() {
    // A blank address (nothing but blanks and control characters) opens
    // nothing; any other is handed over as written.
    if (!std::all_of(FURL.begin(), FURL.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
        WindowSystem().OpenURL(FURL);
    TLabel::Click();
}

void TsuiURLLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        Font()->SetColor(FFontHoverColor);
        break;
    case CM_MOUSELEAVE:
        Font()->SetColor(FFontLinkColor);
        break;
    default:
        break;
    }
    TLabel::WndProc(m);
}
