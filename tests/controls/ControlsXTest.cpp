// End to end in a real X server: skinned controls in an X window, used
// with xdotool, and the screen read back: a button clicked, a check box
// toggled, radio items selected with the arrow keys, and the link label
// turning red under the pointer.

#include "support/XScreen.h"
#include "support/XServerTest.h"

#include "controls/SUIButton.h"
#include "controls/SUIRadioGroup.h"
#include "controls/SUIURLLabel.h"
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

class ControlsXTest : public XServerTest {
protected:
    // Clicks at the middle of (x, y) of `control`'s client area.
    void ClickOn(TControl* control, int x, int y) {
        TPoint p = control->ClientToScreen(Point(x, y));
        ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", p.X, p.Y)), 0);
    }
};

} // namespace

TEST_F(ControlsXTest, ButtonsCheckBoxesRadioItemsAndTheLinkWorkOnARealScreen) {
    SetWindowSystem(CreateWindowSystem());
    ASSERT_STREQ(WindowSystem().Name(), "x11");
    TXScreen screen(FServer.Display());
    ASSERT_TRUE(screen.IsOpen());

    TForm* form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 360, 240);
    form->SetColor(clWhite);
    auto* button = new TsuiButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 90, 27);
    button->SetCaption("Press");
    button->SetUIStyle(TsuiUIStyle::WinXP);
    auto* box = new TsuiCheckBox(form);
    box->SetParent(form);
    box->SetBounds(20, 60, 120, 17);
    box->SetCaption("I agree");
    auto* group = new TsuiRadioGroup(form);
    group->SetParent(form);
    group->SetBounds(160, 20, 180, 110);
    group->SetCaption("Size");
    for (const char* item : {"Small", "Medium", "Large"})
        group->Items()->Add(item);
    auto* link = new TsuiURLLabel(form);
    link->SetParent(form);
    link->SetLeft(20);
    link->SetTop(150);
    link->SetCaption("https://example.org/");
    int clicks = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    form->Show();

    // The link's blue reaches the screen once the window is up.
    auto linkShows = [&](uint32_t rgb) {
        TPoint o = link->ClientToScreen(Point(0, 0));
        for (int y = 0; y < link->Height(); ++y)
            for (int x = 0; x < link->Width(); ++x)
                if (screen.Pixel(o.X + x, o.Y + y) == rgb)
                    return true;
        return false;
    };
    ASSERT_TRUE(PumpUntil([&] { return linkShows(0x0000FF); })) << "the form is on the screen";

    ClickOn(button, 45, 13);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; })) << "the button was clicked";

    ClickOn(box, 6, 8);
    EXPECT_TRUE(PumpUntil([&] { return box->Checked(); })) << "the box was checked";
    ClickOn(box, 6, 8);
    EXPECT_TRUE(PumpUntil([&] { return !box->Checked(); })) << "and unchecked";

    ClickOn(group->ItemButton(0), 6, 8);
    ASSERT_TRUE(PumpUntil([&] { return group->ItemIndex() == 0; }));
    ASSERT_EQ(Run("xdotool key Down"), 0);
    EXPECT_TRUE(PumpUntil([&] { return group->ItemIndex() == 1; })) << "Down selects the next";
    ASSERT_EQ(Run("xdotool key Down"), 0);
    EXPECT_TRUE(PumpUntil([&] { return group->ItemIndex() == 2; }));
    ASSERT_EQ(Run("xdotool key Up"), 0);
    EXPECT_TRUE(PumpUntil([&] { return group->ItemIndex() == 1; }));

    TPoint over = link->ClientToScreen(Point(10, 5));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d mousemove_relative 1 0", over.X - 1, over.Y)), 0);
    EXPECT_TRUE(PumpUntil([&] { return linkShows(0xFF0000); })) << "the link turned red";
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d mousemove_relative 1 0", over.X, over.Y + 100)),
              0);
    EXPECT_TRUE(PumpUntil([&] { return linkShows(0x0000FF) && !linkShows(0xFF0000); }))
        << "and blue again";
}
