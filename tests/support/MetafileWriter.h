#pragma once
// A small writer of Windows metafiles (WMF, placeable WMF) and enhanced
// metafiles (EMF), record by record, for the tests, the fuzz seeds and the
// benchmark: independent of the player it feeds. Coordinates are logical
// units; colours are TColor (0x00BBGGRR) values.

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "support/GraphicsTestSupport.h"

namespace gfxtest {

// The platform's numbers the writers' callers need.
namespace gdi {
constexpr uint16_t PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5, PS_INSIDEFRAME = 6;
constexpr uint32_t PS_GEOMETRIC = 0x10000, PS_ENDCAP_FLAT = 0x200, PS_JOIN_MITER = 0x2000;
constexpr uint16_t BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
constexpr uint16_t HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_CROSS = 4, HS_DIAGCROSS = 5;
constexpr uint16_t MM_TEXT = 1, MM_LOMETRIC = 2, MM_ANISOTROPIC = 8;
constexpr uint16_t TRANSPARENT = 1, OPAQUE = 2;
constexpr uint16_t ALTERNATE = 1, WINDING = 2;
constexpr uint32_t WHITE_BRUSH = 0x80000000, BLACK_BRUSH = 0x80000004, NULL_BRUSH = 0x80000005,
                   BLACK_PEN = 0x80000007, NULL_PEN = 0x80000008;
} // namespace gdi

class TWmfWriter {
public:
    // Any record: function and parameter words.
    void Record(uint16_t function, const std::vector<uint16_t>& words);
    void Raw(const std::vector<uint8_t>& bytes) { FRecords.Raw(bytes); }

    void SetWindowOrg(int16_t x, int16_t y) { Record(0x020B, {W(y), W(x)}); }
    void SetWindowExt(int16_t x, int16_t y) { Record(0x020C, {W(y), W(x)}); }
    void SetMapMode(uint16_t mode) { Record(0x0103, {mode}); }
    void SetBkMode(uint16_t mode) { Record(0x0102, {mode}); }
    void SetBkColor(TColor c) { Record(0x0201, {uint16_t(c), uint16_t(c >> 16)}); }
    void SetTextColor(TColor c) { Record(0x0209, {uint16_t(c), uint16_t(c >> 16)}); }
    void SetTextAlign(uint16_t align) { Record(0x012E, {align, 0}); }
    void SetPolyFillMode(uint16_t mode) { Record(0x0106, {mode}); }
    void ScaleWindowExt(int16_t xNum, int16_t xDenom, int16_t yNum, int16_t yDenom) {
        Record(0x0410, {W(yDenom), W(yNum), W(xDenom), W(xNum)});
    }
    void SaveDC() { Record(0x001E, {}); }
    void RestoreDC(int16_t which) { Record(0x0127, {W(which)}); }
    void CreatePen(uint16_t style, int16_t width, TColor c);
    void CreateBrush(uint16_t style, TColor c, uint16_t hatch = 0);
    // The orientation is the escapement's unless given.
    void CreateFont(int16_t height, uint16_t weight, bool italic, const std::string& face,
                    int16_t escapement = 0, int16_t orientation = INT16_MIN);
    // A pattern brush of a DIB (a "BM" file's bytes after its file header).
    void CreatePatternBrush(const std::vector<uint8_t>& dib);
    // A region of rectangles (one scan each).
    void CreateRegion(const std::vector<TRect>& rects);
    void SelectObject(uint16_t index) { Record(0x012D, {index}); }
    void DeleteObject(uint16_t index) { Record(0x01F0, {index}); }
    void SelectClipRegion(uint16_t index) { Record(0x012C, {index}); }
    void FillRegion(uint16_t region, uint16_t brush) { Record(0x0228, {region, brush}); }
    void IntersectClipRect(int16_t l, int16_t t, int16_t r, int16_t b) {
        Record(0x0416, {W(b), W(r), W(t), W(l)});
    }
    void ExcludeClipRect(int16_t l, int16_t t, int16_t r, int16_t b) {
        Record(0x0415, {W(b), W(r), W(t), W(l)});
    }
    void MoveTo(int16_t x, int16_t y) { Record(0x0214, {W(y), W(x)}); }
    void LineTo(int16_t x, int16_t y) { Record(0x0213, {W(y), W(x)}); }
    void Rectangle(int16_t l, int16_t t, int16_t r, int16_t b) {
        Record(0x041B, {W(b), W(r), W(t), W(l)});
    }
    void Ellipse(int16_t l, int16_t t, int16_t r, int16_t b) {
        Record(0x0418, {W(b), W(r), W(t), W(l)});
    }
    void RoundRect(int16_t l, int16_t t, int16_t r, int16_t b, int16_t w, int16_t h) {
        Record(0x061C, {W(h), W(w), W(b), W(r), W(t), W(l)});
    }
    // Arc (0x0817), pie (0x081A) or chord (0x0830).
    void ArcRecord(uint16_t function, int16_t l, int16_t t, int16_t r, int16_t b, int16_t xs,
                   int16_t ys, int16_t xe, int16_t ye) {
        Record(function, {W(ye), W(xe), W(ys), W(xs), W(b), W(r), W(t), W(l)});
    }
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void PolyPolygon(const std::vector<std::vector<TPoint>>& polygons);
    void SetPixel(int16_t x, int16_t y, TColor c) {
        Record(0x041F, {uint16_t(c), uint16_t(c >> 16), W(y), W(x)});
    }
    void PatBlt(int16_t x, int16_t y, int16_t w, int16_t h, uint32_t rop) {
        Record(0x061D, {uint16_t(rop), uint16_t(rop >> 16), W(h), W(w), W(y), W(x)});
    }
    void TextOut(int16_t x, int16_t y, const std::string& text);
    void ExtTextOut(int16_t x, int16_t y, uint16_t options, const TRect* rect,
                    const std::string& text, const std::vector<int16_t>* dx = nullptr);
    // StretchDIBits of a whole DIB into (x, y, w, h).
    void StretchDib(int16_t x, int16_t y, int16_t w, int16_t h, const std::vector<uint8_t>& dib,
                    int32_t dibWidth, int32_t dibHeight, uint32_t rop);

    size_t RecordCount() const { return FCount; }
    // The file: header (with a placeable header in front when `placeable`,
    // box in logical units at `inch` units per inch), records, EOF record.
    std::vector<uint8_t> Finish(bool placeable = false, TRect box = {}, uint16_t inch = 96) const;

private:
    static uint16_t W(int16_t v) { return uint16_t(v); }
    TBytes FRecords;
    size_t FCount = 0;
    uint16_t FObjects = 0;
    uint32_t FMaxRecord = 3;
};

class TEmfWriter {
public:
    // Any record: type and the body after the type and size words (padded
    // to whole 32-bit words).
    void Record(uint32_t type, const std::vector<uint8_t>& body);
    void Record32(uint32_t type, const std::vector<int32_t>& values);

    void SetMapMode(uint32_t mode) { Record32(17, {int32_t(mode)}); }
    void SetWindowExt(int32_t x, int32_t y) { Record32(9, {x, y}); }
    void SetWindowOrg(int32_t x, int32_t y) { Record32(10, {x, y}); }
    void SetViewportExt(int32_t x, int32_t y) { Record32(11, {x, y}); }
    void SetViewportOrg(int32_t x, int32_t y) { Record32(12, {x, y}); }
    void SetBkMode(uint32_t mode) { Record32(18, {int32_t(mode)}); }
    void SetPolyFillMode(uint32_t mode) { Record32(19, {int32_t(mode)}); }
    void SetTextAlign(uint32_t align) { Record32(22, {int32_t(align)}); }
    void SetTextColor(TColor c) { Record32(24, {int32_t(c)}); }
    void SetBkColor(TColor c) { Record32(25, {int32_t(c)}); }
    void SaveDC() { Record32(33, {}); }
    void RestoreDC(int32_t which) { Record32(34, {which}); }
    void SetWorldTransform(float m11, float m12, float m21, float m22, float dx, float dy);
    void SelectObject(uint32_t index) { Record32(37, {int32_t(index)}); }
    void DeleteObject(uint32_t index) { Record32(40, {int32_t(index)}); }
    void CreatePen(uint32_t index, uint32_t style, int32_t width, TColor c) {
        Record32(38, {int32_t(index), int32_t(style), width, 0, int32_t(c)});
    }
    void ExtCreatePen(uint32_t index, uint32_t style, uint32_t width, TColor c);
    void CreateBrush(uint32_t index, uint32_t style, TColor c, uint32_t hatch = 0) {
        Record32(39, {int32_t(index), int32_t(style), int32_t(c), int32_t(hatch)});
    }
    // Escapement and orientation in tenths of a degree (the orientation
    // is the escapement's unless given).
    void CreateFont(uint32_t index, int32_t height, int32_t weight, bool italic,
                    const std::string& face, int32_t escapement = 0,
                    int32_t orientation = INT32_MIN);
    // The graphics mode text records carry from now on (1 compatible, 2
    // advanced).
    void SetTextGraphicsMode(uint32_t mode) { FGraphicsMode = mode; }
    void IntersectClipRect(int32_t l, int32_t t, int32_t r, int32_t b) {
        Record32(30, {l, t, r, b});
    }
    void MoveTo(int32_t x, int32_t y) { Record32(27, {x, y}); }
    void LineTo(int32_t x, int32_t y) { Record32(54, {x, y}); }
    void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) { Record32(43, {l, t, r, b}); }
    void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) { Record32(42, {l, t, r, b}); }
    void RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t w, int32_t h) {
        Record32(44, {l, t, r, b, w, h});
    }
    // Arc (45), chord (46) or pie (47).
    void ArcRecord(uint32_t type, int32_t l, int32_t t, int32_t r, int32_t b, int32_t xs,
                   int32_t ys, int32_t xe, int32_t ye) {
        Record32(type, {l, t, r, b, xs, ys, xe, ye});
    }
    // Polygon (3), polyline (4), bezier (2) with 32-bit points; add 83 for
    // the 16-bit forms (86, 87, 85).
    void Poly(uint32_t type, const std::vector<TPoint>& points);
    void PolyPolygon(const std::vector<std::vector<TPoint>>& polygons, bool small = false);
    void BeginPath() { Record32(59, {}); }
    void EndPath() { Record32(60, {}); }
    void CloseFigure() { Record32(61, {}); }
    void FillPath() { Record32(62, {0, 0, 0, 0}); }
    void StrokeAndFillPath() { Record32(63, {0, 0, 0, 0}); }
    // Text of Latin-1 bytes, or of UTF-16 units with an advance per unit.
    void ExtTextOutW(int32_t x, int32_t y, const std::string& text, uint32_t options = 0,
                     const TRect* rect = nullptr);
    void ExtTextOutW(int32_t x, int32_t y, const std::u16string& units, uint32_t options,
                     const TRect* rect, const std::vector<int32_t>& dx = {});
    // StretchDIBits of a whole DIB into (x, y, w, h).
    void StretchDibits(int32_t x, int32_t y, int32_t w, int32_t h, const std::vector<uint8_t>& dib,
                       int32_t dibWidth, int32_t dibHeight, uint32_t rop);

    size_t RecordCount() const { return FCount; }
    // The file: header (frame in 0.01 mm, bounds in device pixels, a
    // reference device of `devW` x `devH` pixels and `mmW` x `mmH` mm),
    // records, EOF record.
    std::vector<uint8_t> Finish(TRect frame, TRect bounds, int32_t devW = 1024, int32_t devH = 768,
                                int32_t mmW = 270, int32_t mmH = 203) const;

private:
    TBytes FRecords;
    size_t FCount = 0;
    uint32_t FHandles = 1;
    uint32_t FGraphicsMode = 1;
};

// The DIB part (info header, palette, pixels) of a "BM" file.
std::vector<uint8_t> DibOf(const std::vector<uint8_t>& bmpFile);

} // namespace gfxtest
