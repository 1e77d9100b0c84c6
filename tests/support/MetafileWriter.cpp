#include "support/MetafileWriter.h"

#include <algorithm>
#include <cstring>

namespace gfxtest {

void TWmfWriter::Record(uint16_t function, const std::vector<uint16_t>& words) {
    const uint32_t size = uint32_t(3 + words.size());
    FRecords.U32(size);
    FRecords.U16(function);
    for (uint16_t w : words)
        FRecords.U16(w);
    ++FCount;
    FMaxRecord = std::max(FMaxRecord, size);
    // Object-creating records count towards the header's table size.
    if ((function & 0xFF) >= 0xF7 || function == 0x0142)
        ++FObjects;
}

void TWmfWriter::CreatePen(uint16_t style, int16_t width, TColor c) {
    Record(0x02FA, {style, W(width), 0, uint16_t(c), uint16_t(c >> 16)});
}

void TWmfWriter::CreateBrush(uint16_t style, TColor c, uint16_t hatch) {
    Record(0x02FC, {style, uint16_t(c), uint16_t(c >> 16), hatch});
}

void TWmfWriter::CreateFont(int16_t height, uint16_t weight, bool italic, const std::string& face,
                            int16_t escapement, int16_t orientation) {
    TBytes b;
    b.U16(W(height));
    b.U16(0);
    b.U16(W(escapement));
    b.U16(W(orientation == INT16_MIN ? escapement : orientation));
    b.U16(weight);
    b.U8(italic);
    b.U8(0);
    b.U8(0);
    b.U8(0);
    b.U32(0);
    for (size_t i = 0; i < 32; ++i)
        b.U8(i < face.size() ? uint8_t(face[i]) : 0);
    std::vector<uint16_t> words;
    for (size_t i = 0; i < b.Data.size(); i += 2)
        words.push_back(uint16_t(b.Data[i] | b.Data[i + 1] << 8));
    Record(0x02FB, words);
}

void TWmfWriter::CreatePatternBrush(const std::vector<uint8_t>& dib) {
    std::vector<uint16_t> words = {5, 0}; // BS_DIBPATTERN, DIB_RGB_COLORS
    for (size_t i = 0; i < dib.size(); i += 2)
        words.push_back(uint16_t(dib[i] | (i + 1 < dib.size() ? dib[i + 1] << 8 : 0)));
    Record(0x0142, words);
}

void TWmfWriter::CreateRegion(const std::vector<TRect>& rects) {
    TRect bounds = rects.empty() ? TRect{} : rects[0];
    for (const TRect& r : rects)
        UnionRect(bounds, bounds, r);
    std::vector<uint16_t> w = {0,
                               6,
                               0,
                               0,
                               0,
                               uint16_t(rects.size()),
                               4,
                               W(int16_t(bounds.Left)),
                               W(int16_t(bounds.Top)),
                               W(int16_t(bounds.Right)),
                               W(int16_t(bounds.Bottom))};
    for (const TRect& r : rects)
        for (int32_t v : {2, r.Top, r.Bottom, r.Left, r.Right, 2})
            w.push_back(W(int16_t(v)));
    w[4] = uint16_t(w.size() * 2);
    Record(0x06FF, w);
}

void TWmfWriter::Polygon(const std::vector<TPoint>& points) {
    std::vector<uint16_t> w = {uint16_t(points.size())};
    for (const TPoint& p : points) {
        w.push_back(W(int16_t(p.X)));
        w.push_back(W(int16_t(p.Y)));
    }
    Record(0x0324, w);
}

void TWmfWriter::Polyline(const std::vector<TPoint>& points) {
    std::vector<uint16_t> w = {uint16_t(points.size())};
    for (const TPoint& p : points) {
        w.push_back(W(int16_t(p.X)));
        w.push_back(W(int16_t(p.Y)));
    }
    Record(0x0325, w);
}

void TWmfWriter::PolyPolygon(const std::vector<std::vector<TPoint>>& polygons) {
    std::vector<uint16_t> w = {uint16_t(polygons.size())};
    for (const auto& poly : polygons)
        w.push_back(uint16_t(poly.size()));
    for (const auto& poly : polygons)
        for (const TPoint& p : poly) {
            w.push_back(W(int16_t(p.X)));
            w.push_back(W(int16_t(p.Y)));
        }
    Record(0x0538, w);
}

static void AppendString(std::vector<uint16_t>& w, const std::string& text) {
    for (size_t i = 0; i < text.size(); i += 2)
        w.push_back(
            uint16_t(uint8_t(text[i]) | (i + 1 < text.size() ? uint8_t(text[i + 1]) << 8 : 0)));
}

void TWmfWriter::TextOut(int16_t x, int16_t y, const std::string& text) {
    std::vector<uint16_t> w = {uint16_t(text.size())};
    AppendString(w, text);
    w.push_back(W(y));
    w.push_back(W(x));
    Record(0x0521, w);
}

void TWmfWriter::ExtTextOut(int16_t x, int16_t y, uint16_t options, const TRect* rect,
                            const std::string& text, const std::vector<int16_t>* dx) {
    std::vector<uint16_t> w = {W(y), W(x), uint16_t(text.size()), options};
    if (rect)
        for (int32_t v : {rect->Left, rect->Top, rect->Right, rect->Bottom})
            w.push_back(W(int16_t(v)));
    AppendString(w, text);
    if (dx)
        for (int16_t d : *dx)
            w.push_back(W(d));
    Record(0x0A32, w);
}

void TWmfWriter::StretchDib(int16_t x, int16_t y, int16_t w, int16_t h,
                            const std::vector<uint8_t>& dib, int32_t dibWidth, int32_t dibHeight,
                            uint32_t rop) {
    std::vector<uint16_t> words = {uint16_t(rop),
                                   uint16_t(rop >> 16),
                                   0,
                                   W(int16_t(dibHeight)),
                                   W(int16_t(dibWidth)),
                                   0,
                                   0,
                                   W(h),
                                   W(w),
                                   W(y),
                                   W(x)};
    for (size_t i = 0; i < dib.size(); i += 2)
        words.push_back(uint16_t(dib[i] | (i + 1 < dib.size() ? dib[i + 1] << 8 : 0)));
    Record(0x0F43, words);
}

std::vector<uint8_t> TWmfWriter::Finish(bool placeable, TRect box, uint16_t inch) const {
    TBytes out;
    if (placeable) {
        TBytes p;
        p.U32(0x9AC6CDD7);
        p.U16(0);
        for (int32_t v : {box.Left, box.Top, box.Right, box.Bottom})
            p.U16(uint16_t(int16_t(v)));
        p.U16(inch);
        p.U32(0);
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2)
            sum ^= uint16_t(p.Data[i] | p.Data[i + 1] << 8);
        p.U16(sum);
        out.Raw(p.Data);
    }
    const uint32_t words = uint32_t(9 + FRecords.Data.size() / 2 + 3);
    out.U16(1);
    out.U16(9);
    out.U16(0x0300);
    out.U32(words);
    out.U16(FObjects);
    out.U32(FMaxRecord);
    out.U16(0);
    out.Raw(FRecords.Data);
    out.U32(3);
    out.U16(0);
    return out.Data;
}

void TEmfWriter::Record(uint32_t type, const std::vector<uint8_t>& body) {
    const size_t padded = (body.size() + 3) & ~size_t(3);
    FRecords.U32(type);
    FRecords.U32(uint32_t(8 + padded));
    FRecords.Raw(body);
    for (size_t i = body.size(); i < padded; ++i)
        FRecords.U8(0);
    ++FCount;
    // Object records name their handle first.
    if ((type >= 38 && type <= 39) || type == 82 || type == 93 || type == 94 || type == 95) {
        uint32_t index = body[0] | body[1] << 8 | body[2] << 16 | uint32_t(body[3]) << 24;
        FHandles = std::max(FHandles, index + 1);
    }
}

void TEmfWriter::Record32(uint32_t type, const std::vector<int32_t>& values) {
    TBytes b;
    for (int32_t v : values)
        b.U32(uint32_t(v));
    Record(type, b.Data);
}

void TEmfWriter::SetWorldTransform(float m11, float m12, float m21, float m22, float dx, float dy) {
    TBytes b;
    for (float f : {m11, m12, m21, m22, dx, dy}) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        b.U32(bits);
    }
    Record(35, b.Data);
}

void TEmfWriter::ExtCreatePen(uint32_t index, uint32_t style, uint32_t width, TColor c) {
    Record32(95, {int32_t(index), 0, 0, 0, 0, int32_t(style), int32_t(width), 0, int32_t(c), 0, 0});
}

void TEmfWriter::CreateFont(uint32_t index, int32_t height, int32_t weight, bool italic,
                            const std::string& face, int32_t escapement, int32_t orientation) {
    TBytes b;
    b.U32(index);
    b.U32(uint32_t(height));
    b.U32(0);
    b.U32(uint32_t(escapement));
    b.U32(uint32_t(orientation == INT32_MIN ? escapement : orientation));
    b.U32(uint32_t(weight));
    b.U8(italic);
    b.U8(0);
    b.U8(0);
    b.U8(0);
    b.U32(0);
    for (size_t i = 0; i < 32; ++i)
        b.U16(i < face.size() ? uint8_t(face[i]) : 0);
    Record(82, b.Data);
}

void TEmfWriter::Poly(uint32_t type, const std::vector<TPoint>& points) {
    const bool small = type >= 85;
    TBytes b;
    for (int i = 0; i < 4; ++i)
        b.U32(0); // bounds
    b.U32(uint32_t(points.size()));
    for (const TPoint& p : points) {
        if (small) {
            b.U16(uint16_t(int16_t(p.X)));
            b.U16(uint16_t(int16_t(p.Y)));
        } else {
            b.U32(uint32_t(p.X));
            b.U32(uint32_t(p.Y));
        }
    }
    Record(type, b.Data);
}

void TEmfWriter::PolyPolygon(const std::vector<std::vector<TPoint>>& polygons, bool small) {
    TBytes b;
    for (int i = 0; i < 4; ++i)
        b.U32(0);
    size_t total = 0;
    for (const auto& p : polygons)
        total += p.size();
    b.U32(uint32_t(polygons.size()));
    b.U32(uint32_t(total));
    for (const auto& p : polygons)
        b.U32(uint32_t(p.size()));
    for (const auto& poly : polygons)
        for (const TPoint& p : poly) {
            if (small) {
                b.U16(uint16_t(int16_t(p.X)));
                b.U16(uint16_t(int16_t(p.Y)));
            } else {
                b.U32(uint32_t(p.X));
                b.U32(uint32_t(p.Y));
            }
        }
    Record(small ? 91 : 8, b.Data);
}

void TEmfWriter::ExtTextOutW(int32_t x, int32_t y, const std::string& text, uint32_t options,
                             const TRect* rect) {
    std::u16string units;
    for (char c : text)
        units += char16_t(uint8_t(c));
    ExtTextOutW(x, y, units, options, rect);
}

void TEmfWriter::ExtTextOutW(int32_t x, int32_t y, const std::u16string& units, uint32_t options,
                             const TRect* rect, const std::vector<int32_t>& dx) {
    TBytes b;
    for (int i = 0; i < 4; ++i)
        b.U32(0); // bounds
    b.U32(FGraphicsMode);
    b.U32(0);
    b.U32(0);
    b.U32(uint32_t(x));
    b.U32(uint32_t(y));
    b.U32(uint32_t(units.size()));
    b.U32(76); // the string right after the fixed part
    b.U32(options);
    const TRect r = rect ? *rect : TRect{};
    for (int32_t v : {r.Left, r.Top, r.Right, r.Bottom})
        b.U32(uint32_t(v));
    // The advances after the string, padded to four bytes.
    const size_t padded = (units.size() * 2 + 3) & ~size_t(3);
    b.U32(dx.empty() ? 0 : uint32_t(76 + padded));
    for (char16_t u : units)
        b.U16(uint16_t(u));
    for (size_t i = units.size() * 2; i < padded; ++i)
        b.U8(0);
    for (int32_t d : dx)
        b.U32(uint32_t(d));
    Record(84, b.Data);
}

void TEmfWriter::StretchDibits(int32_t x, int32_t y, int32_t w, int32_t h,
                               const std::vector<uint8_t>& dib, int32_t dibWidth, int32_t dibHeight,
                               uint32_t rop) {
    // The info header and palette first, then the pixels, as one block.
    const uint32_t header = dib[0] | dib[1] << 8;
    const uint32_t bitCount = dib[14] | dib[15] << 8;
    const uint32_t used = dib[32] | dib[33] << 8;
    const uint32_t colours = bitCount <= 8 ? (used ? used : 1u << bitCount) : 0;
    const uint32_t cbBmi = header + colours * 4;
    TBytes b;
    for (int i = 0; i < 4; ++i)
        b.U32(0);
    for (int32_t v : {x, y, 0, 0, dibWidth, dibHeight})
        b.U32(uint32_t(v));
    const uint32_t offBmi = 80;
    b.U32(offBmi);
    b.U32(cbBmi);
    b.U32(offBmi + cbBmi);
    b.U32(uint32_t(dib.size() - cbBmi));
    b.U32(0); // DIB_RGB_COLORS
    b.U32(rop);
    b.U32(uint32_t(w));
    b.U32(uint32_t(h));
    b.Raw(dib);
    Record(81, b.Data);
}

std::vector<uint8_t> TEmfWriter::Finish(TRect frame, TRect bounds, int32_t devW, int32_t devH,
                                        int32_t mmW, int32_t mmH) const {
    TBytes h;
    h.U32(1);
    h.U32(88);
    for (int32_t v : {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, frame.Left, frame.Top,
                      frame.Right, frame.Bottom})
        h.U32(uint32_t(v));
    h.U32(0x464D4520);
    h.U32(0x10000);
    const uint32_t bytes = uint32_t(88 + FRecords.Data.size() + 20);
    h.U32(bytes);
    h.U32(uint32_t(FCount + 2));
    h.U16(uint16_t(FHandles));
    h.U16(0);
    h.U32(0); // description
    h.U32(0);
    h.U32(0); // palette entries
    for (int32_t v : {devW, devH, mmW, mmH})
        h.U32(uint32_t(v));
    h.Raw(FRecords.Data);
    h.U32(14); // EOF: no palette
    h.U32(20);
    h.U32(0);
    h.U32(16);
    h.U32(20);
    return h.Data;
}

std::vector<uint8_t> DibOf(const std::vector<uint8_t>& bmpFile) {
    return std::vector<uint8_t>(bmpFile.begin() + 14, bmpFile.end());
}

} // namespace gfxtest
