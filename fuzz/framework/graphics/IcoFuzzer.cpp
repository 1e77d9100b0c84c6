// Any input either decodes or fails with EInvalidGraphic; each decoded image
// is drawn with its mask. Icons larger than the fuzzing budget are passed
// over (FuzzBudget.h).
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "FuzzBudget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (fuzz_budget::IcoOverBudget(data, size))
        return 0;
    TIcon icon;
    try {
        icon.LoadFromMemory(data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    TBitmap target(32, 32);
    for (int i = 0; i < icon.ImageCount(); ++i) {
        const TIconImage& image = icon.Image(i);
        target.Canvas().StretchBlt(Rect(0, 0, 16, 16), image.Pixels,
                                   Rect(0, 0, image.Pixels.Width(), image.Pixels.Height()), clNone,
                                   &image.Alpha);
    }
    return 0;
}
