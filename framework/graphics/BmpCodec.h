#pragma once
// The platform's device-independent bitmap format: decoding "BM" files and
// the bare DIBs inside icons, and writing 24-bit files.
//
// Read: the 12-byte core header and the 40/52/56/108/124-byte info headers;
// 1, 4, 8, 16, 24 and 32 bits per pixel; bottom-up and top-down rows;
// RLE8 and RLE4; bit-field masks for 16 and 32 bits. Pixels an RLE stream
// skips stay black. Every offset and size is checked before use; a damaged
// file fails with EInvalidGraphic naming the problem and its byte offset.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/graphics/PixelImage.h"

// Largest picture a decoder accepts (16 Mi pixels, 64 MiB decoded), so that
// a small damaged or hostile file cannot make the program allocate
// gigabytes.
constexpr int64_t kMaxDecodedPixels = int64_t(16) * 1024 * 1024;

// A decoded DIB. Alpha is kept for icons (32-bit DIBs carry it in the top
// byte); `HasAlpha` is true when any pixel's alpha byte was non-zero.
struct TDibImage : TPixelImage {
    std::vector<uint8_t> Alpha;
    bool HasAlpha = false;
};

// Decodes a whole "BM" file.
TPixelImage DecodeBmp(const uint8_t* data, size_t size);

// Decodes a DIB (info header, palette, pixels) without file header. With
// `iconMask` the header's height counts the colour rows and the 1-bit AND
// mask rows that follow them; the mask becomes Alpha (0 where the mask bit
// is set, else 255) unless the colour image has its own alpha.
// `pixelOffset` is the offset of the pixel rows from `data`, or 0 for
// "right after the palette". Error messages give offsets plus `base` (the
// DIB's offset in its file).
TDibImage DecodeDib(const uint8_t* data, size_t size, bool iconMask, size_t pixelOffset = 0,
                    size_t base = 0);

// A 24-bit bottom-up "BM" file of a `width` x `height` image whose pixels
// (TColor values, the top byte ignored) lie row after row, top row first.
std::vector<uint8_t> EncodeBmp(int32_t width, int32_t height, const uint32_t* pixels);
