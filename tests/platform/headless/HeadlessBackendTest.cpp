#include "platform/headless/HeadlessBackend.h"

#include "platform/kernel32/Kernel32.h"
#include "support/PngFile.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kRed = 0x00FF0000;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlue = 0x000000FF;

void Fill(TWindowSystem& ws, TWsWindow window, const TWsRect& rect, uint32_t colour) {
    TWsPixels px = ws.BackBuffer(window);
    TWsRect r = rect.Intersect(TWsRect{0, 0, px.Width, px.Height});
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            px.Row(y)[x] = colour;
}

std::vector<TWsEvent> Drain(THeadlessBackend& ws) {
    std::vector<TWsEvent> events;
    TWsEvent e;
    while (ws.WaitEvent(e, 0))
        events.push_back(e);
    return events;
}

std::vector<TWsEvent> OfType(const std::vector<TWsEvent>& events, TWsEventType type) {
    std::vector<TWsEvent> result;
    for (const TWsEvent& e : events)
        if (e.Type == type)
            result.push_back(e);
    return result;
}

} // namespace

TEST(HeadlessBackend, PresentCopiesOnlyTheGivenRectangleOfTheBackBuffer) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {10, 20, 50, 40});
    EXPECT_FALSE(ws.IsWindowVisible(w));
    TWsPixels px = ws.BackBuffer(w);
    ASSERT_EQ(px.Width, 40);
    ASSERT_EQ(px.Height, 20);
    EXPECT_EQ(px.Row(19)[39], 0u);

    Fill(ws, w, {0, 0, 40, 20}, kRed);
    EXPECT_EQ(ws.Framebuffer(w).Pixel(5, 5), 0u) << "painting alone must not reach the screen";

    // Right and bottom are exclusive; the part outside the window is ignored.
    ws.Present(w, {30, 10, 100, 100});
    THeadlessImage fb = ws.Framebuffer(w);
    EXPECT_EQ(fb.Pixel(30, 10), kRed);
    EXPECT_EQ(fb.Pixel(39, 19), kRed);
    EXPECT_EQ(fb.Pixel(29, 10), 0u);
    EXPECT_EQ(fb.Pixel(30, 9), 0u);
    EXPECT_EQ(ws.PresentCount(w), 1);
}

TEST(HeadlessBackend, ResizingKeepsThePixelsThatStillFitAndExposesAVisibleWindow) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 4, 4});
    Fill(ws, w, {0, 0, 4, 4}, kGreen);
    ws.Present(w, {0, 0, 4, 4});
    ws.ShowWindow(w, true);
    Drain(ws);

    ws.SetWindowBounds(w, {100, 100, 106, 103});
    EXPECT_EQ(ws.WindowBounds(w), (TWsRect{100, 100, 106, 103}));
    TWsPixels px = ws.BackBuffer(w);
    ASSERT_EQ(px.Width, 6);
    ASSERT_EQ(px.Height, 3);
    EXPECT_EQ(px.Row(2)[3], kGreen);
    EXPECT_EQ(px.Row(2)[4], 0u);
    EXPECT_EQ(ws.Framebuffer(w).Pixel(3, 0), kGreen);
    EXPECT_EQ(OfType(Drain(ws), TWsEventType::Expose).size(), 1u);

    // A pure move changes no size and loses nothing.
    ws.SetWindowBounds(w, {0, 0, 6, 3});
    EXPECT_TRUE(OfType(Drain(ws), TWsEventType::Expose).empty());
    EXPECT_EQ(ws.BackBuffer(w).Row(0)[0], kGreen);
}

TEST(HeadlessBackend, UnknownAndDestroyedWindowsAreIgnored) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::Popup, {0, 0, 10, 10});
    ws.DestroyWindow(w);
    ws.DestroyWindow(w);
    ws.ShowWindow(w, true);
    ws.Present(w, {0, 0, 10, 10});
    ws.SetWindowBounds(0, {0, 0, 5, 5});
    EXPECT_EQ(ws.BackBuffer(w).Pixels, nullptr);
    EXPECT_TRUE(ws.Windows().empty());
    EXPECT_EQ(ws.FocusWindow(), 0u);
}

TEST(HeadlessBackend, ScreenShowsWindowsInStackingOrderInsideTheirShapes) {
    THeadlessBackend ws;
    ws.SetScreenBounds({0, 0, 100, 100});
    TWsWindow below = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 50, 50});
    TWsWindow above = ws.CreateWindow(TWsWindowKind::TopLevel, {20, 20, 70, 70});
    Fill(ws, below, {0, 0, 50, 50}, kRed);
    Fill(ws, above, {0, 0, 50, 50}, kBlue);
    ws.ShowWindow(below, true);
    ws.ShowWindow(above, true);
    EXPECT_EQ(ws.Screen().Pixel(30, 30), kBlue);

    // The top-left 10x10 of the upper window is cut away: the window below shows through.
    TWindowShape shape(50, 50);
    shape.AddRect(0, 0, 50, 50);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            shape.SetPixel(x, y, false);
    ws.SetWindowShape(above, shape);
    THeadlessImage screen = ws.Screen();
    EXPECT_EQ(screen.Pixel(25, 25), kRed);
    EXPECT_EQ(screen.Pixel(30, 30), kBlue);
    EXPECT_EQ(screen.Pixel(60, 60), kBlue);
    EXPECT_EQ(screen.Pixel(80, 80), 0u);

    ws.RaiseWindow(below);
    EXPECT_EQ(ws.Windows(), (std::vector<TWsWindow>{above, below}));
    EXPECT_EQ(ws.Screen().Pixel(30, 30), kRed);

    // Growing the window: the shape keeps its place and the new part is outside it.
    ws.RaiseWindow(above);
    ws.SetWindowBounds(above, {20, 20, 90, 90});
    Fill(ws, above, {0, 0, 70, 70}, kGreen);
    ws.Present(above, {0, 0, 70, 70});
    EXPECT_EQ(ws.Screen().Pixel(80, 80), 0u);
    EXPECT_EQ(ws.Screen().Pixel(30, 30), kGreen);
}

TEST(HeadlessBackend, MouseGoesToTheWindowUnderThePointerWithinItsShape) {
    THeadlessBackend ws;
    TWsWindow below = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 100, 100});
    TWsWindow above = ws.CreateWindow(TWsWindowKind::TopLevel, {50, 50, 150, 150});
    TWindowShape shape(100, 100);
    shape.AddRect(10, 10, 100, 100);
    ws.SetWindowShape(above, shape);
    ws.ShowWindow(below, true);
    ws.ShowWindow(above, true);
    Drain(ws);

    ws.Click(55, 55); // in the cut-away part of `above`
    ws.Click(70, 70);
    ws.Click(300, 300); // the desktop: nobody hears it
    std::vector<TWsEvent> downs = OfType(Drain(ws), TWsEventType::MouseDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].Window, below);
    EXPECT_EQ(downs[0].X, 55);
    EXPECT_EQ(downs[0].Y, 55);
    EXPECT_EQ(downs[1].Window, above);
    EXPECT_EQ(downs[1].X, 70) << "coordinates are screen coordinates";
}

TEST(HeadlessBackend, AHeldButtonKeepsTheMouseWithThePressingWindow) {
    THeadlessBackend ws;
    TWsWindow a = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 100, 100});
    TWsWindow b = ws.CreateWindow(TWsWindowKind::TopLevel, {200, 0, 300, 100});
    ws.ShowWindow(a, true);
    ws.ShowWindow(b, true);
    Drain(ws);

    ws.MoveMouse(10, 10);
    ws.PressButton(TWsButton::Left);
    ws.MoveMouse(500, 500); // over the desktop, still reported to `a`
    ws.MoveMouse(250, 50);  // over `b`, still `a`
    EXPECT_TRUE(ws.IsKeyDown(VK_LBUTTON));
    ws.ReleaseButton(TWsButton::Left);
    EXPECT_FALSE(ws.IsKeyDown(VK_LBUTTON));
    ws.MoveMouse(260, 50); // the grab has ended
    std::vector<TWsEvent> events = Drain(ws);
    ASSERT_EQ(events.size(), 6u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(events[i].Window, a) << i;
    EXPECT_EQ(events[5].Window, b);

    EXPECT_EQ(events[1].Type, TWsEventType::MouseDown);
    EXPECT_EQ(events[1].State & wsLeftButton, wsLeftButton) << "a press includes its button";
    EXPECT_EQ(events[2].State & wsLeftButton, wsLeftButton);
    EXPECT_EQ(events[4].Type, TWsEventType::MouseUp);
    EXPECT_EQ(events[4].X, 250);
    EXPECT_EQ(events[4].State & wsLeftButton, 0u) << "a release no longer holds it";
}

TEST(HeadlessBackend, WheelAndModifiersTravelWithMouseEvents) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 100, 100});
    ws.ShowWindow(w, true);
    ws.MoveMouse(5, 6);
    ws.PressKey(VK_LCONTROL);
    Drain(ws);
    ws.Wheel(-240);
    ws.PressButton(TWsButton::Right);
    std::vector<TWsEvent> events = Drain(ws);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Type, TWsEventType::MouseWheel);
    EXPECT_EQ(events[0].WheelDelta, -240);
    EXPECT_EQ(events[0].State, wsCtrl);
    EXPECT_EQ(events[1].Button, TWsButton::Right);
    EXPECT_EQ(events[1].State, wsCtrl | wsRightButton);
}

TEST(HeadlessBackend, KeysGoToTheLastShownWindowWithTheirControlCharacters) {
    THeadlessBackend ws;
    ws.TypeKey(VK_RETURN); // no window yet: the keys go nowhere
    EXPECT_EQ(ws.PendingEvents(), 0u);

    TWsWindow form = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 10, 10});
    TWsWindow menu = ws.CreateWindow(TWsWindowKind::Popup, {0, 0, 10, 10});
    ws.ShowWindow(form, true);
    ws.ShowWindow(menu, true);
    std::vector<TWsEvent> focus = Drain(ws);
    std::vector<TWsEvent> gained = OfType(focus, TWsEventType::FocusGained);
    ASSERT_EQ(gained.size(), 2u);
    EXPECT_EQ(gained[1].Window, menu) << "the last window shown takes the keyboard, a menu too";
    ASSERT_EQ(OfType(focus, TWsEventType::FocusLost).size(), 1u);
    EXPECT_EQ(OfType(focus, TWsEventType::FocusLost)[0].Window, form);

    ws.PressKey(VK_RSHIFT);
    ws.PressKey('A');
    ws.PressKey('A');
    ws.ReleaseKey('A');
    ws.ReleaseKey(VK_RSHIFT);
    std::vector<TWsEvent> keys = Drain(ws);
    ASSERT_EQ(keys.size(), 5u) << "letters make no character on their own";
    EXPECT_EQ(keys[0].Key, VK_SHIFT);
    EXPECT_EQ(keys[1].Window, menu);
    EXPECT_EQ(keys[1].Key, 'A');
    EXPECT_EQ(keys[1].State, wsShift);
    EXPECT_FALSE(keys[1].Repeat);
    EXPECT_TRUE(keys[2].Repeat);
    EXPECT_EQ(keys[3].Type, TWsEventType::KeyUp);
    EXPECT_EQ(keys[4].Key, VK_SHIFT);
    EXPECT_EQ(keys[4].State, 0u);

    // Hiding the menu hands the keyboard back to the form.
    ws.ShowWindow(menu, false);
    Drain(ws);
    ws.PressKey(VK_CONTROL);
    EXPECT_TRUE(ws.IsKeyDown(VK_CONTROL));
    EXPECT_TRUE(ws.IsKeyDown(VK_LCONTROL));
    ws.TypeKey('C');
    ws.ReleaseKey(VK_CONTROL);
    ws.TypeKey(VK_RETURN);
    ws.TypeText("\xE9!");
    std::vector<TWsEvent> chars = OfType(Drain(ws), TWsEventType::Char);
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[0].Char, 3) << "Ctrl+C";
    EXPECT_EQ(chars[1].Char, 13);
    EXPECT_EQ(chars[2].Char, 0xE9);
    EXPECT_EQ(chars[3].Char, '!');
    for (const TWsEvent& e : chars)
        EXPECT_EQ(e.Window, form);
}

TEST(HeadlessBackend, TypedTextComesAByteAtATimeLeadByteFirstWithTheKeysHeld) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 100, 100});
    ws.ShowWindow(w, true);
    ws.PressKey(VK_MENU);
    Drain(ws);
    const std::string text = "ж€😀";
    ws.TypeText(text);
    std::vector<TWsEvent> chars = OfType(Drain(ws), TWsEventType::Char);
    ASSERT_EQ(chars.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        EXPECT_EQ(chars[i].Char, static_cast<unsigned char>(text[i])) << i;
        EXPECT_EQ(chars[i].State, wsAlt) << i;
        EXPECT_EQ(chars[i].Window, w) << i;
    }
}

TEST(HeadlessBackend, ControlCharactersFollowThePlatformsKeyTranslation) {
    struct {
        int Key;
        uint32_t State;
        unsigned char Char;
    } const cases[] = {
        {VK_BACK, 0, 8},    {VK_BACK, wsCtrl, 0x7F}, {VK_TAB, 0, 9},     {VK_TAB, wsCtrl, 0},
        {VK_RETURN, 0, 13}, {VK_RETURN, wsCtrl, 10}, {VK_ESCAPE, 0, 27}, {VK_ESCAPE, wsShift, 27},
        {'A', wsCtrl, 1},   {'Z', wsCtrl, 26},       {'A', 0, 0},        {'A', wsCtrl | wsAlt, 0},
        {VK_SPACE, 0, 0},   {VK_DELETE, 0, 0},       {'1', wsCtrl, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControlCharForKey(c.Key, c.State), c.Char) << c.Key << " state " << c.State;
}

TEST(HeadlessBackend, WaitingOnAnEmptyQueueMovesTheVirtualClock) {
    THeadlessBackend ws;
    TWsEvent e;
    EXPECT_EQ(ws.TickCount(), 0u);
    EXPECT_FALSE(ws.WaitEvent(e, 100));
    EXPECT_EQ(ws.TickCount(), 100u);
    EXPECT_FALSE(ws.WaitEvent(e, WS_INFINITE)) << "nothing can ever arrive";
    EXPECT_EQ(ws.TickCount(), 100u);

    ws.PostQuit();
    EXPECT_TRUE(ws.WaitEvent(e, 100));
    EXPECT_EQ(e.Type, TWsEventType::Quit);
    EXPECT_EQ(ws.TickCount(), 100u) << "an event that is there costs no time";

    ws.AdvanceClock(5);
    EXPECT_EQ(ws.TickCount(), 105u);

    // Events carry the time they happened, not the time they are taken.
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 10, 10});
    ws.ShowWindow(w, true);
    Drain(ws);
    ws.Click(1, 1);
    ws.AdvanceClock(300);
    ws.Click(1, 1);
    std::vector<TWsEvent> downs = OfType(Drain(ws), TWsEventType::MouseDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].Time, 105u);
    EXPECT_EQ(downs[1].Time, 405u);
}

TEST(HeadlessBackend, TheIdleHandlerCanFeedAWaitingProgram) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 10, 10});
    int calls = 0;
    ws.SetIdleHandler([&] {
        ++calls;
        if (calls == 1)
            ws.RequestClose(w);
    });
    TWsEvent e;
    ASSERT_TRUE(ws.WaitEvent(e, WS_INFINITE));
    EXPECT_EQ(e.Type, TWsEventType::Close);
    EXPECT_EQ(e.Window, w);
    EXPECT_FALSE(ws.WaitEvent(e, 30));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ws.TickCount(), 30u);
}

TEST(HeadlessBackend, SleepRunsOnTheVirtualClockWhileTheBackendLives) {
    {
        THeadlessBackend ws;
        Sleep(300);
        EXPECT_EQ(ws.TickCount(), 300u);
    }
    {
        // A replacement is made before the old backend goes: Sleep must follow
        // the one that is left, never the one that is gone.
        auto old = std::make_unique<THeadlessBackend>();
        THeadlessBackend replacement;
        old.reset();
        Sleep(40);
        EXPECT_EQ(replacement.TickCount(), 40u);
    }
    // The real Sleep is back: a short one must really wait.
    const auto start = std::chrono::steady_clock::now();
    Sleep(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST(HeadlessBackend, DesktopServicesAreRecorded) {
    THeadlessBackend ws;
    ws.SetWorkArea({0, 0, 1024, 738});
    EXPECT_EQ(ws.WorkArea(), (TWsRect{0, 0, 1024, 738}));
    EXPECT_TRUE(ws.OpenURL(" http://example.com"));
    EXPECT_FALSE(ws.OpenURL(""));
    ASSERT_EQ(ws.OpenedUrls().size(), 1u);
    EXPECT_EQ(ws.OpenedUrls()[0], " http://example.com");
    ws.SetClipboardText("caf\xE9");
    EXPECT_EQ(ws.ClipboardText(), "caf\xE9");
    ws.SetCursor(TWsCursor::Hand);
    EXPECT_EQ(ws.Cursor(), TWsCursor::Hand);
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 10, 10});
    ws.SetWindowTitle(w, "Screensaver Installar");
    EXPECT_EQ(ws.WindowTitle(w), "Screensaver Installar");
    ws.ShowWindow(w, true);
    EXPECT_TRUE(ws.MinimizeWindow(w));
    EXPECT_TRUE(ws.IsWindowMinimized(w));
    EXPECT_FALSE(ws.IsWindowVisible(w));
    ws.ShowWindow(w, true);
    EXPECT_FALSE(ws.IsWindowMinimized(w));

    ws.MinimizeWindow(w);
    Drain(ws);
    ws.RestoreFromDesktop(w);
    ws.RestoreFromDesktop(w); // not minimised any more: nothing
    std::vector<TWsEvent> restored = OfType(Drain(ws), TWsEventType::Restored);
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0].Window, w);
    EXPECT_TRUE(ws.IsWindowVisible(w));
}

TEST(HeadlessBackend, FramebufferSavesAsPng) {
    THeadlessBackend ws;
    TWsWindow w = ws.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 3, 2});
    Fill(ws, w, {0, 0, 3, 2}, kBlue);
    Fill(ws, w, {1, 1, 2, 2}, 0x00123456);
    ws.Present(w, {0, 0, 3, 2});
    const std::string path = std::string(SSI_ARTIFACTS_DIR) + "/headless-framebuffer.png";
    std::filesystem::create_directories(SSI_ARTIFACTS_DIR);
    ASSERT_TRUE(SavePng(ws.Framebuffer(w), path));

    const TPngPixels png = ReadPngFile(path);
    EXPECT_EQ(png.Width, 3);
    EXPECT_EQ(png.Height, 2);
    ASSERT_EQ(png.Pixels.size(), 6u);
    EXPECT_EQ(png.At(0, 0), 0xFF000000u | kBlue);
    EXPECT_EQ(png.At(1, 1), 0xFF123456u);
    EXPECT_FALSE(SavePng(THeadlessImage{}, path)) << "an empty image is no picture";
}
