#include "framework/graphics/Colors.h"

#include "framework/components/TypeInfo.h"
#include "framework/graphics/Cursors.h"

#include <array>
#include <cstddef>

namespace {

// The classic ("Windows Standard") scheme, index = COLOR_* constant.
constexpr std::array<TColor, 31> kClassicScheme = {
    RGB(212, 208, 200), // 0 scroll bar
    RGB(58, 110, 165),  // 1 desktop
    RGB(10, 36, 106),   // 2 active caption
    RGB(128, 128, 128), // 3 inactive caption
    RGB(212, 208, 200), // 4 menu
    RGB(255, 255, 255), // 5 window
    RGB(0, 0, 0),       // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(255, 255, 255), // 9 caption text
    RGB(212, 208, 200), // 10 active border
    RGB(212, 208, 200), // 11 inactive border
    RGB(128, 128, 128), // 12 application workspace
    RGB(10, 36, 106),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(212, 208, 200), // 15 button face
    RGB(128, 128, 128), // 16 button shadow
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(212, 208, 200), // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(64, 64, 64),    // 21 3-D dark shadow
    RGB(212, 208, 200), // 22 3-D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
    RGB(0, 0, 0),       // 25 unused
    RGB(0, 0, 128),     // 26 hot-tracked item
    RGB(166, 202, 240), // 27 active caption gradient
    RGB(192, 192, 192), // 28 inactive caption gradient
    RGB(10, 36, 106),   // 29 menu highlight
    RGB(212, 208, 200), // 30 menu bar
};

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= int(kClassicScheme.size()))
        return clBlack;
    return kClassicScheme[size_t(index)];
}

TColor ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return GetSysColor(int(color & 0xFF));
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0xFFFFFF;
}

namespace {
// Layouts store colours and cursors by name where one exists (clBtnFace,
// crHandPoint). This unit is part of every program that draws, so the names
// are always registered when a layout is read.
const bool colorIdents = [] {
    RegisterIntegerIdents(kColorIdents, {{"clBlack", clBlack},
                                         {"clMaroon", clMaroon},
                                         {"clGreen", clGreen},
                                         {"clOlive", clOlive},
                                         {"clNavy", clNavy},
                                         {"clPurple", clPurple},
                                         {"clTeal", clTeal},
                                         {"clGray", clGray},
                                         {"clSilver", clSilver},
                                         {"clRed", clRed},
                                         {"clLime", clLime},
                                         {"clYellow", clYellow},
                                         {"clBlue", clBlue},
                                         {"clFuchsia", clFuchsia},
                                         {"clAqua", clAqua},
                                         {"clWhite", clWhite},
                                         {"clNone", clNone},
                                         {"clDefault", clDefault},
                                         {"clScrollBar", clScrollBar},
                                         {"clBackground", clBackground},
                                         {"clActiveCaption", clActiveCaption},
                                         {"clInactiveCaption", clInactiveCaption},
                                         {"clMenu", clMenu},
                                         {"clWindow", clWindow},
                                         {"clWindowFrame", clWindowFrame},
                                         {"clMenuText", clMenuText},
                                         {"clWindowText", clWindowText},
                                         {"clCaptionText", clCaptionText},
                                         {"clActiveBorder", clActiveBorder},
                                         {"clInactiveBorder", clInactiveBorder},
                                         {"clAppWorkSpace", clAppWorkSpace},
                                         {"clHighlight", clHighlight},
                                         {"clHighlightText", clHighlightText},
                                         {"clBtnFace", clBtnFace},
                                         {"clBtnShadow", clBtnShadow},
                                         {"clGrayText", clGrayText},
                                         {"clBtnText", clBtnText},
                                         {"clInactiveCaptionText", clInactiveCaptionText},
                                         {"clBtnHighlight", clBtnHighlight},
                                         {"cl3DDkShadow", cl3DDkShadow},
                                         {"cl3DLight", cl3DLight},
                                         {"clInfoText", clInfoText},
                                         {"clInfoBk", clInfoBk},
                                         {"clHotLight", clHotLight},
                                         {"clGradientActiveCaption", clGradientActiveCaption},
                                         {"clGradientInactiveCaption", clGradientInactiveCaption},
                                         {"clMenuHighlight", clMenuHighlight},
                                         {"clMenuBar", clMenuBar}});
    return true;
}();

const bool cursorIdents = [] {
    RegisterIntegerIdents(kCursorIdents, {{"crDefault", crDefault},
                                          {"crNone", crNone},
                                          {"crArrow", crArrow},
                                          {"crCross", crCross},
                                          {"crIBeam", crIBeam},
                                          {"crSizeNESW", crSizeNESW},
                                          {"crSizeNS", crSizeNS},
                                          {"crSizeNWSE", crSizeNWSE},
                                          {"crSizeWE", crSizeWE},
                                          {"crHourGlass", crHourGlass},
                                          {"crNo", crNo},
                                          {"crHandPoint", crHandPoint},
                                          {"crSizeAll", crSizeAll}});
    return true;
}();
} // namespace
