// Finding embedded files by name.

#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/base/SysUtils.h"

namespace {

TEST(Resources, NamesAreFoundWithoutRegardToCase) {
    const std::span<const uint8_t> upper = FindResource("WINXP_BUTTON");
    ASSERT_FALSE(upper.empty());
    const std::span<const uint8_t> lower = FindResource("winxp_button");
    const std::span<const uint8_t> mixed = FindResource("WinXP_Button");
    EXPECT_EQ(lower.data(), upper.data());
    EXPECT_EQ(mixed.data(), upper.data());
    EXPECT_EQ(lower.size(), upper.size());
    EXPECT_TRUE(ResourceExists("winxp_button"));
}

TEST(Resources, UnknownOrPartialNamesFindNothing) {
    for (const char* name : {"", "WINXP", "WINXP_BUTTON.bmp", "WINXP_BUTTON ", "NO_SUCH_THING"}) {
        EXPECT_TRUE(FindResource(name).empty()) << name;
        EXPECT_FALSE(ResourceExists(name)) << name;
    }
}

TEST(Resources, EveryListedNameIsFoundAndUnique) {
    const std::vector<std::string> names = ResourceNames();
    ASSERT_FALSE(names.empty());
    std::set<std::string> upper;
    for (const std::string& name : names) {
        EXPECT_FALSE(FindResource(name).empty()) << name;
        EXPECT_TRUE(upper.insert(UpperCase(name)).second) << "twice: " << name;
    }
}

} // namespace
