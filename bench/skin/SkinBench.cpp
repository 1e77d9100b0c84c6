// What a skinned control's style refresh and paint cost in the skin library:
// a button face looked up and cut from its strip (decoded from the embedded
// BMP every time), a title-bar strip cut 18 ways, and the face drawn at a
// wizard button's size.

#include "framework/graphics/Bitmap.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemes.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GetThemeBitmapButtonFrame(benchmark::State& state) {
    TBitmap face;
    for (auto _ : state) {
        GetThemeBitmap(TsuiUIStyle::WinXP, 1, &face, 3, 2);
        benchmark::DoNotOptimize(face.Pixel(0, 0));
    }
}
BENCHMARK(BM_GetThemeBitmapButtonFrame);

void BM_TitleButtonsAllFrames(benchmark::State& state) {
    TBitmap frame;
    for (auto _ : state)
        for (int n = 1; n <= 18; ++n)
            GetThemeBitmap(TsuiUIStyle::WinXP, 5, &frame, 18, n);
}
BENCHMARK(BM_TitleButtonsAllFrames);

void BM_DrawNineSliceButton(benchmark::State& state) {
    TBitmap face;
    GetThemeBitmap(TsuiUIStyle::DeepBlue, 1, &face, 3, 1);
    TBitmap target(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        DrawNineSlice(face, target.Canvas(), Rect(0, 0, target.Width(), target.Height()), false);
        benchmark::DoNotOptimize(target.Pixel(0, 0));
    }
}
BENCHMARK(BM_DrawNineSliceButton)->Args({75, 25})->Args({200, 21})->Args({400, 60});

} // namespace
