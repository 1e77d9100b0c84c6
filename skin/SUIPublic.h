#pragma once
// Drawing routines the skinned controls share: cutting one state picture out
// of a strip, drawing a skin face at any size with its corners kept 1:1,
// tiling, rotation, and the style hand-down by property name. None of them
// keeps state from one call to the next (DrawParentBackground remembers, only
// while it runs, which controls it is drawing for).
//
// Fuchsia (clFuchsia, 0x00FF00FF) is the key colour of the skin bitmaps:
// these routines leave it out where a picture is meant to be see-through.

#include "framework/graphics/Types.h"
#include "skin/SUIColor.h"
#include "skin/SUIThemes.h"

#include <string>

class TBitmap;
class TCanvas;
class TComponent;
class TControl;
class TCustomForm;
class TPicture;
class TWinControl;
class TsuiFileTheme;

// Copies frame `frameIndex` (1-based) of a strip of `frameCount` frames laid
// side by side into `dest`, which takes the frame's size: width = strip width
// div frameCount, the strip's full height. Columns beyond frameCount frames
// are never shown. A frame count below 1 or an index outside 1..frameCount
// names no frame: `dest` becomes empty. `source` and `dest` may be the same
// bitmap.
void CutFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex);

// Draws a skin face (a push button's) at any size: the source is split at
// its middle, the four corners are copied 1:1 and cut down when the
// destination is too small, the edges and the centre are thin middle strips
// stretched over the space between the corners. The right and bottom corners
// are one pixel smaller than the left and top ones, the right edge takes the
// row below the left edge's, and the bottom edge overlaps the centre and the
// left corners by one pixel: the faces are drawn for exactly this.
// `dest` starts at the canvas origin: callers pass (0, 0)-(width, height).
// Corners are opaque unless `transparentCorners`; edges and centre always
// leave out fuchsia. A source of even height has no middle row for the left
// edge and the centre; the row just below the middle stands in for it.
void DrawNineSlice(const TBitmap& source, TCanvas& canvas, const TRect& dest,
                   bool transparentCorners);

// Draws the picture again and again from the canvas origin, far enough to
// cover `rect`'s width and height (the canvas clips the rest). A picture
// without width or height draws nothing.
void TilePicture(TCanvas& canvas, const TPicture& picture, const TRect& rect);

// Turn a bitmap 90 degrees in place: anticlockwise (pixel (x, y) of a W x H
// bitmap goes to (y, W - 1 - x)) and clockwise ((x, y) to (H - 1 - y, x)).
// Pixel by pixel: meant for the small skin bitmaps.
void RotateBitmapLeft(TBitmap& bitmap);
void RotateBitmapRight(TBitmap& bitmap);

// Unlike PtInRect, all four edges count as inside: Left <= X <= Right and
// Top <= Y <= Bottom.
bool PointInRect(const TPoint& point, const TRect& rect);

// Whether the component's class publishes a property of that name (false for
// none).
bool HasProperty(TComponent* component, const std::string& name);

// Makes a control look see-through: its parent paints its background and
// its own client area (and its windowless children) into `canvas`, moved so
// that the parent's pixels land under the control and clipped to the
// parent's client area, through WM_ERASEBKGND and WM_PAINT sent at once. A
// control without a parent draws nothing; a parent whose painting asks for
// the same control's background again is not asked twice.
void DrawParentBackground(TCanvas& canvas, TControl* control);

// A one-pixel frame in `borderColor` around the control's whole window
// rectangle (frame included) and, with `drawInner`, a second one in
// `innerColor` just inside it, drawn on the window itself rather than the
// client canvas. System colours are resolved first.
void DrawControlBorder(TWinControl* control, TColor borderColor, TColor innerColor, bool drawInner);
// The same frame on a canvas already set on the window (its origin at the
// window's top-left corner), `window` being the window rectangle there: what
// a control draws with its non-client parts.
void DrawControlBorder(TCanvas& canvas, const TRect& window, TColor borderColor, TColor innerColor,
                       bool drawInner);

// The primary display's work area (the screen less docked bars), whatever
// display the form is on.
TRect GetScreenWorkArea();

// Left, Top, Width and Height from `rect`, set one by one in that order.
void SetFormBounds(TCustomForm* form, const TRect& rect);

// Whether the form's caption is drawn as active: the form's own flag, except
// that the main form counts as active while the program has the keyboard
// (always, for an MDI frame), an inactive program's forms never do, and an
// MDI frame's child is active when the frame reports it as its active child.
bool IsFormActive(TCustomForm* form);

// Passes a style on to every direct child control of `container` that
// publishes both FileTheme and UIStyle: FileTheme first, then UIStyle, by
// property name so that each child's setters refresh its look. Other
// children, and grandchildren, are left alone.
void ApplyStyleToChildren(TWinControl* container, TsuiUIStyle style, TsuiFileTheme* fileTheme);
