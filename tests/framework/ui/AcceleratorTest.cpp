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
    // The key is a code point, not a byte: U+0153 is no S.
    EXPECT_FALSE(IsAccel(0x100 | 'S', "&Save"));
    EXPECT_FALSE(IsAccel(0, "&Save"));
    EXPECT_FALSE(IsAccel(-1, "&Save"));
}

TEST(AcceleratorTest, TheCharacterMayTakeSeveralBytesAndHaveACaseOfItsOwn) {
    EXPECT_TRUE(IsAccel(U'Ф', "&Файл"));
    EXPECT_TRUE(IsAccel(U'ф', "&Файл"));
    EXPECT_TRUE(IsAccel(U'Ф', "&файл"));
    EXPECT_TRUE(IsAccel(U'п', "Файл && &Правка"));
    EXPECT_TRUE(IsAccel(U'а', "Пр&авка"));
    EXPECT_FALSE(IsAccel('a', "Пр&авка")) << "Latin a is another letter";
    EXPECT_FALSE(IsAccel(U'Ф', "Ф&айл"));
    EXPECT_TRUE(IsAccel(U'é', "&Émettre"));
    EXPECT_TRUE(IsAccel(U'œ', "&Œuvre"));
    EXPECT_TRUE(IsAccel(U'Σ', "&ςσ"));
    EXPECT_TRUE(IsAccel(U'ώ', "&Ώρα"));
    EXPECT_TRUE(IsAccel(U'😀', "Smile &😀"));
    EXPECT_TRUE(IsAccel(U'漢', "&漢字"));
    EXPECT_FALSE(IsAccel(U'字', "&漢字"));
    EXPECT_FALSE(IsAccel(0xD0, "&Файл")) << "a lead byte alone is no character of it";
    // A caption written in Windows-1252: its bytes read as that.
    EXPECT_TRUE(IsAccel(U'é', "&\xC9mettre"));
    EXPECT_TRUE(IsAccel(U'€', "&\x80uro"));
    EXPECT_TRUE(IsAccel(U'Ÿ', "&\xFF"));
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
