#pragma once
// A look named on a tool's command line (any case).

#include "framework/base/SysUtils.h"
#include "framework/components/TypeInfo.h"
#include "skin/SUIThemes.h"
#include "tools/ToolMain.h"

#include <string>

inline TsuiUIStyle ParseLook(const std::string& text) {
    const TEnumInfo& info = TsuiUIStyleInfo();
    for (int i = 1; i < info.Count(); ++i)
        if (SameText(info.Name(i), text))
            return static_cast<TsuiUIStyle>(i);
    throw UsageError{"unknown look '" + text + "' (MacOS, WinXP, DeepBlue, Protein, BlueGlass)"};
}
