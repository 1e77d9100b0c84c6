#include <gtest/gtest.h>

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpCodec.h"
#include "support/GraphicsTestSupport.h"

using namespace gfxtest;

namespace {

TBitmap Decode(const std::vector<uint8_t>& file) {
    TBitmap b;
    b.LoadFromMemory(file.data(), file.size());
    return b;
}

// 5 x 3 pictures whose pixels differ everywhere, so that a wrong row order,
// bit order or padding shows.
uint32_t Index(int32_t x, int32_t y, uint32_t levels) {
    return uint32_t(x * 3 + y * 7 + 1) % levels;
}

} // namespace

TEST(BmpCodec, DecodesPalettedDepthsBottomUpAndTopDown) {
    const std::vector<TColor> pal = Palette16();
    std::vector<TColor> pal256;
    for (uint32_t i = 0; i < 256; ++i)
        pal256.push_back(RGB(uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)));
    struct Case {
        uint16_t bits;
        uint32_t levels;
        const std::vector<TColor>* palette;
    };
    std::vector<TColor> pal2 = {RGB(10, 20, 30), RGB(200, 100, 50)};
    for (Case c : {Case{1, 2, &pal2}, Case{4, 16, &pal}, Case{8, 256, &pal256}})
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << topDown);
            // Width 13 exercises partial bytes and row padding.
            TBitmap b = Decode(MakeBmp(
                13, 3, c.bits, *c.palette,
                [&](int32_t x, int32_t y) { return Index(x, y, c.levels); }, topDown));
            ASSERT_EQ(b.Width(), 13);
            ASSERT_EQ(b.Height(), 3);
            for (int32_t y = 0; y < 3; ++y)
                for (int32_t x = 0; x < 13; ++x)
                    ASSERT_EQ(b.Pixel(x, y), (*c.palette)[Index(x, y, c.levels)]) << x << "," << y;
        }
}

TEST(BmpCodec, DecodesDirectColourDepths) {
    auto rgb = [](int32_t x, int32_t y) {
        return uint32_t((x * 40) << 16 | (y * 80) << 8 | (x * 10 + y));
    };
    for (uint16_t bits : {24, 32})
        for (bool topDown : {false, true}) {
            TBitmap b = Decode(MakeBmp(5, 3, bits, {}, rgb, topDown));
            for (int32_t y = 0; y < 3; ++y)
                for (int32_t x = 0; x < 5; ++x) {
                    uint32_t v = rgb(x, y);
                    ASSERT_EQ(b.Pixel(x, y), RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)))
                        << bits;
                }
        }
    // 16 bits, 5-5-5: each channel's 5 bits are scaled to the full 0..255
    // range in proportion, rounded (3 of 31 is 25, 16 of 31 is 132).
    TBitmap b = Decode(MakeBmp(4, 2, 16, {}, [](int32_t x, int32_t) {
        return x == 0 ? 0xFFFFFFu : x == 1 ? 0x000000u : x == 2 ? 0xF80000u : 0x188000u;
    }));
    EXPECT_EQ(b.Pixel(0, 0), clWhite);
    EXPECT_EQ(b.Pixel(1, 1), clBlack);
    EXPECT_EQ(b.Pixel(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(b.Pixel(3, 0), RGB(25, 132, 0));
}

TEST(BmpCodec, DecodesRle8AndRle4WithEveryEscape) {
    const std::vector<TColor> pal = Palette16();
    // Bottom row: run of 3 x index 1, absolute 2,3,4 (padded), end of line.
    // Next row: delta (2, 0), run 2 x index 5, end of bitmap; the top row stays black.
    std::vector<uint8_t> rle8 = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 2, 5, 0, 1};
    TBitmap b = Decode(MakeRleBmp(6, 3, 8, pal, rle8));
    std::vector<TColor> bottom = {pal[1], pal[1], pal[1], pal[2], pal[3], pal[4]};
    for (int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(b.Pixel(x, 2), bottom[size_t(x)]) << x;
    EXPECT_EQ(b.Pixel(0, 1), clBlack);
    EXPECT_EQ(b.Pixel(2, 1), pal[5]);
    EXPECT_EQ(b.Pixel(3, 1), pal[5]);
    EXPECT_EQ(b.Pixel(4, 1), clBlack);
    EXPECT_EQ(b.Pixel(0, 0), clBlack);

    // RLE4: a run of 5 alternating 1 and 2, absolute 3 nibbles 7 8 9.
    std::vector<uint8_t> rle4 = {5, 0x12, 0, 3, 0x78, 0x90, 0, 1};
    TBitmap c = Decode(MakeRleBmp(8, 1, 4, pal, rle4));
    std::vector<int> want = {1, 2, 1, 2, 1, 7, 8, 9};
    for (int32_t x = 0; x < 8; ++x)
        EXPECT_EQ(c.Pixel(x, 0), pal[size_t(want[size_t(x)])]) << x;
}

TEST(BmpCodec, ReadsCoreHeaderAndBitfields) {
    TBytes core;
    core.U8('B');
    core.U8('M');
    core.U32(0);
    core.U32(0);
    core.U32(14 + 12 + 6);
    core.U32(12);
    core.U16(2);
    core.U16(1);
    core.U16(1);
    core.U16(1);
    core.U8(0);
    core.U8(0);
    core.U8(255); // palette 0: red (B, G, R)
    core.U8(255);
    core.U8(0);
    core.U8(0); // palette 1: blue
    core.U8(0x40);
    core.U8(0);
    core.U8(0);
    core.U8(0); // pixels 0, 1
    TBitmap b = Decode(core.Data);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clBlue);

    TBytes bf; // 16-bit 5-6-5 through bit-field masks
    bf.U8('B');
    bf.U8('M');
    bf.U32(0);
    bf.U32(0);
    bf.U32(14 + 40 + 12);
    InfoHeader(bf, 2, 1, 16, 3, 0);
    bf.U32(0xF800);
    bf.U32(0x07E0);
    bf.U32(0x001F);
    bf.U16(0x07E0);
    bf.U16(0x001F);
    TBitmap g = Decode(bf.Data);
    EXPECT_EQ(g.Pixel(0, 0), clLime);
    EXPECT_EQ(g.Pixel(1, 0), clBlue);
}

TEST(BmpCodec, EncodeThenDecodeGivesTheSamePixels) {
    TBitmap b(7, 5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x * 30), uint8_t(y * 50), uint8_t(x ^ y)));
    std::vector<uint8_t> file = EncodeBmp(b.Width(), b.Height(), b.ScanLine(0));
    EXPECT_EQ(PixelsOf(Decode(file)), PixelsOf(b));
    TPixelImage image = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(image.Width, 7);
    EXPECT_EQ(image.Height, 5);
    EXPECT_EQ(image.Pixels, PixelsOf(b)) << "the decoder alone gives the same image";
    EXPECT_EQ(Decode(EncodeBmp(0, 0, nullptr)).Width(), 0);
}

TEST(BmpCodec, RefusesDamagedFilesWithTheReason) {
    const std::vector<uint8_t> good =
        MakeBmp(4, 4, 8, Palette16(), [](int32_t, int32_t) { return 3u; });
    auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> f = good;
        for (size_t i = 0; i < bytes.size(); ++i)
            f[at + i] = bytes[i];
        return f;
    };
    // Cut files with the pixel offset cleared, so that the header and
    // palette checks (not the offset check) meet the cut.
    auto truncated = [&](size_t size) {
        std::vector<uint8_t> f(good.begin(), good.begin() + long(size));
        if (size < good.size())
            f[10] = f[11] = f[12] = f[13] = 0;
        return f;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        const char* message;
    };
    std::vector<Case> cases = {
        {"empty", {}, "file of 0 bytes is too short"},
        {"signature", patched(0, {'X'}), "no \"BM\" signature"},
        {"header size", patched(14, {99}), "unsupported header size 99 at offset 14"},
        {"header cut", truncated(30), "header of 40 bytes at offset 14 is truncated"},
        {"bit count", patched(28, {7}), "unsupported bit count 7"},
        {"compression", patched(30, {9}), "unsupported compression 9"},
        {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF}), "negative width"},
        {"huge", patched(18, {0x00, 0x00, 0x01, 0x00}),
         "size 65536 x 4 at offset 18 is above the limits"},
        {"too many pixels", patched(18, {0x00, 0x10, 0, 0, 0x01, 0x10, 0, 0}),
         "size 4096 x 4097 at offset 18 is above the limits"},
        {"palette entries", patched(46, {0, 2, 0, 0}), "512 palette entries"},
        {"palette cut", truncated(14 + 40 + 20), "palette at offset 54 is truncated"},
        {"pixel offset", patched(10, {0xFF, 0xFF, 0, 0}), "pixel data offset 65535"},
        {"pixels cut", std::vector<uint8_t>(good.begin(), good.end() - 1),
         "pixel data at offset 118 is truncated (needs 16 bytes, 15 left)"},
        {"top-down RLE", MakeRleBmp(2, 2, 8, Palette16(), {0, 1}), ""},
        {"RLE cut", MakeRleBmp(4, 1, 8, Palette16(), {0, 5, 1, 2}), "RLE data is truncated"},
    };
    // A top-down RLE picture: height patched negative.
    Case& topDown = *std::find_if(cases.begin(), cases.end(), [](const Case& c) {
        return std::string(c.name) == "top-down RLE";
    });
    std::vector<uint8_t>& td = topDown.file;
    td[22] = 0xFE;
    td[23] = 0xFF;
    td[24] = 0xFF;
    td[25] = 0xFF;
    topDown.message = "top-down RLE";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Decode(c.file);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Bitmap image is not valid: ", 0), 0u)
                << e.what();
        }
    }
}

TEST(BmpCodec, FailedLoadLeavesTheBitmapAlone) {
    TBitmap b(3, 2);
    b.SetPixel(1, 1, clRed);
    std::vector<uint8_t> bad = {'B', 'M', 0};
    EXPECT_THROW(b.LoadFromMemory(bad.data(), bad.size()), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
}
