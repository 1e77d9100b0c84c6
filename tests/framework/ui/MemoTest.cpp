// The native multi-line edit: editing, selection, the clipboard messages,
// undo, wrapping, and the scroll state it reports and obeys.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Button.h"
#include "framework/ui/Memo.h"

namespace {

class MemoTest : public HeadlessApplicationTest {
protected:
    void SetUp() override {
        HeadlessApplicationTest::SetUp();
        FForm = NewForm(0, 0, 300, 200);
        FMemo = new TMemo(FForm);
        FMemo->SetParent(FForm);
        FMemo->SetBounds(10, 10, 200, 100);
        FOther = new TButton(FForm);
        FOther->SetParent(FForm);
        FOther->SetBounds(10, 150, 60, 20);
        FForm->Show();
        FMemo->SetFocus();
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

    TForm* FForm = nullptr;
    TMemo* FMemo = nullptr;
    TButton* FOther = nullptr;
};

} // namespace

TEST_F(MemoTest, TypingEnterBackspaceAndTheLines) {
    int changes = 0;
    FMemo->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    Type("Hello");
    Key(VK_RETURN);
    Type("World");
    EXPECT_EQ(FMemo->Text(), "Hello\r\nWorld");
    ASSERT_EQ(FMemo->Lines()->Count(), 2);
    EXPECT_EQ(FMemo->Lines()->Get(1), "World");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_BACK); // joins the lines: the whole CR LF goes
    EXPECT_EQ(FMemo->Text(), "HelloWorl");
    EXPECT_EQ(FMemo->SelStart(), 5);
    EXPECT_EQ(changes, 13);
    EXPECT_EQ(FForm->ActiveControl(), FMemo) << "Enter stayed in the memo";
    Key(VK_TAB);
    EXPECT_EQ(FForm->ActiveControl(), FOther) << "Tab is for the dialog unless WantTabs";

    // Lines edited directly are the text from then on.
    FMemo->Lines()->Add("third");
    EXPECT_EQ(FMemo->Text(), "HelloWorl\r\nthird");
}

TEST_F(MemoTest, SelectionClipboardAndUndo) {
    FMemo->SetText("one two three");
    FMemo->SetSelStart(4);
    Backend().PressKey(VK_SHIFT);
    for (int i = 0; i < 3; ++i)
        Key(VK_RIGHT);
    Backend().ReleaseKey(VK_SHIFT);
    EXPECT_EQ(FMemo->SelText(), "two");
    FMemo->Perform(WM_CUT);
    EXPECT_EQ(FMemo->Text(), "one  three");
    EXPECT_EQ(Backend().ClipboardText(), "two");
    FMemo->SetSelStart(0);
    FMemo->Perform(WM_PASTE);
    EXPECT_EQ(FMemo->Text(), "twoone  three");
    FMemo->Perform(WM_UNDO);
    EXPECT_EQ(FMemo->Text(), "one  three");
    FMemo->Perform(WM_UNDO);
    EXPECT_EQ(FMemo->Text(), "twoone  three") << "a second undo takes the first back";
    FMemo->SelectAll();
    FMemo->Perform(WM_CLEAR);
    EXPECT_EQ(FMemo->Text(), "");
    // Ctrl+Z as a character does the same.
    Backend().PressKey(VK_CONTROL);
    Key('Z');
    Backend().ReleaseKey(VK_CONTROL);
    EXPECT_EQ(FMemo->Text(), "twoone  three");

    FMemo->SetReadOnly(true);
    FMemo->SelectAll();
    FMemo->Perform(WM_CUT);
    Type("x");
    EXPECT_EQ(FMemo->Text(), "twoone  three");
    FMemo->Perform(WM_COPY);
    EXPECT_EQ(Backend().ClipboardText(), "twoone  three") << "copying works read-only";

    FMemo->SetReadOnly(false);
    FMemo->SetText("");
    FMemo->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(FMemo->Text(), "abcd");
}

TEST_F(MemoTest, MouseSelects) {
    FMemo->SetText("abcdef");
    TPoint a = FMemo->ClientToScreen(FMemo->PosOfChar(1));
    TPoint b = FMemo->ClientToScreen(FMemo->PosOfChar(4));
    Backend().MoveMouse(a.X, a.Y + 2);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(b.X, b.Y + 2);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(FMemo->SelStart(), 1);
    EXPECT_EQ(FMemo->SelText(), "bcd");
}

TEST_F(MemoTest, WordWrapBreaksAtBlanks) {
    FMemo->SetText("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm");
    int wrapped = FMemo->DisplayLineCount();
    EXPECT_GT(wrapped, 1);
    FMemo->SetWordWrap(false);
    EXPECT_EQ(FMemo->DisplayLineCount(), 1);
    FMemo->SetWordWrap(true);
    FMemo->SetWidth(FMemo->Width() * 2);
    EXPECT_LT(FMemo->DisplayLineCount(), wrapped);
}

TEST_F(MemoTest, ScrollStateIsReportedAndObeyed) {
    TScrollInfo info;
    EXPECT_FALSE(GetScrollInfo(FMemo, SB_VERT, info)) << "no scroll bars by default";
    TScrollBarInfo bar;
    ASSERT_TRUE(GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], STATE_SYSTEM_INVISIBLE);

    FMemo->SetScrollBars(TScrollStyle::ssVertical);
    ASSERT_TRUE(GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], STATE_SYSTEM_UNAVAILABLE) << "the text fits";

    FMemo->SetText(ManyLines(40));
    int page = FMemo->VisibleLineCount();
    ASSERT_TRUE(GetScrollInfo(FMemo, SB_VERT, info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 39);
    EXPECT_EQ(static_cast<int>(info.nPage), page);
    EXPECT_EQ(info.nPos, 0);
    ASSERT_TRUE(GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.rgstate[0], 0u);
    EXPECT_EQ(bar.dxyLineButton, kScrollBarSize);
    EXPECT_EQ(bar.xyThumbTop, kScrollBarSize);
    EXPECT_GE(bar.xyThumbBottom - bar.xyThumbTop, kMinThumb);
    EXPECT_EQ(bar.rcScrollBar.Right - bar.rcScrollBar.Left, kScrollBarSize);
    EXPECT_EQ(bar.rcScrollBar.Right, 10 + 200 - 2) << "inside the sunken edge, at the right";

    FMemo->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 10));
    EXPECT_EQ(FMemo->TopLine(), 10);
    FMemo->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(FMemo->TopLine(), 11);
    FMemo->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(FMemo->TopLine(), 40 - page);
    FMemo->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 1000));
    EXPECT_EQ(FMemo->TopLine(), 40 - page) << "clamped";
    GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar);
    EXPECT_EQ(bar.xyThumbBottom, FMemo->ClientHeight() - kScrollBarSize);

    // The wheel: three lines a notch, up is back.
    FMemo->Perform(WM_VSCROLL, SB_TOP);
    Backend().MoveMouse(50, 50);
    Backend().Wheel(-WHEEL_DELTA);
    Application().ProcessMessages();
    EXPECT_EQ(FMemo->TopLine(), 3);

    // A click on the lower arrow of the painted bar scrolls a line.
    TPoint arrow = Point(bar.rcScrollBar.Left + 5, bar.rcScrollBar.Bottom - 5);
    ClickAt(arrow.X, arrow.Y);
    EXPECT_EQ(FMemo->TopLine(), 4);
    // Dragging the thumb to the bottom of its track scrolls to the end,
    // reporting every step as SB_THUMBTRACK.
    std::vector<int> tracked;
    TWndMethod previous = FMemo->WindowProc();
    FMemo->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_VSCROLL && LoWord(m.WParam) == SB_THUMBTRACK)
            tracked.push_back(HiWord(m.WParam));
        previous(m);
    });
    GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar);
    int thumbY = bar.rcScrollBar.Top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    Backend().MoveMouse(bar.rcScrollBar.Left + 5, thumbY);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(bar.rcScrollBar.Left + 5, thumbY + 10);
    Backend().MoveMouse(bar.rcScrollBar.Left + 40, bar.rcScrollBar.Bottom + 50);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    FMemo->SetWindowProc(previous);
    ASSERT_EQ(tracked.size(), 2u);
    EXPECT_GT(tracked[0], 4);
    EXPECT_EQ(tracked[1], 40 - page);
    EXPECT_EQ(FMemo->TopLine(), 40 - page);
    EXPECT_EQ(Application().CaptureControl(), nullptr);
    FMemo->Perform(WM_VSCROLL, SB_TOP);

    // Moving the caret below the window scrolls it into view.
    FMemo->SetSelStart(static_cast<int>(FMemo->Text().size()));
    EXPECT_EQ(FMemo->TopLine(), 40 - page);
}

TEST_F(MemoTest, PaintsTextFrameAndBar) {
    FMemo->SetScrollBars(TScrollStyle::ssVertical);
    FMemo->SetText(ManyLines(40));
    Application().ProcessMessages();
    // The sunken edge's outer line, the window colour inside, the bar's
    // face-coloured arrow button at the top right.
    EXPECT_EQ(WindowPixel(FForm, 10, 50), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(FForm, 150, 100), ColorToRGB(clWindow));
    TScrollBarInfo bar;
    GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar);
    EXPECT_EQ(WindowPixel(FForm, bar.rcScrollBar.Left + 3, bar.rcScrollBar.Top + 3),
              ColorToRGB(clBtnFace));
    // Some text pixel in the first row is dark.
    bool ink = false;
    for (int x = 13; x < 60 && !ink; ++x)
        for (int y = 12; y < 24 && !ink; ++y)
            ink = WindowPixel(FForm, x, y) == ColorToRGB(clWindowText);
    EXPECT_TRUE(ink);
}

TEST_F(MemoTest, PositionsBeyondSixteenBits) {
    FMemo->SetScrollBars(TScrollStyle::ssVertical);
    FMemo->SetText(ManyLines(70000));
    const int last = 70000 - FMemo->VisibleLineCount();
    // SetScrollInfo's position is whole; a request carries 16 bits of it.
    TScrollInfo info;
    info.fMask = SIF_POS;
    info.nPos = 68000;
    ASSERT_TRUE(SetScrollInfo(FMemo, SB_VERT, info));
    EXPECT_EQ(FMemo->TopLine(), 68000);
    EXPECT_FALSE(SetScrollInfo(FMemo, SB_HORZ, info)) << "no horizontal bar";
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = 10;
    info.nPage = 1;
    SetScrollInfo(FMemo, SB_VERT, info);
    EXPECT_EQ(FMemo->TopLine(), 68000) << "the range follows the text";
    GetScrollInfo(FMemo, SB_VERT, info);
    EXPECT_EQ(info.nMax, 69999);
    FMemo->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 68000) & 0xFFFFFFFF);
    EXPECT_EQ(FMemo->TopLine(), 68000 - 65536);

    // Its own thumb dragged to the end reaches the last line, and the track
    // position reports the whole position while it is dragged.
    TScrollBarInfo bar;
    GetScrollBarInfo(FMemo, OBJID_VSCROLL, bar);
    const int x = bar.rcScrollBar.Left + 5;
    Backend().MoveMouse(x, bar.rcScrollBar.Top + (bar.xyThumbTop + bar.xyThumbBottom) / 2);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(x, bar.rcScrollBar.Bottom + 40);
    Application().ProcessMessages();
    EXPECT_EQ(FMemo->TopLine(), last);
    GetScrollInfo(FMemo, SB_VERT, info);
    EXPECT_EQ(info.nTrackPos, last);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(FMemo->TopLine(), last);
    GetScrollInfo(FMemo, SB_VERT, info);
    EXPECT_EQ(info.nTrackPos, info.nPos);
}

TEST_F(MemoTest, LinesEditedOrCopiedOverAreTheTextAtOnce) {
    FMemo->SetText("one\r\ntwo");
    EXPECT_EQ(FMemo->DisplayLineCount(), 2);
    FMemo->Lines()->Add("three");
    EXPECT_EQ(FMemo->Text(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(FMemo->DisplayLineCount(), 3);
    TStringList other;
    other.Add("alone");
    *FMemo->Lines() = other;
    EXPECT_EQ(FMemo->Text(), "alone");
    EXPECT_EQ(FMemo->DisplayLineCount(), 1);
    FMemo->Lines()->Put(0, "changed");
    EXPECT_EQ(FMemo->Text(), "changed");
    FMemo->Lines()->Clear();
    EXPECT_EQ(FMemo->Text(), "");
}
