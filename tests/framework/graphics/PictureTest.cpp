#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>

#include "framework/base/Streams.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"

using namespace gfxtest;

namespace {

std::string LoadError(TPicture& picture, const std::string& path) {
    try {
        picture.LoadFromFile(path);
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST(Picture, ChoosesTheDecoderByExtension) {
    for (const char* ext : {"bmp", "BMP", "Bmp"})
        EXPECT_NE(dynamic_cast<TBitmap*>(CreateGraphicForExtension(ext).get()), nullptr);
    EXPECT_NE(dynamic_cast<TIcon*>(CreateGraphicForExtension("ICO").get()), nullptr);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(CreateGraphicForExtension("jpeg").get()), nullptr);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(CreateGraphicForExtension("JPG").get()), nullptr);
    EXPECT_NE(dynamic_cast<TMetafile*>(CreateGraphicForExtension("wmf").get()), nullptr);
    EXPECT_NE(dynamic_cast<TMetafile*>(CreateGraphicForExtension("EMF").get()), nullptr);
    EXPECT_EQ(CreateGraphicForExtension("png"), nullptr);
    for (const char* name : {"TBitmap", "TIcon", "TJPEGImage", "TMetafile"})
        EXPECT_EQ(GraphicClassName(*CreateGraphicForClassName(name)), name);
    EXPECT_EQ(CreateGraphicForClassName("TGIFImage"), nullptr);

    TPicture p;
    EXPECT_EQ(LoadError(p, "/nowhere/logo.png"), "Unknown picture file extension (.png)");
    EXPECT_EQ(LoadError(p, "/nowhere/logo.Gif"), "Unknown picture file extension (.Gif)");
    EXPECT_EQ(LoadError(p, "/nowhere/logo"), "Unknown picture file extension (.)");
    EXPECT_FALSE(p.HasGraphic());
}

TEST(Picture, LoadsBitmapsAndKeepsTheOldGraphicOnFailure) {
    std::string good = TempPath("good.BMP"), bad = TempPath("bad.bmp");
    WriteFile(good,
              MakeBmp(4, 3, 24, {}, [](int32_t x, int32_t) { return x == 0 ? 0xFF0000u : 0u; }));
    WriteFile(bad, {'B', 'M', 1, 2, 3});
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TPicture&) { ++changes; };
    p.LoadFromFile(good);
    ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.Bitmap().Pixel(0, 2), clRed);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(LoadError(p, bad).find("Bitmap image is not valid"), std::string::npos);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(changes, 1);
    // A change of the graphic reaches the picture's owner.
    p.Graphic()->SetTransparent(true);
    EXPECT_EQ(changes, 2);
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

TEST(Picture, CopyingCopiesTheGraphic) {
    TPicture a, b;
    a.Bitmap().SetSize(2, 2);
    a.Bitmap().SetPixel(0, 0, clBlue);
    b.Assign(a);
    a.Bitmap().SetPixel(0, 0, clRed);
    EXPECT_EQ(b.Bitmap().Pixel(0, 0), clBlue);
    TPicture empty;
    b.Assign(empty);
    EXPECT_FALSE(b.HasGraphic());
    // Asking a picture of another kind for its bitmap replaces the graphic.
    TPicture ico;
    std::vector<uint8_t> file = MakeIco({16});
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromMemory(file.data(), file.size());
    ico.SetGraphic(std::move(icon));
    EXPECT_EQ(ico.Bitmap().Width(), 0);
}

TEST(Icon, DecodesBothSizesWithTheirMasks) {
    std::vector<uint8_t> file = MakeIco({16, 32});
    TIcon icon;
    icon.LoadFromMemory(file.data(), file.size());
    ASSERT_EQ(icon.ImageCount(), 2);
    EXPECT_EQ(icon.Width(), 32); // the standard size
    EXPECT_EQ(icon.FindImage(16, 16), 0);
    const std::vector<TColor> pal = Palette16();
    const TIconImage& small = icon.Image(0);
    EXPECT_EQ(small.Pixels.Pixel(3, 1), pal[4]);
    EXPECT_EQ(small.Alpha[1 * 16 + 3], 255);
    EXPECT_EQ(small.Alpha[5 * 16 + 5], 0); // the mask's diagonal

    // Drawn into 16 x 16 the 16 x 16 image is used, with the mask.
    TBitmap dst(20, 20);
    dst.Canvas().StretchDraw(Bounds(2, 2, 16, 16), icon);
    EXPECT_EQ(dst.Pixel(2 + 3, 2 + 1), pal[4]);
    EXPECT_EQ(dst.Pixel(2 + 5, 2 + 5), clWhite);
    EXPECT_EQ(dst.Pixel(1, 1), clWhite);
    // At its own size the 32 x 32 image.
    TBitmap big(32, 32);
    big.Canvas().Draw(0, 0, icon);
    EXPECT_EQ(big.Pixel(20, 3), pal[(20 + 3) % 16]);
    EXPECT_EQ(big.Pixel(20, 20), clWhite);
}

TEST(Icon, RefusesDamagedFiles) {
    const std::vector<uint8_t> good = MakeIco({16});
    auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> f = good;
        for (size_t i = 0; i < bytes.size(); ++i)
            f[at + i] = bytes[i];
        return f;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        const char* message;
    };
    std::vector<Case> cases = {
        {"short", {0, 0, 1}, "file of 3 bytes is too short"},
        {"cursor", patched(2, {2}),
         "a cursor file, not an icon (its directory at offset 0 is a "
         "cursor directory)"},
        {"type", patched(2, {3}), "no icon directory"},
        {"count", patched(4, {0}), "lists no image"},
        {"directory", patched(4, {0xFF}), "directory of 255 entries is truncated"},
        {"offset", patched(18, {0xFF, 0xFF}), "image 0 (entry at offset 6) lies outside the file"},
        {"size", patched(14, {0xFF, 0xFF, 0xFF, 0x7F}), "lies outside the file"},
        {"dib", patched(22, {77}), "unsupported header size 77 at offset 22"},
        {"mask", std::vector<uint8_t>(good.begin(), good.end() - 4), "lies outside the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TIcon icon;
        try {
            icon.LoadFromMemory(c.file.data(), c.file.size());
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(icon.ImageCount(), 0);
    }
}

TEST(JPEGImage, DecodesThroughLibjpegAndChecksTheFrameFirst) {
    std::vector<uint8_t> jpg = MakeJpeg(24, 16, RGB(200, 40, 90));
    std::string path = TempPath("logo.JPEG");
    WriteFile(path, jpg);
    TPicture p;
    p.LoadFromFile(path);
    std::remove(path.c_str());
    auto* image = dynamic_cast<TJPEGImage*>(p.Graphic());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 24);
    EXPECT_EQ(image->Height(), 16);
    EXPECT_TRUE(Near(image->Bitmap().Pixel(10, 8), RGB(200, 40, 90), 8));
    // Stretched to the logo panel's 128 x 128.
    TBitmap panel(128, 128);
    panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), *image);
    EXPECT_TRUE(Near(panel.Pixel(127, 127), RGB(200, 40, 90), 8));

    TJPEGImage j;
    std::vector<uint8_t> notJpeg = {'B', 'M', 0, 0};
    EXPECT_THROW(j.LoadFromMemory(notJpeg.data(), notJpeg.size()), EInvalidGraphic);
    // A frame header claiming 60000 x 60000 is refused before decoding.
    std::vector<uint8_t> huge = jpg;
    for (size_t i = 2; i + 9 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0xEA;
            huge[i + 6] = huge[i + 8] = 0x60;
            break;
        }
    try {
        j.LoadFromMemory(huge.data(), huge.size());
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "JPEG error: image size 60000 x 60000 is above the limits (65535 "
                               "pixels a side, 16 Mi pixels)");
    }
    std::vector<uint8_t> cut(jpg.begin(), jpg.begin() + 40);
    EXPECT_THROW(j.LoadFromMemory(cut.data(), cut.size()), EInvalidGraphic);
}

// A file the decoder cannot read is refused with libjpeg's reason, said
// plainly where the file is valid but of a kind it does not support or is
// another picture; damage it can read past is no refusal.
TEST(JPEGImage, RefusalsGiveTheDecodersReason) {
    const std::vector<uint8_t> jpg = MakeJpeg(16, 16, clRed);
    size_t frame = 0;
    for (size_t i = 2; i + 9 < jpg.size() && !frame; ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0)
            frame = i;
    ASSERT_NE(frame, 0u);
    auto patched = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> f = jpg;
        f[at] = value;
        return f;
    };
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    const struct {
        const char* Name;
        std::vector<uint8_t> File;
        const char* Message;
    } cases[] = {
        {"12-bit", patched(frame + 4, 12),
         "JPEG error: 12-bit JPEG is not supported (Unsupported JPEG data precision 12)"},
        {"lossless", patched(frame + 1, 0xC3),
         "JPEG error: lossless JPEG is not supported (Unsupported JPEG process: SOF type 0xc3)"},
        {"hierarchical", patched(frame + 1, 0xC5),
         "JPEG error: hierarchical JPEG is not supported (Unsupported JPEG process: SOF type "
         "0xc5)"},
        {"PNG", png,
         "JPEG error: the file holds a PNG picture, not a JPEG (Not a JPEG file: starts with 0x89 "
         "0x50)"},
        {"no rows",
         [&] {
             std::vector<uint8_t> f = patched(frame + 5, 0);
             f[frame + 6] = 0;
             return f;
         }(),
         "JPEG error: Empty JPEG image (DNL not supported)"},
    };
    for (const auto& c : cases) {
        TJPEGImage j;
        try {
            j.LoadFromMemory(c.File.data(), c.File.size());
            ADD_FAILURE() << c.Name << " accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), c.Message) << c.Name;
        }
    }

    // Stray bytes before a marker: the picture as without them.
    std::vector<uint8_t> stray = jpg;
    stray.insert(stray.begin() + ptrdiff_t(frame), {0x12, 0x34, 0x56, 0x78, 0x9A});
    TJPEGImage clean, dirty;
    clean.LoadFromMemory(jpg.data(), jpg.size());
    ASSERT_NO_THROW(dirty.LoadFromMemory(stray.data(), stray.size()));
    EXPECT_EQ(PixelsOf(dirty.Bitmap()), PixelsOf(clean.Bitmap()));
}

TEST(JPEGImage, ReadsAdobeCmykAsItsInkOnPaper) {
    // Four-component files from print tools store inverted ink with an Adobe
    // marker: 255 is no ink. Cyan-free, half-black paper reads as grey.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 8;
    info.image_height = 8;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPLE row[8 * 4];
    for (int x = 0; x < 8; ++x) {
        const JSAMPLE pixel[4] = {200, 40, 90, JSAMPLE(x < 4 ? 255 : 128)};
        std::copy(pixel, pixel + 4, row + x * 4);
    }
    for (int y = 0; y < 8; ++y) {
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    TJPEGImage j;
    j.LoadFromMemory(buffer, size);
    std::free(buffer);
    EXPECT_TRUE(Near(j.Bitmap().Pixel(1, 1), RGB(200, 40, 90), 6))
        << std::hex << j.Bitmap().Pixel(1, 1);
    EXPECT_TRUE(Near(j.Bitmap().Pixel(6, 6), RGB(100, 20, 45), 6))
        << std::hex << j.Bitmap().Pixel(6, 6);
}
