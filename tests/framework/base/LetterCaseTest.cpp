// The case mapping that accelerators are compared by: Unicode's simple
// upper case for Latin, Greek and Cyrillic, nothing else.

#include "framework/base/LetterCase.h"

#include <gtest/gtest.h>

TEST(LetterCase, SmallLettersTakeTheirCapitals) {
    struct {
        char32_t Small, Capital;
    } const cases[] = {
        {U'a', U'A'},   {U'z', U'Z'},  {U'é', U'É'}, {U'þ', U'Þ'}, {U'ÿ', U'Ÿ'}, {U'µ', U'Μ'},
        {U'ā', U'Ā'},   {U'ı', U'I'},  {U'ĺ', U'Ĺ'}, {U'ň', U'Ň'}, {U'ŋ', U'Ŋ'}, {U'ž', U'Ž'},
        {U'ſ', U'S'},   {U'œ', U'Œ'},  {U'α', U'Α'}, {U'ω', U'Ω'}, {U'ς', U'Σ'}, {U'σ', U'Σ'},
        {U'ά', U'Ά'},   {U'ί', U'Ί'},  {U'ό', U'Ό'}, {U'ώ', U'Ώ'}, {U'ϋ', U'Ϋ'}, {U'ϐ', U'Β'},
        {U'ϣ', U'Ϣ'},   {U'ϳ', U'Ϳ'}, {U'а', U'А'}, {U'я', U'Я'}, {U'ё', U'Ё'}, {U'џ', U'Џ'},
        {U'ѣ', U'Ѣ'},   {U'ґ', U'Ґ'},  {U'ӂ', U'Ӂ'}, {U'ӏ', U'Ӏ'}, {U'ӿ', U'Ӿ'}, {U'ԁ', U'Ԁ'},
        {U'ԯ', U'Ԯ'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SimpleUpperCase(c.Small), c.Capital) << std::hex << uint32_t(c.Small);
        EXPECT_EQ(SimpleUpperCase(c.Capital), c.Capital) << std::hex << uint32_t(c.Capital);
        EXPECT_TRUE(SameLetter(c.Small, c.Capital));
    }
}

TEST(LetterCase, EverythingElseIsItsOwnUpperCase) {
    // No simple capital (sharp s, kra, Greek with two accents), no letter
    // (÷, ×, digits, punctuation), or outside the scripts the table covers.
    for (char32_t c : {U'ß', U'ĸ', U'ŉ', U'ΐ', U'ΰ', U'÷', U'×', U'1', U'&', U'@', U'[', U'{', U'ƀ',
                       U'ա', U'ა', U'漢', U'😀', char32_t(0x110000)})
        EXPECT_EQ(SimpleUpperCase(c), c) << std::hex << uint32_t(c);
    // Letters that only look alike are different letters.
    EXPECT_FALSE(SameLetter(U'a', U'а'));
    EXPECT_FALSE(SameLetter(U'P', U'Р'));
    EXPECT_FALSE(SameLetter(U'o', U'ο'));
}

TEST(LetterCase, CapitalsAreStable) {
    // Upper case twice is upper case once: no capital maps on to another
    // letter, and no small letter to a small letter.
    for (char32_t c = 0; c < 0x530; ++c)
        EXPECT_EQ(SimpleUpperCase(SimpleUpperCase(c)), SimpleUpperCase(c))
            << std::hex << uint32_t(c);
}
