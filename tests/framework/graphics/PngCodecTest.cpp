// PNG files as the icons' compressed entries and the screenshots use them:
// written and read back exactly, with or without alpha; damaged and
// oversized files refused with libpng's reason.

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/graphics/PngCodec.h"

namespace {

TPngImage Gradient(int32_t width, int32_t height) {
    TPngImage image{width, height, {}};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            image.Rgba.insert(image.Rgba.end(), {uint8_t(x * 40), uint8_t(y * 30), uint8_t(x ^ y),
                                                 uint8_t(255 - x * 20)});
    return image;
}

std::string RefusalOf(const std::vector<uint8_t>& file, int32_t maxSide = 1024) {
    try {
        DecodePng(file.data(), file.size(), maxSide);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(PngCodec, WritesAndReadsBackEveryByte) {
    const TPngImage image = Gradient(6, 4);
    const std::vector<uint8_t> file = EncodePng(image);
    const TPngImage back = DecodePng(file.data(), file.size(), 1024);
    EXPECT_EQ(back.Width, 6);
    EXPECT_EQ(back.Height, 4);
    EXPECT_EQ(back.Rgba, image.Rgba);

    // Without alpha the colours stay and every pixel reads back opaque.
    const std::vector<uint8_t> opaque = EncodePng(image, true);
    const TPngImage solid = DecodePng(opaque.data(), opaque.size(), 1024);
    for (size_t i = 0; i < solid.Rgba.size(); i += 4) {
        EXPECT_EQ(solid.Rgba[i], image.Rgba[i]);
        EXPECT_EQ(solid.Rgba[i + 2], image.Rgba[i + 2]);
        EXPECT_EQ(solid.Rgba[i + 3], 255);
    }
}

TEST(PngCodec, RefusesDamagedAndOversizedFiles) {
    const std::vector<uint8_t> file = EncodePng(Gradient(40, 30));
    EXPECT_NE(RefusalOf({'B', 'M', 0, 0, 0, 0, 0, 0}).find("Not a PNG file"), std::string::npos)
        << RefusalOf({'B', 'M'});
    // Cut inside the image data: libpng says what it missed.
    const std::vector<uint8_t> cut(file.begin(), file.begin() + long(file.size() / 2));
    EXPECT_NE(RefusalOf(cut), "accepted");
    // A chunk that claims two gigabytes in a small file: refused as damage,
    // not allocated.
    std::vector<uint8_t> huge = file;
    const uint8_t text[] = {0x7C, 0, 0, 0, 't', 'E', 'X', 't'};
    huge.insert(huge.begin() + 33, text, text + sizeof text);
    EXPECT_EQ(RefusalOf(huge), "chunk tEXt at offset 33 of 2080374784 bytes runs past the end of "
                               "the picture (" + std::to_string(huge.size()) + " bytes)");
    // A bad checksum in the header chunk.
    std::vector<uint8_t> damaged = file;
    damaged[29] ^= 0xFF;
    EXPECT_NE(RefusalOf(damaged).find("CRC"), std::string::npos) << RefusalOf(damaged);
    // Larger than the caller allows: refused before any decoding.
    EXPECT_NE(RefusalOf(file, 32).find("40 x 30 pixels is out of range"), std::string::npos)
        << RefusalOf(file, 32);
    EXPECT_THROW(EncodePng(TPngImage{2, 2, {1, 2, 3}}), std::runtime_error);
}
