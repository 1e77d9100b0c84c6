// Mouse, keyboard and focus: what the application makes of injected input.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Button.h"
#include "framework/ui/Label.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/Panel.h"

#include <string>
#include <vector>

namespace {

class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<std::string> Log;

protected:
    void WndProc(TMessage& m) override {
        switch (m.Msg) {
        case CM_MOUSEENTER:
            Log.push_back("enter");
            break;
        case CM_MOUSELEAVE:
            Log.push_back("leave");
            break;
        case WM_LBUTTONDOWN:
            Log.push_back(Format("down %d,%d", LoSmallInt(m.LParam), HiSmallInt(m.LParam)));
            break;
        case WM_LBUTTONDBLCLK:
            Log.push_back("dblclk");
            break;
        case WM_LBUTTONUP:
            Log.push_back(Format("up %d,%d", LoSmallInt(m.LParam), HiSmallInt(m.LParam)));
            break;
        case WM_MOUSEMOVE:
            Log.push_back(Format("move %d,%d", LoSmallInt(m.LParam), HiSmallInt(m.LParam)));
            break;
        case WM_SETFOCUS:
            Log.push_back("setfocus");
            break;
        case WM_KILLFOCUS:
            Log.push_back("killfocus");
            break;
        case WM_KEYDOWN:
            Log.push_back(Format("key %d", static_cast<int>(m.WParam)));
            break;
        case WM_CHAR:
            Log.push_back(std::string("char ") + static_cast<char>(m.WParam));
            break;
        default:
            break;
        }
        TCustomControl::WndProc(m);
    }
};

TProbe* NewProbe(TWinControl* parent, int x, int y, int w = 40, int h = 20) {
    auto* p = new TProbe(parent);
    p->SetParent(parent);
    p->SetBounds(x, y, w, h);
    return p;
}

TButton* NewButton(TWinControl* parent, const std::string& caption, int x, int y) {
    auto* b = new TButton(parent);
    b->SetParent(parent);
    b->SetCaption(caption);
    b->SetBounds(x, y, 60, 20);
    return b;
}

} // namespace

TEST_F(HeadlessApplicationTest, MouseEnterLeaveMoveAndClick) {
    TForm* form = NewForm(100, 100, 200, 150);
    TProbe* a = NewProbe(form, 10, 10);
    TProbe* b = NewProbe(form, 100, 10);
    int clicks = 0;
    a->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    form->Show();
    a->Log.clear();
    Backend().MoveMouse(115, 115);
    Application().ProcessMessages();
    EXPECT_EQ(a->Log, (std::vector<std::string>{"enter", "move 5,5"}));
    a->Log.clear();
    Backend().MoveMouse(205, 112);
    Application().ProcessMessages();
    EXPECT_EQ(a->Log, (std::vector<std::string>{"leave"}));
    EXPECT_EQ(b->Log, (std::vector<std::string>{"enter", "move 5,2"}));
    EXPECT_EQ(Application().MouseControl(), b);

    ClickAt(112, 113);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a->Log.back(), "up 2,3");

    // Pressed inside, released outside: captured, so the release comes to
    // the pressing control, in its coordinates, and makes no click.
    a->Log.clear();
    Backend().MoveMouse(112, 113);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(220, 140);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(clicks, 1);
    ASSERT_FALSE(a->Log.empty());
    EXPECT_EQ(a->Log.back(), "up 110,30");
    EXPECT_NE(std::find(a->Log.begin(), a->Log.end(), "move 110,30"), a->Log.end());
    EXPECT_EQ(Application().CaptureControl(), nullptr);
}

TEST_F(HeadlessApplicationTest, DoubleClickNeedsTimeAndPlace) {
    TForm* form = NewForm(0, 0, 200, 150);
    TProbe* a = NewProbe(form, 10, 10);
    int clicks = 0, doubles = 0;
    a->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    a->SetOnDblClick(TNotifyEvent([&](TObject*) { ++doubles; }));
    form->Show();
    ClickAt(15, 15);
    Backend().AdvanceClock(100);
    ClickAt(16, 16);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    // A third click starts over; a slow second one is a click again.
    Backend().AdvanceClock(100);
    ClickAt(16, 16);
    Backend().AdvanceClock(TInputRouter::kDoubleClickTime + 1);
    ClickAt(16, 16);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(doubles, 1);
    // Too far away.
    Backend().AdvanceClock(10);
    ClickAt(16 + TInputRouter::kDoubleClickDistance + 1, 16);
    EXPECT_EQ(clicks, 4);
}

TEST_F(HeadlessApplicationTest, DisabledControlsTakeNoMouse) {
    TForm* form = NewForm(0, 0, 200, 150);
    TPanel* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    TProbe* a = NewProbe(panel, 10, 10);
    int clicks = 0;
    a->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    form->Show();
    panel->SetEnabled(false);
    ClickAt(15, 15);
    EXPECT_EQ(clicks, 0);
    panel->SetEnabled(true);
    ClickAt(15, 15);
    EXPECT_EQ(clicks, 1);
}

TEST_F(HeadlessApplicationTest, TabOrderShiftTabAndArrows) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    TPanel* group = new TPanel(form);
    group->SetParent(form);
    group->SetBounds(10, 50, 200, 100);
    TProbe* b1 = NewProbe(group, 10, 10);
    TProbe* b2 = NewProbe(group, 60, 10);
    TProbe* c = NewProbe(form, 250, 10);
    TProbe* skipped = NewProbe(form, 250, 40);
    skipped->SetTabStop(false);
    c->SetTabOrder(0); // c first, then a, the group's children, skipped never
    form->Show();
    EXPECT_EQ(form->ActiveControl(), c) << "showing focuses the first in tab order";
    std::vector<TWinControl*> seen;
    for (int i = 0; i < 4; ++i) {
        Key(VK_TAB);
        seen.push_back(form->ActiveControl());
    }
    EXPECT_EQ(seen, (std::vector<TWinControl*>{a, b1, b2, c}));
    Backend().PressKey(VK_SHIFT);
    Key(VK_TAB);
    Backend().ReleaseKey(VK_SHIFT);
    EXPECT_EQ(form->ActiveControl(), b2);
    // Arrows move among siblings only, TabStop or not.
    Key(VK_RIGHT);
    EXPECT_EQ(form->ActiveControl(), b1) << "wraps within the group";
    b1->SetFocus();
    c->SetFocus();
    Key(VK_UP);
    EXPECT_EQ(form->ActiveControl(), skipped) << "backwards from the first: the last";
    // A hidden or disabled control is passed over.
    a->SetFocus();
    b1->SetEnabled(false);
    Key(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), b2);
    EXPECT_EQ(b2->Log.back(), "setfocus");
    EXPECT_THROW(b1->SetFocus(), EInvalidOperation);
}

TEST_F(HeadlessApplicationTest, FocusChangeNotifiesEveryControl) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    TProbe* b = NewProbe(form, 60, 10);
    std::vector<intptr_t> changes;
    TWndMethod previous = b->WindowProc();
    b->SetWindowProc([&](TMessage& m) {
        if (m.Msg == CM_FOCUSCHANGED)
            changes.push_back(m.LParam);
        previous(m);
    });
    int entered = 0, exited = 0;
    a->SetOnExit(TNotifyEvent([&](TObject*) { ++exited; }));
    b->SetOnEnter(TNotifyEvent([&](TObject*) { ++entered; }));
    form->Show();
    a->Log.clear();
    b->SetFocus();
    EXPECT_EQ(a->Log, (std::vector<std::string>{"killfocus"}));
    EXPECT_EQ(exited, 1);
    EXPECT_EQ(entered, 1);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), reinterpret_cast<intptr_t>(static_cast<TWinControl*>(b)))
        << "a control that is not focused hears of the change too";
    EXPECT_TRUE(b->Focused());
    b->SetWindowProc(previous);
}

TEST_F(HeadlessApplicationTest, KeysGoToTheFocusedControlCharactersToo) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    form->Show();
    a->Log.clear();
    Backend().TypeKey('Q');
    Backend().TypeText("q");
    Application().ProcessMessages();
    EXPECT_EQ(a->Log, (std::vector<std::string>{"key 81", "char q"}));
}

TEST_F(HeadlessApplicationTest, EnterClicksTheDefaultButtonEscapeTheCancelOne) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* edit = NewProbe(form, 10, 10);
    TButton* ok = NewButton(form, "OK", 10, 100);
    TButton* cancel = NewButton(form, "Cancel", 80, 100);
    TButton* other = NewButton(form, "Other", 150, 100);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    std::string clicked;
    ok->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "ok "; }));
    cancel->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "cancel "; }));
    other->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "other "; }));
    form->Show();
    edit->SetFocus();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(clicked, "ok cancel ");
    // A focused button takes Enter instead of the default one.
    clicked.clear();
    other->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(clicked, "other ");
    // Only a button that could take the focus reacts.
    clicked.clear();
    edit->SetFocus();
    ok->SetVisible(false);
    cancel->SetEnabled(false);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(clicked, "");
    // With Shift held, Enter is no dialog key for the button.
    ok->SetVisible(true);
    Backend().PressKey(VK_SHIFT);
    Key(VK_RETURN);
    Backend().ReleaseKey(VK_SHIFT);
    EXPECT_EQ(clicked, "");
}

TEST_F(HeadlessApplicationTest, AcceleratorsReachOnlyFocusableControls) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* edit = NewProbe(form, 10, 10);
    TButton* next = NewButton(form, "&Next", 10, 100);
    TPageControl* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(100, 0, 150, 90);
    auto* page1 = new TTabSheet(form);
    page1->SetPageControl(pages);
    auto* page2 = new TTabSheet(form);
    page2->SetPageControl(pages);
    TButton* hidden = NewButton(page2, "&Hidden", 5, 5);
    TButton* shown = NewButton(page1, "S&how", 5, 5);
    std::string clicked;
    next->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "next "; }));
    hidden->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "hidden "; }));
    shown->SetOnClick(TNotifyEvent([&](TObject*) { clicked += "show "; }));
    form->Show();
    edit->SetFocus();
    // Alt+N.
    Backend().PressKey(VK_MENU);
    Key('N');
    Key('H');
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "next show ") << "the button on the hidden page does not react";
    // On a control that takes no characters, a plain letter works too.
    clicked.clear();
    Backend().TypeText("n");
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "next ");
    pages->SetActivePageIndex(1);
    clicked.clear();
    Backend().TypeText("h");
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "hidden ");
}

TEST_F(HeadlessApplicationTest, LabelAcceleratorFocusesItsControl) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    TProbe* b = NewProbe(form, 10, 50);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("&Beta");
    label->SetFocusControl(b);
    form->Show();
    a->SetFocus();
    Backend().PressKey(VK_MENU);
    Key('B');
    Backend().ReleaseKey(VK_MENU);
    EXPECT_EQ(form->ActiveControl(), b);
}

TEST_F(HeadlessApplicationTest, AcceleratorsBeyondAsciiAnswerTheWholeTypedCharacter) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* edit = NewProbe(form, 10, 10);
    std::string clicked;
    for (const char* caption : {"&Файл", "&Émettre", "&About", "&Ωμέγα", "&Œuvre"}) {
        TButton* b = NewButton(form, caption, 10, 40);
        b->SetOnClick(TNotifyEvent(
            [&clicked, caption](TObject*) { clicked += std::string(caption + 1) + " "; }));
    }
    form->Show();
    edit->SetFocus();
    auto altType = [&](const std::string& text) {
        Backend().PressKey(VK_MENU);
        Backend().TypeText(text);
        Backend().ReleaseKey(VK_MENU);
        Application().ProcessMessages();
    };
    // Alt with the letter, in either case.
    altType("ф");
    altType("É");
    altType("ω");
    EXPECT_EQ(clicked, "Файл Émettre Ωμέγα ");

    // The bytes come one message at a time: only the whole character counts.
    clicked.clear();
    Backend().PressKey(VK_MENU);
    Backend().TypeText("\xD0");
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "");
    Backend().TypeText("\xA4"); // D0 A4 is Ф
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "Файл ");

    // A layout that types Cyrillic on the A key: what the key types is the
    // letter, not the key's own. A key that types nothing stands for its own.
    clicked.clear();
    Backend().PressKey(VK_MENU);
    Backend().PressKey('A');
    Backend().TypeText("ф");
    Backend().ReleaseKey('A');
    Key('A');
    Backend().ReleaseKey(VK_MENU);
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "Файл About ");

    // Without Alt, on a control that takes no text; a Windows-1252 byte that
    // begins no UTF-8 is its letter there (9C: small oe).
    clicked.clear();
    Backend().TypeText("é");
    Backend().TypeText("\x9C");
    Application().ProcessMessages();
    EXPECT_EQ(clicked, "Émettre Œuvre ");
}

TEST_F(HeadlessApplicationTest, ApplicationHandlerSeesKeysFirst) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    form->Show();
    a->Log.clear();
    std::vector<uint32_t> seen;
    Application().SetOnMessage([&](TMessage& m, bool& handled) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_SYSKEYDOWN && m.WParam == VK_SPACE)
            handled = true;
        if (m.Msg == WM_KEYDOWN && m.WParam == 'X')
            handled = true;
    });
    Backend().PressKey(VK_MENU);
    Key(VK_SPACE);
    Backend().ReleaseKey(VK_MENU);
    Key('X');
    Key('Y');
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_SYSCHAR), seen.end());
    EXPECT_EQ(std::count(a->Log.begin(), a->Log.end(), "key 88"), 0);
    EXPECT_EQ(std::count(a->Log.begin(), a->Log.end(), "key 89"), 1);
    EXPECT_EQ(std::count(a->Log.begin(), a->Log.end(), "key 32"), 0);
    Application().SetOnMessage(nullptr);
}

TEST_F(HeadlessApplicationTest, ModalFormTakesAllInputUntilItHasAResult) {
    TForm* main = NewForm(0, 0, 300, 200);
    TProbe* behind = NewProbe(main, 10, 10);
    int behindClicks = 0;
    behind->SetOnClick(TNotifyEvent([&](TObject*) { ++behindClicks; }));
    main->Show();
    auto* dialog = new TForm(nullptr);
    dialog->SetBorderStyle(TFormBorderStyle::bsNone);
    dialog->SetBounds(400, 0, 100, 100);
    TButton* yes = NewButton(dialog, "Yes", 10, 10);
    yes->SetModalResult(mrYes);
    // Once the dialog waits, the user clicks the form behind (ignored),
    // then Yes.
    int step = 0;
    Backend().SetIdleHandler([&] {
        if (step == 0)
            Backend().Click(15, 15);
        else if (step == 1)
            Backend().Click(415, 15);
        ++step;
    });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    Backend().SetIdleHandler(nullptr);
    EXPECT_EQ(behindClicks, 0);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(Application().ActiveForm(), main);
    dialog->Free();
}

TEST_F(HeadlessApplicationTest, DestroyedFocusedControlIsForgotten) {
    TForm* form = NewForm(0, 0, 300, 200);
    TProbe* a = NewProbe(form, 10, 10);
    TProbe* b = NewProbe(form, 60, 10);
    form->Show();
    b->SetFocus();
    Backend().MoveMouse(65, 15);
    Application().ProcessMessages();
    EXPECT_EQ(Application().MouseControl(), b);
    delete b; // a plain delete, not Free
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(Application().MouseControl(), nullptr);
    Key(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), a);
    Key('Q');
    EXPECT_EQ(a->Log.back(), "key 81");
}
