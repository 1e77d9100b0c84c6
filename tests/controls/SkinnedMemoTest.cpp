// The skinned memo on the headless window system: its frame, attaching and
// detaching bars (and what that does to ScrollBars), where the bars go, the
// bars following the native scroll state and the native control following
// the bars without either echoing back, positions beyond 16 bits, the look
// handed to the bars, and a memo read from a layout.

#include "SkinnedControlsFixture.h"
#include "SkinnedTestSupport.h"

#include "controls/SUIMemo.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "skin/SUIMgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using TOrientation = TsuiProgressBarOrientation;

class SkinnedMemoTest : public SkinnedControlsTest {
protected:
    void SetUp() override {
        SkinnedControlsTest::SetUp();
        Form()->SetBounds(100, 100, 520, 300);
    }
    TsuiMemo* NewMemo(int left, int top, int width, int height,
                      TsuiUIStyle style = TsuiUIStyle::WinXP) {
        auto* memo = Add<TsuiMemo>(left, top, width, height);
        memo->SetUIStyle(style);
        return memo;
    }
    TsuiScrollBar* NewBar(TsuiUIStyle style = TsuiUIStyle::WinXP) {
        auto* bar = Add<TsuiScrollBar>(0, 0, 100, 16);
        bar->SetUIStyle(style);
        return bar;
    }
    static std::string ManyLines(int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += (i ? "\r\n" : "") + std::string("line ") + std::to_string(i);
        return text;
    }
    static TScrollBarInfo NativeBar(TsuiMemo* memo, int32_t objectId = OBJID_VSCROLL) {
        TScrollBarInfo info;
        GetScrollBarInfo(memo, objectId, info);
        return info;
    }
    static int ThumbLength(const TsuiScrollBar* bar) {
        const TsuiImagePanel* slider = bar->Track()->Slider();
        return bar->Orientation() == TOrientation::suiVertical ? slider->Height() : slider->Width();
    }
    // Records the scroll requests the memo receives.
    struct TScrollSpy {
        TScrollSpy(TsuiMemo* memo) : Memo(memo), Previous(memo->WindowProc()) {
            memo->SetWindowProc([this](TMessage& m) {
                if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL)
                    Requests.push_back(m);
                Previous(m);
            });
        }
        ~TScrollSpy() { Memo->SetWindowProc(Previous); }
        TsuiMemo* Memo;
        TWndMethod Previous;
        std::vector<TMessage> Requests;
    };
};

} // namespace

TEST_F(SkinnedMemoTest, FramesItselfInTheLooksBorderColour) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    EXPECT_EQ(memo->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(memo->BorderWidth(), 2);
    EXPECT_EQ(memo->BorderColor(), TColor(0x00686868)) << "WinXP's ControlBorderColor";
    EXPECT_FALSE(memo->Syncing() || memo->ScrollingFromBar() || memo->Selecting());
    // Without bars it keeps the native bars it is given.
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetText(ManyLines(30));
    memo->SetColor(clYellow);
    Settle();
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(NativeBar(memo).rgstate[0], 0u) << "a native bar that scrolls";
    // The outer ring in the border colour, the inner one in the memo's.
    for (int i = 0; i < 200; i += 7) {
        EXPECT_EQ(Pixel(memo, i - 2, -2), TColor(0x00686868));
        EXPECT_EQ(Pixel(memo, i - 2, 97), TColor(0x00686868));
    }
    EXPECT_EQ(Pixel(memo, -2, 50), TColor(0x00686868));
    EXPECT_EQ(Pixel(memo, 197, 50), TColor(0x00686868));
    EXPECT_EQ(Pixel(memo, -1, 50), clYellow);
    EXPECT_EQ(Pixel(memo, 50, -1), clYellow);
    EXPECT_EQ(Pixel(memo, 50, 96), clYellow);
    memo->SetBorderColor(clRed);
    Settle();
    EXPECT_EQ(Pixel(memo, -2, 50), clRed);
    memo->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(memo->BorderColor(), GetThemeColor(TsuiUIStyle::MacOS, 25));
}

TEST_F(SkinnedMemoTest, AttachingAndDetachingBarsChoosesTheNativeBars) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    memo->SetScrollBars(TScrollStyle::ssHorizontal);
    TsuiScrollBar* v = NewBar();
    TsuiScrollBar* h = NewBar();
    Add<TsuiButton>(300, 20, 60, 20); // a later sibling: the bars go on top of it too
    memo->SetVScrollBar(v);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(v->Orientation(), TOrientation::suiVertical);
    EXPECT_TRUE(v->OnChange().Assigned());
    EXPECT_EQ(Form()->Controls(Form()->ControlCount() - 1), v) << "brought to the front";
    memo->SetHScrollBar(h);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssBoth);
    EXPECT_EQ(h->Orientation(), TOrientation::suiHorizontal);

    // A detached bar is given back in its first state.
    memo->SetText(ManyLines(40));
    ASSERT_GT(v->LineButton(), 0);
    ASSERT_NE(v->Max(), 100);
    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssHorizontal);
    EXPECT_FALSE(v->OnChange().Assigned());
    EXPECT_EQ(v->LineButton(), 0);
    EXPECT_EQ(v->Max(), 100);
    EXPECT_TRUE(v->Enabled());
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetHScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssNone) << "whatever ScrollBars was";

    // One bar cannot scroll both ways.
    memo->SetHScrollBar(h);
    memo->SetVScrollBar(h);
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    EXPECT_EQ(memo->VScrollBar(), h);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(h->Orientation(), TOrientation::suiVertical);
}

TEST_F(SkinnedMemoTest, TheBarsLieOverTheNativeOnes) {
    // BlueGlass's vertical bar is 17 pixels wide, as wide as the native one.
    TsuiMemo* memo = NewMemo(20, 30, 433, 81);
    TsuiScrollBar* v = NewBar(TsuiUIStyle::BlueGlass);
    memo->SetVScrollBar(v);
    ASSERT_EQ(v->Width(), 17);
    EXPECT_EQ(v->Left(), 20 + 414);
    EXPECT_EQ(v->Top(), 30 + 1);
    EXPECT_EQ(v->Height(), 79);
    EXPECT_TRUE(v->Visible());

    TsuiScrollBar* h = NewBar(TsuiUIStyle::BlueGlass);
    memo->SetHScrollBar(h);
    ASSERT_EQ(h->Height(), 17);
    EXPECT_EQ(h->BoundsRect(), Bounds(21, 30 + 81 - 17 - 2, 433 - 2 - 17, 17));
    EXPECT_EQ(v->Height(), 79 - 17) << "less the horizontal bar";

    // Moving and sizing the memo take the bars along; a bar wider than the
    // memo hides until a placement finds room for it again.
    memo->SetLeft(40);
    EXPECT_EQ(v->Left(), 40 + 414);
    EXPECT_EQ(h->Left(), 41);
    memo->SetBounds(40, 30, 12, 81);
    EXPECT_FALSE(v->Visible());
    memo->SetWidth(200);
    EXPECT_TRUE(v->Visible());
    EXPECT_EQ(v->Left(), 40 + 200 - 17 - 2);

    // The native bars keep their place under the skinned ones; what the
    // narrower skinned bar leaves of it shows the skinned bar's colour.
    TsuiMemo* narrow = NewMemo(20, 150, 200, 100);
    TsuiScrollBar* thin = NewBar(TsuiUIStyle::WinXP);
    narrow->SetVScrollBar(thin);
    narrow->SetText(ManyLines(40));
    Settle();
    ASSERT_EQ(thin->Width(), 16);
    const TScrollBarInfo native = NativeBar(narrow);
    const TPoint corner = narrow->ClientToScreen(Point(-2, -2));
    ASSERT_EQ(native.rcScrollBar.Left - corner.X, 200 - 2 - 17) << "the native bar";
    for (int y = 0; y < 96; y += 5)
        EXPECT_EQ(Pixel(narrow, 200 - 2 - 17 - 2, y), thin->Color()) << y;
}

TEST_F(SkinnedMemoTest, TheFrameLeavesTheBarsOverTheMemoAlone) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    memo->SetVScrollBar(v);
    memo->SetText(ManyLines(40));
    Settle();
    const TBitmap before = Grab(v);
    // The memo repaints alone (typing scrolls it, a caret blinks).
    memo->Invalidate();
    Settle();
    memo->Perform(WM_VSCROLL, SB_LINEDOWN);
    memo->Perform(WM_VSCROLL, SB_LINEUP);
    Settle();
    EXPECT_TRUE(SamePixels(Grab(v), before)) << "the bar's top row is the frame's inner ring";
}

TEST_F(SkinnedMemoTest, ABarFollowsTheNativeStateAndIsDisabledWhileTheTextFits) {
    TsuiMemo* memo = NewMemo(20, 20, 433, 81);
    TsuiScrollBar* v = NewBar();
    memo->SetVScrollBar(v);
    memo->SetText("one line");
    EXPECT_EQ(NativeBar(memo).rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(v->Enabled());
    EXPECT_FALSE(v->Track()->Slider()->Visible()) << "no thumb";
    EXPECT_EQ(v->LineButton(), 0);

    // Lines that make it scroll, given the way the platform gives them.
    const int lines = 2 * memo->VisibleLineCount(); // a thumb half the native track
    const std::string text = ManyLines(lines);
    SendMessage(memo, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(text.c_str()));
    TScrollBarInfo native = NativeBar(memo);
    ASSERT_EQ(native.rgstate[0], 0u);
    const int nativeThumb = native.xyThumbBottom - native.xyThumbTop;
    ASSERT_GE(nativeThumb, 18);
    EXPECT_TRUE(v->Enabled());
    EXPECT_TRUE(v->Track()->Slider()->Visible());
    EXPECT_EQ(v->LineButton(), nativeThumb);
    EXPECT_EQ(ThumbLength(v), nativeThumb) << "as long as the native thumb";
    TScrollInfo scroll;
    GetScrollInfo(memo, SB_VERT, scroll);
    EXPECT_EQ(v->Min(), 0);
    EXPECT_EQ(v->Max(), scroll.nMax - int(scroll.nPage) + 1);
    EXPECT_EQ(v->Max(), lines - memo->VisibleLineCount());

    // Many lines make the native thumb its shortest: the skinned one stays
    // 18 pixels long.
    memo->SetText(ManyLines(400));
    native = NativeBar(memo);
    EXPECT_LT(native.xyThumbBottom - native.xyThumbTop, 18);
    EXPECT_EQ(ThumbLength(v), 18);
    EXPECT_EQ(v->Max(), 400 - memo->VisibleLineCount());

    // Typing at the end scrolls the native control: the bar follows.
    Settle();
    memo->SetFocus();
    memo->SetSelStart(int(memo->Text().size()));
    Backend().TypeText("\r\r\r");
    Application().ProcessMessages();
    EXPECT_EQ(v->Max(), 403 - memo->VisibleLineCount());
    EXPECT_EQ(v->Position(), memo->TopLine());
    EXPECT_EQ(v->Position(), v->Max());

    // A disabled memo has unavailable bars.
    memo->SetEnabled(false);
    EXPECT_FALSE(v->Enabled());
    memo->SetEnabled(true);
    EXPECT_TRUE(v->Enabled());
}

TEST_F(SkinnedMemoTest, TheNativeControlScrollsAndTheBarsFollow) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    memo->SetVScrollBar(v);
    memo->SetText(ManyLines(60));
    Settle();
    memo->SetFocus();
    PointAt(memo, 40, 40);
    Backend().Wheel(-2 * WHEEL_DELTA);
    Application().ProcessMessages();
    EXPECT_EQ(memo->TopLine(), 6);
    EXPECT_EQ(v->Position(), 6) << "the wheel";
    Key(VK_NEXT);
    EXPECT_GT(memo->TopLine(), 6);
    EXPECT_EQ(v->Position(), memo->TopLine()) << "a key";
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(v->Position(), v->Max()) << "a scroll message from elsewhere";
    memo->Perform(WM_VSCROLL, SB_TOP);

    // Selecting with the mouse below the text's last visible line scrolls
    // it by the caret; the bar follows each move while the button is held.
    PointAt(memo, 40, 10);
    Press();
    EXPECT_TRUE(memo->Selecting());
    for (int y = 20; y < 400; y += 30)
        PointAt(memo, 40, y);
    const int top = memo->TopLine();
    EXPECT_GT(top, 0);
    Release();
    EXPECT_FALSE(memo->Selecting());
    EXPECT_EQ(v->Position(), top);
    const TsuiImagePanel* slider = v->Track()->Slider();
    EXPECT_EQ(slider->Top(), v->Track()->SliderPlace()) << "the thumb stands where it belongs";
}

TEST_F(SkinnedMemoTest, MovingTheBarSendsOneThumbPositionRequestAndNothingComesBack) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    memo->SetVScrollBar(v);
    memo->SetText(ManyLines(60));
    const int native = v->LineButton();
    // A stand-in value that a synchronisation would put back.
    v->SetLineButton(native + 7);
    ASSERT_EQ(v->LineButton(), native + 7);
    {
        TScrollSpy spy(memo);
        v->SetPosition(10);
        ASSERT_EQ(spy.Requests.size(), 1u);
        EXPECT_EQ(spy.Requests[0].Msg, uint32_t(WM_VSCROLL));
        EXPECT_EQ(LoWord(spy.Requests[0].WParam), SB_THUMBPOSITION);
        EXPECT_EQ(HiWord(spy.Requests[0].WParam), 10);
        EXPECT_EQ(spy.Requests[0].LParam, 0);
    }
    EXPECT_EQ(memo->TopLine(), 10);
    EXPECT_EQ(v->LineButton(), native + 7) << "the request did not synchronise the bar";
    EXPECT_FALSE(memo->ScrollingFromBar());
    EXPECT_FALSE(memo->Syncing());

    // Dragging the skinned thumb: one request per new position.
    Settle();
    TsuiScrollTrackBar* track = v->Track();
    TScrollSpy spy(memo);
    PointAt(track->Slider(), 5, 5);
    Press();
    PointAt(track, 8, track->Height() / 2);
    PointAt(track, 8, track->Height() / 2);
    PointAt(track, 8, track->Height());
    Release();
    EXPECT_EQ(spy.Requests.size(), 2u);
    EXPECT_EQ(memo->TopLine(), v->Max());
    EXPECT_EQ(v->Position(), v->Max());
}

TEST_F(SkinnedMemoTest, PositionsBeyondSixteenBitsReachTheNativeControl) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    memo->SetVScrollBar(v);
    memo->SetText(ManyLines(70000));
    ASSERT_EQ(v->Max(), 70000 - memo->VisibleLineCount());
    TScrollSpy spy(memo);
    v->SetPosition(68000);
    EXPECT_EQ(memo->TopLine(), 68000) << "not 68000 - 65536";
    EXPECT_TRUE(spy.Requests.empty()) << "the 32-bit scroll position, not a 16-bit request";
    v->SetPosition(65535);
    EXPECT_EQ(memo->TopLine(), 65535) << "the last position a request carries";
    ASSERT_EQ(spy.Requests.size(), 1u);
    EXPECT_EQ(HiWord(spy.Requests[0].WParam), 65535);
    // And back: the native position past 65535 reaches the bar whole.
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(v->Position(), v->Max());
}

TEST_F(SkinnedMemoTest, AHorizontalBarScrollsLongLines) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    memo->SetWordWrap(false);
    memo->SetText(std::string(200, 'w') + "\r\nshort");
    TsuiScrollBar* h = NewBar();
    memo->SetHScrollBar(h);
    EXPECT_EQ(h->SmallChange(), 6) << "three times its PageSize";
    TScrollInfo scroll;
    ASSERT_TRUE(GetScrollInfo(memo, SB_HORZ, scroll));
    EXPECT_EQ(h->Max(), scroll.nMax - int(scroll.nPage) + 1);
    EXPECT_TRUE(h->Enabled());
    h->SetPosition(120);
    EXPECT_EQ(memo->HorzOffset(), 120);
    memo->Perform(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(h->Position(), memo->HorzOffset());
    memo->SetWordWrap(true);
    memo->Perform(WM_HSCROLL, SB_TOP);
    EXPECT_FALSE(h->Enabled()) << "wrapped text does not scroll sideways";
}

TEST_F(SkinnedMemoTest, TheLookAndTheFileThemeReachTheBars) {
    TTempDir dir;
    const std::string skin = dir.File("memo.skn");
    WriteSkinFileFromLook(skin, TsuiUIStyle::Protein,
                          [](int item, int32_t value) { return item == 25 ? 0x0000FF : value; });
    auto* theme = new TsuiFileTheme(Form());
    theme->SetThemeFile(skin);
    ASSERT_TRUE(theme->IsThemeLoaded());

    TsuiMemo* memo = NewMemo(20, 20, 200, 100, TsuiUIStyle::MacOS);
    TsuiScrollBar* v = NewBar(TsuiUIStyle::WinXP);
    memo->SetVScrollBar(v);
    EXPECT_EQ(v->UIStyle(), TsuiUIStyle::WinXP) << "attaching passes no look";
    memo->SetUIStyle(TsuiUIStyle::BlueGlass);
    EXPECT_EQ(v->UIStyle(), TsuiUIStyle::BlueGlass);
    memo->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(memo->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(v->UIStyle(), TsuiUIStyle::DeepBlue) << "no theme: the style drawn";
    EXPECT_EQ(memo->BorderColor(), GetThemeColor(TsuiUIStyle::DeepBlue, 25));

    memo->SetFileTheme(theme);
    EXPECT_EQ(v->FileTheme(), theme);
    EXPECT_EQ(v->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(memo->BorderColor(), TColor(0x0000FF)) << "from the file";
    EXPECT_EQ(v->Color(), GetThemeColor(TsuiUIStyle::Protein, 31));

    theme->Free();
    EXPECT_EQ(memo->FileTheme(), nullptr);
    EXPECT_EQ(memo->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(v->FileTheme(), nullptr);
    EXPECT_EQ(v->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(SkinnedMemoTest, HidingTheMemoHidesItsBars) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    TsuiScrollBar* h = NewBar();
    memo->SetVScrollBar(v);
    memo->SetHScrollBar(h);
    memo->SetVisible(false);
    EXPECT_FALSE(v->Visible());
    EXPECT_FALSE(h->Visible());
    memo->SetText(ManyLines(50));
    memo->SetVisible(true);
    EXPECT_FALSE(v->Visible()) << "shown again, the bars are only synchronised";
    EXPECT_EQ(v->Max(), 50 - memo->VisibleLineCount());
    memo->SetTop(30);
    EXPECT_TRUE(v->Visible()) << "the next placement shows them";
    EXPECT_TRUE(h->Visible());
}

TEST_F(SkinnedMemoTest, DestroyingEitherSideUndoesTheBinding) {
    TsuiMemo* memo = NewMemo(20, 20, 200, 100);
    TsuiScrollBar* v = NewBar();
    TsuiScrollBar* h = NewBar();
    memo->SetVScrollBar(v);
    memo->SetHScrollBar(h);
    v->Free();
    EXPECT_EQ(memo->VScrollBar(), nullptr);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssHorizontal);
    memo->Free();
    EXPECT_FALSE(h->OnChange().Assigned()) << "the bar no longer calls the memo";
    h->SetMax(10);
    h->SetPosition(5);
    EXPECT_EQ(h->Position(), 5);
}

TEST_F(SkinnedMemoTest, AMemoReadFromALayoutAttachesItsBars) {
    RegisterSkinnedControls();
    TForm* form = Application().CreateForm<TForm>();
    TLayoutReadOptions options;
    options.AnyRootClass = true;
    ReadLayout(*form,
               "object F: TForm\n"
               "  Width = 400\n  Height = 300\n"
               "  object Memo: TsuiMemo\n"
               "    Left = 10\n    Top = 10\n    Width = 200\n    Height = 100\n"
               "    UIStyle = WinXP\n    VScrollBar = VBar\n    HScrollBar = HBar\n"
               "    Lines.Strings = (\n"
               "      'a' 'b' 'c' 'd' 'e' 'f' 'g' 'h' 'i' 'j' 'k' 'l' 'm' 'n')\n"
               "    ScrollBars = ssNone\n    WordWrap = False\n  end\n"
               "  object VBar: TsuiScrollBar\n"
               "    Left = 192\n    Top = 11\n    Width = 16\n    Height = 98\n"
               "    Orientation = suiVertical\n    UIStyle = WinXP\n  end\n"
               "  object HBar: TsuiScrollBar\n"
               "    Left = 11\n    Top = 92\n    Width = 182\n    Height = 16\n"
               "    UIStyle = WinXP\n  end\n"
               "end\n",
               options);
    auto* memo = static_cast<TsuiMemo*>(form->FindComponent("Memo"));
    auto* v = static_cast<TsuiScrollBar*>(form->FindComponent("VBar"));
    auto* h = static_cast<TsuiScrollBar*>(form->FindComponent("HBar"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->VScrollBar(), v);
    EXPECT_EQ(memo->HScrollBar(), h);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssBoth) << "attaching wins over the stored value";
    EXPECT_EQ(v->BoundsRect(), Bounds(10 + 200 - 16 - 2, 11, 16, 98 - 16));
    EXPECT_EQ(h->BoundsRect(), Bounds(11, 10 + 100 - 16 - 2, 200 - 2 - 16, 16));
    EXPECT_TRUE(v->Enabled());
    EXPECT_EQ(v->Max(), 14 - memo->VisibleLineCount());
    EXPECT_GE(v->LineButton(), 18);
}
