// What the skinned controls cost to repaint through the framework on the
// headless backend (messages, off-screen composition, the copy to the
// form's surface and the present): a push button going under the pointer
// and back, a progress bar moving on (its setter paints at once), and the
// whole gallery form.

#include "controls/SUIButton.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "skin/SUIPublic.h"
#include "support/HeadlessApplication.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

namespace {

TForm* PlainForm() {
    TForm* form = Application().CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBounds(0, 0, 300, 200);
    return form;
}

// One wizard-sized push button; each iteration is one repaint, alternately
// with the pointer over the button and away from it.
void BM_ButtonHoverRepaint(benchmark::State& state) {
    THeadlessApplication app;
    TForm* form = PlainForm();
    auto* button = new TsuiButton(form);
    button->SetParent(form);
    button->SetBounds(100, 80, 75, 25);
    button->SetCaption("&Next >");
    button->SetUIStyle(static_cast<TsuiUIStyle>(state.range(0)));
    form->Show();
    Application().ProcessMessages();
    bool over = false;
    for (auto _ : state) {
        over = !over;
        button->Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
        form->PaintNow();
    }
    state.SetLabel(TsuiUIStyleInfo().Name(int(state.range(0))));
}
BENCHMARK(BM_ButtonHoverRepaint)
    ->Arg(int(TsuiUIStyle::MacOS))
    ->Arg(int(TsuiUIStyle::WinXP))
    ->Arg(int(TsuiUIStyle::BlueGlass))
    ->Unit(benchmark::kMicrosecond);

// The installer's progress bar: every Position paints the bar at once.
void BM_ProgressBarPosition(benchmark::State& state) {
    THeadlessApplication app;
    TForm* form = PlainForm();
    auto* bar = new TsuiProgressBar(form);
    bar->SetParent(form);
    bar->SetBounds(20, 80, 250, 12);
    bar->SetUIStyle(TsuiUIStyle::WinXP);
    bar->SetShowCaption(state.range(0) != 0);
    form->Show();
    Application().ProcessMessages();
    int position = 0;
    for (auto _ : state) {
        position = (position + 7) % 101;
        bar->SetPosition(position);
    }
    state.SetLabel(state.range(0) != 0 ? "with caption" : "without caption");
}
BENCHMARK(BM_ProgressBarPosition)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

TCustomForm* GalleryForm(TsuiUIStyle style) {
    RegisterSkinnedControls();
    std::ifstream in(std::string(SSI_SOURCE_DIR) + "/examples/layouts/controls-gallery.txt");
    std::ostringstream text;
    text << in.rdbuf();
    TForm* form = Application().CreateForm<TForm>();
    TLayoutReadOptions options;
    options.IgnoreEvents = true;
    options.AnyRootClass = true;
    ReadLayout(*form, text.str(), options);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Component(i);
        if (HasProperty(c, "UIStyle") && HasProperty(c, "FileTheme"))
            SetEnumProp(*c, "UIStyle", TsuiUIStyleInfo().Name(int(style)));
    }
    form->Show();
    Application().ProcessMessages();
    Application().ProcessMessages();
    return form;
}

// Every control of the gallery layout, frame included, as a resize or an
// expose repaints it.
void BM_GalleryFullRepaint(benchmark::State& state) {
    THeadlessApplication app;
    TCustomForm* form = GalleryForm(static_cast<TsuiUIStyle>(state.range(0)));
    for (auto _ : state) {
        form->InvalidateFrame();
        form->Invalidate();
        form->PaintNow();
    }
    state.SetLabel(TsuiUIStyleInfo().Name(int(state.range(0))));
}
BENCHMARK(BM_GalleryFullRepaint)
    ->Arg(int(TsuiUIStyle::MacOS))
    ->Arg(int(TsuiUIStyle::WinXP))
    ->Arg(int(TsuiUIStyle::DeepBlue))
    ->Arg(int(TsuiUIStyle::Protein))
    ->Arg(int(TsuiUIStyle::BlueGlass))
    ->Unit(benchmark::kMicrosecond);

// The gallery's hover button, inside its group box on the skinned form.
void BM_GalleryButtonHoverRepaint(benchmark::State& state) {
    THeadlessApplication app;
    TCustomForm* form = GalleryForm(TsuiUIStyle::WinXP);
    auto* button = static_cast<TControl*>(form->FindComponent("HoverButton"));
    bool over = false;
    for (auto _ : state) {
        over = !over;
        button->Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
        form->PaintNow();
    }
}
BENCHMARK(BM_GalleryButtonHoverRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
