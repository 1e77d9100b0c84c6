// What presenting a full window costs each backend: the wizard's window is
// 481 by 209 pixels and a full repaint presents all of it once.

#include "platform/headless/HeadlessBackend.h"
#include "platform/x11/X11Backend.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

constexpr TWsRect kWizard{100, 100, 100 + 481, 100 + 209};

void Paint(TWindowSystem& ws, TWsWindow window, uint32_t seed) {
    TWsPixels px = ws.BackBuffer(window);
    for (int y = 0; y < px.Height; ++y)
        for (int x = 0; x < px.Width; ++x)
            px.Row(y)[x] = seed + static_cast<uint32_t>(x * y);
}

void PresentFullWindow(benchmark::State& state, TWindowSystem& ws) {
    TWsWindow window = ws.CreateWindow(TWsWindowKind::TopLevel, kWizard);
    ws.ShowWindow(window, true);
    Paint(ws, window, 1);
    for (auto _ : state)
        ws.Present(window, TWsRect{0, 0, kWizard.Width(), kWizard.Height()});
    state.SetItemsProcessed(state.iterations() * kWizard.Width() * kWizard.Height());
    ws.DestroyWindow(window);
}

void BM_HeadlessPresent(benchmark::State& state) {
    THeadlessBackend ws;
    PresentFullWindow(state, ws);
}
BENCHMARK(BM_HeadlessPresent);

// Needs a display (run it under Xvfb); skipped without one.
void BM_X11Present(benchmark::State& state) {
    std::unique_ptr<TX11Backend> ws;
    try {
        ws = std::make_unique<TX11Backend>();
    } catch (const std::runtime_error& e) {
        state.SkipWithError(e.what());
        for (auto _ : state) {
        }
        return;
    }
    PresentFullWindow(state, *ws);
}
BENCHMARK(BM_X11Present)->Unit(benchmark::kMicrosecond);

} // namespace
