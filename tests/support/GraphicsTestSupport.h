#pragma once
// Builders of small picture files written byte by byte, independent of the
// decoders they test, and helpers shared by the graphics tests.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace gfxtest {

struct TBytes {
    std::vector<uint8_t> Data;
    void U8(uint32_t v) { Data.push_back(uint8_t(v)); }
    void U16(uint32_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Raw(const std::vector<uint8_t>& bytes) {
        Data.insert(Data.end(), bytes.begin(), bytes.end());
    }
    void PadTo4() {
        while (Data.size() % 4)
            U8(0);
    }
};

// A 40-byte info header.
void InfoHeader(TBytes& b, int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                uint32_t colorsUsed, uint32_t imageSize = 0);

// An uncompressed "BM" file. `value(x, y)` gives a palette index (1, 4, 8
// bits) or a 0x00RRGGBB value (16: 5-5-5, 24, 32 bits) for row y counted from
// the top.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bitCount,
                             const std::vector<TColor>& palette,
                             const std::function<uint32_t(int32_t, int32_t)>& value,
                             bool topDown = false);

// A "BM" file around RLE data.
std::vector<uint8_t> MakeRleBmp(int32_t width, int32_t height, uint16_t bitCount,
                                const std::vector<TColor>& palette,
                                const std::vector<uint8_t>& rle);

// An ICO file holding one 4-bit image per size in `sizes`; image pixels are
// palette index (x + y) % 16 with the AND mask set where x == y.
std::vector<uint8_t> MakeIco(const std::vector<int32_t>& sizes);
// A JPEG file of the bitmap's pixels, made with libjpeg at `quality`.
std::vector<uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality);
// A JPEG file of one colour.
std::vector<uint8_t> MakeJpeg(int32_t width, int32_t height, TColor colour);

// The test palette of 16 distinct colours.
std::vector<TColor> Palette16();

std::string ArtifactPath(const std::string& name);
std::string TempPath(const std::string& name);
void WriteFile(const std::string& path, const std::vector<uint8_t>& data);

// The pixels of a bitmap as a row-major vector.
std::vector<TColor> PixelsOf(const TBitmap& bitmap);

// The bitmap as text, one character per pixel and a line per row: '.' for
// `background`, '#' for `ink`, '?' for anything else.
std::string Picture(const TBitmap& b, TColor ink = clBlack, TColor background = clWhite);
// Rows of such a picture, each ended by a newline, to compare with it.
std::string Rows(std::initializer_list<const char*> rows);

} // namespace gfxtest
