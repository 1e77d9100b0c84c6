#pragma once
// Test-side reading of the embedded BMP files, straight from their bytes:
// the header fields the product promises, and the pixels for pictures.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TBmpHeader {
    bool Valid = false;
    std::string Error;
    uint32_t FileSize = 0;
    uint32_t PixelOffset = 0;
    uint32_t InfoSize = 0;
    int32_t Width = 0;
    int32_t Height = 0; // positive: rows stored bottom-up
    uint16_t Planes = 0;
    uint16_t BitsPerPixel = 0;
    uint32_t Compression = 0;
    uint32_t PaletteColours = 0;
};

TBmpHeader ReadBmpHeader(std::span<const uint8_t> bytes);

struct TRgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // 0xRRGGBB, rows from the top

    uint32_t At(int x, int y) const { return Pixels[size_t(y) * Width + x]; }
};

// Decodes an uncompressed 8- or 24-bit BMP; an empty image when it cannot.
TRgbImage DecodeBmp(std::span<const uint8_t> bytes);
