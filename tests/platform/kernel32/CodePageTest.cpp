#include "platform/kernel32/CodePage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The characters of a text as (offset, code point) pairs, walked forwards.
std::vector<std::pair<size_t, char32_t>> Characters(std::string_view text) {
    std::vector<std::pair<size_t, char32_t>> out;
    for (size_t pos = 0; pos < text.size(); pos = NextCharacter(text, pos))
        out.emplace_back(pos, DecodeCharacter(text, pos).CodePoint);
    return out;
}

} // namespace

TEST(CodePage, WellFormedUtf8IsReadAsUnicode) {
    const std::string text = "G\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80\xE4\xBD\xA0";
    using P = std::pair<size_t, char32_t>;
    EXPECT_EQ(Characters(text),
              (std::vector<P>{{0, U'G'}, {1, 0xFC}, {3, 0x20AC}, {6, 0x1F600}, {10, 0x4F60}}));
    EXPECT_EQ(CharacterCount(text), 5u);
    EXPECT_TRUE(IsUtf8(text));
    EXPECT_EQ(ToUtf8(text), text) << "UTF-8 passes through untouched";
}

TEST(CodePage, EveryOtherByteIsItsWindows1252Reading) {
    // "Café – 5 €" as Windows-1252 writes it.
    const std::string old = "Caf\xE9 \x96 5 \x80";
    EXPECT_EQ(FindInvalidUtf8(old), 3u);
    EXPECT_EQ(ToUtf8(old), "Caf\xC3\xA9 \xE2\x80\x93 5 \xE2\x82\xAC");
    EXPECT_EQ(CharacterCount(old), old.size());
    EXPECT_EQ(DecodeCharacter("\x9F", 0).CodePoint, 0x178u) << "Y with diaeresis";
    EXPECT_EQ(DecodeCharacter("\x81", 0).CodePoint, 0x81u) << "unassigned: the C1 control";

    // Each malformed byte is one character, never swallowed with its
    // neighbours: a cut-off sequence, overlong '/', a surrogate, a value
    // beyond Unicode, a lone continuation byte.
    for (const std::string bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xA9",
                                  "\xE2\x82" "A"}) {
        SCOPED_TRACE(testing::PrintToString(bad));
        EXPECT_EQ(CharacterCount(bad), bad.size());
        EXPECT_FALSE(IsUtf8(bad));
        EXPECT_TRUE(IsUtf8(ToUtf8(bad)));
    }
    // Every byte value survives: read as Windows-1252, written as UTF-8.
    std::string all;
    for (int c = 0x80; c < 0x100; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(CharacterCount(ToUtf8(all)), 128u);
}

TEST(CodePage, StepsBackwardsMeetTheStepsForwards) {
    // Mixed text: the offsets walked backwards are those walked forwards,
    // and a position inside a character belongs to that character.
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xE2\x82" "b\xF0\x9F\x98\x80\xA9\xE4\xBD\xA0";
    std::vector<size_t> forwards, backwards;
    for (const auto& [pos, cp] : Characters(text))
        forwards.push_back(pos);
    for (size_t pos = text.size(); pos > 0;) {
        pos = PreviousCharacter(text, pos);
        backwards.insert(backwards.begin(), pos);
    }
    EXPECT_EQ(backwards, forwards);
    for (size_t i = 0; i + 1 < forwards.size(); ++i)
        for (size_t pos = forwards[i]; pos < forwards[i + 1]; ++pos)
            EXPECT_EQ(CharacterStart(text, pos), forwards[i]) << "byte " << pos;
    EXPECT_EQ(PreviousCharacter(text, 0), 0u);
    EXPECT_EQ(NextCharacter(text, text.size()), text.size());
}

TEST(CodePage, Latin1IsNotWindows1252) {
    EXPECT_EQ(Latin1ToUtf8("\x80\xE9"), "\xC2\x80\xC3\xA9");
}
