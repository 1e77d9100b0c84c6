#pragma once
// TsuiURLLabel: an underlined link text that turns FontHoverColor while the
// pointer is over it (FontLinkColor otherwise), shows the hand pointer, and
// opens its URL with the system's default handler when clicked. It takes no
// look: no style or theme applies to it.

#include "framework/ui/Label.h"

#include <string>

class TsuiURLLabel : public TLabel {
    SSI_CLASS(TsuiURLLabel, TLabel)
public:
    explicit TsuiURLLabel(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // The address a click opens, as written (blanks included).
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& value);
    // Takes effect the next time the pointer enters.
    TColor FontHoverColor() const { return FFontHoverColor; }
    void SetFontHoverColor(TColor value) { FFontHoverColor = value; }
    // Becomes the font colour at once.
    TColor FontLinkColor() const { return FFontLinkColor; }
    void SetFontLinkColor(TColor value);

    // Opens URL unless it is blank, then OnClick.
    void Click() override;

protected:
    void WndProc(TMessage& message) override;

private:
    std::string FURL;
    TColor FFontHoverColor = clRed;
    TColor FFontLinkColor = clBlue;
};
