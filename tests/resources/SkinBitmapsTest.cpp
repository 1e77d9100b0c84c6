// The built-in skin bitmaps as the controls will read them: present under
// the names the looks give, in a format the bitmap loader takes, at the sizes
// the frame cutting relies on, with the key colour exactly where a control
// draws transparently and nowhere it draws opaquely.

#include "BmpImage.h"
#include "SkinTable.h"
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr uint32_t Fuchsia = 0xFF00FF;

TRgbImage Load(const std::string& name) {
    return DecodeBmp(FindResource(name));
}

// Frame n (0-based) of a strip of k frames.
TRgbImage Frame(const TRgbImage& strip, int k, int n) {
    const int w = strip.Width / k;
    TRgbImage f{w, strip.Height, std::vector<uint32_t>(size_t(w) * strip.Height)};
    for (int y = 0; y < strip.Height; ++y)
        for (int x = 0; x < w; ++x)
            f.Pixels[size_t(y) * w + x] = strip.At(n * w + x, y);
    return f;
}

int CountKey(const TRgbImage& image) {
    int n = 0;
    for (uint32_t p : image.Pixels)
        n += p == Fuchsia;
    return n;
}

TEST(SkinBitmaps, EveryNamedBitmapIsEmbeddedAtItsSize) {
    for (const TExpectedBitmap& e : ExpectedBitmaps()) {
        SCOPED_TRACE(e.Name);
        if (e.Item != 0) {
            EXPECT_EQ(GetThemeBitmapName(e.Style, e.Item), e.Name);
            // The library counts an item no control draws as 0 frames.
            EXPECT_EQ(std::max(GetThemeFrameCount(e.Item), 1), e.Frames);
        }
        const std::span<const uint8_t> bytes = FindResource(e.Name);
        ASSERT_FALSE(bytes.empty());
        const TBmpHeader h = ReadBmpHeader(bytes);
        ASSERT_TRUE(h.Valid) << h.Error;
        EXPECT_EQ(h.Width, e.Width);
        EXPECT_EQ(h.Height, e.Height) << "a negative height would be a top-down bitmap";
        EXPECT_EQ(h.Planes, 1);
        EXPECT_TRUE(h.BitsPerPixel == 24 || h.BitsPerPixel == 8) << h.BitsPerPixel;
        EXPECT_EQ(h.Compression, 0u);
        EXPECT_EQ(h.FileSize, bytes.size());
        EXPECT_EQ(e.Width % e.Frames, 0) << "frames must divide the strip";
    }
}

TEST(SkinBitmaps, NothingIsEmbeddedThatNoTableNames) {
    std::set<std::string> named;
    for (const TExpectedBitmap& e : ExpectedBitmaps())
        named.insert(e.Name);
    for (const std::string& name : ResourceNames())
        if (name.find('_') != std::string::npos) { // skin bitmaps only
            EXPECT_TRUE(named.count(name)) << name;
        }
    EXPECT_EQ(named.size(), 100u);
}

// A control shows one frame per state; two equal frames would hide a state.
TEST(SkinBitmaps, FramesOfAStateStripDiffer) {
    for (const TExpectedBitmap& e : DistinctExpectedBitmaps()) {
        if (e.Frames < 3)
            continue;
        SCOPED_TRACE(e.Name);
        const TRgbImage strip = Load(e.Name);
        ASSERT_GT(strip.Width, 0);
        // Title-bar strips hold six buttons of three states each; compare the
        // states of one button. Other strips: every pair.
        const int group = e.Item == 5 ? 3 : e.Frames;
        for (int g = 0; g < e.Frames; g += group)
            for (int a = g; a < g + group; ++a)
                for (int b = a + 1; b < g + group; ++b)
                    EXPECT_NE(Frame(strip, e.Frames, a).Pixels, Frame(strip, e.Frames, b).Pixels)
                        << "frames " << a + 1 << " and " << b + 1;
    }
}

// Where a control keys out a colour, the pixel it takes the key from must be
// fuchsia: radio marks and the title-bar buttons of the transparent looks key
// on the bottom-left pixel; see-through push buttons on their corners.
TEST(SkinBitmaps, KeyedPicturesCarryFuchsiaWhereTheControlLooks) {
    for (const TExpectedBitmap& e : ExpectedBitmaps()) {
        const bool radio = e.Item == 4;
        const bool keyedTitle = e.Item == 5 && GetThemeBool(e.Style, 6);
        const bool keyedButton = e.Item == 1 && GetThemeBool(e.Style, 2);
        if (!radio && !keyedTitle && !keyedButton)
            continue;
        SCOPED_TRACE(e.Name);
        const TRgbImage strip = Load(e.Name);
        ASSERT_GT(strip.Width, 0);
        for (int n = 0; n < e.Frames; ++n) {
            const TRgbImage f = Frame(strip, e.Frames, n);
            EXPECT_EQ(f.At(0, f.Height - 1), Fuchsia) << "frame " << n + 1;
            if (keyedButton) {
                EXPECT_EQ(f.At(0, 0), Fuchsia);
                EXPECT_EQ(f.At(f.Width - 1, 0), Fuchsia);
                EXPECT_EQ(f.At(f.Width - 1, f.Height - 1), Fuchsia);
            }
        }
    }
    for (const char* name :
         {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MACOS_TRACKBAR_SLIDER",
          "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER",
          "BLUEGLASS_TRACKBAR_SLIDER"}) {
        const TRgbImage image = Load(name);
        ASSERT_GT(image.Width, 0) << name;
        EXPECT_EQ(image.At(0, image.Height - 1), Fuchsia) << name;
    }
}

// Pictures drawn opaquely must not show the key colour as pink pixels.
TEST(SkinBitmaps, OpaquePicturesHaveNoFuchsia) {
    for (const TExpectedBitmap& e : ExpectedBitmaps()) {
        const bool opaqueButton = e.Item == 1 && !GetThemeBool(e.Style, 2);
        const bool opaqueTitleButton = e.Item == 5 && !GetThemeBool(e.Style, 6);
        const bool opaque = opaqueButton || opaqueTitleButton || e.Item == 3 ||
                            (e.Item >= 10 && e.Item <= 12) || e.Item == 24 || e.Item == 33 ||
                            e.Item == 32 || e.Item == 42;
        if (!opaque)
            continue;
        EXPECT_EQ(CountKey(Load(e.Name)), 0) << e.Name;
    }
    for (const char* name : {"MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR",
                             "MACOS_MENU_SELECT"})
        EXPECT_EQ(CountKey(Load(name)), 0) << name;
}

// Menus add the check mark with white as its mask colour.
TEST(SkinBitmaps, MenuCheckMarkSitsOnWhite) {
    const TRgbImage mark = Load("MENU_CHECKED");
    ASSERT_EQ(mark.Width, 16);
    int ink = 0;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(mark.At(i, 0), 0xFFFFFFu);
        EXPECT_EQ(mark.At(0, i), 0xFFFFFFu);
        EXPECT_EQ(mark.At(15, i), 0xFFFFFFu);
        EXPECT_EQ(mark.At(i, 15), 0xFFFFFFu);
    }
    for (uint32_t p : mark.Pixels)
        ink += (p & 0xFF) < 0x80;
    EXPECT_GT(ink, 8);
}

// The scroll thumb's middle piece is stretched along the bar, so all its
// columns must be alike or the thumb smears.
TEST(SkinBitmaps, ScrollThumbMiddleIsUniformAlongTheBar) {
    for (const TExpectedBitmap& e : ExpectedBitmaps()) {
        if (e.Item != 33)
            continue;
        const TRgbImage middle = Frame(Load(e.Name), 3, 1);
        ASSERT_GT(middle.Width, 0) << e.Name;
        for (int y = 0; y < middle.Height; ++y)
            for (int x = 1; x < middle.Width; ++x)
                ASSERT_EQ(middle.At(x, y), middle.At(0, y)) << e.Name << " row " << y;
    }
}

} // namespace
