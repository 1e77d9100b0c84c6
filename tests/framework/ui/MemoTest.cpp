// The native multi-line edit: editing, selection, the clipboard messages,
// undo, wrapping, and the scroll state it reports and obeys.

#include "ControlsTestSupport.h"

#include "framework/ui/Button.h"
#include "framework/ui/Memo.h"

namespace {

class MemoTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        form_ = NewForm(0, 0, 300, 200);
        memo_ = new TMemo(form_);
        memo_->SetParent(form_);
        memo_->SetBounds(10, 10, 200, 100);
        other_ = new TButton(form_);
        other_->SetParent(form_);
        other_->SetBounds(10, 150, 60, 20);
        form_->Show();
        memo_->SetFocus();
    }
    void Type(const std::string& text) {
        Backend().TypeText(text);
        Application().ProcessMessages();
    }
    std::string ManyLines(int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += (i ? "\r\n" : "") + Format("line %d", i);
        return text;
    }

    TForm* form_ = nullptr;
    TMemo* memo_ = nullptr;
    TButton* other_ = nullptr;
};

} // namespace

TEST_F(MemoTest, TypingEnterBackspaceAndTheLines) {
    int changes = 0;
    memo_->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    Type("Hello");
    Key(VK_RETURN);
    Type("World");
    EXPECT_EQ(memo_->Text(), "Hello\r\nWorld");
    ASSERT_EQ(memo_->Lines()->Count(), 2);
    EXPECT_EQ(memo_->Lines()->Get(1), "World");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_BACK); // joins the lines: the whole CR LF goes
    EXPECT_EQ(memo_->Text(), "HelloWorl");
    EXPECT_EQ(memo_->SelStart(), 5);
    EXPECT_EQ(changes, 13);
    EXPECT_EQ(form_->ActiveControl(), memo_) << "Enter stayed in the memo";
    Key(VK_TAB);
    EXPECT_EQ(form_->ActiveControl(), other_) << "Tab is for the dialog unless WantTabs";

    // Lines edited directly are the text from then on.
    memo_->Lines()->Add("third");
    EXPECT_EQ(memo_->Text(), "HelloWorl\r\nthird");
}

TEST_F(MemoTest, SelectionClipboardAndUndo) {
    memo_->SetText("one two three");
    memo_->SetSelStart(4);
    Backend().PressKey(VK_SHIFT);
    for (int i = 0; i < 3; ++i)
        Key(VK_RIGHT);
    Backend().ReleaseKey(VK_SHIFT);
    EXPECT_EQ(memo_->SelText(), "two");
    memo_->Perform(WM_CUT);
    EXPECT_EQ(memo_->Text(), "one  three");
    EXPECT_EQ(Backend().ClipboardText(), "two");
    memo_->SetSelStart(0);
    memo_->Perform(WM_PASTE);
    EXPECT_EQ(memo_->Text(), "twoone  three");
    memo_->Perform(WM_UNDO);
    EXPECT_EQ(memo_->Text(), "one  three");
    memo_->Perform(WM_UNDO);
    EXPECT_EQ(memo_->Text(), "twoone  three") << "a second undo takes the first back";
    memo_->SelectAll();
    memo_->Perform(WM_CLEAR);
    EXPECT_EQ(memo_->Text(), "");
    // Ctrl+Z as a character does the same.
    Backend().PressKey(VK_CONTROL);
    Key('Z');
    Backend().ReleaseKey(VK_CONTROL);
    EXPECT_EQ(memo_->Text(), "twoone  three");

    memo_->SetReadOnly(true);
    memo_->SelectAll();
    memo_->Perform(WM_CUT);
    Type("x");
    EXPECT_EQ(memo_->Text(), "twoone  three");
    memo_->Perform(WM_COPY);
    EXPECT_EQ(Backend().ClipboardText(), "twoone  three") << "copying works read-only";

    memo_->SetReadOnly(false);
    memo_->SetText("");
    memo_->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(memo_->Text(), "abcd");
}

TEST_F(MemoTest, MouseSelects) {
    memo_->SetText("abcdef");
    TPoint a = memo_->ClientToScreen(memo_->PosOfChar(1));
    TPoint b = memo_->ClientToScreen(memo_->PosOfChar(4));
    Backend().MoveMouse(a.X, a.Y + 2);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(b.X, b.Y + 2);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(memo_->SelStart(), 1);
    EXPECT_EQ(memo_->SelText(), "bcd");
}

TEST_F(MemoTest, WordWrapBreaksAtBlanks) {
    memo_->SetText("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm");
    int wrapped = memo_->DisplayLineCount();
    EXPECT_GT(wrapped, 1);
    memo_->SetWordWrap(false);
    EXPECT_EQ(memo_->DisplayLineCount(), 1);
    memo_->SetWordWrap(true);
    memo_->SetWidth(memo_->Width() * 2);
    EXPECT_LT(memo_->DisplayLineCount(), wrapped);
}

TEST_F(MemoTest, ScrollStateIsReportedAndObeyed) {
    TScrollInfo info;
    EXPECT_FALSE(GetScrollInfo(memo_, SB_VERT, info)) << "no scroll bars by default";
    TScrollBarInfo bar;
    ASSERT_TRUE(GetScrollBarInfo(memo_, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], STATE_SYSTEM_INVISIBLE);

    memo_->SetScrollBars(TScrollStyle::ssVertical);
    ASSERT_TRUE(GetScrollBarInfo(memo_, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], STATE_SYSTEM_UNAVAILABLE) << "the text fits";

    memo_->SetText(ManyLines(40));
    int page = memo_->VisibleLineCount();
    ASSERT_TRUE(GetScrollInfo(memo_, SB_VERT, info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 39);
    EXPECT_EQ(static_cast<int>(info.nPage), page);
    EXPECT_EQ(info.nPos, 0);
    ASSERT_TRUE(GetScrollBarInfo(memo_, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], 0u);
    EXPECT_EQ(bar.dxyLineButton, kScrollBarSize);
    EXPECT_EQ(bar.xyThumbTop, kScrollBarSize);
    EXPECT_GE(bar.xyThumbBottom - bar.xyThumbTop, kMinThumb);
    EXPECT_EQ(bar.rcScrollBar.Right - bar.rcScrollBar.Left, kScrollBarSize);
    EXPECT_EQ(bar.rcScrollBar.Right, 10 + 200 - 2) << "inside the sunken edge, at the right";

    memo_->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 10));
    EXPECT_EQ(memo_->TopLine(), 10);
    memo_->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(memo_->TopLine(), 11);
    memo_->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(memo_->TopLine(), 40 - page);
    memo_->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 1000));
    EXPECT_EQ(memo_->TopLine(), 40 - page) << "clamped";
    GetScrollBarInfo(memo_, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.xyThumbBottom, memo_->ClientHeight() - kScrollBarSize);

    // The wheel: three lines a notch, up is back.
    memo_->Perform(WM_VSCROLL, SB_TOP);
    Backend().MoveMouse(50, 50);
    Backend().Wheel(-WHEEL_DELTA);
    Application().ProcessMessages();
    EXPECT_EQ(memo_->TopLine(), 3);

    // A click on the lower arrow of the painted bar scrolls a line.
    TPoint arrow = Point(bar.rcScrollBar.Left + 5, bar.rcScrollBar.Bottom - 5);
    ClickAt(arrow.X, arrow.Y);
    EXPECT_EQ(memo_->TopLine(), 4);
    // Dragging the thumb to the bottom of its track scrolls to the end,
    // reporting every step as SB_THUMBTRACK.
    std::vector<int> tracked;
    TWndMethod previous = memo_->WindowProc();
    memo_->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_VSCROLL && LoWord(m.WParam) == SB_THUMBTRACK)
            tracked.push_back(HiWord(m.WParam));
        previous(m);
    });
    GetScrollBarInfo(memo_, OBJID_VSCROLL, bar);
    int thumbY = bar.rcScrollBar.Top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    Backend().MoveMouse(bar.rcScrollBar.Left + 5, thumbY);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(bar.rcScrollBar.Left + 5, thumbY + 10);
    Backend().MoveMouse(bar.rcScrollBar.Left + 40, bar.rcScrollBar.Bottom + 50);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    memo_->SetWindowProc(previous);
    ASSERT_EQ(tracked.size(), 2u);
    EXPECT_GT(tracked[0], 4);
    EXPECT_EQ(tracked[1], 40 - page);
    EXPECT_EQ(memo_->TopLine(), 40 - page);
    EXPECT_EQ(Application().CaptureControl(), nullptr);
    memo_->Perform(WM_VSCROLL, SB_TOP);

    // Moving the caret below the window scrolls it into view.
    memo_->SetSelStart(static_cast<int>(memo_->Text().size()));
    EXPECT_EQ(memo_->TopLine(), 40 - page);
}

TEST_F(MemoTest, PaintsTextFrameAndBar) {
    memo_->SetScrollBars(TScrollStyle::ssVertical);
    memo_->SetText(ManyLines(40));
    Application().ProcessMessages();
    // The sunken edge's outer line, the window colour inside, the bar's
    // face-coloured arrow button at the top right.
    EXPECT_EQ(WindowPixel(form_, 10, 50), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(form_, 150, 100), ColorToRGB(clWindow));
    TScrollBarInfo bar;
    GetScrollBarInfo(memo_, OBJID_VSCROLL, bar);
    EXPECT_EQ(WindowPixel(form_, bar.rcScrollBar.Left + 3, bar.rcScrollBar.Top + 3),
              ColorToRGB(clBtnFace));
    // Some text pixel in the first row is dark.
    bool ink = false;
    for (int x = 13; x < 60 && !ink; ++x)
        for (int y = 12; y < 24 && !ink; ++y)
            ink = WindowPixel(form_, x, y) == ColorToRGB(clWindowText);
    EXPECT_TRUE(ink);
}
