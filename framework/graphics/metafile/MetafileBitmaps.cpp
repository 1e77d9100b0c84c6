// The bitmap records' side of the metafile device context: DIBs decoded
// once per metafile (colour tables of palette indices resolved through the
// selected palette), shrunk the way the stretch mode says, and blitted
// with their raster operation.
#include "framework/graphics/metafile/MetafileDC.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Endian.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"

namespace {

// Pixels of decoded DIBs the cache keeps per metafile.
constexpr int64_t kMaxCachedPixels = int64_t(16) * 1024 * 1024;
// Cache keys of DIBs whose colour table was resolved through a palette
// (the same bytes may be drawn through another palette elsewhere).
constexpr size_t kPaletteKey = size_t(1) << (sizeof(size_t) * 8 - 1);

// The DIB at `bmi` (`size` bytes: header, a table of 16-bit palette
// indices, and for a packed DIB the pixels) with a table of the palette's
// colours instead. Empty when the header is too short to tell.
std::vector<uint8_t> ResolvePaletteIndices(const uint8_t* bmi, size_t size,
                                           const std::vector<TColor>& palette) {
    if (size < 12)
        return {};
    const uint32_t header = LoadU32(bmi);
    const bool core = header == 12;
    if (header < 12 || header > size || (!core && header < 40))
        return {};
    const uint32_t bits = LoadU16(bmi + (core ? 10 : 14));
    const uint32_t used = core ? 0 : LoadU32(bmi + 32);
    const size_t entries = used != 0 ? used : bits <= 8 ? size_t(1) << bits : 0;
    if (entries > kMaxPaletteEntries || header + 2 * entries > size)
        return {};
    const size_t each = core ? 3 : 4;
    std::vector<uint8_t> out(bmi, bmi + header);
    for (size_t i = 0; i < entries; ++i) {
        const size_t index = LoadU16(bmi + header + 2 * i);
        const TColor c = index < palette.size() ? palette[index] : palette.empty() ? 0 : palette[0];
        out.insert(out.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
        if (each == 4)
            out.push_back(0);
    }
    out.insert(out.end(), bmi + header + 2 * entries, bmi + size);
    return out;
}

// One axis of a shrinking copy: for each of the `out` destination pixels,
// the first of the source pixels that fall on it (the last one's end is
// start + length).
std::vector<int64_t> Spans(int64_t start, int64_t length, int64_t out) {
    std::vector<int64_t> first(size_t(out) + 1);
    for (int64_t i = 0; i <= out; ++i)
        first[size_t(i)] = start + i * length / out;
    return first;
}

// `source` within `area` (inside the bitmap) reduced to `w` x `h` pixels
// (each no larger than the area's side), every pixel made of the source
// pixels that fall on it: ANDed, ORed or averaged.
TBitmap Reduce(const TBitmap& source, const TRect& area, int32_t w, int32_t h, int mode) {
    TBitmap out(w, h);
    const std::vector<int64_t> xs = Spans(area.Left, area.Width(), w);
    const std::vector<int64_t> ys = Spans(area.Top, area.Height(), h);
    for (int32_t j = 0; j < h; ++j) {
        uint32_t* row = out.ScanLine(j);
        for (int32_t i = 0; i < w; ++i) {
            uint32_t all = mode == mf::BLACKONWHITE ? 0xFFFFFF : 0;
            uint64_t r = 0, g = 0, b = 0, n = 0;
            for (int64_t y = ys[size_t(j)]; y < ys[size_t(j) + 1]; ++y) {
                const uint32_t* src = source.ScanLine(int32_t(y));
                for (int64_t x = xs[size_t(i)]; x < xs[size_t(i) + 1]; ++x) {
                    const uint32_t p = src[x] & 0xFFFFFF;
                    if (mode == mf::BLACKONWHITE)
                        all &= p;
                    else if (mode == mf::WHITEONBLACK)
                        all |= p;
                    r += p & 0xFF, g += (p >> 8) & 0xFF, b += p >> 16, ++n;
                }
            }
            if (mode == mf::HALFTONE && n > 0)
                all = uint32_t((r + n / 2) / n) | uint32_t((g + n / 2) / n) << 8 |
                      uint32_t((b + n / 2) / n) << 16;
            row[i] = all;
        }
    }
    return out;
}

} // namespace

void TMetafileDC::DrawBitmap(double x, double y, double w, double h, const TBitmap& bitmap,
                             int32_t sx, int32_t sy, int32_t sw, int32_t sh, uint32_t rop,
                             TColor key) {
    if (InPath() || !AxisAligned())
        return;
    const TPoint p = OutRounded(x, y), q = OutRounded(x + w, y + h);
    TRect dest = Rect(p.X, p.Y, q.X, q.Y);
    if ((FState.Layout & mf::LAYOUT_RTL) && (FState.Layout & mf::LAYOUT_BITMAPORIENTATIONPRESERVED))
        dest = Rect(q.X, p.Y, p.X, q.Y); // the mirror keeps the bitmap's own way round
    if (!Charge(NormalizeRect(dest), 4))
        return;
    TRect source = Rect(sx, sy, CanvasInt(double(sx) + sw), CanvasInt(double(sy) + sh));
    if (key != clNone) {
        FCanvas.StretchBlt(dest, bitmap, source, key);
        return;
    }
    RealizeBrush();
    // A shrinking copy combines the pixels it drops, as the stretch mode
    // says; the reduced picture is then copied pixel for pixel.
    const int64_t dw = std::abs(int64_t(dest.Right) - dest.Left);
    const int64_t dh = std::abs(int64_t(dest.Bottom) - dest.Top);
    const int64_t aw = std::abs(int64_t(sw)), ah = std::abs(int64_t(sh));
    const TRect area = NormalizeRect(source);
    const bool inside = area.Left >= 0 && area.Top >= 0 && area.Right <= bitmap.Width() &&
                        area.Bottom <= bitmap.Height() && !IsRectEmpty(area);
    if (FState.StretchMode != mf::COLORONCOLOR && inside && dw > 0 && dh > 0 &&
        (dw < aw || dh < ah)) {
        FWork -= aw * ah;
        if (FWork < 0)
            return;
        const int32_t rw = int32_t(std::min(dw, aw)), rh = int32_t(std::min(dh, ah));
        const TBitmap reduced = Reduce(bitmap, area, rw, rh, FState.StretchMode);
        // The reduced picture keeps the source rectangle's direction.
        source = Rect(sw < 0 ? rw - 1 : 0, sh < 0 ? rh - 1 : 0, sw < 0 ? -1 : rw, sh < 0 ? -1 : rh);
        FCanvas.StretchBltRop(dest, reduced, source, rop);
        return;
    }
    FCanvas.StretchBltRop(dest, bitmap, source, rop);
}

std::shared_ptr<const TBitmap> TMetafileDC::Dib(const uint8_t* file, size_t bmiOffset,
                                                size_t bmiSize, size_t bitsOffset, size_t bitsSize,
                                                bool paletteIndices) {
    const size_t key = paletteIndices ? bmiOffset | kPaletteKey : bmiOffset;
    auto it = FCache.Bitmaps.find(key);
    if (it != FCache.Bitmaps.end())
        return it->second;
    TDibImage image;
    try {
        std::vector<uint8_t> dib;
        if (paletteIndices) {
            dib = ResolvePaletteIndices(file + bmiOffset, bmiSize,
                                        FState.Palette ? *FState.Palette : DefaultPalette());
            if (dib.empty())
                return nullptr;
        } else if (bitsSize != 0) {
            dib.assign(file + bmiOffset, file + bmiOffset + bmiSize);
        }
        if (bitsSize == 0) {
            image = dib.empty() ? ::DecodeDib(file + bmiOffset, bmiSize, false, 0, bmiOffset)
                                : ::DecodeDib(dib.data(), dib.size(), false, 0, bmiOffset);
        } else {
            const size_t pixelsAt = dib.size();
            dib.insert(dib.end(), file + bitsOffset, file + bitsOffset + bitsSize);
            image = ::DecodeDib(dib.data(), dib.size(), false, pixelsAt, bmiOffset);
        }
    } catch (const Exception&) {
        return nullptr;
    }
    const int64_t pixels = int64_t(image.Width) * image.Height;
    FWork -= pixels;
    if (FWork < 0 || pixels == 0)
        return nullptr;
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->AdoptImage(std::move(image));
    if (FCache.Pixels + pixels <= kMaxCachedPixels) {
        FCache.Pixels += pixels;
        FCache.Bitmaps.emplace(key, bitmap);
    }
    return bitmap;
}

bool DibBottomUp(const uint8_t* bmi, size_t size) {
    if (size < 12)
        return true;
    if (LoadU32(bmi) == 12)
        return true; // the core header has no top-down form
    return LoadI32(bmi + 8) >= 0;
}
