#pragma once
// Writing a stored layout (the text form LayoutReader.h reads): the root and,
// nested as GetChildren says, its components, each with its published
// properties in published order. Not written: read-only ordinals and
// strings, values equal to the declared default, empty strings and string
// lists, unset references, binary properties without data, events without a
// method name (handlers assigned in code), and whatever a class marks as not
// stored. Sub-objects are written as Font.Name = ... lines; collections are
// always written, even empty, so that reading restores their item count.

#include "framework/Components.h"

#include <string>

std::string WriteLayout(TComponent& root);
// A string value in layout syntax: printable ASCII in quotes ('' for a
// quote), everything else as #nn; '' for the empty string.
std::string QuoteLayoutString(const std::string& value);
