#pragma once
// The colour value the looks are written in: the framework's TColor,
// 0x00BBGGRR for plain colours; a set top bit (0x80000000 + index) names a
// system colour that is resolved before drawing.

#include "framework/graphics/Colors.h"
