#pragma once
// Writing a stored layout (the text form LayoutReader.h reads): the root and,
// nested as GetChildren says, its components, each with its published
// properties in published order. Not written: read-only ordinals and
// strings, ordinals and texts equal to their declared default, empty string
// lists, unset references, binary properties without data, events without a
// method name (handlers assigned in code), and whatever a class marks as not
// stored. A text without a declared default is always written, even empty,
// because the class may start with another one. Sub-objects are written as Font.Name = ... lines; collections are
// always written, even empty, so that reading restores their item count.

#include "framework/components/Components.h"

#include <string>

std::string WriteLayout(TComponent& root);
// A string value in layout syntax: printable ASCII in quotes ('' for a
// quote), everything else as #nn, the code of each character read as system
// text (platform/kernel32/CodePage.h): an ASCII control's code, or a Unicode
// code point, beyond U+FFFF as the two codes of its UTF-16 surrogate pair; ''
// for the empty string. The reader gives back the text's UTF-8, so Windows-1252
// bytes come back as the UTF-8 of their characters. A C1 control (U+0080 to
// U+009F), whose code would read back as the Windows-1252 character of that
// byte, is written as its UTF-8 inside the quotes instead.
std::string QuoteLayoutString(const std::string& value);
