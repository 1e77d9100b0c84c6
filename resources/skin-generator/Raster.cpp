#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace skingen {

TRgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f};
}

TRgb Mix(TRgb a, TRgb b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

TRgb Lighten(TRgb c, float amount) {
    return Mix(c, {1, 1, 1}, amount);
}
TRgb Darken(TRgb c, float amount) {
    return Mix(c, {0, 0, 0}, amount);
}

TRgb TRamp::At(float t) const {
    if (FStops.empty())
        return {};
    if (t <= FStops.front().first)
        return FStops.front().second;
    for (size_t i = 1; i < FStops.size(); ++i) {
        if (t <= FStops[i].first) {
            const float span = FStops[i].first - FStops[i - 1].first;
            const float u = span > 0 ? (t - FStops[i - 1].first) / span : 1.0f;
            return Mix(FStops[i - 1].second, FStops[i].second, u);
        }
    }
    return FStops.back().second;
}

namespace {

float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return Length(px - (ax + t * dx), py - (ay + t * dy));
}

} // namespace

TShape RoundRect(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    const float r = std::min({radius, hx, hy});
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - (hx - r);
        const float qy = std::fabs(y - cy) - (hy - r);
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
               r;
    };
}

TShape Circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return Length(x - cx, y - cy) - radius; };
}

TShape Ellipse(float cx, float cy, float rx, float ry) {
    // Distance scaled by the smaller radius: exact enough for soft highlights.
    const float k = std::min(rx, ry);
    return [=](float x, float y) { return (Length((x - cx) / rx, (y - cy) / ry) - 1.0f) * k; };
}

TShape Segment(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) { return SegmentDistance(x, y, ax, ay, bx, by) - halfWidth; };
}

TShape Polyline(std::vector<std::pair<float, float>> points, float halfWidth) {
    return [=](float x, float y) {
        float best = 1e9f;
        for (size_t i = 1; i < points.size(); ++i)
            best = std::min(best, SegmentDistance(x, y, points[i - 1].first, points[i - 1].second,
                                                  points[i].first, points[i].second));
        return best - halfWidth;
    };
}

TShape Polygon(std::vector<std::pair<float, float>> points) {
    return [=](float x, float y) {
        float best = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            best = std::min(best, SegmentDistance(x, y, xi, yi, xj, yj));
            if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi))
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

TShape Arc(float cx, float cy, float radius, float a0, float a1, float halfWidth) {
    const float ax = cx + radius * std::cos(a0), ay = cy + radius * std::sin(a0);
    const float bx = cx + radius * std::cos(a1), by = cy + radius * std::sin(a1);
    return [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx);
        while (a < a0)
            a += 2 * std::numbers::pi_v<float>;
        if (a <= a1)
            return std::fabs(Length(x - cx, y - cy) - radius) - halfWidth;
        return std::min(Length(x - ax, y - ay), Length(x - bx, y - by)) - halfWidth;
    };
}

TShape Union(TShape a, TShape b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

TShape Intersect(TShape a, TShape b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

TShape Subtract(TShape a, TShape b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

TShape Inset(TShape shape, float k) {
    return [=](float x, float y) { return shape(x, y) + k; };
}

TShape InnerBand(TShape shape, float width) {
    return [=](float x, float y) {
        const float d = shape(x, y);
        return std::max(d, -(d + width));
    };
}

TShader Solid(TRgb colour) {
    return [=](float, float) { return colour; };
}

TShader VerticalRamp(const TRamp& ramp, float y0, float y1) {
    return [=](float, float y) { return ramp.At((y - y0) / (y1 - y0)); };
}

TShader HorizontalRamp(const TRamp& ramp, float x0, float x1) {
    return [=](float x, float) { return ramp.At((x - x0) / (x1 - x0)); };
}

TShader Rows(std::vector<std::pair<int, TRgb>> rows) {
    return [=](float, float y) {
        const float row = y - 0.5f;
        if (row <= rows.front().first)
            return rows.front().second;
        for (size_t i = 1; i < rows.size(); ++i)
            if (row <= rows[i].first)
                return Mix(rows[i - 1].second, rows[i].second,
                           (row - rows[i - 1].first) / float(rows[i].first - rows[i - 1].first));
        return rows.back().second;
    };
}

TCanvas::TCanvas(int width, int height)
    : FWidth(width), FHeight(height), FPixels(size_t(width) * height * 4) {}

void TCanvas::SetPixel(int x, int y, TRgb c, float opacity) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || opacity <= 0)
        return;
    float* p = &FPixels[(size_t(y) * FWidth + x) * 4];
    const float a = std::min(opacity, 1.0f);
    p[0] = c.R * a + p[0] * (1 - a);
    p[1] = c.G * a + p[1] * (1 - a);
    p[2] = c.B * a + p[2] * (1 - a);
    p[3] = a + p[3] * (1 - a);
}

void TCanvas::Paint(const TShape& shape, const TShader& shader, float opacity) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float coverage = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
            if (coverage > 0)
                SetPixel(x, y, shader(px, py), coverage * opacity);
        }
}

void TCanvas::PaintFaded(const TShape& shape, const TShader& shader,
                         const std::function<float(float, float)>& opacity) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float coverage = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
            if (coverage > 0)
                SetPixel(x, y, shader(px, py), coverage * std::clamp(opacity(px, py), 0.0f, 1.0f));
        }
}

void TCanvas::Fill(const TShader& shader, float opacity) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            SetPixel(x, y, shader(x + 0.5f, y + 0.5f), opacity);
}

void TCanvas::FillRect(int x0, int y0, int x1, int y1, TRgb colour, float opacity) {
    for (int y = std::max(y0, 0); y < std::min(y1, FHeight); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, FWidth); ++x)
            SetPixel(x, y, colour, opacity);
}

void TCanvas::Draw(const TCanvas& source, int dx, int dy) {
    for (int y = 0; y < source.FHeight; ++y)
        for (int x = 0; x < source.FWidth; ++x) {
            const float a = source.Alpha(x, y);
            if (a > 0)
                SetPixel(x + dx, y + dy, source.Colour(x, y), a);
        }
}

TRgb TCanvas::Colour(int x, int y) const {
    const float* p = &FPixels[(size_t(y) * FWidth + x) * 4];
    if (p[3] <= 0)
        return {};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3]};
}

float TCanvas::Alpha(int x, int y) const {
    return FPixels[(size_t(y) * FWidth + x) * 4 + 3];
}

std::vector<uint32_t> TCanvas::Flatten(TRgb matte, bool keyed) const {
    std::vector<uint32_t> out(size_t(FWidth) * FHeight);
    auto channel = [](float v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const float* p = &FPixels[(size_t(y) * FWidth + x) * 4];
            const float a = std::min(p[3], 1.0f);
            uint32_t rgb;
            if (keyed && a < 0.5f) {
                rgb = KeyColour;
            } else {
                rgb = channel(p[0] + matte.R * (1 - a)) << 16 |
                      channel(p[1] + matte.G * (1 - a)) << 8 | channel(p[2] + matte.B * (1 - a));
                if (rgb == KeyColour)
                    rgb = 0xFE00FE;
            }
            out[size_t(y) * FWidth + x] = rgb;
        }
    return out;
}

std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb) {
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(height);
    std::vector<uint8_t> file(54 + imageSize, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = v & 0xFF;
        file[at + 1] = (v >> 8) & 0xFF;
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);    // pixel data offset
    put32(14, 40);    // info header size
    put32(18, width); // bottom-up: positive height
    put32(22, height);
    put16(26, 1);  // planes
    put16(28, 24); // bits per pixel
    put32(30, 0);  // no compression
    put32(34, imageSize);
    put32(38, 2835); // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &file[54 + size_t(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb[size_t(y) * width + x];
            row[x * 3] = c & 0xFF;
            row[x * 3 + 1] = (c >> 8) & 0xFF;
            row[x * 3 + 2] = (c >> 16) & 0xFF;
        }
    }
    return file;
}

} // namespace skingen
