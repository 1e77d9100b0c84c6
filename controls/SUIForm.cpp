#include "controls/SUIForm.h"

#include "controls/SUIMainMenu.h"
#include "controls/SUIOffscreen.h"
#include "controls/SUIPaint.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "framework/ui/Application.h"
#include "framework/ui/ErrorBox.h"
#include "framework/ui/Forms.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>

namespace {

// Theme items the form reads.
constexpr int kFormRoundCornerInt = 14;
constexpr int kFormBackgroundColor = 15;
constexpr int kFormBorderColor = 16;
constexpr int kFormBorderWidthInt = 17;
constexpr int kControlFontColor = 27;

// The system frame around a bordered form's client area.
constexpr int kFrame = 3;

// Counts WM_SIZE messages of hosts that started maximised while they stay
// maximised, and tells whether a maximised MDI child's contents are
// scrolled up; shared by every skinned form, as the frame reactions expect.
int gMaximizedSizeCount = 0;
bool gScrolled = false;

} // namespace

SSI_DEFINE_CLASS(TsuiForm, TCustomPanel)

void TsuiForm::DeclarePublished(TPropertyBuilder& p) {
    using F = TsuiForm;
    p.Boolean("TitleBarCustom", &F::TitleBarCustom, &F::SetTitleBarCustom)
        .Component("FileTheme", &F::FileTheme, &F::SetFileTheme)
        .Enum("UIStyle", TsuiUIStyleInfo(), &F::UIStyle, &F::SetUIStyle)
        .Boolean("UIStyleAutoUpdateSub", &F::UIStyleAutoUpdateSub, &F::SetUIStyleAutoUpdateSub)
        .Color("BorderColor", &F::BorderColor, &F::SetBorderColor)
        .Integer("BorderWidth", &F::BorderWidth, &F::SetBorderWidth)
        .Boolean("TitleBarVisible", &F::TitleBarVisible, &F::SetTitleBarVisible)
        .Default(1)
        .Inherited("Color")
        .String("Caption", &F::Caption, &F::SetCaption)
        .Component("FormPanel", &F::FormPanel, &F::SetFormPanel)
        .Object("TitleBarButtons", &F::TitleBarButtons, &F::SetTitleBarButtons)
        .Object("TitleBarSections", &F::TitleBarSections, &F::SetTitleBarSections)
        .Boolean("TitleBarDrawAppIcon", &F::TitleBarDrawAppIcon, &F::SetTitleBarDrawAppIcon)
        .Object("Font", &F::Font, &F::SetFont)
        .Component("Menu", &F::Menu, &F::SetMenu)
        .Color("MenuBarColor", &F::MenuBarColor, &F::SetMenuBarColor)
        .Integer("MenuBarHeight", &F::MenuBarHeight, &F::SetMenuBarHeight)
        .Integer("RoundCorner", &F::RoundCorner, &F::SetRoundCorner)
        .Inherited("PopupMenu")
        .String("Version", &F::Version, &F::SetVersion)
        .Event("OnTitleBarCustomBtnsClick", &F::OnTitleBarCustomBtnsClick,
               &F::SetOnTitleBarCustomBtnsClick)
        .Event("OnTitleBarHelpBtnClick", &F::OnTitleBarHelpBtnClick, &F::SetOnTitleBarHelpBtnClick)
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnClick")
        .Inherited("OnMouseUp");
}

TsuiForm::TsuiForm(TComponent* owner)
    : TCustomPanel(owner), FStyle(*this, [this] { ApplyStyle(); }),
      FMenuBar(*this, FStyle, [this] { MenuBarFreed(); }) {
    auto* host = dynamic_cast<TCustomForm*>(owner);
    if (host == nullptr)
        return;
    for (int i = 0; i < host->ControlCount(); ++i)
        if (dynamic_cast<TsuiForm*>(host->Controls(i)) != nullptr)
            throw Exception("Sorry, You can create only one TsuiForm component in one form!");
    FHost = host;

    host->Constraints()->SetMinHeight(50);
    host->Constraints()->SetMinWidth(125);
    host->TWinControl::SetBorderWidth(0);
    FHostBounds = host->BoundsRect();
    FStartedMaximized = host->WindowState() == TWindowState::wsMaximized;

    SetParent(host);
    FTitleBar = new TsuiTitleBar(this);
    FTitleBar->SetParent(this);
    FMenuBar.SetColor(Color());
    FMenuBar.SetHeight(22);

    SetUIStyle(TsuiUIStyle::DeepBlue);
    FUIStyleAutoUpdateSub = false;

    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetBorderStyle(TBorderStyle::bsNone);
    SetAlign(TAlign::alClient);
    TControl::SetCaption(" ");

    SetCaption(host->TControl::Caption());
    SetTitleBarVisible(true);

    host->SetScaled(false);
    switch (host->BorderStyle()) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        host->SetBorderStyle(TFormBorderStyle::bsDialog);
        break;
    default:
        break;
    }
    host->SetWindowStyle(host->WindowStyle() & ~WS_CAPTION);
    host->SetAutoScroll(false);

    FPreviousWndProc = host->WindowProc();
    host->SetWindowProc([this](TMessage& m) { HostWndProc(m); });
    if (!Application().OnMessage()) {
        Application().SetOnMessage(
            [this](TMessage& m, bool& handled) { ApplicationMessage(m, handled); });
        FInstalledAppHandler = true;
    }
    host->FrameChanged();
}

TsuiForm::~TsuiForm() {
    ReleaseHost();
    FMenuBar.FreeBar();
    if (FTitleBar != nullptr) {
        TsuiTitleBar* bar = FTitleBar;
        FTitleBar = nullptr;
        bar->Free();
    }
}

void TsuiForm::BeforeDestruction() {
    ReleaseHost();
    TCustomPanel::BeforeDestruction();
}

// Gives the host back what the take-over took: its message handling, its
// caption and the application's message handler. A host that is being
// destroyed itself is left alone.
void TsuiForm::ReleaseHost() {
    if (FClosing)
        return;
    FClosing = true;
    if (auto* menu = dynamic_cast<TsuiMainMenu*>(Menu()))
        if (menu->MenuBar() == &FMenuBar)
            menu->SetMenuBar(nullptr);
    if (FHost != nullptr && !FHost->HasState(csDestroying)) {
        FHost->SetWindowProc(FPreviousWndProc);
        if (FHost->HandleAllocated()) {
            FHost->SetWindowStyle(FHost->WindowStyle() | WS_CAPTION);
            FHost->FrameChanged();
        }
    }
    if (FInstalledAppHandler && ApplicationExists())
        Application().SetOnMessage(nullptr);
    FInstalledAppHandler = false;
}

// The host while it is itself: once its destruction has begun its members
// are gone, and whatever reaches this form then (removal notifications of
// the components it destroys) must leave it alone.
TCustomForm* TsuiForm::Host() const {
    return FHost != nullptr && !FHost->HasState(csDestroying) ? FHost : nullptr;
}

// --- Style ---

void TsuiForm::SetFileTheme(TsuiFileTheme* value) {
    if (value == FStyle.FileTheme())
        return;
    FStyle.SetFileTheme(value);
}

void TsuiForm::ApplyStyle() {
    TRect hostBounds = Host() != nullptr ? Host()->BoundsRect() : TRect{};
    TsuiUIStyle style = FStyle.UIStyle();
    if (FStyle.UsesFileTheme()) {
        TsuiFileTheme* theme = FStyle.FileTheme();
        FBorderColor = theme->GetColor(kFormBorderColor);
        FBorderWidth = theme->GetInt(kFormBorderWidthInt);
        SetColor(theme->GetColor(kFormBackgroundColor));
        if (TToolBar* menuBar = FMenuBar.ToolBar()) {
            // Only the bar shown takes the theme's two blues: MenuBarColor
            // keeps its value.
            int32_t fontColor = theme->GetColor(kControlFontColor);
            if (fontColor == 0x20000)
                menuBar->SetColor(0x00AC5B3B);
            else if (fontColor == 0x30000)
                menuBar->SetColor(0x00996733);
            else
                SetMenuBarColor(Color());
        }
        SetRoundCorner(theme->GetInt(kFormRoundCornerInt));
    } else {
        TsuiUIStyle e = FStyle.EffectiveStyle();
        FBorderColor = GetThemeColor(e, kFormBorderColor);
        FBorderWidth = GetThemeInt(e, kFormBorderWidthInt);
        SetColor(GetThemeColor(e, kFormBackgroundColor));
        SetMenuBarColor(Color());
        SetRoundCorner(GetThemeInt(e, kFormRoundCornerInt));
    }
    if (FTitleBar != nullptr) {
        FTitleBar->SetFileTheme(FStyle.FileTheme());
        FTitleBar->SetUIStyle(style);
    }
    if (auto* menu = dynamic_cast<TsuiMainMenu*>(Menu())) {
        menu->SetUIStyle(style);
        menu->SetFileTheme(FStyle.FileTheme());
    }
    if (FUIStyleAutoUpdateSub)
        ApplyStyleToChildren(this, style, FStyle.FileTheme());
    if (IsMDIChild())
        Host()->SetBoundsRect(hostBounds);
    Invalidate();
    if (FMenuBar.ToolBar() != nullptr)
        FMenuBar.ToolBar()->Invalidate();
    PaintFrame();
}

// --- Forwarding properties ---

bool TsuiForm::TitleBarCustom() const {
    return FTitleBar != nullptr && FTitleBar->Custom();
}

void TsuiForm::SetTitleBarCustom(bool value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetCustom(value);
}

bool TsuiForm::TitleBarVisible() const {
    return FTitleBar != nullptr && FTitleBar->Visible();
}

void TsuiForm::SetTitleBarVisible(bool value) {
    if (FTitleBar == nullptr || FTitleBar->Visible() == value)
        return;
    FTitleBar->SetVisible(value);
    FTitleBar->SetTop(0);
    if (Host() != nullptr)
        Host()->InvalidateFrame();
    UpdateWindowRegion();
    PaintFrame();
}

std::string TsuiForm::Caption() const {
    return FTitleBar != nullptr ? FTitleBar->Caption() : std::string();
}

void TsuiForm::SetCaption(const std::string& value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetCaption(value);
    if (Host() != nullptr)
        Host()->SetCaption(value);
}

TsuiTitleBarButtons* TsuiForm::TitleBarButtons() {
    return FTitleBar != nullptr ? FTitleBar->Buttons() : nullptr;
}

void TsuiForm::SetTitleBarButtons(const TsuiTitleBarButtons& value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetButtons(value);
}

TsuiTitleBarSections* TsuiForm::TitleBarSections() {
    return FTitleBar != nullptr ? FTitleBar->Sections() : nullptr;
}

void TsuiForm::SetTitleBarSections(const TsuiTitleBarSections& value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetSections(value);
}

bool TsuiForm::TitleBarDrawAppIcon() const {
    return FTitleBar != nullptr && FTitleBar->DrawAppIcon();
}

void TsuiForm::SetTitleBarDrawAppIcon(bool value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetDrawAppIcon(value);
}

TPersistentFont* TsuiForm::Font() {
    return FTitleBar != nullptr ? FTitleBar->Font() : TCustomPanel::Font();
}

void TsuiForm::SetFont(const TPersistentFont& value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetFont(value);
}

int TsuiForm::RoundCorner() const {
    return FTitleBar != nullptr && FTitleBar->Visible() ? FTitleBar->RoundCorner() : 0;
}

void TsuiForm::SetRoundCorner(int value) {
    if (FTitleBar != nullptr)
        FTitleBar->SetRoundCorner(value);
    UpdateWindowRegion();
}

const TsuiTitleBarButtonClickEvent& TsuiForm::OnTitleBarCustomBtnsClick() const {
    static const TsuiTitleBarButtonClickEvent none;
    return FTitleBar != nullptr ? FTitleBar->OnCustomBtnsClick() : none;
}

void TsuiForm::SetOnTitleBarCustomBtnsClick(const TsuiTitleBarButtonClickEvent& e) {
    if (FTitleBar != nullptr)
        FTitleBar->SetOnCustomBtnsClick(e);
}

const TsuiTitleBarButtonClickEvent& TsuiForm::OnTitleBarHelpBtnClick() const {
    static const TsuiTitleBarButtonClickEvent none;
    return FTitleBar != nullptr ? FTitleBar->OnHelpBtnClick() : none;
}

void TsuiForm::SetOnTitleBarHelpBtnClick(const TsuiTitleBarButtonClickEvent& e) {
    if (FTitleBar != nullptr)
        FTitleBar->SetOnHelpBtnClick(e);
}

void TsuiForm::SetBorderColor(TColor value) {
    FBorderColor = value;
    PaintFrame();
}

void TsuiForm::SetBorderWidth(int value) {
    FBorderWidth = value;
    PaintFrame();
}

void TsuiForm::SetFormPanel(TCustomPanel* value) {
    if (value == this) {
        MessageDlg("Sorry, you can't select the Form assign to FormPanel property",
                   TMsgBoxIcon::Error);
        return;
    }
    if (FFormPanel != nullptr)
        FFormPanel->RemoveFreeNotification(this);
    FFormPanel = value;
    if (value == nullptr)
        return;
    value->FreeNotification(this);
    value->SetAlign(TAlign::alClient);
    if (dynamic_cast<TPanel*>(value) != nullptr) {
        value->SetBevelOuter(TBevelCut::bvNone);
        value->SetBevelInner(TBevelCut::bvNone);
        value->SetBorderStyle(TBorderStyle::bsNone);
        value->SetCaption("");
    } else if (value->InheritsFrom("TsuiImagePanel")) {
        value->SetCaption("");
    }
}

// --- Removal ---

void TsuiForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove || component == nullptr)
        return;
    if (component == this) {
        // Taken out of its owner: the host is on its own again.
        ReleaseHost();
        return;
    }
    if (component == FStyle.FileTheme()) {
        ApplyStyleToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
        FStyle.Notification(component, operation);
    }
    if (component == Menu()) {
        FMenuBar.SetMenu(nullptr);
        FMenuBar.FreeBar();
    }
    if (component == FFormPanel)
        FFormPanel = nullptr;
}

// --- Messages ---

bool TsuiForm::IsMDIChild() const {
    return Host() != nullptr && Host()->FormStyle() == TFormStyle::fsMDIChild;
}

void TsuiForm::RemoveHostCaption() {
    if (Host() == nullptr || (Host()->WindowStyle() & WS_CAPTION) == 0)
        return;
    Host()->SetWindowStyle(Host()->WindowStyle() & ~WS_CAPTION);
    Host()->FrameChanged();
}

void TsuiForm::HostWndProc(TMessage& m) {
    TComponentTracker alive(this);
    if (m.Msg != WM_NCPAINT && FPreviousWndProc) {
        FPreviousWndProc(m);
        if (!alive.Exists() || FClosing)
            return;
    }
    // A host being destroyed still passes its last messages through here.
    if (Host() == nullptr) {
        if (m.Msg == WM_NCPAINT && FPreviousWndProc)
            FPreviousWndProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_MDIACTIVATE:
        if (FTitleBar != nullptr)
            FTitleBar->SetFormActive(static_cast<HWND>(m.LParam) == Host()->Handle());
        break;
    case WM_KEYDOWN:
        RouteShortcut(m);
        break;
    case WM_SHOWWINDOW:
        // The native menu bar never shows: the skinned menu bar stands in.
        Host()->SetMenu(nullptr);
        break;
    case WM_ACTIVATE:
        if (FTitleBar != nullptr)
            FTitleBar->SetFormActive(LoWord(m.WParam) != 0);
        break;
    case WM_NCPAINT:
        if (Host()->WindowState() == TWindowState::wsMinimized) {
            if (FPreviousWndProc)
                FPreviousWndProc(m);
            break;
        }
        if (Host()->HandleAllocated()) {
            TCanvas canvas(&Host()->Surface());
            PaintFrameOn(canvas);
        }
        break;
    case CM_RECREATEWND:
    case CN_PARENTNOTIFY:
    case CM_FLOAT:
        RemoveHostCaption();
        break;
    case WM_SIZE: {
        bool maximized = Host()->WindowState() == TWindowState::wsMaximized;
        if (FStartedMaximized) {
            if (!maximized) {
                FStartedMaximized = false;
                SetFormBounds(Host(), FHostBounds);
                if (!alive.Exists())
                    return;
            } else if (gMaximizedSizeCount == 2) {
                Host()->SetWindowState(TWindowState::wsMaximized);
            } else {
                ++gMaximizedSizeCount;
            }
            gScrolled = true;
        }
        if (maximized && !IsMDIChild()) {
            TRect area = GetScreenWorkArea();
            area.Bottom -= 1;
            if (Host()->BoundsRect() != area)
                SetFormBounds(Host(), area);
            if (!alive.Exists())
                return;
        }
        PaintFrame();
        if (FTitleBar != nullptr)
            FTitleBar->UpdateMaxButtonPictures();
        if (IsMDIChild() && FTitleBar != nullptr) {
            // Without an MDI frame in this framework only the title bar's
            // part remains: a maximised child shows none.
            FTitleBar->SetVisible(!maximized);
        }
        UpdateWindowRegion();
        break;
    }
    default:
        break;
    }
}

void TsuiForm::ApplicationMessage(TMessage& m, bool& handled) {
    if (FClosing || FTitleBar == nullptr)
        return;
    if (m.Msg == WM_SYSKEYDOWN && LoWord(m.WParam) == VK_SPACE) {
        TCustomForm* main = Application().MainForm();
        if (main == nullptr)
            main = Host();
        handled = true;
        FTitleBar->WindowMenu()->Popup(main->Left(), main->Top() + FTitleBar->Height());
        return;
    }
    if (m.Msg == WM_KEYDOWN) {
        RouteShortcut(m);
        handled = m.Result == 1;
    }
}

void TsuiForm::RouteShortcut(TMessage& m) {
    m.Result = 0;
    if (FClosing || Host() == nullptr || Menu() == nullptr)
        return;
    if (IsFormActive(Host()) && Host()->Active() && Menu()->IsShortCut(m))
        m.Result = 1;
}

void TsuiForm::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    TCustomPanel::WndProc(m);
}

void TsuiForm::Resize() {
    TCustomPanel::Resize();
    if (FTitleBar != nullptr)
        FTitleBar->SetAlign(TAlign::alTop);
}

// --- Painting ---

void TsuiForm::Paint() {
    if (FClosing)
        return;
    TRect client = ClientRect();
    TsuiUIStyle style = FStyle.UIStyle();
    if (style == TsuiUIStyle::MacOS || style == TsuiUIStyle::Protein) {
        TBitmap tile;
        LoadSkinBitmap(style == TsuiUIStyle::MacOS ? "MACOS_FORM_BACKGROUND"
                                                   : "PROTEIN_FORM_BACKGROUND",
                       tile);
        // Only the tiles of the part being painted (a see-through child
        // asks for its own area alone): one row of tiles, then that row
        // again and again downwards.
        TsuiOffscreen buffer(Canvas(), client);
        const TRect area = buffer.Area();
        const int tw = tile.Width(), th = tile.Height();
        if (tw > 0 && th > 0 && !buffer.Empty()) {
            const int left = client.Left + (area.Left - client.Left) / tw * tw;
            const int top = client.Top + (area.Top - client.Top) / th * th;
            TBitmap row(area.Right - left, th);
            for (int x = 0; x < row.Width(); x += tw)
                row.Canvas().Draw(x, 0, tile);
            for (int y = top; y < area.Bottom; y += th)
                buffer.Canvas().Draw(left, y, row);
        }
        buffer.CopyToTarget();
    } else {
        FillSolid(Canvas(), client, Color());
    }
    // The frame is drawn into the host's surface; the paint that is under
    // way shows it.
    if (Host() != nullptr && Host()->HandleAllocated()) {
        TCanvas canvas(&Host()->Surface());
        PaintFrameOn(canvas);
    }
}

void TsuiForm::PaintFrame() {
    if (FClosing || Host() == nullptr || !Host()->HandleAllocated() ||
        Host()->WindowState() == TWindowState::wsMinimized)
        return;
    TCanvas canvas(&Host()->Surface());
    PaintFrameOn(canvas);
    PresentFrame();
}

void TsuiForm::PresentFrame() {
    const int w = Host()->Width(), h = Host()->Height();
    Host()->PresentRect(Rect(0, 0, w, kFrame));
    Host()->PresentRect(Rect(0, 0, kFrame, h));
    Host()->PresentRect(Rect(w - kFrame, 0, w, h));
    Host()->PresentRect(Rect(0, h - kFrame, w, h));
}

void TsuiForm::PaintFrameOn(TCanvas& canvas) {
    if (FClosing || Host() == nullptr || Host()->WindowState() == TWindowState::wsMinimized)
        return;
    const int W = Host()->Width(), H = Host()->Height(), BW = FBorderWidth;
    const bool titleVisible = FTitleBar != nullptr && FTitleBar->Visible();
    const int T = titleVisible ? FTitleBar->Height() : 0;
    const TToolBar* menuBar = FMenuBar.ToolBar();
    const bool menuShown = menuBar != nullptr && menuBar->Visible();
    const int M = menuBar != nullptr ? menuBar->Height() : 0;

    FillSolid(canvas, Rect(0, 0, BW, H), FBorderColor);
    FillSolid(canvas, Rect(0, H - BW, W, H), FBorderColor);
    FillSolid(canvas, Rect(W - BW, 0, W, H), FBorderColor);
    if (BW < 4) {
        FillSolid(canvas, Rect(BW, T, kFrame, H - BW), Color());
        FillSolid(canvas, Rect(BW, H - kFrame, W - BW, H - BW), Color());
        FillSolid(canvas, Rect(W - kFrame, T, W - BW, H - BW), Color());
        if (menuShown) {
            TColor bar = menuBar->Color();
            FillSolid(canvas, Rect(BW, T + kFrame, kFrame, T + kFrame + M), bar);
            FillSolid(canvas, Rect(W - kFrame, T + kFrame, W - BW, T + kFrame + M), bar);
        }
    }
    if (!titleVisible) {
        FillSolid(canvas, Rect(0, 0, W, 1), FBorderColor);
        FillSolid(canvas, Rect(BW, 1, W - BW, kFrame), Color());
        return;
    }
    TsuiTitleBarSections* sections = FTitleBar->Sections();
    if (sections->Count() != 3 || BW >= 4)
        return;
    // The title bar's images start 3 pixels above and outside the bar: their
    // outer rows and columns are drawn here, into the frame.
    const TPicture& left = *sections->Items(0)->Picture();
    const TPicture& right = *sections->Items(1)->Picture();
    const TPicture& middle = *sections->Items(2)->Picture();
    TBitmap edge(kFrame - BW, left.Height());
    TCanvas& e = edge.Canvas();
    if (left.HasGraphic())
        e.Draw(0, 0, *left.Graphic());
    canvas.Draw(BW, 0, edge);
    if (right.HasGraphic()) {
        if (right.Width() >= 3)
            e.Draw(2 - right.Width(), 0, *right.Graphic());
        else
            e.StretchDraw(Rect(0, 0, edge.Width(), edge.Height()), *right.Graphic());
    }
    canvas.Draw(W - kFrame, 0, edge);

    edge.SetSize(W - 5, kFrame);
    if (left.HasGraphic())
        e.Draw(-2, 0, *left.Graphic());
    if (right.HasGraphic())
        e.Draw(W - right.Width() - 2, 0, *right.Graphic());
    if (middle.HasGraphic())
        e.StretchDraw(Rect(left.Width() - 2, 0, W - right.Width() - 2, middle.Height()),
                      *middle.Graphic());
    canvas.Draw(2, 0, edge);

    if (BW == 1 && FTitleBar->RoundCorner() == 11) {
        const int r = 11;
        canvas.Pen().SetColor(FBorderColor);
        canvas.Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
        canvas.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
}

void TsuiForm::UpdateWindowRegion() {
    if (Host() == nullptr || FClosing || Host()->HasState(csDestroying))
        return;
    const int W = Host()->Width(), H = Host()->Height(), r = RoundCorner();
    TRegion region = TRegion::RoundRect(0, 0, W + 1, H + 1, r, r);
    region.Union(TRegion::FromRect(Rect(0, H - 2 * r, 2 * r, H)));
    region.Union(TRegion::FromRect(Rect(W - 2 * r, H - 2 * r, W, H)));
    Host()->SetWindowRegion(&region);
}

// --- Menu bar ---

void TsuiForm::SetMenu(TMainMenu* value) {
    if (auto* old = dynamic_cast<TsuiMainMenu*>(Menu()))
        if (old->MenuBar() == &FMenuBar)
            old->SetMenuBar(nullptr);
    if (Menu() != nullptr)
        Menu()->RemoveFreeNotification(this);
    FMenuBar.SetMenu(value);
    if (auto* menu = dynamic_cast<TsuiMainMenu*>(value))
        menu->SetMenuBar(&FMenuBar);
    if (value == nullptr) {
        if (!IsMDIChild())
            FMenuBar.FreeBar();
        return;
    }
    value->FreeNotification(this);
    if (FMenuBar.ToolBar() == nullptr && !IsMDIChild())
        FMenuBar.CreateBar(FTitleBar);
    FMenuBar.Rebuild();
}

// The frame's margins beside the bar were in the bar's colour.
void TsuiForm::MenuBarFreed() {
    if (Host() != nullptr && !FClosing)
        Host()->InvalidateFrame();
}
