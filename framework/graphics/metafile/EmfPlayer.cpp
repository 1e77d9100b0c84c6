// Each record is read through a bounds-checked view of its bytes; offsets a
// record gives (strings, advances, DIBs) are checked against its own size,
// and counts against the bytes that hold them, before anything is read.
#include "framework/graphics/metafile/EmfPlayer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/base/Endian.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/metafile/MetafileDC.h"
#include "framework/graphics/metafile/MetafileFormat.h"
#include "platform/kernel32/CodePage.h"

namespace {

enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_OFFSETCLIPRGN = 26,
    EMR_MOVETOEX = 27,
    EMR_SETMETARGN = 28,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SCALEVIEWPORTEXTEX = 31,
    EMR_SCALEWINDOWEXTEX = 32,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_SELECTPALETTE = 48,
    EMR_CREATEPALETTE = 49,
    EMR_SETPALETTEENTRIES = 50,
    EMR_RESIZEPALETTE = 51,
    EMR_REALIZEPALETTE = 52,
    EMR_LINETO = 54,
    EMR_ARCTO = 55,
    EMR_SETARCDIRECTION = 57,
    EMR_SETMITERLIMIT = 58,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_SELECTCLIPPATH = 67,
    EMR_ABORTPATH = 68,
    EMR_GDICOMMENT = 70,
    EMR_FILLRGN = 71,
    EMR_PAINTRGN = 74,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
    EMR_SETICMMODE = 98,
    EMR_SETLAYOUT = 115,
    EMR_TRANSPARENTBLT = 116,
};

constexpr uint32_t kStockObject = 0x80000000;
constexpr uint32_t DEFAULT_PALETTE = 15;
constexpr uint32_t DIB_PAL_COLORS = 1;
constexpr uint32_t PS_GEOMETRIC = 0x00010000;
constexpr uint32_t BS_NULL = 1;
constexpr uint32_t RGN_AND = 1, RGN_COPY = 5;
constexpr uint32_t ETO_PDY = 0x2000;
constexpr uint32_t GM_ADVANCED = 2;

// One record: its bytes, the type and size words included.
class TRecord {
public:
    TRecord(const uint8_t* data, size_t size, size_t at) : FData(data), FSize(size), FAt(at) {}
    uint32_t Type() const { return LoadU32(FData); }
    size_t Size() const { return FSize; }
    size_t At() const { return FAt; }
    bool Has(size_t offset, size_t n) const { return offset <= FSize && n <= FSize - offset; }
    uint32_t U32(size_t o) const { return LoadU32(FData + o); }
    int32_t I32(size_t o) const { return LoadI32(FData + o); }
    int16_t I16(size_t o) const { return int16_t(LoadU16(FData + o)); }
    float F32(size_t o) const {
        const uint32_t bits = LoadU32(FData + o);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    const uint8_t* Bytes(size_t o) const { return FData + o; }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt; // offset in the file
};

// `count` points at `offset`, 32-bit or 16-bit coordinates.
bool ReadPoints(const TRecord& r, size_t offset, uint64_t count, bool small,
                std::vector<TPointF>& out) {
    const size_t each = small ? 4 : 8;
    if (count > TMetafileDC::kMaxRecordPoints || count > r.Size() / each ||
        !r.Has(offset, size_t(count) * each))
        return false;
    out.reserve(size_t(count));
    for (size_t i = 0; i < count; ++i) {
        const size_t o = offset + i * each;
        if (small)
            out.push_back({double(r.I16(o)), double(r.I16(o + 2))});
        else
            out.push_back({double(r.I32(o)), double(r.I32(o + 4))});
    }
    return true;
}

// Every record is played by a handler of this shape; the record's type is
// its first word.
using THandler = void (*)(const TRecord& r, const uint8_t* file, TMetafileDC& dc);

void PolyRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    const uint32_t type = r.Type();
    const bool small = type >= EMR_POLYBEZIER16;
    if (!r.Has(24, 4))
        return;
    std::vector<TPointF> points;
    if (!ReadPoints(r, 28, r.U32(24), small, points))
        return;
    switch (small ? type - EMR_POLYBEZIER16 + EMR_POLYBEZIER : type) {
    case EMR_POLYBEZIER:
        dc.PolyBezier(points);
        break;
    case EMR_POLYGON:
        dc.PolyPolygon({points});
        break;
    case EMR_POLYLINE:
        dc.Polyline(points);
        break;
    case EMR_POLYBEZIERTO:
        dc.PolyBezierTo(points);
        break;
    case EMR_POLYLINETO:
        dc.PolylineTo(points);
        break;
    default:
        break;
    }
}

void PolyPolyRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    const uint32_t type = r.Type();
    const bool small = type >= EMR_POLYPOLYLINE16;
    if (!r.Has(24, 8))
        return;
    const uint64_t polys = r.U32(24), total = r.U32(28);
    if (polys > r.Size() / 4 || !r.Has(32, size_t(polys) * 4))
        return;
    std::vector<TPointF> points;
    if (!ReadPoints(r, 32 + size_t(polys) * 4, total, small, points))
        return;
    std::vector<std::vector<TPointF>> groups;
    size_t next = 0;
    for (size_t i = 0; i < polys; ++i) {
        const uint64_t n = r.U32(32 + 4 * i);
        if (n > points.size() - next)
            return;
        groups.emplace_back(points.begin() + ptrdiff_t(next), points.begin() + ptrdiff_t(next + n));
        next += size_t(n);
    }
    if (type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16)
        dc.PolyPolygon(groups);
    else
        dc.PolyPolyline(groups);
}

// The bounds and rectangles of region data (an RGNDATA header of 32 bytes
// then the rectangles) at `offset`, `size` bytes; in reference pixels.
bool ReadRegion(const TRecord& r, size_t offset, size_t size, TMfRegion& region) {
    if (size < 32 || !r.Has(offset, size))
        return false;
    const uint64_t count = r.U32(offset + 8);
    region.Bounds =
        Rect(r.I32(offset + 16), r.I32(offset + 20), r.I32(offset + 24), r.I32(offset + 28));
    if (count > (size - 32) / 16)
        return true; // the bounds alone
    for (size_t i = 0; i < count; ++i) {
        const size_t o = offset + 32 + 16 * i;
        region.Rects.push_back(Rect(r.I32(o), r.I32(o + 4), r.I32(o + 8), r.I32(o + 12)));
    }
    return true;
}

// The DIB a record points at: its info header at offBmi (cbBmi bytes) and
// its pixels at offBits (cbBits bytes), both inside the record; a colour
// table of palette indices with `usage` DIB_PAL_COLORS.
std::shared_ptr<const TBitmap> RecordDib(const TRecord& r, const uint8_t* file, size_t fields,
                                         uint32_t usage, TMetafileDC& dc,
                                         bool* bottomUp = nullptr) {
    const uint32_t offBmi = r.U32(fields), cbBmi = r.U32(fields + 4);
    const uint32_t offBits = r.U32(fields + 8), cbBits = r.U32(fields + 12);
    if (cbBmi == 0 || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits))
        return nullptr;
    if (bottomUp)
        *bottomUp = DibBottomUp(r.Bytes(offBmi), cbBmi);
    const bool indices = usage == DIB_PAL_COLORS;
    if (cbBits == 0)
        return dc.Dib(file, r.At() + offBmi, cbBmi, 0, 0, indices);
    return dc.Dib(file, r.At() + offBmi, cbBmi, r.At() + offBits, cbBits, indices);
}

// The UTF-16 of EXTTEXTOUTW as system text, with its advances (one per
// UTF-16 unit) moved to the first byte of each character (the others 0), as
// the drawing takes one advance per byte. A lone surrogate is U+FFFD; in
// the Symbol font the units are its characters.
std::string Utf16Text(const TRecord& r, size_t offset, size_t count, std::vector<double>& dx,
                      bool symbol) {
    std::string out;
    std::vector<double> perByte;
    out.reserve(count);
    for (size_t i = 0; i < count;) {
        char32_t c = LoadU16(r.Bytes(offset + 2 * i));
        double advance = i < dx.size() ? dx[i] : 0;
        size_t units = 1;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
            const char32_t low = LoadU16(r.Bytes(offset + 2 * (i + 1)));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                advance += i + 1 < dx.size() ? dx[i + 1] : 0;
                units = 2;
            }
        }
        if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (symbol)
            c = SymbolUnit(c);
        const size_t before = out.size();
        AppendUtf8(out, c);
        perByte.push_back(advance);
        perByte.resize(perByte.size() + (out.size() - before - 1), 0.0);
        i += units;
    }
    if (!dx.empty())
        dx = std::move(perByte);
    return out;
}

void TextRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(36, 40))
        return;
    const size_t count = r.U32(44), offString = r.U32(48), offDx = r.U32(72);
    const uint32_t options = r.U32(52);
    const bool wide = r.Type() == EMR_EXTTEXTOUTW;
    if (count > r.Size() || !r.Has(offString, count * (wide ? 2 : 1)))
        return;
    std::vector<double> dx;
    const size_t step = (options & ETO_PDY) ? 8 : 4;
    if (offDx != 0 && r.Has(offDx, count * step))
        for (size_t i = 0; i < count; ++i)
            dx.push_back(r.I32(offDx + i * step));
    const bool symbol = IsSymbolFace(dc.Font().Face);
    std::string text = wide ? Utf16Text(r, offString, count, dx, symbol)
                            : std::string(reinterpret_cast<const char*>(r.Bytes(offString)), count);
    if (symbol && !wide)
        text = SymbolBytesToUtf8(text, dx);
    const double rect[4] = {double(r.I32(56)), double(r.I32(60)), double(r.I32(64)),
                            double(r.I32(68))};
    dc.Text(r.I32(36), r.I32(40), text, options, (options & 6) ? rect : nullptr,
            dx.empty() ? nullptr : &dx, r.U32(24) == GM_ADVANCED);
}

void BltRecord(const TRecord& r, const uint8_t* file, TMetafileDC& dc) {
    const uint32_t type = r.Type();
    const bool stretch = type != EMR_BITBLT;
    if (!r.Has(8, stretch ? 100 : 92))
        return;
    const int32_t x = r.I32(24), y = r.I32(28), w = r.I32(32), h = r.I32(36);
    const uint32_t rop = r.U32(40);
    const int32_t sx = r.I32(44), sy = r.I32(48);
    const int32_t sw = stretch ? r.I32(100) : w, sh = stretch ? r.I32(104) : h;
    if (r.U32(88) == 0) { // no source: the brush alone
        if (type != EMR_TRANSPARENTBLT)
            dc.PatBlt(x, y, w, h, rop);
        return;
    }
    const auto bitmap = RecordDib(r, file, 84, r.U32(80), dc);
    if (!bitmap)
        return;
    if (type == EMR_TRANSPARENTBLT)
        dc.DrawBitmap(x, y, w, h, *bitmap, sx, sy, sw, sh, 0, dc.Color(rop));
    else
        dc.DrawBitmap(x, y, w, h, *bitmap, sx, sy, sw, sh, rop);
}

void DibitsRecord(const TRecord& r, const uint8_t* file, TMetafileDC& dc) {
    const bool stretch = r.Type() == EMR_STRETCHDIBITS;
    if (!r.Has(8, stretch ? 72 : 68))
        return;
    bool bottomUp = true;
    const auto bitmap = RecordDib(r, file, 48, r.U32(64), dc, &bottomUp);
    if (!bitmap)
        return;
    const int32_t sx = r.I32(32), cx = r.I32(40), cy = r.I32(44);
    int64_t sy = r.I32(36);
    // The source origin of a bottom-up DIB is its bottom-left corner.
    if (bottomUp)
        sy = std::clamp<int64_t>(int64_t(bitmap->Height()) - sy - cy, INT32_MIN, INT32_MAX);
    const int32_t w = stretch ? r.I32(72) : cx, h = stretch ? r.I32(76) : cy;
    dc.DrawBitmap(r.I32(24), r.I32(28), w, h, *bitmap, sx, int32_t(sy), cx, cy,
                  stretch ? r.U32(68) : SRCCOPY);
}

// Records of one point (x, y) at offset 8.
void PointRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 8))
        return;
    const double x = r.I32(8), y = r.I32(12);
    switch (r.Type()) {
    case EMR_SETWINDOWEXTEX:
        dc.SetWindowExt(x, y);
        break;
    case EMR_SETWINDOWORGEX:
        dc.SetWindowOrg(x, y);
        break;
    case EMR_SETVIEWPORTEXTEX:
        dc.SetViewportExt(x, y);
        break;
    case EMR_SETVIEWPORTORGEX:
        dc.SetViewportOrg(x, y);
        break;
    case EMR_MOVETOEX:
        dc.MoveTo(x, y);
        break;
    case EMR_LINETO:
        dc.LineTo(x, y);
        break;
    case EMR_OFFSETCLIPRGN:
        dc.OffsetClip(x, y);
        break;
    default:
        dc.SetBrushOrg(r.I32(8), r.I32(12));
        break;
    }
}

// Records of one value at offset 8.
void ValueRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 4))
        return;
    const uint32_t v = r.U32(8);
    switch (r.Type()) {
    case EMR_SETMAPMODE:
        dc.SetMapMode(int(v));
        break;
    case EMR_SETBKMODE:
        dc.SetBkMode(int(v));
        break;
    case EMR_SETPOLYFILLMODE:
        dc.SetPolyFillMode(int(v));
        break;
    case EMR_SETROP2:
        dc.SetRop2(int(v));
        break;
    case EMR_SETSTRETCHBLTMODE:
        dc.SetStretchMode(int(v));
        break;
    case EMR_SETTEXTALIGN:
        dc.SetTextAlign(v);
        break;
    case EMR_SETTEXTCOLOR:
        dc.SetTextColor(dc.Color(v));
        break;
    case EMR_SETBKCOLOR:
        dc.SetBkColor(dc.Color(v));
        break;
    case EMR_RESTOREDC:
        dc.RestoreDC(int32_t(v));
        break;
    case EMR_SELECTOBJECT:
        if (v & kStockObject)
            dc.SelectStockObject(v & ~kStockObject);
        else
            dc.SelectObject(v);
        break;
    case EMR_DELETEOBJECT:
        dc.DeleteObject(v);
        break;
    case EMR_SETARCDIRECTION:
        dc.SetArcDirection(int(v));
        break;
    case EMR_SETMITERLIMIT:
        // A whole number as the format has it; some writers store the
        // float the platform's call takes.
        dc.SetMiterLimit(v <= 0xFFFF ? double(v) : double(r.F32(8)));
        break;
    case EMR_SETLAYOUT:
        dc.SetLayout(v);
        break;
    case EMR_SELECTPALETTE:
        if (v == (kStockObject | DEFAULT_PALETTE))
            dc.SelectDefaultPalette();
        else
            dc.SelectPalette(v);
        break;
    default:
        break;
    }
}

// Records of a rectangle (left, top, right, bottom) at offset 8.
void BoxRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 16))
        return;
    const double l = r.I32(8), t = r.I32(12), rr = r.I32(16), b = r.I32(20);
    switch (r.Type()) {
    case EMR_EXCLUDECLIPRECT:
        dc.ExcludeClipRect(l, t, rr, b);
        break;
    case EMR_INTERSECTCLIPRECT:
        dc.IntersectClipRect(l, t, rr, b);
        break;
    case EMR_ELLIPSE:
        dc.Ellipse(l, t, rr, b);
        break;
    default:
        dc.Rectangle(l, t, rr, b);
        break;
    }
}

void ArcRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 32))
        return;
    const uint32_t type = r.Type();
    const auto kind = type == EMR_ARC     ? TMetafileDC::TArcKind::Arc
                      : type == EMR_CHORD ? TMetafileDC::TArcKind::Chord
                      : type == EMR_PIE   ? TMetafileDC::TArcKind::Pie
                                          : TMetafileDC::TArcKind::ArcTo;
    dc.ArcShape(kind, r.I32(8), r.I32(12), r.I32(16), r.I32(20),
                {double(r.I32(24)), double(r.I32(28))}, {double(r.I32(32)), double(r.I32(36))});
}

void ScaleRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 16))
        return;
    if (r.Type() == EMR_SCALEWINDOWEXTEX)
        dc.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    else
        dc.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
}

void TransformRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    const bool set = r.Type() == EMR_SETWORLDTRANSFORM;
    if (!r.Has(8, set ? 24 : 28))
        return;
    const TXform xf{r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
    if (set)
        dc.SetWorldTransform(xf);
    else
        dc.ModifyWorldTransform(xf, r.U32(32));
}

void CreatePenRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (r.Type() == EMR_CREATEPEN) {
        if (r.Has(8, 20))
            dc.SetObject(r.U32(8),
                         PenFromStyle(r.U32(12), dc.Color(r.U32(24)), r.I32(16), r.I32(16) == 0));
        return;
    }
    if (!r.Has(8, 44))
        return;
    const uint32_t style = r.U32(28);
    TMfPen pen =
        PenFromStyle(style, dc.Color(r.U32(40)), double(r.U32(32)), !(style & PS_GEOMETRIC));
    if (r.U32(36) == BS_NULL)
        pen.Style = TPenStyle::psClear;
    dc.SetObject(r.U32(8), pen);
}

void CreateBrushRecord(const TRecord& r, const uint8_t* file, TMetafileDC& dc) {
    if (r.Type() == EMR_CREATEBRUSHINDIRECT) {
        if (r.Has(8, 16))
            dc.SetObject(r.U32(8), BrushFromStyle(r.U32(12), dc.Color(r.U32(16)), r.U32(20)));
        return;
    }
    if (!r.Has(8, 24))
        return;
    std::shared_ptr<const TBitmap> pattern = RecordDib(r, file, 16, r.U32(12), dc);
    if (pattern && r.Type() == EMR_CREATEMONOBRUSH) {
        // A monochrome pattern paints its set bits in the background
        // colour and the others in the text colour.
        auto mono = std::make_shared<TBitmap>(*pattern);
        for (int32_t yy = 0; yy < mono->Height(); ++yy)
            for (int32_t xx = 0; xx < mono->Width(); ++xx)
                mono->SetPixel(xx, yy,
                               pattern->Pixel(xx, yy) == clBlack ? dc.TextColor() : dc.BkColor());
        pattern = mono;
    }
    dc.SetObject(r.U32(8), pattern ? PatternBrush(pattern) : TMfBrush{});
}

void CreateFontRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 32))
        return;
    TMfFont font;
    font.Height = r.I32(12);
    font.Escapement = r.I32(20);
    font.Orientation = r.I32(24);
    font.Weight = r.I32(28);
    font.Italic = *r.Bytes(32), font.Underline = *r.Bytes(33), font.StrikeOut = *r.Bytes(34);
    std::string face;
    for (size_t i = 0; i < 32 && r.Has(40 + 2 * i, 2); ++i) {
        const uint16_t c = LoadU16(r.Bytes(40 + 2 * i));
        if (c == 0)
            break;
        face += c < 0x80 ? char(c) : '?';
    }
    font.Face = face;
    dc.SetObject(r.U32(8), font);
}

// Palette entries (red, green, blue, flags) from `offset` into `colours`
// from `start`, the palette growing to hold them up to its limit.
void ReadPaletteEntries(const TRecord& r, size_t offset, uint64_t start, uint64_t count,
                        std::vector<TColor>& colours) {
    if (start + count > kMaxPaletteEntries || count > r.Size() / 4 || !r.Has(offset, count * 4))
        return;
    if (colours.size() < start + count)
        colours.resize(size_t(start + count), clBlack);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = r.Bytes(offset + 4 * i);
        colours[size_t(start) + i] = RGB(e[0], e[1], e[2]);
    }
}

void PaletteRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    switch (r.Type()) {
    case EMR_CREATEPALETTE: {
        // ihPal, then LOGPALETTE: version and entry count (16 bits each).
        if (!r.Has(8, 8))
            return;
        TMfPalette palette;
        ReadPaletteEntries(r, 16, 0, LoadU16(r.Bytes(14)), *palette.Entries);
        dc.SetObject(r.U32(8), palette);
        return;
    }
    case EMR_SETPALETTEENTRIES:
        if (r.Has(8, 12))
            if (std::vector<TColor>* colours = dc.PaletteAt(r.U32(8)))
                ReadPaletteEntries(r, 20, r.U32(12), r.U32(16), *colours);
        return;
    case EMR_RESIZEPALETTE:
        if (r.Has(8, 8))
            if (std::vector<TColor>* colours = dc.PaletteAt(r.U32(8)))
                colours->resize(std::min<size_t>(r.U32(12), kMaxPaletteEntries), clBlack);
        return;
    default: // EMR_REALIZEPALETTE: the canvas shows every colour as it is
        return;
    }
}

void PathRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    switch (r.Type()) {
    case EMR_BEGINPATH:
        dc.BeginPath();
        break;
    case EMR_ENDPATH:
        dc.EndPath();
        break;
    case EMR_CLOSEFIGURE:
        dc.CloseFigure();
        break;
    case EMR_FILLPATH:
        dc.FillPath();
        break;
    case EMR_STROKEPATH:
        dc.StrokePath();
        break;
    case EMR_STROKEANDFILLPATH:
        dc.StrokeAndFillPath();
        break;
    default:
        dc.AbortPath(); // clipping to a path is not kept: the path is dropped
        break;
    }
}

void SelectClipRegionRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    if (!r.Has(8, 8))
        return;
    const uint32_t size = r.U32(8), mode = r.U32(12);
    if (size == 0) {
        if (mode == RGN_COPY)
            dc.SetDeviceClip(nullptr, false);
        return;
    }
    TMfRegion region;
    if ((mode == RGN_COPY || mode == RGN_AND) && ReadRegion(r, 16, size, region))
        dc.SetDeviceClip(&region.Bounds, mode == RGN_AND);
}

void FillRegionRecord(const TRecord& r, const uint8_t*, TMetafileDC& dc) {
    const bool fill = r.Type() == EMR_FILLRGN;
    const size_t dataAt = fill ? 32 : 28;
    if (!r.Has(8, dataAt - 8))
        return;
    TMfRegion region;
    if (!ReadRegion(r, dataAt, r.U32(24), region))
        return;
    const TMfBrush* brush = nullptr;
    if (fill) {
        brush = std::get_if<TMfBrush>(dc.Object(r.U32(28)));
        if (!brush)
            return;
    }
    dc.FillRegion(region, brush, true);
}

// The handler of a record type; nullptr for the types the player skips.
THandler HandlerFor(uint32_t type) {
    switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return PolyRecord;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
        return PolyPolyRecord;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_MOVETOEX:
    case EMR_LINETO:
    case EMR_OFFSETCLIPRGN:
    case EMR_SETBRUSHORGEX:
        return PointRecord;
    case EMR_SETPIXELV:
        return [](const TRecord& r, const uint8_t*, TMetafileDC& dc) {
            if (r.Has(8, 12))
                dc.SetPixel(r.I32(8), r.I32(12), dc.Color(r.U32(16)));
        };
    case EMR_SETMAPMODE:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_RESTOREDC:
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SETARCDIRECTION:
    case EMR_SETMITERLIMIT:
    case EMR_SETLAYOUT:
    case EMR_SELECTPALETTE:
        return ValueRecord;
    case EMR_EXCLUDECLIPRECT:
    case EMR_INTERSECTCLIPRECT:
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
        return BoxRecord;
    case EMR_ROUNDRECT:
        return [](const TRecord& r, const uint8_t*, TMetafileDC& dc) {
            if (r.Has(8, 24))
                dc.RoundRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20), r.I32(24), r.I32(28));
        };
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
        return ArcRecord;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
        return ScaleRecord;
    case EMR_SAVEDC:
        return [](const TRecord&, const uint8_t*, TMetafileDC& dc) { dc.SaveDC(); };
    case EMR_SETMETARGN:
        return [](const TRecord&, const uint8_t*, TMetafileDC& dc) { dc.SetMetaRegion(); };
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
        return TransformRecord;
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
        return CreatePenRecord;
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return CreateBrushRecord;
    case EMR_EXTCREATEFONTINDIRECTW:
        return CreateFontRecord;
    case EMR_CREATEPALETTE:
    case EMR_SETPALETTEENTRIES:
    case EMR_RESIZEPALETTE:
    case EMR_REALIZEPALETTE:
        return PaletteRecord;
    case EMR_BEGINPATH:
    case EMR_ENDPATH:
    case EMR_CLOSEFIGURE:
    case EMR_FILLPATH:
    case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_ABORTPATH:
    case EMR_SELECTCLIPPATH:
        return PathRecord;
    case EMR_EXTSELECTCLIPRGN:
        return SelectClipRegionRecord;
    case EMR_FILLRGN:
    case EMR_PAINTRGN:
        return FillRegionRecord;
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_TRANSPARENTBLT:
        return BltRecord;
    case EMR_SETDIBITSTODEVICE:
    case EMR_STRETCHDIBITS:
        return DibitsRecord;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        return TextRecord;
    case EMR_GDICOMMENT:
    case EMR_SETICMMODE:
        // Read and drawn as the platform draws them: nothing. Comments
        // carry notes, groups and EMF+ records (EMF+ pictures in practice
        // are "dual": their EMF records draw the same picture); colour
        // matching on or off leaves a true-colour canvas's colours as they
        // are.
        return [](const TRecord&, const uint8_t*, TMetafileDC&) {};
    default:
        // Colour adjustment and colour spaces, flood fills, angle arcs,
        // poly-draw, path flattening and widening, region frames and
        // inversions, mask and parallelogram blits, alpha blends and
        // gradients: skipped.
        return nullptr;
    }
}

} // namespace

bool EmfRecordPlayed(uint32_t type) {
    return type == EMR_HEADER || type == EMR_EOF || HandlerFor(type) != nullptr;
}

void PlayEmfRecords(const uint8_t* data, const TMetafileInfo& info, TMetafileDC& dc) {
    dc.SetupEmf(info);
    size_t at = info.RecordsOffset;
    while (at + 8 <= info.RecordsEnd && !dc.Exhausted()) {
        const uint32_t type = LoadU32(data + at);
        const size_t size = LoadU32(data + at + 4); // checked by ParseMetafile
        if (type == EMR_EOF)
            break;
        if (type != EMR_HEADER)
            if (const THandler play = HandlerFor(type))
                play(TRecord(data + at, size, at), data, dc);
        at += size;
    }
}
