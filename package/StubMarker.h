#pragma once
// The marker the installer stub carries in its image: the text
// SSI_STUB_MARKER_PREFIX followed by the project's version and a NUL
// (installer/StubMarker.cpp defines it). sspack tells our stub from any
// other program by it and shows the stub's version.

#include <cstddef>
#include <cstdint>
#include <string>

#define SSI_STUB_MARKER_PREFIX "SSINSTALL-STUB "

// The version the marker in `data` gives; "" when there is none. A version
// is 1 to 32 characters (digits, letters, '.', '+', '-'), starting with a
// digit and ended by a NUL, so that the prefix alone (as a program that
// looks for it holds it) is no marker.
std::string StubMarkerVersion(const uint8_t* data, size_t size);
