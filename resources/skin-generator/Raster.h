#pragma once
// The skin generator's small raster kit: a floating-point RGBA canvas that
// shapes are painted onto through signed distance functions (anti-aliased by
// the distance at each pixel centre), colour helpers, and the 24-bit BMP
// encoder. Only the generator uses it; the product reads the BMP files.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skingen {

struct TRgb {
    float R = 0, G = 0, B = 0;
};

// 0xRRGGBB, the way colours are written in the drawing code.
TRgb Hex(uint32_t rgb);
TRgb Mix(TRgb a, TRgb b, float t);
TRgb Lighten(TRgb c, float amount); // towards white
TRgb Darken(TRgb c, float amount);  // towards black

// The colour key for transparent pixels in skin bitmaps.
inline constexpr uint32_t KeyColour = 0xFF00FF;

// A colour ramp over [0, 1]; stops are (position, colour) in rising order.
class TRamp {
public:
    TRamp(std::initializer_list<std::pair<float, TRgb>> stops) : FStops(stops) {}
    TRgb At(float t) const;

private:
    std::vector<std::pair<float, TRgb>> FStops;
};

// Signed distance (pixels; negative inside) of a point.
using TShape = std::function<float(float x, float y)>;
// Colour at a point.
using TShader = std::function<TRgb(float x, float y)>;

TShape RoundRect(float x0, float y0, float x1, float y1, float radius);
TShape Circle(float cx, float cy, float radius);
TShape Ellipse(float cx, float cy, float rx, float ry);
// A line of half width `halfWidth` with round caps.
TShape Segment(float ax, float ay, float bx, float by, float halfWidth);
TShape Polyline(std::vector<std::pair<float, float>> points, float halfWidth);
TShape Polygon(std::vector<std::pair<float, float>> points);
// An arc of a circle from angle a0 to a1 (radians, y down, clockwise rising).
TShape Arc(float cx, float cy, float radius, float a0, float a1, float halfWidth);
TShape Union(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
TShape Subtract(TShape a, TShape b);
// The shape grown (negative k) or shrunk (positive k) by k pixels.
TShape Inset(TShape shape, float k);
// The band of width `width` just inside the outline of a shape.
TShape InnerBand(TShape shape, float width);

TShader Solid(TRgb colour);
// Ramps along y from y0 to y1 (clamped), or along x.
TShader VerticalRamp(const TRamp& ramp, float y0, float y1);
TShader HorizontalRamp(const TRamp& ramp, float x0, float x1);
// Colours given for pixel rows, interpolated between the rows named.
TShader Rows(std::vector<std::pair<int, TRgb>> rows);

class TCanvas {
public:
    TCanvas(int width, int height);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Composites `shader` over the canvas where `shape` covers it.
    void Paint(const TShape& shape, const TShader& shader, float opacity = 1.0f);
    // As Paint, with an opacity that varies over the canvas.
    void PaintFaded(const TShape& shape, const TShader& shader,
                    const std::function<float(float, float)>& opacity);
    void Fill(const TShader& shader, float opacity = 1.0f);
    void FillRect(int x0, int y0, int x1, int y1, TRgb colour, float opacity = 1.0f);
    void SetPixel(int x, int y, TRgb colour, float opacity = 1.0f);
    // Composites another canvas at (dx, dy).
    void Draw(const TCanvas& source, int dx, int dy);

    TRgb Colour(int x, int y) const; // straight colour (black where empty)
    float Alpha(int x, int y) const;

    // Flattens to 0xRRGGBB pixels, row by row from the top. With `keyed`,
    // pixels less than half covered become fuchsia and the rest are blended
    // over `matte` (the background the picture is expected to sit on, so its
    // anti-aliased edges do not fringe); without, everything is blended over
    // `matte`. Painted colours that happen to equal the key are nudged off it.
    std::vector<uint32_t> Flatten(TRgb matte, bool keyed) const;

private:
    int FWidth, FHeight;
    std::vector<float> FPixels; // premultiplied R, G, B, A per pixel
};

// A 24-bit, bottom-up, uncompressed BMP file's bytes.
std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb);

} // namespace skingen
