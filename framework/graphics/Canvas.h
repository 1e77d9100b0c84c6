#pragma once
// A drawing surface over a TBitmap: an off-screen bitmap, a skin picture or
// (in the window layer) a window's back buffer. It keeps a pen, a brush and
// a font, a pen position, a viewport origin (the device position of logical
// (0, 0)) and a clip rectangle; origin and clip can be saved and restored as
// a stack, the way the platform's SaveDC and RestoreDC do.
//
// Coordinates follow the platform: rectangles are half-open (right column
// and bottom row outside); lines leave out their end point; a rectangle
// drawn with the pen covers Left..Right-1 and Top..Bottom-1. Every
// operation clips against the clip rectangle and the target first.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Types.h"

class TBitmap;
class TGraphic;

// ---- Shapes, raster operations and aligned text (metafile playback) ----

// A point with sub-pixel precision, for contours given in device terms.
struct TPointF {
    double X = 0;
    double Y = 0;
};

// A linear map of a font's pixels (x along the baseline, y down) onto the
// canvas: (x, y) goes to (XX * x + XY * y, YX * x + YY * y). The identity
// draws text as it stands; a rotation turns it, a shear slants it.
struct TGlyphMatrix {
    double XX = 1, XY = 0, YX = 0, YY = 1;
    friend bool operator==(const TGlyphMatrix&, const TGlyphMatrix&) = default;
};

// The points Origin + s * U + t * V for s and t in [0, 1): a rectangle
// turned, slanted or stretched with what it holds. A pixel belongs to it
// when its centre does.
struct TParallelogram {
    TPointF Origin, U, V;
};

// A run of text along any direction (see TCanvas::GlyphRun).
struct TGlyphRun {
    // The pen's first point on the baseline, in logical coordinates.
    TPointF Origin;
    // How each glyph is drawn: the font's pixels onto logical pixels.
    TGlyphMatrix Glyph;
    // The way the pen moves from one character to the next (a unit vector).
    TPointF Direction{1, 0};
    // How far the pen moves after each character, in logical pixels;
    // without them, the glyph's advance times the length of Glyph's image
    // of (1, 0).
    const std::vector<double>* Advances = nullptr;
    // Glyphs are cut to this besides the clip rectangle.
    const TParallelogram* Clip = nullptr;
};

// The platform's polygon fill modes: alternate (even-odd) and winding
// (non-zero).
enum class TFillMode { fmAlternate, fmWinding };

// Text alignment (the platform's TA_ values): one horizontal and one
// vertical choice, ORed.
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;
// ExtTextOut options.
constexpr uint32_t ETO_OPAQUE = 2;
constexpr uint32_t ETO_CLIPPED = 4;
// Common raster operations (ternary codes over pattern, source and
// destination, as the platform numbers them).
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGECOPY = 0x00C000CA;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATPAINT = 0x00FB0A09;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// Device coordinates beyond this distance from the origin are clamped by
// the shape operations, so that no arithmetic on them can overflow.
constexpr int32_t kMaxShapeCoordinate = 1 << 28;

class TCanvas {
public:
    explicit TCanvas(TBitmap* target = nullptr);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBitmap* Target() const { return FTarget; }
    // Draws into another bitmap from now on; origin and clip are reset and
    // the saved states dropped.
    void SetTarget(TBitmap* target);

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }

    // Viewport origin, in device (target) pixels.
    TPoint Origin() const { return FState.Origin; }
    void SetOrigin(const TPoint& origin) { FState.Origin = origin; }
    void MoveOrigin(int32_t dx, int32_t dy);

    // The clip rectangle in logical coordinates.
    TRect ClipRect() const;
    // Replaces the clip (logical coordinates; always within the target).
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    // Clip = the whole target.
    void ResetClip();

    // Pushes origin, clip and pen position; returns the new depth (1 for the
    // first save).
    int SaveState();
    // Pops back to depth `level` - 1 (the state saved by the SaveState that
    // returned `level`); -1 pops the last one. Unknown levels are ignored.
    void RestoreState(int level = -1);

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }

    TColor Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);

    // Brush operations: nothing happens with a clear brush.
    void FillRect(const TRect& rect);
    // A one-pixel frame inside the rectangle, in the brush colour.
    void FrameRect(const TRect& rect);
    // The platform's focus rectangle: the frame's pixels whose device x + y
    // is even are inverted. Drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect);

    // Pen operations.
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    void Polyline(const std::vector<TPoint>& points);
    // Outline with the pen, inside filled with the brush.
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Elliptical arc within the box (x1, y1)-(x2, y2), counterclockwise from
    // the radial through (x3, y3) to the radial through (x4, y4).
    void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
             int32_t y4);

    // Graphics: at their own size, or stretched into a rectangle.
    void Draw(int32_t x, int32_t y, const TGraphic& graphic);
    void StretchDraw(const TRect& rect, const TGraphic& graphic);
    // Copies (stretching, nearest neighbour) a rectangle of another canvas's
    // target. A rectangle with Right < Left or Bottom < Top is mirrored: it
    // covers columns Right+1..Left (rows likewise), as the platform lays out
    // negative extents, and the image is flipped when the source and
    // destination directions differ.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // The one blitter every bitmap copy goes through: `sourceRect` of
    // `source` into `dest` (same mirroring rules), pixels equal to `key`
    // left out unless `key` is clNone; with `alpha` (one byte per source
    // pixel) each pixel is blended over the target.
    void StretchBlt(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                    TColor key = clNone, const std::vector<uint8_t>* alpha = nullptr);

    // Text along any direction, turned or slanted: each character's glyph
    // through run.Glyph with its pen point at the pen, the pen starting at
    // run.Origin (rounded to a pixel) and moving along run.Direction.
    // Glyphs only, in the font's colour, with the font's underline and
    // strike-out; clipped to the clip rectangle and run.Clip. Returns how
    // far the pen moved.
    double GlyphRun(const TGlyphRun& run, const std::string& text);

    // Text in the font; the background box (text width x cell height) is
    // filled with the brush unless the brush is clear.
    int32_t TextWidth(const std::string& text);
    int32_t TextHeight(const std::string& text);
    void TextOut(int32_t x, int32_t y, const std::string& text);
    // Text at (x, y) clipped to `rect`; a solid brush fills the whole rect.
    void TextRect(const TRect& rect, int32_t x, int32_t y, const std::string& text);
    // Glyphs only (no background), clipped to `clip` when given, with
    // character `underlineIndex` underlined (-1: none). Used by DrawText.
    void TextRun(int32_t x, int32_t y, const std::string& text, const TRect* clip,
                 int underlineIndex = -1);

    // Tests and benchmarks switch off the fast paths to compare them with
    // the general per-pixel path.
    static void SetFastPaths(bool enabled);

    // ---- Shapes, raster operations and aligned text (metafile playback) ----
    // These follow the platform's GDI: closed shapes are filled with the
    // brush (solid, hatched or pattern) and outlined with the pen; a pen
    // wider than one pixel is a geometric pen centred on the outline, with
    // its end caps and joins (psInsideFrame keeps it inside the box of
    // rectangles, ellipses, pies and chords); dashed styles apply to
    // one-pixel pens. Work is limited to the clip: a shape far larger than
    // the target costs no more than one that covers it.

    // A polygon through the points, closed back to the first: the outline
    // passes through every vertex, the fill covers the pixels whose centres
    // lie inside (by `mode`). Fewer than two points draw nothing.
    void Polygon(const std::vector<TPoint>& points, TFillMode mode = TFillMode::fmAlternate);
    // Several polygons filled as one shape (holes by `mode`), each outlined.
    void PolyPolygon(const std::vector<std::vector<TPoint>>& polygons,
                     TFillMode mode = TFillMode::fmAlternate);
    // Open poly-lines stroked with the pen (end points left out for one-pixel
    // pens, as LineTo does); the pen position neither used nor moved.
    void PolyPolyline(const std::vector<std::vector<TPoint>>& lines);
    // The ellipse within the box (x1, y1)-(x2, y2): its outline is the same
    // curve Arc draws, covering Left..Right-1 and Top..Bottom-1.
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // A rectangle with corners rounded by quarters of an ellipse of
    // `ellipseWidth` x `ellipseHeight` (clamped to the box).
    void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ellipseWidth,
                   int32_t ellipseHeight);
    // Arc as Arc does, closed by two radii to the centre (Pie) or by the
    // chord between its ends (Chord), and filled.
    void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
             int32_t y4);
    void Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
               int32_t y4);
    // Contours with sub-pixel precision in logical coordinates (curves and
    // paths flattened by the caller): filled with the brush, stroked with
    // the pen (one-pixel pens along the rounded vertices).
    void FillContours(const std::vector<std::vector<TPointF>>& contours, TFillMode mode);
    void StrokeContours(const std::vector<std::vector<TPointF>>& contours, bool closed);

    // Raster operations: every pixel of `rect` becomes rop(pattern, dest),
    // the pattern being the brush (a clear brush paints nothing where the
    // operation reads the pattern).
    void PatBlt(const TRect& rect, uint32_t rop);
    // StretchBlt with a raster operation over brush, source and destination
    // (same sampling and mirroring); SRCCOPY is StretchBlt itself.
    void StretchBltRop(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                       uint32_t rop);

    // Alignment of ExtTextOut's reference point (TA_ flags).
    uint32_t TextAlign() const { return FTextAlign; }
    void SetTextAlign(uint32_t value) { FTextAlign = value; }
    // Text at the reference point (x, y) aligned by TextAlign, character i
    // advancing by dx[i] when `dx` is given. A brush that is not clear
    // fills `rect` with ETO_OPAQUE, else the text's box; ETO_CLIPPED clips
    // the glyphs to `rect`. Returns the advance width.
    int32_t ExtTextOut(int32_t x, int32_t y, uint32_t options, const TRect* rect,
                       const std::string& text, const std::vector<int32_t>* dx = nullptr);

private:
    struct TState {
        TPoint Origin;
        TRect Clip; // device coordinates, within the target
        TPoint PenPos;
    };

    TRect TargetBounds() const;

    // One axis of a rectangle the platform's way: start s with extent e < 0
    // covers s+e+1 .. s, and counts as reversed.
    static void Axis(int32_t start, int32_t end, int64_t& lo, int64_t& len, bool& reversed);

    // A stretched copy of `sourceRect` into `dest`: the destination's device
    // pixels inside the clip (Area), and for each the source pixel its
    // centre falls on, mirrored where the two rectangles run opposite ways.
    struct TStretchMap {
        int64_t DX, DW, DY, DH, SX, SW, SY, SH;
        bool MirrorX, MirrorY;
        TRect Area;
        int64_t SourceX(int32_t x) const {
            const int64_t i = MirrorX ? DX + DW - 1 - x : x - DX;
            return SX + ((2 * i + 1) * SW) / (2 * DW);
        }
        int64_t SourceY(int32_t y) const {
            const int64_t j = MirrorY ? DY + DH - 1 - y : y - DY;
            return SY + ((2 * j + 1) * SH) / (2 * DH);
        }
    };
    // False when the copy draws nothing (an empty rectangle, or nothing of
    // the destination inside the clip).
    bool MapStretch(const TRect& dest, const TRect& sourceRect, TStretchMap& map) const;

    // ---- Shape helpers (CanvasShapes.cpp) ----
    TRect DeviceClip() const;
    void FillBrushDevice(const TRect& deviceRect);
    void FillSpansDevice(const std::vector<std::vector<TPointF>>& contours, TFillMode mode,
                         bool withBrush, TColor rgb);
    void ThinLineDevice(TPoint from, TPoint to, TColor rgb, uint32_t& phase);
    void StrokeDevice(const std::vector<std::vector<TPointF>>& contours, bool closed);
    void OutlineDevice(const std::vector<TPoint>& pixels);
    // One pixel of a shape in `rgb`, mixed with the pixel under it by the
    // pen's mode.
    void PutDevice(uint32_t* row, int32_t x, uint32_t rgb) const;
    // Pixels of `mask` (width x height coverage bytes) placed at device
    // (left, top), inside the clip and `within` (device coordinates).
    void MaskDevice(const uint8_t* mask, int32_t left, int32_t top, int32_t width, int32_t height,
                    TColor rgb, const TParallelogram* within);
    void BoxShape(int kind, TRect box, const TPoint* radials, int32_t ew, int32_t eh);

    TRect ToDevice(const TRect& r) const { return OffsetRect(r, FState.Origin.X, FState.Origin.Y); }
    void FillDevice(const TRect& deviceRect, TColor rgb);
    void PlotPen(int32_t x, int32_t y, TColor rgb); // logical
    void PenLine(TPoint from, TPoint to, TColor rgb);

    TBitmap* FTarget = nullptr;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TState FState;
    TPoint& FPenPos = FState.PenPos;
    std::vector<TState> FSaved;
    uint32_t FDotPhase = 0;
    uint32_t FTextAlign = TA_LEFT | TA_TOP;
};
