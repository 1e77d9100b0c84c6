#pragma once
// Text from a package on the user's terminal. The system's text is UTF-8,
// as the terminal's is, with Windows-1252 bytes read as such (see
// platform/kernel32/CodePage.h). The terminal obeys control characters, so a
// record (or an error quoting one) could otherwise clear the screen or move
// the cursor: control characters, C0 and C1 alike, are shown escaped as
// \xNN (a C1 control encoded in UTF-8 as its two bytes); everything else
// reaches the terminal as UTF-8.

#include <string>

std::string ConsoleText(const std::string& text);
