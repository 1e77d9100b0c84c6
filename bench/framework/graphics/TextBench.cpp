// What text costs per character: a line measured in ASCII, in mixed scripts
// (Latin with accents, Greek and Cyrillic from the embedded Tahoma, Chinese
// from a face of the machine's), and a character's first lookup in the
// machine's faces (the face's glyph cache cleared by a new size each time).
#include <benchmark/benchmark.h>

#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/SystemFonts.h"
#include "platform/kernel32/CodePage.h"

namespace {

const std::string kAscii = "The screensaver is provided as it is, without warranty of any kind.";
const std::string kMixed =
    "Gr\xC3\xBC\xC3\x9F" "e \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
    "\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC \xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C "
    "without warranty of any kind.";

void Measure(benchmark::State& state, const std::string& text) {
    TBitmap bitmap(600, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-11);
    int32_t width = canvas.TextWidth(text);
    for (auto _ : state) {
        canvas.TextOut(0, 0, text);
        width += canvas.TextWidth(text);
    }
    benchmark::DoNotOptimize(width);
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(CharacterCount(text)));
}

void BM_DrawAsciiLine(benchmark::State& state) {
    Measure(state, kAscii);
}
BENCHMARK(BM_DrawAsciiLine)->Unit(benchmark::kMicrosecond);

void BM_DrawMixedScriptLine(benchmark::State& state) {
    Measure(state, kMixed);
}
BENCHMARK(BM_DrawMixedScriptLine)->Unit(benchmark::kMicrosecond);

// A Chinese character asked of the machine's faces for the first time: each
// iteration takes a code point not asked before.
void BM_SystemFontFirstLookup(benchmark::State& state) {
    char32_t next = 0x4E00;
    int found = 0;
    for (auto _ : state)
        found += FindSystemFont("Tahoma", false, false, next++).Path.empty() ? 0 : 1;
    benchmark::DoNotOptimize(found);
    if (found == 0)
        state.SkipWithError("no face on this machine holds Chinese characters");
}
BENCHMARK(BM_SystemFontFirstLookup);

// The same character again: what every later lookup costs.
void BM_SystemFontCachedLookup(benchmark::State& state) {
    FindSystemFont("Tahoma", false, false, 0x4F60);
    int found = 0;
    for (auto _ : state)
        found += FindSystemFont("Tahoma", false, false, 0x4F60).Path.empty() ? 0 : 1;
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_SystemFontCachedLookup);

// A fallback glyph rendered for a new size of the face and then served
// from its cache: the first is the render, the rest cost what ASCII does.
void BM_FallbackGlyphCached(benchmark::State& state) {
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-12);
    TFontFace& face = GetFontFace(font);
    int32_t advance = face.Glyph(0x4F60).Advance;
    for (auto _ : state)
        advance += face.Glyph(0x4F60).Advance;
    benchmark::DoNotOptimize(advance);
}
BENCHMARK(BM_FallbackGlyphCached);

} // namespace
