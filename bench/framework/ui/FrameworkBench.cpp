// Repainting whole forms through the framework on the headless backend:
// every control's messages, the off-screen composition and the present.

#include "support/DemoForm.h"

#include "framework/ui/Application.h"
#include "framework/ui/Panel.h"
#include "support/HeadlessApplication.h"

#include <benchmark/benchmark.h>

namespace {

// The demonstration form (tool bar, panel, label, memo, buttons) repainted
// as a whole, the way a resize or an expose repaints it.
void BM_FullRepaintDemoForm(benchmark::State& state) {
    THeadlessApplication app;
    TDemoForm* form = TDemoForm::Create(&Application());
    form->Show();
    for (auto _ : state) {
        form->InvalidateFrame();
        form->Invalidate();
        form->PaintNow();
    }
    state.SetLabel(std::to_string(form->Width()) + "x" + std::to_string(form->Height()));
}
BENCHMARK(BM_FullRepaintDemoForm)->Unit(benchmark::kMicrosecond);

// A wizard-sized form (500 x 380) holding 40 panels.
void BM_FullRepaintWizardSizedForm(benchmark::State& state) {
    THeadlessApplication app;
    TForm* form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBounds(0, 0, 500, 380);
    for (int i = 0; i < 40; ++i) {
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10 + (i % 8) * 60, 10 + (i / 8) * 60, 55, 55);
        panel->SetCaption("P");
    }
    form->Show();
    for (auto _ : state) {
        form->Invalidate();
        form->PaintNow();
    }
}
BENCHMARK(BM_FullRepaintWizardSizedForm)->Unit(benchmark::kMicrosecond);

// One control repainted at once (what a progress bar does at every step).
void BM_RepaintOneControl(benchmark::State& state) {
    THeadlessApplication app;
    TDemoForm* form = TDemoForm::Create(&Application());
    form->Show();
    for (auto _ : state)
        form->Panel()->Repaint();
}
BENCHMARK(BM_RepaintOneControl)->Unit(benchmark::kMicrosecond);

} // namespace
