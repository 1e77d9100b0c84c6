// The "&" accelerator of a caption, which buttons, labels, menus and
// menu-bar buttons all answer through IsAccel.

#include "framework/ui/Accelerator.h"

#include <gtest/gtest.h>

TEST(AcceleratorTest, TheCharacterAfterTheFirstSingleAmpersandWithoutRegardToCase) {
    EXPECT_TRUE(IsAccel('N', "&Next"));
    EXPECT_TRUE(IsAccel('n', "&Next"));
    EXPECT_TRUE(IsAccel('X', "Ne&xt"));
    EXPECT_FALSE(IsAccel('N', "Ne&xt"));
    // Only the first one counts.
    EXPECT_TRUE(IsAccel('A', "&A or &B"));
    EXPECT_FALSE(IsAccel('B', "&A or &B"));
    // The key's low byte is the character.
    EXPECT_TRUE(IsAccel(0x100 | 'S', "&Save"));
}

TEST(AcceleratorTest, DoubledAmpersandsAndATrailingOneAreNone) {
    EXPECT_FALSE(IsAccel('F', "&&Fish"));
    EXPECT_FALSE(IsAccel('&', "&&Fish"));
    EXPECT_TRUE(IsAccel('C', "Fish && &Chips"));
    EXPECT_FALSE(IsAccel('C', "Fish &&Chips"));
    EXPECT_FALSE(IsAccel('S', "Save&"));
    EXPECT_FALSE(IsAccel('S', "Save"));
    EXPECT_FALSE(IsAccel('A', ""));
}
