#pragma once
// The operating-system questions the system asks, with the calling
// conventions and results of their Windows originals, answered on Linux:
//
// - The Windows directory is $WINDIR when set and not empty, else
//   $WINEPREFIX/drive_c/windows, else $HOME/.wine/drive_c/windows. The system
//   directory is its "system32" folder.
// - The temporary directory is $TMPDIR or /tmp, always ending in '/'.
// - Short (8.3) names do not exist on POSIX file systems, so the short form
//   of an existing path is the path itself, as on a volume without short
//   names; a path that does not exist fails.
// - Profile (INI) files are edited for real and replaced atomically.
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
// regard to case; a new key goes to the end of its section, a new section to
// the end of the file; every other line is kept byte for byte and written lines
// end in CR LF. A null `value` deletes the key, a null `key` the whole section,
// and a null `section` (with null key and value) only flushes, which is a no-op
// here because every write reaches the disk at once. FALSE when the file
// cannot be read or written; the file is then left as it was.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);

// Reads a value back (the inverse of the above, for callers and tests). Copies
// `defaultValue` when the key is missing. Returns the length copied.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);

void Sleep(DWORD milliseconds);

// Replaces what Sleep does; an empty handler restores the real wait. The
// headless window system installs one that advances its virtual clock, so a
// pause in the system's code costs a test no time. Returns the handler that
// was installed before.
std::function<void(DWORD)> SetSleepHandler(std::function<void(DWORD)> handler);
