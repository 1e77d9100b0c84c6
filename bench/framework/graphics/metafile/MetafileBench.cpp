// Playing a metafile logo of about 200 records into the image panels'
// 128 x 128 (target: at most 0.5 ms), for a WMF and an EMF logo; and
// loading one (header and record chain checked).
#include <benchmark/benchmark.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/MetafileLogos.h"

namespace {

void Play(benchmark::State& state, const std::vector<uint8_t>& bytes, size_t records) {
    TMetafile logo;
    logo.LoadFromMemory(bytes.data(), bytes.size());
    TBitmap panel(128, 128);
    for (auto _ : state) {
        panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), logo);
        benchmark::DoNotOptimize(panel.ScanLine(64));
    }
    state.counters["records"] = double(records);
}

void BM_PlayWmfLogo128(benchmark::State& state) {
    Play(state, gfxtest::LogoWmf(true), gfxtest::LogoWmfRecords());
}

void BM_PlayEmfLogo128(benchmark::State& state) {
    Play(state, gfxtest::LogoEmf(), gfxtest::LogoEmfRecords());
}

void BM_LoadWmfLogo(benchmark::State& state) {
    const std::vector<uint8_t> bytes = gfxtest::LogoWmf(true);
    for (auto _ : state) {
        TMetafile logo;
        logo.LoadFromMemory(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(logo.Width());
    }
}

} // namespace

BENCHMARK(BM_PlayWmfLogo128)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayEmfLogo128)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadWmfLogo)->Unit(benchmark::kMicrosecond);
