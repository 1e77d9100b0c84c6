#pragma once
// The rule for a screensaver's name. The installer makes the name the file
// <Windows directory>/<name>.scr, which must be a file of that folder on any
// system (no path separator, no control character, not "." or ".."), and one
// that Windows programs can open: none of the characters Windows keeps out
// of file names, no dot or blank at the end (Windows drops them), and not a
// device name, which Windows opens as the device whatever extension follows.
// sspack checks names by the same rule before a record or installer is made.
// Names are system text (UTF-8, or Windows-1252 bytes): any byte from 0x80
// on is part of a letter.

#include <string>

enum class TNameFault {
    nfNone,
    nfNotAFileName, // not a file name of one folder on any system
    nfNotOnWindows, // a file name here, but not one Windows can open
};

struct TNameProblem {
    TNameFault Fault = TNameFault::nfNone;
    // Why, as a short sentence that names the offending part ("":" is not
    // allowed in Windows file names"); empty for a usable name.
    std::string Reason;

    explicit operator bool() const { return Fault != TNameFault::nfNone; }
};

// The first problem of `name`, those that make it no file name first.
TNameProblem ScreensaverNameProblem(const std::string& name);

// `name` as a message shows it: control characters as \xNN.
std::string PrintableName(const std::string& name);
