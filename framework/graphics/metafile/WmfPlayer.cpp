// Every record's parameters are read through bounds-checked word
// accessors: a record too short for what it claims is skipped, never read
// past.
#include "framework/graphics/metafile/WmfPlayer.h"

#include <algorithm>
#include <array>

#include "framework/base/Endian.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/metafile/MetafileDC.h"
#include "framework/graphics/metafile/MetafileFormat.h"

namespace {

// Record functions (the platform's META_ numbers).
enum : uint16_t {
    META_EOF = 0x0000,
    META_REALIZEPALETTE = 0x0035,
    META_SETPALENTRIES = 0x0037,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETRELABS = 0x0105,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_RESTOREDC = 0x0127,
    META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_RESIZEPALETTE = 0x0139,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_SETLAYOUT = 0x0149,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETTEXTJUSTIFICATION = 0x020A,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_OFFSETCLIPRGN = 0x0220,
    META_FILLREGION = 0x0228,
    META_SETMAPPERFLAGS = 0x0231,
    META_SELECTPALETTE = 0x0234,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_FLOODFILL = 0x0419,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_FRAMEREGION = 0x0429,
    META_ANIMATEPALETTE = 0x0436,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_EXTFLOODFILL = 0x0548,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_ESCAPE = 0x0626,
    META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_BITBLT = 0x0922,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHBLT = 0x0B23,
    META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33,
    META_STRETCHDIB = 0x0F43,
    META_CREATEPALETTE = 0x00F7,
    META_SAVEDC = 0x001E,
};

constexpr uint32_t ETO_OPAQUE_OR_CLIPPED = 0x0006;
constexpr uint16_t DIB_PAL_COLORS = 1;

// The parameters of one record (after its 6-byte size and function).
class TParams {
public:
    TParams(const uint8_t* data, size_t size, uint16_t function, size_t at)
        : FData(data), FSize(size), FFunction(function), FAt(at) {}
    uint16_t Function() const { return FFunction; }
    // Where the parameters start in the file.
    size_t At() const { return FAt; }
    size_t Size() const { return FSize; }
    bool HasWords(size_t n) const { return n * 2 <= FSize; }
    bool HasBytes(size_t offset, size_t n) const { return offset <= FSize && n <= FSize - offset; }
    int16_t I16(size_t word) const { return int16_t(LoadU16(FData + 2 * word)); }
    uint16_t U16(size_t word) const { return LoadU16(FData + 2 * word); }
    uint32_t U32(size_t word) const { return LoadU32(FData + 2 * word); }
    const uint8_t* Bytes(size_t offset) const { return FData + offset; }

private:
    const uint8_t* FData;
    size_t FSize;
    uint16_t FFunction;
    size_t FAt;
};

std::vector<TPointF> Points(const TParams& p, size_t firstWord, size_t count) {
    std::vector<TPointF> points;
    points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        points.push_back({double(p.I16(firstWord + 2 * i)), double(p.I16(firstWord + 2 * i + 1))});
    return points;
}

// A region object: its bounds and the rectangles of its scans, each scan
// being count, top, bottom, count/2 (left, right) pairs and count again.
TMfRegion ReadRegion(const TParams& p) {
    TMfRegion region;
    if (!p.HasWords(11))
        return region;
    region.Bounds = Rect(p.I16(7), p.I16(8), p.I16(9), p.I16(10));
    const size_t scans = p.U16(5);
    size_t w = 11;
    for (size_t s = 0; s < scans && p.HasWords(w + 3); ++s) {
        const size_t count = p.U16(w);
        const int16_t top = p.I16(w + 1), bottom = p.I16(w + 2);
        if (!p.HasWords(w + 3 + count + 1))
            break;
        for (size_t k = 0; k + 1 < count; k += 2)
            region.Rects.push_back(Rect(p.I16(w + 3 + k), top, p.I16(w + 4 + k), bottom));
        w += 3 + count + 1;
    }
    return region;
}

// A DIB that is the rest of the record from byte `offset`; its colour
// table holds palette indices with `usage` DIB_PAL_COLORS.
std::shared_ptr<const TBitmap> RecordDib(TMetafileDC& dc, const uint8_t* file, const TParams& p,
                                         size_t offset, uint16_t usage = 0) {
    if (!p.HasBytes(offset, 4))
        return nullptr;
    return dc.Dib(file, p.At() + offset, p.Size() - offset, 0, 0, usage == DIB_PAL_COLORS);
}

// Source rectangle (x, y, w, h) of a DIB; `fromBottom` counts y from the
// bottom row of a bottom-up DIB (StretchDIBits), else from the top.
void DrawDib(TMetafileDC& dc, const TBitmap& bitmap, bool fromBottom, double x, double y, double w,
             double h, int32_t sx, int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
    if (fromBottom)
        sy = bitmap.Height() - sy - sh;
    dc.DrawBitmap(x, y, w, h, bitmap, sx, sy, sw, sh, rop);
}

// Every record is played by a handler of this shape.
using THandler = void (*)(const TParams& p, const uint8_t* file, TMetafileDC& dc);

// (bottom, right, top, left) from word w, as (left, top, right, bottom).
std::array<double, 4> Box(const TParams& p, size_t w) {
    return {double(p.I16(w + 3)), double(p.I16(w + 2)), double(p.I16(w + 1)), double(p.I16(w))};
}

// Records of one word.
void WordRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(1))
        return;
    const uint16_t v = p.U16(0);
    switch (p.Function()) {
    case META_RESTOREDC:
        dc.RestoreDC(int16_t(v));
        break;
    case META_SETBKMODE:
        dc.SetBkMode(v);
        break;
    case META_SETMAPMODE:
        dc.SetMapMode(v);
        break;
    case META_SETPOLYFILLMODE:
        dc.SetPolyFillMode(v);
        break;
    case META_SETROP2:
        dc.SetRop2(v);
        break;
    case META_SETSTRETCHBLTMODE:
        dc.SetStretchMode(v);
        break;
    case META_SETTEXTALIGN:
        dc.SetTextAlign(v);
        break;
    case META_SELECTOBJECT:
        dc.SelectObject(v);
        break;
    case META_DELETEOBJECT:
        dc.DeleteObject(v);
        break;
    case META_SELECTPALETTE:
        dc.SelectPalette(v);
        break;
    case META_SELECTCLIPREGION:
        if (const auto* region = std::get_if<TMfRegion>(dc.Object(v)))
            dc.SelectClipRegion(*region);
        break;
    default:
        break;
    }
}

// Records of a colour (two words).
void ColorRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(2))
        return;
    if (p.Function() == META_SETBKCOLOR)
        dc.SetBkColor(dc.Color(p.U32(0)));
    else
        dc.SetTextColor(dc.Color(p.U32(0)));
}

// Records of a point (y, x).
void PointRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(2))
        return;
    const double x = p.I16(1), y = p.I16(0);
    switch (p.Function()) {
    case META_SETWINDOWORG:
        dc.SetWindowOrg(x, y);
        break;
    case META_SETWINDOWEXT:
        dc.SetWindowExt(x, y);
        break;
    case META_OFFSETWINDOWORG:
        dc.OffsetWindowOrg(x, y);
        break;
    case META_MOVETO:
        dc.MoveTo(x, y);
        break;
    case META_LINETO:
        dc.LineTo(x, y);
        break;
    default:
        dc.OffsetClip(x, y); // META_OFFSETCLIPRGN
        break;
    }
}

// Records of a rectangle.
void BoxRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(4))
        return;
    const auto b = Box(p, 0);
    switch (p.Function()) {
    case META_EXCLUDECLIPRECT:
        dc.ExcludeClipRect(b[0], b[1], b[2], b[3]);
        break;
    case META_INTERSECTCLIPRECT:
        dc.IntersectClipRect(b[0], b[1], b[2], b[3]);
        break;
    case META_ELLIPSE:
        dc.Ellipse(b[0], b[1], b[2], b[3]);
        break;
    default:
        dc.Rectangle(b[0], b[1], b[2], b[3]);
        break;
    }
}

void ArcRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(8))
        return;
    const auto b = Box(p, 4);
    const TPointF start{double(p.I16(3)), double(p.I16(2))};
    const TPointF end{double(p.I16(1)), double(p.I16(0))};
    const auto kind = p.Function() == META_ARC   ? TMetafileDC::TArcKind::Arc
                      : p.Function() == META_PIE ? TMetafileDC::TArcKind::Pie
                                                 : TMetafileDC::TArcKind::Chord;
    dc.ArcShape(kind, b[0], b[1], b[2], b[3], start, end);
}

void PolyRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(1))
        return;
    const size_t n = p.U16(0);
    if (!p.HasWords(1 + 2 * n))
        return;
    if (p.Function() == META_POLYGON)
        dc.PolyPolygon({Points(p, 1, n)});
    else
        dc.Polyline(Points(p, 1, n));
}

void PolyPolygonRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(1))
        return;
    const size_t polys = p.U16(0);
    if (!p.HasWords(1 + polys))
        return;
    size_t total = 0;
    for (size_t i = 0; i < polys; ++i)
        total += p.U16(1 + i);
    if (total > TMetafileDC::kMaxRecordPoints || !p.HasWords(1 + polys + 2 * total))
        return;
    std::vector<std::vector<TPointF>> polygons;
    size_t w = 1 + polys;
    for (size_t i = 0; i < polys; ++i) {
        const size_t n = p.U16(1 + i);
        polygons.push_back(Points(p, w, n));
        w += 2 * n;
    }
    dc.PolyPolygon(polygons);
}

void TextOutRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(1))
        return;
    const size_t length = p.U16(0);
    const size_t padded = (length + 1) & ~size_t(1);
    if (!p.HasBytes(2, padded + 4))
        return;
    std::string text(reinterpret_cast<const char*>(p.Bytes(2)), length);
    if (IsSymbolFace(dc.Font().Face)) {
        std::vector<double> none;
        text = SymbolBytesToUtf8(text, none);
    }
    const size_t w = 1 + padded / 2;
    dc.Text(p.I16(w + 1), p.I16(w), text, 0, nullptr, nullptr);
}

void ExtTextOutRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    if (!p.HasWords(4))
        return;
    const size_t count = p.U16(2);
    const uint16_t options = p.U16(3);
    size_t at = 8;
    double rect[4];
    const bool hasRect = options & ETO_OPAQUE_OR_CLIPPED;
    if (hasRect) {
        if (!p.HasBytes(at, 8))
            return;
        for (int i = 0; i < 4; ++i)
            rect[i] = int16_t(LoadU16(p.Bytes(at + 2 * size_t(i))));
        at += 8;
    }
    if (!p.HasBytes(at, count))
        return;
    std::string text(reinterpret_cast<const char*>(p.Bytes(at)), count);
    at += (count + 1) & ~size_t(1);
    std::vector<double> dx;
    if (p.HasBytes(at, 2 * count)) {
        for (size_t i = 0; i < count; ++i)
            dx.push_back(int16_t(LoadU16(p.Bytes(at + 2 * i))));
    }
    if (IsSymbolFace(dc.Font().Face))
        text = SymbolBytesToUtf8(text, dx);
    dc.Text(p.I16(1), p.I16(0), text, options, hasRect ? rect : nullptr,
            dx.empty() ? nullptr : &dx);
}

void CreateObjectRecord(const TParams& p, const uint8_t* file, TMetafileDC& dc) {
    switch (p.Function()) {
    case META_CREATEPENINDIRECT:
        if (p.HasWords(5)) {
            const double width = p.I16(1);
            dc.AddObject(PenFromStyle(p.U16(0), dc.Color(p.U32(3)), width, width == 0));
        } else {
            dc.AddObject(TMfPlaceholder{});
        }
        return;
    case META_CREATEBRUSHINDIRECT:
        if (p.HasWords(4))
            dc.AddObject(BrushFromStyle(p.U16(0), dc.Color(p.U32(1)), p.U16(3)));
        else
            dc.AddObject(TMfPlaceholder{});
        return;
    case META_DIBCREATEPATTERNBRUSH: {
        std::shared_ptr<const TBitmap> pattern;
        if (p.HasWords(2))
            pattern = RecordDib(dc, file, p, 4, p.U16(1));
        if (pattern)
            dc.AddObject(PatternBrush(pattern));
        else
            dc.AddObject(TMfBrush{});
        return;
    }
    case META_CREATEFONTINDIRECT: {
        TMfFont font;
        if (p.HasWords(9)) {
            font.Height = p.I16(0);
            font.Escapement = p.I16(2);
            font.Orientation = p.I16(3);
            font.Weight = p.I16(4);
            const uint8_t* b = p.Bytes(10);
            font.Italic = b[0], font.Underline = b[1], font.StrikeOut = b[2];
            std::string face;
            for (size_t i = 18; i < p.Size() && i < 18 + 32 && *p.Bytes(i); ++i)
                face += char(*p.Bytes(i));
            font.Face = face;
        }
        dc.AddObject(font);
        return;
    }
    case META_CREATEREGION:
        dc.AddObject(ReadRegion(p));
        return;
    default: // META_CREATEPATTERNBRUSH: a device-dependent bitmap
        dc.AddObject(TMfPlaceholder{});
        return;
    }
}

// Palette entries (red, green, blue, flags) from byte `offset` into
// `colours` from `start`, the palette growing to hold them.
void ReadPaletteEntries(const TParams& p, size_t offset, size_t start, size_t count,
                        std::vector<TColor>& colours) {
    if (start + count > kMaxPaletteEntries || !p.HasBytes(offset, count * 4))
        return;
    if (colours.size() < start + count)
        colours.resize(start + count, clBlack);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = p.Bytes(offset + 4 * i);
        colours[start + i] = RGB(e[0], e[1], e[2]);
    }
}

// The palette records; all but the creation work on the selected palette.
void PaletteRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    std::vector<TColor>* selected = dc.SelectedPalette();
    switch (p.Function()) {
    case META_CREATEPALETTE: {
        // Start (the version), the entry count, the entries.
        TMfPalette palette;
        if (p.HasWords(2))
            ReadPaletteEntries(p, 4, 0, p.U16(1), *palette.Entries);
        dc.AddObject(palette);
        return;
    }
    case META_SETPALENTRIES:
    case META_ANIMATEPALETTE:
        if (selected && p.HasWords(2))
            ReadPaletteEntries(p, 4, p.U16(0), p.U16(1), *selected);
        return;
    case META_RESIZEPALETTE:
        if (selected && p.HasWords(1))
            selected->resize(p.U16(0), clBlack);
        return;
    default: // META_REALIZEPALETTE: the canvas shows every colour as it is
        return;
    }
}

void FillRegionRecord(const TParams& p, const uint8_t*, TMetafileDC& dc) {
    const bool fill = p.Function() == META_FILLREGION;
    if (!p.HasWords(fill ? 2 : 1))
        return;
    const auto* region = std::get_if<TMfRegion>(dc.Object(p.U16(0)));
    const TMfBrush* brush = nullptr;
    if (fill) {
        brush = std::get_if<TMfBrush>(dc.Object(p.U16(1)));
        if (!brush)
            return;
    }
    if (region)
        dc.FillRegion(*region, brush, false);
}

void BltRecord(const TParams& p, const uint8_t* file, TMetafileDC& dc) {
    // Without a bitmap the record (one word longer than its parameters
    // would be, a reserved word) paints the pattern.
    const uint16_t function = p.Function();
    const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
    const size_t plain = stretch ? 11 : 9;
    if (p.Size() == plain * 2) {
        const size_t d = stretch ? 7 : 5;
        dc.PatBlt(p.I16(d + 3), p.I16(d + 2), p.I16(d + 1), p.I16(d), p.U32(0));
        return;
    }
    if (function == META_BITBLT || function == META_STRETCHBLT)
        return; // device-dependent bitmaps are not drawn
    const size_t words = stretch ? 10 : 8;
    if (!p.HasWords(words))
        return;
    const auto bitmap = RecordDib(dc, file, p, words * 2);
    if (!bitmap)
        return;
    if (stretch)
        DrawDib(dc, *bitmap, false, p.I16(9), p.I16(8), p.I16(7), p.I16(6), p.I16(5), p.I16(4),
                p.I16(3), p.I16(2), p.U32(0));
    else
        DrawDib(dc, *bitmap, false, p.I16(7), p.I16(6), p.I16(5), p.I16(4), p.I16(3), p.I16(2),
                p.I16(5), p.I16(4), p.U32(0));
}

void StretchDibRecord(const TParams& p, const uint8_t* file, TMetafileDC& dc) {
    if (!p.HasWords(11))
        return;
    const auto bitmap = RecordDib(dc, file, p, 22, p.U16(2));
    if (!bitmap)
        return;
    DrawDib(dc, *bitmap, DibBottomUp(p.Bytes(22), p.Size() - 22), p.I16(10), p.I16(9), p.I16(8),
            p.I16(7), p.I16(6), p.I16(5), p.I16(4), p.I16(3), p.U32(0));
}

// The handler of a record function; nullptr for those the player skips.
THandler HandlerFor(uint16_t function) {
    switch (function) {
    case META_SAVEDC:
        return [](const TParams&, const uint8_t*, TMetafileDC& dc) { dc.SaveDC(); };
    case META_RESTOREDC:
    case META_SETBKMODE:
    case META_SETMAPMODE:
    case META_SETPOLYFILLMODE:
    case META_SETROP2:
    case META_SETSTRETCHBLTMODE:
    case META_SETTEXTALIGN:
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SELECTPALETTE:
    case META_SELECTCLIPREGION:
        return WordRecord;
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
        return ColorRecord;
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_OFFSETWINDOWORG:
    case META_MOVETO:
    case META_LINETO:
    case META_OFFSETCLIPRGN:
        return PointRecord;
    case META_SCALEWINDOWEXT:
        return [](const TParams& p, const uint8_t*, TMetafileDC& dc) {
            if (p.HasWords(4))
                dc.ScaleWindowExt(p.I16(3), p.I16(2), p.I16(1), p.I16(0));
        };
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
    case META_OFFSETVIEWPORTORG:
    case META_SCALEVIEWPORTEXT:
        // The viewport is the rectangle the picture is drawn into.
        return [](const TParams&, const uint8_t*, TMetafileDC&) {};
    case META_EXCLUDECLIPRECT:
    case META_INTERSECTCLIPRECT:
    case META_RECTANGLE:
    case META_ELLIPSE:
        return BoxRecord;
    case META_ROUNDRECT:
        return [](const TParams& p, const uint8_t*, TMetafileDC& dc) {
            if (!p.HasWords(6))
                return;
            const auto b = Box(p, 2);
            dc.RoundRect(b[0], b[1], b[2], b[3], p.I16(1), p.I16(0));
        };
    case META_ARC:
    case META_PIE:
    case META_CHORD:
        return ArcRecord;
    case META_SETPIXEL:
        return [](const TParams& p, const uint8_t*, TMetafileDC& dc) {
            if (p.HasWords(4))
                dc.SetPixel(p.I16(3), p.I16(2), dc.Color(p.U32(0)));
        };
    case META_POLYGON:
    case META_POLYLINE:
        return PolyRecord;
    case META_POLYPOLYGON:
        return PolyPolygonRecord;
    case META_TEXTOUT:
        return TextOutRecord;
    case META_EXTTEXTOUT:
        return ExtTextOutRecord;
    case META_CREATEPENINDIRECT:
    case META_CREATEBRUSHINDIRECT:
    case META_DIBCREATEPATTERNBRUSH:
    case META_CREATEFONTINDIRECT:
    case META_CREATEREGION:
    case META_CREATEPATTERNBRUSH:
        return CreateObjectRecord;
    case META_CREATEPALETTE:
    case META_SETPALENTRIES:
    case META_ANIMATEPALETTE:
    case META_RESIZEPALETTE:
    case META_REALIZEPALETTE:
        return PaletteRecord;
    case META_FILLREGION:
    case META_PAINTREGION:
        return FillRegionRecord;
    case META_PATBLT:
        return [](const TParams& p, const uint8_t*, TMetafileDC& dc) {
            if (p.HasWords(6))
                dc.PatBlt(p.I16(5), p.I16(4), p.I16(3), p.I16(2), p.U32(0));
        };
    case META_BITBLT:
    case META_STRETCHBLT:
    case META_DIBBITBLT:
    case META_DIBSTRETCHBLT:
        return BltRecord;
    case META_STRETCHDIB:
        return StretchDibRecord;
    case META_SETLAYOUT:
        return [](const TParams& p, const uint8_t*, TMetafileDC& dc) {
            if (p.HasWords(2))
                dc.SetLayout(p.U32(0));
        };
    case META_ESCAPE:
        // Comments (an EMF the file carries in them is played instead of
        // the records, see Metafile.cpp) and printer escapes (line caps,
        // joins and miter limits for PostScript printers, page and
        // document control): nothing a screen draws.
        return [](const TParams&, const uint8_t*, TMetafileDC&) {};
    default:
        // Relative moves, text spacing and justification, mapper flags,
        // flood fills, region frames and inversions, and bits set straight
        // onto the device: skipped.
        return nullptr;
    }
}

} // namespace

bool WmfRecordPlayed(uint16_t function) {
    return function == META_EOF || HandlerFor(function) != nullptr;
}

void PlayWmfRecords(const uint8_t* data, const TMetafileInfo& info, TMetafileDC& dc) {
    dc.SetupWmf(info.WindowLeft, info.WindowTop, info.WindowWidth, info.WindowHeight);
    size_t at = info.RecordsOffset;
    while (at + 6 <= info.RecordsEnd && !dc.Exhausted()) {
        const size_t size = size_t(LoadU32(data + at)) * 2; // checked by ParseMetafile
        const uint16_t function = LoadU16(data + at + 4);
        if (function == META_EOF)
            break;
        if (const THandler play = HandlerFor(function))
            play(TParams(data + at + 6, size - 6, function, at + 6), data, dc);
        at += size;
    }
}
