#include "framework/components/TypeInfo.h"
#include "framework/graphics/Cursors.h"
#include "framework/graphics/PersistentFont.h"

#include <gtest/gtest.h>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Types.h"

TEST(Types, RectangleHelpersFollowThePlatform) {
    TRect r;
    EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(r, Rect(5, 5, 10, 10));
    // Touching rectangles share no pixel; the result is all zeros.
    r = Rect(1, 2, 3, 4);
    EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 5, 5), Rect(5, 0, 9, 5)));
    EXPECT_EQ(r, TRect{});
    EXPECT_TRUE(UnionRect(r, Rect(0, 0, 0, 0), Rect(2, 2, 4, 4)));
    EXPECT_EQ(r, Rect(2, 2, 4, 4));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 10, 20), Point(10, 20)));
    EXPECT_TRUE(PtInRect(Rect(0, 0, 10, 20), Point(9, 19)));
    EXPECT_EQ(NormalizeRect(Rect(5, 6, 1, 2)), Rect(1, 2, 5, 6));
    EXPECT_EQ(Bounds(3, 4, 10, 20), Rect(3, 4, 13, 24));
}

TEST(Colors, SystemColoursHaveTheClassicValues) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clInactiveCaptionText), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clMenuText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack); // unknown index
    EXPECT_EQ(ColorToRGB(0x00C82C00), RGB(0, 44, 200));  // plain colours stay
    EXPECT_EQ(ColorToRGB(0x02FF00FF), clFuchsia);        // bits above the colour dropped
}

// Layouts name colours, cursors and character sets; the names must be there
// for any program that draws, controls or not.
TEST(GraphicsIdents, ColourCursorAndCharsetNamesAreRegistered) {
    int64_t v = 0;
    ASSERT_TRUE(IdentToInteger(kColorIdents, "clBtnFace", v));
    EXPECT_EQ(v, static_cast<int64_t>(clBtnFace));
    ASSERT_TRUE(IdentToInteger(kCursorIdents, "crHandPoint", v));
    EXPECT_EQ(v, crHandPoint);
    ASSERT_TRUE(IdentToInteger(kCharsetIdents, "DEFAULT_CHARSET", v));
    EXPECT_EQ(v, DEFAULT_CHARSET);
    std::string name;
    ASSERT_TRUE(IntegerToIdent(kCharsetIdents, 0, name));
    EXPECT_EQ(name, "ANSI_CHARSET");
}
