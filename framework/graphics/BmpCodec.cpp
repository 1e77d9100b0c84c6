#include "framework/graphics/BmpCodec.h"

#include <cstring>

#include "framework/base/Endian.h"
#include "framework/base/SysUtils.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"

namespace {

// File header.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kOffBitsField = 10;
// Header sizes this decoder reads.
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// Compression values.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("Bitmap image is not valid: " + what);
}

// A bit-field channel: the mask's shift and width, scaled to 8 bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(uint32_t mask = 0) : Mask(mask) {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1))
            ++Bits;
    }
    uint8_t Extract(uint32_t v) const {
        if (!Bits)
            return 0;
        const uint64_t x = (v & Mask) >> Shift;
        // In proportion, rounded: full scale is 255, and each level is the
        // nearest to its share of it (5-bit 3 is 25), as the BMP suite's
        // reference pictures have them.
        const uint64_t max = (uint64_t(1) << Bits) - 1;
        return uint8_t((x * 255 + max / 2) / max);
    }
};

struct THeader {
    uint32_t HeaderSize = 0;
    int64_t Width = 0;
    int64_t Height = 0; // colour rows, positive
    bool TopDown = false;
    uint16_t BitCount = 0;
    uint32_t Compression = kBiRgb;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[4] = {0, 0, 0, 0};
    size_t PaletteOffset = 0;
    size_t PaletteEntrySize = 4;
    size_t PaletteCount = 0;
};

THeader ReadHeader(const uint8_t* data, size_t size, bool iconMask, size_t base) {
    THeader h;
    if (size < 4)
        Fail(Format("header missing at offset %zu", base));
    h.HeaderSize = LoadU32(data);
    if (h.HeaderSize != kCoreHeaderSize && h.HeaderSize != kInfoHeaderSize && h.HeaderSize != 52 &&
        h.HeaderSize != 56 && h.HeaderSize != 108 && h.HeaderSize != 124)
        Fail(Format("unsupported header size %u at offset %zu", h.HeaderSize, base));
    if (size < h.HeaderSize)
        Fail(Format("header of %u bytes at offset %zu is truncated", h.HeaderSize, base));
    int64_t rawHeight;
    if (h.HeaderSize == kCoreHeaderSize) {
        h.Width = LoadU16(data + 4);
        rawHeight = LoadU16(data + 6);
        h.BitCount = LoadU16(data + 10);
        h.PaletteEntrySize = 3;
    } else {
        h.Width = LoadI32(data + 4);
        rawHeight = LoadI32(data + 8);
        h.BitCount = LoadU16(data + 14);
        h.Compression = LoadU32(data + 16);
        h.ColorsUsed = LoadU32(data + 32);
        if (h.HeaderSize >= 52)
            for (int i = 0; i < (h.HeaderSize >= 56 ? 4 : 3); ++i)
                h.Masks[i] = LoadU32(data + 40 + 4 * i);
    }
    if (h.Width < 0)
        Fail(Format("negative width %lld at offset %zu", (long long)h.Width, base + 4));
    h.TopDown = rawHeight < 0;
    h.Height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (iconMask) {
        if (h.TopDown)
            Fail(Format("top-down icon image at offset %zu", base));
        h.Height /= 2;
    }
    if (h.Width > kMaxBitmapSide || h.Height > kMaxBitmapSide ||
        h.Width * h.Height > kMaxDecodedPixels)
        Fail(Format("size %lld x %lld at offset %zu is above the limits", (long long)h.Width,
                    (long long)h.Height, base + 4));
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail(Format("unsupported bit count %u at offset %zu", h.BitCount, base + 14));
    }
    bool ok = h.Compression == kBiRgb || (h.Compression == kBiRle8 && h.BitCount == 8) ||
              (h.Compression == kBiRle4 && h.BitCount == 4) ||
              (h.Compression == kBiBitfields && (h.BitCount == 16 || h.BitCount == 32));
    if (!ok)
        Fail(Format("unsupported compression %u for %u bits per pixel at offset %zu", h.Compression,
                    h.BitCount, base + 16));
    if (h.TopDown && (h.Compression == kBiRle8 || h.Compression == kBiRle4))
        Fail(Format("top-down RLE bitmap at offset %zu", base + 8));

    size_t offset = h.HeaderSize;
    if (h.Compression == kBiBitfields && h.HeaderSize == kInfoHeaderSize) {
        if (size < offset + 12)
            Fail(Format("bit-field masks at offset %zu are truncated", base + offset));
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = LoadU32(data + offset + 4 * i);
        offset += 12;
    }
    if (h.Compression == kBiRgb && h.BitCount == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
    } else if (h.Compression == kBiRgb && h.BitCount == 32) {
        h.Masks[0] = 0xFF0000;
        h.Masks[1] = 0xFF00;
        h.Masks[2] = 0xFF;
        h.Masks[3] = 0xFF000000;
    }
    h.PaletteOffset = offset;
    uint64_t entries = h.ColorsUsed;
    if (h.BitCount <= 8) {
        uint64_t maxEntries = uint64_t(1) << h.BitCount;
        if (entries == 0)
            entries = maxEntries;
        if (entries > 256)
            Fail(Format("%llu palette entries at offset %zu", (unsigned long long)entries,
                        base + 32));
        h.PaletteCount = size_t(entries < maxEntries ? entries : maxEntries);
    } else if (entries > 65536) {
        Fail(Format("%llu palette entries at offset %zu", (unsigned long long)entries, base + 32));
    }
    if (uint64_t(offset) + entries * h.PaletteEntrySize > size)
        Fail(Format("palette at offset %zu is truncated", base + offset));
    h.PaletteOffset = offset;
    // Entries beyond the used ones are still part of the layout.
    h.PaletteCount = h.BitCount <= 8 ? h.PaletteCount : 0;
    h.ColorsUsed = uint32_t(entries);
    return h;
}

// Decodes run-length rows (stored bottom-up) into `pixels` (top row first),
// which start black so that skipped pixels stay black.
void DecodeRle(const uint8_t* data, size_t size, size_t pos, size_t base, const THeader& h,
               const uint32_t* palette, std::vector<uint32_t>& pixels) {
    const bool four = h.Compression == kBiRle4;
    const int64_t w = h.Width, rows = h.Height;
    int64_t x = 0, y = 0;
    auto put = [&](uint8_t v) {
        if (x < w && y < rows)
            pixels[size_t((rows - 1 - y) * w + x)] = palette[v];
        ++x;
    };
    auto need = [&](size_t n) {
        if (pos + n > size)
            Fail(Format("RLE data is truncated at offset %zu", base + pos));
    };
    while (pos < size && y < rows) {
        need(2);
        uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count) {
            for (int i = 0; i < count; ++i)
                put(four ? ((i & 1) ? (value & 15) : (value >> 4)) : value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break; // end of line
        case 1:
            return; // end of bitmap
        case 2:     // delta
            need(2);
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
            break;
        default: { // absolute run of `value` pixels
            size_t bytes = four ? (size_t(value) + 1) / 2 : value;
            need(bytes);
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? (data[pos + i / 2] & 15) : (data[pos + i / 2] >> 4))
                         : data[pos + i]);
            pos += bytes + (bytes & 1);
            break;
        }
        }
    }
}

} // namespace

TDibImage DecodeDib(const uint8_t* data, size_t size, bool iconMask, size_t pixelOffset,
                    size_t base) {
    {
        THeader h = ReadHeader(data, size, iconMask, base);
        TDibImage img;
        img.Width = int32_t(h.Width);
        img.Height = int32_t(h.Height);
        const size_t count = size_t(h.Width * h.Height);
        img.Pixels.assign(count, 0);

        uint32_t palette[256] = {};
        for (size_t i = 0; i < h.PaletteCount; ++i) {
            const uint8_t* e = data + h.PaletteOffset + i * h.PaletteEntrySize;
            palette[i] = RGB(e[2], e[1], e[0]);
        }
        size_t pos =
            pixelOffset ? pixelOffset : h.PaletteOffset + size_t(h.ColorsUsed) * h.PaletteEntrySize;
        if (pos > size)
            Fail(Format("pixel data offset %zu is beyond the end (%zu bytes)", base + pos,
                        base + size));
        if (count == 0)
            return img;

        auto rowOf = [&](int64_t storedRow) {
            return h.TopDown ? storedRow : h.Height - 1 - storedRow;
        };
        std::vector<uint8_t> alpha;
        if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
            DecodeRle(data, size, pos, base, h, palette, img.Pixels);
            pos = size; // no AND mask after RLE data (icons never use RLE)
        } else {
            const uint64_t stride = ((uint64_t(h.Width) * h.BitCount + 31) / 32) * 4;
            if (stride * uint64_t(h.Height) > size - pos)
                Fail(Format("pixel data at offset %zu is truncated (needs %llu bytes, %zu left)",
                            base + pos, (unsigned long long)(stride * uint64_t(h.Height)),
                            size - pos));
            TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]), alphaCh(h.Masks[3]);
            const bool keepAlpha = iconMask && h.BitCount == 32;
            if (keepAlpha)
                alpha.assign(count, 0);
            for (int64_t r = 0; r < h.Height; ++r) {
                const uint8_t* row = data + pos + size_t(stride) * size_t(r);
                uint32_t* out = img.Pixels.data() + size_t(rowOf(r) * h.Width);
                for (int64_t x = 0; x < h.Width; ++x) {
                    switch (h.BitCount) {
                    case 1:
                        out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
                        break;
                    case 4:
                        out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
                        break;
                    case 8:
                        out[x] = palette[row[x]];
                        break;
                    case 24:
                        out[x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                        break;
                    default: {
                        uint32_t v = h.BitCount == 16 ? LoadU16(row + 2 * x) : LoadU32(row + 4 * x);
                        out[x] = RGB(red.Extract(v), green.Extract(v), blue.Extract(v));
                        if (keepAlpha) {
                            uint8_t a = alphaCh.Extract(v);
                            alpha[size_t(rowOf(r) * h.Width + x)] = a;
                            if (a)
                                img.HasAlpha = true;
                        }
                    }
                    }
                }
            }
            pos += size_t(stride * uint64_t(h.Height));
        }

        if (iconMask) {
            if (img.HasAlpha) {
                img.Alpha = std::move(alpha);
            } else {
                const uint64_t maskStride = ((uint64_t(h.Width) + 31) / 32) * 4;
                if (maskStride * uint64_t(h.Height) > size - pos)
                    Fail(Format("icon mask at offset %zu is truncated", base + pos));
                img.Alpha.assign(count, 255);
                for (int64_t r = 0; r < h.Height; ++r) {
                    const uint8_t* row = data + pos + size_t(maskStride) * size_t(r);
                    for (int64_t x = 0; x < h.Width; ++x)
                        if ((row[x >> 3] >> (7 - (x & 7))) & 1)
                            img.Alpha[size_t((h.Height - 1 - r) * h.Width + x)] = 0;
                }
            }
        }
        return img;
    }
}

TPixelImage DecodeBmp(const uint8_t* data, size_t size) {
    if (size < kFileHeaderSize)
        Fail(Format("file of %zu bytes is too short", size));
    if (data[0] != 'B' || data[1] != 'M') {
        const uint32_t header = LoadU32(data);
        for (uint32_t known : {12u, 40u, 52u, 56u, 64u, 108u, 124u})
            if (header == known)
                Fail(Format("no \"BM\" signature at offset 0: the file starts with a %u-byte "
                            "bitmap header, a DIB without the file header of a .bmp file",
                            header));
        Fail("no \"BM\" signature at offset 0");
    }
    uint32_t offBits = LoadU32(data + kOffBitsField);
    size_t pixelOffset = 0;
    if (offBits != 0) {
        if (offBits < kFileHeaderSize + 12 || offBits > size)
            Fail(Format("pixel data offset %u at offset %zu is out of range", offBits,
                        kOffBitsField));
        pixelOffset = offBits - kFileHeaderSize;
    }
    TDibImage img = DecodeDib(data + kFileHeaderSize, size - kFileHeaderSize, false, pixelOffset,
                              kFileHeaderSize);
    return TPixelImage{img.Width, img.Height, std::move(img.Pixels)};
}

std::vector<uint8_t> EncodeBmp(int32_t width, int32_t height, const uint32_t* pixels) {
    const uint32_t w = uint32_t(width), h = uint32_t(height);
    const uint32_t stride = ((w * 24 + 31) / 32) * 4;
    const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize;
    const uint64_t fileSize = uint64_t(offBits) + uint64_t(stride) * h;
    std::vector<uint8_t> out(size_t(fileSize), 0);
    auto put16 = [&](size_t at, uint32_t v) {
        out[at] = uint8_t(v);
        out[at + 1] = uint8_t(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, uint32_t(fileSize));
    put32(kOffBitsField, offBits);
    put32(14, kInfoHeaderSize);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    put32(34, stride * h);
    put32(38, 3780); // 96 DPI in pixels per metre
    put32(42, 3780);
    for (uint32_t y = 0; y < h; ++y) {
        const uint32_t* src = pixels + size_t(h - 1 - y) * w;
        uint8_t* row = out.data() + offBits + size_t(y) * stride;
        for (uint32_t x = 0; x < w; ++x) {
            row[3 * x] = GetBValue(src[x]);
            row[3 * x + 1] = GetGValue(src[x]);
            row[3 * x + 2] = GetRValue(src[x]);
        }
    }
    return out;
}
