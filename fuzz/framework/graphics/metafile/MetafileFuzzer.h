#pragma once
// The body of the two metafile fuzz targets: any input of the target's
// format either loads or fails with EInvalidGraphic; a loaded metafile is
// drawn into a small bitmap at several rectangles (stretched, mirrored, far
// larger than the target, partly outside it), which must neither crash nor
// run past the fuzzer's time limit.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/Metafile.h"

inline int FuzzMetafile(const uint8_t* data, size_t size, bool emf) {
    const TMetafileKind kind = DetectMetafile(data, size);
    if ((kind == TMetafileKind::mkEmf) != emf || kind == TMetafileKind::mkNone)
        return 0;
    TMetafile metafile;
    try {
        metafile.LoadFromMemory(data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    TBitmap target(37, 23);
    TCanvas& canvas = target.Canvas();
    metafile.Draw(canvas, Rect(0, 0, 37, 23));
    metafile.Draw(canvas, Rect(36, 22, -1, -1));
    metafile.Draw(canvas, Rect(-3000, -2000, 3000, 2000));
    canvas.SetOrigin({5, 3});
    metafile.Draw(canvas, Rect(20, 10, 50, 40));
    return 0;
}
