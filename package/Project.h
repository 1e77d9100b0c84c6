#pragma once
// The project record: one screensaver's description, carried as a package
// stream in text form. The installer reads it; authoring tools write it.
//
// Text form (every line ends with CR LF; K and L are the list counts):
//   0 ScreensaverName    1 LogoFile    2 HeaderText2   3 Homepage
//   4 HeaderText4        5 Copyright   6 K, then K FlashList lines
//   7+K OptionFlag1      8+K ShowLicense   9+K OptionFlag3
//   10+K L, then L LicenseText lines
//   11+K+L TailNumber    12+K+L .. 15+K+L TailText1..4   16+K+L TailFlag
// Booleans are "YES" or "NO"; nothing is escaped, so no value may contain a
// line break or a NUL.

#include "framework/base/Streams.h"
#include "framework/base/StringList.h"

#include <cstdint>
#include <string>

class TProject {
public:
    std::string ScreensaverName;
    std::string LogoFile; // only its file-name part is used
    std::string HeaderText2;
    std::string Homepage;
    std::string HeaderText4;
    std::string Copyright;
    bool OptionFlag1 = false;
    bool ShowLicense = false;
    bool OptionFlag3 = false;
    int32_t TailNumber = 0;
    std::string TailText1;
    std::string TailText2;
    std::string TailText3;
    std::string TailText4;
    bool TailFlag = false;
    TStringList FlashList;   // movie entries, one per line
    TStringList LicenseText; // the licence agreement, one entry per line
    TMemoryStream ProjectStream;

    // Writes the text form into ProjectStream at its position, leaving the
    // position after the text.
    void SaveToStream();

    // Sets every field from the text between ProjectStream's position and its
    // end. Fails at the first line that is missing ("List index out of bounds
    // (%d)") or is not an integer where one is needed ("'%s' is not a valid
    // integer value"); fields before that line keep their new values.
    void LoadFromStream();
};
