// Any input either decodes or fails with EInvalidGraphic; a decoded bitmap
// is drawn stretched and mirrored so the blitter sees its size too. Pictures
// larger than the fuzzing budget are passed over (FuzzBudget.h).
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"
#include "FuzzBudget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (fuzz_budget::BmpOverBudget(data, size))
        return 0;
    TBitmap bitmap;
    try {
        bitmap.AdoptImage(DecodeBmp(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    TBitmap target(17, 9);
    bitmap.SetTransparent(true);
    target.Canvas().StretchDraw(Rect(16, 8, -1, -1), bitmap);
    return 0;
}
