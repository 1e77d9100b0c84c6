#pragma once
// The body of the two metafile fuzz targets: any input of the target's
// format either loads or fails with EInvalidGraphic; a loaded metafile is
// drawn into a small bitmap (larger than the target and partly outside it,
// or mirrored and moved by the canvas origin), which must neither crash nor
// run past the fuzzer's time limit. Only the first records are played, and
// the largest rectangle is a few times the target, not thousands
// (../FuzzBudget.h): the players' work grows with both, not their paths.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/Metafile.h"
#include "../FuzzBudget.h"

inline int FuzzMetafile(const uint8_t* data, size_t size, bool emf) {
    const TMetafileKind kind = DetectMetafile(data, size);
    if ((kind == TMetafileKind::mkEmf) != emf || kind == TMetafileKind::mkNone)
        return 0;
    const std::vector<uint8_t> played = fuzz_budget::FirstRecords(data, size);
    TMetafile metafile;
    try {
        metafile.LoadFromMemory(played.data(), played.size());
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    // One drawing an input, chosen by its last byte: the mutations that
    // change nothing else try the other.
    TBitmap target(37, 23);
    TCanvas& canvas = target.Canvas();
    if (data[size - 1] & 1) {
        metafile.Draw(canvas, Rect(-60, -40, 100, 70));
    } else {
        canvas.SetOrigin({5, 3});
        metafile.Draw(canvas, Rect(36, 22, -1, -1));
    }
    return 0;
}
