#pragma once
// Painting steps several skinned controls share, on the canvas a paint
// composes (usually a TsuiOffscreen's).

#include "framework/graphics/Canvas.h"

class TControl;

// `rect` filled with `color`, the brush left solid in that colour.
void FillSolid(TCanvas& canvas, const TRect& rect, TColor color);

// What shows through a see-through `control`: its parent's pixels under it.
// With `grandparentToo`, a parent that draws no background of its own worth
// showing (a tab sheet, a skinned tool bar or navigator) is passed over for
// its own parent. Nothing without a parent.
void DrawSeeThrough(TCanvas& canvas, TControl* control, bool grandparentToo);
