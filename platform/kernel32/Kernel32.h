#pragma once
// The operating-system questions the system asks, with the calling
// conventions and results of their Windows originals, answered on Linux:
//
// - The Windows directory is $WINDIR when set and not empty, else
//   $WINEPREFIX/drive_c/windows, else $HOME/.wine/drive_c/windows. The system
//   directory is its "system32" folder.
// - The temporary directory is $TMPDIR when that is a folder the process
//   may write in, else /tmp (unset, empty, missing or read-only $TMPDIR
//   alike, as the C library has it), always ending in '/'.
// - Short (8.3) names do not exist on POSIX file systems, so the short form
//   of an existing path is the path itself, as on a volume without short
//   names; a path that does not exist fails.
// - Profile (INI) files are edited for real and replaced atomically.
// - Text is in the system code page, UTF-8 with Windows-1252 bytes read as
//   such (platform/kernel32/CodePage.h). A file name is handed to the
//   operating system as its UTF-8 (ToUtf8), so a name written in
//   Windows-1252 bytes is the file whose UTF-8 name shows the same letters;
//   names given back (the directories, the short path) are the caller's or
//   the environment's bytes as they are.
//
// The '/' separator stands for the backslash throughout.

#include <cstdint>
#include <functional>

using BOOL = int;
using DWORD = uint32_t;
using UINT = uint32_t;
constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Each of these copies its answer with a terminating zero into `buffer` and
// returns its length without the zero; when `size` is too small it copies
// nothing and returns the size needed, zero included. 0 means failure.
UINT GetWindowsDirectoryA(char* buffer, UINT size);
UINT GetSystemDirectoryA(char* buffer, UINT size);
DWORD GetTempPathA(DWORD size, char* buffer);
DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD size);

// Writes `key`=`value` into `section` of the INI file `fileName`, creating the
// file, the section or the key as needed. Sections and keys are matched without
// regard to case (of ASCII letters: other letters must match as they are),
// after the arguments are trimmed of surrounding blanks; a line without '=' is
// a key without a value. A new key goes to the end of its section, a new
// section to the end of the file; every other line is kept byte for byte and
// written lines end in CR LF. A file that starts with a byte-order mark keeps
// it and its encoding (UTF-8; UTF-16, whose lines are written in UTF-16). A
// null `value` deletes the key, a null `key` the whole section; deleting from a
// missing file creates none. The file is replaced in one step; when it is a
// symbolic link, its target is, and the link stays.
//
// The arguments are system text, written in the file's own encoding: as the
// bytes they are into a file without a mark (as the platform writes a file in
// its ANSI code page), as their UTF-8 (ToUtf8) into a UTF-8 file, and as the
// UTF-16 of that into a UTF-16 file; so Windows-1252 bytes are stored as the
// characters they stand for. Names are compared by those characters: a name
// given in Windows-1252 bytes finds the same name stored in UTF-8.
//
// FALSE, with the file left as it was, when the file is not a regular file
// (a directory, a FIFO, a device), is larger than 16 MB, cannot be read or
// written, or is UTF-16 of an odd byte count. A null `section` (the flush,
// with null key and value) writes nothing and returns FALSE as well: every
// write reaches the disk at once, and the result is nonzero only when a string
// was written.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);

// Reads a value back (the inverse of the above, for callers and tests), as
// system text: the bytes as they are from a file without a mark, UTF-8 from
// the others (a lone UTF-16 surrogate comes back as U+FFFD). Copies
// `defaultValue` when the key is missing or has no value, or the file is one
// the above refuses. Returns the length copied.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);

void Sleep(DWORD milliseconds);

// Replaces what Sleep does; an empty handler restores the real wait. The
// headless window system installs one that advances its virtual clock, so a
// pause in the system's code costs a test no time. Returns the handler that
// was installed before.
std::function<void(DWORD)> SetSleepHandler(std::function<void(DWORD)> handler);
