#pragma once
// The installer wizard's resources, drawn with the looks: its stored layout,
// whose title-bar and progress-bar pictures are cut from the WinXP look's
// bitmaps, and the program's icon.

#include "Skin.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skingen {

// The layout template with its placeholders filled in, each on a line of its
// own inside a binary value's braces:
//   @PICTURE:NAME@        a stored picture holding the bitmap NAME
//   @PICTURE:NAME:K:N@    frame N (1-based) of the K frames of NAME
//   @ICON:MAINICON@       the program's icon file
// The data is written as hexadecimal lines at the placeholder's indentation.
std::string ExpandWizardLayout(const TRegistry& registry, const std::string& layoutTemplate);

// The program's icon (MAINICON): a screen showing a night sky on a stand, at
// 16 x 16 and 32 x 32, each in 16 and in 256 colours, with a transparency
// mask.
std::vector<uint8_t> DrawMainIcon();

} // namespace skingen
