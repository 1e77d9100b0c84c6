#pragma once
// The installer's three questions to the operating system: where the Windows
// directory is, where the temporary directory is, and how to make a file the
// default screensaver.

#include <string>

class TSystemInfo {
public:
    // The Windows directory with one separator appended, even when the system
    // already ends it with one (a drive's root then gives two in a row).
    void GetWindowsPath(std::string& path);
    // The temporary directory exactly as the system reports it (it already
    // ends with a separator).
    void GetTempDirectory(std::string& path);
    // Writes the short form of `path` as SCRNSAVE.EXE in the section boot of
    // system.ini in the Windows directory; a path whose short form cannot be
    // had is written as an empty value. Fails with "Unable to write to %s".
    void SetDefaultScreensaver(const std::string& path);
};
