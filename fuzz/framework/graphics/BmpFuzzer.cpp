// Any input either decodes or fails with EInvalidGraphic; a decoded bitmap
// is drawn stretched and mirrored so the blitter sees its size too.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
