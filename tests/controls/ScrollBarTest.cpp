// The skinned scroll bar and its track on the headless window system: the
// layout between the arrows, the thumb's length and its pieces on the
// screen, the track's rules for Min, Max, Position, PageSize and OnChange,
// paging while the track is held (on the virtual clock), dragging the
// thumb, the arrows and keys, and a bar read from a layout.

#include "SkinnedControlsFixture.h"

#include "controls/SUIRegister.h"
#include "controls/SUIScrollBar.h"
#include "framework/components/LayoutReader.h"
#include "framework/ui/Timer.h"
#include "skin/SUIPublic.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

using TOrientation = TsuiProgressBarOrientation;

class ScrollBarTest : public SkinnedControlsTest {
protected:
    // A bar of `style` turned before it is sized, so that its length is
    // the one given.
    TsuiScrollBar* NewBar(TOrientation orientation, int left, int top, int length,
                          TsuiUIStyle style = TsuiUIStyle::WinXP) {
        auto* bar = new TsuiScrollBar(Form());
        bar->SetParent(Form());
        bar->SetUIStyle(style);
        bar->SetOrientation(orientation);
        if (orientation == TOrientation::suiVertical)
            bar->SetBounds(left, top, 16, length);
        else
            bar->SetBounds(left, top, length, 16);
        return bar;
    }
    static int ThumbLength(const TsuiScrollBar* bar) {
        const TsuiImagePanel* slider = bar->Track()->Slider();
        return bar->Orientation() == TOrientation::suiVertical ? slider->Height() : slider->Width();
    }
    // The pointer to `along` pixels down (right) the track, in the middle
    // across.
    void PointAtTrack(const TsuiScrollBar* bar, int along) {
        const TsuiScrollTrackBar* track = bar->Track();
        if (bar->Orientation() == TOrientation::suiVertical)
            PointAt(track, track->Width() / 2, along);
        else
            PointAt(track, along, track->Height() / 2);
    }
};

TBitmap Turned(TBitmap bitmap, bool left) {
    if (left)
        RotateBitmapLeft(bitmap);
    else
        RotateBitmapRight(bitmap);
    return bitmap;
}

} // namespace

TEST_F(ScrollBarTest, StartsWithTheDocumentedValues) {
    auto* bar = new TsuiScrollBar(Form());
    bar->SetParent(Form());
    EXPECT_EQ(bar->Orientation(), TOrientation::suiHorizontal);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::DeepBlue) << "no TsuiForm on the owner";
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->PageSize(), 2);
    EXPECT_EQ(bar->LargeChange(), 2);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_EQ(bar->LineButton(), 0);
    EXPECT_EQ(bar->Color(), GetThemeColor(TsuiUIStyle::DeepBlue, 31));
    EXPECT_EQ(bar->Track()->Color(), bar->Color());
    EXPECT_EQ(bar->Height(), 16) << "the arrow's height after the first layout";
    TsuiScrollTrackBar* track = bar->Track();
    EXPECT_FALSE(track->ShowTick());
    EXPECT_FALSE(track->TabStop());
    EXPECT_FALSE(track->Transparent());
    EXPECT_EQ(track->LineSize(), 1);
    EXPECT_EQ(track->Frequency(), 1);
    EXPECT_FALSE(track->Slider()->Transparent()) << "the thumb is opaque";
    EXPECT_TRUE(track->BarImage()->Graphic() == nullptr) << "no bar picture";
    for (const TsuiImageButton* button : {bar->StartButton(), bar->EndButton()}) {
        EXPECT_EQ(button->MouseContinuouslyDownInterval(), 100);
        EXPECT_FALSE(button->TabStop());
        EXPECT_TRUE(button->AutoSize());
    }
    bar->SetSmallChange(0);
    bar->SetSmallChange(32768);
    EXPECT_EQ(bar->SmallChange(), 1) << "outside 1 to 32767: ignored";
}

TEST_F(ScrollBarTest, TheTrackLiesBetweenTheArrows) {
    // WinXP's arrows are 17 pixels long either way.
    TsuiScrollBar* vertical = NewBar(TOrientation::suiVertical, 10, 10, 100);
    EXPECT_EQ(vertical->Width(), 16);
    EXPECT_EQ(vertical->StartButton()->BoundsRect(), Rect(0, 0, 16, 17));
    EXPECT_EQ(vertical->Track()->Top(), 17);
    EXPECT_EQ(vertical->Track()->Height(), 65);
    EXPECT_EQ(vertical->Track()->Width(), 16) << "as thick as the thumb";
    EXPECT_EQ(vertical->EndButton()->BoundsRect(), Rect(0, 83, 16, 100));

    TsuiScrollBar* horizontal = NewBar(TOrientation::suiHorizontal, 40, 10, 100);
    EXPECT_EQ(horizontal->Height(), 16);
    EXPECT_EQ(horizontal->StartButton()->BoundsRect(), Rect(0, 0, 17, 16));
    EXPECT_EQ(horizontal->Track()->Left(), 17);
    EXPECT_EQ(horizontal->Track()->Width(), 66);
    EXPECT_EQ(horizontal->EndButton()->BoundsRect(), Rect(83, 0, 100, 16));
    Settle();

    // The arrows are the strip's frames, turned anticlockwise for the
    // horizontal bar; between the vertical track and its end arrow one
    // line of the bar's own colour shows.
    const TColor background = GetThemeColor(TsuiUIStyle::WinXP, 31);
    EXPECT_EQ(vertical->Color(), background);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(Pixel(vertical, x, 82), background);
    EXPECT_TRUE(
        SamePixels(Grab(vertical->StartButton()), ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 1)));
    EXPECT_TRUE(SamePixels(Grab(vertical->EndButton()), ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 4)));
    EXPECT_TRUE(SamePixels(Grab(horizontal->StartButton()),
                           Turned(ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 1), true)));
    EXPECT_TRUE(SamePixels(Grab(horizontal->EndButton()),
                           Turned(ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 4), true)));
    // The hover and pressed pictures are frames 2, 3 and 5, 6.
    EXPECT_TRUE(SamePixels(horizontal->EndButton()->PicMouseDown()->Bitmap(),
                           Turned(ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 6), true)));
    EXPECT_TRUE(SamePixels(vertical->StartButton()->PicMouseOn()->Bitmap(),
                           ThemeFrame(TsuiUIStyle::WinXP, 32, 6, 2)));

    // Another look brings other arrows and another layout: MacOS's are 22
    // long.
    vertical->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(vertical->Track()->Top(), 22);
    EXPECT_EQ(vertical->Track()->Height(), 100 - 44 - 1);
    EXPECT_EQ(vertical->Color(), GetThemeColor(TsuiUIStyle::MacOS, 31));
    EXPECT_EQ(vertical->Track()->Color(), vertical->Color());
}

TEST_F(ScrollBarTest, TheThumbIsPageSizePercentOfTheTrack) {
    TsuiScrollBar* horizontal = NewBar(TOrientation::suiHorizontal, 10, 10, 100);
    TsuiScrollBar* vertical = NewBar(TOrientation::suiVertical, 150, 10, 100);
    EXPECT_EQ(ThumbLength(horizontal), 6) << "PageSize 2 counts as 10: 10 % of 66";
    EXPECT_EQ(ThumbLength(vertical), 6) << "10 % of 65";
    horizontal->SetPageSize(50);
    vertical->SetPageSize(50);
    EXPECT_EQ(ThumbLength(horizontal), 33);
    EXPECT_EQ(ThumbLength(vertical), 32);
    horizontal->SetPageSize(150);
    EXPECT_EQ(horizontal->PageSize(), 50) << "above Max: refused";
    EXPECT_EQ(ThumbLength(horizontal), 33);
    horizontal->SetPageSize(-1);
    EXPECT_EQ(horizontal->PageSize(), 50);
    horizontal->SetPageSize(101);
    EXPECT_EQ(horizontal->PageSize(), 50);
    horizontal->SetMax(200);
    horizontal->SetPageSize(150);
    EXPECT_EQ(ThumbLength(horizontal), 6) << "above 100 counts as 10";
    // LargeChange is PageSize without a new thumb.
    horizontal->SetLargeChange(50);
    EXPECT_EQ(horizontal->PageSize(), 50);
    EXPECT_EQ(ThumbLength(horizontal), 6);
    // The thumb is as thick as the bar.
    EXPECT_EQ(horizontal->Track()->Slider()->Height(), 16);
    EXPECT_EQ(vertical->Track()->Slider()->Width(), 16);
}

TEST_F(ScrollBarTest, TheThumbIsComposedFromTheLooksThreePieces) {
    TsuiScrollBar* horizontal = NewBar(TOrientation::suiHorizontal, 10, 10, 300);
    TsuiScrollBar* vertical = NewBar(TOrientation::suiVertical, 330, 10, 240);
    horizontal->SetPageSize(50);
    vertical->SetPageSize(50);
    Settle();
    struct TCase {
        TsuiScrollBar* Bar;
        bool Vertical;
    };
    for (TCase c : {TCase{horizontal, false}, TCase{vertical, true}}) {
        SCOPED_TRACE(c.Vertical ? "vertical" : "horizontal");
        TBitmap start = ThemeFrame(TsuiUIStyle::WinXP, 33, 3, 1);
        TBitmap middle = ThemeFrame(TsuiUIStyle::WinXP, 33, 3, 2);
        TBitmap end = ThemeFrame(TsuiUIStyle::WinXP, 33, 3, 3);
        if (c.Vertical) {
            // Drawn for a horizontal bar, turned clockwise for this one.
            start = Turned(start, false);
            middle = Turned(middle, false);
            end = Turned(end, false);
        }
        EXPECT_TRUE(SamePixels(c.Bar->ThumbStartCap(), start));
        const TBitmap thumb = Grab(c.Bar->Track()->Slider());
        const int length = c.Vertical ? thumb.Height() : thumb.Width();
        ASSERT_EQ(length, ThumbLength(c.Bar));
        const int capStart = c.Vertical ? start.Height() : start.Width();
        const int capEnd = c.Vertical ? end.Height() : end.Width();
        // The caps 1:1 at both ends ...
        for (int a = 0; a < capStart; ++a)
            for (int b = 0; b < 16; ++b) {
                const int x = c.Vertical ? b : a, y = c.Vertical ? a : b;
                ASSERT_EQ(thumb.Pixel(x, y), start.Pixel(x, y)) << a << "," << b;
            }
        for (int a = 0; a < capEnd; ++a)
            for (int b = 0; b < 16; ++b) {
                const int x = c.Vertical ? b : a, y = c.Vertical ? a : b;
                const int tx = c.Vertical ? x : length - capEnd + x;
                const int ty = c.Vertical ? length - capEnd + y : y;
                ASSERT_EQ(thumb.Pixel(tx, ty), end.Pixel(x, y)) << a << "," << b;
            }
        // ... and every line between them one of the middle piece's.
        std::set<std::vector<TColor>> pieceLines;
        const int pieceLength = c.Vertical ? middle.Height() : middle.Width();
        for (int a = 0; a < pieceLength; ++a) {
            std::vector<TColor> line;
            for (int b = 0; b < 16; ++b)
                line.push_back(c.Vertical ? middle.Pixel(b, a) : middle.Pixel(a, b));
            pieceLines.insert(line);
        }
        for (int a = capStart; a < length - capEnd; ++a) {
            std::vector<TColor> line;
            for (int b = 0; b < 16; ++b)
                line.push_back(c.Vertical ? thumb.Pixel(b, a) : thumb.Pixel(a, b));
            EXPECT_TRUE(pieceLines.count(line)) << "line " << a;
        }
    }
}

TEST_F(ScrollBarTest, LineButtonFixesTheThumbAtEighteenPixelsOrMore) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 100);
    bar->SetLineButton(5);
    EXPECT_EQ(bar->LineButton(), 18) << "raised when the thumb was built";
    EXPECT_EQ(ThumbLength(bar), 18);
    bar->SetLineButton(67);
    EXPECT_EQ(bar->LineButton(), 18) << "longer than the 66 pixels between the arrows";
    bar->SetLineButton(-3);
    EXPECT_EQ(bar->LineButton(), 18);
    bar->SetLineButton(40);
    EXPECT_EQ(ThumbLength(bar), 40);
    bar->SetPageSize(50);
    EXPECT_EQ(ThumbLength(bar), 40) << "a fixed thumb ignores PageSize";
    bar->SetLineButton(0);
    EXPECT_EQ(ThumbLength(bar), 33);

    // Vertical: the room counts the line above the end arrow, the track not.
    TsuiScrollBar* vertical = NewBar(TOrientation::suiVertical, 150, 10, 100);
    vertical->SetLineButton(66);
    EXPECT_EQ(vertical->LineButton(), 66);
    EXPECT_EQ(vertical->Track()->Slider()->Top(), 0) << "no room to move: it stays at the start";
    vertical->SetPosition(100);
    EXPECT_EQ(vertical->Track()->Slider()->Top(), 0);
}

TEST_F(ScrollBarTest, MinMaxAndPositionStayInOrderAndOnChangeFiresOncePerChange) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 200);
    TCounter changes;
    bar->SetOnChange(changes.Event());
    TObject* sender = nullptr;
    bar->Track()->OnChange() = TNotifyEvent([&](TObject* s) {
        sender = s;
        ++changes.Count;
    });
    bar->SetPosition(0);
    EXPECT_EQ(changes.Count, 0) << "no change, no event";
    bar->SetPosition(30);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(sender, bar->Track()) << "the track is the sender";
    bar->Track()->SetPosition(30);
    EXPECT_EQ(changes.Count, 1);
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 100) << "clamped to Max";
    EXPECT_EQ(changes.Count, 2);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes.Count, 3);

    bar->SetPosition(80);
    changes.Count = 0;
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 50) << "lowered to the new Max";
    EXPECT_EQ(changes.Count, 1);
    bar->SetMax(60);
    EXPECT_EQ(changes.Count, 1) << "the position stayed";
    bar->SetMin(20);
    bar->SetMax(10);
    EXPECT_EQ(bar->Max(), 20) << "Max below Min becomes Min";
    EXPECT_EQ(bar->Position(), 20) << "and Position follows";
    bar->SetMin(30);
    EXPECT_EQ(bar->Min(), 20) << "Min above Max becomes Max";
    EXPECT_EQ(bar->Track()->SliderPlace(), 0) << "Max = Min: at the start";
    EXPECT_EQ(changes.Count, 2);

    // The slider stands (Position - Min) * (L - S) div (Max - Min) along.
    bar->SetMax(120);
    bar->SetPosition(70);
    const TsuiScrollTrackBar* track = bar->Track();
    const int room = track->Width() - track->Slider()->Width();
    EXPECT_EQ(track->Slider()->Left(), (70 - 20) * room / 100);
    EXPECT_EQ(track->Slider()->Top(), 0);

    // Extreme ranges neither overflow nor lose the ends.
    bar->SetMax(INT_MAX);
    bar->SetMin(INT_MIN);
    bar->SetPosition(INT_MAX);
    EXPECT_EQ(track->SliderPlace(), room);
    EXPECT_EQ(track->PositionAt(track->Width() * 4), INT_MAX);
    EXPECT_EQ(track->PositionAt(-track->Width() * 4), INT_MIN);
    bar->SetPosition(INT_MIN);
    EXPECT_EQ(track->SliderPlace(), 0);
}

TEST_F(ScrollBarTest, PositionAtPutsTheSlidersMiddleThereRoundingHalfToEven) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 34 + 120);
    bar->SetMax(4); // 120 pixels, a 12-pixel thumb: 27 pixels a position
    bar->SetPageSize(0);
    const TsuiScrollTrackBar* track = bar->Track();
    ASSERT_EQ(track->Width(), 120);
    ASSERT_EQ(track->Slider()->Width(), 12);
    EXPECT_EQ(track->PositionAt(6), 0);
    EXPECT_EQ(track->PositionAt(6 + 27), 1);
    EXPECT_EQ(track->PositionAt(6 + 13), 0) << "13.5 / 27 = 0.48";
    EXPECT_EQ(track->PositionAt(6 + 14), 1);
    bar->SetMax(2); // 54 pixels a position: half a position at 27
    EXPECT_EQ(track->PositionAt(6 + 27), 0) << "0.5 rounds to 0";
    EXPECT_EQ(track->PositionAt(6 + 81), 2) << "1.5 rounds to 2";
}

TEST_F(ScrollBarTest, HoldingTheTrackPagesTowardsThePointAndStopsThere) {
    // 266 pixels of track and a 26-pixel thumb: 2.4 pixels a position.
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 300);
    bar->SetPageSize(4);
    Settle();
    ASSERT_EQ(bar->Track()->Width(), 266);
    ASSERT_EQ(ThumbLength(bar), 26);
    const int click = 200;
    const int target = bar->Track()->PositionAt(click);
    ASSERT_EQ(target, 78);

    PointAtTrack(bar, click);
    Press();
    EXPECT_EQ(bar->Position(), 4) << "one PageSize at once";
    ASSERT_NE(bar->Track()->RepeatTimer(), nullptr);
    Advance(99);
    EXPECT_EQ(bar->Position(), 4);
    std::vector<int> steps;
    for (int i = 0; i < 8; ++i) {
        Advance(i == 0 ? 1 : 100);
        steps.push_back(bar->Position());
    }
    // Horizontal: three PageSizes a tick, never past the point.
    EXPECT_EQ(steps, (std::vector<int>{16, 28, 40, 52, 64, 76, 78, 78}));
    const TsuiImagePanel* slider = bar->Track()->Slider();
    EXPECT_LE(slider->Left(), click);
    EXPECT_NEAR(slider->Left() + slider->Width() / 2, click, 2);
    EXPECT_NE(bar->Track()->RepeatTimer(), nullptr) << "the timer runs on while held";
    Release();
    EXPECT_EQ(bar->Track()->RepeatTimer(), nullptr);

    // Back towards the start, and out of the track the paging stops.
    PointAtTrack(bar, 20);
    Press();
    EXPECT_EQ(bar->Position(), 74);
    Advance(100);
    EXPECT_EQ(bar->Position(), 62);
    PointAt(bar->Track(), 20, -3);
    EXPECT_EQ(bar->Track()->RepeatTimer(), nullptr) << "the pointer left the track";
    Advance(300);
    EXPECT_EQ(bar->Position(), 62);
    Release();
}

TEST_F(ScrollBarTest, AVerticalTrackPagesByPageSizeAndNeverPastTheClick) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiVertical, 10, 10, 240);
    bar->SetPageSize(4);
    Settle();
    const TsuiImagePanel* slider = bar->Track()->Slider();
    // Just past the thumb's end.
    const int click = slider->Top() + slider->Height() + 1;
    PointAtTrack(bar, click);
    Press();
    std::vector<int> positions = {bar->Position()};
    for (int i = 0; i < 5; ++i) {
        EXPECT_LE(slider->Top(), click) << "the thumb never starts beyond the click";
        Advance(100);
        positions.push_back(bar->Position());
    }
    Release();
    const int target = bar->Track()->PositionAt(click);
    EXPECT_EQ(positions.front(), std::min(4, target));
    EXPECT_EQ(positions.back(), target);
    EXPECT_LE(slider->Top(), click);

    // Far down the track: PageSize a tick.
    bar->SetPosition(0);
    PointAtTrack(bar, 190);
    Press();
    Advance(100);
    Advance(100);
    EXPECT_EQ(bar->Position(), 12);
    Release();
}

TEST_F(ScrollBarTest, DraggingTheThumbPutsItsMiddleUnderThePointer) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 300);
    Settle();
    TsuiScrollTrackBar* track = bar->Track();
    TCounter changes;
    bar->SetOnChange(changes.Event());
    std::vector<TPoint> downs;
    track->SetOnMouseDown(TMouseEvent(
        [&](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back(Point(x, y)); }));
    // Taken at its left edge: where it was taken does not matter.
    PointAt(track->Slider(), 1, 5);
    Press();
    EXPECT_TRUE(track->Dragging());
    EXPECT_EQ(Application().CaptureControl(), track);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], Point(track->Slider()->Left() + 1, 5)) << "in the track's coordinates";
    EXPECT_EQ(bar->Position(), 0) << "a press alone moves nothing";

    PointAt(track, 100, 5);
    EXPECT_EQ(bar->Position(), track->PositionAt(100));
    EXPECT_NEAR(track->Slider()->Left() + track->Slider()->Width() / 2, 100, 1)
        << "the middle under the pointer";
    EXPECT_EQ(changes.Count, 1);
    PointAt(track, 100, 40);
    EXPECT_EQ(changes.Count, 1) << "across moves nothing";
    PointAt(track, 1000, 5);
    EXPECT_EQ(bar->Position(), 100) << "past the end: Max";
    EXPECT_EQ(changes.Count, 2);
    PointAt(track, -500, 5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes.Count, 3);
    Release();
    EXPECT_FALSE(track->Dragging());
    EXPECT_EQ(Application().CaptureControl(), nullptr);
    PointAt(track, 150, 5);
    EXPECT_EQ(bar->Position(), 0) << "released: moves no longer drag";
}

TEST_F(ScrollBarTest, HeldArrowsStepBySmallChangeEveryHundredMilliseconds) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 200);
    bar->SetSmallChange(7);
    bar->SetPosition(50);
    Settle();
    PointAt(bar->EndButton(), 5, 5);
    Press();
    Advance(99);
    EXPECT_EQ(bar->Position(), 50) << "the first step comes one interval after the press";
    Advance(1);
    EXPECT_EQ(bar->Position(), 57);
    Advance(100);
    EXPECT_EQ(bar->Position(), 64);
    Release();
    Advance(300);
    EXPECT_EQ(bar->Position(), 64);

    PointAt(bar->StartButton(), 5, 5);
    Press();
    Advance(50);
    Release();
    Advance(300);
    EXPECT_EQ(bar->Position(), 64) << "released before the first tick: nothing";
    Press();
    for (int i = 0; i < 3; ++i)
        Advance(100);
    Release();
    EXPECT_EQ(bar->Position(), 64 - 21);
}

TEST_F(ScrollBarTest, TheFocusedTrackStepsByTheKeys) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiVertical, 10, 10, 200);
    bar->SetPageSize(10);
    bar->Track()->SetLineSize(3);
    Settle();
    PointAtTrack(bar, 150);
    Press();
    Release();
    ASSERT_TRUE(bar->Track()->Focused()) << "a press on the track takes the focus";
    bar->SetPosition(50);
    Key(VK_NEXT);
    EXPECT_EQ(bar->Position(), 60);
    Key(VK_PRIOR);
    EXPECT_EQ(bar->Position(), 50);
    Key(VK_DOWN);
    EXPECT_EQ(bar->Position(), 53);
    Key(VK_LEFT);
    EXPECT_EQ(bar->Position(), 50);
    Key(VK_END);
    EXPECT_EQ(bar->Position(), 100);
    Key(VK_HOME);
    EXPECT_EQ(bar->Position(), 0);
    Key(VK_UP);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, VisibilityReachesTheChildrenAndAnEmptyBarHidesItself) {
    TsuiScrollBar* bar = NewBar(TOrientation::suiHorizontal, 10, 10, 200);
    bar->SetThumbVisible(false);
    EXPECT_FALSE(bar->Track()->Slider()->Visible());
    bar->SetThumbVisible(true);
    EXPECT_TRUE(bar->Track()->Slider()->Visible());
    bar->SetVisible(false);
    EXPECT_FALSE(bar->Track()->Visible());
    EXPECT_FALSE(bar->StartButton()->Visible());
    EXPECT_FALSE(bar->EndButton()->Visible());
    bar->SetVisible(true);
    EXPECT_TRUE(bar->EndButton()->Visible());

    bar->SetWidth(0);
    EXPECT_FALSE(bar->Visible()) << "nothing to show";
    bar->SetWidth(200);
    EXPECT_FALSE(bar->Visible()) << "until someone shows it again";
    bar->SetVisible(true);
    EXPECT_TRUE(bar->Track()->Visible());
    EXPECT_EQ(bar->Track()->Width(), 200 - 34);
}

TEST_F(ScrollBarTest, ABarReadFromALayoutKeepsItsLengthAndThumb) {
    RegisterSkinnedControls();
    TForm* form = Application().CreateForm<TForm>();
    TLayoutReadOptions options;
    options.AnyRootClass = true;
    ReadLayout(*form,
               "object F: TForm\n"
               "  object Bar: TsuiScrollBar\n"
               "    Left = 8\n    Top = 8\n    Width = 16\n    Height = 206\n"
               "    LineButton = 60\n    Orientation = suiVertical\n    UIStyle = WinXP\n"
               "    Max = 10\n    Position = 10\n    Color = clRed\n  end\n"
               "  object Tall: TsuiScrollBar\n"
               "    Width = 16\n    Height = 100\n"
               "    LineButton = 90\n    Orientation = suiVertical\n  end\n"
               "end\n",
               options);
    auto* bar = static_cast<TsuiScrollBar*>(form->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Height(), 206) << "not cut to a horizontal bar's height";
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->LineButton(), 60);
    EXPECT_EQ(ThumbLength(bar), 60);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(bar->Track()->Slider()->Top(), bar->Track()->Height() - 60);
    EXPECT_EQ(bar->Color(), clRed) << "a stored colour overrides the look's";
    EXPECT_EQ(bar->Track()->Color(), clRed);
    auto* tall = static_cast<TsuiScrollBar*>(form->FindComponent("Tall"));
    EXPECT_EQ(tall->LineButton(), 0) << "90 pixels do not fit between its arrows";
}
