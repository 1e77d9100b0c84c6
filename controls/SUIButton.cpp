#include "controls/SUIButton.h"

#include "controls/SUIOffscreen.h"
#include "controls/SUIPaint.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Accelerator.h"
#include "framework/ui/Timer.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>

const TEnumInfo TButtonLayoutInfo("TButtonLayout",
                                  {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});

namespace {

// Theme items the buttons read.
constexpr int kButtonImage = 1;
constexpr int kButtonTransparentBool = 2;
constexpr int kButtonFrames = 3;

// The grey and white of a disabled caption.
constexpr TColor kDisabledText = 0x808080;
constexpr TColor kDisabledShadow = 0xFFFFFF;

// Nothing but blanks and control characters (what trimming removes).
bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The events and ResHandle, which close every push button's published order.
void PublishEvents(TPropertyBuilder& p) {
    p.Inherited("OnClick")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseUp")
        .Inherited("OnKeyDown")
        .Inherited("OnKeyUp")
        .Inherited("OnKeyPress")
        .Inherited("OnMouseEnter")
        .Inherited("OnMouseExit")
        .Inherited("OnMouseContinuouslyDown")
        .Inherited("ResHandle");
}

} // namespace

// --- TsuiCustomButton ---

SSI_DEFINE_CLASS(TsuiCustomButton, TCustomControl)

void TsuiCustomButton::DeclarePublished(TPropertyBuilder& p) {
    // Visible and TabStop keep the control's slots.
    p.Inherited("ParentColor")
        .Default(1)
        .Inherited("PopupMenu")
        .Inherited("ParentFont")
        .Inherited("TabStop")
        .Default(1)
        .Inherited("OnEnter")
        .Inherited("OnExit");
    // Each descendant publishes these in an order of its own: a stored value
    // must come after the setters that derive it.
    using B = TsuiCustomButton;
    p.Protected()
        .Component("FileTheme", &B::FileTheme, &B::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &B::UIStyle, &B::SetUIStyle)
        .Boolean("Cancel", &B::Cancel, &B::SetCancel)
        .Default(0)
        .Boolean("Default", &B::Default, &B::SetDefault)
        .Default(0)
        .Boolean("Transparent", &B::Transparent, &B::SetTransparent)
        .Integer("ModalResult", &B::ModalResult, &B::SetModalResult)
        .Default(0)
        .Boolean("AutoSize", &B::AutoSize, &B::SetAutoSize)
        .Default(0)
        .Integer("FocusedRectMargin", &B::FocusedRectMargin, &B::SetFocusedRectMargin)
        .Integer("MouseContinuouslyDownInterval", &B::MouseContinuouslyDownInterval,
                 &B::SetMouseContinuouslyDownInterval)
        .Event("OnMouseEnter", &B::OnMouseEnter, &B::SetOnMouseEnter)
        .Event("OnMouseExit", &B::OnMouseExit, &B::SetOnMouseExit)
        .Event("OnMouseContinuouslyDown", &B::OnMouseContinuouslyDown,
               &B::SetOnMouseContinuouslyDown)
        .Integer("ResHandle", &B::ResHandle, &B::SetResHandle)
        .NotStored();
}

TsuiCustomButton::TsuiCustomButton(TComponent* owner)
    : TCustomControl(owner), FStyle(*this, [this] { StyleRefresh(); }) {
    // Every press is a click; a quick second press is no double click.
    SetControlStyle(ControlStyle() & ~(csDoubleClicks | csAcceptsControls));
    SetBounds(0, 0, 80, 27);
    SetTabStop(true);
    // The platform's controls take their parent's colour until given one.
    SetParentColor(true);
    FStyle.StartWithFormStyle();
}

TsuiCustomButton::~TsuiCustomButton() {
    StopRepeatTimer();
}

void TsuiCustomButton::StyleRefresh() {
    FFaceStripLoaded = false;
    UIStyleChanged();
    Invalidate();
}

void TsuiCustomButton::SetAutoSize(bool value) {
    FAutoSize = value;
    AutoSizeChanged();
    Invalidate();
}

void TsuiCustomButton::SetDefault(bool value) {
    FDefault = value;
    TCustomForm* form = ParentForm();
    if (HandleAllocated() && form != nullptr)
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(form->ActiveControl()));
}

void TsuiCustomButton::SetTransparent(bool value) {
    FTransparent = value;
    FFaceTransparent = value;
    TransparentChanged();
    Invalidate();
}

void TsuiCustomButton::SetFocusedRectMargin(int value) {
    FFocusedRectMargin = value;
    Invalidate();
}

void TsuiCustomButton::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    // A disabled button holds no press: its repeat timer must not go on.
    if (!value && (FPressed || FRepeatTimer != nullptr)) {
        FPressed = false;
        StopRepeatTimer();
    }
    EnabledChanged();
    Invalidate();
}

void TsuiCustomButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    FStyle.Notification(component, operation);
}

void TsuiCustomButton::CreateWnd() {
    TCustomControl::CreateWnd();
    FActiveDefault = FDefault;
}

void TsuiCustomButton::AutoSizeChanged() {
    if (!FAutoSize)
        return;
    // The built-in strip of the style itself: a file theme is not asked.
    TBitmap strip;
    GetThemeBitmap(UIStyle(), kButtonImage, &strip, 0, 0);
    int height = strip.Height() == 0 ? 21 : strip.Height();
    int width = strip.Width() == 0 ? 74 : strip.Width();
    SetBounds(Left(), Top(), width / kButtonFrames, height);
}

// --- Faces ---

void TsuiCustomButton::LoadFaceFrame(TBitmap& face, int frame) {
    // The look's lookups decode the strip each time; a paint only cuts it.
    if (!FFaceStripLoaded) {
        FFaceStrip.Clear();
        FStyle.GetBitmap(kButtonImage, FFaceStrip);
        FFaceStripLoaded = true;
    }
    CutFrame(FFaceStrip, face, kButtonFrames, frame);
}

void TsuiCustomButton::LoadNormalFace(TBitmap& face) {
    LoadFaceFrame(face, 1);
}

void TsuiCustomButton::LoadMouseOnFace(TBitmap& face) {
    LoadFaceFrame(face, 2);
}

void TsuiCustomButton::LoadMouseDownFace(TBitmap& face) {
    LoadFaceFrame(face, 3);
}

void TsuiCustomButton::LoadDisabledFace(TBitmap& face) {
    LoadFaceFrame(face, 1);
}

void TsuiCustomButton::SelectFace(TBitmap& face) {
    if (!DrawEnabled())
        LoadDisabledFace(face);
    else if (FPressed)
        LoadMouseDownFace(face);
    else if (FMouseOver)
        LoadMouseOnFace(face);
    else
        LoadNormalFace(face);
}

// --- Painting ---

void TsuiCustomButton::DrawTransparentBackground(TCanvas& canvas) {
    DrawSeeThrough(canvas, this, true);
}

void TsuiCustomButton::Paint() {
    // Set by this paint's focus mark only: a focused paint without a
    // caption must not leave the next caption bold.
    FBoldFocus = false;
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TBitmap face;
    try {
        SelectFace(face);
    } catch (const std::exception&) {
        face = TBitmap(74, 21);
    }
    face.SetTransparent(FFaceTransparent);

    TCanvas& c = buffer.Canvas();
    if (!FTransparent)
        FillSolid(c, Rect(0, 0, Width(), Height()), Color());
    else
        DrawTransparentBackground(c);
    DrawFace(c, face);
    if (Focused() && TabStop())
        DrawFocusMark(c);
    c.Font().Assign(FontRef());
    Canvas().Font().Assign(FontRef());
    if (!IsBlank(Caption()))
        DrawCaption(c, Caption());
    buffer.CopyToTarget();
}

void TsuiCustomButton::DrawFace(TCanvas& canvas, TBitmap& face) {
    if (face.Empty())
        return;
    TImageList list(face.Width(), face.Height());
    if (FFaceTransparent)
        list.AddMasked(face, face.Pixel(0, 0));
    else
        list.Add(face);
    list.Draw(canvas, 0, 0, 0, DrawEnabled());
}

void TsuiCustomButton::DrawCaption(TCanvas& canvas, const std::string& caption) {
    constexpr uint32_t kFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(FontRef());
    if (FBoldFocus)
        canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
    TRect r = ClientRect();
    if (!DrawEnabled()) {
        canvas.Font().SetColor(kDisabledShadow);
        TRect shadow = OffsetRect(r, 1, 1);
        DrawText(canvas, caption, shadow, kFlags);
        canvas.Font().SetColor(kDisabledText);
    } else if (FPressed) {
        r = OffsetRect(r, 1, 1);
    }
    DrawText(canvas, caption, r, kFlags);
    FBoldFocus = false;
}

void TsuiCustomButton::DrawFocusMark(TCanvas& canvas) {
    const int m = FFocusedRectMargin;
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.DrawFocusRect(Rect(m, m, ClientWidth() - m, ClientHeight() - m));
}

// --- Pointer and keys ---

void TsuiCustomButton::StartRepeatTimer() {
    if (FRepeatTimer != nullptr)
        return;
    FRepeatTimer = new TTimer(nullptr);
    FRepeatTimer->SetInterval(static_cast<uint32_t>(std::max(FMouseContinuouslyDownInterval, 0)));
    FRepeatTimer->SetOnTimer(TNotifyEvent(this, &TsuiCustomButton::RepeatTimerTick));
    FRepeatTimer->SetEnabled(true);
}

void TsuiCustomButton::StopRepeatTimer() {
    if (FRepeatTimer == nullptr)
        return;
    // The timer may be the one whose tick is running now: Free lets its
    // Fire see that it is gone.
    TTimer* timer = FRepeatTimer;
    FRepeatTimer = nullptr;
    timer->Free();
}

void TsuiCustomButton::RepeatTimerTick(TObject*) {
    FOnMouseContinuouslyDown(this);
}

void TsuiCustomButton::EndPress() {
    FMouseOver = false;
    FPressed = false;
    StopRepeatTimer();
    Invalidate();
}

void TsuiCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        FPressed = true;
        StartRepeatTimer();
        if (TabStop() && CanFocus() && Enabled() && Visible()) {
            try {
                SetFocus();
            } catch (const std::exception&) {
            }
        }
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomControl::MouseUp(button, shift, x, y);
    // A release that made no click (outside the button) ends the press as
    // well: the repeat timer runs only while the button is held.
    if (alive.Exists() && button == TMouseButton::mbLeft && (FPressed || FRepeatTimer != nullptr)) {
        FPressed = false;
        StopRepeatTimer();
        Invalidate();
    }
}

void TsuiCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomControl::MouseMove(shift, x, y);
    if (!alive.Exists())
        return;
    if (x < 0 || y < 0 || x > Width() || y > Height()) {
        FMouseOver = false;
        FPressed = false;
        Invalidate();
    }
}

void TsuiCustomButton::Click() {
    TComponentTracker alive(this);
    if (FPressed) {
        StopRepeatTimer();
        FPressed = false;
        Invalidate();
    }
    if (Parent() != nullptr)
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(FModalResult);
    if (alive.Exists())
        TCustomControl::Click();
}

void TsuiCustomButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_MOUSEENTER:
        if (!HasState(csDesigning)) {
            FMouseOver = true;
            Invalidate();
        }
        TCustomControl::WndProc(m);
        return;
    case CM_MOUSELEAVE: {
        TComponentTracker alive(this);
        EndPress();
        FOnMouseExit(this);
        if (alive.Exists())
            TCustomControl::WndProc(m);
        return;
    }
    case WM_KEYDOWN: {
        int key = static_cast<int>(m.WParam);
        if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
            FPressed = true;
            Invalidate();
        }
        break;
    }
    case WM_KEYUP: {
        int key = static_cast<int>(m.WParam);
        TComponentTracker alive(this);
        TCustomControl::WndProc(m);
        if (alive.Exists() && (key == VK_SPACE || key == VK_RETURN) && Focused() && FPressed &&
            Enabled()) {
            FPressed = false;
            Invalidate();
            Click();
        }
        return;
    }
    case CM_DIALOGCHAR:
        TCustomControl::WndProc(m);
        if (IsAccel(static_cast<int>(m.WParam), Caption()) && Enabled()) {
            Click();
            m.Result = 1;
        } else {
            m.Result = 0;
        }
        return;
    case CM_DIALOGKEY: {
        int key = static_cast<int>(m.WParam);
        bool plain = (static_cast<TShiftState>(m.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
        if (plain && ((key == VK_RETURN && FActiveDefault) || (key == VK_ESCAPE && FCancel)) &&
            CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    }
    case CM_FOCUSCHANGED: {
        // Enter clicks the focused TsuiButton, or the default button while
        // the focus is on something else.
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        if (auto* button = dynamic_cast<TsuiButton*>(focused))
            FActiveDefault = button == this;
        else
            FActiveDefault = FDefault;
        Invalidate();
        break;
    }
    case CM_TEXTCHANGED:
        CaptionChanged();
        Invalidate();
        break;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        Canvas().Font().Assign(FontRef());
        FontChanged();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// --- TsuiButton ---

SSI_DEFINE_CLASS(TsuiButton, TsuiCustomButton)

void TsuiButton::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle before Transparent, which the look sets.
    using B = TsuiButton;
    p.Inherited("FileTheme")
        .Inherited("UIStyle")
        .Inherited("Cancel")
        .Inherited("Default")
        .Inherited("Caption")
        .Inherited("Font")
        .Inherited("Transparent")
        .Inherited("ModalResult")
        .Inherited("AutoSize")
        .Inherited("FocusedRectMargin")
        .Object("Glyph", &B::Glyph, &B::SetGlyph)
        .Enum("Layout", TButtonLayoutInfo, &B::Layout, &B::SetLayout)
        .Default(0)
        .Integer("Spacing", &B::Spacing, &B::SetSpacing)
        .Inherited("MouseContinuouslyDownInterval");
    PublishEvents(p);
}

TsuiButton::TsuiButton(TComponent* owner) : TsuiCustomButton(owner) {
    FGlyph.OnChange = [this](TGraphic&) { Invalidate(); };
    // The base took the form's style before this class could follow it.
    SetUIStyle(UIStyle());
}

void TsuiButton::SetLayout(TButtonLayout value) {
    FLayout = value;
    Invalidate();
}

void TsuiButton::SetSpacing(int value) {
    FSpacing = value;
    Invalidate();
}

void TsuiButton::UIStyleChanged() {
    SetTransparent(Style().GetBool(kButtonTransparentBool));
}

void TsuiButton::DrawFace(TCanvas& canvas, TBitmap& face) {
    canvas.Font().Assign(FontRef());
    if (!face.Empty())
        DrawNineSlice(face, canvas, Rect(0, 0, Width(), Height()), FFaceTransparent);
    if (!FGlyph.Empty())
        DrawGlyph(canvas);
}

void TsuiButton::DrawGlyph(TCanvas& canvas) {
    const std::string& caption = Caption();
    const int tw = canvas.TextWidth(caption);
    const int th = canvas.TextHeight(caption);
    const int gh = FGlyph.Height();
    const bool twoFrames = FGlyph.Width() == 2 * gh;
    const int gw = twoFrames ? gh : FGlyph.Width();
    const int w = Width(), h = Height();
    int gx = 0, gy = 0;
    switch (FLayout) {
    case TButtonLayout::blGlyphLeft:
        gx = (w - gw - tw - FSpacing) / 2;
        gy = (h - gh) / 2;
        FCaptionX = gx + gw + FSpacing;
        FCaptionY = (h - th) / 2;
        break;
    case TButtonLayout::blGlyphRight:
        gx = (w + tw + FSpacing - gw) / 2;
        gy = (h - gh) / 2;
        FCaptionX = gx - tw - FSpacing;
        FCaptionY = (h - th) / 2;
        break;
    case TButtonLayout::blGlyphTop:
        gx = (w - gw) / 2;
        gy = (h - th - gh - FSpacing) / 2;
        FCaptionX = (w - tw) / 2;
        FCaptionY = gy + gh + FSpacing;
        break;
    case TButtonLayout::blGlyphBottom:
        gx = (w - gw) / 2;
        gy = (h + th + FSpacing - gh) / 2;
        FCaptionX = (w - tw) / 2;
        FCaptionY = gy - th - FSpacing;
        break;
    }
    if (Pressed()) {
        ++gx;
        ++gy;
    }
    TImageList list(gw, gh);
    list.AddMasked(FGlyph, FGlyph.Pixel(0, 0));
    if (twoFrames)
        list.Draw(canvas, gx, gy, DrawEnabled() ? 0 : 1, true);
    else
        list.Draw(canvas, gx, gy, 0, DrawEnabled());
}

void TsuiButton::DrawCaption(TCanvas& canvas, const std::string& caption) {
    if (FGlyph.Empty()) {
        TsuiCustomButton::DrawCaption(canvas, caption);
        return;
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(FontRef());
    int cx = FCaptionX, cy = FCaptionY;
    if (!DrawEnabled()) {
        canvas.Font().SetColor(kDisabledShadow);
        TRect shadow = Rect(cx + 1, cy + 1, Width(), Height());
        DrawText(canvas, caption, shadow, DT_SINGLELINE);
        canvas.Font().SetColor(kDisabledText);
    } else if (Pressed()) {
        ++cx;
        ++cy;
    }
    TRect r = Rect(cx, cy, Width(), Height());
    DrawText(canvas, caption, r, DT_SINGLELINE);
    FBoldFocus = false;
}

void TsuiButton::DrawFocusMark(TCanvas& canvas) {
    if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass) {
        FBoldFocus = true;
        return;
    }
    TsuiCustomButton::DrawFocusMark(canvas);
}

// --- TsuiImageButton ---

SSI_DEFINE_CLASS(TsuiImageButton, TsuiCustomButton)

void TsuiImageButton::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle with the getter of its own, and never stored: the pictures are
    // the look.
    using B = TsuiImageButton;
    p.Enum("UIStyle", TsuiUIStyleInfo(), &B::UIStyle, &B::SetUIStyle)
        .NotStored()
        .Boolean("DrawFocused", &B::DrawFocused, &B::SetDrawFocused)
        .Inherited("FocusedRectMargin")
        .Object("PicNormal", &B::PicNormal, &B::SetPicNormal)
        .Object("PicMouseOn", &B::PicMouseOn, &B::SetPicMouseOn)
        .Object("PicMouseDown", &B::PicMouseDown, &B::SetPicMouseDown)
        .Object("PicDisabled", &B::PicDisabled, &B::SetPicDisabled)
        .Boolean("Stretch", &B::Stretch, &B::SetStretch)
        .Inherited("Cancel")
        .Inherited("Default")
        .Inherited("MouseContinuouslyDownInterval")
        .Inherited("Caption")
        .Inherited("Font")
        .Inherited("Transparent")
        .Inherited("ModalResult")
        .Inherited("AutoSize");
    PublishEvents(p);
}

TsuiImageButton::TsuiImageButton(TComponent* owner) : TsuiCustomButton(owner) {
    // A picture read from a layout changes in place: it sizes the button as
    // a picture set through the property does.
    for (TPersistentPicture* picture : {&FPicNormal, &FPicMouseOn, &FPicMouseDown, &FPicDisabled})
        picture->OnChange = [this](TPicture&) {
            AutoSizeChanged();
            Invalidate();
        };
}

void TsuiImageButton::SetPicture(TPersistentPicture& picture, const TPersistentPicture& value) {
    picture.Assign(value);
}

void TsuiImageButton::SetPicNormal(const TPersistentPicture& value) {
    SetPicture(FPicNormal, value);
}

void TsuiImageButton::SetPicMouseOn(const TPersistentPicture& value) {
    SetPicture(FPicMouseOn, value);
}

void TsuiImageButton::SetPicMouseDown(const TPersistentPicture& value) {
    SetPicture(FPicMouseDown, value);
}

void TsuiImageButton::SetPicDisabled(const TPersistentPicture& value) {
    SetPicture(FPicDisabled, value);
}

void TsuiImageButton::SetStretch(bool value) {
    FStretch = value;
    Invalidate();
}

void TsuiImageButton::SetDrawFocused(bool value) {
    FDrawFocused = value;
    Invalidate();
}

void TsuiImageButton::AutoSizeChanged() {
    if (Parent() != nullptr && AutoSize() && FPicNormal.HasGraphic())
        SetBounds(Left(), Top(), FPicNormal.Width(), FPicNormal.Height());
}

void TsuiImageButton::LoadPicture(const TPicture& picture, TBitmap& face) const {
    const TPicture& source = picture.HasGraphic() ? picture : FPicNormal;
    const TGraphic* graphic = source.Graphic();
    if (graphic == nullptr)
        return;
    if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        face.Assign(*bitmap);
        return;
    }
    face.SetSize(graphic->Width(), graphic->Height());
    face.Canvas().Draw(0, 0, *graphic);
}

void TsuiImageButton::LoadNormalFace(TBitmap& face) {
    LoadPicture(FPicNormal, face);
}

void TsuiImageButton::LoadMouseOnFace(TBitmap& face) {
    LoadPicture(FPicMouseOn, face);
}

void TsuiImageButton::LoadMouseDownFace(TBitmap& face) {
    LoadPicture(FPicMouseDown, face);
}

void TsuiImageButton::LoadDisabledFace(TBitmap& face) {
    LoadPicture(FPicDisabled, face);
}

void TsuiImageButton::DrawFace(TCanvas& canvas, TBitmap& face) {
    if (face.Empty())
        return;
    bool transparent = face.Transparent();
    face.SetTransparentColor(face.Pixel(0, 0));
    face.SetTransparent(transparent);
    if (FStretch)
        canvas.StretchDraw(Rect(0, 0, Width(), Height()), face);
    else
        canvas.Draw(0, 0, face);
}

void TsuiImageButton::DrawFocusMark(TCanvas& canvas) {
    if (FDrawFocused)
        TsuiCustomButton::DrawFocusMark(canvas);
}

// --- TsuiToolBarSpeedButton ---

SSI_DEFINE_CLASS(TsuiToolBarSpeedButton, TCustomPanel)

void TsuiToolBarSpeedButton::DeclarePublished(TPropertyBuilder& p) {
    using B = TsuiToolBarSpeedButton;
    p.Object("Glyph", &B::Glyph, &B::SetGlyph).Inherited("Color").Inherited("OnClick");
}

TsuiToolBarSpeedButton::TsuiToolBarSpeedButton(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(TBevelCut::bvNone);
    SetBounds(0, 0, 18, 18);
}

void TsuiToolBarSpeedButton::SetGlyph(const TPersistentBitmap& value) {
    FGlyph.Assign(value);
}

void TsuiToolBarSpeedButton::Paint() {
    const int w = Width(), h = Height();
    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    FillSolid(c, Rect(0, 0, w, h), Color());
    if (!FGlyph.Empty()) {
        if (FMouseOver) {
            c.Brush().SetColor(clBlack);
            c.FrameRect(Rect(0, 0, w, h));
        }
        TBitmap glyph(FGlyph);
        glyph.SetTransparent(true);
        c.Draw(1, 1, glyph);
    }
    buffer.CopyToTarget();
}

void TsuiToolBarSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_MOUSEENTER:
        FMouseOver = true;
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        FMouseOver = false;
        Invalidate();
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(m);
}
