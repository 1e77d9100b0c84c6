#pragma once
// The program's built-in resources: files embedded in the binary at build
// time (the skin bitmaps, later the wizard's layout and icon), found by name.
// Names are the embedded files' names without extension and, as resource
// names are, compared without regard to ASCII case.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The bytes of the named resource; an empty span when there is none. The
// bytes live as long as the program.
std::span<const uint8_t> FindResource(std::string_view name);

bool ResourceExists(std::string_view name);

// Every resource name, in the order the build embedded them.
std::vector<std::string> ResourceNames();
