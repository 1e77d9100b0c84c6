// End to end in a real X server: the demonstration form in X windows,
// clicked with xdotool, its pop-up menu opened and used, the screen read
// back; and the demo program's screenshot, which must be the same with
// and without a display.

#include "support/DemoForm.h"
#include "support/XScreen.h"
#include "support/XServerTest.h"

#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Memo.h"
#include "framework/ui/MenuTracker.h"
#include "framework/ui/Timer.h"
#include "platform/backend/Backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FormXTest : public XServerTest {};

} // namespace

TEST_F(FormXTest, DemoFormShowsTakesClicksAndOpensItsMenu) {
    SetWindowSystem(CreateWindowSystem());
    ASSERT_STREQ(WindowSystem().Name(), "x11");
    TXScreen screen(FServer.Display());
    ASSERT_TRUE(screen.IsOpen());
    Application().SetTitle("Widgets demo");
    TDemoForm* form = TDemoForm::Create(&Application());
    ASSERT_NE(form, nullptr);
    form->Show();
    TPoint panel = form->Panel()->ClientToScreen(Point(8, 8));
    ASSERT_TRUE(PumpUntil([&] { return screen.Pixel(panel.X, panel.Y) == 0xE6E6E6; }))
        << "the panel's colour reaches the screen";

    // Once the menu is open: look at it, keep a picture of the screen,
    // then click its first item.
    TPoint menuAt = form->Panel()->ClientToScreen(Point(20, 20));
    uint32_t menuPixel = 0;
    bool shot = false, clicked = false;
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (!IsMenuOpen())
            return;
        timer->SetEnabled(false);
        Application().PaintForms();
        usleep(100000);
        menuPixel = screen.Pixel(menuAt.X + 10, menuAt.Y + 25);
        shot = Run(std::string("import -window root ") + SSI_ARTIFACTS_DIR +
                   "/framework-form.png") == 0;
        clicked = Run(Format("xdotool mousemove %d %d click 1", menuAt.X + 30, menuAt.Y + 10)) == 0;
    }));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", panel.X + 100, panel.Y + 20)), 0);
    ASSERT_TRUE(PumpUntil([&] { return form->Status()->Caption() == "Chosen: Red"; }))
        << "the menu opened on the click and its first item was chosen";
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(shot);
    EXPECT_EQ(menuPixel, 0xD4D0C8u) << "the open menu showed on the screen in the menu colour";
    EXPECT_FALSE(IsMenuOpen());
    EXPECT_TRUE(form->Menu()->Items()->Items(0)->Checked());

    // The button opens it too; Escape closes it without a choice.
    TPoint button = form->MenuButton()->ClientToScreen(Point(10, 10));
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (IsMenuOpen()) {
            timer->SetEnabled(false);
            Run("xdotool key Escape");
        }
    }));
    timer->SetEnabled(true);
    bool escaped = false;
    form->Status()->SetCaption("waiting");
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", button.X, button.Y)), 0);
    EXPECT_TRUE(PumpUntil([&] {
        escaped = !timer->Enabled() && !IsMenuOpen();
        return escaped;
    }));
    EXPECT_EQ(form->Status()->Caption(), "waiting");
}

TEST_F(FormXTest, TypedCharactersAndAltLettersArriveWhole) {
    SetWindowSystem(CreateWindowSystem());
    auto* form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 300, 200);
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 150, 80, 24);
    button->SetCaption("&Файл");
    bool clicked = false;
    button->SetOnClick(TNotifyEvent([&](TObject*) { clicked = true; }));
    form->Show();
    memo->SetFocus();
    TPoint inside = memo->ClientToScreen(Point(20, 20));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", inside.X, inside.Y)), 0);
    ASSERT_TRUE(PumpUntil([&] { return memo->Focused() && Application().ActiveForm() == form; }));

    // xdotool types what the keyboard map lacks on a spare key that it maps
    // for the moment, which the program hears as a key without a virtual
    // key code and its text. It runs alongside, so that the program looks
    // the key up while the key is still mapped.
    const std::string text = "жук € 漢";
    ASSERT_EQ(Run("LC_ALL=C.UTF-8 xdotool type --delay 250 '" + text + "' &"), 0);
    EXPECT_TRUE(PumpUntil([&] { return memo->Text() == text; }, 10000)) << memo->Text();

    ASSERT_EQ(Run("xdotool key --delay 250 alt+Cyrillic_ef &"), 0);
    EXPECT_TRUE(PumpUntil([&] { return clicked; }, 5000)) << "Alt with the letter of \"&Файл\"";
    EXPECT_EQ(memo->Text(), text) << "a letter typed with Alt is no text";
}

TEST_F(FormXTest, DemoScreenshotIsTheSameWithAndWithoutADisplay) {
    const std::string demo = std::string(SSI_BIN_DIR) + "/widgets-demo";
    const std::string dir = SSI_ARTIFACTS_DIR;
    ASSERT_EQ(Run(demo + " --screenshot " + dir + "/widgets-demo-sdl.png > /dev/null"), 0);
    ASSERT_EQ(std::system(("SSI_BACKEND=headless " + demo + " --screenshot " + dir +
                           "/widgets-demo-headless.png > /dev/null")
                              .c_str()),
              0);
    std::string sdl = ReadFile(dir + "/widgets-demo-sdl.png");
    std::string headless = ReadFile(dir + "/widgets-demo-headless.png");
    EXPECT_FALSE(sdl.empty());
    EXPECT_TRUE(sdl == headless) << "the two PNG files differ";
}
