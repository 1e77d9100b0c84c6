// The canvas operations pictures need beyond the controls' ones: filled
// polygons with fill modes, GDI's box shapes (ellipse, rounded rectangle,
// pie, chord), geometric wide pens with caps and joins, dashed one-pixel
// pens, raster operations and aligned text. Everything here clips first,
// so a shape's cost follows the part of it that can be seen.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/EllipseOutline.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontFace.h"
#include "platform/kernel32/CodePage.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Boxes larger than this are drawn from flattened contours instead of the
// exact pixel walk of the outline, whose cost grows with the perimeter.
constexpr int32_t kMaxExactBox = 8192;
// Geometric pens are filled in batches of pieces so that a long poly-line
// with a wide pen needs no more memory than a short one.
constexpr size_t kStrokeBatch = 256;

enum TBoxKind { bkEllipse, bkRoundRect, bkPie, bkChord };

double ClampCoordinate(double v) {
    if (!(v == v))
        return 0; // NaN
    return std::clamp(v, -double(kMaxShapeCoordinate), double(kMaxShapeCoordinate));
}

// Contour coordinates on a grid of 1/256 pixel, so that computed points
// that should lie on a pixel row or column (a miter tip, a quarter of a
// circle) do, and the half-open rule decides for them as for exact ones.
double SnapCoordinate(double v) {
    return std::round(ClampCoordinate(v) * 256) / 256;
}

int32_t ClampInt(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, -kMaxShapeCoordinate, kMaxShapeCoordinate));
}

int32_t RoundCoordinate(double v) {
    return int32_t(std::floor(ClampCoordinate(v) + 0.5));
}

// Whether step `phase` of a one-pixel line is drawn with the pen style.
bool DashOn(TPenStyle style, uint32_t phase) {
    const uint32_t p = phase % 24;
    switch (style) {
    case TPenStyle::psDot:
        return (phase & 1) == 0;
    case TPenStyle::psDash:
        return p < 18;
    case TPenStyle::psDashDot:
        return p < 9 || (p >= 15 && p < 18);
    case TPenStyle::psDashDotDot:
        return p < 9 || (p >= 12 && p < 15) || (p >= 18 && p < 21);
    default:
        return true;
    }
}

// The evaluation of a ternary raster operation on 24-bit colours: bit
// (P << 2 | S << 1 | D) of the operation's index byte is the result for
// that combination of pattern, source and destination bits.
uint32_t Rop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t r = 0;
    for (int bit = 0; bit < 8; ++bit)
        if ((index >> bit) & 1)
            r |= ((bit & 4) ? p : ~p) & ((bit & 2) ? s : ~s) & ((bit & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

// A binary raster operation (R2_ number r): bit (P << 1 | D) of r - 1 is
// the result for that pair of pen and destination bits.
uint32_t Rop2(TPenMode mode, uint32_t p, uint32_t d) {
    const int index = int(mode) - 1;
    uint32_t r = 0;
    for (int bit = 0; bit < 4; ++bit)
        if ((index >> bit) & 1)
            r |= ((bit & 2) ? p : ~p) & ((bit & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

bool RopUsesPattern(uint8_t index) {
    return ((index >> 4) ^ index) & 0x0F;
}
bool RopUsesSource(uint8_t index) {
    return ((index >> 2) ^ index) & 0x33;
}

double SignedArea(const std::vector<TPointF>& c) {
    double a = 0;
    for (size_t i = 0, n = c.size(); i < n; ++i) {
        const TPointF& p = c[i];
        const TPointF& q = c[(i + 1) % n];
        a += p.X * q.Y - q.X * p.Y;
    }
    return a / 2;
}

// A polygon for a disc of radius r, with as many sides as keep it round at
// that size.
std::vector<TPointF> Disc(TPointF c, double r) {
    const int n = std::clamp(int(std::ceil(r * 2)) + 8, 8, 64);
    std::vector<TPointF> out(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double t = kTwoPi * k / n;
        out[size_t(k)] = {c.X + r * std::cos(t), c.Y + r * std::sin(t)};
    }
    return out;
}

// The outline pixels of the ellipse in `box` (normalised, not empty), in
// counterclockwise order: the same walk as TCanvas::Arc, so that shapes
// and arcs share their curve.
std::vector<TPoint> WalkEllipse(const TRect& box) {
    const double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
    const double a = (box.Width() - 1) / 2.0, b = (box.Height() - 1) / 2.0;
    auto snap = [](double centre, double offset) {
        double m = (centre == std::floor(centre)) ? std::floor(std::abs(offset) + 0.5)
                                                  : std::floor(std::abs(offset)) + 0.5;
        return int32_t(std::lround(centre + (offset < 0 ? -m : m)));
    };
    std::vector<TPoint> pixels;
    if (a <= 0 || b <= 0) {
        for (int32_t y = box.Top; y < box.Bottom; ++y)
            for (int32_t x = box.Left; x < box.Right; ++x)
                pixels.push_back({x, y});
        return pixels;
    }
    const int steps = int(std::ceil(kTwoPi * std::max(a, b) / 0.25)) + 8;
    for (int k = 0; k < steps; ++k) {
        double t = kTwoPi * k / steps;
        TPoint p{snap(cx, a * std::cos(t)), snap(cy, -b * std::sin(t))};
        if (pixels.empty() || !(pixels.back() == p))
            pixels.push_back(p);
    }
    while (pixels.size() > 1 && pixels.back() == pixels.front())
        pixels.pop_back();
    std::vector<TPoint> thin;
    const size_t n = pixels.size();
    for (size_t i = 0; i < n; ++i) {
        const TPoint prev = thin.empty() ? pixels[(i + n - 1) % n] : thin.back();
        const TPoint next = pixels[(i + 1) % n];
        if (n > 4 && std::abs(prev.X - next.X) <= 1 && std::abs(prev.Y - next.Y) <= 1)
            continue;
        thin.push_back(pixels[i]);
    }
    return thin;
}

// The counterclockwise screen angle of (x, y) seen from (cx, cy), 0 to 2 pi.
double ScreenAngle(double cx, double cy, double x, double y) {
    double t = std::atan2(-(y - cy), x - cx);
    return t < 0 ? t + kTwoPi : t;
}

// Start angle and sweep (0 < sweep <= 2 pi) of an arc from the radial
// through `from` to the radial through `to`.
void ArcAngles(double cx, double cy, TPoint from, TPoint to, double& start, double& sweep) {
    start = ScreenAngle(cx, cy, from.X, from.Y);
    sweep = ScreenAngle(cx, cy, to.X, to.Y) - start;
    if (sweep <= 0)
        sweep += kTwoPi;
}

// The point of the ellipse (centre, semi-axes a and b) in screen direction
// t (counterclockwise, y down).
TPointF EllipsePoint(double cx, double cy, double a, double b, double t) {
    const double c = std::cos(t), s = std::sin(t);
    double r = 0;
    if (a > 0 && b > 0)
        r = 1 / std::sqrt((c * c) / (a * a) + (s * s) / (b * b));
    return {cx + r * c, cy - r * s};
}

int FlattenSteps(double a, double b, double sweep) {
    const double perimeter = sweep * std::max(std::abs(a), std::abs(b));
    return std::clamp(int(std::ceil(perimeter / 2)) + 4, 8, 1024);
}

// The centre-line contour of a box shape in device pixels (pixel index
// coordinates, like the outline walk).
std::vector<TPointF> BoxContour(int kind, const TRect& box, const TPoint* radials, int32_t ew,
                                int32_t eh) {
    const double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
    const double a = (box.Width() - 1) / 2.0, b = (box.Height() - 1) / 2.0;
    std::vector<TPointF> c;
    if (kind == bkRoundRect) {
        const double ra = (ew - 1) / 2.0, rb = (eh - 1) / 2.0;
        const double l = box.Left + ra, r = box.Right - 1 - ra;
        const double t = box.Top + rb, bt = box.Bottom - 1 - rb;
        const TPointF centres[4] = {{r, t}, {l, t}, {l, bt}, {r, bt}};
        const int steps = std::max(2, FlattenSteps(ra, rb, kTwoPi / 4));
        for (int q = 0; q < 4; ++q)
            for (int k = 0; k <= steps; ++k) {
                const double u = kTwoPi / 4 * (q + double(k) / steps);
                c.push_back({centres[q].X + ra * std::cos(u), centres[q].Y - rb * std::sin(u)});
            }
        return c;
    }
    if (kind == bkEllipse) {
        const int steps = FlattenSteps(a, b, kTwoPi);
        for (int k = 0; k < steps; ++k) {
            const double u = kTwoPi * k / steps;
            c.push_back({cx + a * std::cos(u), cy - b * std::sin(u)});
        }
        return c;
    }
    double start, sweep;
    ArcAngles(cx, cy, radials[0], radials[1], start, sweep);
    const int steps = FlattenSteps(a, b, sweep);
    for (int k = 0; k <= steps; ++k)
        c.push_back(EllipsePoint(cx, cy, a, b, start + sweep * k / steps));
    if (kind == bkPie)
        c.push_back({cx, cy});
    return c;
}

} // namespace

// The walk depends only on the box's size, and pictures draw the same
// sizes at every paint: the last few walks are kept, relative to the box.
std::vector<TPoint> EllipseOutline(const TRect& box) {
    struct TEntry {
        int32_t Width, Height;
        std::vector<TPoint> Ring;
    };
    constexpr size_t kKept = 64;
    thread_local std::vector<TEntry> cache;
    const int32_t w = box.Width(), h = box.Height();
    auto it = std::find_if(cache.begin(), cache.end(),
                           [&](const TEntry& e) { return e.Width == w && e.Height == h; });
    if (it == cache.end()) {
        if (cache.size() >= kKept)
            cache.erase(cache.begin());
        cache.push_back({w, h, WalkEllipse(Rect(0, 0, w, h))});
        it = cache.end() - 1;
    }
    std::vector<TPoint> ring = it->Ring;
    for (TPoint& p : ring)
        p = {p.X + box.Left, p.Y + box.Top};
    return ring;
}

TRect TCanvas::DeviceClip() const {
    TRect clip;
    IntersectRect(clip, FState.Clip, TargetBounds());
    return clip;
}

void TCanvas::FillBrushDevice(const TRect& deviceRect) {
    TRect r;
    if (!FTarget || !IntersectRect(r, deviceRect, DeviceClip()) ||
        FBrush.Style() == TBrushStyle::bsClear)
        return;
    if (FBrush.Style() == TBrushStyle::bsSolid && !FBrush.Bitmap() &&
        FPen.Mode() == TPenMode::pmCopy) {
        FillDevice(r, ColorToRGB(FBrush.Color()));
        return;
    }
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = FTarget->ScanLine(y);
        for (int32_t x = r.Left; x < r.Right; ++x) {
            TColor rgb;
            if (FBrush.PixelAt(x, y, rgb))
                PutDevice(row, x, rgb);
        }
    }
}

void TCanvas::PutDevice(uint32_t* row, int32_t x, uint32_t rgb) const {
    row[x] = FPen.Mode() == TPenMode::pmCopy ? rgb : Rop2(FPen.Mode(), rgb, row[x] & 0xFFFFFF);
}

// Scan conversion: a pixel (x, y) is inside when the point (x, y) is, with
// left and top edges inside and right and bottom edges outside, so that a
// polygon through the corners of a rectangle covers it half-open, as the
// platform fills polygons. Rows outside the clip are never visited.
void TCanvas::FillSpansDevice(const std::vector<std::vector<TPointF>>& contours, TFillMode mode,
                              bool withBrush, TColor rgb) {
    if (!FTarget)
        return;
    const TRect clip = DeviceClip();
    if (IsRectEmpty(clip))
        return;
    struct TEdge {
        double X0, Y0, X1, Y1;
        int Dir;
    };
    std::vector<TEdge> edges;
    for (const auto& c : contours) {
        const size_t n = c.size();
        if (n < 2)
            continue;
        for (size_t i = 0; i < n; ++i) {
            TPointF p{SnapCoordinate(c[i].X), SnapCoordinate(c[i].Y)};
            TPointF q{SnapCoordinate(c[(i + 1) % n].X), SnapCoordinate(c[(i + 1) % n].Y)};
            // An edge that crosses no row of the clip changes no pixel.
            if (p.Y == q.Y || std::max(p.Y, q.Y) <= clip.Top || std::min(p.Y, q.Y) >= clip.Bottom)
                continue;
            if (p.Y < q.Y)
                edges.push_back({p.X, p.Y, q.X, q.Y, 1});
            else
                edges.push_back({q.X, q.Y, p.X, p.Y, -1});
        }
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(),
              [](const TEdge& a, const TEdge& b) { return a.Y0 < b.Y0; });
    double maxY = edges[0].Y1;
    for (const TEdge& e : edges)
        maxY = std::max(maxY, e.Y1);
    const int32_t yFirst = std::max<int32_t>(clip.Top, int32_t(std::ceil(edges[0].Y0)));
    const int32_t yEnd = std::min<int32_t>(clip.Bottom, int32_t(std::ceil(maxY)));
    const bool solid = !withBrush || (FBrush.Style() == TBrushStyle::bsSolid && !FBrush.Bitmap());
    const bool copy = FPen.Mode() == TPenMode::pmCopy;
    const TColor fill = withBrush ? ColorToRGB(FBrush.Color()) : rgb;
    std::vector<const TEdge*> active;
    std::vector<std::pair<double, int>> crossings;
    size_t next = 0;
    for (int32_t y = yFirst; y < yEnd; ++y) {
        while (next < edges.size() && edges[next].Y0 <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const TEdge* e) { return e->Y1 <= y; });
        crossings.clear();
        for (const TEdge* e : active)
            crossings.push_back({e->X0 + (y - e->Y0) * (e->X1 - e->X0) / (e->Y1 - e->Y0), e->Dir});
        std::sort(crossings.begin(), crossings.end());
        uint32_t* row = FTarget->ScanLine(y);
        auto span = [&](double xl, double xr) {
            const int32_t l = std::max<int32_t>(
                clip.Left, int32_t(std::ceil(std::clamp(xl, clip.Left - 1.0, clip.Right + 1.0))));
            const int32_t r = std::min<int32_t>(
                clip.Right, int32_t(std::ceil(std::clamp(xr, clip.Left - 1.0, clip.Right + 1.0))));
            if (l >= r)
                return;
            if (solid && copy) {
                std::fill_n(row + l, r - l, fill);
                return;
            }
            for (int32_t x = l; x < r; ++x) {
                TColor c = fill;
                if (solid || FBrush.PixelAt(x, y, c))
                    PutDevice(row, x, c);
            }
        };
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += mode == TFillMode::fmAlternate ? 1 : crossings[i].second;
            const bool inside = mode == TFillMode::fmAlternate ? (winding & 1) : winding != 0;
            if (inside)
                span(crossings[i].first, crossings[i + 1].first);
        }
    }
}

// A one-pixel line from `from` to `to`, end point left out, pixel i at the
// rounded point i / n of the way. Only the steps inside the clip are
// visited; `phase` counts every step for the dash pattern.
void TCanvas::ThinLineDevice(TPoint from, TPoint to, TColor rgb, uint32_t& phase) {
    const int64_t x0 = ClampInt(from.X), y0 = ClampInt(from.Y);
    const int64_t dx = ClampInt(to.X) - x0, dy = ClampInt(to.Y) - y0;
    const int64_t adx = std::abs(dx), ady = std::abs(dy), n = std::max(adx, ady);
    if (n == 0 || !FTarget)
        return;
    const TRect clip = DeviceClip();
    if (IsRectEmpty(clip)) {
        phase += uint32_t(n);
        return;
    }
    const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    // Position of step i along the minor axis: rounded i * minor / n.
    auto minorAt = [n](int64_t i, int64_t minor) { return (2 * i * minor + n) / (2 * n); };
    // The steps whose major coordinate lies in the clip.
    const bool xMajor = adx >= ady;
    const int64_t major0 = xMajor ? x0 : y0, smaj = xMajor ? sx : sy;
    const int64_t lo = xMajor ? clip.Left : clip.Top, hi = xMajor ? clip.Right : clip.Bottom;
    int64_t first = smaj > 0 ? lo - major0 : major0 - (hi - 1);
    int64_t last = smaj > 0 ? hi - 1 - major0 : major0 - lo;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, n - 1);
    // Narrow further by the minor axis (monotonic in i); one step of slack.
    const int64_t minor = xMajor ? ady : adx, minor0 = xMajor ? y0 : x0, smin = xMajor ? sy : sx;
    const int64_t mlo = xMajor ? clip.Top : clip.Left, mhi = xMajor ? clip.Bottom : clip.Right;
    if (minor > 0) {
        const int64_t nearOff = smin > 0 ? mlo - minor0 : minor0 - (mhi - 1);
        const int64_t farOff = smin > 0 ? mhi - 1 - minor0 : minor0 - mlo;
        if (farOff < 0) {
            phase += uint32_t(n);
            return;
        }
        if (nearOff > 0)
            first = std::max(first, (2 * nearOff - 1) * n / (2 * minor) - 1);
        last = std::min(last, ((2 * farOff + 1) * n) / (2 * minor) + 1);
    } else if (minor0 < mlo || minor0 >= mhi) {
        phase += uint32_t(n);
        return;
    }
    if (first > last) {
        phase += uint32_t(n);
        return;
    }
    const TPenStyle style = FPen.Style();
    for (int64_t i = first; i <= last; ++i) {
        if (!DashOn(style, phase + uint32_t(i)))
            continue;
        const int64_t m = minorAt(i, minor);
        const int64_t x = xMajor ? x0 + sx * i : x0 + sx * m;
        const int64_t y = xMajor ? y0 + sy * m : y0 + sy * i;
        if (x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom)
            PutDevice(FTarget->ScanLine(int32_t(y)), int32_t(x), rgb);
    }
    phase += uint32_t(n);
}

// Strokes contours (device pixel coordinates) with the pen: one-pixel pens
// along the rounded vertices, wider pens as the union of a quadrilateral
// per segment, a join at each corner and a cap at each open end.
void TCanvas::StrokeDevice(const std::vector<std::vector<TPointF>>& contours, bool closed) {
    if (FPen.Style() == TPenStyle::psClear || !FTarget)
        return;
    const TColor rgb = ColorToRGB(FPen.Color());
    const int32_t width = FPen.Width();
    if (width <= 1) {
        for (const auto& c : contours) {
            if (c.size() < 2)
                continue;
            uint32_t phase = 0;
            const size_t segments = closed ? c.size() : c.size() - 1;
            for (size_t i = 0; i < segments; ++i) {
                const TPointF& p = c[i];
                const TPointF& q = c[(i + 1) % c.size()];
                ThinLineDevice({RoundCoordinate(p.X), RoundCoordinate(p.Y)},
                               {RoundCoordinate(q.X), RoundCoordinate(q.Y)}, rgb, phase);
            }
        }
        return;
    }
    const double h = width / 2.0;
    std::vector<std::vector<TPointF>> pieces;
    auto add = [&](std::vector<TPointF> piece) {
        // One orientation for all, so that the winding fill is their union.
        if (SignedArea(piece) < 0)
            std::reverse(piece.begin(), piece.end());
        pieces.push_back(std::move(piece));
        if (pieces.size() >= kStrokeBatch) {
            FillSpansDevice(pieces, TFillMode::fmWinding, false, rgb);
            pieces.clear();
        }
    };
    for (const auto& raw : contours) {
        std::vector<TPointF> c;
        for (const TPointF& p : raw) {
            TPointF q{ClampCoordinate(p.X), ClampCoordinate(p.Y)};
            if (c.empty() || q.X != c.back().X || q.Y != c.back().Y)
                c.push_back(q);
        }
        if (closed && c.size() > 1 && c.front().X == c.back().X && c.front().Y == c.back().Y)
            c.pop_back();
        if (c.empty())
            continue;
        if (c.size() == 1) {
            if (!closed && FPen.EndCap() == TPenEndCap::pecRound)
                add(Disc(c[0], h));
            else if (!closed && FPen.EndCap() == TPenEndCap::pecSquare)
                add({{c[0].X - h, c[0].Y - h},
                     {c[0].X + h, c[0].Y - h},
                     {c[0].X + h, c[0].Y + h},
                     {c[0].X - h, c[0].Y + h}});
            continue;
        }
        const size_t n = c.size();
        const size_t segments = closed ? n : n - 1;
        auto direction = [&](size_t i) {
            const TPointF& p = c[i];
            const TPointF& q = c[(i + 1) % n];
            const double len = std::hypot(q.X - p.X, q.Y - p.Y);
            return TPointF{(q.X - p.X) / len, (q.Y - p.Y) / len};
        };
        for (size_t i = 0; i < segments; ++i) {
            TPointF p = c[i], q = c[(i + 1) % n];
            const TPointF d = direction(i);
            if (!closed && FPen.EndCap() == TPenEndCap::pecSquare) {
                if (i == 0)
                    p = {p.X - d.X * h, p.Y - d.Y * h};
                if (i + 1 == segments)
                    q = {q.X + d.X * h, q.Y + d.Y * h};
            }
            const TPointF nrm{-d.Y * h, d.X * h};
            add({{p.X + nrm.X, p.Y + nrm.Y},
                 {q.X + nrm.X, q.Y + nrm.Y},
                 {q.X - nrm.X, q.Y - nrm.Y},
                 {p.X - nrm.X, p.Y - nrm.Y}});
        }
        // Joins at the corners (every vertex of a closed contour).
        for (size_t v = closed ? 0 : 1; v < (closed ? n : n - 1); ++v) {
            const TPointF d1 = direction((v + n - 1) % n), d2 = direction(v);
            const TPointF& p = c[v];
            const double cross = d1.X * d2.Y - d1.Y * d2.X;
            const double cosTurn = d1.X * d2.X + d1.Y * d2.Y;
            if (std::abs(cross) < 1e-12 && cosTurn > 0)
                continue; // straight on
            // A round join on a slight turn differs from a bevel by less
            // than a tenth of a pixel: the flattened curves' many corners
            // need no discs.
            const double sag = h * (1 - std::sqrt(std::max(0.0, (1 + cosTurn) / 2)));
            if (FPen.Join() == TPenJoin::pjRound && (sag >= 0.1 || cosTurn <= 0)) {
                add(Disc(p, h));
                continue;
            }
            // The outer side is where the contour turns away from.
            const double side = cross > 0 ? -1 : 1;
            const TPointF n1{-d1.Y * h * side, d1.X * h * side};
            const TPointF n2{-d2.Y * h * side, d2.X * h * side};
            const TPointF a{p.X + n1.X, p.Y + n1.Y}, b{p.X + n2.X, p.Y + n2.Y};
            const double cosHalf = std::sqrt(std::max(0.0, (1 + d1.X * d2.X + d1.Y * d2.Y) / 2));
            if (FPen.Join() == TPenJoin::pjMiter && cosHalf > 1 / FPen.MiterLimit()) {
                // The miter tip lies along the bisector of the two normals.
                const double len = h / cosHalf;
                TPointF bis{n1.X + n2.X, n1.Y + n2.Y};
                const double bl = std::hypot(bis.X, bis.Y);
                if (bl > 0) {
                    const TPointF tip{p.X + bis.X / bl * len, p.Y + bis.Y / bl * len};
                    add({p, a, tip, b});
                    continue;
                }
            }
            add({p, a, b});
        }
        if (!closed && FPen.EndCap() == TPenEndCap::pecRound) {
            add(Disc(c.front(), h));
            add(Disc(c.back(), h));
        }
    }
    if (!pieces.empty())
        FillSpansDevice(pieces, TFillMode::fmWinding, false, rgb);
}

void TCanvas::OutlineDevice(const std::vector<TPoint>& pixels) {
    if (FPen.Style() == TPenStyle::psClear || !FTarget)
        return;
    const TRect clip = DeviceClip();
    const TColor rgb = ColorToRGB(FPen.Color());
    uint32_t phase = 0;
    for (const TPoint& p : pixels)
        if (DashOn(FPen.Style(), phase++) && PtInRect(clip, p))
            PutDevice(FTarget->ScanLine(p.Y), p.X, rgb);
}

void TCanvas::Polygon(const std::vector<TPoint>& points, TFillMode mode) {
    PolyPolygon({points}, mode);
}

void TCanvas::PolyPolygon(const std::vector<std::vector<TPoint>>& polygons, TFillMode mode) {
    std::vector<std::vector<TPointF>> contours;
    for (const auto& poly : polygons) {
        if (poly.size() < 2)
            continue;
        std::vector<TPointF> c;
        c.reserve(poly.size());
        for (const TPoint& p : poly)
            c.push_back({double(p.X) + FState.Origin.X, double(p.Y) + FState.Origin.Y});
        contours.push_back(std::move(c));
    }
    if (contours.empty())
        return;
    if (FBrush.Style() != TBrushStyle::bsClear)
        FillSpansDevice(contours, mode, true, 0);
    StrokeDevice(contours, true);
}

void TCanvas::PolyPolyline(const std::vector<std::vector<TPoint>>& lines) {
    std::vector<std::vector<TPointF>> contours;
    for (const auto& line : lines) {
        std::vector<TPointF> c;
        c.reserve(line.size());
        for (const TPoint& p : line)
            c.push_back({double(p.X) + FState.Origin.X, double(p.Y) + FState.Origin.Y});
        contours.push_back(std::move(c));
    }
    StrokeDevice(contours, false);
}

void TCanvas::FillContours(const std::vector<std::vector<TPointF>>& contours, TFillMode mode) {
    if (FBrush.Style() == TBrushStyle::bsClear)
        return;
    std::vector<std::vector<TPointF>> device = contours;
    for (auto& c : device)
        for (TPointF& p : c)
            p = {p.X + FState.Origin.X, p.Y + FState.Origin.Y};
    FillSpansDevice(device, mode, true, 0);
}

void TCanvas::StrokeContours(const std::vector<std::vector<TPointF>>& contours, bool closed) {
    std::vector<std::vector<TPointF>> device = contours;
    for (auto& c : device)
        for (TPointF& p : c)
            p = {p.X + FState.Origin.X, p.Y + FState.Origin.Y};
    StrokeDevice(device, closed);
}

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    BoxShape(bkEllipse, Rect(x1, y1, x2, y2), nullptr, 0, 0);
}

void TCanvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ellipseWidth,
                        int32_t ellipseHeight) {
    BoxShape(bkRoundRect, Rect(x1, y1, x2, y2), nullptr, ellipseWidth, ellipseHeight);
}

void TCanvas::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                  int32_t x4, int32_t y4) {
    const TPoint radials[2] = {{x3, y3}, {x4, y4}};
    BoxShape(bkPie, Rect(x1, y1, x2, y2), radials, 0, 0);
}

void TCanvas::Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                    int32_t x4, int32_t y4) {
    const TPoint radials[2] = {{x3, y3}, {x4, y4}};
    BoxShape(bkChord, Rect(x1, y1, x2, y2), radials, 0, 0);
}

// The box shapes. With a one-pixel pen (or none) the outline is the exact
// pixel walk of Arc and the fill covers each row between the outline's
// outermost pixels (pies and chords: those of them on the arc's side),
// so fill and outline meet without gaps. A wider pen strokes the
// flattened centre line. Without a pen the box loses its right column and
// bottom row, as on the platform.
void TCanvas::BoxShape(int kind, TRect box, const TPoint* radials, int32_t ew, int32_t eh) {
    if (!FTarget)
        return;
    box = NormalizeRect(Rect(ClampInt(int64_t(box.Left) + FState.Origin.X),
                             ClampInt(int64_t(box.Top) + FState.Origin.Y),
                             ClampInt(int64_t(box.Right) + FState.Origin.X),
                             ClampInt(int64_t(box.Bottom) + FState.Origin.Y)));
    TPoint rad[2];
    if (radials)
        for (int i = 0; i < 2; ++i)
            rad[i] = {ClampInt(int64_t(radials[i].X) + FState.Origin.X),
                      ClampInt(int64_t(radials[i].Y) + FState.Origin.Y)};
    const bool noPen = FPen.Style() == TPenStyle::psClear;
    const int32_t penWidth = noPen ? 0 : std::max(FPen.Width(), 1);
    if (noPen) {
        box.Right -= 1;
        box.Bottom -= 1;
    } else if (penWidth > 1 && FPen.Style() == TPenStyle::psInsideFrame) {
        box = InflateRect(box, -(penWidth / 2), -(penWidth / 2));
    }
    if (box.Width() < 1 || box.Height() < 1)
        return;
    if (kind == bkRoundRect) {
        ew = std::clamp(std::abs(ew), 1, box.Width());
        eh = std::clamp(std::abs(eh), 1, box.Height());
    }
    TRect clip = DeviceClip();
    const bool hasFill = FBrush.Style() != TBrushStyle::bsClear;

    if (penWidth > 1 || box.Width() > kMaxExactBox || box.Height() > kMaxExactBox) {
        // Quick reject: nothing of the box and its pen reaches the clip.
        TRect reach = InflateRect(box, penWidth, penWidth), any;
        if (!IntersectRect(any, reach, clip))
            return;
        std::vector<std::vector<TPointF>> contour{BoxContour(kind, box, rad, ew, eh)};
        if (hasFill)
            FillSpansDevice(contour, TFillMode::fmAlternate, true, 0);
        StrokeDevice(contour, true);
        return;
    }
    {
        TRect any;
        if (!IntersectRect(any, box, clip))
            return;
    }

    // The outline pixels, in drawing order.
    std::vector<TPoint> ring;
    if (kind == bkRoundRect) {
        const std::vector<TPoint> corner = EllipseOutline(Rect(0, 0, ew, eh));
        const double cxE = (ew - 1) / 2.0, cyE = (eh - 1) / 2.0;
        for (const TPoint& p : corner) {
            for (int side = 0; side < 4; ++side) {
                const bool right = side & 1, bottom = side & 2;
                if ((right ? p.X < cxE : p.X > cxE) || (bottom ? p.Y < cyE : p.Y > cyE))
                    continue;
                ring.push_back({right ? box.Right - ew + p.X : box.Left + p.X,
                                bottom ? box.Bottom - eh + p.Y : box.Top + p.Y});
            }
        }
        for (int32_t x = box.Left + ew / 2; x <= box.Right - 1 - ew / 2; ++x) {
            ring.push_back({x, box.Top});
            ring.push_back({x, box.Bottom - 1});
        }
        for (int32_t y = box.Top + eh / 2; y <= box.Bottom - 1 - eh / 2; ++y) {
            ring.push_back({box.Left, y});
            ring.push_back({box.Right - 1, y});
        }
    } else {
        ring = EllipseOutline(box);
    }

    // Row extents of the closed curve (every row of the box has a pixel).
    const int32_t rows = box.Height();
    std::vector<int32_t> minX(size_t(rows), INT32_MAX), maxX(size_t(rows), INT32_MIN);
    for (const TPoint& p : ring) {
        const size_t r = size_t(p.Y - box.Top);
        minX[r] = std::min(minX[r], p.X);
        maxX[r] = std::max(maxX[r], p.X);
    }

    if (kind == bkEllipse || kind == bkRoundRect) {
        if (hasFill)
            for (int32_t r = 0; r < rows; ++r)
                if (minX[size_t(r)] <= maxX[size_t(r)])
                    FillBrushDevice(
                        Rect(minX[size_t(r)], box.Top + r, maxX[size_t(r)] + 1, box.Top + r + 1));
        OutlineDevice(ring);
        return;
    }

    // Pie and chord: the arc's pixels, the closing line(s), and the fill
    // on the arc's side of them.
    const double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
    double start, sweep;
    ArcAngles(cx, cy, rad[0], rad[1], start, sweep);
    auto offsetOf = [&](const TPoint& p) {
        double t = ScreenAngle(cx, cy, p.X, p.Y) - start;
        if (t < 0)
            t += kTwoPi;
        return t;
    };
    std::vector<std::pair<double, TPoint>> arc;
    for (const TPoint& p : ring) {
        const double t = offsetOf(p);
        if (t <= sweep + 1e-9)
            arc.push_back({t, p});
    }
    std::stable_sort(arc.begin(), arc.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const TPointF s =
        EllipsePoint(cx, cy, (box.Width() - 1) / 2.0, (box.Height() - 1) / 2.0, start);
    const TPointF e =
        EllipsePoint(cx, cy, (box.Width() - 1) / 2.0, (box.Height() - 1) / 2.0, start + sweep);
    const TPoint ps{RoundCoordinate(s.X), RoundCoordinate(s.Y)};
    const TPoint pe{RoundCoordinate(e.X), RoundCoordinate(e.Y)};
    const TPoint pc{RoundCoordinate(cx), RoundCoordinate(cy)};
    if (hasFill) {
        // Pixels of the ellipse's rows on the arc's side: within the sweep
        // seen from the centre (pie), or beyond the chord (chord).
        const bool brushSolid = FBrush.Style() == TBrushStyle::bsSolid && !FBrush.Bitmap();
        const TColor brushRgb = ColorToRGB(FBrush.Color());
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t y = box.Top + r;
            if (y < clip.Top || y >= clip.Bottom)
                continue;
            uint32_t* row = FTarget->ScanLine(y);
            const int32_t l = std::max(minX[size_t(r)], clip.Left);
            const int32_t rr = std::min(maxX[size_t(r)] + 1, clip.Right);
            for (int32_t x = l; x < rr; ++x) {
                bool inside;
                if (kind == bkPie) {
                    inside = (x == pc.X && y == pc.Y) || offsetOf({x, y}) <= sweep + 1e-9;
                } else {
                    // Left of the chord from end to start, seen on screen.
                    const double cr =
                        double(ps.X - pe.X) * (y - pe.Y) - double(ps.Y - pe.Y) * (x - pe.X);
                    inside = cr <= 0;
                }
                if (!inside)
                    continue;
                TColor c = brushRgb;
                if (brushSolid || FBrush.PixelAt(x, y, c))
                    PutDevice(row, x, c);
            }
        }
    }
    std::vector<TPoint> outline;
    outline.reserve(arc.size());
    for (const auto& a : arc)
        outline.push_back(a.second);
    OutlineDevice(outline);
    if (!noPen) {
        const TColor rgb = ColorToRGB(FPen.Color());
        uint32_t phase = uint32_t(outline.size());
        const TPoint arcEnd = arc.empty() ? pe : arc.back().second;
        const TPoint arcStart = arc.empty() ? ps : arc.front().second;
        if (kind == bkPie) {
            ThinLineDevice(arcEnd, pc, rgb, phase);
            ThinLineDevice(pc, arcStart, rgb, phase);
        } else {
            ThinLineDevice(arcEnd, arcStart, rgb, phase);
        }
    }
}

void TCanvas::PatBlt(const TRect& rect, uint32_t rop) {
    const uint8_t index = uint8_t(rop >> 16);
    if (!FTarget)
        return;
    const bool usesPattern = RopUsesPattern(index);
    if (usesPattern && FBrush.Style() == TBrushStyle::bsClear)
        return;
    TRect r;
    if (!IntersectRect(r, NormalizeRect(ToDevice(rect)), DeviceClip()))
        return;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = FTarget->ScanLine(y);
        for (int32_t x = r.Left; x < r.Right; ++x) {
            TColor p = 0;
            if (usesPattern && !FBrush.PixelAt(x, y, p))
                continue;
            row[x] = Rop3(index, p, 0, row[x] & 0xFFFFFF);
        }
    }
}

void TCanvas::StretchBltRop(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                            uint32_t rop) {
    const uint8_t index = uint8_t(rop >> 16);
    if (index == uint8_t(SRCCOPY >> 16)) {
        StretchBlt(dest, source, sourceRect);
        return;
    }
    if (!RopUsesSource(index)) {
        TRect d = ToDevice(dest);
        int64_t x, w, y, h;
        bool rx, ry;
        Axis(d.Left, d.Right, x, w, rx);
        Axis(d.Top, d.Bottom, y, h, ry);
        PatBlt(OffsetRect(Rect(int32_t(x), int32_t(y), int32_t(x + w), int32_t(y + h)),
                          -FState.Origin.X, -FState.Origin.Y),
               rop);
        return;
    }
    if (!FTarget)
        return;
    if (&source == FTarget) {
        TBitmap copy(source);
        StretchBltRop(dest, copy, sourceRect, rop);
        return;
    }
    const bool usesPattern = RopUsesPattern(index);
    if (usesPattern && FBrush.Style() == TBrushStyle::bsClear)
        return;
    TStretchMap map;
    if (!MapStretch(dest, sourceRect, map))
        return;
    const TRect& area = map.Area;
    const int64_t srcW = source.Width(), srcH = source.Height();
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        const int64_t srcY = map.SourceY(y);
        if (srcY < 0 || srcY >= srcH)
            continue;
        const uint32_t* src = source.ScanLine(int32_t(srcY));
        uint32_t* out = FTarget->ScanLine(y);
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const int64_t srcX = map.SourceX(x);
            if (srcX < 0 || srcX >= srcW)
                continue;
            TColor p = 0;
            if (usesPattern && !FBrush.PixelAt(x, y, p))
                continue;
            out[x] = Rop3(index, p, src[srcX] & 0xFFFFFF, out[x] & 0xFFFFFF);
        }
    }
}

int32_t TCanvas::ExtTextOut(int32_t x, int32_t y, uint32_t options, const TRect* rect,
                            const std::string& text, const std::vector<int32_t>* dx) {
    TFontFace& face = GetFontFace(FFont);
    // The advance of the i-th character: dx's entry, else the glyph's own.
    auto advance = [&](size_t i, const TCharacter& c) {
        return i < dx->size() ? (*dx)[i] : face.Glyph(c.CodePoint).Advance;
    };
    int32_t width = 0;
    if (dx) {
        for (size_t pos = 0, i = 0; pos < text.size(); ++i) {
            const TCharacter c = DecodeCharacter(text, pos);
            width += advance(i, c);
            pos += c.Length;
        }
    } else {
        width = face.TextWidth(text);
    }
    switch (FTextAlign & TA_CENTER) {
    case TA_RIGHT:
        x -= width;
        break;
    case TA_CENTER:
        x -= width / 2;
        break;
    default:
        break;
    }
    switch (FTextAlign & TA_BASELINE) {
    case TA_BOTTOM:
        y -= face.Height();
        break;
    case TA_BASELINE:
        y -= face.Ascent();
        break;
    default:
        break;
    }
    if (FBrush.Style() != TBrushStyle::bsClear) {
        if ((options & ETO_OPAQUE) && rect)
            FillRect(*rect);
        TRect box = Bounds(x, y, width, face.Height());
        if ((options & ETO_CLIPPED) && rect) {
            TRect clipped;
            IntersectRect(clipped, box, *rect);
            box = clipped;
        }
        FillRect(box);
    }
    const TRect* clip = (options & ETO_CLIPPED) && rect ? rect : nullptr;
    if (!dx) {
        TextRun(x, y, text, clip);
        return width;
    }
    int32_t pen = x;
    for (size_t pos = 0, i = 0; pos < text.size(); ++i) {
        const TCharacter c = DecodeCharacter(text, pos);
        TextRun(pen, y, text.substr(pos, c.Length), clip);
        pen += advance(i, c);
        pos += c.Length;
    }
    return width;
}
