// The tool bar: layout of its buttons, hot and pressed states, custom
// drawing, menu-item buttons.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/ToolBar.h"

namespace {

TToolButton* NewToolButton(TToolBar* bar, const std::string& caption) {
    auto* b = new TToolButton(bar->Owner());
    b->SetCaption(caption);
    b->SetAutoSize(true);
    b->SetParent(bar);
    return b;
}

} // namespace

TEST_F(HeadlessApplicationTest, ToolBarLaysOutWrapsAndSizesItself) {
    TForm* form = NewForm(0, 0, 200, 150);
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetEdgeBorders({});
    bar->SetButtonHeight(20);
    TToolButton* a = NewToolButton(bar, "A");
    TToolButton* b = NewToolButton(bar, "B");
    EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 23, 20)) << "without captions: ButtonWidth";
    EXPECT_EQ(b->Left(), 23);
    bar->SetShowCaptions(true);
    bar->SetAutoSize(true);
    EXPECT_GT(a->Width(), 14);
    EXPECT_EQ(b->Left(), a->Width());
    EXPECT_EQ(bar->Height(), 20);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, 200, 20)) << "aligned to the top";
    // More than fits: the rest wraps into a second row and the bar grows.
    for (int i = 0; i < 10; ++i)
        NewToolButton(bar, "Wide caption");
    TToolButton* last = bar->Buttons(bar->ButtonCount() - 1);
    EXPECT_GT(last->Top(), 0);
    EXPECT_LE(last->Left() + last->Width(), 200);
    EXPECT_EQ(bar->Height(), last->Top() + 20);
    bar->SetWrapable(false);
    EXPECT_EQ(last->Top(), 0);
    EXPECT_EQ(bar->Height(), 20);
}

TEST_F(HeadlessApplicationTest, ToolButtonsAreHotAndPressedAndCustomDrawn) {
    TForm* form = NewForm(0, 0, 200, 150);
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetEdgeBorders({});
    bar->SetShowCaptions(true);
    TToolButton* a = NewToolButton(bar, "&File");
    TToolButton* b = NewToolButton(bar, "&Edit");
    std::vector<std::pair<TToolButton*, TCustomDrawState>> drawn;
    bar->SetOnCustomDrawButton(TToolBarCustomDrawButtonEvent(
        [&](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
            drawn.emplace_back(button, state);
            if (button == b) {
                // Paint on the bar's canvas, at the button's rectangle.
                sender->Canvas().Brush().SetColor((state & cdsHot) ? clRed : clLime);
                sender->Canvas().FillRect(button->BoundsRect());
                defaultDraw = false;
            }
        }));
    int clicks = 0;
    b->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    form->Show();
    EXPECT_EQ(WindowPixel(form, b->Left() + 3, 3), clLime);
    EXPECT_NE(WindowPixel(form, a->Left() + 3, 3), clLime) << "the other one is drawn by default";

    Backend().MoveMouse(b->Left() + 3, 3);
    Application().ProcessMessages();
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(WindowPixel(form, b->Left() + 3, 3), clRed);
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_TRUE(b->Pressed());
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().second & (cdsHot | cdsSelected), cdsHot | cdsSelected);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks, 1);
    Backend().MoveMouse(150, 100);
    Application().ProcessMessages();
    EXPECT_FALSE(b->Hot());
    EXPECT_EQ(WindowPixel(form, b->Left() + 3, 3), clLime);
    b->SetEnabled(false);
    Application().ProcessMessages();
    EXPECT_EQ(drawn.back().second & cdsDisabled, cdsDisabled);
}

namespace {

// A main menu on `form` with one item, "&File", holding "E&xit", which counts
// its clicks in `exits`.
TMenuItem* FileMenu(TForm* form, int& exits) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* exit = new TMenuItem(form);
    exit->SetCaption("E&xit");
    exit->SetOnClick(TNotifyEvent([&exits](TObject*) { ++exits; }));
    file->Add(exit);
    return file;
}

} // namespace

TEST_F(HeadlessApplicationTest, MenuItemButtonsDropTheirMenuDown) {
    TForm* form = NewForm(0, 0, 200, 150);
    int exits = 0;
    TMenuItem* file = FileMenu(form, exits);
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetEdgeBorders({});
    bar->SetShowCaptions(true);
    TToolButton* button = NewToolButton(bar, "");
    button->SetMenuItem(file);
    EXPECT_EQ(button->Caption(), "&File");
    form->Show();
    bool pressedWhileOpen = false;
    TWsRect menuBounds{};
    Backend().SetIdleHandler([&] {
        for (TWsWindow w : Backend().Windows())
            if (Backend().WindowKind(w) == TWsWindowKind::Popup && Backend().IsWindowVisible(w)) {
                menuBounds = Backend().WindowBounds(w);
                pressedWhileOpen = button->Pressed();
                Backend().TypeKey(VK_DOWN);
                Backend().TypeKey(VK_RETURN);
            }
    });
    ClickAt(button->Left() + 5, 5);
    Backend().SetIdleHandler(nullptr);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(menuBounds.Left, button->Left());
    EXPECT_EQ(menuBounds.Top, button->Height()) << "right under the button";
}

// Alt with a menu-bar button's underlined letter opens it as a click does;
// the letter alone, or another letter, does not.
TEST_F(HeadlessApplicationTest, AltAndTheUnderlinedLetterDropTheMenuDown) {
    TForm* form = NewForm(0, 0, 200, 150);
    int exits = 0;
    TMenuItem* file = FileMenu(form, exits);
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetShowCaptions(true);
    NewToolButton(bar, "")->SetMenuItem(file);
    form->Show();
    int opened = 0;
    Backend().SetIdleHandler([&] {
        for (TWsWindow w : Backend().Windows())
            if (Backend().WindowKind(w) == TWsWindowKind::Popup && Backend().IsWindowVisible(w)) {
                ++opened;
                Backend().TypeKey('X'); // the open menu's own letter chooses Exit
            }
    });
    Backend().TypeKey('F');
    Backend().PressKey(VK_MENU);
    Backend().TypeKey('E');
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    EXPECT_EQ(opened, 0) << "F alone and Alt+E open nothing";
    Backend().PressKey(VK_MENU);
    Backend().TypeKey('F');
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    Backend().SetIdleHandler(nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(exits, 1);
}
