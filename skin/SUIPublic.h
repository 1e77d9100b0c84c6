#pragma once
// Drawing routines the skinned controls share: cutting one state picture out
// of a strip, drawing a skin face at any size with its corners kept 1:1,
// tiling, rotation, and the style hand-down by property name. None of them
// keeps state.
//
// Fuchsia (clFuchsia, 0x00FF00FF) is the key colour of the skin bitmaps:
// these routines leave it out where a picture is meant to be see-through.

#include "framework/Types.h"
#include "skin/SUIColor.h"

#include <string>

class TBitmap;
class TCanvas;
class TComponent;
class TPicture;

// Copies frame `frameIndex` (1-based) of a strip of `frameCount` frames laid
// side by side into `dest`, which takes the frame's size: width = strip width
// div frameCount, the strip's full height. Columns beyond frameCount frames
// are never shown. A frame count below 1 or an index outside 1..frameCount
// names no frame: `dest` becomes empty. `source` and `dest` may be the same
// bitmap.
void CutFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex);
