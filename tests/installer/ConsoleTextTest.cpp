// Text from a package on the console: UTF-8 as it is, other bytes as the
// UTF-8 of their Windows-1252 reading, control characters escaped.

#include "installer/ConsoleText.h"

#include <gtest/gtest.h>

TEST(ConsoleText, Utf8TextIsPrintedAsItIs) {
    EXPECT_EQ(ConsoleText("Tropical Fish"), "Tropical Fish");
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xD0\x96\xD1\x83\xD0\xBA "
                             "\xE6\xB0\xB4\xE6\x97\x8F\xE9\xA4\xA8 \xF0\x9F\x90\xA0";
    EXPECT_EQ(ConsoleText(utf8), utf8);
    EXPECT_EQ(ConsoleText(""), "");
}

TEST(ConsoleText, BytesThatAreNoUtf8AreTheirWindows1252Reading) {
    EXPECT_EQ(ConsoleText("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(ConsoleText("\xC3(\xE2\x82 \xF0\x9F"),
              "\xC3\x83(\xC3\xA2\xE2\x80\x9A \xC3\xB0\xC5\xB8")
        << "cut-off sequences: each byte on its own";
    EXPECT_EQ(ConsoleText("\xC0\xAF\xED\xA0\x80"), "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xE2\x82\xAC")
        << "an overlong form and a surrogate are no UTF-8";
    EXPECT_EQ(ConsoleText("\xC3\xA9\xE9"), "\xC3\xA9\xC3\xA9") << "both spellings of one letter";
}

TEST(ConsoleText, ControlCharactersStayEscaped) {
    EXPECT_EQ(ConsoleText("Fish\x1b[2J\r\n\t\x7F"), "Fish\\x1B[2J\\x0D\\x0A\\x09\\x7F");
    EXPECT_EQ(ConsoleText(std::string("a\0b", 3)), "a\\x00b");
    // C1 controls: U+0085 written in UTF-8, and the five Windows-1252 bytes
    // that stand for C1 controls of their own value.
    EXPECT_EQ(ConsoleText("a\xC2\x85z"), "a\\xC2\\x85z");
    EXPECT_EQ(ConsoleText("\xC2\x9B"
                          "2J"),
              "\\xC2\\x9B2J");
    EXPECT_EQ(ConsoleText("\x81\x8D\x8F\x90\x9D"), "\\x81\\x8D\\x8F\\x90\\x9D");
    // Windows-1252 bytes in the same range that are letters are no controls.
    EXPECT_EQ(ConsoleText("\x85\x9B"), "\xE2\x80\xA6\xE2\x80\xBA");
}
