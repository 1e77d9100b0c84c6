#include "support/GraphicsTestSupport.h"

#include "framework/base/Streams.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace gfxtest {

void InfoHeader(TBytes& b, int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                uint32_t colorsUsed, uint32_t imageSize) {
    b.U32(40);
    b.U32(uint32_t(width));
    b.U32(uint32_t(height));
    b.U16(1);
    b.U16(bitCount);
    b.U32(compression);
    b.U32(imageSize);
    b.U32(3780);
    b.U32(3780);
    b.U32(colorsUsed);
    b.U32(0);
}

static void FileHeader(TBytes& b, uint32_t fileSize, uint32_t offBits) {
    b.U8('B');
    b.U8('M');
    b.U32(fileSize);
    b.U32(0);
    b.U32(offBits);
}

static void PaletteBytes(TBytes& b, const std::vector<TColor>& palette) {
    for (TColor c : palette) {
        b.U8(GetBValue(c));
        b.U8(GetGValue(c));
        b.U8(GetRValue(c));
        b.U8(0);
    }
}

static TBytes PixelRows(int32_t width, int32_t height, uint16_t bitCount,
                        const std::function<uint32_t(int32_t, int32_t)>& value, bool topDown) {
    TBytes px;
    for (int32_t r = 0; r < height; ++r) {
        int32_t y = topDown ? r : height - 1 - r;
        uint32_t acc = 0;
        int bits = 0;
        size_t rowStart = px.Data.size();
        for (int32_t x = 0; x < width; ++x) {
            uint32_t v = value(x, y);
            switch (bitCount) {
            case 1:
            case 4:
            case 8:
                acc = (acc << bitCount) | v;
                bits += bitCount;
                if (bits == 8) {
                    px.U8(acc);
                    acc = 0;
                    bits = 0;
                }
                break;
            case 16:
                px.U16(((v >> 19 & 31) << 10) | ((v >> 11 & 31) << 5) | (v >> 3 & 31));
                break;
            case 24:
                px.U8(v & 0xFF);
                px.U8(v >> 8 & 0xFF);
                px.U8(v >> 16 & 0xFF);
                break;
            case 32:
                px.U32(v);
                break;
            }
        }
        if (bits)
            px.U8(acc << (8 - bits));
        while ((px.Data.size() - rowStart) % 4)
            px.U8(0);
    }
    return px;
}

std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bitCount,
                             const std::vector<TColor>& palette,
                             const std::function<uint32_t(int32_t, int32_t)>& value, bool topDown) {
    TBytes px = PixelRows(width, height, bitCount, value, topDown);
    const uint32_t offBits = 14 + 40 + uint32_t(palette.size()) * 4;
    TBytes b;
    FileHeader(b, offBits + uint32_t(px.Data.size()), offBits);
    InfoHeader(b, width, topDown ? -height : height, bitCount, 0, uint32_t(palette.size()));
    PaletteBytes(b, palette);
    b.Raw(px.Data);
    return b.Data;
}

std::vector<uint8_t> MakeRleBmp(int32_t width, int32_t height, uint16_t bitCount,
                                const std::vector<TColor>& palette,
                                const std::vector<uint8_t>& rle) {
    const uint32_t offBits = 14 + 40 + uint32_t(palette.size()) * 4;
    TBytes b;
    FileHeader(b, offBits + uint32_t(rle.size()), offBits);
    InfoHeader(b, width, height, bitCount, bitCount == 8 ? 1 : 2, uint32_t(palette.size()),
               uint32_t(rle.size()));
    PaletteBytes(b, palette);
    b.Raw(rle);
    return b.Data;
}

std::vector<TColor> Palette16() {
    std::vector<TColor> p;
    for (uint32_t i = 0; i < 16; ++i)
        p.push_back(RGB(uint8_t(i * 16), uint8_t(255 - i * 8), uint8_t(i * 5)));
    return p;
}

std::vector<uint8_t> MakeIco(const std::vector<int32_t>& sizes) {
    std::vector<TBytes> images;
    for (int32_t s : sizes) {
        TBytes img;
        InfoHeader(img, s, 2 * s, 4, 0, 16);
        PaletteBytes(img, Palette16());
        img.Raw(PixelRows(
                    s, s, 4, [](int32_t x, int32_t y) { return uint32_t(x + y) % 16; }, false)
                    .Data);
        img.Raw(PixelRows(
                    s, s, 1, [](int32_t x, int32_t y) { return x == y ? 1u : 0u; }, false)
                    .Data);
        images.push_back(img);
    }
    TBytes b;
    b.U16(0);
    b.U16(1);
    b.U16(uint32_t(sizes.size()));
    uint32_t offset = 6 + 16 * uint32_t(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        b.U8(uint32_t(sizes[i]));
        b.U8(uint32_t(sizes[i]));
        b.U8(16);
        b.U8(0);
        b.U16(1);
        b.U16(4);
        b.U32(uint32_t(images[i].Data.size()));
        b.U32(offset);
        offset += uint32_t(images[i].Data.size());
    }
    for (const TBytes& img : images)
        b.Raw(img.Data);
    return b.Data;
}

std::string ArtifactPath(const std::string& name) {
    std::filesystem::create_directories(SSI_ARTIFACTS_DIR);
    return std::string(SSI_ARTIFACTS_DIR) + "/" + name;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("ssi-gfx-" + std::to_string(getpid()) + "-" + name))
        .string();
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
}

std::vector<TColor> PixelsOf(const TBitmap& bitmap) {
    std::vector<TColor> out;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            out.push_back(bitmap.Pixel(x, y));
    return out;
}

std::string Picture(const TBitmap& b, TColor ink, TColor background) {
    std::string s;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            TColor p = b.Pixel(x, y);
            s += p == ink ? '#' : p == background ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

std::string Rows(std::initializer_list<const char*> rows) {
    std::string s;
    for (const char* r : rows)
        s += std::string(r) + "\n";
    return s;
}

std::vector<uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(bitmap.Width());
    info.image_height = JDIMENSION(bitmap.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(bitmap.Width()) * 3);
    while (info.next_scanline < info.image_height) {
        const int32_t y = int32_t(info.next_scanline);
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const uint32_t c = bitmap.Pixel(x, y);
            row[size_t(x) * 3] = JSAMPLE(c & 0xFF);
            row[size_t(x) * 3 + 1] = JSAMPLE(c >> 8 & 0xFF);
            row[size_t(x) * 3 + 2] = JSAMPLE(c >> 16 & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

std::vector<uint8_t> MakeJpeg(int32_t width, int32_t height, TColor colour) {
    TBitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, colour);
    return EncodeJpeg(bitmap, 95);
}

} // namespace gfxtest
