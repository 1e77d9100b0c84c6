#pragma once
// Letters without regard to case, for matching what the user typed against
// a caption (the "&" accelerators). The mapping is Unicode's simple upper
// case for the scripts the program's texts are written in: Basic Latin,
// Latin-1, Latin Extended-A, Greek and Coptic, and Cyrillic with its
// supplement. Every other character is its own upper case, as is a letter
// whose upper case takes several characters (German sharp s). A table of
// our own rather than towupper, which answers after the process's locale.

char32_t SimpleUpperCase(char32_t c);

inline bool SameLetter(char32_t a, char32_t b) {
    return SimpleUpperCase(a) == SimpleUpperCase(b);
}
