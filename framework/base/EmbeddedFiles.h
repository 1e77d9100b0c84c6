#pragma once
// Files carried inside the program, in tables the build generates
// (resources/embed): the faces text is drawn with, the skin bitmaps, the
// wizard's layout. A file may be stored deflated; it is then inflated once,
// on first use, and kept for the life of the program.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

struct TEmbeddedFile {
    const char* Name;
    const unsigned char* Data;
    std::size_t StoredSize;
    std::size_t Size;
    bool Deflated;
};

// The file named `name` (ASCII case ignored) of a table that ends with a
// null name, as its bytes; an empty span when the table has none.
std::span<const uint8_t> FindEmbeddedFile(const TEmbeddedFile* table, std::string_view name);

// A table entry's bytes (inflating it the first time).
std::span<const uint8_t> EmbeddedFileBytes(const TEmbeddedFile& file);
