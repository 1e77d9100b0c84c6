// The skinned form: taking the host form over and giving it back, the frame
// it paints, the window region, maximising, Alt+Space, and how a style
// spreads from it.

#include "SkinnedTestSupport.h"

#include "controls/SUIMainMenu.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Label.h"
#include "framework/ui/Panel.h"
#include "skin/SUIMgr.h"

namespace {

constexpr TColor kWinXPBorder = 0x00C82C00;
constexpr TColor kWinXPBackground = 0x00DEEBEF;

class SkinnedFormTest : public SkinnedTest {
protected:
    int W() const { return Host()->Width(); }
    int H() const { return Host()->Height(); }
    bool InShape(int x, int y) {
        return Backend().WindowShape(Host()->ScreenWindow()).WindowContains(W(), H(), x, y);
    }
};

// A skinned control that records the style it is given.
class TsuiProbe : public TCustomControl {
    SSI_CLASS(TsuiProbe, TCustomControl)
public:
    explicit TsuiProbe(TComponent* owner) : TCustomControl(owner), FStyle(*this, nullptr) {
        FStyle.StartWithFormStyle();
    }
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Component("FileTheme", &TsuiProbe::FileTheme, &TsuiProbe::SetFileTheme)
            .Enum("UIStyle", TsuiUIStyleInfo(), &TsuiProbe::UIStyle, &TsuiProbe::SetUIStyle);
    }
    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* v) { FStyle.SetFileTheme(v); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle v) { FStyle.SetUIStyle(v); }

protected:
    void Notification(TComponent* c, TOperation op) override {
        TCustomControl::Notification(c, op);
        FStyle.Notification(c, op);
    }

private:
    TsuiStyleLink FStyle;
};
SSI_DEFINE_CLASS(TsuiProbe, TCustomControl)

} // namespace

TEST_F(SkinnedFormTest, TakingOverTheHost) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::WinXP, TFormBorderStyle::bsSingle);
    EXPECT_EQ(Host()->BorderStyle(), TFormBorderStyle::bsDialog);
    EXPECT_EQ(Host()->WindowStyle() & WS_CAPTION, 0u);
    EXPECT_EQ(Host()->Constraints()->MinHeight(), 50);
    EXPECT_EQ(Host()->Constraints()->MinWidth(), 150); // the WinXP minimum width
    EXPECT_EQ(form->Align(), TAlign::alClient);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, Host()->ClientWidth(), Host()->ClientHeight()));
    EXPECT_EQ(form->TControl::Caption(), " ");
    EXPECT_EQ(form->Caption(), "Skinned");
    EXPECT_EQ(Host()->Caption(), "Skinned");
    EXPECT_EQ(form->Version(), "5.4");
    form->SetVersion("6.0");
    EXPECT_EQ(form->Version(), "5.4");
}

// The look derives the frame width, the background and the title font's
// colour. A layout writes them after UIStyle, so values set over the look
// are still there when the layout is read back.
TEST_F(SkinnedFormTest, ValuesSetOverTheLookSurviveALayoutRoundTrip) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::WinXP);
    ASSERT_EQ(form->BorderWidth(), 3); // the look's
    Host()->SetName("Host");
    form->SetName("Skin");
    form->SetBorderWidth(1);
    form->SetColor(clYellow);
    form->Font()->SetColor(clLime);
    const std::string text = WriteLayout(*Host());
    Host()->SetName("Original"); // the application owns both forms

    auto* again = Application().CreateForm<TForm>();
    ReadLayout(*again, text);
    auto* copy = static_cast<TsuiForm*>(again->FindComponent("Skin"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(copy->BorderWidth(), 1);
    EXPECT_EQ(copy->Color(), clYellow);
    EXPECT_EQ(copy->Font()->Color(), clLime);
}

TEST_F(SkinnedFormTest, ASizeableHostStaysSizeable) {
    NewSkinnedForm(TsuiUIStyle::WinXP, TFormBorderStyle::bsSizeable);
    EXPECT_EQ(Host()->BorderStyle(), TFormBorderStyle::bsSizeable);
    EXPECT_NE(Host()->WindowStyle() & WS_THICKFRAME, 0u);
}

TEST_F(SkinnedFormTest, ASecondSkinnedFormIsRefused) {
    NewSkinnedForm();
    try {
        new TsuiForm(Host());
        FAIL() << "a second TsuiForm was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Sorry, You can create only one TsuiForm component in one form!");
    }
    int count = 0;
    for (int i = 0; i < Host()->ControlCount(); ++i)
        count += dynamic_cast<TsuiForm*>(Host()->Controls(i)) != nullptr;
    EXPECT_EQ(count, 1);
}

TEST_F(SkinnedFormTest, WideBorderStripsAndTheTitleBarContinuedIntoTheFrame) {
    TsuiForm* form = NewSkinnedForm();
    ASSERT_EQ(form->BorderWidth(), 3);
    for (int y = 40; y < H(); y += 17) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(Pixel(x, y), kWinXPBorder) << x << "," << y;
            EXPECT_EQ(Pixel(W() - 1 - x, y), kWinXPBorder) << x << "," << y;
        }
    }
    for (int x = 0; x < W(); x += 13)
        for (int y = H() - 3; y < H(); ++y)
            EXPECT_EQ(Pixel(x, y), kWinXPBorder) << x << "," << y;
    // The top three rows show the title images' top rows from x = 2 on.
    const TPicture& left = *form->TitleBarSections()->Items(0)->Picture();
    const TPicture& right = *form->TitleBarSections()->Items(1)->Picture();
    const TBitmap& l = static_cast<const TBitmap&>(*left.Graphic());
    const TBitmap& r = static_cast<const TBitmap&>(*right.Graphic());
    for (int y = 0; y < 3; ++y) {
        for (int x = 2; x < l.Width(); ++x)
            EXPECT_EQ(Pixel(x, y), l.Pixel(x, y)) << x << "," << y;
        for (int x = W() - r.Width(); x <= W() - 4; ++x)
            EXPECT_EQ(Pixel(x, y), r.Pixel(x - (W() - r.Width()), y)) << x << "," << y;
        EXPECT_EQ(Pixel(0, y), kWinXPBorder);
        EXPECT_EQ(Pixel(W() - 1, y), kWinXPBorder);
    }
    // And the bar below goes on with the same images.
    EXPECT_EQ(Pixel(10, 3), l.Pixel(10, 3));
}

TEST_F(SkinnedFormTest, NarrowBorderLeavesMarginsInTheBackgroundAndMenuBarColours) {
    TsuiForm* form = NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    auto* item = new TMenuItem(Host());
    item->SetCaption("&File");
    menu->Items()->Add(item);
    ASSERT_NE(form->MenuBar(), nullptr);
    form->SetBorderWidth(1);
    form->SetMenuBarColor(0x00123456);
    Host()->Invalidate();
    Application().ProcessMessages();
    const int T = form->TitleBar()->Height(), M = form->MenuBar()->Height();
    EXPECT_EQ(Pixel(0, 100), kWinXPBorder);
    EXPECT_EQ(Pixel(1, 100), kWinXPBackground);
    EXPECT_EQ(Pixel(2, 100), kWinXPBackground);
    EXPECT_EQ(Pixel(W() - 2, 100), kWinXPBackground);
    EXPECT_EQ(Pixel(100, H() - 2), kWinXPBackground);
    EXPECT_EQ(Pixel(1, T + 3 + M / 2), TColor(0x00123456));
    EXPECT_EQ(Pixel(W() - 3, T + 3 + M / 2), TColor(0x00123456));
}

TEST_F(SkinnedFormTest, OnlyTheTopCornersAreRound) {
    TsuiForm* form = NewSkinnedForm();
    EXPECT_EQ(form->RoundCorner(), 13);
    EXPECT_FALSE(InShape(0, 0));
    EXPECT_FALSE(InShape(W() - 1, 0));
    EXPECT_FALSE(InShape(1, 1));
    EXPECT_TRUE(InShape(W() / 2, 0));
    EXPECT_TRUE(InShape(0, H() / 2));
    EXPECT_TRUE(InShape(0, H() - 1));
    EXPECT_TRUE(InShape(W() - 1, H() - 1));

    // Without a title bar the window is a plain rectangle.
    form->SetTitleBarVisible(false);
    EXPECT_EQ(form->RoundCorner(), 0);
    EXPECT_TRUE(InShape(0, 0));
    EXPECT_TRUE(InShape(W() - 1, 0));
    // The border closes the top edge then.
    Application().ProcessMessages();
    EXPECT_EQ(Pixel(W() / 2, 0), kWinXPBorder);
    EXPECT_EQ(Pixel(W() / 2, 2), kWinXPBackground);
}

TEST_F(SkinnedFormTest, MaximisedTheFormCoversTheWorkAreaLessItsBottomRow) {
    Backend().SetWorkArea(TWsRect{0, 0, 1024, 738});
    TsuiForm* form = NewSkinnedForm();
    form->TitleBarButtons()->Items(2)->SetVisible(true);
    form->TitleBar()->ButtonAction(2);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(Host()->BoundsRect(), Rect(0, 0, 1024, 737));
    // The maximise button shows the restore look now.
    TBitmap restore;
    GetThemeBitmap(TsuiUIStyle::WinXP, 5, &restore, 18, 10);
    TsuiTitleBarButton* max = form->TitleBarButtons()->Items(2);
    EXPECT_EQ(max->PicNormal()->Bitmap().Pixel(10, 10), restore.Pixel(10, 10));
    form->TitleBar()->ButtonAction(2);
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsNormal);
}

TEST_F(SkinnedFormTest, AltSpaceOpensTheWindowMenuAtTheMainFormsCorner) {
    TsuiForm* form = NewSkinnedForm();
    Backend().SetWorkArea(TWsRect{0, 0, 1024, 768});
    TRect opened{};
    Script({[&] {
        std::vector<TWsWindow> popups = PopupWindows();
        if (!popups.empty()) {
            TWsRect r = Backend().WindowBounds(popups.back());
            opened = Rect(r.Left, r.Top, r.Right, r.Bottom);
        }
        Backend().TypeKey(VK_ESCAPE);
    }});
    Backend().PressKey(VK_MENU);
    Backend().TypeKey(VK_SPACE);
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    EXPECT_EQ(opened.Left, Host()->Left());
    EXPECT_EQ(opened.Top, Host()->Top() + form->TitleBar()->Height());
}

TEST_F(SkinnedFormTest, FromThemeFileWithoutATheme) {
    TsuiForm* form = NewSkinnedForm();
    form->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(form->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(form->BorderColor(), GetThemeColor(TsuiUIStyle::DeepBlue, 16));
    EXPECT_EQ(form->BorderWidth(), 1);
    EXPECT_EQ(form->Color(), TColor(0x00E8E8E8));
    EXPECT_EQ(form->RoundCorner(), 0);
}

TEST_F(SkinnedFormTest, TheFormPanelCannotBeTheSkinnedFormItself) {
    TsuiForm* form = NewSkinnedForm();
    CloseMessageBoxes();
    form->SetFormPanel(form);
    EXPECT_EQ(form->FormPanel(), nullptr);
    EXPECT_EQ(BoxTexts, std::vector<std::string>{
                            "Sorry, you can't select the Form assign to FormPanel property"});
    auto* panel = new TPanel(Host());
    panel->SetParent(form);
    panel->SetCaption("x");
    form->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), TAlign::alClient);
    EXPECT_EQ(panel->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(panel->Caption(), "");
    panel->Free();
    EXPECT_EQ(form->FormPanel(), nullptr);
}

TEST_F(SkinnedFormTest, StyleSpreadsToTitleBarMenuAndChildren) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::WinXP);
    auto* menu = new TsuiMainMenu(Host());
    auto* child = new TsuiProbe(Host());
    child->SetParent(form);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::WinXP); // from the form at creation

    form->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(form->TitleBar()->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::WinXP); // UIStyleAutoUpdateSub is off
    form->SetUIStyleAutoUpdateSub(true);
    form->SetUIStyle(TsuiUIStyle::BlueGlass);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::BlueGlass);

    // A file theme that goes away leaves everything in DeepBlue.
    TTempDir dir;
    WriteSkinFileFromLook(dir.File("look.skn"), TsuiUIStyle::MacOS);
    auto* theme = new TsuiFileTheme(Host());
    theme->SetThemeFile(dir.File("look.skn"));
    ASSERT_TRUE(theme->IsThemeLoaded());
    form->SetFileTheme(theme);
    form->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(child->FileTheme(), theme);
    EXPECT_EQ(form->BorderColor(), GetThemeColor(TsuiUIStyle::MacOS, 16));
    theme->Free();
    EXPECT_EQ(form->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(form->FileTheme(), nullptr);
    EXPECT_EQ(form->TitleBar()->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(child->FileTheme(), nullptr);
}

TEST_F(SkinnedFormTest, TheBackgroundIsTiledInMacOSAndProtein) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::Protein);
    TBitmap tile;
    LoadSkinBitmap("PROTEIN_FORM_BACKGROUND", tile);
    Application().ProcessMessages();
    // The form's client starts at window (3, 3); the tiles at its origin.
    for (int y = 100; y < 108; ++y)
        for (int x = 200; x < 208; ++x)
            EXPECT_EQ(Pixel(3 + x, 3 + y), tile.Pixel(x % 8, y % 8)) << x << "," << y;
    form->SetUIStyle(TsuiUIStyle::DeepBlue);
    Application().ProcessMessages();
    EXPECT_EQ(Pixel(203, 103), TColor(0x00E8E8E8));
}

TEST_F(SkinnedFormTest, RemovingTheSkinnedFormGivesTheHostBack) {
    TsuiForm* form = NewSkinnedForm();
    ASSERT_TRUE(static_cast<bool>(Application().OnMessage()));
    form->Free();
    EXPECT_NE(Host()->WindowStyle() & WS_CAPTION, 0u);
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage()));
    // The host handles its own messages again: its system caption paints.
    Host()->InvalidateFrame();
    Application().ProcessMessages();
    EXPECT_EQ(Pixel(Host()->Width() / 2, 3 + 5),
              Host()->Active() ? ColorToRGB(clActiveCaption) : ColorToRGB(clInactiveCaption));
}

TEST_F(SkinnedFormTest, OnAnyOtherOwnerItIsAPlainPanel) {
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    auto* owned = new TsuiForm(panel);
    EXPECT_EQ(owned->TitleBar(), nullptr);
    EXPECT_EQ(owned->HostForm(), nullptr);
    EXPECT_FALSE(owned->TitleBarVisible());
    EXPECT_EQ(owned->RoundCorner(), 0);
    EXPECT_EQ(owned->TitleBarButtons(), nullptr);
}
