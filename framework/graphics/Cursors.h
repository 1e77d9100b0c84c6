#pragma once
// The pointer shapes a control asks for, with the platform framework's
// numbers (layouts store their names, registered with the colour names in
// Colors.cpp).

#include <cstdint>

using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -12;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
