#include "framework/graphics/metafile/MetafileGeometry.h"

#include <algorithm>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Canvas coordinates are kept within this distance of the origin before
// they become integers.
constexpr double kMaxOut = 1 << 29;

} // namespace

TXform Multiply(const TXform& a, const TXform& b) {
    return {a.M11 * b.M11 + a.M12 * b.M21,      a.M11 * b.M12 + a.M12 * b.M22,
            a.M21 * b.M11 + a.M22 * b.M21,      a.M21 * b.M12 + a.M22 * b.M22,
            a.Dx * b.M11 + a.Dy * b.M21 + b.Dx, a.Dx * b.M12 + a.Dy * b.M22 + b.Dy};
}

int32_t CanvasInt(double v) {
    if (!(v == v))
        return 0;
    return int32_t(std::floor(std::clamp(v, -kMaxOut, kMaxOut) + 0.5));
}

TRect BoundsOf(const std::vector<TPointF>& points, double margin) {
    double l = kMaxOut, t = kMaxOut, r = -kMaxOut, b = -kMaxOut;
    for (const TPointF& p : points) {
        l = std::min(l, p.X);
        t = std::min(t, p.Y);
        r = std::max(r, p.X);
        b = std::max(b, p.Y);
    }
    if (points.empty())
        return {};
    return Rect(CanvasInt(l - margin) - 1, CanvasInt(t - margin) - 1, CanvasInt(r + margin) + 2,
                CanvasInt(b + margin) + 2);
}

std::vector<TPointF> FlattenBeziers(const std::vector<TPointF>& bezier, TPointF start,
                                    size_t maxPoints) {
    std::vector<TPointF> out;
    TPointF p0 = start;
    const size_t curves = bezier.size() / 3;
    const int most = int(std::clamp<size_t>(maxPoints / std::max<size_t>(curves, 1), 1, 128));
    for (size_t i = 0; i + 2 < bezier.size(); i += 3) {
        const TPointF p1 = bezier[i], p2 = bezier[i + 1], p3 = bezier[i + 2];
        const double len = std::hypot(p1.X - p0.X, p1.Y - p0.Y) +
                           std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                           std::hypot(p3.X - p2.X, p3.Y - p2.Y);
        const int steps = std::clamp(int(std::sqrt(std::min(len, 1e6)) * 2) + 1, 1, most);
        for (int k = 1; k <= steps; ++k) {
            const double t = double(k) / steps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            out.push_back({a * p0.X + b * p1.X + c * p2.X + d * p3.X,
                           a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y});
        }
        p0 = p3;
    }
    return out;
}

std::vector<TPointF> ArcPoints(const TXform& m, bool counterClockwise, double l, double t, double r,
                               double b, TPointF from, TPointF to, bool full) {
    const double cx = (l + r) / 2, cy = (t + b) / 2;
    const double a = std::abs(r - l) / 2, bb = std::abs(b - t) / 2;
    auto angle = [&](TPointF p) {
        double v = std::atan2(-(p.Y - cy), p.X - cx);
        return v < 0 ? v + kTwoPi : v;
    };
    double start = 0, sweep = kTwoPi;
    // Counterclockwise as the canvas shows it: a mirroring transform turns
    // the logical direction round.
    const bool ccw = counterClockwise == (m.Det() > 0);
    if (!full) {
        start = angle(from);
        const double end = angle(to);
        sweep = ccw ? end - start : start - end;
        if (sweep <= 0)
            sweep += kTwoPi;
        if (!ccw)
            sweep = -sweep;
    }
    const double size = std::max(a, bb) * m.LinearScale();
    const int steps = std::clamp(int(std::abs(sweep) * std::min(size, 1e6) / 2) + 8, 8, 1024);
    std::vector<TPointF> out;
    out.reserve(size_t(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        if (full && k == steps)
            break;
        const double u = start + sweep * k / steps;
        const double c = std::cos(u), s = std::sin(u);
        double rad = 0;
        if (a > 0 && bb > 0)
            rad = 1 / std::sqrt((c * c) / (a * a) + (s * s) / (bb * bb));
        else
            rad = a > 0 ? a : bb;
        out.push_back(m.Apply(cx + rad * c, cy - rad * s));
    }
    return out;
}

std::vector<TPointF> RoundRectPoints(const TXform& m, double l, double t, double r, double b,
                                     double w, double h) {
    const double rw = std::min(std::abs(w), std::abs(r - l)) / 2;
    const double rh = std::min(std::abs(h), std::abs(b - t)) / 2;
    const double x0 = std::min(l, r), x1 = std::max(l, r), y0 = std::min(t, b), y1 = std::max(t, b);
    std::vector<TPointF> c;
    const double cxs[4] = {x1 - rw, x0 + rw, x0 + rw, x1 - rw};
    const double cys[4] = {y0 + rh, y0 + rh, y1 - rh, y1 - rh};
    for (int q = 0; q < 4; ++q)
        for (int k = 0; k <= 8; ++k) {
            const double u = kTwoPi / 4 * (q + k / 8.0);
            c.push_back(m.Apply(cxs[q] + rw * std::cos(u), cys[q] - rh * std::sin(u)));
        }
    return c;
}

// Sutherland and Hodgman: the subject cut by each of the clip's edges in
// turn, keeping the side the clip's inside lies on.
std::vector<TPointF> ClipConvex(const std::vector<TPointF>& subject,
                                const std::vector<TPointF>& clip) {
    const size_t n = clip.size();
    if (n < 3)
        return {};
    double area = 0;
    for (size_t i = 0; i < n; ++i)
        area += clip[i].X * clip[(i + 1) % n].Y - clip[(i + 1) % n].X * clip[i].Y;
    if (area == 0)
        return {};
    const double orientation = area > 0 ? 1 : -1;
    std::vector<TPointF> out = subject;
    for (size_t i = 0; i < n && !out.empty(); ++i) {
        const TPointF a = clip[i], b = clip[(i + 1) % n];
        auto side = [&](TPointF p) {
            return orientation * ((b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X));
        };
        std::vector<TPointF> in = std::move(out);
        out.clear();
        for (size_t k = 0; k < in.size(); ++k) {
            const TPointF p = in[k], q = in[(k + 1) % in.size()];
            const double sp = side(p), sq = side(q);
            if (sp >= 0)
                out.push_back(p);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                out.push_back({p.X + (q.X - p.X) * t, p.Y + (q.Y - p.Y) * t});
            }
        }
    }
    return out;
}
