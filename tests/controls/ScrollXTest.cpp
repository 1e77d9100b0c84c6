// End to end in a real X server: a skinned memo driving a skinned vertical
// bar in an X window, used with xdotool and read back from the screen.
// Dragging the bar's thumb scrolls the memo; turning the wheel over the
// memo moves the thumb, on the screen too.

#include "support/XScreen.h"
#include "support/XServerTest.h"

#include "controls/SUIMemo.h"
#include "controls/SUIScrollBar.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "platform/backend/Backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

// TColor (0x00BBGGRR) as the screen reports it (0x00RRGGBB).
uint32_t ScreenRgb(TColor c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class ScrollXTest : public XServerTest {};

} // namespace

TEST_F(ScrollXTest, TheThumbDragsTheMemoAndTheWheelMovesTheThumb) {
    SetWindowSystem(CreateWindowSystem());
    ASSERT_STREQ(WindowSystem().Name(), "x11");
    TXScreen screen(FServer.Display());
    ASSERT_TRUE(screen.IsOpen());

    TForm* form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 360, 240);
    form->SetColor(clWhite);
    auto* memo = new TsuiMemo(form);
    memo->SetParent(form);
    memo->SetBounds(20, 20, 220, 160);
    memo->SetUIStyle(TsuiUIStyle::WinXP);
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += (i ? "\r\n" : "") + std::string("Licence line ") + std::to_string(i + 1);
    memo->SetText(text);
    auto* bar = new TsuiScrollBar(form);
    bar->SetParent(form);
    bar->SetUIStyle(TsuiUIStyle::WinXP);
    memo->SetVScrollBar(bar);
    form->Show();

    TsuiScrollTrackBar* track = bar->Track();
    TsuiImagePanel* slider = track->Slider();
    const TColor thumbColour =
        slider->Picture()->Bitmap().Pixel(slider->Width() / 2, slider->Height() / 2);
    const TColor trackColour = track->Color();
    ASSERT_NE(ScreenRgb(thumbColour), ScreenRgb(trackColour));
    // The thumb's middle on the screen, wherever the slider now stands.
    auto thumbMiddle = [&] {
        return slider->ClientToScreen(Point(slider->Width() / 2, slider->Height() / 2));
    };
    auto shows = [&](const TPoint& p, TColor c) { return screen.Pixel(p.X, p.Y) == ScreenRgb(c); };
    const TPoint start = thumbMiddle();
    ASSERT_TRUE(PumpUntil([&] { return shows(start, thumbColour); })) << "the thumb is on screen";
    ASSERT_EQ(memo->TopLine(), 0);

    // Drag the thumb 40 pixels down: the memo scrolls to the bar's place.
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d mousedown 1", start.X, start.Y)), 0);
    ASSERT_TRUE(PumpUntil([&] { return track->Dragging(); }));
    ASSERT_EQ(Run("xdotool mousemove_relative -- 0 40"), 0);
    EXPECT_TRUE(PumpUntil([&] { return memo->TopLine() > 0; })) << "the memo scrolled";
    ASSERT_EQ(Run("xdotool mouseup 1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return !track->Dragging(); }));
    const int dragged = memo->TopLine();
    EXPECT_EQ(bar->Position(), dragged);
    EXPECT_EQ(dragged, track->PositionAt(track->ScreenToClient(Point(start.X, start.Y + 40)).Y));
    const TPoint afterDrag = thumbMiddle();
    EXPECT_NEAR(afterDrag.Y, start.Y + 40, 1);
    EXPECT_TRUE(PumpUntil([&] {
        return shows(afterDrag, thumbColour) && shows(start, trackColour);
    })) << "the thumb moved on the screen";

    // Turn the wheel over the memo: the thumb follows the text down.
    const TPoint inText = memo->ClientToScreen(Point(60, 40));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", inText.X, inText.Y)), 0);
    ASSERT_TRUE(PumpUntil([&] { return memo->Focused(); }));
    ASSERT_EQ(Run("xdotool click 5 click 5 click 5"), 0);
    EXPECT_TRUE(PumpUntil([&] { return memo->TopLine() == std::min(dragged + 9, bar->Max()); }))
        << "three notches, three lines each";
    EXPECT_EQ(bar->Position(), memo->TopLine());
    const TPoint afterWheel = thumbMiddle();
    EXPECT_GT(afterWheel.Y, afterDrag.Y + slider->Height() / 2);
    EXPECT_TRUE(PumpUntil([&] {
        return shows(afterWheel, thumbColour) && shows(afterDrag, trackColour);
    })) << "and the thumb followed on the screen";
}
