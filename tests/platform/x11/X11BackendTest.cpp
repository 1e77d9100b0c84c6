// The X backend in a real X server: a private Xvfb per test, pixels read
// back from the root window, input made with xdotool; and what it does when
// the server goes away or the program is asked to end.

#include "platform/backend/Backend.h"
#include "platform/x11/X11Backend.h"
#include "support/XScreen.h"
#include "support/Xvfb.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using testing_support::FindProgram;
using testing_support::TXvfb;

constexpr uint32_t kRed = 0x00FF0000;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlue = 0x000000FF;

class X11BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("Xvfb").empty())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(FServer.Start()) << "Xvfb did not start";
        setenv("DISPLAY", FServer.Display().c_str(), 1);
        unsetenv("SSI_BACKEND");
        FWs = CreateWindowSystem();
        ASSERT_STREQ(FWs->Name(), "x11") << "a display is there, so X must serve";
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        ASSERT_TRUE(FScreen->IsOpen());
    }
    void TearDown() override {
        FScreen.reset();
        FWs.reset();
    }

    // The screen's pixel as 0x00RRGGBB.
    uint32_t ScreenPixel(int x, int y) { return FScreen->Pixel(x, y); }

    void Xdotool(const std::string& args) {
        const std::string command = "DISPLAY=" + FServer.Display() + " xdotool " + args;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Collects events until `done` says so or a second has passed.
    std::vector<TWsEvent> Collect(const std::function<bool(const std::vector<TWsEvent>&)>& done) {
        std::vector<TWsEvent> events;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        TWsEvent e;
        while (!done(events) && std::chrono::steady_clock::now() < deadline)
            if (FWs->WaitEvent(e, 20))
                events.push_back(e);
        return events;
    }
    // Pumps events until the screen shows `expected` at (x, y) or a second
    // has passed, and returns what it shows then.
    uint32_t PixelWhenSettled(int x, int y, uint32_t expected) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        TWsEvent e;
        uint32_t pixel = ScreenPixel(x, y);
        while (pixel != expected && std::chrono::steady_clock::now() < deadline) {
            FWs->WaitEvent(e, 10);
            pixel = ScreenPixel(x, y);
        }
        return pixel;
    }
    // Gives the server a moment to show something that must not change.
    void Pump(int milliseconds) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        TWsEvent e;
        while (std::chrono::steady_clock::now() < deadline)
            FWs->WaitEvent(e, 10);
    }

    void Fill(TWsWindow window, const TWsRect& rect, uint32_t colour) {
        TWsPixels px = FWs->BackBuffer(window);
        TWsRect r = rect.Intersect(TWsRect{0, 0, px.Width, px.Height});
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                px.Row(y)[x] = colour;
    }

    // A 120x80 form at (40, 30): red left half, blue right half, its
    // top-left 20x20 cut out of its shape.
    TWsWindow MakeShapedForm() {
        TWsWindow form = FWs->CreateWindow(TWsWindowKind::TopLevel, {40, 30, 160, 110});
        TWindowShape shape(120, 80);
        shape.AddRect(20, 0, 120, 80);
        shape.AddRect(0, 20, 20, 80);
        FWs->SetWindowShape(form, shape);
        Fill(form, {0, 0, 60, 80}, kRed);
        Fill(form, {60, 0, 120, 80}, kBlue);
        FWs->Present(form, {0, 0, 120, 80});
        FWs->ShowWindow(form, true);
        return form;
    }

    TXvfb FServer;
    std::unique_ptr<TWindowSystem> FWs;
    std::unique_ptr<TXScreen> FScreen;
};

bool Has(const std::vector<TWsEvent>& events, TWsEventType type) {
    for (const TWsEvent& e : events)
        if (e.Type == type)
            return true;
    return false;
}

} // namespace

TEST_F(X11BackendTest, ShapedWindowsShowWhatWasPresentedInsideTheirShape) {
    TWsWindow form = MakeShapedForm();
    TWsWindow menu = FWs->CreateWindow(TWsWindowKind::Popup, {130, 90, 170, 120});
    Fill(menu, {0, 0, 40, 30}, kGreen);
    FWs->ShowWindow(menu, true); // showing presents the back buffer

    EXPECT_EQ(PixelWhenSettled(40 + 30, 30 + 40, kRed), kRed);
    EXPECT_EQ(ScreenPixel(40 + 100, 30 + 10), kBlue);
    EXPECT_EQ(ScreenPixel(40 + 5, 30 + 5), 0u) << "cut out of the shape: the black root shows";
    EXPECT_EQ(ScreenPixel(40 + 25, 30 + 5), kRed);
    EXPECT_EQ(PixelWhenSettled(140, 100, kGreen), kGreen) << "the popup lies over the form";
    EXPECT_EQ(ScreenPixel(169, 119), kGreen);
    EXPECT_EQ(ScreenPixel(39, 50), 0u);
    EXPECT_EQ(FWs->WorkArea(), (TWsRect{0, 0, 640, 480}));
    EXPECT_FALSE(FWs->MinimizeWindow(menu)) << "no window manager could give it back";
    EXPECT_EQ(ScreenPixel(140, 100), kGreen);

    // Painting without presenting changes nothing on the screen; presenting
    // a part shows that part only.
    Fill(form, {0, 0, 120, 80}, kGreen);
    Pump(50);
    EXPECT_EQ(ScreenPixel(40 + 30, 30 + 40), kRed);
    FWs->Present(form, {0, 0, 60, 80});
    EXPECT_EQ(PixelWhenSettled(40 + 30, 30 + 40, kGreen), kGreen);
    EXPECT_EQ(ScreenPixel(40 + 100, 30 + 50), kBlue);

    // Moved and grown: the shape keeps its place, so the new strip stays
    // see-through; the contents come back as they were last presented.
    FWs->SetWindowBounds(form, {200, 200, 360, 280});
    EXPECT_EQ(PixelWhenSettled(200 + 100, 200 + 50, kBlue), kBlue);
    EXPECT_EQ(ScreenPixel(200 + 30, 200 + 50), kGreen);
    EXPECT_EQ(ScreenPixel(200 + 130, 200 + 50), 0u);
    EXPECT_EQ(ScreenPixel(200 + 5, 200 + 5), 0u);
    EXPECT_EQ(PixelWhenSettled(40 + 30, 30 + 40, 0), 0u) << "nothing left at the old place";

    // Hidden and shown again: showing presents the whole back buffer.
    FWs->ShowWindow(form, false);
    EXPECT_EQ(PixelWhenSettled(200 + 30, 200 + 40, 0), 0u);
    FWs->ShowWindow(form, true);
    EXPECT_EQ(PixelWhenSettled(200 + 100, 200 + 40, kGreen), kGreen);

    std::filesystem::create_directories(SSI_ARTIFACTS_DIR);
    const std::string shot = std::string(SSI_ARTIFACTS_DIR) + "/x11-shaped-windows.png";
    const std::string command = "DISPLAY=" + FServer.Display() + " import -window root " + shot;
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(X11BackendTest, InputArrivesInScreenCoordinatesOnlyInsideTheShape) {
    TWsWindow form = MakeShapedForm();
    ASSERT_EQ(PixelWhenSettled(100, 70, kBlue), kBlue);

    Xdotool("mousemove 45 35 click 1"); // in the cut-out corner
    Xdotool("mousemove 100 70 click 1");
    std::vector<TWsEvent> events = Collect([](const std::vector<TWsEvent>& got) {
        return !got.empty() && got.back().Type == TWsEventType::MouseUp;
    });
    std::vector<TWsEvent> buttons;
    for (const TWsEvent& e : events)
        if (e.Type == TWsEventType::MouseDown || e.Type == TWsEventType::MouseUp)
            buttons.push_back(e);
    ASSERT_EQ(buttons.size(), 2u) << "the click in the cut-out must not arrive";
    EXPECT_EQ(buttons[0].Type, TWsEventType::MouseDown);
    EXPECT_EQ(buttons[0].Window, form);
    EXPECT_EQ(buttons[0].X, 100);
    EXPECT_EQ(buttons[0].Y, 70);
    EXPECT_EQ(buttons[0].Button, TWsButton::Left);
    EXPECT_EQ(buttons[0].State & wsLeftButton, wsLeftButton);
    EXPECT_LE(buttons[0].Time, FWs->TickCount());
    EXPECT_GT(buttons[0].Time + 2000, FWs->TickCount()) << "stamped on TickCount's clock";
    EXPECT_EQ(buttons[1].Type, TWsEventType::MouseUp);
    EXPECT_EQ(buttons[1].State & wsLeftButton, 0u);

    Xdotool("mousemove_relative 7 3");
    events =
        Collect([](const std::vector<TWsEvent>& got) { return Has(got, TWsEventType::MouseMove); });
    ASSERT_TRUE(Has(events, TWsEventType::MouseMove));
    EXPECT_EQ(events.back().X, 107);
    EXPECT_EQ(FWs->CursorPos(), (TWsPoint{107, 73}));
    // The pointer is asked for where it is now, even after a warp, and the
    // buttons likewise (moving a window polls both).
    Xdotool("mousemove 300 300");
    EXPECT_EQ(FWs->CursorPos(), (TWsPoint{300, 300}));
    Xdotool("mousedown 1");
    EXPECT_TRUE(FWs->IsKeyDown(VK_LBUTTON));
    Xdotool("mouseup 1 mousemove 107 73");
    EXPECT_FALSE(FWs->IsKeyDown(VK_LBUTTON));
    Collect([](const std::vector<TWsEvent>& got) { return Has(got, TWsEventType::MouseMove); });

    Xdotool("click 5");
    events = Collect(
        [](const std::vector<TWsEvent>& got) { return Has(got, TWsEventType::MouseWheel); });
    ASSERT_TRUE(Has(events, TWsEventType::MouseWheel));
    for (const TWsEvent& e : events)
        if (e.Type == TWsEventType::MouseWheel) {
            EXPECT_EQ(e.WheelDelta, -120) << "towards the user";
            EXPECT_EQ(e.X, 107);
        }

    // Without a window manager the window shown last has the keyboard.
    Xdotool("key Return type aB");
    std::vector<unsigned char> chars;
    bool sawReturn = false;
    events = Collect([&](const std::vector<TWsEvent>& got) {
        int count = 0;
        for (const TWsEvent& e : got)
            count += e.Type == TWsEventType::Char;
        return count >= 3;
    });
    for (const TWsEvent& e : events) {
        if (e.Type == TWsEventType::KeyDown && e.Key == VK_RETURN)
            sawReturn = true;
        if (e.Type == TWsEventType::Char)
            chars.push_back(e.Char);
    }
    EXPECT_TRUE(sawReturn);
    EXPECT_EQ(chars, (std::vector<unsigned char>{13, 'a', 'B'}));

    Xdotool("keydown shift");
    Collect([](const std::vector<TWsEvent>& got) { return Has(got, TWsEventType::KeyDown); });
    EXPECT_TRUE(FWs->IsKeyDown(VK_SHIFT));
    Xdotool("keyup shift");
    Collect([](const std::vector<TWsEvent>& got) { return Has(got, TWsEventType::KeyUp); });
    EXPECT_FALSE(FWs->IsKeyDown(VK_SHIFT));
}

// A session that ends takes its programs with it: one line, status 1, and
// no busy loop on a dead connection.
TEST_F(X11BackendTest, ALostDisplayEndsTheProgramWithOneLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TXvfb other;
            if (!other.Start())
                std::_Exit(3);
            setenv("DISPLAY", other.Display().c_str(), 1);
            TX11Backend ws;
            TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 20, 20});
            ws.ShowWindow(w, true);
            other.Stop();
            TWsEvent e;
            for (int i = 0; i < 500; ++i)
                ws.WaitEvent(e, 10);
            std::_Exit(4); // still running: the loss went unnoticed
        },
        testing::ExitedWithCode(1), "the connection to the display :[0-9]+ was lost\n$");
}

// SIGINT and SIGTERM ask the loop to end; a second one ends the program even
// when it does not get back to its loop.
TEST_F(X11BackendTest, TheQuitSignalsArriveAsQuitAndASecondOneEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TX11Backend ws;
            raise(SIGTERM);
            TWsEvent e;
            const bool got = ws.WaitEvent(e, 1000);
            if (!got || e.Type != TWsEventType::Quit)
                std::_Exit(5);
            raise(SIGINT);
            std::_Exit(6);
        },
        testing::KilledBySignal(SIGINT), "");
}
