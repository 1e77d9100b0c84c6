#pragma once
// TsuiForm: gives an ordinary form a skinned frame. It is a panel that fills
// the client area of the form that owns it (the host form) and takes that
// form over: the system caption goes, a TsuiTitleBar sits at the panel's
// top, the host's messages pass through the panel's hook, the 3-pixel frame
// around the client area is painted by the panel (border strips in
// BorderColor, margins in Color, the title bar's top rows continued into
// it), and the window is cut to a region whose top corners are round. Every
// other control of the window sits on the panel. A main menu set as Menu is
// shown under the title bar by the form's TsuiMenuBar.
//
// One TsuiForm per form: a second one fails at its construction. On any
// owner but a form it stays a plain panel without title bar.

#include "controls/SUIMenuBar.h"
#include "controls/SUITitleBar.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ToolBar.h"
#include "skin/SUIStyleLink.h"

#include <string>

class TCustomForm;
class TMainMenu;

class TsuiForm : public TCustomPanel {
    SSI_CLASS(TsuiForm, TCustomPanel)
public:
    explicit TsuiForm(TComponent* owner);
    ~TsuiForm() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // Forwarded to the title bar (None, False or 0 without one).
    bool TitleBarCustom() const;
    void SetTitleBarCustom(bool value);
    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Border colour and width, background, menu bar colour and round corner
    // from the look; then the title bar, the main menu and (with
    // UIStyleAutoUpdateSub) every child that takes a style get it too.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    bool UIStyleAutoUpdateSub() const { return FUIStyleAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { FUIStyleAutoUpdateSub = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    // The width of the outer frame strips (not a client inset).
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool value);
    // The title bar's caption; writing it sets the host form's caption too.
    std::string Caption() const;
    void SetCaption(const std::string& value);
    // A panel made to fill the client area; the TsuiForm itself is refused
    // with an error dialog.
    TCustomPanel* FormPanel() const { return FFormPanel; }
    void SetFormPanel(TCustomPanel* value);
    TsuiTitleBarButtons* TitleBarButtons();
    void SetTitleBarButtons(const TsuiTitleBarButtons& value);
    TsuiTitleBarSections* TitleBarSections();
    void SetTitleBarSections(const TsuiTitleBarSections& value);
    bool TitleBarDrawAppIcon() const;
    void SetTitleBarDrawAppIcon(bool value);
    // The title bar's font.
    TPersistentFont* Font();
    void SetFont(const TPersistentFont& value);
    // The menu shown as the menu bar (none: no menu bar).
    TMainMenu* Menu() const { return FMenuBar.Menu(); }
    void SetMenu(TMainMenu* value);
    TColor MenuBarColor() const { return FMenuBar.Color(); }
    void SetMenuBarColor(TColor value) { FMenuBar.SetColor(value); }
    int MenuBarHeight() const { return FMenuBar.Height(); }
    void SetMenuBarHeight(int value) { FMenuBar.SetHeight(value); }
    // The title bar's; 0 while the title bar is hidden.
    int RoundCorner() const;
    void SetRoundCorner(int value);
    std::string Version() const { return "5.4"; }
    void SetVersion(const std::string&) {}
    const TsuiTitleBarButtonClickEvent& OnTitleBarCustomBtnsClick() const;
    void SetOnTitleBarCustomBtnsClick(const TsuiTitleBarButtonClickEvent& e);
    const TsuiTitleBarButtonClickEvent& OnTitleBarHelpBtnClick() const;
    void SetOnTitleBarHelpBtnClick(const TsuiTitleBarButtonClickEvent& e);

    TsuiTitleBar* TitleBar() const { return FTitleBar; }
    // The menu bar's tool bar; none without a menu.
    TToolBar* MenuBar() const { return FMenuBar.ToolBar(); }
    TsuiMenuBar* SuiMenuBar() { return &FMenuBar; }
    // The form taken over; none once its destruction has begun.
    TCustomForm* HostForm() const { return Host(); }
    const TsuiStyleLink& Style() const { return FStyle; }

    // Paints the host window's frame and shows it.
    void PaintFrame();
    // Gives the host window its region: a rounded rectangle whose bottom
    // corners are squared again.
    void UpdateWindowRegion();
    // Result 1 when the host is active and Menu took the key as a shortcut.
    void RouteShortcut(TMessage& message);

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;
    void Paint() override;
    void Resize() override;

private:
    void ApplyStyle();
    void HostWndProc(TMessage& message);
    void ApplicationMessage(TMessage& message, bool& handled);
    void ReleaseHost();
    void RemoveHostCaption();
    // The frame into the host's surface (window coordinates).
    void PaintFrameOn(TCanvas& canvas);
    void PresentFrame();
    void MenuBarFreed();
    bool IsMDIChild() const;
    TCustomForm* Host() const;

    TsuiStyleLink FStyle;
    bool FUIStyleAutoUpdateSub = false;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    TCustomPanel* FFormPanel = nullptr;
    TsuiTitleBar* FTitleBar = nullptr;
    TsuiMenuBar FMenuBar;
    TCustomForm* FHost = nullptr;
    TWndMethod FPreviousWndProc;
    bool FInstalledAppHandler = false;
    bool FClosing = false;
    TRect FHostBounds{};
    bool FStartedMaximized = false;
};
