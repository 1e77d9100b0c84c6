#include <gtest/gtest.h>

#include <cstdio>

#include "support/GraphicsTestSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PngCodec.h"
#include "framework/base/Streams.h"

using namespace gfxtest;

TEST(Bitmap, SizesAndPixels) {
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Pixel(0, 0), clNone);
    TBitmap b(3, 2);
    EXPECT_EQ(b.Pixel(2, 1), clWhite);
    b.SetPixel(1, 1, clBtnFace); // system colours are stored as their RGB value
    EXPECT_EQ(b.Pixel(1, 1), RGB(212, 208, 200));
    b.SetPixel(3, 0, clRed); // outside: ignored
    b.SetSize(4, 1);         // keeps what remains inside, new pixels white
    EXPECT_EQ(b.Pixel(1, 0), clWhite);
    EXPECT_EQ(b.Pixel(3, 0), clWhite);
    b.SetSize(-5, 2);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_THROW(TBitmap(70000, 1), EOutOfResources);
    EXPECT_THROW(TBitmap(40000, 40000), EOutOfResources);
    EXPECT_NO_THROW(TBitmap(0, 40000));
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessSet) {
    TBitmap b(2, 2);
    b.SetPixel(0, 1, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetPixel(0, 1, clNavy);
    EXPECT_EQ(b.TransparentColor(), clNavy); // follows the pixel
    b.SetTransparentColor(clFuchsia);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    b.SetPixel(0, 1, clRed);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    TBitmap copy(b);
    EXPECT_EQ(copy.TransparentColor(), clFuchsia);
    EXPECT_EQ(TBitmap().TransparentColor(), clBlack);
}

TEST(Bitmap, SavesBmpAndPng) {
    TBitmap b(5, 3);
    b.Canvas().Brush().SetColor(clTeal);
    b.Canvas().FillRect(Rect(1, 1, 4, 3));
    TMemoryStream m;
    b.SaveToStream(m);
    m.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(m);
    EXPECT_EQ(PixelsOf(back), PixelsOf(b));

    std::string path = TempPath("b.png");
    b.SaveToPngFile(path);
    TMemoryStream file;
    file.LoadFromFile(path);
    const TPngImage png = DecodePng(file.Memory(), size_t(file.Size()), 100);
    EXPECT_EQ(png.Width, 5);
    EXPECT_EQ(png.Height, 3);
    const uint8_t* px = &png.Rgba[(1 * 5 + 2) * 4];
    EXPECT_EQ(RGB(px[0], px[1], px[2]), clTeal);
    EXPECT_EQ(px[3], 255);
    std::remove(path.c_str());
}
