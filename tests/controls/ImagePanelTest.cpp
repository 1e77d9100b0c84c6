// Image panels on the headless window system: stretched, tiled and normal
// pictures, see-through or not, auto size by alignment, and the caption.

#include "SkinnedControlsFixture.h"

#include "controls/SUIImagePanel.h"

#include <gtest/gtest.h>

namespace {

class ImagePanelTest : public SkinnedControlsTest {
protected:
    // Sets a copy of `bitmap` as the panel's picture.
    static void Give(TsuiImagePanel* panel, const TBitmap& bitmap) {
        TPersistentPicture picture;
        picture.SetGraphic(std::make_unique<TBitmap>(bitmap));
        panel->SetPicture(picture);
    }
};

// A picture whose four quarters have their own colours.
TBitmap Corners(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y,
                       y < height / 2 ? (x < width / 2 ? clRed : clLime)
                                      : (x < width / 2 ? clBlue : clYellow));
    return b;
}

} // namespace

TEST_F(ImagePanelTest, ALogoOfAnySizeIsStretchedToExactly128By128) {
    for (TPoint size : {Point(40, 30), Point(300, 200), Point(128, 128)}) {
        auto* panel = Add<TsuiImagePanel>(10, 10, 128, 128);
        panel->SetDrawStyle(TsuiDrawStyle::suiStretch);
        Give(panel, Corners(size.X, size.Y));
        Settle();
        EXPECT_EQ(Pixel(panel, 0, 0), clRed) << size.X;
        EXPECT_EQ(Pixel(panel, 127, 0), clLime) << size.X;
        EXPECT_EQ(Pixel(panel, 0, 127), clBlue) << size.X;
        EXPECT_EQ(Pixel(panel, 127, 127), clYellow) << size.X;
        EXPECT_EQ(Pixel(panel, 128, 64), kFormColor) << "nothing outside the panel";
        for (int i = 0; i < 128; ++i) {
            EXPECT_NE(Pixel(panel, i, 127), kFormColor) << "the bottom row is covered";
            EXPECT_NE(Pixel(panel, 127, i), kFormColor) << "the right column is covered";
        }
        EXPECT_EQ(panel->Width(), 128);
        panel->Free();
    }
}

TEST_F(ImagePanelTest, ATransparentPanelLeavesOutThePicturesKeyColour) {
    auto* panel = Add<TsuiImagePanel>(10, 10, 128, 128);
    panel->SetDrawStyle(TsuiDrawStyle::suiStretch);
    panel->SetTransparent(true);
    Give(panel, Corners(40, 30));
    EXPECT_TRUE(panel->Picture()->Graphic()->Transparent()) << "the panel's flag is mirrored";
    Settle();
    EXPECT_EQ(Pixel(panel, 0, 127), kFormColor) << "the bottom-left colour is the key";
    EXPECT_EQ(Pixel(panel, 0, 0), clRed);
    panel->SetTransparent(false);
    Settle();
    EXPECT_EQ(Pixel(panel, 0, 127), clBlue);
}

TEST_F(ImagePanelTest, TilesStartAtTheTopLeftCorner) {
    auto* panel = Add<TsuiImagePanel>(10, 10, 8, 5);
    TBitmap tile = Solid(3, 2, clWhite);
    tile.SetPixel(0, 0, clRed);
    panel->SetDrawStyle(TsuiDrawStyle::suiTile);
    Give(panel, tile);
    Settle();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(Pixel(panel, x, y), x % 3 == 0 && y % 2 == 0 ? clRed : clWhite)
                << x << "," << y;

    // A picture without pixels tiles nothing: the panel's colour shows.
    panel->SetColor(clAqua);
    Give(panel, TBitmap(0, 4));
    Settle();
    EXPECT_EQ(Pixel(panel, 0, 0), clAqua);
}

TEST_F(ImagePanelTest, WithoutAPictureItShowsItsColourOrItsParent) {
    auto* solid = Add<TsuiImagePanel>(10, 10, 40, 40);
    auto* clear = Add<TsuiImagePanel>(60, 10, 40, 40);
    solid->SetColor(clLime);
    clear->SetColor(clLime);
    clear->SetTransparent(true);
    Settle();
    EXPECT_EQ(Pixel(solid, 20, 20), clLime);
    EXPECT_EQ(Pixel(clear, 20, 20), kFormColor);

    // A normal picture smaller than the panel leaves the colour around it.
    Give(solid, Solid(10, 10, clRed));
    Settle();
    EXPECT_EQ(Pixel(solid, 9, 9), clRed);
    EXPECT_EQ(Pixel(solid, 10, 10), clLime);
}

TEST_F(ImagePanelTest, AutoSizeFollowsThePictureOnTheSidesTheAlignmentLeavesFree) {
    auto* panel = Add<TsuiImagePanel>(10, 10, 50, 50);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->Width(), 50) << "no picture: nothing changes";
    Give(panel, Solid(40, 30, clRed));
    EXPECT_EQ(panel->Width(), 40);
    EXPECT_EQ(panel->Height(), 30);

    auto* top = Add<TsuiImagePanel>(0, 0, 50, 50);
    top->SetAlign(TAlign::alTop);
    top->SetAutoSize(true);
    Give(top, Solid(40, 30, clRed));
    EXPECT_EQ(top->Height(), 30);
    EXPECT_EQ(top->Width(), Form()->ClientWidth());

    auto* client = Add<TsuiImagePanel>(0, 0, 50, 50);
    client->SetAlign(TAlign::alClient);
    TRect before = client->BoundsRect();
    client->SetAutoSize(true);
    Give(client, Solid(40, 30, clRed));
    EXPECT_EQ(client->BoundsRect().Width(), before.Width());
    EXPECT_EQ(client->BoundsRect().Height(), before.Height());
}

TEST_F(ImagePanelTest, ABlankCaptionIsNotDrawnAndLeadingBlanksAre) {
    auto* panel = Add<TsuiImagePanel>(10, 10, 120, 30);
    panel->SetColor(clWhite);
    panel->Font()->SetColor(clBlack);
    panel->SetAlignment(TAlignment::taLeftJustify);
    panel->SetCaption("   ");
    Settle();
    EXPECT_TRUE(PixelsWhere(Grab(panel), [](int, int, TColor c) { return c != clWhite; }).empty());
    EXPECT_TRUE(IsRectEmpty(panel->CaptionRect()));
    panel->SetCaption("    X");
    Settle();
    auto ink = PixelsWhere(Grab(panel), [](int, int, TColor c) { return c == clBlack; });
    ASSERT_FALSE(ink.empty());
    int left = 120;
    for (const TPoint& p : ink)
        left = std::min(left, p.X);
    EXPECT_GT(left, 4) << "the leading blanks push the text right";
    EXPECT_EQ(panel->CaptionRect().Right, 120);
}
