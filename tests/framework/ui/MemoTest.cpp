// The native multi-line edit: editing, selection, the clipboard messages,
// undo, wrapping, and the scroll state it reports and obeys.

#include "support/HeadlessApplicationTest.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Button.h"
#include "framework/ui/Memo.h"
#include "platform/kernel32/CodePage.h"

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
    // The width of text in the memo's font, measured whole.
    int TextWidth(const std::string& text) {
        TBitmap scratch(1, 1);
        scratch.Canvas().Font().Assign(FMemo->FontRef());
        return scratch.Canvas().TextWidth(text);
    }
    // Where each display line begins: where a click left of it goes.
    std::vector<int> RowStarts() {
        std::vector<int> starts;
        for (int row = 0; row < FMemo->DisplayLineCount(); ++row)
            starts.push_back(FMemo->CharAtPos(Point(-5, row * FMemo->LineHeight() + 1)));
        return starts;
    }
    // The caret positions the arrow keys stop at, from where it is now.
    std::vector<int> Walk(int vk, int steps) {
        std::vector<int> stops;
        for (int i = 0; i < steps; ++i) {
            Key(vk);
            stops.push_back(FMemo->SelStart());
        }
        return stops;
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

// --- Text whose characters take several bytes ---

TEST_F(MemoTest, KeysStepOverWholeCharacters) {
    // a, ж (2 bytes), € (3), a byte that is no UTF-8 (1), 漢 (3), CR LF, b.
    FMemo->SetText("aж€\xE2"
                   "漢\r\nb");
    using Stops = std::vector<int>;
    EXPECT_EQ(Walk(VK_RIGHT, 8), (Stops{1, 3, 6, 7, 10, 12, 13, 13}));
    EXPECT_EQ(Walk(VK_LEFT, 8), (Stops{12, 10, 7, 6, 3, 1, 0, 0}));

    // Shift takes the selection along a character at a time.
    FMemo->SetSelStart(1);
    Backend().PressKey(VK_SHIFT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(FMemo->SelText(), "ж€");
    Key(VK_LEFT);
    Backend().ReleaseKey(VK_SHIFT);
    EXPECT_EQ(FMemo->SelText(), "ж");

    // Delete and Backspace take a whole character.
    FMemo->SetSelStart(1);
    Key(VK_DELETE);
    EXPECT_EQ(FMemo->Text(), "a€\xE2"
                             "漢\r\nb");
    FMemo->SetSelStart(8);
    Key(VK_BACK);
    EXPECT_EQ(FMemo->Text(), "a€\xE2\r\nb");
    Key(VK_BACK);
    EXPECT_EQ(FMemo->Text(), "a€\r\nb");
    Key(VK_BACK);
    EXPECT_EQ(FMemo->Text(), "a\r\nb");
    EXPECT_EQ(FMemo->SelStart(), 1);

    // Up and Down keep the column by its pixels, and land on a character.
    FMemo->SetText("жжжж\r\nжжжж\r\nabcdefghijkl");
    FMemo->SetSelStart(4);
    Key(VK_DOWN);
    EXPECT_EQ(FMemo->SelStart(), 14);
    int last = 0;
    for (int column = 0; column <= 12; ++column) {
        FMemo->SetSelStart(20 + column);
        Key(VK_UP);
        int up = FMemo->SelStart();
        EXPECT_TRUE(up >= 10 && up <= 18 && up % 2 == 0) << column << ": " << up;
        EXPECT_GE(up, last);
        last = up;
    }
    EXPECT_EQ(last, 18) << "past the end of the line above: its end";
}

TEST_F(MemoTest, SelectionEndsInsideACharacterMeanItsStart) {
    FMemo->SetText("a€b"); // € is bytes 1 to 3
    FMemo->SetSelStart(2);
    EXPECT_EQ(FMemo->SelStart(), 1);
    FMemo->SetSelStart(3);
    EXPECT_EQ(FMemo->SelStart(), 1);
    FMemo->SetSelLength(2);
    EXPECT_EQ(FMemo->SelLength(), 0) << "the end inside € is before it";
    FMemo->SetSelLength(3);
    EXPECT_EQ(FMemo->SelText(), "€");
    FMemo->SetSelLength(100);
    EXPECT_EQ(FMemo->SelText(), "€b");
    EXPECT_EQ(FMemo->PosOfChar(2).X, FMemo->PosOfChar(1).X);

    // Lines changed under the selection: it keeps to character starts.
    FMemo->SetSelStart(4);
    FMemo->SetSelLength(1);
    FMemo->Lines()->Put(0, "€€");
    EXPECT_EQ(FMemo->SelStart(), 3);
    EXPECT_EQ(FMemo->SelLength(), 0);

    // Bytes put in that make one character with the byte after them: the
    // caret goes after that character.
    FMemo->SetText("x\x84"); // x and a lone continuation byte
    FMemo->SetSelLength(1);
    FMemo->SetSelText("\xD1");
    EXPECT_EQ(FMemo->Text(), "ф");
    EXPECT_EQ(FMemo->SelStart(), 2);
}

TEST_F(MemoTest, ClipboardAndUndoMoveWholeCharacters) {
    FMemo->SetText("жук");
    FMemo->SetSelStart(2);
    Backend().PressKey(VK_SHIFT);
    Key(VK_RIGHT);
    Backend().ReleaseKey(VK_SHIFT);
    FMemo->Perform(WM_CUT);
    EXPECT_EQ(Backend().ClipboardText(), "у");
    EXPECT_EQ(FMemo->Text(), "жк");
    FMemo->SetSelStart(0);
    FMemo->Perform(WM_PASTE);
    EXPECT_EQ(FMemo->Text(), "ужк");
    EXPECT_EQ(FMemo->SelStart(), 2);
    FMemo->Perform(WM_UNDO);
    EXPECT_EQ(FMemo->Text(), "жк");
    FMemo->Perform(WM_UNDO);
    EXPECT_EQ(FMemo->Text(), "ужк");

    // MaxLength counts bytes and takes only characters that fit whole.
    FMemo->SetText("");
    FMemo->SetMaxLength(5);
    Backend().SetClipboardText("a€€");
    FMemo->Perform(WM_PASTE);
    EXPECT_EQ(FMemo->Text(), "a€");
}

TEST_F(MemoTest, TypedCharactersGoInWholeWhateverBytesTheyComeIn) {
    int changes = 0;
    FMemo->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
    Type("ж");
    EXPECT_EQ(FMemo->Text(), "ж");
    EXPECT_EQ(FMemo->SelStart(), 2);
    Type("\xE2\x82");
    EXPECT_EQ(FMemo->Text(), "ж") << "two bytes of € are no character yet";
    Type("\xAC");
    EXPECT_EQ(FMemo->Text(), "ж€");
    EXPECT_EQ(FMemo->SelStart(), 5);
    EXPECT_EQ(changes, 2);
    FMemo->Perform(WM_UNDO);
    EXPECT_EQ(FMemo->Text(), "ж") << "undo takes back the whole character";
    FMemo->Perform(WM_UNDO);

    // A byte that cannot go on with the character ends it: the bytes so
    // far are characters of their own, read as Windows-1252, in UTF-8.
    Type("\xD0x");
    EXPECT_EQ(FMemo->Text(), "ж€Ðx");
    Type("\x80");
    EXPECT_EQ(FMemo->Text(), "ж€Ðx€");
    // A control character or another key ends it too.
    Type("\xF0\x9F");
    Key(VK_RETURN);
    EXPECT_EQ(FMemo->Text(), "ж€Ðx€ðŸ\r\n");
    Type("\xE6");
    Key(VK_LEFT);
    EXPECT_EQ(FMemo->Text(), "ж€Ðx€ðŸ\r\næ");
    EXPECT_TRUE(IsUtf8(FMemo->Text()));

    // Characters fill MaxLength only whole.
    FMemo->SetText("");
    FMemo->SetMaxLength(5);
    Type("жжж");
    EXPECT_EQ(FMemo->Text(), "жж");
    Type("ab");
    EXPECT_EQ(FMemo->Text(), "жжa");

    // Read-only, the bytes are neither taken nor kept for later.
    FMemo->SetMaxLength(0);
    FMemo->SetReadOnly(true);
    Type("\xD0");
    FMemo->SetReadOnly(false);
    Type("\xA4"); // alone, a continuation byte is ¤
    EXPECT_EQ(FMemo->Text(), "жжa¤");
}

TEST_F(MemoTest, ClicksAndDragsLandBetweenCharacters) {
    const std::string text = "aж€漢b";
    const std::vector<int> starts = {0, 1, 3, 6, 9, 10};
    FMemo->SetText(text);
    // Sweeping across the line reaches every character start in turn and
    // nothing else; each lies the width of the text before it from the first.
    std::vector<int> reached;
    for (int x = -5; x < FMemo->PosOfChar(10).X + 10; ++x) {
        int i = FMemo->CharAtPos(Point(x, 2));
        if (reached.empty() || reached.back() != i)
            reached.push_back(i);
    }
    EXPECT_EQ(reached, starts);
    for (int i : starts) {
        EXPECT_EQ(FMemo->PosOfChar(i).X - FMemo->PosOfChar(0).X, TextWidth(text.substr(0, i))) << i;
    }

    TPoint a = FMemo->ClientToScreen(FMemo->PosOfChar(1));
    TPoint b = FMemo->ClientToScreen(FMemo->PosOfChar(6));
    Backend().MoveMouse(a.X, a.Y + 2);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(b.X, b.Y + 2);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(FMemo->SelText(), "ж€");
}

TEST_F(MemoTest, WrappingBreaksBetweenCharactersNeverInsideOne) {
    const int width = FMemo->ClientWidth() - 2; // the text's margins
    // A run without a blank breaks between two characters, each row as
    // long as fits.
    for (const std::string& letter : {std::string("ж"), std::string("漢")}) {
        std::string run;
        for (int i = 0; i < 60; ++i)
            run += letter;
        FMemo->SetText(run);
        std::vector<int> starts = RowStarts();
        ASSERT_GT(starts.size(), 1u);
        starts.push_back(static_cast<int>(run.size()));
        EXPECT_EQ(starts[0], 0);
        for (size_t k = 0; k + 1 < starts.size(); ++k) {
            const int step = static_cast<int>(letter.size());
            ASSERT_EQ(starts[k] % step, 0) << letter << " row " << k;
            ASSERT_GT(starts[k + 1], starts[k]);
            std::string row = run.substr(starts[k], starts[k + 1] - starts[k]);
            EXPECT_LE(TextWidth(row), width) << letter << " row " << k;
            if (k + 2 < starts.size()) {
                EXPECT_GT(TextWidth(row + letter), width) << "one more would fit on row " << k;
            }
        }
    }

    // With blanks, a row ends after one.
    const std::string words = "Съешь же ещё этих мягких французских булок да выпей чаю";
    FMemo->SetText(words);
    std::vector<int> starts = RowStarts();
    ASSERT_GT(starts.size(), 1u);
    for (size_t k = 1; k < starts.size(); ++k)
        EXPECT_EQ(words[starts[k] - 1], ' ') << "row " << k;

    // Unwrapped, the widest line is measured whole for the horizontal bar.
    FMemo->SetWordWrap(false);
    FMemo->SetScrollBars(TScrollStyle::ssHorizontal);
    FMemo->SetText("жжжж\r\n€€€€€€€\r\nab");
    TScrollInfo info;
    ASSERT_TRUE(GetScrollInfo(FMemo, SB_HORZ, info));
    EXPECT_EQ(info.nMax, std::max({TextWidth("жжжж"), TextWidth("€€€€€€€"), TextWidth("ab")}) + 1);
}
