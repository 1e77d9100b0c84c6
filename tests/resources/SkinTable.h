#pragma once
// The built-in skin bitmaps as the looks promise them: every bitmap item of
// every style with its resource name, size and frame count, and the extra
// resources controls load by name. Written out independently of the skin
// library so that either side's mistake shows.

#include "skin/SUIThemes.h"

#include <string>
#include <vector>

struct TExpectedBitmap {
    TsuiUIStyle Style; // FromThemeFile for the extra resources
    int Item;          // 0 for the extra resources
    std::string Name;
    int Width;
    int Height;
    int Frames; // 1 for a whole picture or one that no control cuts
};

const std::vector<TExpectedBitmap>& ExpectedBitmaps();
// The distinct resources of the list above, in list order.
std::vector<TExpectedBitmap> DistinctExpectedBitmaps();
