#pragma once
// The device context metafile records address, drawing onto a TCanvas:
// GDI's mapping of logical units to the canvas (window, viewport, map mode,
// world transform), the object table and its pens, brushes, fonts and
// regions, the selected objects, saved states, clipping, paths, and the
// drawing operations, which end in the canvas's shape operations. Each
// drawing is charged to a work budget first, so that no file can make a
// paint endless. Both players drive it; it knows no record format.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/MetafileGeometry.h"
#include "framework/graphics/metafile/MetafileObjects.h"

class TBitmap;
struct TMetafileInfo;

// Decoded bitmaps of DIB records, kept between paints (by the DIB's offset).
struct TMetafileCache {
    std::map<size_t, std::shared_ptr<const TBitmap>> Bitmaps;
    int64_t Pixels = 0;
};

// GDI's constants as metafile records carry them.
namespace mf {
constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
              MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int ALTERNATE = 1, WINDING = 2;
constexpr int AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2;
constexpr uint32_t TA_UPDATECP = 1;
constexpr int R2_COPYPEN = 13;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
constexpr uint32_t LAYOUT_RTL = 1, LAYOUT_BITMAPORIENTATIONPRESERVED = 8;
} // namespace mf

class TMetafileDC {
public:
    // Work the records of one paint may cost, in units of about one pixel
    // written or one edge crossing visited (estimated per drawing from
    // its visible bounds, points and pen). Beyond it the remaining records
    // are skipped.
    static constexpr int64_t kWorkBudget = int64_t(1) << 28;
    // Deepest SaveDC kept; deeper saves are counted and restore nothing.
    static constexpr size_t kMaxSavedStates = 256;
    // Points a path may hold.
    static constexpr size_t kMaxPathPoints = size_t(1) << 20;
    // Different fonts (face, height, style) one paint may draw with, and
    // the largest font height in pixels.
    static constexpr size_t kMaxFonts = 32;
    static constexpr int32_t kMaxFontPixels = 512;
    // Points one record may draw (more are skipped; curves are flattened
    // to at most this many), and characters one text record draws.
    static constexpr size_t kMaxRecordPoints = size_t(1) << 16;
    static constexpr size_t kMaxTextChars = 8192;

    TMetafileDC(TCanvas& canvas, const TRect& rect, uint32_t objects, TMetafileCache& cache);
    ~TMetafileDC();
    TMetafileDC(const TMetafileDC&) = delete;
    TMetafileDC& operator=(const TMetafileDC&) = delete;

    // WMF: the window maps onto the whole rectangle; the viewport is the
    // player's, so the records' viewport settings are ignored.
    void SetupWmf(double left, double top, double width, double height);
    // EMF: reference-device pixels map onto the rectangle so that the frame
    // fills it.
    void SetupEmf(const TMetafileInfo& info);
    bool Exhausted() const { return FWork <= 0; }
    TMetafileCache& Cache() { return FCache; }

    // State.
    void SaveDC();
    void RestoreDC(int32_t which);
    void SetMapMode(int mode);
    void SetWindowOrg(double x, double y);
    void SetWindowExt(double x, double y);
    void SetViewportOrg(double x, double y);
    void SetViewportExt(double x, double y);
    void OffsetWindowOrg(double dx, double dy);
    void OffsetViewportOrg(double dx, double dy);
    void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void SetWorldTransform(const TXform& xf);
    void ModifyWorldTransform(const TXform& xf, uint32_t mode);
    void SetBkColor(TColor c) { FState.BkColor = c; }
    void SetBkMode(int mode);
    void SetTextColor(TColor c) { FState.TextColor = c; }
    void SetTextAlign(uint32_t align) { FState.TextAlign = align; }
    void SetPolyFillMode(int mode);
    void SetArcDirection(int dir);
    // How pens and brushes mix with what lies under them (R2_ numbers).
    void SetRop2(int mode);
    // How shrunk bitmaps lose their rows and columns: BLACKONWHITE ANDs
    // and WHITEONBLACK ORs the pixels that fall together, HALFTONE
    // averages them, COLORONCOLOR keeps one (as before any record sets a
    // mode).
    void SetStretchMode(int mode);
    void SetMiterLimit(double limit);
    // Where hatches and patterns start, in canvas pixels.
    void SetBrushOrg(int32_t x, int32_t y);
    // LAYOUT_RTL mirrors the picture within its rectangle; with
    // LAYOUT_BITMAPORIENTATIONPRESERVED bitmaps keep their own orientation.
    void SetLayout(uint32_t layout);
    // The clip so far becomes a limit that later clipping cannot widen
    // (the platform's meta region), and the clip is reset within it.
    void SetMetaRegion();
    const TMfFont& Font() const { return FState.Font; }
    TColor TextColor() const { return FState.TextColor; }
    TColor BkColor() const { return FState.BkColor; }
    // A COLORREF as drawn: palette indices through the selected palette
    // (the default palette's 20 colours until one is selected; an index
    // beyond it is its first colour).
    TColor Color(uint32_t ref) const;

    // Objects: WMF puts a new object in the lowest free slot, EMF names it.
    void AddObject(TMfObject object);
    void SetObject(uint32_t index, TMfObject object);
    void DeleteObject(uint32_t index);
    void SelectObject(uint32_t index);
    void SelectStockObject(uint32_t stock);
    const TMfObject* Object(uint32_t index) const;
    // The entries of the palette in a slot (nullptr when it holds none),
    // and of the one selected (nullptr for the default palette); changing
    // them changes the palette wherever it is selected.
    std::vector<TColor>* PaletteAt(uint32_t index);
    std::vector<TColor>* SelectedPalette() { return FState.Palette.get(); }
    // Palettes selected by their slot, or the default palette.
    void SelectPalette(uint32_t index);
    void SelectDefaultPalette();

    // Clipping: logical rectangles, or bounds in reference-device pixels
    // (EMF regions); nullptr resets.
    void IntersectClipRect(double l, double t, double r, double b);
    void ExcludeClipRect(double l, double t, double r, double b);
    void OffsetClip(double dx, double dy);
    void SetDeviceClip(const TRect* bounds, bool intersect);
    void SelectClipRegion(const TMfRegion& region);

    // Drawing, in logical units.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Polyline(const std::vector<TPointF>& points);
    void PolylineTo(const std::vector<TPointF>& points);
    void PolyBezier(const std::vector<TPointF>& points);
    void PolyBezierTo(const std::vector<TPointF>& points);
    void PolyPolyline(const std::vector<std::vector<TPointF>>& lines);
    void PolyPolygon(const std::vector<std::vector<TPointF>>& polygons);
    void Rectangle(double l, double t, double r, double b);
    void RoundRect(double l, double t, double r, double b, double w, double h);
    void Ellipse(double l, double t, double r, double b);
    enum class TArcKind { Arc, ArcTo, Pie, Chord };
    void ArcShape(TArcKind kind, double l, double t, double r, double b, TPointF from, TPointF to);
    void SetPixel(double x, double y, TColor color);
    // Text at (x, y) (the current position with TA_UPDATECP), `dx` giving
    // each byte's advance in logical units. The font's escapement turns the
    // baseline counterclockwise by an angle taken in logical units as if
    // their y axis ran down, as the platform takes it: where the mapping
    // turns the y axis up, a label at 270 degrees runs up. In the
    // compatible graphics mode (every WMF, and EMF text records that say
    // so) the orientation is ignored and the glyphs stand on that baseline
    // unmirrored, at the font's height as the mapping scales it. In the
    // advanced mode the glyphs are turned by the orientation and drawn
    // through the whole mapping, world transform included (which may
    // stretch, slant or mirror them), upright where only the page turns
    // the y axis up. Alignment and the background box are taken in the
    // text's own frame; without an escapement or a transform that turns
    // text it is the canvas's upright ExtTextOut.
    void Text(double x, double y, const std::string& text, uint32_t options, const double* rect,
              const std::vector<double>* dx, bool advanced = false);
    void PatBlt(double x, double y, double w, double h, uint32_t rop);
    // The source rectangle of `bitmap` into the logical rectangle (x, y,
    // w, h); negative extents mirror.
    void DrawBitmap(double x, double y, double w, double h, const TBitmap& bitmap, int32_t sx,
                    int32_t sy, int32_t sw, int32_t sh, uint32_t rop, TColor key = clNone);
    // Fills region rectangles with a brush (nullptr: the current one).
    void FillRegion(const TMfRegion& region, const TMfBrush* brush, bool deviceUnits);

    // A DIB record's bitmap, decoded once per metafile (keyed by the DIB's
    // offset in the file) and kept while the cache has room; nullptr when
    // the DIB is damaged or the work budget is spent. The info header and
    // palette are `bmiSize` bytes at `bmiOffset`; the pixels follow them
    // (bitsSize 0) or lie elsewhere. With `paletteIndices` the colour
    // table holds 16-bit indices into the selected palette (DIB_PAL_COLORS).
    std::shared_ptr<const TBitmap> Dib(const uint8_t* file, size_t bmiOffset, size_t bmiSize,
                                       size_t bitsOffset, size_t bitsSize,
                                       bool paletteIndices = false);

    // Paths.
    void BeginPath();
    void EndPath() { FPathOpen = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();

private:
    struct TState {
        TMfPen Pen;
        TMfBrush Brush;
        TMfFont Font;
        TColor TextColor = clBlack, BkColor = clWhite;
        int BkMode = mf::OPAQUE;
        uint32_t TextAlign = 0;
        int PolyFillMode = mf::ALTERNATE;
        int ArcDirection = mf::AD_COUNTERCLOCKWISE;
        int MapMode = mf::MM_TEXT;
        int Rop2 = mf::R2_COPYPEN;
        int StretchMode = mf::COLORONCOLOR;
        double MiterLimit = kDefaultMiterLimit;
        TPoint BrushOrg;
        uint32_t Layout = 0;
        // The selected palette's entries; none for the default palette.
        std::shared_ptr<std::vector<TColor>> Palette;
        bool HasMeta = false;
        TRect Meta; // canvas coordinates
        double WinOrgX = 0, WinOrgY = 0, WinExtX = 1, WinExtY = 1;
        double VpOrgX = 0, VpOrgY = 0, VpExtX = 1, VpExtY = 1;
        TXform World;
        bool HasClip = false;
        TRect Clip;       // canvas coordinates
        TPointF Position; // logical
    };
    // How text lies on the canvas (see Text).
    struct TTextFrame {
        bool Turned = false; // false: upright text, the canvas's ExtTextOut
        TGlyphMatrix Glyph;  // font pixels onto canvas pixels
        TPointF Direction{1, 0};
        double PixelsPerUnit = 1; // canvas pixels per logical unit of advance
        double FontPixels = 0;    // the font's height on the canvas (signed)
    };
    struct TFigure {
        std::vector<TPointF> Points; // canvas coordinates
        bool Closed = false;
    };

    const TXform& Transform();
    // Window and viewport alone (no world transform, no device mapping).
    TXform PageTransform() const;
    // Reference-device pixels to canvas coordinates, mirrored by the layout.
    TXform DeviceTransform() const;
    void Invalidate() { FTransformValid = false; }
    TPointF Out(double x, double y) { return Transform().Apply(x, y); }
    TPoint OutRounded(double x, double y);
    bool AxisAligned() { return Transform().M12 == 0 && Transform().M21 == 0; }
    bool CounterClockwise() const { return FState.ArcDirection == mf::AD_COUNTERCLOCKWISE; }
    TRect OutRect(double l, double t, double r, double b);
    void ApplyClip();
    TRect CurrentClip() const;
    bool Charge(const TRect& bounds, size_t points);
    bool ChargePoints(const std::vector<TPointF>& points, bool fill, bool stroke);
    bool ChargeBox(const TRect& box);
    void RealizePen();
    void RealizeBrush();
    TTextFrame TextFrame(bool advanced);
    bool RealizeFont(double pixels);
    void TurnedText(TPointF ref, const std::string& text, uint32_t options, const double* rect,
                    const std::vector<double>* dx, const TTextFrame& frame);
    // Draws with the current brush, first its background where a hatched
    // brush meets an opaque background mode.
    template <class F> void WithBrush(F draw);
    // Figures of a path, or drawn at once.
    bool InPath() const { return FPathOpen; }
    void AddFigure(std::vector<TPointF> points, bool closed);
    void ExtendFigure(const std::vector<TPointF>& points);
    void FillContours(std::vector<std::vector<TPointF>> contours, bool stroke, bool closedStroke);

    TCanvas& FCanvas;
    TMetafileCache& FCache;
    TRect FRect;
    TRect FBaseClip;
    bool FWmf = false;
    // Reference-device pixels to canvas coordinates (EMF), identity (WMF).
    TXform FDevice;
    double FPixelsPerMmX = 96 / 25.4, FPixelsPerMmY = 96 / 25.4;
    TState FState;
    std::vector<TState> FSaved;
    size_t FPhantomSaves = 0;
    TXform FTransform;
    bool FTransformValid = false;
    std::vector<std::unique_ptr<TMfObject>> FObjects;
    std::set<uint32_t> FFreeSlots;
    uint32_t FObjectLimit;
    int64_t FWork = kWorkBudget;
    bool FPathOpen = false;
    std::vector<TFigure> FPath;
    size_t FPathPoints = 0;
    std::set<std::tuple<std::string, int32_t, TFontStyles>> FFontsUsed;
    // The canvas as the caller left it.
    int FSavedCanvasState;
    TPen FSavedPen;
    TBrush FSavedBrush;
    TFont FSavedFont;
    uint32_t FSavedTextAlign;
};

// Whether the DIB whose info header starts at `bmi` stores its rows
// bottom-up (the platform's default).
bool DibBottomUp(const uint8_t* bmi, size_t size);
