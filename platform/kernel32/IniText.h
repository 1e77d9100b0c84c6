#pragma once
// Editing the text of an INI file the way the profile routines do, as pure
// functions on the file's bytes so that the rules can be tested without disk.

#include <optional>
#include <string>

// Returns `text` with `key` set to `value` in `section`. A missing value
// removes the key; a missing key removes the whole section (header and lines).
// Lines that are not changed stay byte for byte, line ends included.
std::string SetIniValue(const std::string& text, const std::string& section,
                        const std::optional<std::string>& key,
                        const std::optional<std::string>& value);

// The value of `key` in `section`, without surrounding blanks; nothing when the
// section or key is missing.
std::optional<std::string> GetIniValue(const std::string& text, const std::string& section,
                                       const std::string& key);
