// The skinned window on the headless backend: a full repaint of a
// wizard-sized skinned form, the repaint a pointer move over the title bar
// causes, and opening the window menu to its first painted frame.

#include "controls/SUIForm.h"
#include "controls/SUIRegister.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/MenuTracker.h"
#include "framework/ui/Menus.h"
#include "support/HeadlessApplication.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct TFixture {
    THeadlessApplication App;
    TForm* Host = nullptr;
    TsuiForm* Form = nullptr;

    TFixture() {
        RegisterSkinnedControls();
        Host = Application().CreateForm<TForm>();
        Host->SetBorderStyle(TFormBorderStyle::bsDialog);
        Host->SetBounds(198, 125, 200, 100);
        Host->SetClientWidth(475);
        Host->SetClientHeight(203);
        Form = new TsuiForm(Host);
        Form->SetUIStyle(TsuiUIStyle::WinXP);
        Form->SetTitleBarDrawAppIcon(true);
        Form->SetCaption("Screensaver Installar");
        Host->Show();
        Application().ProcessMessages();
    }
};

// Frame, title bar and background, as an expose or a resize repaints them.
void BM_FullRepaintSkinnedForm(benchmark::State& state) {
    TFixture f;
    for (auto _ : state) {
        f.Host->InvalidateFrame();
        f.Host->Invalidate();
        f.Host->PaintNow();
    }
    state.SetLabel(std::to_string(f.Host->Width()) + "x" + std::to_string(f.Host->Height()));
}
BENCHMARK(BM_FullRepaintSkinnedForm)->Unit(benchmark::kMicrosecond);

// The pointer goes from the close button to the minimise button and back:
// each move makes another button hot and repaints the bar.
void BM_TitleBarHoverRepaint(benchmark::State& state) {
    TFixture f;
    TPoint close = f.Form->TitleBar()->ClientToScreen(Point(460, 10));
    TPoint minimize = f.Form->TitleBar()->ClientToScreen(Point(440, 10));
    bool onClose = false;
    for (auto _ : state) {
        onClose = !onClose;
        TPoint p = onClose ? close : minimize;
        f.App.Backend().MoveMouse(p.X, p.Y);
        Application().ProcessMessages();
    }
}
BENCHMARK(BM_TitleBarHoverRepaint)->Unit(benchmark::kMicrosecond);

// The window menu from Popup to its first painted frame (closed at once,
// when its loop first waits).
void BM_OpenWindowMenu(benchmark::State& state) {
    TFixture f;
    f.App.Backend().SetIdleHandler([] { CloseOpenMenu(); });
    for (auto _ : state)
        f.Form->TitleBar()->PopupWindowMenu();
    f.App.Backend().SetIdleHandler(nullptr);
}
BENCHMARK(BM_OpenWindowMenu)->Unit(benchmark::kMicrosecond);

} // namespace
