#pragma once
// The geometry the metafile device context draws with: the affine mapping
// of logical units to canvas coordinates, the rounding of those to the
// canvas's integers, the bounds of points, and the curves (Bézier segments,
// elliptic arcs, rounded corners) flattened into points in canvas
// coordinates. It knows nothing of the context's state.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/graphics/Canvas.h"

// x' = x * M11 + y * M21 + Dx, y' = x * M12 + y * M22 + Dy.
struct TXform {
    double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
    TPointF Apply(double x, double y) const {
        return {x * M11 + y * M21 + Dx, x * M12 + y * M22 + Dy};
    }
    double Det() const { return M11 * M22 - M12 * M21; }
    // How much lengths grow, taken alike in all directions.
    double LinearScale() const { return std::sqrt(std::abs(Det())); }
};
// a then b.
TXform Multiply(const TXform& a, const TXform& b);

// A canvas coordinate rounded to an integer, kept within 2^29 of the
// origin (the canvas clamps again at its own limit); NaN is 0.
int32_t CanvasInt(double v);
// The pixels `points` cover grown by `margin`, one more on each side;
// empty without points.
TRect BoundsOf(const std::vector<TPointF>& points, double margin);

// Cubic Bézier segments (from `start`, then three points each) flattened,
// with as many steps as each control polygon is long, and no more than
// about `maxPoints` in all. The points after `start`.
std::vector<TPointF> FlattenBeziers(const std::vector<TPointF>& bezier, TPointF start,
                                    size_t maxPoints);
// An elliptic arc of the logical box (l, t, r, b) mapped by `m`, from the
// radial through `from` to the radial through `to` (or the whole ellipse),
// counterclockwise or clockwise in logical units.
std::vector<TPointF> ArcPoints(const TXform& m, bool counterClockwise, double l, double t, double r,
                               double b, TPointF from, TPointF to, bool full);
// The outline of the logical box (l, t, r, b) with corners rounded as
// quarter ellipses w x h across, mapped by `m`.
std::vector<TPointF> RoundRectPoints(const TXform& m, double l, double t, double r, double b,
                                     double w, double h);
// The part of polygon `subject` inside the convex polygon `clip` (either
// orientation); empty when they do not meet.
std::vector<TPointF> ClipConvex(const std::vector<TPointF>& subject,
                                const std::vector<TPointF>& clip);
