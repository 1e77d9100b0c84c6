// The application: timers on the virtual clock, the default exception
// handler's error box, the end of the program.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Button.h"
#include "framework/ui/ErrorBox.h"
#include "framework/ui/Label.h"
#include "framework/ui/Timer.h"

TEST_F(HeadlessApplicationTest, TimersTickOnTheBackendClock) {
    auto* timer = new TTimer(&Application());
    std::vector<uint64_t> ticks;
    timer->SetInterval(100);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) { ticks.push_back(Backend().TickCount()); }));
    uint64_t start = Backend().TickCount();
    for (int i = 0; i < 3; ++i)
        Application().HandleMessage(); // waits for the next tick
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0], start + 100);
    EXPECT_EQ(ticks[2], start + 300);
    // A late tick is not made up for.
    Backend().AdvanceClock(350);
    Application().ProcessMessages();
    EXPECT_EQ(ticks.size(), 4u);
    // Disabled or interval 0: never.
    timer->SetEnabled(false);
    Backend().AdvanceClock(1000);
    Application().ProcessMessages();
    timer->SetEnabled(true);
    timer->SetInterval(0);
    Backend().AdvanceClock(1000);
    Application().ProcessMessages();
    EXPECT_EQ(ticks.size(), 4u);
    EXPECT_FALSE(Application().HandleMessage()) << "nothing left that could ever arrive";
}

TEST_F(HeadlessApplicationTest, TimerThatFreesItselfInItsHandler) {
    auto* timer = new TTimer(&Application());
    auto* other = new TTimer(&Application());
    int otherTicks = 0;
    timer->SetInterval(10);
    other->SetInterval(10);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        timer->Free();
        other->Free();
    }));
    other->SetOnTimer(TNotifyEvent([&](TObject*) { ++otherTicks; }));
    Backend().AdvanceClock(10);
    Application().ProcessMessages();
    EXPECT_EQ(otherTicks, 0);
    EXPECT_EQ(Application().TimeToNextTimer(), WS_INFINITE);
}

TEST_F(HeadlessApplicationTest, ErrorBoxTextRule) {
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Why?"), "Why?.") << "'?' sorts after '.'";
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!") << "'!' sorts before '.'";
    EXPECT_EQ(ErrorBoxText("Code 7"), "Code 7.");
    EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.") << "high characters sort after it too";
}

TEST_F(HeadlessApplicationTest, ExceptionInAHandlerShowsTheErrorBoxAndTheProgramGoesOn) {
    Application().SetTitle("Screensaver Installar");
    TForm* form = NewForm(0, 0, 200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 60, 20);
    int clicks = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) {
        ++clicks;
        throw EInvalidOperation("Cannot open file");
    }));
    form->Show();
    std::vector<std::string> boxes;
    Backend().SetIdleHandler([&] {
        // The box is up: read it, then close it with Enter.
        for (TCustomForm* f : Application().ZOrder())
            if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                boxes.push_back(box->Caption() + "|" + box->Text());
                EXPECT_EQ(box->IconKind(), TMsgBoxIcon::Error);
                EXPECT_TRUE(box->Active());
                EXPECT_EQ(Backend().WindowTitle(box->ScreenWindow()), "Screensaver Installar");
                Backend().TypeKey(VK_RETURN);
                return;
            }
    });
    ClickAt(15, 15);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Screensaver Installar|Cannot open file.");
    // The program goes on: the box is gone, the form takes input again.
    EXPECT_EQ(Application().ActiveForm(), form);
    ClickAt(15, 15);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes.size(), 2u);
    Backend().SetIdleHandler(nullptr);
}

TEST_F(HeadlessApplicationTest, ErrorBoxClosesWithEscapeOrAClickOnOk) {
    int step = 0;
    Backend().SetIdleHandler([&] {
        for (TCustomForm* f : Application().ZOrder())
            if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                if (step++ == 0) {
                    Backend().TypeKey(VK_ESCAPE);
                } else {
                    TPoint p = box->OkButton()->ClientToScreen(Point(5, 5));
                    Backend().Click(p.X, p.Y);
                }
                return;
            }
    });
    ShowErrorBox("first", "T");
    ShowErrorBox("second", "T");
    EXPECT_EQ(step, 2);
    EXPECT_TRUE(Application().ZOrder().empty());
    Backend().SetIdleHandler(nullptr);
}

TEST_F(HeadlessApplicationTest, OnExceptionReplacesTheBox) {
    std::string seen;
    Application().SetOnException(
        TExceptionEvent([&](TObject*, const std::exception& e) { seen = e.what(); }));
    auto* timer = new TTimer(&Application());
    timer->SetInterval(5);
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        timer->SetEnabled(false);
        throw EConvertError("bad");
    }));
    Application().HandleMessage();
    EXPECT_EQ(seen, "bad");
}

TEST_F(HeadlessApplicationTest, ClosingTheMainFormEndsTheProgram) {
    TForm* main = NewForm(0, 0, 200, 100);
    TForm* second = NewForm(300, 0, 100, 100);
    std::vector<std::string> events;
    main->SetOnShow(TNotifyEvent([&](TObject*) { events.push_back("show"); }));
    second->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& a) {
        events.push_back("close second");
        a = TCloseAction::caFree;
    }));
    bool allow = false;
    main->SetOnCloseQuery(TCloseQueryEvent([&](TObject*, bool& can) {
        events.push_back("query");
        can = allow;
    }));
    main->SetOnClose(TCloseEvent([&](TObject*, TCloseAction&) { events.push_back("close"); }));
    EXPECT_EQ(Application().MainForm(), main);
    second->Show();
    int step = 0;
    Backend().SetIdleHandler([&] {
        switch (step++) {
        case 0:
            Backend().RequestClose(second->ScreenWindow());
            break;
        case 1:
            Backend().RequestClose(main->ScreenWindow()); // refused
            break;
        default:
            allow = true;
            Backend().RequestClose(main->ScreenWindow());
            break;
        }
    });
    TComponentTracker secondAlive(second);
    Application().Run();
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(secondAlive.Exists()) << "caFree released the form";
    EXPECT_EQ(events,
              (std::vector<std::string>{"show", "close second", "query", "query", "close"}));
    Backend().SetIdleHandler(nullptr);
}

TEST_F(HeadlessApplicationTest, MaximiseRestoreAndConstraints) {
    Backend().SetWorkArea(TWsRect{0, 0, 800, 560});
    TForm* form = NewForm(50, 40, 300, 200, TFormBorderStyle::bsSizeable);
    form->Constraints()->SetMinWidth(125);
    form->Constraints()->SetMinHeight(50);
    form->SetBounds(50, 40, 10, 10);
    EXPECT_EQ(form->Width(), 125);
    EXPECT_EQ(form->Height(), 50);
    form->SetBounds(50, 40, 300, 200);
    form->Show();
    std::vector<uintptr_t> sizes;
    TWndMethod previous = form->WindowProc();
    form->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_SIZE)
            sizes.push_back(m.WParam);
        previous(m);
    });
    form->SetWindowState(TWindowState::wsMaximized);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 800, 560));
    EXPECT_EQ(Backend().WindowBounds(form->ScreenWindow()), (TWsRect{0, 0, 800, 560}));
    form->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(form->BoundsRect(), Rect(50, 40, 350, 240));
    form->SetWindowState(TWindowState::wsMinimized);
    EXPECT_TRUE(Backend().IsWindowMinimized(form->ScreenWindow()));
    Backend().RestoreFromDesktop(form->ScreenWindow());
    Application().ProcessMessages();
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    ASSERT_GE(sizes.size(), 3u);
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), SIZE_MAXIMIZED), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), SIZE_MINIMIZED), sizes.end());
    EXPECT_EQ(sizes.back(), SIZE_RESTORED);
    form->SetWindowProc(previous);
}

TEST_F(HeadlessApplicationTest, DraggingTheCaptionMovesTheWindow) {
    TForm* form = NewForm(100, 100, 200, 100, TFormBorderStyle::bsSingle);
    form->Show();
    // Pressed on the system caption, moved by (30, 20), released.
    Backend().MoveMouse(150, 110);
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_TRUE(Application().MovingWindow());
    Backend().MoveMouse(180, 130);
    Application().ProcessMessages();
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_FALSE(Application().MovingWindow());
    EXPECT_EQ(form->BoundsRect(), Rect(130, 120, 330, 220));
    EXPECT_EQ(Backend().WindowBounds(form->ScreenWindow()), (TWsRect{130, 120, 330, 220}));
}

TEST_F(HeadlessApplicationTest, MessageDialogsAreTitledByTheirKind) {
    std::vector<std::string> titles;
    Backend().SetIdleHandler([&] {
        for (TCustomForm* f : Application().ZOrder())
            if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                titles.push_back(box->Caption() + ":" + box->Text());
                Backend().TypeKey(VK_ESCAPE);
                return;
            }
    });
    MessageDlg("Sorry, only one", TMsgBoxIcon::Error);
    MessageDlg("Careful", TMsgBoxIcon::Warning);
    EXPECT_EQ(titles, (std::vector<std::string>{"Error:Sorry, only one", "Warning:Careful"}));
    Backend().SetIdleHandler(nullptr);
}

TEST_F(HeadlessApplicationTest, AnErrorBoxOverAModalDialogTakesTheInput) {
    NewForm(0, 0, 300, 200)->Show();
    auto* dialog = new TForm(nullptr);
    dialog->SetBorderStyle(TFormBorderStyle::bsNone);
    dialog->SetBounds(400, 0, 100, 100);
    auto* fail = new TButton(dialog);
    fail->SetParent(dialog);
    fail->SetBounds(10, 10, 60, 20);
    fail->SetOnClick(TNotifyEvent([](TObject*) { throw Exception("Inner failure"); }));
    int step = 0;
    std::vector<std::string> boxes;
    Backend().SetIdleHandler([&] {
        for (TCustomForm* f : Application().ZOrder())
            if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                boxes.push_back(box->Text());
                EXPECT_EQ(Application().ModalForm(), box);
                EXPECT_TRUE(box->Active());
                TPoint ok = box->OkButton()->ClientToScreen(Point(5, 5));
                Backend().Click(ok.X, ok.Y); // the box, not the dialog below, takes it
                return;
            }
        if (step == 0)
            Backend().Click(415, 15);
        else if (step == 1)
            Backend().TypeKey(VK_ESCAPE); // back in the dialog: nothing closes it
        ++step;                           // then nothing more comes: the loop gives up
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Inner failure."}));
    EXPECT_EQ(Application().ModalForm(), nullptr);
    Backend().SetIdleHandler(nullptr);
    dialog->Free();
}

TEST_F(HeadlessApplicationTest, ATimerIsNotReenteredWhileItsHandlerRuns) {
    auto* timer = new TTimer(&Application());
    timer->SetInterval(10);
    int calls = 0, boxesSeen = 0;
    timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        ++calls;
        throw Exception("tick failed");
    }));
    Backend().SetIdleHandler([&] {
        for (TCustomForm* f : Application().ZOrder())
            if (dynamic_cast<TMessageBoxForm*>(f) != nullptr) {
                // Let time pass while the box is up: the timer stays quiet.
                if (++boxesSeen < 5)
                    return;
                Backend().TypeKey(VK_RETURN);
                return;
            }
    });
    Application().HandleMessage();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(boxesSeen, 5);
    Backend().SetIdleHandler(nullptr);
    timer->SetEnabled(false);
}

TEST_F(HeadlessApplicationTest, DraggingTheFrameSizesASizeableWindow) {
    TForm* form = NewForm(100, 100, 200, 100, TFormBorderStyle::bsSizeable);
    form->Constraints()->SetMinWidth(125);
    form->Show();
    // The left edge, dragged 30 to the left: wider, right edge kept.
    Backend().MoveMouse(101, 150);
    Application().ProcessMessages();
    EXPECT_EQ(Backend().Cursor(), TWsCursor::SizeWE);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(71, 150);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(form->BoundsRect(), Rect(70, 100, 300, 200));
    // The bottom-right corner; the width stops at the constraint.
    Backend().MoveMouse(298, 198);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(100, 218);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(form->BoundsRect(), Rect(70, 100, 195, 220));
    // A single border does not size.
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    TRect before = form->BoundsRect();
    Backend().MoveMouse(before.Left + 1, 150);
    Backend().PressButton(TWsButton::Left);
    Backend().MoveMouse(before.Left - 20, 150);
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    EXPECT_EQ(form->BoundsRect(), before);
}

TEST_F(HeadlessApplicationTest, PositionPlacesAFormWhenFirstShown) {
    Backend().SetWorkArea(TWsRect{0, 0, 800, 600});
    TForm* main = NewForm(10, 20, 200, 100);
    main->SetPosition(TPosition::poScreenCenter);
    main->Show();
    EXPECT_EQ(main->BoundsRect(), Rect(300, 250, 500, 350));
    main->SetLeft(0);
    main->Hide();
    main->Show();
    EXPECT_EQ(main->Left(), 0) << "only the first showing places it";
    TForm* other = NewForm(0, 0, 100, 50);
    other->SetPosition(TPosition::poMainFormCenter);
    other->Show();
    EXPECT_EQ(other->BoundsRect(), Rect(50, 275, 150, 325));
}

TEST_F(HeadlessApplicationTest, AShownFormStaysShownWhenItsWindowIsMadeAgain) {
    TForm* form = NewForm(0, 0, 200, 100, TFormBorderStyle::bsSizeable);
    form->Show();
    ASSERT_TRUE(form->Active());
    std::vector<uint32_t> seen;
    TWndMethod previous = form->WindowProc();
    form->SetWindowProc([&](TMessage& m) {
        if (m.Msg == CM_RECREATEWND)
            seen.push_back(m.Msg);
        previous(m);
    });
    TWsWindow before = form->ScreenWindow();
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    EXPECT_NE(form->ScreenWindow(), before);
    EXPECT_TRUE(Backend().IsWindowVisible(form->ScreenWindow()));
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(seen.size(), 1u) << "a hook hears that the window was made again";
    Application().ProcessMessages();
    EXPECT_EQ(Backend().PresentCount(form->ScreenWindow()) > 0, true);
    form->SetWindowProc(previous);
}
