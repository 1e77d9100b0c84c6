#pragma once
// Screenshots as PNG files: framebuffers written for people to look at, and
// what programs wrote read back as 0xAARRGGBB pixels.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/graphics/PngCodec.h"
#include "platform/headless/HeadlessBackend.h"

struct TPngPixels {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

// An empty picture when the file cannot be read or decoded.
inline TPngPixels ReadPngFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    TPngPixels image;
    TPngImage png;
    try {
        png = DecodePng(file.data(), file.size(), 1 << 14);
    } catch (const std::runtime_error&) {
        return image;
    }
    image.Width = png.Width;
    image.Height = png.Height;
    image.Pixels.reserve(png.Rgba.size() / 4);
    for (size_t i = 0; i < png.Rgba.size(); i += 4)
        image.Pixels.push_back(uint32_t(png.Rgba[i + 3]) << 24 | uint32_t(png.Rgba[i]) << 16 |
                               uint32_t(png.Rgba[i + 1]) << 8 | png.Rgba[i + 2]);
    return image;
}

// Writes a framebuffer as a PNG file; false for an empty image or a file
// that cannot be written.
inline bool SavePng(const THeadlessImage& image, const std::string& path) {
    if (image.Width <= 0 || image.Height <= 0)
        return false;
    TPngImage png{image.Width, image.Height, {}};
    png.Rgba.reserve(image.Pixels.size() * 4);
    for (uint32_t pixel : image.Pixels)
        png.Rgba.insert(png.Rgba.end(),
                        {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel), 0xFF});
    try {
        SavePngFile(path, png, true);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

