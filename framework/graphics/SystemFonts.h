#pragma once
// The machine's own fonts, for the characters the faces the program carries
// lack (Chinese, Japanese, Korean, and the rest of Unicode). They are found
// through fontconfig, loaded when first needed, so that a machine without
// it (or without fonts) still runs the program: its missing characters are
// drawn as boxes.
//
// The candidates for a family and style are the faces fontconfig would
// offer for it, in its order of preference (the family's own faces first,
// then its aliases, then the rest), as desktop toolkits take them; the
// first one that holds a character draws it. Only faces this program's
// FreeType opens (TrueType and OpenType outlines) take part. Answers are
// cached for the life of the process: fontconfig is asked once per family
// and style, and each face's character set is consulted in memory.

#include <cstdint>
#include <string>

struct TSystemFontFile {
    std::string Path; // empty: no face on the machine holds the character
    int32_t Index = 0; // the face within a collection
    bool Bold = false; // the face is bold (else bold must be simulated)
    bool Italic = false; // the face is slanted (else slant must be simulated)
};

TSystemFontFile FindSystemFont(const std::string& family, bool bold, bool italic,
                               char32_t codePoint);

// Whether fontconfig could be loaded (for the program's messages and tests).
bool SystemFontsAvailable();
