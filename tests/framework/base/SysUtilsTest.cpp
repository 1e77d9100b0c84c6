#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsTheSystemIntegerSyntax) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"17", 17},
        {"  17", 17},
        {"-5", -5},
        {"+5", 5},
        {"$1F", 31},
        {"0x1f", 31},
        {"0X10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"007", 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectsEverythingElseWithTheSystemMessage) {
    for (const char* text : {"", " ", "abc", "17 ", "1 7", "$", "0x", "2147483648", "-2147483649",
                             "$100000000", "1e3", "--1", "\t5"}) {
        int32_t value = 99;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 99);
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(TextRoutines, CaseMappingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCase("/auto\xe9"), "/AUTO\xe9");
    EXPECT_EQ(LowerCase("ABC\xc9"), "abc\xc9");
    EXPECT_TRUE(SameText("Boot", "bOOT"));
    EXPECT_FALSE(SameText("boot", "boots"));
}

TEST(TextRoutines, FileNameAndExtension) {
    EXPECT_EQ(ExtractFileName("C:\\Logos\\fish.JPG"), "fish.JPG");
    EXPECT_EQ(ExtractFileName("/tmp/a/logo.jpg"), "logo.jpg");
    EXPECT_EQ(ExtractFileName("logo.jpg"), "logo.jpg");
    EXPECT_EQ(ExtractFileExt("a/b.c/logo.jpeg"), ".jpeg");
    EXPECT_EQ(ExtractFileExt("a/b.c/logo"), "");
}
