// Menus: items and their changes, shortcuts, an open menu driven by keys
// and the mouse, owner drawing.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Label.h"
#include "framework/ui/MenuTracker.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"

#include <deque>
#include <functional>

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption,
                   std::string* log = nullptr) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    if (log != nullptr)
        item->SetOnClick(TNotifyEvent([log, caption](TObject*) { *log += caption + ";"; }));
    parent->Add(item);
    return item;
}

// Runs `steps` one by one whenever the program waits (the menu's loop).
void Script(THeadlessBackend& backend, std::deque<std::function<void()>>& steps) {
    backend.SetIdleHandler([&steps] {
        if (steps.empty())
            return;
        auto step = steps.front();
        steps.pop_front();
        step();
    });
}

class MenusTest : public HeadlessApplicationTest {
protected:
    void SetUp() override {
        HeadlessApplicationTest::SetUp();
        FForm = NewForm(0, 0, 300, 200);
        FForm->Show();
        FMenu = new TPopupMenu(FForm);
        FOpen = NewItem(FForm, FMenu->Items(), "&Open", &FLog);
        NewItem(FForm, FMenu->Items(), "-");
        FDisabled = NewItem(FForm, FMenu->Items(), "&Disabled", &FLog);
        FDisabled->SetEnabled(false);
        FMore = NewItem(FForm, FMenu->Items(), "&More");
        NewItem(FForm, FMore, "&First", &FLog);
        NewItem(FForm, FMore, "&Second", &FLog);
        FExit = NewItem(FForm, FMenu->Items(), "E&xit", &FLog);
    }
    void TearDown() override {
        Backend().SetIdleHandler(nullptr);
        HeadlessApplicationTest::TearDown();
    }
    // The popup windows open now, bottom to top.
    std::vector<TWsWindow> MenuWindows() {
        std::vector<TWsWindow> list;
        for (TWsWindow w : Backend().Windows())
            if (Backend().WindowKind(w) == TWsWindowKind::Popup && Backend().IsWindowVisible(w))
                list.push_back(w);
        return list;
    }

    TForm* FForm = nullptr;
    TPopupMenu* FMenu = nullptr;
    TMenuItem* FOpen = nullptr;
    TMenuItem* FDisabled = nullptr;
    TMenuItem* FMore = nullptr;
    TMenuItem* FExit = nullptr;
    std::string FLog;
};

} // namespace

TEST_F(MenusTest, KeyboardNavigationSkipsSeparatorsAndDisabledItems) {
    std::deque<std::function<void()>> steps = {
        [&] { Backend().TypeKey(VK_DOWN); }, // Open
        [&] { Backend().TypeKey(VK_DOWN); }, // over the separator and Disabled: More
        [&] { Backend().TypeKey(VK_DOWN); }, // Exit
        [&] { Backend().TypeKey(VK_DOWN); }, // wraps to Open
        [&] { Backend().TypeKey(VK_UP); },   // Exit
        [&] { Backend().TypeKey(VK_RETURN); }};
    Script(Backend(), steps);
    FMenu->Popup(50, 60);
    EXPECT_EQ(FLog, "E&xit;");
    EXPECT_TRUE(MenuWindows().empty()) << "the menu window is gone";
    EXPECT_FALSE(IsMenuOpen());
}

TEST_F(MenusTest, SubMenusOpenWithRightAndCloseWithLeftOrEscape) {
    size_t windowsInSub = 0;
    std::deque<std::function<void()>> steps = {
        [&] { Backend().TypeKey(VK_UP); },    // Exit
        [&] { Backend().TypeKey(VK_UP); },    // More
        [&] { Backend().TypeKey(VK_RIGHT); }, // opens, First selected
        [&] {
            windowsInSub = MenuWindows().size();
            Backend().TypeKey(VK_LEFT);
        },
        [&] { Backend().TypeKey(VK_RIGHT); },
        [&] { Backend().TypeKey(VK_DOWN); }, // Second
        [&] { Backend().TypeKey(VK_RETURN); }};
    Script(Backend(), steps);
    FMenu->Popup(50, 60);
    EXPECT_EQ(windowsInSub, 2u);
    EXPECT_EQ(FLog, "&Second;");

    FLog.clear();
    std::deque<std::function<void()>> cancel = {[&] { Backend().TypeKey('M'); },
                                                [&] { Backend().TypeKey(VK_ESCAPE); },
                                                [&] { Backend().TypeKey(VK_ESCAPE); }};
    Script(Backend(), cancel);
    EXPECT_EQ(TrackMenu(FMenu->Items(), 50, 60), nullptr);
    EXPECT_TRUE(cancel.empty()) << "the first Escape closed only the sub-menu";
    EXPECT_EQ(FLog, "");
}

TEST_F(MenusTest, AcceleratorLettersChoose) {
    std::deque<std::function<void()>> steps = {[&] { Backend().TypeKey('D'); }, // disabled
                                               [&] { Backend().TypeKey('X'); }};
    Script(Backend(), steps);
    FMenu->Popup(50, 60);
    EXPECT_EQ(FLog, "E&xit;");
}

TEST_F(MenusTest, LettersBeyondAsciiChooseByWhatTheKeyTypes) {
    auto* menu = new TPopupMenu(FForm);
    NewItem(FForm, menu->Items(), "&About", &FLog);
    NewItem(FForm, menu->Items(), "&Файл", &FLog);
    NewItem(FForm, menu->Items(), "П&равка", &FLog);
    std::deque<std::function<void()>> steps = {[&] { Backend().TypeText("Р"); }};
    Script(Backend(), steps);
    menu->Popup(50, 60);
    EXPECT_EQ(FLog, "П&равка;") << "the letter, in either case";

    // The A key of a Cyrillic layout types ф: that chooses, not the A.
    FLog.clear();
    steps = {[&] {
        Backend().PressKey('A');
        Backend().TypeText("ф");
        Backend().ReleaseKey('A');
    }};
    menu->Popup(50, 60);
    EXPECT_EQ(FLog, "&Файл;");

    // A key that types nothing stands for its own letter.
    FLog.clear();
    steps = {[&] { Backend().TypeKey('A'); }};
    menu->Popup(50, 60);
    EXPECT_EQ(FLog, "&About;");
}

TEST_F(MenusTest, MouseChoosesAnItemAndAPressOutsideCloses) {
    TWsRect bounds{};
    std::deque<std::function<void()>> steps = {
        [&] {
            bounds = Backend().WindowBounds(MenuWindows().at(0));
            Backend().MoveMouse(bounds.Left + 30, bounds.Top + 10); // over Open
        },
        [&] { Backend().Click(bounds.Left + 30, bounds.Top + 10); }};
    Script(Backend(), steps);
    FMenu->Popup(50, 60);
    EXPECT_EQ(bounds.Left, 50);
    EXPECT_EQ(bounds.Top, 60);
    EXPECT_EQ(FLog, "&Open;");

    FLog.clear();
    int formClicks = 0;
    FForm->SetOnClick(TNotifyEvent([&](TObject*) { ++formClicks; }));
    std::deque<std::function<void()>> outside = {[&] { Backend().Click(5, 5); }};
    Script(Backend(), outside);
    FMenu->Popup(50, 60);
    EXPECT_EQ(FLog, "");
    Application().ProcessMessages();
    EXPECT_EQ(formClicks, 0) << "the press that closed the menu went nowhere";
}

TEST_F(MenusTest, MenuStaysOnTheWorkArea) {
    Backend().SetWorkArea(TWsRect{0, 0, 400, 300});
    TWsRect bounds{};
    std::deque<std::function<void()>> steps = {[&] {
        bounds = Backend().WindowBounds(MenuWindows().at(0));
        Backend().TypeKey(VK_ESCAPE);
    }};
    Script(Backend(), steps);
    FMenu->Popup(390, 290);
    EXPECT_LE(bounds.Right, 390) << "flipped to the left of the point";
    EXPECT_LE(bounds.Bottom, 300);
}

TEST_F(MenusTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
    std::vector<std::string> drawn;
    for (TMenuItem* item : {FOpen, FExit}) {
        item->SetOnMeasureItem(TMenuMeasureItemEvent([](TObject*, TCanvas&, int& w, int& h) {
            w = 120;
            h = 30;
        }));
        item->SetOnDrawItem(
            TMenuDrawItemEvent([&drawn](TObject* sender, TCanvas& c, TRect r, bool selected) {
                auto* it = static_cast<TMenuItem*>(sender);
                drawn.push_back(it->Caption() + (selected ? "*" : "") +
                                Format(" %d", static_cast<int>(r.Height())));
                c.Brush().SetColor(selected ? clRed : clLime);
                c.FillRect(r);
            }));
    }
    TWsWindow window = 0;
    TWsRect bounds{};
    THeadlessImage before, after;
    std::deque<std::function<void()>> steps = {[&] {
                                                   window = MenuWindows().at(0);
                                                   bounds = Backend().WindowBounds(window);
                                                   before = Backend().Framebuffer(window);
                                                   Backend().TypeKey(VK_DOWN);
                                               },
                                               [&] {
                                                   after = Backend().Framebuffer(window);
                                                   Backend().TypeKey(VK_ESCAPE);
                                               }};
    Script(Backend(), steps);
    FMenu->Popup(10, 10);
    EXPECT_EQ(bounds.Right - bounds.Left, 120 + 6) << "the widest item decides, plus the frame";
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0], "&Open 30");
    EXPECT_EQ(drawn.back(), "E&xit 30");
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "&Open* 30"), drawn.end());
    // Pixels: lime before, red once selected (0x00RRGGBB in the frame buffer).
    EXPECT_EQ(before.Pixel(20, 10), 0x00FF00u);
    EXPECT_EQ(after.Pixel(20, 10), 0xFF0000u);
}

TEST_F(MenusTest, ChangesReachTheMenuAndShortcutsClick) {
    std::vector<std::pair<TMenuItem*, bool>> changes;
    FMenu->SetOnChange(TMenuChangeEvent(
        [&](TObject*, TMenuItem* source, bool rebuild) { changes.emplace_back(source, rebuild); }));
    FMore->Items(0)->SetCaption("Uno");
    auto* added = NewItem(FForm, FMore, "Tres", &FLog);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::make_pair(FMore->Items(0), false));
    EXPECT_EQ(changes[1], std::make_pair(FMore, true));

    added->SetShortCut(ShortCut('T', ssCtrl));
    EXPECT_EQ(ShortCutToText(added->ShortCutValue()), "Ctrl+T");
    TMessage m{WM_KEYDOWN, 'T', 1 | (static_cast<intptr_t>(ssCtrl) << 16), 0};
    EXPECT_TRUE(FMenu->IsShortCut(m));
    EXPECT_EQ(FLog, "Tres;");
    FMore->SetEnabled(false);
    EXPECT_FALSE(FMenu->IsShortCut(m)) << "not while its parent is disabled";
    TMessage plain{WM_KEYDOWN, 'T', 1, 0};
    FMore->SetEnabled(true);
    EXPECT_FALSE(FMenu->IsShortCut(plain));

    // A removed item no longer reports to the menu; deleting frees it.
    TComponentTracker alive(added);
    FMore->Delete(FMore->IndexOf(added));
    EXPECT_FALSE(alive.Exists());
    EXPECT_THROW(FMore->Items(5), EMenuError);
    EXPECT_THROW(FMenu->Items()->Add(FOpen), EMenuError) << "an item has one parent";
}

TEST_F(MenusTest, MainMenuTellsItsForm) {
    auto* main = new TMainMenu(FForm);
    std::vector<uintptr_t> notes;
    TWndMethod previous = FForm->WindowProc();
    FForm->SetWindowProc([&](TMessage& m) {
        if (m.Msg == CM_MENUCHANGED)
            notes.push_back(m.WParam);
        previous(m);
    });
    auto* file = NewItem(FForm, main->Items(), "&File");
    file->SetEnabled(false);
    EXPECT_EQ(notes, (std::vector<uintptr_t>{1, 0}));
    FForm->SetWindowProc(previous);
}

TEST_F(MenusTest, ItemDrawingCanReachItsMenuWindow) {
    // A flat frame drawn over the menu window in screen coordinates, the
    // way a skinned menu draws it before each item.
    TRect seen{};
    int found = 0;
    FOpen->SetOnDrawItem(TMenuDrawItemEvent([&](TObject* sender, TCanvas& c, TRect r, bool sel) {
        static_cast<TMenuItem*>(sender)->DefaultDrawItem(c, r, sel);
        TCanvas* screen = nullptr;
        if (GetMenuWindowOfCanvas(c, seen, screen)) {
            ++found;
            screen->Brush().SetColor(clRed);
            screen->FrameRect(seen);
        }
    }));
    THeadlessImage image;
    std::deque<std::function<void()>> steps = {[&] {
        image = Backend().Framebuffer(MenuWindows().at(0));
        Backend().TypeKey(VK_ESCAPE);
    }};
    Script(Backend(), steps);
    FMenu->Popup(70, 80);
    EXPECT_GE(found, 1);
    EXPECT_EQ(seen.TopLeft(), Point(70, 80));
    EXPECT_EQ(image.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(image.Pixel(image.Width - 1, image.Height - 1), 0xFF0000u);
    TBitmap other(4, 4);
    TCanvas* screen = nullptr;
    EXPECT_FALSE(GetMenuWindowOfCanvas(other.Canvas(), seen, screen));
}

TEST_F(MenusTest, RightClickOpensTheControlsMenuAtThePointer) {
    auto* panel = new TPanel(FForm);
    panel->SetParent(FForm);
    panel->SetBounds(10, 10, 100, 60);
    panel->SetPopupMenu(FMenu);
    auto* label = new TLabel(FForm);
    label->SetParent(panel);
    label->SetBounds(5, 5, 40, 15);
    Application().ProcessMessages();
    TWsRect bounds{};
    std::deque<std::function<void()>> steps = {[&] {
        bounds = Backend().WindowBounds(MenuWindows().at(0));
        Backend().TypeKey('O');
    }};
    Script(Backend(), steps);
    Backend().Click(20, 20, TWsButton::Right); // on the label: its parent's menu
    Application().ProcessMessages();
    EXPECT_EQ(bounds.Left, 20);
    EXPECT_EQ(bounds.Top, 20);
    EXPECT_EQ(FLog, "&Open;");
    EXPECT_EQ(FMenu->PopupComponent(), panel);
    FMenu->Free();
    EXPECT_EQ(panel->PopupMenu(), nullptr) << "a destroyed menu is forgotten";
}
