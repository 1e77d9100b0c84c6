#pragma once
// What sspack checks of an installer's logo before it builds. The wizard
// writes the logo under the file-name part of the record's LogoFile and
// loads it as the picture kind that name's extension gives (TPicture's
// LoadFromFile, installer/InstallarUnit.cpp): a name it cannot write or
// load, or content of another kind or damaged, would only fail on the end
// user's machine, where nobody can fix it.

#include "framework/base/Streams.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The picture format the bytes start with, by its signature: "BMP", "ICO",
// "JPEG", "WMF" (placeable or not), "EMF", "PNG" or "GIF"; "" for none.
std::string PictureFormat(const uint8_t* data, size_t size);

// Why the installer could not show a logo named `logoFile` (as a record
// holds it, folders and all), after `where`, the option or file the name
// comes from; "" when it can write a file of that name and knows its
// extension.
std::string LogoNameProblem(const std::string& where, const std::string& logoFile);

// Why the installer could not show the logo file `path`, whose bytes are
// `content`, under the name `logoFile`: content of another kind than the
// name's extension gives, or that does not decode as it, with the
// decoder's reason. Under a name with a problem of its own only a format
// the installer never shows is named. "" when it shows the logo.
std::string LogoContentProblem(const std::string& logoFile, const std::string& path,
                               TMemoryStream& content);
