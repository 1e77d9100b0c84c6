#include <gtest/gtest.h>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

namespace {

// A 3 x 2 image: fuchsia, red, white / black, fuchsia, blue.
TBitmap Sample() {
    TBitmap b(3, 2);
    const TColor px[2][3] = {{clFuchsia, clRed, clWhite}, {clBlack, clFuchsia, clBlue}};
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            b.SetPixel(x, y, px[y][x]);
    return b;
}

TBitmap Background(int32_t w, int32_t h) {
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clLime);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
}

} // namespace

TEST(ImageList, MaskColourPixelsAreLeftOut) {
    TImageList list(3, 2);
    EXPECT_EQ(list.AddMasked(Sample(), clFuchsia), 0);
    TBitmap dst = Background(5, 4);
    list.Draw(dst.Canvas(), 1, 1, 0);
    EXPECT_EQ(dst.Pixel(1, 1), clLime); // fuchsia left out
    EXPECT_EQ(dst.Pixel(2, 1), clRed);
    EXPECT_EQ(dst.Pixel(3, 1), clWhite);
    EXPECT_EQ(dst.Pixel(1, 2), clBlack);
    EXPECT_EQ(dst.Pixel(2, 2), clLime);
    EXPECT_EQ(dst.Pixel(0, 0), clLime);
}

TEST(ImageList, WithoutAMaskImagesAreOpaque) {
    TImageList list(3, 2);
    list.Add(Sample());
    TBitmap dst = Background(3, 2);
    list.Draw(dst.Canvas(), 0, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), clFuchsia);
    EXPECT_EQ(dst.Pixel(1, 1), clFuchsia);

    // An explicit mask: its non-black pixels are transparent.
    TBitmap mask(3, 2);
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect(Rect(0, 0, 3, 2));
    mask.SetPixel(2, 1, clWhite);
    TImageList masked(3, 2);
    masked.Add(Sample(), &mask);
    TBitmap m = Background(3, 2);
    masked.Draw(m.Canvas(), 0, 0, 0);
    EXPECT_EQ(m.Pixel(0, 0), clFuchsia);
    EXPECT_EQ(m.Pixel(2, 1), clLime);
}

TEST(ImageList, GreyedDrawingIsTheEmbossedDisabledLook) {
    TImageList list(3, 2);
    list.AddMasked(Sample(), clFuchsia);
    TBitmap dst = Background(5, 4);
    list.Draw(dst.Canvas(), 1, 1, 0, false);
    const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    // Ink: red (1,0), black (0,1), blue (2,1); white and masked pixels are not ink.
    // Shadow in place, highlight one pixel right and down where no shadow covers it.
    EXPECT_EQ(dst.Pixel(2, 1), sh);     // red
    EXPECT_EQ(dst.Pixel(1, 2), sh);     // black
    EXPECT_EQ(dst.Pixel(3, 2), sh);     // blue
    EXPECT_EQ(dst.Pixel(3, 1), clLime); // white pixel: not drawn
    EXPECT_EQ(dst.Pixel(1, 1), clLime); // masked
    EXPECT_EQ(dst.Pixel(2, 3), hi);     // highlight of black at (0,1) + (1,1)
    EXPECT_EQ(dst.Pixel(4, 3), hi);     // highlight of blue
    EXPECT_EQ(dst.Pixel(2, 2), clLime);
    EXPECT_EQ(dst.Pixel(3, 3), clLime);
}

TEST(ImageList, StripsAreCutIntoImages) {
    TBitmap strip(7, 1);
    for (int32_t x = 0; x < 7; ++x)
        strip.SetPixel(x, 0, RGB(uint8_t(x * 10), 0, 0));
    TImageList list(2, 1);
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 3); // the seventh column is not an image
    TBitmap out;
    list.GetBitmap(2, out);
    EXPECT_EQ(out.Pixel(0, 0), RGB(40, 0, 0));
    EXPECT_EQ(out.Pixel(1, 0), RGB(50, 0, 0));
    EXPECT_THROW(TImageList(8, 1).Add(strip), EInvalidOperation);
    // Out-of-range indices draw nothing.
    TBitmap dst = Background(2, 1);
    list.Draw(dst.Canvas(), 0, 0, 3);
    list.Draw(dst.Canvas(), 0, 0, -1);
    EXPECT_EQ(dst.Pixel(0, 0), clLime);
}
