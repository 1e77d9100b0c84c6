#pragma once
// Text from a package on the user's terminal. The system's text is 8-bit
// Windows-1252; the terminal speaks UTF-8 and obeys control characters, so a
// record (or an error quoting one) could otherwise clear the screen or move
// the cursor. Control characters, C0 and C1 alike, are shown escaped as
// \xNN; everything else is converted to UTF-8.

#include <string>

std::string ConsoleText(const std::string& ansi);
