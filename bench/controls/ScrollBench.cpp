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

// Numbered lines, one clause each, taken in turn.
std::string NumberedLines(int lines, const char* const (&clauses)[6]) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            text += "\r\n";
        text += std::to_string(i + 1) + ". " + clauses[i % 6];
    }
    return text;
}

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
    std::string text = NumberedLines(lines, kClauses);
    text[0] = variant;
    return text;
}

// The same in five scripts, a clause each: German, Russian, Greek, Chinese
// (from a face of the machine's) and English.
std::string MixedLicenceText(int lines) {
    static const char* const kClauses[] = {
        "Der Bildschirmschoner wird ohne jede Gew\xC3\xA4hrleistung geliefert, wie er ist.",
        "\xD0\x92\xD1\x8B \xD0\xBC\xD0\xBE\xD0\xB6\xD0\xB5\xD1\x82\xD0\xB5 "
        "\xD1\x83\xD1\x81\xD1\x82\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xB8\xD1\x82\xD1\x8C "
        "\xD0\xB5\xD0\xB3\xD0\xBE \xD0\xB1\xD0\xB5\xD1\x81\xD0\xBF\xD0\xBB\xD0\xB0\xD1\x82\xD0\xBD\xD0\xBE.",
        "\xCE\x9F\xCE\xB9 \xCE\xB4\xCE\xB7\xCE\xBC\xCE\xB9\xCE\xBF\xCF\x85\xCF\x81\xCE\xB3\xCE\xBF\xCE\xAF "
        "\xCE\xB4\xCE\xB5\xCE\xBD \xCE\xB5\xCF\x85\xCE\xB8\xCF\x8D\xCE\xBD\xE1\xBF\x83\xCE\xBD\xCF\x84\xCE\xB1\xCE\xB9.",
        "\xE5\xB1\x8F\xE5\xB9\x95\xE4\xBF\x9D\xE6\x8A\xA4\xE7\xA8\x8B\xE5\xBA\x8F\xE6\x8C\x89\xE5\x8E\x9F\xE6\xA0\xB7"
        "\xE6\x8F\x90\xE4\xBE\x9B\xEF\xBC\x8C\xE4\xB8\x8D\xE6\x8F\x90\xE4\xBE\x9B\xE4\xBB\xBB\xE4\xBD\x95\xE6\x8B\x85\xE4\xBF\x9D\xE3\x80\x82",
        "You may not sell the screensaver or include it in a product that is sold.",
        "",
    };
    return NumberedLines(lines, kClauses);
}

struct TMemoForm {
    TForm* Form = nullptr;
    TsuiMemo* Memo = nullptr;
    TsuiScrollBar* Bar = nullptr;
};

// The wizard's licence memo, 433 x 81, with a skinned vertical bar.
TMemoForm MemoForm(int lines, bool mixedScripts = false) {
    TMemoForm f;
    f.Form = Application().CreateForm<TForm>();
    f.Form->SetBorderStyle(TFormBorderStyle::bsDialog);
    f.Form->SetBounds(0, 0, 480, 200);
    f.Memo = new TsuiMemo(f.Form);
    f.Memo->SetParent(f.Form);
    f.Memo->SetBounds(20, 40, 433, 81);
    f.Memo->SetUIStyle(TsuiUIStyle::WinXP);
    f.Memo->SetText(mixedScripts ? MixedLicenceText(lines) : LicenceText(lines));
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
// the bar following it, the repaint; in English, and in five scripts.
void BM_MemoScrollPage(benchmark::State& state) {
    THeadlessApplication app;
    TMemoForm f = MemoForm(10000, state.range(0) != 0);
    state.SetLabel(state.range(0) != 0 ? "mixed scripts" : "ASCII");
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
BENCHMARK(BM_MemoScrollPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
