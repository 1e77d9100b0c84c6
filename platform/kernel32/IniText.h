#pragma once
// Editing the text of an INI file the way the profile routines do, as pure
// functions on the file's bytes so that the rules can be tested without disk.
//
// Sections and keys are matched without regard to case (of ASCII letters),
// character by character as the system reads text, and the section and key
// asked for are trimmed of surrounding blanks first, as the file's own names
// are. A line without '=' inside a section is a key without a value.

#include <optional>
#include <string>

// Returns `text` with `key` set to `value` in `section`. A missing value
// removes the key; a missing key removes the whole section (header and lines).
// Lines that are not changed stay byte for byte, line ends included; written
// lines end in CR LF.
std::string SetIniValue(const std::string& text, const std::string& section,
                        const std::optional<std::string>& key,
                        const std::optional<std::string>& value);

// The value of `key` in `section`, without surrounding blanks; nothing when the
// section or key is missing, or the key has no value.
std::optional<std::string> GetIniValue(const std::string& text, const std::string& section,
                                       const std::string& key);

// The same on a whole file, in the encoding its byte-order mark names: none
// (bytes as they are), UTF-8 (EF BB BF, kept in front of the first line), or
// UTF-16 little- or big-endian (FF FE, FE FF), whose lines are edited and
// written in UTF-16. Arguments and results are system text (UTF-8, other
// bytes read as Windows-1252; platform/kernel32/CodePage.h): into a file
// without a mark the arguments go as the bytes they are, into the others as
// their UTF-8 (ToUtf8), so that Windows-1252 bytes are stored as the
// characters they stand for; a value read from a UTF-16 file comes back as
// UTF-8, a surrogate without its partner as U+FFFD. Names match by their
// characters, so a name given in Windows-1252 bytes finds the same name
// stored in UTF-8 and the other way round (case is folded in ASCII only).
// SetIniFileValue gives nothing, meaning the file must be left alone, for a
// UTF-16 file of an odd byte count; it gives `file` itself when nothing
// changes.
std::optional<std::string> SetIniFileValue(const std::string& file, const std::string& section,
                                           const std::optional<std::string>& key,
                                           const std::optional<std::string>& value);
std::optional<std::string> GetIniFileValue(const std::string& file, const std::string& section,
                                           const std::string& key);
