// The title bar: where its buttons and caption go, what the pointer does to
// them, the window actions, its refusals, and how a style reaches it.

#include "SkinnedTestSupport.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Panel.h"

namespace {

// The WinXP close button's picture for a state (frames 16..18 of the strip).
TBitmap CloseFrame(int state) {
    TBitmap frame;
    GetThemeBitmap(TsuiUIStyle::WinXP, 5, &frame, 18, 16 + state);
    return frame;
}

class TitleBarTest : public SkinnedTest {
protected:
    // Whether the host window shows `picture` with its top-left corner at
    // window (x, y).
    bool ShowsAt(const TBitmap& picture, int x, int y) {
        for (int py = 0; py < picture.Height(); ++py)
            for (int px = 0; px < picture.Width(); ++px)
                if (Pixel(x + px, y + py) != picture.Pixel(px, py))
                    return false;
        return true;
    }
    // Screen point of bar coordinates (x, y).
    TPoint OnBar(TsuiTitleBar* bar, int x, int y) { return bar->ClientToScreen(Point(x, y)); }
    void MoveTo(const TPoint& p) {
        Backend().MoveMouse(p.X, p.Y);
        Application().ProcessMessages();
    }
};

} // namespace

TEST_F(TitleBarTest, WinXPButtonsAndCaptionSitWhereTheLookPutsThem) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    ASSERT_EQ(bar->Width(), 475);
    EXPECT_EQ(bar->Height(), 26); // the 29-pixel images less the 3 rows in the frame
    EXPECT_EQ(bar->ButtonTop(), 2);
    // The bar starts at window (3, 3); the close button at 475 - 2 + 1 - 22.
    EXPECT_TRUE(ShowsAt(CloseFrame(0), 3 + 452, 3 + 2));
    // Maximise is hidden: minimise follows 22 pixels further left.
    TBitmap minimize;
    GetThemeBitmap(TsuiUIStyle::WinXP, 5, &minimize, 18, 13);
    EXPECT_TRUE(ShowsAt(minimize, 3 + 430, 3 + 2));

    // The caption starts after the icon's place, at 2 + 21 = 23: nothing
    // white left of it, and white glyph pixels from there on.
    int first = -1;
    for (int x = 0; x < 200 && first < 0; ++x)
        for (int y = 3; y < 24 && first < 0; ++y)
            if (Pixel(3 + x, 3 + y) == clWhite)
                first = x;
    EXPECT_GE(first, 23);
    EXPECT_LE(first, 25);
}

TEST_F(TitleBarTest, ALongCaptionEndsInDotsBeforeTheButtons) {
    TsuiForm* form = NewSkinnedForm();
    form->SetCaption(std::string(200, 'W'));
    Application().ProcessMessages();
    // The shortened caption ends just before the minimise button (x 430),
    // which shows untouched.
    int last = -1;
    for (int x = 23; x < 430; ++x)
        for (int y = 3; y < 24; ++y)
            if (Pixel(3 + x, 3 + y) == clWhite)
                last = x;
    EXPECT_GT(last, 400);
    EXPECT_LT(last, 430);
    TBitmap minimize;
    GetThemeBitmap(TsuiUIStyle::WinXP, 5, &minimize, 18, 13);
    EXPECT_TRUE(ShowsAt(minimize, 3 + 430, 3 + 2));
}

TEST_F(TitleBarTest, ButtonsFollowThePointerAndThePress) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    MoveTo(OnBar(bar, 460, 10));
    EXPECT_EQ(bar->HotButton(), 1);
    EXPECT_TRUE(ShowsAt(CloseFrame(1), 3 + 452, 3 + 2));
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_TRUE(ShowsAt(CloseFrame(2), 3 + 452, 3 + 2));
    // Away from the buttons the close button is normal again.
    Backend().ReleaseButton(TWsButton::Left);
    MoveTo(OnBar(bar, 300, 10));
    EXPECT_EQ(bar->HotButton(), -1);
    EXPECT_TRUE(ShowsAt(CloseFrame(0), 3 + 452, 3 + 2));
}

TEST_F(TitleBarTest, TheButtonUnderThePointerAtReleaseActs) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    bool closed = false;
    Host()->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& a) {
        closed = true;
        a = TCloseAction::caNone;
    }));
    // Pressed on close, released on minimise: the form is minimised.
    MoveTo(OnBar(bar, 460, 10));
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    MoveTo(OnBar(bar, 440, 10));
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_FALSE(closed);
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsMinimized);
}

TEST_F(TitleBarTest, ReleasingOutsideEveryButtonOnlyRepaints) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    bool closed = false;
    Host()->SetOnClose(TCloseEvent([&](TObject*, TCloseAction&) { closed = true; }));
    MoveTo(OnBar(bar, 460, 10));
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    MoveTo(OnBar(bar, 460, 60)); // below the bar
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_FALSE(closed);
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsNormal);
    EXPECT_TRUE(ShowsAt(CloseFrame(0), 3 + 452, 3 + 2));
}

TEST_F(TitleBarTest, DraggingTheCaptionMovesTheFormUnlessItIsMaximised) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    TRect before = Host()->BoundsRect();
    MoveTo(OnBar(bar, 200, 10));
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_TRUE(Application().MovingWindow());
    MoveTo(OnBar(bar, 240, 35));
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->Left(), before.Left + 40);
    EXPECT_EQ(Host()->Top(), before.Top + 25);

    Host()->SetWindowState(TWindowState::wsMaximized);
    Application().ProcessMessages();
    TRect maximized = Host()->BoundsRect();
    MoveTo(OnBar(bar, 200, 10));
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_FALSE(Application().MovingWindow());
    MoveTo(OnBar(bar, 240, 35));
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->BoundsRect(), maximized);
}

TEST_F(TitleBarTest, DoubleClickTogglesThroughTheFirstVisibleMaximiseButton) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    TPoint caption = OnBar(bar, 200, 10);
    // The maximise button is hidden: nothing happens.
    Backend().Click(caption.X, caption.Y);
    Backend().Click(caption.X, caption.Y);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsNormal);

    form->TitleBarButtons()->Items(2)->SetVisible(true);
    TRect designed = Host()->BoundsRect();
    Backend().Click(caption.X, caption.Y);
    Backend().Click(caption.X, caption.Y);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsMaximized);
    caption = OnBar(bar, 200, 10);
    Backend().AdvanceClock(1000);
    Backend().Click(caption.X, caption.Y);
    Backend().Click(caption.X, caption.Y);
    Application().ProcessMessages();
    EXPECT_EQ(Host()->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(Host()->BoundsRect(), designed);
}

TEST_F(TitleBarTest, OnlyOneControlBoxAndOneClientSection) {
    TsuiForm* form = NewSkinnedForm();
    CloseMessageBoxes();
    TsuiTitleBarButton* close = form->TitleBarButtons()->Items(1);
    close->SetButtonType(TsuiTitleBarBtnType::suiControlBox);
    EXPECT_EQ(close->ButtonType(), TsuiTitleBarBtnType::suiClose);
    EXPECT_EQ(form->TitleBarButtons()->Items(0)->ButtonType(), TsuiTitleBarBtnType::suiControlBox);
    TsuiTitleBarSection* left = form->TitleBarSections()->Items(0);
    left->SetAlign(TsuiTitleBarAlign::suiClient);
    EXPECT_EQ(left->Align(), TsuiTitleBarAlign::suiLeft);
    EXPECT_EQ(BoxTexts, (std::vector<std::string>{
                            "Sorry, only one button's ButtonType property can be \"suiControlBox\"",
                            "Sorry, only one section's Align property can be \"suiClient\""}));
}

TEST_F(TitleBarTest, ButtonsTouchWithoutOverlappingHitRectangles) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    // Pictures at 430..450 and 452..472; the hit rectangles take in the
    // right and bottom edge: 430..451 and 452..473.
    MoveTo(OnBar(bar, 429, 10));
    EXPECT_EQ(bar->HotButton(), -1);
    MoveTo(OnBar(bar, 451, 10));
    EXPECT_EQ(bar->HotButton(), 3);
    MoveTo(OnBar(bar, 452, 10));
    EXPECT_EQ(bar->HotButton(), 1);
    MoveTo(OnBar(bar, 473, 23));
    EXPECT_EQ(bar->HotButton(), 1);
    MoveTo(OnBar(bar, 474, 10));
    EXPECT_EQ(bar->HotButton(), -1);
}

TEST_F(TitleBarTest, WithoutAControlBoxTheCaptionStartsAtTheOffset) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    form->TitleBarButtons()->Items(0)->SetVisible(false);
    bar->SetLeftBtnXOffset(0);
    Application().ProcessMessages();
    int first = -1;
    for (int x = 0; x < 100 && first < 0; ++x)
        for (int y = 3; y < 24 && first < 0; ++y)
            if (Pixel(3 + x, 3 + y) == clWhite)
                first = x;
    EXPECT_GE(first, 6);
    EXPECT_LE(first, 8);
}

TEST_F(TitleBarTest, ACustomBarKeepsItsLookWhenTheStyleChanges) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::WinXP);
    TsuiTitleBar* bar = form->TitleBar();
    bar->SetCustom(true);
    TBitmap left = bar->Sections()->Items(0)->Picture()->Bitmap();
    int height = bar->Height();
    bar->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(bar->Height(), height);
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    EXPECT_EQ(bar->Sections()->Items(0)->Picture()->Width(), left.Width());
    bar->SetCustom(false);
    bar->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(bar->Font()->Color(), clBlack);
    EXPECT_EQ(bar->Height(), 23 - 3);
}

TEST_F(TitleBarTest, TheWindowMenuEnablesWhatTheBarShows) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBarPopupMenu* menu = form->TitleBar()->WindowMenu();
    form->TitleBarButtons()->Items(3)->SetVisible(false); // minimise
    bool minimize = true, maximize = true, close = false;
    Script({[&] {
        minimize = menu->MinimizeItem()->Enabled();
        maximize = menu->MaximizeItem()->Enabled();
        close = menu->CloseItem()->Enabled();
        Backend().TypeKey(VK_ESCAPE);
    }});
    menu->Popup(0, 0);
    EXPECT_FALSE(minimize);
    EXPECT_FALSE(maximize);
    EXPECT_TRUE(close);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Mi&nimize");
    EXPECT_EQ(menu->Items()->Items(1)->Caption(), "Ma&ximize/Restore");
    EXPECT_EQ(menu->Items()->Items(2)->Caption(), "-");
    EXPECT_EQ(menu->Items()->Items(3)->Caption(), "&Close");
}

TEST_F(TitleBarTest, TheControlBoxOpensTheWindowMenuUnderTheBar) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    TRect opened{};
    Script({[&] {
        std::vector<TWsWindow> popups = PopupWindows();
        if (!popups.empty()) {
            TWsRect r = Backend().WindowBounds(popups.back());
            opened = Rect(r.Left, r.Top, r.Right, r.Bottom);
        }
        Backend().TypeKey(VK_ESCAPE);
    }});
    // The control box is only a hit area while the icon is drawn.
    TPoint box = OnBar(bar, 10, 10);
    Backend().Click(box.X, box.Y);
    Application().ProcessMessages();
    TPoint corner = bar->ClientToScreen(Point(0, bar->Height()));
    EXPECT_EQ(opened.Left, corner.X);
    EXPECT_EQ(opened.Top, corner.Y);
}

TEST_F(TitleBarTest, CustomAndHelpButtonsReportTheirIndex) {
    TsuiForm* form = NewSkinnedForm();
    TsuiTitleBar* bar = form->TitleBar();
    TsuiTitleBarButton* help = form->TitleBarButtons()->AddButton();
    help->SetButtonType(TsuiTitleBarBtnType::suiHelp);
    std::vector<int> clicks;
    form->SetOnTitleBarHelpBtnClick(TsuiTitleBarButtonClickEvent([&](TObject* sender, int index) {
        EXPECT_EQ(sender, bar);
        clicks.push_back(index);
    }));
    Application().ProcessMessages();
    // Help comes after minimise: 430 - 22 = 408.
    TPoint p = OnBar(bar, 415, 10);
    Backend().Click(p.X, p.Y);
    Application().ProcessMessages();
    EXPECT_EQ(clicks, std::vector<int>{4});
}

TEST_F(TitleBarTest, AnUnframedBarMaximisesToTheWorkAreaLessItsBottomRow) {
    Backend().SetWorkArea(TWsRect{0, 0, 800, 570});
    TForm* host = NewForm(50, 50, 300, 200, TFormBorderStyle::bsNone);
    auto* bar = new TsuiTitleBar(host);
    bar->SetParent(host);
    bar->SetUIStyle(TsuiUIStyle::DeepBlue);
    host->Show();
    EXPECT_EQ(bar->Height(), 32); // the DeepBlue images, nothing in a frame
    for (int i = 0; i < bar->Buttons()->Count(); ++i)
        if (bar->Buttons()->Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
            bar->ButtonAction(i);
    EXPECT_EQ(host->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(host->BoundsRect(), Rect(0, 0, 800, 569));
}
