// The skinned window in a real X server: the demo layout in an X window,
// its rounded corners see-through, dragged by its title bar, closed by its
// close button and through the window menu that Alt+Space opens.

#include "support/XScreen.h"
#include "support/XServerTest.h"

#include "controls/SUIForm.h"
#include "controls/SUIRegister.h"
#include "framework/base/SysUtils.h"
#include "framework/components/LayoutReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/MenuTracker.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Timer.h"
#include "platform/backend/Backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace {

class SkinnedWindowXTest : public XServerTest {
protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        SetWindowSystem(CreateWindowSystem());
        ASSERT_STREQ(WindowSystem().Name(), "x11");
        RegisterSkinnedControls();
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        ASSERT_TRUE(FScreen->IsOpen());
    }
    void TearDown() override {
        FScreen.reset();
        XServerTest::TearDown();
    }
    // The demo layout at (100, 80), shown and on the screen.
    TsuiForm* ShowDemo() {
        std::ifstream in(std::string(SSI_SOURCE_DIR) + "/examples/layouts/skinned-window.txt");
        std::stringstream text;
        text << in.rdbuf();
        FHost = Application().CreateForm<TForm>();
        TLayoutReadOptions options;
        options.IgnoreEvents = true;
        ReadLayout(*FHost, text.str(), options);
        FHost->SetPosition(TPosition::poDesigned);
        FHost->SetBounds(100, 80, FHost->Width(), FHost->Height());
        FHost->Show();
        auto* form = static_cast<TsuiForm*>(FHost->FindComponent("suiForm1"));
        EXPECT_TRUE(PumpUntil([&] {
            return Screen(100 + FHost->Width() / 2, 80 + FHost->Height() - 1) == 0x002CC8u;
        })) << "the WinXP border reaches the screen";
        return form;
    }
    uint32_t Screen(int x, int y) { return FScreen->Pixel(x, y); }

    std::unique_ptr<TXScreen> FScreen;
    TCustomForm* FHost = nullptr;
};

} // namespace

TEST_F(SkinnedWindowXTest, TheRoundedCornersShowWhatLiesBelow) {
    uint32_t root = Screen(100, 80);
    ShowDemo();
    EXPECT_EQ(Screen(100, 80), root);
    EXPECT_EQ(Screen(100 + FHost->Width() - 1, 80), root);
    EXPECT_NE(Screen(100 + FHost->Width() / 2, 81), root);
    EXPECT_EQ(Screen(100, 80 + FHost->Height() - 1), 0x002CC8u); // square bottom corner
}

TEST_F(SkinnedWindowXTest, DraggingTheTitleBarMovesTheWindow) {
    TsuiForm* form = ShowDemo();
    TPoint caption = form->TitleBar()->ClientToScreen(Point(200, 10));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d mousedown 1", caption.X, caption.Y)), 0);
    ASSERT_TRUE(PumpUntil([] { return Application().MovingWindow(); }));
    ASSERT_EQ(Run("xdotool mousemove_relative -- 40 25"), 0);
    PumpUntil([&] { return FHost->Left() == 140; }, 1000);
    ASSERT_EQ(Run("xdotool mouseup 1"), 0);
    EXPECT_TRUE(PumpUntil([] { return !Application().MovingWindow(); }));
    EXPECT_EQ(FHost->Left(), 140);
    EXPECT_EQ(FHost->Top(), 105);
    EXPECT_TRUE(PumpUntil([&] {
        return Screen(140 + FHost->Width() / 2, 105 + FHost->Height() - 1) == 0x002CC8u;
    })) << "the window shows at its new place";
}

TEST_F(SkinnedWindowXTest, TheCloseButtonClosesTheForm) {
    TsuiForm* form = ShowDemo();
    bool closed = false;
    FHost->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& action) {
        closed = true;
        action = TCloseAction::caNone;
    }));
    // The close button's middle: 475 - 2 + 1 - 22 + 10 in the bar.
    TPoint close = form->TitleBar()->ClientToScreen(Point(462, 12));
    ASSERT_EQ(Run(Format("xdotool mousemove %d %d click 1", close.X, close.Y)), 0);
    EXPECT_TRUE(PumpUntil([&] { return closed; }));
}

TEST_F(SkinnedWindowXTest, AltSpaceOpensTheWindowMenuAndCloseClosesTheForm) {
    TsuiForm* form = ShowDemo();
    bool closed = false;
    FHost->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& action) {
        closed = true;
        action = TCloseAction::caNone;
    }));
    // Once the menu is open, click its last item ("&Close": 3 items of 21
    // and a separator of 5 below the menu's top frame).
    TPoint menuAt = Point(FHost->Left(), FHost->Top() + form->TitleBar()->Height());
    bool opened = false;
    auto* timer = new TTimer(FHost);
    timer->SetInterval(50);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (!IsMenuOpen())
            return;
        timer->SetEnabled(false);
        opened = true;
        Run(Format("xdotool mousemove %d %d click 1", menuAt.X + 40,
                   menuAt.Y + 3 + 21 + 21 + 5 + 10));
    }));
    ASSERT_EQ(Run("xdotool key alt+space"), 0);
    EXPECT_TRUE(PumpUntil([&] { return closed; }));
    EXPECT_TRUE(opened);
}
