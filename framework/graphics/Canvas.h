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

private:
    struct TState {
        TPoint Origin;
        TRect Clip; // device coordinates, within the target
        TPoint PenPos;
    };

    TRect TargetBounds() const;
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
};
