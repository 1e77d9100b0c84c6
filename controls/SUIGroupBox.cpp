#include "controls/SUIGroupBox.h"

#include "controls/SUIOffscreen.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <cstdlib>
#include <vector>

namespace {
constexpr int kControlBorderColor = 25;
constexpr int kControlFontColor = 27;
constexpr TColor kDisabledText = 0x808080;
} // namespace

SSI_DEFINE_CLASS(TsuiCustomGroupBox, TsuiCustomPanel)

void TsuiCustomGroupBox::DeclarePublished(TPropertyBuilder& p) {
    // Align, Enabled, TabOrder, TabStop and Visible keep the control's
    // slots; Color and the font after UIStyle, which sets their colours.
    using G = TsuiCustomGroupBox;
    p.Component("FileTheme", &G::FileTheme, &G::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &G::UIStyle, &G::SetUIStyle)
        .String("Caption", &G::Caption, &G::SetCaption)
        .Inherited("Color")
        .Stored(&G::ColorStored)
        .Inherited("Font")
        .Inherited("Transparent")
        .Inherited("ParentColor")
        .Default(1)
        .Inherited("ParentFont");
}

TsuiCustomGroupBox::TsuiCustomGroupBox(TComponent* owner)
    : TsuiCustomPanel(owner), FStyle(*this, [this] {
          ApplyUIStyle(FStyle.UIStyle(), FStyle.FileTheme());
          Invalidate();
      }) {
    SetBounds(Left(), Top(), 185, 105);
    TControl::SetCaption(" ");
    SetParentColor(true);
    FStyle.StartWithFormStyle();
}

void TsuiCustomGroupBox::Notification(TComponent* component, TOperation operation) {
    TsuiCustomPanel::Notification(component, operation);
    FStyle.Notification(component, operation);
}

bool TsuiCustomGroupBox::Loading() const {
    return HasState(csLoading) || (Owner() != nullptr && Owner()->HasState(csLoading));
}

int TsuiCustomGroupBox::FontPixelHeight() const {
    return std::abs(FontRef().Height());
}

int TsuiCustomGroupBox::FrameTop() const {
    return FontPixelHeight() / 2 + ClientRect().Top + 1;
}

void TsuiCustomGroupBox::SetBorderColor(TColor value) {
    FBorderColor = value;
    Invalidate();
}

void TsuiCustomGroupBox::SetCaption(const std::string& value) {
    FCaption = value;
    Invalidate();
}

void TsuiCustomGroupBox::SetEnabled(bool value) {
    TsuiCustomPanel::SetEnabled(value);
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetEnabled(value);
    Invalidate();
}

void TsuiCustomGroupBox::ApplyUIStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    ApplyStyleToChildren(this, style, fileTheme);
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) {
        SetBorderColor(fileTheme->GetColor(kControlBorderColor));
        Font()->SetColor(fileTheme->GetColor(kControlFontColor));
    } else {
        SetBorderColor(GetThemeColor(effective, kControlBorderColor));
        Font()->SetColor(GetThemeColor(effective, kControlFontColor));
    }
}

void TsuiCustomGroupBox::AdjustClientRect(TRect& rect) const {
    rect.Left += 3;
    rect.Right -= 3;
    rect.Bottom -= 3;
    rect.Top += FontPixelHeight() + 5;
}

void TsuiCustomGroupBox::Paint() {
    const TRect r = ClientRect();
    TsuiOffscreen buffer(Canvas(), r);
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    if (Transparent()) {
        PaintPanel(c);
    } else {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }

    // The frame: one line from just right of the top-left corner round the
    // box and back along the top edge, stopping short of the caption.
    c.Font().Assign(FontRef());
    const int y = FontPixelHeight() / 2 + r.Top + 1;
    const int captionEnd = FCaption.empty() ? r.Left : r.Left + c.TextWidth(FCaption) + 6;
    // The polyline (r.Left + 2, y) - (r.Left, y) - (r.Left, r.Bottom - 1) -
    // (r.Right - 1, r.Bottom - 1) - (r.Right - 1, y) - (captionEnd, y) with a
    // one-pixel pen, each segment without its end point, drawn as the
    // rectangles it covers.
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(FBorderColor);
    c.FillRect(Rect(r.Left + 1, y, r.Left + 3, y + 1));
    c.FillRect(Rect(r.Left, y, r.Left + 1, r.Bottom - 1));
    c.FillRect(Rect(r.Left, r.Bottom - 1, r.Right - 1, r.Bottom));
    c.FillRect(Rect(r.Right - 1, y + 1, r.Right, r.Bottom));
    if (captionEnd < r.Right - 1)
        c.FillRect(Rect(captionEnd + 1, y, r.Right, y + 1));
    else if (captionEnd > r.Right - 1)
        c.FillRect(Rect(r.Right - 1, y, captionEnd, y + 1)); // a caption wider than the box

    c.Font().Assign(FontRef());
    if (!IsEnabledInParents())
        c.Font().SetColor(kDisabledText);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.TextOut(5, 0, FCaption);
    buffer.CopyToTarget();
}

void TsuiCustomGroupBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_FONTCHANGED:
        TsuiCustomPanel::WndProc(m);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TsuiCustomPanel::WndProc(m);
}

SSI_DEFINE_CLASS(TsuiGroupBox, TsuiCustomGroupBox)

TsuiGroupBox::TsuiGroupBox(TComponent* owner) : TsuiCustomGroupBox(owner) {}
