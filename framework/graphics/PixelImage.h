#pragma once
// A plain image: a size and 32-bit pixels, top row first, as TColor values
// (0x00BBGGRR). Decoders fill one and a TBitmap adopts it, so that a file
// format needs neither the bitmap nor its canvas.

#include <cstdint>
#include <vector>

// Largest bitmap the framework creates: each side at most kMaxBitmapSide and
// at most kMaxBitmapPixels pixels in all (256 MiB of pixels).
constexpr int32_t kMaxBitmapSide = 65535;
constexpr int64_t kMaxBitmapPixels = int64_t(64) * 1024 * 1024;

struct TPixelImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels; // Width x Height, row after row
};
