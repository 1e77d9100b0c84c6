#include "controls/SUIImagePanel.h"

#include "controls/SUIOffscreen.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Menus.h"
#include "skin/SUIPublic.h"

#include <algorithm>

const TEnumInfo TsuiDrawStyleInfo("TsuiDrawStyle", {"suiNormal", "suiStretch", "suiTile"});

// --- TsuiCustomPanel ---

SSI_DEFINE_CLASS(TsuiCustomPanel, TCustomPanel)

void TsuiCustomPanel::DeclarePublished(TPropertyBuilder& p) {
    // Published by the image panel; the group boxes publish Transparent.
    using P = TsuiCustomPanel;
    p.Protected()
        .Object("Picture", &P::Picture, &P::SetPicture)
        .Boolean("Transparent", &P::Transparent, &P::SetTransparent)
        .Default(0)
        .Boolean("AutoSize", &P::AutoSize, &P::SetAutoSize)
        .Enum("DrawStyle", TsuiDrawStyleInfo, &P::DrawStyle, &P::SetDrawStyle);
}

TsuiCustomPanel::TsuiCustomPanel(TComponent* owner) : TCustomPanel(owner) {
    FPicture.OnChange = [this](TPicture&) { PictureChanged(); };
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    Invalidate();
}

void TsuiCustomPanel::SetPicture(const TPersistentPicture& value) {
    FPicture.Assign(value);
    FillBackground();
    Invalidate();
}

void TsuiCustomPanel::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FPicture.HasGraphic())
        ApplyAutoSize();
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle value) {
    FDrawStyle = value;
    FillBackground();
    Invalidate();
}

void TsuiCustomPanel::SetTransparent(bool value) {
    FTransparent = value;
    if (FPicture.HasGraphic())
        MirrorTransparency();
    Invalidate();
}

void TsuiCustomPanel::FillBackground() {
    // Panels here always sit on a control, never on a bare window, so
    // there is nothing to fill at once.
    Canvas().Brush().SetColor(Color());
}

void TsuiCustomPanel::PictureChanged() {
    if (FPicture.HasGraphic()) {
        if (FAutoSize)
            ApplyAutoSize();
        MirrorTransparency();
    }
    FillBackground();
    Invalidate();
}

void TsuiCustomPanel::ApplyAutoSize() {
    if (!FAutoSize)
        return;
    const TAlign align = Align();
    if (align != TAlign::alTop && align != TAlign::alBottom && align != TAlign::alClient)
        SetWidth(FPicture.Width());
    if (align != TAlign::alLeft && align != TAlign::alRight && align != TAlign::alClient)
        SetHeight(FPicture.Height());
}

void TsuiCustomPanel::MirrorTransparency() {
    TGraphic* graphic = FPicture.Graphic();
    if (graphic != nullptr && graphic->Transparent() != FTransparent)
        graphic->SetTransparent(FTransparent);
}

void TsuiCustomPanel::PaintPanel(TCanvas& c) {
    const TRect client = ClientRect();
    if (FTransparent) {
        DrawParentBackground(c, this);
    } else {
        // Also what a picture at its own size leaves uncovered.
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(client);
    }
    if (const TGraphic* graphic = FPicture.Graphic()) {
        switch (FDrawStyle) {
        case TsuiDrawStyle::suiStretch:
            c.StretchDraw(client, *graphic);
            break;
        case TsuiDrawStyle::suiTile:
            TilePicture(c, FPicture, client);
            break;
        case TsuiDrawStyle::suiNormal:
            c.Draw(0, 0, *graphic);
            break;
        }
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    const std::string& caption = Caption();
    if (!std::all_of(caption.begin(), caption.end(),
                     [](char ch) { return static_cast<unsigned char>(ch) <= ' '; })) {
        c.Font().Assign(FontRef());
        uint32_t flags = DT_SINGLELINE | DT_VCENTER;
        if (Alignment() == TAlignment::taCenter)
            flags |= DT_CENTER;
        else if (Alignment() == TAlignment::taRightJustify)
            flags |= DT_RIGHT;
        TRect r = client;
        DrawText(c, caption, r, flags);
        FCaptionRect = client;
    }
}

void TsuiCustomPanel::Paint() {
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    PaintPanel(buffer.Canvas());
    buffer.CopyToTarget();
}

void TsuiCustomPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_SIZE:
        TCustomPanel::WndProc(m);
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        CaptionAreaChanged(FCaptionRect);
        Invalidate();
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(m);
}

// --- TsuiImagePanel ---

SSI_DEFINE_CLASS(TsuiImagePanel, TsuiCustomPanel)

void TsuiImagePanel::DeclarePublished(TPropertyBuilder& p) {
    // Align, TabStop, TabOrder and Visible keep the control's slots.
    p.Inherited("BorderWidth")
        .Inherited("Picture")
        .Inherited("Transparent")
        .Inherited("AutoSize")
        .Inherited("Alignment")
        .Inherited("Font")
        .Inherited("Caption")
        .Inherited("Color")
        .Inherited("DrawStyle")
        .Inherited("PopupMenu")
        .Inherited("OnClick")
        .Inherited("OnDblClick")
        .Inherited("OnEnter")
        .Inherited("OnExit")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp")
        .Inherited("OnResize");
}

TsuiImagePanel::TsuiImagePanel(TComponent* owner) : TsuiCustomPanel(owner) {}
