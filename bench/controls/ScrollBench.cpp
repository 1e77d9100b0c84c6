// What the skinned scroll bar and memo cost on the headless backend: one
// step of a dragged thumb (the pointer's move routed to the track, the bar
// and its thumb moved, the memo scrolled by the request and everything
// repainted and presented), loading and laying out 10 000 lines of licence
// text, and paging through them with a skinned bar attached.

#include "controls/SUIMemo.h"
#include "controls/SUIScrollBar.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "support/HeadlessApplication.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Licence text: paragraphs of clauses, one line each (lines of up to about
// 90 characters), as long as asked.
std::string LicenceText(int lines, char variant = 'A') {
    static const char* const kClauses[] = {
        "The screensaver is provided as it is, without warranty of any kind.",
        "You may install it, use it and give it away free of charge, unchanged.",
        "The authors are not liable for any damage that comes from installing or using it.",
        "The movie data, the logo and the runtime stay the property of their authors.",
        "You may not sell the screensaver or include it in a product that is sold.",
        "",
    };
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            text += "\r\n";
        text += std::to_string(i + 1) + ". " + kClauses[i % 6];
    }
    text[0] = variant;
    return text;
}

struct TMemoForm {
    TForm* Form = nullptr;
    TsuiMemo* Memo = nullptr;
    TsuiScrollBar* Bar = nullptr;
};

// The wizard's licence memo, 433 x 81, with a skinned vertical bar.
TMemoForm MemoForm(int lines) {
    TMemoForm f;
    f.Form = Application().CreateForm<TForm>();
    f.Form->SetBorderStyle(TFormBorderStyle::bsDialog);
    f.Form->SetBounds(0, 0, 480, 200);
    f.Memo = new TsuiMemo(f.Form);
    f.Memo->SetParent(f.Form);
    f.Memo->SetBounds(20, 40, 433, 81);
    f.Memo->SetUIStyle(TsuiUIStyle::WinXP);
    f.Memo->SetText(LicenceText(lines));
    f.Bar = new TsuiScrollBar(f.Form);
    f.Bar->SetParent(f.Form);
    f.Bar->SetUIStyle(TsuiUIStyle::WinXP);
    f.Memo->SetVScrollBar(f.Bar);
    f.Form->Show();
    Application().ProcessMessages();
    return f;
}

// The thumb held and moved one position down and back up again: each
// iteration is one step.
void BM_DragThumbStep(benchmark::State& state) {
    THeadlessApplication app;
    TMemoForm f = MemoForm(int(state.range(0)));
    TsuiScrollTrackBar* track = f.Bar->Track();
    TsuiImagePanel* slider = track->Slider();
    f.Memo->Perform(WM_VSCROLL, (uintptr_t(f.Bar->Max() / 2) << 16) | SB_THUMBPOSITION);
    Application().ProcessMessages();
    TPoint grab = slider->ClientToScreen(Point(slider->Width() / 2, slider->Height() / 2));
    app.Backend().MoveMouse(grab.X, grab.Y);
    app.Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    // Pixels from one position to the next, at least one.
    const int step = std::max(1, (track->Height() - slider->Height()) / std::max(1, f.Bar->Max()));
    bool down = false;
    int top = f.Memo->TopLine();
    for (auto _ : state) {
        down = !down;
        app.Backend().MoveMouse(grab.X, grab.Y + (down ? step + 1 : 0));
        Application().ProcessMessages();
        f.Form->PaintNow();
        top += f.Memo->TopLine();
    }
    app.Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
    benchmark::DoNotOptimize(top);
    state.SetLabel(std::to_string(state.range(0)) + " lines");
}
BENCHMARK(BM_DragThumbStep)->Arg(200)->Arg(10000)->Unit(benchmark::kMicrosecond);

// 10 000 lines set as the memo's text and laid out (wrapped at its width).
void BM_MemoLoadTenThousandLines(benchmark::State& state) {
    THeadlessApplication app;
    TMemoForm f = MemoForm(10);
    const std::string texts[2] = {LicenceText(10000, 'A'), LicenceText(10000, 'B')};
    int i = 0;
    int rows = 0;
    for (auto _ : state) {
        f.Memo->SetText(texts[i ^= 1]);
        rows += f.Memo->DisplayLineCount();
    }
    benchmark::DoNotOptimize(rows);
}
BENCHMARK(BM_MemoLoadTenThousandLines)->Unit(benchmark::kMillisecond);

// One page down (up again at the end) through 10 000 lines: the request,
// the bar following it, the repaint.
void BM_MemoScrollPage(benchmark::State& state) {
    THeadlessApplication app;
    TMemoForm f = MemoForm(10000);
    f.Memo->DisplayLineCount();
    bool down = true;
    for (auto _ : state) {
        if (f.Memo->TopLine() >= f.Bar->Max())
            down = false;
        else if (f.Memo->TopLine() == 0)
            down = true;
        f.Memo->Perform(WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP);
        f.Form->PaintNow();
    }
}
BENCHMARK(BM_MemoScrollPage)->Unit(benchmark::kMicrosecond);

} // namespace
