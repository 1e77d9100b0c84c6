#include "BmpImage.h"

namespace {

uint32_t U16(std::span<const uint8_t> b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

} // namespace

TBmpHeader ReadBmpHeader(std::span<const uint8_t> bytes) {
    TBmpHeader h;
    if (bytes.size() < 54) {
        h.Error = "shorter than a BMP header";
        return h;
    }
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        h.Error = "no BM signature";
        return h;
    }
    h.FileSize = U32(bytes, 2);
    h.PixelOffset = U32(bytes, 10);
    h.InfoSize = U32(bytes, 14);
    h.Width = int32_t(U32(bytes, 18));
    h.Height = int32_t(U32(bytes, 22));
    h.Planes = uint16_t(U16(bytes, 26));
    h.BitsPerPixel = uint16_t(U16(bytes, 28));
    h.Compression = U32(bytes, 30);
    h.PaletteColours = U32(bytes, 46);
    const uint64_t stride = (uint64_t(h.Width) * h.BitsPerPixel + 31) / 32 * 4;
    const uint64_t rows = h.Height < 0 ? uint64_t(-int64_t(h.Height)) : uint64_t(h.Height);
    if (h.InfoSize < 40)
        h.Error = "info header smaller than 40 bytes";
    else if (h.Width <= 0 || h.Height == 0)
        h.Error = "empty picture";
    else if (uint64_t(h.PixelOffset) + stride * rows > bytes.size())
        h.Error = "pixel data runs past the end";
    else
        h.Valid = true;
    return h;
}

TRgbImage DecodeBmp(std::span<const uint8_t> bytes) {
    const TBmpHeader h = ReadBmpHeader(bytes);
    if (!h.Valid || h.Compression != 0 || (h.BitsPerPixel != 24 && h.BitsPerPixel != 8))
        return {};
    const bool bottomUp = h.Height > 0;
    const int height = bottomUp ? h.Height : -h.Height;
    const size_t stride = (size_t(h.Width) * h.BitsPerPixel + 31) / 32 * 4;
    const size_t palette = 14 + h.InfoSize;
    TRgbImage image{h.Width, height, std::vector<uint32_t>(size_t(h.Width) * height)};
    for (int y = 0; y < height; ++y) {
        const size_t row = h.PixelOffset + stride * size_t(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < h.Width; ++x) {
            size_t at;
            if (h.BitsPerPixel == 24) {
                at = row + size_t(x) * 3;
            } else {
                at = palette + size_t(bytes[row + x]) * 4;
                if (at + 3 > bytes.size())
                    return {};
            }
            image.Pixels[size_t(y) * h.Width + x] =
                bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at];
        }
    }
    return image;
}
