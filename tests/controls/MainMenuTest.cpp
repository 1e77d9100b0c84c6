// The skinned main menu: attaching to the form's TsuiForm, its own check
// marks, the menu bar built from its items, and shortcuts routed to it.

#include "SkinnedTestSupport.h"

#include "controls/SUIMainMenu.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"

namespace {

class MainMenuTest : public SkinnedTest {
protected:
    TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(Host());
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
};

} // namespace

TEST_F(MainMenuTest, WithoutASkinnedFormNothingShowsIt) {
    FHost = NewForm();
    auto* native = new TMainMenu(FHost);
    FHost->SetMenu(native);
    auto* menu = new TsuiMainMenu(FHost);
    EXPECT_EQ(FHost->Menu(), nullptr);
    EXPECT_EQ(menu->MenuBar(), nullptr);
    // A skinned form made later shows it once its Menu is set.
    auto* form = new TsuiForm(FHost);
    EXPECT_EQ(form->MenuBar(), nullptr);
    form->SetMenu(menu);
    EXPECT_EQ(menu->MenuBar(), form->SuiMenuBar());
    EXPECT_NE(form->MenuBar(), nullptr);
}

TEST_F(MainMenuTest, DroppedOnASkinnedFormItBecomesItsMenuBar) {
    TsuiForm* form = NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(menu->MenuBar(), form->SuiMenuBar());
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::WinXP);
    Add(menu->Items(), "&File");
    Add(menu->Items(), "&Edit");
    ASSERT_NE(form->MenuBar(), nullptr);
    ASSERT_EQ(form->MenuBar()->ButtonCount(), 2);
    EXPECT_EQ(form->MenuBar()->Buttons(1)->Caption(), "&Edit");
    EXPECT_EQ(form->MenuBar()->Height(), 22);
    // Under the title bar.
    EXPECT_EQ(form->MenuBar()->Top(), form->TitleBar()->Height());
    menu->Items()->Items(0)->SetEnabled(false);
    EXPECT_FALSE(form->MenuBar()->Buttons(0)->Enabled());
    menu->Items()->Items(1)->SetCaption("&Change");
    EXPECT_EQ(form->MenuBar()->Buttons(1)->Caption(), "&Change");

    // Another menu takes over; the first one loses the bar.
    auto* other = new TsuiMainMenu(Host());
    form->SetMenu(other);
    EXPECT_EQ(menu->MenuBar(), nullptr);
    form->SetMenu(nullptr);
    EXPECT_EQ(form->MenuBar(), nullptr);
}

TEST_F(MainMenuTest, ImagesReadNoneWhileTheOwnCheckMarksAreInstalled) {
    TsuiForm* form = NewSkinnedForm();
    (void)form;
    auto* menu = new TsuiMainMenu(Host());
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_NE(menu->TMainMenu::Images(), nullptr);
    auto* images = new TImageList(Host());
    menu->SetImages(images);
    EXPECT_EQ(menu->Images(), images);
    menu->SetImages(nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(menu->TMainMenu::Images()->Count(), 1);
    images->Free();
    EXPECT_EQ(menu->Images(), nullptr);
}

TEST_F(MainMenuTest, ACheckedItemWithAnImageBeyondTheListShowsTheCheckMark) {
    NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    auto* images = new TImageList(Host());
    TBitmap three(48, 16);
    images->Add(three);
    menu->SetImages(images);
    TMenuItem* file = Add(menu->Items(), "&File");
    TMenuItem* item = Add(file, "&Checked");
    item->SetChecked(true);
    item->SetImageIndex(5);
    TBitmap surface(120, 21);
    TCanvas& c = surface.Canvas();
    item->DrawItem(c, Rect(0, 0, 120, 21), false);
    TBitmap mark;
    LoadSkinBitmap("MENU_CHECKED", mark);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (mark.Pixel(x, y) != clWhite) {
                EXPECT_EQ(surface.Pixel(4 + x, 3 + y), mark.Pixel(x, y)) << x << "," << y;
            }
    // No black frame of an image item.
    EXPECT_NE(surface.Pixel(2, 1), TColor(0));
}

TEST_F(MainMenuTest, SwitchingTheSystemFontChangesTheMenuBarFontAtOnce) {
    TsuiForm* form = NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    Add(menu->Items(), "&File");
    menu->SetUseSystemFont(false);
    menu->SetFontName("Tahoma");
    menu->SetFontSize(10);
    form->SuiMenuBar()->RefreshFont();
    EXPECT_EQ(form->MenuBar()->Font()->Name(), "Tahoma");
    EXPECT_EQ(form->MenuBar()->Font()->Size(), 10);
    menu->SetUseSystemFont(true);
    EXPECT_EQ(form->MenuBar()->Font()->Size(), 8);
}

TEST_F(MainMenuTest, ShortcutsReachTheMenuWhateverHasTheFocus) {
    NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    TMenuItem* file = Add(menu->Items(), "&File");
    TMenuItem* save = Add(file, "&Save");
    save->SetShortCut(ShortCut('S', ssCtrl));
    int saved = 0;
    save->SetOnClick(TNotifyEvent([&](TObject*) { ++saved; }));
    Backend().PressKey(VK_CONTROL);
    Backend().TypeKey('S');
    Backend().ReleaseKey(VK_CONTROL);
    Application().ProcessMessages();
    EXPECT_EQ(saved, 1);
}

TEST_F(MainMenuTest, AHotMenuBarButtonIsFilledAndFramedInTheMenusColours) {
    TsuiForm* form = NewSkinnedForm();
    auto* menu = new TsuiMainMenu(Host());
    Add(menu->Items(), "&File");
    Application().ProcessMessages();
    TToolButton* button = form->MenuBar()->Buttons(0);
    TPoint p = button->ClientToScreen(Point(5, 5));
    Backend().MoveMouse(p.X, p.Y);
    Application().ProcessMessages();
    TPoint corner = button->ClientToForm(Point(0, 0));
    TPoint window = Point(corner.X + Host()->ClientOffset().X, corner.Y + Host()->ClientOffset().Y);
    EXPECT_EQ(Pixel(window.X, window.Y), TColor(0x00C66931));
    EXPECT_EQ(Pixel(window.X + 2, window.Y + 2), TColor(0x00EFD3C6));
}
