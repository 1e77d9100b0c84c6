#include "framework/ui/Label.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Accelerator.h"
#include "framework/ui/Menus.h"

const TEnumInfo TTextLayoutInfo("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});

SSI_DEFINE_CLASS(TLabel, TGraphicControl)

void TLabel::DeclarePublished(TPropertyBuilder& p) {
    p.Enum("Alignment", TAlignmentInfo, &TLabel::Alignment, &TLabel::SetAlignment)
        .Default(0)
        .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Default(1)
        .Inherited("Caption")
        .Inherited("Color")
        .Component("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
        .Inherited("Font")
        .Enum("Layout", TTextLayoutInfo, &TLabel::Layout, &TLabel::SetLayout)
        .Default(0)
        .Inherited("ParentColor")
        .Default(1)
        .Inherited("ParentFont")
        .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
        .Default(1)
        .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Default(0)
        .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
        .Default(0)
        .Inherited("PopupMenu")
        .Inherited("OnClick")
        .Inherited("OnDblClick")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp");
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment value) {
    if (FAlignment == value)
        return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (FAutoSize == value)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetLayout(TTextLayout value) {
    if (FLayout == value)
        return;
    FLayout = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (FWordWrap == value)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (FTransparent == value)
        return;
    FTransparent = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    if (FShowAccelChar == value)
        return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* value) {
    if (FFocusControl != nullptr)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl)
        FFocusControl = nullptr;
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

uint32_t TLabel::TextFlags() const {
    uint32_t flags = DT_LEFT;
    if (FAlignment == TAlignment::taCenter)
        flags = DT_CENTER;
    else if (FAlignment == TAlignment::taRightJustify)
        flags = DT_RIGHT;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading))
        return;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(FontRef());
    TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
    std::string text = Caption();
    if (text.empty() || (FShowAccelChar && text.size() > 1 && text[0] == '&' && text[1] == 0))
        text.assign(1, ' '); // an empty label keeps the height of a line
    DrawText(c, text, r, TextFlags() | DT_CALCRECT);
    int left = Left();
    int width = FWordWrap ? Width() : r.Width();
    if (!FWordWrap && FAlignment == TAlignment::taRightJustify)
        left += Width() - width;
    else if (!FWordWrap && FAlignment == TAlignment::taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, r.Height());
}

void TLabel::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().Assign(FontRef());
    if (!IsEnabledInParents())
        c.Font().SetColor(clGrayText);
    uint32_t flags = TextFlags();
    if (FLayout != TTextLayout::tlTop) {
        TRect calc = r;
        DrawText(c, Caption(), calc, flags | DT_CALCRECT);
        int offset = r.Height() - calc.Height();
        if (FLayout == TTextLayout::tlCenter)
            offset /= 2;
        r.Top += offset;
    }
    DrawText(c, Caption(), r, flags);
}

void TLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(m);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl != nullptr && FShowAccelChar && IsEnabledInParents() &&
            FFocusControl->CanFocus()) {
            // The label's accelerator moves the focus to its control.
            if (IsAccel(static_cast<int>(m.WParam), Caption())) {
                FFocusControl->SetFocus();
                m.Result = 1;
            }
        }
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}
