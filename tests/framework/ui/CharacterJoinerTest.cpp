// Typed characters arrive a byte per character message; the joiner makes
// them whole characters again, and reads bytes that make none as the code
// page does.

#include "framework/ui/CharacterJoiner.h"
#include "platform/kernel32/CodePage.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What the joiner hands over after each of the bytes.
std::vector<std::string> Feed(TCharacterJoiner& joiner, const std::string& bytes) {
    std::vector<std::string> out;
    for (char b : bytes)
        out.push_back(joiner.Add(b));
    return out;
}

using Steps = std::vector<std::string>;

} // namespace

TEST(CharacterJoiner, HandsOverACharacterWithItsLastByte) {
    TCharacterJoiner j;
    EXPECT_EQ(Feed(j, "a"), Steps{"a"});
    EXPECT_EQ(Feed(j, "ж"), (Steps{"", "ж"}));
    EXPECT_EQ(Feed(j, "€"), (Steps{"", "", "€"}));
    EXPECT_EQ(Feed(j, "😀"), (Steps{"", "", "", "😀"}));
    EXPECT_EQ(Feed(j, "漢字"), (Steps{"", "", "漢", "", "", "字"}));
    EXPECT_FALSE(j.Pending());
    EXPECT_EQ(j.Flush(), "");
}

TEST(CharacterJoiner, BytesThatMakeNoCharacterAreTheirWindows1252Reading) {
    TCharacterJoiner j;
    // A byte that begins nothing: a lone continuation byte, C0 and C1 (only
    // ever overlong), F5 and above.
    EXPECT_EQ(Feed(j, "\x80\xA9\xC0\xFF"), (Steps{"€", "©", "À", "ÿ"}));
    // A byte that cannot continue the open sequence ends it, then counts
    // on its own: here an ASCII letter, a new lead byte, and second bytes
    // out of their lead's range (overlong, a surrogate, beyond U+10FFFF).
    EXPECT_EQ(Feed(j, "\xD0x"), (Steps{"", "Ðx"}));
    EXPECT_EQ(Feed(j, "\xE2\x82\xD0\x84"), (Steps{"", "", "â‚", "Є"}));
    EXPECT_EQ(Feed(j, "\xE0\x80"), (Steps{"", "à€"}));
    EXPECT_EQ(Feed(j, "\xED\xA0"), (Steps{"", "í\u00A0"}));
    EXPECT_EQ(Feed(j, "\xF4\x90"), (Steps{"", "ô\u0090"}));
    EXPECT_FALSE(j.Pending());

    // Flushing ends an open sequence the same way; resetting drops it.
    EXPECT_EQ(Feed(j, "\xF0\x9F\x98"), (Steps{"", "", ""}));
    EXPECT_TRUE(j.Pending());
    EXPECT_EQ(j.Flush(), "ðŸ˜");
    EXPECT_FALSE(j.Pending());
    j.Add('\xC3');
    j.Reset();
    EXPECT_EQ(j.Add('\xA9'), "©");
}

TEST(CharacterJoiner, ReadsAnyBytesAsTheCodePageDoes) {
    // Whatever the bytes, what comes out is the text as the code page
    // reads it, in UTF-8. Bytes drawn from the ones that matter: ASCII,
    // continuation bytes at the edges of the second-byte ranges, every kind
    // of lead byte, bytes that never occur.
    const unsigned char pool[] = {'a',  0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
                                  0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const size_t length = rng() % 12;
        for (size_t i = 0; i < length; ++i)
            bytes += static_cast<char>(pool[rng() % sizeof pool]);
        TCharacterJoiner j;
        std::string joined;
        for (const std::string& piece : Feed(j, bytes))
            joined += piece;
        joined += j.Flush();
        ASSERT_EQ(joined, ToUtf8(bytes)) << ::testing::PrintToString(bytes);
    }
}
