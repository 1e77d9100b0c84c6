#include "controls/SUIURLLabel.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Menus.h"
#include "platform/backend/Backend.h"

#include <algorithm>

SSI_DEFINE_CLASS(TsuiURLLabel, TLabel)

void TsuiURLLabel::DeclarePublished(TPropertyBuilder& p) {
    // The label's own properties keep their slots.
    using L = TsuiURLLabel;
    p.String("URL", &L::URL, &L::SetURL)
        .Color("FontHoverColor", &L::FontHoverColor, &L::SetFontHoverColor)
        .Color("FontLinkColor", &L::FontLinkColor, &L::SetFontLinkColor);
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
