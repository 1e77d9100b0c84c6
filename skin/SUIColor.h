#pragma once
// The colour value the looks are written in, until the graphics unit of the
// framework provides its own: 0x00BBGGRR for plain colours; a set top bit
// (0x80000000 + index) names a system colour that is resolved before drawing.

#include <cstdint>

using TColor = uint32_t;
