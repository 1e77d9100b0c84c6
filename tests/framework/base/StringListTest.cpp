#include "framework/base/StringList.h"
#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Lines(const std::string& text) {
    TStringList list;
    list.SetText(text);
    return list.Items();
}
} // namespace

TEST(StringList, SplitsOnEveryKindOfLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Lines("a\nb\rc"), (V{"a", "b", "c"}));
    EXPECT_EQ(Lines("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(Lines(std::string("a\r\nb\0c\r\n", 8)), (V{"a", "b"}));
    EXPECT_EQ(Lines(""), V{});
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
    TStringList list;
    list.Add("x");
    list.Add("");
    EXPECT_EQ(list.Text(), "x\r\n\r\n");
}

TEST(StringList, OutOfRangeIndexNamesTheIndex) {
    TStringList list;
    list.Add("only");
    try {
        list.Get(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Get(-1), EListError);
    EXPECT_THROW(list.Insert(2, "x"), EListError);
    list.Insert(1, "end");
    EXPECT_EQ(list[1], "end");
}
