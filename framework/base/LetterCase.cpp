#include "framework/base/LetterCase.h"

#include <cstdint>

namespace {

// A run of small letters and how far their capitals are. In an alternating
// run small and capital letters take turns (capital first, as U+0100 Ā,
// U+0101 ā): only the code points of First's parity are small letters, and
// each capital is the code point before.
struct TCaseRun {
    char32_t First;
    char32_t Last;
    int32_t Delta; // capital minus small
    bool Alternating = false;
};

// Sorted by First, non-overlapping.
constexpr TCaseRun kRuns[] = {
    {0x0061, 0x007A, -32},           // a..z
    {0x00B5, 0x00B5, 0x039C - 0xB5}, // micro sign: capital mu
    {0x00E0, 0x00F6, -32},           // à..ö
    {0x00F8, 0x00FE, -32},           // ø..þ
    {0x00FF, 0x00FF, 0x0178 - 0xFF}, // ÿ
    {0x0101, 0x012F, -1, true},
    {0x0131, 0x0131, 'I' - 0x0131}, // dotless i
    {0x0133, 0x0137, -1, true},
    {0x013A, 0x0148, -1, true},
    {0x014B, 0x0177, -1, true},
    {0x017A, 0x017E, -1, true},
    {0x017F, 0x017F, 'S' - 0x017F}, // long s
    {0x0371, 0x0373, -1, true},
    {0x0377, 0x0377, -1},
    {0x037B, 0x037D, 0x03FD - 0x037B},
    {0x03AC, 0x03AC, 0x0386 - 0x03AC}, // ά
    {0x03AD, 0x03AF, 0x0388 - 0x03AD}, // έ ή ί
    {0x03B1, 0x03C1, -32},             // α..ρ
    {0x03C2, 0x03C2, 0x03A3 - 0x03C2}, // final sigma
    {0x03C3, 0x03CB, -32},             // σ..ϋ
    {0x03CC, 0x03CC, 0x038C - 0x03CC}, // ό
    {0x03CD, 0x03CE, 0x038E - 0x03CD}, // ύ ώ
    {0x03D0, 0x03D0, 0x0392 - 0x03D0}, // the symbol forms of beta, theta...
    {0x03D1, 0x03D1, 0x0398 - 0x03D1},
    {0x03D5, 0x03D5, 0x03A6 - 0x03D5},
    {0x03D6, 0x03D6, 0x03A0 - 0x03D6},
    {0x03D7, 0x03D7, 0x03CF - 0x03D7},
    {0x03D9, 0x03EF, -1, true},
    {0x03F0, 0x03F0, 0x039A - 0x03F0},
    {0x03F1, 0x03F1, 0x03A1 - 0x03F1},
    {0x03F2, 0x03F2, 0x03F9 - 0x03F2},
    {0x03F3, 0x03F3, 0x037F - 0x03F3},
    {0x03F5, 0x03F5, 0x0395 - 0x03F5},
    {0x03F8, 0x03F8, -1},
    {0x03FB, 0x03FB, -1},
    {0x0430, 0x044F, -32}, // а..я
    {0x0450, 0x045F, -80}, // ѐ..џ
    {0x0461, 0x0481, -1, true},
    {0x048B, 0x04BF, -1, true},
    {0x04C2, 0x04CE, -1, true},
    {0x04CF, 0x04CF, 0x04C0 - 0x04CF}, // palochka
    {0x04D1, 0x04FF, -1, true},
    {0x0501, 0x052F, -1, true},
};

} // namespace

char32_t SimpleUpperCase(char32_t c) {
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 32 : c;
    for (const TCaseRun& run : kRuns) {
        if (c < run.First)
            break;
        if (c > run.Last)
            continue;
        if (run.Alternating && (c - run.First) % 2 != 0)
            return c;
        return static_cast<char32_t>(static_cast<int32_t>(c) + run.Delta);
    }
    return c;
}
