// Built-in bitmaps through the theme items, frame cutting, and the choice
// between a file theme and the built-in tables.

#include "SkinTestComponents.h"
#include "framework/graphics/Bitmap.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemes.h"

#include <gtest/gtest.h>

namespace {

TBitmap Resource(const std::string& name) {
    TBitmap b;
    LoadSkinBitmap(name, b);
    return b;
}

// Whether `part` equals the columns [left, left + part width) of `whole`.
bool SameAsColumns(const TBitmap& part, const TBitmap& whole, int left) {
    if (part.Height() != whole.Height())
        return false;
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            if (part.Pixel(x, y) != whole.Pixel(left + x, y))
                return false;
    return true;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    return a.Width() == b.Width() && SameAsColumns(a, b, 0);
}

// A strip whose pixel (x, y) is x + 256 y, so that every column is telling.
TBitmap NumberedStrip(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, TColor(x + 256 * y));
    return b;
}

} // namespace

TEST(GetThemeBitmap, CutsTheFramesTheControlsAskFor) {
    TBitmap b;
    GetThemeBitmap(TsuiUIStyle::WinXP, 1, &b, 3, 2);
    EXPECT_EQ(b.Width(), 18);
    EXPECT_EQ(b.Height(), 21);
    EXPECT_TRUE(SameAsColumns(b, Resource("WINXP_BUTTON"), 18));

    GetThemeBitmap(TsuiUIStyle::DeepBlue, 5, &b, 18, 12);
    EXPECT_EQ(b.Width(), 19);
    EXPECT_EQ(b.Height(), 19);
    EXPECT_TRUE(SameAsColumns(b, Resource("DEEPBLUE_TITLEBTN"), 209));

    // A style byte with its top bit set reads the same table.
    TBitmap high;
    GetThemeBitmap(TsuiUIStyle(0x83), 5, &high, 18, 12);
    EXPECT_TRUE(SamePixels(high, b));
}

TEST(GetThemeBitmap, WholePicturesAndTheSharedScrollButton) {
    TBitmap protein, deepBlue, blueGlass, winXP;
    GetThemeBitmap(TsuiUIStyle::Protein, 38, &protein);
    GetThemeBitmap(TsuiUIStyle::DeepBlue, 38, &deepBlue);
    GetThemeBitmap(TsuiUIStyle::BlueGlass, 38, &blueGlass);
    GetThemeBitmap(TsuiUIStyle::WinXP, 38, &winXP);
    const TBitmap shared = Resource("MORE_SCROLLBUTTON");
    EXPECT_TRUE(SamePixels(protein, shared));
    EXPECT_TRUE(SamePixels(deepBlue, shared));
    EXPECT_TRUE(SamePixels(blueGlass, shared));
    EXPECT_EQ(winXP.Width(), 72);
    EXPECT_EQ(winXP.Height(), 18);
    EXPECT_FALSE(SamePixels(winXP, shared));
}

TEST(GetThemeBitmap, ItemsThatAreNoBitmapLoadNothing) {
    const TBitmap before = NumberedStrip(5, 4);
    TBitmap b = before;
    GetThemeBitmap(TsuiUIStyle::MacOS, 2, &b); // a boolean item
    EXPECT_TRUE(SamePixels(b, before));
    GetThemeBitmap(TsuiUIStyle::FromThemeFile, 1, &b); // a style without a table
    EXPECT_TRUE(SamePixels(b, before));
    GetThemeBitmap(TsuiUIStyle(6), 1, &b);
    EXPECT_TRUE(SamePixels(b, before));

    // Cut from nothing, a frame is empty.
    GetThemeBitmap(TsuiUIStyle::MacOS, 2, &b, 3, 1);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);

    GetThemeBitmap(TsuiUIStyle::WinXP, 1, nullptr, 3, 1); // no destination: nothing happens
}

TEST(LoadSkinBitmap, FindsResourcesWithoutRegardToCaseAndReportsMissingOnes) {
    TBitmap b;
    LoadSkinBitmap("menu_checked", b);
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 16);
    try {
        LoadSkinBitmap("NO_SUCH_BITMAP", b);
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NO_SUCH_BITMAP not found");
    }
    EXPECT_EQ(b.Width(), 16);
}

TEST(CutFrame, EqualFramesFromTheLeftAndTheRemainderNeverShown) {
    const TBitmap strip = NumberedStrip(10, 2);
    TBitmap frame;
    CutFrame(strip, frame, 3, 3);
    EXPECT_EQ(frame.Width(), 3);
    EXPECT_EQ(frame.Height(), 2);
    EXPECT_TRUE(SameAsColumns(frame, strip, 6)); // columns 6..8; column 9 is never shown

    CutFrame(strip, frame, 1, 1);
    EXPECT_TRUE(SamePixels(frame, strip));

    // A strip cut into itself.
    TBitmap self = strip;
    CutFrame(self, self, 5, 2);
    EXPECT_EQ(self.Width(), 2);
    EXPECT_TRUE(SameAsColumns(self, strip, 2));
}

TEST(CutFrame, CountsAndIndicesThatNameNoFrameGiveAnEmptyBitmap) {
    const TBitmap strip = NumberedStrip(10, 2);
    for (auto [count, index] : {std::pair{0, 1}, {-2, 1}, {3, 0}, {3, 4}, {3, -1}}) {
        TBitmap frame = strip;
        CutFrame(strip, frame, count, index);
        EXPECT_EQ(frame.Width(), 0) << count << " " << index;
        EXPECT_EQ(frame.Height(), 0) << count << " " << index;
    }
    // More frames than columns: frames of width 0.
    TBitmap frame;
    CutFrame(strip, frame, 20, 20);
    EXPECT_EQ(frame.Width(), 0);
    EXPECT_EQ(frame.Height(), 2);
}

TEST(UsingFileTheme, OnlyFromThemeFileWithALoadedThemeUsesTheFile) {
    TScratchDir dir;
    TsuiThemeFileWriter w;
    WriteFile(dir.File("a.skn"), w.Build());
    TsuiFileTheme loaded(nullptr);
    loaded.SetThemeFile(dir.File("a.skn"));
    ASSERT_TRUE(loaded.IsThemeLoaded());
    TsuiFileTheme unloaded(nullptr);

    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(nullptr, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
    EXPECT_FALSE(UsingFileTheme(&unloaded, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
    EXPECT_TRUE(UsingFileTheme(&loaded, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::FromThemeFile);
    // A built-in style wins over an assigned theme.
    EXPECT_FALSE(UsingFileTheme(&loaded, TsuiUIStyle::Protein, effective));
    EXPECT_EQ(effective, TsuiUIStyle::Protein);
    EXPECT_FALSE(UsingFileTheme(nullptr, TsuiUIStyle::WinXP, effective));
    EXPECT_EQ(effective, TsuiUIStyle::WinXP);
}
