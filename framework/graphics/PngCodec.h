#pragma once
// PNG pictures through libpng: the compressed entries of icons are read,
// and screenshots are written. Pixels travel as RGBA bytes, four per pixel,
// row after row from the top, with straight (not premultiplied) alpha.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TPngImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Rgba;
};

// Decodes any PNG (every bit depth and colour type, with or without a
// transparency chunk) to 8-bit RGBA. Pictures wider or taller than
// `maxSide` are refused before anything is decoded. Fails with
// std::runtime_error carrying libpng's reason.
TPngImage DecodePng(const uint8_t* data, size_t size, int32_t maxSide);

// An 8-bit RGBA PNG file of the image; with `opaque` the alpha bytes are
// ignored and an RGB file is written. Fails with std::runtime_error.
std::vector<uint8_t> EncodePng(const TPngImage& image, bool opaque = false);
void SavePngFile(const std::string& path, const TPngImage& image, bool opaque = false);
