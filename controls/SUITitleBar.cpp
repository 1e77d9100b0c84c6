#include "controls/SUITitleBar.h"

#include "controls/SUIForm.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Application.h"
#include "framework/ui/ErrorBox.h"
#include "framework/ui/Forms.h"
#include "platform/backend/Backend.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>

const TEnumInfo TsuiTitleBarBtnTypeInfo("TsuiTitleBarBtnType",
                                        {"suiMax", "suiMin", "suiClose", "suiHelp", "suiControlBox",
                                         "suiCustom"});
const TEnumInfo TsuiTitleBarAlignInfo("TsuiTitleBarAlign", {"suiLeft", "suiRight", "suiClient"});

namespace {

// Theme items the bar reads.
constexpr int kButtonImage = 5;
constexpr int kButtonTransparentBool = 6;
constexpr int kButtonLeftOffsetInt = 7;
constexpr int kButtonRightOffsetInt = 8;
constexpr int kButtonTopInt = 9;
constexpr int kLeftImage = 10;
constexpr int kClientImage = 11;
constexpr int kRightImage = 12;
constexpr int kFormMinWidthInt = 13;
constexpr int kFormRoundCornerInt = 14;
constexpr int kControlFontColor = 27;

// The button strip holds 18 frames: three for each type, in the order
// control box, help, maximise, restore, minimise, close.
constexpr int kButtonFrames = 18;

int FirstFrame(TsuiTitleBarBtnType type) {
    switch (type) {
    case TsuiTitleBarBtnType::suiControlBox:
        return 1;
    case TsuiTitleBarBtnType::suiHelp:
        return 4;
    case TsuiTitleBarBtnType::suiMax:
        return 7;
    case TsuiTitleBarBtnType::suiMin:
        return 13;
    case TsuiTitleBarBtnType::suiClose:
        return 16;
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
    return 0;
}
constexpr int kRestoreFrame = 10;

// A look as a button or the bar reads it: the file theme when the style
// asks for it, else the built-in style.
struct TLook {
    TsuiFileTheme* Theme;
    TsuiUIStyle Style;
    bool FromFile;
    TLook(TsuiFileTheme* theme, TsuiUIStyle style) : Theme(theme) {
        FromFile = UsingFileTheme(theme, style, Style);
    }
    bool Bool(int item) const {
        return FromFile ? Theme->GetBool(item) : GetThemeBool(Style, item);
    }
    int Int(int item) const { return FromFile ? Theme->GetInt(item) : GetThemeInt(Style, item); }
    void Bitmap(int item, TBitmap& bitmap, int frames = 0, int index = 0) const {
        if (!FromFile)
            GetThemeBitmap(Style, item, &bitmap, frames, index);
        else if (frames == 0)
            Theme->GetBitmap(item, bitmap);
        else
            Theme->GetBitmapFrame(item, bitmap, frames, index);
    }
};

// A button picture at (x, y), cut to `clip` (the normal picture's size),
// leaving out its bottom-left colour when `transparent`.
void DrawButtonPicture(TCanvas& canvas, const TPicture& picture, int x, int y, int clipWidth,
                       int clipHeight, bool transparent) {
    const TGraphic* graphic = picture.Graphic();
    if (graphic == nullptr || graphic->Empty())
        return;
    int w = std::min(graphic->Width(), clipWidth);
    int h = std::min(graphic->Height(), clipHeight);
    if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        TColor key = transparent ? bitmap->Pixel(0, bitmap->Height() - 1) : clNone;
        canvas.StretchBlt(Bounds(x, y, w, h), *bitmap, Rect(0, 0, w, h), key);
        return;
    }
    int state = canvas.SaveState();
    canvas.IntersectClipRect(Bounds(x, y, w, h));
    canvas.Draw(x, y, *graphic);
    canvas.RestoreState(state);
}

} // namespace

// --- TsuiTitleBarButton ---

SSI_DEFINE_CLASS(TsuiTitleBarButton, TCollectionItem)

void TsuiTitleBarButton::DeclarePublished(TPropertyBuilder& p) {
    using B = TsuiTitleBarButton;
    p.Enum("UIStyle", TsuiUIStyleInfo(), &B::UIStyle, &B::SetUIStyle)
        .Enum("ButtonType", TsuiTitleBarBtnTypeInfo, &B::ButtonType, &B::SetButtonType)
        .Boolean("Transparent", &B::Transparent, &B::SetTransparent)
        .Integer("Top", &B::Top, &B::SetTop)
        .Component("ControlBoxMenu", &B::ControlBoxMenu, &B::SetControlBoxMenu)
        .Boolean("Visible", &B::Visible, &B::SetVisible)
        .Object("PicNormal", &B::PicNormal, &B::SetPicNormal)
        .Object("PicMouseOn", &B::PicMouseOn, &B::SetPicMouseOn)
        .Object("PicMouseDown", &B::PicMouseDown, &B::SetPicMouseDown);
}

TsuiTitleBarButton::TsuiTitleBarButton(TCollection* collection) : TCollectionItem(collection) {
    auto repaint = [this](TPicture&) { Repaint(); };
    FPicNormal.OnChange = repaint;
    FPicMouseOn.OnChange = repaint;
    FPicMouseDown.OnChange = repaint;
}

TsuiTitleBar* TsuiTitleBarButton::TitleBar() const {
    auto* buttons = dynamic_cast<TsuiTitleBarButtons*>(Collection());
    return buttons != nullptr ? buttons->TitleBar() : nullptr;
}

void TsuiTitleBarButton::Repaint() {
    if (TsuiTitleBar* bar = TitleBar())
        bar->Invalidate();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle value) {
    FUIStyle = value;
    ReloadPictures();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType value) {
    if (value == TsuiTitleBarBtnType::suiControlBox && Collection() != nullptr) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TsuiTitleBarButton*>(Collection()->Item(i));
            if (other->FButtonType == TsuiTitleBarBtnType::suiControlBox) {
                MessageDlg("Sorry, only one button's ButtonType property can be \"suiControlBox\"",
                           TMsgBoxIcon::Error);
                return;
            }
        }
    }
    FButtonType = value;
    ReloadPictures();
    Repaint();
}

void TsuiTitleBarButton::SetTransparent(bool value) {
    FTransparent = value;
    Repaint();
}

void TsuiTitleBarButton::SetTop(int value) {
    FTop = value;
    Repaint();
}

void TsuiTitleBarButton::SetVisible(bool value) {
    FVisible = value;
    Repaint();
}

void TsuiTitleBarButton::LoadFrames(int first) {
    TsuiTitleBar* bar = TitleBar();
    TLook look(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    look.Bitmap(kButtonImage, FPicNormal.Bitmap(), kButtonFrames, first);
    look.Bitmap(kButtonImage, FPicMouseOn.Bitmap(), kButtonFrames, first + 1);
    look.Bitmap(kButtonImage, FPicMouseDown.Bitmap(), kButtonFrames, first + 2);
    FPicNormal.Bitmap().Modified();
    FPicMouseOn.Bitmap().Modified();
    FPicMouseDown.Bitmap().Modified();
}

void TsuiTitleBarButton::ReloadPictures() {
    TsuiTitleBar* bar = TitleBar();
    TLook look(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    FTransparent = look.Bool(kButtonTransparentBool);
    if (FButtonType == TsuiTitleBarBtnType::suiCustom)
        return;
    LoadFrames(FirstFrame(FButtonType));
    FTop = look.Int(kButtonTopInt);
    if (FButtonType == TsuiTitleBarBtnType::suiMax)
        UpdateMaxButtonPictures();
}

void TsuiTitleBarButton::UpdateMaxButtonPictures() {
    TsuiTitleBar* bar = TitleBar();
    if (FButtonType != TsuiTitleBarBtnType::suiMax || bar == nullptr || bar->Custom())
        return;
    TCustomForm* form = bar->HostForm();
    bool maximized = form != nullptr && form->WindowState() == TWindowState::wsMaximized;
    LoadFrames(maximized ? kRestoreFrame : FirstFrame(TsuiTitleBarBtnType::suiMax));
}

void TsuiTitleBarButton::Assign(const TPersistent& source) {
    auto* other = dynamic_cast<const TsuiTitleBarButton*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    SetVisible(other->FVisible);
    SetButtonType(other->FButtonType);
    SetTransparent(other->FTransparent);
    SetTop(other->FTop);
    SetUIStyle(other->FUIStyle);
    FPicNormal.Assign(other->FPicNormal);
    FPicMouseOn.Assign(other->FPicMouseOn);
    FPicMouseDown.Assign(other->FPicMouseDown);
    FControlBoxMenu = other->FControlBoxMenu;
}

// --- TsuiTitleBarSection ---

SSI_DEFINE_CLASS(TsuiTitleBarSection, TCollectionItem)

void TsuiTitleBarSection::DeclarePublished(TPropertyBuilder& p) {
    using S = TsuiTitleBarSection;
    p.Boolean("AutoSize", &S::AutoSize, &S::SetAutoSize)
        .Integer("Width", &S::Width, &S::SetWidth)
        .Enum("Align", TsuiTitleBarAlignInfo, &S::Align, &S::SetAlign)
        .Object("Picture", &S::Picture, &S::SetPicture)
        .Boolean("Stretch", &S::Stretch, &S::SetStretch);
}

TsuiTitleBarSection::TsuiTitleBarSection(TCollection* collection) : TCollectionItem(collection) {
    FPicture.OnChange = [this](TPicture&) { Repaint(); };
}

void TsuiTitleBarSection::Repaint() {
    if (auto* sections = dynamic_cast<TsuiTitleBarSections*>(Collection()))
        if (sections->TitleBar() != nullptr)
            sections->TitleBar()->Invalidate();
}

void TsuiTitleBarSection::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FPicture.HasGraphic())
        FWidth = FPicture.Width();
    Repaint();
}

void TsuiTitleBarSection::SetWidth(int value) {
    FWidth = value;
    Repaint();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign value) {
    if (value == TsuiTitleBarAlign::suiClient && Collection() != nullptr) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TsuiTitleBarSection*>(Collection()->Item(i));
            if (other->FAlign == TsuiTitleBarAlign::suiClient) {
                MessageDlg("Sorry, only one section's Align property can be \"suiClient\"",
                           TMsgBoxIcon::Error);
                return;
            }
        }
    }
    FAlign = value;
    if (value == TsuiTitleBarAlign::suiClient)
        FStretch = true;
    Repaint();
}

void TsuiTitleBarSection::SetPicture(const TPersistentPicture& value) {
    FPicture.Assign(value);
    if (FAutoSize)
        FWidth = FPicture.Width();
    Repaint();
}

void TsuiTitleBarSection::SetStretch(bool value) {
    FStretch = value || FAlign == TsuiTitleBarAlign::suiClient;
    Repaint();
}

void TsuiTitleBarSection::Assign(const TPersistent& source) {
    auto* other = dynamic_cast<const TsuiTitleBarSection*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    SetWidth(other->FWidth);
    SetAlign(other->FAlign);
    FPicture.Assign(other->FPicture);
    SetStretch(other->FStretch);
    SetAutoSize(other->FAutoSize);
}

// --- Collections ---

SSI_DEFINE_CLASS(TsuiTitleBarButtons, TCollection)

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar* titleBar)
    : TCollection(titleBar, TsuiTitleBarButton::StaticClassInfo(), FactoryOf<TsuiTitleBarButton>()),
      FTitleBar(titleBar) {}

TsuiTitleBarButton* TsuiTitleBarButtons::Items(int index) const {
    return static_cast<TsuiTitleBarButton*>(Item(index));
}

TsuiTitleBarButton* TsuiTitleBarButtons::AddButton() {
    return static_cast<TsuiTitleBarButton*>(Add());
}

void TsuiTitleBarButtons::Update(TCollectionItem*) {
    if (FTitleBar != nullptr)
        FTitleBar->Invalidate();
}

SSI_DEFINE_CLASS(TsuiTitleBarSections, TCollection)

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar* titleBar)
    : TCollection(titleBar, TsuiTitleBarSection::StaticClassInfo(),
                  FactoryOf<TsuiTitleBarSection>()),
      FTitleBar(titleBar) {}

TsuiTitleBarSection* TsuiTitleBarSections::Items(int index) const {
    return static_cast<TsuiTitleBarSection*>(Item(index));
}

TsuiTitleBarSection* TsuiTitleBarSections::AddSection() {
    return static_cast<TsuiTitleBarSection*>(Add());
}

void TsuiTitleBarSections::Update(TCollectionItem*) {
    if (FTitleBar != nullptr)
        FTitleBar->Invalidate();
}

// --- TsuiTitleBarPopupMenu ---

SSI_DEFINE_CLASS(TsuiTitleBarPopupMenu, TsuiPopupMenu)

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar* titleBar)
    : TsuiPopupMenu(owner), FTitleBar(titleBar) {
    auto add = [this](const char* caption, void (TsuiTitleBarPopupMenu::*click)(TObject*)) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        if (click != nullptr)
            item->SetOnClick(TNotifyEvent(this, click));
        Items()->Add(item);
        return item;
    };
    FMinimize = add("Mi&nimize", &TsuiTitleBarPopupMenu::MinimizeClick);
    FMaximize = add("Ma&ximize/Restore", &TsuiTitleBarPopupMenu::MaximizeClick);
    add("-", nullptr);
    FClose = add("&Close", &TsuiTitleBarPopupMenu::CloseClick);
}

void TsuiTitleBarPopupMenu::Popup(int x, int y) {
    bool min = false, max = false, close = false;
    if (FTitleBar != nullptr) {
        TsuiTitleBarButtons* buttons = FTitleBar->Buttons();
        for (int i = 0; i < buttons->Count(); ++i) {
            TsuiTitleBarButton* b = buttons->Items(i);
            if (!b->Visible())
                continue;
            min |= b->ButtonType() == TsuiTitleBarBtnType::suiMin;
            max |= b->ButtonType() == TsuiTitleBarBtnType::suiMax;
            close |= b->ButtonType() == TsuiTitleBarBtnType::suiClose;
        }
    }
    FMinimize->SetEnabled(min);
    FMaximize->SetEnabled(max);
    FClose->SetEnabled(close);
    TsuiPopupMenu::Popup(x, y);
}

void TsuiTitleBarPopupMenu::MinimizeClick(TObject*) {
    if (FTitleBar == nullptr || !ApplicationExists())
        return;
    TsuiTitleBarButtons* buttons = FTitleBar->Buttons();
    for (int i = 0; i < buttons->Count(); ++i)
        if (buttons->Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMin) {
            FTitleBar->ButtonAction(i);
            return;
        }
}

void TsuiTitleBarPopupMenu::MaximizeClick(TObject*) {
    if (FTitleBar == nullptr)
        return;
    TComponentTracker alive(FTitleBar);
    TsuiTitleBarButtons* buttons = FTitleBar->Buttons();
    for (int i = 0; alive.Exists() && i < buttons->Count(); ++i)
        if (buttons->Items(i)->Visible() &&
            buttons->Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
            FTitleBar->ButtonAction(i);
}

void TsuiTitleBarPopupMenu::CloseClick(TObject*) {
    if (FTitleBar != nullptr)
        if (TCustomForm* form = FTitleBar->HostForm())
            form->Close();
}

// --- TsuiTitleBar ---

SSI_DEFINE_CLASS(TsuiTitleBar, TCustomPanel)

void TsuiTitleBar::DeclarePublished(TPropertyBuilder& p) {
    using T = TsuiTitleBar;
    p.Boolean("Custom", &T::Custom, &T::SetCustom)
        .Component("FileTheme", &T::FileTheme, &T::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &T::UIStyle, &T::SetUIStyle)
        .Boolean("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Default(0)
        .Inherited("Height")
        .Object("Sections", &T::Sections, &T::SetSections)
        .Object("Buttons", &T::Buttons, &T::SetButtons)
        .Integer("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval)
        .Inherited("Caption")
        .Inherited("Font")
        .Boolean("FormActive", &T::FormActive, &T::SetFormActive)
        .Integer("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset)
        .Integer("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset)
        .Boolean("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon)
        .Integer("RoundCorner", &T::RoundCorner, &T::SetRoundCorner)
        .Event("OnCustomBtnsClick", &T::OnCustomBtnsClick, &T::SetOnCustomBtnsClick)
        .Event("OnHelpBtnClick", &T::OnHelpBtnClick, &T::SetOnHelpBtnClick)
        .Inherited("OnResize");
}

TsuiTitleBar::TsuiTitleBar(TComponent* owner)
    : TCustomPanel(owner), FStyle(*this, [this] { ApplyStyle(); }), FSections(this),
      FButtons(this) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    FWindowMenu = new TsuiTitleBarPopupMenu(this, this);
    for (TsuiTitleBarBtnType type :
         {TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
          TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin})
        FButtons.AddButton()->SetButtonType(type);
    SetBevelOuter(TBevelCut::bvNone);
    SetAlign(TAlign::alTop);
    SetParentFont(false);
    Font()->SetName("Tahoma");
    Font()->SetStyle(fsBold);
    Font()->SetColor(clWhite);
    FStyle.StartWithFormStyle();
}

TsuiTitleBar::~TsuiTitleBar() {
    // Buttons, then sections; the window menu goes with the components.
    FButtons.Clear();
    FSections.Clear();
}

TCustomForm* TsuiTitleBar::HostForm() const {
    return ParentForm();
}

bool TsuiTitleBar::Framed() const {
    return dynamic_cast<TsuiForm*>(Parent()) != nullptr;
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* value) {
    FKeepFontColor = true;
    try {
        FStyle.SetFileTheme(value);
    } catch (...) {
        FKeepFontColor = false;
        throw;
    }
    FKeepFontColor = false;
}

void TsuiTitleBar::ApplyStyle() {
    if (FCustom)
        return;
    TLook look(FStyle.FileTheme(), FStyle.UIStyle());
    FSections.BeginUpdate();
    FSections.Clear();
    TsuiTitleBarSection* left = FSections.AddSection();
    look.Bitmap(kLeftImage, left->Picture()->Bitmap());
    left->SetAutoSize(true);
    TsuiTitleBarSection* right = FSections.AddSection();
    look.Bitmap(kRightImage, right->Picture()->Bitmap());
    right->SetAutoSize(true);
    right->SetAlign(TsuiTitleBarAlign::suiRight);
    TsuiTitleBarSection* client = FSections.AddSection();
    look.Bitmap(kClientImage, client->Picture()->Bitmap());
    client->SetAlign(TsuiTitleBarAlign::suiClient);
    FSections.EndUpdate();

    FLeftBtnXOffset = look.Int(kButtonLeftOffsetInt);
    FRightBtnXOffset = look.Int(kButtonRightOffsetInt);
    TBitmap strip;
    look.Bitmap(kButtonImage, strip);
    FButtonHeight = strip.Height();
    FButtonTop = look.Int(kButtonTopInt) - FrameOffset();
    if (TCustomForm* form = HostForm())
        form->Constraints()->SetMinWidth(look.Int(kFormMinWidthInt));
    FRoundCorner = look.Int(kFormRoundCornerInt);

    TsuiUIStyle buttonStyle = look.FromFile ? TsuiUIStyle::FromThemeFile : look.Style;
    for (int i = 0; i < FButtons.Count(); ++i)
        FButtons.Items(i)->SetUIStyle(buttonStyle);
    FWindowMenu->SetUIStyle(look.Style);
    FWindowMenu->SetFileTheme(FStyle.FileTheme());

    if (!FKeepFontColor) {
        TColor color = clWhite;
        if (FStyle.UIStyle() == TsuiUIStyle::MacOS) {
            color = clBlack;
        } else if (look.FromFile) {
            int32_t v = look.Theme->GetColor(kControlFontColor);
            if (v == 0x10000 || v == 0x30000 || v == 0x40000 || v == 0x50000)
                color = clBlack;
        }
        Font()->SetColor(color);
    }
    SetAutoSize(true);
    Invalidate();
}

void TsuiTitleBar::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FSections.Count() == 0) {
        FAutoSize = false;
        return;
    }
    SetHeight(FSections.Items(0)->Picture()->Height() - FrameOffset());
}

void TsuiTitleBar::SetButtonInterval(int value) {
    FButtonInterval = value;
    Invalidate();
}

void TsuiTitleBar::SetFormActive(bool value) {
    FFormActive = value;
    Invalidate();
}

void TsuiTitleBar::SetLeftBtnXOffset(int value) {
    FLeftBtnXOffset = value;
    Invalidate();
}

void TsuiTitleBar::SetRightBtnXOffset(int value) {
    FRightBtnXOffset = value;
    Invalidate();
}

void TsuiTitleBar::SetDrawAppIcon(bool value) {
    FDrawAppIcon = value;
    Invalidate();
}

void TsuiTitleBar::UpdateMaxButtonPictures() {
    for (int i = 0; i < FButtons.Count(); ++i)
        FButtons.Items(i)->UpdateMaxButtonPictures();
}

void TsuiTitleBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr)
        for (int i = 0; i < FButtons.Count(); ++i)
            if (FButtons.Items(i)->ControlBoxMenu() == component)
                FButtons.Items(i)->SetControlBoxMenu(nullptr);
    FStyle.Notification(component, operation);
}

// --- Painting ---

void TsuiTitleBar::Paint() {
    TBitmap buffer(Width(), Height());
    TCanvas& c = buffer.Canvas();
    c.Brush().SetColor(Color());
    c.FillRect(Rect(0, 0, Width(), Height()));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().Assign(FontRef());
    DrawSections(c);
    DrawButtonsAndCaption(c);
    Canvas().Draw(0, 0, buffer);
}

void TsuiTitleBar::DrawSections(TCanvas& canvas) {
    const int d = -FrameOffset();
    int leftEnd = 0, rightStart = Width();
    if (FSections.Count() >= 1) {
        TPicture& left = *FSections.Items(0)->Picture();
        if (left.HasGraphic())
            canvas.Draw(d, d, *left.Graphic());
        leftEnd = left.Width() + d;
    }
    if (FSections.Count() >= 2) {
        TPicture& right = *FSections.Items(1)->Picture();
        rightStart = Width() - right.Width() - d;
        if (right.HasGraphic())
            canvas.Draw(rightStart, d, *right.Graphic());
    }
    if (FSections.Count() >= 3) {
        TPicture& middle = *FSections.Items(2)->Picture();
        if (middle.HasGraphic())
            canvas.StretchDraw(Rect(leftEnd, d, rightStart, d + middle.Height()),
                               *middle.Graphic());
    }
}

void TsuiTitleBar::DrawButtonsAndCaption(TCanvas& canvas) {
    TWsPoint cursor = WindowSystem().CursorPos();
    TPoint mouse = ScreenToClient(Point(cursor.X, cursor.Y));
    FHotButton = -1;

    auto place = [&](int index, int x) {
        TsuiTitleBarButton* b = FButtons.Items(index);
        int w = b->PicNormal()->Width(), h = b->PicNormal()->Height();
        TRect r = Rect(x, FButtonTop, x + w, FButtonTop + h);
        const TPicture* picture = b->PicNormal();
        if (PointInRect(mouse, r)) {
            FHotButton = index;
            picture = FPressed ? b->PicMouseDown() : b->PicMouseOn();
        }
        DrawButtonPicture(canvas, *picture, x, FButtonTop, w, h, b->Transparent());
    };

    int x = Width() + FRightBtnXOffset + 1;
    int controlBox = -1;
    for (int i = 0; i < FButtons.Count(); ++i) {
        TsuiTitleBarButton* b = FButtons.Items(i);
        if (!b->Visible())
            continue;
        if (b->ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
            controlBox = i;
            continue;
        }
        x -= b->PicNormal()->Width() + 1 + FButtonInterval;
        place(i, x);
    }

    int c = FLeftBtnXOffset;
    if (controlBox >= 0) {
        TsuiTitleBarButton* b = FButtons.Items(controlBox);
        int w = b->PicNormal()->Width();
        if (!FDrawAppIcon) {
            place(controlBox, c);
            c += w + 5;
        } else {
            if (PointInRect(mouse,
                            Rect(c, FButtonTop, c + w, FButtonTop + b->PicNormal()->Height())))
                FHotButton = controlBox;
            if (ApplicationExists()) {
                const TIcon& icon = Application().Icon();
                if (icon.ImageCount() > 0)
                    icon.Draw(canvas, Bounds(c + 3, FButtonTop, 16, 16));
            }
            c += 21;
        }
    }
    if (c == 0)
        c = 6;

    if (!FFormActive)
        canvas.Font().SetColor(clInactiveCaption);
    std::string caption = EndEllipsis(canvas, Caption(), x - c);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    int textHeight = canvas.TextHeight(caption);
    canvas.TextOut(c, (FButtonHeight - textHeight) / 2 + FButtonTop, caption);
}

// --- Input ---

void TsuiTitleBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_MOUSELEAVE:
        TCustomPanel::WndProc(m);
        Invalidate();
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        if (TCustomForm* form = HostForm()) {
            m.Result = SendMessage(form, m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(m);
}

void TsuiTitleBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    Invalidate();
}

void TsuiTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    FPressed = true;
    Repaint();
    TCustomForm* form = HostForm();
    if (form != nullptr && FHotButton == -1 && form->WindowState() != TWindowState::wsMaximized) {
        Application().SetCaptureControl(nullptr);
        SendMessage(form, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        FPressed = false;
    }
}

void TsuiTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomPanel::MouseUp(button, shift, x, y);
    if (!alive.Exists() || button != TMouseButton::mbLeft)
        return;
    // The button acted on is the one under the pointer now.
    Repaint();
    int hot = FHotButton;
    if (hot >= 0) {
        TsuiTitleBarButton* b = FButtons.Items(hot);
        TsuiTitleBarBtnType type = b->ButtonType();
        if (type == TsuiTitleBarBtnType::suiControlBox && b->ControlBoxMenu() == nullptr) {
            FPressed = false;
            PopupWindowMenu();
        } else {
            ButtonAction(hot);
            if (!alive.Exists())
                return;
            if (type == TsuiTitleBarBtnType::suiCustom && FOnCustomBtnsClick)
                FOnCustomBtnsClick(this, hot);
            else if (type == TsuiTitleBarBtnType::suiHelp && FOnHelpBtnClick)
                FOnHelpBtnClick(this, hot);
        }
        if (!alive.Exists())
            return;
    }
    FPressed = false;
    Invalidate();
}

void TsuiTitleBar::DblClick() {
    TComponentTracker alive(this);
    TCustomPanel::DblClick();
    if (!alive.Exists())
        return;
    if (FHotButton == -1) {
        for (int i = 0; i < FButtons.Count(); ++i)
            if (FButtons.Items(i)->Visible() &&
                FButtons.Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax) {
                ButtonAction(i);
                return;
            }
    } else if (FButtons.Items(FHotButton)->ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
        if (TCustomForm* form = HostForm())
            form->Close();
    }
}

void TsuiTitleBar::PopupWindowMenu() {
    TPoint p = ClientToScreen(Point(0, Height()));
    FWindowMenu->Popup(p.X, p.Y);
}

void TsuiTitleBar::ButtonAction(int index) {
    TCustomForm* form = HostForm();
    if (form == nullptr || index < 0 || index >= FButtons.Count())
        return;
    TsuiTitleBarButton* b = FButtons.Items(index);
    switch (b->ButtonType()) {
    case TsuiTitleBarBtnType::suiMax:
        if (form->WindowState() == TWindowState::wsMaximized) {
            form->SetWindowState(TWindowState::wsNormal);
        } else {
            form->SetWindowState(TWindowState::wsMaximized);
            if (!Framed()) {
                TRect area = GetScreenWorkArea();
                area.Bottom -= 1;
                SetFormBounds(form, area);
            }
        }
        UpdateMaxButtonPictures();
        break;
    case TsuiTitleBarBtnType::suiMin:
        if (ApplicationExists() && Application().MainForm() == form)
            SendMessage(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            form->SetWindowState(TWindowState::wsMinimized);
        break;
    case TsuiTitleBarBtnType::suiClose:
        form->Close();
        break;
    case TsuiTitleBarBtnType::suiControlBox:
        if (b->ControlBoxMenu() != nullptr) {
            TPoint p = ClientToScreen(Point(0, Height()));
            b->ControlBoxMenu()->Popup(p.X, p.Y);
        }
        break;
    default:
        break;
    }
}
