#include "framework/ui/Label.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Menus.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"

const TEnumInfo TTextLayoutInfo("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});

SSI_DEFINE_CLASS(TLabel, TGraphicControl)

void TLabel::DeclarePublished(TPropertyBuilder& p) {
    p.Enum("Alignment", TAlignmentInfo, &TLabel::Alignment, &TLabel::SetAlignment)
        .Default(0)
        .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Default(1)
        .String("Caption", &TLabel::Caption, &TLabel::SetCaption)
        .Color("Color", &TLabel::Color, &TLabel::SetColor)
        .Default(clBtnFace)
        .Component("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
        .Object("Font", &TLabel::Font, &TLabel::SetFont)
        .Enum("Layout", TTextLayoutInfo, &TLabel::Layout, &TLabel::SetLayout)
        .Default(0)
        .Boolean("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor)
        .Default(1)
        .Boolean("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont)
        .Default(1)
        .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
        .Default(1)
        .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Default(0)
        .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
        .Default(0)
        .Component("PopupMenu", &TLabel::PopupMenu, &TLabel::SetPopupMenu)
        .Event("OnClick", &TLabel::OnClick, &TLabel::SetOnClick)
        .Event("OnDblClick", &TLabel::OnDblClick, &TLabel::SetOnDblClick)
        .Event("OnMouseDown", &TLabel::OnMouseDown, &TLabel::SetOnMouseDown)
        .Event("OnMouseMove", &TLabel::OnMouseMove, &TLabel::SetOnMouseMove)
        .Event("OnMouseUp", &TLabel::OnMouseUp, &TLabel::SetOnMouseUp);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value)
        return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetLayout(TTextLayout value) {
    if (layout_ == value)
        return;
    layout_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value)
        return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value)
        return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* value) {
    if (focusControl_ != nullptr)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

uint32_t TLabel::TextFlags() const {
    uint32_t flags = DT_LEFT;
    if (alignment_ == TAlignment::taCenter)
        flags = DT_CENTER;
    else if (alignment_ == TAlignment::taRightJustify)
        flags = DT_RIGHT;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || HasState(csLoading))
        return;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(FontRef());
    TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    std::string text = Caption();
    if (text.empty() || (showAccelChar_ && text.size() > 1 && text[0] == '&' && text[1] == 0))
        text = " "; // an empty label keeps the height of a line
    DrawText(c, text, r, TextFlags() | DT_CALCRECT);
    int left = Left();
    int width = wordWrap_ ? Width() : r.Width();
    if (!wordWrap_ && alignment_ == TAlignment::taRightJustify)
        left += Width() - width;
    else if (!wordWrap_ && alignment_ == TAlignment::taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, r.Height());
}

void TLabel::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().Assign(FontRef());
    if (!IsEnabledInParents())
        c.Font().SetColor(clGrayText);
    uint32_t flags = TextFlags();
    if (layout_ != TTextLayout::tlTop) {
        TRect calc = r;
        DrawText(c, Caption(), calc, flags | DT_CALCRECT);
        int offset = r.Height() - calc.Height();
        if (layout_ == TTextLayout::tlCenter)
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
        if (focusControl_ != nullptr && showAccelChar_ && IsEnabledInParents() &&
            focusControl_->CanFocus()) {
            // The label's accelerator moves the focus to its control.
            std::string caption = Caption();
            for (size_t i = 0; i + 1 < caption.size(); ++i) {
                if (caption[i] != '&')
                    continue;
                if (caption[i + 1] == '&') {
                    ++i;
                    continue;
                }
                if (std::toupper(static_cast<unsigned char>(caption[i + 1])) ==
                    std::toupper(static_cast<int>(m.WParam & 0xFF))) {
                    focusControl_->SetFocus();
                    m.Result = 1;
                }
                break;
            }
        }
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}
