// The look tables and their lookups: the values controls are drawn with,
// including the ones that look like typos and are not, and the neutral
// answers for kind mismatches and styles without a table.

#include "skin/SUIThemes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

using S = TsuiUIStyle;

TsuiUIStyle Byte(uint8_t b) {
    return static_cast<TsuiUIStyle>(b);
}

TEST(SUIThemes, ColoursAndIntegersOfTheBuiltInStyles) {
    EXPECT_EQ(GetThemeColor(S::WinXP, 16), 0x00C82C00u);
    EXPECT_EQ(GetThemeColor(S::DeepBlue, 16), 0x00000000u);
    EXPECT_EQ(GetThemeColor(S::WinXP, 15), 0x00DEEBEFu);
    EXPECT_EQ(GetThemeColor(S::WinXP, 25), 0x00686868u);
    EXPECT_EQ(GetThemeColor(S::WinXP, 27), 0x00CF4602u);
    EXPECT_EQ(GetThemeColor(S::Protein, 18), 0x00C4302Du);
    EXPECT_EQ(GetThemeColor(S::BlueGlass, 21), 0x00E7E7E7u);
    EXPECT_EQ(GetThemeColor(S::WinXP, 37), 0x00E1AC93u);
    EXPECT_EQ(GetThemeInt(S::BlueGlass, 8), -3);
    EXPECT_EQ(GetThemeInt(S::MacOS, 8), -2);
    EXPECT_EQ(GetThemeInt(S::WinXP, 8), -2);
    EXPECT_EQ(GetThemeInt(S::DeepBlue, 7), 0);
    EXPECT_EQ(GetThemeInt(S::WinXP, 9), 5);
    EXPECT_EQ(GetThemeInt(S::WinXP, 17), 3);
    EXPECT_EQ(GetThemeInt(S::BlueGlass, 13), 270);
    EXPECT_EQ(GetThemeInt(S::BlueGlass, 14), 11);
}

// Every non-bitmap value of every style, transcribed apart from the tables:
// a slip in one of the 115 numbers shows here.
TEST(SUIThemes, EveryValueOfEveryStyle) {
    struct TRow {
        int Item;
        int64_t Values[5]; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
    };
    const TRow rows[] = {
        {2, {1, 0, 0, 0, 1}},
        {6, {0, 0, 0, 1, 1}},
        {7, {3, 2, 0, 0, 4}},
        {8, {-2, -2, 0, 0, -3}},
        {9, {4, 5, 2, 2, 6}},
        {13, {130, 150, 130, 130, 270}},
        {14, {0, 13, 0, 0, 11}},
        {15, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {16, {0x7F7F7F, 0xC82C00, 0, 0, 0}},
        {17, {1, 3, 1, 1, 1}},
        {18, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {19, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {20, {0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
        {21, {0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
        {22, {0, 0, 0, 0, 0}},
        {23, {0, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
        {25, {0x7F7F7F, 0x686868, 0, 0, 0}},
        {26, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {27, {0, 0xCF4602, 0, 0, 0}},
        {31, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},
        {35, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
        {36, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
        {37, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
    };
    int checked = 0;
    for (const TRow& row : rows)
        for (int s = 0; s < 5; ++s) {
            const TsuiThemeItem got = GetThemeItem(Byte(uint8_t(s + 1)), row.Item);
            EXPECT_EQ(got.Value, row.Values[s]) << "item " << row.Item << ", style " << s + 1;
            ++checked;
        }
    // With the 19 bitmap items these are all 42.
    EXPECT_EQ(std::size(rows) + 19, size_t(SUI_THEME_ITEM_COUNT));
    EXPECT_EQ(checked, 115);
}

// MacOS really has black menus; no style's menu font is anything but black.
TEST(SUIThemes, MacOSMenusAreBlack) {
    EXPECT_EQ(GetThemeColor(S::MacOS, 21), 0u);
    EXPECT_EQ(GetThemeColor(S::MacOS, 23), 0u);
    EXPECT_EQ(GetThemeColor(S::MacOS, 20), 0x00FFFFFFu);
    EXPECT_EQ(GetThemeColor(S::WinXP, 23), 0x00CED3D6u);
    for (int s = 1; s <= 5; ++s)
        EXPECT_EQ(GetThemeColor(Byte(uint8_t(s)), 22), 0u);
}

TEST(SUIThemes, BooleansOfTheBuiltInStyles) {
    EXPECT_TRUE(GetThemeBool(S::MacOS, 2));
    EXPECT_FALSE(GetThemeBool(S::WinXP, 2));
    EXPECT_TRUE(GetThemeBool(S::BlueGlass, 2));
    EXPECT_FALSE(GetThemeBool(S::MacOS, 6));
    EXPECT_TRUE(GetThemeBool(S::Protein, 6));
    EXPECT_TRUE(GetThemeBool(S::BlueGlass, 6));
}

// Asking for the wrong kind gives the neutral value of the kind asked for.
TEST(SUIThemes, KindMismatchesGiveNeutralValues) {
    EXPECT_EQ(GetThemeInt(S::MacOS, 15), -1);        // a colour
    EXPECT_EQ(GetThemeColor(S::MacOS, 13), 0u);      // an integer
    EXPECT_FALSE(GetThemeBool(S::MacOS, 1));         // a bitmap
    EXPECT_FALSE(GetThemeBool(S::WinXP, 7));         // a non-zero integer
    EXPECT_EQ(GetThemeInt(S::MacOS, 2), -1);         // a boolean
    EXPECT_EQ(GetThemeColor(S::WinXP, 1), 0u);       // a bitmap
    EXPECT_EQ(GetThemeBitmapName(S::WinXP, 15), ""); // a colour
    EXPECT_EQ(GetThemeBitmapName(S::MacOS, 2), "");  // a boolean
}

TEST(SUIThemes, StylesWithoutATableGiveNeutralValues) {
    for (uint8_t b : {0, 6, 7, 0x7F, 0x80, 0x86, 0xFF}) {
        SCOPED_TRACE(int(b));
        const TsuiThemeItem raw = GetThemeItem(Byte(b), 13);
        EXPECT_EQ(raw.Kind, TsuiThemeItemKind::suiIntItem);
        EXPECT_EQ(raw.Value, -1);
        EXPECT_EQ(GetThemeInt(Byte(b), 13), -1);
        EXPECT_EQ(GetThemeColor(Byte(b), 15), 0u);
        EXPECT_FALSE(GetThemeBool(Byte(b), 2));
        EXPECT_EQ(GetThemeBitmapName(Byte(b), 1), "");
    }
}

// Only the low seven bits of the style byte choose the table.
TEST(SUIThemes, TheStyleBytesTopBitIsIgnored) {
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const TsuiThemeItem plain = GetThemeItem(S::DeepBlue, item);
        const TsuiThemeItem high = GetThemeItem(Byte(0x83), item);
        EXPECT_EQ(high.Kind, plain.Kind) << item;
        EXPECT_EQ(high.Value, plain.Value) << item;
    }
    EXPECT_EQ(GetThemeBitmapName(Byte(0x83), 1), "DEEPBLUE_BUTTON");
    EXPECT_EQ(GetThemeBitmapName(Byte(0x82), 1), "WINXP_BUTTON");
}

// Item numbers outside the tables must not read past them.
TEST(SUIThemes, ItemsOutsideTheTablesAreNoItems) {
    for (int item : {0, -1, 43, 1000, INT32_MIN, INT32_MAX}) {
        const TsuiThemeItem raw = GetThemeItem(S::WinXP, item);
        EXPECT_EQ(raw.Kind, TsuiThemeItemKind::suiIntItem) << item;
        EXPECT_EQ(raw.Value, -1) << item;
        EXPECT_EQ(GetThemeKeyName(item), "") << item;
    }
}

TEST(SUIThemes, BitmapItemsNameTheirResources) {
    EXPECT_EQ(GetThemeBitmapName(S::WinXP, 1), "WINXP_BUTTON");
    EXPECT_EQ(GetThemeBitmapName(S::DeepBlue, 5), "DEEPBLUE_TITLEBTN");
    EXPECT_EQ(GetThemeBitmapName(S::Protein, 30), "PROTEIN_TRACKBAR_SLIDER_V");
    EXPECT_EQ(GetThemeBitmapName(S::BlueGlass, 33), "BLUEGLASS_SCROLLBAR_TRACK");
    // The scroll buttons: MacOS and WinXP have their own; the rest share one.
    EXPECT_EQ(GetThemeBitmapName(S::MacOS, 38), "MACOS_SCROLLBUTTON");
    EXPECT_EQ(GetThemeBitmapName(S::WinXP, 38), "WINXP_SCROLLBUTTON");
    for (S s : {S::DeepBlue, S::Protein, S::BlueGlass})
        EXPECT_EQ(GetThemeBitmapName(s, 38), "MORE_SCROLLBUTTON");
    EXPECT_EQ(GetThemeItem(S::DeepBlue, 38).Value, GetThemeItem(S::BlueGlass, 38).Value);
    // Resource names spell SIDECHENNEL; key names spell SideChannel.
    EXPECT_EQ(GetThemeBitmapName(S::MacOS, 41), "MACOS_SIDECHENNEL_HANDLE");
    EXPECT_EQ(GetThemeBitmapName(S::WinXP, 42), "WINXP_SIDECHENNEL_BAR");
    EXPECT_EQ(GetThemeKeyName(41), "SideChannelHandleImage");
    EXPECT_EQ(GetThemeResourceName(-1), "");
    EXPECT_EQ(GetThemeResourceName(100000), "");
}

// Key names end in the kind they hold; skin files are matched by them.
TEST(SUIThemes, KeyNamesAgreeWithKinds) {
    const std::pair<const char*, TsuiThemeItemKind> suffixes[] = {
        {"Int", TsuiThemeItemKind::suiIntItem},
        {"Color", TsuiThemeItemKind::suiColorItem},
        {"Image", TsuiThemeItemKind::suiBitmapItem},
        {"Bool", TsuiThemeItemKind::suiBoolItem}};
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const std::string key = GetThemeKeyName(item);
        int matches = 0;
        for (const auto& [suffix, kind] : suffixes)
            if (key.size() > strlen(suffix) &&
                key.compare(key.size() - strlen(suffix), std::string::npos, suffix) == 0) {
                ++matches;
                EXPECT_EQ(GetThemeKind(item), kind) << key;
                for (int s = 1; s <= 5; ++s)
                    EXPECT_EQ(GetThemeItem(Byte(uint8_t(s)), item).Kind, kind) << key;
            }
        EXPECT_EQ(matches, 1) << key;
        EXPECT_EQ(FindThemeItem(key), item);
    }
    EXPECT_EQ(GetThemeKeyName(1), "ButtonImage");
    EXPECT_EQ(GetThemeKeyName(42), "SideChannelBarImage");
    EXPECT_EQ(FindThemeItem("buttonimage"), 1);
    EXPECT_EQ(FindThemeItem("SideChennelBarImage"), 0);
    EXPECT_EQ(FindThemeItem(""), 0);
}

// Only bitmap items the controls draw have frames; whole pictures have one.
TEST(SUIThemes, FrameCountsOfTheItems) {
    int strips = 0, whole = 0, undrawn = 0;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const int frames = GetThemeFrameCount(item);
        if (GetThemeKind(item) != TsuiThemeItemKind::suiBitmapItem)
            EXPECT_EQ(frames, 0) << GetThemeKeyName(item);
        else
            (frames > 1 ? strips : frames == 1 ? whole : undrawn)++;
    }
    EXPECT_EQ(strips, 6);
    EXPECT_EQ(whole, 7);
    EXPECT_EQ(undrawn, 6);
    EXPECT_EQ(GetThemeFrameCount(5), 18); // TitleBarButtonImage
    EXPECT_EQ(GetThemeFrameCount(32), 6); // ScrollBarButtonImage
    EXPECT_EQ(GetThemeFrameCount(34), 0); // CheckListBoxImage
    EXPECT_EQ(GetThemeFrameCount(0), 0);
    EXPECT_EQ(GetThemeFrameCount(43), 0);
}

} // namespace
