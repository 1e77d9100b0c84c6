#include "SkinTable.h"

#include <set>

namespace {

struct TRow {
    int Item;
    const char* Element;
    int Frames;
    int Size[5][2]; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

const TRow Rows[] = {
    {1, "BUTTON", 3, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
    {3, "CHECKBOX", 4, {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {4, "RADIOBUTTON", 4, {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {5, "TITLEBTN", 18, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
    {10, "TITLE_LEFT", 1, {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
    {11, "TITLE_CLIENT", 1, {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
    {12, "TITLE_RIGHT", 1, {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
    {24, "PROGRESSBAR", 1, {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
    {28, "TRACKBAR_BAR", 1, {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
    {29, "TRACKBAR_SLIDER", 1, {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
    {30, "TRACKBAR_SLIDER_V", 1, {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
    {32, "SCROLLBAR_BUTTON", 6, {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
    {33, "SCROLLBAR_TRACK", 3, {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
    {34, "CHECKLIST", 1, {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
    {38, "SCROLLBUTTON", 1, {{72, 18}, {72, 18}, {72, 17}, {72, 17}, {72, 17}}},
    {39, "TAB", 1, {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
    {40, "TAB_LINE", 1, {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
    {41, "SIDECHENNEL_HANDLE", 1, {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
    {42, "SIDECHENNEL_BAR", 1, {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
};

const char* const Prefixes[5] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

std::vector<TExpectedBitmap> Build() {
    std::vector<TExpectedBitmap> list;
    for (int s = 0; s < 5; ++s)
        for (const TRow& row : Rows) {
            std::string name = std::string(Prefixes[s]) + "_" + row.Element;
            // Only MacOS and WinXP have scroll buttons of their own.
            if (row.Item == 38 && s >= 2)
                name = "MORE_SCROLLBUTTON";
            list.push_back(
                {TsuiUIStyle(s + 1), row.Item, name, row.Size[s][0], row.Size[s][1], row.Frames});
        }
    const TExpectedBitmap extras[] = {
        {TsuiUIStyle::FromThemeFile, 0, "MACOS_FORM_BACKGROUND", 8, 8, 1},
        {TsuiUIStyle::FromThemeFile, 0, "PROTEIN_FORM_BACKGROUND", 8, 8, 1},
        {TsuiUIStyle::FromThemeFile, 0, "MACOS_MENU_BAR", 1, 22, 1},
        {TsuiUIStyle::FromThemeFile, 0, "MACOS_MENU_SELECT", 1, 21, 1},
        {TsuiUIStyle::FromThemeFile, 0, "MENU_CHECKED", 16, 16, 1},
        {TsuiUIStyle::FromThemeFile, 0, "MDI_CONTROL_BUTTON", 48, 16, 3},
        {TsuiUIStyle::FromThemeFile, 0, "DBNAV_BUTTON", 160, 16, 10},
    };
    list.insert(list.end(), std::begin(extras), std::end(extras));
    return list;
}

} // namespace

const std::vector<TExpectedBitmap>& ExpectedBitmaps() {
    static const std::vector<TExpectedBitmap> list = Build();
    return list;
}

std::vector<TExpectedBitmap> DistinctExpectedBitmaps() {
    std::vector<TExpectedBitmap> out;
    std::set<std::string> seen;
    for (const TExpectedBitmap& e : ExpectedBitmaps())
        if (seen.insert(e.Name).second)
            out.push_back(e);
    return out;
}
