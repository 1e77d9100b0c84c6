// A layout about the size of the installer's wizard: 30 controls in three
// levels, each with a font, a caption, a few lines and a 2 KB picture.

#include "support/ComponentTestClasses.h"

#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/components/Properties.h"

#include <benchmark/benchmark.h>

namespace {

std::string WizardLayout() {
    RegisterTestClasses();
    TTestForm form(nullptr);
    form.SetName("Wizard");
    TTestControl* page = nullptr;
    for (int i = 0; i < 30; ++i) {
        auto* c = new TTestControl(&form);
        c->SetName("Control" + std::to_string(i));
        if (i % 10 == 0)
            page = c;
        else
            c->SetParent(page);
        c->SetCaption("Caption of control " + std::to_string(i));
        c->SetLeft(i * 8);
        c->Font()->SetName("MS Sans Serif");
        c->Picture()->Bytes().assign(2048, static_cast<uint8_t>(i));
        TStringList lines;
        lines.SetText("one\ntwo\nthree\n");
        c->SetLines(lines);
        SetMethodProp(*c, "OnClick", form, "ButtonClick");
    }
    return WriteLayout(form);
}

void BM_ReadWizardLayout(benchmark::State& state) {
    std::string text = WizardLayout();
    for (auto _ : state) {
        TestLog().clear(); // the test classes log every setter
        TTestForm form(nullptr);
        ReadLayout(form, text);
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadWizardLayout);

void BM_WriteWizardLayout(benchmark::State& state) {
    std::string text = WizardLayout();
    TTestForm form(nullptr);
    ReadLayout(form, text);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteLayout(form));
}
BENCHMARK(BM_WriteWizardLayout);

void BM_SetPropertyByName(benchmark::State& state) {
    RegisterTestClasses();
    TTestControl c(nullptr);
    int64_t v = 0;
    for (auto _ : state) {
        SetOrdProp(c, "Style", ++v & 3);
        TestLog().clear();
    }
}
BENCHMARK(BM_SetPropertyByName);

} // namespace
