#pragma once
// The pixels an ellipse's outline is drawn with, shared by the canvas's arcs
// and its filled and outlined shapes so that they run along one curve.

#include "framework/graphics/Types.h"

#include <vector>

// The outline of the ellipse in `box` (normalised, not empty), one pixel
// thick and connected, counterclockwise on screen: a walk in steps of less
// than half a pixel, each point rounded symmetrically about the centre,
// without the corner pixels of L-shaped steps. A box one pixel wide or high
// gives every pixel of the box.
std::vector<TPoint> EllipseOutline(const TRect& box);
