#pragma once
// File handles on POSIX with the open modes of the system's file routines.
// Sharing modes are accepted and ignored: POSIX files are never locked
// against other openers, which is what "deny none" asks for anyway.

#include <cstdint>
#include <string>

using THandle = int;
constexpr THandle INVALID_HANDLE_VALUE = -1;

// Open modes (low nibble: access; next nibble: sharing).
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
// Create the file, or empty an existing one, and open it for writing.
constexpr uint16_t fmCreate = 0xFF00;

// Every name handed to the functions here is system text (UTF-8, with other
// bytes read as Windows-1252: platform/kernel32/CodePage.h). NativePath is
// the name the operating system knows it by: the name itself when it is
// UTF-8; otherwise each of its parts that is not UTF-8 is taken as it
// stands when the folder or file it names exists (a name the system itself
// gave, in another encoding), else as the UTF-8 of its Windows-1252 reading
// (a name written elsewhere, such as a screensaver's from its record).
std::string NativePath(const std::string& path);

THandle FileOpen(const std::string& path, uint16_t mode);
THandle FileCreate(const std::string& path);
// Bytes transferred, or -1 on failure.
int64_t FileRead(THandle handle, void* buffer, int64_t count);
int64_t FileWrite(THandle handle, const void* buffer, int64_t count);
// origin: 0 from the start, 1 from the current position, 2 from the end.
// Returns the new position, or -1.
int64_t FileSeek(THandle handle, int64_t offset, int origin);
void FileClose(THandle handle);

bool FileExists(const std::string& path);
bool DeleteFile(const std::string& path);

// Replaces the contents of `path` as one step (ReplacementFile.h): a reader,
// a crash or a kill sees the old file or the new one, never half of either,
// and no temporary file is left behind. An existing file keeps its
// permission bits; a new one gets `newFileMode`. Returns false (and leaves
// any existing file untouched) when the new file cannot be written; errno
// then says why.
bool ReplaceFileContents(const std::string& path, const void* data, size_t size,
                         unsigned newFileMode = 0644);
// The same on a name the operating system gave (a link's target read from
// the disk), which is used byte for byte.
bool ReplaceNativeFileContents(const std::string& nativePath, const void* data, size_t size,
                               unsigned newFileMode = 0644);

// The running program's own executable file, found through /proc or, where
// there is none, through the path it was started by; empty when neither
// leads to it. The name is the operating system's: handed back to the
// functions here it names the same file when it is UTF-8, as a Linux
// system's names are.
std::string GetModuleFileName();
