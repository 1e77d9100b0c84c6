#include "framework/ui/Panel.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Menus.h"

const TEnumInfo TBevelCutInfo("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
const TEnumInfo TBorderStyleInfo("TBorderStyle", {"bsNone", "bsSingle"});

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    for (int i = 0; i < width && !IsRectEmpty(rect); ++i) {
        canvas.Brush().SetColor(topLeft);
        canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1));
        canvas.FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1));
        canvas.Brush().SetColor(bottomRight);
        canvas.FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
        canvas.FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
        rect = InflateRect(rect, -1, -1);
    }
}

SSI_DEFINE_CLASS(TCustomPanel, TCustomControl)

void TCustomPanel::DeclarePublished(TPropertyBuilder& p) {
    // Published by TPanel; panels built on this class publish them in the
    // slots their own setters need.
    p.Protected()
        .Enum("Alignment", TAlignmentInfo, &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
        .Default(static_cast<int>(TAlignment::taCenter))
        .Enum("BevelInner", TBevelCutInfo, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
        .Default(0)
        .Enum("BevelOuter", TBevelCutInfo, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
        .Default(static_cast<int>(TBevelCut::bvRaised))
        .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
        .Default(1)
        .Enum("BorderStyle", TBorderStyleInfo, &TCustomPanel::BorderStyle,
              &TCustomPanel::SetBorderStyle)
        .Default(0);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (FAlignment == value)
        return;
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (FBevelInner == value)
        return;
    FBevelInner = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (FBevelOuter == value)
        return;
    FBevelOuter = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1)
        value = 1;
    if (FBevelWidth == value)
        return;
    FBevelWidth = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (FBorderStyle == value)
        return;
    FBorderStyle = value;
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
    int inset = 0;
    if (FBorderStyle == TBorderStyle::bsSingle)
        inset += 1;
    if (FBevelOuter != TBevelCut::bvNone)
        inset += FBevelWidth;
    if (FBevelInner != TBevelCut::bvNone)
        inset += FBevelWidth;
    rect = InflateRect(rect, -inset, -inset);
}

void TCustomPanel::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(r);
    if (FBorderStyle == TBorderStyle::bsSingle)
        Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        if (cut == TBevelCut::bvSpace) {
            r = InflateRect(r, -FBevelWidth, -FBevelWidth);
            return;
        }
        bool raised = cut == TBevelCut::bvRaised;
        Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                FBevelWidth);
    };
    bevel(FBevelOuter);
    bevel(FBevelInner);
    if (!Caption().empty()) {
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.Font().Assign(FontRef());
        uint32_t flags = DT_VCENTER | DT_SINGLELINE;
        if (FAlignment == TAlignment::taCenter)
            flags |= DT_CENTER;
        else if (FAlignment == TAlignment::taRightJustify)
            flags |= DT_RIGHT;
        DrawText(c, Caption(), r, flags);
    }
}

SSI_DEFINE_CLASS(TPanel, TCustomPanel)

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

void TPanel::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("BorderWidth")
        .Inherited("Alignment")
        .Inherited("BevelInner")
        .Inherited("BevelOuter")
        .Inherited("BevelWidth")
        .Inherited("BorderStyle")
        .Inherited("Caption")
        .Inherited("Color")
        .Inherited("Font")
        .Inherited("ParentColor")
        .Inherited("ParentFont")
        .Inherited("PopupMenu")
        .Inherited("OnClick")
        .Inherited("OnDblClick")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp")
        .Inherited("OnResize");
}
